// The price list's stock column at a realistic warehouse size. The price list (TfCenikS
// as "Sklad / Ceník" opens it) joins every item with its stock on hand (SKLADSUMFIR),
// which the database keeps from the stock slips. The first screen of that list is timed
// on a small sample database with an empty warehouse, then again after 200,000 slip
// lines (2,000 slips of purchases, transfers and sales between two stores and an outside
// firm) have been written; the report gives both times, the mean of five openings each,
// and their ratio (target: within 2 x). Writing the lines is timed too, since that is
// where keeping the stock costs. The benchmark fails when the stock shown differs from a
// recount of the slips.
#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

#include "admin/sampledata.h"
#include "commerce/ceniks.h"
#include "core/class.h"
#include "core/settingsstore.h"
#include "core/sqlrun.h"
#include "sampledb.h"

namespace {

constexpr int Runs = 5;
constexpr int Slips = 2000;
constexpr int LinesPerSlip = 100;

// One opening of the price list until its first screen is painted.
double firstScreenMs()
{
    QElapsedTimer t;
    t.start();
    TfCenikS *list = OtevriCenik();
    if (!list)
        return -1;
    list->grid()->viewport()->repaint();
    const double ms = t.nsecsElapsed() / 1e6;
    delete list;
    QCoreApplication::processEvents();
    return ms;
}

double meanFirstScreenMs()
{
    double sum = 0;
    for (int i = 0; i < Runs; ++i)
        sum += firstScreenMs();
    return sum / Runs;
}

QVector<int> keys(TDMPro &dm, const QString &sql)
{
    QVector<int> out;
    QSqlQuery q = runSql(&dm, sql);
    while (q.next())
        out << q.value(0).toInt();
    return out;
}

bool writeSlips(TDMPro &dm, const QVector<int> &items, const QVector<int> &parties, QString *error)
{
    return inTransaction(&dm, [&](QString *e) {
        QSqlQuery h = dm.NewQuery(), p = dm.NewQuery();
        if (!prepareSql(h, QStringLiteral("INSERT INTO SKLADPREVODH (UNCIS, CDT, UNCVYD, UNCPRI, DATUM, TYPPOH, ZAMEK, KLIC) "
                                          "VALUES (:UNCIS, :CDT, :UNCVYD, :UNCPRI, :DATUM, :TYPPOH, 'N', 0)"), e)
            || !prepareSql(p, QStringLiteral("INSERT INTO SKLADPREVODP (UNCIS, UNCH, UNCMAT, MNOZ, NAKCEN, CENA, TYPPOH, STAV, "
                                             "NOVSTAV, KLIC) VALUES (:UNCIS, :UNCH, :UNCMAT, :MNOZ, 10, :CENA, :TYPPOH, 1, 1, 0)"), e))
            return false;
        const QString kinds = QStringLiteral("NNOP");
        int line = 1;
        for (int s = 1; s <= Slips; ++s) {
            const QString kind = kinds.at(s % kinds.size());
            const int firm = parties.at(0), store1 = parties.at(1), store2 = parties.at(2);
            const int vyd = kind == QLatin1String("N") ? firm : (s % 2 ? store1 : store2);
            const int pri = kind == QLatin1String("P") ? firm : (kind == QLatin1String("O") ? (s % 2 ? store2 : store1) : store1);
            if (!execSql(h, {{QStringLiteral("UNCIS"), s * 100 + 1}, {QStringLiteral("CDT"), QString::number(s)},
                             {QStringLiteral("UNCVYD"), vyd}, {QStringLiteral("UNCPRI"), pri},
                             {QStringLiteral("DATUM"), QDate(2020, 1, 1).addDays(s / 4)}, {QStringLiteral("TYPPOH"), kind}}, e))
                return false;
            for (int l = 0; l < LinesPerSlip; ++l, ++line) {
                const double mnoz = 1 + line % 5;
                if (!execSql(p, {{QStringLiteral("UNCIS"), line * 100 + 1}, {QStringLiteral("UNCH"), s * 100 + 1},
                                 {QStringLiteral("UNCMAT"), items.at(line % items.size())}, {QStringLiteral("MNOZ"), mnoz},
                                 {QStringLiteral("CENA"), mnoz * 10}, {QStringLiteral("TYPPOH"), kind}}, e))
                    return false;
            }
        }
        return true;
    }, error);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SettingsStore::setFilePath(dir.path() + QStringLiteral("/settings.ini"));

    SampleCounts counts;
    TDMPro dm;
    DM = &dm;
    if (!openSampleDatabase(dm, dir.path() + QStringLiteral("/bench.fdb"), SampleOptions(), &counts))
        return 1;
    const QVector<int> items = keys(dm, QStringLiteral("SELECT UNCIS FROM CENIK ORDER BY UNCIS"));
    const QVector<int> parties = keys(dm, QStringLiteral("SELECT FIRST 3 UNCIS FROM ADRESAR ORDER BY UNCIS"));
    if (items.isEmpty() || parties.size() < 3) {
        std::fprintf(stderr, "the sample has no price list or too few addresses\n");
        return 1;
    }
    std::printf("sample database with %d price-list items\n", int(items.size()));

    // the first window of a process loads fonts and styles: not the list's cost
    firstScreenMs();
    const double emptyMs = meanFirstScreenMs();

    QElapsedTimer t;
    t.start();
    QString error;
    if (!writeSlips(dm, items, parties, &error)) {
        std::fprintf(stderr, "cannot write the slips: %s\n", qPrintable(error));
        return 1;
    }
    const double writeS = t.elapsed() / 1000.0;
    std::printf("%d slip lines written in %.1f s (%.0f lines/s)\n", Slips * LinesPerSlip, writeS,
                Slips * LinesPerSlip / qMax(writeS, 0.001));
    const double fullMs = meanFirstScreenMs();

    // the stock shown is the recount of the slips: received minus issued per item
    const int wrong = scalarSql(&dm, QStringLiteral(
        "SELECT COUNT(*) FROM CENIK C JOIN SKLADSUMFIR S ON S.UNCMAT = C.UNCIS WHERE ABS(S.MNOZSTVI - COALESCE(("
        "SELECT SUM(IIF(H.TYPPOH IN ('N','O','V'), P.MNOZ, 0) - IIF(H.TYPPOH IN ('P','O'), P.MNOZ, 0)) "
        "FROM SKLADPREVODP P JOIN SKLADPREVODH H ON H.UNCIS = P.UNCH WHERE P.UNCMAT = C.UNCIS), 0)) > 0.0001")).toInt();

    const double ratio = emptyMs > 0 ? fullMs / emptyMs : 0;
    std::printf("\n%-46s %10s\n", "price list, first screen (mean of 5)", "ms");
    std::printf("%-46s %10.1f\n", "empty warehouse", emptyMs);
    std::printf("%-46s %10.1f\n", "200,000 slip lines", fullMs);
    std::printf("%-46s %10.2f  (target <= 2: %s)\n", "ratio", ratio, ratio <= 2 ? "met" : "NOT MET");
    if (wrong)
        std::printf("%d items show a stock other than the recount of the slips\n", wrong);
    dm.close();
    DM = nullptr;
    return wrong ? 1 : 0;
}
