// The SQL console: a SELECT shows its rows, anything else is executed and committed, a
// failed statement is rolled back and leaves an empty grid, and no read transaction
// stays open once the grid is closed.
#include <QtTest>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSqlQueryModel>
#include <QTableView>

#include "admin/sql.h"
#include "support/programdatabasetest.h"

class TestSqlConsole : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    // Transactions of this connection other than the one asking.
    static int openTransactions()
    {
        return count(QStringLiteral("SELECT COUNT(*) FROM MON$TRANSACTIONS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION "
                                    "AND MON$TRANSACTION_ID <> CURRENT_TRANSACTION"));
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void selectUpdateAndError()
    {
        exec(QStringLiteral("CREATE TABLE TST_SQL (ID INTEGER, NAZEV VARCHAR(20))"));
        exec(QStringLiteral("INSERT INTO TST_SQL VALUES (1, 'Kůň')"));
        const int before = openTransactions();
        QPointer<TfSQL> window = TfSQL::open(DM, nullptr);
        QCOMPARE(prompt().lastText(), QStringLiteral("SQL příkay můžete způsoby rozsáhlé poškození nebo ztrátu dat"));
        QCOMPARE(window->statusText(), QStringLiteral("SQL:"));

        // a blank and a lower-case select still read rows
        window->mSQL->setPlainText(QStringLiteral("  select * from rdb$database"));
        QCOMPARE(window->Spustit(), int(SqlConsole::Selected));
        QCOMPARE(window->dbgSez->model()->rowCount(), 1);
        QCOMPARE(window->statusText(), QStringLiteral("SQL O.K."));

        // an update is executed, reported and committed: another workstation sees it
        window->mSQL->setPlainText(QStringLiteral("UPDATE TST_SQL SET NAZEV = 'Kůň úpěl' WHERE ID = 1"));
        QCOMPARE(window->Spustit(), int(SqlConsole::Executed));
        QCOMPARE(prompt().lastText(), QStringLiteral("SQL příkaz byl proveden"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("SQL"));
        QCOMPARE(window->dbgSez->model()->rowCount(), 0);
        auto other = secondWorkstation();
        QCOMPARE(TestEnvironment::scalar(*other, QStringLiteral("SELECT NAZEV FROM TST_SQL")).toString(),
                 QStringLiteral("Kůň úpěl"));

        // a misspelled statement after a result: warned, empty grid, status says so
        window->mSQL->setPlainText(QStringLiteral("SELECT * FROM TST_SQL"));
        QCOMPARE(window->Spustit(), int(SqlConsole::Selected));
        QCOMPARE(window->dbgSez->model()->rowCount(), 1);
        window->mSQL->setPlainText(QStringLiteral("SELEC * FROM TST_SQL"));
        QCOMPARE(window->Spustit(), int(SqlConsole::Failed));
        QCOMPARE(prompt().lastText(), QStringLiteral("Chybný SQL příkaz"));
        QCOMPARE(prompt().shown.constLast().kind, PromptKind::Warning);
        QCOMPARE(window->statusText(), QStringLiteral("Chybný SQL příkaz"));
        QCOMPARE(window->dbgSez->model()->rowCount(), 0);

        // a failing write leaves nothing behind
        window->mSQL->setPlainText(QStringLiteral("UPDATE TST_SQL SET ID = 'x'"));
        QCOMPARE(window->Spustit(), int(SqlConsole::Failed));
        QCOMPARE(count(QStringLiteral("SELECT ID FROM TST_SQL")), 1);

        // a result holds its read transaction only while its grid is open
        window->mSQL->setPlainText(QStringLiteral("SELECT * FROM TST_SQL"));
        QCOMPARE(window->Spustit(), int(SqlConsole::Selected));
        window->close();
        QTRY_VERIFY(window.isNull());
        QCOMPARE(openTransactions(), before);
        prompt().clear();
    }
};

QTEST_MAIN(TestSqlConsole)
#include "tst_sqlconsole.moc"
