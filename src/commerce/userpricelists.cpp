#include "commerce/userpricelists.h"
#include "core/class.h"
#include "core/globals.h"
#include "core/sqlvalue.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
// The items of a section with their price in one list. The change counter of the price
// comes along so that a price two workstations type at once is not overwritten.
const QString PricesSelect = QStringLiteral(
    "SELECT C.UnCis as CUnCis, C.CSekce,C.Popis, C.Jedn,C.Znacka,C.Kod,C.CenPro,C.Vyrobce, "
    "U.UnCis,U.UnCCen,U.UnCH,U.Cena,U.Klic FROM  Cenik C LEFT OUTER JOIN CenUzP U ON (C.UnCis = U.UnCCen "
    "AND U.UnCH=:UnCH ) WHERE C.CSekce=:CSekce ORDER BY C.CSekce, C.Popis");
} // namespace

// --- UserPriceLists ------------------------------------------------------------------

UserPriceLists::UserPriceLists(TDMPro *dm)
    : m_dm(dm)
{
}

int UserPriceLists::readLists(int key)
{
    if (!m_dm)
        return Failed;
    if (key == 0)
        key = m_list;
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT * FROM CenUzH Order by Nazev"))) {
        m_lastError = q.lastError().text();
        return Failed;
    }
    m_lists.load(q);
    if (key == 0 || !m_lists.locate(QStringLiteral("UNCIS"), key))
        m_lists.first();
    m_list = m_lists.currentRow() >= 0 ? m_lists.value(QStringLiteral("UNCIS")).toInt() : 0;
    return Done;
}

int UserPriceLists::readPrices(int list, int section)
{
    if (!m_dm)
        return Failed;
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    q.prepare(PricesSelect);
    q.bindValue(QStringLiteral(":UnCH"), list);
    q.bindValue(QStringLiteral(":CSekce"), section);
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return Failed;
    }
    const QVariant current = m_prices.currentRow() >= 0 && m_list == list && m_section == section
                                 ? m_prices.value(QStringLiteral("CUNCIS"))
                                 : QVariant();
    m_list = list;
    m_section = section;
    m_prices.load(q);
    if (!current.isValid() || !m_prices.locate(QStringLiteral("CUNCIS"), current))
        m_prices.first();
    return Done;
}

bool UserPriceLists::hasUserPrice(int row) const
{
    if (row < 0 || row >= m_prices.rowCount())
        return false;
    return !m_prices.value(row, QStringLiteral("UNCIS")).isNull();
}

void UserPriceLists::setStoredPrice(int row, const QVariant &key, const QVariant &price, const QVariant &klic)
{
    RowCache::Snapshot s = m_prices.snapshot();
    RowCache::Row &r = s.rows[row];
    const bool present = !key.isNull();
    auto put = [&](const char *field, const QVariant &value) {
        const int c = m_prices.fieldIndex(QString::fromLatin1(field));
        if (c < 0)
            return;
        const QVariant v = value.isNull() ? QVariant(m_prices.fieldType(c)) : value;
        r.original[c] = v;
        r.current[c] = v;
    };
    put("UNCIS", key);
    put("UNCCEN", present ? m_prices.value(row, QStringLiteral("CUNCIS")) : QVariant());
    put("UNCH", present ? QVariant(m_list) : QVariant());
    put("CENA", price);
    put("KLIC", klic);
    // the row now shows what is stored; a price typed before is gone with it
    r.state = RowCache::Unchanged;
    m_prices.restore(s);
}

int UserPriceLists::addCurrent()
{
    const int row = m_prices.currentRow();
    if (!m_dm || m_list <= 0 || row < 0 || hasUserPrice(row))
        return NothingToDo;
    const int item = m_prices.value(row, QStringLiteral("CUNCIS")).toInt();
    {
        // another workstation may have priced the item meanwhile
        QSqlQuery q = m_dm->NewQuery();
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT FIRST 1 UnCis, Cena, Klic FROM CenUzP WHERE UnCH = :UnCH AND UnCCen = :UnCCen "
                                 "ORDER BY UnCis"));
        q.bindValue(QStringLiteral(":UnCH"), m_list);
        q.bindValue(QStringLiteral(":UnCCen"), item);
        if (!q.exec()) {
            m_lastError = q.lastError().text();
            return Failed;
        }
        if (q.next()) {
            const QVariant key = q.value(0), price = q.value(1), klic = q.value(2);
            q.finish();
            setStoredPrice(row, key, price, klic);
            return NothingToDo;
        }
    }
    const qint64 key = m_dm->NextKey(QStringLiteral("CENUZP"));
    if (key < 0) {
        m_lastError = QStringLiteral("Nelze získat klíč z generátoru CENUZP");
        return Failed;
    }
    {
        TransactionGuard guard(m_dm);
        QSqlQuery q = m_dm->NewQuery();
        q.prepare(QStringLiteral("INSERT INTO CenUzP (UnCis,UnCH,UnCCen,Cena) VALUES (:UnCis,:UnCH,:UnCCen,:Cena)"));
        q.bindValue(QStringLiteral(":UnCis"), int(key));
        q.bindValue(QStringLiteral(":UnCH"), m_list);
        q.bindValue(QStringLiteral(":UnCCen"), item);
        q.bindValue(QStringLiteral(":Cena"), 0.0);
        if (!guard.isActive() || !q.exec() || !guard.commit()) {
            m_lastError = q.lastError().text().isEmpty() ? guard.lastError() : q.lastError().text();
            return Failed;
        }
    }
    setStoredPrice(row, int(key), 0.0, 0);
    return Done;
}

int UserPriceLists::removeCurrent()
{
    const int row = m_prices.currentRow();
    if (!m_dm || !hasUserPrice(row))
        return NothingToDo;
    {
        TransactionGuard guard(m_dm);
        QSqlQuery q = m_dm->NewQuery();
        q.prepare(QStringLiteral("DELETE FROM CenUzP WHERE UnCis=:UnCis"));
        q.bindValue(QStringLiteral(":UnCis"), m_prices.value(row, QStringLiteral("UNCIS")));
        if (!guard.isActive() || !q.exec() || !guard.commit()) {
            m_lastError = q.lastError().text().isEmpty() ? guard.lastError() : q.lastError().text();
            return Failed;
        }
    }
    setStoredPrice(row, QVariant(), QVariant(), QVariant());
    return Done;
}

int UserPriceLists::createList(const QString &name)
{
    if (!m_dm || name.trimmed().isEmpty())
        return Failed;
    const qint64 key = m_dm->NextKey(QStringLiteral("CENUZH"));
    if (key < 0) {
        m_lastError = QStringLiteral("Nelze získat klíč z generátoru CENUZH");
        return Failed;
    }
    {
        TransactionGuard guard(m_dm);
        QSqlQuery q = m_dm->NewQuery();
        q.prepare(QStringLiteral("INSERT INTO CenUzH (UnCis, Nazev, KDO, KLIC) VALUES (:UnCis, :Nazev, :KDO, 0)"));
        q.bindValue(QStringLiteral(":UnCis"), int(key));
        q.bindValue(QStringLiteral(":Nazev"), name.trimmed());
        q.bindValue(QStringLiteral(":KDO"), userStamp());
        if (!guard.isActive() || !q.exec() || !guard.commit()) {
            m_lastError = q.lastError().text().isEmpty() ? guard.lastError() : q.lastError().text();
            return Failed;
        }
    }
    if (readLists(int(key)) < 0)
        return Failed;
    return int(key);
}

int UserPriceLists::deleteList(int key)
{
    if (!m_dm || key <= 0)
        return NothingToDo;
    {
        TransactionGuard guard(m_dm);
        QSqlQuery q = m_dm->NewQuery();
        bool ok = guard.isActive() && q.prepare(QStringLiteral("DELETE FROM CenUzP WHERE UnCH=:UnCH"));
        if (ok) {
            q.bindValue(QStringLiteral(":UnCH"), key);
            ok = q.exec();
        }
        if (ok) {
            ok = q.prepare(QStringLiteral("DELETE FROM CenUzH WHERE UnCis=:UnCis"));
            q.bindValue(QStringLiteral(":UnCis"), key);
            ok = ok && q.exec();
        }
        if (!ok || !guard.commit()) {
            m_lastError = q.lastError().text().isEmpty() ? guard.lastError() : q.lastError().text();
            return Failed;
        }
    }
    m_list = 0;
    return readLists(0);
}

int UserPriceLists::save()
{
    if (!m_dm)
        return Failed;
    CacheWriter::Result listsResult, pricesResult;
    {
        TransactionGuard guard(m_dm);
        if (!guard.isActive()) {
            m_lastError = guard.lastError();
            return Failed;
        }
        if (m_lists.isDirty()) {
            listsResult = CacheWriter(m_dm, QStringLiteral("CENUZH")).apply(m_lists);
            if (!listsResult.ok) {
                m_lastError = listsResult.error;
                return Failed;
            }
        }
        if (m_prices.isDirty()) {
            pricesResult = CacheWriter(m_dm, QStringLiteral("CENUZP")).apply(m_prices);
            if (!pricesResult.ok) {
                m_lastError = pricesResult.error;
                return Failed;
            }
        }
        if (!guard.commit()) {
            m_lastError = guard.lastError();
            return Failed;
        }
    }
    applyNewCounters(m_lists, listsResult);
    applyNewCounters(m_prices, pricesResult);
    m_lists.commitUpdates();
    m_prices.commitUpdates();
    return Done;
}

void UserPriceLists::cancel()
{
    m_lists.cancelUpdates();
    m_prices.cancelUpdates();
}

int UserPriceLists::locate(const QString &text)
{
    if (text.isEmpty())
        return -1;
    for (int r = 0; r < m_prices.rowCount(); ++r)
        if (m_prices.value(r, QStringLiteral("POPIS")).toString().startsWith(text, Qt::CaseInsensitive)) {
            m_prices.setCurrentRow(r);
            return r;
        }
    return -1;
}

// --- UserPriceModel ------------------------------------------------------------------

UserPriceModel::UserPriceModel(UserPriceLists *lists, QObject *parent)
    : RowCacheModel(&lists->prices(), parent), m_lists(lists)
{
}

QVariant UserPriceModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::BackgroundRole && index.isValid() && m_lists->hasUserPrice(index.row()))
        return priceColour();
    return RowCacheModel::data(index, role);
}

Qt::ItemFlags UserPriceModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = RowCacheModel::flags(index);
    // a price is typed only into an item the list holds ("Přidat" first)
    if (index.isValid() && !m_lists->hasUserPrice(index.row()))
        f &= ~Qt::ItemIsEditable;
    return f;
}
