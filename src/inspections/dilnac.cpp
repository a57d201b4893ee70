#include "inspections/dilnac.h"

#include "core/prompt.h"
#include "core/settingsstore.h"
#include "core/sqlpro.h"
#include "core/sqlrun.h"

namespace {

const QString ListFrom = QStringLiteral(
    " ,Dil.UnCis,Dil.Status,Dil.Kdo, Dil.UnCPol, Dil.UnCCen, DIL.UnCPro  from "
    "Dilna"
    " Dil  left outer join adresar Pri on (Dil.UnCPriFir=Pri.uncis)  left outer join adresar Kom on "
    "(Dil.UnCKomTech=Kom.uncis)  left outer join adresar Exp on (Dil.UnCExpFir=Exp.uncis)  left outer "
    "join strediska SPr on (Dil.UnCStrPr=SPr.UnCis)  left outer join strediska SEx on "
    "(Dil.UnCStrEx=SEx.UnCis) ");

// Stand-ins when no grid layout is chosen.
const QString ListColumns = QStringLiteral(
    "DIL.DATPRIL as DILDATPRIL, DIL.HP as DILHP, DIL.VYRCIS as DILVYRCIS, PRI.NAZEV as PRINAZEV, "
    "DIL.DATUM as DILDATUM, DIL.DATEXP as DILDATEXP");

const QString FillCaption = QStringLiteral("Doplnění");
const QString LinkCaption = QStringLiteral("Propojení");

QString yesNo(bool on)
{
    return on ? QStringLiteral("Ano") : QStringLiteral("Ne");
}

} // namespace

const std::array<const char *, 8> WorkshopFill::CheckColumns = {
    "VNEJPR", "VNIPR", "ZNACNAD", "TLAKZK", "TESVEN", "POJVEN", "PERZK", "ZPUSOB"};

QString WorkshopFill::refusal() const
{
    if (check) {
        if (!checkDate.isValid())
            return QStringLiteral("Vyplňte datum vykonání kontroly");
        if (komisar <= 0)
            return QStringLiteral("Vyplňte komisaře, který vykonal kontrolu");
        if (firma <= 0)
            return QStringLiteral("Vyplňte firmu, která vykonala kontrolu");
        if (results[Zpusobily] && !duvVyr.trimmed().isEmpty())
            return QStringLiteral("Je vyplněn důvod k vyřazení spolu s HP je způsobilý");
    }
    if (dispatch) {
        if (!dispatchDate.isValid())
            return QStringLiteral("Vyplňte datum expedice HP");
        if (dispatchTech <= 0)
            return QStringLiteral("Vyplňte technika, který expedoval HP");
        if (dispatchFirm <= 0)
            return QStringLiteral("Vyplňte firmu, která přijala HP");
        if (!results[Zpusobily])
            return QStringLiteral("Nelze expedovat nezpůsobilý HP");
    }
    return QString();
}

void WorkshopFill::addCheckValues(TVarSQL &values) const
{
    values.SetVariable(QStringLiteral("DATUM"), checkDate);
    for (size_t i = 0; i < CheckColumns.size(); ++i)
        values.SetVariable(QLatin1String(CheckColumns[i]), yesNo(results[i]));
    values.SetVariable(QStringLiteral("DUVVYR"), duvVyr.trimmed());
    values.SetVariable(QStringLiteral("UNCKOMTECH"), komisar);
    values.SetVariable(QStringLiteral("UNCFIRMA"), firma);
    values.SetVariable(QStringLiteral("STATUS"),
                       duvVyr.trimmed().isEmpty() ? int(TfDilnaC::Checked) : int(TfDilnaC::Withdrawn));
}

void WorkshopFill::addDispatchValues(TVarSQL &values) const
{
    values.SetVariable(QStringLiteral("DATEXP"), dispatchDate);
    values.SetVariable(QStringLiteral("UNCEXPTECH"), dispatchTech);
    values.SetVariable(QStringLiteral("UNCEXPFIR"), dispatchFirm);
    values.SetVariable(QStringLiteral("UNCSTREX"), dispatchSite);
    values.SetVariable(QStringLiteral("STATUS"), int(TfDilnaC::Dispatched));
}

namespace {
const QString FirmValue = QStringLiteral("Firma");
QString firmKeyPath()
{
    return SettingsStore::productKeyPath(QStringLiteral("Param\\Dilna"));
}
} // namespace

int WorkshopFill::rememberedFirm()
{
    return ReadRegistryValue(FirmValue, QStringLiteral("0"), firmKeyPath()).trimmed().toInt();
}

bool WorkshopFill::rememberFirm(int firm)
{
    return WriteRegistryValue(FirmValue, QString::number(firm), firmKeyPath());
}

TVarSQL WorkshopFill::values() const
{
    TVarSQL out;
    if (check)
        addCheckValues(out);
    if (dispatch)
        addDispatchValues(out);
    return out;
}

TfDilnaC::TfDilnaC(TDMPro *dm, QObject *parent)
    : TfClass(dm, parent)
{
}

int TfDilnaC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("Dilna")) < 0)
        return -1;
    SetListQuery(ListFrom, QStringLiteral("DIL"));
    setListColumns(ListColumns);
    setOrderBy(QStringLiteral(" ORDER BY Dil.DatPril desc "));
    return 0;
}

int TfDilnaC::AfterNewHeaderRow()
{
    RowCache &h = header();
    if (!TVarSQL::hasValue(h.value(QStringLiteral("STATUS"))))
        h.setValue(QStringLiteral("STATUS"), int(Received));
    for (const char *field : {"UNCPOL", "UNCPRO", "UNCEXP", "OZNACTRV", "CARKOD"})
        if (h.value(QLatin1String(field)).isNull())
            h.setValue(QLatin1String(field), 0);
    return 0;
}

int TfDilnaC::AfterOpenRecord()
{
    // The withdrawal writes into the inspection item only as it was when the row was
    // read: a change made meanwhile elsewhere is not overwritten.
    m_itemKlic = -1;
    const int pol = header().currentRow() >= 0 ? header().value(QStringLiteral("UNCPOL")).toInt() : 0;
    if (pol > 0) {
        bool ok = false;
        const QVariant klic = scalarSql(dm(), QStringLiteral("SELECT COALESCE(KLIC, 0) FROM PR_TAB WHERE UNCIS = :K"),
                                        {{QStringLiteral("K"), pol}}, &ok);
        if (ok)
            m_itemKlic = klic.toInt();
    }
    return 0;
}

QString TfDilnaC::shownStates(bool received, bool checked, bool dispatched)
{
    QStringList states;
    if (received)
        states << QStringLiteral("100");
    if (checked)
        states << QStringLiteral("102");
    if (dispatched)
        states << QStringLiteral("103") << QStringLiteral("101");
    states << QStringLiteral("0");
    return states.join(QLatin1Char(','));
}

int TfDilnaC::Doplnit(const WorkshopFill &fill, int scope)
{
    const QString refused = fill.refusal();
    if (!refused.isEmpty()) {
        Prompt::information(refused, QStringLiteral("Vyplnění"));
        return -1;
    }
    const TVarSQL values = fill.values();
    if (values.isEmpty())
        return 1;
    if (!ConfirmUpdateScope(scope))
        return 1;
    // Workshop rows have no lock: every row of the scope is filled.
    const int r = UpdateRows(list(), dm(), QStringLiteral("DILNA"), QStringLiteral("UNCIS"), scope, values, false,
                             &m_lastError);
    if (r < 0) {
        Prompt::warning(QStringLiteral("Chyba  - záznamy nebyly doplněny"), FillCaption);
        return -2;
    }
    Prompt::information(QStringLiteral("Hotovo"), FillCaption);
    return 0;
}

int TfDilnaC::CanShowSpareParts()
{
    if (!list().isOpen() || list().currentRow() < 0)
        return -1;
    if (list().value(QStringLiteral("UNCPOL")).toInt() == 0) {
        Prompt::information(QStringLiteral("HP přesunutý starší verzí.\nNelze doplnit díly"), LinkCaption);
        return -1;
    }
    return 0;
}

int TfDilnaC::DoplnitVyrazeni()
{
    RowCache &h = header();
    if (h.currentRow() < 0)
        return -1;
    const int pol = h.value(QStringLiteral("UNCPOL")).toInt();
    if (pol <= 0) {
        Prompt::information(QStringLiteral("HP přesunutý starší verzí.\nNení s čím propojit vyřazení v protokole"),
                            LinkCaption);
        return -1;
    }
    if (Prompt::question(QStringLiteral("Doplnit vyřazení HP do protokolu ?"), QStringLiteral("Pozor")) != PromptYes)
        return 1;
    const QVariant oldStatus = h.value(QStringLiteral("STATUS"));
    h.setValue(QStringLiteral("STATUS"), int(Withdrawn));
    const int r = saveRecordInTransaction([this, pol]() -> int {
        QSqlQuery q = dm()->NewQuery();
        const SqlParameters values{{QStringLiteral("OprText"), header().value(QStringLiteral("DUVVYR")).toString()},
                                   {QStringLiteral("UnCis"), pol},
                                   {QStringLiteral("Klic"), m_itemKlic}};
        if (!runSql(q,
                    QStringLiteral("UPDATE PR_Tab SET Stav='Vyřazen dílnou',OprText=:OprText, Status=3, "
                                   "Klic=COALESCE(Klic, 0)+1 WHERE UnCis=:UnCis AND COALESCE(Klic, 0)=:Klic"),
                    values, &m_lastError))
            return ResSaveFailed;
        if (q.numRowsAffected() != 1) {
            m_lastError = QStringLiteral("Položka kontroly byla mezitím změněna nebo smazána");
            return ResSaveFailed;
        }
        return 0;
    });
    if (r != 0) {
        h.setValue(QStringLiteral("STATUS"), oldStatus);
        Prompt::error(QStringLiteral("Chyba při uložení"), QStringLiteral("Chyba"));
        return -2;
    }
    ++m_itemKlic;
    return OpenRecord(m_currentKey) < 0 ? -2 : 0;
}

int TfDilnaC::ChooseType(int unccen)
{
    RowCache &h = header();
    if (h.currentRow() < 0)
        return -1;
    QSqlQuery q = runSql(dm(), QStringLiteral("SELECT Popis, Vyrobce, ZkTl FROM Cenik WHERE UnCis = :UnCis"),
                         {{QStringLiteral("UnCis"), unccen}}, &m_lastError);
    if (!q.isActive() || !q.next())
        return -1;
    h.setValue(QStringLiteral("UNCCEN"), unccen);
    h.setValue(QStringLiteral("HP"), q.value(0).toString().trimmed());
    h.setValue(QStringLiteral("VYROBCE"), q.value(1).toString().trimmed());
    h.setValue(QStringLiteral("PRETLAK"), q.value(2).toDouble());
    return 0;
}

void TfDilnaC::FirmChosen(const QString &firmField)
{
    if (header().currentRow() < 0)
        return;
    const QString field = firmField.toUpper();
    if (field == QLatin1String("UNCPRIFIR"))
        header().setValue(QStringLiteral("UNCSTRPR"), 0);
    else if (field == QLatin1String("UNCEXPFIR"))
        header().setValue(QStringLiteral("UNCSTREX"), 0);
}

QVector<LookupItem> TfDilnaC::TypeChoices(bool *ok)
{
    return readLookup(dm(), QStringLiteral("SELECT UnCis, Popis, Vyrobce from Cenik WHERE CSekce=7 ORDER BY popis"),
                      {}, ok);
}

QVector<LookupItem> TfDilnaC::ReasonChoices(bool *ok)
{
    return readLookup(dm(), QStringLiteral("SELECT Popis from S_OprTxt order by popis"), {}, ok);
}

QVector<FitWorkshopRow> TfDilnaC::FitRows(const QString &hp, const QString &serialFilter, bool *ok)
{
    QVector<FitWorkshopRow> out;
    QString sql = QStringLiteral("SELECT UnCis,  DatPril, VyrCis, Datum, Zpusob FROM  Dilna "
                                 "where HP= :HP AND Status=102 ");
    SqlParameters values{{QStringLiteral("HP"), hp}};
    if (!serialFilter.trimmed().isEmpty()) {
        sql += QStringLiteral("AND VyrCis STARTING WITH :VyrCis ");
        values.append({QStringLiteral("VyrCis"), serialFilter.trimmed()});
    }
    sql += QStringLiteral("ORDER BY DatPril");
    QSqlQuery q = runSql(dm(), sql, values, &m_lastError);
    if (ok)
        *ok = q.isActive();
    while (q.next())
        out.append({q.value(0).toInt(), q.value(1).toDate(), q.value(2).toString().trimmed(), q.value(3).toDate(),
                    q.value(4).toString().trimmed()});
    return out;
}

int TfDilnaC::FitRowOf(const QString &vyrCis, int unccen)
{
    if (vyrCis.trimmed().isEmpty())
        return 0;
    QSqlQuery q = runSql(dm(),
                         QStringLiteral("SELECT UnCis FROM Dilna  where vyrcis = :VyrCis AND UnCCen = :UnCCen "
                                        "AND Status=102 ORDER BY DatPril, UnCis"),
                         {{QStringLiteral("VyrCis"), vyrCis}, {QStringLiteral("UnCCen"), unccen}}, &m_lastError);
    if (!q.isActive())
        return -1;
    return q.next() ? q.value(0).toInt() : 0;
}
