#include "shell/menuwiring.h"
#include "shell/ltarko.h"

void wireInspectionEntries(TfLTarko &window)
{
    (void)window;
}
