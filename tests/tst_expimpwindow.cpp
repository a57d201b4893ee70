// The window "Export a import záznamů" from the main menu: its questions, the remembered
// folder and date, the progress it shows, and the way out of a block an interrupted
// import left behind.
#include <QtTest>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QProgressBar>

#include "support/programdatabasetest.h"
#include "admin/expimp.h"
#include "core/settingsstore.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"

class TestExpImpWindow : public ProgramDatabaseTest
{
    Q_OBJECT
private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void exportAndImportFromTheWindow()
    {
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV) VALUES (101, 'Žatecký pivovar')"));
        const QString folder = env->path(QStringLiteral("prenos"));
        QVERIFY(QDir().mkpath(folder));

        TDM shellDm(QStringLiteral("QelExpImpMenu"));
        TfLTarko main(&shellDm);
        QStringList boxes;
        prompt().onModal<TfExpImp>([&](TfExpImp *w) {
            boxes = w->tickedAreas();
            return 0;
        });
        main.trigger(QStringLiteral("miExportImport"));
        QCOMPARE(boxes.size(), 11);   // every area but the system one

        TfExpImp w(DM);
        QCOMPARE(w.windowTitle(), QStringLiteral("Export a import záznamů"));
        // no folder: said before anything is asked
        w.eAdresar->clear();
        QVERIFY(!w.Export());
        QCOMPARE(prompt().lastText(), QStringLiteral(" Musíte vybrat adresář ! "));

        // the system data: declining the warning only clears its box
        w.eAdresar->setText(folder);
        w.eDatum->setDate(QDate::currentDate().addDays(-1));
        w.box(QStringLiteral("cbSys"))->setChecked(true);
        prompt().answer(PromptNo);
        prompt().answer(PromptYes);
        QVERIFY(w.Export());
        QVERIFY(!w.box(QStringLiteral("cbSys"))->isChecked());
        QCOMPARE(prompt().texts().mid(1), (QStringList{
            QStringLiteral(" Export systémových dat může poškodit příjemcova data!\nChcete pokračovat? "),
            QStringLiteral("Exportovat data ?"), QStringLiteral("Údaje jsou vyexportovány")}));
        QVERIFY(!Exchange::findTransferFile(folder).isEmpty());
        // the address above and the code lists the new database was made with
        QVERIFY(w.ProgressBar->maximum() > 1);
        QCOMPARE(w.ProgressBar->value(), w.ProgressBar->maximum());
        QCOMPARE(ReadRegistryValue(QStringLiteral("PathExport"), QString(), TfExpImp::keyPath()), folder);
        QCOMPARE(ReadRegistryValue(QStringLiteral("DatExp"), QString(), TfExpImp::keyPath()),
                 QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));

        // a new window starts where the last one ended
        TfExpImp again(DM);
        QCOMPARE(again.eAdresar->text(), folder);
        QCOMPARE(again.eDatum->date(), QDate::currentDate());

        // a block left behind: refused, then lifted at the user's word
        QCOMPARE(scalar(QStringLiteral("SELECT GEN_ID(STOPTRIG, 1) FROM RDB$DATABASE")).toInt(), 1);
        prompt().clear();
        prompt().answer(PromptYes);
        prompt().answer(PromptYes);
        QVERIFY(again.Import());
        QVERIFY(prompt().texts().at(1).endsWith(QStringLiteral("\nZrušit blokování zápisu a importovat?")));
        QCOMPARE(prompt().lastText(), QStringLiteral("Údaje jsou naimportovány"));
        QCOMPARE(DM->WritesBlocked(), 0);
        prompt().clear();
    }
};

QTEST_MAIN(TestExpImpWindow)
#include "tst_expimpwindow.moc"
