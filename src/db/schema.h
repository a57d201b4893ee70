#pragma once
// The schema of a fresh database at the current version: one script per subsystem,
// run in order when the program creates a database file.
#include <QString>
#include <QStringList>

#include "core/firebird.h"

class TDMPro;

namespace Schema {

// The schema version a fresh database is created at (QELSYS item eVerDat).
constexpr int CurrentVersion = 80808;

// Script resources in the order they run.
QStringList scriptNames();
QString scriptText(const QString &name);

// Runs every script on an open connection. Stops at the first failing statement and
// reports it with the script's name.
bool apply(TDMPro &dm, QString *error);

// Creates the database file (WIN1250) and its whole schema. The schema is built with
// synchronous writes off and the finished database has them on, unless forcedWrites
// is false (scratch databases of tests and benchmarks).
bool createDatabase(const Firebird::Location &where, const QString &user, const QString &password,
                    QString *error, bool forcedWrites = true);

// A fingerprint of the schema scripts, for caches of freshly created databases.
QByteArray fingerprint();

} // namespace Schema
