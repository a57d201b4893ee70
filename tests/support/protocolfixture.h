#pragma once
// A stored inspection of owner 10 at site 20 (unless told otherwise) by technician 30,
// open in its controller, for the tests of every inspection kind.
#include <QDate>
#include <QString>
#include <QTest>

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

// The dates of the regular-inspection check, the same for every inspection kind: the
// last regular inspection of the site was on 1.3.2024 (columns datum, pravid and the
// message shown, empty for none).
inline void regularInspectionRows()
{
    QTest::addColumn<QDate>("datum");
    QTest::addColumn<QString>("pravid");
    QTest::addColumn<QString>("message");
    const QString nemela = QStringLiteral("V tomto období by\nN E M Ě L A\nbýt provedena pravidelná prohlídka");
    const QString mela = QStringLiteral("V tomto období by\nM Ě L A\nbýt provedena pravidelná prohlídka");
    QTest::newRow("regular too early") << QDate(2025, 2, 5) << "A" << nemela;
    QTest::newRow("regular in time") << QDate(2025, 2, 15) << "A" << QString();
    QTest::newRow("non-regular late") << QDate(2025, 2, 15) << "N" << mela;
    QTest::newRow("non-regular on the limit") << QDate(2025, 2, 9) << "N" << QString();
}
