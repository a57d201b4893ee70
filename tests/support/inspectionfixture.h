#pragma once
// A stored inspection of owner 10 at site 20 (unless told otherwise) by technician 30,
// open in its controller, for the tests of every inspection kind.
#include <QDate>
#include <QString>

template <class Controller>
int newInspection(Controller &c, const QDate &datum, const QString &pravid = QStringLiteral("A"), int fir = 10,
                  int str = 20)
{
    c.defaults().ClearVariables();
    c.PresetNewInspection(datum);
    c.SetVariable(QStringLiteral("PRAVID"), pravid);
    c.SetVariable(QStringLiteral("UNCFIR"), fir);
    c.SetVariable(QStringLiteral("UNCSTR"), str);
    c.SetVariable(QStringLiteral("UNCTECH"), 30);
    const int key = c.InsertRecord();
    if (key > 0)
        c.OpenRecord(key);
    return key;
}
