#include "shell/menuwiring.h"
#include "shell/ltarko.h"

void wireSeriesEntries(TfLTarko &window)
{
    (void)window;
}
