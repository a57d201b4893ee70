#include "warehouse/skladprevodc.h"

#include "commerce/fakturac.h"
#include "core/dokrad.h"
#include "core/prompt.h"

#include <QDate>
#include <cmath>

namespace StockSlip {

KindLabel kindLabel(const QString &kind)
{
    const QString k = kind.trimmed().toUpper();
    if (k == QLatin1String("N"))
        return {QStringLiteral("Nákup"), QColor(Qt::green)};
    if (k == QLatin1String("O"))
        return {QStringLiteral("Převod"), QColor(Qt::white)};
    if (k == QLatin1String("V"))
        return {QStringLiteral("Výroba"), QColor(Qt::yellow)};
    if (k == QLatin1String("P"))
        return {QStringLiteral("Prodej"), QColor(Qt::red)};
    return {QStringLiteral(" >> ? ! ? << "), QColor(Qt::red)};
}

QVector<NewKind> newKinds()
{
    return {{QStringLiteral("miNakup"), QStringLiteral("Nákup od cizí firmy"), QStringLiteral("N")},
            {QStringLiteral("miPrevod"), QStringLiteral("Převod mezi sklady"), QStringLiteral("O")},
            {QStringLiteral("miProdej"), QStringLiteral("Prodej cizí firmě"), QStringLiteral("P")}};
}

QStringList conditionNames()
{
    return {QStringLiteral("Nový (1)"), QStringLiteral("Po opravě  (2)"), QStringLiteral("Do opravy (3)"),
            QStringLiteral("Vyřazený (4)")};
}

} // namespace StockSlip

using namespace StockSlip;

namespace {
QString text(const QVariant &v)
{
    return v.toString().trimmed();
}
} // namespace

const QString TfSkladPrevodC::ListFrom = QStringLiteral(
    " ,SKL.UnCis, SKL.UnCPri,SKL.UnCVyd  from SkladPrevodH SKL  LEFT OUTER JOIN Adresar VYD ON (SKL.UNCVYD = VYD.UNCIS) "
    "LEFT OUTER JOIN Adresar PRI ON (SKL.UNCPRI = PRI.UNCIS)");
const QString TfSkladPrevodC::ListColumns = QStringLiteral(
    "SKL.DATUM as SKLDATUM, SKL.CDT as SKLCDT, SKL.TYPPOH as SKLTYPPOH, VYD.NAZEV as VYDNAZEV, PRI.NAZEV as PRINAZEV");
const QString TfSkladPrevodC::Caption = QStringLiteral("Tarko 8: Skladová převodka");
const QString TfSkladPrevodC::PickList = QStringLiteral(
    " ,CEN.POPIS, CEN.Jedn, CEN.DPH, CEN.UNCIS, CEN.CSEKCE, CEN.CENPRO,  CEN.KOD, CEN.Vyrobce  from CENIK CEN ");

TfSkladPrevodC::TfSkladPrevodC(TDMPro *dm, QObject *parent)
    : TfClass(dm, parent)
{
}

int TfSkladPrevodC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("SKLADPREVODH")) < 0 || AllocateItemTables(1) < 0
        || DefineItemTable(0, QStringLiteral("SKLADPREVODP")) < 0)
        return -1;
    item(0).orderBy = QStringLiteral(" ORDER BY uncis ");
    SetListQuery(ListFrom, QStringLiteral("SKL"));
    setListColumns(ListColumns);
    setOrderBy(QStringLiteral(" ORDER BY SKL.Datum desc, SKL.UnCis desc "));
    return 0;
}

int TfSkladPrevodC::AfterNewHeaderRow()
{
    RowCache &h = header();
    auto preset = [&h](const char *field, const QVariant &value) {
        const QVariant v = h.value(QLatin1String(field));
        if (v.isNull() || v.toString().trimmed().isEmpty())
            h.setValue(QLatin1String(field), value);
    };
    preset("DATUM", QDate::currentDate());
    preset("TYPPOH", QStringLiteral("N"));
    preset("ZAMEK", QStringLiteral("N"));
    preset("UNCVYD", 0);
    preset("UNCPRI", 0);
    preset("CDI", 0);
    return 0;
}

bool TfSkladPrevodC::isLocked()
{
    return header().currentRow() >= 0 && text(header().value(QStringLiteral("ZAMEK"))) == QLatin1String("A");
}

bool TfSkladPrevodC::TakeNumberOfSeries()
{
    RowCache &h = header();
    const QString code = h.currentRow() >= 0 ? text(h.value(QStringLiteral("CDT"))) : QString();
    if (code.isEmpty())
        return false;
    int sequence = 0;
    const QString number = NextDocumentNumber(code, QString(), sequence, dm());
    if (number.isEmpty())
        return false;
    h.setValue(QStringLiteral("CDT"), number);
    h.setValue(QStringLiteral("CDI"), sequence);
    h.setValue(QStringLiteral("CDR"), DocumentSeries::normalizeCode(code));
    return true;
}

void TfSkladPrevodC::CenaPod(int row)
{
    RowCache &l = lines();
    l.setValue(row, l.fieldIndex(QStringLiteral("CENA")),
               Invoice::lineTotal(l.value(row, QStringLiteral("NAKCEN")).toDouble(), l.value(row, QStringLiteral("MNOZ")).toDouble()));
}

bool TfSkladPrevodC::setVatClass(int row, QChar key)
{
    const QChar c = key.toUpper();
    if (c != QLatin1Char('Z') && c != QLatin1Char('S') && c != QLatin1Char('B') && c != QLatin1Char(' '))
        return false;
    RowCache &l = lines();
    l.setValue(row, l.fieldIndex(QStringLiteral("DPH")), QString(c));
    l.setValue(row, l.fieldIndex(QStringLiteral("DPHN")), Invoice::rateOf(QString(c)));
    return true;
}

void TfSkladPrevodC::setConditions(int stav, int novstav)
{
    m_stav = qBound(1, stav, 4);
    m_novstav = qBound(1, novstav, 4);
}

int TfSkladPrevodC::PridejSloucene(const Line &line)
{
    RowCache &l = lines();
    for (int r = 0; r < l.rowCount(); ++r) {
        if (l.value(r, QStringLiteral("UNCMAT")).toInt() != line.uncmat
            || std::fabs(l.value(r, QStringLiteral("NAKCEN")).toDouble() - line.nakcen) > 0.000001
            || l.value(r, QStringLiteral("STAV")).toInt() != line.stav
            || l.value(r, QStringLiteral("NOVSTAV")).toInt() != line.novstav)
            continue;
        l.setValue(r, l.fieldIndex(QStringLiteral("MNOZ")), l.value(r, QStringLiteral("MNOZ")).toDouble() + line.mnoz);
        CenaPod(r);
        return r;
    }
    return appendLine(line);
}

int TfSkladPrevodC::appendLine(const Line &line)
{
    RowCache &l = lines();
    if (AppendItem(item(0)) < 0)
        return -1;
    const int r = l.rowCount() - 1;
    const QList<QPair<QString, QVariant>> values = {
        {QStringLiteral("UNCMAT"), line.uncmat},           {QStringLiteral("POPIS"), line.popis.left(80)},
        {QStringLiteral("KODMAT"), line.kodmat.left(20)},  {QStringLiteral("JEDN"), line.jedn.left(10)},
        {QStringLiteral("VYROBCE"), line.vyrobce.left(40)}, {QStringLiteral("CSEKCE"), line.csekce},
        {QStringLiteral("MNOZ"), line.mnoz},               {QStringLiteral("NAKCEN"), line.nakcen},
        {QStringLiteral("DPH"), line.dph.isEmpty() ? QStringLiteral(" ") : line.dph},
        {QStringLiteral("DPHN"), line.dphn},               {QStringLiteral("STAV"), line.stav},
        {QStringLiteral("NOVSTAV"), line.novstav},
        {QStringLiteral("TYPPOH"), header().currentRow() >= 0 ? header().value(QStringLiteral("TYPPOH")) : QVariant()},
        {QStringLiteral("PRENOSDOD"), QStringLiteral("N")}, {QStringLiteral("PRENOSFAK"), QStringLiteral("N")}};
    for (const auto &v : values)
        l.setValue(r, l.fieldIndex(v.first), v.second);
    CenaPod(r);
    l.setCurrentRow(r);
    return r;
}

int TfSkladPrevodC::VlozPolozkuSkladu(int uncmat, const QVariantMap &row)
{
    const QString popis = text(row.value(QStringLiteral("POPIS")));
    QString quantity = QStringLiteral("0.00");
    double price = row.value(QStringLiteral("CENPRO")).toDouble();
    if (!m_askQuantity || !m_askQuantity(popis, quantity, price))
        return 0;
    bool ok = false;
    const double mnoz = QString(quantity).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
    if (!ok || mnoz <= 0)
        return 0;
    Line line;
    line.uncmat = uncmat;
    line.popis = popis;
    line.kodmat = text(row.value(QStringLiteral("KOD")));
    line.vyrobce = text(row.value(QStringLiteral("VYROBCE")));
    line.jedn = text(row.value(QStringLiteral("JEDN")));
    line.csekce = row.value(QStringLiteral("CSEKCE")).toInt();
    line.nakcen = price;
    line.mnoz = mnoz;
    line.dph = row.value(QStringLiteral("DPH")).toString();
    line.dphn = Invoice::rateOf(line.dph);
    line.stav = m_stav;
    line.novstav = m_novstav;
    // picked lines are appended as they come; only the moves merge
    return appendLine(line) < 0 ? -1 : 1;
}

int TfSkladPrevodC::NactiPolozku(int key, const QVariantMap &row)
{
    const int r = VlozPolozkuSkladu(key, row);
    if (r < 0)
        Prompt::error(QStringLiteral("Vložení položky"));
    return r;
}
