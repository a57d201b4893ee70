// Backups of the program's database: made through the engine's services while the
// program holds the database open, restored only into a new file that must open and
// hold the same rows, the same from the batch program a nightly job runs; a damaged
// backup is named as such and leaves nothing behind.
#include <QtTest>
#include <QProcess>
#include <QSqlQuery>

#include "support/programdatabasetest.h"
#include "admin/backup.h"
#include "admin/sampledata.h"
#include "admin/zaloha.h"
#include "core/settingsstore.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"

class TestBackup : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    // Rows of every table of the program.
    static QMap<QString, int> rowCounts(TDMPro &dm)
    {
        QMap<QString, int> counts;
        QStringList tables;
        QSqlQuery q = dm.NewQuery();
        q.exec(QStringLiteral("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"));
        while (q.next())
            tables << q.value(0).toString();
        for (const QString &t : tables)
            counts.insert(t, TestEnvironment::scalar(dm, QStringLiteral("SELECT COUNT(*) FROM ") + t).toInt());
        return counts;
    }
    static int runBatch(const QStringList &arguments, QString *output)
    {
        return TestEnvironment::runBatch(arguments, output);
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void backupWhileOpenRestoresIntoANewFileWithTheSameRows()
    {
        SampleOptions options;
        options.customers = 3;
        options.years = 2;
        QVERIFY(fillSampleData(*DM, options));
        const QMap<QString, int> original = rowCounts(*DM);
        QVERIFY(original.value(QStringLiteral("PR_TAB")) > 0);
        // the program holds the file, with a read in progress
        QSqlQuery reading = DM->NewQuery();
        QVERIFY(reading.exec(QStringLiteral("SELECT UNCIS FROM ADRESAR")) && reading.next());

        const QString backupFile = env->path(QStringLiteral("zaloha/nightly.fbk"));
        QDir().mkpath(env->path(QStringLiteral("zaloha")));
        prompt().fileAnswer(backupFile);
        backupFromMenu(*DM);
        const qint64 size = QFileInfo(backupFile).size();
        QVERIFY(size > 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Záloha databáze byla uložena do souboru\n%1\nVelikost zálohy: %2")
                                          .arg(backupFile, DatabaseBackup::sizeText(size)));
        QCOMPARE(prompt().shown.constLast().kind, PromptKind::Information);

        // never over the open database, nor over any file that exists
        prompt().fileAnswer(backupFile);
        prompt().fileAnswer(databaseFile());
        QVERIFY(restoreFromMenu(*DM).isEmpty());
        QVERIFY(prompt().lastText().startsWith(QStringLiteral("Obnova nikdy nepřepisuje otevřenou databázi")));
        const QString taken = env->path(QStringLiteral("taken.fdb"));
        QFile(taken).open(QIODevice::WriteOnly);
        prompt().fileAnswer(backupFile);
        prompt().fileAnswer(taken);
        QVERIFY(restoreFromMenu(*DM).isEmpty());
        QVERIFY(prompt().lastText().startsWith(QStringLiteral("Soubor %1 již existuje.").arg(taken)));
        QCOMPARE(QFileInfo(taken).size(), 0);
        QVERIFY(DM->isOpen());
        QCOMPARE(rowCounts(*DM), original);

        const QString restoredFile = env->path(QStringLiteral("obnova/restored.fdb"));
        prompt().fileAnswer(backupFile);
        prompt().fileAnswer(restoredFile);
        QCOMPARE(restoreFromMenu(*DM), restoredFile);
        QVERIFY2(prompt().lastText().startsWith(QStringLiteral("Databáze byla obnovena ze zálohy do souboru\n%1\n").arg(restoredFile)),
                 qPrintable(prompt().lastText()));
        reading = QSqlQuery();
        auto restored = env->connect(restoredFile, QStringLiteral("Restored"));
        QVERIFY(restored);
        QCOMPARE(rowCounts(*restored), original);
        prompt().clear();
    }

    void restoreFromTheMenuOffersToSwitchToTheNewDatabase()
    {
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = 'zalohovano' WHERE POLOZKA = 'eVerDat'"));
        const QString backupFile = env->path(QStringLiteral("menu.fbk"));
        const QString restoredFile = env->path(QStringLiteral("menu-restored.fdb"));
        const QString dbKey = TDM::connectionKeyPath();
        SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), databaseFile());
        TDM dm(QStringLiteral("QelRestoreMenu"));
        TfLTarko w(&dm);
        w.FormCreate();
        QVERIFY(dm.isOpen());
        prompt().fileAnswer(backupFile);
        w.trigger(QStringLiteral("miZaloha"));
        prompt().fileAnswer(backupFile);
        prompt().fileAnswer(restoredFile);
        prompt().answer(PromptYes);
        w.trigger(QStringLiteral("miObnova"));
        QCOMPARE(prompt().lastText(), QStringLiteral("Přepnout připojení programu na obnovenou databázi %1?").arg(restoredFile));
        QCOMPARE(SettingsStore::instance().readValue(dbKey, QStringLiteral("SERVER NAME"), QString()), restoredFile);
        QVERIFY(dm.isOpen());
        QCOMPARE(dm.database().databaseName(), restoredFile);
        QCOMPARE(TestEnvironment::scalar(dm, QStringLiteral("SELECT HODNOTA FROM QELSYS WHERE POLOZKA = 'eVerDat'")).toString(),
                 QStringLiteral("zalohovano"));
        dm.close();
        prompt().clear();
    }

    void damagedBackupCreatesNothingAndBatchExitCodesTellTheOutcome()
    {
        // the batch program opens its own file: the test's own connection holds another
        const QString db = env->createDatabase(QStringLiteral("batch.fdb"));
        const QString backupFile = env->path(QStringLiteral("batch.fbk"));
        QString out;
        QCOMPARE(runBatch({"backup", "--database", db, "--file", backupFile}, &out), 0);
        QVERIFY2(out.contains(backupFile), qPrintable(out));
        const QString restoredFile = env->path(QStringLiteral("batch-restored.fdb"));
        QCOMPARE(runBatch({"restore", "--file", backupFile, "--database", restoredFile}, &out), 0);
        QVERIFY(QFileInfo::exists(restoredFile));
        // once more onto the same file: refused, the restored file as it was
        const qint64 restoredSize = QFileInfo(restoredFile).size();
        QVERIFY(runBatch({"restore", "--file", backupFile, "--database", restoredFile}, &out) != 0);
        QVERIFY2(out.contains(QStringLiteral("již existuje")), qPrintable(out));
        QCOMPARE(QFileInfo(restoredFile).size(), restoredSize);
        QVERIFY(runBatch({"backup", "--database", env->path(QStringLiteral("none.fdb")), "--file",
                          env->path(QStringLiteral("none.fbk"))}, &out) != 0);
        QVERIFY(!QFileInfo::exists(env->path(QStringLiteral("none.fbk"))));
        QVERIFY(runBatch({"restore", "--file", backupFile}, &out) != 0);

        // a backup cut short, and a file that is no backup at all
        const QString cut = env->path(QStringLiteral("cut.fbk"));
        QVERIFY(QFile::copy(backupFile, cut));
        QVERIFY(QFile::resize(cut, QFileInfo(backupFile).size() / 3));
        const QString junk = env->path(QStringLiteral("junk.fbk"));
        QFile j(junk);
        QVERIFY(j.open(QIODevice::WriteOnly));
        j.write(QByteArray(5000, '\x07'));
        j.close();
        const QString target = env->path(QStringLiteral("from-damaged.fdb"));
        for (const QString &damaged : {cut, junk}) {
            DatabaseBackup::Target t;
            t.location.path = target;
            t.user = QStringLiteral("SYSDBA");
            t.password = QStringLiteral("masterkey");
            const BackupOutcome o = DatabaseBackup::restore(damaged, t);
            QVERIFY(!o.ok);
            QVERIFY2(o.message.contains(damaged) && o.message.contains(QStringLiteral("Žádná databáze nebyla vytvořena.")),
                     qPrintable(o.message));
            QVERIFY(!o.message.contains(QStringLiteral("masterkey")));
            QVERIFY(!QFileInfo::exists(target));
            QVERIFY(runBatch({"restore", "--file", damaged, "--database", target}, &out) != 0);
            QVERIFY(!QFileInfo::exists(target));
        }
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
