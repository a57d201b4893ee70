#pragma once
// Why a database could not be opened, in terms the user can act on. The Qt driver
// reports only a text; the engine's error codes come from an attachment made
// directly through the client library with the same values.
#include <QString>

#include "core/firebird.h"

namespace Firebird {

enum class OpenProblem {
    None,               // it opens
    FileMissing,        // no such file
    NotDatabase,        // not a database file, or a damaged one
    WrongLogin,         // user name or password refused (or, found by the caller, no rights)
    InUse,              // another program holds the file (embedded engine)
    ServerUnreachable,  // no server answers at the host
    NewerVersion,       // the file's on-disk structure is newer than this engine's
    OlderVersion,       // ... or older
    Other
};

struct OpenDiagnosis
{
    OpenProblem problem = OpenProblem::None;
    QString engineText;   // the engine's own words, for problems without a cause of ours
};

// Attaches and detaches at once; never creates or writes the file.
OpenDiagnosis diagnoseOpen(const Location &where, const QString &user, const QString &password);

// The process that holds a local file locked (the embedded engine locks the database
// file it has open), from /proc/locks: 0 when none is found.
struct FileHolder
{
    qint64 pid = 0;
    uint uid = 0;
    QString program;    // the holder's command name
    QString userName;   // its user's login name
};
FileHolder holderOf(const QString &path);

} // namespace Firebird
