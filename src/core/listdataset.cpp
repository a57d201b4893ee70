#include "core/listdataset.h"
#include "core/datamodulpro.h"
#include "core/sqlvalue.h"

#include <QSqlRecord>

ListDataset::ListDataset(QObject *parent)
    : QObject(parent)
{
}

bool ListDataset::open(TDMPro *dm, const QString &selectSql, const QString &countSql,
                       const SqlParameters &parameters, QString *error)
{
    emit aboutToReset();
    m_query.reset();
    m_rows.clear();
    m_names.clear();
    m_current = -1;
    m_markedCount = 0;
    m_recordCount = -1;
    m_markColumn = -1;
    m_open = false;
    m_dm = dm;
    m_selectSql = selectSql;
    m_countSql = countSql;
    m_parameters = parameters;

    QSqlQuery q = runSql(dm, selectSql, parameters, error);
    if (!q.isActive()) {
        emit reset();
        return false;
    }
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        m_names << rec.fieldName(i).trimmed().toUpper();
    m_markColumn = m_names.indexOf(QStringLiteral("OZNAC"));
    m_query.emplace(std::move(q));
    m_open = true;
    // Inside a caller's transaction a live cursor would die at its commit: read all now.
    if (dm->transactionDepth() > 0)
        fetchAll();
    else
        fetchMore(FirstPageSize);
    m_current = m_rows.isEmpty() ? -1 : 0;
    emit reset();
    emit currentRowChanged(m_current);
    return true;
}

void ListDataset::close()
{
    emit aboutToReset();
    m_query.reset();
    m_rows.clear();
    m_current = -1;
    m_markedCount = 0;
    m_recordCount = -1;
    m_open = false;
    emit reset();
}

int ListDataset::fieldIndex(const QString &name) const
{
    return m_names.indexOf(name.trimmed().toUpper());
}

void ListDataset::readRow()
{
    Row r;
    const int n = m_names.size();
    r.values.resize(n);
    for (int i = 0; i < n; ++i)
        r.values[i] = readField(*m_query, i);
    if (m_markColumn >= 0 && r.values.at(m_markColumn).toString() == QLatin1String("A")) {
        r.marked = true;
        ++m_markedCount;
    }
    m_rows.append(r);
}

int ListDataset::fetchMore(int count)
{
    if (!m_query)
        return 0;
    const int first = m_rows.size();
    int read = 0;
    while (read < count) {
        if (!m_query->next()) {
            // all read: release the cursor and its transaction
            m_query.reset();
            break;
        }
        readRow();
        ++read;
    }
    if (read > 0 && first > 0)
        emit rowsAppended(first, first + read - 1);
    if (!m_query && m_recordCount < 0)
        m_recordCount = m_rows.size();
    return read;
}

void ListDataset::fetchAll()
{
    while (m_query) {
        const int first = m_rows.size();
        int read = 0;
        while (m_query->next()) {
            readRow();
            ++read;
        }
        m_query.reset();
        if (read > 0 && first > 0)
            emit rowsAppended(first, first + read - 1);
    }
    m_recordCount = m_rows.size();
}

int ListDataset::recordCount()
{
    if (m_recordCount >= 0)
        return m_recordCount;
    if (!m_open)
        return 0;
    if (!m_query) {
        m_recordCount = m_rows.size();
        return m_recordCount;
    }
    bool counted = false;
    const QVariant count = scalarSql(m_dm, m_countSql, m_parameters, &counted);
    if (counted) {
        m_recordCount = count.toInt();
        return m_recordCount;
    }
    // without a usable count query, count by reading
    fetchAll();
    return m_recordCount;
}

QVariant ListDataset::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_names.size())
        return QVariant();
    return m_rows.at(row).values.at(column);
}

QVariant ListDataset::value(int row, const QString &field) const
{
    return value(row, fieldIndex(field));
}

QVariant ListDataset::value(const QString &field) const
{
    return value(m_current, fieldIndex(field));
}

void ListDataset::setCurrentRow(int row)
{
    if (row < -1 || row >= m_rows.size() || row == m_current)
        return;
    m_current = row;
    emit currentRowChanged(row);
}

int ListDataset::find(const QString &field, const QVariant &value, int maxRows)
{
    const int c = fieldIndex(field);
    if (c < 0)
        return -1;
    const QString wanted = value.toString();
    int from = 0;
    for (;;) {
        for (int r = from; r < m_rows.size(); ++r)
            if (m_rows.at(r).values.at(c).toString() == wanted)
                return r;
        from = m_rows.size();
        if (maxRows >= 0 && from >= maxRows)
            return -1;
        if (!canFetchMore() || fetchMore(PageSize * 4) == 0)
            return -1;
    }
}

bool ListDataset::locate(const QString &field, const QVariant &value, int maxRows)
{
    const int r = find(field, value, maxRows);
    if (r < 0)
        return false;
    setCurrentRow(r);
    return true;
}

int ListDataset::positionOf(const QString &field, const QVariant &value) const
{
    // The list query as a derived table keeps its order; only one column is sent.
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT LST.") + field + QStringLiteral(" FROM (") + m_selectSql
                   + QStringLiteral(") LST")))
        return -2;
    bindParameters(q, m_parameters);
    if (!q.exec())
        return -2;
    const QString wanted = value.toString();
    for (int row = 0; q.next(); ++row)
        if (readField(q, 0).toString() == wanted)
            return row;
    return -1;
}

bool ListDataset::locateAnywhere(const QString &field, const QVariant &value, int fallbackRows)
{
    const int c = fieldIndex(field);
    if (c < 0 || !m_open)
        return false;
    // among the rows read so far
    if (locate(field, value, m_rows.size()))
        return true;
    const QString wanted = value.toString();
    if (!canFetchMore())
        return false;
    const int position = positionOf(field, value);
    if (position == -1)
        return false;
    if (position >= 0) {
        while (m_rows.size() <= position && canFetchMore())
            fetchMore(PageSize * 4);
        // another workstation may have changed the list between the two reads
        if (position < m_rows.size() && m_rows.at(position).values.at(c).toString() == wanted) {
            setCurrentRow(position);
            return true;
        }
    }
    return locate(field, value, fallbackRows);
}

bool ListDataset::isMarked(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows.at(row).marked;
}

void ListDataset::setMarked(int row, bool marked)
{
    if (row < 0 || row >= m_rows.size() || m_rows.at(row).marked == marked)
        return;
    m_rows[row].marked = marked;
    m_markedCount += marked ? 1 : -1;
    if (m_markColumn >= 0)
        m_rows[row].values[m_markColumn] = marked ? QStringLiteral("A") : QStringLiteral(" ");
    emit rowChanged(row);
}

QVector<int> ListDataset::markedRows() const
{
    QVector<int> rows;
    for (int r = 0; r < m_rows.size(); ++r)
        if (m_rows.at(r).marked)
            rows << r;
    return rows;
}

void ListDataset::removeRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    if (m_rows.at(row).marked)
        --m_markedCount;
    m_rows.remove(row);
    if (m_recordCount > 0)
        --m_recordCount;
    emit rowRemoved(row);
    if (m_current >= m_rows.size())
        m_current = m_rows.size() - 1;
    emit currentRowChanged(m_current);
}
