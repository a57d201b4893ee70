#pragma once
// The grid model of a list window over its ListDataset: the visible columns with
// their captions, rows read a page at a time as the view scrolls, marked rows bold and
// green, the optional colour columns, and a last word for the window on each cell.
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QStringList>
#include <QVector>
#include <functional>

#include "core/format.h"

class ListDataset;

struct ListColumn
{
    QString field;       // field name in the list query (upper case)
    QString caption;
    int width = 100;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString order;       // expression the title sort orders by
    DisplayFormat format = DisplayFormat::Auto;   // Auto: the list's format of the field
};

// What a cell looks like; the window's CellColors may change it.
struct CellLook
{
    QColor font = Qt::black;
    QColor background = Qt::white;
    bool bold = false;
};

class ListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ListModel(ListDataset *dataset, QObject *parent = nullptr);

    // The visible columns; empty shows every field of the query but the mark.
    void setColumns(const QVector<ListColumn> &columns);
    const QVector<ListColumn> &columns() const { return m_columns; }
    // The display format of the fields (upper case) whose columns name none, from the
    // data dictionary; a field in neither shows by its value's type.
    void setFieldFormats(const QHash<QString, DisplayFormat> &formats);
    DisplayFormat columnFormat(int column) const;
    int fieldOfColumn(int column) const;
    ListColumn columnAt(int column) const;

    // Row colours from the list columns BARVABACK and BARVAFONT.
    void setColourMode(bool on);
    bool colourMode() const { return m_colourMode; }
    std::function<void(int row, int column, CellLook &look)> cellColors;

    // Columns the user types into although the list is read only (an order quantity
    // typed beside each row): the window keeps their values, by row, and says which
    // field they belong to. ownValue gives a cell's value (invalid: the list's value);
    // setOwnValue takes what was typed and returns false to refuse it.
    QStringList ownFields;
    std::function<QVariant(int row, const QString &field)> ownValue;
    std::function<bool(int row, const QString &field, const QVariant &value)> setOwnValue;

    CellLook look(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    void resetFromDataset();
    QVariant cellValue(const QModelIndex &index) const;
    bool isOwnColumn(int column) const;
    ListDataset *m_dataset;
    QVector<ListColumn> m_columns;
    QVector<int> m_fieldIndex;
    QHash<QString, DisplayFormat> m_fieldFormats;
    int m_rows = 0;
    bool m_resetting = false;
    bool m_colourMode = false;
};

// The colours the list windows use for sorted titles and marked rows.
namespace ListColours {
inline QColor ascending() { return QColor(0, 0, 255); }
inline QColor descending() { return QColor(0, 128, 0); }
inline QColor marked() { return QColor(0, 128, 0); }
}

// A colour stored as a Windows colour number (blue in the high byte).
QColor colourFromNumber(const QVariant &value, const QColor &fallback);
