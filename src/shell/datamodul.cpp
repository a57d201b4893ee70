#include "shell/datamodul.h"
#include "db/schema.h"
#include "core/prompt.h"
#include "core/settingsstore.h"
#include "core/globals.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

TDM::TDM(const QString &connectionName)
    : TDMPro(connectionName)
{
}

QString TDM::connectionKeyPath()
{
    return SettingsStore::productKeyPath(QStringLiteral("DB"));
}

QString TDM::defaultDatabasePath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                         + QStringLiteral("/MORVANT/") + ProductKey;
    return base + QStringLiteral("/DB/") + ProductKey + QStringLiteral(".FDB");
}

QString ToServerPath(const QString &path)
{
    if (path.size() < 3)
        return path;
    QString p = path;
    if (p.startsWith(QLatin1Char('"')))
        p.remove(0, 1);
    if (p.endsWith(QLatin1Char('"')))
        p.chop(1);
    if (p.startsWith(QStringLiteral("\\\\"))) {
        p.remove(0, 2);
        const int first = p.indexOf(QLatin1Char('\\'));
        if (first < 0)
            return p;
        const QString server = p.left(first);
        QString rest = p.mid(first + 1);
        const int next = rest.indexOf(QLatin1Char('\\'));
        if (next < 0)
            return server + QLatin1Char(':') + rest;
        return server + QLatin1Char(':') + rest.left(next) + QLatin1Char(':') + rest.mid(next);
    }
    return p;
}

bool TDM::createMissingDatabase(const Firebird::Location &where, const QString &user,
                                const QString &password, QString *error)
{
    // The default database is made without a word on the first start (and after the
    // user deleted it to start clean). Any other path may be a typo that would hide
    // the real data behind a new empty file: the user decides.
    const bool isDefault = QFileInfo(where.path).absoluteFilePath() == QFileInfo(defaultDatabasePath()).absoluteFilePath();
    if (!isDefault
        && Prompt::question(QStringLiteral("Databáze %1 neexistuje. Vytvořit novou prázdnou databázi?").arg(where.path),
                            QStringLiteral("DM"))
               != PromptYes)
        return false;
    QDir().mkpath(QFileInfo(where.path).absolutePath());
    if (!Schema::createDatabase(where, user.trimmed(), password.trimmed(), error))
        return false;
    if (!isDefault)
        Prompt::information(QStringLiteral("Nová prázdná databáze byla vytvořena v souboru\n%1").arg(where.path),
                            QStringLiteral("DM"));
    return true;
}

int TDM::ConnectDatabase()
{
    close();
    const QString key = connectionKeyPath();
    const QString server = ToServerPath(ReadRegistryValue(QStringLiteral("SERVER NAME"), defaultDatabasePath(), key));
    const QString user = ReadRegistryValue(QStringLiteral("USER NAME"), QStringLiteral("SYSDBA"), key);
    ReadRegistryValue(QStringLiteral("LANGDRIVER"), QStringLiteral("czechw"), key);
    const QString password = ReadRegistryValue(QStringLiteral("PASSWORD"), QStringLiteral("vorlipsan"), key);

    const Firebird::Location where = Firebird::parseLocation(server);
    QString error;
    bool ok = true;
    if (where.host.isEmpty() && !where.path.trimmed().isEmpty() && !QFileInfo::exists(where.path))
        ok = createMissingDatabase(where, user, password, &error);
    if (ok)
        ok = open(where, user, password, &error);
    if (!ok) {
        Prompt::warning(QStringLiteral("Chyba otevření databáze\nNastavte cestu, uživatele a heslo pro databázi"),
                        QStringLiteral("DM"));
        return -2;
    }
    return 0;
}
