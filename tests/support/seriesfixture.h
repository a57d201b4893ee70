#pragma once
// What the number-series tests share: a fresh program database, the working year
// and month, and series added the way the series window adds them.
#include "core/dokrad.h"
#include "core/parameters.h"
#include "support/programdatabasetest.h"

class SeriesFixture : public ProgramDatabaseTest
{
protected:
    void startFresh()
    {
        ProgramDatabaseTest::startFresh();
        Parameters::instance().year = 2026;
        Parameters::instance().month = 3;
        UserName = QStringLiteral("novakova");
    }

    qint64 generator(const QString &code)
    {
        qint64 value = -1;
        DocumentSeries(DM).readValue(code, &value);
        return value;
    }
    bool generatorExists(const QString &name)
    {
        return scalar(QStringLiteral("SELECT COUNT(*) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = '%1'")
                          .arg(name))
                   .toInt()
               > 0;
    }
    int seriesRows(const QString &code)
    {
        return scalar(QStringLiteral("SELECT COUNT(*) FROM DOKRAD WHERE KOD = '%1'").arg(code)).toInt();
    }
    // A series added the way the window adds it, its format and counter set.
    void series(const QString &code, const QString &format, qint64 value)
    {
        QCOMPARE(DocumentSeries(DM).add(QStringLiteral("Řada ") + code, code), int(DocumentSeries::Done));
        exec(QStringLiteral("UPDATE DOKRAD SET FORMAT = '%1' WHERE KOD = '%2'").arg(format, code));
        QVERIFY(DM->executeDdl(QStringLiteral("SET GENERATOR X%1 TO %2").arg(code).arg(value)));
    }
    QString next(const QString &code, int *sequence = nullptr, const QString &technician = QString())
    {
        int s = -7;
        const QString number = NextDocumentNumber(code, technician, s);
        if (sequence)
            *sequence = s;
        return number;
    }
};
