#include "admin/sqlconsole.h"

#include "core/datamodulpro.h"
#include "core/sqlrun.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>

SqlConsole::SqlConsole(TDMPro *dm) : m_dm(dm), m_model(new QSqlQueryModel) {}

SqlConsole::~SqlConsole()
{
    close();
    delete m_model;
}

bool SqlConsole::isQuery(const QString &sql)
{
    return sql.trimmed().toUpper().startsWith(QLatin1String("SELECT"));
}

void SqlConsole::close()
{
    // clearing the model frees its query, which ends the query's read transaction
    m_model->clear();
    m_lastQuery.clear();
}

SqlConsole::Outcome SqlConsole::run(const QString &sql, QString *error)
{
    close();
    if (isQuery(sql)) {
        QSqlQuery query = m_dm->NewQuery();
        QString failure;
        if (!runSql(query, sql, {}, &failure)) {
            if (error)
                *error = failure;
            return Failed;
        }
        m_model->setQuery(std::move(query));
        if (m_model->lastError().isValid()) {
            if (error)
                *error = m_model->lastError().text();
            close();
            return Failed;
        }
        m_lastQuery = sql;
        return Selected;
    }
    const bool done = inTransaction(
        m_dm,
        [this, &sql](QString *failure) {
            QSqlQuery query = m_dm->NewQuery();
            return runSql(query, sql, {}, failure);
        },
        error);
    return done ? Executed : Failed;
}
