#include "support/testenv.h"
#include "db/schema.h"
#include "core/settingsstore.h"
#include "core/parameters.h"
#include "core/sqlvalue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QVariant>
#include <QtGlobal>

TestEnvironment::TestEnvironment()
{
    m_dir.setAutoRemove(qEnvironmentVariableIsEmpty("TARKO_KEEP_TEST_FILES"));
    SettingsStore::setFilePath(path(QStringLiteral("settings/user-settings.ini")));
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
    m_prompt = std::make_unique<ScriptedPrompt>();
    Parameters::instance() = Parameters();
}

TestEnvironment::~TestEnvironment()
{
    if (m_programDm && DM == m_programDm.get())
        DM = nullptr;
    m_programDm.reset();
    SettingsStore::setFilePath(QString());
}

// Building the schema takes seconds; a fresh database is made once per schema version
// and copied for every test. Test databases run without synchronous writes.
static QString freshDatabaseTemplate(QString *error)
{
    QString base = qEnvironmentVariable("TARKO_TEST_BINARY_DIR");
    if (base.isEmpty())
        base = QDir::tempPath();
    const QString dir = base + QStringLiteral("/testdb-cache");
    QDir().mkpath(dir);
    const QString file = dir + QStringLiteral("/fresh-") + QString::fromLatin1(Schema::fingerprint()) + QStringLiteral(".fdb");
    if (QFileInfo::exists(file))
        return file;
    // built under a name of its own and renamed, so parallel tests never see half a file
    const QString building = file + QStringLiteral(".%1.tmp").arg(QCoreApplication::applicationPid());
    QFile::remove(building);
    Firebird::Location where;
    where.path = building;
    if (!Schema::createDatabase(where, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), error, false))
        return QString();
    if (!QFile::rename(building, file)) {
        QFile::remove(building);
        if (!QFileInfo::exists(file))
            return QString();
    }
    return file;
}

QString TestEnvironment::createDatabase(const QString &name, QString *error)
{
    const QString file = path(name);
    QString err;
    const QString fresh = freshDatabaseTemplate(&err);
    if (fresh.isEmpty() || !QFile::copy(fresh, file)) {
        if (error)
            *error = err;
        qWarning("createDatabase: %s", qPrintable(err));
        return QString();
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup);
    return file;
}

std::unique_ptr<TDMPro> TestEnvironment::connect(const QString &file, const QString &connectionName)
{
    auto dm = std::make_unique<TDMPro>(connectionName);
    Firebird::Location where;
    where.path = file;
    QString err;
    if (!dm->open(where, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), &err)) {
        qWarning("connect: %s", qPrintable(err));
        return nullptr;
    }
    return dm;
}

bool TestEnvironment::openProgramDatabase(const QString &name)
{
    const QString file = createDatabase(name);
    if (file.isEmpty())
        return false;
    m_programDm = connect(file);
    if (!m_programDm)
        return false;
    DM = m_programDm.get();
    loadFrameworkParameters(*DM);
    return true;
}

bool TestEnvironment::ddl(TDMPro &dm, const QStringList &statements, QString *error)
{
    for (const QString &s : statements) {
        QString err;
        if (!dm.executeDdl(s, &err)) {
            qWarning("ddl: %s\n%s", qPrintable(err), qPrintable(s));
            if (error)
                *error = err;
            return false;
        }
    }
    return true;
}

QVariant TestEnvironment::scalar(TDMPro &dm, const QString &sql)
{
    QSqlQuery q = dm.NewQuery();
    if (!q.exec(sql) || !q.next())
        return QVariant();
    return readField(q, 0);
}

int TestEnvironment::runBatch(const QStringList &arguments, QString *output)
{
    QProcess p;
    p.start(qEnvironmentVariable("TARKO_TEST_BINARY_DIR") + QStringLiteral("/tarko8-batch"), arguments);
    p.waitForFinished(60000);
    *output = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
