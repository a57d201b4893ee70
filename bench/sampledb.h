#pragma once
// The scratch database of a benchmark: a fresh file with the whole schema, filled by
// the program's sample generator and left open on the data module.
#include <QString>
#include <cstdio>

#include "admin/sampledata.h"
#include "db/schema.h"
#include "core/datamodulpro.h"
#include "core/firebird.h"

// False (the reason printed) when the file could not be made or filled.
inline bool openSampleDatabase(TDMPro &dm, const QString &path, const SampleOptions &options,
                               SampleCounts *counts)
{
    Firebird::Location where;
    where.path = path;
    QString error;
    if (!Schema::createDatabase(where, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), &error, false)) {
        std::fprintf(stderr, "cannot create database: %s\n", qPrintable(error));
        return false;
    }
    if (!dm.open(where, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), &error)
        || !fillSampleData(dm, options, counts, &error)) {
        std::fprintf(stderr, "cannot fill database: %s\n", qPrintable(error));
        return false;
    }
    return true;
}

// The 100,000-inspection sample: 5,000 customers with 2 sites each, a regular inspection
// of every site in each of ten years, two extinguishers a site (small items keep the
// time to write them down; the benchmarks that use it do not read them).
inline SampleOptions hundredThousandInspections()
{
    SampleOptions o;
    o.customers = 5000;
    o.sitesPerCustomer = 2;
    o.technicians = 20;
    o.years = 10;
    o.perSite = 2;
    return o;
}
