#include "inspections/planprohtisk.h"

#include <QSqlQuery>

#include "core/sqlrun.h"
#include "customers/adrtexty.h"
#include "reports/planproht.h"

namespace PlanReport {

namespace {

struct KindSource
{
    QChar typ;
    const char *sql;
};

const KindSource Sources[] = {
    {QLatin1Char('H'), "SELECT PRO.PocHP as Poc, Adr.Nazev  FROM PR_HLAV PRO, ADRESAR ADR  WHERE PRO.UnCTech = "
                       "ADR.UnCis AND  PRO.UNCFIR = :UNCFIR AND PRO.UNCSTR = :UNCSTR AND  PRO.Pravid = 'A' and "
                       "PrO.Datum = :Datum"},
    {QLatin1Char('V'), "SELECT PRO.PocPV as Poc, Adr.Nazev  FROM VOD_HLAV PRO, ADRESAR ADR  WHERE PRO.UnCTech = "
                       "ADR.UnCis AND  PRO.UNCFIR = :UNCFIR AND PRO.UNCSTR = :UNCSTR AND  PRO.Pravid = 'A' and "
                       "PrO.Datum = :Datum"},
    {QLatin1Char('K'), "SELECT PRO.PocPK as Poc, Adr.Nazev  FROM PK_HLAV PRO, ADRESAR ADR  WHERE PRO.UnCTech = "
                       "ADR.UnCis AND  PRO.UNCFIR = :UNCFIR AND PRO.UNCSTR = :UNCSTR AND  PRO.Pravid = 'A' and "
                       "PrO.Datum = :Datum"},
};

QString blockText(const AdresniBlok &blok)
{
    QStringList shown;
    for (const QString &l : blok.radky + blok.kontakty)
        if (!l.trimmed().isEmpty())
            shown << l.trimmed();
    return shown.join(QLatin1Char('\n'));
}

QString monthText(int month)
{
    return PlanPeriod::firstDayOfMonth(month).toString(QStringLiteral("MM/yyyy"));
}

} // namespace

QString periodText(const PlanPeriod::Bounds &bounds)
{
    if (bounds.from <= 0 && bounds.to <= 0)
        return QString();
    return QStringLiteral("Období: ") + (bounds.from > 0 ? monthText(bounds.from) : QString()) + QStringLiteral(" - ")
           + (bounds.to > 0 ? monthText(bounds.to) : QString());
}

bool lines(TDMPro *dm, const QVector<PlanRow> &rows, QVector<QVariantList> *out, QString *error)
{
    out->clear();
    const QStringList fields = TfPlanProhT::fields();
    QVector<QSqlQuery> lookups;
    for (const KindSource &s : Sources) {
        QSqlQuery q = dm->NewQuery();
        q.setForwardOnly(true);
        if (!prepareSql(q, QLatin1String(s.sql), error))
            return false;
        lookups << q;
    }
    TAdresniTexty texts(dm);
    QVariantList line;
    int fir = -1, str = -1;
    for (const PlanRow &row : rows) {
        if (line.isEmpty() || row.uncFir != fir || row.uncStr != str) {
            if (!line.isEmpty())
                out->append(line);
            fir = row.uncFir;
            str = row.uncStr;
            line = QVariantList(fields.size(), QString());
            AdresniBlok customer, site;
            if (texts.VyplnAdresuPlan(fir, customer) < 0 || texts.VyplnStrediskoPlan(str, site) < 0) {
                if (error)
                    *error = QStringLiteral("Čtení adresy");
                return false;
            }
            line[0] = blockText(customer);
            line[1] = blockText(site);
        }
        const int kind = QString::fromLatin1(TfPlanProhT::Kinds).indexOf(row.typ);
        if (kind < 0)
            continue;
        QSqlQuery &q = lookups[kind];
        if (!execSql(q, {{QStringLiteral("UNCFIR"), row.uncFir}, {QStringLiteral("UNCSTR"), row.uncStr},
                         {QStringLiteral("Datum"), row.datum}},
                     error))
            return false;
        const int at = 2 + kind * 4;
        if (q.next()) {
            line[at] = q.value(0).toString();
            line[at + 1] = q.value(1).toString().trimmed();
        }
        q.finish();
        line[at + 2] = QString::number(row.perFir) + QLatin1Char('/') + QString::number(row.perStr);
        line[at + 3] = row.datum.toString(QStringLiteral("dd.MM.yyyy"));
    }
    if (!line.isEmpty())
        out->append(line);
    return true;
}

int render(TfPlanProhC &controller, Print::Document *out, QString *error)
{
    QVector<PlanRow> rows;
    if (!controller.readRows(&rows)) {
        if (error)
            *error = controller.lastError();
        return -1;
    }
    QVector<QVariantList> data;
    if (!lines(controller.dm(), rows, &data, error))
        return -1;
    Print::RowsDataSource source(TfPlanProhT::fields(), data);
    TfPlanProhT report(periodText(controller.period()));
    report.data = &source;
    *out = report.render();
    return 0;
}

} // namespace PlanReport
