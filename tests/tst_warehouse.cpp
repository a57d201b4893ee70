// Stock slips on real database files: the stock movements and the stock on hand the
// database keeps from the slips, against a recount of the slips after every kind of
// change; the slip controller's lines (quantity dialog, conditions, merge, VAT keys);
// the move of a delivery note into slips (one transaction, the typed number, the store,
// stocked items only, what is left to move, the kind and party checks, the sections'
// conditions); the dialog of that move with its remembered settings; the printed slip.
#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QToolButton>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>

#include "commerce/cenikc.h"
#include "commerce/dodak.h"
#include "commerce/dodakc.h"
#include "commerce/skladprevoddmnozstvi.h"
#include "core/parameters.h"
#include "customers/nabcombo.h"
#include "support/addressdata.h"
#include "support/programdatabasetest.h"
#include "warehouse/dodakdsklad.h"
#include "warehouse/skladpresun.h"
#include "warehouse/skladprevod.h"
#include "warehouse/skladprevodc.h"
#include "warehouse/skladprevods.h"
#include "warehouse/skladprevodt.h"

class TestWarehouse : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    using Slip = std::unique_ptr<TfSkladPrevodC>;
    int m_firm = 0, m_store1 = 0, m_store2 = 0;

    static int item(const QString &popis, const QString &stocked = QStringLiteral("A"), int section = 4)
    {
        return insertRow(*DM, QStringLiteral("CENIK"),
                         {{QStringLiteral("CSEKCE"), section}, {QStringLiteral("POPIS"), popis}, {QStringLiteral("KOD"), popis.left(3)},
                          {QStringLiteral("JEDN"), QStringLiteral("ks")}, {QStringLiteral("DPH"), QStringLiteral("Z")},
                          {QStringLiteral("PRENOSSKL"), stocked}, {QStringLiteral("CENPRO"), 10.0}});
    }
    // A slip of the kind between the parties with lines of (item, quantity, STAV, NOVSTAV).
    Parameters m_saved;

    Slip slip(const QString &kind, int vyd, int pri, const QVector<std::tuple<int, double, int, int>> &lines, int *key)
    {
        Slip c(TfClass::create<TfSkladPrevodC>(DM));
        c->SetVariable(QStringLiteral("TYPPOH"), kind);
        c->SetVariable(QStringLiteral("UNCVYD"), vyd);
        c->SetVariable(QStringLiteral("UNCPRI"), pri);
        *key = c->InsertRecord();
        for (const auto &[uncmat, mnoz, stav, novstav] : lines) {
            StockSlip::Line l;
            l.uncmat = uncmat;
            l.popis = scalar(QStringLiteral("SELECT POPIS FROM CENIK WHERE UNCIS = %1").arg(uncmat)).toString();
            l.jedn = QStringLiteral("ks");
            l.mnoz = mnoz;
            l.nakcen = 10;
            l.stav = stav;
            l.novstav = novstav;
            c->PridejSloucene(l);
        }
        c->SaveRecordKeepOpen();
        return c;
    }
    // The movements as the slips give them, store by store and condition by condition,
    // next to what the database keeps.
    static QString movements(bool kept)
    {
        const QString derived = QStringLiteral(
            "SELECT P.UNCMAT, H.UNCPRI AS SKL, P.NOVSTAV AS STAV, H.DATUM, P.MNOZ AS PRI, 0 AS VYD FROM SKLADPREVODP P "
            "JOIN SKLADPREVODH H ON H.UNCIS = P.UNCH WHERE H.TYPPOH IN ('N','O','V') UNION ALL "
            "SELECT P.UNCMAT, H.UNCVYD, P.STAV, H.DATUM, 0, P.MNOZ FROM SKLADPREVODP P "
            "JOIN SKLADPREVODH H ON H.UNCIS = P.UNCH WHERE H.TYPPOH IN ('P','O')");
        const QString from = kept ? QStringLiteral("SELECT UNCMAT, UNCSKL AS SKL, STAV, DATUM, PRIJATO AS PRI, VYDANO AS VYD FROM SKLADPOHYB")
                                  : derived;
        return rows(QStringLiteral("SELECT UNCMAT, SKL, STAV, DATUM, SUM(PRI), SUM(VYD) FROM (") + from
                    + QStringLiteral(") GROUP BY UNCMAT, SKL, STAV, DATUM ORDER BY UNCMAT, SKL, STAV, DATUM"));
    }
    static QString stock()
    {
        return rows(QStringLiteral("SELECT UNCMAT, MNOZSTVI FROM SKLADSUMFIR WHERE MNOZSTVI <> 0 ORDER BY UNCMAT"));
    }
    static QString recountedStock()
    {
        return rows(QStringLiteral("SELECT P.UNCMAT, SUM(IIF(H.TYPPOH IN ('N','O','V'), P.MNOZ, 0) - IIF(H.TYPPOH IN ('P','O'), "
                                   "P.MNOZ, 0)) FROM SKLADPREVODP P JOIN SKLADPREVODH H ON H.UNCIS = P.UNCH GROUP BY P.UNCMAT "
                                   "HAVING SUM(IIF(H.TYPPOH IN ('N','O','V'), P.MNOZ, 0) - IIF(H.TYPPOH IN ('P','O'), P.MNOZ, 0)) <> 0 "
                                   "ORDER BY P.UNCMAT"));
    }
    void checkRecount(const char *after)
    {
        QVERIFY2(!movements(true).isEmpty() || !movements(false).isEmpty(), after);
        QVERIFY2(movements(true) == movements(false), qPrintable(QString::fromLatin1(after) + QLatin1Char(' ') + movements(true)));
        QVERIFY2(stock() == recountedStock(), qPrintable(QString::fromLatin1(after) + QLatin1Char(' ') + stock()));
    }
    static double onHand(int uncmat)
    {
        return scalar(QStringLiteral("SELECT MNOZSTVI FROM SKLADSUMFIR WHERE UNCMAT = %1").arg(uncmat)).toDouble();
    }
    static void setLine(TfSkladPrevodC &c, int row, const char *field, const QVariant &value)
    {
        c.lines().setValue(row, c.lines().fieldIndex(QLatin1String(field)), value);
    }
    int noteLine(int note, int section, int uncmat, double price, double quantity)
    {
        return insertRow(*DM, QStringLiteral("DODAK"),
                         {{QStringLiteral("UNCH"), note}, {QStringLiteral("CSEKCE"), section}, {QStringLiteral("UNCCEN"), uncmat},
                          {QStringLiteral("POPIS"), QStringLiteral("Položka %1").arg(uncmat)}, {QStringLiteral("JEDN"), QStringLiteral("ks")},
                          {QStringLiteral("CENA"), price}, {QStringLiteral("MNOZ"), quantity}, {QStringLiteral("DAN"), QStringLiteral("Z")},
                          {QStringLiteral("SAZBADPH"), 21}, {QStringLiteral("MNOZSKL"), 0}, {QStringLiteral("MNOZFAK"), 0}});
    }
    StockMove::Request moveRequest(int note, const QString &number, bool received)
    {
        StockMove::Request r;
        r.note = note;
        r.number = number;
        r.store = m_store1;
        r.received = received;
        r.lines = StockMove::noteLines(DM, note, StockMove::offeredSections());
        r.confirmCreate = [](const QString &) { return true; };
        r.confirmParty = [](const QString &) { return false; };
        return r;
    }
    // The rows of a query, columns joined by ':' and rows by ';'.
    static QString rows(const QString &sql)
    {
        QSqlQuery q = DM->NewQuery();
        if (!q.exec(sql))
            return q.lastError().text();
        QStringList out;
        while (q.next()) {
            QStringList row;
            for (int c = 0; c < q.record().count(); ++c)
                row << q.value(c).toString().trimmed();
            out << row.join(QLatin1Char(':'));
        }
        return out.join(QLatin1Char(';'));
    }
    static QString slipLines(int slip)
    {
        return rows(QStringLiteral("SELECT UNCMAT, MNOZ, STAV * 10 + NOVSTAV, CSEKCE FROM SKLADPREVODP WHERE UNCH = %1 "
                                   "ORDER BY UNCMAT, STAV, NOVSTAV").arg(slip));
    }

private slots:
    void init()
    {
        startFresh();
        m_saved = Parameters::instance();
        Parameters::instance().vatBasic = 21;
        Parameters::instance().vatReduced = 12;
        m_firm = insertEntry(*DM, 1, QStringLiteral("Dodavatel s.r.o."));
        m_store1 = insertEntry(*DM, 1, QStringLiteral("Sklad Brno"));
        m_store2 = insertEntry(*DM, 1, QStringLiteral("Sklad Jihlava"));
    }
    void cleanup()
    {
        Parameters::instance() = m_saved;
        finish();
    }

    // A purchase, a transfer and a sale, then an edit of each: quantity, date, party,
    // kind, a deleted line and a deleted slip. After every step the movements per
    // store and condition and the stock on hand equal a recount of the slips, also as
    // another workstation reads them; an item never moved shows 0 in the price list.
    void stockFollowsSlips()
    {
        const int a = item(QStringLiteral("Ventil")), b = item(QStringLiteral("Hadice")), idle = item(QStringLiteral("Plomba"));
        int buy = 0, move = 0, sell = 0;
        Slip n = slip(QStringLiteral("N"), m_firm, m_store1, {{a, 10, 1, 1}, {b, 5, 1, 2}}, &buy);
        Slip o = slip(QStringLiteral("O"), m_store1, m_store2, {{a, 4, 1, 3}}, &move);
        Slip p = slip(QStringLiteral("P"), m_store2, m_firm, {{a, 3, 3, 3}}, &sell);
        checkRecount("purchase, transfer, sale");
        QCOMPARE(onHand(a), 7.0);
        QCOMPARE(scalar(QStringLiteral("SELECT SUM(PRIJATO - VYDANO) FROM SKLADPOHYB WHERE UNCMAT = %1 AND UNCSKL = %2 AND STAV = 3")
                            .arg(a).arg(m_store2)).toDouble(), 1.0);
        auto other = secondWorkstation();
        QCOMPARE(TestEnvironment::scalar(*other, QStringLiteral("SELECT MNOZSTVI FROM SKLADSUMFIR WHERE UNCMAT = %1").arg(a)).toDouble(), 7.0);

        setLine(*n, 0, "MNOZ", 12.0);
        QCOMPARE(n->SaveRecordKeepOpen(), 0);
        checkRecount("purchase quantity");
        QCOMPARE(onHand(a), 9.0);
        o->header().setValue(QStringLiteral("DATUM"), QDate(2025, 3, 1));
        setLine(*o, 0, "NOVSTAV", 2);
        QCOMPARE(o->SaveRecordKeepOpen(), 0);
        checkRecount("transfer date and condition");
        p->header().setValue(QStringLiteral("UNCVYD"), m_store1);
        QCOMPARE(p->SaveRecordKeepOpen(), 0);
        checkRecount("sale party");
        p->header().setValue(QStringLiteral("TYPPOH"), QStringLiteral("N"));
        QCOMPARE(p->SaveRecordKeepOpen(), 0);
        checkRecount("sale turned into a purchase");
        QCOMPARE(onHand(a), 15.0);
        n->lines().setCurrentRow(1);
        n->lines().deleteCurrentRow();
        QCOMPARE(n->SaveRecordKeepOpen(), 0);
        checkRecount("deleted line");
        QCOMPARE(onHand(b), 0.0);
        QVERIFY(o->DeleteRecord(move) >= 0);
        checkRecount("deleted slip");
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SKLADPOHYB WHERE UNCH = %1").arg(move)), 0);
        QCOMPARE(TestEnvironment::scalar(*other, QStringLiteral("SELECT MNOZSTVI FROM SKLADSUMFIR WHERE UNCMAT = %1").arg(a)).toDouble(), 15.0);

        std::unique_ptr<TfCenikC> cenik(TfClass::create<TfCenikC>(DM));
        QVERIFY(cenik->OpenDefaultList() >= 0);
        ListDataset &list = cenik->list();
        QMap<int, double> shown;
        for (int r = 0; r < list.recordCount(); ++r)
            shown.insert(list.value(r, QStringLiteral("UNCIS")).toInt(), list.value(r, QStringLiteral("MNOZSTVI")).toDouble());
        QVERIFY(shown.contains(idle));
        QCOMPARE(shown.value(idle), 0.0);
        QCOMPARE(shown.value(a), 15.0);
    }

    // Lines from the price list through the quantity dialog: cancelled, empty, 0 or a
    // negative quantity add nothing; a line takes the item, the typed price and
    // quantity, the rate of its VAT class, the slip's kind and the chosen conditions.
    // PridejSloucene adds to a line of the same item, price and conditions only; the
    // kind label and the quantity dialog's second decimal separator.
    void slipLines()
    {
        const int a = item(QStringLiteral("Ventil"));
        Slip c(TfClass::create<TfSkladPrevodC>(DM));
        c->SetVariable(QStringLiteral("TYPPOH"), QStringLiteral("O"));
        QVERIFY(c->InsertRecord() > 0);
        QString typed;
        bool accept = false;
        c->setAskQuantity([&](const QString &, QString &quantity, double &price) {
            quantity = typed;
            price = 40;
            return accept;
        });
        const QVariantMap row = {{QStringLiteral("POPIS"), QStringLiteral("Ventil")}, {QStringLiteral("JEDN"), QStringLiteral("ks")},
                                 {QStringLiteral("DPH"), QStringLiteral("Z")}, {QStringLiteral("CSEKCE"), 4},
                                 {QStringLiteral("CENPRO"), 10.0}, {QStringLiteral("KOD"), QStringLiteral("V-1")}};
        QCOMPARE(c->NactiPolozku(a, row), 0);
        accept = true;
        for (const char *t : {"", "0", "-2"}) {
            typed = QLatin1String(t);
            QCOMPARE(c->NactiPolozku(a, row), 0);
        }
        QCOMPARE(c->lines().rowCount(), 0);
        typed = QStringLiteral("2,5");
        c->setConditions(2, 3);
        QCOMPARE(c->NactiPolozku(a, row), 1);
        QCOMPARE(c->lines().value(0, QStringLiteral("CENA")).toDouble(), 100.0);
        QCOMPARE(c->lines().value(0, QStringLiteral("DPHN")).toInt(), 21);
        QCOMPARE(c->lines().value(0, QStringLiteral("KODMAT")).toString(), QStringLiteral("V-1"));
        QCOMPARE(c->lines().value(0, QStringLiteral("TYPPOH")).toString(), QStringLiteral("O"));
        QCOMPARE(c->lines().value(0, QStringLiteral("STAV")).toInt() * 10 + c->lines().value(0, QStringLiteral("NOVSTAV")).toInt(), 23);
        StockSlip::Line same;
        same.uncmat = a;
        same.nakcen = 40;
        same.mnoz = 1.5;
        same.stav = 2;
        same.novstav = 3;
        QCOMPARE(c->PridejSloucene(same), 0);
        QCOMPARE(c->lines().value(0, QStringLiteral("MNOZ")).toDouble(), 4.0);
        QCOMPARE(c->lines().value(0, QStringLiteral("CENA")).toDouble(), 160.0);
        same.novstav = 4;
        QCOMPARE(c->PridejSloucene(same), 1);
        QVERIFY(c->setVatClass(1, QLatin1Char('s')));
        QVERIFY(!c->setVatClass(1, QLatin1Char('x')));
        QCOMPARE(c->SaveRecordKeepOpen(), 0);
        QCOMPARE(slipLines(c->currentKey()), QStringLiteral("%1:4:23:4;%1:1.5:24:0").arg(a));

        QCOMPARE(StockSlip::kindLabel(QStringLiteral("P")).text, QStringLiteral("Prodej"));
        QCOMPARE(StockSlip::kindLabel(QStringLiteral("N")).colour, QColor(Qt::green));
        QCOMPARE(StockSlip::kindLabel(QStringLiteral("X")).text, QStringLiteral(" >> ? ! ? << "));

        TfSkladPrevodDMnozstvi dialog;
        dialog.quantityField()->setFocus();
        QTest::keyClicks(dialog.quantityField(), QStringLiteral("1") + DecimalSeparator + QStringLiteral("5") + DecimalSeparator + QStringLiteral("2"));
        QCOMPARE(dialog.quantityField()->text(), QStringLiteral("1") + DecimalSeparator + QStringLiteral("52"));
    }

    // The move of a delivery note: refused without a number or a store; a declined new
    // slip writes nothing; the issued lines go into a sale made with the typed number,
    // two lines of one item and price as one line, section 12 as condition 2 of section
    // 7, an item not kept on stock not at all, the received section 14 not with them;
    // a second move moves nothing; the received lines go only into a purchase, as
    // condition 3 of section 7; a slip of another customer is asked about; a failure in
    // the last step leaves nothing written.
    void moveFromDeliveryNote()
    {
        const int customer = insertEntry(*DM, 1, QStringLiteral("Hasiči s.r.o."));
        const int a = item(QStringLiteral("Ventil")), loose = item(QStringLiteral("Práce"), QStringLiteral("N"));
        const int hp = item(QStringLiteral("PG6"), QStringLiteral("A"), 7);
        const int note = TfDodakC::insertNote(DM, customer, 0);
        exec(QStringLiteral("UPDATE DODAKH SET DATVYST = '15.01.2026' WHERE UNCIS = %1").arg(note));
        noteLine(note, 3, a, 50, 2);
        noteLine(note, 4, a, 50, 3);
        noteLine(note, 5, loose, 100, 1);
        noteLine(note, 12, hp, 900, 1);
        noteLine(note, 14, hp, 0, 2);
        QCOMPARE(StockMove::noteLines(DM, note, StockMove::offeredSections()).size(), 4);

        QString error;
        StockMove::Request r = moveRequest(note, QStringLiteral(" "), false);
        QCOMPARE(StockMove::run(DM, r, &error), -1);
        r.number = QStringLiteral("VY-1");
        r.store = 0;
        QCOMPARE(StockMove::run(DM, r, &error), -1);
        r.store = m_store1;
        r.confirmCreate = [](const QString &) { return false; };
        QCOMPARE(StockMove::run(DM, r, &error), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SKLADPREVODH")), 0);

        const int sale = StockMove::run(DM, moveRequest(note, QStringLiteral("VY-1"), false), &error);
        QVERIFY2(sale > 0, qPrintable(error));
        QCOMPARE(rows(QStringLiteral("SELECT CDT, TYPPOH, UNCVYD, UNCPRI, DATUM FROM SKLADPREVODH WHERE UNCIS = %1").arg(sale)),
                 QStringLiteral("VY-1:P:%1:%2:2026-01-15").arg(m_store1).arg(customer));
        QCOMPARE(slipLines(sale), QStringLiteral("%1:5:11:3;%2:1:22:7").arg(a).arg(hp));
        QCOMPARE(rows(QStringLiteral("SELECT MNOZSKL FROM DODAK WHERE UNCH = %1 ORDER BY UNCIS").arg(note)), QStringLiteral("2;3;0;1;0"));
        QCOMPARE(onHand(a), -5.0);
        // again with the quantities the grid had: nothing is left to move
        QCOMPARE(StockMove::run(DM, r, &error), sale);
        QCOMPARE(slipLines(sale), QStringLiteral("%1:5:11:3;%2:1:22:7").arg(a).arg(hp));
        for (const StockMove::NoteLine &l : StockMove::noteLines(DM, note, {3, 4, 12}))
            QCOMPARE(l.prenos, 0.0);

        QCOMPARE(StockMove::run(DM, moveRequest(note, QStringLiteral("VY-1"), true), &error), -3);
        QCOMPARE(error, QStringLiteral("Vybraná výdejka není typu nákup.\nMateriál nelze převést"));
        const int purchase = StockMove::run(DM, moveRequest(note, QStringLiteral("PR-1"), true), &error);
        QVERIFY2(purchase > 0, qPrintable(error));
        QCOMPARE(slipLines(purchase), QStringLiteral("%1:2:33:7").arg(hp));
        QCOMPARE(count(QStringLiteral("SELECT UNCPRI FROM SKLADPREVODH WHERE UNCIS = %1").arg(purchase)), m_store1);

        // a sale to somebody else: the question, declined
        int foreign = 0;
        slip(QStringLiteral("P"), m_store1, m_firm, {}, &foreign);
        exec(QStringLiteral("UPDATE SKLADPREVODH SET CDT = 'VY-2' WHERE UNCIS = %1").arg(foreign));
        exec(QStringLiteral("UPDATE DODAK SET MNOZSKL = 0 WHERE UNCH = %1").arg(note));
        QString asked;
        r = moveRequest(note, QStringLiteral("VY-2"), false);
        r.confirmParty = [&asked](const QString &q) { asked = q; return false; };
        QCOMPARE(StockMove::run(DM, r, &error), 0);
        QCOMPARE(asked, QStringLiteral("Vybraná výdejka neodpovídá příjemci.\nChcete provést přenos"));

        // the last step refused: no slip, no line, no moved quantity
        QVERIFY(TestEnvironment::ddl(*DM, {QStringLiteral(
            "CREATE EXCEPTION TST_STOP 'stop'"), QStringLiteral(
            "CREATE TRIGGER TST_DODAK_STOP FOR DODAK BEFORE UPDATE AS BEGIN IF (NEW.MNOZSKL > 0) THEN EXCEPTION TST_STOP; END")}));
        const int slips = count(QStringLiteral("SELECT COUNT(*) FROM SKLADPREVODH"));
        QVERIFY(StockMove::run(DM, moveRequest(note, QStringLiteral("VY-3"), false), &error) < 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SKLADPREVODH")), slips);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SKLADPREVODP WHERE UNCH NOT IN (%1, %2)").arg(sale).arg(purchase)), 0);
        checkRecount("after the moves");
    }

    // The dialog: quantities to move between 0 and what is left, "Snulovat" and
    // "Vyplnit", the move through its questions, and the store and ticks remembered.
    void moveDialog()
    {
        const int customer = insertEntry(*DM, 1, QStringLiteral("Hasiči s.r.o."));
        const int a = item(QStringLiteral("Ventil"));
        const int note = TfDodakC::insertNote(DM, customer, 0);
        noteLine(note, 4, a, 50, 3);
        {
            TfDodakDSklad d(DM, note);
            QCOMPARE(d.lines().size(), 1);
            QVERIFY(!d.setPrenos(0, -1));
            QVERIFY(!d.setPrenos(0, 3.5));
            QVERIFY(d.setPrenos(0, 1));
            d.Snulovat();
            QCOMPARE(d.lines().at(0).prenos, 0.0);
            d.sectionBox(14)->setChecked(false);
            d.Vyplnit();
            QVERIFY(d.setPrenos(0, 2));
            d.storeCombo()->setKey(m_store2);
            d.numberField()->setText(QStringLiteral("VY-7"));
            d.rememberBox()->setChecked(true);
            prompt().answer(PromptYes);
            QVERIFY(d.Prenest(false) > 0);
            QVERIFY(prompt().saw(QStringLiteral("Výdejka s číslem VY-7 nebyla nalezena.\nChcete jí vytvořit?")));
            QCOMPARE(d.lines().at(0).mnoz, 1.0);
            QVERIFY(d.movedAny());
        }
        QCOMPARE(scalar(QStringLiteral("SELECT SUM(MNOZ) FROM SKLADPREVODP")).toDouble(), 2.0);
        TfDodakDSklad again(DM, note);
        QCOMPARE(again.storeCombo()->key(), m_store2);
        QVERIFY(!again.sectionBox(14)->isChecked());
        QVERIFY(again.sectionBox(4)->isChecked());
    }

    // The list's new-slip menu makes a sale dated today and opens it with its kind in
    // red; the delivery note's move button opens the move once the warehouse hands it
    // over, and what the dialog moves is on the note when it closes.
    void windows()
    {
        TfSkladPrevodS *list = OtevriVydejky();
        QVERIFY(list);
        QString kind;
        QColor colour;
        prompt().onModal<TfSkladPrevod>([&](TfSkladPrevod *w) {
            kind = w->kindLabel()->text();
            colour = w->kindLabel()->palette().color(QPalette::Window);
            return 0;
        });
        list->action(QStringLiteral("miProdej"))->trigger();
        QCOMPARE(kind, QStringLiteral("Prodej"));
        QCOMPARE(colour, QColor(Qt::red));
        QCOMPARE(rows(QStringLiteral("SELECT TYPPOH, DATUM FROM SKLADPREVODH")),
                 QStringLiteral("P:") + QDate::currentDate().toString(Qt::ISODate));
        list->close();

        const int customer = insertEntry(*DM, 1, QStringLiteral("Hasiči s.r.o."));
        const int note = TfDodakC::insertNote(DM, customer, 0);
        noteLine(note, 4, item(QStringLiteral("Ventil")), 50, 3);
        const auto previous = TfDodak::stockMove();
        TfDodak::stockMove() = PresunDoVydejky;
        auto *dc = TfClass::create<TfDodakC>(DM);
        QCOMPARE(dc->OpenRecord(note), 0);
        TfDodak w(dc);
        auto *button = w.findChild<QToolButton *>(QStringLiteral("sbSklad"));
        QVERIFY(button && button->isEnabled());
        prompt().onModal<TfDodakDSklad>([this](TfDodakDSklad *d) {
            d->storeCombo()->setKey(m_store1);
            d->numberField()->setText(QStringLiteral("VY-9"));
            prompt().answer(PromptYes);
            d->findChild<QPushButton *>(QStringLiteral("bbVydej"))->click();
            return 1;
        });
        button->click();
        TfDodak::stockMove() = previous;
        QCOMPARE(count(QStringLiteral("SELECT MNOZSKL FROM DODAK WHERE UNCH = %1").arg(note)), 3);
        QCOMPARE(scalar(QStringLiteral("SELECT CDT FROM SKLADPREVODH WHERE TYPPOH = 'P' AND UNCPRI = %1").arg(customer)).toString(),
                 QStringLiteral("VY-9"));
    }

    // The printed slip, read back from its PDF.
    void printedSlip()
    {
        const int a = item(QStringLiteral("Ventil hasicí"));
        int key = 0;
        slip(QStringLiteral("O"), m_store1, m_store2, {{a, 4, 1, 3}}, &key);
        exec(QStringLiteral("UPDATE SKLADPREVODH SET CDT = 'PR-26/4', DATUM = '02.03.2026' WHERE UNCIS = %1").arg(key));
        const QString pdf = env->path(QStringLiteral("vydejka.pdf"));
        QString error;
        QVERIFY2(TfSkladPrevodT::writePdf(DM, key, pdf, &error), qPrintable(error));
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(tool.waitForFinished(30000));
        const QString printed = QString::fromUtf8(tool.readAllStandardOutput());
        for (const QString &text : {QStringLiteral("Strana: 1"), QStringLiteral("Výdejka - příjemka"), QStringLiteral("č. PR-26/4"),
                                    QStringLiteral("Datum: 02.03.2026"), QStringLiteral("Vydávající"), QStringLiteral("Sklad Brno"),
                                    QStringLiteral("Přijímající"), QStringLiteral("Sklad Jihlava"), QStringLiteral("Cena/Jed."),
                                    QStringLiteral("Stav mat."), QStringLiteral("1 - Nový, 2 - Po opravě, 3 - Do opravy, 4 - Vyřazen"),
                                    QStringLiteral("Podpis vydávajícího"), QStringLiteral("Podpis přijímajícího")})
            QVERIFY2(printed.contains(text), qPrintable(text + QStringLiteral(" missing in\n") + printed));
        QVERIFY2(printed.contains(QRegularExpression(QStringLiteral("Ventil hasicí\\s+4,00\\s+ks\\s+10,00 Kč\\s+40,00 Kč\\s+1\\s*/\\s*3"))),
                 qPrintable(printed));
    }
};

QTEST_MAIN(TestWarehouse)
#include "tst_warehouse.moc"
