#include "commerce/skladprevoddmnozstvi.h"

#include "core/globals.h"
#include "core/prompt.h"
#include "widgets/keyfilters.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
double parseNumber(const QString &text, bool *ok)
{
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(ok);
}
} // namespace

TfSkladPrevodDMnozstvi::TfSkladPrevodDMnozstvi(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fSkladPrevodDMnozstvi"));
    setWindowTitle(QStringLiteral("Tarko 8: Množství a cena vkládaného materiálu"));
    m_lPopis = new QLabel(this);
    m_lPopis->setObjectName(QStringLiteral("lPopis"));
    m_eCena = new QLineEdit(this);
    m_eCena->setObjectName(QStringLiteral("eCena"));
    m_eMnoz = new QLineEdit(this);
    m_eMnoz->setObjectName(QStringLiteral("eMnoz"));
    installKeyFilter(m_eCena, KeyFilter::ZadejFlo);
    installKeyFilter(m_eMnoz, KeyFilter::ZadejFlo);
    auto *form = new QFormLayout;
    form->addRow(m_lPopis);
    form->addRow(QStringLiteral("Cena materiálu  za jednotku"), m_eCena);
    form->addRow(QStringLiteral("Množství"), m_eMnoz);
    auto *bVlozit = new QPushButton(QStringLiteral("Vložit množství"), this);
    bVlozit->setObjectName(QStringLiteral("bbVlozit"));
    bVlozit->setDefault(false);
    bVlozit->setAutoDefault(false);
    auto *bNevkladat = new QPushButton(QStringLiteral("Nevkládat"), this);
    bNevkladat->setObjectName(QStringLiteral("bbNevkladat"));
    bNevkladat->setAutoDefault(false);
    connect(bVlozit, &QPushButton::clicked, this, &QDialog::accept);
    connect(bNevkladat, &QPushButton::clicked, this, [this] {
        m_eMnoz->clear();
        reject();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bVlozit);
    buttons->addWidget(bNevkladat);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

bool TfSkladPrevodDMnozstvi::ask(QWidget *parent, const QString &popis, QString &quantity, double &price)
{
    TfSkladPrevodDMnozstvi dialog(parent);
    dialog.m_lPopis->setText(popis);
    dialog.m_eCena->setText(QString::number(price, 'f', 2).replace(QLatin1Char('.'), DecimalSeparator));
    dialog.m_eMnoz->setText(quantity);
    dialog.m_eMnoz->selectAll();
    dialog.m_eMnoz->setFocus();
    const bool accepted = Prompt::runModal(&dialog) == QDialog::Accepted;
    quantity = accepted ? dialog.m_eMnoz->text() : QString();
    bool ok = false;
    const double typed = parseNumber(dialog.m_eCena->text(), &ok);
    if (accepted && ok)
        price = typed;
    return accepted && !quantity.trimmed().isEmpty();
}
