#pragma once
// What the Qt driver cannot do, done through the Firebird client API: creating a
// database file, and running DDL in a transaction of its own that is rolled back
// when anything fails (the driver reports some failed DDL commits as success).
#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace Firebird {

// "host:path" for a server, a plain path for the embedded engine.
struct Location
{
    QString host;   // empty: embedded
    QString path;
    QString spec() const { return host.isEmpty() ? path : host + QLatin1Char(':') + path; }
};

// Splits "server:path" into host and path; "server/3051:path" keeps its port with the
// host. A single letter before the colon is a drive letter, not a host; an absolute
// local path stays local.
Location parseLocation(const QString &serverName);

// Creates an empty database with the program's page size and character set WIN1250.
bool createDatabase(const Location &where, const QString &user, const QString &password,
                    QString *error);

// Switches synchronous ("forced") writes of a database that nobody has open. Off makes
// building a schema or test data much faster; a database in use keeps them on, so a
// crash of the machine cannot lose committed work.
bool setForcedWrites(const Location &where, const QString &user, const QString &password, bool on,
                     QString *error);

// Runs one statement on the native handle of an open QIBASE connection in its own
// transaction (lock timeout of a few seconds), committing on success and rolling
// back on any failure. Returns false with the engine's message in *error.
bool executeDdl(const QSqlDatabase &db, const QString &statement, QString *error);

// Splits a script into statements. "SET TERM x ;" changes the terminator (for
// triggers and procedures); comments and blank statements are dropped.
QStringList splitScript(const QString &script);

// The embedded engine keeps its lock files in /tmp/firebird. When that folder belongs
// to another user this user could open no database; then a folder of its own is used
// (only this user's processes open its embedded files, so they agree on it). Call at
// the very start of a program, before the first client call.
void chooseLockDirectory();

// Stops the background work of the embedded engine; call before the process exits
// so that the next process can open the file at once.
void shutdownEngine();

} // namespace Firebird
