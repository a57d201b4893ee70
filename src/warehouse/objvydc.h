#pragma once
// TfObjVydC, the purchase-order controller: the order headers (OBJVYDH) with their list
// and the lines (OBJVYDP) of one order, lines added by hand or from the price list, the
// merge by item and the stored totals. No widgets.
#include "core/class.h"

#include <functional>

namespace Order {
// A prepared order line.
struct Line
{
    int uncmat = 0;
    QString kodmat;
    QString popis;
    QString jedn;
    QString dphs = QStringLiteral(" ");
    double pocet = 0;
    double cenbez = 0;
};
// CENCEL of a line: price x quantity rounded to hundredths.
double lineTotal(double price, double quantity);
} // namespace Order

class TfObjVydC : public TfClass
{
    Q_OBJECT
public:
    static const QString ListFrom;
    static const QString ListColumns;
    static const QString Caption;    // "Vydaná objednávka"
    static const QString PickList;   // the material picker's list text

    explicit TfObjVydC(TDMPro *dm = DM, QObject *parent = nullptr);

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int BeforeSaveRecord() override;

    RowCache &lines() { return *item(0).cache; }
    bool isLocked();

    // CENCEL of a line from its price and quantity.
    void CenaPod(int row);
    // Appends a prepared line; with merge, a line of the same item takes the quantity
    // instead. The row of the line, or negative.
    int addLine(const Order::Line &line, bool merge);
    // The header totals by VAT class from the lines (CENZ, CENS, CENB, CENA).
    void recount();

    // The quantity dialog of the window: the item's text, the quantity and the unit
    // price in and out; false when the user chose not to add it.
    using AskQuantity = std::function<bool(const QString &popis, QString &quantity, double &price)>;
    void setAskQuantity(AskQuantity ask) { m_askQuantity = std::move(ask); }
    // The material picker's callback: the quantity dialog with the item's text, "0.00"
    // and CENPRO; an empty or non-positive quantity adds nothing. 1 added, 0 nothing,
    // negative failure (told as "Vložení položky", or "Načtení množství" for a quantity
    // that is no number).
    int NactiPolozku(int key, const QVariantMap &row);

private:
    AskQuantity m_askQuantity;
};
