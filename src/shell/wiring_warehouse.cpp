#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "commerce/dodak.h"
#include "warehouse/dodakdsklad.h"
#include "warehouse/skladprevods.h"

void wireWarehouseEntries(TfLTarko &window)
{
    // the tool button "Sklad" runs the same entry
    window.bind(QStringLiteral("miVydejky"), [&window] { OtevriVydejky(&window); });
    // the delivery note sits below the warehouse: its move into a slip is handed to it
    TfDodak::stockMove() = PresunDoVydejky;
}
