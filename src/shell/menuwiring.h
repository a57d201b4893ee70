#pragma once
// What each main-menu entry opens. Every subsystem binds its own entries in a
// function of its own, called once when the main window is created.
class TfLTarko;

void wireMenu(TfLTarko &window);

// Code lists, pick dialogs and the record framework's own windows.
void wireFrameworkEntries(TfLTarko &window);

// The number series window.
void wireSeriesEntries(TfLTarko &window);

// The address book.
void wireCustomerEntries(TfLTarko &window);

// Data administration: defined texts, export and import, maintenance, SQL.
void wireAdminEntries(TfLTarko &window);

// Data maintenance.
void wireMaintenanceEntries(TfLTarko &window);
// The one-time import from the previous version.
void wireOldImportEntries(TfLTarko &window);
// Export and import between installations.
void wireExchangeEntries(TfLTarko &window);

// Price lists, delivery notes and invoices.
void wireCommerceEntries(TfLTarko &window);

// Inspections, the plan and the workshop.
void wireInspectionEntries(TfLTarko &window);

// Stock slips and the move of a delivery note into one.
void wireWarehouseEntries(TfLTarko &window);

// Barcode printing, loading the reader's file and completing what it gave.
void wireBarcodeEntries(TfLTarko &window);

// The statistics of the inspections and of the delivery notes' material.
void wireStatisticsEntries(TfLTarko &window);
// Purchase orders and the stock reports; the price list's order assembly.
void wireOrderEntries(TfLTarko &window);
