#pragma once
// Backup and restore through the engine's services, in Firebird's portable backup
// format. The backup's bytes travel through the service connection, so the file is
// written where this program runs for a server database as well as for an embedded
// one; with the embedded engine the service runs in this process and so works while
// the program holds the database open.
#include <QString>
#include <functional>

#include "core/firebird.h"

namespace Firebird {

// Called with the number of backup bytes written or read so far.
using ByteProgress = std::function<void(qint64 bytes)>;

// Writes the backup of the database into the open device's file name; false with the
// engine's words in *error.
bool backupDatabase(const Location &database, const QString &user, const QString &password,
                    const QString &backupFile, const ByteProgress &progress, QString *error);

// Restores a backup into a new database; fails when the database file exists. A
// failed restore may leave a partial file behind: the caller removes it.
bool restoreDatabase(const QString &backupFile, const Location &database, const QString &user,
                     const QString &password, const ByteProgress &progress, QString *error);

} // namespace Firebird
