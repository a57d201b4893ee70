// The edit window of one extinguisher inspection on real database files: the items
// only once owner, date and technician are chosen, adding and repeating extinguishers,
// the serial-number search box, the check skipped once after a move or insertion, the
// lock, the title sort, object entry by order number, the code lists behind the item
// fields, the document number from its series, the owner's price list, the colours and markers, carry-forward from the
// window, unlinking the delivery note and the list opening the window; the lock stored
// alone, Enter on an item, the pickers' labels and the entries still without function.
#include <QtTest>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>

#include "customers/nabadr.h"
#include "customers/nabcombo.h"
#include "core/dokrad.h"
#include "core/parameters.h"
#include "widgets/heslo.h"
#include "core/rowcachemodel.h"
#include "inspections/hp.h"
#include "widgets/codelists.h"
#include "inspections/hpc.h"
#include "inspections/hpnajdi.h"
#include "inspections/hps.h"
#include "support/addressdata.h"
#include "support/programdatabasetest.h"

class TestHPEditWindow : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    TfHPC *c = nullptr;
    int firm = 0, site = 0, tech = 0, typePG6 = 0, typeS5 = 0;

    template <class W>
    static W *child(QWidget *w, const char *name)
    {
        W *found = w->findChild<W *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }
    static void pressKey(QWidget *w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, k, m);
        QCoreApplication::sendEvent(w, &press);
    }
    static void typeChar(QWidget *w, QChar ch)
    {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(w, &press);
    }

    // A stored inspection of the test owner, site and technician with the items
    // (serial number, state) given, in this order.
    int inspection(const QList<QPair<QString, int>> &items, const QDate &datum = QDate::currentDate())
    {
        c->defaults().ClearVariables();
        c->PresetNewInspection(datum);
        c->SetVariable(QStringLiteral("UNCFIR"), firm);
        c->SetVariable(QStringLiteral("UNCSTR"), site);
        c->SetVariable(QStringLiteral("UNCTECH"), tech);
        const int key = c->InsertRecord();
        if (key <= 0 || c->OpenRecord(key) < 0)
            return -1;
        for (const auto &item : items) {
            if (c->AddItem() <= 0)
                return -1;
            c->ChooseType(typePG6);
            c->hp().setValue(QStringLiteral("VYRCIS"), item.first);
            c->hp().setValue(QStringLiteral("STATUS"), item.second);
            c->hp().setValue(QStringLiteral("PREDILNA"), TfHPC::flagsOfState(item.second).preDilna);
            c->hp().setValue(QStringLiteral("PREVYRAZ"), TfHPC::flagsOfState(item.second).preVyraz);
        }
        return c->SaveRecord() < 0 ? -1 : key;
    }
    QPointer<TfHP> openForm(int key)
    {
        if (c->OpenRecord(key) != 0)
            return nullptr;
        QPointer<TfHP> w = new TfHP(c);
        w->show();
        return w;
    }
    QStringList serials()
    {
        QStringList out;
        for (int r = 0; r < c->hp().rowCount(); ++r)
            out << c->hp().value(r, QStringLiteral("VYRCIS")).toString();
        return out;
    }

private slots:
    void init()
    {
        startFresh();
        firm = insertEntry(*DM, 1, QStringLiteral("Pekárna Novák s.r.o."), {{QStringLiteral("UNCCEN"), 77}});
        site = insertRow(*DM, QStringLiteral("STREDISKA"), {{QStringLiteral("UNCH"), firm},
                                                            {QStringLiteral("STREDISKO"), QStringLiteral("Provozovna Brno")}});
        tech = insertEntry(*DM, 3, QStringLiteral("Dvořák"), {{QStringLiteral("PRIJMENI"), QStringLiteral("Dvořák")}});
        insertRow(*DM, QStringLiteral("S_OBJEKT"), {{QStringLiteral("UNCH"), firm}, {QStringLiteral("PORADI"), 1},
                                                    {QStringLiteral("OBJEKT"), QStringLiteral("Výrobní hala")}});
        insertRow(*DM, QStringLiteral("S_OBJEKT"), {{QStringLiteral("UNCH"), firm}, {QStringLiteral("PORADI"), 2},
                                                    {QStringLiteral("OBJEKT"), QStringLiteral("Sklad mouky")}});
        typePG6 = insertRow(*DM, QStringLiteral("CENIK"), {{QStringLiteral("CSEKCE"), 7}, {QStringLiteral("POPIS"), QStringLiteral("PG6")},
                                                          {QStringLiteral("VYROBCE"), QStringLiteral("Hasta")},
                                                          {QStringLiteral("DRUH"), QStringLiteral("práškový")}});
        typeS5 = insertRow(*DM, QStringLiteral("CENIK"), {{QStringLiteral("CSEKCE"), 7}, {QStringLiteral("POPIS"), QStringLiteral("S5")},
                                                         {QStringLiteral("VYROBCE"), QStringLiteral("Pyro")},
                                                         {QStringLiteral("DRUH"), QStringLiteral("sněhový")}});
        insertRow(*DM, QStringLiteral("S_STAV"), {{QStringLiteral("TYP"), 1}, {QStringLiteral("POPIS"), QStringLiteral("v pořádku")}});
        insertRow(*DM, QStringLiteral("S_STAV"), {{QStringLiteral("TYP"), 4}, {QStringLiteral("POPIS"), QStringLiteral("do opravy, vrátit")}});
        insertRow(*DM, QStringLiteral("S_STAV"), {{QStringLiteral("TYP"), 5}, {QStringLiteral("POPIS"), QStringLiteral("vyřazen")}});
        insertRow(*DM, QStringLiteral("POZICE"), {{QStringLiteral("POPIS"), QStringLiteral("u vchodu")}});
        c = TfClass::create<TfHPC>(DM);
        QVERIFY(c);
        c->AddRef();   // the test's own reference: the controller outlives the windows
    }
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        c->Release();
        TfNabAdr::shared()->ZavritBezVyberu();
        TfNabAdr::shared()->setCombo(nullptr);
        finish();
    }

    void itemsWaitForOwnerDateAndTechnician()
    {
        c->PresetNewInspection();
        const int key = c->InsertRecord();
        QVERIFY(key > 0);
        QPointer<TfHP> w = openForm(key);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Kontroly HP"));
        QCOMPARE(w->pages()->tabText(0), QStringLiteral("Hasicí přístoje"));
        QVERIFY(!w->pages()->isTabEnabled(0));
        QVERIFY(!w->menuAction(QStringLiteral("miPridatHP"))->isEnabled());
        QVERIFY(w->PridatHP() < 0);
        QCOMPARE(c->hp().rowCount(), 0);

        child<NabCombo>(w, "ncFirma")->Vyber(firm);
        QVERIFY(!w->pages()->isTabEnabled(0));
        child<NabCombo>(w, "ncTechnik")->Vyber(tech);
        QVERIFY(w->pages()->isTabEnabled(0));
        QVERIFY(w->menuAction(QStringLiteral("miPridatHP"))->isEnabled());
        // the item actions that need a current item wait for one
        QVERIFY(!w->menuAction(QStringLiteral("miOpakovatHP"))->isEnabled());
        // the documents print the stored inspection, with or without items
        QVERIFY(w->menuAction(QStringLiteral("miTiskKontrola"))->isEnabled());
        QVERIFY(w->PridatHP() > 0);
        QVERIFY(w->menuAction(QStringLiteral("miOpakovatHP"))->isEnabled());
        QCOMPARE(c->hp().value(QStringLiteral("UNCH")).toInt(), key);
        QVERIFY(w->isChanged());
        QVERIFY(w->cUloz() == 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1").arg(key)).toInt(), 1);
        w->close();
    }

    void ownerChoiceClearsTheSiteAndRemembersItsPriceList()
    {
        const int key = inspection({});
        QPointer<TfHP> w = openForm(key);
        QCOMPARE(w->ownerPriceList(), 77);
        const int other = insertEntry(*DM, 1, QStringLiteral("Mlékárna"), {{QStringLiteral("UNCCEN"), 5}});
        child<NabCombo>(w, "ncFirma")->Vyber(other);
        QCOMPARE(c->header().value(QStringLiteral("UNCSTR")).toInt(), 0);
        QCOMPARE(child<NabCombo>(w, "ncStredisko")->key(), 0);
        QCOMPARE(w->ownerPriceList(), 5);
        // the objects offered are the new owner's (none)
        QCOMPARE(child<QComboBox>(w, "cbObjekt")->count(), 0);
        prompt().answer(PromptNo);   // "Uložit změny ?"
        prompt().answer(PromptYes);  // "Chcete odvolat provedené změny?"
        w->close();
    }

    void addRepeatAndChooseTypeAndCondition()
    {
        const int key = inspection({{QStringLiteral("100/98"), 1}});
        QPointer<TfHP> w = openForm(key);
        RowCache &it = c->hp();
        it.setValue(QStringLiteral("OBJEKT"), QStringLiteral("Výrobní hala"));
        it.setValue(QStringLiteral("PORADI"), 1);
        it.setValue(QStringLiteral("MISTO"), QStringLiteral("chodba"));
        it.setValue(QStringLiteral("CARKOD"), 4711);
        it.setValue(QStringLiteral("POZN"), QStringLiteral("nová plomba"));
        it.setValue(QStringLiteral("ROK"), 1998);
        it.setValue(QStringLiteral("STAV"), QStringLiteral("v pořádku"));

        // a repeated extinguisher differs only in serial number, note and barcode
        const int repeated = w->OpakovatHP();
        QVERIFY(repeated > 0);
        QCOMPARE(it.value(QStringLiteral("UNCIS")).toInt(), repeated);
        QCOMPARE(it.value(QStringLiteral("CARKOD")).toInt(), 0);
        QCOMPARE(it.value(QStringLiteral("VYRCIS")).toString(), QString());
        QCOMPARE(it.value(QStringLiteral("POZN")).toString(), QString());
        QCOMPARE(it.value(QStringLiteral("HP")).toString(), QStringLiteral("PG6"));
        QCOMPARE(it.value(QStringLiteral("UNCCEN")).toInt(), typePG6);
        QCOMPARE(it.value(QStringLiteral("OBJEKT")).toString(), QStringLiteral("Výrobní hala"));
        QCOMPARE(it.value(QStringLiteral("MISTO")).toString(), QStringLiteral("chodba"));
        QCOMPARE(it.value(QStringLiteral("STAV")).toString(), QStringLiteral("v pořádku"));
        QCOMPARE(it.value(QStringLiteral("STATUS")).toInt(), 1);
        QCOMPARE(it.value(QStringLiteral("ROK")).toInt(), 1998);
        QVERIFY(it.value(QStringLiteral("UNCPOM")).toInt() == repeated);

        // a new one takes object, location, order number and cost centre only
        const int added = w->PridatHP();
        QVERIFY(added > 0);
        QCOMPARE(it.value(QStringLiteral("OBJEKT")).toString(), QStringLiteral("Výrobní hala"));
        QCOMPARE(it.value(QStringLiteral("PORADI")).toInt(), 1);
        QCOMPARE(it.value(QStringLiteral("HP")).toString(), QString());

        // the type drop-down fills kind and maker; the condition sets the flags and
        // the window's markers
        auto *cbTyp = child<QComboBox>(w, "cbTyp");
        const int s5 = cbTyp->findData(typeS5);
        QVERIFY(s5 >= 0);
        w->TypVybran(s5);
        QCOMPARE(it.value(QStringLiteral("DRUH")).toString(), QStringLiteral("sněhový"));
        QCOMPARE(it.value(QStringLiteral("VYROBCE")).toString(), QStringLiteral("Pyro"));
        QCOMPARE(it.value(QStringLiteral("HP")).toString(), QStringLiteral("S5"));
        auto *cbStav = child<QComboBox>(w, "cbStav");
        auto *lDilna = child<QLabel>(w, "lDilna");
        auto *lVyrazeni = child<QLabel>(w, "lVyrazeni");
        QVERIFY(!lDilna->isVisible() && !lVyrazeni->isVisible());
        w->StavVybran(cbStav->findData(4));
        QCOMPARE(it.value(QStringLiteral("STATUS")).toInt(), 4);
        QCOMPARE(it.value(QStringLiteral("STAV")).toString(), QStringLiteral("do opravy, vrátit"));
        QCOMPARE(it.value(QStringLiteral("PREDILNA")).toString(), QStringLiteral("A"));
        QVERIFY(lDilna->isVisible());
        QVERIFY(!lVyrazeni->isVisible());
        w->StavVybran(cbStav->findData(5));
        QVERIFY(!lDilna->isVisible());
        QVERIFY(lVyrazeni->isVisible());

        // an item waiting for the workshop is crimson, one in the workshop green
        w->StavVybran(cbStav->findData(4));
        const QModelIndex cell = w->itemModel()->index(it.currentRow(), 0);
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), QColor(216, 39, 88));
        it.setValue(QStringLiteral("STATUS"), 14);
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), QColor(64, 160, 64));
        QVERIFY(!w->itemModel()->index(0, 0).data(Qt::ForegroundRole).isValid());

        // a position goes after the location and the picker empties
        auto *cbPozice = child<QComboBox>(w, "cbPozice");
        it.setValue(QStringLiteral("MISTO"), QStringLiteral("chodba"));
        w->PoziceVybrana(cbPozice->findText(QStringLiteral("u vchodu")));
        QCOMPARE(it.value(QStringLiteral("MISTO")).toString(), QStringLiteral("chodba u vchodu"));
        QCOMPARE(cbPozice->currentIndex(), -1);

        // "Smazat HP" asks; the item goes with the save
        prompt().answer(PromptYes);
        QCOMPARE(w->SmazatHP(), 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazat tento HP?"));
        QCOMPARE(w->cUloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1").arg(key)).toInt(), 2);
        w->close();
    }

    void serialNumberSearchBox()
    {
        const int key = inspection({{QStringLiteral("AB-100/05"), 1}, {QStringLiteral("ab-200/07"), 1},
                                    {QStringLiteral("CD-300/09"), 1}});
        QPointer<TfHP> w = openForm(key);
        QLineEdit *box = w->searchBox();
        c->hp().last();
        w->HledatF3();
        QCOMPARE(w->searchBuffer(), QString());
        for (QChar ch : QStringLiteral("ab-2"))
            typeChar(box, ch);
        QCOMPARE(w->searchBuffer(), QStringLiteral("ab-2"));
        QCOMPARE(c->hp().currentRow(), 1);
        QCOMPARE(box->text(), QStringLiteral("ab-200/07"));
        QCOMPARE(box->selectedText(), QStringLiteral("ab-2"));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(Qt::black));

        // a prefix nobody has: red, and the grid stays where it was
        typeChar(box, QLatin1Char('9'));
        QCOMPARE(box->text(), QStringLiteral("ab-29"));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(c->hp().currentRow(), 1);
        pressKey(box, Qt::Key_Backspace);
        QCOMPARE(box->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(box->text(), QStringLiteral("ab-200/07"));

        // case does not matter; Esc empties the buffer without closing the window
        pressKey(box, Qt::Key_Escape);
        QCOMPARE(w->searchBuffer(), QString());
        QVERIFY(w->isVisible());
        for (QChar ch : QStringLiteral("CD"))
            typeChar(box, ch);
        QCOMPARE(c->hp().currentRow(), 2);
        for (QChar ch : QStringLiteral("'x"))
            typeChar(box, ch);
        QCOMPARE(c->hp().currentRow(), 2);
        w->close();
    }

    void keyboardAddsRepeatsAndSearches()
    {
        const int key = inspection({{QStringLiteral("K-1/99"), 1}});
        QPointer<TfHP> w = openForm(key);
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w.data()));
        auto *eVyrCis = child<QLineEdit>(w, "eVyrCis");
        eVyrCis->setFocus();
        QTest::keyClick(eVyrCis, Qt::Key_Insert);
        QCOMPARE(c->hp().rowCount(), 2);
        QCOMPARE(QApplication::focusWidget(), child<QComboBox>(w, "cbUmisteni"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
        QCOMPARE(c->hp().rowCount(), 3);
        c->hp().first();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
        QCOMPARE(c->hp().rowCount(), 4);
        QCOMPARE(c->hp().value(QStringLiteral("HP")).toString(), QStringLiteral("PG6"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QCOMPARE(QApplication::focusWidget(), w->searchBox());
        QTest::keyClicks(w->searchBox(), QStringLiteral("k-1"));
        QCOMPARE(c->hp().currentRow(), 0);
        // Enter goes on to the condition
        QTest::keyClick(w->searchBox(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child<QComboBox>(w, "cbStav"));
        prompt().answer(PromptNo);   // "Uložit změny ?"
        prompt().answer(PromptYes);  // "Chcete odvolat provedené změny?"
        w->close();
    }

    void checkIsSkippedOnceAfterAMoveOrInsertion()
    {
        // a regular inspection 40 days after the previous one warns at every save
        // that runs the check
        const QDate previous = QDate::currentDate().addDays(-40);
        QVERIFY(inspection({}, previous) > 0);
        const int key = inspection({{QStringLiteral("A"), 1}, {QStringLiteral("B"), 1}});
        const QString nemela = QStringLiteral("V tomto období by\nN E M Ě L A\nbýt provedena pravidelná prohlídka");
        QPointer<TfHP> w = openForm(key);
        QVERIFY(!w->skipsNextCheck());
        auto saveSays = [&]() {
            c->hp().first();
            c->hp().setValue(QStringLiteral("MISTO"), QStringLiteral("x") + QString::number(prompt().shown.size()));
            w->Zmena(&c->hp());
            prompt().clear();
            const int r = w->cUloz();
            const QStringList said = prompt().texts();
            prompt().clear();
            return r == 0 ? said : QStringList{QStringLiteral("save failed")};
        };
        QCOMPARE(saveSays(), QStringList{nemela});

        // the move saves without the check, and so does the save after it
        c->hp().first();
        prompt().clear();
        QCOMPARE(w->Presun(QLatin1Char('N')), 0);
        QVERIFY(prompt().shown.isEmpty());
        QCOMPARE(serials(), (QStringList{"B", "A"}));
        QCOMPARE(saveSays(), QStringList());
        QCOMPARE(saveSays(), QStringList{nemela});

        // "Vložit nový" answered No skips the next check all the same
        prompt().answer(PromptNo);
        QCOMPARE(w->VlozitNovy(), 1);
        QCOMPARE(saveSays(), QStringList());
        QCOMPARE(saveSays(), QStringList{nemela});

        // answered Yes: the new item takes the current position, saved
        c->hp().locate(QStringLiteral("VYRCIS"), QStringLiteral("A"));
        prompt().answer(PromptYes);
        QVERIFY(w->VlozitNovy() > 0);
        QCOMPARE(serials(), (QStringList{"B", "", "A"}));
        QVERIFY(!w->isChanged());
        QCOMPARE(saveSays(), QStringList());
        QCOMPARE(saveSays(), QStringList{nemela});
        w->close();
    }

    void lockDisablesEditingUntilThePasswordUnlocks()
    {
        const int key = inspection({{QStringLiteral("A"), 1}});
        QPointer<TfHP> w = openForm(key);
        QAction *lock = w->action(QStringLiteral("ZamknoutOdemknout"));
        QCOMPARE(lock->text(), QStringLiteral("Zamknout"));
        prompt().clear();
        QCOMPARE(w->ZamknoutOdemknout(), 0);
        prompt().clear();
        QCOMPARE(scalar(QStringLiteral("SELECT ZAMEK FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toString(), QStringLiteral("A"));
        QCOMPARE(lock->text(), QStringLiteral("Odemknout"));
        QVERIFY(w->itemModel()->isReadOnly());
        QVERIFY(!child<QComboBox>(w, "cbTyp")->isEnabled());
        QVERIFY(!child<QLineEdit>(w, "eCisPro")->isEnabled());
        QVERIFY(!child<QToolButton>(w, "sbPridatHP")->isEnabled());
        QVERIFY(!w->menuAction(QStringLiteral("miPropojit"))->isEnabled());
        QVERIFY(!w->menuAction(QStringLiteral("miOtevritDL"))->isEnabled());
        QVERIFY(w->PridatHP() < 0);
        QCOMPARE(c->hp().rowCount(), 1);

        prompt().onModal([](QDialog *d) {
            auto *h = qobject_cast<TfHeslo *>(d);
            h->passwordField()->setText(QStringLiteral("nesmysl"));
            h->confirm();
            return d->result();
        });
        QVERIFY(w->ZamknoutOdemknout() > 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Nesprávné heslo"));
        QCOMPARE(lock->text(), QStringLiteral("Odemknout"));
        prompt().clear();
        w->close();
    }

    void lockStoresTheLockAloneWithoutTheCheck()
    {
        Parameters::instance().unlockPassword = QStringLiteral("tajne");
        QVERIFY(inspection({}, QDate::currentDate().addDays(-40)) > 0);
        const int key = inspection({{QStringLiteral("A"), 1}, {QStringLiteral("B"), 1}});
        QPointer<TfHP> w = openForm(key);
        const QString klicSql = QStringLiteral("SELECT KLIC FROM PR_HLAV WHERE UNCIS = %1").arg(key);
        const QString zamekSql = QStringLiteral("SELECT ZAMEK FROM PR_HLAV WHERE UNCIS = %1").arg(key);
        c->hp().first();
        QCOMPARE(w->Presun(QLatin1Char('N')), 0);
        QVERIFY(w->skipsNextCheck());
        const int klic = scalar(klicSql).toInt();
        c->hp().setValue(QStringLiteral("MISTO"), QStringLiteral("sklep"));
        w->Zmena(&c->hp());
        prompt().clear();

        // no date warning, the skip stays for the next save, the item change stays pending
        QCOMPARE(w->ZamknoutOdemknout(), 0);
        QVERIFY(prompt().shown.isEmpty());
        QCOMPARE(scalar(zamekSql).toString(), QStringLiteral("A"));
        QCOMPARE(scalar(klicSql).toInt(), klic + 1);
        QVERIFY(w->skipsNextCheck());
        QVERIFY(w->isChanged());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE MISTO = 'sklep'")).toInt(), 0);
        QCOMPARE(w->action(QStringLiteral("ZamknoutOdemknout"))->text(), QStringLiteral("Odemknout"));

        prompt().onModal([](QDialog *d) {
            auto *h = qobject_cast<TfHeslo *>(d);
            h->passwordField()->setText(QStringLiteral("tajne"));
            h->confirm();
            return d->result();
        });
        QCOMPARE(w->ZamknoutOdemknout(), 0);
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Záznam odemčen")});
        QCOMPARE(scalar(zamekSql).toString(), QStringLiteral("N"));
        QCOMPARE(scalar(klicSql).toInt(), klic + 2);
        QVERIFY(w->skipsNextCheck());
        prompt().clear();
        QCOMPARE(w->cUloz(), 0);
        QVERIFY(prompt().shown.isEmpty());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE MISTO = 'sklep'")).toInt(), 1);
        w->close();
    }

    void enterPostsTheItemAndGoesToTheNextItemOnlyWhileEditing()
    {
        const int key = inspection({{QStringLiteral("A"), 1}, {QStringLiteral("B"), 1}});
        QPointer<TfHP> w = openForm(key);
        auto *eVyrCis = child<QLineEdit>(w, "eVyrCis");
        c->hp().first();
        eVyrCis->selectAll();
        QTest::keyClicks(eVyrCis, QStringLiteral("77/03"));
        pressKey(eVyrCis, Qt::Key_Return);
        QCOMPARE(c->hp().value(0, QStringLiteral("ROK")).toInt(), 2003);
        QCOMPARE(child<QLineEdit>(w, "eRok")->text(), QStringLiteral("2003"));
        QCOMPARE(c->hp().currentRow(), 0);
        prompt().clear();
        QCOMPARE(w->cUloz(), 0);
        prompt().clear();

        // an item nobody edits: Enter in the order number only moves on to the next field
        c->hp().first();
        pressKey(child<QLineEdit>(w, "ePoradi"), Qt::Key_Return);
        QCOMPARE(c->hp().currentRow(), 0);
        QVERIFY(!w->isChanged());
        w->close();
    }

    void picksAreLabelledByWhatTheyHoldAndUnfinishedEntriesAreDisabled()
    {
        const int key = inspection({{QStringLiteral("A"), 1}});
        QPointer<TfHP> w = openForm(key);
        auto labelOf = [&](QWidget *picker) {
            for (QLabel *l : w->findChildren<QLabel *>())
                if (l->buddy() == picker)
                    return l->text();
            return QString();
        };
        QCOMPARE(labelOf(child<NabCombo>(w, "ncFirma")), QStringLiteral("Vlastník HP"));
        QCOMPARE(labelOf(child<NabCombo>(w, "ncStredisko")), QStringLiteral("Umístění HP"));

        QVERIFY(w->menuAction(QStringLiteral("miPridatHP"))->isEnabled());
        QVERIFY(w->menuAction(QStringLiteral("miPropojit"))->isEnabled());   // the workshop link has come
        for (const char *name : {"miOtevritDL", "miND"})   // the delivery notes have come
            QVERIFY2(w->menuAction(QString::fromLatin1(name))->isEnabled(), name);
        for (const char *name : {"miExport", "miTiskKontrola", "miTiskVyrazeni", "miTiskDilna"})
            QVERIFY2(w->menuAction(QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(child<QToolButton>(w, "sbND")->isEnabled());
        QVERIFY(child<QToolButton>(w, "sbSmazatHP")->isEnabled());
        w->close();
    }

    void titleSortAndObjectEntry()
    {
        const int key = inspection({{QStringLiteral("C"), 1}, {QStringLiteral("A"), 1}, {QStringLiteral("B"), 1}});
        QPointer<TfHP> w = openForm(key);
        QCOMPARE(TfHP::TitleOrders.size(), 9);
        const int vyrcis = w->itemModel()->columnOfField(QStringLiteral("VYRCIS"));
        w->grid()->horizontalHeader()->sectionClicked(vyrcis);
        QCOMPARE(serials(), (QStringList{"A", "B", "C"}));
        QCOMPARE(c->itemOrder(), QStringLiteral("vyrcis"));
        w->menuAction(QStringLiteral("miRaditZapis"))->trigger();
        QCOMPARE(serials(), (QStringList{"C", "A", "B"}));

        // Enter in the order number: the owner's object of that number, then the next item
        auto *ePoradi = child<QLineEdit>(w, "ePoradi");
        c->hp().first();
        ePoradi->selectAll();
        QTest::keyClicks(ePoradi, QStringLiteral("2"));
        pressKey(ePoradi, Qt::Key_Return);
        QCOMPARE(c->hp().value(0, QStringLiteral("OBJEKT")).toString(), QStringLiteral("Sklad mouky"));
        QCOMPARE(c->hp().value(0, QStringLiteral("PORADI")).toInt(), 2);
        QCOMPARE(c->hp().currentRow(), 1);
        ePoradi->selectAll();
        QTest::keyClicks(ePoradi, QStringLiteral("1"));
        pressKey(ePoradi, Qt::Key_Return);
        QCOMPARE(c->hp().value(1, QStringLiteral("OBJEKT")).toString(), QStringLiteral("Výrobní hala"));
        QCOMPARE(c->hp().currentRow(), 2);
        // an object from the drop-down writes its name
        auto *cbObjekt = child<QComboBox>(w, "cbObjekt");
        QCOMPARE(cbObjekt->count(), 2);
        w->ObjektVybran(cbObjekt->findText(QStringLiteral("Sklad mouky")));
        QCOMPARE(c->hp().value(2, QStringLiteral("OBJEKT")).toString(), QStringLiteral("Sklad mouky"));
        prompt().clear();
        QCOMPARE(w->cUloz(), 0);
        prompt().clear();
        // ordered by object number first (none before any), then position
        w->RaditPodleSloupce(0);
        QCOMPARE(serials(), (QStringList{"B", "A", "C"}));
        w->close();
    }

    void catalogueButtonsOpenTheirCodeLists()
    {
        const int key = inspection({{QStringLiteral("100/98"), 1}});
        QPointer<TfHP> w = openForm(key);
        const QVector<QPair<const char *, QString>> buttons = {
            {"sbKatUmisteni", "fHPUmist"}, {"sbKatPozic", "fHPPozice"}, {"sbKatZnacek", "fHPTypy"},
            {"sbKatStavu", "fHPStavy"}, {"sbKatOprav", "fHPSezOprVyr"},
        };
        for (const auto &button : buttons) {
            QString opened;
            prompt().onModal([&](QDialog *d) {
                opened = d->objectName();
                return 0;
            });
            child<QToolButton>(w, button.first)->click();
            QCOMPARE(opened, button.second);
        }
        // a position added in its code list is offered as soon as the list closes
        auto *cbPozice = child<QComboBox>(w, "cbPozice");
        QCOMPARE(cbPozice->findText(QStringLiteral("za dveřmi")), -1);
        prompt().onModal([](QDialog *d) {
            auto *e = qobject_cast<CodeListEditor *>(d);
            if (!e || e->Pridej() != 0)
                return 0;
            const QModelIndex popis = e->model()->index(e->rows().currentRow(),
                                                        e->model()->columnOfField(QStringLiteral("POPIS")));
            e->model()->setData(popis, QStringLiteral("za dveřmi"));
            e->Uloz();
            return 0;
        });
        child<QToolButton>(w, "sbKatPozic")->click();
        QVERIFY(cbPozice->findText(QStringLiteral("za dveřmi")) >= 0);
        w->close();
    }

    void documentNumberFromItsSeries()
    {
        QCOMPARE(DocumentSeries(DM).add(QStringLiteral("Kontroly HP"), QStringLiteral("KHP")), int(DocumentSeries::Done));
        const int key = inspection({});
        QPointer<TfHP> w = openForm(key);
        auto *eCisPro = child<QLineEdit>(w, "eCisPro");
        eCisPro->setFocus();
        eCisPro->setText(QString());
        QTest::keyClicks(eCisPro, QStringLiteral("khp"));
        QCOMPARE(eCisPro->text(), QStringLiteral("KHP"));
        pressKey(eCisPro, Qt::Key_Return);
        const QString expected = c->header().value(QStringLiteral("CISPRO")).toString();
        QVERIFY2(expected.startsWith(QStringLiteral("001/")), qPrintable(expected));
        QCOMPARE(c->header().value(QStringLiteral("PCISLO")).toInt(), 1);
        prompt().clear();
        QCOMPARE(w->cUloz(), 0);
        prompt().clear();
        QCOMPARE(scalar(QStringLiteral("SELECT CISPRO FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toString(), expected);
        w->close();
    }

    void carryForwardAndUnlinkFromTheWindow()
    {
        const int key = inspection({{QStringLiteral("A"), 1}, {QStringLiteral("B"), 3}});
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("UPDATE PR_HLAV SET UNCDOD = 55 WHERE UNCIS = %1").arg(key)));
        QPointer<TfHP> w = openForm(key);
        QVERIFY(w->menuAction(QStringLiteral("miOdpojitDL"))->isEnabled());
        prompt().answer(PromptYes);
        QCOMPARE(w->OdpojitDL(), 0);
        QCOMPARE(prompt().shown.constFirst().text, QStringLiteral("Chcete odpojit dodací list od této kontroy?"));
        QCOMPARE(prompt().shown.constFirst().caption, QStringLiteral("Odpojení DL"));
        QCOMPARE(scalar(QStringLiteral("SELECT UNCDOD FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toInt(), 0);
        QVERIFY(!w->menuAction(QStringLiteral("miOdpojitDL"))->isEnabled());
        prompt().clear();

        prompt().answer(PromptYes);   // "Zkopírovat tento doklad?"
        QCOMPARE(w->Zkopirovat(), 0);
        QVERIFY(prompt().saw(QStringLiteral("Hotovo")));
        prompt().clear();
        const int copy = c->header().value(QStringLiteral("UNCIS")).toInt();
        QVERIFY(copy > key);
        QCOMPARE(serials(), QStringList{"A"});
        QCOMPARE(child<NabCombo>(w, "ncFirma")->key(), firm);
        QVERIFY(!w->isChanged());
        w->close();
    }

    void listOpensTheInspectionInTheEditWindow()
    {
        const int key = inspection({{QStringLiteral("A"), 1}});
        std::unique_ptr<TfHPS> list(VytvorKontrolyHP());
        QVERIFY(list);
        QVERIFY(list->prepareAndOpen() >= 0);
        QString shown;
        int items = -1;
        prompt().onModal([&](QDialog *d) {
            auto *form = qobject_cast<TfHP *>(d);
            if (form) {
                shown = form->windowTitle();
                items = form->itemModel()->rowCount();
            }
            return 0;
        });
        list->OpenDetail(key);
        QCOMPARE(shown, QStringLiteral("Kontroly HP"));
        QCOMPARE(items, 1);

        // the serial-number filter opens the inspection on the extinguisher found
        inspection({{QStringLiteral("X-1/01"), 1}, {QStringLiteral("X-2/02"), 1}});
        QString current;
        prompt().onModal([](QDialog *d) {
            auto *search = qobject_cast<TfHPNajdi *>(d);
            search->eHledat()->setText(QStringLiteral("X-2"));
            search->Hledat();
            search->grid()->setCurrentCell(0, 0);
            search->Zobrazit();
            return d->result();
        });
        prompt().onModal([&](QDialog *d) {
            if (auto *form = qobject_cast<TfHP *>(d))
                current = form->hpc()->hp().value(QStringLiteral("VYRCIS")).toString();
            return 0;
        });
        list->FiltrVyrobniCislo();
        QCOMPARE(current, QStringLiteral("X-2/02"));

        // an inspection that is not there says so
        list->OpenDetail(999999);
        QCOMPARE(prompt().lastText(), QStringLiteral("Chyba při výběru"));
        prompt().clear();
    }
};

QTEST_MAIN(TestHPEditWindow)
#include "tst_hpeditwindow.moc"
