// Hydrant inspections on real database files: an inspection with its hydrants and
// checks (defaults, count, the checks from the catalogue, insertion and moves), the
// flow from the pressure and its unit text, the finding letters, carry-forward with its
// resets and its failure, and the regular-inspection dates.
#include <QtTest>
#include <QSqlQuery>

#include "support/protocolfixture.h"
#include "support/programdatabasetest.h"
#include "inspections/pvc.h"

class TestHydrants : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    static TfPVC *controller() { return TfClass::create<TfPVC>(DM); }

    static int addHydrant(TfPVC &c, const QString &oznaceni)
    {
        const int key = c.AddItem();
        if (key <= 0)
            return key;
        c.pv().setValue(QStringLiteral("OZNACENI"), oznaceni);
        return c.SaveRecord() < 0 ? -1 : key;
    }
    static QStringList designations(int inspection)
    {
        QStringList out;
        QSqlQuery q = DM->NewQuery();
        q.exec(QStringLiteral("SELECT OZNACENI FROM VOD_TAB WHERE UNCH = %1 ORDER BY PORADI, UNCPOM").arg(inspection));
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void inspectionWithHydrantsChecksAndPositions()
    {
        std::unique_ptr<TfPVC> c(controller());
        const int key = newInspection(*c, QDate(2025, 1, 10));
        QVERIFY(key > 0);
        QCOMPARE(scalar(QStringLiteral("SELECT HOTOVO || PRAVID || ZAMEK || POCPV || UNCDOD || PCISLO FROM VOD_HLAV")).toString(),
                 QStringLiteral("PAN000"));
        for (const char *o : {"H1", "H2", "H3"})
            QVERIFY(addHydrant(*c, QLatin1String(o)) > 0);
        QCOMPARE(scalar(QStringLiteral("SELECT POCPV FROM VOD_HLAV")).toInt(), 3);

        // the new one takes the place of H2, which moves down with H3
        QCOMPARE(c->FindItemByDesignation(QStringLiteral("h2")), 1);
        c->pv().setCurrentRow(1);
        const int inserted = c->InsertItemAtCurrent();
        QVERIFY(inserted > 0);
        c->pv().setValue(QStringLiteral("OZNACENI"), QStringLiteral("N"));
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(designations(key), (QStringList{"H1", "N", "H2", "H3"}));
        QCOMPARE(scalar(QStringLiteral("SELECT POCPV FROM VOD_HLAV")).toInt(), 4);
        QVERIFY(c->skipsNextDateCheck());
        c->pv().locate(QStringLiteral("OZNACENI"), QStringLiteral("H3"));
        QCOMPARE(c->MoveItem(QLatin1Char('N')), -1);
        QVERIFY(prompt().saw(QStringLiteral("Poslední záznam !")));
        QCOMPARE(c->MoveItem(QLatin1Char('P')), 0);
        QCOMPARE(designations(key), (QStringList{"H1", "N", "H3", "H2"}));
        QCOMPARE(c->pv().value(QStringLiteral("OZNACENI")).toString(), QStringLiteral("H3"));
        // "Opakovat PV" keeps the type and place but not the measured values
        c->pv().setValue(QStringLiteral("TYP"), QStringLiteral("D25"));
        c->pv().setValue(QStringLiteral("PRETLAK"), 0.3);
        c->pv().setValue(QStringLiteral("VYHOV"), QStringLiteral("A"));
        QVERIFY(c->RepeatItem() > 0);
        QCOMPARE(c->pv().value(QStringLiteral("TYP")).toString(), QStringLiteral("D25"));
        QVERIFY(c->pv().value(QStringLiteral("PRETLAK")).isNull());
        QCOMPARE(c->pv().value(QStringLiteral("VYHOV")).toString(), QStringLiteral("N"));
        QVERIFY(c->pv().value(QStringLiteral("OZNACENI")).toString().isEmpty());

        // the catalogue twice gives its rows twice
        exec(QStringLiteral("INSERT INTO KATVODHKON (UNCIS, KONTROLA) VALUES (100, 'Tlaková zkouška')"));
        exec(QStringLiteral("INSERT INTO KATVODHKON (UNCIS, KONTROLA) VALUES (200, 'Značení')"));
        QCOMPARE(c->FillChecksFromCatalogue(), 0);
        QCOMPARE(c->FillChecksFromCatalogue(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM VODHKON WHERE UNCH = %1").arg(key)), 4);
        QCOMPARE(c->kontroly().rowCount(), 4);
        QCOMPARE(c->kontroly().value(2, QStringLiteral("KONTROLA")).toString(), QStringLiteral("Tlaková zkouška"));
        // the repeated item was saved with the checks, and the count with it
        QCOMPARE(scalar(QStringLiteral("SELECT POCPV FROM VOD_HLAV")).toInt(), 5);
        QCOMPARE(TfPVC::checkStateOfKey(QLatin1Char('k')), QStringLiteral("Nelze zkontrolovat"));
        QVERIFY(TfPVC::checkStateOfKey(QLatin1Char('Z')).isEmpty());
        prompt().clear();
    }

    void flowFromPressureAndItsUnit()
    {
        std::unique_ptr<TfPVC> c(controller());
        QVERIFY(newInspection(*c, QDate(2025, 1, 10)) > 0);
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS, DRUH, VYROBCE, PRUMHUB, ZKTL) "
                            "VALUES (500, 11, 'Hydrant D25', 'D', 'Vodotech', 10, 100)"));
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS) VALUES (501, 7, 'PG6')"));
        QVERIFY(c->AddItem() > 0);
        QCOMPARE(c->ChooseType(501), -1);   // an extinguisher is no hydrant type
        QCOMPARE(c->ChooseType(500), 0);
        QCOMPARE(c->pv().value(QStringLiteral("TYP")).toString(), QStringLiteral("Hydrant D25"));
        QCOMPARE(c->pv().value(QStringLiteral("HUBICE")).toDouble(), 10.0);
        c->pv().setValue(QStringLiteral("PRETLAK"), 0.2);
        QCOMPARE(c->FlowFromPressure(), 0);
        QCOMPARE(c->pv().value(QStringLiteral("PRUTOK")).toDouble(), 2.357);
        QVERIFY(c->pv().value(QStringLiteral("PRUTOKJED")).isNull());

        // a negative pressure leaves the flow as it was, rather than no number at all
        c->pv().setValue(QStringLiteral("PRETLAK"), -0.5);
        QCOMPARE(c->FlowFromPressure(), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Přiřazení hodnot !"));
        QCOMPARE(c->pv().value(QStringLiteral("PRUTOK")).toDouble(), 2.357);

        // the text follows the unit; two clicks give the first text back, the number stays
        c->pv().setValue(QStringLiteral("PRUTOK"), 1250.5);
        c->FlowTyped();
        const QString first = c->pv().value(QStringLiteral("PRUTOKJED")).toString();
        QCOMPARE(first, QStringLiteral("1 250,50 l/s"));
        c->ToggleFlowUnit();
        QCOMPARE(c->pv().value(QStringLiteral("PRUTOKJED")).toString(), QStringLiteral("1 250,50 l/min"));
        c->ToggleFlowUnit();
        QCOMPARE(c->pv().value(QStringLiteral("PRUTOKJED")).toString(), first);
        QCOMPARE(c->pv().value(QStringLiteral("PRUTOK")).toDouble(), 1250.5);

        // an item without coefficient keeps its flow
        QVERIFY(c->AddItem() > 0);
        c->pv().setValue(QStringLiteral("PRUTOK"), 3.5);
        c->pv().setValue(QStringLiteral("PRETLAK"), 0.4);
        QCOMPARE(c->FlowFromPressure(), 1);
        QCOMPARE(c->pv().value(QStringLiteral("PRUTOK")).toDouble(), 3.5);

        // finding letters: lower case is taken upper-cased, others are ignored
        QVERIFY(c->TypeFinding(QStringLiteral("OM"), QLatin1Char('v')));
        QVERIFY(!c->TypeFinding(QStringLiteral("SK"), QLatin1Char('a')));
        QVERIFY(c->TypeFinding(QStringLiteral("PS"), QLatin1Char('o')));
        QCOMPARE(c->pv().value(QStringLiteral("OM")).toString(), QStringLiteral("V"));
        QVERIFY(c->pv().value(QStringLiteral("SK")).isNull());
        c->CopyFindings();
        c->pv().setCurrentRow(0);
        QVERIFY(c->PasteFindings());
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT OM || PS FROM VOD_TAB WHERE UNCCEN = 500")).toString(), QStringLiteral("VO"));
        // the header findings are stored as 'A' and blank and shown as V and X
        QCOMPARE(TfPVC::shownFinding(QStringLiteral("VYTARM"), QStringLiteral("A")), QStringLiteral("V"));
        QCOMPARE(TfPVC::shownFinding(QStringLiteral("TEPOCH"), QString()), QStringLiteral("X"));
        QCOMPARE(TfPVC::storedFinding(QStringLiteral("KOROCH"), QStringLiteral("x")), QString());
        QCOMPARE(TfPVC::storedFinding(QStringLiteral("DOCHODUPC"), QStringLiteral("V")), QStringLiteral("A"));
        QCOMPARE(TfPVC::storedFinding(QStringLiteral("PRIVPOTSTA"), QStringLiteral("V")), QStringLiteral("V"));
        QCOMPARE(TfPVC::shownFinding(QStringLiteral("PRIVPOTSTA"), QString()), QStringLiteral("X"));
        prompt().clear();
    }

    void carryForwardKeepsEveryHydrantWithItsFindings()
    {
        std::unique_ptr<TfPVC> c(controller());
        const int key = newInspection(*c, QDate(2024, 3, 1));
        for (int i = 3; i >= 1; --i) {
            QVERIFY(c->AddItem() > 0);
            RowCache &h = c->pv();
            h.setValue(QStringLiteral("OZNACENI"), QStringLiteral("H%1").arg(i));
            h.setValue(QStringLiteral("PORADI"), i);
            h.setValue(QStringLiteral("PRETLAK"), 0.2 * i);
            h.setValue(QStringLiteral("OM"), QStringLiteral("N"));
            h.setValue(QStringLiteral("PS"), QStringLiteral("O"));
            h.setValue(QStringLiteral("POZN_1"), QStringLiteral("pozn%1").arg(i));
            h.setValue(QStringLiteral("CRAD"), QStringLiteral("c%1").arg(i));
            h.setValue(QStringLiteral("DP"), QStringLiteral("d%1").arg(i));
        }
        QVERIFY(c->AddCheck() > 0);
        c->kontroly().setValue(QStringLiteral("KONTROLA"), QStringLiteral("Tlaková zkouška"));
        c->kontroly().setValue(QStringLiteral("STAV"), QStringLiteral("Vyhovuje"));
        RowCache &h = c->header();
        h.setValue(QStringLiteral("CISPRO"), QStringLiteral("PV-1"));
        h.setValue(QStringLiteral("PCISLO"), 7);
        h.setValue(QStringLiteral("UNCDOD"), 55);
        h.setValue(QStringLiteral("ZAMEK"), QStringLiteral("A"));
        h.setValue(QStringLiteral("HOTOVO"), QStringLiteral("H"));
        h.setValue(QStringLiteral("VYTARM"), QStringLiteral("A"));
        QCOMPARE(c->SaveRecord(), 0);

        const int copy = c->CarryForward(key);
        QVERIFY(copy > 0 && copy != key);
        QVERIFY(prompt().saw(QStringLiteral("Hotovo")));
        QCOMPARE(c->header().value(QStringLiteral("UNCIS")).toInt(), copy);
        QCOMPARE(scalar(QStringLiteral("SELECT DATUM FROM VOD_HLAV WHERE UNCIS = %1").arg(copy)).toDate(),
                 QDate::currentDate());
        QCOMPARE(scalar(QStringLiteral("SELECT PCISLO || '|' || UNCDOD || '|' || COALESCE(CISPRO, '') || '|' || ZAMEK || "
                                       "HOTOVO || VYTARM || POCPV FROM VOD_HLAV WHERE UNCIS = %1").arg(copy)).toString(),
                 QStringLiteral("0|0||NPA3"));
        // every hydrant with its findings and carried columns, in the order shown
        QCOMPARE(designations(copy), (QStringList{"H1", "H2", "H3"}));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM VOD_TAB A JOIN VOD_TAB B ON B.OZNACENI = A.OZNACENI "
                                      "WHERE A.UNCH = %1 AND B.UNCH = %2 AND B.OM = A.OM AND B.PS = A.PS "
                                      "AND B.PRETLAK = A.PRETLAK AND B.POZN_1 = A.POZN_1 AND B.CRAD = A.CRAD "
                                      "AND B.DP = A.DP AND B.UNCIS <> A.UNCIS").arg(key).arg(copy)), 3);
        QCOMPARE(scalar(QStringLiteral("SELECT MIN(UNCIS) FROM VOD_TAB WHERE UNCH = %1").arg(copy)),
                 scalar(QStringLiteral("SELECT UNCIS FROM VOD_TAB WHERE UNCH = %1 AND OZNACENI = 'H1'").arg(copy)));
        QCOMPARE(scalar(QStringLiteral("SELECT KONTROLA || STAV FROM VODHKON WHERE UNCH = %1").arg(copy)).toString(),
                 QStringLiteral("Tlaková zkouškaVyhovuje"));
        // the source is as it was
        QCOMPARE(scalar(QStringLiteral("SELECT CISPRO || ZAMEK FROM VOD_HLAV WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("PV-1A"));
        prompt().clear();

        // a failure copying the checks leaves no copy at all
        QVERIFY(DM->executeDdl(QStringLiteral("CREATE EXCEPTION TST_STOP 'zastaveno'")));
        QVERIFY(DM->executeDdl(QStringLiteral("CREATE TRIGGER TST_FAIL FOR VODHKON BEFORE INSERT AS BEGIN "
                                              "EXCEPTION TST_STOP; END")));
        QVERIFY(c->CarryForward(key) < 0);
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Zkopírování dokladu HP"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM VOD_HLAV")), 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM VOD_TAB")), 6);
        QCOMPARE(c->header().value(QStringLiteral("UNCIS")).toInt(), key);
        prompt().clear();
    }

    void regularInspectionDates_data() { regularInspectionRows(); }
    void regularInspectionDates()
    {
        QFETCH(QDate, datum);
        QFETCH(QString, pravid);
        QFETCH(QString, message);
        std::unique_ptr<TfPVC> c(controller());
        QVERIFY(newInspection(*c, QDate(2024, 3, 1)) > 0);
        // neither another site nor a non-regular inspection counts, nor an extinguisher one
        QVERIFY(newInspection(*c, QDate(2024, 12, 1), QStringLiteral("A"), 10, 21) > 0);
        QVERIFY(newInspection(*c, QDate(2024, 12, 2), QStringLiteral("N")) > 0);
        exec(QStringLiteral("INSERT INTO PR_HLAV (UNCIS, UNCFIR, UNCSTR, PRAVID, DATUM) VALUES (900, 10, 20, 'A', '2024-12-03')"));
        QVERIFY(newInspection(*c, datum, pravid) > 0);
        QVERIFY(c->AddItem() > 0);
        prompt().clear();
        QCOMPARE(c->CheckBeforeNextSave(), 0);
        QCOMPARE(c->header().value(QStringLiteral("POCPV")).toInt(), 1);
        if (message.isEmpty()) {
            QVERIFY2(prompt().shown.isEmpty(), qPrintable(prompt().texts().join(QLatin1Char('|'))));
        } else {
            QCOMPARE(prompt().texts(), QStringList{message});
            QCOMPARE(prompt().shown.constFirst().caption, QStringLiteral("Pravidelná prohlídka"));
        }
        prompt().clear();
    }
};

QTEST_MAIN(TestHydrants)
#include "tst_hydrants.moc"
