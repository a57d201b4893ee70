#include "core/sqlpro.h"
#include "core/datamodulpro.h"
#include "core/listdataset.h"
#include "core/prompt.h"
#include "core/rowcache.h"
#include "core/sqlrun.h"
#include "core/varsql.h"

#include <QSqlQuery>

bool HasRows(const ListDataset *dataset)
{
    return dataset && dataset->isOpen() && !dataset->isEmpty();
}

bool HasRows(const RowCache *dataset)
{
    return dataset && dataset->isOpen() && dataset->rowCount() > 0;
}

// ---------------------------------------------------------------------------

namespace {
QVector<int> rowsInScope(ListDataset &list, int scope, bool skipLocked)
{
    QVector<int> rows;
    if (scope == UpdateCurrentRow) {
        if (list.currentRow() >= 0)
            rows << list.currentRow();
    } else {
        list.fetchAll();
        for (int r = 0; r < list.loadedRows(); ++r) {
            if (scope == UpdateMarkedRows && !list.isMarked(r))
                continue;
            if (scope == UpdateUnmarkedRows && list.isMarked(r))
                continue;
            rows << r;
        }
    }
    const int lock = list.fieldIndex(QStringLiteral("ZAMEK"));
    if (skipLocked && lock >= 0) {
        QVector<int> unlocked;
        for (int r : rows)
            if (list.value(r, lock).toString().trimmed() != QLatin1String("A"))
                unlocked << r;
        rows = unlocked;
    }
    return rows;
}
} // namespace

int UpdateRows(ListDataset &list, TDMPro *dm, const QString &table, const QString &keyColumn,
               int scope, const TVarSQL &values, bool skipLocked, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return -2;
    };
    const QString key = keyColumn.trimmed().toUpper();
    if (!dm || !dm->isOpen())
        return fail(QStringLiteral("Databáze není otevřena."));
    if (scope < UpdateCurrentRow || scope > UpdateUnmarkedRows)
        return fail(QStringLiteral("Neznámý rozsah záznamů %1.").arg(scope));
    if (values.isEmpty())
        return fail(QStringLiteral("Nejsou zadány žádné hodnoty."));
    if (values.contains(key))
        return fail(QStringLiteral("Klíčový sloupec %1 nelze měnit.").arg(key));
    const int keyIndex = list.fieldIndex(key);
    if (keyIndex < 0)
        return fail(QStringLiteral("Seznam nemá sloupec %1.").arg(key));

    const QVector<int> rows = rowsInScope(list, scope, skipLocked);
    if (rows.isEmpty())
        return 0;

    QString sql = QStringLiteral("UpDate ") + table + QStringLiteral(" SET ");
    QStringList sets;
    for (const TVarSQL::Item &item : values.items())
        sets << item.name + QStringLiteral(" = :") + item.name;
    if (!values.contains(QStringLiteral("KLIC"))
        && CacheWriter::tableColumns(dm, table).contains(QStringLiteral("KLIC")))
        sets << QStringLiteral("KLIC = COALESCE(KLIC, -1) + 1");
    sql += sets.join(QLatin1Char(','));
    sql += QStringLiteral(" WHERE ") + key + QStringLiteral(" = :") + key;

    SqlParameters bindings;
    for (const TVarSQL::Item &item : values.items())
        bindings.append({item.name, item.value});
    bindings.append({key, QVariant()});
    const bool written = inTransaction(dm, [&](QString *why) {
        QSqlQuery q = dm->NewQuery();
        if (!prepareSql(q, sql, why))
            return false;
        for (int r : rows) {
            bindings.last().value = list.value(r, keyIndex);
            if (!execSql(q, bindings, why))
                return false;   // the rows done so far are undone with the rest
        }
        return true;
    }, error);
    return written ? 0 : -2;
}

// ---------------------------------------------------------------------------

int SwapWithNeighbour(RowCache &cache, QChar direction, const QString &keyField)
{
    const int key = cache.fieldIndex(keyField);
    const int from = cache.currentRow();
    const bool down = direction == QLatin1Char('N');
    if (key < 0 || (!down && direction != QLatin1Char('P'))) {
        Prompt::error(QStringLiteral("Chyba při přesunu !"), QStringLiteral("Chyba"));
        return -2;
    }
    const int to = from < 0 ? -1 : (down ? from + 1 : from - 1);
    if (to < 0 || to >= cache.rowCount()) {
        Prompt::information(down ? QStringLiteral("Poslední záznam !") : QStringLiteral("První záznam !"),
                            QStringLiteral("Pozor"));
        return -1;
    }
    for (int c = 0; c < cache.fieldCount(); ++c) {
        if (c == key)
            continue;
        const QVariant moved = cache.value(from, c);
        cache.setValue(from, c, cache.value(to, c));
        cache.setValue(to, c, moved);
    }
    cache.setCurrentRow(to);
    return 0;
}

// ---------------------------------------------------------------------------

bool ConfirmUpdateScope(int scope)
{
    QString question;
    switch (scope) {
    case UpdateMarkedRows: question = QStringLiteral("Doplnit označené záznamy?"); break;
    case UpdateUnmarkedRows: question = QStringLiteral("Doplnit neoznačené záznamy?"); break;
    case UpdateAllRows: question = QStringLiteral("Doplnit všechny záznamy?"); break;
    default: return true;
    }
    return Prompt::question(question, QStringLiteral("Pozor")) == PromptYes;
}
