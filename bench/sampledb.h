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
