#pragma once
// The price of a price-list item on a document line: the one routine the delivery
// notes, invoices, stock slips and purchase orders ask. It knows the user price lists
// (a customer's own prices), the VAT class and rate of the item and the quantity tiers.
#include <QString>
#include <array>

#include "core/datamodulpro.h"

struct Parameters;

// The quantity tiers of an item: thresholds POCPRO..POCPRO4 and prices CENPRO (tier 1)
// to CENPRO5.
struct PriceTiers
{
    std::array<int, 4> thresholds{};
    std::array<double, 5> prices{};
};

// The tier price for a quantity. Tier i (1 to 4) applies when its threshold is 0 or
// the quantity is not above it; a quantity above all four thresholds takes the fifth
// price. Quantity and thresholds compare as whole numbers (the quantity's fraction is
// dropped). With thresholds 10, 50, 0, 0: 10 takes tier 1, 11 tier 2, 51 tier 3 (the
// zero third threshold ends the search).
double tierPrice(const PriceTiers &tiers, double quantity);

// The VAT rate of a VAT class in whole per cent: the basic rate for 'Z', the reduced
// rate for 'S', 0 for any other class.
int vatRateOf(const QString &vatClass, const Parameters &parameters);
int vatRateOf(const QString &vatClass);   // the program parameters in force

// What a document line takes from the price list.
struct ItemPrice
{
    int item = 0;
    bool found = false;          // false: no such item (or it could not be read)
    double price = 0;            // the line price: the user price when non-zero, else CENPRO
    bool userPrice = false;      // the price came from the user price list
    double basicPrice = 0;       // CENPRO
    double purchasePrice = 0;    // CENNAK
    QString vatClass;            // 'Z', 'S', 'B' (or anything else: no VAT)
    int vatRate = 0;
    PriceTiers tiers;
    int section = 0;
    QString code;                // KOD
    QString description;         // POPIS
    QString unit;                // JEDN
    bool stockItem = false;      // PRENOSSKL 'A'
};

class Pricing
{
public:
    explicit Pricing(TDMPro *dm = DM);

    // The item priced for a user price list (CENUZH key; 0 or less: none).
    ItemPrice itemPrice(int item, int userList) const;
    // The user price list a customer is bound to (ADRESAR.UNCCEN); 0 when none.
    int userListOf(int customer) const;
    // The item priced for a customer: through the customer's user price list, or at
    // CENPRO for a customer without one.
    ItemPrice customerPrice(int item, int customer) const;

    // Whether this installation prices by quantity tiers (program parameter
    // cbCenovePasma).
    static bool tiersOn();
    // The line price once the quantity is known: with the tier switch on the tier
    // price (it replaces the price the line had), otherwise the item's price.
    double priceForQuantity(const ItemPrice &price, double quantity) const;

    QString lastError() const { return m_lastError; }

private:
    TDMPro *m_dm;
    mutable QString m_lastError;
};
