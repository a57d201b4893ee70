// The address picker and its combo on real database files: what each mode offers
// and in which order, the title sort, the search by typing, the choice handed to the
// combo with its side results, the empty choice, the placement on the screen, and a
// combo bound to a record.
#include <QtTest>
#include <QHeaderView>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>

#include "customers/nabadr.h"
#include "customers/nabcombo.h"
#include "core/rowcache.h"
#include "widgets/sortheader.h"
#include "support/addressdata.h"
#include "support/programdatabasetest.h"

class TestAddressPicker : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    QList<int> keys(TfNabAdr &picker)
    {
        picker.rows().fetchAll();
        QList<int> out;
        for (int r = 0; r < picker.rows().loadedRows(); ++r)
            out << picker.rows().value(r, QStringLiteral("UNCIS")).toInt();
        return out;
    }
    QStringList column(TfNabAdr &picker, const QString &field)
    {
        picker.rows().fetchAll();
        QStringList out;
        for (int r = 0; r < picker.rows().loadedRows(); ++r)
            out << picker.rows().value(r, field).toString();
        return out;
    }
    template <class T>
    static QList<T> sorted(QList<T> list)
    {
        std::sort(list.begin(), list.end());
        return list;
    }

private slots:
    void init() { startFresh(); }
    void cleanup()
    {
        // the shared picker must not keep a list open on a connection that goes away
        TfNabAdr::shared()->ZavritBezVyberu();
        TfNabAdr::shared()->setCombo(nullptr);
        finish();
    }

    void eachModeOffersExactlyItsEntries()
    {
        const int firm = insertEntry(*DM, 1, QStringLiteral("Firma"));
        const int hiddenFirm = insertEntry(*DM, 1, QStringLiteral("Skrytá"), {{QStringLiteral("SESTADR"), QStringLiteral("A")}});
        const int employee = insertEntry(*DM, 2, QStringLiteral("Zaměstnanec"));
        const int technician = insertEntry(*DM, 3, QStringLiteral("Technik"));
        const int outsider = insertEntry(*DM, 4, QStringLiteral("Cizí technik"));
        const int service = insertEntry(*DM, 5, QStringLiteral("Cizí servis"));
        insertEntry(*DM, 3, QStringLiteral("Skrytý technik"), {{QStringLiteral("SESTADR"), QStringLiteral("A")}});
        insertEntry(*DM, 2, QStringLiteral("Skrytý zaměstnanec"), {{QStringLiteral("SESTADR"), QStringLiteral("A")}});
        const int other = insertEntry(*DM, 1, QStringLiteral("Jiná"));
        const int site = insertRow(*DM, QStringLiteral("STREDISKA"), {{QStringLiteral("UNCH"), firm}, {QStringLiteral("STREDISKO"), QStringLiteral("A")}});
        const int site2 = insertRow(*DM, QStringLiteral("STREDISKA"), {{QStringLiteral("UNCH"), firm}, {QStringLiteral("STREDISKO"), QStringLiteral("B")}});
        insertRow(*DM, QStringLiteral("STREDISKA"), {{QStringLiteral("UNCH"), other}, {QStringLiteral("STREDISKO"), QStringLiteral("C")}});

        TfNabAdr picker;
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("FIR")), 0);
        QCOMPARE(sorted(keys(picker)), sorted(QList<int>{firm, other}));
        QVERIFY(!keys(picker).contains(hiddenFirm));
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("TEC")), 0);
        QCOMPARE(sorted(keys(picker)), sorted(QList<int>{technician, outsider, service}));
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("zam")), 0);
        QCOMPARE(sorted(keys(picker)), sorted(QList<int>{employee, technician}));
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("Str"), firm), 0);
        QCOMPARE(sorted(keys(picker)), sorted(QList<int>{site, site2}));
        // no firm chosen yet: no sites, and no complaint
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("STR"), 0), 0);
        QVERIFY(keys(picker).isEmpty());
        QVERIFY(prompt().shown.isEmpty());
        // an unknown mode
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("XYZ")), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Chyba při zobrazení"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Seznam organizací"));
        prompt().clear();
    }

    void columnsTogglesAndOrders()
    {
        insertEntry(*DM, 1, QStringLiteral("Čapek"), {{QStringLiteral("KOD"), QStringLiteral("B")}, {QStringLiteral("MESTO"), QStringLiteral("Znojmo")}});
        insertEntry(*DM, 1, QStringLiteral("Adam"), {{QStringLiteral("KOD"), QStringLiteral("C")}, {QStringLiteral("MESTO"), QStringLiteral("Brno")}});
        insertEntry(*DM, 1, QStringLiteral("Dvořák"), {{QStringLiteral("KOD"), QStringLiteral("A")}, {QStringLiteral("MESTO"), QStringLiteral("Cheb")}});
        insertEntry(*DM, 3, QStringLiteral("x"), {{QStringLiteral("PRIJMENI"), QStringLiteral("Zelený")}, {QStringLiteral("CISPRUKAZU"), QStringLiteral("2")}});
        insertEntry(*DM, 2, QStringLiteral("y"), {{QStringLiteral("PRIJMENI"), QStringLiteral("Andrle")}, {QStringLiteral("CISPRUKAZU"), QStringLiteral("1")}});

        TfNabAdr picker;
        QCOMPARE(picker.windowTitle(), QStringLiteral("Tarko 8: nabídka adres"));
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("FIR")), 0);
        QStringList captions;
        for (int c = 0; c < picker.model()->columnCount(); ++c)
            captions << picker.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(captions, QStringList({"Kód", "Název", "Město", "Ulice", "Č.P.", "IČO"}));
        // by name in the Czech order (Č after C)
        QCOMPARE(column(picker, QStringLiteral("NAZEV")),
                 QStringList({QStringLiteral("Adam"), QStringLiteral("Čapek"), QStringLiteral("Dvořák")}));
        QVERIFY(!picker.button(QStringLiteral("sbOrganizace"))->isHidden());
        QVERIFY(!picker.button(QStringLiteral("sbZamestnanci"))->isHidden());
        // a title click orders by the column's entry of the order list, again the other way
        picker.sortHeader()->clickSection(2);
        QVERIFY(picker.sqlText().endsWith(QStringLiteral(" ORDER BY Mesto COLLATE PXW_CSY")));
        QCOMPARE(column(picker, QStringLiteral("MESTO")),
                 QStringList({QStringLiteral("Brno"), QStringLiteral("Cheb"), QStringLiteral("Znojmo")}));
        picker.sortHeader()->clickSection(2);
        QCOMPARE(column(picker, QStringLiteral("MESTO")),
                 QStringList({QStringLiteral("Znojmo"), QStringLiteral("Cheb"), QStringLiteral("Brno")}));
        picker.sortHeader()->clickSection(0);
        QCOMPARE(column(picker, QStringLiteral("KOD")), QStringList({"A", "B", "C"}));

        // employees by surname; the toggle switches between the two lists
        picker.button(QStringLiteral("sbZamestnanci"))->click();
        QCOMPARE(picker.mode(), QStringLiteral("ZAM"));
        QVERIFY(picker.sqlText().endsWith(QStringLiteral(" ORDER BY Prijmeni ")));
        QCOMPARE(column(picker, QStringLiteral("NAZEV")), QStringList({QStringLiteral("y"), QStringLiteral("x")}));
        picker.button(QStringLiteral("sbOrganizace"))->click();
        QCOMPARE(picker.mode(), QStringLiteral("FIR"));

        // technicians: no toggles; their licence card column sorts
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("TEC")), 0);
        QVERIFY(picker.button(QStringLiteral("sbOrganizace"))->isHidden());
        QVERIFY(picker.button(QStringLiteral("sbZamestnanci"))->isHidden());
        QVERIFY(picker.sortHeader()->clickSection(2));
        QVERIFY(picker.sqlText().contains(QStringLiteral("ORDER BY CisPrukazu")));
        QCOMPARE(column(picker, QStringLiteral("CISPRUKAZU")), QStringList({QStringLiteral("2")}));
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("STR"), 1), 0);
        QVERIFY(picker.button(QStringLiteral("sbOrganizace"))->isHidden());
        QVERIFY(prompt().shown.isEmpty());
    }

    void choiceGoesToTheComboWithItsSideResults()
    {
        const int cenik = insertRow(*DM, QStringLiteral("CENUZH"), {{QStringLiteral("NAZEV"), QStringLiteral("C1")}});
        const int firm = insertEntry(*DM, 1, QStringLiteral("Alfa"), {{QStringLiteral("ULICE"), QStringLiteral("Lesní")},
                                                                   {QStringLiteral("CISPOP"), QStringLiteral("4")},
                                                                   {QStringLiteral("PSC"), QStringLiteral("602 00")},
                                                                   {QStringLiteral("MESTO"), QStringLiteral("Brno")},
                                                                   {QStringLiteral("UNCCEN"), cenik}});
        insertRow(*DM, QStringLiteral("FIRMY"), {{QStringLiteral("UNCH"), firm}, {QStringLiteral("SLEVA"), 12.0}});
        insertEntry(*DM, 1, QStringLiteral("Beta"));

        TfNabAdr *picker = TfNabAdr::shared();
        QCOMPARE(picker->objectName(), QStringLiteral("fNabAdr"));
        QCOMPARE(TfNabAdr::shared(), picker);
        NabCombo combo;
        combo.setObjectName(QStringLiteral("ncFirma"));
        combo.setAddressMode(QStringLiteral("FIR"));
        QList<int> events;
        connect(&combo, &NabCombo::OnVyber, this, [&](int key) { events << key; });
        combo.show();
        combo.openPicker();
        QVERIFY(picker->isVisible());
        QCOMPARE(picker->combo(), &combo);
        QCOMPARE(picker->mode(), QStringLiteral("FIR"));
        // Enter on the first row (Alfa)
        QTest::keyClick(picker->grid(), Qt::Key_Return);
        QVERIFY(!picker->isVisible());
        QCOMPARE(picker->vysledek(), firm);
        QCOMPARE(combo.key(), firm);
        QCOMPARE(combo.text(), QStringLiteral("Alfa, Lesní 4, 602 00 Brno"));
        QCOMPARE(events, QList<int>{firm});
        QCOMPARE(picker->UnCCen, cenik);
        QCOMPARE(picker->Sleva, 12.0);

        // the empty choice is a choice too
        combo.openPicker();
        picker->button(QStringLiteral("sbPrazdny"))->click();
        QCOMPARE(combo.key(), 0);
        QCOMPARE(combo.text(), QString());
        QCOMPARE(events, (QList<int>{firm, 0}));
        // closing without a choice tells nobody
        combo.openPicker();
        picker->button(QStringLiteral("sbZavrit"))->click();
        QVERIFY(!picker->isVisible());
        QCOMPARE(picker->vysledek(), 0);
        QCOMPARE(events.size(), 2);
        // nothing to choose from: a beep, the picker stays
        combo.setAddressMode(QStringLiteral("STR"), [] { return 0; });
        combo.openPicker();
        const int beeps = prompt().beeps;
        picker->Vybrat();
        QCOMPARE(prompt().beeps, beeps + 1);
        QVERIFY(picker->isVisible());
        picker->ZavritBezVyberu();
        QVERIFY(prompt().shown.isEmpty());
    }

    void typingSearchesTheCurrentColumn()
    {
        for (const char *name : {"Alfa", "Beta", "Bilek", "Gama"})
            insertEntry(*DM, 1, QString::fromUtf8(name), {{QStringLiteral("MESTO"), QStringLiteral("M") + QString::fromUtf8(name)}});
        TfNabAdr picker;
        QCOMPARE(picker.ZobrazNabidku(QStringLiteral("FIR")), 0);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        picker.grid()->setCurrentIndex(picker.model()->index(0, 1));
        QTest::keyClicks(picker.grid(), QStringLiteral("bi"));
        QCOMPARE(picker.searchText(), QStringLiteral("bi"));
        QCOMPARE(picker.grid()->currentIndex().data().toString(), QStringLiteral("Bilek"));
        // another column starts a new text
        picker.grid()->setCurrentIndex(picker.model()->index(picker.grid()->currentIndex().row(), 2));
        QCOMPARE(picker.searchText(), QString());
        QTest::keyClicks(picker.grid(), QStringLiteral("mg"));
        QCOMPARE(picker.grid()->currentIndex().data().toString(), QStringLiteral("MGama"));
        // Esc clears the text first, then closes without a choice
        QTest::keyClick(picker.grid(), Qt::Key_Escape);
        QCOMPARE(picker.searchText(), QString());
        QVERIFY(picker.isVisible());
        QTest::keyClick(picker.grid(), Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.vysledek(), 0);
    }

    void dropsDownUnderOrAboveTheCombo()
    {
        const QRect screen(0, 0, 1024, 768);
        const QSize size(400, 300);
        // room below
        QCOMPARE(TfNabAdr::placement(QRect(100, 100, 200, 20), size, screen), QPoint(100, 120));
        // too near the right edge: shifted left to stay inside
        QCOMPARE(TfNabAdr::placement(QRect(900, 100, 100, 20), size, screen), QPoint(624, 120));
        // too near the bottom: above the combo
        QCOMPARE(TfNabAdr::placement(QRect(100, 600, 200, 20), size, screen), QPoint(100, 300));
        // exactly fitting below still goes below
        QCOMPARE(TfNabAdr::placement(QRect(0, 448, 200, 20), size, screen), QPoint(0, 468));
    }

    void comboBoundToARecord()
    {
        const int alfa = insertEntry(*DM, 1, QStringLiteral("Alfa"));
        const int beta = insertEntry(*DM, 1, QStringLiteral("Beta"));
        const int technik = insertEntry(*DM, 3, QStringLiteral("x"), {{QStringLiteral("JMENO"), QStringLiteral("Jan")},
                                                                     {QStringLiteral("PRIJMENI"), QStringLiteral("Novák")},
                                                                     {QStringLiteral("CISPRUKAZU"), QStringLiteral("T1")}});
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT UNCIS, UNCSPRFIR, CISLO FROM ADRESAR ORDER BY UNCIS")));
        RowCache rows;
        rows.load(q);
        rows.setValue(0, 1, technik);
        rows.setValue(1, 1, alfa);
        bool editable = true;
        NabCombo combo;
        combo.setAddressMode(QStringLiteral("TEC"));
        combo.bindField(&rows, QStringLiteral("UNCSPRFIR"), [&] { return editable; });
        QCOMPARE(combo.key(), technik);
        QCOMPARE(combo.text(), QStringLiteral("T1 - Jan Novák"));
        // another record: its key shows
        combo.setAddressMode(QStringLiteral("FIR"));
        rows.setCurrentRow(1);
        QCOMPARE(combo.key(), alfa);
        QCOMPARE(combo.text(), QStringLiteral("Alfa,  ,  "));
        rows.setCurrentRow(2);
        QCOMPARE(combo.key(), 0);
        QCOMPARE(combo.text(), QString());
        rows.setCurrentRow(1);
        // a choice goes into the row
        int events = 0;
        connect(&combo, &NabCombo::OnVyber, this, [&] { ++events; });
        combo.Vyber(beta);
        QCOMPARE(rows.value(QStringLiteral("UNCSPRFIR")).toInt(), beta);
        QCOMPARE(combo.text(), QStringLiteral("Beta,  ,  "));
        QCOMPARE(events, 1);
        // refused while the record cannot be edited
        editable = false;
        combo.Vyber(alfa);
        QCOMPARE(rows.value(QStringLiteral("UNCSPRFIR")).toInt(), beta);
        QCOMPARE(combo.key(), beta);
        QCOMPARE(events, 1);
        // a change of the row made elsewhere shows
        rows.setValue(QStringLiteral("UNCSPRFIR"), alfa);
        QCOMPARE(combo.key(), alfa);
        QCOMPARE(combo.text(), QStringLiteral("Alfa,  ,  "));
    }
};

QTEST_MAIN(TestAddressPicker)
#include "tst_addresspicker.moc"
