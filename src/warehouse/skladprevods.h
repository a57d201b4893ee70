#pragma once
// TfSkladPrevodS ("Tarko 8: Seznam skladových převodek"): the stock slip list; the
// new-slip menu makes a purchase, a transfer or a sale dated today, a row opens the
// slip's edit window, and in pick mode (the move of a delivery note) the chosen slip is
// handed back.
#include "commerce/documentlist.h"

class TfSkladPrevodS : public TfDocumentList
{
    Q_OBJECT
public:
    static const QString AliasTables;

    explicit TfSkladPrevodS(QWidget *parent = nullptr);

    int PrepareList() override;
    void OpenDetail(int key) override;
    // A new slip of the kind ('N', 'O', 'P') dated today.
    void NovaPrevodka(const QString &kind);

};

// "Výdejky - příjemky" and the tool button: the list shown modeless; it frees itself
// and its controller.
TfSkladPrevodS *OtevriVydejky(QWidget *parent = nullptr);
// The list in pick mode, modal, under the caption: the chosen slip's key, 0 when none
// was chosen.
int VyberVydejku(QWidget *parent, const QString &caption);
