#pragma once
// The rows a drop-down offers: a key, the text shown and any further columns, read by
// one SELECT. The first column is the key, the second the text; a SELECT of one column
// offers texts that are their own keys.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include "core/listdataset.h"

class TDMPro;

struct LookupItem
{
    QVariant key;
    QString text;         // trimmed
    QVariantList extra;   // the columns after the text, trailing blanks dropped
};

// The rows of the SELECT in its order. *ok (when given) tells whether the query ran;
// a failed query gives no rows.
QVector<LookupItem> readLookup(TDMPro *dm, const QString &sql, const SqlParameters &parameters = {},
                               bool *ok = nullptr);

// The texts of the items, in their order.
QStringList lookupTexts(const QVector<LookupItem> &items);
