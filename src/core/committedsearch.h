#pragma once
// A SELECT with one text parameter, prepared once per connection and executed again for
// each text. The driver ties a prepared query to the transaction it was prepared in (a
// snapshot that never sees later commits, or a handle that is dead once the
// connection's transaction ends), so the statement is kept on the client API instead
// and every run takes a short read-only, read-committed transaction of its own: it
// sees what is committed at that moment, by this connection or another workstation,
// but not the uncommitted changes of a unit of work in progress. The connection must
// outlive the object; closing and reopening it is noticed and the statement prepared
// again.
#include <QString>
#include <QVariantList>
#include <QVector>
#include <memory>

class TDMPro;

class CommittedSearch
{
public:
    // sql names its one parameter as placeholder (":VYRCIS") and returns columns columns.
    CommittedSearch(TDMPro *dm, const QString &sql, const QString &placeholder, int columns);
    ~CommittedSearch();
    CommittedSearch(const CommittedSearch &) = delete;
    CommittedSearch &operator=(const CommittedSearch &) = delete;

    // The rows for the text, each a list of the column values. False with the reason in
    // *error (*rows empty). A text longer than the parameter can hold matches nothing.
    bool run(const QString &text, QVector<QVariantList> *rows, QString *error = nullptr);

    // How often the statement has been prepared: once per connection, again only after
    // the connection was reopened or a run failed.
    int preparations() const { return m_preparations; }

private:
    struct Statement;
    TDMPro *m_dm;
    QString m_sql;
    QString m_placeholder;
    int m_columns;
    std::unique_ptr<Statement> m_statement;
    int m_preparations = 0;
};
