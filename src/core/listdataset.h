#pragma once
// The rows of a list window: the list query's rows, fetched a screenful at a time as
// the grid scrolls, with the record count from a separate count query and the row
// marks kept on the client.
#include <QObject>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

#include "core/sqlrun.h"

class TDMPro;

class ListDataset : public QObject
{
    Q_OBJECT
public:
    static constexpr int PageSize = 256;
    // The first read is one screenful, so a list shows as soon as its first rows arrive.
    static constexpr int FirstPageSize = 64;

    explicit ListDataset(QObject *parent = nullptr);

    // Runs the list query and reads the first page. countSql counts the same rows.
    bool open(TDMPro *dm, const QString &selectSql, const QString &countSql,
              const SqlParameters &parameters, QString *error = nullptr);
    void close();
    bool isOpen() const { return m_open; }
    QString selectSql() const { return m_selectSql; }
    QString countSql() const { return m_countSql; }
    const SqlParameters &parameters() const { return m_parameters; }

    QStringList fieldNames() const { return m_names; }
    int fieldIndex(const QString &name) const;

    // Rows read so far; more may follow while canFetchMore() is true.
    int loadedRows() const { return m_rows.size(); }
    bool canFetchMore() const { return m_query.has_value(); }
    int fetchMore(int count = PageSize);
    void fetchAll();
    // Number of rows of the whole list (one count query, then remembered).
    int recordCount();
    // Whether recordCount() is known without asking the database.
    bool recordCountKnown() const { return m_recordCount >= 0 || (m_open && !m_query); }

    QVariant value(int row, int column) const;
    QVariant value(int row, const QString &field) const;
    QVariant value(const QString &field) const;   // current row

    int currentRow() const { return m_current; }
    void setCurrentRow(int row);
    bool isEmpty() const { return m_rows.isEmpty() && !canFetchMore(); }
    // Finds the first row whose column equals the value, reading further pages as
    // needed, but not beyond maxRows rows (-1: the whole list).
    int find(const QString &field, const QVariant &value, int maxRows = -1);
    bool locate(const QString &field, const QVariant &value, int maxRows = -1);
    // Makes the row of the value current however deep it lies: its position comes from
    // the list query read for that column alone, and only the rows up to it are read
    // whole. Falls back to find() over the first fallbackRows rows when the list query
    // cannot be read that way. False when the value is not in the list.
    bool locateAnywhere(const QString &field, const QVariant &value, int fallbackRows);

    // Marks (the OZNAC column of the list query is the initial state).
    bool isMarked(int row) const;
    void setMarked(int row, bool marked);
    int markedCount() const { return m_markedCount; }
    QVector<int> markedRows() const;   // of the rows read so far

    // Drops a row from the list, after its record was deleted in the database.
    void removeRow(int row);

signals:
    void aboutToReset();
    void reset();
    void rowsAppended(int first, int last);
    void rowRemoved(int row);
    void rowChanged(int row);
    void currentRowChanged(int row);

private:
    // The position of the value in the list query read for the one column, -1 when it
    // is not there, -2 when that query cannot be run.
    int positionOf(const QString &field, const QVariant &value) const;
    struct Row
    {
        QVector<QVariant> values;
        bool marked = false;
    };
    void readRow();
    TDMPro *m_dm = nullptr;
    std::optional<QSqlQuery> m_query;
    QString m_selectSql;
    QString m_countSql;
    SqlParameters m_parameters;
    QStringList m_names;
    QVector<Row> m_rows;
    int m_current = -1;
    int m_markColumn = -1;
    int m_markedCount = 0;
    int m_recordCount = -1;
    bool m_open = false;
};
