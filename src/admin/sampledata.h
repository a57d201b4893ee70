#pragma once
// A sample database: Czech customers with sites and objects, technicians, the code
// lists, a price list, number series and years of extinguisher inspections carried
// forward from year to year. Used by the tarko8-sample command, the first start of
// scripts/run.sh, the tests and the benchmarks. Deterministic for a given seed.
#include <QString>

#include "core/datamodulpro.h"

struct SampleOptions
{
    int customers = 12;
    int sitesPerCustomer = 2;
    int technicians = 4;
    int years = 4;
    int perSite = 8;     // extinguishers of a site in its first inspection
    int lastYear = 0;    // year of the newest inspections; 0 = the current year
    quint32 seed = 1988;

    // "small", "medium", "large"; false for another name.
    static bool fromScale(const QString &scale, SampleOptions *options);
};

// What fillSampleData wrote.
struct SampleCounts
{
    int customers = 0;
    int sites = 0;
    int objects = 0;
    int technicians = 0;
    int priceItems = 0;
    int inspections = 0;
    qint64 items = 0;
};

// Writes the sample into an open database that has the whole schema. Code lists, the
// price list and the number series are filled only when they are empty; customers,
// technicians and inspections are always added. Keys come from the tables' generators
// (value × 100 + database number 0), so the program's later inserts do not collide.
// Returns false with the reason in *error (the table being written is rolled back).
bool fillSampleData(TDMPro &dm, const SampleOptions &options, SampleCounts *counts = nullptr,
                    QString *error = nullptr);

// The firm's own data in the program parameters (name, address, premises, registration,
// IČO, DIČ, telephone, bank account) of a sample service firm, and the current year and
// month as the number-series period, so printouts and document numbers of a newcomer
// look real. Only items that are still empty or "0" are written: a real firm's data are
// never overwritten. fillSampleData does this too. False with the reason in *error.
bool fillSampleFirm(TDMPro &dm, QString *error = nullptr);
