#pragma once
// TfPlanProhT, the page form of the inspection plan ("Sestava plánu"): one line per
// customer and site with the customer's and the site's blocks and, for each kind of
// equipment (extinguishers, hydrants, dampers), the count and technician of the last
// regular inspection, the periods (customer / site) and its date. Landscape A4, "Strana: "
// with the page number in the page head.
#include "reports/printengine.h"

class TfPlanProhT : public Print::Report
{
public:
    // The fields of a line: ADRESA and STREDISKO (lines of text), and per kind prefix
    // H, V, K the fields <k>POC, <k>TECH, <k>PER and <k>DATUM (texts; empty when the
    // site has no such inspection in the plan).
    static QStringList fields();
    static const char *const Kinds;   // "HVK", the order of the column groups

    // The lines come from data; the title's second line names the period.
    explicit TfPlanProhT(const QString &periodText = QString());
};
