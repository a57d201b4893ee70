#pragma once
// Exchange of changed records between two installations through a transfer database
// (Export.GDB), without windows: the window TfExpImp and the batch program both run
// these. The transfer file is a Firebird database made and read with the embedded
// engine in a working folder of its own (never the program's folder), whatever the
// main database's connection; only the finished file is copied to the chosen folder.
//
// An import blocks writes on every workstation (STOPTRIG 1, which also keeps the
// incoming change stamps), merges everything in one transaction of the program's
// database and lifts the block on every exit path, so a failure leaves the database
// as it was and nobody blocked.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class TDMPro;

namespace Exchange {

// One check box of the window and the tables it carries, in the order they are
// processed; only the system area exports in another order than it imports.
struct Area
{
    QString box;              // cbAdr, cbDil, …
    QString caption;          // "Adresář", …
    QStringList exportTables;
    QStringList importTables;
};

// The twelve areas in the window's order.
const QVector<Area> &areas();
// The area of a box name ("cbAdr", or "adr" without the prefix, case ignored); null
// when there is none.
const Area *areaOf(const QString &name);
// Every box name.
QStringList allAreas();

// The file name written by the export.
QString transferFileName();
// The transfer file in the folder, its name matched without regard to case; empty
// when there is none.
QString findTransferFile(const QString &folder);

// Called with the table being carried, the rows done so far and the rows of the
// whole run.
using ProgressCallback = std::function<void(const QString &table, qint64 done, qint64 total)>;

struct Outcome
{
    bool ok = false;
    // The import refused to start because writes were blocked already (an import
    // running elsewhere, or one that was interrupted): see liftBlock.
    bool blockedAlready = false;
    QString message;            // the final words for the user
    QStringList notCarried;     // "Tabulka T Položka C" of every column not carried
    int tables = 0;             // tables written into the file, or read from it
    qint64 rows = 0;            // rows exported, or incoming rows read
    qint64 changed = 0;         // import: rows inserted or replaced
};

// Writes the rows of the areas' tables changed on or after since (KDY) into
// folder/Export.GDB; a table without such rows is not created.
Outcome exportChanges(TDMPro &source, const QString &folder, const QDate &since,
                      const QStringList &areaBoxes, const ProgressCallback &progress = {});

// Merges the transfer file of the folder into the database: a row replaces the local
// one of its key when its KDY is later, is inserted when the key is absent, and is
// skipped otherwise; nothing is deleted.
Outcome importChanges(TDMPro &target, const QString &folder, const QStringList &areaBoxes,
                      const ProgressCallback &progress = {});

// Sets STOPTRIG back to 0 (a block an interrupted import left behind).
bool liftBlock(TDMPro &dm, QString *error = nullptr);

} // namespace Exchange
