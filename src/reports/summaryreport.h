#pragma once
// The statistics printouts: rows of counts or amounts in columns through the general
// list print (TtObecTisk), one group level whose head names the group, the group's
// sums under "Celkem za skupinu" and the report's under "Celkem za sestavu". The name
// of the report stands under the page number on every page.
#include <QDate>

#include "reports/obectisk.h"

// One column of a statistics printout. Widths are in designer units; the columns are
// scaled together to the page.
struct SummaryColumn
{
    QString caption;
    QString field;
    int width = 60;
    bool number = true;       // right-aligned value
    QString mask;             // the value's mask ("## ##0"); empty: as a grid shows it
    QString sumMask;          // non-empty: the column is summed and printed through it
};

class SummaryReport : public TtObecTisk
{
public:
    // groupField: the value whose change starts a group (empty: no groups);
    // groupTextField: what the group head prints.
    SummaryReport(const QString &reportName, const QVector<SummaryColumn> &columns, const QString &groupField,
                  const QString &groupTextField, bool landscape = false);

    // Attaches the rows and the dialog's titles, header, footer and row settings.
    void setData(Print::DataSource *source, const ListPrintOptions &options);

private:
    QVector<SummaryColumn> m_columns;
    QString m_groupField;
    QString m_groupTextField;
};

namespace SummaryPrint {
// The period as the titles show it: "01.01.2025 - 31.12.2025".
QString periodText(const QDate &from, const QDate &to);
// One of the two date fields of a statistics window ("dd.mm.yyyy", the empty mask
// "  .  .    "): the date, or a null date when it is empty or no whole date.
QDate fieldDate(const QString &text);
} // namespace SummaryPrint
