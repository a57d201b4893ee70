#include "shell/data.h"
#include "shell/datamodul.h"
#include "core/prompt.h"
#include "core/settingsstore.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TfData::TfData(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fData"));
    setWindowTitle(QStringLiteral("Napojení k databázi"));

    m_lDB = new QLabel(QStringLiteral("Výchozí databáze"), this);
    m_lDB->setObjectName(QStringLiteral("lDB"));
    QFont f = m_lDB->font();
    f.setBold(true);
    m_lDB->setFont(f);

    m_edPath = new QLineEdit(this);
    m_edPath->setObjectName(QStringLiteral("edPath"));
    m_edPath->setMinimumWidth(420);
    auto *browseButton = new QToolButton(this);
    browseButton->setObjectName(QStringLiteral("sbPath"));
    browseButton->setText(QStringLiteral("..."));
    connect(browseButton, &QToolButton::clicked, this, &TfData::browse);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_edPath);
    pathRow->addWidget(browseButton);

    m_eUzivatel = new QLineEdit(this);
    m_eUzivatel->setObjectName(QStringLiteral("eUzivatel"));
    m_eHeslo = new QLineEdit(this);   // shown in clear text on purpose
    m_eHeslo->setObjectName(QStringLiteral("eHeslo"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Cesta k databázi"), pathRow);
    form->addRow(QStringLiteral("Uživatel"), m_eUzivatel);
    form->addRow(QStringLiteral("Heslo"), m_eHeslo);

    auto *ok = new QPushButton(QStringLiteral("Potvrdit výběr databáze"), this);
    ok->setObjectName(QStringLiteral("bbPotvrdit"));
    auto *cancel = new QPushButton(QStringLiteral("Ukončit bez potvrzení"), this);
    cancel->setObjectName(QStringLiteral("bbUkoncit"));
    connect(ok, &QPushButton::clicked, this, &TfData::confirm);
    connect(cancel, &QPushButton::clicked, this, &TfData::leave);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lDB);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void TfData::showEvent(QShowEvent *event)
{
    loadValues();
    QDialog::showEvent(event);
}

void TfData::loadValues()
{
    const QString key = TDM::connectionKeyPath();
    m_edPath->setText(ReadRegistryValue(QStringLiteral("SERVER NAME"), QString(), key).trimmed());
    m_eUzivatel->setText(ReadRegistryValue(QStringLiteral("USER NAME"), QStringLiteral("SYSDBA"), key).trimmed());
    m_eHeslo->setText(ReadRegistryValue(QStringLiteral("PASSWORD"), QStringLiteral("vorlipsan"), key).trimmed());
}

void TfData::browse()
{
    FileDialogRequest r;
    r.caption = QStringLiteral("Cesta k databázi");
    r.filter = QStringLiteral("Databáze (*.GDB *.FDB *.gdb *.fdb);;Všechny soubory (*)");
    r.defaultSuffix = QStringLiteral("GDB");
    r.directory = QFileInfo(m_edPath->text()).absolutePath();
    const QString file = Prompt::openFileName(r);
    if (!file.isEmpty())
        m_edPath->setText(file);
}

void TfData::confirm()
{
    const QString key = TDM::connectionKeyPath();
    const bool ok = WriteRegistryValue(QStringLiteral("SERVER NAME"), m_edPath->text(), key)
                    && WriteRegistryValue(QStringLiteral("USER NAME"), m_eUzivatel->text(), key)
                    && WriteRegistryValue(QStringLiteral("PASSWORD"), m_eHeslo->text(), key);
    if (!ok) {
        Prompt::warning(QStringLiteral("Načtení dat"), windowTitle());
        done(2);
        return;
    }
    done(6);
}

void TfData::leave()
{
    done(2);
}
