// Two installations exchange their changes through the transfer file: what changed in
// one after a date reaches the other, the later stamp wins, nothing is lost or padded,
// a column the receiver lacks is named, and an import never leaves the database
// half-changed or the workstations blocked.
#include <QtTest>
#include <QSqlQuery>

#include "support/programdatabasetest.h"
#include "admin/exchange.h"

namespace {

// Rows written with the stamps the test gives them (the triggers keep KDY while
// STOPTRIG is set).
void writeStamped(TDMPro &dm, const QStringList &statements)
{
    QVERIFY(TestEnvironment::scalar(dm, QStringLiteral("SELECT GEN_ID(STOPTRIG, 1) FROM RDB$DATABASE")).toInt() == 1);
    for (const QString &sql : statements) {
        QSqlQuery q = dm.NewQuery();
        QVERIFY2(q.exec(sql), qPrintable(sql + QLatin1Char(' ') + q.lastError().text()));
    }
    QVERIFY(Exchange::liftBlock(dm));
}

QString address(int key, const QString &name, const QString &stamp, const QString &memo = QStringLiteral("x"))
{
    return QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV, POZN, SERTECH, KDY) VALUES (%1, '%2', '%3', 'A', '%4')")
        .arg(key)
        .arg(name, memo, stamp);
}

QStringList tablesIn(TDMPro &dm)
{
    QStringList tables;
    QSqlQuery q = dm.NewQuery();
    q.exec(QStringLiteral("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
                          "ORDER BY 1"));
    while (q.next())
        tables << q.value(0).toString();
    return tables;
}

} // namespace

class TestExchange : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    std::unique_ptr<TDMPro> other;   // the second installation
    QString folder;

    QVariant otherValue(const QString &sql) { return TestEnvironment::scalar(*other, sql); }
    QString nameIn(TDMPro &dm, int key)
    {
        return TestEnvironment::scalar(dm, QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = %1").arg(key)).toString();
    }

private slots:
    void init()
    {
        startFresh();
        QString error;
        const QString file = env->createDatabase(QStringLiteral("pobocka.fdb"), &error);
        QVERIFY2(!file.isEmpty(), qPrintable(error));
        other = env->connect(file, QStringLiteral("QelPobocka"));
        QVERIFY(other);
        folder = env->path(QStringLiteral("prenos"));
        QVERIFY(QDir().mkpath(folder));
    }
    void cleanup()
    {
        other.reset();
        finish();
    }

    void changesTravelAndTheLaterStampWins()
    {
        const QString memo = QStringLiteral("Hasicí přístroje ve 2. patře\r\nžluťoučký kůň");
        // this installation (database number 1)
        writeStamped(*DM, {address(101, QStringLiteral("Nová firma Šťastný"), QStringLiteral("2026-03-01 10:00:00"), memo),
                           address(201, QStringLiteral("Změněno zde"), QStringLiteral("2026-03-05 08:00:00")),
                           address(301, QStringLiteral("Starší zde"), QStringLiteral("2026-03-03 08:00:00")),
                           address(401, QStringLiteral("Stejná zde"), QStringLiteral("2026-03-03 08:00:00")),
                           address(501, QStringLiteral("Před datem"), QStringLiteral("2026-01-10 08:00:00")),
                           QStringLiteral("INSERT INTO CENIK (UNCIS, KOD, POPIS, CENPRO, DPH, KDY) VALUES "
                                          "(1101, 'PG6', 'Přístroj práškový', 1234567.89, 'Z', '2026-03-01 09:00:00')")});
        // a column only this installation has
        QVERIFY(DM->executeDdl(QStringLiteral("ALTER TABLE ADRESAR ADD JENZDE VARCHAR(10)")));
        // the other installation (database number 2)
        writeStamped(*other, {address(201, QStringLiteral("Staré tam"), QStringLiteral("2026-03-02 08:00:00")),
                              address(301, QStringLiteral("Novější tam"), QStringLiteral("2026-03-04 08:00:00")),
                              address(401, QStringLiteral("Stejná tam"), QStringLiteral("2026-03-03 08:00:00")),
                              address(602, QStringLiteral("Jen tam"), QStringLiteral("2026-03-04 08:00:00"))});

        QStringList seen;
        const Exchange::Outcome exported = Exchange::exportChanges(
            *DM, folder, QDate(2026, 2, 1), {QStringLiteral("cbAdr"), QStringLiteral("cbCen")},
            [&seen](const QString &table, qint64, qint64) {
                if (!seen.contains(table))
                    seen << table;
            });
        QVERIFY2(exported.ok, qPrintable(exported.message));
        QCOMPARE(exported.message, QStringLiteral("Údaje jsou vyexportovány"));
        QCOMPARE(exported.tables, 2);
        QCOMPARE(exported.rows, qint64(5));
        QCOMPARE(seen, (QStringList{QStringLiteral("ADRESAR"), QStringLiteral("CENIK")}));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Export.GDB")});

        // the transfer file carries texts unpadded, memos as text, amounts in full
        {
            auto transfer = env->connect(QDir(folder).filePath(QStringLiteral("Export.GDB")), QStringLiteral("Transfer"));
            QVERIFY(transfer);
            QCOMPARE(tablesIn(*transfer), (QStringList{QStringLiteral("ADRESAR"), QStringLiteral("CENIK")}));
            auto typeOf = [&](const QString &table, const QString &column) {
                return TestEnvironment::scalar(*transfer, QStringLiteral(
                    "SELECT F.RDB$FIELD_TYPE * 10 + COALESCE(F.RDB$FIELD_SUB_TYPE, 0) FROM RDB$RELATION_FIELDS RF "
                    "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE WHERE RF.RDB$RELATION_NAME = '%1' "
                    "AND RF.RDB$FIELD_NAME = '%2'").arg(table, column)).toInt();
            };
            QCOMPARE(typeOf(QStringLiteral("ADRESAR"), QStringLiteral("POZN")), 2611);   // blob sub_type 1
            QCOMPARE(typeOf(QStringLiteral("ADRESAR"), QStringLiteral("SERTECH")), 370); // varchar
            QCOMPARE(typeOf(QStringLiteral("CENIK"), QStringLiteral("CENPRO")), 270);    // double precision
            QCOMPARE(typeOf(QStringLiteral("ADRESAR"), QStringLiteral("KDY")), 350);     // timestamp
            QCOMPARE(TestEnvironment::scalar(*transfer, QStringLiteral("SELECT COUNT(*) FROM ADRESAR WHERE UNCIS = 501")).toInt(), 0);
        }

        // the receiver finds the file whatever the case of its name
        QVERIFY(QFile::rename(QDir(folder).filePath(QStringLiteral("Export.GDB")), QDir(folder).filePath(QStringLiteral("export.gdb"))));
        const QStringList areas = Exchange::allAreas();
        const Exchange::Outcome imported = Exchange::importChanges(*other, folder, areas);
        QVERIFY2(imported.ok, qPrintable(imported.message));
        QCOMPARE(imported.message, QStringLiteral("Údaje jsou naimportovány"));
        QCOMPARE(imported.notCarried, QStringList{QStringLiteral("Tabulka ADRESAR Položka JENZDE")});
        QCOMPARE(imported.rows, qint64(5));
        QCOMPARE(imported.changed, qint64(3));
        QCOMPARE(nameIn(*other, 101), QStringLiteral("Nová firma Šťastný"));  // absent: inserted
        QCOMPARE(nameIn(*other, 201), QStringLiteral("Změněno zde"));         // newer: replaces
        QCOMPARE(nameIn(*other, 301), QStringLiteral("Novější tam"));         // older: kept
        QCOMPARE(nameIn(*other, 401), QStringLiteral("Stejná tam"));          // equal: kept
        QCOMPARE(nameIn(*other, 602), QStringLiteral("Jen tam"));             // never deleted
        QCOMPARE(otherValue(QStringLiteral("SELECT COUNT(*) FROM ADRESAR WHERE UNCIS = 501")).toInt(), 0);
        QCOMPARE(otherValue(QStringLiteral("SELECT POZN FROM ADRESAR WHERE UNCIS = 101")).toString(), memo);
        QCOMPARE(otherValue(QStringLiteral("SELECT SERTECH || '|' FROM ADRESAR WHERE UNCIS = 101")).toString(), QStringLiteral("A|"));
        QCOMPARE(otherValue(QStringLiteral("SELECT CENPRO FROM CENIK WHERE UNCIS = 1101")).toDouble(), 1234567.89);
        // the incoming stamps are kept, not replaced by the time of the import
        QCOMPARE(otherValue(QStringLiteral("SELECT KDY FROM ADRESAR WHERE UNCIS = 201")).toDateTime(),
                 QDateTime(QDate(2026, 3, 5), QTime(8, 0)));
        QCOMPARE(otherValue(QStringLiteral("SELECT GEN_ID(STOPTRIG, 0) FROM RDB$DATABASE")).toInt(), 0);

        // the same file again changes nothing
        const Exchange::Outcome again = Exchange::importChanges(*other, folder, areas);
        QVERIFY2(again.ok, qPrintable(again.message));
        QCOMPARE(again.changed, qint64(0));
        QCOMPARE(nameIn(*other, 301), QStringLiteral("Novější tam"));
        QCOMPARE(otherValue(QStringLiteral("SELECT COUNT(*) FROM ADRESAR")).toInt(), 5);

        // an export with nothing changed still gives a file, holding no tables; it
        // replaces the old one
        const Exchange::Outcome empty = Exchange::exportChanges(*DM, folder, QDate(2099, 1, 1), areas);
        QVERIFY2(empty.ok, qPrintable(empty.message));
        QCOMPARE(empty.tables, 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Export.GDB")});
        auto transfer = env->connect(QDir(folder).filePath(QStringLiteral("Export.GDB")), QStringLiteral("Empty"));
        QVERIFY(transfer);
        QVERIFY(tablesIn(*transfer).isEmpty());
    }

    void aFailedImportChangesNothingAndLiftsTheBlock()
    {
        writeStamped(*DM, {address(101, QStringLiteral("Nová"), QStringLiteral("2026-03-01 10:00:00")),
                           address(201, QStringLiteral("Novější zde"), QStringLiteral("2026-03-05 08:00:00")),
                           QStringLiteral("INSERT INTO FIRMY (UNCIS, UNCH, DIC, KDY) VALUES (701, 101, 'CZ-ZLOM', '2026-03-01 10:00:00')")});
        writeStamped(*other, {address(201, QStringLiteral("Starší tam"), QStringLiteral("2026-03-02 08:00:00"))});
        QVERIFY(Exchange::exportChanges(*DM, folder, QDate(2026, 2, 1), {QStringLiteral("adr")}).ok);

        // the receiver refuses the site: the addresses before it must not stay either
        QVERIFY(other->executeDdl(QStringLiteral("ALTER TABLE FIRMY ADD CONSTRAINT CHK_ZLOM CHECK (DIC <> 'CZ-ZLOM')")));
        const Exchange::Outcome failed = Exchange::importChanges(*other, folder, {QStringLiteral("cbAdr")});
        QVERIFY(!failed.ok);
        QVERIFY2(failed.message.startsWith(QStringLiteral("Chyba při importu\nTabulka FIRMY")), qPrintable(failed.message));
        QCOMPARE(nameIn(*other, 201), QStringLiteral("Starší tam"));
        QCOMPARE(otherValue(QStringLiteral("SELECT COUNT(*) FROM ADRESAR")).toInt(), 1);
        QCOMPARE(otherValue(QStringLiteral("SELECT GEN_ID(STOPTRIG, 0) FROM RDB$DATABASE")).toInt(), 0);

        // a block left by an interrupted import: refused, nothing touched, until lifted
        QVERIFY(other->executeDdl(QStringLiteral("ALTER TABLE FIRMY DROP CONSTRAINT CHK_ZLOM")));
        QVERIFY(otherValue(QStringLiteral("SELECT GEN_ID(STOPTRIG, 1) FROM RDB$DATABASE")).toInt() == 1);
        const Exchange::Outcome blocked = Exchange::importChanges(*other, folder, {QStringLiteral("cbAdr")});
        QVERIFY(!blocked.ok && blocked.blockedAlready);
        QCOMPARE(nameIn(*other, 201), QStringLiteral("Starší tam"));
        QVERIFY(Exchange::liftBlock(*other));
        const Exchange::Outcome done = Exchange::importChanges(*other, folder, {QStringLiteral("cbAdr")});
        QVERIFY2(done.ok, qPrintable(done.message));
        QCOMPARE(nameIn(*other, 201), QStringLiteral("Novější zde"));
        QCOMPARE(otherValue(QStringLiteral("SELECT DIC FROM FIRMY WHERE UNCIS = 701")).toString(), QStringLiteral("CZ-ZLOM"));

        // what the user is told when the folder or the file is missing
        QCOMPARE(Exchange::importChanges(*other, QString(), {}).message, QStringLiteral(" Musíte vybrat adresář ! "));
        QCOMPARE(Exchange::exportChanges(*DM, folder, QDate(), {}).message, QStringLiteral(" Musíte vplnit datum ! "));
        QCOMPARE(Exchange::importChanges(*other, env->dir(), {}).message, QStringLiteral("Není soubor Export.gdb"));
        QVERIFY(!Exchange::exportChanges(*DM, env->path(QStringLiteral("nikde")), QDate(2026, 1, 1), {}).ok);
    }

    void theBatchProgramExchangesBetweenTwoFiles()
    {
        // two files this process does not hold, as a nightly job finds them
        QString error;
        const QString from = env->createDatabase(QStringLiteral("centrala.fdb"), &error);
        const QString to = env->createDatabase(QStringLiteral("sklad.fdb"), &error);
        QVERIFY2(!from.isEmpty() && !to.isEmpty(), qPrintable(error));
        writeStamped(*env->connect(from, QStringLiteral("QelCentrala")),
                     {address(101, QStringLiteral("Z noční výměny"), QStringLiteral("2026-03-01 10:00:00"))});
        QString out;
        QCOMPARE(TestEnvironment::runBatch({"export", "--database", from, "--folder", folder, "--since", "2026-02-01",
                                            "--areas", "adr,cen"}, &out), 0);
        QVERIFY2(out.contains(QStringLiteral("Údaje jsou vyexportovány")), qPrintable(out));
        QCOMPARE(TestEnvironment::runBatch({"import", "--database", to, "--folder", folder}, &out), 0);
        QVERIFY2(out.contains(QStringLiteral("Údaje jsou naimportovány")), qPrintable(out));
        QCOMPARE(nameIn(*env->connect(to, QStringLiteral("QelSklad")), 101), QStringLiteral("Z noční výměny"));

        QVERIFY(TestEnvironment::runBatch({"import", "--database", to, "--folder", env->path(QStringLiteral("nikde"))},
                                          &out) != 0);
        QVERIFY2(out.contains(QStringLiteral("neexistuje")), qPrintable(out));
        QVERIFY(TestEnvironment::runBatch({"export", "--database", from, "--folder", folder, "--since", "2026-02-01",
                                           "--areas", "adr,nic"}, &out) != 0);
        QVERIFY2(out.contains(QStringLiteral("Unknown area 'nic'")), qPrintable(out));
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
