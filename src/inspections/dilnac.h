#pragma once
// TfDilnaC, the controller of the workshop register DILNA: one row per extinguisher per
// workshop visit, received (100), withdrawn (101), checked and fit (102) or dispatched
// (103). It also holds what the workshop windows do to those rows without a window:
// the values of the fill dialog and their checks, the fill of many list rows, the
// withdrawal written back into the inspection item, and the fit rows offered when an
// inspection takes an extinguisher back.
#include <QDate>
#include <QString>
#include <QVector>
#include <array>

#include "core/class.h"
#include "core/lookup.h"

// What the dialog "Vyplnění kontroly a expedice HP" fills in: the workshop check and
// the dispatch, each only when its box is ticked.
struct WorkshopFill
{
    // The eight results of the check, in the order of CheckColumns.
    static const std::array<const char *, 8> CheckColumns;
    enum { Zpusobily = 7 };

    bool check = false;             // "Vyplnit kontrolu HP"
    QDate checkDate;
    int komisar = 0;                // UNCKOMTECH
    int firma = 0;                  // UNCFIRMA, the checking firm
    std::array<bool, 8> results{{true, true, true, true, true, true, true, true}};
    QString duvVyr;                 // reason for withdrawal

    bool dispatch = false;          // "Vyplnit expedici"
    QDate dispatchDate;
    int dispatchTech = 0;
    int dispatchFirm = 0;
    int dispatchSite = 0;

    // Why the values cannot be written to rows ("Doplnit"), or empty when they can.
    QString refusal() const;
    // The check's values with STATUS 102, or 101 with a reason for withdrawal.
    void addCheckValues(TVarSQL &values) const;
    // The dispatch's values with STATUS 103.
    void addDispatchValues(TVarSQL &values) const;
    // The checking firm remembered for the next fill (settings group Param\Dilna).
    static int rememberedFirm();
    static bool rememberFirm(int firm);
    // Both as ticked: the dispatch wins the state when both are filled.
    TVarSQL values() const;
};

// A workshop row offered to an inspection taking an extinguisher back.
struct FitWorkshopRow
{
    int key = 0;
    QDate received;
    QString vyrCis;
    QDate checked;
    QString zpusob;
};

class TfDilnaC : public TfClass
{
    Q_OBJECT
public:
    enum State { Received = 100, Withdrawn = 101, Checked = 102, Dispatched = 103 };

    explicit TfDilnaC(TDMPro *dm = DM, QObject *parent = nullptr);

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int AfterOpenRecord() override;

    // The states the list shows for its three toggles, followed by 0: "100,102,0";
    // with none chosen only rows of state 0 ("0").
    static QString shownStates(bool received, bool checked, bool dispatched);

    // "Doplnit" of the list: the values of the fill written into the list rows of the
    // scope (UpdateScope) in one transaction, after the question the scope asks.
    // 0 written, 1 declined, -1 refused by the checks, -2 failed (the user was told).
    int Doplnit(const WorkshopFill &fill, int scope);

    // "Náhradní  díly a práce k HP" for the list's current row: refused for a row that
    // came from an older version (UNCPOL 0). 0 when the parts may be shown.
    int CanShowSpareParts();

    // "Doplnit vyřazení v protokole" for the open row: after the question, the row
    // becomes withdrawn and its inspection item "Vyřazen dílnou" with the reason, in one
    // transaction. 0 written, 1 declined, -1 refused, -2 failed (nothing written).
    int DoplnitVyrazeni();

    // A type chosen for the open row: its name, maker and test pressure come along.
    int ChooseType(int unccen);
    // A customer chosen: the site of that side belongs to the previous one.
    void FirmChosen(const QString &firmField);

    // The types a row may have (price-list section 7, keyed by their row, the maker as
    // extra column) and the reasons for withdrawal.
    QVector<LookupItem> TypeChoices(bool *ok = nullptr);
    QVector<LookupItem> ReasonChoices(bool *ok = nullptr);

    // The fit rows of a type ("Nabídka HP"), their serial numbers starting with the
    // filter, earliest received first. *ok tells whether they could be read.
    QVector<FitWorkshopRow> FitRows(const QString &hp, const QString &serialFilter = QString(),
                                    bool *ok = nullptr);
    // The fit row of this serial number and type, 0 when none. An empty serial number
    // matches nothing. Negative when the lookup failed.
    int FitRowOf(const QString &vyrCis, int unccen);

private:
    int m_itemKlic = -1;   // change counter of the open row's inspection item when read
};
