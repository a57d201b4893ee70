// The list print at a realistic size: the sample generator writes 10,000 extinguisher
// inspections (1,000 customers, two sites each, five years), and the extinguisher
// list's seeded report design ("Seznam prohlídek HP": date, number, owner, site and
// the summed count of extinguishers) prints every one of them, as "Uživatelská
// sestava" does from the list with its filter cleared:
//   (a) the raw fetch: the print statement executed and every column of every row read
//       through the same client library;
//   (b) the print: the same statement run by the list print and rendered into pages
//       (every band event, every sum);
//   (c) the rendered pages written to a PDF file (what "Uložit PDF" and the printer do
//       with the same pages).
// Then the memory the rendered pages take (the recorded drawing steps; and the growth
// of the process while rendering). Target: the pages hold under 300 MB. The times are
// reported with the ratio (b) / (a); the first measurement sets the bar for later work.
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <cstdio>

#include "core/class.h"
#include "inspections/hpc.h"
#include "inspections/hps.h"
#include "reports/obectisk.h"
#include "sampledb.h"
#include "templates/templatestore.h"

namespace {

long rssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLong();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    int rc = 0;
    {
        TDMPro dm(QStringLiteral("Bench"));
        DM = &dm;
        SampleOptions options;
        options.customers = 1000;
        options.years = 5;
        options.perSite = 1;
        SampleCounts counts;
        QElapsedTimer fill;
        fill.start();
        if (!openSampleDatabase(dm, dir.path() + QStringLiteral("/print.fdb"), options, &counts))
            return 1;
        std::printf("sample: %d inspections, %lld items (%.1f s)\n", counts.inspections, counts.items,
                    fill.elapsed() / 1000.0);

        std::unique_ptr<TfHPC> controller(TfClass::create<TfHPC>());
        if (!controller)
            return 1;
        controller->setDefaultWhere(QString());
        Templates::TemplateStore store(&dm);
        QList<Templates::DesignEntry> designs;
        store.listReports(QStringLiteral("TfHPS"), 1, designs);
        Templates::ReportDesign design;
        if (designs.isEmpty() || store.loadReport(designs.first().key, design) <= 0) {
            std::fprintf(stderr, "no report design of the extinguisher list\n");
            return 1;
        }
        QList<Templates::DictionaryItem> offered;
        store.offeredItems(TfHPS::AliasTables, Templates::DesignKind::Report, offered);
        const ListPrintJob job = ListPrint::fromDesign(design, offered);
        SqlParameters parameters;
        const QString sql = ListPrint::listStatement(*controller, job, &parameters);

        // (a) raw
        QElapsedTimer t;
        t.start();
        int rows = 0;
        {
            QSqlQuery q = dm.NewQuery();
            q.setForwardOnly(true);
            q.prepare(sql);
            bindParameters(q, parameters);
            q.exec();
            const int columns = q.record().count();
            while (q.next()) {
                ++rows;
                for (int c = 0; c < columns; ++c)
                    (void)q.value(c);
            }
        }
        const double rawMs = t.nsecsElapsed() / 1e6;

        // (b) the print rendered into pages
        const long before = rssKb();
        Print::Document document;
        t.restart();
        if (ListPrint::render(&dm, sql, parameters, job, document) != 0) {
            std::fprintf(stderr, "the print failed\n");
            return 1;
        }
        const double renderMs = t.nsecsElapsed() / 1e6;
        const long grown = rssKb() - before;

        // (c) the same pages to PDF
        t.restart();
        const QString pdf = dir.path() + QStringLiteral("/print.pdf");
        if (!Print::writePdf(document, pdf)) {
            std::fprintf(stderr, "the PDF could not be written\n");
            return 1;
        }
        const double pdfMs = t.nsecsElapsed() / 1e6;

        const double pagesMb = document.memoryUsed() / (1024.0 * 1024.0);
        std::printf("rows printed: %d, pages: %lld\n", rows, qint64(document.pages.size()));
        std::printf("(a) raw fetch of the print statement: %9.1f ms\n", rawMs);
        std::printf("(b) list print rendered to pages:     %9.1f ms  (%.1f x raw)\n", renderMs,
                    rawMs > 0 ? renderMs / rawMs : 0.0);
        std::printf("(c) pages written to PDF:             %9.1f ms  (%.1f MB file)\n", pdfMs,
                    QFile(pdf).size() / (1024.0 * 1024.0));
        std::printf("memory of the rendered pages: %.1f MB recorded, process grew by %.1f MB (target under 300 MB)\n",
                    pagesMb, grown / 1024.0);
        if (rows != counts.inspections) {
            std::fprintf(stderr, "FAIL: printed %d rows of %d inspections\n", rows, counts.inspections);
            rc = 1;
        }
        if (pagesMb >= 300 || grown / 1024.0 >= 300) {
            std::fprintf(stderr, "FAIL: the pages take 300 MB or more\n");
            rc = 1;
        }
    }
    return rc;
}
