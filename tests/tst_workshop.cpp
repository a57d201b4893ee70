// The workshop register on real database files: the fill of the check and dispatch
// with its refusals, the hand-over and return of an inspection's extinguishers (with
// the choice among fit rows, its end, and failures that leave nothing changed), the
// withdrawal written back into the inspection, and the spare parts per type.
#include <QtTest>
#include <QSqlQuery>

#include "core/sqlpro.h"
#include "inspections/dilnac.h"
#include "inspections/hpc.h"
#include "inspections/partscatalogue.h"
#include "support/programdatabasetest.h"

class TestWorkshop : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    static const int Type = 700;

    struct Item
    {
        QString vyrcis;
        int status;
    };

    // An inspection of owner 10 at site 20 by technician 30 with the items; returns
    // the controller with the inspection open.
    static std::unique_ptr<TfHPC> inspection(const QDate &datum, const QVector<Item> &items)
    {
        std::unique_ptr<TfHPC> c(TfClass::create<TfHPC>(DM));
        c->PresetNewInspection(datum);
        c->SetVariable(QStringLiteral("UNCFIR"), 10);
        c->SetVariable(QStringLiteral("UNCSTR"), 20);
        c->SetVariable(QStringLiteral("UNCTECH"), 30);
        const int key = c->InsertRecord();
        if (key <= 0 || c->OpenRecord(key) < 0)
            return nullptr;
        for (const Item &i : items) {
            c->AddItem();
            RowCache &h = c->hp();
            h.setValue(QStringLiteral("VYRCIS"), i.vyrcis);
            h.setValue(QStringLiteral("UNCCEN"), Type);
            h.setValue(QStringLiteral("HP"), QStringLiteral("PG6"));
            h.setValue(QStringLiteral("VYROBCE"), QStringLiteral("Hasprom"));
            h.setValue(QStringLiteral("ROK"), 2015);
            h.setValue(QStringLiteral("STATUS"), i.status);
            h.setValue(QStringLiteral("PREDILNA"), TfHPC::flagsOfState(i.status).preDilna);
        }
        if (c->SaveRecord() < 0)
            return nullptr;
        return c;
    }
    static QString itemState(const QString &vyrcis)
    {
        return scalar(QStringLiteral("SELECT STATUS || PREDILNA FROM PR_TAB WHERE VYRCIS = '%1'").arg(vyrcis)).toString();
    }
    static int workshopRow(const QString &where)
    {
        return count(QStringLiteral("SELECT COUNT(*) FROM DILNA WHERE ") + where);
    }
    // A checked, fit workshop row of the type that came with no inspection.
    static int fitRow(const QString &vyrcis, const QDate &received = QDate(2024, 1, 5))
    {
        std::unique_ptr<TfDilnaC> w(TfClass::create<TfDilnaC>(DM));
        w->SetVariable(QStringLiteral("STATUS"), int(TfDilnaC::Checked));
        w->SetVariable(QStringLiteral("VYRCIS"), vyrcis);
        w->SetVariable(QStringLiteral("UNCCEN"), Type);
        w->SetVariable(QStringLiteral("HP"), QStringLiteral("PG6"));
        w->SetVariable(QStringLiteral("DATPRIL"), received);
        return w->InsertRecord();
    }

private slots:
    void init()
    {
        startFresh();
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS, VYROBCE, ZKTL) VALUES (700, 7, 'PG6', 'Hasprom', 15.456)"));
    }
    void cleanup() { finish(); }

    void fillOfCheckAndDispatch()
    {
        std::unique_ptr<TfDilnaC> w(TfClass::create<TfDilnaC>(DM));
        const int first = fitRow(QStringLiteral("F1"));
        const int second = fitRow(QStringLiteral("F2"));
        exec(QStringLiteral("UPDATE DILNA SET STATUS = 100"));
        QCOMPARE(w->OpenDefaultList(first), 0);
        QCOMPARE(w->rowCount(), 2);
        QVERIFY(w->list().locate(QStringLiteral("UNCIS"), first));

        WorkshopFill fill;
        fill.check = true;
        fill.checkDate = QDate(2025, 3, 3);
        fill.komisar = 31;
        fill.firma = 11;
        fill.duvVyr = QStringLiteral("Koroze");
        // a reason for withdrawal and "fit" together are refused; nothing is written
        QCOMPARE(w->Doplnit(fill, UpdateCurrentRow), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Je vyplněn důvod k vyřazení spolu s HP je způsobilý"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Vyplnění"));
        fill.results[WorkshopFill::Zpusobily] = false;
        fill.dispatch = true;
        fill.dispatchDate = QDate(2025, 3, 4);
        fill.dispatchTech = 30;
        fill.dispatchFirm = 10;
        QCOMPARE(w->Doplnit(fill, UpdateCurrentRow), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Nelze expedovat nezpůsobilý HP"));
        fill.check = false;
        fill.dispatchTech = 0;
        QCOMPARE(w->Doplnit(fill, UpdateCurrentRow), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Vyplňte technika, který expedoval HP"));
        QCOMPARE(workshopRow(QStringLiteral("STATUS = 100")), 2);

        // check and dispatch together with no reason: dispatched, fit
        fill = WorkshopFill();
        fill.check = fill.dispatch = true;
        fill.checkDate = QDate(2025, 3, 3);
        fill.komisar = 31;
        fill.firma = 11;
        fill.results[0] = false;
        fill.dispatchDate = QDate(2025, 3, 4);
        fill.dispatchTech = 30;
        fill.dispatchFirm = 10;
        fill.dispatchSite = 20;
        QCOMPARE(w->Doplnit(fill, UpdateCurrentRow), 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Hotovo"));
        QCOMPARE(workshopRow(QStringLiteral("UNCIS = %1 AND STATUS = 103 AND ZPUSOB = 'Ano' AND VNEJPR = 'Ne' "
                                            "AND PERZK = 'Ano' AND DATUM = '2025-03-03' AND DATEXP = '2025-03-04' "
                                            "AND UNCKOMTECH = 31 AND UNCFIRMA = 11 AND UNCEXPFIR = 10 AND UNCSTREX = 20")
                                 .arg(first)),
                 1);
        QCOMPARE(workshopRow(QStringLiteral("UNCIS = %1 AND STATUS = 100").arg(second)), 1);

        // the dispatch alone: "fit" keeps its ticked start value; all rows after the question
        WorkshopFill dispatch;
        dispatch.dispatch = true;
        dispatch.dispatchDate = QDate(2025, 4, 1);
        dispatch.dispatchTech = 30;
        dispatch.dispatchFirm = 12;
        QVERIFY(dispatch.refusal().isEmpty());
        prompt().answer(PromptNo);
        QCOMPARE(w->Doplnit(dispatch, UpdateAllRows), 1);
        QCOMPARE(workshopRow(QStringLiteral("UNCEXPFIR = 12")), 0);
        prompt().answer(PromptYes);
        QCOMPARE(w->Doplnit(dispatch, UpdateAllRows), 0);
        QCOMPARE(prompt().shown.at(prompt().shown.size() - 2).text, QStringLiteral("Doplnit všechny záznamy?"));
        QCOMPARE(workshopRow(QStringLiteral("UNCEXPFIR = 12 AND STATUS = 103 AND DATEXP = '2025-04-01'")), 2);

        // a reason without "fit": withdrawn
        WorkshopFill withdrawn;
        withdrawn.check = true;
        withdrawn.checkDate = QDate(2025, 3, 3);
        withdrawn.komisar = 31;
        withdrawn.firma = 11;
        withdrawn.duvVyr = QStringLiteral("Koroze");
        withdrawn.results[WorkshopFill::Zpusobily] = false;
        QCOMPARE(withdrawn.values().GetVariable(QStringLiteral("STATUS")).toInt(), 101);

        // the three state toggles
        QCOMPARE(TfDilnaC::shownStates(true, false, false), QStringLiteral("100,0"));
        QCOMPARE(TfDilnaC::shownStates(true, true, true), QStringLiteral("100,102,103,101,0"));
        QCOMPARE(TfDilnaC::shownStates(false, false, false), QStringLiteral("0"));
        prompt().clear();
    }

    void handOverAndReturn()
    {
        std::unique_ptr<TfHPC> c = inspection(QDate(2025, 2, 10), {{QStringLiteral("A1"), 2},
                                                                    {QStringLiteral("B1"), 4},
                                                                    {QStringLiteral("C1"), 1}});
        QVERIFY(c);
        const int key = c->currentKey();
        const auto noChoice = [](TfDilnaC &, const TfHPC::ReturnedItem &, int *) {
            QTest::qFail("nothing to choose", __FILE__, __LINE__);
            return int(TfHPC::WorkshopEnd);
        };
        // B1, handed over just now, is looked for on return like any other; the user skips it
        QStringList offered;
        const auto skip = [&offered](TfDilnaC &, const TfHPC::ReturnedItem &item, int *) {
            offered << item.vyrCis;
            return int(TfHPC::WorkshopSkip);
        };
        QCOMPARE(c->PropojSDilnou(c->LinkFill(), skip), 0);
        QCOMPARE(offered, QStringList{QStringLiteral("B1")});
        QCOMPARE(workshopRow(QStringLiteral("STATUS = 100 AND DATPRIL = '2025-02-10' AND UNCPRIFIR = 10 AND UNCSTRPR = 20 "
                                            "AND UNCPRITECH = 30 AND PRETLAK = 15.46 AND UNCCEN = 700 AND HP = 'PG6' "
                                            "AND VYROBCE = 'Hasprom' AND ROK = 2015 AND UNCPRO = %1 "
                                            "AND UNCPOL = (SELECT UNCIS FROM PR_TAB T WHERE T.VYRCIS = DILNA.VYRCIS)")
                                 .arg(key)),
                 2);
        QCOMPARE(workshopRow(QStringLiteral("VYRCIS = 'C1'")), 0);
        QCOMPARE(itemState(QStringLiteral("A1")), QStringLiteral("2N"));
        QCOMPARE(itemState(QStringLiteral("B1")), QStringLiteral("14A"));
        QCOMPARE(c->hp().value(1, QStringLiteral("STATUS")).toInt(), 14);

        // the check filled at once: the rows come in checked
        std::unique_ptr<TfHPC> other = inspection(QDate(2025, 2, 11), {{QStringLiteral("D1"), 2}});
        WorkshopFill checked = other->LinkFill();
        checked.check = true;
        checked.komisar = 31;
        checked.firma = 11;
        QCOMPARE(other->PropojSDilnou(checked, noChoice), 0);
        QCOMPARE(workshopRow(QStringLiteral("VYRCIS = 'D1' AND STATUS = 102 AND DATUM = '2025-02-11' AND ZPUSOB = 'Ano'")), 1);

        // B1 is checked and fit: the return dispatches it to the inspection
        exec(QStringLiteral("UPDATE DILNA SET STATUS = 102 WHERE VYRCIS = 'B1'"));
        fitRow(QStringLiteral("B1"), QDate(2020, 1, 1));     // another type's namesake stays
        exec(QStringLiteral("UPDATE DILNA SET UNCCEN = 701 WHERE VYRCIS = 'B1' AND DATPRIL = '2020-01-01'"));
        QCOMPARE(c->PropojSDilnou(c->LinkFill(), noChoice), 0);
        QCOMPARE(workshopRow(QStringLiteral("VYRCIS = 'B1' AND STATUS = 103 AND UNCEXP = %1 AND UNCEXPFIR = 10 "
                                            "AND UNCSTREX = 20 AND UNCEXPTECH = 30 AND DATEXP = '2025-02-10'")
                                 .arg(key)),
                 1);
        QCOMPARE(workshopRow(QStringLiteral("VYRCIS = 'B1' AND STATUS = 102 AND UNCCEN = 701")), 1);
        QCOMPARE(itemState(QStringLiteral("B1")), QStringLiteral("4N"));
        QCOMPARE(c->hp().value(1, QStringLiteral("STATUS")).toInt(), 4);
    }

    void returnWithThePickerAndItsEnd()
    {
        const int blank = fitRow(QString(), QDate(2023, 1, 1));
        const int x1 = fitRow(QStringLiteral("X1"));
        const int x3 = fitRow(QStringLiteral("X3"));
        std::unique_ptr<TfHPC> c = inspection(QDate(2025, 5, 5), {{QString(), 6},
                                                                  {QStringLiteral("X1"), 8},
                                                                  {QStringLiteral("X2"), 6},
                                                                  {QStringLiteral("X3"), 6}});
        QVERIFY(c);
        QStringList asked;
        const auto choose = [&](TfDilnaC &w, const TfHPC::ReturnedItem &item, int *key) {
            asked << item.vyrCis;
            bool ok = false;
            const QVector<FitWorkshopRow> rows = w.FitRows(item.hp, QString(), &ok);
            if (!ok)
                return int(TfHPC::WorkshopEnd);
            if (!item.vyrCis.isEmpty())
                return int(TfHPC::WorkshopEnd);   // "Konec"
            // an empty serial number is never matched by itself: the user picks the row
            *key = rows.value(0).key;
            return int(TfHPC::WorkshopTake);
        };
        QCOMPARE(c->PropojSDilnou(c->LinkFill(), choose), 0);
        QCOMPARE(asked, (QStringList{QString(), QStringLiteral("X2")}));
        QCOMPARE(workshopRow(QStringLiteral("UNCIS = %1 AND STATUS = 103").arg(blank)), 1);
        QCOMPARE(workshopRow(QStringLiteral("UNCIS = %1 AND STATUS = 103").arg(x1)), 1);
        QCOMPARE(workshopRow(QStringLiteral("UNCIS = %1 AND STATUS = 102").arg(x3)), 1);
        QCOMPARE(itemState(QStringLiteral("X1")), QStringLiteral("8N"));
        QCOMPARE(itemState(QStringLiteral("X2")), QStringLiteral("6A"));
        QCOMPARE(itemState(QStringLiteral("X3")), QStringLiteral("6A"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE COALESCE(VYRCIS, '') = '' AND PREDILNA = 'N'")), 1);
        // the picker offers the fit rows of the type, the typed serial number narrowing them
        std::unique_ptr<TfDilnaC> w(TfClass::create<TfDilnaC>(DM));
        const QVector<FitWorkshopRow> offered = w->FitRows(QStringLiteral("PG6"), QStringLiteral("X"));
        QCOMPARE(offered.size(), 1);
        QCOMPARE(offered.at(0).key, x3);
    }

    void failedLinkChangesNothing_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("items");
        QTest::newRow("hand-over") << QStringLiteral("CREATE TRIGGER TST_FAIL FOR DILNA BEFORE INSERT AS BEGIN "
                                                     "IF (NEW.VYRCIS = 'F2') THEN EXCEPTION TST_STOP; END")
                                   << QStringLiteral("2N 14A");
        QTest::newRow("return") << QStringLiteral("CREATE TRIGGER TST_FAIL FOR DILNA BEFORE UPDATE AS BEGIN "
                                                  "IF (NEW.VYRCIS = 'R2') THEN EXCEPTION TST_STOP; END")
                                << QStringLiteral("2N 14A");
    }
    void failedLinkChangesNothing()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, items);
        fitRow(QStringLiteral("R1"));
        fitRow(QStringLiteral("R2"));
        std::unique_ptr<TfHPC> c = inspection(QDate(2025, 6, 1), {{QStringLiteral("F1"), 2},
                                                                  {QStringLiteral("F2"), 4},
                                                                  {QStringLiteral("R1"), 6},
                                                                  {QStringLiteral("R2"), 8}});
        QVERIFY(c);
        QVERIFY(DM->executeDdl(QStringLiteral("CREATE EXCEPTION TST_STOP 'zastaveno'")));
        QVERIFY(DM->executeDdl(trigger));
        const bool handOverFails = trigger.contains(QLatin1String("INSERT"));
        QCOMPARE(c->PropojSDilnou(c->LinkFill(), {}), -2);
        QVERIFY(!c->lastError().isEmpty());
        // the failed part left neither the inspection nor the workshop changed
        QCOMPARE(workshopRow(QStringLiteral("STATUS = 103")), 0);
        QCOMPARE(itemState(QStringLiteral("R1")), QStringLiteral("6A"));
        QCOMPARE(itemState(QStringLiteral("R2")), QStringLiteral("8A"));
        if (handOverFails) {
            QCOMPARE(workshopRow(QStringLiteral("STATUS = 100")), 0);
            QCOMPARE(itemState(QStringLiteral("F1")) + QLatin1Char(' ') + itemState(QStringLiteral("F2")),
                     QStringLiteral("2A 4A"));
            QCOMPARE(c->hp().value(1, QStringLiteral("STATUS")).toInt(), 4);
        } else {
            // the hand-over before it is kept
            QCOMPARE(workshopRow(QStringLiteral("STATUS = 100")), 2);
            QCOMPARE(itemState(QStringLiteral("F1")) + QLatin1Char(' ') + itemState(QStringLiteral("F2")), items);
            QCOMPARE(c->hp().value(3, QStringLiteral("PREDILNA")).toString(), QStringLiteral("A"));
        }
        // the open inspection still saves: its caches match what is stored
        c->hp().setValue(0, c->hp().fieldIndex(QStringLiteral("POZN")), QStringLiteral("po chybě"));
        QCOMPARE(c->SaveRecord(), 0);
        prompt().clear();
    }

    void withdrawalIntoTheInspection()
    {
        std::unique_ptr<TfHPC> c = inspection(QDate(2025, 7, 1), {{QStringLiteral("W1"), 4}, {QStringLiteral("W2"), 2}});
        QVERIFY(c);
        QCOMPARE(c->PropojSDilnou(c->LinkFill(), {}), 0);
        const int w1 = scalar(QStringLiteral("SELECT UNCIS FROM DILNA WHERE VYRCIS = 'W1'")).toInt();
        const int w2 = scalar(QStringLiteral("SELECT UNCIS FROM DILNA WHERE VYRCIS = 'W2'")).toInt();
        const int old = fitRow(QStringLiteral("OLD"));

        std::unique_ptr<TfDilnaC> w(TfClass::create<TfDilnaC>(DM));
        // a row of an older version has no item to write into
        QCOMPARE(w->OpenRecord(old), 0);
        QCOMPARE(w->DoplnitVyrazeni(), -1);
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Propojení"));

        // another workstation changed the item meanwhile: nothing is written
        QCOMPARE(w->OpenRecord(w2), 0);
        w->header().setValue(QStringLiteral("DUVVYR"), QStringLiteral("Koroze"));
        {
            std::unique_ptr<TDMPro> second = secondWorkstation();
            QSqlQuery q = second->NewQuery();
            QVERIFY(q.exec(QStringLiteral("UPDATE PR_TAB SET POZN = 'jinde', KLIC = KLIC + 1 WHERE VYRCIS = 'W2'")));
        }
        prompt().answer(PromptYes);
        QCOMPARE(w->DoplnitVyrazeni(), -2);
        QCOMPARE(prompt().lastText(), QStringLiteral("Chyba při uložení"));
        QCOMPARE(workshopRow(QStringLiteral("UNCIS = %1 AND STATUS = 100").arg(w2)), 1);
        QCOMPARE(itemState(QStringLiteral("W2")), QStringLiteral("2N"));

        // read again, it is written: the item withdrawn by the workshop, the row withdrawn
        QCOMPARE(w->OpenRecord(w1), 0);
        w->header().setValue(QStringLiteral("DUVVYR"), QStringLiteral("Prasklá nádoba"));
        prompt().answer(PromptNo);
        QCOMPARE(w->DoplnitVyrazeni(), 1);
        prompt().answer(PromptYes);
        QCOMPARE(w->DoplnitVyrazeni(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE VYRCIS = 'W1' AND STATUS = 3 "
                                      "AND STAV = 'Vyřazen dílnou' AND OPRTEXT = 'Prasklá nádoba'")),
                 1);
        QCOMPARE(workshopRow(QStringLiteral("UNCIS = %1 AND STATUS = 101 AND DUVVYR = 'Prasklá nádoba'").arg(w1)), 1);
        // the inspection open elsewhere cannot overwrite the withdrawal
        c->hp().setValue(0, c->hp().fieldIndex(QStringLiteral("POZN")), QStringLiteral("přepis"));
        QVERIFY(c->SaveRecord() < 0);
        QCOMPARE(itemState(QStringLiteral("W1")), QStringLiteral("3A"));
        prompt().clear();
    }

    void sparePartsPerType()
    {
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS, VYROBCE) VALUES (701, 7, 'S5', 'Rosenko')"));
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS) VALUES (301, 3, 'Hadice')"));
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS) VALUES (302, 3, 'Ventil')"));
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS) VALUES (801, 8, 'Tlaková zkouška')"));
        const auto rows = [](const QString &where) {
            return count(QStringLiteral("SELECT COUNT(*) FROM DILVYR WHERE ") + where);
        };
        {
            PartsCatalogue parts;
            QVERIFY(parts.open());
            QCOMPARE(parts.types().rowCount(), 2);
            QCOMPARE(parts.currentType(), 700);
            QCOMPARE(parts.offered().rowCount(), 2);
            QVERIFY(parts.addToTemplate(0) > 0);
            QVERIFY(parts.addToTemplate(1) > 0);
            parts.templateRows().setValue(1, parts.templateRows().fieldIndex(QStringLiteral("KOD")), QStringLiteral("V-1"));
            QCOMPARE(parts.copyTemplateToType(), 2);
            QVERIFY(parts.setSection(8));
            QVERIFY(parts.addPart(0) > 0);
            QCOMPARE(rows(QStringLiteral("1 = 1")), 0);   // written with the type's rows

            // another type becomes current: the rows shown until now are written
            QCOMPARE(parts.setCurrentType(1), 0);
            QCOMPARE(rows(QStringLiteral("UNCVYR = 0")), 2);
            QCOMPARE(rows(QStringLiteral("UNCVYR = 700 AND NAZVYR = 'PG6' AND VYRVYR = 'Hasprom'")), 3);
            QCOMPARE(rows(QStringLiteral("UNCVYR = 700 AND UNCDIL = 302 AND NAZDIL = 'Ventil' AND KOD = 'V-1'")), 1);
            QCOMPARE(parts.parts().rowCount(), 0);
            QVERIFY(parts.addPart(0) > 0);
            QCOMPARE(parts.setCurrentType(0), 0);
            QCOMPARE(parts.parts().rowCount(), 3);
            parts.parts().setCurrentRow(0);
            QCOMPARE(parts.removePart(), 0);
            parts.templateRows().setCurrentRow(0);
            QCOMPARE(parts.removeFromTemplate(), 0);
            QCOMPARE(parts.save(), 0);   // as the window closes
        }
        QCOMPARE(rows(QStringLiteral("UNCVYR = 701 AND UNCDIL = 801 AND NAZVYR = 'S5'")), 1);
        QCOMPARE(rows(QStringLiteral("UNCVYR = 700")), 2);
        QCOMPARE(rows(QStringLiteral("UNCVYR = 0")), 1);
    }
};

QTEST_MAIN(TestWorkshop)
#include "tst_workshop.moc"
