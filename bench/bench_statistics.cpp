// The extinguisher statistics by manufacturer ("Kontroly HP po výrobcích") over about
// one million extinguisher items of ten years: the program's report (the statement,
// the lines gathered per type and group, the pages rendered) against the same
// statement run raw through the same client library, every row read to its last
// column. Target: within 2 x raw (the mean of three runs each). Fails when the report's
// totals differ from a direct count of the items by state.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <cstdio>

#include "admin/sampledata.h"
#include "reports/konsest.h"
#include "sampledb.h"

namespace {

constexpr int Runs = 3;

} // namespace

int main(int argc, char **argv)
{
    // the pages are laid out with fonts: a platform without a screen will do
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QElapsedTimer setup;
    setup.start();
    // 10,100 sites, ten yearly inspections of 10 extinguishers: about 1,000,000 items
    SampleOptions o;
    o.customers = 5050;
    o.sitesPerCustomer = 2;
    o.technicians = 20;
    o.years = 10;
    o.perSite = 10;
    o.lastYear = 2024;
    SampleCounts counts;
    int rc = 0;
    {
        TDMPro dm(QStringLiteral("Bench"));
        if (!openSampleDatabase(dm, dir.path() + QStringLiteral("/statistics.fdb"), o, &counts))
            return 1;
        std::printf("database with %lld items in %d inspections ready in %.1f s\n",
                    static_cast<long long>(counts.items), counts.inspections, setup.elapsed() / 1000.0);

        InspectionStatistics::Filter filter;
        filter.from = QDate(2015, 1, 1);
        filter.to = QDate(2024, 12, 31);
        SqlParameters parameters;
        const QString sql = InspectionStatistics::statement(InspectionStatistics::Kind::HpVyrobce, filter, &parameters);

        double rawMs = 0, oursMs = 0, linesMs = 0;
        int rawRows = 0, pages = 0;
        QVector<QVariantList> lines;
        for (int run = 0; run < Runs; ++run) {
            QElapsedTimer t;
            t.start();
            {
                QSqlQuery q = dm.NewQuery();
                q.setForwardOnly(true);
                q.prepare(sql);
                bindParameters(q, parameters);
                if (!q.exec()) {
                    std::fprintf(stderr, "raw statement failed\n");
                    return 1;
                }
                rawRows = 0;
                while (q.next()) {
                    ++rawRows;
                    for (int c = 0; c < q.record().count(); ++c)
                        (void)q.value(c);
                }
            }
            rawMs += t.nsecsElapsed() / 1e6;

            t.restart();
            QString error;
            if (!InspectionStatistics::lines(&dm, InspectionStatistics::Kind::HpVyrobce, filter, &lines, &error)) {
                std::fprintf(stderr, "lines failed: %s\n", qPrintable(error));
                return 1;
            }
            linesMs += t.nsecsElapsed() / 1e6;

            t.restart();
            Print::Document document;
            if (!InspectionStatistics::render(&dm, InspectionStatistics::Kind::HpVyrobce, filter, ListPrintOptions(),
                                              &document, &error)) {
                std::fprintf(stderr, "report failed: %s\n", qPrintable(error));
                return 1;
            }
            oursMs += t.nsecsElapsed() / 1e6;
            pages = int(document.pages.size());
        }
        rawMs /= Runs;
        oursMs /= Runs;
        linesMs /= Runs;

        // the report's totals against a direct count by state
        qint64 reported[5] = {0, 0, 0, 0, 0};
        for (const QVariantList &line : lines)
            for (int c = 0; c < 5; ++c)
                reported[c] += line.at(3 + c).toLongLong();
        QSqlQuery direct = dm.NewQuery();
        direct.exec(QStringLiteral("SELECT SUM(IIF(T.STATUS IN (1, 2, 3, 4, 5), 1, 0)), SUM(IIF(T.STATUS IN (2, 4), 1, 0)), "
                                   "SUM(IIF(T.STATUS IN (3, 5), 1, 0)), SUM(IIF(T.STATUS IN (6, 8), 1, 0)), "
                                   "SUM(IIF(T.STATUS IN (7, 9), 1, 0)) FROM PR_TAB T JOIN PR_HLAV H ON H.UNCIS = T.UNCH "
                                   "WHERE H.DATUM BETWEEN '01.01.2015' AND '31.12.2024'"));
        if (!direct.next()) {
            std::fprintf(stderr, "direct count failed\n");
            return 1;
        }
        for (int c = 0; c < 5; ++c)
            if (direct.value(c).toLongLong() != reported[c]) {
                std::fprintf(stderr, "column %d: report %lld, direct count %lld\n", c + 1,
                             static_cast<long long>(reported[c]), direct.value(c).toLongLong());
                rc = 1;
            }

        const double ratio = oursMs / rawMs;
        std::printf("raw statement: %.1f ms (%d rows)\n", rawMs, rawRows);
        std::printf("program, lines only: %.1f ms (%lld lines)\n", linesMs, static_cast<long long>(lines.size()));
        std::printf("program, lines and %d pages: %.1f ms\n", pages, oursMs);
        std::printf("ratio %.2f x raw (target: within 2 x) %s\n", ratio, ratio <= 2.0 ? "ok" : "MISSED");
        if (ratio > 2.0)
            rc = 1;
    }
    return rc;
}
