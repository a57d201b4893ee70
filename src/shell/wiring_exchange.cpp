#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "admin/expimp.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"

void wireExchangeEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miExportImport"), [&window] {
        TfExpImp expImp(DM, &window);
        Prompt::runModal(&expImp);
    });
}
