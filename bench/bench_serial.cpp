// The serial-number search ("Dohledání HP") over one million extinguisher items of the
// sample database: the program's search (HPSerialSearch, the statement with its joins
// to the inspection, owner and technician prepared once and executed again for every
// typed number, each time in a short read-only transaction of its own) against the
// same statement run raw through the same client library the ordinary way (prepared,
// bound, executed and read for each number), every row read to its last column on
// both sides. Target: within 2 x raw. Shown beside it, without targets: the bare
// lookup of the items through the serial-number index without the joins (raw, per
// number), and the raw statement prepared once and re-executed inside one transaction
// (the least the driver can do; it sees nothing committed after its start, so the
// program cannot search that way).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

#include "admin/sampledata.h"
#include "sampledb.h"
#include "inspections/serialsearch.h"

namespace {

constexpr int Searches = 400;

// Reads every column of every row; returns the number of rows.
int drain(QSqlQuery &q)
{
    int n = 0;
    while (q.next()) {
        ++n;
        for (int c = 0; c < q.record().count(); ++c)
            (void)q.value(c);
    }
    return n;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QElapsedTimer setup;
    setup.start();
    // 10,100 sites, 5 yearly inspections of 20 extinguishers (fewer in the prepared
    // ones): just over 1,000,000 items
    SampleOptions o;
    o.customers = 5050;
    o.sitesPerCustomer = 2;
    o.technicians = 20;
    o.years = 5;
    o.perSite = 20;
    SampleCounts counts;
    QString error;
    int rc = 0;
    {
        TDMPro dm(QStringLiteral("Bench"));
        if (!openSampleDatabase(dm, dir.path() + QStringLiteral("/serial.fdb"), o, &counts))
            return 1;
        std::printf("database with %lld items in %d inspections ready in %.1f s\n",
                    static_cast<long long>(counts.items), counts.inspections, setup.elapsed() / 1000.0);

        // what technicians type: the number without the year of manufacture, spread
        // over the whole index
        QStringList typed;
        {
            QSqlQuery q = dm.NewQuery();
            q.setForwardOnly(true);
            q.exec(QStringLiteral("SELECT VYRCIS FROM PR_TAB WHERE MOD(UNCIS / 100, %1) = 0")
                       .arg(counts.items / Searches));
            while (q.next() && typed.size() < Searches)
                typed << q.value(0).toString().section(QLatin1Char('/'), 0, 0);
        }
        // raw: the search's own statement, prepared, bound and read by hand; bare: the
        // items alone through the serial-number index (shows what the joins cost)
        const QString rawSql = QStringLiteral(
            "SELECT  h.datum, a.nazev, t.druh, t.stav, t.vyrcis, b.prijmeni as jmepri, t.hp, h.uncis, "
            "t.uncis as tuncis FROM PR_TAB t JOIN PR_HLAV h ON h.UNCIS = t.UNCH "
            "LEFT JOIN Adresar a ON a.UnCis = h.uncfir LEFT JOIN Adresar b ON b.Uncis = h.UnCTech "
            "WHERE t.VYRCIS STARTING WITH :VYRCIS ORDER BY t.VYRCIS ");
        const QString bareSql = QStringLiteral("SELECT t.vyrcis, t.unch, t.uncis FROM PR_TAB t "
                                               "WHERE t.VYRCIS STARTING WITH :VYRCIS ORDER BY t.VYRCIS");

        auto runRaw = [&](const QString &sql, long long *rows) {
            QElapsedTimer t;
            t.start();
            for (const QString &s : typed) {
                QSqlQuery q = dm.NewQuery();
                q.setForwardOnly(true);
                q.prepare(sql);
                q.bindValue(QStringLiteral(":VYRCIS"), s);
                q.exec();
                *rows += drain(q);
            }
            return t.nsecsElapsed() / 1e6;
        };
        // the same statement prepared once, executed again and again in one transaction
        auto runRawOnce = [&](long long *rows) {
            QElapsedTimer t;
            t.start();
            TransactionGuard guard(&dm);
            QSqlQuery q = dm.NewQuery();
            q.setForwardOnly(true);
            q.prepare(rawSql);
            for (const QString &s : typed) {
                q.bindValue(QStringLiteral(":VYRCIS"), s);
                q.exec();
                *rows += drain(q);
            }
            q.clear();
            guard.commit();
            return t.nsecsElapsed() / 1e6;
        };
        HPSerialSearch search(&dm);
        bool searchFailed = false;
        auto runOurs = [&](long long *rows) {
            QElapsedTimer t;
            t.start();
            QVector<HPSerialSearch::Row> found;
            for (const QString &s : typed) {
                searchFailed = !search.find(s, &found, &error) || searchFailed;
                *rows += found.size();
            }
            return t.nsecsElapsed() / 1e6;
        };
        long long warm = 0;
        runRaw(rawSql, &warm);    // every side reads from a warm page cache
        runRaw(bareSql, &warm);
        runRawOnce(&warm);
        runOurs(&warm);
        long long rawRows = 0, bareRows = 0, onceRows = 0, ourRows = 0;
        const double raw = runRaw(rawSql, &rawRows);
        const double bare = runRaw(bareSql, &bareRows);
        const double once = runRawOnce(&onceRows);
        const double ours = runOurs(&ourRows);
        const double ratio = raw > 0 ? ours / raw : 0;
        const int n = qMax(1, int(typed.size()));
        std::printf("\n%-44s %10s %10s %8s  %s\n", "step", "ours ms", "raw ms", "ratio", "target");
        std::printf("%-44s %10.1f %10.1f %8.2f  %s\n",
                    qPrintable(QStringLiteral("%1 serial searches").arg(typed.size())), ours, raw, ratio,
                    ratio <= 2.0 ? "<= 2 met" : "NOT MET");
        std::printf("%-44s %10.1f %10.1f %8.2f  %s\n", "  against the items alone (no joins)", ours, bare,
                    bare > 0 ? ours / bare : 0, "-");
        std::printf("%-44s %10.1f %10.1f %8.2f  %s\n", "  against raw prepared once, one transaction", ours, once,
                    once > 0 ? ours / once : 0, "-");
        std::printf("%-44s %10.3f %10.3f\n", "per search", ours / n, raw / n);
        std::printf("rows found: %lld (raw %lld, items alone %lld, prepared once %lld); statement prepared %d time(s)\n",
                    ourRows, rawRows, bareRows, onceRows, search.preparations());
        if (searchFailed || ourRows != rawRows || ourRows != bareRows || ourRows != onceRows || typed.isEmpty()) {
            std::fprintf(stderr, "the search failed or found other rows than the raw query: %s\n", qPrintable(error));
            rc = 1;
        }
        dm.close();
    }
    Firebird::shutdownEngine();
    return rc;
}
