// Fire-damper inspections on real database files: a new inspection with its dampers,
// the five findings and the count of dampers, the regular-inspection dates, the
// carry-forward that keeps every damper with its findings (and leaves nothing when it
// fails), insertion at a position and moves, and the list with its default layout.
#include <QtTest>
#include <QSqlError>
#include <QSqlQuery>

#include "support/protocolfixture.h"
#include "support/programdatabasetest.h"
#include "inspections/hpc.h"
#include "inspections/pkc.h"

class TestDampers : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    static int addDamper(TfPKC &c, const QString &oznklap, const QString &findings = QString())
    {
        const int key = c.AddItem();
        if (key <= 0)
            return key;
        c.pk().setValue(QStringLiteral("OZNKLAP"), oznklap);
        c.pk().setValue(QStringLiteral("VYRCIS"), QStringLiteral("V-") + oznklap);
        for (int i = 0; i < findings.size(); ++i)
            if (c.SetFinding(TfPKC::findingColumns().at(i), findings.mid(i, 1).trimmed()) < 0)
                return -1;
        return c.SaveRecord() < 0 ? -1 : key;
    }
    // Designation and findings of each damper, in the order shown.
    static QStringList dampers(int inspection)
    {
        QStringList out;
        QSqlQuery q = DM->NewQuery();
        q.exec(QStringLiteral("SELECT OZNKLAP, COALESCE(PRISTUP, '') || COALESCE(ZAZDENI, '') || "
                              "COALESCE(FUNKCN, '') || COALESCE(DALKSP, '') || COALESCE(SIGNAL, ''), POZN "
                              "FROM PK_TAB WHERE UNCH = %1 ORDER BY PORADI, UNCPOM").arg(inspection));
        while (q.next())
            out << q.value(0).toString() + QLatin1Char(':') + q.value(1).toString() + QLatin1Char(':')
                       + q.value(2).toString();
        return out;
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void inspectionWithDampersTheirFindingsAndTheirCount()
    {
        std::unique_ptr<TfPKC> c(TfClass::create<TfPKC>(DM));
        const int key = newInspection(*c, QDate(2025, 3, 1));
        QVERIFY2(key > 0, qPrintable(c->lastError()));
        QCOMPARE(scalar(QStringLiteral("SELECT PRAVID || FAKTURA || ZAMEK || POCPK || UNCDOD || PCISLO FROM PK_HLAV "
                                       "WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("APN000"));

        QVERIFY(c->AddItem() > 0);
        c->pk().setValue(QStringLiteral("OBJEKT"), QStringLiteral("Hala A"));
        c->pk().setValue(QStringLiteral("MISTO"), QStringLiteral("strojovna"));
        c->pk().setValue(QStringLiteral("PORADI"), 2);
        c->pk().setValue(QStringLiteral("OZNKLAP"), QStringLiteral("K1"));
        c->pk().setValue(QStringLiteral("POZN"), QStringLiteral("prach"));
        QCOMPARE(c->SetFinding(QStringLiteral("Pristup"), QStringLiteral("1")), 0);
        QCOMPARE(c->SetFinding(QStringLiteral("FUNKCN"), QStringLiteral("3")), 0);
        // only the five codes, only the five finding columns; an empty one is stored empty
        QCOMPARE(c->SetFinding(QStringLiteral("ZAZDENI"), QStringLiteral("6")), -1);
        QCOMPARE(c->SetFinding(QStringLiteral("ZAZDENI"), QStringLiteral("0")), -1);
        QCOMPARE(c->SetFinding(QStringLiteral("ZAZDENI"), QStringLiteral("Bezvadný")), -1);
        QCOMPARE(c->SetFinding(QStringLiteral("MISTO"), QStringLiteral("1")), -1);
        QCOMPARE(c->SetFinding(QStringLiteral("SIGNAL"), QStringLiteral("5")), 0);
        QCOMPARE(c->SetFinding(QStringLiteral("SIGNAL"), QString()), 0);
        QCOMPARE(c->SaveRecord(), 0);

        // a new damper takes object, location and order number; a repeated one every
        // finding but neither the serial number, the designation nor the note
        QVERIFY(c->AddItem() > 0);
        QCOMPARE(c->pk().value(QStringLiteral("OBJEKT")).toString(), QStringLiteral("Hala A"));
        QCOMPARE(c->pk().value(QStringLiteral("PORADI")).toInt(), 2);
        c->pk().setValue(QStringLiteral("OZNKLAP"), QStringLiteral("K2"));
        QVERIFY(c->SetFinding(QStringLiteral("DALKSP"), QStringLiteral("4")) == 0);
        c->pk().first();
        QVERIFY(c->RepeatItem() > 0);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(dampers(key), (QStringList{"K1:13:prach", "K2:4:", ":13:"}));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PK_TAB WHERE UNCH = %1 AND MISTO = 'strojovna' "
                                      "AND ZAZDENI IS NULL AND SIGNAL IS NULL").arg(key)), 3);
        // the count is of all dampers, whatever their findings
        QCOMPARE(count(QStringLiteral("SELECT POCPK FROM PK_HLAV WHERE UNCIS = %1").arg(key)), 3);
        c->pk().last();
        QVERIFY(c->DeleteCurrentItem() >= 0);
        QCOMPARE(c->CheckBeforeSave(true), 0);
        QCOMPARE(c->header().value(QStringLiteral("POCPK")).toInt(), 2);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT POCPK FROM PK_HLAV WHERE UNCIS = %1").arg(key)), 2);

        // what the drop-downs show and store
        QCOMPARE(TfPKC::findingTexts().size(), 5);
        QCOMPARE(TfPKC::findingText(QStringLiteral("3")), QStringLiteral("Nevyhovující"));
        QCOMPARE(TfPKC::findingCode(QStringLiteral("Nelze zkontrolovat")), QStringLiteral("5"));
        QVERIFY(TfPKC::findingText(QStringLiteral("6")).isEmpty());
        QVERIFY(TfPKC::findingCode(QStringLiteral("jiný")).isEmpty());
    }

    void regularInspectionDates_data() { regularInspectionRows(); }
    void regularInspectionDates()
    {
        QFETCH(QDate, datum);
        QFETCH(QString, pravid);
        QFETCH(QString, message);
        std::unique_ptr<TfPKC> c(TfClass::create<TfPKC>(DM));
        QVERIFY(newInspection(*c, QDate(2024, 3, 1)) > 0);
        // another site and a non-regular inspection do not count, nor do extinguishers
        QVERIFY(newInspection(*c, QDate(2024, 12, 1), QStringLiteral("A"), 10, 21) > 0);
        QVERIFY(newInspection(*c, QDate(2024, 12, 2), QStringLiteral("N")) > 0);
        std::unique_ptr<TfHPC> hp(TfClass::create<TfHPC>(DM));
        QVERIFY(newInspection(*hp, QDate(2024, 12, 3)) > 0);
        QVERIFY(newInspection(*c, datum, pravid) > 0);
        prompt().clear();
        QCOMPARE(c->CheckBeforeNextSave(), 0);
        if (message.isEmpty()) {
            QVERIFY2(prompt().shown.isEmpty(), qPrintable(prompt().texts().join(QLatin1Char('|'))));
        } else {
            QCOMPARE(prompt().texts(), QStringList{message});
            QCOMPARE(prompt().shown.constFirst().caption, QStringLiteral("Pravidelná prohlídka"));
        }
        prompt().clear();
    }

    void carryForwardKeepsEveryDamperWithItsFindings()
    {
        std::unique_ptr<TfPKC> c(TfClass::create<TfPKC>(DM));
        const int key = newInspection(*c, QDate(2024, 3, 1));
        QVERIFY(addDamper(*c, QStringLiteral("K1"), QStringLiteral("12345")) > 0);
        QVERIFY(addDamper(*c, QStringLiteral("K2"), QStringLiteral("3 3 3")) > 0);
        QVERIFY(addDamper(*c, QStringLiteral("K3")) > 0);
        c->pk().first();
        c->pk().setValue(QStringLiteral("POZN"), QStringLiteral("vyměnit pojistku"));
        RowCache &head = c->header();
        head.setValue(QStringLiteral("CISPRO"), QStringLiteral("PK-7"));
        head.setValue(QStringLiteral("PCISLO"), 7);
        head.setValue(QStringLiteral("UNCDOD"), 4401);
        head.setValue(QStringLiteral("ZAMEK"), QStringLiteral("A"));
        head.setValue(QStringLiteral("FAKTURA"), QStringLiteral("H"));
        head.setValue(QStringLiteral("ZAPATI"), QStringLiteral("Závěr"));
        QCOMPARE(c->SaveRecord(), 0);
        // the technician arranged the dampers against the order they were typed in
        QVERIFY(DM->NewQuery().exec(QStringLiteral("UPDATE PK_TAB SET UNCPOM = 100000000 - UNCPOM WHERE UNCH = %1").arg(key)));
        const QStringList before = dampers(key);
        QCOMPARE(before, (QStringList{"K3::", "K2:333:", "K1:12345:vyměnit pojistku"}));

        // a failure in the middle leaves no copy and the source open
        QVERIFY(DM->executeDdl(QStringLiteral("CREATE EXCEPTION TST_STOP 'zastaveno'")));
        QVERIFY(DM->executeDdl(QStringLiteral("CREATE TRIGGER TST_FAIL FOR PK_TAB BEFORE INSERT AS BEGIN "
                                              "IF (NEW.OZNKLAP = 'K1' AND RDB$GET_CONTEXT('USER_SESSION', 'TST_STOP') = '1') "
                                              "THEN EXCEPTION TST_STOP; END")));
        auto stop = [](const char *value) {
            QSqlQuery q = DM->NewQuery();
            return q.exec(QStringLiteral("SELECT RDB$SET_CONTEXT('USER_SESSION', 'TST_STOP', %1) FROM RDB$DATABASE")
                              .arg(QLatin1String(value)))
                   && q.next();
        };
        QVERIFY(stop("'1'"));
        QVERIFY(c->CarryForward(key) < 0);
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Zkopírování dokladu PK"));
        QVERIFY(!prompt().saw(QStringLiteral("Hotovo")));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PK_HLAV")), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PK_TAB")), 3);
        QCOMPARE(c->header().value(QStringLiteral("UNCIS")).toInt(), key);
        QVERIFY(stop("NULL"));
        prompt().clear();

        const int copy = c->CarryForward(key);
        QVERIFY2(copy > 0, qPrintable(c->lastError()));
        QVERIFY(prompt().saw(QStringLiteral("Hotovo")));
        // every damper, its findings and its note, in the order shown; the copies took
        // their keys in that order too
        QCOMPARE(dampers(copy), before);
        QStringList byKey;
        QSqlQuery k = DM->NewQuery();
        QVERIFY(k.exec(QStringLiteral("SELECT OZNKLAP FROM PK_TAB WHERE UNCH = %1 ORDER BY UNCIS").arg(copy)));
        while (k.next())
            byKey << k.value(0).toString();
        QCOMPARE(byKey, (QStringList{"K3", "K2", "K1"}));
        QCOMPARE(c->pk().rowCount(), 3);
        QSqlQuery h = DM->NewQuery();
        QVERIFY(h.exec(QStringLiteral("SELECT DATUM, CISPRO, PCISLO, UNCDOD, ZAMEK, FAKTURA, POCPK, UNCFIR, UNCSTR, "
                                      "ZAPATI FROM PK_HLAV WHERE UNCIS = %1").arg(copy)));
        QVERIFY(h.next());
        QCOMPARE(h.value(0).toDate(), QDate::currentDate());
        QVERIFY(h.value(1).toString().isEmpty());
        QCOMPARE(h.value(2).toInt(), 0);
        QCOMPARE(h.value(3).toInt(), 0);
        QCOMPARE(h.value(4).toString().trimmed(), QStringLiteral("N"));
        QCOMPARE(h.value(5).toString().trimmed(), QStringLiteral("H"));   // the state is not reset
        QCOMPARE(h.value(6).toInt(), 3);
        QCOMPARE(h.value(7).toInt(), 10);
        QCOMPARE(h.value(8).toInt(), 20);
        QCOMPARE(h.value(9).toString(), QStringLiteral("Závěr"));
        QCOMPARE(c->header().value(QStringLiteral("UNCIS")).toInt(), copy);
        QCOMPARE(scalar(QStringLiteral("SELECT CISPRO || ZAMEK FROM PK_HLAV WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("PK-7A"));
        QCOMPARE(dampers(key), before);
    }

    void insertionMovesAndTheOrderOfEntry()
    {
        std::unique_ptr<TfPKC> c(TfClass::create<TfPKC>(DM));
        const int key = newInspection(*c, QDate(2025, 1, 10));
        QList<int> keys;
        for (const char *s : {"A", "B", "C"})
            keys << addDamper(*c, QLatin1String(s));
        auto names = [key] {
            QStringList out;
            for (const QString &d : dampers(key))
                out << d.section(QLatin1Char(':'), 0, 0);
            return out;
        };
        QVERIFY(c->pk().locate(QStringLiteral("UNCIS"), keys[1]));
        const int added = c->InsertItemAtCurrent();
        QVERIFY(added > 0);
        QVERIFY(c->skipsNextDateCheck());
        QCOMPARE(names(), (QStringList{"A", "", "B", "C"}));
        c->pk().first();
        QCOMPARE(c->MoveItem(QLatin1Char('P')), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("První záznam !"));
        QCOMPARE(c->MoveItem(QLatin1Char('N')), 0);
        QCOMPARE(names(), (QStringList{"", "A", "B", "C"}));
        QCOMPARE(c->pk().value(QStringLiteral("UNCIS")).toInt(), keys[0]);
        // sorted by designation for a while, then back to the order of entry
        QCOMPARE(c->SortItems(QStringLiteral("oznklap desc")), 0);
        QCOMPARE(c->pk().value(0, QStringLiteral("OZNKLAP")).toString(), QStringLiteral("C"));
        QCOMPARE(c->NeradiPK(), 0);
        QCOMPARE(c->pk().value(0, QStringLiteral("UNCIS")).toInt(), added);
        QCOMPARE(c->pk().value(1, QStringLiteral("UNCIS")).toInt(), keys[0]);
        QCOMPARE(c->pk().value(3, QStringLiteral("UNCIS")).toInt(), keys[2]);
        prompt().clear();
    }

    void listOrdersByItsOwnKeysWithItsDefaultLayout()
    {
        std::unique_ptr<TfPKC> c(TfClass::create<TfPKC>(DM));
        const int first = newInspection(*c, QDate(2020, 1, 1));
        QVERIFY(newInspection(*c, QDate::currentDate()) > 0);
        // the list joins owner, site and technicians, which all have a key of that name
        QCOMPARE(c->OpenDefaultList(), 0);
        QCOMPARE(c->rowCount(), 2);
        QCOMPARE(c->list().value(0, QStringLiteral("UNCIS")).toInt(), first);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GGTAB T JOIN GGHLAV G ON G.UNCIS = T.UNCH "
                                      "JOIN STRUK S ON S.UNCIS = T.UNCSTR AND S.OKNO = 'TfPKS' "
                                      "WHERE G.OKNO = 'TfPKS' AND G.NAZEV = 'Základní'")), 7);
    }
};

QTEST_MAIN(TestDampers)
#include "tst_dampers.moc"
