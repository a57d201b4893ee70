#pragma once
// TfFakturaS ("Tarko 8: Seznam faktur"): the invoice list; a row opens the invoice's
// edit window, and in pick mode (the move of a delivery note) the chosen invoice's
// number is handed back.
#include "commerce/documentlist.h"

class TfFakturaS : public TfDocumentList
{
    Q_OBJECT
public:
    static const QString AliasTables;

    explicit TfFakturaS(QWidget *parent = nullptr);

    int PrepareList() override;
    void OpenDetail(int key) override;
};

// "Faktury" and the tool button "Fa": the list shown modeless; it frees itself and its
// controller.
TfFakturaS *OtevriFaktury(QWidget *parent = nullptr);
// The list in pick mode, modal, under the caption: the chosen invoice's key, 0 when
// none was chosen.
int VyberFakturu(QWidget *parent, const QString &caption);
