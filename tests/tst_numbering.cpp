// Document number series on real database files: the next number of a series with
// every format character and the fill rule, asked parts and cancelled questions,
// unknown codes and missing generators.
#include <QtTest>

#include "support/seriesfixture.h"

namespace {

// The captions of the input questions asked since the last call, in order.
QStringList takeAskedCaptions(ScriptedPrompt &prompt)
{
    QStringList captions;
    for (const InputRequest &r : prompt.inputs)
        captions << r.caption;
    prompt.inputs.clear();
    return captions;
}

} // namespace

class TestNumbering : public SeriesFixture
{
    Q_OBJECT
private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    // --- the next number -------------------------------------------------------------

    void numberFromTheGeneratorWithTheWorkingYear()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 41);
        int sequence = 0;
        QCOMPARE(next(QStringLiteral("DL"), &sequence), QStringLiteral("042/26"));
        QCOMPARE(sequence, 42);
        QCOMPARE(generator(QStringLiteral("DL")), qint64(42));
        // the code as the user types it into the number field
        QCOMPARE(next(QStringLiteral(" dl "), &sequence), QStringLiteral("043/26"));
        QCOMPARE(sequence, 43);
        QVERIFY(prompt().shown.isEmpty());
    }

    void askedNumberLeavesTheGeneratorAlone()
    {
        series(QStringLiteral("PR"), QStringLiteral("?###/&&"), 5);
        prompt().inputAnswer(QStringLiteral("17"));
        int sequence = 0;
        QCOMPARE(next(QStringLiteral("PR"), &sequence), QStringLiteral("017/26"));
        QCOMPARE(sequence, 17);
        QCOMPARE(prompt().inputs.size(), 1);
        QVERIFY(prompt().inputs.constFirst().integer);
        QCOMPARE(takeAskedCaptions(prompt()), QStringList{QStringLiteral("Zadejte pořadové číslo")});
        QCOMPARE(generator(QStringLiteral("PR")), qint64(5));
    }

    void cancelledQuestionGivesNoNumberAndUsesNoneUp()
    {
        // the number itself asked and cancelled
        series(QStringLiteral("PR"), QStringLiteral("?###/&&"), 5);
        prompt().inputAnswer(QString());
        int sequence = -1;
        QCOMPARE(next(QStringLiteral("PR"), &sequence), QString());
        QCOMPARE(sequence, 0);
        QCOMPARE(generator(QStringLiteral("PR")), qint64(5));

        // the year asked after the number in the format: the generator is drawn only
        // when every question was answered, so a cancel leaves no gap in the series
        series(QStringLiteral("FA"), QStringLiteral("###/?&&"), 9);
        prompt().inputAnswer(QString());
        QCOMPARE(next(QStringLiteral("FA"), &sequence), QString());
        QCOMPARE(generator(QStringLiteral("FA")), qint64(9));
        takeAskedCaptions(prompt());
        prompt().inputAnswer(QStringLiteral("2025"));
        QCOMPARE(next(QStringLiteral("FA"), &sequence), QStringLiteral("010/25"));
        QCOMPARE(takeAskedCaptions(prompt()), QStringList{QStringLiteral("Zadejte rok")});
        QVERIFY(prompt().shown.isEmpty());
    }

    void fillRule_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<qint64>("counter");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("technician");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("sequence");
        QTest::newRow("longer number keeps its last digits") << "###" << qint64(1233) << 3 << "" << "234" << 1234;
        QTest::newRow("shorter number padded with zeros") << "######" << qint64(6) << 3 << "" << "000007" << 7;
        QTest::newRow("month in two places") << "&&@@-####" << qint64(0) << 3 << "" << "2603-0001" << 1;
        QTest::newRow("month cut to one place") << "@/#" << qint64(0) << 12 << "" << "2/1" << 1;
        QTest::newRow("four-digit year") << "&&&&/##" << qint64(99) << 3 << "" << "2026/00" << 100;
        QTest::newRow("technician code padded") << "%%%-#" << qint64(2) << 3 << "AB" << "0AB-3" << 3;
        QTest::newRow("technician code cut") << "%-#" << qint64(2) << 3 << "XYZ" << "Z-3" << 3;
        QTest::newRow("placeholder positions apart") << "#-#" << qint64(41) << 3 << "" << "4-2" << 42;
        QTest::newRow("placeholder inside a value stays") << "%%/##" << qint64(0) << 3 << "A#" << "A#/01" << 1;
        QTest::newRow("other characters copied") << "DL-&&.#" << qint64(4) << 3 << "" << "DL-26.5" << 5;
        QTest::newRow("no placeholder at all") << "PEVNE" << qint64(4) << 3 << "" << "PEVNE" << 0;
        QTest::newRow("empty technician code") << "%%#" << qint64(0) << 3 << "" << "001" << 1;
    }
    void fillRule()
    {
        QFETCH(QString, format);
        QFETCH(qint64, counter);
        QFETCH(int, month);
        QFETCH(QString, technician);
        QFETCH(QString, expected);
        QFETCH(int, sequence);
        Parameters::instance().month = month;
        series(QStringLiteral("R"), format, counter);
        int got = -1;
        QCOMPARE(next(QStringLiteral("R"), &got, technician), expected);
        QCOMPARE(got, sequence);
        // only a format with "#" draws from the generator
        QCOMPARE(generator(QStringLiteral("R")), format.contains(QLatin1Char('#')) ? counter + 1 : counter);
    }

    void askedYearMonthAndTechnician()
    {
        series(QStringLiteral("OBJ"), QStringLiteral("?%%/?@@/?&&/###"), 0);
        prompt().inputAnswer(QStringLiteral("JN"));
        prompt().inputAnswer(QStringLiteral("7"));
        prompt().inputAnswer(QStringLiteral("1999"));
        int sequence = 0;
        QCOMPARE(next(QStringLiteral("OBJ"), &sequence, QStringLiteral("PK")), QStringLiteral("JN/07/99/001"));
        QCOMPARE(sequence, 1);
        QCOMPARE(takeAskedCaptions(prompt()), (QStringList{QStringLiteral("Zadejte kód technika"), QStringLiteral("Zadejte měsíc"),
                                     QStringLiteral("Zadejte rok")}));

        // a question mark before a plain character asks nothing; a trailing one vanishes
        exec(QStringLiteral("UPDATE DOKRAD SET FORMAT = '?/##?' WHERE KOD = 'OBJ'"));
        QCOMPARE(next(QStringLiteral("OBJ"), &sequence), QStringLiteral("/02"));
    }

    void unknownCodeGivesAnEmptyText()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 41);
        int sequence = -1;
        QCOMPARE(next(QStringLiteral("XX"), &sequence), QString());
        QCOMPARE(sequence, 0);
        // a number already in the field is no code
        QCOMPARE(next(QStringLiteral("042/26")), QString());
        QCOMPARE(next(QString()), QString());
        QCOMPARE(generator(QStringLiteral("DL")), qint64(41));
        QVERIFY(prompt().shown.isEmpty());
    }

    void seriesWithoutItsGeneratorGivesAnEmptyText()
    {
        exec(QStringLiteral("INSERT INTO DOKRAD (UNCIS, KOD, POPIS, FORMAT) VALUES (100, 'ZTR', 'Ztracená', '###/&&')"));
        int sequence = -1;
        QCOMPARE(next(QStringLiteral("ZTR"), &sequence), QString());
        QCOMPARE(sequence, 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Generátor řady"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Řady dokladů"));
        QCOMPARE(prompt().shown.constLast().kind, PromptKind::Error);
        prompt().clear();
    }
};

QTEST_GUILESS_MAIN(TestNumbering)
#include "tst_numbering.moc"
