// Extinguisher inspections on real database files: the count of extinguishers left at
// the customer, carry-forward to next year's inspection, the flags of a chosen
// condition, the year from the serial number, the regular-inspection dates, insertion
// at a position, moves and the serial-number search; the rules of the edit window
// without it: the document number from its series, the owner's change with its terms
// and objects, the object by its number, the choices of the item panel and the date
// check skipped once after a move or insertion.
#include <QtTest>
#include <QSqlError>
#include <QSqlQuery>

#include "core/dokrad.h"
#include "support/addressdata.h"
#include "support/protocolfixture.h"
#include "support/programdatabasetest.h"
#include "inspections/hpc.h"
#include "inspections/serialsearch.h"

class TestInspections : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    static TfHPC *controller() { return TfClass::create<TfHPC>(DM); }

    // Adds an item with a serial number and saves it; returns its key.
    static int addItem(TfHPC &c, const QString &vyrcis, int status = 1)
    {
        const int key = c.AddItem();
        if (key <= 0)
            return key;
        c.hp().setValue(QStringLiteral("VYRCIS"), vyrcis);
        c.hp().setValue(QStringLiteral("HP"), QStringLiteral("PG6"));
        c.hp().setValue(QStringLiteral("STATUS"), status);
        return c.SaveRecord() < 0 ? -1 : key;
    }
    static QStringList serials(int inspection, const QString &order = QStringLiteral("PORADI, UNCPOM"))
    {
        QStringList out;
        QSqlQuery q = DM->NewQuery();
        q.exec(QStringLiteral("SELECT VYRCIS FROM PR_TAB WHERE UNCH = %1 ORDER BY %2").arg(inspection).arg(order));
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void countAndCarryForwardKeepTheExtinguishersAtTheCustomerInTheirOrder()
    {
        std::unique_ptr<TfHPC> c(controller());
        const int key = newInspection(*c, QDate(2024, 3, 1));
        QVERIFY(key > 0);
        for (int status = 0; status <= 10; ++status) {
            QVERIFY(c->AddItem() > 0);
            RowCache &h = c->hp();
            h.setValue(QStringLiteral("VYRCIS"), QStringLiteral("S%1/99").arg(status));
            h.setValue(QStringLiteral("HP"), QStringLiteral("PG6"));
            h.setValue(QStringLiteral("OPRTEXT"), QStringLiteral("výměna"));
            h.setValue(QStringLiteral("STAV"), QStringLiteral("stav"));
            h.setValue(QStringLiteral("POZN"), QStringLiteral("díly"));
            h.setValue(QStringLiteral("STATUS"), status);
            h.setValue(QStringLiteral("CARKOD"), 5000 + status);
            h.setValue(QStringLiteral("POSDIL"), 2010 + status);
            h.setValue(QStringLiteral("PORADI"), status % 2);   // two objects
        }
        RowCache &head = c->header();
        head.setValue(QStringLiteral("CISPRO"), QStringLiteral("HP-7"));
        head.setValue(QStringLiteral("PCISLO"), 7);
        head.setValue(QStringLiteral("UNCDOD"), 4401);
        head.setValue(QStringLiteral("ZAMEK"), QStringLiteral("A"));
        head.setValue(QStringLiteral("FAKTURA"), QStringLiteral("H"));
        QCOMPARE(c->CheckBeforeSave(true), 0);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT POCHP FROM PR_HLAV WHERE UNCIS = %1").arg(key)), 6);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1 AND ZNACKA = 'PG6 - výměna'").arg(key)), 11);

        // the technician arranged the items against the order they were typed in
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("UPDATE PR_TAB SET UNCPOM = 100000000 - UNCPOM WHERE UNCH = %1").arg(key)));
        // older data may hold a year that does not match the serial number: the copy mends it
        QVERIFY(q.exec(QStringLiteral("UPDATE PR_TAB SET ROK = 1990 WHERE UNCH = %1").arg(key)));
        QStringList kept;
        for (const QString &s : serials(key))
            if (!QStringList{QStringLiteral("S2/99"), QStringLiteral("S3/99"), QStringLiteral("S5/99"),
                             QStringLiteral("S10/99")}.contains(s))
                kept << s;
        QCOMPARE(kept.size(), 7);

        const int copy = c->CarryForward(key);
        QVERIFY2(copy > 0, qPrintable(c->lastError()));
        QVERIFY(prompt().saw(QStringLiteral("Hotovo")));
        QCOMPARE(serials(copy), kept);
        QCOMPARE(serials(copy, QStringLiteral("UNCIS")), kept);   // the keys follow that order too
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1 AND STATUS = 0 "
                                      "AND STAV = '' AND POZN = '' AND OPRTEXT = '' AND ZNACKA = 'PG6' "
                                      "AND CARKOD = 5000 + CAST(SUBSTRING(VYRCIS FROM 2 FOR POSITION('/' IN VYRCIS) - 2) AS INTEGER) "
                                      "AND POSDIL = CARKOD - 2990 AND ROK = 1999").arg(copy)), 7);
        QSqlQuery h = DM->NewQuery();
        QVERIFY(h.exec(QStringLiteral("SELECT DATUM, CISPRO, PCISLO, UNCDOD, ZAMEK, FAKTURA, POCHP, UNCFIR, UNCSTR "
                                      "FROM PR_HLAV WHERE UNCIS = %1").arg(copy)));
        QVERIFY(h.next());
        QCOMPARE(h.value(0).toDate(), QDate::currentDate());
        QVERIFY(h.value(1).toString().isEmpty());
        QCOMPARE(h.value(2).toInt(), 0);
        QCOMPARE(h.value(3).toInt(), 0);
        QCOMPARE(h.value(4).toString().trimmed(), QStringLiteral("N"));
        QCOMPARE(h.value(5).toString().trimmed(), QStringLiteral("P"));
        QCOMPARE(h.value(6).toInt(), 0);      // nothing judged yet
        QCOMPARE(h.value(7).toInt(), 10);
        QCOMPARE(h.value(8).toInt(), 20);
        // the new inspection is the open one; the old one is as it was
        QCOMPARE(c->header().value(QStringLiteral("UNCIS")).toInt(), copy);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1 AND STATUS > 0").arg(key)), 10);
        QCOMPARE(scalar(QStringLiteral("SELECT CISPRO FROM PR_HLAV WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("HP-7"));

        // a save after a move or insertion skips the date messages, never the count
        c->hp().first();
        QVERIFY(c->ChooseCondition(QStringLiteral("Zkontrolován"), 1) == 0);
        QCOMPARE(c->CheckBeforeSave(true), 0);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT POCHP FROM PR_HLAV WHERE UNCIS = %1").arg(copy)), 1);
    }

    void carryForwardOfOnlyDepartedExtinguishersGivesAnEmptyInspection()
    {
        std::unique_ptr<TfHPC> c(controller());
        const int key = newInspection(*c, QDate(2024, 3, 1));
        for (int status : {2, 3, 5, 10})
            QVERIFY(addItem(*c, QStringLiteral("X%1").arg(status), status) > 0);
        const int copy = c->CarryForward(key);
        QVERIFY(copy > 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1").arg(copy)), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1").arg(key)), 4);
    }

    void failedCarryForwardLeavesNoCopy_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("copying the items")
            << QStringLiteral("CREATE TRIGGER TST_FAIL FOR PR_TAB BEFORE INSERT AS BEGIN EXCEPTION TST_STOP; END");
        QTest::newRow("the year of an item")
            << QStringLiteral("CREATE TRIGGER TST_FAIL FOR PR_TAB BEFORE UPDATE AS BEGIN "
                              "IF (NEW.ROK IS DISTINCT FROM OLD.ROK) THEN EXCEPTION TST_STOP; END");
    }
    void failedCarryForwardLeavesNoCopy()
    {
        QFETCH(QString, trigger);
        std::unique_ptr<TfHPC> c(controller());
        const int key = newInspection(*c, QDate(2024, 3, 1));
        QVERIFY(addItem(*c, QStringLiteral("A1"), 1) > 0);
        QVERIFY(addItem(*c, QStringLiteral("A2"), 3) > 0);
        c->header().setValue(QStringLiteral("CISPRO"), QStringLiteral("HP-1"));
        QCOMPARE(c->SaveRecord(), 0);
        // a year that no longer matches its serial number, as older data may hold
        QVERIFY(DM->NewQuery().exec(QStringLiteral("UPDATE PR_TAB SET VYRCIS = 'A/07', ROK = 1990 WHERE UNCH = %1").arg(key)));
        QVERIFY(DM->executeDdl(QStringLiteral("CREATE EXCEPTION TST_STOP 'zastaveno'")));
        QVERIFY(DM->executeDdl(trigger));

        const int r = c->CarryForward(key);
        QVERIFY(r < 0);
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Zkopírování dokladu HP"));
        QVERIFY(!prompt().saw(QStringLiteral("Hotovo")));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_HLAV")), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB")), 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1 AND STATUS IN (1, 3)").arg(key)), 2);
        QCOMPARE(c->header().value(QStringLiteral("UNCIS")).toInt(), key);
        QCOMPARE(c->hp().rowCount(), 2);
        prompt().clear();
    }

    void chosenConditionSetsTheFlagsOfItsState()
    {
        std::unique_ptr<TfHPC> c(controller());
        newInspection(*c, QDate(2025, 1, 10));
        QVERIFY(c->AddItem() > 0);
        RowCache &h = c->hp();
        auto flags = [&h] {
            return h.value(QStringLiteral("PREDILNA")).toString() + h.value(QStringLiteral("PREVYRAZ")).toString()
                   + h.value(QStringLiteral("PRESKLAD")).toString();
        };
        QCOMPARE(c->ChooseCondition(QStringLiteral("Dodán po opravě"), 6), 0);
        QCOMPARE(h.value(QStringLiteral("STATUS")).toInt(), 6);
        QCOMPARE(flags(), QStringLiteral("ANA"));
        QVERIFY(c->NeedsWorkshopLink());
        QVERIFY(!c->NeedsWithdrawalDocument());
        QCOMPARE(c->ChooseCondition(QStringLiteral("Vyřazen"), 5), 0);
        QCOMPARE(flags(), QStringLiteral("NAA"));
        QCOMPARE(h.value(QStringLiteral("STAV")).toString(), QStringLiteral("Vyřazen"));
        QVERIFY(!c->NeedsWorkshopLink());
        QVERIFY(c->NeedsWithdrawalDocument());
        QCOMPARE(c->ChooseCondition(QStringLiteral("Zkontrolován"), 1), 0);
        QCOMPARE(flags(), QStringLiteral("NNN"));
        QCOMPARE(c->ChooseCondition(QStringLiteral("Neznámý"), 12), 0);
        QCOMPARE(flags(), QStringLiteral("NNN"));
        QCOMPARE(c->ChooseCondition(QStringLiteral("Do opravy"), 2), 0);
        QCOMPARE(flags(), QStringLiteral("ANA"));
        // the markers read the stored flags too
        QCOMPARE(c->SaveRecord(), 0);
        QVERIFY(c->NeedsWorkshopLink());
        QVERIFY(!c->NeedsWithdrawalDocument());
    }

    void yearFromTheSerialNumberAndTheMark()
    {
        QCOMPARE(TfHPC::yearFromSerial(QStringLiteral("1234/98"), 2000), 1998);
        QCOMPARE(TfHPC::yearFromSerial(QStringLiteral("/07"), 2000), 2007);
        QCOMPARE(TfHPC::yearFromSerial(QStringLiteral("/50"), 2000), 1950);
        QCOMPARE(TfHPC::yearFromSerial(QStringLiteral("/49"), 2000), 2049);
        QCOMPARE(TfHPC::yearFromSerial(QStringLiteral("123498"), 2000), 2000);
        QCOMPARE(TfHPC::yearFromSerial(QStringLiteral("1234/9"), 2000), 2000);
        QCOMPARE(TfHPC::yearFromSerial(QStringLiteral("1234/9x"), 2000), 2000);
        QCOMPARE(TfHPC::yearFromSerial(QStringLiteral("12/a5/99"), 2000), 2000);   // only the first slash
        QCOMPARE(TfHPC::yearFromSerial(QStringLiteral("12/015"), 2000), 2001);

        // the rules run on the items a save stores, with the type chosen from the price list
        QVERIFY(scalar(QStringLiteral("SELECT 1 FROM RDB$DATABASE")).isValid());
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS, VYROBCE, DRUH) "
                                      "VALUES (700, 7, 'PG6 LE', 'Hasprom', 'prášek')")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS) VALUES (500, 5, 'Práce')")));
        std::unique_ptr<TfHPC> c(controller());
        newInspection(*c, QDate(2025, 1, 10));
        QVERIFY(c->AddItem() > 0);
        QCOMPARE(c->ChooseType(500), -1);
        QCOMPARE(c->ChooseType(700), 0);
        c->hp().setValue(QStringLiteral("VYRCIS"), QStringLiteral("7781/07"));
        c->hp().setValue(QStringLiteral("ROK"), 1990);
        QCOMPARE(c->SaveRecord(), 0);
        QSqlQuery r = DM->NewQuery();
        QVERIFY(r.exec(QStringLiteral("SELECT ROK, ZNACKA, HP, VYROBCE, DRUH, UNCCEN FROM PR_TAB")));
        QVERIFY(r.next());
        QCOMPARE(r.value(0).toInt(), 2007);
        QCOMPARE(r.value(1).toString(), QStringLiteral("PG6 LE"));
        QCOMPARE(r.value(3).toString(), QStringLiteral("Hasprom"));
        QCOMPARE(r.value(4).toString(), QStringLiteral("prášek"));
        QCOMPARE(r.value(5).toInt(), 700);
        QCOMPARE(c->AddPosition(QStringLiteral("u dveří")), 0);
        QCOMPARE(c->hp().value(QStringLiteral("MISTO")).toString(), QStringLiteral(" u dveří"));
    }

    void regularInspectionDates_data()
    {
        QTest::addColumn<QDate>("datum");
        QTest::addColumn<QString>("pravid");
        QTest::addColumn<bool>("skip");
        QTest::addColumn<QString>("message");
        const QString nemela = QStringLiteral("V tomto období by\nN E M Ě L A\nbýt provedena pravidelná prohlídka");
        const QString mela = QStringLiteral("V tomto období by\nM Ě L A\nbýt provedena pravidelná prohlídka");
        QTest::newRow("regular too early") << QDate(2025, 2, 5) << "A" << false << nemela;
        QTest::newRow("regular in time") << QDate(2025, 2, 15) << "A" << false << QString();
        QTest::newRow("non-regular late") << QDate(2025, 2, 15) << "N" << false << mela;
        QTest::newRow("non-regular on the limit") << QDate(2025, 2, 9) << "N" << false << QString();
        QTest::newRow("regular on the limit") << QDate(2025, 2, 9) << "A" << false << QString();
        QTest::newRow("skipped once") << QDate(2025, 2, 5) << "A" << true << QString();
    }
    void regularInspectionDates()
    {
        QFETCH(QDate, datum);
        QFETCH(QString, pravid);
        QFETCH(bool, skip);
        QFETCH(QString, message);
        std::unique_ptr<TfHPC> c(controller());
        QVERIFY(newInspection(*c, QDate(2024, 3, 1)) > 0);
        // neither another site of the owner nor a non-regular inspection counts
        QVERIFY(newInspection(*c, QDate(2024, 12, 1), QStringLiteral("A"), 10, 21) > 0);
        QVERIFY(newInspection(*c, QDate(2024, 12, 2), QStringLiteral("N")) > 0);
        QVERIFY(newInspection(*c, datum, pravid) > 0);
        prompt().clear();
        QCOMPARE(c->CheckBeforeSave(skip), 0);
        if (message.isEmpty()) {
            QVERIFY2(prompt().shown.isEmpty(), qPrintable(prompt().texts().join(QLatin1Char('|'))));
        } else {
            QCOMPARE(prompt().texts(), QStringList{message});
            QCOMPARE(prompt().shown.constFirst().caption, QStringLiteral("Pravidelná prohlídka"));
        }
        prompt().clear();
    }

    void insertionAtAPositionAndMoves()
    {
        std::unique_ptr<TfHPC> c(controller());
        const int key = newInspection(*c, QDate(2025, 1, 10));
        QList<int> keys;
        for (const char *s : {"A", "B", "C", "D"})
            keys << addItem(*c, QLatin1String(s));
        QCOMPARE(serials(key), (QStringList{"A", "B", "C", "D"}));
        auto pom = [](int item) { return count(QStringLiteral("SELECT UNCPOM FROM PR_TAB WHERE UNCIS = %1").arg(item)); };
        const int posB = pom(keys[1]), posC = pom(keys[2]), posD = pom(keys[3]);

        QVERIFY(c->hp().locate(QStringLiteral("UNCIS"), keys[1]));
        const int added = c->InsertItemAtCurrent();
        QVERIFY(added > 0);
        QCOMPARE(c->hp().value(QStringLiteral("UNCIS")).toInt(), added);
        QCOMPARE(pom(added), posB);
        QCOMPARE(pom(keys[1]), posB + 1);
        QCOMPARE(pom(keys[2]), posC + 1);
        QCOMPARE(pom(keys[3]), posD + 1);
        QCOMPARE(serials(key), (QStringList{"A", "", "B", "C", "D"}));

        // the first item cannot go up, the last cannot go down: nothing changes
        c->hp().first();
        QCOMPARE(c->MoveItem(QLatin1Char('P')), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("První záznam !"));
        c->hp().last();
        QCOMPARE(c->MoveItem(QLatin1Char('N')), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Poslední záznam !"));
        QCOMPARE(serials(key), (QStringList{"A", "", "B", "C", "D"}));
        prompt().clear();

        // a move exchanges positions only: every extinguisher keeps its key
        c->hp().first();
        QCOMPARE(c->MoveItem(QLatin1Char('N')), 0);
        QCOMPARE(serials(key), (QStringList{"", "A", "B", "C", "D"}));
        QCOMPARE(c->hp().value(QStringLiteral("UNCIS")).toInt(), keys[0]);
        QCOMPARE(c->hp().currentRow(), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT VYRCIS FROM PR_TAB WHERE UNCIS = %1").arg(keys[0])).toString(),
                 QStringLiteral("A"));
        QCOMPARE(c->MoveItem(QLatin1Char('P')), 0);
        QCOMPARE(serials(key), (QStringList{"A", "", "B", "C", "D"}));
    }

    void documentNumberFromItsSeries()
    {
        QCOMPARE(DocumentSeries(DM).add(QStringLiteral("Kontroly HP"), QStringLiteral("KHP")), int(DocumentSeries::Done));
        std::unique_ptr<TfHPC> c(controller());
        const int key = newInspection(*c, QDate(2025, 2, 3));
        RowCache &h = c->header();
        // nothing typed: nothing drawn
        h.setValue(QStringLiteral("CISPRO"), QStringLiteral("  "));
        QVERIFY(!c->TakeNumberOfSeries());
        QCOMPARE(h.value(QStringLiteral("PCISLO")).toInt(), 0);

        h.setValue(QStringLiteral("CISPRO"), QStringLiteral("KHP"));
        QVERIFY(c->TakeNumberOfSeries());
        const QString first = h.value(QStringLiteral("CISPRO")).toString();
        QVERIFY2(first.startsWith(QStringLiteral("001/")), qPrintable(first));
        QCOMPARE(h.value(QStringLiteral("PCISLO")).toInt(), 1);
        h.setValue(QStringLiteral("CISPRO"), QStringLiteral("KHP"));
        QVERIFY(c->TakeNumberOfSeries());
        QVERIFY2(h.value(QStringLiteral("CISPRO")).toString().startsWith(QStringLiteral("002/")),
                 qPrintable(h.value(QStringLiteral("CISPRO")).toString()));
        QCOMPARE(h.value(QStringLiteral("PCISLO")).toInt(), 2);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT PCISLO FROM PR_HLAV WHERE UNCIS = %1").arg(key)), 2);
        prompt().clear();
    }

    void ownerChangeTermsObjectsAndChoices()
    {
        const int owner = insertEntry(*DM, 1, QStringLiteral("Pekárna"), {{QStringLiteral("UNCCEN"), 77}});
        const int other = insertEntry(*DM, 1, QStringLiteral("Mlékárna"), {{QStringLiteral("UNCCEN"), 5}});
        insertRow(*DM, QStringLiteral("S_OBJEKT"), {{QStringLiteral("UNCH"), owner}, {QStringLiteral("PORADI"), 2},
                                                    {QStringLiteral("OBJEKT"), QStringLiteral("Sklad mouky")}});
        insertRow(*DM, QStringLiteral("S_OBJEKT"), {{QStringLiteral("UNCH"), owner}, {QStringLiteral("PORADI"), 1},
                                                    {QStringLiteral("OBJEKT"), QStringLiteral("Výrobní hala")}});
        insertRow(*DM, QStringLiteral("S_STAV"), {{QStringLiteral("TYP"), 4}, {QStringLiteral("POPIS"), QStringLiteral("do opravy")}});
        insertRow(*DM, QStringLiteral("S_STAV"), {{QStringLiteral("TYP"), 1}, {QStringLiteral("POPIS"), QStringLiteral("v pořádku")}});
        std::unique_ptr<TfHPC> c(controller());
        QVERIFY(newInspection(*c, QDate(2025, 2, 3), QStringLiteral("A"), owner, 20) > 0);

        // the open owner's terms are read once, until the owner is another
        QVERIFY(c->FollowOwner());
        QCOMPARE(c->ownerPriceList(), 77);
        QVERIFY(!c->FollowOwner());
        bool ok = false;
        const QVector<LookupItem> objects = c->OwnerObjects(&ok);
        QVERIFY(ok);
        QCOMPARE(lookupTexts(objects), (QStringList{"Výrobní hala", "Sklad mouky"}));
        QCOMPARE(objects.at(1).key.toInt(), 2);

        // the order number of an item names its object; an unknown number leaves it
        QVERIFY(c->AddItem() > 0);
        RowCache &item = c->hp();
        item.setValue(QStringLiteral("PORADI"), 2);
        QVERIFY(c->TakeObjectByNumber());
        QCOMPARE(item.value(QStringLiteral("OBJEKT")).toString(), QStringLiteral("Sklad mouky"));
        QVERIFY(!c->TakeObjectByNumber());
        item.setValue(QStringLiteral("PORADI"), 9);
        QVERIFY(!c->TakeObjectByNumber());
        QCOMPARE(item.value(QStringLiteral("OBJEKT")).toString(), QStringLiteral("Sklad mouky"));

        // a new owner: no site, its own terms and objects
        c->header().setValue(QStringLiteral("UNCFIR"), other);
        c->OwnerChosen();
        QCOMPARE(c->header().value(QStringLiteral("UNCSTR")).toInt(), 0);
        QCOMPARE(c->ownerPriceList(), 5);
        QVERIFY(!c->FollowOwner());
        QVERIFY(c->OwnerObjects(&ok).isEmpty());
        QVERIFY(ok);
        item.setValue(QStringLiteral("PORADI"), 1);
        QVERIFY(!c->TakeObjectByNumber());

        // a condition is offered by its type, its text apart from the type
        const QVector<LookupItem> stavy = c->ItemChoices(TfHPC::StavChoices, &ok);
        QVERIFY(ok);
        QCOMPARE(lookupTexts(stavy), (QStringList{"do opravy", "v pořádku"}));
        QCOMPARE(stavy.at(0).key.toInt(), 4);
        QCOMPARE(stavy.at(1).extra.size(), 1);
        QCOMPARE(stavy.at(1).extra.at(0).toInt(), 1);
    }

    void dateCheckIsSkippedOnceAfterAMoveOrInsertion()
    {
        const QString nemela = QStringLiteral("V tomto období by\nN E M Ě L A\nbýt provedena pravidelná prohlídka");
        std::unique_ptr<TfHPC> c(controller());
        QVERIFY(newInspection(*c, QDate(2025, 1, 10)) > 0);
        QVERIFY(newInspection(*c, QDate(2025, 2, 20)) > 0);
        addItem(*c, QStringLiteral("A"));
        addItem(*c, QStringLiteral("B"));
        prompt().clear();
        auto checkSays = [&] {
            prompt().clear();
            const int r = c->CheckBeforeNextSave();
            const QStringList said = prompt().texts();
            prompt().clear();
            return r == 0 ? said : QStringList{QStringLiteral("check failed")};
        };
        QVERIFY(!c->skipsNextDateCheck());
        QCOMPARE(checkSays(), QStringList{nemela});

        c->hp().first();
        QCOMPARE(c->MoveItem(QLatin1Char('N')), 0);
        QVERIFY(c->skipsNextDateCheck());
        QCOMPARE(checkSays(), QStringList());
        QVERIFY(!c->skipsNextDateCheck());
        QCOMPARE(checkSays(), QStringList{nemela});

        QVERIFY(c->InsertItemAtCurrent() > 0);
        QCOMPARE(checkSays(), QStringList());
        QCOMPARE(checkSays(), QStringList{nemela});
    }

    void leavingAnItemRunsItsRuleAndAMoveAtTheEdgeSkipsNothing()
    {
        std::unique_ptr<TfHPC> c(controller());
        QVERIFY(newInspection(*c, QDate(2025, 1, 10)) > 0);
        addItem(*c, QStringLiteral("A"));
        addItem(*c, QStringLiteral("B"));
        // mark and year follow an edited item as soon as it is left, long before the save
        RowCache &it = c->hp();
        it.first();
        it.setValue(QStringLiteral("VYRCIS"), QStringLiteral("12/98"));
        it.setValue(QStringLiteral("OPRTEXT"), QStringLiteral("plomba"));
        it.setCurrentRow(1);
        QCOMPARE(it.value(0, QStringLiteral("ROK")).toInt(), 1998);
        QCOMPARE(it.value(0, QStringLiteral("ZNACKA")).toString(), QStringLiteral("PG6 - plomba"));
        QCOMPARE(it.row(1).state, RowCache::Unchanged);
        QCOMPARE(c->SaveRecord(), 0);

        // the first item up and the last one down move nothing, so the next save checks
        prompt().clear();
        it.first();
        QCOMPARE(c->MoveItem(QLatin1Char('P')), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("První záznam !"));
        QVERIFY(!c->skipsNextDateCheck());
        it.last();
        QCOMPARE(c->MoveItem(QLatin1Char('N')), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Poslední záznam !"));
        QVERIFY(!c->skipsNextDateCheck());
        prompt().clear();
    }

    void listShowsTheLastFortyDaysWithItsDefaultLayout()
    {
        std::unique_ptr<TfHPC> c(controller());
        const int recent = newInspection(*c, QDate::currentDate().addDays(-3));
        QVERIFY(newInspection(*c, QDate::currentDate().addDays(-60)) > 0);
        QCOMPARE(c->OpenDefaultList(), 0);
        QCOMPARE(c->rowCount(), 1);
        QCOMPARE(c->list().value(QStringLiteral("UNCIS")).toInt(), recent);
        // the seeded layout's columns are all in the list's dictionary
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GGTAB T JOIN GGHLAV G ON G.UNCIS = T.UNCH "
                                      "JOIN STRUK S ON S.UNCIS = T.UNCSTR AND S.OKNO = 'TfHPS' "
                                      "WHERE G.OKNO = 'TfHPS' AND G.NAZEV = 'Základní'")), 7);
        // and nothing else: the layouts of other lists naming the same tables stay theirs
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GGTAB T JOIN GGHLAV G ON G.UNCIS = T.UNCH "
                                      "WHERE G.OKNO = 'TfHPS'")), 7);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GGTAB T JOIN GGHLAV G ON G.UNCIS = T.UNCH "
                                      "JOIN STRUK S ON S.UNCIS = T.UNCSTR WHERE S.OKNO <> G.OKNO")), 0);
        // the count of the list runs as it is (its from part begins with more columns)
        const TfClass::ListSql sql = c->buildListSql(c->listFrom(), c->listColumns(), c->defaultWhere(), c->orderBy());
        QSqlQuery counting = DM->NewQuery();
        QVERIFY2(counting.exec(sql.count) && counting.next(), qPrintable(counting.lastError().text()));
        QCOMPARE(counting.value(0).toInt(), 1);
    }

    void serialNumberSearchTakesTheTextAsItIs()
    {
        std::unique_ptr<TfHPC> c(controller());
        const int key = newInspection(*c, QDate(2025, 1, 10));
        QVERIFY(addItem(*c, QStringLiteral("AB12/07")) > 0);
        QVERIFY(addItem(*c, QStringLiteral("AB13/07")) > 0);
        QVERIFY(addItem(*c, QStringLiteral("XAB1")) > 0);
        auto found = [](const QString &typed) {
            QString error;
            QSqlQuery q = FindBySerialNumber(DM, typed, &error);
            if (!q.isActive())
                return QStringList{QStringLiteral("chyba: ") + error};
            QStringList out;
            while (q.next())
                out << q.value(QStringLiteral("VYRCIS")).toString() + QLatin1Char('@')
                           + q.value(QStringLiteral("UNCIS")).toString();
            return out;
        };
        const QString at = QLatin1Char('@') + QString::number(key);
        QCOMPARE(found(QStringLiteral("AB1")), (QStringList{"AB12/07" + at, "AB13/07" + at}));
        QCOMPARE(found(QStringLiteral("AB12")), QStringList{"AB12/07" + at});
        QCOMPARE(found(QStringLiteral("AB' OR '1'='1")), QStringList());
        QCOMPARE(found(QStringLiteral("'")), QStringList());
        QCOMPARE(found(QStringLiteral("%")), QStringList());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB")), 3);
    }

    void preparedSerialSearchStaysRightAcrossCommitsRollbacksAndReconnects()
    {
        std::unique_ptr<TfHPC> c(controller());
        QSqlQuery adr = DM->NewQuery();
        QVERIFY(adr.exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV, PRIJMENI, KLIC) VALUES (10, 'Pekárna Novák', 'Nováková', 0)")));
        QVERIFY(adr.exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV, PRIJMENI, KLIC) VALUES (30, 'Dvořák Jan', 'Dvořák', 0)")));
        const int key = newInspection(*c, QDate(2025, 1, 10));
        const int first = addItem(*c, QStringLiteral("AB12/07"));
        QVERIFY(first > 0);
        HPSerialSearch search(DM);
        auto found = [&search](const QString &typed) {
            QVector<HPSerialSearch::Row> rows;
            QString error;
            if (!search.find(typed, &rows, &error))
                return QStringList{QStringLiteral("chyba: ") + error};
            QStringList out;
            for (const HPSerialSearch::Row &r : rows)
                out << r.vyrcis;
            return out;
        };
        auto update = [](const QString &from, const QString &to) {
            QSqlQuery q = DM->NewQuery();
            q.prepare(QStringLiteral("UPDATE PR_TAB SET VYRCIS = :TO WHERE VYRCIS = :FROM"));
            q.bindValue(QStringLiteral(":TO"), to);
            q.bindValue(QStringLiteral(":FROM"), from);
            return q.exec() && q.numRowsAffected() == 1;
        };

        // the row the window shows, read the same way as the one-off query reads it
        QVector<HPSerialSearch::Row> rows;
        QVERIFY(search.find(QStringLiteral("AB12"), &rows));
        QCOMPARE(rows.size(), 1);
        QSqlQuery once = FindBySerialNumber(DM, QStringLiteral("AB12"));
        QVERIFY(once.next());
        const HPSerialSearch::Row &r = rows.constFirst();
        QCOMPARE(r.datum, QDate(2025, 1, 10));
        QCOMPARE(r.datum, once.value(QStringLiteral("DATUM")).toDate());
        QCOMPARE(r.nazev, QStringLiteral("Pekárna Novák"));
        QCOMPARE(r.jmepri, QStringLiteral("Dvořák"));
        QCOMPARE(r.hp, once.value(QStringLiteral("HP")).toString());
        QCOMPARE(r.stav, once.value(QStringLiteral("STAV")).toString());
        QCOMPARE(r.druh, once.value(QStringLiteral("DRUH")).toString());
        QCOMPARE(r.uncis, key);
        QCOMPARE(r.tuncis, first);
        once.clear();

        // a save commits: the next search sees the new item
        QVERIFY(addItem(*c, QStringLiteral("AB13/07")) > 0);
        QCOMPARE(found(QStringLiteral("AB")), (QStringList{"AB12/07", "AB13/07"}));
        // inside a unit of work the search neither waits nor fails and sees what is
        // committed; rolling the unit back leaves the search working
        {
            TransactionGuard guard(DM);
            QVERIFY(update(QStringLiteral("AB13/07"), QStringLiteral("AB14/07")));
            QCOMPARE(found(QStringLiteral("AB1")), (QStringList{"AB12/07", "AB13/07"}));
            guard.rollback();
        }
        QCOMPARE(found(QStringLiteral("AB1")), (QStringList{"AB12/07", "AB13/07"}));
        {
            TransactionGuard guard(DM);
            QVERIFY(update(QStringLiteral("AB13/07"), QStringLiteral("AB14/07")));
            QVERIFY(guard.commit());
        }
        QCOMPARE(found(QStringLiteral("AB1")), (QStringList{"AB12/07", "AB14/07"}));
        // another workstation's commit is seen too
        {
            std::unique_ptr<TDMPro> second = secondWorkstation();
            QVERIFY(second);
            QSqlQuery q = second->NewQuery();
            QVERIFY(q.exec(QStringLiteral("INSERT INTO PR_TAB (UNCIS, UNCH, VYRCIS, KLIC) VALUES (990, %1, 'AB15/07', 0)").arg(key)));
        }
        QCOMPARE(found(QStringLiteral("AB1")), (QStringList{"AB12/07", "AB14/07", "AB15/07"}));
        // the typed text is only ever a prefix
        QVERIFY(update(QStringLiteral("AB15/07"), QStringLiteral("ŽČ-15")));
        QCOMPARE(found(QStringLiteral("ŽČ")), QStringList{"ŽČ-15"});
        QCOMPARE(found(QStringLiteral("žč")), QStringList());
        QCOMPARE(found(QStringLiteral("AB' OR '1'='1")), QStringList());
        QCOMPARE(found(QStringLiteral("'")), QStringList());
        QCOMPARE(found(QStringLiteral("%")), QStringList());
        QCOMPARE(found(QString(31, QLatin1Char('A'))), QStringList());
        QCOMPARE(found(QStringLiteral("AB12/07").leftJustified(30, QLatin1Char('x'))), QStringList());
        QCOMPARE(found(QStringLiteral("AB12/07").repeated(20)), QStringList());
        QCOMPARE(found(QString()), (QStringList{"AB12/07", "AB14/07", "ŽČ-15"}));
        QCOMPARE(search.preparations(), 1);

        // the statement goes with its connection: a closed one is an error, a reopened
        // one gets the statement prepared again
        Firebird::Location where;
        where.path = DM->database().databaseName();
        DM->close();
        QVector<HPSerialSearch::Row> none;
        QString error;
        QVERIFY(!search.find(QStringLiteral("AB"), &none, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(DM->open(where, QStringLiteral("SYSDBA"), QStringLiteral("masterkey")));
        QCOMPARE(found(QStringLiteral("AB")), (QStringList{"AB12/07", "AB14/07"}));
        QCOMPARE(search.preparations(), 2);
    }
};

QTEST_MAIN(TestInspections)
#include "tst_hprecords.moc"
