// The schema upgrade of older databases on real files: a database at version 0 (a
// fresh one without what the steps add, without STOPTRIG, with prices typed as plain
// numbers) passes every step in order; one at 841 runs only the last step, and running
// it again neither duplicates the dictionary row nor touches flows; a database of a
// newer program, or with a version that is no number, is left alone; a current one
// shows no window.
#include <QtTest>
#include <QSqlQuery>

#include "support/programdatabasetest.h"
#include "core/format.h"
#include "core/parameters.h"
#include "core/schemaupgrade.h"
#include "shell/verze.h"

class TestUpgrade : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    static void ddl(const QString &statement)
    {
        QString error;
        QVERIFY2(DM->executeDdl(statement, &error), qPrintable(statement + QLatin1Char(' ') + error));
    }
    static int version() { return scalar(QStringLiteral("SELECT HODNOTA FROM QELSYS WHERE POLOZKA = 'eVerDat'")).toInt(); }
    static QStringList stepLines(const QString &log)
    {
        QStringList out;
        for (const QString &line : log.split(QLatin1Char('\n')))
            if (line.contains(QStringLiteral(">>>")))
                out << line;
        return out;
    }
    static void hydrantItems()
    {
        exec(QStringLiteral("INSERT INTO VOD_TAB (UNCIS, UNCH, PRUTOK) VALUES (501, 1, 3.5)"));
        exec(QStringLiteral("INSERT INTO VOD_TAB (UNCIS, UNCH, PRUTOK) VALUES (502, 1, NULL)"));
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void versionZeroPassesEveryStepInOrder()
    {
        // what the steps add goes, and so does the generator older databases lacked
        ddl(QStringLiteral("DROP VIEW PPPOSLPROH"));
        ddl(QStringLiteral("DROP TABLE PLANPROH"));
        ddl(QStringLiteral("ALTER TABLE DILNA DROP OZNACTRV"));
        ddl(QStringLiteral("ALTER TABLE STRUK DROP VYBPOLNAB"));
        ddl(QStringLiteral("ALTER TABLE VOD_TAB DROP PRUTOKJED"));
        // a database of the first version had no invoices yet, so the 8.1.0 step fails
        ddl(QStringLiteral("DROP TABLE FAK_POL"));
        ddl(QStringLiteral("DROP TABLE FAKTURY"));
        QStringList triggers;
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT DISTINCT RDB$DEPENDENT_NAME FROM RDB$DEPENDENCIES WHERE "
                                      "RDB$DEPENDED_ON_NAME = 'STOPTRIG'")));
        while (q.next())
            triggers << q.value(0).toString().trimmed();
        q.clear();
        QVERIFY(triggers.size() > 10);
        for (const QString &t : triggers)
            ddl(QStringLiteral("DROP TRIGGER ") + t);
        ddl(QStringLiteral("DROP SEQUENCE STOPTRIG"));
        exec(QStringLiteral("DELETE FROM QELSYS WHERE POLOZKA = 'eVerDat'"));
        exec(QStringLiteral("UPDATE STRUK SET TYP = 'F' WHERE POLOZKA IN ('CENA', 'CENPRO', 'CENNAK')"));
        const int priceItems = count(QStringLiteral("SELECT COUNT(*) FROM STRUK WHERE TYP = 'F' AND POLOZKA STARTING WITH 'CEN'"));
        const int otherDecimals = count(QStringLiteral("SELECT COUNT(*) FROM STRUK WHERE TYP = 'F'")) - priceItems;
        QVERIFY(priceItems >= 4 && otherDecimals > 0);
        const int topKey = count(QStringLiteral("SELECT MAX(UNCIS) FROM STRUK"));
        QCOMPARE(DM->WritesBlocked(), 1);
        hydrantItems();

        TfVerze window(DM);
        QCOMPARE(window.Kontrola(), SchemaUpgrade::Outcome::Done);
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarko8: Nastavení verze databáze"));
        QCOMPARE(window.verze(), QStringLiteral("P ř e v o d   h o t o v"));
        QVERIFY(window.zavritVisible());
        const QString log = window.vypis();
        QCOMPARE(stepLines(log), (QStringList{"0    >>>    8.0.1", "801    >>>    8.0.2", "802    >>>    8.1.0",
                                              "810    >>>    8.1.1", "811    >>>    8.3.0", "830    >>>    8.4.1",
                                              "841    >>>    8.08.08"}));
        // the view was not there to drop: listed, and the view is made all the same
        QVERIFY(log.contains(QStringLiteral("Chyba: DROP VIEW PPPOSLPROH")));
        QVERIFY(log.contains(QStringLiteral("Chyba: ALTER TABLE FAKTURY")));
        QVERIFY(log.contains(QStringLiteral("CREATE SEQUENCE STOPTRIG")));
        QCOMPARE(version(), 80808);
        QCOMPARE(Parameters::instance().schemaVersion, 80808);

        QCOMPARE(DM->WritesBlocked(), 0);
        QVERIFY(scalar(QStringLiteral("SELECT RDB$VIEW_SOURCE FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'PPPOSLPROH'"))
                    .toString().contains(QStringLiteral("PRO.Pravid = 'A'")));
        exec(QStringLiteral("INSERT INTO PLANPROH (UNCFIR, POCET) VALUES (1, 2)"));
        exec(QStringLiteral("UPDATE DILNA SET OZNACTRV = 1"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STRUK WHERE VYBPOLNAB = 'UnCis'")),
                 count(QStringLiteral("SELECT COUNT(*) FROM STRUK WHERE OKNO != ''")));
        QCOMPARE(count(QStringLiteral("SELECT UNCIS FROM STRUK WHERE POLOZKA = 'PRUTOKJED' AND COALESCE(OKNO, '') = ''")), topKey + 1);
        QCOMPARE(scalar(QStringLiteral("SELECT PRUTOKJED FROM VOD_TAB WHERE UNCIS = 501")).toString(),
                 QStringLiteral("3") + DecimalSeparator + QStringLiteral("50 l/s"));
        QVERIFY(scalar(QStringLiteral("SELECT PRUTOKJED FROM VOD_TAB WHERE UNCIS = 502")).isNull());
        // prices show as money again; other decimals stay what they were
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STRUK WHERE TYP = 'F'")), otherDecimals);

        // a second run finds nothing due and shows nothing
        TfVerze again(DM);
        QCOMPARE(again.Kontrola(), SchemaUpgrade::Outcome::NothingDue);
        QVERIFY(!again.isVisible());
        QVERIFY(again.vypis().isEmpty());
    }

    void version841RunsOnlyTheLastStepOnce()
    {
        ddl(QStringLiteral("ALTER TABLE VOD_TAB DROP PRUTOKJED"));
        hydrantItems();
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = '841' WHERE POLOZKA = 'eVerDat'"));
        {
            TfVerze window(DM);
            QCOMPARE(window.Kontrola(), SchemaUpgrade::Outcome::Done);
            QCOMPARE(stepLines(window.vypis()), QStringList{"841    >>>    8.08.08"});
            QVERIFY(!window.vypis().contains(QStringLiteral("Chyba")));
        }
        QCOMPARE(version(), 80808);
        const int key = count(QStringLiteral("SELECT UNCIS FROM STRUK WHERE POLOZKA = 'PRUTOKJED' AND COALESCE(OKNO, '') = ''"));

        // run again as a half-done upgrade would: the column is there (listed after
        // "Chyba:"), the next statements still run, nothing is added twice and a flow
        // text the user changed stays
        exec(QStringLiteral("UPDATE VOD_TAB SET PRUTOKJED = '210 l/min' WHERE UNCIS = 501"));
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = '841' WHERE POLOZKA = 'eVerDat'"));
        TfVerze window(DM);
        QCOMPARE(window.Kontrola(), SchemaUpgrade::Outcome::Done);
        const QStringList lines = window.vypis().split(QLatin1Char('\n'));
        QCOMPARE(lines.value(1), QStringLiteral("Chyba: ALTER TABLE VOD_TAB ADD PRUTOKJED VarChar(20) "));
        QCOMPARE(window.vypis().count(QStringLiteral("Chyba:")), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STRUK WHERE POLOZKA = 'PRUTOKJED' AND COALESCE(OKNO, '') = ''")), 1);
        QCOMPARE(count(QStringLiteral("SELECT UNCIS FROM STRUK WHERE POLOZKA = 'PRUTOKJED' AND COALESCE(OKNO, '') = ''")), key);
        QCOMPARE(scalar(QStringLiteral("SELECT PRUTOKJED FROM VOD_TAB WHERE UNCIS = 501")).toString(), QStringLiteral("210 l/min"));
        QCOMPARE(version(), 80808);
    }

    void newerDatabaseIsReportedAndLeftAlone()
    {
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = '90101' WHERE POLOZKA = 'eVerDat'"));
        ddl(QStringLiteral("DROP TABLE PLANPROH"));
        QCOMPARE(TfVerze::check(DM), SchemaUpgrade::Outcome::NewerDatabase);
        QVERIFY(prompt().lastText().startsWith(QStringLiteral("Databáze patří novější verzi programu")));
        QCOMPARE(version(), 90101);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'PLANPROH'")), 0);
        // a version that is no number says nothing about the schema: left alone too
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = 'zalohovano' WHERE POLOZKA = 'eVerDat'"));
        QCOMPARE(TfVerze::check(DM), SchemaUpgrade::Outcome::UnreadableVersion);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'PLANPROH'")), 0);
    }
};

QTEST_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
