#pragma once
// Backup and restore of the program's database, without windows: the menu entries of
// "Nastavení" and the batch program both run these. The backup is Firebird's portable
// format, made through the engine's services (the database may stay open). A restore
// writes only a new database file, never one that exists, and checks that the result
// opens. Progress goes to the current progress sink; the outcome carries the text to
// show, which never contains the password.
#include <QString>

#include "core/firebird.h"

struct BackupOutcome
{
    bool ok = false;
    QString message;   // the final words for the user, naming the file and its size
    QString file;      // the backup written or the database restored
    qint64 size = 0;
};

namespace DatabaseBackup {

// The database to back up or restore into, and who connects.
struct Target
{
    Firebird::Location location;
    QString user;
    QString password;
};

BackupOutcome backup(const Target &database, const QString &backupFile);

// openDatabase, when given, is the database the program has open: a restore never
// goes there.
BackupOutcome restore(const QString &backupFile, const Target &newDatabase,
                      const Firebird::Location &openDatabase = Firebird::Location());

// "2,3 MB" and the like.
QString sizeText(qint64 bytes);

// A file name offered for a new backup: the database's name and today's date.
QString suggestedFileName(const Firebird::Location &database);

} // namespace DatabaseBackup
