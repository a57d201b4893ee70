#include "inspections/protocolrules.h"

#include <QDate>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include "core/globals.h"
#include "core/money.h"
#include "core/prompt.h"
#include "core/rowcache.h"
#include "core/sqlpro.h"
#include "core/sqlrun.h"

namespace ProtocolRules {

int checkRegularInspection(TDMPro *dm, const QString &headerTable, const RowCache &h, QString *error)
{
    QSqlQuery q = runSql(dm,
                         QStringLiteral("SELECT Count(UnCis) as Poc, Max(Datum) as Datum FROM ") + headerTable
                             + QStringLiteral("  WHERE UnCFir = :UnCFir AND PRAVID = 'A' AND UnCis <> :UnCis "
                                              "AND Datum < :Datum ")
                             + QStringLiteral("AND UNCSTR = :UnCStr"),
                         {{QStringLiteral("UnCFir"), h.value(QStringLiteral("UNCFIR"))},
                          {QStringLiteral("UnCis"), h.value(QStringLiteral("UNCIS"))},
                          {QStringLiteral("Datum"), h.value(QStringLiteral("DATUM"))},
                          {QStringLiteral("UnCStr"), h.value(QStringLiteral("UNCSTR"))}},
                         error);
    if (!q.isActive() || !q.next())
        return -1;
    const QDate datum = h.value(QStringLiteral("DATUM")).toDate();
    if (q.value(0).toInt() <= 0 || !datum.isValid())
        return 0;
    QDate limit = q.value(1).toDate();
    PlusDT(0, 12, 0, limit);
    limit = limit.addDays(-20);
    const QString pravid = h.value(QStringLiteral("PRAVID")).toString().trimmed();
    const QString caption = QStringLiteral("Pravidelná prohlídka");
    if (limit > datum && pravid == QLatin1String("A"))
        Prompt::information(QStringLiteral("V tomto období by\nN E M Ě L A\nbýt provedena pravidelná prohlídka"),
                            caption);
    else if (limit < datum && pravid == QLatin1String("N"))
        Prompt::information(QStringLiteral("V tomto období by\nM Ě L A\nbýt provedena pravidelná prohlídka"),
                            caption);
    return 0;
}

int checkBeforeSave(TDMPro *dm, const QString &headerTable, const RowCache &header, bool skipDateCheck,
                    QString *error)
{
    const QString caption = QStringLiteral("Kontrola před uložením");
    if (header.currentRow() < 0) {
        *error = QStringLiteral("Doklad není otevřen");
        Prompt::warning(*error, caption);
        return -1;
    }
    if (!skipDateCheck && checkRegularInspection(dm, headerTable, header, error) < 0) {
        Prompt::warning(*error, caption);
        return -1;
    }
    return 0;
}

namespace {

// The columns a carry-forward writes from the source row, with the values it writes
// instead where the new inspection starts afresh. The key, the link and the change
// time are the copy's own; the record version starts again and the writer is the user.
QString copiedColumns(TDMPro *dm, const QString &table, QHash<QString, QString> resets, QString *selected)
{
    resets.insert(QStringLiteral("KLIC"), QStringLiteral("0"));
    resets.insert(QStringLiteral("KDO"), QStringLiteral(":KDO"));
    QStringList columns, values;
    for (const QString &column : CacheWriter::tableColumns(dm, table)) {
        if (column == QLatin1String("UNCIS") || column == QLatin1String("UNCH") || column == QLatin1String("KDY"))
            continue;
        columns << column;
        values << resets.value(column, column);
    }
    *selected = values.join(QStringLiteral(", "));
    return columns.join(QStringLiteral(", "));
}

} // namespace

int copyInspection(TDMPro *dm, const QString &headerTable, int key, const QHash<QString, QString> &headerResets,
                   const QVector<CopiedItems> &items, QString *error)
{
    const QString header = headerTable.toUpper();
    const qint64 newKey = dm->NextKey(header);
    if (newKey < 0) {
        *error = QStringLiteral("Nelze získat klíč z generátoru ") + header;
        return TfClass::ResNoKey;
    }
    const SqlParameters keys{{QStringLiteral("NEW"), int(newKey)},
                             {QStringLiteral("OLD"), key},
                             {QStringLiteral("KDO"), userStamp()}};
    SqlParameters headerKeys = keys;
    headerKeys.append({QStringLiteral("DATUM"), QDate::currentDate()});
    QString values;
    const QString columns = copiedColumns(dm, header, headerResets, &values);
    QSqlQuery q = dm->NewQuery();
    if (!runSql(q,
                QStringLiteral("INSERT INTO %1 (UNCIS, %2) SELECT :NEW, %3 FROM %1 WHERE UNCIS = :OLD")
                    .arg(header, columns, values),
                headerKeys, error))
        return TfClass::ResSaveFailed;
    if (q.numRowsAffected() != 1) {
        *error = QStringLiteral("Doklad nebyl zkopírován (%1)").arg(TfClass::ResOpenFailed);
        return TfClass::ResOpenFailed;
    }
    // The copies take their keys in the order given, so the new inspection reads the same.
    for (const CopiedItems &it : items) {
        const QString table = it.table.toUpper();
        const QString itemColumns = copiedColumns(dm, table, it.resets, &values);
        const QString filter = it.filter.isEmpty() ? QString() : QStringLiteral(" AND (") + it.filter + QLatin1Char(')');
        const QString sql = QStringLiteral("INSERT INTO %1 (UNCIS, UNCH, %2) SELECT %3, :NEW, %4 FROM (SELECT * FROM %1 "
                                           "WHERE UNCH = :OLD%5 ORDER BY %6)")
                                .arg(table, itemColumns, dm->nextKeyExpression(table), values, filter, it.order);
        if (!runSql(q, sql, keys, error))
            return TfClass::ResSaveFailed;
    }
    return int(newKey);
}

int carryForwardInTransaction(TfClass &c, int key, const std::function<int(QString *)> &copy,
                              const std::function<void(const QString &)> &status, QString *failureOut,
                              const QString &failureCaption)
{
    if (c.dm()->WritesBlocked() != 0) {
        Prompt::warning(QStringLiteral("Zápis do databáze je blokován. Zkuste volbu zopakovat později."),
                        QStringLiteral("Sdílení databáze"));
        return TfClass::ResWritesBlocked;
    }
    int newKey = 0;
    QString failure;
    {
        TransactionGuard guard(c.dm());
        auto run = [&]() -> bool {
            if (!guard.isActive()) {
                failure = guard.lastError();
                return false;
            }
            status(QStringLiteral("Kopírování záznamů ..."));
            newKey = copy(&failure);
            if (newKey <= 0)
                return false;
            if (c.OpenRecord(newKey) < 0) {
                failure = c.lastError();
                return false;
            }
            if (!guard.commit()) {
                failure = guard.lastError();
                return false;
            }
            return true;
        };
        if (!run()) {
            guard.rollback();
            if (failure.isEmpty())
                failure = QStringLiteral("Doklad nebyl zkopírován (%1)").arg(newKey);
        }
    }
    status(QString());
    if (!failure.isEmpty()) {
        // The caches may hold the copy that was rolled back: read the source again.
        c.OpenRecord(key);
        *failureOut = failure;
        Prompt::warning(failure, failureCaption);
        return newKey < 0 ? newKey : TfClass::ResSaveFailed;
    }
    Prompt::information(QStringLiteral("Hotovo"), QStringLiteral("Kopírování dokladu o kontrole"));
    return newKey;
}

int shiftToPosition(TDMPro *dm, const QString &itemTable, int itemKey, int inspKey, int pozice, QString *error)
{
    QSqlQuery q = dm->NewQuery();
    if (!runSql(q,
                QStringLiteral("Update ") + itemTable
                    + QStringLiteral(" SET UnCPom = UnCPom +1 WHERE UnCPom >= :UnCPom AND UnCH = :UnCH"),
                {{QStringLiteral("UnCPom"), pozice}, {QStringLiteral("UnCH"), inspKey}}, error))
        return -2;
    if (!runSql(q, QStringLiteral("Update ") + itemTable + QStringLiteral(" SET UnCPom = :UnCPom WHERE UnCis = :UnCis "),
                {{QStringLiteral("UnCPom"), pozice}, {QStringLiteral("UnCis"), itemKey}}, error)
        || q.numRowsAffected() != 1)
        return -2;
    return 0;
}

int repeatItem(TfClass &c, TfClass::ItemTable &it, const QHash<QString, QVariant> &instead)
{
    const RowCache &rows = *it.cache;
    it.defaults.ClearVariables();
    static const QStringList ownColumns = {QStringLiteral("UNCIS"), QStringLiteral("UNCH"),
                                           QStringLiteral("UNCPOM"), QStringLiteral("KLIC"),
                                           QStringLiteral("KDY"), QStringLiteral("KDO")};
    for (const QString &f : rows.fieldNames())
        if (!ownColumns.contains(f, Qt::CaseInsensitive))
            it.defaults.SetVariable(f, instead.contains(f.toUpper()) ? instead.value(f.toUpper()) : rows.value(f));
    const int key = c.AppendItem(it);
    it.defaults.ClearVariables();
    return key;
}

int insertItemAtCurrent(TfClass &c, TfClass::ItemTable &items, const std::function<int()> &addItem,
                        const QString &kind, const std::function<void(const QString &)> &status)
{
    RowCache &rows = *items.cache;
    const int inspKey = c.header().value(QStringLiteral("UNCIS")).toInt();
    const bool atEnd = rows.currentRow() < 0 || rows.value(QStringLiteral("UNCPOM")).isNull();
    const int pozice = atEnd ? 0 : rows.value(QStringLiteral("UNCPOM")).toInt();
    int key = 0;
    bool ok = false;
    QString error;
    {
        TransactionGuard guard(c.dm());
        if (guard.isActive()) {
            key = addItem();
            if (key > 0) {
                status(QStringLiteral("Vložení %1 ...").arg(kind));
                const int r = c.SaveRecord() < 0 ? -2
                              : atEnd            ? 0
                                                 : shiftToPosition(c.dm(), items.table, key, inspKey, pozice, &error);
                ok = r == 0 && c.OpenRecord(inspKey) == 0 && guard.commit();
                if (!ok && error.isEmpty())
                    error = c.lastError().isEmpty() ? guard.lastError() : c.lastError();
            }
        } else {
            error = guard.lastError();
        }
    }
    status(QString());
    if (!ok) {
        c.OpenRecord(inspKey);
        Prompt::warning(error.isEmpty() ? QStringLiteral("%1 nebyl vložen").arg(kind) : error,
                        QStringLiteral("Vložení %1").arg(kind));
        return key < 0 ? key : -2;
    }
    items.cache->locate(QStringLiteral("UNCIS"), key);
    return key;
}

int moveItem(TfClass &c, RowCache &items, QChar direction)
{
    const int from = items.currentRow();
    if (from < 0)
        return -1;
    // Only the two positions are exchanged: each item keeps its own key, which the
    // workshop register and the barcode loading refer to. The neighbour and the
    // notices at either end come from the shared swap, run on the keys and positions.
    QSqlRecord fields;
    fields.append(QSqlField(QStringLiteral("UNCIS"), QMetaType(QMetaType::Int)));
    fields.append(QSqlField(QStringLiteral("UNCPOM"), QMetaType(QMetaType::Int)));
    RowCache order;
    order.setFields(fields);
    for (int r = 0; r < items.rowCount(); ++r) {
        const int row = order.appendRow();
        order.setValue(row, 0, items.value(r, QStringLiteral("UNCIS")));
        order.setValue(row, 1, items.value(r, QStringLiteral("UNCPOM")));
    }
    order.setCurrentRow(from);
    const int r = SwapWithNeighbour(order, direction, QStringLiteral("UNCIS"));
    if (r < 0)
        return r;
    const int to = order.currentRow();
    const int movedKey = items.value(from, QStringLiteral("UNCIS")).toInt();
    const int pomColumn = items.fieldIndex(QStringLiteral("UNCPOM"));
    items.setValue(from, pomColumn, order.value(from, 1));
    items.setValue(to, pomColumn, order.value(to, 1));
    if (c.SaveRecord() < 0) {
        items.setValue(from, pomColumn, order.value(to, 1));
        items.setValue(to, pomColumn, order.value(from, 1));
        Prompt::error(QStringLiteral("Chyba při přesunu !"), QStringLiteral("Chyba"));
        return -2;
    }
    items.locate(QStringLiteral("UNCIS"), movedKey);
    return 0;
}

void presetBlankHeader(RowCache &h, const QList<QPair<QString, QVariant>> &values)
{
    for (const auto &[field, value] : values) {
        const QVariant v = h.value(field);
        if (v.isNull() || v.toString().trimmed().isEmpty())
            h.setValue(field, value);
    }
}

} // namespace ProtocolRules
