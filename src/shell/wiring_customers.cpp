#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "customers/adresys.h"

void wireCustomerEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miAdresy"), [&window] { OtevriAdresar(&window); });
}
