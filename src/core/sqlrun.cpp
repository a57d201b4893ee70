#include "core/sqlrun.h"
#include "core/datamodulpro.h"

#include <QSqlError>

void bindParameters(QSqlQuery &query, const SqlParameters &parameters)
{
    for (const SqlParameter &p : parameters)
        query.bindValue(QLatin1Char(':') + p.name, p.value);
}

bool prepareSql(QSqlQuery &query, const QString &sql, QString *error)
{
    if (query.prepare(sql))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

bool execSql(QSqlQuery &query, const SqlParameters &values, QString *error)
{
    bindParameters(query, values);
    if (query.exec())
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

bool runSql(QSqlQuery &query, const QString &sql, const SqlParameters &values, QString *error)
{
    return prepareSql(query, sql, error) && execSql(query, values, error);
}

QSqlQuery runSql(const TDMPro *dm, const QString &sql, const SqlParameters &values, QString *error)
{
    QSqlQuery query = dm->NewQuery();
    query.setForwardOnly(true);
    runSql(query, sql, values, error);
    return query;
}

QVariant scalarSql(const TDMPro *dm, const QString &sql, const SqlParameters &values, bool *ok,
                   QString *error)
{
    QSqlQuery query = runSql(dm, sql, values, error);
    const bool found = query.isActive() && query.next();
    if (ok)
        *ok = found;
    if (!found && error)
        *error = query.lastError().text();
    return found ? query.value(0) : QVariant();
}

bool inTransaction(TDMPro *dm, const std::function<bool(QString *error)> &work, QString *error)
{
    QString own;
    QString *why = error ? error : &own;
    TransactionGuard guard(dm);
    if (!guard.isActive()) {
        *why = guard.lastError();
        return false;
    }
    if (!work(why))
        return false;   // the guard rolls back
    if (guard.commit())
        return true;
    *why = guard.lastError();
    return false;
}
