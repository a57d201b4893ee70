#include "reports/konsest.h"

#include <QSqlQuery>

#include "core/datamodulpro.h"

using namespace Print;

namespace InspectionStatistics {

namespace {

enum Equipment { Extinguishers, Hydrants, Dampers, Workshop };
enum Grouping { ByManufacturer, ByTechnicians, ByOwner };

Equipment equipmentOf(Kind kind)
{
    switch (kind) {
    case Kind::HpVyrobce: case Kind::HpTechnik: case Kind::HpMajitel: return Extinguishers;
    case Kind::PvVyrobce: case Kind::PvTechnik: case Kind::PvMajitel: return Hydrants;
    case Kind::PkTechnik: case Kind::PkMajitel: return Dampers;
    case Kind::Dilna: break;
    }
    return Workshop;
}

Grouping groupingOf(Kind kind)
{
    switch (kind) {
    case Kind::HpTechnik: case Kind::PvTechnik: case Kind::PkTechnik: return ByTechnicians;
    case Kind::HpMajitel: case Kind::PvMajitel: case Kind::PkMajitel: return ByOwner;
    default: return ByManufacturer;
    }
}

// What differs between the three inspection tables.
struct ItemSql
{
    const char *items;
    const char *header;
    const char *columns;     // the type's key and names, and the state as STAV
    const char *state;
    const char *typeKey;     // empty: one line per group
    const char *typeOrder;
};

ItemSql itemSql(Equipment equipment)
{
    switch (equipment) {
    case Hydrants:
        return {"vod_tab", "vod_hlav",
                "pr.unccen as UNCCEN, max(pr.typ) as TYP, max(pr.druh) as DRUH, max(pr.vyrobce) as VYROBCE, "
                "pr.vyhov as STAV",
                "pr.vyhov", "pr.unccen", "max(pr.druh)"};
    case Dampers:
        return {"pk_tab", "pk_hlav", "0 as UNCCEN, pr.funkcn as STAV", "pr.funkcn", "", ""};
    default:
        return {"pr_tab", "pr_hlav",
                "pr.unccen as UNCCEN, max(pr.hp) as POPIS, max(pr.vyrobce) as VYROBCE, pr.status as STAV",
                "pr.status", "pr.unccen", "max(pr.hp)"};
    }
}

QString joined(const QStringList &parts)
{
    QStringList kept;
    for (const QString &p : parts)
        if (!p.isEmpty())
            kept << p;
    return kept.join(QStringLiteral(", "));
}

// An inspection is counted for its technicians even without a second one (or any):
// the names are joined to the header, never required by it.
QString inspectionStatement(Kind kind, const Filter &filter, SqlParameters *parameters)
{
    const Equipment equipment = equipmentOf(kind);
    const ItemSql it = itemSql(equipment);
    const QString typeKey = QLatin1String(it.typeKey), typeOrder = QLatin1String(it.typeOrder),
                  state = QLatin1String(it.state);
    QString keys, joins, groupBy, orderBy;
    switch (groupingOf(kind)) {
    case ByManufacturer:
        keys = QStringLiteral("pr.vyrobce as KLICSKU1, 'A' as KLICSKU2, pr.vyrobce as SKUPINA1, "
                              "CAST(NULL AS VARCHAR(100)) as SKUPINA2");
        groupBy = joined({QStringLiteral("pr.vyrobce"), typeKey, state});
        orderBy = joined({QStringLiteral("pr.vyrobce"), typeOrder, typeKey});
        break;
    case ByTechnicians:
        keys = QStringLiteral("hl.unctech as KLICSKU1, hl.unctech2 as KLICSKU2, max(ad1.nazev) as SKUPINA1, "
                              "max(ad2.nazev) as SKUPINA2");
        joins = QStringLiteral(" LEFT JOIN adresar ad1 ON ad1.uncis = hl.unctech "
                               " LEFT JOIN adresar ad2 ON ad2.uncis = hl.unctech2 ");
        groupBy = joined({QStringLiteral("hl.unctech, hl.unctech2"), typeKey, state});
        orderBy = joined({QStringLiteral("max(ad1.nazev), max(ad2.nazev), hl.unctech, hl.unctech2"), typeOrder, typeKey});
        break;
    case ByOwner:
        keys = QStringLiteral("hl.uncfir as KLICSKU1, 'A' as KLICSKU2, max(ad1.nazev) as SKUPINA1, "
                              "CAST(NULL AS VARCHAR(100)) as SKUPINA2");
        joins = QStringLiteral(" LEFT JOIN adresar ad1 ON ad1.uncis = hl.uncfir ");
        groupBy = joined({QStringLiteral("hl.uncfir"), typeKey, state});
        orderBy = joined({QStringLiteral("max(ad1.nazev), hl.uncfir"), typeOrder, typeKey});
        break;
    }
    QString sql = QStringLiteral("SELECT count(pr.uncis) as POC, %1, %2 FROM %3 pr JOIN %4 hl ON pr.unch = hl.uncis %5"
                                 " WHERE hl.Datum >= :DatOD AND hl.Datum <= :DatDo ")
                      .arg(QLatin1String(it.columns), keys, QLatin1String(it.items), QLatin1String(it.header), joins);
    parameters->append({QStringLiteral("DatOD"), filter.from});
    parameters->append({QStringLiteral("DatDo"), filter.to});
    if (filter.firm != 0) {
        sql += QStringLiteral(" AND hl.UnCFir = :UnCFir ");
        parameters->append({QStringLiteral("UnCFir"), filter.firm});
    }
    if (filter.technician != 0) {
        sql += QStringLiteral(" AND (hl.UnCTech = :UnCTech OR hl.UnCTech2 = :UnCTech2)");
        parameters->append({QStringLiteral("UnCTech"), filter.technician});
        parameters->append({QStringLiteral("UnCTech2"), filter.technician});
    }
    if (equipment != Dampers && !filter.manufacturer.isEmpty()) {
        sql += QStringLiteral(" AND pr.Vyrobce = :Vyrobce ");
        parameters->append({QStringLiteral("Vyrobce"), filter.manufacturer});
    }
    return sql + QStringLiteral(" GROUP BY ") + groupBy + QStringLiteral(" ORDER BY ") + orderBy;
}

// The four stages of the workshop, each counted by its own date and technician. A row
// checked without a recorded test result counts as maintenance, so every checked row
// appears in one of the two.
QString workshopStatement(const Filter &filter, SqlParameters *parameters)
{
    struct Stage { const char *letter; const char *date; const char *technician; const char *condition; };
    static const Stage stages[] = {
        {"P", "dil.datpril", "dil.uncpritech", ""},
        {"U", "dil.datum", "dil.unckomtech", " AND COALESCE(dil.perzk, '') <> 'Ano' "},
        {"Z", "dil.datum", "dil.unckomtech", " AND dil.perzk = 'Ano' "},
        {"E", "dil.datexp", "dil.uncexptech", ""},
    };
    QStringList parts;
    int n = 0;
    for (const Stage &s : stages) {
        const QString k = QString::number(++n);
        QString part = QStringLiteral("SELECT dil.unccen as UNCCEN, max(dil.hp) as POPIS, max(dil.vyrobce) as VYROBCE, "
                                      "CAST('%1' AS CHAR(1)) as STAV, count(dil.uncis) as POC, dil.vyrobce as KLICSKU1 "
                                      "FROM dilna dil WHERE %2 >= :DatOd%3 AND %2 <= :DatDo%3 %4")
                           .arg(QLatin1String(s.letter), QLatin1String(s.date), k, QLatin1String(s.condition));
        parameters->append({QStringLiteral("DatOd") + k, filter.from});
        parameters->append({QStringLiteral("DatDo") + k, filter.to});
        if (!filter.manufacturer.isEmpty()) {
            part += QStringLiteral(" AND dil.Vyrobce = :Vyrobce%1 ").arg(k);
            parameters->append({QStringLiteral("Vyrobce") + k, filter.manufacturer});
        }
        if (filter.technician != 0) {
            part += QStringLiteral(" AND %1 = :UnCTech%2 ").arg(QLatin1String(s.technician), k);
            parameters->append({QStringLiteral("UnCTech") + k, filter.technician});
        }
        parts << part + QStringLiteral(" GROUP BY dil.vyrobce, dil.unccen");
    }
    // by manufacturer, then by type, so the stages of one type follow each other
    return parts.join(QStringLiteral(" UNION ALL ")) + QStringLiteral(" ORDER BY 6, 2, 1");
}

// The columns a row's count goes to (1-based), by the state it was counted in.
QVector<int> columnsOf(Equipment equipment, const QString &state)
{
    switch (equipment) {
    case Extinguishers:
        switch (state.toInt()) {
        case 1: return {1};
        case 2: case 4: return {1, 2};
        case 3: case 5: return {1, 3};
        case 6: case 8: return {4};
        case 7: case 9: return {5};
        default: return {};   // 0 not yet judged, 10 and 14 neither inspected nor repaired
        }
    case Hydrants:
        return {1, state.compare(QLatin1String("A"), Qt::CaseInsensitive) == 0
                           || state.compare(QLatin1String("Ano"), Qt::CaseInsensitive) == 0
                       ? 2 : 3};
    case Dampers: {
        const int code = state.toInt();
        return code >= 1 && code <= 5 ? QVector<int>{1, 1 + code} : QVector<int>{1};
    }
    case Workshop:
        return {int(QStringLiteral("PUZE").indexOf(state)) + 1};
    }
    return {};
}

QString lineText(Equipment equipment, const QSqlQuery &q)
{
    auto text = [&q](const char *field) { return q.value(QLatin1String(field)).toString().trimmed(); };
    switch (equipment) {
    case Hydrants:
        return text("TYP") + QStringLiteral(", ") + text("DRUH") + QStringLiteral(" - ") + text("VYROBCE");
    case Dampers:
        return QStringLiteral("Požádní klapky");
    default:
        return text("POPIS") + QStringLiteral(" - ") + text("VYROBCE");
    }
}

} // namespace

QString title(Kind kind)
{
    switch (kind) {
    case Kind::HpVyrobce: return QStringLiteral("Kontroly HP po výrobcích");
    case Kind::HpTechnik: return QStringLiteral("Kontroly HP po technicích");
    case Kind::HpMajitel: return QStringLiteral("Kontroly HP po majitelích");
    case Kind::PvVyrobce: return QStringLiteral("Kontroly PV po výrobcích");
    case Kind::PvTechnik: return QStringLiteral("Kontroly PV po technicích");
    case Kind::PvMajitel: return QStringLiteral("Kontroly PV po majitelích");
    case Kind::PkTechnik: return QStringLiteral("Kontroly PK po technicích");
    case Kind::PkMajitel: return QStringLiteral("Kontroly PK po majitelích");
    case Kind::Dilna: break;
    }
    return QStringLiteral("Kontroly dílny po výrobcích");
}

QString statement(Kind kind, const Filter &filter, SqlParameters *parameters)
{
    return kind == Kind::Dilna ? workshopStatement(filter, parameters) : inspectionStatement(kind, filter, parameters);
}

QStringList lineFields()
{
    return {QStringLiteral("GRUPA"), QStringLiteral("SKUPINA"), QStringLiteral("POPIS"), QStringLiteral("C1"),
            QStringLiteral("C2"), QStringLiteral("C3"), QStringLiteral("C4"), QStringLiteral("C5"), QStringLiteral("C6")};
}

bool lines(const TDMPro *dm, Kind kind, const Filter &filter, QVector<QVariantList> *out, QString *error)
{
    SqlParameters parameters;
    const QString sql = statement(kind, filter, &parameters);
    QSqlQuery q = runSql(dm, sql, parameters, error);
    if (!q.isActive())
        return false;
    const Equipment equipment = equipmentOf(kind);
    const bool pairs = groupingOf(kind) == ByTechnicians && equipment != Workshop;
    out->clear();
    QString lastKey;
    while (q.next()) {
        const QString group = q.value(QStringLiteral("KLICSKU1")).toString()
                              + (pairs ? QLatin1Char('|') + q.value(QStringLiteral("KLICSKU2")).toString() : QString());
        const QString key = group + QLatin1Char('/') + q.value(QStringLiteral("UNCCEN")).toString();
        if (out->isEmpty() || key != lastKey) {
            QString name = q.value(QStringLiteral("KLICSKU1")).toString().trimmed();
            if (equipment != Workshop) {
                QStringList names;
                for (const char *f : {"SKUPINA1", "SKUPINA2"})
                    if (const QString n = q.value(QLatin1String(f)).toString().trimmed(); !n.isEmpty())
                        names << n;
                name = names.join(QStringLiteral(", "));
            }
            QVariantList line{group, name, lineText(equipment, q)};
            for (int c = 0; c < 6; ++c)
                line << QVariant(qint64(0));
            out->append(line);
            lastKey = key;
        }
        QVariantList &line = out->last();
        const qint64 count = q.value(QStringLiteral("POC")).toLongLong();
        for (int column : columnsOf(equipment, q.value(QStringLiteral("STAV")).toString().trimmed()))
            if (column >= 1 && column <= 6)
                line[2 + column] = line[2 + column].toLongLong() + count;
    }
    return true;
}

namespace {

const QString CountMask = QStringLiteral("## ##0");

SummaryColumn countColumn(const char *caption, int k)
{
    return {QString::fromUtf8(caption), QStringLiteral("C%1").arg(k), 62, true, CountMask, CountMask};
}

SummaryColumn textColumn(const char *caption, int width)
{
    return {QString::fromUtf8(caption), QStringLiteral("POPIS"), width, false, QString(), QString()};
}

} // namespace

std::unique_ptr<SummaryReport> form(Kind kind)
{
    switch (equipmentOf(kind)) {
    case Hydrants: return std::make_unique<TfKonSesTPV>(title(kind));
    case Dampers: return std::make_unique<TfKonSesTPK>(title(kind));
    case Workshop: return std::make_unique<TfKonSesTDil>(title(kind));
    default: return std::make_unique<TfKonSesTHP>(title(kind));
    }
}

bool render(const TDMPro *dm, Kind kind, const Filter &filter, const ListPrintOptions &options, Document *out,
            QString *error)
{
    QVector<QVariantList> rows;
    if (!lines(dm, kind, filter, &rows, error))
        return false;
    RowsDataSource source(lineFields(), rows);
    std::unique_ptr<SummaryReport> report = form(kind);
    report->setData(&source, options);
    *out = report->render();
    return true;
}

} // namespace InspectionStatistics

using InspectionStatistics::countColumn;
using InspectionStatistics::textColumn;

TfKonSesTHP::TfKonSesTHP(const QString &reportName)
    : SummaryReport(reportName,
                    {textColumn("Druh - výrobce", 330), countColumn("Kontrola", 1), countColumn("Do opravy", 2),
                     countColumn("Vyřazeno", 3), countColumn("Po opravě", 4), countColumn("Nové", 5)},
                    QStringLiteral("GRUPA"), QStringLiteral("SKUPINA"))
{
}

TfKonSesTPV::TfKonSesTPV(const QString &reportName)
    : SummaryReport(reportName,
                    {textColumn("Typ, druh - výrobce", 454), countColumn("Počet", 1), countColumn("Vyhovuje", 2),
                     countColumn("Nevyh.", 3)},
                    QStringLiteral("GRUPA"), QStringLiteral("SKUPINA"))
{
}

TfKonSesTPK::TfKonSesTPK(const QString &reportName)
    : SummaryReport(reportName,
                    {textColumn("Druh", 268), countColumn("Kontrola", 1), countColumn("Bezadný", 2),
                     countColumn("Vyhovuje", 3), countColumn("Nevyhov.", 4), countColumn("Nokotrol.", 5),
                     countColumn("Nelze kon.", 6)},
                    QStringLiteral("GRUPA"), QStringLiteral("SKUPINA"))
{
}

TfKonSesTDil::TfKonSesTDil(const QString &reportName)
    : SummaryReport(reportName,
                    {textColumn("Druh - výrobce", 392), countColumn("Příjem", 1), countColumn("Údržba", 2),
                     countColumn("Zkouška", 3), countColumn("Expedice", 4)},
                    QStringLiteral("GRUPA"), QStringLiteral("SKUPINA"))
{
}
