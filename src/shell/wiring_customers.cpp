#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "customers/adresys.h"
#include "widgets/filterdesigners.h"

void wireCustomerEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miAdresy"), [&window] { OtevriAdresar(&window); });
    // filter values of address items are picked from the address book
    PickLists::registerList(QStringLiteral("TfAdresyS"), [](QWidget *parent, int) { return VytvorAdresar(parent); });
}
