#pragma once
// TfObjVydS ("Tarko 8: Seznam vydaných objednávek"): the purchase-order list; a row
// opens the order's edit window, and in pick mode (the price list's "Sestavit
// objednávku") the chosen order's key is handed back.
#include "commerce/documentlist.h"

class TfObjVydS : public TfDocumentList
{
    Q_OBJECT
public:
    static const QString AliasTables;

    explicit TfObjVydS(QWidget *parent = nullptr);

    int PrepareList() override;
    void OpenDetail(int key) override;

};

// "Sklad / Objednávky": the list shown modeless; it frees itself and its controller.
TfObjVydS *OtevriObjednavky(QWidget *parent = nullptr);
// The list in pick mode, modal, under the caption: the chosen order's key, 0 when none
// was chosen.
int VyberObjednavku(QWidget *parent, const QString &caption);
