#include "shell/menuwiring.h"
#include "shell/ltarko.h"

void wireAdminEntries(TfLTarko &window)
{
    (void)window;
}
