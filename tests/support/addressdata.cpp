#include "support/addressdata.h"
#include "core/datamodulpro.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

int insertRow(TDMPro &dm, const QString &table, const Values &values)
{
    const int key = int(dm.NextKey(table));
    QStringList columns{QStringLiteral("UNCIS"), QStringLiteral("KLIC")};
    QStringList params{QStringLiteral(":UNCIS"), QStringLiteral(":KLIC")};
    for (const auto &v : values) {
        columns << v.first;
        params << QLatin1Char(':') + v.first;
    }
    QSqlQuery q = dm.NewQuery();
    if (!q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(table, columns.join(QLatin1Char(',')), params.join(QLatin1Char(',')))))
        qFatal("insertRow: %s", qPrintable(q.lastError().text()));
    q.bindValue(QStringLiteral(":UNCIS"), key);
    q.bindValue(QStringLiteral(":KLIC"), 0);
    for (const auto &v : values)
        q.bindValue(QLatin1Char(':') + v.first, v.second);
    if (!q.exec())
        qFatal("insertRow: %s", qPrintable(q.lastError().text()));
    return key;
}

int insertEntry(TDMPro &dm, int typ, const QString &nazev, const Values &more)
{
    Values values{{QStringLiteral("TYP"), typ}, {QStringLiteral("NAZEV"), nazev}};
    values += more;
    return insertRow(dm, QStringLiteral("ADRESAR"), values);
}
