#pragma once
// TfObjVyd ("Tarko 8: Vydaná objednávka"), the purchase-order edit window: page
// "Hlavička a položky" with the header fields and the line grid, page "Záhlaví a
// zápatí"; lines added by hand or from the price list, removed, and the delivered
// quantities moved into a receipt slip. The rules live in TfObjVydC and OrderMove.
#include "widgets/editform.h"

class QTableView;
class RowCacheModel;
class TfObjVydC;

class TfObjVyd : public TfEditForm
{
    Q_OBJECT
public:
    explicit TfObjVyd(TfObjVydC *controller, QWidget *parent = nullptr);

    TfObjVydC *objvydc() const;
    QTableView *grid() const { return m_grid; }

    void Pridat();
    void Ubrat();
    void PridatZCeniku();
    // "Přenos dodaného množství do skladu": the order saved first, then the dialog.
    void Prenos();

private:
    QWidget *buildHeader(QWidget *page);

    QTableView *m_grid = nullptr;
    RowCacheModel *m_model = nullptr;
};
