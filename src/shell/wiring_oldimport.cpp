#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "admin/prevoddat.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"

void wireOldImportEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miImportTarko7"), [&window] {
        TfPrevodDat prevod(DM, &window);
        prevod.openParameters = [&window] { window.trigger(QStringLiteral("miParametry")); };
        Prompt::runModal(&prevod);
    });
}
