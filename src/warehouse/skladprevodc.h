#pragma once
// TfSkladPrevodC, the stock slip controller: the slip headers (SKLADPREVODH) with their
// list and the lines (SKLADPREVODP) of one slip, lines added from the price list through
// the quantity dialog, line totals, VAT keys and the merge of a prepared line into an
// equal one. No widgets. The stock movements and the stock on hand follow the saved
// lines in the database itself (src/db/warehouse.sql).
#include "core/class.h"

#include <QColor>
#include <QVector>
#include <functional>

namespace StockSlip {
// The kinds of movement (TYPPOH).
constexpr char Purchase = 'N';     // "Nákup"
constexpr char Transfer = 'O';     // "Převod"
constexpr char Sale = 'P';         // "Prodej"
constexpr char Production = 'V';   // "Výroba"

// The kind label of the edit window: its text and colour by TYPPOH.
struct KindLabel
{
    QString text;
    QColor colour;
};
KindLabel kindLabel(const QString &kind);
// The kinds a new slip can be made of, as the menus offer them: the menu item's object
// name, its text and TYPPOH. Production has no menu entry.
struct NewKind
{
    QString objectName;
    QString text;
    QString kind;
};
QVector<NewKind> newKinds();
// The conditions of material (STAV, NOVSTAV) as the radio groups name them, 1 to 4.
QStringList conditionNames();

// A prepared line, added from the price list or by a move.
struct Line
{
    int uncmat = 0;
    QString popis;
    QString kodmat;
    QString jedn;
    QString vyrobce;
    int csekce = 0;
    double mnoz = 0;
    double nakcen = 0;
    QString dph = QStringLiteral(" ");
    int dphn = 0;
    int stav = 1;
    int novstav = 1;
};
} // namespace StockSlip

class TfSkladPrevodC : public TfClass
{
    Q_OBJECT
public:
    static const QString ListFrom;
    static const QString ListColumns;
    static const QString Caption;    // "Tarko 8: Skladová převodka"
    static const QString PickList;   // the material picker's list text

    explicit TfSkladPrevodC(TDMPro *dm = DM, QObject *parent = nullptr);

    int DefineEntity() override;
    int AfterNewHeaderRow() override;

    RowCache &lines() { return *item(0).cache; }
    bool isLocked();

    // Enter in the number field: the typed text is a series code, and CDT, CDI and CDR
    // become the series' next number, its running number and the code. False when no
    // number was taken (no such series, a question cancelled).
    bool TakeNumberOfSeries();

    // CENA of a line: NAKCEN x MNOZ rounded to hundredths.
    void CenaPod(int row);
    // A key typed into the VAT column: 'Z', 'S', 'B' or blank sets DPH and DPHN; any
    // other key is refused (false).
    bool setVatClass(int row, QChar key);
    // The conditions new lines get (the window's two radio groups).
    void setConditions(int stav, int novstav);
    int stav() const { return m_stav; }
    int novstav() const { return m_novstav; }

    // Adds a prepared line: a line of the same item, unit price and both conditions
    // takes the quantity instead. The row of the line, or negative.
    int PridejSloucene(const StockSlip::Line &line);

    // The quantity dialog of the window: item text, quantity and unit price in and out;
    // false when the user chose not to add it.
    using AskQuantity = std::function<bool(const QString &popis, QString &quantity, double &price)>;
    void setAskQuantity(AskQuantity ask) { m_askQuantity = std::move(ask); }
    // One picked price-list item (the columns of PickList) through the quantity dialog,
    // appended with the slip's kind and the chosen conditions. 1 added, 0 nothing to add
    // (cancelled, empty or not above 0), negative failure.
    int VlozPolozkuSkladu(int uncmat, const QVariantMap &row);
    // The material picker's callback: VlozPolozkuSkladu, a failure told as "Vložení položky".
    int NactiPolozku(int key, const QVariantMap &row);

private:
    int appendLine(const StockSlip::Line &line);

    AskQuantity m_askQuantity;
    int m_stav = 1;
    int m_novstav = 1;
};
