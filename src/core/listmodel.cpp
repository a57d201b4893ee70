#include "core/listmodel.h"
#include "core/format.h"
#include "core/listdataset.h"

ListModel::ListModel(ListDataset *dataset, QObject *parent)
    : QAbstractTableModel(parent), m_dataset(dataset)
{
    connect(dataset, &ListDataset::aboutToReset, this, [this] {
        if (!m_resetting) {
            m_resetting = true;
            beginResetModel();
        }
    });
    connect(dataset, &ListDataset::reset, this, [this] {
        if (!m_resetting)
            beginResetModel();
        resetFromDataset();
        m_resetting = false;
        endResetModel();
    });
    connect(dataset, &ListDataset::rowsAppended, this, [this](int first, int last) {
        if (first != m_rows)
            return;
        beginInsertRows(QModelIndex(), first, last);
        m_rows = last + 1;
        endInsertRows();
    });
    connect(dataset, &ListDataset::rowRemoved, this, [this](int row) {
        beginRemoveRows(QModelIndex(), row, row);
        m_rows = m_dataset->loadedRows();
        endRemoveRows();
    });
    connect(dataset, &ListDataset::rowChanged, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    resetFromDataset();
}

void ListModel::resetFromDataset()
{
    m_rows = m_dataset->loadedRows();
    m_fieldIndex.clear();
    if (m_columns.isEmpty()) {
        for (const QString &f : m_dataset->fieldNames())
            if (f != QLatin1String("OZNAC"))
                m_fieldIndex << m_dataset->fieldIndex(f);
    } else {
        for (const ListColumn &c : m_columns)
            m_fieldIndex << m_dataset->fieldIndex(c.field);
    }
}

void ListModel::setColumns(const QVector<ListColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    for (ListColumn &c : m_columns)
        c.field = c.field.trimmed().toUpper();
    resetFromDataset();
    endResetModel();
}

void ListModel::setFieldFormats(const QHash<QString, DisplayFormat> &formats)
{
    m_fieldFormats = formats;
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
}

DisplayFormat ListModel::columnFormat(int column) const
{
    const ListColumn c = columnAt(column);
    if (c.format != DisplayFormat::Auto)
        return c.format;
    return m_fieldFormats.value(c.field.toUpper(), DisplayFormat::Auto);
}

int ListModel::fieldOfColumn(int column) const
{
    return column >= 0 && column < m_fieldIndex.size() ? m_fieldIndex.at(column) : -1;
}

ListColumn ListModel::columnAt(int column) const
{
    if (!m_columns.isEmpty())
        return column >= 0 && column < m_columns.size() ? m_columns.at(column) : ListColumn();
    ListColumn c;
    const int f = fieldOfColumn(column);
    if (f >= 0) {
        c.field = m_dataset->fieldNames().at(f);
        c.caption = c.field;
        c.order = c.field;
    }
    return c;
}

void ListModel::setColourMode(bool on)
{
    m_colourMode = on;
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_fieldIndex.size();
}

QColor colourFromNumber(const QVariant &value, const QColor &fallback)
{
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok || n < 1)
        return fallback;
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

CellLook ListModel::look(int row, int column) const
{
    CellLook look;
    const bool marked = m_dataset->isMarked(row);
    if (m_colourMode) {
        look.background = colourFromNumber(m_dataset->value(row, QStringLiteral("BARVABACK")), Qt::white);
        if (!marked)
            look.font = colourFromNumber(m_dataset->value(row, QStringLiteral("BARVAFONT")), Qt::black);
    }
    if (marked) {
        look.bold = true;
        look.font = ListColours::marked();
    }
    if (cellColors)
        cellColors(row, column, look);
    return look;
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return formatValue(cellValue(index), columnFormat(index.column()));
    case Qt::EditRole:
        return cellValue(index);
    case Qt::TextAlignmentRole: {
        if (!m_columns.isEmpty())
            return int(m_columns.at(index.column()).alignment);
        const DisplayFormat f = columnFormat(index.column());
        return f == DisplayFormat::Money || f == DisplayFormat::Quantity ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                                                                         : QVariant();
    }
    case Qt::FontRole: {
        const CellLook l = look(index.row(), index.column());
        if (!l.bold)
            return QVariant();
        QFont f;
        f.setBold(true);
        return f;
    }
    case Qt::ForegroundRole:
        return look(index.row(), index.column()).font;
    case Qt::BackgroundRole:
        return look(index.row(), index.column()).background;
    default:
        return QVariant();
    }
}

bool ListModel::isOwnColumn(int column) const
{
    return !ownFields.isEmpty() && ownFields.contains(columnAt(column).field, Qt::CaseInsensitive);
}

QVariant ListModel::cellValue(const QModelIndex &index) const
{
    if (ownValue && isOwnColumn(index.column())) {
        const QVariant own = ownValue(index.row(), columnAt(index.column()).field);
        if (own.isValid())
            return own;
    }
    return m_dataset->value(index.row(), fieldOfColumn(index.column()));
}

Qt::ItemFlags ListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && setOwnValue && isOwnColumn(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_rows || !setOwnValue
        || !isOwnColumn(index.column()))
        return false;
    if (!setOwnValue(index.row(), columnAt(index.column()).field, value))
        return false;
    emit dataChanged(index, index);
    return true;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return columnAt(section).caption;
    return QVariant();
}

bool ListModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_dataset->canFetchMore();
}

void ListModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        m_dataset->fetchMore();
}
