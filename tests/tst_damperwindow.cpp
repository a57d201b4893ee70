// The fire-damper edit window on real database files: the list opens it on a stored
// inspection and on a new one; a finding is chosen from the drop-down of the five
// grades and stored as its code (one left alone stays empty), and the count is stored;
// carry-forward from the window shows the new inspection with every damper, and a
// damper is deleted after its question.
#include <QtTest>
#include <QAction>
#include <QComboBox>
#include <memory>

#include "core/rowcachemodel.h"
#include "inspections/pk.h"
#include "inspections/pkc.h"
#include "inspections/pks.h"
#include "support/protocolfixture.h"
#include "support/programdatabasetest.h"

class TestDamperWindow : public ProgramDatabaseTest
{
    Q_OBJECT
    static int addDamper(TfPKC &c, const QString &oznklap, const QString &funkcn)
    {
        const int key = c.AddItem();
        c.pk().setValue(QStringLiteral("OZNKLAP"), oznklap);
        c.pk().setValue(QStringLiteral("FUNKCN"), funkcn);
        return c.SaveRecord() < 0 ? -1 : key;
    }

private slots:
    void init() { startFresh(); }
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        finish();
    }

    void listOpensTheWindowWhereAFindingIsChosenFromTheFiveGrades()
    {
        std::unique_ptr<TfPKS> list(VytvorKontrolyPK());
        QVERIFY(list);
        auto *c = qobject_cast<TfPKC *>(list->controller());
        const int key = newInspection(*c, QDate::currentDate());
        QVERIFY(addDamper(*c, QStringLiteral("K1"), QString()) > 0);
        QVERIFY(list->prepareAndOpen() >= 0);

        QString title, printEntry;
        QStringList offered;
        int saved = -1;
        prompt().onModal([&](QDialog *d) {
            auto *w = qobject_cast<TfPK *>(d);
            if (!w || w->itemModel()->rowCount() != 1)
                return 0;
            title = w->windowTitle();
            printEntry = w->menuAction(QStringLiteral("miTiskKontrola"))->text();
            QComboBox *funkcn = w->findingCombo(QStringLiteral("FUNKCN"));
            for (int i = 0; i < funkcn->count(); ++i)
                offered << funkcn->itemText(i);
            const int chosen = funkcn->findText(QStringLiteral("Nevyhovující"));
            funkcn->setCurrentIndex(chosen);
            emit funkcn->activated(chosen);
            if (w->isChanged())
                saved = w->cUloz();
            return 0;
        });
        list->OpenDetail(key);
        QCOMPARE(title, QStringLiteral("Protokol o kontrole PK"));
        QCOMPARE(printEntry, QStringLiteral("Doklad o kontrole PK"));
        QCOMPARE(offered, QStringList{QString()} + TfPKC::findingTexts());
        QCOMPARE(saved, 0);
        QCOMPARE(scalar(QStringLiteral("SELECT FUNKCN || '/' || COALESCE(PRISTUP, '') || '/' || OZNKLAP FROM PK_TAB "
                                       "WHERE UNCH = %1").arg(key)).toString(),
                 QStringLiteral("3//K1"));
        QCOMPARE(scalar(QStringLiteral("SELECT POCPK FROM PK_HLAV WHERE UNCIS = %1").arg(key)).toInt(), 1);

        // "Nový" in the list opens the window on the new inspection with its presets
        QString state;
        prompt().onModal([&](QDialog *d) {
            if (auto *w = qobject_cast<TfPK *>(d); w && w->itemModel()->rowCount() == 0)
                state = c->header().value(QStringLiteral("FAKTURA")).toString()
                        + c->header().value(QStringLiteral("PRAVID")).toString()
                        + c->header().value(QStringLiteral("DATUM")).toDate().toString(Qt::ISODate);
            return 0;
        });
        list->NewRecord();
        QCOMPARE(state, QStringLiteral("PA") + QDate::currentDate().toString(Qt::ISODate));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PK_HLAV")), 2);
    }

    void carryForwardAndDeleteFromTheWindow()
    {
        TfPKC *c = TfClass::create<TfPKC>(DM);
        c->AddRef();   // the test's own reference: the controller outlives the window
        const int key = newInspection(*c, QDate(2024, 3, 1));
        QVERIFY(addDamper(*c, QStringLiteral("K1"), QStringLiteral("1")) > 0);
        QVERIFY(addDamper(*c, QStringLiteral("K2"), QStringLiteral("5")) > 0);
        QCOMPARE(c->OpenRecord(key), 0);
        {
            TfPK w(c);
            w.show();
            prompt().answer(6);   // "Zkopírovat tento doklad?"
            QCOMPARE(w.Zkopirovat(), 0);
            const int copy = c->header().value(QStringLiteral("UNCIS")).toInt();
            QVERIFY(copy > key);
            QCOMPARE(w.itemModel()->rowCount(), 2);
            QCOMPARE(scalar(QStringLiteral("SELECT LIST(OZNKLAP || FUNKCN, ',') FROM (SELECT OZNKLAP, FUNKCN FROM "
                                           "PK_TAB WHERE UNCH = %1 ORDER BY PORADI, UNCPOM)").arg(copy)).toString(),
                     QStringLiteral("K11,K25"));
            QCOMPARE(scalar(QStringLiteral("SELECT DATUM FROM PK_HLAV WHERE UNCIS = %1").arg(copy)).toDate(),
                     QDate::currentDate());

            // the damper goes only after its question
            prompt().clear();
            prompt().answer(6);
            QCOMPARE(w.Smazat(), 0);
            QCOMPARE(prompt().shown.constFirst().text, QStringLiteral("Smazat tuto PK?"));
            QCOMPARE(prompt().shown.constFirst().caption, QStringLiteral("Pozor"));
            QCOMPARE(w.cUloz(), 0);
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PK_TAB WHERE UNCH = %1").arg(copy)), 1);
            QCOMPARE(scalar(QStringLiteral("SELECT POCPK FROM PK_HLAV WHERE UNCIS = %1").arg(copy)).toInt(), 1);
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PK_TAB WHERE UNCH = %1").arg(key)), 2);
        }
        c->Release();
    }
};

QTEST_MAIN(TestDamperWindow)
#include "tst_damperwindow.moc"
