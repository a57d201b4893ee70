#include "shell/menuwiring.h"
#include "shell/ltarko.h"

void wireFrameworkEntries(TfLTarko &window)
{
    // the code-list editors are bound here as they land
    (void)window;
}
