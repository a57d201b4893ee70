// Delivery notes on real database files: the fill from inspections by section, pricing
// of new lines, the stored totals against the printout, the lines already invoiced,
// two workstations on one note, and the note of an extinguisher or hydrant inspection.
#include <QtTest>
#include <QProcess>

#include "commerce/dodakc.h"
#include "commerce/doddil.h"
#include "commerce/dodakt.h"
#include "commerce/dodak.h"
#include "commerce/dodaklink.h"
#include "commerce/dodaks.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include <QComboBox>
#include <QTableView>
#include <QTextEdit>
#include "core/parameters.h"
#include "core/money.h"
#include "inspections/hpc.h"
#include "inspections/pvc.h"
#include "support/addressdata.h"
#include "support/protocolfixture.h"
#include "support/programdatabasetest.h"

using namespace DeliveryNote;

class TestDeliveryNotes : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    Parameters m_saved;

    int item(int section, const QString &popis, double cenpro, const Values &more = {})
    {
        Values v = {{QStringLiteral("CSEKCE"), section}, {QStringLiteral("POPIS"), popis},
                    {QStringLiteral("CENPRO"), cenpro}, {QStringLiteral("DPH"), QStringLiteral("Z")},
                    {QStringLiteral("JEDN"), QStringLiteral("ks")}};
        for (const auto &m : more) {
            v.removeIf([&](const auto &d) { return d.first == m.first; });
            v << m;
        }
        return insertRow(*DM, QStringLiteral("CENIK"), v);
    }
    int protocol(int note, int table = 0)
    {
        return insertRow(*DM, table ? QStringLiteral("VOD_HLAV") : QStringLiteral("PR_HLAV"),
                         {{QStringLiteral("UNCDOD"), note}, {QStringLiteral("UNCFIR"), 10}, {QStringLiteral("UNCSTR"), 20}});
    }
    int extinguisher(int protocolKey, int type, int status, const QString &mark)
    {
        return insertRow(*DM, QStringLiteral("PR_TAB"),
                         {{QStringLiteral("UNCH"), protocolKey}, {QStringLiteral("UNCCEN"), type},
                          {QStringLiteral("STATUS"), status}, {QStringLiteral("ZNACKA"), mark}});
    }
    // The quantity of the note's line of an item in a section tab (-1: no line).
    static double quantity(int note, int section, int itemKey)
    {
        const QVariant v = scalar(QStringLiteral("SELECT MNOZ FROM DODAK WHERE UNCH = %1 AND CSEKCE = %2 AND UNCCEN = %3")
                                      .arg(note).arg(section).arg(itemKey));
        return v.isNull() ? -1 : v.toDouble();
    }
    static int rowOf(TfDodakC &c, int itemKey)
    {
        for (int r = 0; r < c.lines().rowCount(); ++r)
            if (c.lines().value(r, QStringLiteral("UNCISC")).toInt() == itemKey)
                return r;
        return -1;
    }
    std::unique_ptr<TfDodakC, void (*)(TfDodakC *)> openNote(int note, TDMPro *dm = DM)
    {
        std::unique_ptr<TfDodakC, void (*)(TfDodakC *)> c(TfClass::create<TfDodakC>(dm), [](TfDodakC *p) { delete p; });
        if (c)
            c->OpenRecord(note);
        return c;
    }

private slots:
    void init()
    {
        startFresh();
        m_saved = Parameters::instance();
        Parameters &p = Parameters::instance();
        p.vatBasic = 21;
        p.vatReduced = 12;
        p.chargedStates = QStringLiteral("(1,4,14,5)");
        p.disposalStates = QStringLiteral("(3,5)");
        p.pricesWithoutVat = true;
        p.vatRoundingStep = 0.01;
        p.totalRoundingStep = 0.01;
        p.quantityTiers = false;
    }
    void cleanup()
    {
        Parameters::instance() = m_saved;
        finish();
    }

    // Every section by its rule, from two protocols with items in every movement state,
    // parts on some items and hydrants; a second fill gives the same; a group without a
    // row is reported once and the rest filled; an empty state list finds nothing.
    void fillFromInspections()
    {
        const int aCheck = item(1, QStringLiteral("Kontrola sk. A"), 30, {{QStringLiteral("SKUPPROH"), QStringLiteral("A")}, {QStringLiteral("STATUS"), 1}});
        const int anyCheck = item(1, QStringLiteral("Kontrola ostatní"), 25, {{QStringLiteral("STATUS"), 1}});
        const int hCheck = item(1, QStringLiteral("Kontrola PV"), 40, {{QStringLiteral("SKUPPROH"), QStringLiteral("H")}, {QStringLiteral("STATUS"), 1}});
        const int aRepair = item(1, QStringLiteral("Do opravy sk. A"), 20, {{QStringLiteral("SKUPPROH"), QStringLiteral("A")}, {QStringLiteral("STATUS"), 2}});
        const int anyDisposal = item(1, QStringLiteral("Likvidace"), 15, {{QStringLiteral("STATUS"), 3}});
        const int t1 = item(7, QStringLiteral("P6 Č"), 900, {{QStringLiteral("SKUPPROH"), QStringLiteral("A")}});
        const int t2 = item(7, QStringLiteral("S5 KT"), 1500, {{QStringLiteral("SKUPPROH"), QStringLiteral("B")}});
        const int t3 = item(7, QStringLiteral("V9"), 700, {{QStringLiteral("SKUPPROH"), QStringLiteral("C")}});
        const int hydrant = item(11, QStringLiteral("Hydrant D25"), 0, {{QStringLiteral("SKUPPROH"), QStringLiteral("H")}});
        const int hp6 = item(2, QStringLiteral("HP6"), 250);
        const int w1a = item(6, QStringLiteral("Doprava"), 5, {{QStringLiteral("STATUS"), 1}});
        const int w1b = item(6, QStringLiteral("Doprava 2"), 6, {{QStringLiteral("STATUS"), 1}});
        const int w2 = item(6, QStringLiteral("Plomba"), 3, {{QStringLiteral("STATUS"), 2}});
        const int part1 = item(4, QStringLiteral("Ventil"), 80);
        const int part2 = item(4, QStringLiteral("Hadice"), 120);

        const int note = TfDodakC::insertNote(DM, 10, 20);
        QVERIFY(note > 0);
        const int p1 = protocol(note);
        const int p2 = protocol(note);
        const int other = protocol(0);
        QVector<int> p1Items;
        for (int st : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14})
            p1Items << extinguisher(p1, t1, st, QStringLiteral("HP6"));
        extinguisher(p2, t2, 2, QStringLiteral("HP6"));
        extinguisher(p2, t2, 2, QStringLiteral("HP6"));
        extinguisher(p2, t3, 9, QStringLiteral("HP6"));
        extinguisher(p2, t3, 1, QStringLiteral("HP6"));
        extinguisher(p2, t1, 2, QStringLiteral("XX"));
        extinguisher(other, t1, 1, QStringLiteral("HP6"));
        const int v = protocol(note, 1);
        for (int i = 0; i < 2; ++i)
            insertRow(*DM, QStringLiteral("VOD_TAB"), {{QStringLiteral("UNCH"), v}, {QStringLiteral("UNCCEN"), hydrant}});
        const auto part = [&](int pol, int pro, int cen, double m) {
            insertRow(*DM, QStringLiteral("DODDIL"), {{QStringLiteral("UNCPOL"), pol}, {QStringLiteral("UNCPRO"), pro},
                                                      {QStringLiteral("UNCCEN"), cen}, {QStringLiteral("MNOZSTVI"), m}});
        };
        part(p1Items.at(2), p1, part1, 1);
        part(p1Items.at(4), p1, part1, 2);
        part(p1Items.at(4), p1, part2, 1);
        part(0, other, part2, 5);

        auto c = openNote(note);
        QVERIFY(c);
        const QStringList sectionOneMiss = {QStringLiteral("Nedohledán HP do opravy\nskupina: B")};
        for (int round = 0; round < 2; ++round) {
            for (int s : {1, 2, 4, 6, 7, 12, 13, 14, 15}) {
                prompt().clear();
                QCOMPARE(c->OpenLines(s, round == 1), 0);
                QCOMPARE(c->Doplnit(), 0);
                if (s == 1)
                    QCOMPARE(prompt().texts(), sectionOneMiss);
                else if (s == 2)
                    QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Nedohledán HP: XX")});
                else
                    QVERIFY2(prompt().shown.isEmpty(), qPrintable(prompt().texts().join(QLatin1Char('|'))));
            }
            QCOMPARE(quantity(note, 1, aCheck), 4.0);        // states 1, 4, 5, 14 of group A
            QCOMPARE(quantity(note, 1, anyCheck), 1.0);      // group C falls to the catch-all row
            QCOMPARE(quantity(note, 1, hCheck), 2.0);        // the hydrants
            QCOMPARE(quantity(note, 1, aRepair), 4.0);       // 2, 4, 14 and the one of the second protocol
            QCOMPARE(quantity(note, 1, anyDisposal), 2.0);   // 3 and 5
            QCOMPARE(quantity(note, 2, hp6), 5.0);           // both protocols, not the last one only
            QCOMPARE(quantity(note, 6, w1a), -1.0);
            QCOMPARE(quantity(note, 6, w1b), 17.0);          // each item once per work kind
            QCOMPARE(quantity(note, 6, w2), 17.0);
            QCOMPARE(quantity(note, 7, t1), 1.0);
            QCOMPARE(quantity(note, 7, t3), 1.0);
            QCOMPARE(quantity(note, 12, t1), 4.0);
            QCOMPARE(quantity(note, 13, t1), 2.0);
            QCOMPARE(quantity(note, 13, t3), 1.0);
            QCOMPARE(quantity(note, 14, t1), 4.0);
            QCOMPARE(quantity(note, 14, t2), 2.0);
            QCOMPARE(quantity(note, 15, t1), 1.0);
            QCOMPARE(quantity(note, 4, part1), 3.0);
            QCOMPARE(quantity(note, 4, part2), 1.0);
        }
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DODAK WHERE CELKEM <> ROUND(CENA * MNOZ, 2)")), 0);

        // no counted state in the parameters: that rule finds nothing, the others still fill
        Parameters::instance().chargedStates = QString();
        const int second = TfDodakC::insertNote(DM, 10, 20);
        exec(QStringLiteral("UPDATE PR_HLAV SET UNCDOD = %1 WHERE UNCIS = %2").arg(second).arg(p1));
        auto d = openNote(second);
        QCOMPARE(d->OpenLines(1), 0);
        prompt().clear();
        QCOMPARE(d->Doplnit(), 0);
        QVERIFY(prompt().shown.isEmpty());
        QCOMPARE(quantity(second, 1, aCheck), -1.0);
        QCOMPARE(quantity(second, 1, aRepair), 3.0);
    }

    // User price, user price 0, no user price list; a tier re-price with the switch on.
    void pricesOfNewLines()
    {
        const int x = item(3, QStringLiteral("Hasivo"), 100);
        const int y = item(3, QStringLiteral("Plomba"), 10);
        const int tiered = item(3, QStringLiteral("Štítek"), 100,
                                {{QStringLiteral("POCPRO"), 10}, {QStringLiteral("POCPRO2"), 50},
                                 {QStringLiteral("CENPRO2"), 90}, {QStringLiteral("CENPRO3"), 80}});
        const int list = insertRow(*DM, QStringLiteral("CENUZH"), {{QStringLiteral("NAZEV"), QStringLiteral("Smluvní")}});
        insertRow(*DM, QStringLiteral("CENUZP"), {{QStringLiteral("UNCH"), list}, {QStringLiteral("UNCCEN"), x}, {QStringLiteral("CENA"), 55.5}});
        insertRow(*DM, QStringLiteral("CENUZP"), {{QStringLiteral("UNCH"), list}, {QStringLiteral("UNCCEN"), y}, {QStringLiteral("CENA"), 0.0}});
        const int bound = insertEntry(*DM, 0, QStringLiteral("Smluvní s.r.o."), {{QStringLiteral("UNCCEN"), list}});
        insertRow(*DM, QStringLiteral("FIRMY"), {{QStringLiteral("UNCH"), bound}, {QStringLiteral("SLEVA"), 7.5}});
        const int free = insertEntry(*DM, 0, QStringLiteral("Volný a.s."));

        const int n1 = TfDodakC::insertNote(DM, bound, 0);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCCEN FROM DODAKH WHERE UNCIS = %1").arg(n1)).toInt(), list);
        QCOMPARE(scalar(QStringLiteral("SELECT SLEVA FROM DODAKH WHERE UNCIS = %1").arg(n1)).toDouble(), 7.5);
        auto c = openNote(n1);
        QCOMPARE(c->OpenLines(3), 0);
        QCOMPARE(c->setQuantity(rowOf(*c, x), 2), 0);
        QCOMPARE(c->setQuantity(rowOf(*c, y), 3), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT CENA FROM DODAK WHERE UNCCEN = %1").arg(x)).toDouble(), 55.5);
        QCOMPARE(scalar(QStringLiteral("SELECT CELKEM FROM DODAK WHERE UNCCEN = %1").arg(x)).toDouble(), 111.0);
        QCOMPARE(scalar(QStringLiteral("SELECT CENA FROM DODAK WHERE UNCCEN = %1").arg(y)).toDouble(), 10.0);

        const int n2 = TfDodakC::insertNote(DM, free, 0);
        auto d = openNote(n2);
        QCOMPARE(d->OpenLines(3), 0);
        QCOMPARE(d->setQuantity(rowOf(*d, x), 1), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT CENA FROM DODAK WHERE UNCH = %1").arg(n2)).toDouble(), 100.0);

        // the VAT column: only ' ', 'S', 'Z'
        const int r = rowOf(*d, x);
        QCOMPARE(d->setVatClass(r, QLatin1Char('x')), 1);
        QCOMPARE(d->setVatClass(r, QLatin1Char('s')), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT SAZBADPH FROM DODAK WHERE UNCH = %1").arg(n2)).toInt(), 12);

        const int t = rowOf(*d, tiered);
        QCOMPARE(d->setQuantity(t, 11), 0);
        QCOMPARE(d->repriceFromTiers(t), 1);   // the switch is off: the price stays
        Parameters::instance().quantityTiers = true;
        QCOMPARE(d->repriceFromTiers(t), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT CENA FROM DODAK WHERE UNCCEN = %1").arg(tiered)).toDouble(), 90.0);
        QCOMPARE(scalar(QStringLiteral("SELECT CELKEM FROM DODAK WHERE UNCCEN = %1").arg(tiered)).toDouble(), 990.0);
        QCOMPARE(d->setQuantity(t, 51), 0);
        QCOMPARE(d->repriceFromTiers(t), 0);
        QCOMPARE(d->lines().value(t, QStringLiteral("CENA")).toDouble(), 80.0);
    }

    // Three notes: without VAT at 0.01 / 1.00, with 10 % discount at 0.10 / 0.50, prices
    // including VAT. The virtual sections, quantity 0 and class 'B' are handled as
    // printed; the stored amounts are those of the printed note.
    void totalsAsPrinted_data()
    {
        QTest::addColumn<bool>("withoutVat");
        QTest::addColumn<double>("discount");
        QTest::addColumn<double>("vatStep");
        QTest::addColumn<double>("totalStep");
        QTest::addColumn<double>("castka");
        QTest::addColumn<double>("danZ");
        QTest::addColumn<double>("zakB");
        QTest::newRow("bez DPH") << true << 0.0 << 0.01 << 1.00 << 198.00 << 6.30 << 50.0;
        QTest::newRow("sleva") << true << 10.0 << 0.10 << 0.50 << 178.50 << 5.70 << 45.0;
        QTest::newRow("s DPH") << false << 0.0 << 0.01 << 0.01 << 180.01 << 5.21 << 50.0;
    }
    void totalsAsPrinted()
    {
        QFETCH(bool, withoutVat);
        QFETCH(double, discount);
        QFETCH(double, vatStep);
        QFETCH(double, totalStep);
        QFETCH(double, castka);
        QFETCH(double, danZ);
        QFETCH(double, zakB);
        Parameters &p = Parameters::instance();
        p.pricesWithoutVat = withoutVat;
        p.vatRoundingStep = vatStep;
        p.totalRoundingStep = totalStep;
        const int z = item(3, QStringLiteral("Hasivo práškové"), 10.005);
        const int s = item(5, QStringLiteral("Revize"), 99.99, {{QStringLiteral("DPH"), QStringLiteral("S")}});
        const int b = item(8, QStringLiteral("Poplatek"), 50, {{QStringLiteral("DPH"), QStringLiteral("B")}});
        const int zero = item(8, QStringLiteral("Nic"), 1000);
        const int type = item(7, QStringLiteral("P6"), 100);
        const int note = TfDodakC::insertNote(DM, 0, 0);
        exec(QStringLiteral("UPDATE DODAKH SET SLEVA = %1, CISDOD = 'DL-1' WHERE UNCIS = %2").arg(discount).arg(note));
        auto c = openNote(note);
        QCOMPARE(c->OpenLines(3), 0);
        QCOMPARE(c->setQuantity(rowOf(*c, z), 3), 0);
        QCOMPARE(c->OpenLines(5), 0);
        QCOMPARE(c->setQuantity(rowOf(*c, s), 1), 0);
        QCOMPARE(c->OpenLines(8), 0);
        QCOMPARE(c->setQuantity(rowOf(*c, b), 1), 0);
        QCOMPARE(c->VytvorRadek(rowOf(*c, zero)), 0);
        QCOMPARE(c->OpenLines(12), 0);
        QCOMPARE(c->setQuantity(rowOf(*c, type), 5), 0);
        // 'B' keeps the basic rate number but bears no VAT
        QCOMPARE(scalar(QStringLiteral("SELECT SAZBADPH FROM DODAK WHERE UNCCEN = %1").arg(b)).toInt(), 21);
        QCOMPARE(scalar(QStringLiteral("SELECT CELKEM FROM DODAK WHERE UNCCEN = %1").arg(z)).toDouble(), 30.02);

        QVERIFY(c->Prepocet() >= 0);
        const auto stored = [&](const char *column) {
            return scalar(QStringLiteral("SELECT %1 FROM DODAKH WHERE UNCIS = %2").arg(QLatin1String(column)).arg(note)).toDouble();
        };
        QCOMPARE(stored("CASTKA"), castka);
        QCOMPARE(stored("DANZ"), danZ);
        QCOMPARE(stored("ZAKB"), zakB);

        // the printout shows the same amounts
        const QString pdf = env->path(QStringLiteral("dl.pdf"));
        QString error;
        QVERIFY2(TfDodakT::writePdf(DM, note, pdf, &error), qPrintable(error));
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(tool.waitForFinished(30000));
        const QString printed = QString::fromUtf8(tool.readAllStandardOutput());
        const auto line = [&](const QString &caption) {
            for (const QString &l : printed.split(QLatin1Char('\n')))
                if (l.contains(caption))
                    return l.simplified();
            return QString();
        };
        const auto money = [&](const char *column) { return formatMoney(stored(column)) + QStringLiteral(" Kč"); };
        QVERIFY2(line(QStringLiteral("Celkem k úhradě")).endsWith(money("CASTKA")), qPrintable(printed));
        QCOMPARE(line(QStringLiteral("Základní sazba 21 %")),
                 QStringLiteral("Základní sazba 21 % %1 %2 %3").arg(money("ZAKZ"), money("DANZ"),
                                                                  formatMoney(stored("ZAKZ") + stored("DANZ")) + QStringLiteral(" Kč")));
        QVERIFY(line(QStringLiteral("Snížená sazba 12 %")).contains(money("ZAKS") + QLatin1Char(' ') + money("DANS")));
        QVERIFY(line(QStringLiteral("Bez daně")).startsWith(QStringLiteral("Bez daně ") + formatMoney(stored("ZAKB") + stored("ZAOKR"))));
        QCOMPARE(printed.contains(QStringLiteral("Haléřové dorovnání")), stored("ZAOKR") != 0.0);
        QVERIFY(printed.contains(QStringLiteral("Dodací - kalkulační list")));
        QVERIFY(printed.contains(QStringLiteral("Poplatek")));
        // class 'B' prints no VAT
        QVERIFY(line(QStringLiteral("Poplatek")).contains(QRegularExpression(QStringLiteral(" 0 ?%$"))));
        QVERIFY(!printed.contains(QStringLiteral("P6")));   // the virtual section is never printed
    }

    // A line already invoiced or moved to stock cannot be deleted or reduced below that.
    void invoicedLinesStay()
    {
        const int x = item(3, QStringLiteral("Hasivo"), 10);
        const int note = TfDodakC::insertNote(DM, 0, 0);
        auto c = openNote(note);
        QCOMPARE(c->OpenLines(3), 0);
        const int r = rowOf(*c, x);
        QCOMPARE(c->setQuantity(r, 5), 0);
        exec(QStringLiteral("UPDATE DODAK SET MNOZFAK = 3 WHERE UNCH = %1").arg(note));
        QCOMPARE(c->OpenLines(3), 0);
        QCOMPARE(c->SmazRadek(r), 1);
        QCOMPARE(c->setQuantity(r, 2), 1);
        QCOMPARE(prompt().shown.size(), 2);
        QCOMPARE(c->setQuantity(r, 4), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT MNOZ FROM DODAK WHERE UNCH = %1").arg(note)).toDouble(), 4.0);
        QCOMPARE(scalar(QStringLiteral("SELECT CELKEM FROM DODAK WHERE UNCH = %1").arg(note)).toDouble(), 40.0);
        exec(QStringLiteral("UPDATE DODAK SET MNOZFAK = 0 WHERE UNCH = %1").arg(note));
        QCOMPARE(c->OpenLines(3), 0);
        QCOMPARE(c->SmazRadek(r), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DODAK WHERE UNCH = %1").arg(note)), 0);
        QVERIFY(!c->hasLine(r));
    }

    // Two workstations add lines to one note at once: both stay. A header saved by one
    // makes the other's older header save fail, and nothing of either is lost.
    void twoWorkstations()
    {
        const int x = item(3, QStringLiteral("Hasivo"), 10);
        const int y = item(3, QStringLiteral("Plomba"), 2);
        const int note = TfDodakC::insertNote(DM, 0, 0);
        auto other = secondWorkstation();
        QVERIFY(other);
        auto mine = openNote(note);
        auto theirs = openNote(note, other.get());
        QCOMPARE(mine->OpenLines(3), 0);
        QCOMPARE(theirs->OpenLines(3), 0);
        QCOMPARE(mine->setQuantity(rowOf(*mine, x), 1), 0);
        QCOMPARE(theirs->setQuantity(rowOf(*theirs, y), 2), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DODAK WHERE UNCH = %1").arg(note)), 2);

        theirs->header().setValue(QStringLiteral("ZAHLAVI"), QStringLiteral("Jejich záhlaví"));
        QCOMPARE(theirs->SaveRecordKeepOpen(), 0);
        mine->header().setValue(QStringLiteral("ZAPATI"), QStringLiteral("Moje zápatí"));
        QCOMPARE(mine->SaveRecordKeepOpen(), int(TfClass::ResSaveFailed));
        QCOMPARE(scalar(QStringLiteral("SELECT ZAHLAVI FROM DODAKH WHERE UNCIS = %1").arg(note)).toString(),
                 QStringLiteral("Jejich záhlaví"));
        QVERIFY(mine->isModified());   // the user's text is still there to save again
        QCOMPARE(mine->header().value(QStringLiteral("ZAPATI")).toString(), QStringLiteral("Moje zápatí"));
        theirs.reset();
        other.reset();
    }

    // A note made for an extinguisher inspection with unsaved changes: the inspection is
    // saved first and linked; the hydrant inspection the same; then detached.
    void noteOfAnInspection()
    {
        const int list = insertRow(*DM, QStringLiteral("CENUZH"), {{QStringLiteral("NAZEV"), QStringLiteral("Smluvní")}});
        const int owner = insertEntry(*DM, 0, QStringLiteral("Vlastník"), {{QStringLiteral("UNCCEN"), list}});
        insertRow(*DM, QStringLiteral("FIRMY"), {{QStringLiteral("UNCH"), owner}, {QStringLiteral("SLEVA"), 5.0}});
        std::unique_ptr<TfHPC, void (*)(TfHPC *)> hp(TfClass::create<TfHPC>(), [](TfHPC *p) { delete p; });
        const int key = newInspection(*hp, QDate::currentDate(), QStringLiteral("A"), owner, 77);
        QVERIFY(key > 0);
        hp->header().setValue(QStringLiteral("CASNAR"), 2.5);
        const int note = TfDodakC::createForInspection(hp.get());
        QVERIFY(note > 0);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCDOD FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toInt(), note);
        QCOMPARE(scalar(QStringLiteral("SELECT CASNAR FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toDouble(), 2.5);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCFIR || '/' || UNCSTR || '/' || UNCCEN FROM DODAKH WHERE UNCIS = %1").arg(note)).toString(),
                 QStringLiteral("%1/77/%2").arg(owner).arg(list));
        QCOMPARE(scalar(QStringLiteral("SELECT SLEVA FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble(), 5.0);
        QVERIFY(!hp->isModified());
        QCOMPARE(hp->SaveRecordKeepOpen(), 0);   // a later save keeps the link
        QCOMPARE(scalar(QStringLiteral("SELECT UNCDOD FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toInt(), note);
        QCOMPARE(TfDodakC::detachFromInspection(hp.get()), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCDOD FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toInt(), 0);

        std::unique_ptr<TfPVC, void (*)(TfPVC *)> pv(TfClass::create<TfPVC>(), [](TfPVC *p) { delete p; });
        const int pvKey = newInspection(*pv, QDate::currentDate(), QStringLiteral("A"), owner, 78);
        QVERIFY(pvKey > 0);
        QCOMPARE(TfDodakC::attachToInspection(pv.get(), note), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCDOD FROM VOD_HLAV WHERE UNCIS = %1").arg(pvKey)).toInt(), note);
        const int pvNote = TfDodakC::createForInspection(pv.get());
        QVERIFY(pvNote > note);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCSTR FROM DODAKH WHERE UNCIS = %1").arg(pvNote)).toInt(), 78);
    }

    // The parts of an extinguisher: add and remove, the codes into the item's note.
    void partsOfAnExtinguisher()
    {
        const int type = item(7, QStringLiteral("P6"), 100);
        const int valve = item(4, QStringLiteral("Ventil"), 80);
        const int hose = item(4, QStringLiteral("Hadice"), 120);
        for (auto [part, kod] : {std::pair{valve, "V1"}, std::pair{hose, "H2"}})
            insertRow(*DM, QStringLiteral("DILVYR"), {{QStringLiteral("UNCVYR"), type}, {QStringLiteral("UNCDIL"), part},
                                                      {QStringLiteral("NAZDIL"), QString::number(part)}, {QStringLiteral("KOD"), QLatin1String(kod)}});
        const int pro = protocol(0);
        const int pol = extinguisher(pro, type, 2, QStringLiteral("P6"));
        DodDilParts parts(DM);
        QVERIFY(parts.open(pol, pro, type));
        QCOMPARE(parts.rows().rowCount(), 2);
        QCOMPARE(parts.Pridat(0), 0);
        QCOMPARE(parts.Pridat(1), 0);
        QCOMPARE(parts.Pridat(1), 1);   // already used: nothing more
        QCOMPARE(parts.Ubrat(0), 0);
        QVERIFY(parts.writeNote());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DODDIL WHERE UNCPOL = %1 AND UNCPRO = %2 AND MNOZSTVI = 1").arg(pol).arg(pro)), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT POZN FROM PR_TAB WHERE UNCIS = %1").arg(pol)).toString(),
                 QStringLiteral("H2"));
    }

    // The inspection's "Otevřít": the attach dialog makes a new note, the edit window
    // opens on it; typing a quantity makes the line; the summary; the second "Otevřít"
    // goes straight to the note; "Odpojit" asks first. The menu entry shows the list.
    void windowsFromAnInspection()
    {
        const int type = item(7, QStringLiteral("P6"), 100);
        const int material = item(3, QStringLiteral("Hasivo"), 10);
        std::unique_ptr<TfHPC, void (*)(TfHPC *)> hp(TfClass::create<TfHPC>(), [](TfHPC *p) { delete p; });
        const int key = newInspection(*hp, QDate::currentDate());
        for (int st : {2, 4, 9})
            extinguisher(key, type, st, QStringLiteral("P6"));
        int shownNote = 0;
        prompt().onModal<TfDodakNovPri>([](TfDodakNovPri *d) {
            return d->windowTitle() == QStringLiteral("Tarko 8: Připojení dodacího listu") ? int(TfDodakNovPri::Novy) : 2;
        });
        prompt().onModal<TfDodak>([&](TfDodak *w) -> int {
            w->show();
            shownNote = w->controller()->currentKey();
            auto *sections = w->findChild<QComboBox *>(QStringLiteral("cbSekce"));
            [&] { QVERIFY(sections && sections->count() >= 4); }();
            [&] { QCOMPARE(sections->itemText(sections->count() - 1), QStringLiteral("15 - Převzaté HP na vyřazení")); }();
            w->setSection(3);
            const int r = rowOf(*w->dodakc(), material);
            QAbstractItemModel *m = w->grid()->model();
            m->setData(m->index(r, 6), QStringLiteral("2"));
            m->setData(m->index(r, 3), QStringLiteral("S"));
            w->NactiSumar();
            const QString summary = w->summary()->toPlainText();
            [&] { QVERIFY2(summary.contains(QRegularExpression(QStringLiteral("Převzatých HP\\s+2\\b"))), qPrintable(summary)); }();
            [&] { QVERIFY(summary.contains(QRegularExpression(QStringLiteral("HP v protokole\\s+3\\b")))); }();
            w->setSection(14);
            w->Doplnit();
            w->close();
            return 0;
        });
        const int note = OtevritDodaciList(hp.get());
        QVERIFY2(note > 0, qPrintable(prompt().texts().join(QLatin1Char('|'))));
        QCOMPARE(shownNote, note);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCDOD FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toInt(), note);
        QCOMPARE(quantity(note, 3, material), 2.0);
        QCOMPARE(scalar(QStringLiteral("SELECT DAN FROM DODAK WHERE UNCCEN = %1").arg(material)).toString().trimmed(), QStringLiteral("S"));
        QCOMPARE(quantity(note, 14, type), 2.0);
        QVERIFY(scalar(QStringLiteral("SELECT CASTKA FROM DODAKH WHERE UNCIS = %1").arg(note)).toDouble() > 0);

        prompt().onModal<TfDodak>([](TfDodak *) { return 0; });
        QCOMPARE(OtevritDodaciList(hp.get()), note);
        prompt().answer(PromptNo);
        QCOMPARE(OdpojitDodaciList(hp.get()), 1);
        prompt().answer(PromptYes);
        QCOMPARE(OdpojitDodaciList(hp.get()), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCDOD FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toInt(), 0);

        TDM shellDm(QStringLiteral("QelMenu"));
        TfLTarko main(&shellDm);
        main.trigger(QStringLiteral("miDodaciListy"));
        QPointer<TfDodakS> list = main.findChild<TfDodakS *>();
        QVERIFY(list);
        QVERIFY(list->isVisible());
        QCOMPARE(list->windowTitle(), QStringLiteral("Tarko 8: Seznma dodacích listů"));
        list->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(list.isNull());
    }
};

QTEST_MAIN(TestDeliveryNotes)
#include "tst_deliverynotes.moc"
