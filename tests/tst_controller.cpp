// The entity controller on real database files: keys, change counter, conflicts
// between two workstations, the write block, atomic saves, copies and list SQL.
#include <QtTest>
#include <QSqlQuery>

#include "support/testentity.h"
#include "support/programdatabasetest.h"
#include "core/parameters.h"

class TestController : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    std::unique_ptr<TDMPro> second;   // another workstation on the same file
    TestEntityC *controller(TDMPro *dm = DM) { return TfClass::create<TestEntityC>(dm); }

private slots:
    void init()
    {
        startFresh();
        QVERIFY(TestEnvironment::ddl(*DM, testEntityDdl()));
        second = secondWorkstation();
        QVERIFY(second);
    }
    void cleanup()
    {
        second.reset();
        finish();
    }

    void insertGivesKeysFromGeneratorWithDatabaseNumber()
    {
        Parameters::instance().databaseNumber = 3;
        std::unique_ptr<TestEntityC> c(controller());
        c->SetVariable(QStringLiteral("NAZEV"), QStringLiteral("Předvolba"));
        const int key = c->InsertRecord();
        QCOMPARE(key, 103);
        QCOMPARE(c->InsertRecord(), 203);
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT KDO, KLIC, NAZEV FROM TST_HLAV WHERE UNCIS = 103")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Uziv"));
        QCOMPARE(q.value(1).toInt(), 0);
        QCOMPARE(q.value(2).toString(), QStringLiteral("Předvolba"));
    }

    void keyThatDoesNotFitIsNeverStored()
    {
        QVERIFY(DM->executeDdl(QStringLiteral("ALTER SEQUENCE TST_HLAV RESTART WITH 30000000")));
        std::unique_ptr<TestEntityC> c(controller());
        const int key = c->InsertRecord();
        QVERIFY(key < 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 0);
        QVERIFY(prompt().saw(QStringLiteral("Přidání do hlavičky")));
        prompt().clear();
    }

    void headerValuesStoredAloneKeepOtherChangesAndRespectTheCounter()
    {
        std::unique_ptr<TestEntityC> a(controller());
        const int key = a->InsertRecord();
        QVERIFY(key > 0);
        QCOMPARE(a->OpenRecord(key), 0);
        a->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("Rozepsáno"));
        TVarSQL locked;
        locked.SetVariable(QStringLiteral("ZAMEK"), QStringLiteral("A"));
        QCOMPARE(a->storeHeaderValues(locked), 0);
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT ZAMEK, KLIC, NAZEV FROM TST_HLAV WHERE UNCIS = %1").arg(key)));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString().trimmed(), QStringLiteral("A"));
        QCOMPARE(q.value(1).toInt(), 1);
        QVERIFY(q.value(2).toString() != QStringLiteral("Rozepsáno"));
        q.clear();
        // what was typed is still to be saved, under the new counter
        QVERIFY(a->isModified());
        QCOMPARE(a->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV WHERE NAZEV = 'Rozepsáno' AND KLIC = 2 "
                                      "AND ZAMEK = 'A'")), 1);

        // a row another workstation changed meanwhile is not written
        std::unique_ptr<TestEntityC> b(controller(second.get()));
        QCOMPARE(b->OpenRecord(key), 0);
        b->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("Jinde"));
        QCOMPARE(b->SaveRecord(), 0);
        locked.SetVariable(QStringLiteral("ZAMEK"), QStringLiteral("N"));
        QCOMPARE(a->storeHeaderValues(locked), int(TfClass::ResSaveFailed));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV WHERE ZAMEK = 'A' AND NAZEV = 'Jinde'")), 1);
    }

    void lastReleaseRunsTheDerivedBeforeDestroy()
    {
        struct Counted : TestEntityC
        {
            using TestEntityC::TestEntityC;
            int *calls = nullptr;
            int BeforeDestroy() override { ++*calls; return 0; }
        };
        int calls = 0;
        Counted *c = TfClass::create<Counted>(DM);
        QVERIFY(c);
        c->calls = &calls;
        c->AddRef();
        c->AddRef();
        c->Release();
        QCOMPARE(calls, 0);
        c->Release();
        QCOMPARE(calls, 1);
    }

    void twoWorkstationsConflict()
    {
        std::unique_ptr<TestEntityC> a(controller());
        const int key = a->InsertRecord();
        QVERIFY(key > 0);
        std::unique_ptr<TestEntityC> b(controller(second.get()));
        QCOMPARE(a->OpenRecord(key), 0);
        QCOMPARE(b->OpenRecord(key), 0);
        a->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("První"));
        b->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("Druhá"));
        QCOMPARE(a->SaveRecord(), 0);
        QCOMPARE(a->header().value(QStringLiteral("KLIC")).toInt(), 1);
        QCOMPARE(b->SaveRecord(), int(TfClass::ResSaveFailed));
        // the second workstation keeps what it typed
        QCOMPARE(b->header().value(QStringLiteral("NAZEV")).toString(), QStringLiteral("Druhá"));
        QVERIFY(b->isModified());
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM TST_HLAV")).toString(),
                 QStringLiteral("První"));
        // cancel shows the stored state
        QCOMPARE(b->CancelRecord(), 0);
        QCOMPARE(b->header().value(QStringLiteral("NAZEV")).toString(), QStringLiteral("První"));
        QCOMPARE(b->header().value(QStringLiteral("KLIC")).toInt(), 1);
        b->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("Druhá"));
        QCOMPARE(b->SaveRecord(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT KLIC FROM TST_HLAV")).toInt(), 2);
    }

    void deletedMeanwhileIsAConflict()
    {
        std::unique_ptr<TestEntityC> a(controller());
        const int key = a->InsertRecord();
        std::unique_ptr<TestEntityC> b(controller(second.get()));
        QCOMPARE(b->OpenRecord(key), 0);
        QCOMPARE(a->DeleteRecord(key), 0);
        b->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("x"));
        QCOMPARE(b->SaveRecord(), int(TfClass::ResSaveFailed));
    }

    void nullChangeCounterStaysSaveable()
    {
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV) VALUES (500, 'bez klíče')")));
        std::unique_ptr<TestEntityC> c(controller());
        QCOMPARE(c->OpenRecord(500), 0);
        c->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("změněn"));
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT KLIC FROM TST_HLAV WHERE UNCIS = 500")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM TST_HLAV WHERE UNCIS = 500")).toString(),
                 QStringLiteral("změněn"));
    }

    void writeBlockRefusesInsertButNotSave()
    {
        std::unique_ptr<TestEntityC> c(controller());
        const int key = c->InsertRecord();
        QVERIFY(key > 0);
        QVERIFY(DM->executeDdl(QStringLiteral("SET GENERATOR STOPTRIG TO 1")));
        QCOMPARE(DM->WritesBlocked(), 1);
        QCOMPARE(c->InsertRecord(), int(TfClass::ResWritesBlocked));
        QCOMPARE(prompt().lastText(),
                 QStringLiteral("Zápis do databáze je blokován. Zkuste volbu zopakovat později."));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Sdílení databáze"));
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 1);
        // a record already open still saves
        QCOMPARE(c->OpenRecord(key), 0);
        c->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("uloženo"));
        QCOMPARE(c->SaveRecord(), 0);
        QVERIFY(DM->executeDdl(QStringLiteral("SET GENERATOR STOPTRIG TO 0")));
        QCOMPARE(DM->WritesBlocked(), 0);
    }

    void unreadableWriteBlockCountsAsBlocked()
    {
        TDMPro closed(QStringLiteral("QelClosed"));
        QCOMPARE(closed.WritesBlocked(), 1);
        QCOMPARE(closed.NextKey(QStringLiteral("TST_HLAV")), qint64(-1));
    }

    void failedSaveLeavesDatabaseAndCachesIntact()
    {
        std::unique_ptr<TestEntityC> a(controller());
        const int key = a->InsertRecord();
        QCOMPARE(a->OpenRecord(key), 0);
        QVERIFY(a->AppendItem(a->item(0)) > 0);
        a->item(0).cache->setValue(QStringLiteral("POPIS"), QStringLiteral("položka"));
        a->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("moje"));
        // another workstation changes the header meanwhile
        QSqlQuery q = second->NewQuery();
        QVERIFY(q.exec(QStringLiteral("UPDATE TST_HLAV SET KLIC = 7, NAZEV = 'cizí'")));
        QCOMPARE(a->SaveRecord(), int(TfClass::ResSaveFailed));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_TAB")), 0);
        QCOMPARE(a->item(0).cache->rowCount(), 1);
        QCOMPARE(a->item(0).cache->value(QStringLiteral("POPIS")).toString(), QStringLiteral("položka"));
        QCOMPARE(a->header().value(QStringLiteral("NAZEV")).toString(), QStringLiteral("moje"));
        QVERIFY(a->isModified());
        QVERIFY(!a->isSaving());
    }

    void itemsSaveWithHeaderAndDeleteCascades()
    {
        std::unique_ptr<TestEntityC> c(controller());
        const int key = c->InsertRecord();
        QCOMPARE(c->OpenRecord(key), 0);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(c->AppendItem(c->item(0)) > 0);
            c->item(0).cache->setValue(QStringLiteral("POPIS"), QStringLiteral("p%1").arg(i));
        }
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_TAB WHERE UNCH = %1").arg(key)), 3);
        // deleting a cached item is written by the next save
        c->item(0).cache->first();
        QCOMPARE(c->DeleteItem(c->item(0), 0, QStringLiteral("TST_TAB")), 0);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_TAB")), 2);
        QCOMPARE(c->DeleteRecord(key), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_TAB")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 0);
    }

    void strayKeyZeroHeaderIsRemoved()
    {
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV) VALUES (0, 'zbytek')")));
        std::unique_ptr<TestEntityC> c(controller());
        QCOMPARE(c->OpenRecord(0), 0);
        QVERIFY(c->header().isEmpty());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 0);
    }

    void copyGivesNewKeysInKeyOrderAndKeepsPresets()
    {
        std::unique_ptr<TestEntityC> c(controller());
        c->SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("P"));
        const int key = c->InsertRecord();
        QCOMPARE(c->OpenRecord(key), 0);
        c->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("Originál"));
        c->header().setValue(QStringLiteral("FAKTURA"), QStringLiteral("F"));
        QStringList texts{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        for (const QString &t : texts) {
            QVERIFY(c->AppendItem(c->item(0)) > 0);
            c->item(0).cache->setValue(QStringLiteral("POPIS"), t);
        }
        QCOMPARE(c->SaveRecord(), 0);

        const int copy = c->CopyRecord(key);
        QVERIFY(copy > key);
        QVERIFY(!c->isCopying());
        QCOMPARE(c->SaveRecord(), 0);
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT UNCIS, POPIS FROM TST_TAB WHERE UNCH = %1 ORDER BY UNCIS").arg(copy)));
        QStringList copied;
        int lastKey = 0;
        while (q.next()) {
            QVERIFY(q.value(0).toInt() > lastKey);
            lastKey = q.value(0).toInt();
            copied << q.value(1).toString();
        }
        QCOMPARE(copied, texts);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM TST_HLAV WHERE UNCIS = %1").arg(copy)).toString(),
                 QStringLiteral("Originál"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_TAB")), 6);
        // the main window's presets are in force again for the next new record
        QCOMPARE(c->defaults().GetVariable(QStringLiteral("FAKTURA")).toString(), QStringLiteral("P"));
        const int next = c->InsertRecord();
        QCOMPARE(scalar(QStringLiteral("SELECT FAKTURA FROM TST_HLAV WHERE UNCIS = %1").arg(next)).toString(),
                 QStringLiteral("P"));
        QVERIFY(scalar(QStringLiteral("SELECT NAZEV FROM TST_HLAV WHERE UNCIS = %1").arg(next)).isNull());
    }

    void copyStopsWhenInsertFails()
    {
        std::unique_ptr<TestEntityC> c(controller());
        c->SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("P"));
        const int key = c->InsertRecord();
        c->beforeInsertResult = -77;
        QCOMPARE(c->CopyRecord(key), -77);
        QVERIFY(!c->isCopying());
        QVERIFY(!c->isInserting());
        QCOMPARE(c->defaults().count(), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 1);
    }

    void insertFailureIsReturnedNotTheKey()
    {
        std::unique_ptr<TestEntityC> c(controller());
        // a preset the table refuses makes the save fail
        c->SetVariable(QStringLiteral("ZAMEK"), QStringLiteral("too long"));
        const int r = c->InsertRecord();
        QCOMPARE(r, int(TfClass::ResSaveFailed));
        QVERIFY(!c->isInserting());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 0);
    }

    void listConditionsSelectTheirRows()
    {
        std::unique_ptr<TestEntityC> c(controller());
        exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, CISLO, DATUM) VALUES (1, 'Zabava', 7, NULL)"));
        exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, CISLO, DATUM) VALUES (2, 'O''Neil', 3, NULL)"));
        exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, CISLO, DATUM) VALUES (3, 'Kabel', 9, '01.02.2024')"));
        exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, CISLO, DATUM) VALUES (4, 'Abeceda', 0, NULL)"));
        exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, CISLO, DATUM) VALUES (5, 'Habr', 4, NULL)"));
        const QString from = QStringLiteral("FROM TST_HLAV HLA");
        const QString columns = QStringLiteral("HLA.UNCIS");
        auto keys = [&](const QString &fromPart, const QString &where, const QString &order) {
            QList<int> out;
            if (c->OpenList(fromPart, columns, where, order, 0) != 0) {
                qWarning("%s", qPrintable(c->lastError()));
                return QList<int>({-1});
            }
            c->list().fetchAll();
            for (int r = 0; r < c->list().loadedRows(); ++r)
                out << c->list().value(r, QStringLiteral("UNCIS")).toInt();
            return out;
        };
        // a FROM part that already has WHERE joins the default condition with AND
        QCOMPARE(keys(from + QStringLiteral(" WHERE HLA.CISLO > 0"), QStringLiteral("HLA.DATUM IS NULL"),
                      QStringLiteral(" ORDER BY UNCIS")),
                 QList<int>({1, 2, 5}));
        // LIKE looks for the text anywhere; the other conditions go as parameters
        c->filters().SetVariable(QStringLiteral("HLA.NAZEV"), QStringLiteral("LIKE"), QStringLiteral("ab"));
        c->filters().SetVariable(QStringLiteral("CISLO"), QStringLiteral(">"), 5);
        QCOMPARE(keys(from, QString(), QStringLiteral(" ORDER BY UNCIS")), QList<int>({1, 3}));
        QCOMPARE(c->buildListSql(from, columns, QString(), QString()).parameters.size(), 1);
        // a quote in the searched text is a quote, not the end of the text
        c->filters().ClearVariables();
        c->filters().SetVariable(QStringLiteral("HLA.NAZEV"), QStringLiteral("LIKE"), QStringLiteral("O'Neil"));
        QCOMPARE(keys(from, QString(), QString()), QList<int>({2}));
        // the extra sort orders a list that has no order of its own
        c->filters().ClearVariables();
        c->setExtraSort(QStringLiteral("HLA.NAZEV"));
        QCOMPARE(keys(from, QString(), QString()), QList<int>({4, 5, 3, 2, 1}));
    }

    void conditionFollowsOnlyATopLevelWhere()
    {
        std::unique_ptr<TestEntityC> c(controller());
        QSqlQuery q = DM->NewQuery();
        for (int i = 1; i <= 3; ++i)
            QVERIFY(q.exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, CISLO) VALUES (%1, 'Firma %1', %1)").arg(i)));
        q.clear();
        // the only WHERE of this from part sits in a sub-select: the condition needs its own
        const QString from = QStringLiteral(
            "FROM TST_HLAV HLA LEFT JOIN (SELECT UNCIS AS U FROM TST_HLAV WHERE CISLO > 1) X ON X.U = HLA.UNCIS");
        QCOMPARE(c->OpenList(from, QStringLiteral("HLA.UNCIS, X.U"), QStringLiteral("HLA.CISLO < 3"),
                             QStringLiteral(" ORDER BY HLA.UNCIS"), 0), 0);
        QCOMPARE(c->rowCount(), 2);
        // with a WHERE of its own the condition joins it
        QCOMPARE(c->OpenList(from + QStringLiteral(" WHERE X.U IS NOT NULL"), QStringLiteral("HLA.UNCIS, X.U"),
                             QStringLiteral("HLA.CISLO < 3"), QStringLiteral(" ORDER BY HLA.UNCIS"), 0), 0);
        QCOMPARE(c->rowCount(), 1);
    }

    void reopenReturnsToTheRecordAtAnyDepth()
    {
        std::unique_ptr<TestEntityC> c(controller());
        {
            QSqlQuery fill = DM->NewQuery();
            QVERIFY(fill.exec(QStringLiteral(
                "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 6000) DO BEGIN "
                "INSERT INTO TST_HLAV (UNCIS, NAZEV, CISLO) VALUES (:I, 'Firma ' || LPAD(:I, 5, '0'), :I); "
                "I = I + 1; END END")));
        }
        const QString order = QStringLiteral(" ORDER BY HLA.NAZEV DESC");
        // the 5,900th row of the descending list: far beyond what a list reads at first
        QCOMPARE(c->OpenList(c->listFrom(), QStringLiteral("HLA.UNCIS, HLA.NAZEV"), QString(), order, 101), 0);
        QCOMPARE(c->list().currentRow(), 5899);
        QCOMPARE(c->list().value(QStringLiteral("UNCIS")).toInt(), 101);
        // a key that is not in the list leaves the first row current
        QCOMPARE(c->OpenList(c->listFrom(), QStringLiteral("HLA.UNCIS, HLA.NAZEV"), QStringLiteral("HLA.CISLO > 200"),
                             order, 101), 0);
        QCOMPARE(c->list().currentRow(), 0);
    }

    void listOpensFiltersAndMarks()
    {
        std::unique_ptr<TestEntityC> c(controller());
        QSqlQuery q = DM->NewQuery();
        for (int i = 1; i <= 600; ++i)
            QVERIFY(q.exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, CISLO) VALUES (%1, 'Firma %1', %2)")
                               .arg(i).arg(i % 10)));
        QCOMPARE(c->OpenList(c->listFrom(), QString(), QString(), QString(), 0), int(TfClass::ResNoListColumns));
        QCOMPARE(c->OpenDefaultList(), 0);
        QCOMPARE(c->rowCount(), 600);
        QVERIFY(c->list().loadedRows() < 600);   // read a page at a time
        c->filters().SetVariable(QStringLiteral("HLA.NAZEV"), QStringLiteral("LIKE"), QStringLiteral("O'N"));
        QCOMPARE(c->OpenDefaultList(), 0);
        QCOMPARE(c->rowCount(), 0);
        c->filters().ClearVariables();
        c->filters().SetVariable(QStringLiteral("CISLO"), 3);
        QCOMPARE(c->OpenDefaultList(), 0);
        QCOMPARE(c->rowCount(), 60);
        c->filters().ClearVariables();
        // reopen returns to the key of the current row
        QCOMPARE(c->OpenDefaultList(), 0);
        QVERIFY(c->list().locate(QStringLiteral("UNCIS"), 550));
        QCOMPARE(c->OpenDefaultList(), 0);
        QCOMPARE(c->list().value(QStringLiteral("UNCIS")).toInt(), 550);
        QCOMPARE(c->MarkRow(0), 0);
        QCOMPARE(c->markedCount(), 1);
        QCOMPARE(c->MarkRow(0), 0);
        QCOMPARE(c->markedCount(), 0);
        QCOMPARE(c->MarkRow(2), 0);
        QCOMPARE(c->markedCount(), 600);
        QCOMPARE(c->markValue(), QStringLiteral(" "));
        QCOMPARE(c->MarkRow(4), 0);
        QCOMPARE(c->markedCount(), 0);
    }

    void saveJoinsCallersTransaction()
    {
        std::unique_ptr<TestEntityC> c(controller());
        const int key = c->InsertRecord();
        {
            TransactionGuard outer(DM);
            QVERIFY(outer.isActive());
            QCOMPARE(c->OpenRecord(key), 0);
            c->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("v transakci"));
            QCOMPARE(c->SaveRecordKeepOpen(), 0);
            outer.rollback();
        }
        QVERIFY(scalar(QStringLiteral("SELECT NAZEV FROM TST_HLAV")).isNull());
        {
            TransactionGuard outer(DM);
            QVERIFY(c->InsertRecord() > 0);
            QVERIFY(outer.commit());
        }
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 2);
    }

    void referenceCountFreesController()
    {
        QPointer<TestEntityC> c = controller();
        c->AddRef();
        c->AddRef();
        c->Release();
        QVERIFY(!c.isNull());
        c->Release();
        QVERIFY(c.isNull());
    }
};

QTEST_GUILESS_MAIN(TestController)
#include "tst_controller.moc"
