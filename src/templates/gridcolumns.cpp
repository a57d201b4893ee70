#include "templates/gridcolumns.h"

#include "templates/templatestore.h"

namespace Templates {

namespace {

// A table offered under two aliases (the owner and a technician both come from the
// address book) offers each item twice with one key: the column's stored name tells
// which alias it shows.
const DictionaryItem *offeredItemOf(const GridColumn &column, const QList<DictionaryItem> &offered)
{
    const DictionaryItem *item = nullptr;
    for (const DictionaryItem &d : offered) {
        if (d.key != column.itemKey)
            continue;
        const bool named = d.fieldName().compare(column.name.trimmed(), Qt::CaseInsensitive) == 0;
        if (!item || named)
            item = &d;
        if (named)
            break;
    }
    return item;
}

Qt::Alignment alignmentOf(const GridColumn &column)
{
    switch (column.alignment) {
    case AlignRight: return Qt::AlignRight | Qt::AlignVCenter;
    case AlignCenter: return Qt::AlignCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

int gridLayoutKey(TDMPro *dm, const QString &window, int variant, int key)
{
    if (key > 0)
        return key;
    QList<DesignEntry> entries;
    TemplateStore(dm).listGridLayouts(window, variant, entries);
    for (const DesignEntry &e : entries)
        if (key <= 0 || e.key < key)
            key = e.key;
    return qMax(0, key);
}

bool resolveGridColumns(TDMPro *dm, const QString &window, int variant, int key,
                        const QString &aliasTables, const QString &listColumns, GridColumns *out)
{
    TemplateStore store(dm);
    key = gridLayoutKey(dm, window, variant, key);
    GridLayout layout;
    if (key <= 0 || store.loadGridLayout(key, layout) < 0 || layout.columns.isEmpty())
        return false;
    QList<DictionaryItem> offered;
    store.offeredItems(aliasTables, DesignKind::GridLayout, offered);

    out->columns.clear();
    out->selectColumns = listColumns;
    const QString present = listColumns.toUpper();
    for (const GridColumn &gc : layout.columns) {
        const DictionaryItem *item = offeredItemOf(gc, offered);
        if (!item)
            continue;   // a withdrawn item no longer shows
        ListColumn c;
        c.field = item->fieldName().toUpper();
        c.caption = gc.caption;
        c.width = gc.width;
        c.alignment = alignmentOf(gc);
        c.format = formatOfDictionaryType(item->type);
        const QString expression = item->alias + QLatin1Char('.') + item->column;
        c.order = gc.order.trimmed().isEmpty() ? expression : gc.order.trimmed();
        const QString selected = expression + QStringLiteral(" as ") + c.field;
        if (!present.contains(selected.toUpper()))
            out->selectColumns += (out->selectColumns.trimmed().isEmpty() ? QString() : QStringLiteral(", "))
                                  + selected;
        out->columns << c;
    }
    // a layout whose every item was withdrawn leaves the list its own columns
    return !out->columns.isEmpty();
}

QHash<QString, DisplayFormat> dictionaryFormats(TDMPro *dm, const QString &aliasTables)
{
    QList<DictionaryItem> offered;
    TemplateStore(dm).offeredItems(aliasTables, DesignKind::GridLayout, offered);
    QHash<QString, DisplayFormat> formats;
    for (const DictionaryItem &d : offered)
        formats.insert(d.fieldName().toUpper(), formatOfDictionaryType(d.type));
    return formats;
}

} // namespace Templates
