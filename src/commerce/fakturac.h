#pragma once
// TfFakturaC, the invoice controller: the invoice headers (FAKTURY) with their list and
// the lines (FAK_POL) of one invoice, the VAT summary recounted on every save, lines
// added by hand or from the price list, and the merge of equal items. No widgets.
//
// The move of a delivery note into an invoice (fakturapresun.h) writes the same tables
// in one transaction of its own and totals them with the same routine, so an invoice
// made by a move and one recounted here always agree.
#include "core/class.h"
#include "core/money.h"

#include <QVector>
#include <functional>

namespace Invoice {
// A line as the totals see it.
struct LineAmount
{
    QString vatClass;   // 'Z', 'S', anything else: no VAT
    int rate = 0;       // DPHN
    double total = 0;   // CENCELK
};
struct Totals
{
    TTabDPH tab;
    int rateZ = 0;
    int rateS = 0;
    int result = 0;
};
// The VAT summary of the lines: line totals summed by class, the rates of the last 'Z'
// and the last 'S' line (below 1, or none, the parameter rate), PrepXTabDPH with the
// discount, the prices-include-VAT flag and the parameters' rounding steps.
Totals computeTotals(const QVector<LineAmount> &lines, double discount, bool pricesIncludeVat);
// The rate a line of a VAT class gets: the basic rate for 'Z', the reduced rate for 'S',
// 0 for 'B', blank or anything else.
int rateOf(const QString &vatClass);
// CENCELK of a line: price x quantity rounded to hundredths.
double lineTotal(double price, double quantity);
// The grand total a user pays: the three bases, the two VAT amounts and the rounding.
double grandTotal(double cenz, double danz, double cens, double dans, double cen0, double haldor);
// The grand total of a receipt in words: rounded to hundredths before the whole crowns
// are taken, so a total stored as 2813.9999... reads as 2 814; a credit note reads
// with "minus".
QString amountInWords(double grandTotal);
// The title of a printed receipt by the invoice's kind (TYPFAK): 'U' the receipt of a
// cash sale, 'F' and 'P' the cash receipt, any other kind its own name.
QString receiptTitle(const QString &kind);

// A prepared line, added by hand, from the price list or by a move.
struct Line
{
    QString polozka;
    double jedcen = 0;
    double mnoz = 0;
    QString jedn;
    QString dph = QStringLiteral(" ");
    int dphn = 0;
    int unccen = 0;
    int csekce = 0;
};
} // namespace Invoice

class TfFakturaC : public TfClass
{
    Q_OBJECT
public:
    static const QString ListFrom;
    static const QString ListColumns;
    static const QString Caption;   // "Faktury"
    static const QString PickList;  // the material picker's list text

    explicit TfFakturaC(TDMPro *dm = DM, QObject *parent = nullptr);

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int AfterOpenRecord() override;
    int BeforeSaveRecord() override;

    RowCache &lines() { return *item(0).cache; }
    bool isLocked();

    // Recounts the header from the lines into the open record (no write). The result
    // of PrepXTabDPH, or -2 with the header left unchanged.
    int recount();
    // "Přeočet": the pending edits saved, the summary recounted with them; the current
    // line stays current. 0, or -2.
    int PrepocetFaktury();

    // CENCELK of a line from its price and quantity.
    void CenaPod(int row);
    // A key typed into the VAT column: 'Z', 'S', 'B' or blank (lower case raised) sets
    // DPH and DPHN; any other key is refused (false).
    bool setVatClass(int row, QChar key);

    // Appends a prepared line; with merge, a line of the same price-list item at the
    // same unit price takes the quantity instead. The row of the line, or negative.
    int addLine(const Invoice::Line &line, bool merge);

    // The quantity dialog of the window: the item's text, the quantity and the unit
    // price in and out; false when the user chose not to add it.
    using AskQuantity = std::function<bool(const QString &popis, QString &quantity, double &price)>;
    void setAskQuantity(AskQuantity ask) { m_askQuantity = std::move(ask); }
    // Adds one price-list item (the columns of PickList) through the quantity dialog.
    // 1 added, 0 nothing to add (cancelled, empty or not above 0), negative failure.
    int VlozPolozku(const QString &popis, const QString &jedn, const QString &dph, int unccen, int csekce,
                    double cenpro);
    // The material picker's callback: VlozPolozku of the current row; a failure is told
    // as "Vložení položky".
    int NactiPolozku(int key, const QVariantMap &row);

private:
    AskQuantity m_askQuantity;
};
