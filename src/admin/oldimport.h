#pragma once
// The one-time import of a database of the previous major version (7.4x), without
// windows: the source is opened (a backup of it is first restored into a temporary
// file), the old warehouse movements become stock slips, the listed tables are copied
// one by one with their column mapping, the old state digits become letters and the
// generators are raised above the copied keys. The window TfPrevodDat only shows what
// the callbacks report.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

#include "core/firebird.h"

class QTemporaryDir;
class TDMPro;

namespace OldImport {

// One difference between the old and the new layout of a table: the target column and
// what fills it, an old column's name or an SQL constant (0, ' ', 22, 'A').
struct Difference
{
    const char *target;
    const char *source;
};

struct TableMapping
{
    const char *table;
    QVector<Difference> differences;
    const char *orderBy = "UNCIS";
};

// The copied tables in the order of the import.
const QVector<TableMapping> &tables();

// The paired column lists of one table: source expressions and target columns of the
// same length. Columns of the target the old layout does not know keep their default.
struct ColumnPairs
{
    QStringList source;
    QStringList target;
};
ColumnPairs pairColumns(const TableMapping &mapping, const QStringList &targetColumns,
                        const QStringList &sourceColumns);

// The user columns of a table in their order (empty when the table does not exist).
QStringList tableColumns(const TDMPro &dm, const QString &table);

// The texts a failed row shows.
inline const QString DuplicateText = QStringLiteral("Duplicita");
inline const QString RowErrorText = QStringLiteral("Chyba záznamu");

struct Callbacks
{
    // Before each table (and the warehouse step): done of total, and its name.
    std::function<void(int done, int total, const QString &table)> tableProgress;
    // Rows of the current table.
    std::function<void(int done, int total)> rowProgress;
    // One line of the run's log.
    std::function<void(const QString &line)> log;
    // A row that could not be written: its table, key, DuplicateText or RowErrorText,
    // and the engine's words.
    std::function<void(const QString &table, const QVariant &key, const QString &text,
                       const QString &detail)> rowFailed;
};

struct Outcome
{
    int tablesCopied = 0;
    QStringList tablesSkipped;   // missing or unreadable: their target is untouched
    int rowsCopied = 0;
    int rowsFailed = 0;
    int slips = 0;
    int slipLines = 0;
};

class Importer
{
public:
    Importer(TDMPro *target, TDMPro *source, Callbacks callbacks = {});

    // The whole run: warehouse, tables, state codes, generators.
    Outcome run();

    // "Převod skladu": SKLPOH into SKLADPREVODH / SKLADPREVODP.
    bool convertWarehouse();
    // One table; false when it was skipped (the target is then as it was).
    bool copyTable(const TableMapping &mapping);
    // "Doplnění": the old state digits of the inspections become letters.
    bool convertStates();
    // Every copied table's generator above its highest key, never lowered.
    bool raiseGenerators();

    const Outcome &outcome() const { return m_outcome; }

private:
    void log(const QString &line) const;
    void skip(const QString &table, const QString &why);
    int sourceRowCount(const QString &table) const;

    TDMPro *m_target;
    TDMPro *m_source;
    Callbacks m_callbacks;
    Outcome m_outcome;
};

// The database the import reads: a Firebird 3 database opened directly, or a backup
// (.fbk, .gbk) restored into a temporary file that goes when the source is closed.
class Source
{
public:
    Source();
    ~Source();
    Source(const Source &) = delete;
    Source &operator=(const Source &) = delete;

    // host is that of the program's connection; false with the reason in *error.
    bool open(const QString &file, const QString &host, const QString &user, const QString &password,
              QString *error);
    void close();
    TDMPro *dm() const { return m_dm.get(); }
    // Where the rows are read from: the file itself or the restored copy.
    QString databaseFile() const { return m_databaseFile; }

    static bool isBackupFile(const QString &file);

private:
    std::unique_ptr<TDMPro> m_dm;
    std::unique_ptr<QTemporaryDir> m_restoreDir;
    QString m_databaseFile;
};

} // namespace OldImport
