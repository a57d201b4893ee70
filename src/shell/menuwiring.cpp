#include "shell/menuwiring.h"
#include "shell/ltarko.h"

void wireMenu(TfLTarko &window)
{
    wireFrameworkEntries(window);
    wireSeriesEntries(window);
    wireCustomerEntries(window);
    wireAdminEntries(window);
    wireMaintenanceEntries(window);
    wireOldImportEntries(window);
    wireExchangeEntries(window);
    wireCommerceEntries(window);
    wireInspectionEntries(window);
    wireBarcodeEntries(window);
    wireStatisticsEntries(window);
    wireWarehouseEntries(window);
    wireOrderEntries(window);
}
