#pragma once
// TfDodakC, the delivery-note controller: the note headers (DODAKH) with their list,
// the line grid of one section (every price-list item of the section with the note's
// line where it has one), the line operations, the fill from the inspections that point
// to the note, the totals with the VAT summary, the summary of the inspections, and
// making or attaching a note for an inspection. No widgets: the windows only show what
// this holds and pass the user's actions on.
//
// Lines are written at once, each in its own short transaction, so two workstations
// adding lines to one note never lose each other's lines; the header is saved under its
// change counter like every record.
#include "core/class.h"
#include "core/money.h"

#include <QMap>
#include <QStringList>
#include <QVector>

struct Parameters;

namespace DeliveryNote {
constexpr int LastPrintedSection = 11;
constexpr int FirstVirtualSection = 12;   // 12 to 15 count replaced, taken and withdrawn extinguishers
constexpr int LastSection = 15;
constexpr int TypeSection = 7;            // the virtual sections show the extinguisher types

// The price-list section whose items a section tab shows.
int itemSectionOf(int section);
// The names of the virtual sections, "12 - Dodán HP po opravě náhradou" ...
QString virtualSectionName(int section);
// The states an extinguisher type is counted in for a section tab (7 and 12 to 15);
// empty for the other sections.
QVector<int> typeStatesOf(int section);
// A parameter list of states as written after IN ("(1,4,14)"), or empty when it holds
// no state, so that a rule built on it finds nothing instead of failing.
QString stateList(const QString &parameterList);
// The line total: price x quantity in hundredths.
double lineTotal(double price, double quantity);
// Whether a line of this VAT class bears VAT: only 'Z' and 'S' do; 'B' and any other
// class count as without VAT whatever rate the line holds.
bool bearsVat(const QString &vatClass);

// The VAT summary of the printed sections (1 to 11, or the chosen ones) of some notes:
// line totals (CELKEM) of lines with a quantity above 0 summed by class, with the
// parameters' flag and steps and the given discount. The stored totals and the printout
// both come from here, so what is stored is what is printed.
struct Totals
{
    TTabDPH tab;
    int rateZ = 0;
    int rateS = 0;
    int result = 0;
};
Totals computeTotals(TDMPro *dm, const QVector<int> &notes, double discount,
                     const QVector<int> &sections = {}, QString *error = nullptr);
} // namespace DeliveryNote

class TfDodakC : public TfClass
{
    Q_OBJECT
public:
    static const QString ListFrom;
    static const QString LineSelect;
    static const QString Caption;   // "Dodací list"

    explicit TfDodakC(TDMPro *dm = DM, QObject *parent = nullptr);

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int AfterOpenRecord() override;

    // --- header ----------------------------------------------------------------------
    // The customer chosen: the site is cleared, the customer's user price list and
    // discount come with it.
    void chooseCustomer(int customer);
    bool isLocked();

    // --- lines -------------------------------------------------------------------------
    // The grid rows of a section tab (1 to 15); onlyFilled keeps the rows with a line.
    int OpenLines(int section, bool onlyFilled = false);
    int section() const { return m_section; }
    RowCache &lines() { return m_lines; }
    bool hasLine(int row) const;

    // Makes the line of a grid row when it has none. 0 done (or there already),
    // -2 failure before the insert, -3 insert failed (rolled back).
    int VytvorRadek(int row);
    // Deletes the line of a grid row; refused (1) when part of it was already invoiced
    // or moved to stock (the user is told why). 0 deleted, -1 failure.
    int SmazRadek(int row);
    // Quantity, price or VAT class typed into the grid: the line is made first, its
    // total kept. A quantity below what was invoiced or moved to stock is refused (1).
    int setQuantity(int row, double quantity);
    int setPrice(int row, double price);
    // ' ', 'S' or 'Z': rate 0, the reduced or the basic rate; other characters are
    // refused (1) without a word, as the grid ignores them.
    int setVatClass(int row, QChar vatClass);
    // Enter with the tier switch on: the price from the quantity tiers. 1 when the
    // switch is off or the row has no line.
    int repriceFromTiers(int row);

    // "Doplnit": the counts of the inspections linked to the note into the shown
    // section. Each group without a row is reported once; the rest is filled.
    // 0 done, -1 failure (told).
    int Doplnit();
    // The messages of the groups the last fill could not place.
    QStringList lastFillMisses() const { return m_misses; }

    // The totals into the header (sections 1 to 11). The result of PrepXTabDPH, or -6
    // when the header could not be stored.
    int Prepocet();

    // "Načíst sumář": the summary of the inspections as rich text.
    QString Sumar();

    // --- the note of an inspection (PR_HLAV or VOD_HLAV controllers) -------------------
    // A new note for the inspection's customer and site, linked through UNCDOD in one
    // transaction with the inspection. Unsaved inspection changes are saved first;
    // when that fails nothing is made. The new key, or negative (told).
    static int createForInspection(TfClass *inspection, TDMPro *dm = DM);
    // Links an existing note. 0, or negative (told).
    static int attachToInspection(TfClass *inspection, int note);
    // Clears UNCDOD. 0, or negative (told).
    static int detachFromInspection(TfClass *inspection);
    // Inserts a note header for a customer and site, priced by the customer's user price
    // list with the customer's discount, dated today. The key, or negative.
    static int insertNote(TDMPro *dm, int customer, int site, QString *error = nullptr);

private:
    struct Target { int row = -1; double count = 0; };
    bool checkEditable();
    int noteKey() const { return m_currentKey; }
    int lineKey(int row) const;
    bool updateLine(int row, const QString &sets, const SqlParameters &values, const QString &guard = QString(),
                    int *affected = nullptr);
    int rowOfItem(int item) const;
    int rowOfGroup(const QString &group, int status) const;
    void fillGroups(const QString &sql, int status, const QString &missText, QMap<int, double> &into);
    void addMiss(const QString &text, const QString &caption);
    bool applyCounts(const QMap<int, double> &counts);

    RowCache m_lines;
    int m_section = 1;
    bool m_onlyFilled = false;
    int m_userList = 0;
    QStringList m_misses;
    QStringList m_missCaptions;
};
