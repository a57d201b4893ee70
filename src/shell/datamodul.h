#pragma once
// TDM, the program's data module: the connection "Qel" opened with the per-user
// connection settings; a missing local database file is created with the schema (the
// default one at once, any other after the user agreed).
#include "core/datamodulpro.h"
#include "core/openproblem.h"

class TDM : public TDMPro
{
public:
    explicit TDM(const QString &connectionName = QStringLiteral("Qel"));

    // 0 when the database is open; -2 when opening failed (the message, naming the
    // cause and what to do about it, was shown).
    int ConnectDatabase();
    // After a failed ConnectDatabase: whether other connection values could help (the
    // connection window is worth showing); not when the file is in use or of another
    // version.
    bool settingsMayHelp() const { return m_settingsMayHelp; }
    // The cause of the last failure, and the text that was shown for it.
    Firebird::OpenProblem lastProblem() const { return m_lastProblem; }

    // The settings key of the connection values.
    static QString connectionKeyPath();
    // Where the database lives when nothing is configured.
    static QString defaultDatabasePath();

private:
    void reportFailure(Firebird::OpenProblem problem, const Firebird::Location &where, const QString &user);
    bool m_settingsMayHelp = true;
    Firebird::OpenProblem m_lastProblem = Firebird::OpenProblem::None;
    bool createMissingDatabase(const Firebird::Location &where, const QString &user,
                               const QString &password, QString *error);
};

// Server form of a path: quotes removed; \\srv\d\db\x.fdb becomes srv:d:\db\x.fdb.
QString ToServerPath(const QString &path);
