#include "admin/expimp.h"

#include "core/prompt.h"
#include "core/settingsstore.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const char *const dateFormat = "dd.MM.yyyy";
}

QString TfExpImp::keyPath()
{
    return SettingsStore::productKeyPath(QStringLiteral("OKNO\\TfExpImp"));
}

TfExpImp::TfExpImp(TDMPro *dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("fExpImp"));
    setWindowTitle(QStringLiteral("Export a import záznamů"));
    auto *layout = new QVBoxLayout(this);

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("Adresář"), this));
    eAdresar = new QLineEdit(ReadRegistryValue(QStringLiteral("PathExport"), QString(), keyPath()).trimmed(), this);
    eAdresar->setObjectName(QStringLiteral("eAdresar"));
    folderRow->addWidget(eAdresar, 1);
    auto *browse = new QToolButton(this);
    browse->setObjectName(QStringLiteral("sbAdresar"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Adresář"), eAdresar->text());
        if (!folder.isEmpty())
            eAdresar->setText(folder);
    });
    folderRow->addWidget(browse);
    layout->addLayout(folderRow);

    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(new QLabel(QStringLiteral("Od data"), this));
    eDatum = new QDateEdit(this);
    eDatum->setObjectName(QStringLiteral("eDatum"));
    eDatum->setDisplayFormat(QLatin1String(dateFormat));
    eDatum->setCalendarPopup(true);
    const QDate last =
        QDate::fromString(ReadRegistryValue(QStringLiteral("DatExp"), QString(), keyPath()).trimmed(), QLatin1String(dateFormat));
    eDatum->setDate(last.isValid() ? last : QDate::currentDate());
    dateRow->addWidget(eDatum);
    dateRow->addStretch();
    layout->addLayout(dateRow);

    auto *group = new QGroupBox(QStringLiteral("  Exportovat importovat oblasti  "), this);
    auto *grid = new QGridLayout(group);
    int i = 0;
    for (const Exchange::Area &area : Exchange::areas()) {
        auto *b = new QCheckBox(area.caption, group);
        b->setObjectName(area.box);
        b->setChecked(area.box != QLatin1String("cbSys"));
        grid->addWidget(b, i % 6, i / 6);
        m_boxes.insert(area.box, b);
        ++i;
    }
    layout->addWidget(group);

    auto *buttons = new QHBoxLayout;
    auto button = [this, buttons](const char *name, const QString &text, bool (TfExpImp::*action)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, action] { (this->*action)(); });
        buttons->addWidget(b);
    };
    button("sbExport", QStringLiteral("Export"), &TfExpImp::Export);
    button("sbImport", QStringLiteral("Import"), &TfExpImp::Import);
    buttons->addStretch();
    layout->addLayout(buttons);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setValue(0);
    layout->addWidget(ProgressBar);
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    layout->addWidget(StatusBar);
}

QStringList TfExpImp::tickedAreas() const
{
    QStringList ticked;
    for (const Exchange::Area &area : Exchange::areas())
        if (m_boxes.value(area.box)->isChecked())
            ticked << area.box;
    return ticked;
}

bool TfExpImp::confirmSystem(const QString &question)
{
    QCheckBox *system = m_boxes.value(QStringLiteral("cbSys"));
    if (system->isChecked() && Prompt::question(question) != PromptYes)
        system->setChecked(false);
    if (eAdresar->text().trimmed().isEmpty()) {
        Prompt::warning(QStringLiteral(" Musíte vybrat adresář ! "));
        return false;
    }
    return true;
}

Exchange::ProgressCallback TfExpImp::progress()
{
    return [this](const QString &table, qint64 done, qint64 total) {
        StatusBar->showMessage(table);
        ProgressBar->setMaximum(int(std::min<qint64>(total, 1 << 30)));
        ProgressBar->setValue(int(std::min<qint64>(done, 1 << 30)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

void TfExpImp::finished(const Exchange::Outcome &outcome)
{
    StatusBar->clearMessage();
    if (!outcome.notCarried.isEmpty())
        Prompt::warning(outcome.notCarried.join(QLatin1Char('\n')), QStringLiteral("Nepřenesena položka"));
}

void TfExpImp::remember(bool exported)
{
    WriteRegistryValue(QStringLiteral("PathExport"), eAdresar->text().trimmed(), keyPath());
    if (exported)
        WriteRegistryValue(QStringLiteral("DatExp"), QDate::currentDate().toString(QLatin1String(dateFormat)), keyPath());
}

bool TfExpImp::Export()
{
    if (!confirmSystem(QStringLiteral(" Export systémových dat může poškodit příjemcova data!\nChcete pokračovat? "))
        || Prompt::question(QStringLiteral("Exportovat data ?"), QStringLiteral("Export")) != PromptYes)
        return false;
    setEnabled(false);
    const Exchange::Outcome outcome =
        Exchange::exportChanges(*m_dm, eAdresar->text().trimmed(), eDatum->date(), tickedAreas(), progress());
    setEnabled(true);
    finished(outcome);
    if (!outcome.ok) {
        Prompt::error(outcome.message, QStringLiteral("Export"));
        return false;
    }
    eDatum->setDate(QDate::currentDate());
    remember(true);
    Prompt::information(outcome.message, QStringLiteral("Export"));
    return true;
}

bool TfExpImp::Import()
{
    if (!confirmSystem(QStringLiteral(" Import systémových dat může poškodit vaše data!\nChcete pokračovat? "))
        || Prompt::question(QStringLiteral("Importovat data ?"), QStringLiteral("Import")) != PromptYes)
        return false;
    setEnabled(false);
    Exchange::Outcome outcome = Exchange::importChanges(*m_dm, eAdresar->text().trimmed(), tickedAreas(), progress());
    if (outcome.blockedAlready
        && Prompt::question(outcome.message + QStringLiteral("\nZrušit blokování zápisu a importovat?"),
                            QStringLiteral("Import"))
               == PromptYes) {
        QString error;
        outcome = Exchange::liftBlock(*m_dm, &error)
                      ? Exchange::importChanges(*m_dm, eAdresar->text().trimmed(), tickedAreas(), progress())
                      : Exchange::Outcome{false, false, error, {}, 0, 0, 0};
    }
    setEnabled(true);
    finished(outcome);
    if (!outcome.ok) {
        if (!outcome.blockedAlready)
            Prompt::error(outcome.message, QStringLiteral("Chyba"));
        return false;
    }
    remember(false);
    Prompt::information(outcome.message, QStringLiteral("Import"));
    return true;
}
