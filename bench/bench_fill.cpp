// "Doplnit" of a delivery note that covers sample inspections with 5,000 extinguishers
// in total: the program's fill (TfDodakC::OpenLines and Doplnit for every section tab,
// 1 to 15, the lines written) against the same fill statements run raw through the same
// client library, every row read. Both run five times; the second and later fills of
// the program find their lines and write the same quantities again. It fails when two
// fills leave different quantities. Target: within 3 x raw, the mean of the runs.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "commerce/dodakc.h"
#include "core/parameters.h"
#include "core/sqlrun.h"
#include "sampledb.h"

namespace {

constexpr int Items = 5000;
constexpr int Runs = 5;

// The statements of the fill rules, as the program runs them for one note.
QStringList fillStatements(const Parameters &p)
{
    const QString items = QStringLiteral(" from cenik c, Pr_tab t, Pr_Hlav h where c.UnCis=t.UnCCen and h.UnCDod=:UnCDod "
                                         "and t.UNCH=h.UnCis ");
    QStringList s;
    for (const QString &states : {p.chargedStates, QStringLiteral("(2,4,14)"), p.disposalStates})
        s << QStringLiteral("SELECT count(t.UnCH) AS Poc , C.SkupProh") + items + QStringLiteral("and (t.status in") + states
                 + QStringLiteral(") group by c.SkupProh ");
    s << QStringLiteral("SELECT count(t.UNCH) AS Poc , C.SkupProh from  cenik c, Vod_tab t, Vod_Hlav h where c.UnCis=t.UnCCen "
                        "and h.UnCDod=:UnCDod and t.UNCH=h.UnCis group by c.SkupProh ");
    s << QStringLiteral("SELECT count(t.UNCH) AS Poc, t.znacka FROM PR_Tab T, Pr_Hlav H WHERE t.UNCH = h.UnCis AND "
                        "h.UnCDod = :UnCDod AND t.Status IN (2,4,14) group by t.znacka ");
    s << QStringLiteral("SELECT count(t.UNCH) FROM Pr_tab t, Pr_Hlav h WHERE h.UnCDod=:UnCDod and t.UNCH=h.UnCis");
    for (const char *states : {"9", "6,4,8,14", "7,9", "2,4,14", "3"})
        s << QStringLiteral("SELECT t.UnCCen, count(t.UNCH)") + items + QStringLiteral("and c.CSekce = 7 and t.Status IN (")
                 + QLatin1String(states) + QStringLiteral(") group by t.UnCCen");
    for (int section : {3, 4, 5, 8, 9, 10, 11})
        s << QStringLiteral("SELECT C.UnCis,SUM(D.Mnozstvi) as Poc FROM Pr_Hlav H,DodDil D, Cenik C WHERE h. UnCDod=:UnCDod "
                            "AND D.UnCPro=H.UnCis AND D.UnCCen=C.UnCis AND C.CSekce=%1 GROUP BY C.UnCis ")
                 .arg(section);
    return s;
}

QString quantities(const TDMPro &dm, int note)
{
    QSqlQuery q = runSql(&dm, QStringLiteral("SELECT CSEKCE, UNCCEN, MNOZ FROM DODAK WHERE UNCH = :N ORDER BY CSEKCE, UNCCEN"),
                         {{QStringLiteral("N"), note}});
    QStringList out;
    while (q.next())
        out << q.value(0).toString() + QLatin1Char('/') + q.value(1).toString() + QLatin1Char('=') + q.value(2).toString();
    return out.join(QLatin1Char(' '));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // no prompt back-end: the reports of groups without a row go nowhere
    TDMPro dm(QStringLiteral("Bench"));
    DM = &dm;
    SampleOptions options;
    options.customers = 70;
    options.perSite = 10;
    SampleCounts counts;
    if (!openSampleDatabase(dm, dir.path() + QStringLiteral("/fill.fdb"), options, &counts))
        return 1;
    Parameters &p = Parameters::instance();
    p.chargedStates = QStringLiteral("(1,4,14,5)");
    p.disposalStates = QStringLiteral("(3,5)");

    // one note over the first inspections that hold 5,000 extinguishers together
    const int note = TfDodakC::insertNote(&dm, 0, 0);
    QSqlQuery q = runSql(&dm, QStringLiteral("SELECT H.UNCIS, (SELECT COUNT(*) FROM PR_TAB T WHERE T.UNCH = H.UNCIS) "
                                             "FROM PR_HLAV H ORDER BY H.UNCIS"));
    QStringList linked;
    int items = 0;
    while (items < Items && q.next()) {
        linked << q.value(0).toString();
        items += q.value(1).toInt();
    }
    q.clear();
    QString error;
    if (note <= 0 || items < Items
        || !runSql(&dm, QStringLiteral("UPDATE PR_HLAV SET UNCDOD = %1 WHERE UNCIS IN (%2)").arg(note).arg(linked.join(QLatin1Char(','))),
                   {}, &error).isActive()) {
        std::fprintf(stderr, "cannot link %d items to a note (%d found): %s\n", Items, items, qPrintable(error));
        return 1;
    }
    std::printf("sample database with %d inspections (%lld items); the note covers %lld inspections with %d items\n",
                counts.inspections, static_cast<long long>(counts.items), static_cast<long long>(linked.size()), items);

    std::unique_ptr<TfDodakC> c(TfClass::create<TfDodakC>(&dm));
    if (!c || c->OpenRecord(note) < 0) {
        std::fprintf(stderr, "cannot open the note\n");
        return 1;
    }
    const QStringList statements = fillStatements(p);
    auto runRaw = [&] {
        QElapsedTimer t;
        t.start();
        long long rows = 0;
        for (const QString &sql : statements) {
            QSqlQuery r = runSql(&dm, sql, {{QStringLiteral("UnCDod"), note}}, &error);
            while (r.next())
                ++rows;
        }
        return t.nsecsElapsed() / 1e6;
    };
    auto runOurs = [&] {
        QElapsedTimer t;
        t.start();
        for (int section = 1; section <= DeliveryNote::LastSection; ++section)
            if (c->OpenLines(section) < 0 || c->Doplnit() < 0)
                error = c->lastError();
        return t.nsecsElapsed() / 1e6;
    };

    runRaw();
    runOurs();
    const QString reference = quantities(dm, note);
    double ours = 0, raw = 0;
    bool same = true;
    for (int run = 0; run < Runs; ++run) {
        ours += runOurs();
        raw += runRaw();
        same = same && quantities(dm, note) == reference;
    }
    ours /= Runs;
    raw /= Runs;
    const int lines = scalarSql(&dm, QStringLiteral("SELECT COUNT(*) FROM DODAK WHERE UNCH = :N"), {{QStringLiteral("N"), note}}).toInt();
    std::printf("fill of 15 sections (%d lines):  ours %8.1f ms   raw %8.1f ms   ratio %.2f  (target within 3 x raw)\n",
                lines, ours, raw, raw > 0 ? ours / raw : 0.0);
    if (!error.isEmpty())
        std::fprintf(stderr, "a fill failed: %s\n", qPrintable(error));
    if (!same || lines == 0) {
        std::fprintf(stderr, "the fills left different quantities or none\n");
        return 1;
    }
    return error.isEmpty() ? 0 : 1;
}
