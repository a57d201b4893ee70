#include "inspections/hpc.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

#include "core/globals.h"
#include "core/money.h"
#include "core/prompt.h"
#include "core/rowcache.h"
#include "core/sqlrun.h"
#include "core/sqlpro.h"
#include "inspections/protocolrules.h"

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
    : TfInspectionC(QStringLiteral("HP"), dm, parent)
{
}

int TfHPC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("PR_Hlav")) < 0)
        return -1;
    if (AllocateItemTables(1) < 0 || definePositionedItems(QStringLiteral("PR_Tab")) < 0)
        return -1;
    ItemTable &it = polozky();
    it.writeColumns = ItemWriteColumns;
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

namespace {
const TfHPC::NewInspection &newHP()
{
    static const TfHPC::NewInspection kind{QStringLiteral("FAKTURA"), QStringLiteral("POCHP"),
                                           {{QStringLiteral("VYRPROT"), QStringLiteral("N")}}, {}};
    return kind;
}
} // namespace

void TfHPC::presetInspection(const QDate &today)
{
    presetNewInspection(today, newHP());
}

int TfHPC::AfterNewHeaderRow()
{
    presetBlankInspection(newHP());
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

void TfHPC::presetNewItem(TVarSQL &defaults)
{
    defaults.SetVariable(QStringLiteral("STATUS"), 0);
    defaults.SetVariable(QStringLiteral("PREDILNA"), QStringLiteral("N"));
    defaults.SetVariable(QStringLiteral("PREVYRAZ"), QStringLiteral("N"));
    defaults.SetVariable(QStringLiteral("PRESKLAD"), QStringLiteral("N"));
    defaults.SetVariable(QStringLiteral("CARKOD"), 0);
}

int TfHPC::RepeatItem()
{
    if (hp().currentRow() < 0)
        return AddItem();
    return ProtocolRules::repeatItem(*this, polozky(),
                                       {{QStringLiteral("VYRCIS"), QString()},
                                        {QStringLiteral("POZN"), QString()},
                                        {QStringLiteral("CARKOD"), 0}});
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

// --- inspection rules --------------------------------------------------------------

void TfHPC::recountLeftAtCustomer()
{
    const RowCache &c = hp();
    int count = 0;
    for (int r = 0; r < c.rowCount(); ++r)
        if (leftAtCustomer(c.value(r, QStringLiteral("STATUS")).toInt()))
            ++count;
    storeCount(QStringLiteral("POCHP"), count);
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
    if (ProtocolRules::checkBeforeSave(dm(), QStringLiteral("PR_Hlav"), header(), skipDateCheck, &m_lastError) < 0)
        return -1;
    recountLeftAtCustomer();
    return 0;
}

int TfHPC::copyForward(int key, QString *error)
{
    const QHash<QString, QString> headerResets{{QStringLiteral("DATUM"), QStringLiteral(":DATUM")},
                                               {QStringLiteral("PCISLO"), QStringLiteral("0")},
                                               {QStringLiteral("UNCDOD"), QStringLiteral("0")},
                                               {QStringLiteral("CISPRO"), QStringLiteral("''")},
                                               {QStringLiteral("ZAMEK"), QStringLiteral("'N'")},
                                               {QStringLiteral("FAKTURA"), QStringLiteral("'P'")},
                                               {QStringLiteral("POCHP"), QStringLiteral("0")}};   // nothing judged yet
    // The departed extinguishers (taken to the workshop, scrapped, gone) stay behind;
    // the kept ones keep their positions. The mark goes back to the type name: the
    // refinement it was made of is reset.
    ProtocolRules::CopiedItems items;
    items.table = QStringLiteral("PR_TAB");
    items.filter = QStringLiteral("STATUS IS NULL OR STATUS NOT IN (2, 3, 5, 10)");
    items.order = QStringLiteral("PORADI, UNCPOM, UNCIS");
    items.resets = {{QStringLiteral("STAV"), QStringLiteral("''")},
                    {QStringLiteral("POZN"), QStringLiteral("''")},
                    {QStringLiteral("STATUS"), QStringLiteral("0")},
                    {QStringLiteral("OPRTEXT"), QStringLiteral("''")},
                    {QStringLiteral("ZNACKA"), QStringLiteral("HP")}};
    return ProtocolRules::copyInspection(dm(), QStringLiteral("PR_HLAV"), key, headerResets, {items}, error);
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
    const auto status = [this](const QString &text) { emit statusText(text); };
    const int r = ProtocolRules::carryForwardInTransaction(
        *this, key,
        [this, key, &status](QString *error) {
            const int newKey = copyForward(key, error);
            if (newKey <= 0)
                return newKey;
            status(QStringLiteral("Převod na navou kontrolu ..."));
            return correctYearsOf(newKey, error) ? newKey : int(ResSaveFailed);
        },
        status, &m_lastError);
    return r;
}

