#pragma once
// The grid model of the rows a window edits (a code list, the items of a record): the
// rows of a RowCache shown as text the way every grid shows values, and what the user
// types turned back into a value of the column's type before it goes into the cache.
#include <QAbstractTableModel>
#include <QMetaType>
#include <QString>
#include <QVector>

#include "core/format.h"

class RowCache;

struct RowCacheColumn
{
    QString field;          // field of the cache (any case)
    QString title;          // grid title
    bool editable = true;   // false: shown only (a key rule or a picker writes it)
    DisplayFormat format = DisplayFormat::Auto;   // Auto: by the value's type
};

class RowCacheModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit RowCacheModel(RowCache *cache = nullptr, QObject *parent = nullptr);

    void setCache(RowCache *cache);
    RowCache *cache() const { return m_cache; }

    // The grid columns in their order. Without any, every field of the cache is a column
    // titled with its name, except the list mark OZNAC.
    void setColumns(const QVector<RowCacheColumn> &columns);
    void addColumn(const QString &field, const QString &title, bool editable = true,
                   DisplayFormat format = DisplayFormat::Auto);
    const QVector<RowCacheColumn> &columns() const { return m_columns; }
    // The cache field of a grid column (-1 when the cache lacks it), and back.
    int fieldIndexOfColumn(int column) const;
    QString fieldOfColumn(int column) const;
    int columnOfField(const QString &field) const;

    // While read-only nothing can be typed into any column.
    void setReadOnly(bool on);
    bool isReadOnly() const { return m_readOnly; }

    // A typed text as a value of the given type: numbers with either separator, dates
    // as d.m.yyyy; an empty text is null (an empty text for text columns). ok is false
    // when the text is no value of that type.
    static QVariant valueFromText(const QString &text, QMetaType type, bool *ok = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // The user changed a value through the grid (not emitted for changes made in code).
    void edited(int row, const QString &field);

private:
    void cacheReset();
    void rebuildFields();
    RowCache *m_cache = nullptr;
    QVector<RowCacheColumn> m_columns;
    QVector<RowCacheColumn> m_shown;   // the columns in use (m_columns or every field)
    QVector<int> m_fieldIndex;
    int m_rows = 0;
    bool m_readOnly = false;
};
