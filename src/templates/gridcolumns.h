#pragma once
// A list's grid layout turned into the columns the list shows and the SELECT columns it
// needs.
#include <QHash>
#include <QString>
#include <QVector>

#include "core/listmodel.h"

class TDMPro;

namespace Templates {

struct GridColumns
{
    QVector<ListColumn> columns;   // in the layout's order
    QString selectColumns;         // the list's own columns, and those the layout adds
};

// The layout a list shows for its stored number: the key itself, or with key <= 0 the
// window's first layout of the variant (0 when it has none).
int gridLayoutKey(TDMPro *dm, const QString &window, int variant, int key);

// The grid layout of the key, or with key <= 0 the window's first layout of the
// variant, resolved against the dictionary items the alias tables offer. Every column
// the layout names and the list's columns lack is added to the SELECT columns as
// "alias.column as FIELD". False when no such layout has columns: the list keeps its
// own columns.
bool resolveGridColumns(TDMPro *dm, const QString &window, int variant, int key,
                        const QString &aliasTables, const QString &listColumns, GridColumns *out);

// The display format of every field the alias tables offer, by the field name under
// which the list query returns it (alias + column, upper case), from the items' types.
QHash<QString, DisplayFormat> dictionaryFormats(TDMPro *dm, const QString &aliasTables);

} // namespace Templates
