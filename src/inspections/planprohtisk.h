#pragma once
// The plan report ("Sestava plánu") without windows: the listed rows gathered into one
// line per customer and site with the last regular inspection of each kind, rendered
// through TfPlanProhT.
#include <QVariantList>
#include <QVector>

#include "inspections/planprohc.h"
#include "reports/printengine.h"

namespace PlanReport {

// The lines in the fields of TfPlanProhT::fields(): consecutive rows of one customer
// and site make one line. False with the reason when a lookup failed.
bool lines(TDMPro *dm, const QVector<PlanRow> &rows, QVector<QVariantList> *out, QString *error);
// The period as the title shows it ("Období: 03/2025 - 12/2025"); empty without bounds.
QString periodText(const PlanPeriod::Bounds &bounds);
// Reads the controller's rows in the report's order and renders them. 0, or -1 with
// the reason in *error.
int render(TfPlanProhC &controller, Print::Document *out, QString *error);

} // namespace PlanReport
