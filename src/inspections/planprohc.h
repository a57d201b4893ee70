#pragma once
// The inspection plan without windows: the period condition of the two plan lists,
// the controllers over the view PPPOSLPROH (live) and the table PLANPROH (built), the
// complete build, the rows of the plan report and the plan as an iCalendar file.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

#include "core/class.h"

namespace PlanPeriod {

// The month number the plan counts in: year x 12 + month.
int monthNumber(const QDate &date);
QDate firstDayOfMonth(int monthNumber);
// One period field ("dd.mm.yyyy" as typed, or the empty mask "  .  .    "): true with
// 0 when empty, true with the month number of a whole valid date, false otherwise (a
// half-typed or impossible date must not quietly widen or narrow the plan).
bool fieldMonth(const QString &text, int *month);
// The condition with its leading " WHERE " for the bounds (0 = none); empty without
// bounds. A row is due when its last month plus either period falls in the range.
QString condition(int fromMonth, int toMonth);

// The bounds of both fields; false with the message for the user when one is invalid.
struct Bounds
{
    int from = 0;
    int to = 0;
};
bool fromFields(const QString &od, const QString &doText, Bounds *bounds, QString *error);

} // namespace PlanPeriod

// One row of the plan as the report and the calendar read it.
struct PlanRow
{
    int uncFir = 0;
    int uncStr = 0;
    QString typ;            // 'H', 'V', 'K'
    QDate datum;            // last regular inspection
    int perFir = 0;
    int perStr = 0;
    int obdobi = 0;
    QString customer;       // ADR.NAZEV
    QString site;           // STR.STREDISKO
};

// TfPlanProhC, the live plan over the view: rows carry the constant key 0.
class TfPlanProhC : public TfClass
{
    Q_OBJECT
public:
    explicit TfPlanProhC(TDMPro *dm = DM, QObject *parent = nullptr);
    int DefineEntity() override;

    // The period the list shows; the condition joins the list's from part.
    void setPeriod(const PlanPeriod::Bounds &bounds);
    PlanPeriod::Bounds period() const { return m_bounds; }
    QString periodCondition() const { return PlanPeriod::condition(m_bounds.from, m_bounds.to); }

    // The listed rows in the report's order (customer name, then site), with the
    // list's filters. False with the reason in lastError().
    bool readRows(QVector<PlanRow> *rows);

protected:
    // The from part without the period, and the alias of the plan row.
    virtual QString baseFrom() const;
    virtual QString planAlias() const { return QStringLiteral("PPP"); }

private:
    PlanPeriod::Bounds m_bounds;
};

// TfPlanProhKomC, the built plan in PLANPROH with the technicians of the last
// inspection.
class TfPlanProhKomC : public TfPlanProhC
{
    Q_OBJECT
public:
    explicit TfPlanProhKomC(TDMPro *dm = DM, QObject *parent = nullptr);
    int DefineEntity() override;

    // Replaces the shared plan by the rows due in the period, then fills technicians
    // and counts from the last regular inspection of each kind, all in one
    // transaction: a failure leaves the previous plan whole for every user. afterInsert
    // runs inside, right after the rows went in (false fails the build). 0, or -1
    // with the reason in lastError().
    int BuildPlan(const std::function<bool(QString *error)> &afterInsert = {});

    // The statements of a build in their order, with the current period.
    QStringList buildStatements() const;

protected:
    QString baseFrom() const override;
    QString planAlias() const override { return QStringLiteral("PPR"); }
};

namespace PlanCalendar {

// The month a row is due in: of its due months (last month plus each period that is
// set) the first inside the bounds; when the bounds are met only through different
// periods, the first after the lower bound. 0 when the row has no period.
int dueMonth(const PlanRow &row, const PlanPeriod::Bounds &bounds);
// The kind's name as the menu calls it.
QString kindName(const QString &typ);
// The rows as an iCalendar text: one all-day event per customer, site and kind on the
// first day of its due month, named with the customer, site and kind.
QString text(const QVector<PlanRow> &rows, const PlanPeriod::Bounds &bounds,
             const QDateTime &stamp = QDateTime::currentDateTimeUtc());
// Writes the text to the file; false with the reason.
bool write(const QString &file, const QVector<PlanRow> &rows, const PlanPeriod::Bounds &bounds,
           QString *error);

} // namespace PlanCalendar
