// The shared routines: token splitting and replacing, running statements and units of
// work in a transaction, the bulk update of list rows on a real database, moving rows
// by swapping, and the search by typing in a list.
#include <QtTest>
#include <QKeyEvent>
#include <QSqlError>
#include <QSqlQuery>

#include "core/incrementalsearch.h"
#include "core/listdataset.h"
#include "core/rowcache.h"
#include "core/sqlpro.h"
#include "core/sqlrun.h"
#include "core/stringpro.h"
#include "core/varsql.h"
#include "support/programdatabasetest.h"

namespace {
// Five rows 101..501: CISLO 1..5, KLIC null, 0, 1, 2, 3, the third row locked.
// FAKTURA 'X' is refused for CISLO 4 and above, so a bulk update can fail half-way.
const QStringList tableDdl{
    QStringLiteral("CREATE TABLE TST_RADKY (UNCIS INTEGER NOT NULL PRIMARY KEY, KLIC INTEGER, "
                   "NAZEV VARCHAR(40), CISLO INTEGER, ZAMEK CHAR(1), FAKTURA CHAR(1), "
                   "CONSTRAINT TST_RADKY_X CHECK (FAKTURA IS DISTINCT FROM 'X' OR CISLO < 4))"),
    QStringLiteral("CREATE TABLE TST_BEZKLIC (UNCIS INTEGER NOT NULL PRIMARY KEY, NAZEV VARCHAR(40))"),
};
const char *listSql = "SELECT UNCIS, NAZEV, CISLO, KLIC, ZAMEK, ' ' AS OZNAC FROM TST_RADKY ORDER BY UNCIS";
const char *countSql = "SELECT COUNT(*) FROM TST_RADKY";
}

class TestSharedRoutines : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    bool openList(ListDataset &list, const QString &sql = QString::fromLatin1(listSql))
    {
        QString error;
        const bool ok = list.open(DM, sql, QString::fromLatin1(countSql), {}, &error);
        if (!ok)
            qWarning("%s", qPrintable(error));
        return ok;
    }
    // FAKTURA of rows 101..501 as one text, '-' for null; and their KLIC values.
    QString fakturaColumn()
    {
        QString s;
        QSqlQuery q = DM->NewQuery();
        q.exec(QStringLiteral("SELECT FAKTURA FROM TST_RADKY ORDER BY UNCIS"));
        while (q.next())
            s += q.value(0).isNull() ? QStringLiteral("-") : q.value(0).toString().trimmed();
        return s;
    }
    QString klicColumn()
    {
        QStringList l;
        QSqlQuery q = DM->NewQuery();
        q.exec(QStringLiteral("SELECT KLIC FROM TST_RADKY ORDER BY UNCIS"));
        while (q.next())
            l << (q.value(0).isNull() ? QStringLiteral("-") : q.value(0).toString());
        return l.join(QLatin1Char(','));
    }
    void insertManyRows(int count)
    {
        exec(QStringLiteral("DELETE FROM TST_RADKY"));
        exec(QStringLiteral(
            "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= %1) DO BEGIN "
            "INSERT INTO TST_RADKY (UNCIS, KLIC, NAZEV, CISLO, ZAMEK) VALUES "
            "(:I * 100 + 1, 0, 'Řádek ' || LPAD(:I, 3, '0'), :I, 'N'); I = I + 1; END END").arg(count));
    }

private slots:
    void initTestCase()
    {
        startFresh();
        QVERIFY(TestEnvironment::ddl(*DM, tableDdl));
    }
    void init()
    {
        exec(QStringLiteral("DELETE FROM TST_RADKY"));
        exec(QStringLiteral("DELETE FROM TST_BEZKLIC"));
        const char *names[] = {"Alfa", "Beta", "Gama", "Delta", "Epsilon"};
        for (int i = 1; i <= 5; ++i) {
            exec(QStringLiteral("INSERT INTO TST_RADKY (UNCIS, KLIC, NAZEV, CISLO, ZAMEK) "
                                "VALUES (%1, %2, '%3', %4, '%5')")
                     .arg(i * 100 + 1)
                     .arg(i == 1 ? QStringLiteral("NULL") : QString::number(i - 2))
                     .arg(QLatin1String(names[i - 1]))
                     .arg(i)
                     .arg(i == 3 ? QStringLiteral("A") : QStringLiteral("N")));
        }
    }
    void cleanup() { checkPrompts(); }
    void cleanupTestCase() { finish(); }

    // --- text --------------------------------------------------------------------

    void nextTokenWalksTheList()
    {
        QString text = QStringLiteral("a;b");
        QCOMPARE(NextToken(text, QLatin1Char(';')), QStringLiteral("a"));
        QCOMPARE(text, QStringLiteral("b"));
        QCOMPARE(NextToken(text, QLatin1Char(';')), QStringLiteral("b"));
        QCOMPARE(text, QString());
        QCOMPARE(NextToken(text, QLatin1Char(';')), QString());
        QCOMPARE(text, QString());

        // blanks around tokens and a closing separator
        text = QStringLiteral("  jedna , dva ,  ");
        QCOMPARE(NextToken(text, QLatin1Char(',')), QStringLiteral("jedna"));
        QCOMPARE(NextToken(text, QLatin1Char(',')), QStringLiteral("dva"));
        QCOMPARE(text, QString());

        // an empty field between two separators is an empty token, not the end
        text = QStringLiteral("a;;b");
        QCOMPARE(NextToken(text, QLatin1Char(';')), QStringLiteral("a"));
        QCOMPARE(NextToken(text, QLatin1Char(';')), QString());
        QCOMPARE(text, QStringLiteral("b"));
        QCOMPARE(NextToken(text, QLatin1Char(';')), QStringLiteral("b"));

        text = QStringLiteral("   ");
        QCOMPARE(NextToken(text, QLatin1Char(';')), QString());
        QCOMPARE(text, QString());
    }

    void replaceAllTrimsPiecesAndKeepsTheRest()
    {
        QCOMPARE(ReplaceAll(QStringLiteral("a , b , c"), QStringLiteral(","), QStringLiteral(";")),
                 QStringLiteral("a;b; c"));
        QCOMPARE(ReplaceAll(QStringLiteral(",a"), QStringLiteral(","), QStringLiteral(";")),
                 QStringLiteral(";a"));
        QCOMPARE(ReplaceAll(QStringLiteral("x AND y AND z"), QStringLiteral("AND"), QStringLiteral("OR")),
                 QStringLiteral("xORyOR z"));
        // nothing found: the whole text is the rest and stays untouched
        QCOMPARE(ReplaceAll(QStringLiteral(" bez shody "), QStringLiteral(";"), QStringLiteral(",")),
                 QStringLiteral(" bez shody "));
        // an empty search text changes nothing (and must not loop forever)
        QCOMPARE(ReplaceAll(QStringLiteral(" a b "), QString(), QStringLiteral("x")), QStringLiteral(" a b "));
        // a replacement that contains the search text is not replaced again
        QCOMPARE(ReplaceAll(QStringLiteral("a,b"), QStringLiteral(","), QStringLiteral(",,")),
                 QStringLiteral("a,,b"));
        QCOMPARE(ReplaceAll(QStringLiteral("Č;ř"), QStringLiteral(";"), QStringLiteral(" – ")),
                 QStringLiteral("Č – ř"));
    }

    // --- dataset helpers -----------------------------------------------------------

    void hasRowsNeedsAnOpenDatasetWithRows()
    {
        QVERIFY(!HasRows(static_cast<const ListDataset *>(nullptr)));
        QVERIFY(!HasRows(static_cast<const RowCache *>(nullptr)));
        ListDataset list;
        QVERIFY(!HasRows(&list));
        QVERIFY(openList(list));
        QVERIFY(HasRows(&list));
        QVERIFY(openList(list, QStringLiteral("SELECT UNCIS FROM TST_RADKY WHERE UNCIS < 0")));
        QVERIFY(!HasRows(&list));

        RowCache cache;
        QVERIFY(!HasRows(&cache));
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT * FROM TST_RADKY WHERE UNCIS < 0")));
        cache.load(q);
        QVERIFY(!HasRows(&cache));
        QVERIFY(q.exec(QStringLiteral("SELECT * FROM TST_RADKY")));
        cache.load(q);
        QVERIFY(HasRows(&cache));
    }

    // --- UpdateRows ----------------------------------------------------------------

    void updateRowsScopes_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<QString>("faktura");
        QTest::addColumn<QString>("klic");   // before: -,0,1,2,3
        QTest::newRow("current row") << int(UpdateCurrentRow) << QList<int>{0}
                                     << QStringLiteral("-F---") << QStringLiteral("-,1,1,2,3");
        QTest::newRow("all rows") << int(UpdateAllRows) << QList<int>{0}
                                  << QStringLiteral("FFFFF") << QStringLiteral("0,1,2,3,4");
        QTest::newRow("marked rows") << int(UpdateMarkedRows) << QList<int>{0, 3}
                                     << QStringLiteral("F--F-") << QStringLiteral("0,0,1,3,3");
        QTest::newRow("unmarked rows") << int(UpdateUnmarkedRows) << QList<int>{0, 3}
                                       << QStringLiteral("-FF-F") << QStringLiteral("-,1,2,2,4");
    }
    void updateRowsScopes()
    {
        QFETCH(int, scope);
        QFETCH(QList<int>, marked);
        QFETCH(QString, faktura);
        QFETCH(QString, klic);
        ListDataset list;
        QVERIFY(openList(list));
        list.setCurrentRow(1);
        for (int r : marked)
            list.setMarked(r, true);
        TVarSQL values;
        values.SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("F"));
        QString error;
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"), scope, values,
                            false, &error), 0);
        QCOMPARE(fakturaColumn(), faktura);
        // every written row's change counter went up, a null one to 0
        QCOMPARE(klicColumn(), klic);
    }

    void updateRowsMarkedWithoutMarksExecutesNothing()
    {
        ListDataset list;
        QVERIFY(openList(list));
        TVarSQL values;
        // a statement on this column would fail: 0 proves nothing ran
        values.SetVariable(QStringLiteral("NENI_SLOUPEC"), 1);
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"),
                            UpdateMarkedRows, values, false), 0);
        QCOMPARE(klicColumn(), QStringLiteral("-,0,1,2,3"));
        // the same values on a scope with rows do run and fail
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"),
                            UpdateAllRows, values, false), -2);
    }

    void updateRowsSkipsLockedRows()
    {
        ListDataset list;
        QVERIFY(openList(list));
        TVarSQL values;
        values.SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("H"));
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"),
                            UpdateAllRows, values, true), 0);
        QCOMPARE(fakturaColumn(), QStringLiteral("HH-HH"));
        QCOMPARE(scalar(QStringLiteral("SELECT KLIC FROM TST_RADKY WHERE UNCIS = 301")).toInt(), 1);
        // the current row alone is skipped too when locked
        list.setCurrentRow(2);
        values.SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("U"));
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"),
                            UpdateCurrentRow, values, true), 0);
        QCOMPARE(fakturaColumn(), QStringLiteral("HH-HH"));
        // without the switch locked rows are written
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"),
                            UpdateCurrentRow, values, false), 0);
        QCOMPARE(fakturaColumn(), QStringLiteral("HHUHH"));
        // a list that does not show the lock cannot skip by it
        ListDataset noLock;
        QVERIFY(openList(noLock, QStringLiteral("SELECT UNCIS, NAZEV FROM TST_RADKY ORDER BY UNCIS")));
        values.SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("P"));
        QCOMPARE(UpdateRows(noLock, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"),
                            UpdateAllRows, values, true), 0);
        QCOMPARE(fakturaColumn(), QStringLiteral("PPPPP"));
    }

    void updateRowsIsOneTransaction()
    {
        ListDataset list;
        QVERIFY(openList(list));
        TVarSQL values;
        values.SetVariable(QStringLiteral("NAZEV"), QStringLiteral("Hromadně"));
        values.SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("X"));   // refused from the fourth row
        QString error;
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"),
                            UpdateAllRows, values, false, &error), -2);
        QVERIFY(!error.isEmpty());
        QCOMPARE(fakturaColumn(), QStringLiteral("-----"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM TST_RADKY WHERE NAZEV = 'Hromadně'")).toInt(), 0);
        QCOMPARE(klicColumn(), QStringLiteral("-,0,1,2,3"));
        QCOMPARE(DM->transactionDepth(), 0);
        // the connection is usable afterwards
        values.SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("F"));
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"),
                            UpdateAllRows, values, false), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM TST_RADKY WHERE NAZEV = 'Hromadně'")).toInt(), 5);
    }

    void updateRowsBindsValuesAndNeedsNoKlic()
    {
        exec(QStringLiteral("INSERT INTO TST_BEZKLIC (UNCIS, NAZEV) VALUES (1, 'x')"));
        exec(QStringLiteral("INSERT INTO TST_BEZKLIC (UNCIS, NAZEV) VALUES (2, 'y')"));
        ListDataset list;
        QVERIFY(openList(list, QStringLiteral("SELECT UNCIS, NAZEV FROM TST_BEZKLIC ORDER BY UNCIS")));
        TVarSQL values;
        const QString text = QStringLiteral("O'Brien & Žluťoučký kůň");
        values.SetVariable(QStringLiteral("nazev"), text);
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_BEZKLIC"), QStringLiteral("UnCis"),
                            UpdateAllRows, values, false), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM TST_BEZKLIC WHERE NAZEV = 'O''Brien & Žluťoučký kůň'")).toInt(), 2);
        // a value list that would change the key is refused
        values.SetVariable(QStringLiteral("UNCIS"), 7);
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_BEZKLIC"), QStringLiteral("UNCIS"),
                            UpdateAllRows, values, false), -2);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM TST_BEZKLIC WHERE UNCIS = 7")).toInt(), 0);
    }

    void updateRowsReachesRowsBeyondTheFirstPage()
    {
        insertManyRows(300);
        ListDataset list;
        QVERIFY(openList(list));
        QVERIFY(list.canFetchMore());
        TVarSQL values;
        values.SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("R"));
        QCOMPARE(UpdateRows(list, DM, QStringLiteral("TST_RADKY"), QStringLiteral("UNCIS"),
                            UpdateAllRows, values, false), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM TST_RADKY WHERE FAKTURA = 'R' AND KLIC = 1")).toInt(), 300);
    }

    // --- running statements and transactions -------------------------------------

    void runSqlReportsTheDriversError()
    {
        QString error;
        QSqlQuery unknown = runSql(DM, QStringLiteral("SELECT NEZNAMY FROM TST_RADKY"), {}, &error);
        QVERIFY(!unknown.isActive());
        QVERIFY2(error.contains(QLatin1String("NEZNAMY")), qPrintable(error));
        QCOMPARE(error, unknown.lastError().text());

        // prepared fine, refused when executed: the check constraint's text comes back
        error.clear();
        QSqlQuery q = DM->NewQuery();
        QVERIFY(!runSql(q, QStringLiteral("UPDATE TST_RADKY SET FAKTURA = :F WHERE CISLO = :C"),
                        {{QStringLiteral("F"), QStringLiteral("X")}, {QStringLiteral("C"), 4}}, &error));
        QVERIFY2(error.contains(QLatin1String("TST_RADKY_X")), qPrintable(error));

        // values are bound, never pasted: a quote in a value is only a character
        bool ok = false;
        const QString text = QStringLiteral("O'Brien' OR ''='");
        QVERIFY(runSql(DM, QStringLiteral("UPDATE TST_RADKY SET NAZEV = :N WHERE CISLO = :C"),
                       {{QStringLiteral("N"), text}, {QStringLiteral("C"), 2}}).isActive());
        QCOMPARE(scalarSql(DM, QStringLiteral("SELECT UNCIS FROM TST_RADKY WHERE NAZEV = :N"),
                           {{QStringLiteral("N"), text}}, &ok).toInt(), 201);
        QVERIFY(ok);
        const QVariant none = scalarSql(DM, QStringLiteral("SELECT UNCIS FROM TST_RADKY WHERE NAZEV = :N"),
                                        {{QStringLiteral("N"), QStringLiteral("O")}}, &ok);
        QVERIFY(!ok);
        QVERIFY(none.isNull());
    }

    void inTransactionRollsBackEveryStepOrCommitsAll()
    {
        auto steps = [](const QString &faktura) {
            return [faktura](QString *error) {
                return runSql(DM, QStringLiteral("INSERT INTO TST_BEZKLIC (UNCIS, NAZEV) VALUES (1, 'x')"), {}, error)
                           .isActive()
                       && runSql(DM, QStringLiteral("UPDATE TST_RADKY SET FAKTURA = :F"),
                                 {{QStringLiteral("F"), faktura}}, error)
                              .isActive();
            };
        };
        QString error;
        QVERIFY(!inTransaction(DM, steps(QStringLiteral("X")), &error));   // refused from the fourth row
        QVERIFY2(error.contains(QLatin1String("TST_RADKY_X")), qPrintable(error));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM TST_BEZKLIC")).toInt(), 0);
        QCOMPARE(fakturaColumn(), QStringLiteral("-----"));
        QCOMPARE(DM->transactionDepth(), 0);

        error.clear();
        QVERIFY(inTransaction(DM, steps(QStringLiteral("F")), &error));
        QVERIFY(error.isEmpty());
        QCOMPARE(DM->transactionDepth(), 0);
        // committed: nothing is left for a rollback of the connection to undo
        DM->database().rollback();
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM TST_BEZKLIC")).toInt(), 1);
        QCOMPARE(fakturaColumn(), QStringLiteral("FFFFF"));
    }

    void inTransactionInsideAGuardWorksOnASavepoint()
    {
        auto insert = [](int key) {
            return runSql(DM, QStringLiteral("INSERT INTO TST_BEZKLIC (UNCIS, NAZEV) VALUES (:K, 'x')"),
                          {{QStringLiteral("K"), key}})
                .isActive();
        };
        auto count = [this] { return scalar(QStringLiteral("SELECT COUNT(*) FROM TST_BEZKLIC")).toInt(); };
        {
            TransactionGuard outer(DM);
            QVERIFY(outer.isActive());
            QVERIFY(insert(1));
            QVERIFY(!inTransaction(DM, [&](QString *) { return insert(2) && insert(1); }));   // a duplicate key
            QCOMPARE(DM->transactionDepth(), 1);
            QCOMPARE(count(), 1);   // the caller's step stays, the failed unit's first step is undone
            QVERIFY(inTransaction(DM, [&](QString *) { return insert(3); }));
            QCOMPARE(count(), 2);
            outer.rollback();
        }
        // the inner unit only ended its savepoint: the caller's rollback takes it too
        QCOMPARE(DM->transactionDepth(), 0);
        QCOMPARE(count(), 0);

        {
            TransactionGuard outer(DM);
            QVERIFY(inTransaction(DM, [&](QString *) { return insert(4); }));
            QVERIFY(outer.commit());
        }
        QCOMPARE(count(), 1);
    }

    // --- SwapWithNeighbour -----------------------------------------------------------

    void swapMovesTheRowAndTheCursorFollows()
    {
        RowCache cache;
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT UNCIS, NAZEV, CISLO, ZAMEK FROM TST_RADKY ORDER BY UNCIS")));
        cache.load(q);
        cache.setCurrentRow(1);   // Beta
        QCOMPARE(SwapWithNeighbour(cache, QLatin1Char('N'), QStringLiteral("UNCIS")), 0);
        QCOMPARE(cache.currentRow(), 2);
        QCOMPARE(cache.value(QStringLiteral("NAZEV")).toString(), QStringLiteral("Beta"));
        QCOMPARE(cache.value(2, QStringLiteral("UNCIS")).toInt(), 301);   // keys stay
        QCOMPARE(cache.value(2, QStringLiteral("ZAMEK")).toString(), QStringLiteral("N"));
        QCOMPARE(cache.value(1, QStringLiteral("UNCIS")).toInt(), 201);
        QCOMPARE(cache.value(1, QStringLiteral("NAZEV")).toString(), QStringLiteral("Gama"));
        QCOMPARE(cache.value(1, QStringLiteral("CISLO")).toInt(), 3);
        QCOMPARE(cache.value(1, QStringLiteral("ZAMEK")).toString(), QStringLiteral("A"));
        // and back up again
        QCOMPARE(SwapWithNeighbour(cache, QLatin1Char('P'), QStringLiteral("UNCIS")), 0);
        QCOMPARE(cache.currentRow(), 1);
        QCOMPARE(cache.value(1, QStringLiteral("NAZEV")).toString(), QStringLiteral("Beta"));
        QCOMPARE(cache.value(2, QStringLiteral("NAZEV")).toString(), QStringLiteral("Gama"));
        QCOMPARE(cache.value(2, QStringLiteral("ZAMEK")).toString(), QStringLiteral("A"));

        // a move the caller saves lands in the database
        QCOMPARE(SwapWithNeighbour(cache, QLatin1Char('P'), QStringLiteral("UNCIS")), 0);
        TransactionGuard t(DM);
        CacheWriter::Result r = CacheWriter(DM, QStringLiteral("TST_RADKY")).apply(cache);
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY(t.commit());
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM TST_RADKY WHERE UNCIS = 101")).toString(), QStringLiteral("Beta"));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM TST_RADKY WHERE UNCIS = 201")).toString(), QStringLiteral("Alfa"));
    }

    void swapAtTheEndsChangesNothing()
    {
        RowCache cache;
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT UNCIS, NAZEV FROM TST_RADKY ORDER BY UNCIS")));
        cache.load(q);
        cache.last();
        QCOMPARE(SwapWithNeighbour(cache, QLatin1Char('N'), QStringLiteral("UNCIS")), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Poslední záznam !"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Pozor"));
        QCOMPARE(prompt().shown.constLast().kind, PromptKind::Information);
        QCOMPARE(cache.currentRow(), 4);
        QVERIFY(!cache.isDirty());

        cache.first();
        QCOMPARE(SwapWithNeighbour(cache, QLatin1Char('P'), QStringLiteral("UNCIS")), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("První záznam !"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Pozor"));
        QCOMPARE(cache.currentRow(), 0);
        QVERIFY(!cache.isDirty());

        // without a key field to keep, nothing is moved
        QCOMPARE(SwapWithNeighbour(cache, QLatin1Char('N'), QStringLiteral("NENI")), -2);
        QCOMPARE(prompt().lastText(), QStringLiteral("Chyba při přesunu !"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Chyba"));
        QVERIFY(!cache.isDirty());
        prompt().clear();
    }

    // --- incremental search ---------------------------------------------------------------

    void searchByTypingReadsFurtherPages()
    {
        insertManyRows(300);
        exec(QStringLiteral("UPDATE TST_RADKY SET NAZEV = 'Žlutá ponorka' WHERE UNCIS = 29001"));
        exec(QStringLiteral("UPDATE TST_RADKY SET NAZEV = 'Čerpadlo' WHERE UNCIS = 28001"));
        ListDataset list;
        QVERIFY(openList(list));
        QCOMPARE(list.loadedRows(), int(ListDataset::FirstPageSize));

        IncrementalSearch search(&list, QStringLiteral("NAZEV"));
        QCOMPARE(search.append(QLatin1Char('r')), -1);   // "Řádek" does not start with r
        QCOMPARE(prompt().beeps, 1);
        QCOMPARE(list.currentRow(), 0);
        search.clear();
        prompt().clear();

        QCOMPARE(search.append(QChar(0x017E)), 289);   // "ž" finds "Žlutá" beyond the first page
        QCOMPARE(list.currentRow(), 289);
        QCOMPARE(list.value(QStringLiteral("UNCIS")).toInt(), 29001);
        QCOMPARE(search.append(QLatin1Char('L')), 289);
        QCOMPARE(search.text(), QStringLiteral("žL"));
        QCOMPARE(search.append(QLatin1Char('x')), -1);   // no match: beep, the row stays
        QCOMPARE(prompt().beeps, 1);
        QCOMPARE(list.currentRow(), 289);
        QCOMPARE(search.backspace(), 289);
        QCOMPARE(search.text(), QStringLiteral("žL"));

        // the search always starts from the first row
        search.clear();
        QCOMPARE(search.append(QChar(0x0159)), 0);   // "ř" finds "Řádek 001"
        search.clear();
        QCOMPARE(search.append(QChar(0x010C)), 279);   // "Č"

        // numbers read as shown
        search.setColumn(QStringLiteral("CISLO"));
        QVERIFY(search.text().isEmpty());
        QCOMPARE(search.append(QLatin1Char('2')), 1);
        QCOMPARE(search.append(QLatin1Char('5')), 24);
        QCOMPARE(search.append(QLatin1Char('0')), 249);
        prompt().clear();
    }

    void searchKeysAsTheGridForwardsThem()
    {
        ListDataset list;
        QVERIFY(openList(list));
        IncrementalSearch search(&list, QStringLiteral("NAZEV"));
        auto key = [&](int k, const QString &text = QString(), Qt::KeyboardModifiers m = Qt::NoModifier) {
            QKeyEvent e(QEvent::KeyPress, k, m, text);
            return search.handleKey(e);
        };
        QVERIFY(key(Qt::Key_D, QStringLiteral("d")));
        QCOMPARE(list.currentRow(), 3);   // Delta
        QVERIFY(key(Qt::Key_E, QStringLiteral("e")));
        QCOMPARE(search.text(), QStringLiteral("de"));
        QVERIFY(key(Qt::Key_Backspace));
        QCOMPARE(search.text(), QStringLiteral("d"));
        // Ctrl+C belongs to the grid's copy
        QVERIFY(!key(Qt::Key_C, QStringLiteral("\x03"), Qt::ControlModifier));
        QCOMPARE(search.text(), QStringLiteral("d"));
        // moving in the grid ends the text but still moves
        QVERIFY(!key(Qt::Key_Down));
        QVERIFY(search.text().isEmpty());
        QVERIFY(key(Qt::Key_G, QStringLiteral("G")));
        QCOMPARE(list.currentRow(), 2);
        // Esc empties the text first; with no text it is the window's
        QVERIFY(key(Qt::Key_Escape));
        QVERIFY(search.text().isEmpty());
        QVERIFY(!key(Qt::Key_Escape));
        QCOMPARE(prompt().beeps, 0);
    }
};

QTEST_GUILESS_MAIN(TestSharedRoutines)
#include "tst_sharedroutines.moc"
