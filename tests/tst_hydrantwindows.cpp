// The hydrant windows on real database files: the unit label and the finding letters
// of the item panel, the user-defined checks from the catalogue and by their keys, the
// header findings shown as letters and stored as coded, and the list's bulk change of
// the state kept in HOTOVO.
#include <QtTest>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <memory>

#include "commerce/dodak.h"
#include "commerce/dodaklink.h"
#include "core/rowcachemodel.h"
#include "core/sqlpro.h"
#include "core/varsql.h"
#include "inspections/pv.h"
#include "inspections/pvc.h"
#include "inspections/pvs.h"
#include "support/addressdata.h"
#include "support/protocolfixture.h"
#include "support/programdatabasetest.h"

class TestHydrantWindows : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    TfPVC *c = nullptr;

    QPointer<TfPV> openForm(int key)
    {
        if (c->OpenRecord(key) != 0)
            return nullptr;
        QPointer<TfPV> w = new TfPV(c);
        w->show();
        return w;
    }
    // A stored inspection with one hydrant of coefficient 100 and its flow typed in.
    int inspectionWithHydrant()
    {
        const int key = newInspection(*c, QDate::currentDate());
        if (key <= 0 || c->AddItem() <= 0)
            return -1;
        c->pv().setValue(QStringLiteral("OZNACENI"), QStringLiteral("H1"));
        c->pv().setValue(QStringLiteral("KOEF"), 100.0);
        c->pv().setValue(QStringLiteral("PRUTOK"), 2.357);
        c->FlowTyped();
        return c->SaveRecord() < 0 ? -1 : key;
    }
    void closeSaved(TfPV *w)
    {
        QCOMPARE(w->cUloz(), 0);
        w->close();
        delete w;
    }

private slots:
    void init()
    {
        startFresh();
        c = TfClass::create<TfPVC>(DM);
        QVERIFY(c);
        c->AddRef();   // the test's own reference: the controller outlives the windows
    }
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        c->Release();
        finish();
    }

    void unitLabelAndFindingLetters()
    {
        const int key = inspectionWithHydrant();
        QVERIFY(key > 0);
        QPointer<TfPV> w = openForm(key);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowActive(w.data()));
        const QString first = c->pv().value(QStringLiteral("PRUTOKJED")).toString();
        QVERIFY2(first.endsWith(QLatin1String(" l/s")), qPrintable(first));

        // the text goes over to the other unit and back; the number stays
        QTest::mouseClick(w->unitLabel(), Qt::LeftButton);
        QVERIFY(c->pv().value(QStringLiteral("PRUTOKJED")).toString().endsWith(QLatin1String(" l/min")));
        QCOMPARE(w->unitLabel()->text(), QStringLiteral("l/min"));
        QTest::mouseClick(w->unitLabel(), Qt::LeftButton);
        QCOMPARE(c->pv().value(QStringLiteral("PRUTOKJED")).toString(), first);
        QCOMPARE(c->pv().value(QStringLiteral("PRUTOK")).toDouble(), 2.357);

        // a lower-case letter is stored upper-case and the next finding is entered; a
        // letter outside the five changes nothing and the focus stays
        QLineEdit *om = w->findingField(QStringLiteral("OM"));
        QLineEdit *sk = w->findingField(QStringLiteral("SK"));
        QVERIFY(om && sk);
        w->pages()->setCurrentIndex(0);
        w->findChild<QTabWidget *>(QStringLiteral("pcPolozka"))->setCurrentIndex(1);
        om->setFocus();
        QTest::keyClick(om, Qt::Key_V);
        QCOMPARE(c->pv().value(QStringLiteral("OM")).toString(), QStringLiteral("V"));
        QCOMPARE(om->text(), QStringLiteral("V"));
        QCOMPARE(QApplication::focusWidget(), sk);
        QTest::keyClick(sk, Qt::Key_A);
        QVERIFY(c->pv().value(QStringLiteral("SK")).toString().isEmpty());
        QCOMPARE(QApplication::focusWidget(), sk);
        QTest::keyClick(sk, Qt::Key_X);
        QCOMPARE(c->pv().value(QStringLiteral("SK")).toString(), QStringLiteral("X"));

        // the findings of one hydrant go into another through the copy
        w->ZkopirovatVyplneni();
        QVERIFY(w->Pridat() > 0);
        w->VlozitVyplneni();
        QCOMPARE(c->pv().value(QStringLiteral("OM")).toString() + c->pv().value(QStringLiteral("SK")).toString(),
                 QStringLiteral("VX"));
        closeSaved(w);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM VOD_TAB WHERE OM = 'V' AND SK = 'X'")).toInt(), 2);
        QCOMPARE(scalar(QStringLiteral("SELECT POCPV FROM VOD_HLAV")).toInt(), 2);
    }

    void checksFromCatalogueAndByKeys()
    {
        for (const char *text : {"Zkouška tlaku", "Kontrola značení"})
            insertRow(*DM, QStringLiteral("KATVODHKON"), {{QStringLiteral("KONTROLA"), QString::fromUtf8(text)}});
        const int key = newInspection(*c, QDate::currentDate());
        QVERIFY(key > 0);
        QPointer<TfPV> w = openForm(key);
        QVERIFY(w);
        auto *fill = w->findChild<QToolButton *>(QStringLiteral("sbDoplnitZPredlohy"));
        QVERIFY(fill && fill->isEnabled());
        fill->click();
        fill->click();
        const QStringList expected = {"Zkouška tlaku", "Kontrola značení", "Zkouška tlaku", "Kontrola značení"};
        QStringList stored;
        QSqlQuery q = DM->NewQuery();
        q.exec(QStringLiteral("SELECT KONTROLA FROM VODHKON WHERE UNCH = %1 ORDER BY UNCIS").arg(key));
        while (q.next())
            stored << q.value(0).toString();
        QCOMPARE(stored, expected);
        QCOMPARE(c->kontroly().rowCount(), 4);

        // a key writes its state into an empty state cell only
        auto *grid = qobject_cast<QTableView *>(w->checksGrid());
        c->kontroly().setCurrentRow(0);
        grid->setCurrentIndex(grid->model()->index(0, 1));
        QTest::keyClick(grid, Qt::Key_O);
        QCOMPARE(c->kontroly().value(0, QStringLiteral("STAV")).toString(), QStringLiteral("Opraveno"));
        QVERIFY(!w->StavKontrolyKlavesou(QLatin1Char('n')));
        QCOMPARE(c->kontroly().value(0, QStringLiteral("STAV")).toString(), QStringLiteral("Opraveno"));
        closeSaved(w);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM VODHKON WHERE STAV = 'Opraveno'")).toInt(), 1);
    }

    void headerFindingsAndListBulkChange()
    {
        const int key = newInspection(*c, QDate::currentDate());
        QVERIFY(key > 0);
        exec(QStringLiteral("UPDATE VOD_HLAV SET VYTARM = 'A', TEPOCH = 'N'"));
        QPointer<TfPV> w = openForm(key);
        QVERIFY(w);
        auto *vytarm = w->findChild<QComboBox *>(QStringLiteral("cbVytarm"));
        auto *tepoch = w->findChild<QComboBox *>(QStringLiteral("cbTepoch"));
        QVERIFY(vytarm && tepoch);
        QCOMPARE(vytarm->currentText(), QStringLiteral("V"));
        QCOMPARE(tepoch->currentText(), QStringLiteral("N"));
        tepoch->setCurrentIndex(tepoch->findText(QStringLiteral("X")));
        emit tepoch->activated(tepoch->currentIndex());
        closeSaved(w);
        QCOMPARE(scalar(QStringLiteral("SELECT VYTARM || '/' || COALESCE(TEPOCH, '') FROM VOD_HLAV")).toString(),
                 QStringLiteral("A/"));

        // the state chosen in the bulk change goes into HOTOVO, shown blue once done
        std::unique_ptr<TfPVS> list(VytvorKontrolyPV());
        QVERIFY(list && list->prepareAndOpen() == 0);
        QCOMPARE(list->controller()->list().value(0, QStringLiteral("UNCIS")).toInt(), key);
        TVarSQL values;
        values.SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("H"));
        prompt().clear();
        QCOMPARE(list->Doplnit(values, UpdateCurrentRow), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT HOTOVO FROM VOD_HLAV")).toString(), QStringLiteral("H"));
        CellLook look;
        list->CellColors(0, 0, look);
        QCOMPARE(look.font, QColor(Qt::blue));
    }

    void deliveryNoteOfTheInspection()
    {
        // "Otevřít" makes a new note for the inspection and links it; "Odpojit" clears the link
        const int key = inspectionWithHydrant();
        QVERIFY(key > 0);
        QPointer<TfPV> w = openForm(key);
        QVERIFY(w);
        QAction *open = w->menuAction(QStringLiteral("miOtevritDL"));
        QVERIFY(open && open->isEnabled());
        QVERIFY(!w->menuAction(QStringLiteral("miOdpojitDL"))->isEnabled());
        int shownNote = 0;
        prompt().onModal<TfDodakNovPri>([](TfDodakNovPri *) { return int(TfDodakNovPri::Novy); });
        prompt().onModal<TfDodak>([&](TfDodak *note) {
            shownNote = note->controller()->currentKey();
            return 0;
        });
        open->trigger();
        QVERIFY2(shownNote > 0, qPrintable(prompt().texts().join(QLatin1Char('|'))));
        QCOMPARE(scalar(QStringLiteral("SELECT UNCDOD FROM VOD_HLAV WHERE UNCIS = %1").arg(key)).toInt(), shownNote);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCFIR FROM DODAKH WHERE UNCIS = %1").arg(shownNote)),
                 scalar(QStringLiteral("SELECT UNCFIR FROM VOD_HLAV WHERE UNCIS = %1").arg(key)));
        QAction *detach = w->menuAction(QStringLiteral("miOdpojitDL"));
        QVERIFY(detach->isEnabled());
        prompt().answer(PromptYes);
        detach->trigger();
        closeSaved(w);
        QCOMPARE(scalar(QStringLiteral("SELECT UNCDOD FROM VOD_HLAV WHERE UNCIS = %1").arg(key)).toInt(), 0);
    }
};

QTEST_MAIN(TestHydrantWindows)
#include "tst_hydrantwindows.moc"
