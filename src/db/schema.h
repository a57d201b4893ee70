#pragma once
// The schema of a fresh database at the current version: one script per subsystem,
// run in order when the program creates a database file.
#include <QString>
#include <QStringList>

#include "framework/firebird.h"

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

// Creates the database file (WIN1250) and its whole schema.
bool createDatabase(const Firebird::Location &where, const QString &user, const QString &password,
                    QString *error);

} // namespace Schema
