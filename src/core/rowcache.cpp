#include "core/rowcache.h"
#include "core/datamodulpro.h"
#include "core/sqlrun.h"
#include "core/sqlvalue.h"
#include "core/prompt.h"

#include <QHash>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

RowCache::RowCache(QObject *parent)
    : QObject(parent)
{
}

void RowCache::setFields(const QSqlRecord &record)
{
    m_record = record;
    m_names.clear();
    for (int i = 0; i < record.count(); ++i)
        m_names << record.fieldName(i).trimmed().toUpper();
}

void RowCache::load(QSqlQuery &query)
{
    m_rows.clear();
    m_deleted.clear();
    setFields(query.record());
    const int n = m_names.size();
    while (query.next()) {
        Row r;
        r.original.resize(n);
        for (int i = 0; i < n; ++i)
            r.original[i] = readField(query, i);
        r.current = r.original;
        m_rows.append(r);
    }
    m_open = true;
    m_current = m_rows.isEmpty() ? -1 : 0;
    emit reset();
    emit currentRowChanged(m_current);
}

void RowCache::clear()
{
    m_rows.clear();
    m_deleted.clear();
    m_current = -1;
    m_open = false;
    emit reset();
}

int RowCache::fieldIndex(const QString &name) const
{
    return m_names.indexOf(name.trimmed().toUpper());
}

void RowCache::setCurrentRow(int index)
{
    if (index < -1 || index >= m_rows.size())
        return;
    if (m_current == index)
        return;
    m_current = index;
    emit currentRowChanged(m_current);
}

bool RowCache::first()
{
    if (m_rows.isEmpty())
        return false;
    setCurrentRow(0);
    return true;
}

bool RowCache::last()
{
    if (m_rows.isEmpty())
        return false;
    setCurrentRow(m_rows.size() - 1);
    return true;
}

bool RowCache::next()
{
    if (m_current + 1 >= m_rows.size())
        return false;
    setCurrentRow(m_current + 1);
    return true;
}

bool RowCache::prior()
{
    if (m_current <= 0)
        return false;
    setCurrentRow(m_current - 1);
    return true;
}

bool RowCache::locate(const QString &field, const QVariant &value)
{
    const int c = fieldIndex(field);
    if (c < 0)
        return false;
    for (int r = 0; r < m_rows.size(); ++r) {
        const QVariant &v = m_rows.at(r).current.at(c);
        if (!v.isNull() && v.toString() == value.toString()) {
            setCurrentRow(r);
            return true;
        }
    }
    return false;
}

QVariant RowCache::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_names.size())
        return QVariant();
    return m_rows.at(row).current.at(column);
}

QVariant RowCache::value(int row, const QString &field) const
{
    return value(row, fieldIndex(field));
}

QVariant RowCache::value(const QString &field) const
{
    return value(m_current, fieldIndex(field));
}

QVariant RowCache::originalValue(int row, const QString &field) const
{
    const int c = fieldIndex(field);
    if (row < 0 || row >= m_rows.size() || c < 0)
        return QVariant();
    return m_rows.at(row).original.at(c);
}

bool RowCache::setValue(int row, int column, const QVariant &value)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_names.size())
        return false;
    Row &r = m_rows[row];
    if (r.current.at(column) == value && r.current.at(column).isNull() == value.isNull())
        return true;
    r.current[column] = value;
    if (r.state == Unchanged)
        r.state = Modified;
    emit rowChanged(row);
    return true;
}

bool RowCache::setValue(const QString &field, const QVariant &value)
{
    return setValue(m_current, fieldIndex(field), value);
}

int RowCache::appendRow()
{
    if (m_insertGate && !m_insertGate()) {
        Prompt::beep();
        return -1;
    }
    Row r;
    r.original.resize(m_names.size());
    for (int i = 0; i < m_names.size(); ++i)
        r.original[i] = QVariant(m_record.field(i).metaType());
    r.current = r.original;
    r.state = Inserted;
    m_rows.append(r);
    const int index = m_rows.size() - 1;
    emit rowInserted(index);
    setCurrentRow(index);
    return index;
}

bool RowCache::deleteCurrentRow()
{
    return removeCurrentRow(true);
}

bool RowCache::dropCurrentRow()
{
    return removeCurrentRow(false);
}

bool RowCache::removeCurrentRow(bool deleteOnApply)
{
    if (m_current < 0 || m_current >= m_rows.size())
        return false;
    const Row r = m_rows.takeAt(m_current);
    if (deleteOnApply && r.state != Inserted)
        m_deleted.append(r);
    const int removed = m_current;
    emit rowRemoved(removed);
    m_current = -1;
    setCurrentRow(qMin(removed, m_rows.size() - 1));
    return true;
}

bool RowCache::isDirty() const
{
    if (!m_deleted.isEmpty())
        return true;
    for (const Row &r : m_rows)
        if (r.state != Unchanged)
            return true;
    return false;
}

void RowCache::cancelUpdates()
{
    QVector<Row> kept;
    for (Row r : m_rows) {
        if (r.state == Inserted)
            continue;
        r.current = r.original;
        r.state = Unchanged;
        kept.append(r);
    }
    for (Row r : m_deleted) {
        r.current = r.original;
        r.state = Unchanged;
        kept.append(r);
    }
    m_rows = kept;
    m_deleted.clear();
    m_current = m_rows.isEmpty() ? -1 : qBound(0, m_current, m_rows.size() - 1);
    emit reset();
    emit currentRowChanged(m_current);
}

bool RowCache::setStoredValue(int row, const QString &field, const QVariant &value)
{
    const int column = fieldIndex(field);
    if (row < 0 || row >= m_rows.size() || column < 0)
        return false;
    Row &r = m_rows[row];
    r.original[column] = value;
    r.current[column] = value;
    if (r.state == Modified && r.original == r.current)
        r.state = Unchanged;
    emit rowChanged(row);
    return true;
}

void RowCache::commitUpdates()
{
    for (Row &r : m_rows) {
        r.original = r.current;
        r.state = Unchanged;
    }
    m_deleted.clear();
}

void RowCache::restore(const Snapshot &snapshot)
{
    m_rows = snapshot.rows;
    m_deleted = snapshot.deleted;
    m_current = m_rows.isEmpty() ? -1 : qBound(0, snapshot.current, m_rows.size() - 1);
    emit reset();
    emit currentRowChanged(m_current);
}

// ---------------------------------------------------------------------------

CacheWriter::CacheWriter(TDMPro *dm, const QString &table)
    : m_dm(dm), m_table(table.trimmed().toUpper())
{
}

QStringList CacheWriter::tableColumns(TDMPro *dm, const QString &table)
{
    // Column lists change only with the schema; keep them per connection and table.
    static QHash<QString, QStringList> cache;
    const QString key = dm->connectionName() + QLatin1Char('/') + dm->database().databaseName()
                        + QLatin1Char('/') + table.trimmed().toUpper();
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return it.value();
    QSqlQuery q = runSql(dm,
                         QStringLiteral("SELECT TRIM(RF.RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS RF "
                                        "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
                                        "WHERE RF.RDB$RELATION_NAME = :T AND F.RDB$COMPUTED_BLR IS NULL "
                                        "ORDER BY RF.RDB$FIELD_POSITION"),
                         {{QStringLiteral("T"), table.trimmed().toUpper()}});
    QStringList columns;
    while (q.next())
        columns << q.value(0).toString().trimmed();
    if (!columns.isEmpty())
        cache.insert(key, columns);
    return columns;
}

QStringList CacheWriter::columnsFor(const RowCache &cache) const
{
    const QStringList stored = m_writeColumns.isEmpty() ? tableColumns(m_dm, m_table) : m_writeColumns;
    QStringList result;
    for (const QString &c : stored)
        if (cache.hasField(c))
            result << c.toUpper();
    return result;
}

namespace {
// "-913 update conflicts with concurrent update" and lock conflicts count as a conflict.
bool isConflictError(const QSqlError &e)
{
    const QString code = e.nativeErrorCode();
    const QString text = e.text();
    return code == QLatin1String("-913") || code == QLatin1String("-901")
           || text.contains(QLatin1String("update conflicts"), Qt::CaseInsensitive)
           || text.contains(QLatin1String("lock conflict"), Qt::CaseInsensitive);
}
} // namespace

CacheWriter::Result CacheWriter::apply(const RowCache &cache) const
{
    Result result;
    const QStringList columns = columnsFor(cache);
    const bool hasKlic = columns.contains(QStringLiteral("KLIC"));
    const QString where = hasKlic
        ? QStringLiteral(" WHERE UNCIS = :OLD_UNCIS AND KLIC IS NOT DISTINCT FROM :OLD_KLIC")
        : QStringLiteral(" WHERE UNCIS = :OLD_UNCIS");

    auto fail = [&](const QSqlQuery &q, const QString &what) {
        result.ok = false;
        result.conflict = isConflictError(q.lastError());
        result.error = what + QLatin1Char(' ') + m_table + QStringLiteral(": ") + q.lastError().text();
    };
    // a row another station changed or deleted since it was read is not written over
    auto changedMeanwhile = [&](const QSqlQuery &q, const QString &message) {
        if (q.numRowsAffected() == 1)
            return false;
        result.ok = false;
        result.conflict = true;
        result.error = message.arg(m_table);
        return true;
    };
    auto bindOld = [&](QSqlQuery &q, const RowCache::Row &r) {
        q.bindValue(QStringLiteral(":OLD_UNCIS"), r.original.at(cache.fieldIndex(QStringLiteral("UNCIS"))));
        if (hasKlic)
            q.bindValue(QStringLiteral(":OLD_KLIC"), r.original.at(cache.fieldIndex(QStringLiteral("KLIC"))));
    };

    // deletions first: a deleted row's key may come back as an inserted one
    if (cache.deletedCount() > 0) {
        QSqlQuery q = m_dm->NewQuery();
        q.prepare(QStringLiteral("DELETE FROM ") + m_table + where);
        for (const RowCache::Row &r : cache.deletedRows()) {
            bindOld(q, r);
            if (!q.exec()) { fail(q, QStringLiteral("DELETE")); return result; }
            if (changedMeanwhile(q, QStringLiteral("Záznam v tabulce %1 byl mezitím změněn nebo smazán.")))
                return result;
        }
    }

    QString sets;
    for (const QString &c : columns)
        sets += (sets.isEmpty() ? QString() : QStringLiteral(", ")) + c + QStringLiteral(" = :") + c;
    QString names, params;
    for (const QString &c : columns) {
        names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + c;
        params += (params.isEmpty() ? QString() : QStringLiteral(", ")) + QLatin1Char(':') + c;
    }

    QSqlQuery update = m_dm->NewQuery();
    QSqlQuery insert = m_dm->NewQuery();
    bool updatePrepared = false, insertPrepared = false;
    const int klicColumn = cache.fieldIndex(QStringLiteral("KLIC"));

    for (int i = 0; i < cache.rowCount(); ++i) {
        const RowCache::Row &r = cache.row(i);
        if (r.state == RowCache::Unchanged)
            continue;
        if (r.state == RowCache::Modified) {
            if (!updatePrepared) {
                update.prepare(QStringLiteral("UPDATE ") + m_table + QStringLiteral(" SET ") + sets + where);
                updatePrepared = true;
            }
            int newKlic = 0;
            if (hasKlic) {
                const QVariant old = r.original.at(klicColumn);
                newKlic = (old.isNull() || old.toString().trimmed().isEmpty()) ? 0 : old.toInt() + 1;
            }
            for (const QString &c : columns) {
                const QVariant v = (c == QLatin1String("KLIC")) ? QVariant(newKlic)
                                                                 : r.current.at(cache.fieldIndex(c));
                update.bindValue(QLatin1Char(':') + c, v);
            }
            bindOld(update, r);
            if (!update.exec()) { fail(update, QStringLiteral("UPDATE")); return result; }
            if (changedMeanwhile(update, QStringLiteral("Záznam v tabulce %1 byl mezitím změněn jinou stanicí.")))
                return result;
            if (hasKlic)
                result.newCounters.append({i, newKlic});
        } else {
            if (!insertPrepared) {
                insert.prepare(QStringLiteral("INSERT INTO ") + m_table + QStringLiteral(" (") + names
                               + QStringLiteral(") VALUES (") + params + QLatin1Char(')'));
                insertPrepared = true;
            }
            for (const QString &c : columns)
                insert.bindValue(QLatin1Char(':') + c, r.current.at(cache.fieldIndex(c)));
            if (!insert.exec()) { fail(insert, QStringLiteral("INSERT")); return result; }
        }
    }
    return result;
}

void applyNewCounters(RowCache &cache, const CacheWriter::Result &result)
{
    const int k = cache.fieldIndex(QStringLiteral("KLIC"));
    if (k < 0)
        return;
    const bool blocked = cache.signalsBlocked();
    cache.blockSignals(true);
    for (const auto &pair : result.newCounters)
        cache.setValue(pair.first, k, pair.second);
    cache.blockSignals(blocked);
}
