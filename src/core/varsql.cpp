#include "core/varsql.h"
#include "core/rowcache.h"

#include <QSqlRecord>

bool TVarSQL::hasValue(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString && v.toString().isEmpty())
        return false;
    return true;
}

int TVarSQL::SetVariable(const QString &name, const QVariant &value)
{
    const QString n = name.trimmed().toUpper();
    if (n.isEmpty())
        return -1;
    for (Item &i : m_items) {
        if (i.name == n) {
            i.value = value;
            return 0;
        }
    }
    Item item;
    item.name = n;
    item.value = value;
    item.loaded = m_force;
    m_items.append(item);
    return 0;
}

int TVarSQL::SetVariable(const QString &name, const QString &op, const QVariant &value)
{
    if (SetVariable(name, value) < 0)
        return -1;
    const QString n = name.trimmed().toUpper();
    for (Item &i : m_items)
        if (i.name == n)
            i.op = op;
    return 0;
}

QVariant TVarSQL::GetVariable(const QString &name) const
{
    const QString n = name.trimmed().toUpper();
    for (const Item &i : m_items)
        if (i.name == n)
            return i.value;
    return QVariant();
}

bool TVarSQL::contains(const QString &name) const
{
    const QString n = name.trimmed().toUpper();
    for (const Item &i : m_items)
        if (i.name == n)
            return true;
    return false;
}

void TVarSQL::remove(const QString &name)
{
    const QString n = name.trimmed().toUpper();
    for (int k = m_items.size() - 1; k >= 0; --k)
        if (m_items.at(k).name == n)
            m_items.remove(k);
}

void TVarSQL::LoadVariables(const RowCache &cache, int row)
{
    ClearVariables();
    const QStringList names = cache.fieldNames();
    for (int c = 0; c < names.size(); ++c)
        SetVariable(names.at(c), cache.value(row, c));
}

void TVarSQL::LoadVariables(const QSqlRecord &record)
{
    ClearVariables();
    for (int c = 0; c < record.count(); ++c)
        SetVariable(record.fieldName(c).trimmed(), record.value(c));
}

int TVarSQL::ApplyVariables(RowCache &cache, int row) const
{
    int written = 0;
    for (const Item &i : m_items) {
        if (!hasValue(i.value))
            continue;
        if (i.loaded && !m_force)
            continue;
        const int c = cache.fieldIndex(i.name);
        if (c < 0)
            continue;
        cache.setValue(row, c, i.value);
        ++written;
    }
    return written;
}
