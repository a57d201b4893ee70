#include "reports/deliverystatistics.h"

#include <QSqlQuery>

#include "core/datamodulpro.h"

namespace DeliveryStatistics {

// Every column outside the grouping is read through an aggregate, and the order uses
// the same aggregates, so each item prints once per group in the order of its name.
QString statement(Layout layout, const Filter &filter, SqlParameters *parameters)
{
    QString sql = QStringLiteral("SELECT max(DOP.Popis) as POPIS, sum(DOP.mnoz) as MNOZSTVI,  "
                                 "sum(DOP.mnoz * DOP.cena) as CENA ");
    QString groupBy, orderBy;
    switch (layout) {
    case Layout::Abecedne:
        sql += QStringLiteral(" FROM DodakH DOH JOIN Dodak DOP ON DOP.UnCH = DOH.UnCis WHERE ");
        groupBy = QStringLiteral("DOP.UNCCEN");
        orderBy = QStringLiteral("max(DOP.POPIS), DOP.UNCCEN");
        break;
    case Layout::PoOdberatelich:
        sql += QStringLiteral(" ,MAX(ADR.Nazev) as NAZEV, DOH.UnCFir as UNCFIR FROM DodakH DOH "
                              "JOIN Dodak DOP ON DOP.UnCH = DOH.UnCis "
                              "LEFT OUTER JOIN ADRESAR ADR ON (ADR.UnCis = DOH.UNCFIR) WHERE ");
        groupBy = QStringLiteral("DOH.UNCFIR, DOP.UNCCEN");
        orderBy = QStringLiteral("max(ADR.Nazev), DOH.UNCFIR, max(DOP.POPIS), DOP.UNCCEN");
        break;
    case Layout::PoSekcich:
        sql += QStringLiteral(" ,MAX(SEK.POPIS) as NAZSEKCE, DOP.CSEKCE as CSEKCE FROM DodakH DOH "
                              "JOIN Dodak DOP ON DOP.UnCH = DOH.UnCis "
                              "JOIN NAZSEKCE SEK ON SEK.CSEKCE = DOP.CSEKCE WHERE ");
        groupBy = QStringLiteral("DOP.CSEKCE, DOP.UNCCEN");
        orderBy = QStringLiteral("DOP.CSEKCE, max(DOP.POPIS), DOP.UNCCEN");
        break;
    }
    sql += QStringLiteral(" DOH.Datvyst >= :DatOd1 and DOH.datvyst <= :DatDo1 ");
    parameters->append({QStringLiteral("DatOd1"), filter.from});
    parameters->append({QStringLiteral("DatDo1"), filter.to});
    if (filter.firm != 0) {
        sql += QStringLiteral(" AND DOH.UnCFir = :UnCFir ");
        parameters->append({QStringLiteral("UnCFir"), filter.firm});
    }
    if (filter.item != 0) {
        sql += QStringLiteral(" AND DOP.UnCCen = :UnCCen ");
        parameters->append({QStringLiteral("UnCCen"), filter.item});
    } else if (filter.section != 0) {
        sql += QStringLiteral(" AND DOP.CSEKCE = :CSekce ");
        parameters->append({QStringLiteral("CSekce"), filter.section});
    }
    return sql + QStringLiteral(" GROUP BY ") + groupBy + QStringLiteral(" ORDER BY ") + orderBy;
}

bool render(const TDMPro *dm, Layout layout, const Filter &filter, const ListPrintOptions &options,
            Print::Document *out, QString *error)
{
    SqlParameters parameters;
    const QString sql = statement(layout, filter, &parameters);
    QSqlQuery q = runSql(dm, sql, parameters, error);
    if (!q.isActive())
        return false;
    Print::SqlDataSource source(q);
    TfDodSesTPol report(layout);
    report.setData(&source, options);
    *out = report.render();
    return true;
}

} // namespace DeliveryStatistics

namespace {

QString groupField(DeliveryStatistics::Layout layout, bool text)
{
    switch (layout) {
    case DeliveryStatistics::Layout::PoOdberatelich:
        return text ? QStringLiteral("NAZEV") : QStringLiteral("UNCFIR");
    case DeliveryStatistics::Layout::PoSekcich:
        return text ? QStringLiteral("NAZSEKCE") : QStringLiteral("CSEKCE");
    default:
        return QString();
    }
}

} // namespace

TfDodSesTPol::TfDodSesTPol(DeliveryStatistics::Layout layout)
    : SummaryReport(DeliveryStatistics::Title,
                    {{QStringLiteral("Položka"), QStringLiteral("POPIS"), 400, false, QString(), QString()},
                     {QStringLiteral("Množství"), QStringLiteral("MNOZSTVI"), 110, true, QStringLiteral("## ##0.00"), QString()},
                     {QStringLiteral("Cena"), QStringLiteral("CENA"), 130, true, QStringLiteral("## ##0.00"),
                      QStringLiteral("## ### ##0.00")}},
                    groupField(layout, false), groupField(layout, true))
{
}
