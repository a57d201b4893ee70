#pragma once
// The delivery-note material report ("Sumář dodacích listů po položkách") without
// windows: what the delivery notes of a period delivered, item by item, optionally for
// one customer, one section or one item, in one of three layouts, printed through the
// statistics form (TfDodSesTPol) with group and report sums of the value.
#include <QDate>
#include <QString>

#include "core/sqlrun.h"
#include "reports/summaryreport.h"

class TDMPro;

namespace DeliveryStatistics {

enum class Layout {
    Abecedne,          // "Abecení řazení"
    PoOdberatelich,    // "Po odběratelích": a group per customer
    PoSekcich,         // "Po sekcích": a group per section that NAZSEKCE names
};

struct Filter
{
    QDate from;
    QDate to;
    int firm = 0;       // UNCFIR; 0 = every customer
    int section = 0;    // CSEKCE; 0 = every section
    int item = 0;       // UNCCEN; 0 = every item (an item makes the section unnecessary)
};

inline const QString Title = QStringLiteral("Sumář dodacích listů po položkách");

// The statement of a layout with its values bound: POPIS, MNOZSTVI, CENA, and per
// layout NAZEV and UNCFIR, or NAZSEKCE and CSEKCE.
QString statement(Layout layout, const Filter &filter, SqlParameters *parameters);

// Runs the statement and renders it. False with the reason in *error.
bool render(const TDMPro *dm, Layout layout, const Filter &filter, const ListPrintOptions &options,
            Print::Document *out, QString *error);

} // namespace DeliveryStatistics

class TfDodSesTPol : public SummaryReport
{
public:
    explicit TfDodSesTPol(DeliveryStatistics::Layout layout);
};
