#include "inspections/pvc.h"

#include <QSqlQuery>
#include <QtMath>

#include "core/format.h"
#include "core/globals.h"
#include "core/prompt.h"
#include "core/rowcache.h"
#include "core/sqlrun.h"
#include "inspections/protocolrules.h"

namespace {

const QString ListFrom = QStringLiteral(
    " ,Vod.UnCis, Vod.UnCFir,Vod.Hotovo  from "
    "VOD_Hlav"
    " Vod  left outer join adresar Adr on (Vod.uncfir=Adr.uncis)  left outer join adresar Te1 on "
    "(Vod.unctech=Te1.uncis)  left outer join adresar Te2 on (Vod.unctech2=Te2.uncis)  left outer "
    "join strediska Str on (Vod.UnCStr=Str.UnCis) ");

// These stand in for the grid layout's columns when no layout is chosen.
const QString ListColumns = QStringLiteral(
    "VOD.DATUM as VODDATUM, VOD.CISPRO as VODCISPRO, ADR.NAZEV as ADRNAZEV, "
    "STR.STREDISKO as STRSTREDISKO, VOD.POCPV as VODPOCPV");


} // namespace

TfPVC::TfPVC(TDMPro *dm, QObject *parent)
    : TfInspectionC(QStringLiteral("PV"), dm, parent)
{
}

int TfPVC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("VOD_Hlav")) < 0)
        return -1;
    if (AllocateItemTables(2) < 0 || definePositionedItems(QStringLiteral("VOD_Tab")) < 0
        || DefineItemTable(Kontroly, QStringLiteral("VODHKON")) < 0)
        return -1;
    item(Kontroly).orderBy = QStringLiteral(" ORDER BY UnCis ");
    SetListQuery(ListFrom, QStringLiteral("VOD"));
    setListColumns(ListColumns);
    setOrderBy(QStringLiteral(" ORDER BY Vod.Datum desc "));
    return 0;
}

namespace {
const TfPVC::NewInspection &newPV()
{
    static const TfPVC::NewInspection kind{QStringLiteral("HOTOVO"), QStringLiteral("POCPV"), {},
                                           {{QStringLiteral("CISPRO"), QString()}, {QStringLiteral("NASKON"), QString()}}};
    return kind;
}
} // namespace

void TfPVC::presetInspection(const QDate &today)
{
    presetNewInspection(today, newPV());
}

int TfPVC::AfterNewHeaderRow()
{
    presetBlankInspection(newPV());
    return 0;
}

// --- findings -------------------------------------------------------------------------

const QStringList &TfPVC::findingColumns()
{
    static const QStringList columns = {
        QStringLiteral("OM"), QStringLiteral("SK"), QStringLiteral("HA"), QStringLiteral("TL"),
        QStringLiteral("HO"), QStringLiteral("PRI"), QStringLiteral("UP"), QStringLiteral("US"),
        QStringLiteral("KO"), QStringLiteral("VI"), QStringLiteral("VR"), QStringLiteral("HV"),
        QStringLiteral("VIC"), QStringLiteral("VO"), QStringLiteral("NP"), QStringLiteral("NA"),
        QStringLiteral("PR"), QStringLiteral("VE"), QStringLiteral("ST"), QStringLiteral("OP"),
        QStringLiteral("BU"), QStringLiteral("PV"), QStringLiteral("PS")};
    return columns;
}

const QStringList &TfPVC::headerFindingColumns()
{
    static const QStringList columns = {QStringLiteral("VYTARM"), QStringLiteral("TEPOCH"),
                                        QStringLiteral("KOROCH"), QStringLiteral("VIBOCH"),
                                        QStringLiteral("POHCER"), QStringLiteral("NAPPCEL"),
                                        QStringLiteral("DOCHODUPC")};
    return columns;
}

QString TfPVC::shownFinding(const QString &column, const QString &stored)
{
    const QString s = stored.trimmed().toUpper();
    const bool coded = headerFindingColumns().contains(column.toUpper());
    if (!coded && column.toUpper() != QLatin1String("PRIVPOTSTA"))
        return s;
    if (s.isEmpty())
        return QStringLiteral("X");
    if (coded && s == QLatin1String("A"))
        return QStringLiteral("V");
    return s;
}

QString TfPVC::storedFinding(const QString &column, const QString &shown)
{
    const QString s = shown.trimmed().toUpper();
    const bool coded = headerFindingColumns().contains(column.toUpper());
    if (!coded && column.toUpper() != QLatin1String("PRIVPOTSTA"))
        return s;
    if (s == QLatin1String("X"))
        return QString();
    if (coded && s == QLatin1String("V"))
        return QStringLiteral("A");
    return s;
}

QChar TfPVC::acceptedFinding(QChar key)
{
    const QChar up = key.toUpper();
    return QStringLiteral("VKNOX ").contains(up) ? up : QChar();
}

bool TfPVC::TypeFinding(const QString &column, QChar key)
{
    const QChar letter = acceptedFinding(key);
    RowCache &c = pv();
    if (letter.isNull() || c.currentRow() < 0)
        return false;
    c.setValue(column.toUpper(), letter == QLatin1Char(' ') ? QString() : QString(letter));
    return true;
}

void TfPVC::CopyFindings()
{
    const RowCache &c = pv();
    if (c.currentRow() < 0)
        return;
    m_findingsBuffer.clear();
    for (const QString &column : findingColumns())
        m_findingsBuffer << c.value(column);
}

bool TfPVC::PasteFindings()
{
    RowCache &c = pv();
    if (c.currentRow() < 0 || m_findingsBuffer.size() != findingColumns().size())
        return false;
    for (int i = 0; i < m_findingsBuffer.size(); ++i)
        c.setValue(findingColumns().at(i), m_findingsBuffer.at(i));
    return true;
}

QString TfPVC::checkStateOfKey(QChar key)
{
    switch (key.toUpper().unicode()) {
    case 'V': return QStringLiteral("Vyhovuje");
    case 'O': return QStringLiteral("Opraveno");
    case 'N': return QStringLiteral("Nevyhovuje");
    case 'X': return QStringLiteral("Nekontroluje se");
    case 'K': return QStringLiteral("Nelze zkontrolovat");
    case 'A': return QStringLiteral("Ano");
    default: return QString();
    }
}

// --- flow -----------------------------------------------------------------------------

double TfPVC::flowOf(double koef, double pretlak)
{
    // the flow is kept as the program shows it, to three decimals
    return QString::number(koef * qSqrt(10 * pretlak) / 60, 'f', 3).toDouble();
}

int TfPVC::FlowFromPressure()
{
    RowCache &c = pv();
    if (c.currentRow() < 0)
        return -1;
    const QVariant koef = c.value(QStringLiteral("KOEF"));
    if (koef.isNull())
        return 1;
    const double pretlak = c.value(QStringLiteral("PRETLAK")).toDouble();
    // a negative pressure has no flow: the flow the item had stays rather than a NaN
    if (pretlak < 0 || !qIsFinite(pretlak)) {
        Prompt::warning(QStringLiteral("Přiřazení hodnot !"), QStringLiteral("Chyba"));
        return -1;
    }
    c.setValue(QStringLiteral("PRUTOK"), flowOf(koef.toDouble(), pretlak));
    return 0;
}

QString TfPVC::flowText(double prutok, const QString &unit)
{
    return formatNumber(prutok, 2, true) + QLatin1Char(' ') + unit;
}

void TfPVC::FlowTyped()
{
    RowCache &c = pv();
    if (c.currentRow() >= 0)
        c.setValue(QStringLiteral("PRUTOKJED"), flowText(c.value(QStringLiteral("PRUTOK")).toDouble(), m_flowUnit));
}

void TfPVC::ToggleFlowUnit()
{
    RowCache &c = pv();
    if (c.currentRow() < 0)
        return;
    const bool perSecond = c.value(QStringLiteral("PRUTOKJED")).toString().contains(QLatin1String("l/s"));
    m_flowUnit = perSecond ? QStringLiteral("l/min") : QStringLiteral("l/s");
    FlowTyped();
}

// --- items ----------------------------------------------------------------------------

int TfPVC::ChooseType(int unccen)
{
    RowCache &c = pv();
    QSqlQuery q = runSql(dm(),
                         QStringLiteral("SELECT Druh, Vyrobce, PrumHub, ZkTl, Popis FROM Cenik "
                                        "WHERE UnCis = :UnCis AND CSekce=11"),
                         {{QStringLiteral("UnCis"), unccen}}, &m_lastError);
    if (c.currentRow() < 0 || !q.next())
        return -1;
    c.setValue(QStringLiteral("UNCCEN"), unccen);
    c.setValue(QStringLiteral("DRUH"), q.value(0));
    c.setValue(QStringLiteral("VYROBCE"), q.value(1));
    c.setValue(QStringLiteral("HUBICE"), q.value(2));
    c.setValue(QStringLiteral("KOEF"), q.value(3));
    c.setValue(QStringLiteral("TYP"), q.value(4));
    return 0;
}

void TfPVC::presetNewItem(TVarSQL &defaults)
{
    defaults.SetVariable(QStringLiteral("VYHOV"), QStringLiteral("N"));
}

QVector<LookupItem> TfPVC::ItemChoices(ItemChoice which, bool *ok)
{
    static const QString sql[] = {
        QStringLiteral("SELECT UNCIS, POPIS, VYROBCE FROM Cenik WHERE CSekce=11 ORDER BY popis"),
        QStringLiteral("SELECT POPIS FROM S_VOZNAC ORDER BY popis"),
        QStringLiteral("SELECT POPIS FROM S_VYBAV ORDER BY popis"),
    };
    return readLookup(dm(), sql[which], {}, ok);
}

int TfPVC::RepeatItem()
{
    if (pv().currentRow() < 0)
        return AddItem();
    return ProtocolRules::repeatItem(*this, polozky(),
                                       {{QStringLiteral("OZNACENI"), QString()},
                                        {QStringLiteral("PRETLAK"), QVariant()},
                                        {QStringLiteral("PRUTOK"), QVariant()},
                                        {QStringLiteral("POZN_1"), QString()},
                                        {QStringLiteral("VYHOV"), QStringLiteral("N")},
                                        {QStringLiteral("POZN"), QString()}});
}

// --- user-defined checks ----------------------------------------------------------------

int TfPVC::FillChecksFromCatalogue()
{
    const int key = header().value(QStringLiteral("UNCIS")).toInt();
    QString error;
    const int r = saveRecordInTransaction([this, key, &error] {
        QSqlQuery q = dm()->NewQuery();
        return runSql(q,
                      QStringLiteral("INSERT INTO VODHKON (UNCIS, UNCH, KONTROLA, KDO, KLIC) SELECT %1, :UNCH, "
                                     "KONTROLA, :KDO, 0 FROM (select * from KATVODHKON order by Uncis)")
                          .arg(dm()->nextKeyExpression(QStringLiteral("VODHKON"))),
                      {{QStringLiteral("UNCH"), key}, {QStringLiteral("KDO"), userStamp()}}, &error)
                   ? 0
                   : -1;
    });
    if (r != 0 || OpenRecord(key) < 0) {
        m_lastError = error.isEmpty() ? m_lastError : error;
        Prompt::warning(QStringLiteral("Přidání položek společné části se nezdařilo"), QStringLiteral("Chyba"));
        return -1;
    }
    return 0;
}

int TfPVC::AddCheck()
{
    ItemTable &it = item(Kontroly);
    it.defaults.ClearVariables();
    it.defaults.SetVariable(QStringLiteral("UNCH"), header().value(QStringLiteral("UNCIS")));
    const int key = AppendItem(it);
    it.defaults.ClearVariables();
    return key;
}

// --- inspection rules ---------------------------------------------------------------------

void TfPVC::recountItems()
{
    storeCount(QStringLiteral("POCPV"), pv().rowCount());
}

int TfPVC::BeforeSaveRecord()
{
    // Every save stores the count that matches the items it stores.
    recountItems();
    return 0;
}

int TfPVC::CheckBeforeSave(bool skipDateCheck)
{
    if (ProtocolRules::checkBeforeSave(dm(), QStringLiteral("VOD_Hlav"), header(), skipDateCheck, &m_lastError) < 0)
        return -1;
    recountItems();
    return 0;
}

int TfPVC::CarryForward(int key)
{
    const auto status = [this](const QString &text) { emit statusText(text); };
    return ProtocolRules::carryForwardInTransaction(
        *this, key,
        [this, key](QString *error) {
            // Every hydrant stays with its findings; only the document starts afresh.
            const QHash<QString, QString> headerResets{{QStringLiteral("DATUM"), QStringLiteral(":DATUM")},
                                                       {QStringLiteral("PCISLO"), QStringLiteral("0")},
                                                       {QStringLiteral("UNCDOD"), QStringLiteral("0")},
                                                       {QStringLiteral("CISPRO"), QStringLiteral("''")},
                                                       {QStringLiteral("ZAMEK"), QStringLiteral("'N'")},
                                                       {QStringLiteral("HOTOVO"), QStringLiteral("'P'")}};
            ProtocolRules::CopiedItems hydrants;
            hydrants.table = QStringLiteral("VOD_TAB");
            hydrants.order = QStringLiteral("PORADI, UNCPOM, UNCIS");
            ProtocolRules::CopiedItems checks;
            checks.table = QStringLiteral("VODHKON");
            return ProtocolRules::copyInspection(dm(), QStringLiteral("VOD_HLAV"), key, headerResets,
                                                   {hydrants, checks}, error);
        },
        status, &m_lastError);
}
