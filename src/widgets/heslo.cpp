#include "widgets/heslo.h"
#include "widgets/toolbuttons.h"
#include "core/parameters.h"
#include "core/prompt.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfHeslo::TfHeslo(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fHeslo"));
    setWindowTitle(QStringLiteral("Tarko 8: Heslo"));

    m_eHeslo = new QLineEdit(this);
    m_eHeslo->setObjectName(QStringLiteral("eHeslo"));
    m_eHeslo->setEchoMode(QLineEdit::Password);
    // the users know the stars; the style's own bullet would differ by platform
    m_eHeslo->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    m_eHeslo->setMinimumWidth(200);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Heslo"), m_eHeslo);

    QHBoxLayout *buttons =
        newOkCancelRow(this, m_bOK, m_bStorno, QStringLiteral("OK"), QStringLiteral("Storno"));
    connect(m_bOK, &QPushButton::clicked, this, &TfHeslo::confirm);
    connect(m_bStorno, &QPushButton::clicked, this, &TfHeslo::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setTabOrder(m_eHeslo, m_bOK);
    setTabOrder(m_bOK, m_bStorno);
}

int TfHeslo::ask()
{
    m_eHeslo->clear();
    m_eHeslo->setFocus();
    return Prompt::runModal(this);
}

void TfHeslo::confirm()
{
    done(m_eHeslo->text() == Parameters::instance().unlockPassword ? Correct : Wrong);
}

void TfHeslo::reject()
{
    done(Cancelled);
}

void TfHeslo::showEvent(QShowEvent *event)
{
    // a password typed for the previous record must not unlock the next one
    m_eHeslo->clear();
    m_eHeslo->setFocus();
    QDialog::showEvent(event);
}
