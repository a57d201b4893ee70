#include "commerce/dodakc.h"
#include "commerce/pricing.h"
#include "core/parameters.h"
#include "core/prompt.h"
#include "core/sqlrun.h"
#include "core/sqlvalue.h"
#include "core/globals.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace DeliveryNote {

int itemSectionOf(int section)
{
    return section >= FirstVirtualSection ? TypeSection : section;
}

QString virtualSectionName(int section)
{
    switch (section) {
    case 12: return QStringLiteral("12 - Dodán HP po opravě náhradou");
    case 13: return QStringLiteral("13 - Dodán HP nový náhradou");
    case 14: return QStringLiteral("14 - Převzaté HP do opravy");
    case 15: return QStringLiteral("15 - Převzaté HP na vyřazení");
    default: return QString();
    }
}

QVector<int> typeStatesOf(int section)
{
    switch (section) {
    case 7: return {9};
    case 12: return {6, 4, 8, 14};
    case 13: return {7, 9};
    case 14: return {2, 4, 14};
    case 15: return {3};
    default: return {};
    }
}

QString stateList(const QString &parameterList)
{
    static const QRegularExpression valid(QStringLiteral("^\\(\\s*\\d+(\\s*,\\s*\\d+)*\\s*\\)$"));
    const QString list = parameterList.trimmed();
    return valid.match(list).hasMatch() ? list : QString();
}

double lineTotal(double price, double quantity)
{
    return Round(price * quantity, 0.01, false);
}

bool bearsVat(const QString &vatClass)
{
    const QString c = vatClass.trimmed().toUpper();
    return c == QLatin1String("Z") || c == QLatin1String("S");
}

Totals computeTotals(TDMPro *dm, const QVector<int> &notes, double discount, const QVector<int> &sections,
                     QString *error)
{
    Totals t;
    t.tab.clear();
    const Parameters &p = Parameters::instance();
    QStringList keys;
    for (int n : notes)
        keys << QString::number(n);
    QStringList chosen;
    for (int s : sections)
        if (s >= 1 && s <= LastPrintedSection)
            chosen << QString::number(s);
    QString sql = QStringLiteral("SELECT DAN, SUM(CELKEM), MAX(SAZBADPH) FROM DODAK WHERE MNOZ > 0 AND CSEKCE < 12 AND UNCH IN (")
                  + (keys.isEmpty() ? QStringLiteral("NULL") : keys.join(QLatin1Char(','))) + QLatin1Char(')');
    if (!sections.isEmpty())
        sql += QStringLiteral(" AND CSEKCE IN (") + (chosen.isEmpty() ? QStringLiteral("NULL") : chosen.join(QLatin1Char(',')))
               + QLatin1Char(')');
    sql += QStringLiteral(" GROUP BY DAN");
    QSqlQuery q = runSql(dm, sql, {}, error);
    if (!q.isActive()) {
        t.result = -1;
        return t;
    }
    int rateZ = 0, rateS = 0;
    while (q.next()) {
        const QString c = readField(q, 0).toString().trimmed().toUpper();
        const double sum = q.value(1).toDouble();
        if (c == QLatin1String("Z")) {
            t.tab[TTabDPH::ZakZ] += sum;
            rateZ = qRound(q.value(2).toDouble());
        } else if (c == QLatin1String("S")) {
            t.tab[TTabDPH::ZakS] += sum;
            rateS = qRound(q.value(2).toDouble());
        } else {
            t.tab[TTabDPH::ZakB] += sum;
        }
    }
    t.rateZ = rateZ < 1 ? qRound(p.vatBasic) : rateZ;
    t.rateS = rateS < 1 ? qRound(p.vatReduced) : rateS;
    t.result = PrepXTabDPH(&t.tab, discount, !p.pricesWithoutVat, t.rateZ, t.rateS, p.vatRoundingStep,
                           p.totalRoundingStep);
    return t;
}

} // namespace DeliveryNote

using namespace DeliveryNote;

namespace {
const QString InsertColumns = QStringLiteral(
    "UNCIS,UNCFIR,CISDOD,CISFAK,SLEVA,DATVYST,VYSTAVIL,ZAHLAVI,ZAPATI,CASTKA,UNCCEN,UNCSTR,STAV,PCISLO,KDY,KLIC,ZAMEK,"
    "DPHZ,DPHS,ZAKS,ZAKZ,ZAKB,DANS,DANZ,ZAOKR,SLEVAKC,KDO");

QString text(const QVariant &v)
{
    return v.toString().trimmed();
}
} // namespace

const QString TfDodakC::ListFrom = QStringLiteral(
    " ,DOH.UnCis, ADR.UnCCen FROM DodakH DOH LEFT OUTER JOIN Adresar ADR ON (DOH.UnCFir=ADR.UnCis) ");

const QString TfDodakC::LineSelect = QStringLiteral(
    "select C.UnCis as UnCisC, C.CSekce as CSekceC, C. popis as PopisC,c.dph as DPHC,c.prenosskl as prenossklC, "
    "c.CenPro as CenProC,c.jedn as JednC,c.kod as KODC,c.vyrobce as VyrobceC, C.SkupProh, C.Status, "
    "c.cenpro as CenProC1,c.cenpro2 as CenProC2,c.cenpro3 as CenProC3, c.cenpro4 as CenProC4,c.cenpro5 as CenProC5,"
    "c.pocpro as PocProC1, c.pocpro2 as PocProC2,c.pocpro3 as PocProC3,c.pocpro4 as PocProC4, u.cena as CenaU,"
    "d.uncis,d.unccen,d.unch,d.csekce,d.popis,d.mnoz,d.cena, d.dan,d.sazbadph,d.mnozskl,d.celkem,d.jedn,"
    "d.prenosskl,d.MnozFak, d.klic from cenik C left outer join dodak D on(c.uncis = d.UncCen and d.UnCH= :UnCH "
    "and d.csekce = :dcsekce) left outer join cenuzp u on(C.uncis = u.unccen and u.unch=:UnCPCen ) "
    "where c.csekce= :CSekce ");

const QString TfDodakC::Caption = QStringLiteral("Dodací list");

TfDodakC::TfDodakC(TDMPro *dm, QObject *parent)
    : TfClass(dm, parent)
{
}

int TfDodakC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("DODAKH")) < 0)
        return -1;
    SetListQuery(ListFrom, QStringLiteral("DOH"));
    setListColumns(QStringLiteral("DOH.DATVYST as DOHDATVYST, DOH.CISDOD as DOHCISDOD, ADR.NAZEV as ADRNAZEV, "
                                  "DOH.CASTKA as DOHCASTKA"));
    setOrderBy(QStringLiteral(" ORDER BY DOH.DATVYST DESC "));
    setHeaderWriteColumns(InsertColumns.split(QLatin1Char(',')) << QStringLiteral("UNCFAK"));
    return 0;
}

int TfDodakC::AfterNewHeaderRow()
{
    RowCache &h = header();
    h.setValue(QStringLiteral("DATVYST"), QDate::currentDate());
    h.setValue(QStringLiteral("ZAMEK"), QStringLiteral("N"));
    h.setValue(QStringLiteral("STAV"), QStringLiteral("P"));
    for (const char *zero : {"UNCFAK", "PCISLO", "SLEVA", "UNCCEN", "CASTKA"})
        if (h.value(QLatin1String(zero)).isNull())
            h.setValue(QLatin1String(zero), 0);
    return 0;
}

int TfDodakC::AfterOpenRecord()
{
    m_userList = header().value(QStringLiteral("UNCCEN")).toInt();
    return 0;
}

void TfDodakC::chooseCustomer(int customer)
{
    RowCache &h = header();
    h.setValue(QStringLiteral("UNCFIR"), customer);
    h.setValue(QStringLiteral("UNCSTR"), 0);
    const int list = Pricing(dm()).userListOf(customer);
    const double discount = scalarSql(dm(), QStringLiteral("SELECT FIRST 1 SLEVA FROM FIRMY WHERE UNCH = :U"),
                                      {{QStringLiteral("U"), customer}}).toDouble();
    h.setValue(QStringLiteral("UNCCEN"), list);
    h.setValue(QStringLiteral("SLEVA"), discount);
    m_userList = list;
}

bool TfDodakC::isLocked()
{
    return text(header().value(QStringLiteral("ZAMEK"))) == QLatin1String("A");
}

bool TfDodakC::checkEditable()
{
    if (noteKey() <= 0 || header().currentRow() < 0)
        return false;
    if (isLocked()) {
        Prompt::information(QStringLiteral("Dodací list je zamčen."), Caption);
        return false;
    }
    return true;
}

// --- lines -----------------------------------------------------------------------------

int TfDodakC::OpenLines(int section, bool onlyFilled)
{
    m_section = section;
    m_onlyFilled = onlyFilled;
    QString sql = LineSelect;
    if (onlyFilled)
        sql += QStringLiteral(" and d.uncis is not null ");
    sql += QStringLiteral(" ORDER BY c.popis ");
    QString error;
    QSqlQuery q = runSql(dm(), sql,
                         {{QStringLiteral("UnCH"), noteKey()},
                          {QStringLiteral("dcsekce"), section},
                          {QStringLiteral("UnCPCen"), m_userList},
                          {QStringLiteral("CSekce"), itemSectionOf(section)}},
                         &error);
    if (!q.isActive()) {
        m_lastError = error;
        m_lines.clear();
        return -1;
    }
    m_lines.load(q);
    m_lines.setOpen(true);
    m_lines.first();
    return 0;
}

bool TfDodakC::hasLine(int row) const
{
    return lineKey(row) > 0;
}

int TfDodakC::lineKey(int row) const
{
    if (row < 0 || row >= m_lines.rowCount())
        return 0;
    return m_lines.value(row, QStringLiteral("UNCIS")).toInt();
}

int TfDodakC::rowOfItem(int item) const
{
    for (int r = 0; r < m_lines.rowCount(); ++r)
        if (m_lines.value(r, QStringLiteral("UNCISC")).toInt() == item)
            return r;
    return -1;
}

int TfDodakC::VytvorRadek(int row)
{
    if (row < 0 || row >= m_lines.rowCount() || noteKey() <= 0)
        return -2;
    if (hasLine(row))
        return 0;
    const Parameters &p = Parameters::instance();
    const QString dphc = text(m_lines.value(row, QStringLiteral("DPHC")));
    int rate = qRound(p.vatBasic);
    if (dphc == QLatin1String("S"))
        rate = qRound(p.vatReduced);
    else if (dphc.isEmpty())
        rate = 0;
    const double userPrice = m_lines.value(row, QStringLiteral("CENAU")).toDouble();
    const double price = userPrice != 0.0 ? userPrice : m_lines.value(row, QStringLiteral("CENPROC")).toDouble();
    const qint64 key = dm()->NextKey(QStringLiteral("DODAK"));
    if (key <= 0)
        return -2;
    const QString popis = text(m_lines.value(row, QStringLiteral("POPISC")));
    const QString jedn = text(m_lines.value(row, QStringLiteral("JEDNC")));
    const QString prenos = text(m_lines.value(row, QStringLiteral("PRENOSSKLC")));
    const int item = m_lines.value(row, QStringLiteral("UNCISC")).toInt();
    QString error;
    const bool ok = inTransaction(dm(), [&](QString *err) {
        QSqlQuery q = dm()->NewQuery();
        return runSql(q,
                      QStringLiteral("INSERT INTO Dodak (UnCis,UnCCen,UnCH,CSekce,Popis,Jedn,Mnoz,Cena,Dan,SazbaDPH,PrenosSkl,"
                                     "MnozSkl,Celkem,MnozFak,klic) VALUES(:UnCis,:UnCCen,:UnCH,:CSekce,:Popis,:Jedn,:Mnoz,"
                                     ":Cena,:Dan,:SazbaDPH,:PrenosSkl,:MnozSkl,:Celkem,:MnozFak,0)"),
                      {{QStringLiteral("UnCis"), key},
                       {QStringLiteral("UnCCen"), item},
                       {QStringLiteral("UnCH"), noteKey()},
                       {QStringLiteral("CSekce"), m_section},
                       {QStringLiteral("Popis"), popis},
                       {QStringLiteral("Jedn"), jedn},
                       {QStringLiteral("Mnoz"), 0.0},
                       {QStringLiteral("Cena"), price},
                       {QStringLiteral("Dan"), dphc.isEmpty() ? QStringLiteral(" ") : dphc},
                       {QStringLiteral("SazbaDPH"), rate},
                       {QStringLiteral("PrenosSkl"), prenos},
                       {QStringLiteral("MnozSkl"), 0.0},
                       {QStringLiteral("Celkem"), 0.0},
                       {QStringLiteral("MnozFak"), 0.0}},
                      err);
    }, &error);
    if (!ok) {
        m_lastError = error;
        return -3;
    }
    const QList<QPair<QString, QVariant>> values = {
        {QStringLiteral("UNCIS"), key},       {QStringLiteral("UNCCEN"), item},   {QStringLiteral("UNCH"), noteKey()},
        {QStringLiteral("CSEKCE"), m_section}, {QStringLiteral("POPIS"), popis},  {QStringLiteral("JEDN"), jedn},
        {QStringLiteral("MNOZ"), 0.0},        {QStringLiteral("CENA"), price},    {QStringLiteral("DAN"), dphc},
        {QStringLiteral("SAZBADPH"), rate},   {QStringLiteral("PRENOSSKL"), prenos}, {QStringLiteral("MNOZSKL"), 0.0},
        {QStringLiteral("CELKEM"), 0.0},      {QStringLiteral("MNOZFAK"), 0.0},   {QStringLiteral("KLIC"), 0}};
    for (const auto &v : values)
        m_lines.setStoredValue(row, v.first, v.second);
    return 0;
}

bool TfDodakC::updateLine(int row, const QString &sets, const SqlParameters &values, const QString &guard,
                          int *affected)
{
    SqlParameters all = values;
    all.append({QStringLiteral("UNCIS"), lineKey(row)});
    QString error;
    int n = 0;
    const bool ok = inTransaction(dm(), [&](QString *err) {
        QSqlQuery q = dm()->NewQuery();
        if (!runSql(q, QStringLiteral("UPDATE DODAK SET ") + sets + QStringLiteral(", KLIC = COALESCE(KLIC, 0) + 1 WHERE UNCIS = :UNCIS")
                               + guard,
                    all, err))
            return false;
        n = q.numRowsAffected();
        return true;
    }, &error);
    if (!ok)
        m_lastError = error;
    if (affected)
        *affected = n;
    return ok;
}

int TfDodakC::SmazRadek(int row)
{
    if (!hasLine(row) || !checkEditable())
        return -1;
    const double invoiced = m_lines.value(row, QStringLiteral("MNOZFAK")).toDouble();
    const double stocked = m_lines.value(row, QStringLiteral("MNOZSKL")).toDouble();
    if (invoiced > 0 || stocked > 0) {
        Prompt::information(QStringLiteral("Položku nelze smazat: už byla převedena do faktury nebo do skladu."), Caption);
        return 1;
    }
    QString error;
    int n = 0;
    const bool ok = inTransaction(dm(), [&](QString *err) {
        QSqlQuery q = dm()->NewQuery();
        if (!runSql(q, QStringLiteral("DELETE FROM Dodak WHERE UnCis=:UnCis AND COALESCE(MNOZFAK, 0) <= 0 AND COALESCE(MNOZSKL, 0) <= 0"),
                    {{QStringLiteral("UnCis"), lineKey(row)}}, err))
            return false;
        n = q.numRowsAffected();
        return true;
    }, &error);
    if (!ok) {
        m_lastError = error;
        return -1;
    }
    if (n == 0) {
        Prompt::information(QStringLiteral("Položku nelze smazat: už byla převedena do faktury nebo do skladu."), Caption);
        return 1;
    }
    for (const char *field : {"UNCIS", "UNCCEN", "UNCH", "CSEKCE", "POPIS", "MNOZ", "CENA", "DAN", "SAZBADPH",
                              "MNOZSKL", "CELKEM", "JEDN", "PRENOSSKL", "MNOZFAK", "KLIC"})
        m_lines.setStoredValue(row, QLatin1String(field), QVariant());
    return 0;
}

int TfDodakC::setQuantity(int row, double quantity)
{
    if (!checkEditable())
        return -1;
    if (int r = VytvorRadek(row); r < 0)
        return r;
    const double floor = qMax(m_lines.value(row, QStringLiteral("MNOZFAK")).toDouble(),
                              m_lines.value(row, QStringLiteral("MNOZSKL")).toDouble());
    const QString refusal = QStringLiteral("Množství nelze snížit pod %1: tolik už bylo převedeno do faktury nebo do skladu.")
                                .arg(formatMoney(floor));
    if (quantity < floor) {
        Prompt::information(refusal, Caption);
        return 1;
    }
    const double total = lineTotal(m_lines.value(row, QStringLiteral("CENA")).toDouble(), quantity);
    int n = 0;
    if (!updateLine(row, QStringLiteral("MNOZ = :MNOZ, CELKEM = :CELKEM"),
                    {{QStringLiteral("MNOZ"), quantity}, {QStringLiteral("CELKEM"), total}},
                    QStringLiteral(" AND COALESCE(MNOZFAK, 0) <= :MNOZ AND COALESCE(MNOZSKL, 0) <= :MNOZ"), &n))
        return -1;
    if (n == 0) {
        Prompt::information(refusal, Caption);
        return 1;
    }
    m_lines.setStoredValue(row, QStringLiteral("MNOZ"), quantity);
    m_lines.setStoredValue(row, QStringLiteral("CELKEM"), total);
    return 0;
}

int TfDodakC::setPrice(int row, double price)
{
    if (!checkEditable())
        return -1;
    if (int r = VytvorRadek(row); r < 0)
        return r;
    const double total = lineTotal(price, m_lines.value(row, QStringLiteral("MNOZ")).toDouble());
    if (!updateLine(row, QStringLiteral("CENA = :CENA, CELKEM = :CELKEM"),
                    {{QStringLiteral("CENA"), price}, {QStringLiteral("CELKEM"), total}}))
        return -1;
    m_lines.setStoredValue(row, QStringLiteral("CENA"), price);
    m_lines.setStoredValue(row, QStringLiteral("CELKEM"), total);
    return 0;
}

int TfDodakC::setVatClass(int row, QChar vatClass)
{
    const QChar c = vatClass.toUpper();
    if (c != QLatin1Char(' ') && c != QLatin1Char('S') && c != QLatin1Char('Z'))
        return 1;
    if (!checkEditable())
        return -1;
    if (int r = VytvorRadek(row); r < 0)
        return r;
    const Parameters &p = Parameters::instance();
    const int rate = c == QLatin1Char('Z') ? qRound(p.vatBasic) : c == QLatin1Char('S') ? qRound(p.vatReduced) : 0;
    if (!updateLine(row, QStringLiteral("DAN = :DAN, SAZBADPH = :SAZBA"),
                    {{QStringLiteral("DAN"), QString(c)}, {QStringLiteral("SAZBA"), rate}}))
        return -1;
    m_lines.setStoredValue(row, QStringLiteral("DAN"), QString(c).trimmed());
    m_lines.setStoredValue(row, QStringLiteral("SAZBADPH"), rate);
    return 0;
}

int TfDodakC::repriceFromTiers(int row)
{
    if (!Pricing::tiersOn() || !hasLine(row))
        return 1;
    PriceTiers tiers;
    for (std::size_t i = 0; i < 4; ++i)
        tiers.thresholds[i] = m_lines.value(row, QStringLiteral("POCPROC%1").arg(i + 1)).toInt();
    for (std::size_t i = 0; i < 5; ++i)
        tiers.prices[i] = m_lines.value(row, QStringLiteral("CENPROC%1").arg(i + 1)).toDouble();
    const double price = tierPrice(tiers, m_lines.value(row, QStringLiteral("MNOZ")).toDouble());
    const int r = setPrice(row, price);
    if (r == 0)
        m_lines.setStoredValue(row, QStringLiteral("CENPROC"), price);
    return r;
}

// --- fill ------------------------------------------------------------------------------

void TfDodakC::addMiss(const QString &message, const QString &caption)
{
    if (m_misses.contains(message))
        return;
    m_misses << message;
    m_missCaptions << caption;
}

int TfDodakC::rowOfGroup(const QString &group, int status) const
{
    int catchAll = -1;
    for (int r = 0; r < m_lines.rowCount(); ++r) {
        if (m_lines.value(r, QStringLiteral("STATUS")).toInt() != status)
            continue;
        const QString g = text(m_lines.value(r, QStringLiteral("SKUPPROH")));
        if (g == group)
            return r;
        if (g.isEmpty() && catchAll < 0)
            catchAll = r;
    }
    return catchAll;
}

void TfDodakC::fillGroups(const QString &sql, int status, const QString &missText, QMap<int, double> &into)
{
    QSqlQuery q = runSql(dm(), sql, {{QStringLiteral("UnCDod"), noteKey()}}, &m_lastError);
    while (q.next()) {
        const QString group = readField(q, 1).toString().trimmed();
        const int row = rowOfGroup(group, status);
        if (row < 0) {
            addMiss(missText + group, QStringLiteral("Doplnění"));
            continue;
        }
        into[row] += q.value(0).toDouble();
    }
}

bool TfDodakC::applyCounts(const QMap<int, double> &counts)
{
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const int r = setQuantity(it.key(), it.value());
        if (r < 0)
            return false;
        if (r > 0)
            addMiss(QStringLiteral("Množství položky %1 nebylo změněno.").arg(text(m_lines.value(it.key(), QStringLiteral("POPISC")))),
                    Caption);
    }
    return true;
}

int TfDodakC::Doplnit()
{
    if (!checkEditable())
        return -1;
    m_misses.clear();
    m_missCaptions.clear();
    // the fill works on every row of the section, not only the filled ones
    if (m_onlyFilled || !m_lines.isOpen())
        if (OpenLines(m_section, false) < 0) {
            Prompt::warning(QStringLiteral("Doplnění dodacího listu selhalo."), Caption);
            return -1;
        }
    const Parameters &p = Parameters::instance();
    QMap<int, double> counts;   // grid row -> quantity
    const int s = m_section;
    m_lastError.clear();
    const QString itemsOfNote = QStringLiteral(" from cenik c, Pr_tab t, Pr_Hlav h where c.UnCis=t.UnCCen and h.UnCDod=:UnCDod "
                                               "and t.UNCH=h.UnCis ");
    if (s == 1) {
        const auto rule = [&](const QString &states, int status, const QString &miss) {
            if (states.isEmpty())
                return;   // no counted state: the rule finds nothing
            fillGroups(QStringLiteral("SELECT count(t.UnCH) AS Poc , C.SkupProh") + itemsOfNote + QStringLiteral("and (t.status in")
                           + states + QStringLiteral(") group by c.SkupProh "),
                       status, miss, counts);
        };
        rule(stateList(p.chargedStates), 1, QStringLiteral("Nedohledán zkontrolovaný HP\nskupina: "));
        rule(QStringLiteral("(2,4,14)"), 2, QStringLiteral("Nedohledán HP do opravy\nskupina: "));
        rule(stateList(p.disposalStates), 3, QStringLiteral("Nedohledán HP na likvidaci\nskupina: "));
        fillGroups(QStringLiteral("SELECT count(t.UNCH) AS Poc , C.SkupProh from  cenik c, Vod_tab t, Vod_Hlav h where "
                                  "c.UnCis=t.UnCCen and h.UnCDod=:UnCDod and t.UNCH=h.UnCis group by c.SkupProh "),
                   1, QStringLiteral("Nedohledán PV po kontrole\nskupina: "), counts);
    } else if (s == 2) {
        // every protocol of the note counts: a mark repaired in two inspections bills both
        QSqlQuery q = runSql(dm(),
                             QStringLiteral("SELECT count(t.UNCH) AS Poc, t.znacka FROM PR_Tab T, Pr_Hlav H WHERE "
                                            "t.UNCH = h.UnCis AND h.UnCDod = :UnCDod AND t.Status IN (2,4,14) group by t.znacka "),
                             {{QStringLiteral("UnCDod"), noteKey()}}, &m_lastError);
        while (q.next()) {
            const QString mark = readField(q, 1).toString().trimmed();
            int row = -1;
            for (int r = 0; r < m_lines.rowCount() && row < 0; ++r)
                if (text(m_lines.value(r, QStringLiteral("POPISC"))) == mark)
                    row = r;
            if (row < 0) {
                addMiss(QStringLiteral("Nedohledán HP: ") + mark, QStringLiteral("Pozor !"));
                continue;
            }
            counts[row] += q.value(0).toDouble();
        }
    } else if (s == 6) {
        // each item once for every work kind, at the last row of that kind
        const double items = scalarSql(dm(), QStringLiteral("SELECT count(t.UNCH) FROM Pr_tab t, Pr_Hlav h WHERE "
                                                            "h.UnCDod=:UnCDod and t.UNCH=h.UnCis"),
                                       {{QStringLiteral("UnCDod"), noteKey()}}, nullptr, &m_lastError)
                                 .toDouble();
        if (items > 0) {
            QMap<int, int> lastOfKind;   // work kind -> row of the highest item key
            for (int r = 0; r < m_lines.rowCount(); ++r) {
                const int kind = m_lines.value(r, QStringLiteral("STATUS")).toInt();
                const int item = m_lines.value(r, QStringLiteral("UNCISC")).toInt();
                if (!lastOfKind.contains(kind)
                    || item > m_lines.value(lastOfKind.value(kind), QStringLiteral("UNCISC")).toInt())
                    lastOfKind[kind] = r;
            }
            for (int row : lastOfKind)
                counts[row] = items;
        }
    } else if (s == TypeSection || s >= FirstVirtualSection) {
        QStringList states;
        for (int st : typeStatesOf(s))
            states << QString::number(st);
        QSqlQuery q = runSql(dm(),
                             QStringLiteral("SELECT t.UnCCen, count(t.UNCH)") + itemsOfNote
                                 + QStringLiteral("and c.CSekce = 7 and t.Status IN (") + states.join(QLatin1Char(','))
                                 + QStringLiteral(") group by t.UnCCen"),
                             {{QStringLiteral("UnCDod"), noteKey()}}, &m_lastError);
        while (q.next()) {
            const int row = rowOfItem(q.value(0).toInt());
            if (row >= 0)
                counts[row] += q.value(1).toDouble();
        }
    } else {
        QSqlQuery q = runSql(dm(),
                             QStringLiteral("SELECT C.UnCis,SUM(D.Mnozstvi) as Poc FROM Pr_Hlav H,DodDil D, Cenik C WHERE "
                                            "h. UnCDod=:UnCDod AND D.UnCPro=H.UnCis AND D.UnCCen=C.UnCis AND C.CSekce=:CSekce "
                                            "GROUP BY C.UnCis "),
                             {{QStringLiteral("UnCDod"), noteKey()}, {QStringLiteral("CSekce"), s}}, &m_lastError);
        while (q.next()) {
            const int row = rowOfItem(q.value(0).toInt());
            if (row >= 0)
                counts[row] += q.value(1).toDouble();
        }
    }
    if (!m_lastError.isEmpty() || !applyCounts(counts)) {
        Prompt::warning(QStringLiteral("Doplnění dodacího listu selhalo."), Caption);
        return -1;
    }
    for (int i = 0; i < m_misses.size(); ++i)
        Prompt::information(m_misses.at(i), m_missCaptions.at(i));
    return 0;
}

// --- totals ----------------------------------------------------------------------------

int TfDodakC::Prepocet()
{
    if (noteKey() <= 0 || header().currentRow() < 0)
        return -1;
    const Totals t = computeTotals(dm(), {noteKey()}, header().value(QStringLiteral("SLEVA")).toDouble(), {}, &m_lastError);
    if (t.result < 0)
        return t.result;
    TVarSQL values;
    values.SetVariable(QStringLiteral("CASTKA"), t.tab[TTabDPH::Castka]);
    values.SetVariable(QStringLiteral("DPHZ"), t.rateZ);
    values.SetVariable(QStringLiteral("DPHS"), t.rateS);
    values.SetVariable(QStringLiteral("ZAKS"), t.tab[TTabDPH::ZakS]);
    values.SetVariable(QStringLiteral("ZAKZ"), t.tab[TTabDPH::ZakZ]);
    values.SetVariable(QStringLiteral("ZAKB"), t.tab[TTabDPH::ZakB]);
    values.SetVariable(QStringLiteral("DANS"), t.tab[TTabDPH::DanS]);
    values.SetVariable(QStringLiteral("DANZ"), t.tab[TTabDPH::DanZ]);
    values.SetVariable(QStringLiteral("ZAOKR"), t.tab[TTabDPH::Zaokr]);
    values.SetVariable(QStringLiteral("SLEVAKC"), t.tab[TTabDPH::SlevaKc]);
    if (storeHeaderValues(values) < 0) {
        Prompt::warning(QStringLiteral("Přepočet dodacího listu nebyl uložen.\n") + m_lastError, Caption);
        return ResSaveFailed;
    }
    return t.result;
}

// --- summary ------------------------------------------------------------------

QString TfDodakC::Sumar()
{
    static const char *const headings[] = {
        "1 - Zkontrolované HP a ponechané", "2 - HP do opravy - výměna", "3 - HP vyřazen - zlikvidován ",
        "4 - HP převzat na dílnu a vrácen ", "5 - HP vyřazen - ponechán", "6 - HP po opravě - výměna",
        "7 - HP nový - výměna ", "8 - HP po opravě - jako nový", "9 - HP nový - navíc", "10 - zcizené HP"};
    QSqlQuery q = runSql(dm(),
                         QStringLiteral("SELECT P.Status, P.znacka,Count(P.UNCH) AS SOUCET FROM  PR_TAB P, PR_HLAV H   WHERE "
                                        "H.UnCis=P.UNCH AND H.UnCDod=:UnCDod   GROUP BY P.Status, P.znacka ORDER BY P.status, "
                                        "P.znacka "),
                         {{QStringLiteral("UnCDod"), noteKey()}}, &m_lastError);
    QString html;
    int last = -1;
    int taken = 0, handed = 0, all = 0;
    while (q.next()) {
        const int status = q.value(0).toInt();
        const int n = q.value(2).toInt();
        if (status != last) {
            const QString heading = status >= 1 && status <= 10 ? QString::fromUtf8(headings[status - 1])
                                                                : QString::number(status);
            html += QStringLiteral("<b>") + heading.toHtmlEscaped() + QStringLiteral("</b><br>");
            last = status;
        }
        html += readField(q, 1).toString().toHtmlEscaped() + QStringLiteral("&#9;") + QString::number(n)
                + QStringLiteral("<br>");
        all += n;
        if (status == 2 || status == 4)
            taken += n;
        if (status == 4 || (status >= 6 && status <= 9))
            handed += n;
    }
    html += QStringLiteral("<br>Převzatých HP&#9;%1<br>Předaných HP&#9;%2<br>HP v protokole&#9;%3")
                .arg(taken)
                .arg(handed)
                .arg(all);
    return html;
}

// --- the note of an inspection ---------------------------------------------------------

int TfDodakC::insertNote(TDMPro *dm, int customer, int site, QString *error)
{
    const qint64 key = dm->NextKey(QStringLiteral("DODAKH"));
    if (key <= 0)
        return -1;
    const int list = Pricing(dm).userListOf(customer);
    const double discount = scalarSql(dm, QStringLiteral("SELECT FIRST 1 SLEVA FROM FIRMY WHERE UNCH = :U"),
                                      {{QStringLiteral("U"), customer}}).toDouble();
    QStringList params;
    for (const QString &c : InsertColumns.split(QLatin1Char(',')))
        params << QLatin1Char(':') + c;
    SqlParameters values = {
        {QStringLiteral("UNCIS"), key}, {QStringLiteral("UNCFIR"), customer}, {QStringLiteral("CISDOD"), QString()},
        {QStringLiteral("CISFAK"), QString()}, {QStringLiteral("SLEVA"), discount},
        {QStringLiteral("DATVYST"), QDate::currentDate()}, {QStringLiteral("VYSTAVIL"), 0},
        {QStringLiteral("ZAHLAVI"), QString()}, {QStringLiteral("ZAPATI"), QString()}, {QStringLiteral("CASTKA"), 0.0},
        {QStringLiteral("UNCCEN"), list}, {QStringLiteral("UNCSTR"), site}, {QStringLiteral("STAV"), QStringLiteral("P")},
        {QStringLiteral("PCISLO"), 0}, {QStringLiteral("KDY"), QDateTime::currentDateTime()}, {QStringLiteral("KLIC"), 0},
        {QStringLiteral("ZAMEK"), QStringLiteral("N")}};
    for (const char *zero : {"DPHZ", "DPHS", "ZAKS", "ZAKZ", "ZAKB", "DANS", "DANZ", "ZAOKR", "SLEVAKC"})
        values.append({QLatin1String(zero), 0.0});
    values.append({QStringLiteral("KDO"), UserName.left(5)});
    QSqlQuery q = dm->NewQuery();
    if (!runSql(q, QStringLiteral("INSERT INTO DODAKH (") + InsertColumns + QStringLiteral(") VALUES (") + params.join(QLatin1Char(','))
                       + QLatin1Char(')'),
                values, error))
        return -1;
    return int(key);
}

namespace {
// Saves what the user changed in the inspection, so that the link written next is not
// overwritten by the inspection's later save (or lost with an abandoned one).
bool saveInspectionFirst(TfClass *inspection)
{
    if (!inspection->isModified())
        return true;
    if (inspection->SaveRecordKeepOpen() >= 0)
        return true;
    Prompt::warning(QStringLiteral("Kontrolu se nepodařilo uložit, dodací list nebyl připojen.\n") + inspection->lastError(),
                    TfDodakC::Caption);
    return false;
}

int storeLink(TfClass *inspection, int note)
{
    TVarSQL link;
    link.SetVariable(QStringLiteral("UNCDOD"), note);
    if (inspection->storeHeaderValues(link) < 0) {
        Prompt::warning(QStringLiteral("Zobrazení obchodního případu\n") + inspection->lastError(), TfDodakC::Caption);
        return -1;
    }
    return 0;
}
} // namespace

int TfDodakC::createForInspection(TfClass *inspection, TDMPro *dm)
{
    if (!inspection || inspection->header().currentRow() < 0 || !saveInspectionFirst(inspection))
        return -1;
    RowCache &h = inspection->header();
    int key = -1;
    QString error;
    const bool ok = inTransaction(dm, [&](QString *err) {
        key = insertNote(dm, h.value(QStringLiteral("UNCFIR")).toInt(), h.value(QStringLiteral("UNCSTR")).toInt(), err);
        return key > 0 && storeLink(inspection, key) == 0;
    }, &error);
    if (!ok) {
        if (!error.isEmpty())
            Prompt::warning(QStringLiteral("Zobrazení obchodního případu\n") + error, Caption);
        return -1;
    }
    return key;
}

int TfDodakC::attachToInspection(TfClass *inspection, int note)
{
    if (!inspection || note <= 0 || !saveInspectionFirst(inspection))
        return -1;
    return storeLink(inspection, note);
}

int TfDodakC::detachFromInspection(TfClass *inspection)
{
    if (!inspection || !saveInspectionFirst(inspection))
        return -1;
    return storeLink(inspection, 0);
}
