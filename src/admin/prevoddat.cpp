#include "admin/prevoddat.h"
#include "admin/oldimport.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString caption = QStringLiteral("Převod dat");

QToolButton *textButton(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

} // namespace

TfPrevodDat::TfPrevodDat(TDMPro *dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("fPrevodDat"));
    setWindowTitle(QStringLiteral("Tarko 8: Převod dat z verze 7.4x"));
    resize(640, 460);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    auto *source = new QHBoxLayout;
    eZdroj = new QLineEdit(QStringLiteral("TARKO.GDB"), this);
    eZdroj->setObjectName(QStringLiteral("eZdroj"));
    source->addWidget(eZdroj, 1);
    QToolButton *browse = textButton(this, "sbZdroj", QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, &TfPrevodDat::VyberZdroj);
    source->addWidget(browse);
    form->addRow(QStringLiteral("Zdrojová databáze"), source);
    ggTabulky = new QProgressBar(this);
    ggTabulky->setObjectName(QStringLiteral("ggTabulky"));
    form->addRow(QStringLiteral("Tabulky"), ggTabulky);
    ggZaznamy = new QProgressBar(this);
    ggZaznamy->setObjectName(QStringLiteral("ggZaznamy"));
    form->addRow(QStringLiteral("Záznamy"), ggZaznamy);
    layout->addLayout(form);
    mVypis = new QPlainTextEdit(this);
    mVypis->setObjectName(QStringLiteral("mVypis"));
    mVypis->setReadOnly(true);
    layout->addWidget(mVypis, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    sbPrevod = textButton(this, "sbPrevod", QStringLiteral("Převod"));
    connect(sbPrevod, &QToolButton::clicked, this, [this] { Prevod(); });
    buttons->addWidget(sbPrevod);
    QToolButton *closeButton = textButton(this, "sbZavrit", QStringLiteral("Zavřít"));
    connect(closeButton, &QToolButton::clicked, this, &QDialog::accept);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
}

void TfPrevodDat::VyberZdroj()
{
    FileDialogRequest r;
    r.caption = QStringLiteral("Zdrojová databáze");
    r.directory = eZdroj->text();
    r.filter = QStringLiteral("Databáze Tarko (TARKO.GDB tarko.gdb);;Všechny databáze (*.GDB *.gdb);;"
                              "Zálohy databáze (*.gbk *.GBK *.fbk *.FBK);;Všechny soubory (*)");
    const QString file = Prompt::openFileName(r);
    if (!file.isEmpty())
        eZdroj->setText(file);
}

int TfPrevodDat::Prevod()
{
    const QString file = eZdroj->text().trimmed();
    if (Prompt::question(QStringLiteral("Převod nahradí data všech převáděných tabulek daty ze zdrojové databáze\n%1\n"
                                        "Chcete pokračovat?").arg(file), caption)
        != PromptYes)
        return 1;
    const QSqlDatabase db = m_dm->database();
    OldImport::Source source;
    QString error;
    mVypis->clear();
    sbPrevod->setEnabled(false);
    if (!source.open(file, db.hostName(), db.userName(), db.password(), &error)) {
        sbPrevod->setEnabled(true);
        mVypis->appendPlainText(error);
        Prompt::error(QStringLiteral("Chyba otevření databáze\nNastavte cestu, uživatele a heslo pro databázi"));
        return -1;
    }
    OldImport::Callbacks callbacks;
    callbacks.tableProgress = [this](int done, int total, const QString &table) {
        ggTabulky->setRange(0, total);
        ggTabulky->setValue(done);
        ggZaznamy->setValue(0);
        if (!table.isEmpty())
            ggTabulky->setFormat(table + QStringLiteral(" %v/%m"));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    callbacks.rowProgress = [this](int done, int total) {
        ggZaznamy->setRange(0, qMax(total, 1));
        ggZaznamy->setValue(done);
        if (done % 50 == 0 || done == total)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    callbacks.log = [this](const QString &line) { mVypis->appendPlainText(line); };
    OldImport::Importer(m_dm, source.dm(), callbacks).run();
    source.close();
    ggZaznamy->setValue(ggZaznamy->maximum());
    sbPrevod->setEnabled(true);

    Prompt::information(QStringLiteral("Převod byl dokončen. Proveďte prosím Údržbu dat"), caption);
    if (openMaintenance)
        openMaintenance();
    Prompt::information(QStringLiteral("Údržba byla dokončena. Nastavte prosím parametry programu"), caption);
    if (openParameters)
        openParameters();
    return 0;
}
