// Barcodes: the code numbers and the EAN-13 symbol, and every printed symbol of the label
// sheet, the code sheets and the technician's form read back from a 300 dpi picture of
// the PDF by an independent decoder.
#include <QtTest>
#include <QProcess>
#include <QTemporaryDir>

#include "barcodes/ean13.h"
#include "barcodes/sheets.h"
#include "core/datamodulpro.h"
#include "support/programdatabasetest.h"

namespace {

// Every symbol the pages of the document show, decoded from 300 dpi pictures.
QStringList decoded(const Print::Document &document, const QString &folder)
{
    const QString pdf = folder + QStringLiteral("/codes.pdf");
    if (!Print::writePdf(document, pdf))
        return {QStringLiteral("no pdf")};
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("300"),
                                                   pdf, folder + QStringLiteral("/page")});
    QStringList pages;
    for (const QString &f : QDir(folder).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name))
        pages << folder + QLatin1Char('/') + f;
    QProcess zbar;
    zbar.setProcessChannelMode(QProcess::SeparateChannels);
    zbar.start(QStringLiteral("zbarimg"), QStringList{QStringLiteral("--raw"), QStringLiteral("-q")} + pages);
    zbar.waitForFinished(120000);
    QStringList codes = QString::fromLatin1(zbar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &f : pages)
        QFile::remove(f);
    codes.sort();
    return codes;
}

QString withCheck(const QString &twelve)
{
    return twelve + QString::number(Barcode::checkDigit(twelve));
}

QStringList withChecks(QStringList codes)
{
    for (QString &c : codes)
        c = withCheck(c);
    codes.sort();
    return codes;
}

} // namespace

class TestBarcodes : public ProgramDatabaseTest
{
    Q_OBJECT
private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void codeNumbersAndSymbol()
    {
        using namespace Barcode;
        QCOMPARE(checkDigit(QStringLiteral("100000000001")), 6);
        QCOMPARE(checkDigit(QStringLiteral("200000000005")), 3);
        QCOMPARE(checkDigit(codeText(Command, NewCustomer)), 0);
        QCOMPARE(checkDigit(codeText(Command, NewObject)), 7);
        QCOMPARE(codeText(Command, NewObject), QStringLiteral("900000000011"));
        // a placement and a repair text of the same key never share a code
        QCOMPARE(codeText(Placement, 7), QStringLiteral("300000000007"));
        QCOMPARE(codeText(Repair, 7), QStringLiteral("400000000007"));
        // nothing that does not fit eleven digits becomes a code, nor a symbol
        QVERIFY(codeText(Label, MaxNumber + 1).isEmpty());
        QVERIFY(codeText(Label, -1).isEmpty());
        QCOMPARE(checkDigit(QStringLiteral("12345678901")), -1);
        QVERIFY(modulePattern(QStringLiteral("1234567890123")).isEmpty());
        QVERIFY(modulePattern(QStringLiteral("12345678901x")).isEmpty());
        Print::Page page;
        QVERIFY(!drawSymbol(page, QStringLiteral("12345"), QPointF(), 1));
        QVERIFY(page.ops.isEmpty());
        // 4006381333931: parity ABAABB of the first digit 4, set C on the right
        QCOMPARE(modulePattern(QStringLiteral("400638133393")),
                 QStringLiteral("101" "0001101" "0100111" "0101111" "0111101" "0001001" "0110011" "01010"
                                "1000010" "1000010" "1000010" "1110100" "1000010" "1100110" "101"));
    }

    void everyPrintedSymbolDecodes()
    {
        QTemporaryDir dir;
        // every leading digit, so a wrong parity row cannot hide
        QStringList codes;
        Print::Report report;
        Print::Band *band = report.addBand(Print::Band::Detail, QStringLiteral("b"), 600);
        auto *canvas = band->add<Barcode::SymbolCanvas>(QStringLiteral("c"), QRectF(0, 0, 600, 600));
        for (int d = 0; d < 10; ++d) {
            codes << QStringLiteral("%1%2").arg(d).arg(QStringLiteral("7350531%1").arg(d * 7 % 10) + QStringLiteral("028"));
            canvas->symbols.append({codes.last(), QPointF((d % 2) * 300, (d / 2) * 110)});
        }
        QCOMPARE(decoded(report.render(), dir.path()), withChecks(codes));

        // a label sheet of 3 columns x 8 rows x 2 sheets: 48 numbers, column by column
        exec(QStringLiteral("ALTER SEQUENCE CKHP RESTART WITH 500"));
        QVector<qint64> numbers;
        QString error;
        const Print::Document labels = Barcode::labelSheets(DM, {3, 8, 2}, &numbers, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(labels.pages.size(), 2);
        QCOMPARE(numbers.size(), 48);
        QCOMPARE(numbers.first(), 501);
        QCOMPARE(scalar(QStringLiteral("SELECT GEN_ID(CKHP, 0) FROM RDB$DATABASE")).toLongLong(), 548);
        QStringList labelCodes;
        for (qint64 n = 501; n <= 548; ++n)
            labelCodes << Barcode::codeText(Barcode::Label, n);
        QCOMPARE(decoded(labels, dir.path()), withChecks(labelCodes));
        // replaying the pages (preview, then print) takes no further number
        QVERIFY(Print::writePdf(labels, dir.filePath(QStringLiteral("again.pdf"))));
        QCOMPARE(scalar(QStringLiteral("SELECT GEN_ID(CKHP, 0) FROM RDB$DATABASE")).toLongLong(), 548);

        // the code sheets: every entry's kind and key; the repair sheet leads with the years
        exec(QStringLiteral("INSERT INTO S_UMIST (UNCIS, POPIS) VALUES (701, 'Chodba')"));
        exec(QStringLiteral("INSERT INTO S_OPRTXT (UNCIS, POPIS) VALUES (701, 'Výměna ventilu')"));
        exec(QStringLiteral("INSERT INTO S_OPRTXT (UNCIS, POPIS) VALUES (801, 'Vyřazen - koroze')"));
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS, TCK) VALUES (901, 7, 'P6 Te', 'A')"));
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS, TCK) VALUES (1001, 7, 'S5', 'N')"));
        Print::Document placements = Barcode::codeSheet(DM, Barcode::CodeSheet::Placements, 2004, &error);
        QCOMPARE(decoded(placements, dir.path()), withChecks({QStringLiteral("300000000701")}));
        QStringList repairs = {QStringLiteral("400000000701"), QStringLiteral("400000000801")};
        for (int year = 1999; year <= 2004; ++year)
            repairs << Barcode::codeText(Barcode::TestYear, year);
        QCOMPARE(decoded(Barcode::codeSheet(DM, Barcode::CodeSheet::Repairs, 2004, &error), dir.path()),
                 withChecks(repairs));
        QCOMPARE(decoded(Barcode::codeSheet(DM, Barcode::CodeSheet::Types, 2004, &error), dir.path()),
                 withChecks({QStringLiteral("700000000901")}));

        // the technician's form: 34 lines a page counted on across pages, the commands
        const Print::Document form = Barcode::technicianForm({QStringLiteral("Kontrola HP"), QStringLiteral("Novák"),
                                                              QDate(2026, 3, 2), 2});
        QCOMPARE(form.pages.size(), 2);
        QStringList formCodes = {Barcode::codeText(Barcode::Command, 10), Barcode::codeText(Barcode::Command, 11),
                                 Barcode::codeText(Barcode::Command, 10), Barcode::codeText(Barcode::Command, 11)};
        for (int line = 1; line <= 68; ++line)
            formCodes << Barcode::codeText(Barcode::FormLine, line);
        QStringList got = decoded(form, dir.path());
        QCOMPARE(got, withChecks(formCodes));
    }

    void labelSheetStopsWithoutNumbers()
    {
        // CKHP near the INTEGER limit: the generator cannot give a label number
        exec(QStringLiteral("ALTER SEQUENCE CKHP RESTART WITH 2147483645"));
        QVector<qint64> numbers;
        QString error;
        const Print::Document labels = Barcode::labelSheets(DM, {2, 2, 1}, &numbers, &error);
        QVERIFY(labels.pages.isEmpty());
        QVERIFY(!error.isEmpty());
        QVERIFY(numbers.size() < 4);
    }
};

QTEST_MAIN(TestBarcodes)
#include "tst_barcodes.moc"
