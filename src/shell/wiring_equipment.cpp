#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "inspections/hps.h"

void wireInspectionEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miKontrolyHP"), [&window] { OtevriKontrolyHP(&window); });
    window.bind(QStringLiteral("miDohledaniHP"), [&window] { OtevriDohledaniHP(&window); });
}
