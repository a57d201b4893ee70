#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "admin/prevoddat.h"
#include "admin/udrzbadat.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"

void wireOldImportEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miImportTarko7"), [&window] {
        TfPrevodDat prevod(DM, &window);
        prevod.openParameters = [&window] { window.trigger(QStringLiteral("miParametry")); };
        prevod.openMaintenance = [&window] { TfUdrzbaDat::open(DM, &window); };
        Prompt::runModal(&prevod);
    });
}
