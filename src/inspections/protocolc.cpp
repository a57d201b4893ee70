#include "inspections/protocolc.h"

#include "core/dokrad.h"
#include "core/rowcache.h"
#include "core/sqlrun.h"
#include "customers/adrtexty.h"
#include "inspections/protocolrules.h"

TfInspectionC::TfInspectionC(const QString &kind, TDMPro *dm, QObject *parent)
    : TfClass(dm, parent)
    , m_kind(kind)
{
}

int TfInspectionC::definePositionedItems(const QString &table)
{
    if (DefineItemTable(Polozky, table) < 0)
        return -1;
    ItemTable &it = polozky();
    it.orderBy = QStringLiteral(" ORDER BY Poradi,UnCPom ");
    // Carry-forward copies in the order the technician arranged; every copied row then
    // gets a position after the previous one, so next year's list reads the same.
    it.copyOrder = QStringLiteral("PORADI, UNCPOM, UNCIS");
    // A new item lands at the end of its inspection: its position is its own key.
    it.afterAppend = [](ItemTable &t) {
        RowCache &c = *t.cache;
        c.setValue(QStringLiteral("UNCPOM"), c.value(QStringLiteral("UNCIS")));
        return 0;
    };
    return 0;
}

namespace {
QList<QPair<QString, QVariant>> newValues(const QDate &today, const QString &stateColumn)
{
    return {{QStringLiteral("PRAVID"), QStringLiteral("A")}, {QStringLiteral("DATUM"), today},
            {stateColumn, QStringLiteral("P")}, {QStringLiteral("ZAMEK"), QStringLiteral("N")}};
}
} // namespace

void TfInspectionC::presetNewInspection(const QDate &today, const NewInspection &kind)
{
    for (const auto &[name, value] : newValues(today, kind.stateColumn) + kind.own)
        SetVariable(name, value);
}

void TfInspectionC::presetBlankInspection(const NewInspection &kind)
{
    // A column written explicitly never takes its table default, so a new inspection
    // gets its defaults here when no preset gave them (a copy brings its own).
    ProtocolRules::presetBlankHeader(header(), newValues(QDate::currentDate(), kind.stateColumn) + kind.own
                                                   + Values{{kind.countColumn, 0},
                                                            {QStringLiteral("UNCDOD"), 0},
                                                            {QStringLiteral("PCISLO"), 0},
                                                            {QStringLiteral("UNCTECH2"), 0}}
                                                   + kind.blank);
}

void TfInspectionC::storeCount(const QString &column, int count)
{
    RowCache &h = header();
    if (h.currentRow() < 0 || !h.hasField(column))
        return;
    const QVariant old = h.value(column);
    if (old.isNull() || old.toInt() != count)
        h.setValue(column, count);
}

// --- the header ----------------------------------------------------------------------

bool TfInspectionC::CanHaveItems()
{
    RowCache &h = header();
    return h.currentRow() >= 0 && h.value(QStringLiteral("UNCFIR")).toInt() != 0
           && h.value(QStringLiteral("DATUM")).toDate().isValid()
           && h.value(QStringLiteral("UNCTECH")).toInt() != 0;
}

int TfInspectionC::UnlinkDeliveryNote()
{
    RowCache &h = header();
    if (h.currentRow() < 0)
        return -1;
    h.setValue(QStringLiteral("UNCDOD"), 0);
    return SaveRecord() < 0 ? -1 : 0;
}

bool TfInspectionC::TakeNumberOfSeries()
{
    RowCache &h = header();
    const QString code = h.currentRow() >= 0 ? h.value(QStringLiteral("CISPRO")).toString().trimmed() : QString();
    if (code.isEmpty())
        return false;
    int sequence = 0;
    const QString number = NextDocumentNumber(code, QString(), sequence, dm());
    if (number.isEmpty())
        return false;
    h.setValue(QStringLiteral("CISPRO"), number);
    h.setValue(QStringLiteral("PCISLO"), sequence);
    return true;
}

int TfInspectionC::currentOwner()
{
    const RowCache &h = header();
    return h.currentRow() >= 0 ? h.value(QStringLiteral("UNCFIR")).toInt() : 0;
}

void TfInspectionC::OwnerChosen()
{
    if (header().currentRow() < 0)
        return;
    header().setValue(QStringLiteral("UNCSTR"), 0);
    FollowOwner(true);
}

bool TfInspectionC::FollowOwner(bool again)
{
    const int owner = currentOwner();
    if (owner == m_termsOwner && !again)
        return false;
    readOwnerTerms(owner);
    return true;
}

void TfInspectionC::readOwnerTerms(int owner)
{
    m_termsOwner = owner;
    TAdresniTexty texts(dm());
    if (owner > 0)
        texts.SestavAdresu(owner);
    m_ownerPriceList = owner > 0 ? texts.UnCCen : 0;
    m_ownerDiscount = owner > 0 ? texts.Sleva : 0;
}

QVector<LookupItem> TfInspectionC::OwnerObjects(bool *ok)
{
    return readLookup(dm(), QStringLiteral("select Poradi, Objekt from s_objekt where UnCH=:UnCH ORDER BY Poradi"),
                      {{QStringLiteral("UnCH"), currentOwner()}}, ok);
}

QString TfInspectionC::ObjectOfOwner(int poradi, bool *found)
{
    if (found)
        *found = false;
    QSqlQuery q = runSql(dm(),
                         QStringLiteral("SELECT Objekt FROM S_Objekt WHERE UnCH = :UnCH AND Poradi = :Poradi "
                                        "ORDER BY UnCis"),
                         {{QStringLiteral("UnCH"), header().value(QStringLiteral("UNCFIR"))},
                          {QStringLiteral("Poradi"), poradi}},
                         &m_lastError);
    if (!q.isActive() || !q.next())
        return QString();
    if (found)
        *found = true;
    return q.value(0).toString();
}

bool TfInspectionC::TakeObjectByNumber()
{
    RowCache &c = items();
    if (c.currentRow() < 0)
        return false;
    bool found = false;
    const QString objekt = ObjectOfOwner(c.value(QStringLiteral("PORADI")).toInt(), &found);
    if (!found || c.value(QStringLiteral("OBJEKT")).toString() == objekt)
        return false;
    c.setValue(QStringLiteral("OBJEKT"), objekt);
    return true;
}

// --- the check before saving -----------------------------------------------------------

int TfInspectionC::CheckBeforeNextSave()
{
    const bool skip = m_skipDateCheckOnce;
    m_skipDateCheckOnce = false;
    return CheckBeforeSave(skip);
}

// --- the items ---------------------------------------------------------------------------

int TfInspectionC::AddItem()
{
    ItemTable &it = polozky();
    RowCache &c = items();
    it.defaults.ClearVariables();
    it.defaults.SetVariable(QStringLiteral("UNCH"), header().value(QStringLiteral("UNCIS")));
    presetNewItem(it.defaults);
    if (c.currentRow() >= 0)
        for (const char *f : {"OBJEKT", "MISTO", "PORADI", "NAKSTR"})
            it.defaults.SetVariable(QLatin1String(f), c.value(QLatin1String(f)));
    const int key = AppendItem(it);
    it.defaults.ClearVariables();
    return key;
}

bool TfInspectionC::ItemBeingEdited()
{
    const RowCache &c = items();
    return c.currentRow() >= 0 && c.row(c.currentRow()).state != RowCache::Unchanged;
}

int TfInspectionC::DeleteCurrentItem()
{
    if (items().currentRow() < 0)
        return ResItemDeleteFailed;
    return DeleteItem(polozky(), 0, polozky().table);
}

int TfInspectionC::FindItem(const QString &column, const QString &prefix)
{
    const RowCache &c = items();
    for (int r = 0; r < c.rowCount(); ++r)
        if (c.value(r, column).toString().startsWith(prefix, Qt::CaseInsensitive))
            return r;
    return -1;
}

int TfInspectionC::SortItems(const QString &order)
{
    m_itemOrder = order;
    polozky().orderBy = QStringLiteral(" ORDER BY ") + order + QLatin1Char(' ');
    const int key = header().value(QStringLiteral("UNCIS")).toInt();
    return key > 0 ? OpenRecord(key) : 0;
}

int TfInspectionC::VlozNaPozici(int itemKey, int inspKey, int pozice)
{
    if (SaveRecord() < 0)
        return -2;
    return ProtocolRules::shiftToPosition(dm(), polozky().table, itemKey, inspKey, pozice, &m_lastError);
}

int TfInspectionC::InsertItemAtCurrent()
{
    // the inserted item is saved without the check; the next save does not ask again
    m_skipDateCheckOnce = true;
    return ProtocolRules::insertItemAtCurrent(
        *this, polozky(), [this] { return AddItem(); }, m_kind,
        [this](const QString &text) { emit statusText(text); });
}

int TfInspectionC::MoveItem(QChar direction)
{
    const int r = ProtocolRules::moveItem(*this, items(), direction);
    if (r == 0)
        m_skipDateCheckOnce = true;
    return r;
}
