#include "shell/verze.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/prompt.h"

namespace {
const QString Caption = QStringLiteral("Tarko8: Nastavení verze databáze");
}

TfVerze::TfVerze(TDMPro *dm, QWidget *parent)
    : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("fVerze"));
    setWindowTitle(Caption);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Převod databáze na novou verzi"), this));
    layout->addWidget(new QLabel(QStringLiteral("Tato operace může trvat několik minut"), this));
    m_verze = new QLabel(this);
    m_verze->setObjectName(QStringLiteral("lVerze"));
    layout->addWidget(m_verze);
    m_vypis = new QPlainTextEdit(this);
    m_vypis->setObjectName(QStringLiteral("mVyp"));
    m_vypis->setReadOnly(true);
    layout->addWidget(m_vypis, 1);
    m_zavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    m_zavrit->setObjectName(QStringLiteral("sbZavrit"));
    m_zavrit->setVisible(false);
    connect(m_zavrit, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(m_zavrit, 0, Qt::AlignRight);
    resize(520, 360);
}

QString TfVerze::verze() const
{
    return m_verze->text();
}

QString TfVerze::vypis() const
{
    return m_vypis->toPlainText();
}

bool TfVerze::zavritVisible() const
{
    return !m_zavrit->isHidden();
}

void TfVerze::stepStarted(const QString &text)
{
    if (isHidden())
        show();
    m_verze->setText(text);
    // the user sees each step while its statements run
    QApplication::processEvents();
}

void TfVerze::line(const QString &text)
{
    m_vypis->appendPlainText(text);
}

SchemaUpgrade::Outcome TfVerze::Kontrola()
{
    QString error;
    const SchemaUpgrade::Outcome outcome = SchemaUpgrade::run(*m_dm, *this, &error);
    switch (outcome) {
    case SchemaUpgrade::Outcome::NothingDue:
        return outcome;
    case SchemaUpgrade::Outcome::NewerDatabase: {
        int stored = 0;
        SchemaUpgrade::storedVersion(*m_dm, &stored);
        Prompt::warning(SchemaUpgrade::newerDatabaseText(stored), Caption);
        return outcome;
    }
    case SchemaUpgrade::Outcome::UnreadableVersion:
        // a marker or a hand-edited value: the schema stays as it is, quietly, since the
        // program reads and writes such a database as usual
        return outcome;
    case SchemaUpgrade::Outcome::Done:
        m_verze->setText(QStringLiteral("P ř e v o d   h o t o v"));
        break;
    case SchemaUpgrade::Outcome::Failed:
        if (isHidden())
            show();
        line(error);
        m_verze->setText(QStringLiteral("C h y b a   p ř i   p ř e v o d u"));
        Prompt::warning(QStringLiteral("Uložení parametrů\n") + error, Caption);
        break;
    }
    m_zavrit->setVisible(true);
    return outcome;
}

SchemaUpgrade::Outcome TfVerze::check(TDMPro *dm, QWidget *parent)
{
    auto *window = new TfVerze(dm, parent);
    const SchemaUpgrade::Outcome outcome = window->Kontrola();
    if (window->isHidden())
        delete window;
    else
        window->setAttribute(Qt::WA_DeleteOnClose);
    return outcome;
}
