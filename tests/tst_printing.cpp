// Printing: the band engine's layout rules, the list print of the extinguisher list
// (from the list window, through its preview), a grouped report, and the extinguisher
// inspection documents. Every printout is read back from PDF with pdftotext, and a
// page is looked at as a picture where the layout is the point.
#include <QtTest>
#include <QTableWidget>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QSpinBox>
#include <QSqlQuery>

#include "admin/sampledata.h"
#include "core/parameters.h"
#include "core/format.h"
#include "core/globals.h"
#include "inspections/hpc.h"
#include "inspections/hps.h"
#include "inspections/hptisk.h"
#include "reports/obectisk.h"
#include "reports/vzordokt.h"
#include "support/programdatabasetest.h"
#include "templates/templatestore.h"
#include "widgets/obectiskd.h"
#include "widgets/printpreview.h"

using Templates::PrintColumn;

namespace {

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QImage pdfPage(const QString &pdf, const QString &prefix)
{
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("150"),
                                                   QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                   QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

// Page units to pixels of a 150 dpi picture.
int pixels(double units)
{
    return qRound(units / Print::UnitsPerMm / 25.4 * 150);
}

// The longest run of dark pixels down the picture's column x within [top, bottom).
int darkRun(const QImage &image, int x, int top, int bottom)
{
    int best = 0, run = 0;
    for (int y = top; y < bottom && y < image.height(); ++y) {
        run = qGray(image.pixel(x, y)) < 128 ? run + 1 : 0;
        best = qMax(best, run);
    }
    return best;
}

PrintColumn column(int number, int left, int width, const QString &caption, const QString &field, bool sum = false)
{
    PrintColumn c;
    c.number = number;
    c.left = left + 2;
    c.width = width - 3;
    c.caption = caption;
    c.fieldName = field;
    c.sum = sum;
    return c;
}

} // namespace

class TestPrinting : public ProgramDatabaseTest
{
    Q_OBJECT

    QString pdf(const QString &name) const { return env->path(name + QStringLiteral(".pdf")); }

    QString renderToText(const Print::Document &document, const QString &name)
    {
        QString error;
        if (!Print::writePdf(document, pdf(name), &error))
            return QStringLiteral("PDF failed: ") + error;
        return pdfText(pdf(name));
    }

    void fillSample()
    {
        SampleOptions o;
        o.customers = 8;
        o.years = 5;
        o.perSite = 6;
        QString error;
        QVERIFY2(fillSampleData(*DM, o, nullptr, &error), qPrintable(error));
    }

    // The extinguisher list as the menu opens it, with its date filter cleared.
    std::unique_ptr<TfHPS> openList()
    {
        std::unique_ptr<TfHPS> list(VytvorKontrolyHP());
        if (list && list->prepareAndOpen() >= 0)
            list->ClearFilter();
        return list;
    }

    PrintPreview *takePreview()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<PrintPreview *>(w); p && p->isVisible())
                return p;
        return nullptr;
    }

private slots:
    void init() { startFresh(); }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<PrintPreview *>(w))
                delete w;
        finish();
    }

    void layoutRulesOfTheListPrint()
    {
        // row height 3 gives a 51-unit detail band
        TtObecTisk form;
        ListPrintOptions options;
        options.rowHeight = 3;
        form.setOptions(options);
        QCOMPARE(form.band(QStringLiteral("pDet"))->height, 51.0);

        // designer columns (0, 200) and (200, 400) on the 648-unit band scale by 645 / 600
        const QList<PrintColumn> columns{column(1, 0, 200, QStringLiteral("Číslo"), QStringLiteral("N")),
                                         column(2, 200, 400, QStringLiteral("Hodnota"), QStringLiteral("V"), true)};
        Print::RowsDataSource rows({QStringLiteral("N"), QStringLiteral("V")},
                                   {{QStringLiteral("první"), 1000000}, {QStringLiteral("druhý"), 234567},
                                    {QStringLiteral("třetí"), QVariant()}});
        TtObecTisk list;
        QVERIFY(list.Initialise(columns, &rows, QStringLiteral("Nadpis jedna"), QStringLiteral("Nadpis dva")));
        QCOMPARE(list.scale(), 645.0 / 600.0);
        for (const PrintColumn &c : columns)
            list.AddColumn(c);
        const Print::Element *first = list.band(QStringLiteral("pDet"))->element(QStringLiteral("col1"));
        const Print::Element *second = list.band(QStringLiteral("pDet"))->element(QStringLiteral("col2"));
        QCOMPARE(first->geometry.left(), 6.0);     // trunc(2 × 1.075) + 4
        QCOMPARE(first->geometry.width(), 207.0);  // trunc(197 × 1.075) − 4
        QCOMPARE(second->geometry.left(), 221.0);  // trunc(202 × 1.075) + 4
        QCOMPARE(second->geometry.width(), 422.0); // trunc(397 × 1.075) − 4

        // the integer sum groups its thousands; a null adds nothing
        const QString text = renderToText(list.render(), QStringLiteral("edge"));
        QVERIFY2(text.contains(QStringLiteral("1 234 567")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Nadpis jedna")) && text.contains(QStringLiteral("Strana: 1")));

        // on the page the separator between the two columns stands where the scale puts it
        const QImage page = pdfPage(pdf(QStringLiteral("edge")), env->path(QStringLiteral("edge")));
        QVERIFY(!page.isNull());
        const int x = pixels(list.setup.left + 221 - 3);
        const int top = pixels(list.setup.top + 48);
        int run = 0;
        for (int dx = -2; dx <= 2; ++dx)
            run = qMax(run, darkRun(page, x + dx, top, top + pixels(80)));
        QVERIFY2(run >= pixels(40), qPrintable(QStringLiteral("separator run %1 px").arg(run)));
        QCOMPARE(darkRun(page, pixels(list.setup.left + 120), top + pixels(4), top + pixels(60)) < pixels(10), true);

        // masks
        QCOMPARE(Print::formatMasked(7, QStringLiteral("000")), QStringLiteral("007"));
        QCOMPARE(Print::formatMasked(1234.5, QStringLiteral("# ### ##0.00")),
                 QStringLiteral("1 234") + DecimalSeparator + QStringLiteral("50"));
        QCOMPARE(Print::formatMasked(-1500.0, QStringLiteral("## ##0.00 Kč")),
                 QStringLiteral("-1 500") + DecimalSeparator + QStringLiteral("00 Kč"));

        // a design whose columns have no width is refused, not divided by
        TtObecTisk empty;
        QVERIFY(!empty.Initialise({column(1, 0, 0, QStringLiteral("X"), QStringLiteral("N"))}, &rows, {}, {}));
        QCOMPARE(prompt().lastText().isEmpty(), false);
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Generování sestavy"));
        prompt().clear();
    }

    void notesAndEvaluations()
    {
        const QString lead = QStringLiteral("Upozornění! V souladu s příslušnými předpisy je nutno provést následnou kontrolu nejpozději do ");
        QCOMPARE(nextInspectionNotice(QDate(2025, 1, 31), 1), lead + QStringLiteral("31.2.2025 včetně "));
        QCOMPARE(nextInspectionNotice(QDate(2025, 1, 31), 12), lead + QStringLiteral("31.1.2026 včetně "));
        QCOMPARE(nextInspectionNotice(QDate(2025, 12, 15), 0), lead + QStringLiteral("15.12.2026 včetně "));

        // each of the twenty columns is checked once: NP failed shows once
        QMap<QString, QString> codes{{QStringLiteral("HO"), QStringLiteral("N")}, {QStringLiteral("PS"), QStringLiteral("O")}};
        auto code = [&codes](const QString &c) { return codes.value(c, QStringLiteral("A")); };
        QCOMPARE(hydrantEvaluation(code), QStringLiteral("Nefunkční, Chybí : TO,  Opraveno, Vyměněno : PS,"));
        codes = {{QStringLiteral("NP"), QStringLiteral("N")}, {QStringLiteral("PRI"), QStringLiteral("O")},
                 {QStringLiteral("VIC"), QStringLiteral("O")}};
        QCOMPARE(hydrantEvaluation(code), QStringLiteral("Nefunkční, Chybí : NP,  Opraveno, Vyměněno : PM,VČ,"));

        // the commercial documents' header: supplier, customer and the page number
        TfVzorT header;
        Performer supplier;
        supplier.name = QStringLiteral("Hasservis Morava s.r.o.");
        supplier.ico = QStringLiteral("12345678");
        header.setPerformer(supplier);
        header.setCustomer(QStringLiteral("Odběratel:"), {{QStringLiteral("Pekárna Zeman v.o.s."), QStringLiteral("Lipová 12")},
                                                          QStringLiteral("87654321"), QString()});
        header.setTitle(QStringLiteral("Dodací list"), QStringLiteral("DL2025/7"));
        const QString text = renderToText(header.render(), QStringLiteral("vzort")).simplified();
        for (const QString &t : {QStringLiteral("Dodavatel:"), QStringLiteral("Hasservis Morava s.r.o."), QStringLiteral("IČO : 12345678"),
                                 QStringLiteral("Odběratel:"), QStringLiteral("Pekárna Zeman v.o.s."), QStringLiteral("IČO: 87654321"),
                                 QStringLiteral("Dodací list"), QStringLiteral("č. DL2025/7"), QStringLiteral("Strana: 1")})
            QVERIFY2(text.contains(t), qPrintable(t));
    }

    void eventsRunOncePerPrint()
    {
        // a detail that counts its rows, printed over three pages, then written twice
        Print::Report report;
        Print::RowsDataSource rows({QStringLiteral("V")}, QVector<QVariantList>(150, {2}));
        report.data = &rows;
        report.addSum(QStringLiteral("V"));
        Print::Band *detail = report.addBand(Print::Band::Detail, QStringLiteral("pDet"), 17);
        detail->add<Print::DataLabel>(QStringLiteral("v"), QRectF(0, 0, 100, 15))->field = QStringLiteral("V");
        int counted = 0;
        detail->afterPrint = [&counted](Print::Band &) { ++counted; };
        Print::Band *sum = report.addBand(Print::Band::Summary, QStringLiteral("pSum"), 20);
        sum->add<Print::SumLabel>(QStringLiteral("s"), QRectF(0, 0, 200, 15))->field = QStringLiteral("V");
        Print::Document document = report.render();
        QCOMPARE(counted, 150);
        QCOMPARE(document.pages.size(), 3);
        const QString once = renderToText(document, QStringLiteral("once"));
        const QString twice = renderToText(document, QStringLiteral("twice"));
        QCOMPARE(counted, 150);
        QCOMPARE(once, twice);
        QVERIFY(once.contains(QStringLiteral("300")));
        // a second render starts its sums afresh
        report.render();
        QCOMPARE(report.total(QStringLiteral("V")), 300.0);
    }

    void everyListPrintsWithoutDesigningFirst()
    {
        // each list window with a grid layout starts with a report design with columns
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT DISTINCT L.OKNO, (SELECT COUNT(*) FROM GSHLAV G WHERE G.OKNO = L.OKNO), "
                                      "(SELECT COUNT(*) FROM GSHLAV G JOIN GSTAB T ON T.UNCH = G.UNCIS "
                                      " WHERE G.OKNO = L.OKNO) FROM GGHLAV L")));
        int lists = 0;
        while (q.next()) {
            const QString window = q.value(0).toString().trimmed();
            QVERIFY2(q.value(1).toInt() > 0 && q.value(2).toInt() > 0, qPrintable(window));
            ++lists;
        }
        QVERIFY(lists >= 5);
    }

    void listPrintOfTheExtinguisherList()
    {
        fillSample();
        std::unique_ptr<TfHPS> list = openList();
        QVERIFY(list);
        const int rowsShown = list->controller()->rowCount();
        QVERIFY2(rowsShown > 60, qPrintable(QString::number(rowsShown)));
        const QString gridColumns = list->controller()->listColumns();

        QString offered, title1;
        bool lineUnderRow = false;
        prompt().onModal<TfGSez>([&offered](TfGSez *d) {
            offered = d->table()->item(0, 0)->text();
            return int(QDialog::Accepted);
        });
        prompt().onModal<TfObecTiskD>([&](TfObecTiskD *d) {
            title1 = d->eNadp1->text();
            lineUnderRow = d->cbCara->isChecked();
            d->eNadp2->setText(QStringLiteral("Všechny prohlídky"));
            return int(QDialog::Accepted);
        });
        list->action(QStringLiteral("acUzivSestava"))->trigger();
        QCOMPARE(offered, QStringLiteral("Seznam prohlídek HP"));
        QCOMPARE(title1, QStringLiteral("Seznam prohlídek hasicích přístrojů"));
        QVERIFY(lineUnderRow);
        PrintPreview *preview = takePreview();
        QVERIFY(preview);
        QVERIFY(preview->pageCount() >= 2);
        QVERIFY(preview->savePdf(pdf(QStringLiteral("list1"))));
        const QString text = pdfText(pdf(QStringLiteral("list1")));
        for (const QString &t : {QStringLiteral("Seznam prohlídek hasicích přístrojů"), QStringLiteral("Všechny prohlídky"),
                                 QStringLiteral("Číslo dokladu"), QStringLiteral("Vlastník HP"), QStringLiteral("Počet HP"),
                                 QStringLiteral("Strana: 1"), QStringLiteral("Strana: 2")})
            QVERIFY2(text.contains(t), qPrintable(t));
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT CISPRO FROM PR_HLAV WHERE CISPRO IS NOT NULL")));
        int numbers = 0;
        while (q.next()) {
            QVERIFY2(text.contains(q.value(0).toString().trimmed()), qPrintable(q.value(0).toString()));
            ++numbers;
        }
        QVERIFY(numbers > 0);
        const QString total = Print::formatMasked(scalar(QStringLiteral("SELECT SUM(POCHP) FROM PR_HLAV")),
                                                  QStringLiteral("# ### ##0"));
        QVERIFY2(text.contains(total), qPrintable(total));
        // the list keeps its own query and fields
        QCOMPARE(list->controller()->listColumns(), gridColumns);
        QCOMPARE(list->controller()->rowCount(), rowsShown);
        QVERIFY(list->controller()->list().fieldIndex(QStringLiteral("HASDATUM")) >= 0);

        // a second print from the same preview replays the same pages: the same sums
        QVERIFY(preview->savePdf(pdf(QStringLiteral("list2"))));
        QCOMPARE(pdfText(pdf(QStringLiteral("list2"))), text);

        // "Opis tabulky": the grid's own captions over the same rows
        prompt().onModal<TfObecTiskD>([](TfObecTiskD *) { return int(QDialog::Accepted); });
        delete preview;
        list->action(QStringLiteral("acOpisTabulky"))->trigger();
        preview = takePreview();
        QVERIFY(preview);
        QVERIFY(preview->savePdf(pdf(QStringLiteral("grid"))));
        const QString grid = pdfText(pdf(QStringLiteral("grid")));
        QVERIFY(grid.contains(QStringLiteral("Datum kontroly")) && grid.contains(QStringLiteral("Umístění HP")));
        QVERIFY(grid.contains(QStringLiteral("Seznam prohlídek HP")));
    }

    void groupedReportPrintsEachGroupOnce()
    {
        fillSample();
        std::unique_ptr<TfHPS> list = openList();
        QVERIFY(list);
        // the list is sorted by date, across the owners
        list->controller()->setOrderBy(QStringLiteral(" ORDER BY HAS.DATUM DESC"));
        Templates::ReportDesign design;
        design.name = QStringLiteral("Po vlastnících");
        design.title1 = QStringLiteral("Prohlídky po vlastnících");
        design.setGroupItem(QStringLiteral("ADR.NAZEV"));
        QList<Templates::DictionaryItem> offered;
        Templates::TemplateStore().offeredItems(TfHPS::AliasTables, Templates::DesignKind::Report, offered);
        auto item = [&offered](const QString &alias, const QString &col) {
            for (const Templates::DictionaryItem &i : offered)
                if (i.alias == alias && i.column == col)
                    return i.key;
            return 0;
        };
        Templates::ReportColumn number;
        number.caption = QStringLiteral("Doklad");
        number.width = 200;
        number.itemKey = item(QStringLiteral("HAS"), QStringLiteral("CISPRO"));
        Templates::ReportColumn count = number;
        count.caption = QStringLiteral("Kusů");
        count.left = 200;
        count.sum = true;
        count.itemKey = item(QStringLiteral("HAS"), QStringLiteral("POCHP"));
        design.columns = {number, count};
        const ListPrintJob job = ListPrint::fromDesign(design, offered);
        SqlParameters parameters;
        QVERIFY(ListPrint::listStatement(*list->controller(), job, &parameters).contains(
            QStringLiteral("ORDER BY ADR.NAZEV, HAS.DATUM DESC")));
        Print::Document document;
        QCOMPARE(ListPrint::renderList(*list->controller(), job, document), 0);
        const QString text = renderToText(document, QStringLiteral("groups"));

        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT A.NAZEV, SUM(H.POCHP) FROM PR_HLAV H JOIN ADRESAR A ON A.UNCIS = H.UNCFIR "
                                      "GROUP BY A.NAZEV ORDER BY A.NAZEV")));
        int at = 0, groups = 0;
        QString previousSum;
        while (q.next()) {
            const QString name = q.value(0).toString().trimmed();
            QCOMPARE(text.count(name), 1);
            const int found = text.indexOf(name);
            QVERIFY2(found > at, qPrintable(name));
            if (!previousSum.isEmpty())
                QVERIFY2(text.mid(at, found - at).contains(previousSum), qPrintable(name + QLatin1Char(' ') + previousSum));
            previousSum = Print::formatMasked(q.value(1), QStringLiteral("# ### ##0"));
            at = found;
            ++groups;
        }
        QVERIFY(groups >= 3);
        QVERIFY(text.mid(at).contains(previousSum));
    }

    void extinguisherDocuments()
    {
        fillSample();
        // the performer block prints the firm's own data from the parameters
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = 'Hasservis Morava s.r.o.' WHERE POLOZKA = 'eFirma'"));
        QVERIFY(ParameterStore(DM).load());
        // an inspection with items in states 3 and 5 among others, and several objects
        const int key = scalar(QStringLiteral(
            "SELECT FIRST 1 H.UNCIS FROM PR_HLAV H WHERE H.UNCSTR <> 0 AND "
            "(SELECT COUNT(*) FROM PR_TAB T WHERE T.UNCH = H.UNCIS AND T.STATUS IN (3,5)) > 0 AND "
            "(SELECT COUNT(DISTINCT T.OBJEKT) FROM PR_TAB T WHERE T.UNCH = H.UNCIS) > 1 ORDER BY H.UNCIS")).toInt();
        QVERIFY(key > 0);
        const QDate date = scalar(QStringLiteral("SELECT DATUM FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toDate();
        const QString site = scalar(QStringLiteral("SELECT S.STREDISKO FROM PR_HLAV H JOIN STREDISKA S ON S.UNCIS = H.UNCSTR WHERE H.UNCIS = %1").arg(key)).toString().trimmed();
        const QString owner = scalar(QStringLiteral("SELECT A.NAZEV FROM PR_HLAV H JOIN ADRESAR A ON A.UNCIS = H.UNCFIR WHERE H.UNCIS = %1").arg(key)).toString().trimmed();
        const int items = count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1").arg(key));

        Print::Document document;
        QCOMPARE(HPPrint::render(HPDocument::Kontrola, key, 0, document, DM), 0);
        const QString text = renderToText(document, QStringLiteral("dok"));
        for (const QString &t : {QStringLiteral("Doklad o kontrole provozuschopnosti HP"), QStringLiteral("Kontrolu vykonal:"),
                                 QStringLiteral("Hasservis Morava s.r.o."), QStringLiteral("Adresa umístnění HP:"), site,
                                 QStringLiteral("Vlastník (uživatel, správce) HP:"), owner,
                                 QStringLiteral("Počet HP v dokladu: ") + QString::number(items),
                                 QStringLiteral("Za zhotovitele - oprávněná osoba"), QStringLiteral("Za objednatele (majitele HP)"),
                                 QStringLiteral("Datum provedení kontroly: ") + date.toString(QStringLiteral("d.M.yyyy"))})
            QVERIFY2(text.contains(t), qPrintable(t));
        // the period is the site's, else the owner's, else twelve months
        int period = scalar(QStringLiteral("SELECT S.PERHP FROM STREDISKA S JOIN PR_HLAV H ON H.UNCSTR = S.UNCIS WHERE H.UNCIS = %1").arg(key)).toInt();
        if (period <= 0)
            period = scalar(QStringLiteral("SELECT A.PERHP FROM ADRESAR A JOIN PR_HLAV H ON H.UNCFIR = A.UNCIS WHERE H.UNCIS = %1").arg(key)).toInt();
        if (period <= 0)
            period = 12;
        const int shifted = date.month() + period - 1;
        const QString notice = QStringLiteral("nejpozději do %1.%2.%3 včetně")
                                   .arg(date.day()).arg(shifted % 12 + 1).arg(date.year() + shifted / 12);
        QVERIFY2(text.simplified().contains(notice), qPrintable(notice + QLatin1Char('\n') + text));
        // each item with its running number, under its object's head
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT VYRCIS, OBJEKT FROM PR_TAB WHERE UNCH = %1 ORDER BY PORADI, UNCPOM").arg(key)));
        int n = 0, at = 0;
        while (q.next()) {
            const QString object = QStringLiteral("Objekt: ") + q.value(1).toString().trimmed();
            const QString row = Print::formatMasked(++n, QStringLiteral("000"));
            const int head = text.indexOf(object);
            QVERIFY2(head >= 0 && head <= text.indexOf(row, at), qPrintable(object));
            at = text.indexOf(row, at);
            QVERIFY2(at >= 0, qPrintable(row));
            const QString serial = q.value(0).toString().trimmed();
            if (!serial.isEmpty())
                QVERIFY2(text.mid(at, 400).contains(serial), qPrintable(row + QLatin1Char(' ') + serial));
        }

        // the withdrawal document lists only the items withdrawn (states 3 and 5)
        QCOMPARE(HPPrint::render(HPDocument::Vyrazeni, key, 0, document, DM), 0);
        const QString withdrawn = renderToText(document, QStringLiteral("vyr"));
        QVERIFY(withdrawn.contains(QStringLiteral("Doklad o vyřazení HP z používání")));
        QVERIFY(withdrawn.contains(QStringLiteral("Kontrolu a vyřazení vykonal:")));
        const int out = count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1 AND STATUS IN (3,5)").arg(key));
        QVERIFY(withdrawn.contains(QStringLiteral("Počet HP v dokladu: ") + QString::number(out)));

        // an inspection without items prints no numbered row
        exec(QStringLiteral("DELETE FROM PR_TAB WHERE UNCH = %1").arg(key));
        QCOMPARE(HPPrint::render(HPDocument::Kontrola, key, 0, document, DM), 0);
        const QString none = renderToText(document, QStringLiteral("none"));
        QVERIFY(!none.contains(QStringLiteral("001")));
        QVERIFY(none.contains(QStringLiteral("Počet HP v dokladu: 0")));
    }

    void workshopDocumentGroupsByCheckingFirmAndTechnician()
    {
        fillSample();
        const int key = scalar(QStringLiteral("SELECT FIRST 1 H.UNCIS FROM PR_HLAV H WHERE "
                                              "(SELECT COUNT(*) FROM PR_TAB T WHERE T.UNCH = H.UNCIS) >= 6 ORDER BY H.UNCIS")).toInt();
        QVERIFY(key > 0);
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, TYP, NAZEV, ULICE, CISPOP, MESTO, KLIC) VALUES (9001, 1, 'Dílna Hasík s.r.o.', 'Polní', '12', 'Zlín', 0)"));
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, TYP, NAZEV, ULICE, CISPOP, MESTO, KLIC) VALUES (9002, 1, 'Revize Plamen a.s.', 'Nová', '3', 'Kroměříž', 0)"));
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, TYP, JMENO, PRIJMENI, CISPRUKAZU, KLIC) VALUES (9003, 3, 'Petr', 'Komárek', 'K-17', 0)"));
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, TYP, JMENO, PRIJMENI, CISPRUKAZU, KLIC) VALUES (9004, 3, 'Eva', 'Svobodová', 'K-42', 0)"));
        // six items: state, and the firm and technician of the workshop row they came back with
        // (0: no row for this inspection; the fifth has one for another inspection only)
        struct Item { int status; int firm; int technician; };
        const QList<Item> plan = {{4, 9001, 9003}, {6, 9002, 9004}, {4, 9001, 9003}, {1, 9002, 9003}, {4, 0, 0}, {6, 9001, 9004}};
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT FIRST 6 UNCIS FROM PR_TAB WHERE UNCH = %1 ORDER BY UNCPOM").arg(key)));
        QList<int> items;
        while (q.next())
            items << q.value(0).toInt();
        QCOMPARE(items.size(), plan.size());
        exec(QStringLiteral("UPDATE PR_TAB SET STATUS = 0 WHERE UNCH = %1").arg(key));
        for (int i = 0; i < plan.size(); ++i) {
            const QString serial = QStringLiteral("DZ-%1").arg(i + 1);
            exec(QStringLiteral("UPDATE PR_TAB SET STATUS = %1, VYRCIS = '%2' WHERE UNCIS = %3").arg(plan[i].status).arg(serial).arg(items[i]));
            const int expedition = plan[i].firm ? key : key + 1;
            exec(QStringLiteral("INSERT INTO DILNA (UNCIS, STATUS, VYRCIS, UNCEXP, UNCFIRMA, UNCKOMTECH, ZPUSOB, KLIC) "
                                "VALUES (%1, 103, '%2', %3, %4, %5, '%6', 0)")
                     .arg(8000 + i).arg(serial).arg(expedition).arg(plan[i].firm ? plan[i].firm : 9001)
                     .arg(plan[i].technician ? plan[i].technician : 9003).arg(i == 0 ? QStringLiteral("Ano") : QStringLiteral("Ne")));
        }

        Print::Document document;
        QCOMPARE(HPPrint::render(HPDocument::Dilna, key, 0, document, DM), 0);
        const QString text = renderToText(document, QStringLiteral("dil"));
        QVERIFY2(text.contains(QStringLiteral("Doklad o dílenské kontrole a údržbě HP")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Kontrolu vykonal:")));
        QVERIFY(text.contains(QStringLiteral("Počet HP v dokladu: 4")));
        // a head per firm and technician, in that order, each over its own items only
        const QString head = QStringLiteral("Kontrolu vykonala organizace: ");
        QCOMPARE(text.count(head), 3);
        QCOMPARE(text.count(QStringLiteral("K-17 - Petr Komárek")), 1);
        QCOMPARE(text.count(QStringLiteral("K-42 - Eva Svobodová")), 2);
        QCOMPARE(text.count(QStringLiteral("Revize Plamen a.s.")), 1);
        const QStringList order = {head + QStringLiteral("Dílna Hasík s.r.o."), QStringLiteral("K-17 - Petr Komárek"),
                                   QStringLiteral("DZ-1"), QStringLiteral("DZ-3"),
                                   head + QStringLiteral("Dílna Hasík s.r.o."), QStringLiteral("K-42 - Eva Svobodová"),
                                   QStringLiteral("DZ-6"),
                                   head + QStringLiteral("Revize Plamen a.s."), QStringLiteral("K-42 - Eva Svobodová"),
                                   QStringLiteral("DZ-2")};
        int at = 0;
        for (const QString &t : order) {
            at = text.indexOf(t, at);
            QVERIFY2(at >= 0, qPrintable(t + QLatin1Char('\n') + text));
            at += t.size();
        }
        // the workshop's own columns print beside the item
        const int row = text.indexOf(QStringLiteral("DZ-1"));
        QVERIFY2(text.mid(row, text.indexOf(QLatin1Char('\n'), row) - row).contains(QStringLiteral("Ano")), qPrintable(text.mid(row, 200)));
        // another state, or a workshop row of another inspection, keeps an item out
        QVERIFY(!text.contains(QStringLiteral("DZ-4")));
        QVERIFY(!text.contains(QStringLiteral("DZ-5")));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
