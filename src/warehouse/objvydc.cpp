#include "warehouse/objvydc.h"

#include "core/format.h"
#include "core/money.h"
#include "core/prompt.h"

#include <QDate>

namespace Order {
double lineTotal(double price, double quantity)
{
    return Round(price * quantity, 0.01, false);
}
} // namespace Order

using namespace Order;

namespace {
QString text(const QVariant &v)
{
    return v.toString().trimmed();
}
} // namespace

const QString TfObjVydC::ListFrom = QStringLiteral(
    " ,OBJ.UnCis, OBJ.UnCFir, OBJ.Zamek  from ObjVydH OBJ  LEFT OUTER JOIN Adresar ADR ON (OBJ.UNCFIR = ADR.UNCIS)");
const QString TfObjVydC::ListColumns = QStringLiteral(
    "OBJ.DATVYST as OBJDATVYST, OBJ.CISOBJ as OBJCISOBJ, ADR.NAZEV as ADRNAZEV, OBJ.TERMIN as OBJTERMIN, "
    "OBJ.POPIS as OBJPOPIS, OBJ.STAV as OBJSTAV");
const QString TfObjVydC::Caption = QStringLiteral("Vydaná objednávka");
const QString TfObjVydC::PickList = QStringLiteral(
    " ,CEN.POPIS, CEN.Jedn, CEN.DPH, CEN.UNCIS, CEN.CSEKCE, CEN.CENPRO,  CEN.KOD  from CENIK CEN ");

TfObjVydC::TfObjVydC(TDMPro *dm, QObject *parent)
    : TfClass(dm, parent)
{
}

int TfObjVydC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("ObjVydH")) < 0 || AllocateItemTables(1) < 0
        || DefineItemTable(0, QStringLiteral("ObjVydP")) < 0)
        return -1;
    item(0).orderBy = QStringLiteral(" ORDER BY uncis ");
    SetListQuery(ListFrom, QStringLiteral("OBJ"));
    setListColumns(ListColumns);
    setOrderBy(QStringLiteral(" ORDER BY OBJ.DatVyst desc, OBJ.UnCis desc "));
    return 0;
}

int TfObjVydC::AfterNewHeaderRow()
{
    RowCache &h = header();
    auto preset = [&h](const char *field, const QVariant &value) {
        const QVariant v = h.value(QLatin1String(field));
        if (v.isNull() || v.toString().trimmed().isEmpty())
            h.setValue(QLatin1String(field), value);
    };
    preset("DATVYST", QDate::currentDate());
    preset("ZAMEK", QStringLiteral("N"));
    preset("STAV", QStringLiteral("N"));
    return 0;
}

int TfObjVydC::BeforeSaveRecord()
{
    recount();
    return 0;
}

bool TfObjVydC::isLocked()
{
    return text(header().value(QStringLiteral("ZAMEK"))) == QLatin1String("A");
}

void TfObjVydC::CenaPod(int row)
{
    RowCache &l = lines();
    l.setValue(row, l.fieldIndex(QStringLiteral("CENCEL")),
               lineTotal(l.value(row, QStringLiteral("CENBEZ")).toDouble(), l.value(row, QStringLiteral("POCET")).toDouble()));
}

void TfObjVydC::recount()
{
    RowCache &h = header();
    RowCache &l = lines();
    if (h.currentRow() < 0)
        return;
    double z = 0, s = 0, b = 0;
    for (int r = 0; r < l.rowCount(); ++r) {
        const QString c = text(l.value(r, QStringLiteral("DPHS"))).toUpper();
        const double total = l.value(r, QStringLiteral("CENCEL")).toDouble();
        (c == QLatin1String("Z") ? z : c == QLatin1String("S") ? s : b) += total;
    }
    h.setValue(QStringLiteral("CENZ"), z);
    h.setValue(QStringLiteral("CENS"), s);
    h.setValue(QStringLiteral("CENB"), b);
    h.setValue(QStringLiteral("CENA"), z + s + b);
}

int TfObjVydC::addLine(const Line &line, bool merge)
{
    RowCache &l = lines();
    if (merge && line.uncmat != 0) {
        for (int r = 0; r < l.rowCount(); ++r) {
            if (l.value(r, QStringLiteral("UNCMAT")).toInt() != line.uncmat)
                continue;
            l.setValue(r, l.fieldIndex(QStringLiteral("POCET")), l.value(r, QStringLiteral("POCET")).toDouble() + line.pocet);
            CenaPod(r);
            return r;
        }
    }
    if (AppendItem(item(0)) < 0)
        return -1;
    const int r = l.rowCount() - 1;
    const QList<QPair<QString, QVariant>> values = {
        {QStringLiteral("UNCMAT"), line.uncmat}, {QStringLiteral("KODMAT"), line.kodmat.left(20)},
        {QStringLiteral("POPIS"), line.popis.left(80)}, {QStringLiteral("JEDN"), line.jedn.left(10)},
        {QStringLiteral("DPHS"), line.dphs.isEmpty() ? QStringLiteral(" ") : line.dphs.left(1)},
        {QStringLiteral("POCET"), line.pocet}, {QStringLiteral("CENBEZ"), line.cenbez},
        {QStringLiteral("DODAT"), 0.0}};
    for (const auto &v : values)
        l.setValue(r, l.fieldIndex(v.first), v.second);
    CenaPod(r);
    l.setCurrentRow(r);
    return r;
}

int TfObjVydC::NactiPolozku(int key, const QVariantMap &row)
{
    const QString popis = text(row.value(QStringLiteral("POPIS")));
    QString quantity = QStringLiteral("0.00");
    double price = row.value(QStringLiteral("CENPRO")).toDouble();
    if (!m_askQuantity || !m_askQuantity(popis, quantity, price) || quantity.trimmed().isEmpty())
        return 0;
    bool ok = false;
    const double pocet = parseNumber(quantity.trimmed(), &ok);
    if (!ok) {
        Prompt::error(QStringLiteral("Načtení množství"));
        return -1;
    }
    if (pocet <= 0)
        return 0;
    Line line;
    line.uncmat = key;
    line.popis = popis;
    line.jedn = text(row.value(QStringLiteral("JEDN")));
    line.kodmat = text(row.value(QStringLiteral("KOD")));
    line.dphs = row.value(QStringLiteral("DPH")).toString();
    line.cenbez = price;
    line.pocet = pocet;
    if (addLine(line, false) < 0) {
        Prompt::error(QStringLiteral("Vložení položky"));
        return -1;
    }
    return 1;
}
