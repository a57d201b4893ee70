#include "core/datamodulpro.h"
#include "core/parameters.h"
#include "core/prompt.h"
#include "core/secrets.h"
#include "core/sqlrun.h"

#include <QSqlError>
#include <QVariant>
#include <climits>

TDMPro *DM = nullptr;

TDMPro::TDMPro(const QString &connectionName)
    : m_connectionName(connectionName)
{
    if (!QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_connectionName);
}

TDMPro::~TDMPro()
{
    close();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase TDMPro::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool TDMPro::isOpen() const
{
    return database().isOpen();
}

bool TDMPro::open(const Firebird::Location &where, const QString &user, const QString &password,
                  QString *error)
{
    close();
    QSqlDatabase db = database();
    db.setHostName(where.host);
    db.setDatabaseName(where.path);
    db.setUserName(user.trimmed());
    db.setPassword(password.trimmed());
    Secrets::remember(password);
    if (!db.open()) {
        if (error)
            *error = Secrets::withoutPassword(db.lastError().text(), password);
        return false;
    }
    return true;
}

void TDMPro::close()
{
    QSqlDatabase db = database();
    if (db.isOpen()) {
        if (m_depth > 0)
            db.rollback();
        db.close();
    }
    m_depth = 0;
}

QSqlQuery TDMPro::NewQuery() const
{
    return QSqlQuery(database());
}

qint64 TDMPro::NextKey(const QString &generator, bool withDatabaseNumber) const
{
    bool ok = false;
    const qint64 value = scalarSql(this, QStringLiteral("SELECT gen_id(") + generator
                                             + QStringLiteral(",1) as UnCis FROM RDB$DATABASE"),
                                   {}, &ok)
                             .toLongLong();
    if (!ok)
        return -1;
    if (!withDatabaseNumber)
        return value;
    const qint64 key = value * 100 + Parameters::instance().databaseNumber;
    if (value < 0 || key > INT_MAX)
        return -1;
    return key;
}

QString TDMPro::nextKeyExpression(const QString &generator) const
{
    return QStringLiteral("GEN_ID(%1, 1) * 100 + %2").arg(generator).arg(Parameters::instance().databaseNumber);
}

int TDMPro::WritesBlocked() const
{
    bool ok = false;
    const qint64 stop =
        scalarSql(this, QStringLiteral("SELECT gen_id(STOPTRIG,0) as STOP FROM RDB$DATABASE"), {}, &ok).toLongLong();
    return ok && stop == 0 ? 0 : 1;
}

bool TDMPro::executeDdl(const QString &statement, QString *error) const
{
    return Firebird::executeDdl(database(), statement, error);
}

TransactionGuard::TransactionGuard(TDMPro *dm)
    : m_dm(dm)
{
    QSqlDatabase db = m_dm->database();
    if (m_dm->m_depth == 0) {
        m_outer = true;
        m_active = db.transaction();
        if (!m_active)
            m_error = db.lastError().text();
    } else {
        m_savepoint = QStringLiteral("QEL_SP%1").arg(++m_dm->m_savepointSerial);
        QSqlQuery q(db);
        m_active = q.exec(QStringLiteral("SAVEPOINT ") + m_savepoint);
        if (!m_active)
            m_error = q.lastError().text();
    }
    if (m_active)
        ++m_dm->m_depth;
}

TransactionGuard::~TransactionGuard()
{
    if (m_active)
        rollback();
}

bool TransactionGuard::commit()
{
    if (!m_active)
        return false;
    m_active = false;
    --m_dm->m_depth;
    QSqlDatabase db = m_dm->database();
    if (m_outer) {
        if (db.commit())
            return true;
        m_error = db.lastError().text();
        db.rollback();
        return false;
    }
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("RELEASE SAVEPOINT ") + m_savepoint))
        return true;
    m_error = q.lastError().text();
    return false;
}

void TransactionGuard::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    --m_dm->m_depth;
    QSqlDatabase db = m_dm->database();
    if (m_outer) {
        db.rollback();
    } else {
        QSqlQuery q(db);
        q.exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + m_savepoint);
    }
}
