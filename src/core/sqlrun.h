#pragma once
// Running one statement on the connection (prepare, bind by name, execute, the driver's
// text on failure) and running a unit of work in one transaction.
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

class TDMPro;

struct SqlParameter
{
    QString name;     // without the colon
    QVariant value;
};
using SqlParameters = QVector<SqlParameter>;

// Binds parameters on a prepared query.
void bindParameters(QSqlQuery &query, const SqlParameters &parameters);

// Prepares the statement; on failure the driver's text goes to *error.
bool prepareSql(QSqlQuery &query, const QString &sql, QString *error = nullptr);
// Binds the values to the prepared query and executes it, so one statement prepared
// once can be run for many rows; on failure the driver's text goes to *error.
bool execSql(QSqlQuery &query, const SqlParameters &values = {}, QString *error = nullptr);
// prepareSql and execSql together.
bool runSql(QSqlQuery &query, const QString &sql, const SqlParameters &values = {},
            QString *error = nullptr);
// A forward-only query on the connection with the statement executed; inactive when
// it failed (the driver's text in *error and in the query's lastError()).
QSqlQuery runSql(const TDMPro *dm, const QString &sql, const SqlParameters &values = {},
                 QString *error = nullptr);
// The first column of the first row. *ok is false, and the value null, when the
// statement failed or gave no row; *error gets the driver's text then.
QVariant scalarSql(const TDMPro *dm, const QString &sql, const SqlParameters &values = {},
                   bool *ok = nullptr, QString *error = nullptr);

// Runs work inside one TransactionGuard: commits when work returns true, rolls back
// when it returns false. Inside a caller's transaction it works on a savepoint. work
// reports its failure through the pointer it gets, which is error itself when given;
// a transaction that cannot start or commit puts the driver's text there.
bool inTransaction(TDMPro *dm, const std::function<bool(QString *error)> &work,
                   QString *error = nullptr);
