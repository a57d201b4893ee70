#pragma once
// What the printed reports of every inspection kind share: the document design of the
// kind, the inspection's header with the performer, the site, the owner and the
// signature block, and the inspection's items in the design's columns. The kinds give
// their texts, their statements and their page form. No window: the windows only pick
// the design and show the pages.
#include <QSqlQuery>
#include <QString>
#include <functional>
#include <memory>

#include "reports/printengine.h"
#include "reports/vzordokt.h"
#include "templates/templatemodel.h"

class TDMPro;

namespace ProtocolPrint {

struct Kind
{
    QString designWindow;        // the window name the kind's designs are stored under
    QString title;
    QString performerCaption = QStringLiteral("Kontrolu vykonal:");
    QString siteCaption;
    QString ownerCaption;
    QString caption;             // of the warnings
    QString aliases;             // the dictionary tables the design's columns come from
    // One row by :UnCis with UNCFIR, UNCSTR, ZAHLAVI, ZAPATI, CISPRO, DATUM, UNCTECH and
    // UNCTECH2.
    QString headerSql;
    // After the design's columns: the fixed columns, the tables, the filter by :UNCH and
    // the order.
    QString itemsFrom;
    // The column of the inspection period in months on the site and the owner; empty
    // prints no next-inspection notice.
    QString periodColumn;
};

// What the kind adds from its header row to the document header (counts).
using HeaderFill = std::function<void(InspectionDocumentHeader &header, const QSqlQuery &row)>;
// The page form of the kind, made once the header row is read (the form may read it).
using FormMaker = std::function<std::unique_ptr<TtVzorDokT>(const QSqlQuery &row, const Templates::ReportDesign &design)>;

// Renders the document of the inspection with the design (0: the first design of the
// kind). 0, or negative after a warning.
int render(const Kind &kind, int inspectionKey, int designKey, Print::Document &out, TDMPro *dm,
           const FormMaker &makeForm, const HeaderFill &fill = {});

// The design setting "Tisknout u PV vyhodnocení každého PV" ("A" when ticked).
inline const QString EvaluationSetting = QStringLiteral("V");
// The window name of a design of the hydrant report and of the damper report.
inline QString hydrantDesignWindow() { return QStringLiteral("DokPV"); }
inline QString damperDesignWindow() { return QStringLiteral("DokPK"); }
// "Doklad o kontrole PV": the header findings with their texts and the user-defined
// checks, the hydrants, their evaluation when the design asks for it, and the count.
int renderHydrantReport(int inspectionKey, int designKey, Print::Document &out, TDMPro *dm);
// "Doklad o kontrole PK": the dampers by object, and the count.
int renderDamperReport(int inspectionKey, int designKey, Print::Document &out, TDMPro *dm);

} // namespace ProtocolPrint
