// The stock reports read back from their PDF as text, on a small warehouse of two
// stores: the movement of one store (its opening balance from that store alone) and of
// all stores, the movements of one item, purchases filtered on the receiving store and
// sales on the issuing store, by day and summed; a row of nothing moved is left out. One
// report goes through the window and the print dialog.
#include <QtTest>

#include "core/globals.h"
#include "support/addressdata.h"
#include "support/programdatabasetest.h"
#include "warehouse/sklses.h"
#include "widgets/obectiskd.h"
#include "widgets/printpreview.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QProcess>

class TestStockReports : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    int m_supplier = 0, m_customer = 0, m_storeA = 0, m_storeB = 0, m_extinguisher = 0, m_valve = 0, m_seal = 0;
    const QDate m_from{2026, 2, 1}, m_to{2026, 2, 28};

    int slip(const char *date, const char *kind, int from, int to)
    {
        return insertRow(*DM, QStringLiteral("SKLADPREVODH"),
                         {{QStringLiteral("CDT"), QString::fromLatin1(date)}, {QStringLiteral("DATUM"), QDate::fromString(QLatin1String(date), Qt::ISODate)},
                          {QStringLiteral("TYPPOH"), QLatin1String(kind)}, {QStringLiteral("UNCVYD"), from},
                          {QStringLiteral("UNCPRI"), to}});
    }
    void line(int slip, int item, const char *kind, double mnoz, double nakcen, int stav = 1, int novstav = 1)
    {
        const QString popis = scalar(QStringLiteral("SELECT POPIS FROM CENIK WHERE UNCIS = %1").arg(item)).toString();
        const QString vyrobce = scalar(QStringLiteral("SELECT VYROBCE FROM CENIK WHERE UNCIS = %1").arg(item)).toString();
        insertRow(*DM, QStringLiteral("SKLADPREVODP"),
                  {{QStringLiteral("UNCH"), slip}, {QStringLiteral("UNCMAT"), item}, {QStringLiteral("POPIS"), popis},
                   {QStringLiteral("VYROBCE"), vyrobce}, {QStringLiteral("TYPPOH"), QLatin1String(kind)},
                   {QStringLiteral("MNOZ"), mnoz}, {QStringLiteral("NAKCEN"), nakcen}, {QStringLiteral("CENA"), mnoz * nakcen},
                   {QStringLiteral("STAV"), stav}, {QStringLiteral("NOVSTAV"), novstav}});
    }
    QStringList report(StockReports::Kind kind, int store, int item = 0)
    {
        ListPrintOptions options;
        options.title1 = StockReports::title(kind);
        options.title2 = StockReports::periodText(DM, {m_from, m_to, store, item});
        Print::Document document;
        QString error;
        if (StockReports::render(DM, kind, {m_from, m_to, store, item}, options, document, &error) < 0)
            return {error};
        return pdfLines(document);
    }
    QStringList pdfLines(const Print::Document &document)
    {
        const QString pdf = env->path(QStringLiteral("report.pdf"));
        if (!Print::writePdf(document, pdf))
            return {};
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        QStringList lines;
        for (const QString &l : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
            if (!l.trimmed().isEmpty())
                lines << l.simplified();
        return lines;
    }

private slots:
    void initTestCase()
    {
        startFresh();
        DecimalSeparator = QLatin1Char(',');
        m_supplier = insertEntry(*DM, 1, QStringLiteral("Velkoobchod"));
        m_customer = insertEntry(*DM, 1, QStringLiteral("Zákazník"));
        m_storeA = insertEntry(*DM, 1, QStringLiteral("Sklad Alfa"));
        m_storeB = insertEntry(*DM, 1, QStringLiteral("Sklad Beta"));
        m_extinguisher = insertRow(*DM, QStringLiteral("CENIK"), {{QStringLiteral("CSEKCE"), 3}, {QStringLiteral("POPIS"), QStringLiteral("Přístroj P6")},
                                                                 {QStringLiteral("VYROBCE"), QStringLiteral("Aqua")}});
        m_valve = insertRow(*DM, QStringLiteral("CENIK"), {{QStringLiteral("CSEKCE"), 3}, {QStringLiteral("POPIS"), QStringLiteral("Ventil")}});
        m_seal = insertRow(*DM, QStringLiteral("CENIK"), {{QStringLiteral("CSEKCE"), 4}, {QStringLiteral("POPIS"), QStringLiteral("Těsnění")}});
        // January: bought into Alfa, 3 moved to Beta
        int s = slip("2026-01-10", "N", m_supplier, m_storeA);
        line(s, m_extinguisher, "N", 10, 100);
        line(s, m_valve, "N", 5, 20);
        s = slip("2026-01-15", "O", m_storeA, m_storeB);
        line(s, m_extinguisher, "O", 3, 100);
        // February: bought into Beta, sold from Alfa, one returned for repair to Alfa
        s = slip("2026-02-05", "N", m_supplier, m_storeB);
        line(s, m_extinguisher, "N", 2, 110);
        line(s, m_seal, "N", 0, 5);
        s = slip("2026-02-10", "P", m_storeA, m_customer);
        line(s, m_extinguisher, "P", 4, 150);
        line(s, m_valve, "P", 2, 30);
        s = slip("2026-02-20", "N", m_customer, m_storeA);
        line(s, m_extinguisher, "N", 1, 0, 3, 3);
    }
    void cleanupTestCase()
    {
        finish();
    }

    // Alfa: the extinguisher opens at 7 (Beta's 3 are not Alfa's), 4 sold; one came for
    // repair as condition D; the valve opens at 5; the seal moved nothing and is left out.
    // All stores: the opening is 10 and Beta's purchase counts.
    void storeMovement()
    {
        const QStringList alfa = report(StockReports::StoreMovement, m_storeA);
        QVERIFY2(alfa.contains(QStringLiteral("Sestava pohybu skladu Strana: 1")), qPrintable(alfa.join(QLatin1Char('\n'))));
        QVERIFY(alfa.contains(QStringLiteral("Období: 01.02.2026 - 28.02.2026, sklad: Sklad Alfa")));
        QVERIFY(alfa.contains(QStringLiteral("N Aqua - Přístroj P6 7,000 0,000 4,000 3,000")));
        QVERIFY(alfa.contains(QStringLiteral("D Aqua - Přístroj P6 0,000 1,000 0,000 1,000")));
        QVERIFY(alfa.contains(QStringLiteral("N Ventil 5,000 0,000 2,000 3,000")));
        QVERIFY(!alfa.join(QLatin1Char(' ')).contains(QStringLiteral("Těsnění")));

        const QStringList all = report(StockReports::StoreMovement, 0);
        QVERIFY2(all.contains(QStringLiteral("N Aqua - Přístroj P6 10,000 2,000 4,000 8,000")), qPrintable(all.join(QLatin1Char('\n'))));
    }

    // One item in Alfa over the period: the sale and the repair, with the other party and
    // both conditions.
    void itemMovement()
    {
        // the text reader joins "N - N" printed in a narrow column into "N-N"
        QStringList lines = report(StockReports::ItemMovement, m_storeA, m_extinguisher);
        lines.replaceInStrings(QStringLiteral(" - "), QStringLiteral("-"));
        const int sale = int(lines.indexOf(QStringLiteral("10.02.2026 Zákazník N-N 0,000 4,000")));
        QVERIFY2(sale > 0, qPrintable(lines.join(QLatin1Char('\n'))));
        QCOMPARE(lines.value(sale + 1), QStringLiteral("20.02.2026 Zákazník D-D 1,000 0,000"));
        QVERIFY(!lines.join(QLatin1Char(' ')).contains(QStringLiteral("15.01.2026")));
    }

    // Beta bought 2 at 110 (the purchase of the supplier, not Beta's issue); Alfa sold 4 at
    // 150 and 2 at 30; the sums per day and per item agree.
    void purchasesAndSales()
    {
        QStringList lines = report(StockReports::PurchaseByDay, m_storeB);
        QVERIFY2(lines.contains(QStringLiteral("05.02.2026 Aqua - Přístroj P6 2,000 110,00 220,00")), qPrintable(lines.join(QLatin1Char('\n'))));
        QVERIFY(lines.contains(QStringLiteral("220,00")));
        lines = report(StockReports::PurchaseByDay, m_storeA);
        QVERIFY(lines.contains(QStringLiteral("20.02.2026 Aqua - Přístroj P6 1,000 0,00 0,00")));
        QVERIFY(!lines.join(QLatin1Char(' ')).contains(QStringLiteral("110,00")));

        lines = report(StockReports::SaleByDay, m_storeA);
        QVERIFY2(lines.contains(QStringLiteral("10.02.2026 Aqua - Přístroj P6 4,000 150,00 600,00")), qPrintable(lines.join(QLatin1Char('\n'))));
        QVERIFY(lines.contains(QStringLiteral("10.02.2026 Ventil 2,000 30,00 60,00")));
        QVERIFY(lines.contains(QStringLiteral("660,00")));
        QVERIFY(!report(StockReports::SaleByDay, m_storeB).join(QLatin1Char(' ')).contains(QStringLiteral("600,00")));

        lines = report(StockReports::SaleSum, m_storeA);
        QVERIFY2(lines.contains(QStringLiteral("Prodej za období Strana: 1")), qPrintable(lines.join(QLatin1Char('\n'))));
        QVERIFY(lines.contains(QStringLiteral("Aqua - Přístroj P6 4,000 600,00")));
        QVERIFY(lines.contains(QStringLiteral("Ventil 2,000 60,00")));
        QVERIFY(lines.contains(QStringLiteral("660,00")));
        lines = report(StockReports::PurchaseSum, 0);
        QVERIFY(lines.contains(QStringLiteral("Aqua - Přístroj P6 3,000 220,00")));
    }

    // The window: the item movement needs an item; the button's report goes through the
    // print dialog, whose titles and header are printed.
    void throughTheWindow()
    {
        TfSklSes window(DM);
        window.dateFrom()->setDate(m_from);
        window.dateTo()->setDate(m_to);
        window.section()->setCurrentIndex(window.section()->findText(QStringLiteral("3")));
        QCOMPARE(window.material()->count(), 3);   // the empty choice, the extinguisher, the valve
        QCOMPARE(window.Tisk(StockReports::ItemMovement), 1);
        QVERIFY(prompt().saw(QStringLiteral("Vyberte materiál.")));
        prompt().clear();

        prompt().onModal<TfObecTiskD>([](TfObecTiskD *d) {
            if (d->eNadp1->text() != QLatin1String("Sestava pohybu skladu"))
                return int(QDialog::Rejected);
            d->eNadp2->setText(QStringLiteral("Inventura"));
            return int(QDialog::Accepted);
        });
        QCOMPARE(window.Tisk(StockReports::StoreMovement), 0);
        const QStringList lines = pdfLines(window.lastDocument());
        QVERIFY2(lines.contains(QStringLiteral("Inventura")), qPrintable(lines.join(QLatin1Char('\n'))));
        QVERIFY(lines.contains(QStringLiteral("N Aqua - Přístroj P6 10,000 2,000 4,000 8,000")));
        for (auto *preview : window.findChildren<PrintPreview *>())
            preview->close();
    }
};

QTEST_MAIN(TestStockReports)
#include "tst_stockreports.moc"
