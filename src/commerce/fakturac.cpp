#include "commerce/fakturac.h"

#include "core/parameters.h"
#include "core/prompt.h"

#include <QDate>
#include <cmath>

namespace Invoice {

int rateOf(const QString &vatClass)
{
    const Parameters &p = Parameters::instance();
    const QString c = vatClass.trimmed().toUpper();
    if (c == QLatin1String("Z"))
        return qRound(p.vatBasic);
    if (c == QLatin1String("S"))
        return qRound(p.vatReduced);
    return 0;
}

double lineTotal(double price, double quantity)
{
    return Round(price * quantity, 0.01, false);
}

double grandTotal(double cenz, double danz, double cens, double dans, double cen0, double haldor)
{
    return cenz + danz + cens + dans + cen0 + haldor;
}

QString amountInWords(double grandTotal)
{
    return DejSlovyKC(qint64(std::trunc(Round(grandTotal, 0.01, false))));
}

QString receiptTitle(const QString &kind)
{
    const QString k = kind.trimmed().toUpper();
    if (k == QLatin1String("U"))
        return QStringLiteral("Účtenka za hotové - daňový doklad");
    if (k == QLatin1String("Z"))
        return QStringLiteral("Zálohová faktura");
    if (k == QLatin1String("D"))
        return QStringLiteral("Dobropis");
    return QStringLiteral("Příjmový pokladní doklad");
}

Totals computeTotals(const QVector<LineAmount> &lines, double discount, bool pricesIncludeVat)
{
    const Parameters &p = Parameters::instance();
    Totals t;
    t.tab.clear();
    int rateZ = 0, rateS = 0;
    for (const LineAmount &l : lines) {
        const QString c = l.vatClass.trimmed().toUpper();
        if (c == QLatin1String("Z")) {
            t.tab[TTabDPH::ZakZ] += l.total;
            rateZ = l.rate;
        } else if (c == QLatin1String("S")) {
            t.tab[TTabDPH::ZakS] += l.total;
            rateS = l.rate;
        } else {
            t.tab[TTabDPH::ZakB] += l.total;
        }
    }
    t.rateZ = rateZ < 1 ? qRound(p.vatBasic) : rateZ;
    t.rateS = rateS < 1 ? qRound(p.vatReduced) : rateS;
    t.result = PrepXTabDPH(&t.tab, discount, pricesIncludeVat, t.rateZ, t.rateS, p.vatRoundingStep,
                           p.totalRoundingStep);
    return t;
}

} // namespace Invoice

using namespace Invoice;

namespace {
QString text(const QVariant &v)
{
    return v.toString().trimmed();
}

bool samePrice(double a, double b)
{
    return std::fabs(a - b) < 0.000001;
}
} // namespace

const QString TfFakturaC::ListFrom = QStringLiteral(
    " ,FAK.UnCis, FAK.Zamek  from FAKTURY FAK  LEFT OUTER JOIN Adresar ODB ON (FAK.UnCOdb = ODB.UNCIS) "
    "LEFT OUTER JOIN Adresar PRI ON (FAK.UnCPri = PRI.UNCIS) LEFT OUTER JOIN Strediska Str ON (FAK.UNCStr = STR.UNCIS)");
const QString TfFakturaC::ListColumns = QStringLiteral(
    "FAK.DATVYS as FAKDATVYS, FAK.CISFAK as FAKCISFAK, ODB.NAZEV as ODBNAZEV, PRI.NAZEV as PRINAZEV, "
    "FAK.CELKEM as FAKCELKEM, FAK.DATSPL as FAKDATSPL");
const QString TfFakturaC::Caption = QStringLiteral("Faktury");
const QString TfFakturaC::PickList = QStringLiteral(
    " ,CEN.POPIS, CEN.Jedn, CEN.DPH, CEN.UNCIS, CEN.CSEKCE, CEN.CENPRO  from CENIK CEN ");

TfFakturaC::TfFakturaC(TDMPro *dm, QObject *parent)
    : TfClass(dm, parent)
{
}

int TfFakturaC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("FAKTURY")) < 0 || AllocateItemTables(1) < 0
        || DefineItemTable(0, QStringLiteral("Fak_pol")) < 0)
        return -1;
    item(0).orderBy = QStringLiteral(" ORDER BY uncis ");
    SetListQuery(ListFrom, QStringLiteral("FAK"));
    setListColumns(ListColumns);
    setOrderBy(QStringLiteral(" ORDER BY FAK.DatVys desc, FAK.UnCis desc "));
    return 0;
}

int TfFakturaC::AfterNewHeaderRow()
{
    // A column written explicitly never takes its table default.
    RowCache &h = header();
    auto preset = [&h](const char *field, const QVariant &value) {
        const QVariant v = h.value(QLatin1String(field));
        if (v.isNull() || v.toString().trimmed().isEmpty())
            h.setValue(QLatin1String(field), value);
    };
    const Parameters &p = Parameters::instance();
    preset("TYPFAK", QStringLiteral("F"));
    preset("DATVYS", QDate::currentDate());
    preset("DATDPH", QDate::currentDate());
    preset("SDPH", p.pricesWithoutVat ? QStringLiteral("N") : QStringLiteral("A"));
    preset("ZAMEK", QStringLiteral("N"));
    preset("SLEVA", 0.0);
    return 0;
}

int TfFakturaC::AfterOpenRecord()
{
    if (m_currentKey <= 0 || !lines().isEmpty() || readOnly())
        return 0;
    return AppendItem(item(0)) < 0 ? -21 : 0;
}

int TfFakturaC::BeforeSaveRecord()
{
    return recount() < 0 ? -2 : 0;
}

bool TfFakturaC::isLocked()
{
    return text(header().value(QStringLiteral("ZAMEK"))) == QLatin1String("A");
}

int TfFakturaC::recount()
{
    RowCache &h = header();
    RowCache &l = lines();
    if (h.currentRow() < 0)
        return -2;
    QVector<LineAmount> amounts;
    for (int r = 0; r < l.rowCount(); ++r)
        amounts.append({text(l.value(r, QStringLiteral("DPH"))), l.value(r, QStringLiteral("DPHN")).toInt(),
                        l.value(r, QStringLiteral("CENCELK")).toDouble()});
    const Totals t = computeTotals(amounts, h.value(QStringLiteral("SLEVA")).toDouble(),
                                   text(h.value(QStringLiteral("SDPH"))) == QLatin1String("A"));
    if (t.result < 0)
        return -2;
    h.setValue(QStringLiteral("CEN0"), t.tab[TTabDPH::ZakB]);
    h.setValue(QStringLiteral("CENS"), t.tab[TTabDPH::ZakS]);
    h.setValue(QStringLiteral("CENZ"), t.tab[TTabDPH::ZakZ]);
    h.setValue(QStringLiteral("DANS"), t.tab[TTabDPH::DanS]);
    h.setValue(QStringLiteral("DANZ"), t.tab[TTabDPH::DanZ]);
    h.setValue(QStringLiteral("DPHS"), t.rateS);
    h.setValue(QStringLiteral("DPHZ"), t.rateZ);
    h.setValue(QStringLiteral("HALDOR"), t.tab[TTabDPH::Zaokr]);
    h.setValue(QStringLiteral("CELSLEVA"), t.tab[TTabDPH::SlevaKc]);
    h.setValue(QStringLiteral("CELKEM"), t.tab[TTabDPH::ZakZ] + t.tab[TTabDPH::ZakS] + t.tab[TTabDPH::ZakB]);
    return t.result;
}

int TfFakturaC::PrepocetFaktury()
{
    const int row = lines().currentRow();
    const int r = SaveRecordKeepOpen();
    if (row >= 0 && row < lines().rowCount())
        lines().setCurrentRow(row);
    return r < 0 ? -2 : 0;
}

void TfFakturaC::CenaPod(int row)
{
    RowCache &l = lines();
    l.setValue(row, l.fieldIndex(QStringLiteral("CENCELK")),
               lineTotal(l.value(row, QStringLiteral("JEDCEN")).toDouble(), l.value(row, QStringLiteral("MNOZ")).toDouble()));
}

bool TfFakturaC::setVatClass(int row, QChar key)
{
    const QChar c = key.toUpper();
    if (c != QLatin1Char('Z') && c != QLatin1Char('S') && c != QLatin1Char('B') && c != QLatin1Char(' '))
        return false;
    RowCache &l = lines();
    l.setValue(row, l.fieldIndex(QStringLiteral("DPH")), QString(c));
    l.setValue(row, l.fieldIndex(QStringLiteral("DPHN")), rateOf(QString(c)));
    return true;
}

int TfFakturaC::addLine(const Line &line, bool merge)
{
    RowCache &l = lines();
    if (merge && line.unccen != 0) {
        for (int r = 0; r < l.rowCount(); ++r) {
            if (l.value(r, QStringLiteral("UNCCEN")).toInt() != line.unccen
                || !samePrice(l.value(r, QStringLiteral("JEDCEN")).toDouble(), line.jedcen))
                continue;
            l.setValue(r, l.fieldIndex(QStringLiteral("MNOZ")), l.value(r, QStringLiteral("MNOZ")).toDouble() + line.mnoz);
            CenaPod(r);
            return r;
        }
    }
    if (AppendItem(item(0)) < 0)
        return -1;
    const int r = l.rowCount() - 1;
    const QList<QPair<QString, QVariant>> values = {
        {QStringLiteral("POLOZKA"), line.polozka}, {QStringLiteral("JEDCEN"), line.jedcen},
        {QStringLiteral("MNOZ"), line.mnoz},       {QStringLiteral("JEDN"), line.jedn},
        {QStringLiteral("DPH"), line.dph},         {QStringLiteral("DPHN"), line.dphn},
        {QStringLiteral("UNCCEN"), line.unccen},   {QStringLiteral("CSEKCE"), line.csekce}};
    for (const auto &v : values)
        l.setValue(r, l.fieldIndex(v.first), v.second);
    CenaPod(r);
    l.setCurrentRow(r);
    return r;
}

int TfFakturaC::VlozPolozku(const QString &popis, const QString &jedn, const QString &dph, int unccen, int csekce,
                            double cenpro)
{
    QString quantity = QStringLiteral("0.00");
    double price = cenpro;
    if (!m_askQuantity || !m_askQuantity(popis, quantity, price))
        return 0;
    bool ok = false;
    const double mnoz = QString(quantity).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
    if (!ok || mnoz <= 0)
        return 0;
    Line line;
    line.polozka = popis;
    line.jedn = jedn;
    line.dph = dph.isEmpty() ? QStringLiteral(" ") : dph;
    line.dphn = rateOf(dph);
    line.unccen = unccen;
    line.csekce = csekce;
    line.jedcen = price;
    line.mnoz = mnoz;
    // an empty first line, as a new invoice has, is taken instead of a new one
    RowCache &l = lines();
    if (l.rowCount() == 1 && text(l.value(0, QStringLiteral("POLOZKA"))).isEmpty()
        && l.value(0, QStringLiteral("MNOZ")).toDouble() == 0.0 && l.row(0).state == RowCache::Inserted) {
        l.setCurrentRow(0);
        l.deleteCurrentRow();
    }
    return addLine(line, false) < 0 ? -1 : 1;
}

int TfFakturaC::NactiPolozku(int key, const QVariantMap &row)
{
    const int r = VlozPolozku(text(row.value(QStringLiteral("POPIS"))), text(row.value(QStringLiteral("JEDN"))),
                              text(row.value(QStringLiteral("DPH"))), key, row.value(QStringLiteral("CSEKCE")).toInt(),
                              row.value(QStringLiteral("CENPRO")).toDouble());
    if (r < 0)
        Prompt::error(QStringLiteral("Vložení položky"));
    return r;
}
