#pragma once
// Small routines several controllers share: whether a dataset has rows, the bulk
// update of list rows and moving a row by swapping it with its neighbour.
//
// Our datasets have no edit or insert state: a value set in a RowCache is the edit
// and the controller's save writes it, so nothing has to be put into edit state or
// posted before or after a change.
#include <QChar>
#include <QString>
#include <QVector>

class ListDataset;
class RowCache;
class TDMPro;
class TVarSQL;

// True when the dataset exists, is open and has at least one row.
bool HasRows(const ListDataset *dataset);
bool HasRows(const RowCache *dataset);

// Which rows of a list UpdateRows writes.
enum UpdateScope {
    UpdateCurrentRow = 0,
    UpdateAllRows = 1,
    UpdateMarkedRows = 2,
    UpdateUnmarkedRows = 3,
};

// Asks whether the rows of a scope other than the current row are to be filled
// ("Doplnit označené záznamy?", ... caption "Pozor"). True for the current row or Yes.
bool ConfirmUpdateScope(int scope);

// Writes the values into the table rows of the list's rows in the scope, by the key
// column, all in one transaction: "UpDate table SET A = :A,B = :B WHERE key = :key".
// Where the table has a KLIC column it is raised as a save would (null becomes 0), so
// a workstation that has one of the rows open cannot overwrite the change. With
// skipLocked, rows whose ZAMEK is 'A' in the list are left out (when the list has
// that column). Rows beyond the page read so far are read first. No rows in the scope
// is not a failure.
// Returns 0, or -2 when anything failed (then no row was changed; the reason goes to
// *error). The list's rows keep the values they were read with: reopen the list.
int UpdateRows(ListDataset &list, TDMPro *dm, const QString &table, const QString &keyColumn,
               int scope, const TVarSQL &values, bool skipLocked, QString *error = nullptr);

// Moves the current row one place down ('N') or up ('P') by exchanging every value
// but the key column with the neighbour's; the current row follows the moved values.
// The cache is only edited: the caller saves it. Returns 0 when moved, -1 at the end
// of the rows (a notice is shown, nothing changes) and -2 on failure (message shown).
int SwapWithNeighbour(RowCache &cache, QChar direction, const QString &keyField);
