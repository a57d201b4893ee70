// Loading a data terminal's file of 10,000 extinguishers (50 customers of 200, every
// extinguisher its four lines: label and type, state, placement, test year) into the
// staging table and transferring it into inspections, against the same staging rows and
// the same inspection headers and items written by raw prepared inserts in one
// transaction each. Target: within 3 x raw.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <cstdio>

#include "barcodes/readerload.h"
#include "barcodes/transfer.h"
#include "core/sqlrun.h"
#include "sampledb.h"

namespace {

constexpr int Customers = 50;
constexpr int PerCustomer = 200;

QVector<QSqlRecord> readAll(TDMPro &dm, const QString &sql)
{
    QVector<QSqlRecord> rows;
    QSqlQuery q = runSql(&dm, sql);
    while (q.next())
        rows.append(q.record());
    return rows;
}

// The rows written again by one prepared insert per row, in one transaction.
double rawInsert(TDMPro &dm, const QString &table, const QVector<QSqlRecord> &rows)
{
    if (rows.isEmpty())
        return 0;
    QStringList names, marks;
    for (int i = 0; i < rows.first().count(); ++i) {
        names << rows.first().fieldName(i);
        marks << QStringLiteral("?");
    }
    QSqlDatabase db = dm.database();
    QElapsedTimer t;
    t.start();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    for (const QSqlRecord &r : rows) {
        for (int i = 0; i < r.count(); ++i)
            q.bindValue(i, r.value(i));
        if (!q.exec())
            std::fprintf(stderr, "raw insert into %s failed\n", qPrintable(table));
    }
    db.commit();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SampleOptions o;
    o.customers = Customers;
    SampleCounts counts;
    int rc = 0;
    {
        TDMPro dm(QStringLiteral("Bench"));
        if (!openSampleDatabase(dm, dir.filePath(QStringLiteral("bench.fdb")), o, &counts))
            return 1;
        DM = &dm;
        const QVector<QSqlRecord> firms = readAll(dm, QStringLiteral("SELECT ICO FROM ADRESAR WHERE TYP = 1 AND ICO > '' ORDER BY UNCIS"));
        const QVector<QSqlRecord> types = readAll(dm, QStringLiteral("SELECT KOD FROM CENIK WHERE CSEKCE = 7 ORDER BY UNCIS"));
        const int state = scalarSql(&dm, QStringLiteral("SELECT MIN(UNCIS) FROM S_STAV")).toInt();
        const int place = scalarSql(&dm, QStringLiteral("SELECT MIN(UNCIS) FROM S_UMIST")).toInt();
        const int position = scalarSql(&dm, QStringLiteral("SELECT MIN(UNCIS) FROM POZICE")).toInt();
        QStringList lines;
        int label = 100000;
        for (int c = 0; c < Customers; ++c) {
            const QString ico = firms.isEmpty() ? QStringLiteral("0") : firms.at(c % firms.size()).value(0).toString();
            lines << QStringLiteral("910 %1,1,2/3/2026,8:00,").arg(ico) << QStringLiteral("911 Hala %1").arg(c + 1);
            for (int e = 0; e < PerCustomer; ++e) {
                ++label;
                // every other extinguisher typed, the others known only by their label
                const QString type = e % 2 || types.isEmpty() ? QString() : types.at(e % types.size()).value(0).toString();
                lines << (type.isEmpty() ? QStringLiteral("100 %1,,,").arg(label)
                                         : QStringLiteral("100 %1,%2,%3,%4").arg(label).arg(type).arg(e).arg(e % 100, 2, 10, QLatin1Char('0')))
                      << QStringLiteral("200 %1").arg(state) << QStringLiteral("300 %1,600%2, u okna").arg(place).arg(position)
                      << QStringLiteral("500 %1").arg(e % 30, 2, 10, QLatin1Char('0'));
            }
        }
        const QString file = dir.filePath(QStringLiteral("terminal.txt"));
        {
            QFile f(file);
            f.open(QIODevice::WriteOnly);
            f.write(QStringEncoder("windows-1250").encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        }
        QElapsedTimer t;
        t.start();
        Reader::StagingLoad load(&dm);
        load.showMessages = false;
        const bool loaded = load.loadTerminal(file);
        const double loadMs = t.nsecsElapsed() / 1e6;
        t.restart();
        Reader::TransferResult result;
        QString error;
        const bool transferred = loaded && Reader::transferStaged(&dm, &result, &error);
        const double transferMs = t.nsecsElapsed() / 1e6;
        if (!transferred) {
            std::fprintf(stderr, "load or transfer failed: %s %s\n", qPrintable(error), qPrintable(load.messages().join(QLatin1Char(' '))));
            return 1;
        }
        // the same rows again, raw
        const QVector<QSqlRecord> staged = readAll(dm, QStringLiteral("SELECT * FROM VSTCARKOD ORDER BY UNCIS"));
        const QString newHeaders = QStringLiteral("FROM PR_HLAV WHERE FAKTURA = 'R' AND DATUM = '2026-03-02'");
        const QVector<QSqlRecord> headers = readAll(dm, QStringLiteral("SELECT * ") + newHeaders);
        const QVector<QSqlRecord> items = readAll(dm, QStringLiteral("SELECT * FROM PR_TAB WHERE UNCH IN (SELECT UNCIS ") + newHeaders + QStringLiteral(")"));
        runSql(&dm, QStringLiteral("DELETE FROM PR_TAB WHERE UNCH IN (SELECT UNCIS ") + newHeaders + QStringLiteral(")"));
        runSql(&dm, QStringLiteral("DELETE ") + newHeaders);
        runSql(&dm, QStringLiteral("DELETE FROM VSTCARKOD"));
        const double raw = rawInsert(dm, QStringLiteral("VSTCARKOD"), staged) + rawInsert(dm, QStringLiteral("PR_HLAV"), headers)
                           + rawInsert(dm, QStringLiteral("PR_TAB"), items);
        const double ours = loadMs + transferMs;
        std::printf("%d extinguishers (%d staged rows), %d inspections, %d items\n", load.extinguishers(), int(staged.size()),
                    result.inspections, result.items);
        std::printf("%-36s %10s %10s %8s  %s\n", "step", "ours ms", "raw ms", "ratio", "target");
        std::printf("%-36s %10.1f\n", "  load of the terminal file", loadMs);
        std::printf("%-36s %10.1f\n", "  transfer into inspections", transferMs);
        std::printf("%-36s %10.1f %10.1f %8.2f  %s\n", "load and transfer", ours, raw, ours / raw, "3.00");
        if (load.extinguishers() != Customers * PerCustomer || result.items != Customers * PerCustomer)
            rc = 1;
        DM = nullptr;
    }
    return rc;
}
