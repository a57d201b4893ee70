#pragma once
// The schema upgrade of a database made by an older release: the steps 8.0.1 to
// 8.08.08 in ascending order, each run when the stored version (QELSYS item eVerDat) is
// below its number. Every statement runs on its own; a failing one is logged after
// "Chyba:" and the rest go on; the step's number is stored as the new version once its
// statements have run. No window: the log goes to a SchemaUpgradeLog (TfVerze shows it).
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class TDMPro;

class SchemaUpgradeLog
{
public:
    virtual ~SchemaUpgradeLog() = default;
    // A step is due: its text as the version label shows it ("800    >>>    8.0.1").
    virtual void stepStarted(const QString &text) = 0;
    // A line of the log.
    virtual void line(const QString &text) = 0;
};

namespace SchemaUpgrade {

// The version this program's schema is at.
constexpr int ProgramVersion = 80808;

struct Action
{
    QString statement;    // what the log names when it fails
    // Runs the action; empty: the statement itself is run. False with the reason.
    std::function<bool(TDMPro &dm, QString *error)> run;
};

struct Step
{
    int version;
    QString shown;        // "    >>>    8.0.1"
    QVector<Action> actions;
};

enum class Outcome {
    NothingDue,       // the database is current: nothing ran
    Done,             // the due steps ran (failed statements are in the log)
    Failed,           // the version could not be read or stored
    NewerDatabase,    // made by a newer program: left as it is
    UnreadableVersion,   // the stored version is no number: left as it is
};

const QVector<Step> &steps();
// The view of the last inspection per customer, site and kind; regularOnly is the form
// of 8.1.1 that counts only regular inspections.
QString viewStatement(bool regularOnly);
// The stored version: 0 when there is no row; false when it could not be read.
// *numeric is false when the stored text is no whole number.
bool storedVersion(TDMPro &dm, int *version, QString *error = nullptr, bool *numeric = nullptr);
// Runs the due steps. A database without the generator STOPTRIG gets it first.
Outcome run(TDMPro &dm, SchemaUpgradeLog &log, QString *error = nullptr);
// The message of a database whose version is above the program's.
QString newerDatabaseText(int storedVersion);

} // namespace SchemaUpgrade
