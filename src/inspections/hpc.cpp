#include "inspections/hpc.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

#include "core/dokrad.h"
#include "core/globals.h"
#include "core/money.h"
#include "core/prompt.h"
#include "core/rowcache.h"
#include "core/sqlrun.h"
#include "core/sqlpro.h"
#include "customers/adrtexty.h"

namespace {

const QString ListFrom = QStringLiteral(
    " ,Has.UnCis, Has.UnCFir,Has.Faktura,HAS.Zamek  from "
    "PR_Hlav"
    " Has  left outer join adresar Adr on (Has.uncfir=Adr.uncis)  left outer join adresar Te1 on "
    "(Has.unctech=Te1.uncis)  left outer join adresar Te2 on (Has.unctech2=Te2.uncis)  left outer "
    "join strediska Str on (Has.UnCStr=Str.UnCis) ");

// The list query begins with the grid layout's columns; these stand in when no layout
// is chosen. The from part adds the keys and states the list itself needs.
const QString ListColumns = QStringLiteral(
    "HAS.DATUM as HASDATUM, HAS.CISPRO as HASCISPRO, ADR.NAZEV as ADRNAZEV, "
    "STR.STREDISKO as STRSTREDISKO, HAS.POCHP as HASPOCHP");

const QStringList ItemWriteColumns = {
    QStringLiteral("UNCIS"), QStringLiteral("UNCH"), QStringLiteral("OBJEKT"), QStringLiteral("MISTO"),
    QStringLiteral("ZNACKA"), QStringLiteral("OPRTEXT"), QStringLiteral("DRUH"), QStringLiteral("VYRCIS"),
    QStringLiteral("STAV"), QStringLiteral("POZN"), QStringLiteral("HP"), QStringLiteral("ROK"),
    QStringLiteral("VYROBCE"), QStringLiteral("STATUS"), QStringLiteral("PREDILNA"),
    QStringLiteral("PREVYRAZ"), QStringLiteral("UNCCEN"), QStringLiteral("PRESKLAD"),
    QStringLiteral("PORADI"), QStringLiteral("POSDIL"), QStringLiteral("CARKOD"), QStringLiteral("UNCPOM"),
    QStringLiteral("KDY"), QStringLiteral("KDO"), QStringLiteral("KLIC"), QStringLiteral("NAKSTR")};

const QString CheckCaption = QStringLiteral("Kontrola před uložením");
const QString CopyCaption = QStringLiteral("Zkopírování dokladu HP");

bool isBlank(const QVariant &v)
{
    return v.isNull() || v.toString().trimmed().isEmpty();
}

bool exec(QSqlQuery &q, QString &error)
{
    if (q.exec())
        return true;
    error = q.lastError().text();
    return false;
}

} // namespace

TfHPC::TfHPC(TDMPro *dm, QObject *parent)
    : TfClass(dm, parent)
{
}

int TfHPC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("PR_Hlav")) < 0)
        return -1;
    if (AllocateItemTables(1) < 0 || DefineItemTable(Polozky, QStringLiteral("PR_Tab")) < 0)
        return -1;
    ItemTable &it = polozky();
    it.orderBy = QStringLiteral(" ORDER BY Poradi,UnCPom ");
    // Carry-forward copies in the order the technician arranged; every copied row then
    // gets a position after the previous one, so next year's list reads the same.
    it.copyOrder = QStringLiteral("PORADI, UNCPOM, UNCIS");
    it.writeColumns = ItemWriteColumns;
    // A new item lands at the end of its inspection: its position is its own key.
    it.afterAppend = [](ItemTable &t) {
        RowCache &c = *t.cache;
        c.setValue(QStringLiteral("UNCPOM"), c.value(QStringLiteral("UNCIS")));
        return 0;
    };
    // The mark and the year are seen right as the technician goes from item to item,
    // not only once the inspection is saved.
    RowCache &items = *it.cache;
    connect(&items, &RowCache::reset, this, [this] { m_itemRow = -1; });
    connect(&items, &RowCache::rowRemoved, this, [this] { m_itemRow = -1; });
    connect(&items, &RowCache::currentRowChanged, this, [this](int row) {
        const int left = m_itemRow;
        m_itemRow = row;
        if (left != row)
            postItem(left);
    });
    SetListQuery(ListFrom, QStringLiteral("HAS"));
    setListColumns(ListColumns);
    setOrderBy(QStringLiteral(" ORDER BY Has.Datum desc "));
    setDefaultWhere(QStringLiteral(" Has.Datum >= '")
                    + QDate::currentDate().addDays(-40).toString(QStringLiteral("dd.MM.yyyy"))
                    + QLatin1Char('\''));
    return 0;
}

void TfHPC::PresetNewInspection(const QDate &today)
{
    SetVariable(QStringLiteral("PRAVID"), QStringLiteral("A"));
    SetVariable(QStringLiteral("DATUM"), today);
    SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("P"));
    SetVariable(QStringLiteral("VYRPROT"), QStringLiteral("N"));
    SetVariable(QStringLiteral("ZAMEK"), QStringLiteral("N"));
}

int TfHPC::AfterNewHeaderRow()
{
    // A column written explicitly never takes its table default, so a new inspection
    // gets its defaults here when no preset gave them (a copy brings its own).
    RowCache &h = header();
    auto preset = [&h](const char *field, const QVariant &value) {
        if (isBlank(h.value(QLatin1String(field))))
            h.setValue(QLatin1String(field), value);
    };
    preset("PRAVID", QStringLiteral("A"));
    preset("DATUM", QDate::currentDate());
    preset("FAKTURA", QStringLiteral("P"));
    preset("VYRPROT", QStringLiteral("N"));
    preset("ZAMEK", QStringLiteral("N"));
    preset("POCHP", 0);
    preset("UNCDOD", 0);
    preset("PCISLO", 0);
    preset("UNCTECH2", 0);
    return 0;
}

// --- item rules --------------------------------------------------------------------

TfHPC::StateFlags TfHPC::flagsOfState(int status)
{
    const QString a = QStringLiteral("A"), n = QStringLiteral("N");
    if (status < 1 || status > 10)
        return {n, n, n};
    const bool dilna = status == 2 || status == 4 || status == 6 || status == 8;
    const bool vyraz = status == 3 || status == 5;
    const bool sklad = status >= 2 && status <= 9;
    return {dilna ? a : n, vyraz ? a : n, sklad ? a : n};
}

bool TfHPC::leftAtCustomer(int status)
{
    switch (status) {
    case 1: case 4: case 14: case 6: case 7: case 8: case 9:
        return true;
    default:
        return false;
    }
}

int TfHPC::yearFromSerial(const QString &serial, int current)
{
    const int slash = serial.indexOf(QLatin1Char('/'));
    if (slash < 0 || serial.size() < slash + 3)
        return current;
    const QChar d1 = serial.at(slash + 1), d2 = serial.at(slash + 2);
    auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (!digit(d1) || !digit(d2))
        return current;
    const int yy = (d1.unicode() - '0') * 10 + (d2.unicode() - '0');
    return yy >= 50 ? 1900 + yy : 2000 + yy;
}

QString TfHPC::markOf(const QString &hp, const QString &oprText)
{
    return oprText.isEmpty() ? hp : hp + QStringLiteral(" - ") + oprText;
}

int TfHPC::qPodPredPost(int row)
{
    RowCache &c = hp();
    if (row < 0 || row >= c.rowCount()) {
        Prompt::warning(QStringLiteral("Příprava uložení"));
        return 0;
    }
    const QString hpName = c.value(row, QStringLiteral("HP")).toString();
    const QString mark = markOf(hpName, c.value(row, QStringLiteral("OPRTEXT")).toString());
    if (c.value(row, QStringLiteral("ZNACKA")).toString() != mark)
        c.setValue(row, c.fieldIndex(QStringLiteral("ZNACKA")), mark);
    const QVariant rok = c.value(row, QStringLiteral("ROK"));
    const int year = yearFromSerial(c.value(row, QStringLiteral("VYRCIS")).toString(), rok.toInt());
    if (year != rok.toInt())
        c.setValue(row, c.fieldIndex(QStringLiteral("ROK")), year);
    if (c.value(row, QStringLiteral("KDO")).toString() != userStamp())
        c.setValue(row, c.fieldIndex(QStringLiteral("KDO")), userStamp());
    return 0;
}

void TfHPC::postItem(int row)
{
    RowCache &c = hp();
    if (row >= 0 && row < c.rowCount() && c.row(row).state != RowCache::Unchanged)
        qPodPredPost(row);
}

void TfHPC::PostCurrentItem()
{
    postItem(hp().currentRow());
}

bool TfHPC::ItemBeingEdited()
{
    const RowCache &c = hp();
    return c.currentRow() >= 0 && c.row(c.currentRow()).state != RowCache::Unchanged;
}

int TfHPC::ChooseCondition(const QString &popis, int typ)
{
    RowCache &c = hp();
    if (c.currentRow() < 0)
        return -1;
    c.setValue(QStringLiteral("STAV"), popis);
    if (!isBlank(c.value(QStringLiteral("STATUS"))) && c.value(QStringLiteral("STATUS")).toInt() == typ)
        return 0;
    const StateFlags f = flagsOfState(typ);
    c.setValue(QStringLiteral("STATUS"), typ);
    c.setValue(QStringLiteral("PREDILNA"), f.preDilna);
    c.setValue(QStringLiteral("PREVYRAZ"), f.preVyraz);
    c.setValue(QStringLiteral("PRESKLAD"), f.preSklad);
    return 0;
}

int TfHPC::ChooseType(int unccen)
{
    RowCache &c = hp();
    if (c.currentRow() < 0)
        return -1;
    QSqlQuery q = dm()->NewQuery();
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT Popis, Vyrobce, Druh FROM Cenik WHERE UnCis = :UnCis AND CSekce = 7"));
    q.bindValue(QStringLiteral(":UnCis"), unccen);
    if (!exec(q, m_lastError) || !q.next())
        return -1;
    c.setValue(QStringLiteral("UNCCEN"), unccen);
    c.setValue(QStringLiteral("DRUH"), q.value(2).toString());
    c.setValue(QStringLiteral("VYROBCE"), q.value(1).toString());
    c.setValue(QStringLiteral("HP"), q.value(0).toString());
    return 0;
}

int TfHPC::AddPosition(const QString &pozice)
{
    RowCache &c = hp();
    if (c.currentRow() < 0)
        return -1;
    c.setValue(QStringLiteral("MISTO"), c.value(QStringLiteral("MISTO")).toString() + QLatin1Char(' ') + pozice);
    return qPodPredPost(c.currentRow());
}

bool TfHPC::NeedsWithdrawalDocument()
{
    const RowCache &c = hp();
    for (int r = 0; r < c.rowCount(); ++r)
        if (c.value(r, QStringLiteral("PREVYRAZ")).toString().trimmed() == QLatin1String("A"))
            return true;
    return false;
}

bool TfHPC::NeedsWorkshopLink()
{
    const RowCache &c = hp();
    for (int r = 0; r < c.rowCount(); ++r)
        if (c.value(r, QStringLiteral("PREDILNA")).toString().trimmed() == QLatin1String("A"))
            return true;
    return false;
}

int TfHPC::AddItem()
{
    ItemTable &it = polozky();
    RowCache &c = hp();
    it.defaults.ClearVariables();
    it.defaults.SetVariable(QStringLiteral("UNCH"), header().value(QStringLiteral("UNCIS")));
    it.defaults.SetVariable(QStringLiteral("STATUS"), 0);
    it.defaults.SetVariable(QStringLiteral("PREDILNA"), QStringLiteral("N"));
    it.defaults.SetVariable(QStringLiteral("PREVYRAZ"), QStringLiteral("N"));
    it.defaults.SetVariable(QStringLiteral("PRESKLAD"), QStringLiteral("N"));
    it.defaults.SetVariable(QStringLiteral("CARKOD"), 0);
    if (c.currentRow() >= 0)
        for (const char *f : {"OBJEKT", "MISTO", "PORADI", "NAKSTR"})
            it.defaults.SetVariable(QLatin1String(f), c.value(QLatin1String(f)));
    const int key = AppendItem(it);
    it.defaults.ClearVariables();
    return key;
}

int TfHPC::RepeatItem()
{
    ItemTable &it = polozky();
    RowCache &c = hp();
    if (c.currentRow() < 0)
        return AddItem();
    it.defaults.ClearVariables();
    static const QStringList ownColumns = {QStringLiteral("UNCIS"), QStringLiteral("UNCH"),
                                           QStringLiteral("UNCPOM"), QStringLiteral("KLIC"),
                                           QStringLiteral("KDY"), QStringLiteral("KDO")};
    for (const QString &f : c.fieldNames())
        if (!ownColumns.contains(f, Qt::CaseInsensitive))
            it.defaults.SetVariable(f, c.value(f));
    it.defaults.SetVariable(QStringLiteral("VYRCIS"), QString());
    it.defaults.SetVariable(QStringLiteral("POZN"), QString());
    it.defaults.SetVariable(QStringLiteral("CARKOD"), 0);
    const int key = AppendItem(it);
    it.defaults.ClearVariables();
    return key;
}

int TfHPC::DeleteCurrentItem()
{
    if (hp().currentRow() < 0)
        return ResItemDeleteFailed;
    return DeleteItem(polozky(), 0, polozky().table);
}

int TfHPC::FindItemBySerial(const QString &prefix)
{
    const RowCache &c = hp();
    for (int r = 0; r < c.rowCount(); ++r)
        if (c.value(r, QStringLiteral("VYRCIS")).toString().startsWith(prefix, Qt::CaseInsensitive))
            return r;
    return -1;
}

QString TfHPC::ObjectOfOwner(int poradi, bool *found)
{
    if (found)
        *found = false;
    QSqlQuery q = dm()->NewQuery();
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT Objekt FROM S_Objekt WHERE UnCH = :UnCH AND Poradi = :Poradi ORDER BY UnCis"));
    q.bindValue(QStringLiteral(":UnCH"), header().value(QStringLiteral("UNCFIR")));
    q.bindValue(QStringLiteral(":Poradi"), poradi);
    if (!exec(q, m_lastError) || !q.next())
        return QString();
    if (found)
        *found = true;
    return q.value(0).toString();
}

bool TfHPC::TakeObjectByNumber()
{
    RowCache &c = hp();
    if (c.currentRow() < 0)
        return false;
    bool found = false;
    const QString objekt = ObjectOfOwner(c.value(QStringLiteral("PORADI")).toInt(), &found);
    if (!found || c.value(QStringLiteral("OBJEKT")).toString() == objekt)
        return false;
    c.setValue(QStringLiteral("OBJEKT"), objekt);
    return true;
}

QVector<LookupItem> TfHPC::ItemChoices(ItemChoice which, bool *ok)
{
    static const QString sql[] = {
        QStringLiteral("SELECT POPIS FROM s_umist order by popis"),
        QStringLiteral("SELECT UNCIS, POPIS, VYROBCE FROM Cenik WHERE CSekce=7 ORDER BY popis"),
        QStringLiteral("SELECT TYP, POPIS, TYP from S_stav order by popis"),
        QStringLiteral("SELECT POPIS from pozice order by popis"),
        QStringLiteral("SELECT POPIS from S_OprTxt order by popis"),
    };
    return readLookup(dm(), sql[which], {}, ok);
}

QVector<LookupItem> TfHPC::OwnerObjects(bool *ok)
{
    return readLookup(dm(), QStringLiteral("select Poradi, Objekt from s_objekt where UnCH=:UnCH ORDER BY Poradi"),
                      {{QStringLiteral("UnCH"), currentOwner()}}, ok);
}

int TfHPC::AddRefinementText(const QString &text)
{
    const QString popis = text.trimmed();
    if (popis.isEmpty())
        return 1;
    QSqlQuery q = dm()->NewQuery();
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM S_OprTxt WHERE Popis = :Popis"));
    q.bindValue(QStringLiteral(":Popis"), popis);
    if (!exec(q, m_lastError) || !q.next())
        return -1;
    if (q.value(0).toInt() > 0)
        return 1;
    const qint64 key = dm()->NextKey(QStringLiteral("S_OPRTXT"));
    if (key <= 0) {
        m_lastError = QStringLiteral("Klíč nového textu nebyl vytvořen");
        return -1;
    }
    TransactionGuard guard(dm());
    q.prepare(QStringLiteral("INSERT INTO S_OprTxt (UnCis, Popis, Kdo, Klic) VALUES (:UnCis, :Popis, :Kdo, 0)"));
    q.bindValue(QStringLiteral(":UnCis"), int(key));
    q.bindValue(QStringLiteral(":Popis"), popis);
    q.bindValue(QStringLiteral(":Kdo"), userStamp());
    if (!guard.isActive() || !exec(q, m_lastError) || !guard.commit()) {
        if (m_lastError.isEmpty())
            m_lastError = guard.lastError();
        return -1;
    }
    return 0;
}

int TfHPC::SortItems(const QString &order)
{
    m_itemOrder = order;
    polozky().orderBy = QStringLiteral(" ORDER BY ") + order + QLatin1Char(' ');
    const int key = header().value(QStringLiteral("UNCIS")).toInt();
    return key > 0 ? OpenRecord(key) : 0;
}

// --- inspection rules --------------------------------------------------------------

bool TfHPC::CanHaveItems()
{
    RowCache &h = header();
    return h.currentRow() >= 0 && h.value(QStringLiteral("UNCFIR")).toInt() != 0
           && h.value(QStringLiteral("DATUM")).toDate().isValid()
           && h.value(QStringLiteral("UNCTECH")).toInt() != 0;
}

int TfHPC::UnlinkDeliveryNote()
{
    RowCache &h = header();
    if (h.currentRow() < 0)
        return -1;
    h.setValue(QStringLiteral("UNCDOD"), 0);
    return SaveRecord() < 0 ? -1 : 0;
}

bool TfHPC::TakeNumberOfSeries()
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

int TfHPC::currentOwner()
{
    const RowCache &h = header();
    return h.currentRow() >= 0 ? h.value(QStringLiteral("UNCFIR")).toInt() : 0;
}

void TfHPC::OwnerChosen()
{
    if (header().currentRow() < 0)
        return;
    header().setValue(QStringLiteral("UNCSTR"), 0);
    FollowOwner(true);
}

bool TfHPC::FollowOwner(bool again)
{
    const int owner = currentOwner();
    if (owner == m_termsOwner && !again)
        return false;
    readOwnerTerms(owner);
    return true;
}

void TfHPC::readOwnerTerms(int owner)
{
    m_termsOwner = owner;
    TAdresniTexty texts(dm());
    if (owner > 0)
        texts.SestavAdresu(owner);
    m_ownerPriceList = owner > 0 ? texts.UnCCen : 0;
    m_ownerDiscount = owner > 0 ? texts.Sleva : 0;
}

void TfHPC::recountLeftAtCustomer()
{
    RowCache &h = header();
    if (h.currentRow() < 0 || !h.hasField(QStringLiteral("POCHP")))
        return;
    const RowCache &c = hp();
    int count = 0;
    for (int r = 0; r < c.rowCount(); ++r)
        if (leftAtCustomer(c.value(r, QStringLiteral("STATUS")).toInt()))
            ++count;
    const QVariant old = h.value(QStringLiteral("POCHP"));
    if (old.isNull() || old.toInt() != count)
        h.setValue(QStringLiteral("POCHP"), count);
}

int TfHPC::BeforeSaveRecord()
{
    RowCache &c = hp();
    for (int r = 0; r < c.rowCount(); ++r)
        postItem(r);
    // Every save stores the count that matches the items it stores.
    recountLeftAtCustomer();
    return 0;
}

int TfHPC::CheckBeforeSave(bool skipDateCheck)
{
    RowCache &h = header();
    if (h.currentRow() < 0) {
        Prompt::warning(QStringLiteral("Doklad není otevřen"), CheckCaption);
        return -1;
    }
    if (!skipDateCheck) {
        QSqlQuery q = dm()->NewQuery();
        q.setForwardOnly(true);
        const bool prepared = q.prepare(
            QStringLiteral("SELECT Count(UnCis) as Poc, Max(Datum) as Datum FROM PR_Hlav  WHERE UnCFir = "
                           ":UnCFir AND PRAVID = 'A' AND UnCis <> :UnCis AND Datum < :Datum ")
            + QStringLiteral("AND UNCSTR = :UnCStr"));
        q.bindValue(QStringLiteral(":UnCFir"), h.value(QStringLiteral("UNCFIR")));
        q.bindValue(QStringLiteral(":UnCis"), h.value(QStringLiteral("UNCIS")));
        q.bindValue(QStringLiteral(":Datum"), h.value(QStringLiteral("DATUM")));
        q.bindValue(QStringLiteral(":UnCStr"), h.value(QStringLiteral("UNCSTR")));
        if (!prepared || !exec(q, m_lastError) || !q.next()) {
            if (prepared)
                m_lastError = q.lastError().text();
            Prompt::warning(m_lastError, CheckCaption);
            return -1;
        }
        const QDate datum = h.value(QStringLiteral("DATUM")).toDate();
        if (q.value(0).toInt() > 0 && datum.isValid()) {
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
        }
    }
    recountLeftAtCustomer();
    return 0;
}

int TfHPC::CheckBeforeNextSave()
{
    const bool skip = m_skipDateCheckOnce;
    m_skipDateCheckOnce = false;
    return CheckBeforeSave(skip);
}

namespace {

// The columns a carry-forward writes from the source row, with the values it writes
// instead where the new inspection starts afresh. The key, the link and the change
// time are the copy's own.
QString copiedColumns(TDMPro *dm, const QString &table, const QHash<QString, QString> &resets,
                      QString *selected)
{
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

int TfHPC::copyForward(int key, QString *error)
{
    const qint64 newKey = dm()->NextKey(QStringLiteral("PR_HLAV"));
    if (newKey < 0) {
        *error = QStringLiteral("Nelze získat klíč z generátoru PR_HLAV");
        return ResNoKey;
    }
    const QHash<QString, QString> common{{QStringLiteral("KLIC"), QStringLiteral("0")},
                                         {QStringLiteral("KDO"), QStringLiteral(":KDO")}};
    QHash<QString, QString> headerResets = common;
    headerResets.insert({{QStringLiteral("DATUM"), QStringLiteral(":DATUM")},
                         {QStringLiteral("PCISLO"), QStringLiteral("0")},
                         {QStringLiteral("UNCDOD"), QStringLiteral("0")},
                         {QStringLiteral("CISPRO"), QStringLiteral("''")},
                         {QStringLiteral("ZAMEK"), QStringLiteral("'N'")},
                         {QStringLiteral("FAKTURA"), QStringLiteral("'P'")},
                         {QStringLiteral("POCHP"), QStringLiteral("0")}});   // nothing judged yet
    // The mark goes back to the type name: the refinement it was made of is reset.
    QHash<QString, QString> itemResets = common;
    itemResets.insert({{QStringLiteral("STAV"), QStringLiteral("''")},
                       {QStringLiteral("POZN"), QStringLiteral("''")},
                       {QStringLiteral("STATUS"), QStringLiteral("0")},
                       {QStringLiteral("OPRTEXT"), QStringLiteral("''")},
                       {QStringLiteral("ZNACKA"), QStringLiteral("HP")}});
    QString headerValues, itemValues;
    const QString headerColumns = copiedColumns(dm(), QStringLiteral("PR_HLAV"), headerResets, &headerValues);
    const QString itemColumns = copiedColumns(dm(), QStringLiteral("PR_TAB"), itemResets, &itemValues);
    // The departed extinguishers (taken to the workshop, scrapped, gone) stay behind.
    // The copies take their keys in the order the technician arranged and keep their
    // positions, so next year's list reads the same.
    const QString items =
        QStringLiteral("INSERT INTO PR_TAB (UNCIS, UNCH, %1) SELECT %2, :NEW, %3 FROM (SELECT * FROM PR_TAB "
                       "WHERE UNCH = :OLD AND (STATUS IS NULL OR STATUS NOT IN (2, 3, 5, 10)) "
                       "ORDER BY PORADI, UNCPOM, UNCIS)")
            .arg(itemColumns, dm()->nextKeyExpression(QStringLiteral("PR_TAB")), itemValues);
    const SqlParameters keys{{QStringLiteral("NEW"), int(newKey)},
                             {QStringLiteral("OLD"), key},
                             {QStringLiteral("KDO"), userStamp()}};
    SqlParameters headerKeys = keys;
    headerKeys.append({QStringLiteral("DATUM"), QDate::currentDate()});
    QSqlQuery q = dm()->NewQuery();
    if (!runSql(q,
                QStringLiteral("INSERT INTO PR_HLAV (UNCIS, %1) SELECT :NEW, %2 FROM PR_HLAV WHERE UNCIS = :OLD")
                    .arg(headerColumns, headerValues),
                headerKeys, error))
        return ResSaveFailed;
    if (q.numRowsAffected() != 1) {
        *error = QStringLiteral("Doklad nebyl zkopírován (%1)").arg(ResOpenFailed);
        return ResOpenFailed;
    }
    if (!runSql(q, items, keys, error))
        return ResSaveFailed;
    return int(newKey);
}

bool TfHPC::correctYearsOf(int key, QString *error)
{
    // The year of manufacture follows the serial number, as it does when an item is posted.
    QSqlQuery read = runSql(dm(), QStringLiteral("SELECT UNCIS, VYRCIS, ROK FROM PR_TAB WHERE UNCH = :K"),
                            {{QStringLiteral("K"), key}}, error);
    if (!read.isActive())
        return false;
    QSqlQuery write = dm()->NewQuery();
    if (!prepareSql(write, QStringLiteral("UPDATE PR_TAB SET ROK = :ROK WHERE UNCIS = :UNCIS"), error))
        return false;
    while (read.next()) {
        const int year = yearFromSerial(read.value(1).toString(), read.value(2).toInt());
        if (!read.value(2).isNull() && year == read.value(2).toInt())
            continue;
        if (!execSql(write, {{QStringLiteral("ROK"), year}, {QStringLiteral("UNCIS"), read.value(0)}}, error))
            return false;
    }
    return true;
}

int TfHPC::CarryForward(int key)
{
    if (dm()->WritesBlocked() != 0) {
        Prompt::warning(QStringLiteral("Zápis do databáze je blokován. Zkuste volbu zopakovat později."),
                        QStringLiteral("Sdílení databáze"));
        return ResWritesBlocked;
    }
    int newKey = 0;
    QString failure;
    {
        TransactionGuard guard(dm());
        auto run = [&]() -> bool {
            if (!guard.isActive()) {
                failure = guard.lastError();
                return false;
            }
            emit statusText(QStringLiteral("Kopírování záznamů ..."));
            newKey = copyForward(key, &failure);
            if (newKey <= 0)
                return false;
            emit statusText(QStringLiteral("Převod na navou kontrolu ..."));
            if (!correctYearsOf(newKey, &failure))
                return false;
            if (OpenRecord(newKey) < 0) {
                failure = m_lastError;
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
    emit statusText(QString());
    if (!failure.isEmpty()) {
        // The caches may hold the copy that was rolled back: read the source again.
        OpenRecord(key);
        m_lastError = failure;
        Prompt::warning(failure, CopyCaption);
        return newKey < 0 ? newKey : ResSaveFailed;
    }
    Prompt::information(QStringLiteral("Hotovo"), QStringLiteral("Kopírování dokladu o kontrole"));
    return newKey;
}

int TfHPC::VlozNaPozici(int itemKey, int inspKey, int pozice)
{
    if (SaveRecord() < 0)
        return -2;
    const QString table = polozky().table;
    QSqlQuery q = dm()->NewQuery();
    q.prepare(QStringLiteral("Update ") + table
              + QStringLiteral(" SET UnCPom = UnCPom +1 WHERE UnCPom >= :UnCPom AND UnCH = :UnCH"));
    q.bindValue(QStringLiteral(":UnCPom"), pozice);
    q.bindValue(QStringLiteral(":UnCH"), inspKey);
    if (!exec(q, m_lastError))
        return -2;
    q.prepare(QStringLiteral("Update ") + table + QStringLiteral(" SET UnCPom = :UnCPom WHERE UnCis = :UnCis "));
    q.bindValue(QStringLiteral(":UnCPom"), pozice);
    q.bindValue(QStringLiteral(":UnCis"), itemKey);
    if (!exec(q, m_lastError) || q.numRowsAffected() != 1)
        return -2;
    return 0;
}

int TfHPC::InsertItemAtCurrent()
{
    RowCache &c = hp();
    const int inspKey = header().value(QStringLiteral("UNCIS")).toInt();
    const bool atEnd = c.currentRow() < 0 || isBlank(c.value(QStringLiteral("UNCPOM")));
    const int pozice = atEnd ? 0 : c.value(QStringLiteral("UNCPOM")).toInt();
    // the inserted item is saved without the check; the next save does not ask again
    m_skipDateCheckOnce = true;
    int key = 0;
    bool ok = false;
    {
        TransactionGuard guard(dm());
        if (guard.isActive()) {
            key = AddItem();
            if (key > 0) {
                emit statusText(QStringLiteral("Vložení HP ..."));
                const int r = atEnd ? (SaveRecord() < 0 ? -2 : 0) : VlozNaPozici(key, inspKey, pozice);
                ok = r == 0 && OpenRecord(inspKey) == 0 && guard.commit();
                if (!ok && guard.isActive())
                    m_lastError = m_lastError.isEmpty() ? guard.lastError() : m_lastError;
            }
        } else {
            m_lastError = guard.lastError();
        }
    }
    emit statusText(QString());
    if (!ok) {
        OpenRecord(inspKey);
        Prompt::warning(m_lastError.isEmpty() ? QStringLiteral("HP nebyl vložen") : m_lastError,
                        QStringLiteral("Vložení HP"));
        return key < 0 ? key : -2;
    }
    hp().locate(QStringLiteral("UNCIS"), key);
    return key;
}

int TfHPC::MoveItem(QChar direction)
{
    RowCache &c = hp();
    const int from = c.currentRow();
    if (from < 0)
        return -1;
    // Only the two positions are exchanged: each extinguisher keeps its own key, which
    // the workshop register and the barcode loading refer to. The neighbour and the
    // notices at either end come from the shared swap, run on the keys and positions.
    QSqlRecord fields;
    fields.append(QSqlField(QStringLiteral("UNCIS"), QMetaType(QMetaType::Int)));
    fields.append(QSqlField(QStringLiteral("UNCPOM"), QMetaType(QMetaType::Int)));
    RowCache order;
    order.setFields(fields);
    for (int r = 0; r < c.rowCount(); ++r) {
        const int row = order.appendRow();
        order.setValue(row, 0, c.value(r, QStringLiteral("UNCIS")));
        order.setValue(row, 1, c.value(r, QStringLiteral("UNCPOM")));
    }
    order.setCurrentRow(from);
    const int r = SwapWithNeighbour(order, direction, QStringLiteral("UNCIS"));
    if (r < 0)
        return r;
    const int to = order.currentRow();
    const int movedKey = c.value(from, QStringLiteral("UNCIS")).toInt();
    const int pomColumn = c.fieldIndex(QStringLiteral("UNCPOM"));
    c.setValue(from, pomColumn, order.value(from, 1));
    c.setValue(to, pomColumn, order.value(to, 1));
    if (SaveRecord() < 0) {
        c.setValue(from, pomColumn, order.value(to, 1));
        c.setValue(to, pomColumn, order.value(from, 1));
        Prompt::error(QStringLiteral("Chyba při přesunu !"), QStringLiteral("Chyba"));
        return -2;
    }
    m_skipDateCheckOnce = true;
    hp().locate(QStringLiteral("UNCIS"), movedKey);
    return 0;
}
