#include "shell/menuwiring.h"
#include "shell/ltarko.h"

void wireCustomerEntries(TfLTarko &window)
{
    (void)window;
}
