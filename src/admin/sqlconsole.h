#pragma once
// The engine of the SQL console: a statement that begins with SELECT opens a result
// grid, anything else runs in a transaction of its own that is committed when it
// succeeds and rolled back when it fails. The result's read transaction ends as soon as
// the grid is closed or the next statement runs, so the console never keeps a snapshot
// open that holds back garbage collection or other workstations.
#include <QString>

class QSqlQueryModel;
class TDMPro;

class SqlConsole
{
public:
    enum Outcome { Failed = -1, Executed = 0, Selected = 1 };

    explicit SqlConsole(TDMPro *dm);
    ~SqlConsole();
    SqlConsole(const SqlConsole &) = delete;
    SqlConsole &operator=(const SqlConsole &) = delete;

    // Closes the previous result, then runs the statement; the driver's text in error
    // on failure, the result empty then.
    Outcome run(const QString &sql, QString *error = nullptr);
    // The rows of the last SELECT (empty after any other statement or a failure).
    QSqlQueryModel *model() const { return m_model; }
    // The last SELECT's text, for the table print.
    QString lastQuery() const { return m_lastQuery; }
    // Ends the result and its read transaction.
    void close();

    // A statement that reads rows: begins with SELECT, blanks and case ignored.
    static bool isQuery(const QString &sql);

private:
    TDMPro *m_dm;
    QSqlQueryModel *m_model;
    QString m_lastQuery;
};
