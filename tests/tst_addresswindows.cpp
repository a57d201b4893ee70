// The address edit window and the objects code list on real database files: the
// fields of the entry and its extension, the site panels, the managing firm, the kind
// of entry, the price list and the questions before a detail row goes.
#include <QtTest>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>

#include "customers/adresy.h"
#include "customers/adresyc.h"
#include "customers/adrobjekty.h"
#include "customers/nabadr.h"
#include "customers/nabcombo.h"
#include "customers/panelystredisek.h"
#include "core/rowcachemodel.h"
#include "support/addressdata.h"
#include "support/programdatabasetest.h"

class TestAddressWindows : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    TfAdresyC *c = nullptr;

    QPointer<TfAdresy> openForm(int key)
    {
        if (c->OpenRecord(key) != 0)
            return nullptr;
        return new TfAdresy(c);
    }
    template <class W>
    W *child(QWidget *w, const char *name)
    {
        W *found = w->findChild<W *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }
    void type(QLineEdit *edit, const QString &text)
    {
        // as typed (QTest types ASCII only)
        edit->setFocus();
        edit->selectAll();
        edit->insert(text);
    }

private slots:
    void init()
    {
        startFresh();
        c = TfClass::create<TfAdresyC>(DM);
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

    void fieldsOfTheEntryAndItsExtensionAreSaved()
    {
        const int key = c->InsertRecord();
        QPointer<TfAdresy> w = openForm(key);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.data()));
        QCOMPARE(w->windowTitle(), QStringLiteral("Tarko 8: Adresy"));
        QStringList tabs;
        for (int i = 0; i < w->pages()->count(); ++i)
            tabs << w->pages()->tabText(i);
        QCOMPARE(tabs, QStringList({"Základní údaje", "Doplňky a objekty", "Střediska", "Zaměstnanec"}));
        QVERIFY(child<QLineEdit>(w, "eNazev")->font().bold());

        type(child<QLineEdit>(w, "eNazev"), QStringLiteral("Hasiči Brno"));
        type(child<QLineEdit>(w, "eDIC"), QStringLiteral("CZ555"));
        type(child<QLineEdit>(w, "eOdp2"), QStringLiteral("Eva"));
        w->pages()->setCurrentIndex(1);
        type(child<QLineEdit>(w, "ePerHP"), QStringLiteral("6"));
        type(child<QLineEdit>(w, "eSleva"), QStringLiteral("2,5"));
        child<QCheckBox>(w, "cbDPH")->click();
        auto *typObj = child<QComboBox>(w, "cbTypObj");
        typObj->setCurrentIndex(3);
        emit typObj->activated(3);
        w->pages()->setCurrentIndex(0);
        child<QCheckBox>(w, "cbSestAdr")->click();
        QVERIFY(w->isChanged());
        QCOMPARE(w->cUloz(), 0);
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT A.NAZEV, A.PERHP, A.SESTADR, F.DIC, F.ODP2, F.SLEVA, F.DPH, F.TYPOBJ "
                                      "FROM ADRESAR A JOIN FIRMY F ON F.UNCH = A.UNCIS WHERE A.UNCIS = %1").arg(key)));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Hasiči Brno"));
        QCOMPARE(q.value(1).toInt(), 6);
        QCOMPARE(q.value(2).toString().trimmed(), QStringLiteral("A"));
        QCOMPARE(q.value(3).toString(), QStringLiteral("CZ555"));
        QCOMPARE(q.value(4).toString(), QStringLiteral("Eva"));
        QCOMPARE(q.value(5).toDouble(), 2.5);
        QCOMPARE(q.value(6).toString().trimmed(), QStringLiteral("A"));
        QCOMPARE(q.value(7).toString(), QStringLiteral("S"));
        w->close();
    }

    void entryWithoutCommercialExtensionGetsOneWhenTyped()
    {
        // older data: the entry alone, no FIRMY row
        const int key = insertEntry(*DM, 1, QStringLiteral("Stará firma"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY WHERE UNCH = %1").arg(key)), 0);
        QPointer<TfAdresy> w = openForm(key);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.data()));
        QCOMPARE(c->firmy().cache->rowCount(), 0);
        auto *dic = child<QLineEdit>(w, "eDIC");
        QVERIFY(dic->isEnabled());
        QVERIFY(child<QCheckBox>(w, "cbDPH")->isEnabled());
        QVERIFY(!w->isChanged());
        type(dic, QStringLiteral("CZ777"));
        QCOMPARE(c->firmy().cache->rowCount(), 1);
        QCOMPARE(dic->text(), QStringLiteral("CZ777"));
        QVERIFY(w->isChanged());
        child<QCheckBox>(w, "cbDPH")->click();
        type(child<QLineEdit>(w, "eNazev"), QStringLiteral("Nová firma"));

        // header and extension go in one transaction: a header another workstation
        // changed meanwhile stores neither
        exec(QStringLiteral("UPDATE ADRESAR SET KLIC = KLIC + 1 WHERE UNCIS = %1").arg(key));
        QVERIFY(w->cUloz() != 0);
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY WHERE UNCH = %1").arg(key)), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("Stará firma"));

        // with the other change undone the same save stores both
        exec(QStringLiteral("UPDATE ADRESAR SET KLIC = KLIC - 1 WHERE UNCIS = %1").arg(key));
        QCOMPARE(w->cUloz(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY WHERE UNCH = %1").arg(key)), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT DIC FROM FIRMY WHERE UNCH = %1").arg(key)).toString(), QStringLiteral("CZ777"));
        QCOMPARE(scalar(QStringLiteral("SELECT DPH FROM FIRMY WHERE UNCH = %1").arg(key)).toString().trimmed(), QStringLiteral("A"));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("Nová firma"));
        // the row is there now: further typing changes it, no second one is made
        type(dic, QStringLiteral("CZ778"));
        QCOMPARE(w->cUloz(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY WHERE UNCH = %1").arg(key)), 1);
        w->close();
    }

    void sitePanelsAndObjects()
    {
        const int key = c->InsertRecord();
        c->header().setValue(QStringLiteral("PERHP"), 12);
        c->header().setValue(QStringLiteral("PERPV"), 24);
        QCOMPARE(c->SaveRecord(), 0);
        QPointer<TfAdresy> w = openForm(key);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.data()));
        PanelyStredisek *panels = w->strediska();
        QCOMPARE(panels->panelCount(), 0);
        child<QToolButton>(w, "sbNoveStredisko")->click();
        child<QToolButton>(w, "sbNoveStredisko")->click();
        QCOMPARE(panels->panelCount(), 2);
        QCOMPARE(panels->field(1, QStringLiteral("PERHP"))->text(), QStringLiteral("12"));
        QCOMPARE(panels->field(1, QStringLiteral("PERPV"))->text(), QStringLiteral("24"));
        QCOMPARE(panels->field(1, QStringLiteral("PERPK"))->text(), QString());
        type(panels->field(0, QStringLiteral("STREDISKO")), QStringLiteral("Sklad"));
        type(panels->field(1, QStringLiteral("STREDISKO")), QStringLiteral("Garáž"));
        type(panels->field(1, QStringLiteral("PERHP")), QStringLiteral("3"));
        QVERIFY(w->isChanged());
        // three panels share the view
        QVERIFY(panels->panel(0)->height() >= panels->viewport()->height() / PanelyStredisek::VisiblePanels - 1);

        // objects
        child<QToolButton>(w, "sbNovyObjekt")->click();
        QCOMPARE(w->objektyModel()->rowCount(), 1);
        w->objektyModel()->setData(w->objektyModel()->index(0, 1), QStringLiteral("Hala"));
        QCOMPARE(w->cUloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM STREDISKA WHERE UNCH = %1").arg(key)).toInt(), 2);
        QCOMPARE(scalar(QStringLiteral("SELECT PERHP FROM STREDISKA WHERE STREDISKO = 'Garáž'")).toInt(), 3);
        QCOMPARE(scalar(QStringLiteral("SELECT PERPV FROM STREDISKA WHERE STREDISKO = 'Garáž'")).toInt(), 24);
        QCOMPARE(scalar(QStringLiteral("SELECT OBJEKT FROM S_OBJEKT WHERE UNCH = %1").arg(key)).toString(), QStringLiteral("Hala"));
        // the sites are read in name order: Garáž, Sklad
        QCOMPARE(panels->field(0, QStringLiteral("STREDISKO"))->text(), QStringLiteral("Garáž"));

        // a site goes only after Yes, and only with the save
        panels->field(1, QStringLiteral("ULICE"))->setFocus();
        QCOMPARE(c->strediska().cache->currentRow(), 1);
        prompt().answer(PromptNo);
        child<QToolButton>(w, "sbSmazatStredisko")->click();
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazat toto středisko?"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Pozor"));
        QCOMPARE(panels->panelCount(), 2);
        prompt().answer(PromptYes);
        child<QToolButton>(w, "sbSmazatStredisko")->click();
        QCOMPARE(panels->panelCount(), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM STREDISKA WHERE UNCH = %1").arg(key)).toInt(), 2);
        prompt().answer(PromptYes);
        child<QToolButton>(w, "sbSmazatObjekt")->click();
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazat tento objekt?"));
        prompt().clear();
        QCOMPARE(w->cUloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT STREDISKO FROM STREDISKA WHERE UNCH = %1").arg(key)).toString(), QStringLiteral("Garáž"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM S_OBJEKT")).toInt(), 0);
        w->close();
    }

    void managingFirmKindAndPriceList()
    {
        const int spravce = insertEntry(*DM, 1, QStringLiteral("Správce"), {{QStringLiteral("MESTO"), QStringLiteral("Jihlava")}});
        const int jiny = insertEntry(*DM, 1, QStringLiteral("Jiný správce"));
        const int cenikB = insertRow(*DM, QStringLiteral("CENUZH"), {{QStringLiteral("NAZEV"), QStringLiteral("B ceník")}});
        const int cenikA = insertRow(*DM, QStringLiteral("CENUZH"), {{QStringLiteral("NAZEV"), QStringLiteral("A ceník")}});
        const int first = insertEntry(*DM, 1, QStringLiteral("První"), {{QStringLiteral("UNCSPRFIR"), spravce},
                                                                      {QStringLiteral("UNCCEN"), cenikB}});
        const int second = insertEntry(*DM, 1, QStringLiteral("Druhá"));
        QVERIFY(c->OpenDefaultList() == 0);
        c->list().fetchAll();
        QPointer<TfAdresy> w = openForm(first);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.data()));
        NabCombo *combo = w->spravniFirma();
        QCOMPARE(combo->key(), spravce);
        QCOMPARE(combo->text(), QStringLiteral("Správce,  ,  Jihlava"));
        // the price lists by name; the entry's own is shown
        auto *cbCenik = child<QComboBox>(w, "cbCenik");
        QCOMPARE(cbCenik->count(), 2);
        QCOMPARE(cbCenik->itemText(0), QStringLiteral("A ceník"));
        QCOMPARE(cbCenik->currentText(), QStringLiteral("B ceník"));

        // the managing firm through the picker
        combo->button()->click();
        TfNabAdr *picker = TfNabAdr::shared();
        QVERIFY(picker->isVisible());
        QCOMPARE(picker->mode(), QStringLiteral("FIR"));
        QVERIFY(picker->rows().locate(QStringLiteral("UNCIS"), jiny));
        picker->Vybrat();
        QCOMPARE(combo->key(), jiny);
        QVERIFY(w->isChanged());
        // the kind of entry, and the price list removed
        w->typOsoby()->button(3)->click();
        child<QToolButton>(w, "sbOdebratCenik")->click();
        QCOMPARE(cbCenik->currentIndex(), -1);
        QCOMPARE(w->cUloz(), 0);
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT UNCSPRFIR, TYP, UNCCEN FROM ADRESAR WHERE UNCIS = %1").arg(first)));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), jiny);
        QCOMPARE(q.value(1).toInt(), 3);
        QVERIFY(q.value(2).isNull());

        // another record: the combo, the kind and the price list follow it
        QVERIFY(c->list().locate(QStringLiteral("UNCIS"), second));
        QCOMPARE(w->cZaz(), 0);
        QCOMPARE(combo->key(), 0);
        QCOMPARE(combo->text(), QString());
        QVERIFY(w->typOsoby()->button(1)->isChecked());
        cbCenik->setCurrentIndex(0);
        emit cbCenik->activated(0);
        QCOMPARE(c->header().value(QStringLiteral("UNCCEN")).toInt(), cenikA);
        QCOMPARE(w->cUloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCCEN FROM ADRESAR WHERE UNCIS = %1").arg(second)).toInt(), cenikA);
        w->close();
        QVERIFY(prompt().shown.isEmpty());
    }

    void objectCodeListOfOneOwner()
    {
        const int a = insertEntry(*DM, 1, QStringLiteral("A"));
        const int b = insertEntry(*DM, 1, QStringLiteral("B"));
        insertRow(*DM, QStringLiteral("S_OBJEKT"), {{QStringLiteral("UNCH"), a}, {QStringLiteral("OBJEKT"), QStringLiteral("Druhý")}, {QStringLiteral("PORADI"), 2}});
        insertRow(*DM, QStringLiteral("S_OBJEKT"), {{QStringLiteral("UNCH"), a}, {QStringLiteral("OBJEKT"), QStringLiteral("První")}, {QStringLiteral("PORADI"), 1}});
        insertRow(*DM, QStringLiteral("S_OBJEKT"), {{QStringLiteral("UNCH"), b}, {QStringLiteral("OBJEKT"), QStringLiteral("Cizí")}, {QStringLiteral("PORADI"), 1}});
        TfAdrObjekty list(nullptr, a);
        QVERIFY(list.isCreated());
        QCOMPARE(list.windowTitle(), QStringLiteral("Tarko 8: objekty adres"));
        QCOMPARE(list.rows().rowCount(), 2);
        QCOMPARE(list.rows().value(0, QStringLiteral("OBJEKT")).toString(), QStringLiteral("První"));
        QCOMPARE(list.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Pořadí"));
        QCOMPARE(list.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Objekt"));
        QCOMPARE(list.Pridej(), 0);
        list.setCellValue(list.rows().currentRow(), QStringLiteral("OBJEKT"), QStringLiteral("Nový"));
        QCOMPARE(list.Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCH FROM S_OBJEKT WHERE OBJEKT = 'Nový'")).toInt(), a);
        TfAdrObjekty all;
        QCOMPARE(all.rows().rowCount(), 4);
    }
};

QTEST_MAIN(TestAddressWindows)
#include "tst_addresswindows.moc"
