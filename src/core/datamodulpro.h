#pragma once
// The data module: one database connection and the small helpers every controller
// uses (query factory, keys from generators, the global write block).
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include "core/firebird.h"

class TDMPro
{
public:
    explicit TDMPro(const QString &connectionName = QStringLiteral("Qel"));
    virtual ~TDMPro();

    QString connectionName() const { return m_connectionName; }
    QSqlDatabase database() const;
    bool isOpen() const;

    // Opens the connection ("host:path" through a server, a plain path embedded).
    bool open(const Firebird::Location &where, const QString &user, const QString &password,
              QString *error = nullptr);
    void close();

    // A new query on this connection, SQL empty.
    QSqlQuery NewQuery() const;
    // Next value of the generator; with withDatabaseNumber the value × 100 plus the
    // database number. Returns -1 when the call fails or the key would not fit an INTEGER.
    qint64 NextKey(const QString &generator, bool withDatabaseNumber = true) const;
    // The same key as an SQL expression, for rows written by INSERT ... SELECT.
    QString nextKeyExpression(const QString &generator) const;
    // Value of STOPTRIG; non-zero means writes are blocked. A failed read counts as blocked.
    int WritesBlocked() const;
    // Runs DDL in its own transaction (see Firebird::executeDdl).
    bool executeDdl(const QString &statement, QString *error = nullptr) const;

    // Transaction nesting, used by TransactionGuard only.
    int transactionDepth() const { return m_depth; }

private:
    friend class TransactionGuard;
    QString m_connectionName;
    int m_depth = 0;
    int m_savepointSerial = 0;
};

// The program's data module, set at start-up (shell) or by a test.
extern TDMPro *DM;

// One transaction for a unit of work. The outermost guard on a connection starts and
// commits the database transaction; a guard inside another one works on a savepoint,
// so a failed inner step is undone without ending the caller's transaction.
// A guard that is destroyed without commit() rolls back its part.
class TransactionGuard
{
public:
    explicit TransactionGuard(TDMPro *dm = DM);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard &) = delete;
    TransactionGuard &operator=(const TransactionGuard &) = delete;

    bool isActive() const { return m_active; }
    bool commit();
    void rollback();
    QString lastError() const { return m_error; }

private:
    TDMPro *m_dm;
    bool m_active = false;
    bool m_outer = false;
    QString m_savepoint;
    QString m_error;
};
