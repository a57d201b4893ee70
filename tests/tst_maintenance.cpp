// Data maintenance on real databases: the list of referring columns agrees with the
// schema; the key pass raises generators and never lowers them, leaving the excluded
// tables alone; renumbering keeps every link and the database number; the small repairs
// keep what they cannot improve; the stamp pass creates what is missing, once; and the
// window runs the operations and shows their log.
#include <QtTest>
#include <QPlainTextEdit>
#include <QToolButton>

#include "admin/maintenance.h"
#include "admin/sampledata.h"
#include "admin/udrzbadat.h"
#include "core/firebird.h"
#include "core/parameters.h"
#include "support/programdatabasetest.h"

class TestMaintenance : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    QStringList logged;

    DataMaintenance maintenance(TDMPro *dm = DM)
    {
        return DataMaintenance(dm, [this](const QString &line) { logged << line; });
    }
    static qint64 generator(const QString &name)
    {
        return scalar(QStringLiteral("SELECT GEN_ID(%1, 0) FROM RDB$DATABASE").arg(name)).toLongLong();
    }
    // For every referring column: the marker of each referring row and the marker of
    // the row it leads to (-1 when it leads nowhere).
    static QMap<QString, QMap<int, int>> links()
    {
        QMap<QString, QMap<int, int>> result;
        for (const RenumberedTable &t : renumberedTables())
            for (const ReferringColumn &c : t.referring) {
                QSqlQuery q = DM->NewQuery();
                const QString sql = QStringLiteral("SELECT C.TESTID, COALESCE(P.TESTID, -1) FROM %1 C LEFT JOIN %2 P ON P.UNCIS = C.%3 "
                                                   "WHERE C.%3 <> 0")
                                        .arg(c.table, t.table, c.column);
                if (!q.exec(sql))
                    qFatal("%s", qPrintable(sql + q.lastError().text()));
                while (q.next())
                    result[c.table + QLatin1Char('.') + c.column + QLatin1String("->") + t.table].insert(q.value(0).toInt(),
                                                                                                       q.value(1).toInt());
            }
        return result;
    }

private slots:
    void init()
    {
        startFresh();
        logged.clear();
    }
    void cleanup()
    {
        Parameters::instance().databaseNumber = 0;
        finish();
    }

    void referringColumnsAgreeWithTheSchema()
    {
        QMap<QString, QString> types;   // TABLE.COLUMN -> field type
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral(
            "SELECT TRIM(R.RDB$RELATION_NAME), TRIM(RF.RDB$FIELD_NAME), F.RDB$FIELD_TYPE FROM RDB$RELATIONS R "
            "JOIN RDB$RELATION_FIELDS RF ON RF.RDB$RELATION_NAME = R.RDB$RELATION_NAME "
            "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
            "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 AND R.RDB$VIEW_BLR IS NULL")));
        while (q.next())
            types.insert(q.value(0).toString() + QLatin1Char('.') + q.value(1).toString(), q.value(2).toString());
        QSet<QString> accounted;
        for (const RenumberedTable &t : renumberedTables()) {
            QVERIFY2(types.contains(t.table + QStringLiteral(".UNCIS")), qPrintable(t.table));
            for (const ReferringColumn &c : t.referring) {
                const QString name = c.table + QLatin1Char('.') + c.column;
                QVERIFY2(types.value(name) == QStringLiteral("8"), qPrintable(name + " is no integer column"));
                QVERIFY2(!accounted.contains(name), qPrintable(name + " refers to two tables"));
                accounted.insert(name);
            }
        }
        for (const KeptColumn &c : keyColumnsNotRenumbered()) {
            const QString name = c.table + QLatin1Char('.') + c.column;
            QVERIFY2(types.contains(name), qPrintable(name));
            QVERIFY2(!accounted.contains(name), qPrintable(name + " both renumbered and kept"));
            accounted.insert(name);
        }
        for (auto it = types.cbegin(); it != types.cend(); ++it) {
            const QString column = it.key().section(QLatin1Char('.'), 1);
            // the stock movements and the stock on hand follow the slip lines by themselves
            if (DataMaintenance::isExcluded(it.key().section(QLatin1Char('.'), 0, 0)))
                continue;
            if ((column.startsWith(QStringLiteral("UNC")) && column != QStringLiteral("UNCIS"))
                || column.startsWith(QStringLiteral("DODAV")))
                QVERIFY2(accounted.contains(it.key()), qPrintable(it.key() + " is neither renumbered nor kept"));
        }
    }

    void keyPassRaisesGeneratorsAndLeavesExcludedTables()
    {
        QVERIFY(TestEnvironment::ddl(*DM, {QStringLiteral("CREATE TABLE T_GEN (UNCIS INTEGER, KLIC INTEGER)"),
                                           QStringLiteral("CREATE SEQUENCE T_GEN"),
                                           QStringLiteral("CREATE TABLE AR_STARE (UNCIS INTEGER, KLIC INTEGER)"),
                                           QStringLiteral("CREATE SEQUENCE AR_STARE")}));
        exec(QStringLiteral("INSERT INTO T_GEN VALUES (300101, 4)"));
        exec(QStringLiteral("INSERT INTO T_GEN VALUES (300205, 5)"));
        exec(QStringLiteral("INSERT INTO AR_STARE VALUES (900001, 3)"));
        scalar(QStringLiteral("SELECT GEN_ID(AR_STARE, 7) FROM RDB$DATABASE"));
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, POPIS, CENNAK, CENPRO) VALUES (77, 'Bez cen', NULL, NULL)"));

        // No to either question does nothing
        prompt().answer(PromptYes);
        prompt().answer(PromptNo);
        QVERIFY(!maintenance().maintainData());
        QVERIFY(logged.isEmpty());
        QCOMPARE(generator(QStringLiteral("T_GEN")), qint64(0));

        prompt().answer(PromptYes);
        prompt().answer(PromptYes);
        QVERIFY(maintenance().maintainData());
        QCOMPARE(prompt().lastText(), QStringLiteral("Hotovo"));
        QCOMPARE(generator(QStringLiteral("T_GEN")), qint64(3102));   // 300205 div 100 + 100
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM T_GEN WHERE KLIC = 0")), 2);
        QCOMPARE(scalar(QStringLiteral("SELECT KLIC FROM AR_STARE")).toInt(), 3);
        QCOMPARE(generator(QStringLiteral("AR_STARE")), qint64(7));
        QCOMPARE(scalar(QStringLiteral("SELECT CENNAK + CENPRO FROM CENIK WHERE UNCIS = 77")).toDouble(), 0.0);
        QCOMPARE(logged.first(), QStringLiteral("Údržba dat zahájena"));
        QVERIFY(logged.contains(QStringLiteral("T_GEN Klic:  O.K. ")));
        QVERIFY(logged.contains(QStringLiteral(" ID:  O.K.")));
        QVERIFY(!logged.join(QLatin1Char('\n')).contains(QStringLiteral("AR_STARE")));
        QCOMPARE(logged.mid(logged.size() - 3),
                 QStringList({QStringLiteral("ID a klíče O.K."), QStringLiteral("Ceník O.K."), QStringLiteral("Údržba dat ukončena")}));

        // a generator already past the keys stays where it is
        scalar(QStringLiteral("SELECT GEN_ID(T_GEN, 5000) FROM RDB$DATABASE"));
        QVERIFY(maintenance().resetVersionsAndGenerators());
        QCOMPARE(generator(QStringLiteral("T_GEN")), qint64(8102));
    }

    void renumberingKeepsEveryLinkAndTheDatabaseNumber()
    {
        SampleOptions options;
        options.customers = 4;
        options.years = 2;
        options.perSite = 3;
        QString error;
        QVERIFY2(fillSampleData(*DM, options, nullptr, &error), qPrintable(error));
        // rows with the keys 5, 9 and 12 in every renumbered table, below every key the
        // sample has, and 203, the new key of 9, so that a new key meets an old one of
        // another row; for every referring column a row that refers to key 9
        int referring = 0;
        for (const RenumberedTable &t : renumberedTables())
            for (int key : {12, 5, 203, 9})
                exec(QStringLiteral("INSERT INTO %1 (UNCIS) VALUES (%2)").arg(t.table).arg(key));
        for (const RenumberedTable &t : renumberedTables())
            for (const ReferringColumn &c : t.referring) {
                ++referring;
                if (c.table == QStringLiteral("PLANPROH"))
                    exec(QStringLiteral("INSERT INTO PLANPROH (%1) VALUES (9)").arg(c.column));
                else
                    exec(QStringLiteral("INSERT INTO %1 (UNCIS, %2) VALUES (NEXT VALUE FOR %1 * 100, 9)").arg(c.table, c.column));
            }
        // a link to a row that does not exist, and one to "none"
        exec(QStringLiteral("UPDATE PR_TAB SET UNCH = 777 WHERE UNCIS = 12"));
        exec(QStringLiteral("UPDATE PR_HLAV SET UNCDOD = 0 WHERE UNCIS = 12"));
        // a marker that follows each row through the renumbering
        QVERIFY(TestEnvironment::ddl(*DM, {QStringLiteral("CREATE SEQUENCE TESTID")}));
        for (const QString &table : maintenance().userTables()) {
            QVERIFY(TestEnvironment::ddl(*DM, {QStringLiteral("ALTER TABLE %1 ADD TESTID INTEGER").arg(table)}));
            exec(QStringLiteral("UPDATE %1 SET TESTID = GEN_ID(TESTID, 1)").arg(table));
        }
        const auto before = links();
        QMap<QString, QVector<int>> order;
        for (const RenumberedTable &t : renumberedTables()) {
            QSqlQuery q = DM->NewQuery();
            QVERIFY(q.exec(QStringLiteral("SELECT TESTID FROM %1 ORDER BY UNCIS").arg(t.table)));
            while (q.next())
                order[t.table] << q.value(0).toInt();
        }
        const int nine = scalar(QStringLiteral("SELECT TESTID FROM ADRESAR WHERE UNCIS = 9")).toInt();

        Parameters::instance().databaseNumber = 3;
        prompt().answer(PromptYes);
        prompt().answer(PromptYes);
        QVERIFY(maintenance().renumberKeys());
        for (const RenumberedTable &t : renumberedTables())
            QVERIFY2(logged.contains(QStringLiteral("Provázanost záznamů ") + t.table + QStringLiteral(" O.K.")),
                     qPrintable(logged.join(QLatin1Char('\n'))));
        QCOMPARE(logged.last(), QStringLiteral("Údržba ID ukončena"));

        // each table's rows keep their order and get 1, 2, 3, ... with the database number
        for (const RenumberedTable &t : renumberedTables()) {
            QSqlQuery q = DM->NewQuery();
            QVERIFY(q.exec(QStringLiteral("SELECT TESTID, UNCIS FROM %1 ORDER BY UNCIS").arg(t.table)));
            QVector<int> after;
            while (q.next()) {
                after << q.value(0).toInt();
                QCOMPARE(q.value(1).toInt(), after.size() * 100 + 3);
            }
            QCOMPARE(after, order.value(t.table));
            QVERIFY(generator(t.table) >= after.size());
        }
        QCOMPARE(scalar(QStringLiteral("SELECT UNCIS FROM ADRESAR WHERE TESTID = %1").arg(nine)).toInt(), 203);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PK_HLAV WHERE UNCFIR = 203")), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = 777")), 1);
        // every row still leads to the row it led to, and nothing leads nowhere anew
        const auto after = links();
        QCOMPARE(after.keys(), before.keys());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
        QCOMPARE(before.size(), referring);
    }

    void repairsKeepWhatTheyCannotImprove()
    {
        exec(QStringLiteral("INSERT INTO PR_HLAV (UNCIS, DATUM, UNCFIR, UNCSTR, FAKTURA) VALUES (100, '2024-03-01', 10, 20, 'A')"));
        exec(QStringLiteral("INSERT INTO PR_HLAV (UNCIS, DATUM, UNCFIR, UNCSTR, FAKTURA) VALUES (200, '2024-03-01', 10, 20, 'E')"));
        exec(QStringLiteral("INSERT INTO DILNA (UNCIS, DATEXP, UNCEXPFIR, UNCSTREX, UNCEXP) VALUES (1, '2024-03-01', 10, 20, 0)"));
        exec(QStringLiteral("INSERT INTO DILNA (UNCIS, DATEXP, UNCEXPFIR, UNCSTREX, UNCEXP) VALUES (2, '2024-05-01', 10, 20, 4711)"));
        prompt().answer(PromptYes);
        QVERIFY(maintenance().linkWorkshop());
        QCOMPARE(scalar(QStringLiteral("SELECT UNCEXP FROM DILNA WHERE UNCIS = 1")).toInt(), 200);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCEXP FROM DILNA WHERE UNCIS = 2")).toInt(), 4711);

        exec(QStringLiteral("INSERT INTO VOD_HLAV (UNCIS, HOTOVO, PRAVID) VALUES (1, 'C', 'N')"));
        exec(QStringLiteral("INSERT INTO PK_HLAV (UNCIS, FAKTURA, PRAVID) VALUES (1, 'D', 'N')"));
        QVERIFY(maintenance().recodeStates());
        QCOMPARE(scalar(QStringLiteral("SELECT LIST(FAKTURA, '') FROM (SELECT FAKTURA FROM PR_HLAV ORDER BY UNCIS)")).toString(),
                 QStringLiteral("PH"));
        QCOMPARE(scalar(QStringLiteral("SELECT HOTOVO FROM VOD_HLAV")).toString(), QStringLiteral("F"));
        QCOMPARE(scalar(QStringLiteral("SELECT FAKTURA FROM PK_HLAV")).toString(), QStringLiteral("U"));

        prompt().answer(PromptYes);
        QVERIFY(maintenance().markRegular());
        QCOMPARE(scalar(QStringLiteral("SELECT PRAVID || (SELECT PRAVID FROM PK_HLAV) FROM VOD_HLAV")).toString(), QStringLiteral("AA"));

        exec(QStringLiteral("INSERT INTO VOD_TAB (UNCIS, UNCH, PRUTOK, UNCPOM) VALUES (1, 1, 0.125, NULL)"));
        exec(QStringLiteral("INSERT INTO VOD_TAB (UNCIS, UNCH, PRUTOK, UNCPOM) VALUES (2, 1, NULL, 0)"));
        exec(QStringLiteral("INSERT INTO VOD_TAB (UNCIS, UNCH, PRUTOK, UNCPOM) VALUES (3, 1, 2.5, 7)"));
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, ZKTL) VALUES (1, 1.005)"));
        prompt().answer(PromptYes);
        QVERIFY(maintenance().roundDecimals());
        QCOMPARE(scalar(QStringLiteral("SELECT PRUTOK FROM VOD_TAB WHERE UNCIS = 1")).toDouble(), 0.13);
        QVERIFY(scalar(QStringLiteral("SELECT PRUTOK FROM VOD_TAB WHERE UNCIS = 2")).isNull());
        QCOMPARE(scalar(QStringLiteral("SELECT ZKTL FROM CENIK WHERE UNCIS = 1")).toDouble(), 1.01);
        QVERIFY(logged.contains(QStringLiteral("Vod_tab O.K.")) && logged.contains(QStringLiteral("Cenik O.K.")));

        QVERIFY(maintenance().fillItemOrder());
        QCOMPARE(scalar(QStringLiteral("SELECT LIST(UNCPOM, ',') FROM (SELECT UNCPOM FROM VOD_TAB ORDER BY UNCIS)")).toString(),
                 QStringLiteral("1,2,7"));
    }

    void stampsAreAddedOnceWithTheirGenerator()
    {
        // a database of an older version: a table without stamps and no STOPTRIG
        Firebird::Location where;
        where.path = env->path(QStringLiteral("old.fdb"));
        QString error;
        QVERIFY2(Firebird::createDatabase(where, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), &error), qPrintable(error));
        auto old = env->connect(where.path, QStringLiteral("QelOld"));
        QVERIFY(old);
        QVERIFY(TestEnvironment::ddl(*old, {QStringLiteral("CREATE TABLE STARA (UNCIS INTEGER, NAZEV VARCHAR(10))"),
                                            QStringLiteral("CREATE TABLE AR_STARA (UNCIS INTEGER)")}));
        auto catalogue = [&old] {
            return TestEnvironment::scalar(*old, QStringLiteral(
                "SELECT (SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0) || ',' || "
                "(SELECT COUNT(*) FROM RDB$TRIGGERS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0) || ',' || "
                "(SELECT COUNT(*) FROM RDB$GENERATORS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0) FROM RDB$DATABASE")).toString();
        };
        QCOMPARE(catalogue(), QStringLiteral("3,0,0"));
        QVERIFY(maintenance(old.get()).addStamps());
        QCOMPARE(catalogue(), QStringLiteral("6,2,1"));
        QVERIFY(!logged.join(QLatin1Char('\n')).contains(QStringLiteral("Error")));
        QSqlQuery q(old->database());
        QVERIFY(q.exec(QStringLiteral("INSERT INTO STARA (UNCIS, NAZEV) VALUES (1, 'x')")));
        QVERIFY(!TestEnvironment::scalar(*old, QStringLiteral("SELECT KDY FROM STARA")).isNull());
        // the second run changes nothing
        QVERIFY(maintenance(old.get()).addStamps());
        QCOMPARE(catalogue(), QStringLiteral("6,2,1"));
        QCOMPARE(prompt().lastText(), QStringLiteral("Hotovo"));
        // the program's own schema: every table gets its stamps, the second run adds nothing
        const QString stamped = QStringLiteral(
            "SELECT COUNT(*) FROM RDB$RELATIONS R WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 AND R.RDB$VIEW_BLR IS NULL "
            "AND R.RDB$RELATION_NAME <> 'QELSYS' AND (SELECT COUNT(*) FROM RDB$TRIGGERS T WHERE T.RDB$RELATION_NAME = R.RDB$RELATION_NAME "
            "AND TRIM(T.RDB$TRIGGER_NAME) LIKE '%KDY') = 2 "
            "AND (SELECT COUNT(*) FROM RDB$RELATION_FIELDS F WHERE F.RDB$RELATION_NAME = R.RDB$RELATION_NAME "
            "AND F.RDB$FIELD_NAME IN ('KDY', 'KDO', 'KLIC')) = 3");
        const QString all = QStringLiteral("SELECT (SELECT COUNT(*) FROM RDB$TRIGGERS) + (SELECT COUNT(*) FROM RDB$RELATION_FIELDS) FROM RDB$DATABASE");
        const QStringList userTables = maintenance().userTables();
        // the excluded tables (the system row, the stock kept by the database) get no stamps
        const int tables = int(std::count_if(userTables.cbegin(), userTables.cend(),
                                             [](const QString &t) { return !DataMaintenance::isExcluded(t); }));
        QVERIFY(maintenance().addStamps());
        QCOMPARE(count(stamped), tables);
        const int objects = count(all);
        QVERIFY(maintenance().addStamps());
        QCOMPARE(count(all), objects);
        old->close();
    }

    void windowRunsTheOperations()
    {
        TfUdrzbaDat window(DM);
        QCOMPARE(window.windowTitle(), QStringLiteral("údržba dat"));
        const QStringList captions = {QStringLiteral("Údržba dat"), QStringLiteral("Úprava ID"), QStringLiteral("Dílna x protokol"),
                                      QStringLiteral("Oprava stavů"), QStringLiteral("Oprava des. čísel"),
                                      QStringLiteral("Pravidelné PV,PK"), QStringLiteral("Úprava tabulek"),
                                      QStringLiteral("Oprava pořadí HP, PV, PK")};
        for (int i = 0; i < captions.size(); ++i) {
            const QString name = i == 0 ? QStringLiteral("sbTisk") : QStringLiteral("RxSpeedButton%1").arg(i);
            auto *button = window.findChild<QToolButton *>(name);
            QVERIFY2(button && button->text() == captions.at(i), qPrintable(name));
        }
        exec(QStringLiteral("INSERT INTO VOD_HLAV (UNCIS, PRAVID) VALUES (1, 'N')"));
        prompt().answer(PromptNo);
        window.findChild<QToolButton *>(QStringLiteral("RxSpeedButton5"))->click();
        QCOMPARE(window.vypis(), QString());
        prompt().answer(PromptYes);
        window.findChild<QToolButton *>(QStringLiteral("RxSpeedButton5"))->click();
        QCOMPARE(window.vypis(), QStringLiteral("Kontroly PV: Hotovo \nKontroly PK: Hotovo "));
        QCOMPARE(scalar(QStringLiteral("SELECT PRAVID FROM VOD_HLAV")).toString(), QStringLiteral("A"));
    }
};

QTEST_MAIN(TestMaintenance)
#include "tst_maintenance.moc"
