#pragma once
// Process-wide program parameters, loaded from the database at start-up and after
// every reconnection, read by the rest of the program.
#include <QString>

struct Parameters
{
    static Parameters &instance();

    int databaseNumber = 0;   // cbIDDatabaze: last two digits of every new key
    int schemaVersion = 0;    // eVerDat
    QString unlockPassword;   // eHeslo: unlocks locked records
};

class TDMPro;
// Reads the items the framework itself needs (database number, schema version) from
// QELSYS; the parameters window loads the rest.
bool loadFrameworkParameters(TDMPro &dm);
