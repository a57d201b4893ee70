// Carry-forward ("Zkopírovat") of an inspection with 1,000 extinguishers into next
// year's inspection: the program's own TfHPC::CarryForward (the header and the items
// that stay at the customer copied with their resets, the years checked against the
// serial numbers, the new inspection opened, all in one transaction) against the same
// copy written raw through the same client library: one INSERT ... SELECT of the header
// and one of the items that stay, with the same resets, in one transaction. Both run the
// same number of times on a small sample database; every copy must come out alike (the
// header's reset columns and every item in the order shown). Target: within 3 x raw.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "admin/sampledata.h"
#include "sampledb.h"
#include "core/parameters.h"
#include "core/sqlrun.h"
#include "inspections/hpc.h"

namespace {

constexpr int Items = 1000;
constexpr int Runs = 5;

// The columns a copy writes besides the key (and the inspection of an item); KDY is
// the triggers' own.
const QString HeaderColumns = QStringLiteral(
    "PRAVID, DATUM, FAKTURA, VYRPROT, POZN, UNCTECH, UNCTECH2, UNCFIR, UNCSTR, POCHP, UNCDOD, "
    "CISPRO, PCISLO, CASNAR, CENA, ZAMEK, ZAPATI, KLIC, KDO");
const QString ItemColumns = QStringLiteral(
    "OBJEKT, MISTO, ZNACKA, OPRTEXT, DRUH, VYRCIS, STAV, POZN, HP, ROK, VYROBCE, STATUS, PREDILNA, "
    "PREVYRAZ, UNCCEN, PRESKLAD, PORADI, POSDIL, CARKOD, UNCPOM, KLIC, KDO, NAKSTR");

// What a copy must look like, row by row: the header's reset and kept columns, then
// every item in the order the inspection shows them.
QStringList contentsOf(const TDMPro &dm, int key, int *items)
{
    QStringList out;
    const SqlParameters at{{QStringLiteral("K"), key}};
    auto read = [&](const QString &sql) {
        QSqlQuery q = runSql(&dm, sql, at);
        int rows = 0;
        while (q.next()) {
            QStringList row;
            for (int c = 0; c < q.record().count(); ++c)
                row << q.value(c).toString();
            out << row.join(QLatin1Char('|'));
            ++rows;
        }
        return rows;
    };
    read(QStringLiteral("SELECT DATUM, PCISLO, UNCDOD, COALESCE(CISPRO, ''), ZAMEK, FAKTURA, POCHP, PRAVID, "
                        "UNCFIR, UNCSTR, UNCTECH FROM PR_HLAV WHERE UNCIS = :K"));
    *items = read(QStringLiteral("SELECT VYRCIS, HP, ZNACKA, STATUS, STAV, POZN, OPRTEXT, PORADI, ROK, OBJEKT, "
                                 "MISTO, CARKOD, UNCCEN FROM PR_TAB WHERE UNCH = :K ORDER BY PORADI, UNCPOM"));
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // no prompt back-end is installed: the carry-forward's "Hotovo" goes nowhere
    int rc = 0;
    {
        TDMPro dm(QStringLiteral("Bench"));
        DM = &dm;
        SampleCounts counts;
        if (!openSampleDatabase(dm, dir.path() + QStringLiteral("/carry.fdb"), SampleOptions(), &counts))
            return 1;
        const QString db = QString::number(Parameters::instance().databaseNumber);
        QString error;

        // The inspection carried forward: a sample inspection's header with a number,
        // a delivery note, locked and invoiced, and one sample item copied 1,000 times
        // in every movement state (the departed ones, 2, 3, 5 and 10, are dropped by the
        // copy), with a condition, a note and a refinement to reset, in two objects and
        // arranged against the order of their keys.
        const QVariant sampleItem = scalarSql(&dm, QStringLiteral("SELECT MIN(UNCIS) FROM PR_TAB"));
        const int source = int(dm.NextKey(QStringLiteral("PR_HLAV")));
        // the block's variables are no bind parameters: it is executed unprepared
        const QString itemsBlock =
            QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < %1) DO BEGIN "
                           "INSERT INTO PR_TAB (UNCIS, UNCH, %2) SELECT GEN_ID(PR_TAB, 1) * 100 + %3, %4, "
                           "OBJEKT, MISTO, HP || ' - vymena', 'vymena', DRUH, 'B' || LPAD(:I, 4, '0') || '/15', "
                           "'stav', 'pozn', HP, 2015, VYROBCE, MOD(:I, 11), PREDILNA, PREVYRAZ, UNCCEN, "
                           "PRESKLAD, MOD(:I, 2), POSDIL, 5000 + :I, %1 - :I, KLIC, KDO, NAKSTR "
                           "FROM PR_TAB WHERE UNCIS = %5; I = I + 1; END END")
                .arg(Items)
                .arg(ItemColumns, db)
                .arg(source)
                .arg(sampleItem.toInt());
        const bool made = !sampleItem.isNull() && source > 0 && inTransaction(&dm, [&](QString *failure) {
            QSqlQuery q = dm.NewQuery();
            if (!runSql(q,
                        QStringLiteral("INSERT INTO PR_HLAV (UNCIS, %1) SELECT :K, PRAVID, DATUM, 'H', VYRPROT, POZN, "
                                       "UNCTECH, UNCTECH2, UNCFIR, UNCSTR, POCHP, 4401, 'HP-1000', 1000, CASNAR, "
                                       "CENA, 'A', ZAPATI, KLIC, KDO FROM PR_HLAV WHERE UNCIS = "
                                       "(SELECT UNCH FROM PR_TAB WHERE UNCIS = :ITEM)")
                            .arg(HeaderColumns),
                        {{QStringLiteral("K"), source}, {QStringLiteral("ITEM"), sampleItem}}, failure))
                return false;
            if (q.exec(itemsBlock))
                return true;
            *failure = q.lastError().text();
            return false;
        }, &error);
        if (!made) {
            std::fprintf(stderr, "cannot make the inspection to carry forward: %s\n", qPrintable(error));
            return 1;
        }
        const QString itemCount = QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = :K");
        const SqlParameters ofSource{{QStringLiteral("K"), source}};
        const int total = scalarSql(&dm, itemCount, ofSource).toInt();
        const int kept =
            scalarSql(&dm, itemCount + QStringLiteral(" AND STATUS NOT IN (2, 3, 5, 10)"), ofSource).toInt();
        std::printf("sample database with %d inspections (%lld items); inspection %d with %d items, %d of them "
                    "still at the customer\n",
                    counts.inspections, static_cast<long long>(counts.items), source, total, kept);
        if (total != Items) {
            std::fprintf(stderr, "the inspection to carry forward has %d items, not %d\n", total, Items);
            return 1;
        }

        // raw: the header and the items that stay, with the resets written straight into
        // the copy; the items keep their positions, which keeps their order
        const QString rawHeader = QStringLiteral(
            "INSERT INTO PR_HLAV (UNCIS, %1) SELECT :NEW, PRAVID, CURRENT_DATE, 'P', VYRPROT, POZN, UNCTECH, "
            "UNCTECH2, UNCFIR, UNCSTR, 0, 0, NULL, 0, CASNAR, CENA, 'N', ZAPATI, KLIC, KDO FROM PR_HLAV "
            "WHERE UNCIS = :OLD").arg(HeaderColumns);
        const QString rawItems = QStringLiteral(
            "INSERT INTO PR_TAB (UNCIS, UNCH, %1) SELECT GEN_ID(PR_TAB, 1) * 100 + %2, :NEW, OBJEKT, MISTO, HP, '', "
            "DRUH, VYRCIS, '', '', HP, ROK, VYROBCE, 0, PREDILNA, PREVYRAZ, UNCCEN, PRESKLAD, PORADI, POSDIL, "
            "CARKOD, UNCPOM, KLIC, KDO, NAKSTR FROM PR_TAB WHERE UNCH = :OLD AND "
            "(STATUS IS NULL OR STATUS NOT IN (2, 3, 5, 10)) ORDER BY PORADI, UNCPOM, UNCIS").arg(ItemColumns, db);
        auto runRaw = [&](int *newKey) {
            QElapsedTimer t;
            t.start();
            TransactionGuard guard(&dm);
            QSqlQuery q = dm.NewQuery();
            bool ok = runSql(q, QStringLiteral("SELECT GEN_ID(PR_HLAV, 1) * 100 + %1 FROM RDB$DATABASE").arg(db),
                             {}, &error)
                      && q.next();
            *newKey = ok ? q.value(0).toInt() : -1;
            const SqlParameters keys{{QStringLiteral("NEW"), *newKey}, {QStringLiteral("OLD"), source}};
            ok = ok && runSql(q, rawHeader, keys, &error) && runSql(q, rawItems, keys, &error);
            q.clear();
            if (!ok || !guard.commit()) {
                *newKey = -1;
                error = ok ? guard.lastError() : error;
            }
            return t.nsecsElapsed() / 1e6;
        };
        std::unique_ptr<TfHPC> hpc(TfClass::create<TfHPC>(&dm));
        if (!hpc) {
            std::fprintf(stderr, "cannot create the inspection controller\n");
            return 1;
        }
        auto runOurs = [&](int *newKey) {
            QElapsedTimer t;
            t.start();
            *newKey = hpc->CarryForward(source);
            if (*newKey <= 0)
                error = hpc->lastError();
            return t.nsecsElapsed() / 1e6;
        };

        // one untimed copy on each side reads the source into the page cache; then the
        // two sides take turns
        QVector<int> ourCopies, rawCopies;
        QVector<double> ourMs, rawMs;
        int key = 0;
        runOurs(&key);
        ourCopies << key;
        runRaw(&key);
        rawCopies << key;
        for (int run = 0; run < Runs; ++run) {
            ourMs << runOurs(&key);
            ourCopies << key;
            rawMs << runRaw(&key);
            rawCopies << key;
        }

        // every copy alike: the first of the program's is the reference
        int ourItems = -1, rawItemsCount = -1;
        const QStringList reference = ourCopies.constFirst() > 0 ? contentsOf(dm, ourCopies.constFirst(), &ourItems)
                                                                 : QStringList();
        int differing = 0;
        for (const QVector<int> *copies : {&ourCopies, &rawCopies})
            for (int copy : *copies) {
                int n = -1;
                if (copy <= 0 || contentsOf(dm, copy, &n) != reference)
                    ++differing;
                if (copies == &rawCopies)
                    rawItemsCount = n;
            }

        double ours = 0, raw = 0;
        for (int run = 0; run < Runs; ++run) {
            ours += ourMs.at(run);
            raw += rawMs.at(run);
        }
        ours /= Runs;
        raw /= Runs;
        const double ourBest = *std::min_element(ourMs.cbegin(), ourMs.cend());
        const double rawBest = *std::min_element(rawMs.cbegin(), rawMs.cend());
        const double ratio = raw > 0 ? ours / raw : 0;
        std::printf("\n%-44s %10s %10s %8s  %s\n", "step", "ours ms", "raw ms", "ratio", "target");
        std::printf("%-44s %10.1f %10.1f %8.2f  %s\n",
                    qPrintable(QStringLiteral("carry-forward of %1 items (mean of %2)").arg(Items).arg(Runs)), ours,
                    raw, ratio, ratio <= 3.0 ? "<= 3 met" : "NOT MET");
        std::printf("%-44s %10.1f %10.1f %8.2f  %s\n", "  fastest run", ourBest, rawBest,
                    rawBest > 0 ? ourBest / rawBest : 0, "-");
        std::printf("items in each copy: %d (raw %d, expected %d); copies unlike the first: %d of %d\n", ourItems,
                    rawItemsCount, kept, differing, int(ourCopies.size() + rawCopies.size()));
        if (differing > 0 || ourItems != kept || rawItemsCount != kept) {
            std::fprintf(stderr, "the carry-forward and the raw copy differ: %s\n", qPrintable(error));
            rc = 1;
        }
        hpc.reset();
        dm.close();
        DM = nullptr;
    }
    Firebird::shutdownEngine();
    return rc;
}
