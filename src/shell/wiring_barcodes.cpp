#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "barcodes/edithpck.h"
#include "barcodes/nactick.h"
#include "barcodes/tiskck.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"

void wireBarcodeEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miTiskCK"), [&window] {
        TfTiskCK tisk(DM, &window);
        Prompt::runModal(&tisk);
    });
    window.bind(QStringLiteral("miNacteniKontroly"), [&window] {
        TfNactiCK nacti(DM, &window);
        Prompt::runModal(&nacti);
    });
    window.bind(QStringLiteral("miDoplneniUdaju"), [&window] {
        TfEditHPCK edit(DM, &window);
        Prompt::runModal(&edit);
    });
}
