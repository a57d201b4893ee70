// The one-time import of a 7.4x database: a small database of the old layout, made by
// the test's own statements and backed up, is restored and copied into a fresh
// program database; the renames, constants, state letters and stock slips arrive, a
// duplicate key is refused on its own, and a table the old file lacks keeps its rows.
#include <QtTest>
#include <QSqlQuery>
#include <QSqlRecord>

#include "support/programdatabasetest.h"
#include "admin/backup.h"
#include "admin/oldimport.h"
#include "admin/prevoddat.h"
#include "admin/udrzbadat.h"
#include "core/firebird.h"
#include "core/settingsstore.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "shell/parprog.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>

class TestOldImport : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    QString m_oldFile;

    // The previous version's tables as the mapping reads them backwards: no KDO or
    // KLIC where those are constants, the old names where columns were renamed.
    void makeOldDatabase()
    {
        m_oldFile = env->path(QStringLiteral("TARKO.GDB"));
        QString error;
        QVERIFY2(Firebird::createDatabase(Firebird::Location{QString(), m_oldFile}, QStringLiteral("SYSDBA"),
                                          QStringLiteral("masterkey"), &error), qPrintable(error));
        auto old = env->connect(m_oldFile, QStringLiteral("OldVersion"));
        QVERIFY(old);
        QVERIFY2(TestEnvironment::ddl(*old, {
            // no key constraint: the old file holds a duplicate
            QStringLiteral("CREATE TABLE ADRESAR (UNCIS INTEGER, KOD VARCHAR(20), NAZEV VARCHAR(60), KDO VARCHAR(8))"),
            QStringLiteral("CREATE TABLE FIRMY (UNCFIR INTEGER, DIC VARCHAR(20))"),
            QStringLiteral("CREATE TABLE DODAKH (UNCIS INTEGER, UNCFIR INTEGER, CISDOD VARCHAR(20), DATVYST DATE)"),
            QStringLiteral("CREATE TABLE PR_HLAV (UNCIS INTEGER, DATUM DATE, FAKTURA CHAR(1), UNCFIR INTEGER, POCHP INTEGER)"),
            QStringLiteral("CREATE TABLE PR_TAB (UNCIS INTEGER, CISHLAV INTEGER, VYRCIS VARCHAR(20), NAKSTR VARCHAR(20))"),
            QStringLiteral("CREATE TABLE PK_HLAV (UNCIS INTEGER, POCHP INTEGER, FAKTURA CHAR(1))"),
            QStringLiteral("CREATE TABLE VOD_HLAV (UNCIS INTEGER, PRAVID CHAR(1), HOTOVO CHAR(1))"),
            QStringLiteral("CREATE TABLE SKLPOH (UNCIS INTEGER, DOKLAD INTEGER, UNCVYD INTEGER, UNCPRIJ INTEGER, "
                           "TYPPOH CHAR(1), DATPOH DATE, CDT VARCHAR(20), MNOZ DOUBLE PRECISION, UNCMAT INTEGER, "
                           "POPIS VARCHAR(80), CENA DOUBLE PRECISION, DPH VARCHAR(2), STAV SMALLINT, NOVSTAV SMALLINT)"),
        }, &error), qPrintable(error));
        QVERIFY2(TestEnvironment::ddl(*old, {
            QStringLiteral("INSERT INTO ADRESAR VALUES (101, 'T-17', 'Hasiči Brno', 'PETR')"),
            QStringLiteral("INSERT INTO ADRESAR VALUES (201, 'K-2', 'Sklad Jih', 'PETR')"),
            QStringLiteral("INSERT INTO ADRESAR VALUES (201, 'K-3', 'Dvojník', 'PETR')"),
            QStringLiteral("INSERT INTO ADRESAR VALUES (301, NULL, 'Dodavatel', 'JANA')"),
            QStringLiteral("INSERT INTO FIRMY VALUES (101, 'CZ123')"),
            QStringLiteral("INSERT INTO DODAKH VALUES (501, 101, 'D-1', '2004-03-01')"),
            QStringLiteral("INSERT INTO PR_HLAV VALUES (601, '2004-03-01', '1', 101, 2)"),
            QStringLiteral("INSERT INTO PR_HLAV VALUES (701, '2004-04-01', '3', 101, 0)"),
            QStringLiteral("INSERT INTO PR_TAB VALUES (1201, 601, 'V-1', 'sklad')"),
            QStringLiteral("INSERT INTO PK_HLAV VALUES (801, 7, '5')"),
            QStringLiteral("INSERT INTO VOD_HLAV VALUES (901, 'N', '2')"),
            // two movements of one purchase, then a sale from the same document number
            // to another party, then a transfer
            QStringLiteral("INSERT INTO SKLPOH VALUES (1101, 10, 301, 201, 'N', '2004-01-05', 'P-10', 4, 55, 'Hasicí přístroj P6', 1200, '22', 1, 1)"),
            QStringLiteral("INSERT INTO SKLPOH VALUES (1102, 10, 301, 201, 'N', '2004-01-05', 'P-10', 2.5, 56, 'Náplň', 10.125, '5', 1, 1)"),
            QStringLiteral("INSERT INTO SKLPOH VALUES (1103, 10, 201, 101, 'P', '2004-01-06', 'P-10', 1, 55, 'Hasicí přístroj P6', 1500, '22', 1, 1)"),
            QStringLiteral("INSERT INTO SKLPOH VALUES (1104, 11, 201, 101, 'P', '2004-02-01', 'V-11', 1, 55, 'Hasicí přístroj P6', 1500, '22', 1, 1)"),
        }, &error), qPrintable(error));
        old->close();
    }

    static QStringList column(const QString &sql)
    {
        QStringList values;
        QSqlQuery q = DM->NewQuery();
        if (!q.exec(sql))
            return {q.lastError().text()};
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i).toString().trimmed();
            values << row.join(QLatin1Char('|'));
        }
        return values;
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    // Every column the mapping names is a column of the program's table, and every
    // old column it reads is one the new table had no other way to fill.
    void theMappingNamesColumnsOfTheSchema()
    {
        QCOMPARE(OldImport::tables().size(), 44);
        QCOMPARE(QLatin1String(OldImport::tables().first().table), QLatin1String("ADRESAR"));
        QCOMPARE(QLatin1String(OldImport::tables().last().table), QLatin1String("AR_VOD_TAB"));
        for (const OldImport::TableMapping &m : OldImport::tables()) {
            const QString table = QLatin1String(m.table);
            if (table.startsWith(QLatin1String("AR_")))
                continue;   // the archive copies are not part of this version's schema
            const QStringList columns = OldImport::tableColumns(*DM, table);
            QVERIFY2(columns.contains(QStringLiteral("UNCIS")), qPrintable(table));
            for (const OldImport::Difference &d : m.differences)
                QVERIFY2(columns.contains(QLatin1String(d.target)) || QLatin1String(d.target) == QLatin1String("KLIC"),
                         qPrintable(table + QLatin1Char('.') + QLatin1String(d.target)));
        }
    }

    void importsABackupOfTheOldDatabase()
    {
        makeOldDatabase();
        // a table the old file does not have keeps what the new database holds
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS) VALUES (4401, 3, 'Ponechaná položka')"));
        exec(QStringLiteral("INSERT INTO SKLADPREVODH (UNCIS, CDT) VALUES (9901, 'STARA')"));
        const QString backupFile = env->path(QStringLiteral("tarko74.gbk"));
        const BackupOutcome made = DatabaseBackup::backup(
            {Firebird::Location{QString(), m_oldFile}, QStringLiteral("SYSDBA"), QStringLiteral("masterkey")}, backupFile);
        QVERIFY2(made.ok, qPrintable(made.message));

        OldImport::Source source;
        QString error;
        QVERIFY2(source.open(backupFile, QString(), QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), &error),
                 qPrintable(error));
        const QString restored = source.databaseFile();
        QVERIFY(restored != backupFile && QFileInfo::exists(restored));

        QStringList failures;
        int lastTable = -1, tableTotal = 0, rowCalls = 0;
        OldImport::Callbacks callbacks;
        callbacks.tableProgress = [&](int done, int total, const QString &) { lastTable = done; tableTotal = total; };
        callbacks.rowProgress = [&](int, int) { ++rowCalls; };
        callbacks.rowFailed = [&](const QString &table, const QVariant &key, const QString &text, const QString &) {
            failures << QStringLiteral("%1 %2 %3").arg(table, key.toString(), text);
        };
        OldImport::Importer importer(DM, source.dm(), callbacks);
        const OldImport::Outcome outcome = importer.run();
        QCOMPARE(outcome.rowsCopied, 10);
        QCOMPARE(outcome.rowsFailed, 1);
        source.close();
        QVERIFY(!QFileInfo::exists(restored));
        QCOMPARE(lastTable, tableTotal);
        QCOMPARE(tableTotal, 45);
        QVERIFY(rowCalls >= 15);

        // the duplicate alone stays behind; the old code is also the card number
        QCOMPARE(failures, QStringList{QStringLiteral("ADRESAR 201 Duplicita")});
        QCOMPARE(column(QStringLiteral("SELECT UNCIS, KOD, CISPRUKAZU, NAZEV, KLIC, UNCSPRFIR, KDO FROM ADRESAR WHERE UNCIS <> 201 ORDER BY UNCIS")),
                 (QStringList{QStringLiteral("101|T-17|T-17|Hasiči Brno|0|0|PETR"), QStringLiteral("301|||Dodavatel|0|0|JANA")}));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ADRESAR WHERE UNCIS = 201")), 1);
        QCOMPARE(column(QStringLiteral("SELECT UNCIS, UNCH, DIC FROM FIRMY")), QStringList{QStringLiteral("101|101|CZ123")});
        QCOMPARE(column(QStringLiteral("SELECT DPHZ, DPHS, ZAMEK, UNCFAK, KDO FROM DODAKH")), QStringList{QStringLiteral("22|5||0|0")});
        // old digits are letters; the old count of extinguishers of a damper report is its count of dampers
        QCOMPARE(column(QStringLiteral("SELECT UNCIS, FAKTURA, POCHP FROM PR_HLAV ORDER BY UNCIS")),
                 (QStringList{QStringLiteral("601|P|2"), QStringLiteral("701|F|0")}));
        QCOMPARE(column(QStringLiteral("SELECT FAKTURA, POCPK FROM PK_HLAV")), QStringList{QStringLiteral("H|7")});
        QCOMPARE(column(QStringLiteral("SELECT PRAVID, HOTOVO FROM VOD_HLAV")), QStringList{QStringLiteral("A|R")});
        QCOMPARE(column(QStringLiteral("SELECT UNCIS, UNCH, UNCPOM, VYRCIS, NAKSTR FROM PR_TAB")),
                 QStringList{QStringLiteral("1201|601|1201|V-1|sklad")});
        QCOMPARE(column(QStringLiteral("SELECT POPIS FROM CENIK")), QStringList{QStringLiteral("Ponechaná položka")});
        QVERIFY(outcome.tablesSkipped.contains(QStringLiteral("CENIK")));

        // three slips: the change of parties and kind within document 10 starts a new one
        QCOMPARE(outcome.slips, 3);
        QCOMPARE(outcome.slipLines, 4);
        QCOMPARE(column(QStringLiteral("SELECT H.CDT, H.TYPPOH, H.UNCVYD, H.UNCPRI, H.DATUM, COUNT(*) FROM SKLADPREVODH H "
                                       "JOIN SKLADPREVODP P ON P.UNCH = H.UNCIS GROUP BY 1, 2, 3, 4, 5 ORDER BY 5")),
                 (QStringList{QStringLiteral("P-10|N|301|201|2004-01-05|2"), QStringLiteral("P-10|P|201|101|2004-01-06|1"),
                              QStringLiteral("V-11|P|201|101|2004-02-01|1")}));
        QCOMPARE(column(QStringLiteral("SELECT UNCIS, MNOZ, NAKCEN, CENA, DPHN, TYPPOH, PRENOSDOD, PRENOSFAK FROM SKLADPREVODP "
                                       "WHERE UNCIS = 1102")),
                 QStringList{QStringLiteral("1102|2.5|10.125|25.31|5|N|A|A")});
        // the stock the movements give: 4 bought, 2 sold
        QCOMPARE(scalar(QStringLiteral("SELECT SUM(PRIJATO - VYDANO) FROM SKLADPOHYB WHERE UNCMAT = 55 AND UNCSKL = 201")).toDouble(), 2.0);

        // new keys go above the copied ones, and no generator went down
        QVERIFY(scalar(QStringLiteral("SELECT GEN_ID(PR_TAB, 0) FROM RDB$DATABASE")).toLongLong() >= 12 + 100);
        QVERIFY(DM->NextKey(QStringLiteral("ADRESAR")) > 301);
        QVERIFY(DM->NextKey(QStringLiteral("SKLADPREVODP")) > 1104);
    }

    // A file of this version's server opens as it is; anything else says why.
    void opensAFirebirdThreeFileDirectly()
    {
        makeOldDatabase();
        OldImport::Source source;
        QString error;
        QVERIFY2(source.open(m_oldFile, QString(), QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), &error),
                 qPrintable(error));
        QCOMPARE(source.databaseFile(), m_oldFile);
        OldImport::Importer importer(DM, source.dm());
        QVERIFY(importer.copyTable(OldImport::tables().at(16)));   // FIRMY, read in the order of the customer key
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY WHERE UNCIS = 101")), 1);
        source.close();
        QVERIFY(QFileInfo::exists(m_oldFile));

        const QString broken = env->path(QStringLiteral("broken.gbk"));
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("no backup at all");
        f.close();
        QVERIFY(!source.open(broken, QString(), QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), &error));
        QVERIFY2(error.contains(QStringLiteral("není použitelná záloha")), qPrintable(error));
    }

    // "Import dat z Tarko7": the source picker, the gauges and log, the closing advice
    // and the parameters window after it.
    void theMenuEntryRunsTheImportInItsWindow()
    {
        makeOldDatabase();
        SettingsStore::instance().writeValue(TDM::connectionKeyPath(), QStringLiteral("SERVER NAME"), databaseFile());
        TDM dm(QStringLiteral("QelImportMenu"));
        TfLTarko main(&dm);
        main.FormCreate();
        QVERIFY(dm.isOpen());
        bool parametersShown = false;
        bool maintenanceShown = false;
        QString title, proposed;
        QStringList log;
        QList<int> gauges;
        prompt().onModal<TfPrevodDat>([&](TfPrevodDat *w) {
            title = w->windowTitle();
            proposed = w->eZdroj->text();
            prompt().fileAnswer(m_oldFile);
            w->VyberZdroj();
            prompt().answer(PromptYes);
            prompt().onModal<TfUdrzbaDat>([&](TfUdrzbaDat *) {
                maintenanceShown = true;
                return 0;
            });
            prompt().onModal<TfParProg>([&](TfParProg *) {
                parametersShown = true;
                return 0;
            });
            w->Prevod();
            log = w->mVypis->toPlainText().split(QLatin1Char('\n'));
            gauges = {w->ggTabulky->value(), w->ggTabulky->maximum(), w->ggZaznamy->value(), w->ggZaznamy->maximum()};
            return 0;
        });
        main.trigger(QStringLiteral("miImportTarko7"));
        QCOMPARE(title, QStringLiteral("Tarko 8: Převod dat z verze 7.4x"));
        QCOMPARE(proposed, QStringLiteral("TARKO.GDB"));
        QCOMPARE(gauges.size(), 4);
        QCOMPARE(gauges.at(0), gauges.at(1));
        QCOMPARE(gauges.at(2), gauges.at(3));
        QCOMPARE(prompt().fileRequests.size(), 1);
        QVERIFY(prompt().fileRequests.first().filter.startsWith(QStringLiteral("Databáze Tarko (TARKO.GDB")));
        QVERIFY(log.contains(QStringLiteral("ADRESAR 201: Duplicita")));
        QVERIFY(maintenanceShown);
        QVERIFY(parametersShown);
        const QStringList texts = prompt().texts();
        QCOMPARE(texts.mid(texts.size() - 2),
                 (QStringList{QStringLiteral("Převod byl dokončen. Proveďte prosím Údržbu dat"),
                              QStringLiteral("Údržba byla dokončena. Nastavte prosím parametry programu")}));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SKLADPREVODH")), 3);
        dm.close();
        prompt().clear();
    }
};

QTEST_MAIN(TestOldImport)
#include "tst_oldimport.moc"
