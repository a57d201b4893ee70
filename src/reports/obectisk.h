#pragma once
// The general list print: any list's rows in the columns of a report design (or of the
// grid itself, "Opis tabulky"), with two titles, an optional rich-text header and
// footer, column sums, one group level and "Strana: n" on every page. TtObecTisk is the
// portrait page form, TtObecTiskLez the landscape one.
#include "core/sqlrun.h"
#include "reports/printengine.h"
#include "templates/templatemodel.h"
#include "templates/templatesql.h"

#include <QSqlQuery>

class TDMPro;
class TfClass;
struct ListColumn;

// What the dialog "Záhlaví a zápatí tiskové sestavy" asks before a list print.
struct ListPrintOptions
{
    QString title1;
    QString title2;
    QString header;              // rich text over the rows, first page
    QString footer;              // rich text under the rows, last page
    bool lineUnderRow = true;    // "Odělovat řádky liknou"
    int rowHeight = 1;           // "Výška řádku", 1 to 5
};

// One list print: the columns, the select list that reads them and the grouping.
struct ListPrintJob
{
    QString selectList;
    QList<Templates::PrintColumn> columns;
    bool landscape = false;
    QString groupExpression;     // "ADR.NAZEV"; empty: no groups
    QString groupField;          // the field the expression is read as
    QString jobName;
    QString failureCaption = QStringLiteral("Tisk sestavy");   // "Tisk tabulky" for a table
    ListPrintOptions options;
};

class TtObecTisk : public Print::Report
{
public:
    explicit TtObecTisk(bool landscape = false);

    // Removes the previous columns, sets the titles and the data and computes the
    // scale of the designer positions to the detail band. false (after the warning
    // "Generování sestavy") when the columns have no width to scale.
    bool Initialise(const QList<Templates::PrintColumn> &columns, Print::DataSource *source,
                    const QString &title1, const QString &title2);
    // Lays out column k (1-based, in Initialise's list) in the head, detail, sum and
    // group-foot bands.
    void AddColumn(const Templates::PrintColumn &column);
    void setOptions(const ListPrintOptions &options);
    void setGroup(const QString &field);
    double scale() const { return m_scale; }

    static int detailHeight(int rowHeight) { return 17 * qBound(1, rowHeight, 5); }

private:
    void clearColumns();

    double m_scale = 0;
    Print::GridLines *m_headLines = nullptr;
    Print::GridLines *m_detailLines = nullptr;
    Print::Shape *m_rowLine = nullptr;
};

class TtObecTiskLez : public TtObecTisk
{
public:
    TtObecTiskLez() : TtObecTisk(true) {}
};

namespace ListPrint {

// A design column's font as the page (and the designer's box) shows it.
QFont designFont(const Templates::ColumnFont &font);

// The scale of designer positions to a band width: (width - 3) / the designer width of
// all columns; 0 when the columns have no width.
double scaleOf(const QList<Templates::PrintColumn> &columns, qreal bandWidth);
// Column k laid out in a column-head band (caption) and a detail band (value) at the
// scale, shifted right by offset: left = trunc(left x scale) + 4, width = trunc(width x
// scale) - 4. Returns the value label.
Print::DataLabel *addColumnLabels(Print::Band *head, Print::Band *detail, const Templates::PrintColumn &column,
                                  double scale, qreal offset = 0);

// The job of a stored design: its columns looked up among the items offered for the
// window, its orientation, titles and grouping item.
ListPrintJob fromDesign(const Templates::ReportDesign &design, const QList<Templates::DictionaryItem> &offered);
// The transient job of a grid ("Opis tabulky"): the grid's columns, captions, widths
// and alignments side by side, read by the grid's own select list.
ListPrintJob fromGrid(const QVector<ListColumn> &grid, const QString &selectList, const QString &title);
// The ORDER BY of a print: the group expression first, so each group prints once,
// then the list's own order.
QString printOrder(const QString &orderBy, const QString &groupExpression);
// The print statement of a list: the list's FROM, WHERE and ORDER with the job's
// select list, as a query of its own (the list keeps its own query and fields).
QString listStatement(const TfClass &controller, const ListPrintJob &job, SqlParameters *parameters);
// Runs the statement and renders the pages. 0, or negative after a warning
// ("Generování sestavy", or the job's failure caption).
int render(const TDMPro *dm, const QString &sql, const SqlParameters &parameters,
           const ListPrintJob &job, Print::Document &out);
int renderList(const TfClass &controller, const ListPrintJob &job, Print::Document &out);

} // namespace ListPrint
