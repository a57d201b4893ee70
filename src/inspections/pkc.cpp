#include "inspections/pkc.h"

#include "core/globals.h"
#include "core/rowcache.h"
#include "inspections/protocolrules.h"

namespace {

const QString ListFrom = QStringLiteral(
    " ,PKL.UnCis, PKL.UnCFir,PKL.Faktura  from "
    "PK_Hlav"
    " PKL  left outer join adresar Adr on (PKL.uncfir=Adr.uncis)  left outer join adresar Te1 on "
    "(PKL.unctech=Te1.uncis)  left outer join adresar Te2 on (PKL.unctech2=Te2.uncis)  left outer "
    "join strediska Str on (PKL.UnCStr=Str.UnCis) ");

// These stand in for the grid layout's columns when no layout is chosen.
const QString ListColumns = QStringLiteral(
    "PKL.DATUM as PKLDATUM, PKL.CISPRO as PKLCISPRO, ADR.NAZEV as ADRNAZEV, "
    "STR.STREDISKO as STRSTREDISKO, PKL.POCPK as PKLPOCPK");

} // namespace

TfPKC::TfPKC(TDMPro *dm, QObject *parent)
    : TfInspectionC(QStringLiteral("PK"), dm, parent)
{
}

int TfPKC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("PK_Hlav")) < 0)
        return -1;
    if (AllocateItemTables(1) < 0 || definePositionedItems(QStringLiteral("PK_Tab")) < 0)
        return -1;
    // No list order of its own: the framework's fallback names the list's alias.
    SetListQuery(ListFrom, QStringLiteral("PKL"));
    setListColumns(ListColumns);
    return 0;
}

namespace {
const TfPKC::NewInspection &newPK()
{
    static const TfPKC::NewInspection kind{QStringLiteral("FAKTURA"), QStringLiteral("POCPK"), {},
                                           {{QStringLiteral("VYRPROT"), QStringLiteral("N")}, {QStringLiteral("CISPRO"), QString()}}};
    return kind;
}
} // namespace

void TfPKC::presetInspection(const QDate &today)
{
    presetNewInspection(today, newPK());
}

int TfPKC::AfterNewHeaderRow()
{
    presetBlankInspection(newPK());
    return 0;
}

// --- the findings ------------------------------------------------------------------

const QStringList &TfPKC::findingColumns()
{
    static const QStringList columns = {QStringLiteral("PRISTUP"), QStringLiteral("ZAZDENI"),
                                        QStringLiteral("FUNKCN"), QStringLiteral("DALKSP"),
                                        QStringLiteral("SIGNAL")};
    return columns;
}

const QStringList &TfPKC::findingTexts()
{
    static const QStringList texts = {QStringLiteral("Bezvadný"), QStringLiteral("Vyhovující"),
                                      QStringLiteral("Nevyhovující"), QStringLiteral("Nezkontrolováno"),
                                      QStringLiteral("Nelze zkontrolovat")};
    return texts;
}

QString TfPKC::findingText(const QString &code)
{
    const QString c = code.trimmed();
    const int i = c.size() == 1 ? c.at(0).unicode() - '1' : -1;
    return i >= 0 && i < findingTexts().size() ? findingTexts().at(i) : QString();
}

QString TfPKC::findingCode(const QString &text)
{
    const int i = findingTexts().indexOf(text);
    return i < 0 ? QString() : QString(QChar('1' + i));
}

int TfPKC::SetFinding(const QString &column, const QString &code)
{
    RowCache &c = pk();
    const QString value = code.trimmed();
    if (c.currentRow() < 0 || !findingColumns().contains(column, Qt::CaseInsensitive)
        || (!value.isEmpty() && findingText(value).isEmpty()))
        return -1;
    c.setValue(column.toUpper(), value);
    return 0;
}

// --- items -------------------------------------------------------------------------

int TfPKC::RepeatItem()
{
    if (pk().currentRow() < 0)
        return AddItem();
    return ProtocolRules::repeatItem(*this, polozky(),
                                     {{QStringLiteral("VYRCIS"), QString()},
                                      {QStringLiteral("OZNKLAP"), QString()},
                                      {QStringLiteral("POZN"), QString()}});
}

// --- inspection rules --------------------------------------------------------------

void TfPKC::recountItems()
{
    storeCount(QStringLiteral("POCPK"), pk().rowCount());
}

int TfPKC::BeforeSaveRecord()
{
    // Every save stores the count that matches the dampers it stores.
    recountItems();
    return 0;
}

int TfPKC::CheckBeforeSave(bool skipDateCheck)
{
    if (ProtocolRules::checkBeforeSave(dm(), QStringLiteral("PK_Hlav"), header(), skipDateCheck, &m_lastError) < 0)
        return -1;
    recountItems();
    return 0;
}

int TfPKC::CarryForward(int key)
{
    return ProtocolRules::carryForwardInTransaction(
        *this, key,
        [this, key](QString *error) {
            // Every damper stays with its findings; only the document starts afresh.
            const QHash<QString, QString> headerResets{{QStringLiteral("DATUM"), QStringLiteral(":DATUM")},
                                                       {QStringLiteral("PCISLO"), QStringLiteral("0")},
                                                       {QStringLiteral("UNCDOD"), QStringLiteral("0")},
                                                       {QStringLiteral("CISPRO"), QStringLiteral("''")},
                                                       {QStringLiteral("ZAMEK"), QStringLiteral("'N'")}};
            // The copies take their keys in the order the dampers are shown.
            ProtocolRules::CopiedItems dampers;
            dampers.table = QStringLiteral("PK_TAB");
            dampers.order = itemOrder() + QStringLiteral(", UNCIS");
            return ProtocolRules::copyInspection(dm(), QStringLiteral("PK_HLAV"), key, headerResets, {dampers},
                                                 error);
        },
        [this](const QString &text) { emit statusText(text); }, &m_lastError,
        QStringLiteral("Zkopírování dokladu PK"));
}
