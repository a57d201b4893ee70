// tarko8-sample: fills a database with sample data (creating it with the whole schema
// when the file does not exist), so the program can be tried and measured on
// realistic data.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

#include "admin/sampledata.h"
#include "db/schema.h"
#include "core/firebird.h"
#include "core/secrets.h"

static int fail(const QString &text)
{
    std::fprintf(stderr, "tarko8-sample: %s\n", qPrintable(Secrets::scrubbed(text)));
    return 1;
}

static int run(QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Fills a database with sample data (customers, technicians, "
                                                    "price list, number series, years of extinguisher inspections)."));
    parser.addHelpOption();
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("Database file (created when absent)."),
                                      QStringLiteral("path"));
    const QCommandLineOption scale(QStringLiteral("scale"), QStringLiteral("small, medium or large (default small)."),
                                   QStringLiteral("name"), QStringLiteral("small"));
    const QCommandLineOption customers(QStringLiteral("customers"), QStringLiteral("Number of customers."), QStringLiteral("n"));
    const QCommandLineOption years(QStringLiteral("years"), QStringLiteral("Years of inspections."), QStringLiteral("n"));
    const QCommandLineOption perSite(QStringLiteral("per-site"), QStringLiteral("Extinguishers per site."), QStringLiteral("n"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Database user (default SYSDBA)."),
                                  QStringLiteral("name"), QStringLiteral("SYSDBA"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Password."), QStringLiteral("text"),
                                      QStringLiteral("vorlipsan"));
    parser.addOptions({database, scale, customers, years, perSite, user, password});
    parser.process(app);

    if (!parser.isSet(database))
        return fail(QStringLiteral("--database <path> is required"));
    SampleOptions options;
    if (!SampleOptions::fromScale(parser.value(scale), &options))
        return fail(QStringLiteral("unknown scale \"%1\" (small, medium, large)").arg(parser.value(scale)));
    const struct { const QCommandLineOption &option; int *target; int minimum; } numbers[] = {
        {customers, &options.customers, 0}, {years, &options.years, 1}, {perSite, &options.perSite, 1}};
    for (const auto &n : numbers) {
        if (!parser.isSet(n.option))
            continue;
        bool ok = false;
        const int v = parser.value(n.option).toInt(&ok);
        if (!ok || v < n.minimum)
            return fail(QStringLiteral("--%1 needs a number of at least %2").arg(n.option.names().constFirst()).arg(n.minimum));
        *n.target = v;
    }

    const Firebird::Location where = Firebird::parseLocation(parser.value(database));
    const QString u = parser.value(user), pw = parser.value(password);
    Secrets::remember(pw);
    const bool local = where.host.isEmpty();
    QString error;
    QElapsedTimer timer;
    timer.start();
    if (local && !QFileInfo::exists(where.path)) {
        QDir().mkpath(QFileInfo(where.path).absolutePath());
        if (!Schema::createDatabase(where, u, pw, &error, false))
            return fail(QStringLiteral("cannot create %1: %2").arg(where.path, error));
        std::printf("Created %s\n", qPrintable(where.path));
    } else if (local) {
        // many rows are written: without synchronous writes it takes a fraction of the time
        Firebird::setForcedWrites(where, u, pw, false, &error);
    }

    SampleCounts counts;
    bool ok = false;
    {
        TDMPro dm(QStringLiteral("Sample"));
        if (!dm.open(where, u, pw, &error))
            return fail(QStringLiteral("cannot open %1: %2").arg(where.spec(), error));
        ok = fillSampleData(dm, options, &counts, &error);
        dm.close();
    }
    if (local && !Firebird::setForcedWrites(where, u, pw, true, &error))
        std::fprintf(stderr, "tarko8-sample: warning: synchronous writes stay off: %s\n",
                     qPrintable(Secrets::scrubbed(error)));
    if (!ok)
        return fail(error);
    std::printf("%d customers, %d sites, %d objects, %d technicians, %d inspections, %lld extinguisher items "
                "in %.1f s\n", counts.customers, counts.sites, counts.objects, counts.technicians, counts.inspections,
                static_cast<long long>(counts.items), timer.elapsed() / 1000.0);
    return 0;
}

int main(int argc, char **argv)
{
    Secrets::installLogFilter();
    Firebird::chooseLockDirectory();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarko8-sample"));
    const int rc = run(app);
    Firebird::shutdownEngine();
    return rc;
}
