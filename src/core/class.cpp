#include "core/class.h"
#include "core/globals.h"
#include "core/prompt.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

QString sqlQuoted(const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return v;
}

TfClass::TfClass(TDMPro *dm, QObject *parent)
    : QObject(parent), m_dm(dm)
{
    m_header.setInsertGate([this] { return m_inserting; });
}

TfClass::~TfClass()
{
    m_list.close();
}

int TfClass::ClassCreate()
{
    m_inserting = m_copying = m_saving = m_readOnly = false;
    m_orderBy.clear();
    m_defaultWhere.clear();
    const int r = DefineEntity();
    if (r < 0) {
        Prompt::error(QStringLiteral("Inicializace založení třídy "), metaObject()->className());
        return r;
    }
    // The list joins other tables that have a key of the same name: the fallback order
    // names the list's own table.
    if (m_orderBy.trimmed().isEmpty())
        m_orderBy = QStringLiteral(" ORDER BY ")
                    + (m_listAlias.isEmpty() ? QString() : m_listAlias + QLatin1Char('.'))
                    + QStringLiteral("UnCis ");
    m_ownOrderBy = m_orderBy;
    m_refCount = 0;
    m_markValue = QStringLiteral(" ");
    return 0;
}

void TfClass::Release()
{
    if (--m_refCount > 0)
        return;
    // the derived controller is still whole here; in the destructor it no longer is
    BeforeDestroy();
    delete this;
}

// --- declaring -----------------------------------------------------------------

int TfClass::AllocateItemTables(int count)
{
    if (count < 0)
        return ResAllocateFailed;
    m_items.clear();
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<ItemTable>();
        item->cache = new RowCache(this);
        item->cache->setInsertGate([this] { return m_inserting; });
        m_items.push_back(std::move(item));
    }
    return 0;
}

int TfClass::DefineItemTable(int index, const QString &table, const QString &customSelect,
                             const QString &link)
{
    if (index < 0 || index >= itemTableCount() || table.trimmed().isEmpty())
        return ResItemTableFailed;
    ItemTable &it = item(index);
    it.table = table.trimmed().toUpper();
    it.customSelect = customSelect;
    it.link = link.trimmed().isEmpty() ? QStringLiteral("UNCH") : link.trimmed().toUpper();
    it.defaults = TVarSQL();
    it.parameters.clear();
    return 0;
}

int TfClass::SetHeaderTable(const QString &table)
{
    m_headerTable = table.trimmed().toUpper();
    m_defaults = TVarSQL();
    m_filters = TVarSQL();
    SqlParameters p{{QStringLiteral("UNCIS"), 0}};
    if (!readRows(QStringLiteral("SELECT * FROM ") + m_headerTable + QStringLiteral(" WHERE UnCis = :UNCIS"),
                  p, m_header))
        return ResHeaderFailed;
    m_header.clear();
    return 0;
}

void TfClass::SetListQuery(const QString &fromPart, const QString &alias)
{
    m_listFrom = fromPart;
    m_listAlias = alias;
}

bool TfClass::readRows(const QString &sql, const SqlParameters &parameters, RowCache &into)
{
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        m_lastError = q.lastError().text();
        return false;
    }
    bindParameters(q, parameters);
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return false;
    }
    into.load(q);
    return true;
}

bool TfClass::isModified() const
{
    if (m_header.isDirty())
        return true;
    for (const auto &it : m_items)
        if (it->cache->isDirty())
            return true;
    return false;
}

// --- records -----------------------------------------------------------------

int TfClass::fillNewHeaderRow()
{
    int r = BeforeNewHeaderRow();
    if (r < 0) {
        Prompt::error(QStringLiteral("Příprava přidání do hlavičky"), QStringLiteral("Error"));
        return r;
    }
    const int row = m_header.appendRow();
    if (row < 0) {
        Prompt::error(QStringLiteral("Přidání do hlavičky"), metaObject()->className());
        return ResNoKey;
    }
    m_defaults.ApplyVariables(m_header, row);
    const qint64 key = m_dm->NextKey(m_headerTable);
    if (key < 0) {
        // never store -1 as a key: drop the row and stop the insert
        m_header.cancelUpdates();
        m_lastError = QStringLiteral("Nelze získat klíč z generátoru ") + m_headerTable;
        Prompt::error(QStringLiteral("Přidání do hlavičky"), metaObject()->className());
        return ResNoKey;
    }
    m_header.setValue(row, m_header.fieldIndex(QStringLiteral("UNCIS")), int(key));
    if (m_header.hasField(QStringLiteral("KDO")))
        m_header.setValue(row, m_header.fieldIndex(QStringLiteral("KDO")), userStamp());
    if (m_header.hasField(QStringLiteral("KLIC")))
        m_header.setValue(row, m_header.fieldIndex(QStringLiteral("KLIC")), 0);
    m_currentKey = int(key);
    r = AfterNewHeaderRow();
    if (r < 0) {
        Prompt::error(QStringLiteral("Dokončení přidání do hlavičky"), QStringLiteral("Error"));
        return r;
    }
    return int(key);
}

int TfClass::InsertRecord()
{
    if (m_dm->WritesBlocked() != 0) {
        Prompt::warning(QStringLiteral("Zápis do databáze je blokován. Zkuste volbu zopakovat později."),
                        QStringLiteral("Sdílení databáze"));
        return ResWritesBlocked;
    }
    m_readOnly = false;
    int r = BeforeInsertRecord();
    if (r < 0)
        return r;
    r = OpenRecord(0);
    if (r < 0)
        return r;
    int key = 0;
    {
        ScopedSwitch inserting(m_inserting);
        key = fillNewHeaderRow();
        if (key >= 0)
            r = AfterInsertRecord();
    }
    auto abandon = [this] {
        m_header.cancelUpdates();
        for (auto &it : m_items)
            it->cache->cancelUpdates();
    };
    if (key < 0) {
        abandon();
        return key;
    }
    if (r < 0) {
        abandon();
        return r;
    }
    r = SaveRecord();
    if (r < 0) {
        abandon();
        return r;
    }
    return key;
}

int TfClass::AppendItem(ItemTable &it)
{
    if (m_readOnly)
        return 0;
    ScopedSwitch inserting(m_inserting);
    if (it.beforeAppend) {
        const int r = it.beforeAppend(it);
        if (r < 0)
            return r * 100 - 2;
    }
    RowCache &cache = *it.cache;
    const int row = cache.appendRow();
    if (row < 0)
        return ResNoKey * 100 - 2;
    it.defaults.ApplyVariables(cache, row);
    const qint64 key = m_dm->NextKey(it.table);
    if (key < 0) {
        cache.setCurrentRow(row);
        cache.deleteCurrentRow();
        Prompt::error(QStringLiteral("Insert do položky"), metaObject()->className());
        return ResNoKey * 100 - 2;
    }
    cache.setValue(row, cache.fieldIndex(QStringLiteral("UNCIS")), int(key));
    if (cache.hasField(it.link))
        cache.setValue(row, cache.fieldIndex(it.link), m_header.value(QStringLiteral("UNCIS")));
    if (cache.hasField(QStringLiteral("KLIC")))
        cache.setValue(row, cache.fieldIndex(QStringLiteral("KLIC")), 0);
    if (cache.hasField(QStringLiteral("KDO")))
        cache.setValue(row, cache.fieldIndex(QStringLiteral("KDO")), userStamp());
    if (it.afterAppend) {
        const int r = it.afterAppend(it);
        if (r < 0)
            return r * 100 - 2;
    }
    return int(key);
}

int TfClass::DeleteRecord(int key)
{
    if (m_readOnly)
        return 0;
    int r = BeforeDeleteRecord(key);
    if (r < 0)
        return r;
    TransactionGuard guard(m_dm);
    if (!guard.isActive()) {
        m_lastError = guard.lastError();
        return ResDeleteFailed;
    }
    QSqlQuery q = m_dm->NewQuery();
    for (const auto &it : m_items) {
        q.prepare(QStringLiteral("DELETE FROM ") + it->table + QStringLiteral(" WHERE ") + it->link
                  + QStringLiteral(" = :") + it->link);
        q.bindValue(QLatin1Char(':') + it->link, key);
        if (!q.exec()) {
            m_lastError = q.lastError().text();
            return ResDeleteFailed;
        }
    }
    q.prepare(QStringLiteral("DELETE FROM ") + m_headerTable + QStringLiteral(" WHERE UnCis = :UNCIS "));
    q.bindValue(QStringLiteral(":UNCIS"), key);
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return ResDeleteFailed;
    }
    r = AfterDeleteRecord();
    if (r < 0)
        return r;
    if (!guard.commit()) {
        m_lastError = guard.lastError();
        return ResDeleteFailed;
    }
    return 0;
}

int TfClass::DeleteItem(ItemTable &it, int key, const QString &table)
{
    if (m_readOnly)
        return 0;
    if (key < 1) {
        if (!it.cache->deleteCurrentRow())
            return ResItemDeleteFailed;
        if (it.afterDelete && it.afterDelete(it) < 0)
            return ResItemDeleteFailed;
        return 0;
    }
    QSqlQuery q = m_dm->NewQuery();
    q.prepare(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE UnCis = :UNCIS "));
    q.bindValue(QStringLiteral(":UNCIS"), key);
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return ResItemDeleteFailed;
    }
    return 0;
}

int TfClass::openItemTable(ItemTable &it, int key)
{
    RowCache &cache = *it.cache;
    if (cache.isOpen() && cache.currentRow() >= 0)
        it.rememberedKey = cache.value(QStringLiteral("UNCIS"));
    QString sql;
    if (!it.customSelect.isEmpty())
        sql = it.customSelect + QLatin1Char(' ') + it.orderBy;
    else
        sql = QStringLiteral("SELECT * FROM ") + it.table + QStringLiteral(" WHERE ") + it.link
              + QStringLiteral(" = :") + it.link + QLatin1Char(' ') + it.orderBy;
    SqlParameters params = it.parameters;
    bool linkSet = false;
    for (SqlParameter &p : params)
        if (p.name.compare(it.link, Qt::CaseInsensitive) == 0) {
            p.value = key;
            linkSet = true;
        }
    if (!linkSet)
        params.append({it.link, key});
    return readRows(sql, params, cache) ? 0 : ResOpenFailed;
}

int TfClass::OpenRecord(int key)
{
    int r = BeforeOpenRecord();
    if (r < 0)
        return r;
    m_currentKey = key;
    const QString headerSql = QStringLiteral("SELECT * FROM ") + m_headerTable + QStringLiteral(" WHERE UnCis = :UNCIS");
    const SqlParameters keyParam{{QStringLiteral("UNCIS"), key}};
    bool ok = true;
    for (auto &it : m_items)
        if (openItemTable(*it, key) < 0)
            ok = false;
    if (ok)
        ok = readRows(headerSql, keyParam, m_header);
    if (ok && key == 0 && !m_header.isEmpty()) {
        // a stray header with key 0, left by an interrupted insert
        QSqlQuery q = m_dm->NewQuery();
        q.prepare(QStringLiteral("DELETE FROM ") + m_headerTable + QStringLiteral(" WHERE UnCis = :UNCIS"));
        q.bindValue(QStringLiteral(":UNCIS"), 0);
        ok = q.exec() && readRows(headerSql, keyParam, m_header);
    }
    if (!ok) {
        Prompt::error(QStringLiteral("Chyba otevření formuláře"), QStringLiteral("Třída"));
        return ResOpenFailed;
    }
    r = AfterOpenRecord();
    if (r < 0)
        return r;
    for (auto &it : m_items)
        if (it->rememberedKey.isValid() && !it->cache->locate(QStringLiteral("UNCIS"), it->rememberedKey))
            it->cache->first();
    return 0;
}

int TfClass::saveRecord(bool reopen)
{
    if (m_readOnly)
        return 0;
    ScopedSwitch saving(m_saving);
    int r = BeforeSaveRecord();
    if (r < 0)
        return r;

    struct Pending { RowCache *cache; CacheWriter::Result result; };
    std::vector<Pending> pending;
    {
        TransactionGuard guard(m_dm);
        if (!guard.isActive()) {
            m_lastError = guard.lastError();
            Prompt::beep();
            return ResSaveFailed;
        }
        auto applyOne = [&](RowCache &cache, const QString &table, const QStringList &columns) {
            if (!cache.isOpen() || !cache.isDirty())
                return true;
            CacheWriter writer(m_dm, table);
            writer.setWriteColumns(columns);
            CacheWriter::Result res = writer.apply(cache);
            if (!res.ok) {
                m_lastError = res.error;
                return false;
            }
            pending.push_back({&cache, res});
            return true;
        };
        for (auto &it : m_items)
            if (!applyOne(*it->cache, it->table, it->writeColumns)) {
                Prompt::beep();
                return ResSaveFailed;     // the guard rolls back, every cache is kept
            }
        if (!applyOne(m_header, m_headerTable, m_headerWriteColumns)) {
            Prompt::beep();
            return ResSaveFailed;
        }
        if (!guard.commit()) {
            m_lastError = guard.lastError();
            Prompt::beep();
            return ResSaveFailed;
        }
    }
    // Stored: only now the caches take the new state.
    for (Pending &p : pending)
        applyNewCounters(*p.cache, p.result);
    m_header.commitUpdates();
    for (auto &it : m_items)
        it->cache->commitUpdates();

    r = AfterSaveRecord();
    if (r < 0)
        return r;
    if (reopen)
        return OpenRecord(m_currentKey) < 0 ? ResOpenFailed : 0;
    return 0;
}

int TfClass::SaveRecord()
{
    return saveRecord(true);
}

int TfClass::SaveRecordKeepOpen()
{
    return saveRecord(false);
}

int TfClass::saveRecordInTransaction(const std::function<int()> &alsoInside)
{
    // The caches take the stored state as soon as SaveRecordKeepOpen is done, but the
    // transaction may still be rolled back here: then they get their changes back.
    QVector<QPair<RowCache *, RowCache::Snapshot>> before;
    before.append({&m_header, m_header.snapshot()});
    for (auto &it : m_items)
        before.append({it->cache, it->cache->snapshot()});

    bool savedInside = false;
    int r = 0;
    {
        TransactionGuard guard(m_dm);
        if (!guard.isActive()) {
            m_lastError = guard.lastError();
            return ResSaveFailed;
        }
        r = SaveRecordKeepOpen();
        if (r == 0) {
            savedInside = true;
            if (alsoInside)
                r = alsoInside();
            if (r == 0 && !guard.commit()) {
                m_lastError = guard.lastError();
                r = ResSaveFailed;
            }
        }
        // a transaction still open here is rolled back by the guard
    }
    if (r != 0 && savedInside)
        for (auto &b : before)
            b.first->restore(b.second);
    return r;
}

int TfClass::storeHeaderValues(const TVarSQL &values)
{
    const int row = m_header.currentRow();
    if (row < 0 || values.isEmpty())
        return ResSaveFailed;
    const bool hasKlic = m_header.hasField(QStringLiteral("KLIC"));
    const QVariant oldKlic = m_header.originalValue(row, QStringLiteral("KLIC"));
    const int newKlic = (oldKlic.isNull() || oldKlic.toString().trimmed().isEmpty()) ? 0 : oldKlic.toInt() + 1;

    QString sets;
    for (const TVarSQL::Item &v : values.items())
        sets += (sets.isEmpty() ? QString() : QStringLiteral(", ")) + v.name + QStringLiteral(" = :") + v.name;
    if (hasKlic)
        sets += QStringLiteral(", KLIC = :NEW_KLIC");
    TransactionGuard guard(m_dm);
    QSqlQuery q = m_dm->NewQuery();
    q.prepare(QStringLiteral("UPDATE ") + m_headerTable + QStringLiteral(" SET ") + sets
              + (hasKlic ? QStringLiteral(" WHERE UNCIS = :OLD_UNCIS AND KLIC IS NOT DISTINCT FROM :OLD_KLIC")
                         : QStringLiteral(" WHERE UNCIS = :OLD_UNCIS")));
    for (const TVarSQL::Item &v : values.items())
        q.bindValue(QLatin1Char(':') + v.name, v.value);
    q.bindValue(QStringLiteral(":OLD_UNCIS"), m_header.originalValue(row, QStringLiteral("UNCIS")));
    if (hasKlic) {
        q.bindValue(QStringLiteral(":NEW_KLIC"), newKlic);
        q.bindValue(QStringLiteral(":OLD_KLIC"), oldKlic);
    }
    if (!guard.isActive() || !q.exec()) {
        m_lastError = guard.isActive() ? q.lastError().text() : guard.lastError();
        return ResSaveFailed;
    }
    if (q.numRowsAffected() != 1) {
        m_lastError = QStringLiteral("Záznam v tabulce %1 byl mezitím změněn nebo smazán.").arg(m_headerTable);
        return ResSaveFailed;
    }
    if (!guard.commit()) {
        m_lastError = guard.lastError();
        return ResSaveFailed;
    }
    for (const TVarSQL::Item &v : values.items())
        m_header.setStoredValue(row, v.name, v.value);
    if (hasKlic)
        m_header.setStoredValue(row, QStringLiteral("KLIC"), newKlic);
    return 0;
}

int TfClass::CancelRecord()
{
    for (auto &it : m_items)
        it->cache->cancelUpdates();
    m_header.cancelUpdates();
    OpenRecord(m_currentKey);
    return 0;
}

int TfClass::CopyRecord(int key)
{
    ScopedSwitch copying(m_copying);
    // The presets of new records are borrowed for the copy and given back afterwards.
    const TVarSQL savedDefaults = m_defaults;
    std::vector<TVarSQL> savedItemDefaults;
    for (auto &it : m_items)
        savedItemDefaults.push_back(it->defaults);
    auto restore = [&] {
        m_defaults = savedDefaults;
        for (size_t i = 0; i < m_items.size(); ++i)
            m_items[i]->defaults = savedItemDefaults[i];
    };

    RowCache source;
    if (!readRows(QStringLiteral("SELECT * FROM ") + m_headerTable
                      + QStringLiteral(" WHERE UnCis = :UNCIS ORDER BY UNCIS"),
                  {{QStringLiteral("UNCIS"), key}}, source)
        || source.isEmpty()) {
        restore();
        return ResOpenFailed;
    }
    m_defaults.setForce(true);
    m_defaults.LoadVariables(source, 0);
    const int newKey = InsertRecord();
    m_defaults.setForce(false);
    if (newKey < 0) {
        restore();
        return newKey;
    }
    for (auto &it : m_items) {
        RowCache rows;
        if (!readRows(QStringLiteral("SELECT * FROM ") + it->table + QStringLiteral(" WHERE ") + it->link
                          + QStringLiteral(" = :") + it->link + QStringLiteral(" ORDER BY ") + it->copyOrder,
                      {{it->link, key}}, rows)) {
            restore();
            return ResOpenFailed;
        }
        for (int row = 0; row < rows.rowCount(); ++row) {
            it->defaults.setForce(true);
            it->defaults.LoadVariables(rows, row);
            const int r = AppendItem(*it);
            it->defaults.setForce(false);
            if (r < 0) {
                restore();
                return r;
            }
        }
    }
    restore();
    const int r = AfterCopyRecord();
    if (r < 0)
        return r;
    return newKey;
}

// --- list ----------------------------------------------------------------------

namespace {
// Where the keyword stands at the top level of a list's from part, -1 when it does not.
// The part may begin with further columns of the select list (",Has.UnCis, ... from
// PR_Hlav Has ..."); words inside brackets (a sub-select) and quotes do not count.
int topLevelKeyword(const QString &part, QLatin1String keyword)
{
    const int n = int(keyword.size());
    int depth = 0;
    bool quoted = false;
    for (int i = 0; i < part.size(); ++i) {
        const QChar c = part.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted)
            continue;
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (depth == 0 && part.mid(i, n).compare(keyword, Qt::CaseInsensitive) == 0
                 && (i == 0 || (!part.at(i - 1).isLetterOrNumber() && part.at(i - 1) != QLatin1Char('_')))
                 && (i + n >= part.size() || (!part.at(i + n).isLetterOrNumber() && part.at(i + n) != QLatin1Char('_'))))
            return i;
    }
    return -1;
}
} // namespace

TfClass::ListSql TfClass::buildListSql(const QString &fromPart, const QString &columns,
                                       const QString &where, const QString &orderBy) const
{
    ListSql out;
    QString conditions;
    QString connector = topLevelKeyword(fromPart, QLatin1String("WHERE")) >= 0 ? QStringLiteral(" AND ")
                                                                              : QStringLiteral(" WHERE ");
    if (!where.trimmed().isEmpty()) {
        conditions += connector + where;
        connector = QStringLiteral(" AND ");
    }
    int serial = 0;
    for (const TVarSQL::Item &i : m_filters.items()) {
        if (!TVarSQL::hasValue(i.value))
            continue;
        const QString op = i.op.trimmed();
        if (op.compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0) {
            conditions += connector + QLatin1Char(' ') + i.name + QStringLiteral(" LIKE '%")
                          + sqlQuoted(i.value.toString()) + QStringLiteral("%'");
        } else {
            // the parameter name must be a plain identifier even for "ALIAS.COLUMN"
            QString param = i.name;
            for (QChar &c : param)
                if (!c.isLetterOrNumber() && c != QLatin1Char('_'))
                    c = QLatin1Char('_');
            param = QStringLiteral("F%1_").arg(++serial) + param;
            conditions += connector + QLatin1Char(' ') + i.name + QLatin1Char(' ') + op
                          + QStringLiteral(" :") + param;
            out.parameters.append({param, i.value});
        }
        connector = QStringLiteral(" AND ");
    }
    QString order = orderBy.trimmed();
    if (!order.isEmpty() && !m_extraSort.trimmed().isEmpty())
        order += QLatin1Char(',') + m_extraSort;
    else if (order.isEmpty() && !m_extraSort.trimmed().isEmpty())
        order = QStringLiteral(" ORDER BY ") + m_extraSort;

    out.select = QStringLiteral("SELECT  ") + columns + QStringLiteral(", '") + m_markValue
                 + QStringLiteral("' as oznac ") + fromPart + conditions
                 + (order.isEmpty() ? QString() : QLatin1Char(' ') + order);
    // the count must not carry the extra columns before the FROM
    out.count = QStringLiteral("SELECT COUNT(*) ")
                + fromPart.mid(qMax(0, topLevelKeyword(fromPart, QLatin1String("FROM")))) + conditions;
    return out;
}

int TfClass::OpenList(const QString &fromPart, const QString &columns, const QString &where,
                      const QString &orderBy, int key)
{
    if (columns.trimmed().isEmpty())
        return ResNoListColumns;
    if (key == 0 && m_list.isOpen() && m_list.currentRow() >= 0)
        key = m_list.value(QStringLiteral("UNCIS")).toInt();
    m_lastList = {fromPart, columns, where, orderBy, true};
    const ListSql sql = buildListSql(fromPart, columns, where, orderBy);
    QString error;
    if (!m_list.open(m_dm, sql.select, sql.count, sql.parameters, &error)) {
        m_lastError = error;
        return ResListFailed;
    }
    // Returning to the record reads the list only as far as a few thousand rows: in a
    // list just sorted another way the record may be anywhere, and reading a whole large
    // list to find it would freeze the window. Beyond that the list starts at its top.
    if (key > 0)
        m_list.locateAnywhere(QStringLiteral("UNCIS"), key, ReturnToRecordLimit);
    return 0;
}

int TfClass::OpenDefaultList(int key)
{
    return OpenList(m_listFrom, m_listColumns, m_defaultWhere, m_orderBy, key);
}

int TfClass::MarkRow(int mode)
{
    const int row = m_list.currentRow();
    switch (mode) {
    case 0:
        if (row < 0)
            return 0;
        m_list.setMarked(row, !m_list.isMarked(row));
        return 0;
    case 1:
    case 3:
        if (row >= 0)
            m_list.setMarked(row, mode == 1);
        return 0;
    case 2:
    case 4: {
        if (!m_lastList.valid)
            return ResMarkFailed;
        m_markValue = mode == 2 ? QStringLiteral("A") : QStringLiteral(" ");
        const int r = OpenList(m_lastList.from, m_lastList.columns, m_lastList.where, m_lastList.orderBy, 0);
        m_markValue = QStringLiteral(" ");
        if (r < 0)
            return ResMarkFailed;
        // every row is marked: read them all so the marked count is the record count
        if (mode == 2)
            m_list.fetchAll();
        return 0;
    }
    default:
        return ResMarkFailed;
    }
}
