#include "core/rowcachemodel.h"
#include "core/format.h"
#include "core/rowcache.h"

#include <QDateTime>
#include <cmath>

RowCacheModel::RowCacheModel(RowCache *cache, QObject *parent)
    : QAbstractTableModel(parent)
{
    setCache(cache);
}

void RowCacheModel::setCache(RowCache *cache)
{
    if (m_cache == cache)
        return;
    beginResetModel();
    if (m_cache)
        disconnect(m_cache, nullptr, this, nullptr);
    m_cache = cache;
    if (m_cache) {
        connect(m_cache, &RowCache::reset, this, &RowCacheModel::cacheReset);
        connect(m_cache, &RowCache::rowChanged, this, [this](int row) {
            if (row >= 0 && row < m_rows && !m_shown.isEmpty())
                emit dataChanged(index(row, 0), index(row, m_shown.size() - 1));
        });
        // The cache has already changed when it tells; the model's own row count lets
        // the views see the change as an insertion or removal of one row.
        connect(m_cache, &RowCache::rowInserted, this, [this](int row) {
            beginInsertRows(QModelIndex(), row, row);
            ++m_rows;
            endInsertRows();
        });
        connect(m_cache, &RowCache::rowRemoved, this, [this](int row) {
            if (row < 0 || row >= m_rows)
                return;
            beginRemoveRows(QModelIndex(), row, row);
            --m_rows;
            endRemoveRows();
        });
        connect(m_cache, &QObject::destroyed, this, [this] {
            beginResetModel();
            m_cache = nullptr;
            m_rows = 0;
            endResetModel();
        });
    }
    rebuildFields();
    m_rows = m_cache ? m_cache->rowCount() : 0;
    endResetModel();
}

void RowCacheModel::setColumns(const QVector<RowCacheColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    rebuildFields();
    endResetModel();
}

void RowCacheModel::addColumn(const QString &field, const QString &title, bool editable, DisplayFormat format)
{
    QVector<RowCacheColumn> columns = m_columns;
    columns.append({field, title, editable, format});
    setColumns(columns);
}

void RowCacheModel::rebuildFields()
{
    m_shown = m_columns;
    if (m_shown.isEmpty() && m_cache) {
        for (const QString &name : m_cache->fieldNames())
            if (name != QLatin1String("OZNAC"))
                m_shown.append({name, name, true});
    }
    m_fieldIndex.clear();
    for (const RowCacheColumn &c : m_shown)
        m_fieldIndex.append(m_cache ? m_cache->fieldIndex(c.field) : -1);
}

void RowCacheModel::cacheReset()
{
    beginResetModel();
    rebuildFields();
    m_rows = m_cache ? m_cache->rowCount() : 0;
    endResetModel();
}

int RowCacheModel::fieldIndexOfColumn(int column) const
{
    return column >= 0 && column < m_fieldIndex.size() ? m_fieldIndex.at(column) : -1;
}

QString RowCacheModel::fieldOfColumn(int column) const
{
    return column >= 0 && column < m_shown.size() ? m_shown.at(column).field.trimmed().toUpper() : QString();
}

int RowCacheModel::columnOfField(const QString &field) const
{
    const QString wanted = field.trimmed().toUpper();
    for (int c = 0; c < m_shown.size(); ++c)
        if (m_shown.at(c).field.trimmed().toUpper() == wanted)
            return c;
    return -1;
}

void RowCacheModel::setReadOnly(bool on)
{
    if (m_readOnly == on)
        return;
    m_readOnly = on;
    if (m_rows > 0 && !m_shown.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows - 1, m_shown.size() - 1));
}

QVariant RowCacheModel::valueFromText(const QString &text, QMetaType type, bool *ok)
{
    auto result = [ok](const QVariant &v, bool good) {
        if (ok)
            *ok = good;
        return v;
    };
    const QString t = text.trimmed();
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        if (t.isEmpty())
            return result(QVariant(type), true);
        bool good = false;
        qlonglong n = t.toLongLong(&good);
        if (!good) {
            // "12,0" is still a whole number
            const double d = parseNumber(t, &good);
            if (!good || std::fabs(d - std::round(d)) > 1e-9 || std::fabs(d) > 9.0e18)
                return result(QVariant(type), false);
            n = qlonglong(std::llround(d));
        }
        QVariant v(n);
        if (!v.convert(type))
            return result(QVariant(type), false);
        return result(v, true);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        if (t.isEmpty())
            return result(QVariant(type), true);
        bool good = false;
        const double d = parseNumber(t, &good);
        if (!good)
            return result(QVariant(type), false);
        QVariant v(d);
        v.convert(type);
        return result(v, true);
    }
    case QMetaType::QDate: {
        if (t.isEmpty())
            return result(QVariant(type), true);
        const QDate d = parseDate(t);
        return d.isValid() ? result(QVariant(d), true) : result(QVariant(type), false);
    }
    case QMetaType::QDateTime: {
        if (t.isEmpty())
            return result(QVariant(type), true);
        const QString datePart = t.section(QLatin1Char(' '), 0, 0);
        const QString timePart = t.section(QLatin1Char(' '), 1).trimmed();
        const QDate d = parseDate(datePart);
        if (!d.isValid())
            return result(QVariant(type), false);
        QTime time(0, 0);
        if (!timePart.isEmpty()) {
            time = QTime::fromString(timePart, QStringLiteral("H:mm:ss"));
            if (!time.isValid())
                time = QTime::fromString(timePart, QStringLiteral("H:mm"));
            if (!time.isValid())
                return result(QVariant(type), false);
        }
        return result(QVariant(QDateTime(d, time)), true);
    }
    case QMetaType::QTime: {
        if (t.isEmpty())
            return result(QVariant(type), true);
        QTime time = QTime::fromString(t, QStringLiteral("H:mm:ss"));
        if (!time.isValid())
            time = QTime::fromString(t, QStringLiteral("H:mm"));
        return time.isValid() ? result(QVariant(time), true) : result(QVariant(type), false);
    }
    default:
        // texts keep what was typed, blanks included
        return result(QVariant(text), true);
    }
}

int RowCacheModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int RowCacheModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown.size();
}

QVariant RowCacheModel::data(const QModelIndex &index, int role) const
{
    if (!m_cache || !index.isValid())
        return QVariant();
    const int field = fieldIndexOfColumn(index.column());
    if (field < 0 || index.row() >= m_cache->rowCount())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return formatValue(m_cache->value(index.row(), field), m_shown.at(index.column()).format);
    case Qt::TextAlignmentRole: {
        const int type = m_cache->fieldType(field).id();
        const bool numeric = type == QMetaType::Int || type == QMetaType::LongLong
                             || type == QMetaType::Double || type == QMetaType::Float
                             || type == QMetaType::Short;
        return QVariant::fromValue(Qt::Alignment((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    default:
        return QVariant();
    }
}

bool RowCacheModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !m_cache || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int field = fieldIndexOfColumn(index.column());
    if (field < 0 || index.row() >= m_cache->rowCount())
        return false;
    const QMetaType type = m_cache->fieldType(field);
    QVariant v;
    if (value.typeId() == QMetaType::QString || !value.isValid()) {
        bool ok = false;
        v = valueFromText(value.toString(), type, &ok);
        if (!ok)
            return false;
    } else {
        v = value;
        if (type.isValid() && v.metaType() != type && !v.convert(type))
            return false;
    }
    const QVariant before = m_cache->value(index.row(), field);
    if (before == v && before.isNull() == v.isNull())
        return true;
    if (!m_cache->setValue(index.row(), field, v))
        return false;
    emit edited(index.row(), fieldOfColumn(index.column()));
    return true;
}

QVariant RowCacheModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= m_shown.size())
        return QVariant();
    return m_shown.at(section).title;
}

Qt::ItemFlags RowCacheModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_readOnly && index.column() < m_shown.size() && m_shown.at(index.column()).editable
        && fieldIndexOfColumn(index.column()) >= 0)
        f |= Qt::ItemIsEditable;
    return f;
}
