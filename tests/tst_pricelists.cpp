// The price lists on real database files: pricing for customers and user price lists,
// quantity tiers, the workshop descriptions, the user price-list editor, the item list
// with its sections, stock views and order column, the material picker, deleting items
// that documents use, and two workstations editing one item.
#include <QtTest>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabBar>
#include <QTableView>

#include "commerce/cenik.h"
#include "commerce/cenikc.h"
#include "commerce/cenikes.h"
#include "commerce/ceniks.h"
#include "commerce/cenikuziv.h"
#include "commerce/userpricelists.h"
#include "commerce/nabmats.h"
#include "commerce/pricing.h"
#include "core/format.h"
#include "core/parameters.h"
#include "core/rowcachemodel.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "support/programdatabasetest.h"

class TestPriceLists : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    std::unique_ptr<TDMPro> second;   // another workstation on the same file

    struct Item
    {
        int section = 3;
        QString popis;
        double cenpro = 0;
        QString dph = QStringLiteral("Z");
        QString prenosskl = QStringLiteral("N");
        double limit = 0;
        double limit2 = 0;
    };

    int addItem(const Item &i)
    {
        const int key = int(DM->NextKey(QStringLiteral("CENIK")));
        QSqlQuery q = DM->NewQuery();
        q.prepare(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS, CENPRO, DPH, PRENOSSKL, LIMIT, LIMIT2, KLIC) "
                                 "VALUES (:K, :S, :P, :C, :D, :PS, :L, :L2, 0)"));
        q.bindValue(QStringLiteral(":K"), key);
        q.bindValue(QStringLiteral(":S"), i.section);
        q.bindValue(QStringLiteral(":P"), i.popis);
        q.bindValue(QStringLiteral(":C"), i.cenpro);
        q.bindValue(QStringLiteral(":D"), i.dph);
        q.bindValue(QStringLiteral(":PS"), i.prenosskl);
        q.bindValue(QStringLiteral(":L"), i.limit);
        q.bindValue(QStringLiteral(":L2"), i.limit2);
        if (!q.exec())
            qWarning("addItem: %s", qPrintable(q.lastError().text()));
        return key;
    }
    int addItem(int section, const QString &popis, double cenpro = 0)
    {
        Item i;
        i.section = section;
        i.popis = popis;
        i.cenpro = cenpro;
        return addItem(i);
    }

    // The values of one field over every row of a list.
    static QStringList values(ListDataset &list, const QString &field)
    {
        list.fetchAll();
        QStringList v;
        for (int r = 0; r < list.loadedRows(); ++r)
            v << list.value(r, field).toString().trimmed();
        return v;
    }
    static QStringList sorted(QStringList v)
    {
        v.sort();
        return v;
    }

    // An inspection line (PR_TAB) that refers to the item.
    bool useInInspection(int item)
    {
        if (count(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'PR_TAB'")) == 0
            && !TestEnvironment::ddl(*DM, {QStringLiteral("CREATE TABLE PR_TAB (UNCIS INTEGER NOT NULL PRIMARY KEY, "
                                                         "UNCH INTEGER, UNCCEN INTEGER)")}))
            return false;
        const int line = count(QStringLiteral("SELECT COALESCE(MAX(UNCIS), 0) + 1 FROM PR_TAB"));
        QSqlQuery q = DM->NewQuery();
        return q.exec(QStringLiteral("INSERT INTO PR_TAB (UNCIS, UNCH, UNCCEN) VALUES (%1, 100, %2)").arg(line).arg(item));
    }

    // The grid row of the item.
    static int gridRow(TfEditSez &grid, int key)
    {
        for (int r = 0; r < grid.rows().rowCount(); ++r)
            if (grid.rows().value(r, QStringLiteral("UNCIS")).toInt() == key)
                return r;
        return -1;
    }

    std::unique_ptr<TfCenikS> openItemList()
    {
        auto w = std::make_unique<TfCenikS>();
        TfCenikC *c = TfClass::create<TfCenikC>(DM);
        if (!c || w->AttachController(c) < 0)
            return nullptr;
        if (w->prepareAndOpen() < 0)
            return nullptr;
        return w;
    }

private slots:
    void init()
    {
        startFresh();
        second = secondWorkstation();
        QVERIFY(second);
        Parameters::instance().vatBasic = 21;
        Parameters::instance().vatReduced = 12;
    }
    void cleanup()
    {
        second.reset();
        finish();
    }

    // --- pricing ---------------------------------------------------------------------

    void customerPricesComeFromTheUserList()
    {
        Item hasicak{8, QStringLiteral("Hasicí přístroj P6"), 1500, QStringLiteral("Z")};
        Item naplen{4, QStringLiteral("Prášková náplň"), 200, QStringLiteral("S")};
        Item sluzba{10, QStringLiteral("Doprava"), 50, QStringLiteral("B")};
        const int a = addItem(hasicak), b = addItem(naplen), c = addItem(sluzba);
        exec(QStringLiteral("INSERT INTO CENUZH (UNCIS, NAZEV, KLIC) VALUES (100, 'Velkoodběr', 0)"));
        exec(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KLIC) VALUES (100, 100, %1, 1350, 0)").arg(a));
        // a user price of 0: the item keeps its basic price
        exec(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KLIC) VALUES (200, 100, %1, 0, 0)").arg(b));
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV, TYP, UNCCEN, KLIC) VALUES (100, 'S cenikem', 1, 100, 0)"));
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV, TYP, KLIC) VALUES (200, 'Bez ceniku', 1, 0)"));

        Pricing pricing;
        QCOMPARE(pricing.userListOf(100), 100);
        QCOMPARE(pricing.userListOf(200), 0);
        ItemPrice p = pricing.customerPrice(a, 100);
        QVERIFY(p.found);
        QCOMPARE(p.price, 1350.0);
        QVERIFY(p.userPrice);
        QCOMPARE(p.basicPrice, 1500.0);
        QCOMPARE(p.vatClass, QStringLiteral("Z"));
        QCOMPARE(p.vatRate, 21);
        p = pricing.customerPrice(b, 100);
        QCOMPARE(p.price, 200.0);
        QVERIFY(!p.userPrice);
        QCOMPARE(p.vatRate, 12);
        // not in the list at all
        p = pricing.customerPrice(c, 100);
        QCOMPARE(p.price, 50.0);
        QCOMPARE(p.vatRate, 0);
        // a customer without a list: always CENPRO
        for (int item : {a, b, c})
            QCOMPARE(pricing.customerPrice(item, 200).price, pricing.itemPrice(item, 0).basicPrice);
        QCOMPARE(pricing.customerPrice(a, 200).price, 1500.0);
        QVERIFY(!pricing.customerPrice(a, 200).userPrice);
        // a list that holds the item twice (older data): its non-zero price
        exec(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KLIC) VALUES (300, 100, %1, 180, 0)").arg(b));
        QCOMPARE(pricing.customerPrice(b, 100).price, 180.0);
        // no such item
        QVERIFY(!pricing.itemPrice(999999, 100).found);
        QCOMPARE(vatRateOf(QStringLiteral("X")), 0);
        QCOMPARE(vatRateOf(QStringLiteral("s")), 12);
    }

    void quantityTiers()
    {
        PriceTiers t;
        t.thresholds = {10, 50, 0, 0};
        t.prices = {100, 90, 80, 70, 60};
        QCOMPARE(tierPrice(t, 10), 100.0);
        QCOMPARE(tierPrice(t, 11), 90.0);
        QCOMPARE(tierPrice(t, 50), 90.0);
        QCOMPARE(tierPrice(t, 51), 80.0);     // the zero third threshold ends the search
        QCOMPARE(tierPrice(t, 1000), 80.0);
        QCOMPARE(tierPrice(t, 10.9), 100.0);  // compared as whole numbers
        t.thresholds = {10, 20, 30, 40};
        QCOMPARE(tierPrice(t, 40), 70.0);
        QCOMPARE(tierPrice(t, 41), 60.0);     // above all four

        // the switch: off on a fresh database, on when stored
        QVERIFY(!Parameters::instance().quantityTiers);
        Item i{3, QStringLiteral("Ventil"), 100};
        const int key = addItem(i);
        exec(QStringLiteral("UPDATE CENIK SET POCPRO = 10, POCPRO2 = 50, CENPRO2 = 90, CENPRO3 = 80 WHERE UNCIS = %1").arg(key));
        exec(QStringLiteral("INSERT INTO CENUZH (UNCIS, NAZEV, KLIC) VALUES (100, 'Seznam', 0)"));
        exec(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KLIC) VALUES (100, 100, %1, 95, 0)").arg(key));
        Pricing pricing;
        const ItemPrice p = pricing.itemPrice(key, 100);
        QCOMPARE(pricing.priceForQuantity(p, 51), 95.0);
        exec(QStringLiteral("INSERT INTO QELSYS (POLOZKA, HODNOTA) VALUES ('cbCenovePasma', '1')"));
        QVERIFY(loadFrameworkParameters(*DM));
        QVERIFY(Pricing::tiersOn());
        QCOMPARE(pricing.priceForQuantity(p, 10), 100.0);
        QCOMPARE(pricing.priceForQuantity(p, 11), 90.0);
        QCOMPARE(pricing.priceForQuantity(p, 51), 80.0);
    }

    // --- the grid editors ------------------------------------------------------------

    void workshopItemsAreDescribedByMarkAndText()
    {
        QCOMPARE(workshopDescription(QStringLiteral("HP2"), QString()), QStringLiteral("HP2"));
        QCOMPARE(workshopDescription(QStringLiteral("HP2"), QStringLiteral("  ")), QStringLiteral("HP2"));
        QCOMPARE(workshopDescription(QStringLiteral("HP2"), QStringLiteral("výměna ventilu")),
                 QStringLiteral("HP2 - výměna ventilu"));

        addItem(7, QStringLiteral("HP6"));
        addItem(7, QStringLiteral("HP2"));
        addItem(3, QStringLiteral("Ventil"));
        exec(QStringLiteral("INSERT INTO S_OPRTXT (UNCIS, POPIS, KLIC) VALUES (100, 'výměna ventilu', 0)"));
        TfCenikProhES w;
        QVERIFY(w.isCreated());
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarko 8: Ceník dílenské údržby"));
        QCOMPARE(w.znacky(), QStringList({"HP1", "HP2", "HP3", "HP4", "HP5", "HP6"}));
        QCOMPARE(w.opravy(), QStringList(QStringLiteral("výměna ventilu")));
        QCOMPARE(w.rows().rowCount(), 0);   // section 2 only

        QCOMPARE(w.Pridej(), 0);
        const int row = w.rows().currentRow();
        RowCacheModel *m = w.model();
        const int znacka = m->columnOfField(QStringLiteral("ZNACKA"));
        const int oprtext = m->columnOfField(QStringLiteral("OPRTEXT"));
        QVERIFY(m->setData(m->index(row, znacka), QStringLiteral("HP2")));
        QCOMPARE(w.rows().value(row, QStringLiteral("POPIS")).toString(), QStringLiteral("HP2"));
        QVERIFY(m->setData(m->index(row, oprtext), QStringLiteral("výměna ventilu")));
        QCOMPARE(w.rows().value(row, QStringLiteral("POPIS")).toString(), QStringLiteral("HP2 - výměna ventilu"));
        QCOMPARE(w.Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM CENIK WHERE CSEKCE = 2")).toString(),
                 QStringLiteral("HP2 - výměna ventilu"));
        QCOMPARE(scalar(QStringLiteral("SELECT DPH FROM CENIK WHERE CSEKCE = 2")).toString(), QStringLiteral("Z"));
        // the text taken away again: the mark alone
        QVERIFY(m->setData(m->index(row, oprtext), QString()));
        QCOMPARE(w.Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM CENIK WHERE CSEKCE = 2")).toString(), QStringLiteral("HP2"));
    }

    void basicPriceListBySection()
    {
        addItem(1, QStringLiteral("Kontrola HP"), 60);
        addItem(5, QStringLiteral("Plomba"), 2);
        addItem(5, QStringLiteral("Drát"), 1);
        addItem(2, QStringLiteral("HP2"), 300);
        {
            TfCenikES w;
            QVERIFY(w.isCreated());
            QStringList tabs;
            for (int i = 0; i < w.sectionTabs()->count(); ++i)
                tabs << w.sectionTabs()->tabText(i);
            QCOMPARE(tabs, QStringList({"1", "3", "4", "5", "6", "7", "8", "9", "10", "11"}));
            QCOMPARE(w.rows().rowCount(), 1);
            QVERIFY(w.tierPanel()->isHidden());
            w.sectionTabs()->setCurrentIndex(3);   // "5"
            QCOMPARE(w.section(), 5);
            QCOMPARE(w.rows().rowCount(), 2);
            QCOMPARE(w.rows().value(0, QStringLiteral("POPIS")).toString(), QStringLiteral("Drát"));
            QCOMPARE(w.Pridej(), 0);
            w.setCellValue(w.rows().currentRow(), QStringLiteral("POPIS"), QStringLiteral("Těsnění"));
            // leaving the section with a new row asks first
            prompt().answer(PromptYes);
            QVERIFY(w.setSection(1));
            QCOMPARE(prompt().lastText(), QStringLiteral("Uložit změny ?"));
            prompt().clear();
            QCOMPARE(count(QStringLiteral("SELECT CSEKCE FROM CENIK WHERE POPIS = 'Těsnění'")), 5);
            QCOMPARE(scalar(QStringLiteral("SELECT PRENOSSKL FROM CENIK WHERE POPIS = 'Těsnění'")).toString(),
                     QStringLiteral("N"));
            QCOMPARE(count(QStringLiteral("SELECT CENPRO3 FROM CENIK WHERE POPIS = 'Těsnění'")), 0);
        }
        // with the tiers on, the panel edits the current item's tiers
        Parameters::instance().quantityTiers = true;
        TfCenikES w;
        QVERIFY(!w.tierPanel()->isHidden());
        auto *cena2 = w.tierPanel()->findChild<QLineEdit *>(QStringLiteral("eCenPro2"));
        auto *pocet1 = w.tierPanel()->findChild<QLineEdit *>(QStringLiteral("ePocPro"));
        QVERIFY(cena2 && pocet1);
        QCOMPARE(w.tierPanel()->findChildren<QLineEdit *>().size(), 9);
        QVERIFY(!w.isChanged());
        pocet1->setText(QStringLiteral("10"));
        emit pocet1->textEdited(pocet1->text());
        cena2->setText(QStringLiteral("55,5"));
        emit cena2->textEdited(cena2->text());
        QVERIFY(w.isChanged());
        QCOMPARE(w.Uloz(), 0);
        QCOMPARE(count(QStringLiteral("SELECT POCPRO FROM CENIK WHERE CSEKCE = 1")), 10);
        QCOMPARE(scalar(QStringLiteral("SELECT CENPRO2 FROM CENIK WHERE CSEKCE = 1")).toDouble(), 55.5);
    }

    // --- user price lists ------------------------------------------------------------

    void userPriceListEditor()
    {
        const int ventil = addItem(3, QStringLiteral("Ventil"), 100);
        addItem(3, QStringLiteral("Manometr"), 40);
        addItem(4, QStringLiteral("Náplň"), 10);
        TfCenikUziv w;
        QVERIFY(w.isCreated());
        QCOMPARE(w.cenikCombo()->count(), 0);
        prompt().onModal([](QDialog *d) {
            d->findChild<QLineEdit *>(QStringLiteral("edNaz"))->setText(QStringLiteral("Velkoodběratelé"));
            return 1;
        });
        QCOMPARE(w.Novy(), 0);
        QCOMPARE(w.cenikCombo()->currentText(), QStringLiteral("Velkoodběratelé"));
        const int list = w.data().list();
        QVERIFY(list > 0);
        QVERIFY(w.chooseSection(3));
        RowCache &rows = w.data().prices();
        QCOMPARE(rows.rowCount(), 2);
        QVERIFY(rows.locate(QStringLiteral("CUNCIS"), ventil));
        const int row = rows.currentRow();
        const int cena = w.model()->columnOfField(QStringLiteral("CENA"));
        // no price yet: nothing to type into
        QVERIFY(!(w.model()->flags(w.model()->index(row, cena)) & Qt::ItemIsEditable));

        QCOMPARE(w.Pridej(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZP WHERE UNCCEN = %1").arg(ventil)), 1);
        QVERIFY(w.model()->flags(w.model()->index(row, cena)) & Qt::ItemIsEditable);
        QCOMPARE(w.model()->index(row, 0).data(Qt::BackgroundRole).value<QColor>(), UserPriceModel::priceColour());
        // the same item twice: nothing the second time
        QCOMPARE(w.Pridej(), int(UserPriceLists::NothingToDo));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZP WHERE UNCCEN = %1").arg(ventil)), 1);
        QVERIFY(w.model()->setData(w.model()->index(row, cena), QStringLiteral("85")));
        QCOMPARE(w.Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT CENA FROM CENUZP WHERE UNCCEN = %1").arg(ventil)).toDouble(), 85.0);
        QCOMPARE(Pricing().itemPrice(ventil, list).price, 85.0);

        // priced meanwhile by another workstation: adding shows that price, adds nothing
        QVERIFY(rows.locate(QStringLiteral("POPIS"), QStringLiteral("Manometr")));
        const int manometr = rows.value(QStringLiteral("CUNCIS")).toInt();
        {
            QSqlQuery q = second->NewQuery();
            QVERIFY(q.exec(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KLIC) VALUES (9900, %1, %2, 33, 0)")
                               .arg(list).arg(manometr)));
        }
        QCOMPARE(w.Pridej(), int(UserPriceLists::NothingToDo));
        QCOMPARE(rows.value(QStringLiteral("CENA")).toDouble(), 33.0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZP WHERE UNCCEN = %1").arg(manometr)), 1);

        // "Dohledání:"
        w.searchField()->setText(QStringLiteral("ven"));
        emit w.searchField()->textEdited(w.searchField()->text());
        QCOMPARE(rows.value(QStringLiteral("CUNCIS")).toInt(), ventil);

        // remove the item from the list
        QCOMPARE(w.Uber(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZP WHERE UNCCEN = %1").arg(ventil)), 0);
        QVERIFY(rows.value(QStringLiteral("UNCIS")).isNull());
        QCOMPARE(w.Uber(), int(UserPriceLists::NothingToDo));

        // delete the list: asked, then the list and its prices go
        prompt().answer(PromptNo);
        QCOMPARE(w.SmazatCenik(), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZH")), 1);
        prompt().answer(PromptYes);
        QCOMPARE(w.SmazatCenik(), 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazat vybraný ceník ?"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Pozor"));
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZH")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZP")), 0);
        QCOMPARE(w.cenikCombo()->count(), 0);
    }

    void userPriceTypedOnTwoWorkstations()
    {
        const int ventil = addItem(3, QStringLiteral("Ventil"), 100);
        exec(QStringLiteral("INSERT INTO CENUZH (UNCIS, NAZEV, KLIC) VALUES (100, 'Seznam', 0)"));
        exec(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KLIC) VALUES (100, 100, %1, 90, 0)").arg(ventil));
        TfCenikUziv a;
        TfCenikUziv b(nullptr, second.get());
        QVERIFY(a.chooseSection(3) && b.chooseSection(3));
        const int cena = a.model()->columnOfField(QStringLiteral("CENA"));
        QVERIFY(a.model()->setData(a.model()->index(0, cena), QStringLiteral("80")));
        QVERIFY(b.model()->setData(b.model()->index(0, cena), QStringLiteral("70")));
        QCOMPARE(a.Uloz(), 0);
        QCOMPARE(b.Uloz(), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Chyba při uložení ceníku"));
        prompt().clear();
        QCOMPARE(b.data().prices().value(0, QStringLiteral("CENA")).toDouble(), 70.0);
        QVERIFY(b.data().isModified());
        QCOMPARE(scalar(QStringLiteral("SELECT CENA FROM CENUZP")).toDouble(), 80.0);
        // closing asks about the price that could not be stored
        prompt().answer(PromptNo);
        QVERIFY(b.close());
        prompt().clear();
    }

    // --- the item list ---------------------------------------------------------------

    void sectionsOfTheItemList()
    {
        QCOMPARE(sectionCondition(QStringLiteral("CEN.CSEKCE"), {3, 5, 3}), QStringLiteral("CEN.CSEKCE IN (3,5)"));
        QCOMPARE(sectionCondition(QStringLiteral("CEN.CSEKCE"), {}), QStringLiteral("(1 = 0)"));

        addItem(1, QStringLiteral("Kontrola"));
        addItem(3, QStringLiteral("Ventil"));
        addItem(5, QStringLiteral("Plomba"));
        // never stocked: still listed, with nothing on stock
        auto w = openItemList();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Tarko 8: Ceník"));
        ListDataset &list = w->controller()->list();
        QCOMPARE(sorted(values(list, QStringLiteral("POPIS"))), QStringList({"Kontrola", "Plomba", "Ventil"}));
        QCOMPARE(values(list, QStringLiteral("MNOZSTVI")), QStringList({"0", "0", "0"}));
        // the default grid layout
        QStringList captions;
        for (int c = 0; c < w->model()->columnCount(); ++c)
            captions << w->model()->columnAt(c).caption;
        QVERIFY(captions.contains(QStringLiteral("Na skladě")));
        QVERIFY(captions.contains(QStringLiteral("Popis")));

        for (int s = 1; s <= TfCenikS::SectionCount; ++s)
            w->sectionBox(s)->setChecked(s == 3 || s == 5);
        QCOMPARE(sorted(values(list, QStringLiteral("POPIS"))), QStringList({"Plomba", "Ventil"}));
        QVERIFY(list.selectSql().contains(QStringLiteral("CEN.CSEKCE IN (3,5)")));
        QVERIFY(list.parameters().isEmpty());
        // none ticked: an empty list, and no failure
        w->sectionBox(3)->setChecked(false);
        w->sectionBox(5)->setChecked(false);
        QVERIFY(list.isOpen());
        QCOMPARE(list.recordCount(), 0);
        QCOMPARE(w->statusText(), QStringLiteral("Záznamy: 0 / 0"));
        QCOMPARE(w->Reopen(), 0);
    }

    // Prices read "7,20" and "1 250,00" in the item list and its code-list grid (the
    // item's window: itemWindow); the stock is a quantity.
    void pricesShowTwoDecimalsAndGroupedThousands()
    {
        const int plomba = addItem(3, QStringLiteral("Plomba"), 7.2);
        const int pristroj = addItem(3, QStringLiteral("Přístroj"), 1250);
        auto w = openItemList();
        QVERIFY(w);
        ListDataset &list = w->controller()->list();
        list.fetchAll();
        auto cell = [&](int key, const QString &field) {
            int column = -1;
            for (int c = 0; c < w->model()->columnCount(); ++c)
                if (w->model()->columnAt(c).field == field)
                    column = c;
            for (int r = 0; r < list.loadedRows(); ++r)
                if (list.value(r, QStringLiteral("UNCIS")).toInt() == key && column >= 0)
                    return w->model()->index(r, column).data().toString();
            return QStringLiteral("(none)");
        };
        QCOMPARE(cell(plomba, QStringLiteral("CENCENPRO")), QStringLiteral("7,20"));
        QCOMPARE(cell(pristroj, QStringLiteral("CENCENPRO")), QStringLiteral("1 250,00"));
        QCOMPARE(cell(pristroj, QStringLiteral("CENCENNAK")), QStringLiteral("0,00"));
        QCOMPARE(cell(pristroj, QStringLiteral("SSFMNOZSTVI")), QStringLiteral("0"));

        TfCenikES grid;
        QVERIFY(grid.setSection(3));
        const int cena = grid.model()->columnOfField(QStringLiteral("CENPRO"));
        QCOMPARE(grid.model()->index(gridRow(grid, plomba), cena).data().toString(), QStringLiteral("7,20"));
        QCOMPARE(grid.model()->index(gridRow(grid, pristroj), cena).data().toString(), QStringLiteral("1 250,00"));
        // typed as the user sees it, the price is stored as the number
        QVERIFY(grid.model()->setData(grid.model()->index(gridRow(grid, plomba), cena), QStringLiteral("1 480,5")));
        QCOMPARE(grid.Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT CENPRO FROM CENIK WHERE UNCIS = %1").arg(plomba)).toDouble(), 1480.5);
    }

    void underLimitViews()
    {
        Item a{5, QStringLiteral("Pod limitem"), 0, QStringLiteral("Z"), QStringLiteral("A"), 5, 4};
        Item b{5, QStringLiteral("Na limitu"), 0, QStringLiteral("Z"), QStringLiteral("A"), 5, 2};
        Item c{5, QStringLiteral("Bez zásoby"), 0, QStringLiteral("Z"), QStringLiteral("A"), 5, 1};
        Item d{5, QStringLiteral("Bez limitu"), 0, QStringLiteral("Z"), QStringLiteral("N"), 0, 0};
        const int ka = addItem(a), kb = addItem(b);
        addItem(c);
        addItem(d);
        // the stock as the warehouse will keep it: a row per stocked item only, the view
        // still one row per item
        QVERIFY(TestEnvironment::ddl(*DM, {
            QStringLiteral("CREATE TABLE TST_ZASOBA (UNCMAT INTEGER, MNOZSTVI DOUBLE PRECISION)"),
            QStringLiteral("CREATE OR ALTER VIEW SKLADSUMFIR (UNCMAT, MNOZSTVI) AS SELECT C.UNCIS, "
                           "COALESCE((SELECT SUM(Z.MNOZSTVI) FROM TST_ZASOBA Z WHERE Z.UNCMAT = C.UNCIS), 0) "
                           "FROM CENIK C"),
        }));
        exec(QStringLiteral("INSERT INTO TST_ZASOBA VALUES (%1, 3)").arg(ka));
        exec(QStringLiteral("INSERT INTO TST_ZASOBA VALUES (%1, 5)").arg(kb));

        auto w = openItemList();
        QVERIFY(w);
        ListDataset &list = w->controller()->list();
        QCOMPARE(list.recordCount(), 4);
        w->action(QStringLiteral("miPodLimit"))->trigger();
        QVERIFY(w->action(QStringLiteral("miPodLimit"))->isChecked());
        QCOMPARE(sorted(values(list, QStringLiteral("POPIS"))), QStringList({"Bez zásoby", "Pod limitem"}));
        const int none = values(list, QStringLiteral("POPIS")).indexOf(QStringLiteral("Bez zásoby"));
        QCOMPARE(list.value(none, QStringLiteral("MNOZSTVI")).toDouble(), 0.0);
        // the critical limit: 3 < 4 listed, 5 < 2 not, 0 < 1 listed
        w->action(QStringLiteral("miPodKritLimit"))->trigger();
        QVERIFY(!w->action(QStringLiteral("miPodLimit"))->isChecked());
        QCOMPARE(sorted(values(list, QStringLiteral("POPIS"))), QStringList({"Bez zásoby", "Pod limitem"}));
        exec(QStringLiteral("UPDATE TST_ZASOBA SET MNOZSTVI = 4 WHERE UNCMAT = %1").arg(ka));
        w->Reopen();
        QCOMPARE(values(list, QStringLiteral("POPIS")), QStringList({"Bez zásoby"}));
        // and back to every item
        w->action(QStringLiteral("miPodKritLimit"))->trigger();
        QCOMPARE(list.recordCount(), 4);
    }

    void orderColumnKeepsTypedQuantities()
    {
        const int ventil = addItem(3, QStringLiteral("Ventil"));
        addItem(3, QStringLiteral("Manometr"));
        auto w = openItemList();
        QVERIFY(w);
        QVERIFY(!w->action(QStringLiteral("miSestavitObjednavku"))->isEnabled());
        const int columns = w->model()->columnCount();
        w->action(QStringLiteral("miZobrazitObjednat"))->trigger();
        QCOMPARE(w->model()->columnCount(), columns + 1);
        const int order = columns;
        QCOMPARE(w->model()->columnAt(order).field, QStringLiteral("OBJEDNAT"));
        QVERIFY(w->model()->flags(w->model()->index(0, order)) & Qt::ItemIsEditable);
        QVERIFY(!(w->model()->flags(w->model()->index(0, 0)) & Qt::ItemIsEditable));
        ListDataset &list = w->controller()->list();
        const int row = values(list, QStringLiteral("POPIS")).indexOf(QStringLiteral("Ventil"));
        QVERIFY(w->model()->setData(w->model()->index(row, order), QStringLiteral("2,5")));
        QVERIFY(!w->model()->setData(w->model()->index(row, order), QStringLiteral("x")));
        QCOMPARE(prompt().beeps, 1);
        prompt().clear();
        QCOMPARE(w->cenik()->orderLines(), (QVector<QPair<int, double>>{{ventil, 2.5}}));
        // read again in another order, the quantity is still beside its item
        w->SortByColumn(0);
        const int again = values(list, QStringLiteral("POPIS")).indexOf(QStringLiteral("Ventil"));
        QCOMPARE(w->model()->index(again, order).data().toString(), formatNumber(2.5));
        // typing a number into the column starts the value; Enter stores it
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const int manometr = values(list, QStringLiteral("POPIS")).indexOf(QStringLiteral("Manometr"));
        const QModelIndex cell = w->model()->index(manometr, order);
        w->grid()->setCurrentIndex(cell);
        w->grid()->setFocus();
        QTest::keyClick(w->grid(), Qt::Key_4, Qt::NoModifier);
        auto *editor = qobject_cast<QLineEdit *>(w->grid()->indexWidget(cell));
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("4"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(w->cenik()->orderLines().size(), 2);
        QCOMPARE(w->cenik()->orderQuantity(list.value(manometr, QStringLiteral("UNCIS")).toInt()), 4.0);
        w->action(QStringLiteral("miZobrazitObjednat"))->trigger();
        QCOMPARE(w->model()->columnCount(), columns);
        // the assembly of a purchase order, once one is there, gets the list
        int assembled = 0;
        TfCenikS::orderAssembler() = [&](TfCenikS &s) { assembled = int(s.cenik()->orderLines().size()); };
        TfCenikS other;
        QVERIFY(other.action(QStringLiteral("miSestavitObjednavku"))->isEnabled());
        w->SestavitObjednavku();
        TfCenikS::orderAssembler() = nullptr;
        QCOMPARE(assembled, 2);
    }

    void itemUsedByDocumentsIsNotDeleted()
    {
        const int used = addItem(7, QStringLiteral("P6 Práškový"));
        const int free = addItem(7, QStringLiteral("S5 Sněhový"));
        exec(QStringLiteral("INSERT INTO CENUZH (UNCIS, NAZEV, KLIC) VALUES (100, 'Seznam', 0)"));
        exec(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KLIC) VALUES (100, 100, %1, 90, 0)").arg(free));
        // an inspection line with the extinguisher type
        QVERIFY(useInInspection(used));

        auto w = openItemList();
        QVERIFY(w);
        QCOMPARE(w->cenik()->documentsUsing(used), QStringList(QStringLiteral("kontroly hasicích přístrojů")));
        QVERIFY(w->cenik()->documentsUsing(free).isEmpty());
        ListDataset &list = w->controller()->list();
        list.setCurrentRow(values(list, QStringLiteral("POPIS")).indexOf(QStringLiteral("P6 Práškový")));
        prompt().answer(PromptYes);
        w->DeleteCurrent();
        QCOMPARE(prompt().shown.size(), 2);
        const QString why = prompt().lastText();
        QVERIFY2(why.contains(QStringLiteral("kontroly hasicích přístrojů")), qPrintable(why));
        QVERIFY(why.startsWith(QStringLiteral("Položku nelze smazat")));
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENIK WHERE UNCIS = %1").arg(used)), 1);
        QCOMPARE(list.recordCount(), 2);
        // the controller refuses it whoever asks
        QCOMPARE(w->cenik()->DeleteRecord(used), int(TfClass::ResDeleteFailed));
        prompt().clear();
        // an item no document uses goes, and its user prices with it
        list.setCurrentRow(values(list, QStringLiteral("POPIS")).indexOf(QStringLiteral("S5 Sněhový")));
        prompt().answer(PromptYes);
        w->DeleteCurrent();
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENIK WHERE UNCIS = %1").arg(free)), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZP")), 0);
    }

    void gridsDeleteItemsByTheItemRules()
    {
        const int used = addItem(1, QStringLiteral("Kontrola HP"));
        const int free = addItem(1, QStringLiteral("Plomba"));
        const int usedRepair = addItem(2, QStringLiteral("HP2"));
        const int freeRepair = addItem(2, QStringLiteral("HP6"));
        QVERIFY(useInInspection(used));
        QVERIFY(useInInspection(usedRepair));
        exec(QStringLiteral("INSERT INTO CENUZH (UNCIS, NAZEV, KLIC) VALUES (100, 'Seznam', 0)"));
        exec(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KLIC) VALUES (100, 100, %1, 90, 0)").arg(free));
        exec(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KLIC) VALUES (200, 100, %1, 90, 0)").arg(freeRepair));
        TfCenikES basic;
        TfCenikProhES workshop;
        struct Case { TfEditSez *grid; int used; int free; };
        for (const Case &k : {Case{&basic, used, free}, Case{&workshop, usedRepair, freeRepair}}) {
            TfEditSez &w = *k.grid;
            QCOMPARE(w.rows().rowCount(), 2);
            // a price typed in the other row stays pending through the deletes
            const int other = gridRow(w, k.free);
            QVERIFY(w.setCellValue(other, QStringLiteral("CENPRO"), 75.0));
            w.rows().setCurrentRow(gridRow(w, k.used));
            prompt().answer(PromptYes);
            QCOMPARE(w.Uber(), 1);
            QCOMPARE(prompt().shown.size(), 2);
            QVERIFY2(prompt().lastText().startsWith(QStringLiteral("Položku nelze smazat")), qPrintable(prompt().lastText()));
            prompt().clear();
            QCOMPARE(w.rows().rowCount(), 2);
            QCOMPARE(w.Uloz(), 0);
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENIK WHERE UNCIS = %1").arg(k.used)), 1);
            QCOMPARE(scalar(QStringLiteral("SELECT CENPRO FROM CENIK WHERE UNCIS = %1").arg(k.free)).toDouble(), 75.0);

            // an item no document uses goes at once, and its user prices with it
            QVERIFY(w.setCellValue(gridRow(w, k.used), QStringLiteral("CENPRO"), 80.0));
            w.rows().setCurrentRow(gridRow(w, k.free));
            prompt().answer(PromptYes);
            QCOMPARE(w.Uber(), 0);
            prompt().clear();
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENIK WHERE UNCIS = %1").arg(k.free)), 0);
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZP WHERE UNCCEN = %1").arg(k.free)), 0);
            QCOMPARE(w.rows().rowCount(), 1);
            QVERIFY(w.isChanged());
            QCOMPARE(w.Uloz(), 0);
            QCOMPARE(scalar(QStringLiteral("SELECT CENPRO FROM CENIK WHERE UNCIS = %1").arg(k.used)).toDouble(), 80.0);

            // a row not stored yet just leaves the grid
            QCOMPARE(w.Pridej(), 0);
            prompt().answer(PromptYes);
            QCOMPARE(w.Uber(), 0);
            prompt().clear();
            QCOMPARE(w.rows().rowCount(), 1);
        }
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENIK")), 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENUZP")), 0);
    }

    void newItemTakesTheListsSection()
    {
        const QString name5 = scalar(QStringLiteral("SELECT POPIS FROM NAZSEKCE WHERE CSEKCE = 5")).toString().trimmed();
        auto w = openItemList();
        QVERIFY(w);
        ListDataset &list = w->controller()->list();
        struct Shown { int count = 0; QString text; };
        Shown shown;
        auto newItem = [&](const QString &popis, int choose) {
            prompt().onModal([&, popis, choose](QDialog *d) {
                auto *form = qobject_cast<TfCenik *>(d);
                if (!form)
                    return 0;
                auto *sekce = form->findChild<QComboBox *>(QStringLiteral("cbSekce"));
                if (!sekce)
                    return 0;
                shown = {sekce->count(), sekce->currentText()};
                if (choose > 0) {
                    const int index = sekce->findData(choose);
                    sekce->setCurrentIndex(index);
                    emit sekce->activated(index);
                }
                auto *ePopis = form->findChild<QLineEdit *>(QStringLiteral("ePopis"));
                ePopis->setText(popis);
                emit ePopis->textEdited(popis);
                form->cUloz();
                return 0;
            });
            w->NewRecord();
        };
        // one section shown: the new item is in it, and in its list
        for (int s = 1; s <= TfCenikS::SectionCount; ++s)
            w->sectionBox(s)->setChecked(s == 5);
        newItem(QStringLiteral("Plomba"), 0);
        QCOMPARE(shown.count, TfCenikS::SectionCount);
        QVERIFY(!name5.isEmpty());
        QCOMPARE(shown.text, QStringLiteral("5 - ") + name5);
        QCOMPARE(scalar(QStringLiteral("SELECT CSEKCE FROM CENIK WHERE POPIS = 'Plomba'")).toInt(), 5);
        QCOMPARE(values(list, QStringLiteral("POPIS")), QStringList(QStringLiteral("Plomba")));
        // two shown: the section is chosen in the window
        w->sectionBox(3)->setChecked(true);
        newItem(QStringLiteral("Ventil"), 3);
        QCOMPARE(shown.text, QString());
        QCOMPARE(scalar(QStringLiteral("SELECT CSEKCE FROM CENIK WHERE POPIS = 'Ventil'")).toInt(), 3);
        QCOMPARE(sorted(values(list, QStringLiteral("POPIS"))), QStringList({"Plomba", "Ventil"}));
    }

    void itemWindow()
    {
        const int key = addItem(3, QStringLiteral("Ventil"), 100);
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV, MESTO, TYP, KLIC) VALUES (100, 'Dodavatel a.s.', 'Brno', 1, 0)"));
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV, TYP, KLIC) VALUES (200, 'Technik', 3, 0)"));
        TfCenikC *c = TfClass::create<TfCenikC>(DM);
        c->AddRef();   // the test's own reference: the window gives back only its own
        QCOMPARE(c->OpenRecord(key), 0);
        QPointer<TfCenik> w = new TfCenik(c);
        QCOMPARE(w->windowTitle(), QStringLiteral("Tarko 8: Položka ceníku"));
        QComboBox *dodav = w->dodavatel(1);
        QCOMPARE(dodav->count(), 2);   // nobody, and the one supplier
        QCOMPARE(dodav->itemText(1), QStringLiteral("Dodavatel a.s., Brno"));
        auto *cena = w->findChild<QLineEdit *>(QStringLiteral("eCenPro"));
        QCOMPARE(cena->text(), QStringLiteral("100,00"));
        cena->setText(QStringLiteral("120"));
        emit cena->textEdited(cena->text());
        emit cena->editingFinished();
        QCOMPARE(cena->text(), QStringLiteral("120,00"));
        dodav->setCurrentIndex(1);
        emit dodav->activated(1);
        auto *dph = w->findChild<QComboBox *>(QStringLiteral("cbDPH"));
        dph->setCurrentIndex(1);
        emit dph->activated(1);
        QCOMPARE(w->cUloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT CENPRO FROM CENIK WHERE UNCIS = %1").arg(key)).toDouble(), 120.0);
        QCOMPARE(count(QStringLiteral("SELECT DODAV1 FROM CENIK WHERE UNCIS = %1").arg(key)), 100);
        QCOMPARE(scalar(QStringLiteral("SELECT DPH FROM CENIK WHERE UNCIS = %1").arg(key)).toString(), QStringLiteral("S"));
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());
        // opened from the list, the window shows the row's item
        {
            auto list = openItemList();
            QVERIFY(list);
            QString shown;
            prompt().onModal([&](QDialog *d) {
                auto *form = qobject_cast<TfCenik *>(d);
                if (form)
                    shown = form->findChild<QLineEdit *>(QStringLiteral("ePopis"))->text();
                return 0;
            });
            list->OpenDetail(key);
            QCOMPARE(shown, QStringLiteral("Ventil"));
        }
        // a new item starts priced and classed, not empty
        const int fresh = c->InsertRecord();
        QVERIFY(fresh > 0);
        QCOMPARE(scalar(QStringLiteral("SELECT DPH FROM CENIK WHERE UNCIS = %1").arg(fresh)).toString(), QStringLiteral("Z"));
        QCOMPARE(scalar(QStringLiteral("SELECT CENPRO FROM CENIK WHERE UNCIS = %1").arg(fresh)).toDouble(), 0.0);
        QCOMPARE(scalar(QStringLiteral("SELECT PRENOSSKL FROM CENIK WHERE UNCIS = %1").arg(fresh)).toString(), QStringLiteral("N"));
        c->Release();
    }

    // --- the material picker ---------------------------------------------------------

    void materialPicker()
    {
        Item kontrola{1, QStringLiteral("Kontrola"), 60};
        Item ventil{3, QStringLiteral("Ventil"), 100, QStringLiteral("Z"), QStringLiteral("A")};
        Item naplen{4, QStringLiteral("Náplň"), 10, QStringLiteral("Z"), QStringLiteral("N")};
        Item hasicak{8, QStringLiteral("P6"), 1500, QStringLiteral("Z"), QStringLiteral("A")};
        addItem(kontrola);
        const int kVentil = addItem(ventil);
        addItem(naplen);
        addItem(hasicak);

        TfMaterialC *c = TfClass::create<TfMaterialC>(DM);
        QVERIFY(c->setListText(QStringLiteral(" ,CEN.POPIS, CEN.Jedn, CEN.DPH, CEN.UNCIS, CEN.CSEKCE, CEN.CENPRO  from CENIK CEN ")));
        TfNabMatS w;
        QVERIFY(w.pickMode());
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarko 8: Nabídka materiálu"));
        QVERIFY(w.AttachController(c) == 0);
        QVector<int> chosen;
        double price = 0;
        w.setAddLine([&](int key, ListDataset &rows) {
            chosen << key;
            price = rows.value(QStringLiteral("CENPRO")).toDouble();
        });
        QCOMPARE(w.prepareAndOpen(), 0);
        ListDataset &list = c->list();
        // the boxes of sections 3, 4, 5, 7, 8, 9, 10, 11: section 1 is not offered
        QVERIFY(!w.sectionBox(1));
        QCOMPARE(sorted(values(list, QStringLiteral("POPIS"))), QStringList({"Náplň", "P6", "Ventil"}));
        w.sectionBox(4)->setChecked(false);
        QCOMPARE(sorted(values(list, QStringLiteral("POPIS"))), QStringList({"P6", "Ventil"}));
        w.allItemsBox()->setChecked(true);
        QCOMPARE(list.recordCount(), 4);
        w.allItemsBox()->setChecked(false);
        for (int s : TfNabMatS::Sections())
            w.sectionBox(s)->setChecked(false);
        QCOMPARE(list.recordCount(), 0);
        for (int s : TfNabMatS::Sections())
            w.sectionBox(s)->setChecked(true);
        // stock items only
        w.setStockOnly(true);
        w.Reopen();
        QCOMPARE(sorted(values(list, QStringLiteral("POPIS"))), QStringList({"P6", "Ventil"}));

        // choosing a row reaches the document with the item's key; the picker stays
        const int row = values(list, QStringLiteral("POPIS")).indexOf(QStringLiteral("Ventil"));
        w.grid()->setCurrentIndex(w.model()->index(row, 0));
        w.show();
        QTest::keyClick(w.grid(), Qt::Key_Return);
        QCOMPARE(chosen, QVector<int>{kVentil});
        QCOMPARE(price, 100.0);
        QVERIFY(w.isVisible());
        w.CloseOrCancel();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), 2);
    }

    // --- two workstations ------------------------------------------------------------

    void twoWorkstationsEditOneItem()
    {
        const int key = addItem(3, QStringLiteral("Ventil"), 100);
        std::unique_ptr<TfCenikC> a(TfClass::create<TfCenikC>(DM));
        std::unique_ptr<TfCenikC> b(TfClass::create<TfCenikC>(second.get()));
        QCOMPARE(a->OpenRecord(key), 0);
        QCOMPARE(b->OpenRecord(key), 0);
        a->header().setValue(QStringLiteral("CENPRO"), 120.0);
        b->header().setValue(QStringLiteral("CENPRO"), 130.0);
        b->header().setValue(QStringLiteral("POPIS"), QStringLiteral("Ventil nový"));
        QCOMPARE(a->SaveRecord(), 0);
        QCOMPARE(b->SaveRecord(), int(TfClass::ResSaveFailed));
        prompt().clear();
        // the first save stands, the second workstation keeps what it typed
        QCOMPARE(scalar(QStringLiteral("SELECT CENPRO FROM CENIK WHERE UNCIS = %1").arg(key)).toDouble(), 120.0);
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM CENIK WHERE UNCIS = %1").arg(key)).toString(), QStringLiteral("Ventil"));
        QVERIFY(b->isModified());
        QCOMPARE(b->header().value(QStringLiteral("CENPRO")).toDouble(), 130.0);
        QCOMPARE(b->header().value(QStringLiteral("POPIS")).toString(), QStringLiteral("Ventil nový"));

        // the same in the grid of the basic price list
        TfCenikES ga;
        TfCenikES gb(nullptr, second.get());
        QVERIFY(ga.setSection(3) && gb.setSection(3));
        QVERIFY(ga.setCellValue(0, QStringLiteral("CENPRO"), 140.0));
        QVERIFY(gb.setCellValue(0, QStringLiteral("CENPRO"), 150.0));
        QCOMPARE(ga.Uloz(), 0);
        QCOMPARE(gb.Uloz(), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Uložení"));
        prompt().clear();
        QVERIFY(gb.isChanged());
        QCOMPARE(gb.rows().value(0, QStringLiteral("CENPRO")).toDouble(), 150.0);
        QCOMPARE(scalar(QStringLiteral("SELECT CENPRO FROM CENIK WHERE UNCIS = %1").arg(key)).toDouble(), 140.0);
        prompt().answer(PromptNo);
        gb.close();
        prompt().clear();
    }

    // --- the menu --------------------------------------------------------------------

    void menuEntriesOpenThePriceLists()
    {
        TDM shellDm(QStringLiteral("QelMenu"));
        TfLTarko main(&shellDm);
        QStringList opened;
        for (const char *entry : {"miZakladniCenik", "miCenikOprav", "miUzivCenik"}) {
            prompt().onModal([&](QDialog *d) {
                opened << d->windowTitle();
                return 0;
            });
            main.trigger(QString::fromLatin1(entry));
        }
        QCOMPARE(opened, QStringList({"Tarko 8: Základní ceník", "Tarko 8: Ceník dílenské údržby",
                                      "Tarko 8: Uživatelský ceník"}));
        main.trigger(QStringLiteral("miCenik"));
        QPointer<TfCenikS> list = main.findChild<TfCenikS *>();
        QVERIFY(list);
        QVERIFY(list->isVisible());
        QVERIFY(list->cenik());
        list->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(list.isNull());
    }
};

QTEST_MAIN(TestPriceLists)
#include "tst_pricelists.moc"
