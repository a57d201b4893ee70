#pragma once
// TDM, the program's data module: the connection "Qel" opened with the per-user
// connection settings; a missing local database file is created with the schema (the
// default one at once, any other after the user agreed).
#include "core/datamodulpro.h"

class TDM : public TDMPro
{
public:
    explicit TDM(const QString &connectionName = QStringLiteral("Qel"));

    // 0 when the database is open; -2 when opening failed (the message was shown).
    int ConnectDatabase();

    // The settings key of the connection values.
    static QString connectionKeyPath();
    // Where the database lives when nothing is configured.
    static QString defaultDatabasePath();

private:
    bool createMissingDatabase(const Firebird::Location &where, const QString &user,
                               const QString &password, QString *error);
};

// Server form of a path: quotes removed; \\srv\d\db\x.fdb becomes srv:d:\db\x.fdb.
QString ToServerPath(const QString &path);
