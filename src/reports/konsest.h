#pragma once
// The inspection statistics ("Statistika kontrol") without windows: the work of a
// period counted per type of equipment, grouped by manufacturer, by the pair of
// technicians or by the owner, and printed through the statistics form with group and
// report totals. Extinguishers are counted by movement state, hydrants by result,
// dampers by their function finding, the workshop by stage.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <memory>

#include "core/sqlrun.h"
#include "reports/summaryreport.h"

class TDMPro;

namespace InspectionStatistics {

enum class Kind {
    HpVyrobce, HpTechnik, HpMajitel,
    PvVyrobce, PvTechnik, PvMajitel,
    PkTechnik, PkMajitel,
    Dilna,
};

struct Filter
{
    QDate from;
    QDate to;
    int firm = 0;             // UNCFIR; 0 = every owner (the workshop ignores it)
    int technician = 0;       // as either technician; 0 = anyone
    QString manufacturer;     // empty = every one (not for dampers)
};

// "Kontroly HP po výrobcích", ... and the workshop's "Dílna po výrobcích".
QString title(Kind kind);

// The statement of a report with its values; every value the user chose is bound.
QString statement(Kind kind, const Filter &filter, SqlParameters *parameters);

// The printed lines: GRUPA (the group's key), SKUPINA (its name), POPIS (the type)
// and the counts C1 to C6 in the report's columns.
QStringList lineFields();
// The rows of the statement gathered into one line per type within a group. False
// with the driver's text in *error when the statement failed.
bool lines(const TDMPro *dm, Kind kind, const Filter &filter, QVector<QVariantList> *out, QString *error);

// The page form of the kind (TfKonSesTHP, TfKonSesTPV, TfKonSesTPK, TfKonSesTDil).
std::unique_ptr<SummaryReport> form(Kind kind);

// Reads the lines and renders them. False with the reason in *error.
bool render(const TDMPro *dm, Kind kind, const Filter &filter, const ListPrintOptions &options,
            Print::Document *out, QString *error);

} // namespace InspectionStatistics

// The page forms of the four kinds of report.
class TfKonSesTHP : public SummaryReport
{
public:
    explicit TfKonSesTHP(const QString &reportName);
};

class TfKonSesTPV : public SummaryReport
{
public:
    explicit TfKonSesTPV(const QString &reportName);
};

class TfKonSesTPK : public SummaryReport
{
public:
    explicit TfKonSesTPK(const QString &reportName);
};

class TfKonSesTDil : public SummaryReport
{
public:
    explicit TfKonSesTDil(const QString &reportName);
};
