#pragma once
// The rows of one record's table held on the client while the user edits them:
// original and current values and a state per row. Changes are written only when the
// controller applies the cache inside its save transaction, and forgotten only after
// that transaction committed.
#include <QObject>
#include <QSqlField>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

class QSqlQuery;
class TDMPro;

class RowCache : public QObject
{
    Q_OBJECT
public:
    enum RowState { Unchanged, Modified, Inserted };
    struct Row
    {
        QVector<QVariant> original;
        QVector<QVariant> current;
        RowState state = Unchanged;
    };

    explicit RowCache(QObject *parent = nullptr);

    // Reads every row of an executed query (the query is read to its end).
    void load(QSqlQuery &query);
    // Structure only (no rows), from a record.
    void setFields(const QSqlRecord &record);
    void clear();
    bool isOpen() const { return m_open; }
    void setOpen(bool open) { m_open = open; }

    QStringList fieldNames() const { return m_names; }
    int fieldCount() const { return m_names.size(); }
    int fieldIndex(const QString &name) const;   // case-insensitive, -1 when absent
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }
    QMetaType fieldType(int column) const { return m_record.field(column).metaType(); }

    int rowCount() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const Row &row(int index) const { return m_rows.at(index); }

    // Cursor.
    int currentRow() const { return m_current; }
    void setCurrentRow(int index);
    bool first();
    bool last();
    bool next();
    bool prior();
    bool locate(const QString &field, const QVariant &value);

    QVariant value(int row, int column) const;
    QVariant value(int row, const QString &field) const;
    QVariant value(const QString &field) const;      // current row; invalid when none
    QVariant originalValue(int row, const QString &field) const;
    bool setValue(int row, int column, const QVariant &value);
    bool setValue(const QString &field, const QVariant &value);   // current row
    // A value written to the table outside the cache's own apply: it becomes both the
    // original and the current value; the row's other changes stay pending.
    bool setStoredValue(int row, const QString &field, const QVariant &value);

    // Whether new rows may be started now (the controller allows it only inside its
    // insert and append operations); a refused append beeps and returns -1.
    void setInsertGate(std::function<bool()> gate) { m_insertGate = std::move(gate); }
    int appendRow();
    // Removes the current row: an inserted row is simply dropped, a stored one is
    // remembered for deletion at the next apply.
    bool deleteCurrentRow();
    // Removes the current row as one the table no longer holds (deleted by other
    // means): nothing is left to delete at the next apply.
    bool dropCurrentRow();

    bool isDirty() const;
    int deletedCount() const { return m_deleted.size(); }
    const QVector<Row> &deletedRows() const { return m_deleted; }
    // Forgets all changes (the cache shows what was read).
    void cancelUpdates();
    // The changes are stored: originals become the current values.
    void commitUpdates();

    // Everything the rows hold, for a caller whose transaction around a save is rolled
    // back after the cache had already taken the stored state (a nested save).
    struct Snapshot
    {
        QVector<Row> rows;
        QVector<Row> deleted;
        int current = -1;
    };
    Snapshot snapshot() const { return {m_rows, m_deleted, m_current}; }
    void restore(const Snapshot &snapshot);

signals:
    void reset();
    void rowChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);
    void currentRowChanged(int row);

private:
    bool removeCurrentRow(bool deleteOnApply);

    QSqlRecord m_record;
    QStringList m_names;
    QVector<Row> m_rows;
    QVector<Row> m_deleted;
    int m_current = -1;
    bool m_open = false;
    std::function<bool()> m_insertGate;
};

// Writes the changes of a cache to its table: deletes, updates and inserts, each
// update and delete under the row's key and change counter. Runs inside the caller's
// transaction and never touches the cache, so a failed save can be retried.
class CacheWriter
{
public:
    struct Result
    {
        bool ok = true;
        bool conflict = false;   // a row was changed or removed meanwhile
        QString error;
        // new KLIC values of updated rows (row index -> value), to be put into the
        // cache after the commit
        QVector<QPair<int, int>> newCounters;
    };

    CacheWriter(TDMPro *dm, const QString &table);
    // Columns written; by default every stored column of the table that the cache has.
    void setWriteColumns(const QStringList &columns) { m_writeColumns = columns; }
    Result apply(const RowCache &cache) const;

    // Stored (not computed) columns of a table in their order, upper case.
    static QStringList tableColumns(TDMPro *dm, const QString &table);

private:
    QStringList columnsFor(const RowCache &cache) const;
    TDMPro *m_dm;
    QString m_table;
    QStringList m_writeColumns;
};

// Puts the new change counters into the cache after a successful commit.
void applyNewCounters(RowCache &cache, const CacheWriter::Result &result);
