#include "shell/menuwiring.h"
#include "shell/ltarko.h"

void wireCommerceEntries(TfLTarko &window)
{
    (void)window;
}
