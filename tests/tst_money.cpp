// The money and date routines: the VAT summary of a document, rounding of amounts,
// the amount in Czech words and adding a year to an inspection date.
#include <QtTest>
#include <cmath>

#include "core/format.h"
#include "core/globals.h"
#include "core/money.h"

namespace {

TTabDPH souhrn(double z, double s, double b)
{
    TTabDPH t;
    t[TTabDPH::ZakZ] = z;
    t[TTabDPH::ZakS] = s;
    t[TTabDPH::ZakB] = b;
    return t;
}

// The amounts a document prints must add up exactly as printed, in hundredths.
qint64 vHalerich(double x) { return qint64(std::llround(x * 100.0)); }

} // namespace

class TestMoney : public QObject
{
    Q_OBJECT
private:
    // What every summary must satisfy whatever the inputs.
    static void overSoucty(const TTabDPH &t, double krokCelkem)
    {
        QCOMPARE(vHalerich(t[TTabDPH::ZakCelkem]),
                 vHalerich(t[TTabDPH::ZakZ]) + vHalerich(t[TTabDPH::ZakS]) + vHalerich(t[TTabDPH::ZakB]));
        QCOMPARE(vHalerich(t[TTabDPH::DanCelkem]),
                 vHalerich(t[TTabDPH::DanZ]) + vHalerich(t[TTabDPH::DanS]));
        QCOMPARE(vHalerich(t[TTabDPH::Castka]),
                 vHalerich(t[TTabDPH::ZakCelkem]) + vHalerich(t[TTabDPH::DanCelkem])
                     + vHalerich(t[TTabDPH::Zaokr]));
        const double podil = t[TTabDPH::Castka] / krokCelkem;
        QVERIFY2(std::fabs(podil - std::round(podil)) < 1e-9,
                 qPrintable(QString::number(t[TTabDPH::Castka], 'f', 6)));
        QVERIFY(std::fabs(t[TTabDPH::Zaokr]) <= krokCelkem / 2 + 1e-9);
    }

    // Equal to the decimal literal, not merely close to it: the caller stores the
    // value in a NUMERIC column and prints it.
    static void presne(double skutecne, double ocekavane)
    {
        QCOMPARE(skutecne, ocekavane);
        QVERIFY2(skutecne == ocekavane, qPrintable(QString::number(skutecne, 'g', 17)));
    }

private slots:
    // ---- VAT summary ----

    void onlyBasicRateLines()
    {
        TTabDPH t = souhrn(1000.00, 0, 0);
        QCOMPARE(PrepXTabDPH(&t, 0, false, 21, 12, 0.01, 1.00), 0);
        presne(t[TTabDPH::ZakZ], 1000.00);
        presne(t[TTabDPH::ZakS], 0);
        presne(t[TTabDPH::ZakB], 0);
        presne(t[TTabDPH::Mezisoucet], 1000.00);
        presne(t[TTabDPH::ZakCelkem], 1000.00);
        presne(t[TTabDPH::DanZ], 210.00);
        presne(t[TTabDPH::DanS], 0);
        presne(t[TTabDPH::DanCelkem], 210.00);
        presne(t[TTabDPH::SlevaKc], 0);
        presne(t[TTabDPH::Castka], 1210.00);
        presne(t[TTabDPH::Zaokr], 0);
    }

    void totalRoundedToWholeCrownsKeepsTheDifference()
    {
        TTabDPH t = souhrn(1000.40, 0, 0);
        QCOMPARE(PrepXTabDPH(&t, 0, false, 21, 12, 0.01, 1.00), 0);
        presne(t[TTabDPH::DanZ], 210.08);          // 210.084
        presne(t[TTabDPH::Castka], 1210.00);       // 1210.48 rounded down
        presne(t[TTabDPH::Zaokr], -0.48);
        overSoucty(t, 1.00);

        // Rounded up at a half crown step, and the VAT step of ten hellers.
        t = souhrn(1000.40, 0, 0);
        PrepXTabDPH(&t, 0, false, 21, 12, 0.10, 0.50);
        presne(t[TTabDPH::DanZ], 210.10);
        presne(t[TTabDPH::Castka], 1210.50);
        presne(t[TTabDPH::Zaokr], 0.00);
        overSoucty(t, 0.50);

        t = souhrn(1000.45, 0, 0);                  // 1000.45 + 210.09 = 1210.54
        PrepXTabDPH(&t, 0, false, 21, 12, 0.01, 0.50);
        presne(t[TTabDPH::Castka], 1210.50);
        presne(t[TTabDPH::Zaokr], -0.04);
        overSoucty(t, 0.50);
    }

    void discountTakenOffEveryClassBeforeVat()
    {
        TTabDPH t = souhrn(1000.00, 500.00, 200.00);
        QCOMPARE(PrepXTabDPH(&t, 10, false, 21, 12, 0.01, 1.00), 0);
        presne(t[TTabDPH::Mezisoucet], 1700.00);
        presne(t[TTabDPH::SlevaKc], 170.00);
        presne(t[TTabDPH::ZakZ], 900.00);
        presne(t[TTabDPH::ZakS], 450.00);
        presne(t[TTabDPH::ZakB], 180.00);
        presne(t[TTabDPH::ZakCelkem], 1530.00);
        presne(t[TTabDPH::DanZ], 189.00);
        presne(t[TTabDPH::DanS], 54.00);
        presne(t[TTabDPH::DanCelkem], 243.00);
        presne(t[TTabDPH::Castka], 1773.00);
        presne(t[TTabDPH::Zaokr], 0);
        overSoucty(t, 1.00);

        // Discounts that fall between hellers are rounded per class.
        t = souhrn(333.33, 77.77, 0);
        PrepXTabDPH(&t, 10, false, 21, 12, 0.01, 1.00);
        presne(t[TTabDPH::SlevaKc], 41.11);           // 33.33 (33.333) + 7.78 (7.777)
        presne(t[TTabDPH::ZakZ], 300.00);
        presne(t[TTabDPH::ZakS], 69.99);
        presne(t[TTabDPH::DanZ], 63.00);
        presne(t[TTabDPH::DanS], 8.40);               // 8.3988
        presne(t[TTabDPH::Castka], 441.00);           // 441.39
        presne(t[TTabDPH::Zaokr], -0.39);
        overSoucty(t, 1.00);
    }

    void zeroDiscountLeavesDiscountAmountZero()
    {
        // Delivery notes sum price × quantity unrounded: the bases get hundredths,
        // but no discount appears out of that rounding.
        TTabDPH t = souhrn(100.004, 20.333, 0.126);
        PrepXTabDPH(&t, 0, false, 21, 12, 0.01, 0.01);
        QCOMPARE(t[TTabDPH::SlevaKc], 0.0);
        presne(t[TTabDPH::ZakZ], 100.00);
        presne(t[TTabDPH::ZakS], 20.33);
        presne(t[TTabDPH::ZakB], 0.13);
        overSoucty(t, 0.01);
    }

    void pricesIncludingVat()
    {
        TTabDPH t = souhrn(1210.00, 112.00, 50.00);
        QCOMPARE(PrepXTabDPH(&t, 0, true, 21, 12, 0.01, 1.00), 0);
        presne(t[TTabDPH::DanZ], 210.00);
        presne(t[TTabDPH::ZakZ], 1000.00);
        presne(t[TTabDPH::DanS], 12.00);
        presne(t[TTabDPH::ZakS], 100.00);
        presne(t[TTabDPH::ZakB], 50.00);
        presne(t[TTabDPH::Castka], 1372.00);   // the gross prices are what is paid
        presne(t[TTabDPH::Zaokr], 0);
        overSoucty(t, 1.00);

        // The VAT is the part of the gross price, the base is the rest.
        t = souhrn(100.00, 0, 0);
        PrepXTabDPH(&t, 0, true, 21, 12, 0.01, 0.01);
        presne(t[TTabDPH::DanZ], 17.36);       // 100 × 21 / 121 = 17.355
        presne(t[TTabDPH::ZakZ], 82.64);
        presne(t[TTabDPH::Castka], 100.00);
        overSoucty(t, 0.01);

        // A discount comes off the gross prices, then the VAT is taken out.
        t = souhrn(1210.00, 0, 0);
        PrepXTabDPH(&t, 10, true, 21, 12, 0.01, 1.00);
        presne(t[TTabDPH::SlevaKc], 121.00);
        presne(t[TTabDPH::DanZ], 189.00);
        presne(t[TTabDPH::ZakZ], 900.00);
        presne(t[TTabDPH::Castka], 1089.00);
        overSoucty(t, 1.00);
    }

    void linesWithoutVatOnly()
    {
        TTabDPH t = souhrn(0, 0, 523.45);
        for (bool sDph : {false, true}) {
            TTabDPH u = t;
            QCOMPARE(PrepXTabDPH(&u, 0, sDph, 21, 12, 0.01, 1.00), 0);
            presne(u[TTabDPH::ZakZ], 0);
            presne(u[TTabDPH::ZakS], 0);
            presne(u[TTabDPH::ZakB], 523.45);
            presne(u[TTabDPH::DanZ], 0);
            presne(u[TTabDPH::DanS], 0);
            presne(u[TTabDPH::DanCelkem], 0);
            presne(u[TTabDPH::Castka], 523.00);
            presne(u[TTabDPH::Zaokr], -0.45);
            overSoucty(u, 1.00);
        }
    }

    void missingStepsMeanHundredths()
    {
        TTabDPH t = souhrn(1000.40, 0, 0);
        PrepXTabDPH(&t, 0, false, 21, 12, 0, 0);
        presne(t[TTabDPH::DanZ], 210.08);
        presne(t[TTabDPH::Castka], 1210.48);
        presne(t[TTabDPH::Zaokr], 0);

        t = souhrn(1000.40, 0, 0);
        PrepXTabDPH(&t, 0, false, 21, 12, -1, -0.5);
        presne(t[TTabDPH::Castka], 1210.48);
    }

    void creditNoteAmountsAreNegative()
    {
        TTabDPH t = souhrn(-1000.40, 0, 0);
        PrepXTabDPH(&t, 0, false, 21, 12, 0.01, 1.00);
        presne(t[TTabDPH::DanZ], -210.08);
        presne(t[TTabDPH::Castka], -1210.00);
        presne(t[TTabDPH::Zaokr], 0.48);
        overSoucty(t, 1.00);
    }

    void partsAlwaysAddUp_data()
    {
        QTest::addColumn<double>("z");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("sleva");
        QTest::addColumn<bool>("sDph");
        QTest::addColumn<double>("krokDph");
        QTest::addColumn<double>("krokCelkem");
        const double kroky[] = {0.01, 0.10, 0.50, 1.00};
        const bool sDph[] = {false, true};
        int i = 0;
        for (double krok : kroky)
            for (bool s : sDph) {
                QTest::addRow("%d", ++i) << 1234.56 << 789.01 << 10.99 << 7.5 << s << 0.10 << krok;
                QTest::addRow("%d", ++i) << 0.03 << 0.05 << 0.07 << 33.0 << s << 0.01 << krok;
                QTest::addRow("%d", ++i) << 99999.99 << 0.0 << 0.01 << 0.0 << s << 0.01 << krok;
                QTest::addRow("%d", ++i) << 30.015 << 1.005 << 2.675 << 12.5 << s << 0.10 << krok;
            }
    }
    void partsAlwaysAddUp()
    {
        QFETCH(double, z);
        QFETCH(double, s);
        QFETCH(double, b);
        QFETCH(double, sleva);
        QFETCH(bool, sDph);
        QFETCH(double, krokDph);
        QFETCH(double, krokCelkem);
        TTabDPH t = souhrn(z, s, b);
        QCOMPARE(PrepXTabDPH(&t, sleva, sDph, 21, 12, krokDph, krokCelkem), 0);
        overSoucty(t, krokCelkem);
        const double podil = t[TTabDPH::DanZ] / krokDph;
        QVERIFY(std::fabs(podil - std::round(podil)) < 1e-9);
    }

    void refusesWhatItCannotCount()
    {
        QCOMPARE(PrepXTabDPH(nullptr, 0, false, 21, 12, 0.01, 1.00), -1);
        TTabDPH t = souhrn(std::nan(""), 0, 0);
        QCOMPARE(PrepXTabDPH(&t, 0, false, 21, 12, 0.01, 1.00), -1);
        QCOMPARE(t[TTabDPH::Castka], 0.0);
    }

    // ---- rounding ----

    void roundNearest_data()
    {
        QTest::addColumn<double>("hodnota");
        QTest::addColumn<double>("krok");
        QTest::addColumn<double>("vysledek");
        QTest::newRow("3 × 10.005") << 3 * 10.005 << 0.01 << 30.02;
        QTest::newRow("30.015") << 30.015 << 0.01 << 30.02;
        QTest::newRow("1.005") << 1.005 << 0.01 << 1.01;
        QTest::newRow("2.675") << 2.675 << 0.01 << 2.68;
        QTest::newRow("just below half") << 1.00499 << 0.01 << 1.00;
        QTest::newRow("exact") << 30.01 << 0.01 << 30.01;
        QTest::newRow("noise in sum") << 0.1 + 0.2 << 0.01 << 0.30;
        QTest::newRow("-30.015") << -30.015 << 0.01 << -30.02;
        QTest::newRow("-1.005") << -1.005 << 0.01 << -1.01;
        QTest::newRow("-1.004") << -1.004 << 0.01 << -1.00;
        QTest::newRow("tiny negative") << -0.004 << 0.01 << 0.0;
        QTest::newRow("tenths half") << 0.15 << 0.10 << 0.20;
        QTest::newRow("tenths") << 210.084 << 0.10 << 210.10;
        QTest::newRow("half crown up") << 1.25 << 0.50 << 1.50;
        QTest::newRow("half crown down") << 1.24 << 0.50 << 1.00;
        QTest::newRow("half crown negative") << -1.25 << 0.50 << -1.50;
        QTest::newRow("crowns down") << 1210.48 << 1.00 << 1210.00;
        QTest::newRow("crowns half") << 0.5 << 1.00 << 1.00;
        QTest::newRow("crowns negative half") << -2.5 << 1.00 << -3.00;
        QTest::newRow("large") << 999999999.995 << 0.01 << 1000000000.00;
        QTest::newRow("step 0") << 30.015 << 0.0 << 30.02;
        QTest::newRow("negative step") << 1.005 << -1.0 << 1.01;
    }
    void roundNearest()
    {
        QFETCH(double, hodnota);
        QFETCH(double, krok);
        QFETCH(double, vysledek);
        const double r = Round(hodnota, krok, false);
        presne(r, vysledek);
        QVERIFY(!std::signbit(r) || r != 0);   // no "-0.00" on a printout
    }

    void roundUp()
    {
        presne(Round(30.011, 0.01, true), 30.02);
        presne(Round(30.01, 0.01, true), 30.01);     // an exact multiple stays
        presne(Round(0.3, 0.10, true), 0.30);        // even when its binary form is not
        presne(Round(-30.011, 0.01, true), -30.02);
        presne(Round(1210.01, 1.00, true), 1211.00);
    }

    void roundPassesNonNumbersThrough()
    {
        QVERIFY(std::isnan(Round(std::nan(""), 0.01, false)));
        QVERIFY(std::isinf(Round(HUGE_VAL, 0.01, false)));
    }

    // ---- amounts in words ----

    void amountInWords_data()
    {
        QTest::addColumn<qint64>("castka");
        QTest::addColumn<QString>("slovy");
        QTest::newRow("0") << qint64(0) << QStringLiteral("nula korun českých");
        QTest::newRow("1") << qint64(1) << QStringLiteral("jedna koruna česká");
        QTest::newRow("2") << qint64(2) << QStringLiteral("dvě koruny české");
        QTest::newRow("4") << qint64(4) << QStringLiteral("čtyři koruny české");
        QTest::newRow("5") << qint64(5) << QStringLiteral("pět korun českých");
        QTest::newRow("12") << qint64(12) << QStringLiteral("dvanáct korun českých");
        QTest::newRow("19") << qint64(19) << QStringLiteral("devatenáct korun českých");
        QTest::newRow("21") << qint64(21) << QStringLiteral("dvacet jedna korun českých");
        QTest::newRow("22") << qint64(22) << QStringLiteral("dvacet dvě koruny české");
        QTest::newRow("100") << qint64(100) << QStringLiteral("sto korun českých");
        QTest::newRow("112") << qint64(112) << QStringLiteral("sto dvanáct korun českých");
        QTest::newRow("200") << qint64(200) << QStringLiteral("dvě stě korun českých");
        QTest::newRow("345") << qint64(345) << QStringLiteral("tři sta čtyřicet pět korun českých");
        QTest::newRow("1000") << qint64(1000) << QStringLiteral("tisíc korun českých");
        QTest::newRow("1001") << qint64(1001) << QStringLiteral("tisíc jedna korun českých");
        QTest::newRow("2814") << qint64(2814)
                              << QStringLiteral("dva tisíce osm set čtrnáct korun českých");
        QTest::newRow("5000") << qint64(5000) << QStringLiteral("pět tisíc korun českých");
        QTest::newRow("12000") << qint64(12000) << QStringLiteral("dvanáct tisíc korun českých");
        QTest::newRow("21000") << qint64(21000) << QStringLiteral("dvacet jedna tisíc korun českých");
        QTest::newRow("22000") << qint64(22000) << QStringLiteral("dvacet dva tisíce korun českých");
        QTest::newRow("200000") << qint64(200000) << QStringLiteral("dvě stě tisíc korun českých");
        QTest::newRow("1000000") << qint64(1000000) << QStringLiteral("milion korun českých");
        QTest::newRow("1001000") << qint64(1001000) << QStringLiteral("milion tisíc korun českých");
        QTest::newRow("2000002") << qint64(2000002)
                                 << QStringLiteral("dva miliony dvě koruny české");
        QTest::newRow("5000000") << qint64(5000000) << QStringLiteral("pět milionů korun českých");
        QTest::newRow("999999999") << qint64(999999999)
                                   << QStringLiteral("devět set devadesát devět milionů "
                                                     "devět set devadesát devět tisíc "
                                                     "devět set devadesát devět korun českých");
        QTest::newRow("1000000000") << qint64(1000000000) << QStringLiteral("miliarda korun českých");
        QTest::newRow("2000000000") << qint64(2000000000)
                                    << QStringLiteral("dvě miliardy korun českých");
        QTest::newRow("-1") << qint64(-1) << QStringLiteral("minus jedna koruna česká");
        QTest::newRow("-2814") << qint64(-2814)
                               << QStringLiteral("minus dva tisíce osm set čtrnáct korun českých");
    }
    void amountInWords()
    {
        QFETCH(qint64, castka);
        QFETCH(QString, slovy);
        QCOMPARE(DejSlovyKC(castka), slovy);
    }

    void amountInWordsCoversTheWholeRange()
    {
        const QString nejmensi = DejSlovyKC(std::numeric_limits<qint64>::min());
        QVERIFY(nejmensi.startsWith(QStringLiteral("minus devět trilionů dvě stě dvacet tři biliard")));
        QVERIFY(nejmensi.endsWith(QStringLiteral("osm set osm korun českých")));
        QVERIFY(!DejSlovyKC(std::numeric_limits<qint64>::max()).contains(QStringLiteral("  ")));
    }

    // ---- dates ----

    void addPeriod_data()
    {
        QTest::addColumn<int>("roky");
        QTest::addColumn<int>("mesice");
        QTest::addColumn<int>("dny");
        QTest::addColumn<QDate>("od");
        QTest::addColumn<QDate>("do_");
        QTest::newRow("year") << 0 << 12 << 0 << QDate(2025, 3, 14) << QDate(2026, 3, 14);
        QTest::newRow("leap day") << 0 << 12 << 0 << QDate(2024, 2, 29) << QDate(2025, 2, 28);
        QTest::newRow("into leap year keeps day") << 0 << 12 << 0 << QDate(2023, 2, 28)
                                                  << QDate(2024, 2, 28);
        QTest::newRow("month end") << 0 << 12 << 0 << QDate(2025, 12, 31) << QDate(2026, 12, 31);
        QTest::newRow("31.1. + 1") << 0 << 1 << 0 << QDate(2025, 1, 31) << QDate(2025, 2, 28);
        QTest::newRow("31.1. + 1 leap") << 0 << 1 << 0 << QDate(2024, 1, 31) << QDate(2024, 2, 29);
        QTest::newRow("31.3. + 1") << 0 << 1 << 0 << QDate(2025, 3, 31) << QDate(2025, 4, 30);
        QTest::newRow("across year") << 0 << 3 << 0 << QDate(2025, 11, 30) << QDate(2026, 2, 28);
        QTest::newRow("back a month") << 0 << -1 << 0 << QDate(2024, 3, 31) << QDate(2024, 2, 29);
        QTest::newRow("back a year") << 0 << -12 << 0 << QDate(2024, 2, 29) << QDate(2023, 2, 28);
        QTest::newRow("years") << 1 << 0 << 0 << QDate(2024, 2, 29) << QDate(2025, 2, 28);
        QTest::newRow("days after months") << 0 << 1 << 1 << QDate(2025, 1, 31) << QDate(2025, 3, 1);
        QTest::newRow("minus days") << 0 << 12 << -20 << QDate(2025, 3, 14) << QDate(2026, 2, 22);
        QTest::newRow("nothing") << 0 << 0 << 0 << QDate(2025, 3, 14) << QDate(2025, 3, 14);
    }
    void addPeriod()
    {
        QFETCH(int, roky);
        QFETCH(int, mesice);
        QFETCH(int, dny);
        QFETCH(QDate, od);
        QFETCH(QDate, do_);
        QDate d = od;
        PlusDT(roky, mesice, dny, d);
        QCOMPARE(d, do_);
    }

    void addPeriodLeavesInvalidDateAlone()
    {
        QDate d;
        PlusDT(0, 12, 0, d);
        QVERIFY(d.isNull());
    }

    // Every list, grid, field and printout shows amounts and quantities the same way.
    void amountsAndQuantitiesAsShown()
    {
        const QChar separator = DecimalSeparator;
        DecimalSeparator = QLatin1Char(',');
        QCOMPARE(formatMoney(7.2), QStringLiteral("7,20"));
        QCOMPARE(formatMoney(12), QStringLiteral("12,00"));
        QCOMPARE(formatMoney(1250), QStringLiteral("1 250,00"));
        QCOMPARE(formatMoney(-1234567.891), QStringLiteral("-1 234 567,89"));
        QCOMPARE(formatMoney(999.999), QStringLiteral("1 000,00"));
        QCOMPARE(formatMoney(1.005), QStringLiteral("1,01"));   // as Round rounds it
        QCOMPARE(formatMoney(-0.004), QStringLiteral("0,00"));
        QCOMPARE(formatQuantity(1250), QStringLiteral("1 250"));
        QCOMPARE(formatQuantity(2.5), QStringLiteral("2,5"));
        QCOMPARE(formatQuantity(0.1254), QStringLiteral("0,125"));
        QCOMPARE(formatQuantity(-0.0001), QStringLiteral("0"));

        // the dictionary's type letter picks the format; a text in a number column stays
        QCOMPARE(formatValue(7.2, formatOfDictionaryType(QStringLiteral("C"))), QStringLiteral("7,20"));
        QCOMPARE(formatValue(QStringLiteral("1250.5"), formatOfDictionaryType(QStringLiteral("C"))),
                 QStringLiteral("1 250,50"));
        QCOMPARE(formatValue(7.2, formatOfDictionaryType(QStringLiteral("F"))), QStringLiteral("7,2"));
        QCOMPARE(formatValue(12345, formatOfDictionaryType(QStringLiteral("I"))), QStringLiteral("12345"));
        QCOMPARE(formatValue(QDate(2026, 3, 5), formatOfDictionaryType(QStringLiteral("D"))),
                 QStringLiteral("05.03.2026"));
        QCOMPARE(formatValue(QStringLiteral("bez ceny"), DisplayFormat::Money), QStringLiteral("bez ceny"));
        QCOMPARE(formatValue(QVariant(), DisplayFormat::Money), QString());

        // the separator of the program's settings
        DecimalSeparator = QLatin1Char('.');
        QCOMPARE(formatMoney(1250), QStringLiteral("1 250.00"));
        DecimalSeparator = separator;
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
