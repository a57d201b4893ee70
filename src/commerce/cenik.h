#pragma once
// TfCenik, the window of one price-list item ("Tarko 8: Položka ceníku"): description,
// unit, prices, code, stock limits, up to five suppliers, maker, VAT class and whether
// the item is kept on stock.
#include "widgets/editform.h"

class QComboBox;
class TfCenikC;

class TfCenik : public TfEditForm
{
    Q_OBJECT
public:
    static constexpr int SupplierCount = 5;

    explicit TfCenik(TfCenikC *controller, QWidget *parent = nullptr);

    // Reads the suppliers (customers of type 1) into the five "Dodavatel" drop-downs.
    void nactiDodavatele();
    QComboBox *dodavatel(int number) const;

    int BeforeEditDelete() override;

private:
    QComboBox *m_dodavatele[SupplierCount] = {};
};
