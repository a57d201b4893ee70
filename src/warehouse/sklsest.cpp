#include "warehouse/sklsest.h"

#include "core/datamodulpro.h"
#include "core/format.h"
#include "core/sqlrun.h"

using namespace Print;

namespace {
const char *const QuantityMask = "## ##0.000";
const char *const PriceMask = "## ##0.00";
} // namespace

namespace StockReports {

namespace {

QString text(const QVariant &v)
{
    return v.toString().trimmed();
}

bool isPurchase(Kind kind)
{
    return kind == PurchaseByDay || kind == PurchaseSum;
}

// The slips of the period of one kind; a purchase is the receiving store's, a sale the
// issuing store's (the outside firm stands on the other side).
QString slipConditions(Kind kind, const Filter &f, SqlParameters &p)
{
    QString where = QStringLiteral(" where spp.unch = sph.uncis and sph.datum >= :DatOd and sph.datum <= :DatDo");
    p << SqlParameter{QStringLiteral("DatOd"), f.from} << SqlParameter{QStringLiteral("DatDo"), f.to};
    where += isPurchase(kind) ? QStringLiteral(" and sph.typpoh = 'N' ") : QStringLiteral(" and sph.typpoh = 'P' ");
    if (f.store) {
        where += isPurchase(kind) ? QStringLiteral(" and sph.uncpri = :UnCSkl ") : QStringLiteral(" and sph.uncvyd = :UnCSkl ");
        p << SqlParameter{QStringLiteral("UnCSkl"), f.store};
    }
    if (f.item) {
        where += QStringLiteral(" and spp.uncMat = :UnCMat ");
        p << SqlParameter{QStringLiteral("UnCMat"), f.item};
    }
    return where;
}

struct Query
{
    QString sql;
    SqlParameters parameters;
    QStringList fields;
    // one row of the statement into the printed row; false skips it
    std::function<bool(const QSqlQuery &, QVariantList &)> convert;
};

Query storeMovement(const Filter &f)
{
    Query q;
    const QString store = f.store ? QStringLiteral(" sk.uncskl = :Sklad1 and ") : QString();
    q.sql = QStringLiteral("select skl.stav, (select sum(sk.prijato - sk.vydano) from skladpohyb sk where sk.uncmat = skl.uncmat "
                           "and sk.stav = skl.stav and ")
            + store
            + QStringLiteral("sk.datum < :DatOd1) as pocatek, sum(skl.prijato) as prijato, sum(skl.vydano) as vydano, "
                             "max(cen.popis) as popis, max(cen.vyrobce) as vyrobce from skladpohyb skl, cenik cen "
                             "where skl.uncmat = cen.uncis and ")
            + (f.store ? QStringLiteral(" skl.uncskl = :Sklad and") : QString())
            + QStringLiteral(" skl.datum >= :DatOd2 and skl.datum <= :DatDo group by skl.uncmat, skl.stav "
                             "order by max(cen.popis), skl.uncmat, skl.stav");
    q.parameters << SqlParameter{QStringLiteral("DatOd1"), f.from} << SqlParameter{QStringLiteral("DatOd2"), f.from}
                 << SqlParameter{QStringLiteral("DatDo"), f.to};
    if (f.store)
        q.parameters << SqlParameter{QStringLiteral("Sklad1"), f.store} << SqlParameter{QStringLiteral("Sklad"), f.store};
    q.fields = QStringList{QStringLiteral("STAV"), QStringLiteral("POPIS"), QStringLiteral("POCATEK"),
                           QStringLiteral("PRIJATO"), QStringLiteral("VYDANO"), QStringLiteral("ZUSTATEK")};
    q.convert = [](const QSqlQuery &r, QVariantList &row) {
        const double opening = r.value(1).toDouble(), in = r.value(2).toDouble(), out = r.value(3).toDouble();
        if (opening == 0 && in == 0 && out == 0)
            return false;
        row = {conditionLetter(r.value(0).toInt()), description(text(r.value(5)), text(r.value(4))), opening, in, out,
               opening + in - out};
        return true;
    };
    return q;
}

Query itemMovement(const Filter &f)
{
    Query q;
    q.sql = QStringLiteral("select skl.datum, adr.nazev, skl.stav, skl.prijato, skl.vydano, skl.stav2 from skladpohyb skl "
                           "left outer join adresar adr on (skl.uncskl2 = adr.uncis) where ")
            + (f.store ? QStringLiteral("skl.uncskl = :UnCSkl and ") : QString())
            + QStringLiteral("skl.datum >= :DatOd and skl.datum <= :DatDo and skl.UnCMat = :UnCMat "
                             "order by skl.datum, skl.uncis, skl.prijato");
    q.parameters << SqlParameter{QStringLiteral("DatOd"), f.from} << SqlParameter{QStringLiteral("DatDo"), f.to}
                 << SqlParameter{QStringLiteral("UnCMat"), f.item};
    if (f.store)
        q.parameters << SqlParameter{QStringLiteral("UnCSkl"), f.store};
    q.fields = QStringList{QStringLiteral("DATUM"), QStringLiteral("NAZEV"), QStringLiteral("STAVY"),
                           QStringLiteral("PRIJATO"), QStringLiteral("VYDANO")};
    q.convert = [](const QSqlQuery &r, QVariantList &row) {
        row = {formatDate(r.value(0).toDate()), text(r.value(1)),
               conditionLetter(r.value(2).toInt()) + QStringLiteral(" - ") + conditionLetter(r.value(5).toInt()),
               r.value(3).toDouble(), r.value(4).toDouble()};
        return true;
    };
    return q;
}

Query slipsByDay(Kind kind, const Filter &f)
{
    Query q;
    q.sql = QStringLiteral("select sph.datum, spp.popis, spp.vyrobce, spp.mnoz, spp.cena, spp.nakcen from skladprevodp spp, "
                           "skladprevodh sph")
            + slipConditions(kind, f, q.parameters) + QStringLiteral(" order by sph.datum, spp.uncis");
    q.fields = QStringList{QStringLiteral("DATUM"), QStringLiteral("POPIS"), QStringLiteral("MNOZ"),
                           QStringLiteral("NAKCEN"), QStringLiteral("CELKEM")};
    q.convert = [](const QSqlQuery &r, QVariantList &row) {
        const double mnoz = r.value(3).toDouble(), nakcen = r.value(5).toDouble();
        row = {formatDate(r.value(0).toDate()), description(text(r.value(2)), text(r.value(1))), mnoz, nakcen, mnoz * nakcen};
        return true;
    };
    return q;
}

Query slipsSummed(Kind kind, const Filter &f)
{
    Query q;
    q.sql = QStringLiteral("select max(spp.popis) as popis, max(spp.vyrobce) as vyrobce, sum(spp.mnoz) as Mnoz ,  "
                           "sum(spp.cena*spp.mnoz) as cena, sum(spp.nakcen * spp.mnoz) as nakcen from skladprevodp spp, "
                           "skladprevodh sph")
            + slipConditions(kind, f, q.parameters) + QStringLiteral(" GROUP BY SPP.UNCMAT ORDER BY MAX(SPP.POPIS)");
    q.fields = QStringList{QStringLiteral("POPIS"), QStringLiteral("MNOZ"), QStringLiteral("NAKCEN")};
    q.convert = [](const QSqlQuery &r, QVariantList &row) {
        row = {description(text(r.value(1)), text(r.value(0))), r.value(2).toDouble(), r.value(4).toDouble()};
        return true;
    };
    return q;
}

Query queryOf(Kind kind, const Filter &f)
{
    switch (kind) {
    case StoreMovement: return storeMovement(f);
    case ItemMovement: return itemMovement(f);
    case PurchaseByDay:
    case SaleByDay: return slipsByDay(kind, f);
    default: return slipsSummed(kind, f);
    }
}

std::unique_ptr<TfSklSesT> formOf(Kind kind)
{
    switch (kind) {
    case StoreMovement: return std::make_unique<TfSklSesTPoh>();
    case ItemMovement: return std::make_unique<TfSklSesTPohMat>();
    case PurchaseByDay:
    case SaleByDay: return std::make_unique<TfSklSesTNakPro>();
    default: return std::make_unique<TfSklSesTNakProSum>();
    }
}

} // namespace

QString title(Kind kind)
{
    switch (kind) {
    case StoreMovement: return QStringLiteral("Sestava pohybu skladu");
    case ItemMovement: return QStringLiteral("Sestava pohybu materiálu");
    case PurchaseByDay:
    case PurchaseSum: return QStringLiteral("Nákup za období");
    default: return QStringLiteral("Prodej za období");
    }
}

QString conditionLetter(int condition)
{
    switch (condition) {
    case 1: return QStringLiteral("N");
    case 2: return QStringLiteral("O");
    case 3: return QStringLiteral("D");
    case 4: return QStringLiteral("V");
    default: return QString::number(condition);
    }
}

QString description(const QString &vyrobce, const QString &popis)
{
    return vyrobce.trimmed().isEmpty() ? popis : vyrobce.trimmed() + QStringLiteral(" - ") + popis;
}

QVector<LookupItem> materialChoices(TDMPro *dm, int section)
{
    return readLookup(dm, QStringLiteral("select UNCIS, POPIS from Cenik ")
                              + (section > 0 ? QStringLiteral(" WHERE csekce=") + QString::number(section) : QString())
                              + QStringLiteral(" order by popis"));
}

std::unique_ptr<RowsDataSource> rows(TDMPro *dm, Kind kind, const Filter &filter, bool *ok, QString *error)
{
    const Query q = queryOf(kind, filter);
    QSqlQuery r = runSql(dm, q.sql, q.parameters, error);
    if (ok)
        *ok = r.isActive();
    QVector<QVariantList> out;
    while (r.next()) {
        QVariantList row;
        if (q.convert(r, row))
            out.append(row);
    }
    return std::make_unique<RowsDataSource>(q.fields, out);
}

QString periodText(TDMPro *dm, const Filter &filter)
{
    QString t = QStringLiteral("Období: ") + formatDate(filter.from) + QStringLiteral(" - ") + formatDate(filter.to);
    if (filter.store)
        t += QStringLiteral(", sklad: ")
             + text(scalarSql(dm, QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = :U"), {{QStringLiteral("U"), filter.store}}));
    return t;
}

int render(TDMPro *dm, Kind kind, const Filter &filter, const ListPrintOptions &options, Document &out, QString *error)
{
    bool ok = true;
    std::unique_ptr<RowsDataSource> source = rows(dm, kind, filter, &ok, error);
    if (!ok)
        return -1;
    std::unique_ptr<TfSklSesT> form = formOf(kind);
    form->setup.jobName = title(kind);
    if (!form->prepare(source.get(), options)) {
        if (error)
            *error = QStringLiteral("Tisk detailu");
        return -2;
    }
    out = form->render();
    return 0;
}

} // namespace StockReports

bool TfSklSesT::prepare(DataSource *source, const ListPrintOptions &options)
{
    QList<Templates::PrintColumn> columns;
    int left = 0;
    for (const Column &c : m_columns) {
        Templates::PrintColumn p;
        p.number = int(columns.size()) + 1;
        p.left = left + 2;
        p.width = c.width - 3;
        p.caption = QString::fromUtf8(c.caption);
        p.fieldName = QLatin1String(c.field);
        p.captionAlignment = p.valueAlignment = c.number ? Templates::AlignRight : Templates::AlignLeft;
        p.captionFont.bold = true;
        p.sum = c.sum;
        columns << p;
        left += c.width;
    }
    if (!Initialise(columns, source, options.title1, options.title2))
        return false;
    for (int i = 0; i < columns.size(); ++i) {
        AddColumn(columns.at(i));
        if (auto *value = static_cast<DataLabel *>(band(QStringLiteral("pDet"))->element(QStringLiteral("col%1").arg(i + 1))))
            value->mask = QLatin1String(m_columns.at(i).mask);
    }
    setOptions(options);
    return true;
}

TfSklSesTPoh::TfSklSesTPoh()
    : TfSklSesT({{"STAV", "St.", 30, false, "", false},
                 {"POPIS", "Materiál", 300, false, "", false},
                 {"POCATEK", "Počátek", 90, true, QuantityMask, false},
                 {"PRIJATO", "Přijato", 90, true, QuantityMask, false},
                 {"VYDANO", "Vydáno", 90, true, QuantityMask, false},
                 {"ZUSTATEK", "Zůstatek", 90, true, QuantityMask, false}})
{
}

TfSklSesTPohMat::TfSklSesTPohMat()
    : TfSklSesT({{"DATUM", "Datum", 80, false, "", false},
                 {"NAZEV", "Protistrana", 280, false, "", false},
                 {"STAVY", "Stav", 70, false, "", false},
                 {"PRIJATO", "Přijato", 90, true, QuantityMask, false},
                 {"VYDANO", "Vydáno", 90, true, QuantityMask, false}})
{
}

TfSklSesTNakPro::TfSklSesTNakPro()
    : TfSklSesT({{"DATUM", "Datum", 80, false, "", false},
                 {"POPIS", "Materiál", 270, false, "", false},
                 {"MNOZ", "Množství", 80, true, QuantityMask, false},
                 {"NAKCEN", "Cena/Jed.", 80, true, PriceMask, false},
                 {"CELKEM", "Celkem", 100, true, PriceMask, true}})
{
}

TfSklSesTNakProSum::TfSklSesTNakProSum()
    : TfSklSesT({{"POPIS", "Materiál", 350, false, "", false},
                 {"MNOZ", "Množství", 100, true, QuantityMask, false},
                 {"NAKCEN", "Celkem", 120, true, PriceMask, true}})
{
}
