#include "shell/menuwiring.h"
#include "shell/ltarko.h"

void wireMenu(TfLTarko &window)
{
    wireFrameworkEntries(window);
    wireSeriesEntries(window);
    wireCustomerEntries(window);
    wireAdminEntries(window);
    wireCommerceEntries(window);
    wireInspectionEntries(window);
    wireBarcodeEntries(window);
    wireOrderEntries(window);
}
