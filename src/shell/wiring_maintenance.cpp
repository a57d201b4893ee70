#include "shell/menuwiring.h"
#include "core/datamodulpro.h"
#include "shell/ltarko.h"
#include "admin/udrzbadat.h"

void wireMaintenanceEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miUdrzba"), [&window] { TfUdrzbaDat::open(DM, &window); });
}
