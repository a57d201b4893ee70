#include "shell/datamodul.h"
#include "db/schema.h"
#include "core/prompt.h"
#include "core/settingsstore.h"
#include "core/globals.h"
#include "core/shutdownsignals.h"

#include <QSqlError>
#include <QSqlQuery>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

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
    Firebird::OpenProblem problem = Firebird::OpenProblem::None;
    if (where.host.isEmpty() && !where.path.trimmed().isEmpty() && !QFileInfo::exists(where.path)
        && !createMissingDatabase(where, user, password, &error))
        // declined: the file is missing; a failed creation has a cause of its own
        problem = error.isEmpty() ? Firebird::OpenProblem::FileMissing : Firebird::OpenProblem::Other;
    if (problem == Firebird::OpenProblem::None && !open(where, user, password, &error)) {
        // the driver gives only a text; the engine's codes tell the cause
        problem = Firebird::diagnoseOpen(where, user, password).problem;
        if (problem == Firebird::OpenProblem::None)
            problem = Firebird::OpenProblem::Other;
    }
    if (problem == Firebird::OpenProblem::None) {
        // the embedded engine lets any user name in; one without rights could do nothing
        QSqlQuery q = NewQuery();
        // (a column is named: a constant alone is read without a privilege check)
        if (!q.exec(QStringLiteral("SELECT FIRST 1 POLOZKA FROM QELSYS")) && q.lastError().nativeErrorCode() == QLatin1String("-551")) {
            problem = Firebird::OpenProblem::WrongLogin;
            q = QSqlQuery();
            close();
        }
    }
    // the engine is loaded now, and with it its own handling of SIGTERM and SIGINT
    ShutdownSignals::install();
    m_lastProblem = problem;
    if (problem != Firebird::OpenProblem::None) {
        reportFailure(problem, where, user);
        return -2;
    }
    return 0;
}

void TDM::reportFailure(Firebird::OpenProblem problem, const Firebird::Location &where, const QString &user)
{
    using Firebird::OpenProblem;
    const QString file = where.path;
    QString text;
    m_settingsMayHelp = true;
    switch (problem) {
    case OpenProblem::FileMissing:
        text = QStringLiteral("Soubor databáze %1 neexistuje.\nZkontrolujte cestu k databázi.").arg(where.spec());
        break;
    case OpenProblem::NotDatabase:
        text = QStringLiteral("Soubor %1 není databáze nebo je poškozený.\n"
                              "Vyberte správný soubor databáze, nebo obnovte databázi ze zálohy "
                              "(Nastavení / Obnova databáze ze zálohy).").arg(where.spec());
        break;
    case OpenProblem::WrongLogin:
        text = QStringLiteral("Databáze nepřijala uživatele %1: jméno uživatele nebo heslo není správné, "
                              "nebo uživatel nemá k databázi přístup.\n"
                              "Zadejte správné jméno uživatele a heslo.").arg(user.trimmed());
        break;
    case OpenProblem::InUse: {
        m_settingsMayHelp = false;
        const Firebird::FileHolder holder = Firebird::holderOf(file);
        if (holder.pid && holder.uid != getuid())
            text = QStringLiteral("Databázi %1 má otevřenou program uživatele %2.\n"
                                  "Databázi v souboru může mít otevřenou jen jeden program najednou: počkejte, "
                                  "až ho uživatel %2 ukončí. Pro práci více uživatelů najednou "
                                  "uložte databázi na server Firebird.").arg(file, holder.userName);
        else
            text = QStringLiteral("Databázi %1 má otevřenou jiný program%2.\n"
                                  "Databázi v souboru může mít otevřenou jen jeden program najednou: "
                                  "ukončete ho a spusťte tento program znovu.")
                       .arg(file, holder.program.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(holder.program));
        break;
    }
    case OpenProblem::ServerUnreachable:
        text = QStringLiteral("Server %1 není dostupný.\n"
                              "Zkontrolujte, že server databáze běží a je dostupný po síti, "
                              "a název serveru v cestě k databázi.").arg(where.host);
        break;
    case OpenProblem::NewerVersion:
        m_settingsMayHelp = false;
        text = QStringLiteral("Databáze %1 je novější verze, než jakou tento program umí otevřít.\n"
                              "Použijte novější verzi programu.").arg(where.spec());
        break;
    case OpenProblem::OlderVersion:
        m_settingsMayHelp = false;
        text = QStringLiteral("Databáze %1 je ve starším formátu, který tento program neotevře.\n"
                              "Převeďte ji zálohou ve verzi programu, která ji otevře, a obnovou zálohy v této verzi.")
                   .arg(where.spec());
        break;
    default:
        text = QStringLiteral("Nastavte cestu, uživatele a heslo pro databázi");
        break;
    }
    Prompt::warning(QStringLiteral("Chyba otevření databáze\n") + text, QStringLiteral("DM"));
}
