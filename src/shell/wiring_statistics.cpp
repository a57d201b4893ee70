#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "commerce/dodses.h"
#include "core/datamodulpro.h"
#include "inspections/konses.h"

void wireStatisticsEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miStatistika"), [&window] { TfKonSes::open(DM, &window); });
    window.bind(QStringLiteral("miMaterialDL"), [&window] { TfDodSes::open(DM, &window); });
}
