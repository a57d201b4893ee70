// Purchase orders on real database files: lines from the price list through the
// quantity dialog, the merge by item and the stored totals; assembling an order from the
// price list's order column (twice: the quantities add up); the move of delivered
// quantities into a receipt slip in one transaction (the slip takes the typed number and
// the store, lines of the same item and price merge, a second move offers nothing, a
// slip of another kind, an empty number, no store or a quantity above what is left are
// refused with nothing written, two workstations cannot both move one order).
#include <QtTest>

#include "commerce/skladprevoddmnozstvi.h"
#include "core/parameters.h"
#include "support/addressdata.h"
#include "support/programdatabasetest.h"
#include "warehouse/objvydc.h"
#include "warehouse/objvyddsklad.h"
#include "warehouse/objvydpresun.h"

#include <QLineEdit>

class TestOrders : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    Parameters m_saved;
    int m_supplier = 0, m_store = 0, m_valve = 0, m_hose = 0, m_work = 0;

    int item(const QString &popis, const QString &kod, double cenpro, double cennak, const QString &dph, const QString &stock)
    {
        return insertRow(*DM, QStringLiteral("CENIK"),
                         {{QStringLiteral("CSEKCE"), 3}, {QStringLiteral("POPIS"), popis}, {QStringLiteral("KOD"), kod},
                          {QStringLiteral("JEDN"), QStringLiteral("ks")}, {QStringLiteral("CENPRO"), cenpro},
                          {QStringLiteral("CENNAK"), cennak}, {QStringLiteral("DPH"), dph},
                          {QStringLiteral("VYROBCE"), QStringLiteral("Hydro")}, {QStringLiteral("PRENOSSKL"), stock}});
    }
    int orderWithLines(const QString &number)
    {
        OrderAssembly::Request r;
        r.number = number;
        r.items = {{m_valve, 4}, {m_hose, 2}, {m_work, 1}};
        r.confirmCreate = [](const QString &) { return true; };
        const int order = OrderAssembly::run(DM, r);
        exec(QStringLiteral("UPDATE OBJVYDH SET UNCFIR = %1, DATVYST = '2026-03-02' WHERE UNCIS = %2").arg(m_supplier).arg(order));
        return order;
    }
    OrderMove::Request move(int order, const QString &number, bool fill = true, TDMPro *dm = DM)
    {
        OrderMove::Request r;
        r.order = order;
        r.store = m_store;
        r.number = number;
        for (const OrderMove::Line &l : OrderMove::readLines(dm, order, fill))
            r.quantities.append({l.key, l.prenos});
        r.confirmCreate = [](const QString &) { return true; };
        return r;
    }
    static QString state()
    {
        QString s;
        for (const char *sql : {"SELECT LIST(UNCIS || ':' || DODAT, ',') FROM OBJVYDP", "SELECT COUNT(*) FROM SKLADPREVODH",
                                "SELECT LIST(UNCIS || ':' || MNOZ, ',') FROM SKLADPREVODP"})
            s += scalar(QString::fromLatin1(sql)).toString() + QLatin1Char('|');
        return s;
    }
    static double stock(int item)
    {
        return scalar(QStringLiteral("SELECT MNOZSTVI FROM SKLADSUMFIR WHERE UNCMAT = %1").arg(item)).toDouble();
    }

private slots:
    void init()
    {
        startFresh();
        m_saved = Parameters::instance();
        Parameters::instance().vatBasic = 21;
        Parameters::instance().vatReduced = 12;
        m_supplier = insertEntry(*DM, 1, QStringLiteral("Dodavatel hadic"));
        m_store = insertEntry(*DM, 1, QStringLiteral("Hlavní sklad"));
        m_valve = item(QStringLiteral("Ventil"), QStringLiteral("V1"), 150, 100, QStringLiteral("Z"), QStringLiteral("A"));
        m_hose = item(QStringLiteral("Hadice"), QStringLiteral("H1"), 80, 50.5, QStringLiteral("S"), QStringLiteral("A"));
        m_work = item(QStringLiteral("Montáž"), QStringLiteral("M1"), 300, 0, QStringLiteral("Z"), QStringLiteral("N"));
    }
    void cleanup()
    {
        Parameters::instance() = m_saved;
        finish();
    }

    // The picker's callback asks the quantity: cancelled, empty, 0 or below adds no line;
    // 2,5 at the typed price adds the item's line with its total; the merge adds to a line
    // of the same item; saving stores the totals by VAT class. The quantity dialog refuses
    // a second decimal separator.
    void linesAndTotals()
    {
        std::unique_ptr<TfObjVydC> c(TfClass::create<TfObjVydC>(DM));
        QVERIFY(c);
        QVERIFY(c->InsertRecord() > 0);
        QStringList typed{QString(), QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("2,5")};
        bool cancelled = true;
        QStringList shown;
        c->setAskQuantity([&](const QString &popis, QString &quantity, double &price) -> bool {
            shown << popis + QLatin1Char(':') + quantity;
            quantity = typed.takeFirst();
            price = 120.004;
            const bool answer = !cancelled;
            cancelled = false;
            return answer;
        });
        const QVariantMap row{{QStringLiteral("POPIS"), QStringLiteral("Ventil")}, {QStringLiteral("JEDN"), QStringLiteral("ks")},
                              {QStringLiteral("DPH"), QStringLiteral("Z")}, {QStringLiteral("CENPRO"), 150.0},
                              {QStringLiteral("KOD"), QStringLiteral("V1")}};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(c->NactiPolozku(m_valve, row), 0);
        QCOMPARE(c->lines().rowCount(), 0);
        QCOMPARE(c->NactiPolozku(m_valve, row), 1);
        QCOMPARE(shown, QStringList(4, QStringLiteral("Ventil:0.00")));
        QCOMPARE(c->lines().rowCount(), 1);
        QCOMPARE(c->lines().value(0, QStringLiteral("POCET")).toDouble(), 2.5);
        QCOMPARE(c->lines().value(0, QStringLiteral("CENCEL")).toDouble(), 300.01);
        QCOMPARE(c->lines().value(0, QStringLiteral("KODMAT")).toString().trimmed(), QStringLiteral("V1"));
        Order::Line more{m_valve, QStringLiteral("V1"), QStringLiteral("Ventil"), QStringLiteral("ks"), QStringLiteral("Z"), 1.5, 120.004};
        QCOMPARE(c->addLine(more, true), 0);
        Order::Line hose{m_hose, QStringLiteral("H1"), QStringLiteral("Hadice"), QStringLiteral("ks"), QStringLiteral("S"), 2, 10};
        QCOMPARE(c->addLine(hose, true), 1);
        QCOMPARE(c->lines().value(0, QStringLiteral("POCET")).toDouble(), 4.0);
        QCOMPARE(c->SaveRecordKeepOpen(), 0);
        const int key = c->currentKey();
        QCOMPARE(scalar(QStringLiteral("SELECT CENZ FROM OBJVYDH WHERE UNCIS = %1").arg(key)).toDouble(), 480.02);
        QCOMPARE(scalar(QStringLiteral("SELECT CENA FROM OBJVYDH WHERE UNCIS = %1").arg(key)).toDouble(), 500.02);

        TfSkladPrevodDMnozstvi dialog;
        dialog.quantityField()->clear();
        QTest::keyClicks(dialog.quantityField(), QStringLiteral("1,2,5"));
        QCOMPARE(dialog.quantityField()->text(), QStringLiteral("1,25"));
    }

    // Assembling twice adds to the lines of the same items at the purchase price; a
    // declined creation and an empty number write nothing.
    void assembleTwice()
    {
        OrderAssembly::Request r;
        r.number = QStringLiteral("OBJ-7");
        r.items = {{m_valve, 3}, {m_hose, 0}};
        r.confirmCreate = [](const QString &) { return false; };
        QCOMPARE(OrderAssembly::run(DM, r), 0);
        r.number = QStringLiteral("  ");
        QCOMPARE(OrderAssembly::run(DM, r), -1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM OBJVYDH")), 0);

        int asked = 0;
        r.number = QStringLiteral("OBJ-7");
        r.confirmCreate = [&](const QString &number) {
            ++asked;
            return number == QLatin1String("OBJ-7");
        };
        const int order = OrderAssembly::run(DM, r);
        QVERIFY(order > 0);
        r.items = {{m_valve, 2}, {m_hose, 1.5}};
        QCOMPARE(OrderAssembly::run(DM, r), order);
        QCOMPARE(asked, 1);
        QCOMPARE(scalar(QStringLiteral("SELECT LIST(POPIS || ':' || POCET || ':' || CENBEZ || ':' || CENCEL || ':' || DPHS, ' ') "
                                       "FROM (SELECT * FROM OBJVYDP WHERE UNCH = %1 ORDER BY UNCIS)").arg(order)).toString(),
                 QStringLiteral("Ventil:5.000000000000000:100.0000000000000:500.0000000000000:Z "
                                "Hadice:1.500000000000000:50.50000000000000:75.75000000000000:S"));
        QCOMPARE(scalar(QStringLiteral("SELECT CENA FROM OBJVYDH WHERE UNCIS = %1").arg(order)).toDouble(), 575.75);
        QCOMPARE(scalar(QStringLiteral("SELECT DATVYST FROM OBJVYDH WHERE UNCIS = %1").arg(order)).toDate(), QDate::currentDate());
    }

    // The move offers the stock items only; it is refused without number, without store
    // and above what is left; the full move makes the slip under the typed number with the
    // supplier, the store and the order's date, condition 1, the purchase price and rate;
    // the second move offers 0 and a further quantity is refused; a slip of another kind
    // is refused; an 'N' slip of another issuer is asked about, and the same item and
    // price merge into its line.
    void moveToSlip()
    {
        const int order = orderWithLines(QStringLiteral("OBJ-1"));
        QVector<OrderMove::Line> offered = OrderMove::readLines(DM, order, true);
        QCOMPARE(offered.size(), 2);
        QCOMPARE(offered.at(0).popis, QStringLiteral("Hadice"));
        QCOMPARE(offered.at(1).prenos, 4.0);
        const QString before = state();
        OrderMove::Request r = move(order, QString());
        QString error;
        QCOMPARE(OrderMove::run(DM, r, &error), -1);
        r.number = QStringLiteral("P-100");
        r.store = 0;
        QCOMPARE(OrderMove::run(DM, r, &error), -4);
        QVERIFY(error.contains(QStringLiteral("sklad")));
        r.store = m_store;
        r.quantities[1].second = 4.5;
        QCOMPARE(OrderMove::run(DM, r, &error), -6);
        QCOMPARE(state(), before);

        r = move(order, QStringLiteral("P-100"));
        const int slip = OrderMove::run(DM, r, &error);
        QVERIFY2(slip > 0, qPrintable(error));
        QCOMPARE(scalar(QStringLiteral("SELECT CDT || ':' || UNCVYD || ':' || UNCPRI || ':' || TYPPOH || ':' || DATUM FROM SKLADPREVODH "
                                       "WHERE UNCIS = %1").arg(slip)).toString(),
                 QStringLiteral("P-100:%1:%2:N:2026-03-02").arg(m_supplier).arg(m_store));
        QCOMPARE(scalar(QStringLiteral("SELECT LIST(POPIS || ':' || MNOZ || ':' || NAKCEN || ':' || DPHN || ':' || STAV || NOVSTAV, ' ') "
                                       "FROM (SELECT * FROM SKLADPREVODP WHERE UNCH = %1 ORDER BY POPIS)").arg(slip)).toString(),
                 QStringLiteral("Hadice:2.000000000000000:50.50000000000000:12:11 Ventil:4.000000000000000:100.0000000000000:21:11"));
        QCOMPARE(stock(m_valve), 4.0);
        for (const OrderMove::Line &l : OrderMove::readLines(DM, order, true))
            QCOMPARE(l.prenos, 0.0);
        r.quantities = {{offered.at(1).key, 1}};
        QCOMPARE(OrderMove::run(DM, r, &error), -6);

        // a second order of the same supplier into the same slip: merged by item and price
        const int second = orderWithLines(QStringLiteral("OBJ-2"));
        int questions = 0;
        r = move(second, QStringLiteral("P-100"));
        r.confirmCreate = [&](const QString &) { return ++questions > 0; };
        QCOMPARE(OrderMove::run(DM, r), slip);
        QCOMPARE(questions, 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SKLADPREVODP WHERE UNCH = %1").arg(slip)), 2);
        QCOMPARE(stock(m_valve), 8.0);

        // another issuer: asked, declined writes nothing; a sale slip is refused
        exec(QStringLiteral("UPDATE OBJVYDH SET UNCFIR = %1 WHERE UNCIS = %2").arg(m_store).arg(second));
        exec(QStringLiteral("UPDATE OBJVYDP SET DODAT = 0 WHERE UNCH = %1").arg(second));
        r = move(second, QStringLiteral("P-100"));
        r.confirmOtherIssuer = [&] { return ++questions < 0; };
        const QString kept = state();
        QCOMPARE(OrderMove::run(DM, r), 0);
        QCOMPARE(questions, 1);
        exec(QStringLiteral("UPDATE SKLADPREVODH SET TYPPOH = 'P' WHERE UNCIS = %1").arg(slip));
        QCOMPARE(OrderMove::run(DM, r, &error), -5);
        QCOMPARE(error, QStringLiteral("Vybraná výdejka není typu nákup.\nMateriál nelze převést"));
        QCOMPARE(state(), kept);
    }

    // Both workstations read the order undelivered; the first move takes it all, the
    // second is refused and writes nothing. A failure in a later line undoes the earlier.
    void twoWorkstations()
    {
        const int order = orderWithLines(QStringLiteral("OBJ-3"));
        auto other = secondWorkstation();
        QVERIFY(other);
        OrderMove::Request mine = move(order, QStringLiteral("P-200"));
        OrderMove::Request theirs = move(order, QStringLiteral("P-201"), true, other.get());
        QVERIFY(OrderMove::run(other.get(), theirs) > 0);
        const QString after = state();
        QString error;
        QCOMPARE(OrderMove::run(DM, mine, &error), -6);
        QCOMPARE(state(), after);
        QCOMPARE(scalar(QStringLiteral("SELECT SUM(POCET - DODAT) FROM OBJVYDP O, CENIK C WHERE O.UNCH = %1 AND C.UNCIS = O.UNCMAT "
                                       "AND C.PRENOSSKL = 'A'").arg(order)).toDouble(), 0.0);

        const int fresh = orderWithLines(QStringLiteral("OBJ-4"));
        OrderMove::Request r = move(fresh, QStringLiteral("P-202"));
        r.quantities.append({999999, 1});
        const QString before = state();
        QCOMPARE(OrderMove::run(DM, r), -6);
        QCOMPARE(state(), before);
    }

    // The dialog offers what is left and refuses a quantity below 0 or above it.
    void dialogQuantities()
    {
        const int order = orderWithLines(QStringLiteral("OBJ-5"));
        TfObjVydDSklad dialog(DM, order);
        QCOMPARE(dialog.lines().size(), 2);
        QVERIFY(!dialog.setQuantity(1, QStringLiteral("4,5")));
        QVERIFY(!dialog.setQuantity(1, QStringLiteral("-1")));
        QVERIFY(dialog.setQuantity(1, QStringLiteral("1,5")));
        QCOMPARE(dialog.lines().at(1).prenos, 1.5);
        dialog.fillQuantities(false);
        QCOMPARE(dialog.lines().at(1).prenos, 0.0);
        QCOMPARE(prompt().beeps, 2);
    }
};

QTEST_MAIN(TestOrders)
#include "tst_orders.moc"
