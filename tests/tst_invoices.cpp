// Invoices on real database files: the summary recounted on save (line totals at the
// rounding steps, lines without VAT, prices with VAT), the first line of an empty
// invoice, items from the price list, and the move of delivery notes into invoices
// (totals equal to the note's, a second move, the merge of equal items, a failure in
// the last step undoing everything, the number and the VAT flag of a new invoice), and
// the printed invoice and receipts read back from PDF.
#include <QtTest>

#include "commerce/dodakc.h"
#include "commerce/fakturac.h"
#include "commerce/fakturapresun.h"
#include "commerce/faktura.h"
#include "commerce/fakturas.h"
#include "commerce/fakturat.h"
#include "commerce/dodakdfaktura.h"
#include <QCheckBox>
#include "commerce/skladprevoddmnozstvi.h"
#include "core/rowcachemodel.h"
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include "core/money.h"
#include "core/parameters.h"
#include "support/addressdata.h"
#include "support/programdatabasetest.h"

class TestInvoices : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    Parameters m_saved;
    using Controller = std::unique_ptr<TfFakturaC, void (*)(TfFakturaC *)>;

    Controller controller()
    {
        return Controller(TfClass::create<TfFakturaC>(DM), [](TfFakturaC *p) { delete p; });
    }
    static Invoice::Line line(const QString &text, double price, double quantity, const QString &dph, int rate,
                              int item = 0)
    {
        return {text, price, quantity, QStringLiteral("ks"), dph, rate, item, 0};
    }
    static double field(int invoice, const char *column)
    {
        return scalar(QStringLiteral("SELECT %1 FROM FAKTURY WHERE UNCIS = %2").arg(QLatin1String(column)).arg(invoice)).toDouble();
    }
    int noteLine(int note, int section, int item, const QString &popis, double price, double quantity, const QString &dan,
                 double rate)
    {
        return insertRow(*DM, QStringLiteral("DODAK"),
                         {{QStringLiteral("UNCH"), note}, {QStringLiteral("CSEKCE"), section}, {QStringLiteral("UNCCEN"), item},
                          {QStringLiteral("POPIS"), popis}, {QStringLiteral("JEDN"), QStringLiteral("ks")},
                          {QStringLiteral("CENA"), price}, {QStringLiteral("MNOZ"), quantity}, {QStringLiteral("DAN"), dan},
                          {QStringLiteral("SAZBADPH"), rate}, {QStringLiteral("MNOZFAK"), 0},
                          {QStringLiteral("CELKEM"), Invoice::lineTotal(price, quantity)}});
    }
    InvoiceMove::Request request(int note, const QString &number, QSet<int> itemSections = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})
    {
        InvoiceMove::Request r;
        r.note = note;
        r.number = number;
        r.itemSections = itemSections;
        r.sectionLabels = InvoiceMove::sectionLabels(DM);
        r.confirmCreate = [](const QString &) { return true; };
        return r;
    }
    // A dump of everything a move writes, to compare before and after.
    static QString state()
    {
        QString s;
        for (const char *sql : {"SELECT LIST(UNCIS || ':' || MNOZFAK, ',') FROM DODAK", "SELECT LIST(UNCIS || ':' || UNCFAK || ':' || COALESCE(CISFAK, '') || ':' || KLIC, ',') FROM DODAKH",
                                "SELECT COUNT(*) FROM FAKTURY", "SELECT COUNT(*) FROM FAK_POL"})
            s += scalar(QString::fromLatin1(sql)).toString() + QLatin1Char('|');
        return s;
    }

    // The text of a printout that write puts into a PDF file.
    QString pdfText(const std::function<bool(const QString &file, QString *error)> &write)
    {
        const QString pdf = env->path(QStringLiteral("faktura.pdf"));
        QString error;
        if (!write(pdf, &error))
            return QStringLiteral("FAILED: ") + error;
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        tool.waitForFinished(30000);
        return QString::fromUtf8(tool.readAllStandardOutput());
    }
    static QString lineOf(const QString &printed, const QString &caption)
    {
        for (const QString &l : printed.split(QLatin1Char('\n')))
            if (l.contains(caption))
                return l.simplified();
        return QString();
    }

private slots:
    void init()
    {
        startFresh();
        m_saved = Parameters::instance();
        Parameters &p = Parameters::instance();
        p.vatBasic = 21;
        p.vatReduced = 12;
        p.pricesWithoutVat = true;
        p.vatRoundingStep = 0.01;
        p.totalRoundingStep = 1.0;
    }
    void cleanup()
    {
        Parameters::instance() = m_saved;
        finish();
    }

    // A new invoice gets one empty line; 3 x 10.005 gives the rounded line total; the
    // saved summary follows the rounding steps; 'B' and blank lines bear no VAT and the
    // rates come from the parameters; prices with VAT are taken as gross prices; the VAT
    // column's keys set class and rate.
    void recountOnSave()
    {
        auto c = controller();
        QVERIFY(c);
        const int key = c->InsertRecord();
        QVERIFY(key > 0);
        QCOMPARE(c->lines().rowCount(), 1);
        QVERIFY(c->setVatClass(0, QLatin1Char('z')));
        QCOMPARE(c->lines().value(0, QStringLiteral("DPH")).toString(), QStringLiteral("Z"));
        QCOMPARE(c->lines().value(0, QStringLiteral("DPHN")).toInt(), 21);
        QVERIFY(!c->setVatClass(0, QLatin1Char('x')));
        c->lines().setValue(0, c->lines().fieldIndex(QStringLiteral("JEDCEN")), 10.005);
        c->lines().setValue(0, c->lines().fieldIndex(QStringLiteral("MNOZ")), 3.0);
        c->CenaPod(0);
        QCOMPARE(c->lines().value(0, QStringLiteral("CENCELK")).toDouble(), Round(30.015, 0.01, false));
        QCOMPARE(c->lines().value(0, QStringLiteral("CENCELK")).toDouble(), 30.02);
        QVERIFY(c->addLine(line(QStringLiteral("Snížená"), 100, 1, QStringLiteral("S"), 12), false) >= 0);
        QCOMPARE(c->PrepocetFaktury(), 0);
        // 30.02 + 6.30 (6.3042) + 100 + 12 = 148.32, paid 148, rounding -0.32
        QCOMPARE(field(key, "CENZ"), 30.02);
        QCOMPARE(field(key, "DANZ"), 6.30);
        QCOMPARE(field(key, "DANS"), 12.0);
        QCOMPARE(field(key, "CELKEM"), 130.02);
        QCOMPARE(Round(field(key, "HALDOR"), 0.01), -0.32);
        QCOMPARE(Round(Invoice::grandTotal(field(key, "CENZ"), field(key, "DANZ"), field(key, "CENS"), field(key, "DANS"),
                                           field(key, "CEN0"), field(key, "HALDOR")), 0.01),
                 148.0);

        // only 'B' and blank lines, one carrying a stray rate: no VAT, parameter rates
        auto b = controller();
        const int onlyB = b->InsertRecord();
        QVERIFY(onlyB > 0);
        QVERIFY(b->setVatClass(0, QLatin1Char('b')));
        b->lines().setValue(0, b->lines().fieldIndex(QStringLiteral("JEDCEN")), 50.0);
        b->lines().setValue(0, b->lines().fieldIndex(QStringLiteral("MNOZ")), 2.0);
        b->CenaPod(0);
        QVERIFY(b->addLine(line(QStringLiteral("Bez"), 25, 1, QStringLiteral(" "), 0), false) >= 0);
        QCOMPARE(b->PrepocetFaktury(), 0);
        QCOMPARE(field(onlyB, "CEN0"), 125.0);
        QCOMPARE(field(onlyB, "DANZ") + field(onlyB, "DANS") + field(onlyB, "CENZ") + field(onlyB, "CENS"), 0.0);
        QCOMPARE(field(onlyB, "DPHZ"), 21.0);
        QCOMPARE(field(onlyB, "DPHS"), 12.0);

        // prices with VAT: 121 gross holds 21 of VAT
        auto g = controller();
        const int gross = g->InsertRecord();
        g->header().setValue(QStringLiteral("SDPH"), QStringLiteral("A"));
        QVERIFY(g->addLine(line(QStringLiteral("S DPH"), 121, 1, QStringLiteral("Z"), 21), false) >= 0);
        QCOMPARE(g->SaveRecordKeepOpen(), 0);
        QCOMPARE(field(gross, "CENZ"), 100.0);
        QCOMPARE(field(gross, "DANZ"), 21.0);

        // reopening: the lines are there, no empty line is added to an invoice that has some
        QCOMPARE(c->OpenRecord(key), 0);
        QCOMPARE(c->lines().rowCount(), 2);
    }

    // The receipt's amount in words comes from the total rounded to hundredths, a credit
    // note's with "minus"; the title follows the kind.
    void receiptTexts()
    {
        QCOMPARE(Invoice::amountInWords(2813.9999999), DejSlovyKC(2814));
        QCOMPARE(Invoice::amountInWords(2814.4), DejSlovyKC(2814));
        QVERIFY(Invoice::amountInWords(-200.0).startsWith(QStringLiteral("minus ")));
        QCOMPARE(Invoice::amountInWords(-200.0), DejSlovyKC(-200));
        QCOMPARE(Invoice::receiptTitle(QStringLiteral("U")), QStringLiteral("Účtenka za hotové - daňový doklad"));
        QCOMPARE(Invoice::receiptTitle(QStringLiteral("F")), QStringLiteral("Příjmový pokladní doklad"));
        QCOMPARE(Invoice::receiptTitle(QStringLiteral("P")), QStringLiteral("Příjmový pokladní doklad"));
    }

    // The printed invoice: the supplier, orderer and recipient, the dates and symbols,
    // every line with its rate, the summary by VAT class and the grand total; the
    // receipt of each kind its title, number and the grand total in words, item by item
    // or as one line. The list's and the window's menus offer them.
    void printouts()
    {
        const int orderer = insertEntry(*DM, 1, QStringLiteral("Odběratel Alfa s.r.o."));
        const int recipient = insertEntry(*DM, 1, QStringLiteral("Příjemce Beta a.s."));
        auto c = controller();
        const int key = c->InsertRecord();
        QVERIFY(key > 0);
        const std::pair<const char *, QVariant> header[] = {
            {"UNCODB", orderer}, {"UNCPRI", recipient}, {"CISFAK", QStringLiteral("FA-2026-15")},
            {"KS", QStringLiteral("0308")}, {"DATVYS", QDate(2026, 12, 9)}, {"DATSPL", QDate(2026, 12, 23)},
            {"TYPFAK", QStringLiteral("F")}, {"DOKUHRADY", QStringLiteral("PPD-77")},
            {"POPIS", QStringLiteral("Servis hasicích přístrojů")}};
        for (const auto &[f, v] : header)
            c->header().setValue(QLatin1String(f), v);
        RowCache &l = c->lines();
        l.setValue(0, l.fieldIndex(QStringLiteral("POLOZKA")), QStringLiteral("Kontrola HP"));
        QVERIFY(c->setVatClass(0, QLatin1Char('Z')));
        l.setValue(0, l.fieldIndex(QStringLiteral("JEDCEN")), 1234.5);
        l.setValue(0, l.fieldIndex(QStringLiteral("MNOZ")), 2.0);
        c->CenaPod(0);
        QVERIFY(c->addLine(line(QStringLiteral("Plomba"), 2.5, 4, QStringLiteral("S"), 12), false) >= 0);
        QVERIFY(c->addLine(line(QStringLiteral("Doprava"), 100, 1, QStringLiteral("B"), 0), false) >= 0);
        QCOMPARE(c->SaveRecordKeepOpen(), 0);
        // 2469 + 518.49 + 10 + 1.20 + 100 = 3098.69, paid 3099
        QCOMPARE(Round(field(key, "HALDOR"), 0.01), 0.31);

        const auto m = [](double v) { return formatMoney(v); };
        QString printed = pdfText([&](const QString &f, QString *e) { return TfFakturaT::writePdf(DM, key, f, e); });
        for (const char *text : {"FAKTURA", "č. FA-2026-15", "Dodavatel:", "Odběratel", "Odběratel Alfa s.r.o.", "Příjemce",
                                 "Příjemce Beta a.s.", "Datum uskutečnění zdanitelného plnění", "Den splatnosti", "Účet"})
            QVERIFY2(printed.contains(QString::fromUtf8(text)), text);
        QVERIFY(lineOf(printed, QStringLiteral("Datum vystavení")).contains(QStringLiteral("09.12.2026")));
        QVERIFY(lineOf(printed, QStringLiteral("Variabilní symbol")).contains(QStringLiteral("202615")));
        QVERIFY(lineOf(printed, QStringLiteral("Konstantní symbol")).contains(QStringLiteral("0308")));
        const QString first = lineOf(printed, QStringLiteral("Kontrola HP"));
        QVERIFY2(first.startsWith(QStringLiteral("Kontrola HP ") + m(1234.5)) && first.endsWith(QStringLiteral("21 % ") + m(2469)),
                 qPrintable(first));
        QVERIFY(lineOf(printed, QStringLiteral("Plomba")).endsWith(QStringLiteral("12 % ") + m(10)));
        // pdftotext may close up the last line's " 0 %"
        QVERIFY(lineOf(printed, QStringLiteral("Doprava")).contains(QRegularExpression(QStringLiteral(" 0 ?% ") + m(100) + QLatin1Char('$'))));
        QCOMPARE(lineOf(printed, QStringLiteral("Základní 21 %")),
                 QStringLiteral("Základní 21 % %1 %2 %3").arg(m(2469), m(518.49), m(2987.49)));
        QCOMPARE(lineOf(printed, QStringLiteral("Snížená 12 %")), QStringLiteral("Snížená 12 % %1 %2 %3").arg(m(10), m(1.2), m(11.2)));
        QCOMPARE(lineOf(printed, QStringLiteral("Bez daně")), QStringLiteral("Bez daně %1 %1").arg(m(100.31)));
        QCOMPARE(lineOf(printed, QStringLiteral("Haléřové dorovnání")), QStringLiteral("Haléřové dorovnání ") + m(0.31));
        QCOMPARE(lineOf(printed, QStringLiteral("Celkem k úhradě")), QStringLiteral("Celkem k úhradě %1 Kč").arg(m(3099)));
        QVERIFY(!printed.contains(QStringLiteral("Slovy")));

        // receipts: the title by kind, the payment document for a cash receipt, the total in words
        const QString words = QStringLiteral("Slovy: ") + DejSlovyKC(3099);
        const std::tuple<const char *, const char *, const char *> kinds[] = {
            {"U", "Účtenka za hotové - daňový doklad", "č. FA-2026-15"},
            {"F", "Příjmový pokladní doklad", "č. PPD-77"},
            {"P", "Příjmový pokladní doklad", "č. PPD-77"}};
        for (const auto &[kind, title, number] : kinds) {
            exec(QStringLiteral("UPDATE FAKTURY SET TYPFAK = '%1' WHERE UNCIS = %2").arg(QLatin1String(kind)).arg(key));
            printed = pdfText([&](const QString &f, QString *e) { return TfFakturaTDoklad::writePdf(DM, key, true, f, e); });
            QVERIFY2(printed.contains(QString::fromUtf8(title)) && printed.contains(QString::fromUtf8(number)), qPrintable(printed));
            QVERIFY2(printed.simplified().contains(words), qPrintable(printed));
            QVERIFY(printed.contains(QStringLiteral("Kontrola HP")) && !printed.contains(QStringLiteral("FAKTURA")));
        }
        // as one line: the description and the sum of the bases, no items
        printed = pdfText([&](const QString &f, QString *e) { return TfFakturaTDoklad::writePdf(DM, key, false, f, e); });
        QCOMPARE(lineOf(printed, QStringLiteral("Servis hasicích přístrojů")), QStringLiteral("Servis hasicích přístrojů ") + m(2579));
        QVERIFY(!printed.contains(QStringLiteral("Kontrola HP")) && printed.simplified().contains(words));

        // the menus
        TfFakturaS list;
        QStringList entries;
        for (QAction *a : list.findChild<QMenu *>(QStringLiteral("miFaktury"))->actions())
            entries << a->text();
        QCOMPARE(entries, (QStringList{"Nová", "Smazat", "Zobrazit"}));
        auto *w = new TfFaktura(TfClass::create<TfFakturaC>(DM));
        entries.clear();
        for (QAction *a : w->findChild<QMenu *>(QStringLiteral("miFaktura"))->actions())
            entries << a->text();
        QCOMPARE(entries.mid(0, 3), (QStringList{"Tisk faktury", "Tisk dokladu po položkách", "Tisk dokladu jedním řádkem"}));
        delete w;
    }

    // Items from the price list through the quantity dialog: a quantity not above 0 or a
    // cancelled dialog adds nothing; the item's class gives the rate; the typed price wins.
    void itemsFromThePriceList()
    {
        auto c = controller();
        QVERIFY(c->InsertRecord() > 0);
        QString typed = QStringLiteral("0");
        bool accept = true;
        c->setAskQuantity([&](const QString &popis, QString &quantity, double &price) {
            [&] { QCOMPARE(popis, QStringLiteral("Hadice")); QCOMPARE(quantity, QStringLiteral("0.00")); }();
            quantity = typed;
            price = 99.5;
            return accept;
        });
        const QVariantMap row = {{QStringLiteral("POPIS"), QStringLiteral("Hadice")}, {QStringLiteral("JEDN"), QStringLiteral("m")},
                                 {QStringLiteral("DPH"), QStringLiteral("S")}, {QStringLiteral("CSEKCE"), 4},
                                 {QStringLiteral("CENPRO"), 80.0}};
        QCOMPARE(c->NactiPolozku(77, row), 0);
        accept = false;
        typed = QStringLiteral("2");
        QCOMPARE(c->NactiPolozku(77, row), 0);
        accept = true;
        QCOMPARE(c->NactiPolozku(77, row), 1);
        // the empty first line was taken by the item
        QCOMPARE(c->lines().rowCount(), 1);
        QCOMPARE(c->lines().value(0, QStringLiteral("DPHN")).toInt(), 12);
        QCOMPARE(c->lines().value(0, QStringLiteral("CENCELK")).toDouble(), 199.0);
        QCOMPARE(c->lines().value(0, QStringLiteral("UNCCEN")).toInt(), 77);
    }

    // A note moved into a new invoice: its summary equals the note's; the number is the
    // typed one and a second move finds it and adds only zero quantities; a second note
    // of the same item and price merges into the line; a 'B' line goes in at rate 0;
    // sections not ticked give one line per VAT class; an empty number is refused.
    void moveFromDeliveryNote()
    {
        Parameters::instance().pricesWithoutVat = false;   // the firm's prices include VAT
        const int customer = insertEntry(*DM, 1, QStringLiteral("Hasiči s.r.o."));
        const int note = TfDodakC::insertNote(DM, customer, 0);
        const int second = TfDodakC::insertNote(DM, customer, 0);
        QVERIFY(note > 0 && second > 0);
        noteLine(note, 1, 501, QStringLiteral("Kontrola HP"), 10.005, 3, QStringLiteral("Z"), 21);
        noteLine(note, 1, 502, QStringLiteral("Plomba"), 2.5, 4, QStringLiteral("S"), 12);
        noteLine(note, 1, 503, QStringLiteral("Doprava"), 100, 1, QStringLiteral("B"), 21);
        noteLine(note, 4, 504, QStringLiteral("Ventil"), 80, 1, QStringLiteral("Z"), 21);
        noteLine(note, 4, 505, QStringLiteral("Hadice"), 33.33, 3, QStringLiteral("Z"), 21);
        noteLine(second, 1, 501, QStringLiteral("Kontrola HP"), 10.005, 2, QStringLiteral("Z"), 21);
        auto dc = TfClass::create<TfDodakC>(DM);
        QVERIFY(dc);
        QCOMPARE(dc->OpenRecord(note), 0);
        QVERIFY(dc->Prepocet() >= 0);
        delete dc;

        QString error;
        QCOMPARE(InvoiceMove::run(DM, request(note, QStringLiteral("  ")), &error), -1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FAKTURY")), 0);

        const int invoice = InvoiceMove::run(DM, request(note, QStringLiteral("FA-2026-7"), {1}), &error);
        QVERIFY2(invoice > 0, qPrintable(error));
        QCOMPARE(scalar(QStringLiteral("SELECT CISFAK FROM FAKTURY WHERE UNCIS = %1").arg(invoice)).toString(), QStringLiteral("FA-2026-7"));
        QCOMPARE(scalar(QStringLiteral("SELECT SDPH FROM FAKTURY WHERE UNCIS = %1").arg(invoice)).toString(), QStringLiteral("A"));
        QCOMPARE(count(QStringLiteral("SELECT UNCFAK FROM DODAKH WHERE UNCIS = %1").arg(note)), invoice);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DODAK WHERE UNCH = %1 AND MNOZFAK <> MNOZ").arg(note)), 0);
        QCOMPARE(count(QStringLiteral("SELECT DPHN FROM FAK_POL WHERE POLOZKA = 'Doprava'")), 0);
        // section 4 unticked: one line per class, the section's label, quantity 1
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FAK_POL WHERE UNCH = %1 AND CSEKCE = 4").arg(invoice)), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT CENCELK FROM FAK_POL WHERE UNCH = %1 AND CSEKCE = 4").arg(invoice)).toDouble(), 179.99);
        auto sums = [&](int key) {
            return QVector<double>{field(key, "CENZ"), field(key, "CENS"), field(key, "CEN0"), field(key, "DANZ"),
                                   field(key, "DANS"), field(key, "HALDOR")};
        };
        const QVector<double> noteSums = {scalar(QStringLiteral("SELECT ZAKZ FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble(),
                                          scalar(QStringLiteral("SELECT ZAKS FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble(),
                                          scalar(QStringLiteral("SELECT ZAKB FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble(),
                                          scalar(QStringLiteral("SELECT DANZ FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble(),
                                          scalar(QStringLiteral("SELECT DANS FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble(),
                                          scalar(QStringLiteral("SELECT ZAOKR FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble()};
        const QVector<double> first = sums(invoice);
        for (int i = 0; i < first.size(); ++i)
            QCOMPARE(Round(first[i], 0.01), Round(noteSums[i], 0.01));
        QCOMPARE(Round(Invoice::grandTotal(first[0], first[3], first[1], first[4], first[2], first[5]), 0.01),
                 Round(scalar(QStringLiteral("SELECT CASTKA FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble(), 0.01));
        // the printed invoice shows the note's amounts
        const QString printed = pdfText([&](const QString &f, QString *e) { return TfFakturaT::writePdf(DM, invoice, f, e); });
        QCOMPARE(lineOf(printed, QStringLiteral("Základní 21 %")),
                 QStringLiteral("Základní 21 % %1 %2 %3").arg(formatMoney(noteSums[0]), formatMoney(noteSums[3]),
                                                              formatMoney(noteSums[0] + noteSums[3])));
        QVERIFY(lineOf(printed, QStringLiteral("Snížená 12 %")).contains(formatMoney(noteSums[1]) + QLatin1Char(' ') + formatMoney(noteSums[4])));
        QCOMPARE(lineOf(printed, QStringLiteral("Celkem k úhradě")),
                 QStringLiteral("Celkem k úhradě ")
                     + formatMoney(scalar(QStringLiteral("SELECT CASTKA FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble())
                     + QStringLiteral(" Kč"));

        // the second move finds the invoice by its number: zero quantities, no amount changes
        const int lineCount = count(QStringLiteral("SELECT COUNT(*) FROM FAK_POL WHERE UNCH = %1").arg(invoice));
        QCOMPARE(scalar(QStringLiteral("SELECT SUM(MNOZ) FROM FAK_POL WHERE UNCH = %1 AND CSEKCE = 1").arg(invoice)).toDouble(), 8.0);
        QCOMPARE(InvoiceMove::run(DM, request(note, QStringLiteral("FA-2026-7"), {1}), &error), invoice);
        QCOMPARE(sums(invoice), first);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FAKTURY")), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT SUM(MNOZ) FROM FAK_POL WHERE UNCH = %1 AND CSEKCE = 1").arg(invoice)).toDouble(), 8.0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FAK_POL WHERE UNCH = %1").arg(invoice)), lineCount + 1);

        // the second note's equal item at the same price: one line, quantities summed
        QCOMPARE(InvoiceMove::run(DM, request(second, QStringLiteral("FA-2026-7")), &error), invoice);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FAK_POL WHERE UNCH = %1 AND UNCCEN = 501").arg(invoice)), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT MNOZ FROM FAK_POL WHERE UNCH = %1 AND UNCCEN = 501").arg(invoice)).toDouble(), 5.0);
        QCOMPARE(scalar(QStringLiteral("SELECT CENCELK FROM FAK_POL WHERE UNCH = %1 AND UNCCEN = 501").arg(invoice)).toDouble(), 50.03);
        QVERIFY(field(invoice, "CENZ") + field(invoice, "DANZ") > first[0] + first[3] + 20.0);

        // the note detached no longer points to the invoice
        QCOMPARE(InvoiceMove::detach(DM, note), 0);
        QCOMPARE(count(QStringLiteral("SELECT UNCFAK FROM DODAKH WHERE UNCIS = %1").arg(note)), 0);
    }

    // A failure in the last step (linking the note) leaves the database as it was; a
    // declined new invoice writes nothing either.
    void failedMoveChangesNothing()
    {
        const int note = TfDodakC::insertNote(DM, insertEntry(*DM, 1, QStringLiteral("Odběratel")), 0);
        noteLine(note, 1, 601, QStringLiteral("Kontrola"), 50, 2, QStringLiteral("Z"), 21);
        exec(QStringLiteral("CREATE EXCEPTION E_NO_LINK 'no link'"));
        exec(QStringLiteral("CREATE TRIGGER T_NO_LINK FOR DODAKH BEFORE UPDATE AS BEGIN "
                            "IF (NEW.UNCFAK IS DISTINCT FROM OLD.UNCFAK) THEN EXCEPTION E_NO_LINK; END"));
        const QString before = state();
        QString error;
        QVERIFY(InvoiceMove::run(DM, request(note, QStringLiteral("F1")), &error) < 0);
        QVERIFY(error.contains(QStringLiteral("no link")));
        QCOMPARE(state(), before);

        InvoiceMove::Request declined = request(note, QStringLiteral("F2"));
        declined.confirmCreate = [](const QString &) { return false; };
        QCOMPARE(InvoiceMove::run(DM, declined, &error), 0);
        QCOMPARE(state(), before);
    }

    // "Přesun do faktury" from the note: the dialog's number and ticks, the question
    // before a new invoice, the ticks remembered for the next time; "Odpojit fakturu".
    void moveThroughTheDialog()
    {
        const int note = TfDodakC::insertNote(DM, insertEntry(*DM, 1, QStringLiteral("Odběratel")), 0);
        noteLine(note, 1, 701, QStringLiteral("Kontrola"), 40, 2, QStringLiteral("Z"), 21);
        noteLine(note, 1, 702, QStringLiteral("Revize"), 10, 1, QStringLiteral("Z"), 21);
        auto *dc = TfClass::create<TfDodakC>(DM);
        QCOMPARE(dc->OpenRecord(note), 0);
        prompt().onModal<TfDodakDFaktura>([](TfDodakDFaktura *d) {
            [&] {
                QCOMPARE(d->windowTitle(), QStringLiteral("Tarko 8: Přenos do faktur"));
                QVERIFY(d->number().isEmpty());
            }();
            d->numberField()->setText(QStringLiteral("F9"));
            d->sectionBox(1)->setChecked(true);
            d->findChild<QPushButton *>(QStringLiteral("bbOK"))->click();
            return d->result();
        });
        prompt().answer(PromptYes);
        const int invoice = PresunDoFaktury(dc, nullptr);
        QVERIFY(invoice > 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Faktura s číslem F9 nebyla nalezena.\nChcete jí vytvořit?"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FAK_POL WHERE UNCH = %1").arg(invoice)), 2);
        QCOMPARE(dc->header().value(QStringLiteral("UNCFAK")).toInt(), invoice);
        {
            TfDodakDFaktura again(DM);
            QVERIFY(again.sectionBox(1)->isChecked());
            QVERIFY(!again.sectionBox(2)->isChecked());
            QCOMPARE(InvoiceMove::currentNumber(DM, note), QStringLiteral("F9"));
        }
        prompt().answer(PromptYes);
        QCOMPARE(OdpojitFakturu(dc), 1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Faktura byla odpojena"));
        QCOMPARE(dc->header().value(QStringLiteral("UNCFAK")).toInt(), 0);
        delete dc;
    }

    // The edit window: its pages, the VAT column's keys, "Ubrat" asking first, "Přeočet"
    // storing the summary and the three shown sums following it; the quantity dialog's
    // two buttons.
    void editWindow()
    {
        // the window holds the controller and frees it with itself
        auto *c = TfClass::create<TfFakturaC>(DM);
        const int key = c->InsertRecord();
        QVERIFY(key > 0);
        TfFaktura w(c);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarko 8: Faktura"));
        auto *pages = w.findChild<QTabWidget *>(QStringLiteral("pcFaktura"));
        QVERIFY(pages);
        QStringList titles;
        for (int i = 0; i < pages->count(); ++i)
            titles << pages->tabText(i);
        QCOMPARE(titles, (QStringList{"Hlavička", "Záhlaví", "Zápatí", "Úhrada"}));
        QAbstractItemModel *m = w.grid()->model();
        QVERIFY(m->setData(m->index(0, 1), QStringLiteral("100"), Qt::EditRole));
        QVERIFY(m->setData(m->index(0, 2), QStringLiteral("2"), Qt::EditRole));
        QVERIFY(!m->setData(m->index(0, 4), QStringLiteral("x"), Qt::EditRole));
        QVERIFY(m->setData(m->index(0, 4), QStringLiteral("s"), Qt::EditRole));
        QCOMPARE(c->lines().value(0, QStringLiteral("DPHN")).toInt(), 12);
        QCOMPARE(c->lines().value(0, QStringLiteral("CENCELK")).toDouble(), 200.0);
        w.Pridat();
        QCOMPARE(c->lines().rowCount(), 2);
        prompt().answer(PromptNo);
        w.Ubrat();
        QCOMPARE(c->lines().rowCount(), 2);
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazat tuto položku?"));
        prompt().answer(PromptYes);
        w.Ubrat();
        QCOMPARE(c->lines().rowCount(), 1);
        w.Prepocet();
        QCOMPARE(field(key, "DANS"), 24.0);
        QCOMPARE(w.shownSums(), (QStringList{formatMoney(0), formatMoney(224), formatMoney(224)}));

        // the quantity dialog: "Vložit množství" takes what was typed, "Nevkládat" nothing
        prompt().onModal<TfSkladPrevodDMnozstvi>([](TfSkladPrevodDMnozstvi *d) {
            d->quantityField()->setText(QStringLiteral("3"));
            d->findChild<QPushButton *>(QStringLiteral("bbVlozit"))->click();
            return d->result();
        });
        QString quantity = QStringLiteral("0.00");
        double price = 12.5;
        QVERIFY(TfSkladPrevodDMnozstvi::ask(&w, QStringLiteral("Ventil"), quantity, price));
        QCOMPARE(quantity, QStringLiteral("3"));
        QCOMPARE(price, 12.5);
        prompt().onModal<TfSkladPrevodDMnozstvi>([](TfSkladPrevodDMnozstvi *d) {
            d->quantityField()->setText(QStringLiteral("3"));
            d->findChild<QPushButton *>(QStringLiteral("bbNevkladat"))->click();
            return d->result();
        });
        QVERIFY(!TfSkladPrevodDMnozstvi::ask(&w, QStringLiteral("Ventil"), quantity, price));
        QVERIFY(quantity.isEmpty());
    }
};

QTEST_MAIN(TestInvoices)
#include "tst_invoices.moc"
