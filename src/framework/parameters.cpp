#include "framework/parameters.h"

Parameters &Parameters::instance()
{
    static Parameters p;
    return p;
}

#include "framework/datamodulpro.h"
#include <QSqlQuery>
#include <QVariant>

bool loadFrameworkParameters(TDMPro &dm)
{
    QSqlQuery q = dm.NewQuery();
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT POLOZKA, HODNOTA FROM QELSYS WHERE POLOZKA IN ('cbIDDatabaze', 'eVerDat')")))
        return false;
    Parameters &p = Parameters::instance();
    p.databaseNumber = 0;
    p.schemaVersion = 0;
    while (q.next()) {
        const QString item = q.value(0).toString().trimmed();
        const int value = q.value(1).toString().trimmed().toInt();
        if (item == QLatin1String("cbIDDatabaze"))
            p.databaseNumber = value;
        else
            p.schemaVersion = value;
    }
    return true;
}
