#include "core/lookup.h"

#include <QSqlRecord>

#include "core/datamodulpro.h"
#include "core/sqlvalue.h"

QVector<LookupItem> readLookup(TDMPro *dm, const QString &sql, const SqlParameters &parameters, bool *ok)
{
    QVector<LookupItem> items;
    if (ok)
        *ok = false;
    if (!dm)
        return items;
    QSqlQuery q = dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return items;
    bindParameters(q, parameters);
    if (!q.exec())
        return items;
    const int columns = q.record().count();
    while (q.next()) {
        LookupItem item;
        item.key = readField(q, 0);
        item.text = q.value(columns > 1 ? 1 : 0).toString().trimmed();
        for (int c = 2; c < columns; ++c)
            item.extra << readField(q, c);
        items << item;
    }
    if (ok)
        *ok = true;
    return items;
}

QStringList lookupTexts(const QVector<LookupItem> &items)
{
    QStringList texts;
    texts.reserve(items.size());
    for (const LookupItem &item : items)
        texts << item.text;
    return texts;
}
