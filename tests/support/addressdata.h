#pragma once
// Address-book rows written straight into a test database, as another workstation or
// an older program version would have left them.
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class TDMPro;

using Values = QList<QPair<QString, QVariant>>;

// Inserts a row with a key from the table's generator (and KLIC 0); returns the key.
int insertRow(TDMPro &dm, const QString &table, const Values &values);

// An entry of the kind (TYP) with a name; further columns in more.
int insertEntry(TDMPro &dm, int typ, const QString &nazev, const Values &more = {});
