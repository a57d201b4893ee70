#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "commerce/ceniks.h"
#include "warehouse/cenikdobjvyd.h"
#include "warehouse/objvyddsklad.h"
#include "warehouse/objvyds.h"
#include "warehouse/skladprevods.h"
#include "warehouse/sklses.h"

void wireOrderEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miObjednavky"), [&window] { OtevriObjednavky(&window); });
    window.bind(QStringLiteral("miSestavySkladu"), [&window] { OtevriSestavySkladu(&window); });
    // the price list assembles orders through the warehouse above it
    TfCenikS::orderAssembler() = [](TfCenikS &list) { SestavitObjednavku(list); };
    // the move of delivered quantities picks and shows slips through the slip list
    TfObjVydDSklad::slipPicker() = VyberVydejku;
    TfObjVydDSklad::slipOpener() = [](QWidget *parent, int slip) {
        if (TfSkladPrevodS *list = OtevriVydejky(parent))
            list->OpenDetail(slip);
    };
}
