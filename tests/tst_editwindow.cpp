// The record edit window on real database files: leaving with unsaved changes, the
// lock and its password, delete and copy against the list, saves that fail inside
// the window's transaction, and the fields bound to the header row.
#include <QtTest>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>

#include "widgets/editform.h"
#include "core/format.h"
#include "widgets/heslo.h"
#include "core/parameters.h"
#include "core/rowcachemodel.h"
#include "support/testentity.h"
#include "support/programdatabasetest.h"

namespace {

// An edit window of the test entity: three header fields and the item grid.
class TestEditForm : public TfEditForm
{
public:
    explicit TestEditForm(TfClass *controller, bool lockable)
    {
        setWindowTitle(QStringLiteral("Test"));
        setLockable(lockable);
        AttachController(controller);
        eNazev = new QLineEdit(body());
        eNazev->setObjectName(QStringLiteral("eNazev"));
        eCena = new QLineEdit(body());
        eCena->setObjectName(QStringLiteral("eCena"));
        eDatum = new QLineEdit(body());
        eDatum->setObjectName(QStringLiteral("eDatum"));
        cbFaktura = new QCheckBox(QStringLiteral("Faktura"), body());
        cbFaktura->setObjectName(QStringLiteral("cbFaktura"));
        items = new RowCacheModel(controller->item(0).cache, this);
        items->addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
        items->addColumn(QStringLiteral("MNOZ"), QStringLiteral("Množ."));
        dbgPol = new QTableView(body());
        dbgPol->setModel(items);
        auto *layout = new QVBoxLayout(body());
        layout->addWidget(eNazev);
        layout->addWidget(eCena);
        layout->addWidget(eDatum);
        layout->addWidget(cbFaktura);
        layout->addWidget(dbgPol);
        fields().bind(eNazev, controller->header(), QStringLiteral("NAZEV"));
        fields().bind(eCena, controller->header(), QStringLiteral("CENA"));
        fields().bind(eDatum, controller->header(), QStringLiteral("DATUM"));
        fields().bind(cbFaktura, controller->header(), QStringLiteral("FAKTURA"));
        watchItemGrid(items, dbgPol);
        RefreshEditActions();
    }

    int BeforeEditSave() override { return beforeSaveResult; }
    int AfterEditSave() override { return afterSaveResult; }

    QLineEdit *eNazev;
    QLineEdit *eCena;
    QLineEdit *eDatum;
    QCheckBox *cbFaktura;
    QTableView *dbgPol;
    RowCacheModel *items;
    int beforeSaveResult = 0;
    int afterSaveResult = 0;
};

bool gone(const QPointer<TestEditForm> &form)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return form.isNull();
}

} // namespace

class TestEditWindow : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    TestEntityC *c = nullptr;

    QString text(const QString &sql) { return scalar(sql).toString(); }
    // A record stored as another window would have left it.
    int record(const QString &name, const QString &lock = QStringLiteral("N"))
    {
        const int key = c->InsertRecord();
        c->header().setValue(QStringLiteral("NAZEV"), name);
        c->header().setValue(QStringLiteral("ZAMEK"), lock);
        c->SaveRecord();
        return key;
    }
    QPointer<TestEditForm> openForm(int key, bool lockable = false)
    {
        if (c->OpenRecord(key) != 0)
            return nullptr;
        return new TestEditForm(c, lockable);
    }

private slots:
    void init()
    {
        startFresh();
        QVERIFY(TestEnvironment::ddl(*DM, testEntityDdl()));
        c = TfClass::create<TestEntityC>(DM);
        QVERIFY(c);
        c->AddRef();   // the test's own reference: the controller outlives the windows
    }
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<TfEditForm *>(w))
                delete w;
        if (c)
            c->Release();
        c = nullptr;
        finish();
    }

    // --- leaving a changed record ----------------------------------------------------------

    void closeWithCancelKeepsWindowAndChanges()
    {
        const int key = record(QStringLiteral("Původní"));
        QPointer<TestEditForm> f = openForm(key);
        QVERIFY(!f->isChanged());
        QTest::keyClicks(f->eNazev, QStringLiteral(" x"));
        QVERIFY(f->isChanged());
        QCOMPARE(c->header().value(QStringLiteral("NAZEV")).toString(), QStringLiteral("Původní x"));

        prompt().answer(PromptCancel);
        QVERIFY(!f->close());
        QVERIFY(!gone(f));
        QCOMPARE(prompt().lastText(), QStringLiteral("Uložit změny ?"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Pozor"));
        QVERIFY(f->isChanged());
        QCOMPARE(f->eNazev->text(), QStringLiteral("Původní x"));
        QCOMPARE(text(QStringLiteral("SELECT NAZEV FROM TST_HLAV")), QStringLiteral("Původní"));
        delete f;
    }

    void closeWithYesSavesAndNoUndoes()
    {
        const int key = record(QStringLiteral("Původní"));
        QPointer<TestEditForm> f = openForm(key);
        QTest::keyClicks(f->eNazev, QStringLiteral(" ulozeno"));
        prompt().answer(PromptYes);
        QVERIFY(f->close());
        QVERIFY(gone(f));
        QCOMPARE(text(QStringLiteral("SELECT NAZEV FROM TST_HLAV")), QStringLiteral("Původní ulozeno"));
        QCOMPARE(count(QStringLiteral("SELECT KLIC FROM TST_HLAV")), 2);

        f = openForm(key);
        QTest::keyClicks(f->eNazev, QStringLiteral(" zahozeno"));
        prompt().answer(PromptNo);    // do not save
        prompt().answer(PromptYes);   // "Chcete odvolat provedené změny?"
        QVERIFY(f->close());
        QVERIFY(prompt().saw(QStringLiteral("Chcete odvolat provedené změny?")));
        QVERIFY(gone(f));
        QCOMPARE(c->header().value(QStringLiteral("NAZEV")).toString(), QStringLiteral("Původní ulozeno"));
        QVERIFY(!c->isModified());
        QCOMPARE(text(QStringLiteral("SELECT NAZEV FROM TST_HLAV")), QStringLiteral("Původní ulozeno"));
    }

    void goingToTheListRecordAsksFirst()
    {
        const int a = record(QStringLiteral("A"));
        const int b = record(QStringLiteral("B"));
        QCOMPARE(c->OpenDefaultList(), 0);
        QVERIFY(c->list().locate(QStringLiteral("UNCIS"), b));
        QPointer<TestEditForm> f = openForm(a);
        QTest::keyClicks(f->eNazev, QStringLiteral("1"));
        prompt().answer(PromptCancel);
        QCOMPARE(f->cZaz(), 1);
        QCOMPARE(c->currentKey(), a);
        prompt().answer(PromptYes);
        QCOMPARE(f->cZaz(), 0);
        QCOMPARE(c->header().value(QStringLiteral("UNCIS")).toInt(), b);
        QCOMPARE(f->eNazev->text(), QStringLiteral("B"));
        QCOMPARE(text(QStringLiteral("SELECT NAZEV FROM TST_HLAV WHERE UNCIS = %1").arg(a)), QStringLiteral("A1"));
        QVERIFY(!f->isChanged());
    }

    // --- saving --------------------------------------------------------------------------

    void saveStoresThenShowsTheStoredRecord()
    {
        const int key = record(QStringLiteral("R"));
        QPointer<TestEditForm> f = openForm(key);
        QTest::keyClicks(f->eCena, QStringLiteral("12,5"));
        f->eCena->editingFinished();
        QTest::keyClicks(f->eDatum, QStringLiteral("1.2.2024"));
        QTest::mouseClick(f->cbFaktura, Qt::LeftButton);
        QVERIFY(f->isChanged());
        QCOMPARE(f->cUloz(), 0);
        QVERIFY(!f->isChanged());
        QVERIFY(!f->isSaving());
        QCOMPARE(scalar(QStringLiteral("SELECT CENA FROM TST_HLAV")).toDouble(), 12.5);
        QCOMPARE(scalar(QStringLiteral("SELECT DATUM FROM TST_HLAV")).toDate(), QDate(2024, 2, 1));
        QCOMPARE(text(QStringLiteral("SELECT FAKTURA FROM TST_HLAV")), QStringLiteral("A"));
        // reopened after the commit: the window holds the stored change counter
        QCOMPARE(c->header().value(QStringLiteral("KLIC")).toInt(), count(QStringLiteral("SELECT KLIC FROM TST_HLAV")));
        QCOMPARE(f->eCena->text(), QStringLiteral("12,5"));
        QCOMPARE(f->eDatum->text(), QStringLiteral("01.02.2024"));
    }

    void unfinishedNumberIsPutBack()
    {
        const int key = record(QStringLiteral("R"));
        QPointer<TestEditForm> f = openForm(key);
        QTest::keyClicks(f->eCena, QStringLiteral("1x"));
        QVERIFY(c->header().value(QStringLiteral("CENA")).isNull() || c->header().value(QStringLiteral("CENA")).toDouble() == 1.0);
        const int beeps = prompt().beeps;
        f->eCena->editingFinished();
        QCOMPARE(prompt().beeps, beeps + 1);
        QCOMPARE(f->eCena->text(), displayText(c->header().value(QStringLiteral("CENA"))));
    }

    void failedAfterSaveKeepsTheChangesForTheNextSave()
    {
        const int key = record(QStringLiteral("R"));
        QPointer<TestEditForm> f = openForm(key);
        QTest::keyClicks(f->eNazev, QStringLiteral("2"));
        QVERIFY(c->AppendItem(c->item(0)) > 0);
        c->item(0).cache->setValue(QStringLiteral("POPIS"), QStringLiteral("nová položka"));
        QVERIFY(f->Zmena(c->item(0).cache));
        f->afterSaveResult = -1;
        QCOMPARE(f->cUloz(), -1);
        QVERIFY(!f->isSaving());
        // nothing stored, and the window still holds every change
        QCOMPARE(text(QStringLiteral("SELECT NAZEV FROM TST_HLAV")), QStringLiteral("R"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_TAB")), 0);
        QVERIFY(f->isChanged());
        QVERIFY(c->isModified());
        QCOMPARE(c->header().value(QStringLiteral("NAZEV")).toString(), QStringLiteral("R2"));
        // the change counters were not advanced: the next save is no conflict
        f->afterSaveResult = 0;
        QCOMPARE(f->cUloz(), 0);
        QCOMPARE(text(QStringLiteral("SELECT NAZEV FROM TST_HLAV")), QStringLiteral("R2"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_TAB")), 1);
    }

    void refusedSaveLeavesNoSavingSwitch()
    {
        const int key = record(QStringLiteral("R"));
        QPointer<TestEditForm> f = openForm(key);
        QTest::keyClicks(f->eNazev, QStringLiteral("3"));
        f->beforeSaveResult = 1;
        QCOMPARE(f->cUloz(), 1);
        QVERIFY(!f->isSaving());
        QVERIFY(f->isChanged());
        QCOMPARE(text(QStringLiteral("SELECT NAZEV FROM TST_HLAV")), QStringLiteral("R"));
        // leaving: Yes tries to save, which is refused, so the window stays
        prompt().answer(PromptYes);
        QVERIFY(!f->close());
        QVERIFY(!gone(f));
        delete f;
    }

    void saveConflictReportsAndKeepsChanges()
    {
        const int key = record(QStringLiteral("R"));
        QPointer<TestEditForm> f = openForm(key);
        exec(QStringLiteral("UPDATE TST_HLAV SET NAZEV = 'jinde', KLIC = KLIC + 1"));
        QTest::keyClicks(f->eNazev, QStringLiteral("4"));
        QCOMPARE(f->cUloz(), int(TfClass::ResSaveFailed));
        QVERIFY(prompt().saw(QStringLiteral("Uložení hodnot")));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Test"));
        QVERIFY(f->isChanged());
        QCOMPARE(f->eNazev->text(), QStringLiteral("R4"));
        prompt().clear();
    }

    void itemGridEditsCount()
    {
        const int key = record(QStringLiteral("R"));
        exec(QStringLiteral("INSERT INTO TST_TAB (UNCIS, UNCH, KLIC, POPIS, MNOZ) VALUES (900, %1, 0, 'a', 1)").arg(key));
        QPointer<TestEditForm> f = openForm(key);
        QCOMPARE(f->items->rowCount(), 1);
        QVERIFY(!f->items->setData(f->items->index(0, 1), QStringLiteral("dva")));
        QVERIFY(!f->isChanged());
        QVERIFY(f->items->setData(f->items->index(0, 1), QStringLiteral("2,5")));
        QVERIFY(f->isChanged());
        QCOMPARE(f->cUloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT MNOZ FROM TST_TAB")).toDouble(), 2.5);
    }

    void otherFieldKindsFollowTheRow()
    {
        const int a = record(QStringLiteral("A"));
        const int b = record(QStringLiteral("B"));
        QPointer<TestEditForm> f = openForm(a);
        auto *combo = new QComboBox(f->body());
        combo->addItem(QStringLiteral("Ano"), QStringLiteral("A"));
        combo->addItem(QStringLiteral("Ne"), QStringLiteral("N"));
        auto *date = new QDateEdit(f->body());
        auto *note = new QPlainTextEdit(f->body());
        auto *label = new QLabel(f->body());
        f->fields().bind(combo, c->header(), QStringLiteral("FAKTURA"));
        f->fields().bind(date, c->header(), QStringLiteral("DATUM"));
        f->fields().bind(note, c->header(), QStringLiteral("NAZEV"));
        f->fields().bind(label, c->header(), QStringLiteral("NAZEV"));
        QCOMPARE(combo->currentIndex(), -1);          // no value yet
        QCOMPARE(date->date(), date->minimumDate());  // empty date
        QCOMPARE(note->toPlainText(), QStringLiteral("A"));

        combo->setCurrentIndex(1);
        emit combo->activated(1);
        QCOMPARE(c->header().value(QStringLiteral("FAKTURA")).toString(), QStringLiteral("N"));
        date->setDate(QDate(2023, 12, 31));
        QCOMPARE(c->header().value(QStringLiteral("DATUM")).toDate(), QDate(2023, 12, 31));
        note->setPlainText(QStringLiteral("první\ndruhý"));
        QCOMPARE(c->header().value(QStringLiteral("NAZEV")).toString(), QStringLiteral("první\ndruhý"));
        // the other fields of the same column follow at once
        QCOMPARE(f->eNazev->text(), QStringLiteral("první\ndruhý"));
        QCOMPARE(label->text(), QStringLiteral("první\ndruhý"));
        QVERIFY(f->isChanged());
        QCOMPARE(f->cUloz(), 0);
        QCOMPARE(text(QStringLiteral("SELECT FAKTURA FROM TST_HLAV WHERE UNCIS = %1").arg(a)), QStringLiteral("N"));
        QCOMPARE(combo->currentIndex(), 1);

        // another record: every field shows it
        QCOMPARE(c->OpenRecord(b), 0);
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(date->date(), date->minimumDate());
        QCOMPARE(note->toPlainText(), QStringLiteral("B"));
        QCOMPARE(label->text(), QStringLiteral("B"));
        // no record at all: nothing can be typed
        QCOMPARE(c->OpenRecord(0), 0);
        f->RefreshEditActions();
        QVERIFY(!f->eNazev->isEnabled());
        QVERIFY(!note->isEnabled());
    }

    // --- new, delete, copy ------------------------------------------------------------------

    void newRecordWithoutKeyStopsAndKeepsTheRecord()
    {
        const int key = record(QStringLiteral("R"));
        QPointer<TestEditForm> f = openForm(key);
        QVERIFY(DM->executeDdl(QStringLiteral("ALTER SEQUENCE TST_HLAV RESTART WITH 30000000")));
        QVERIFY(f->cNovy() < 0);
        QVERIFY(prompt().saw(QStringLiteral("Vytvoření nového záznamu")));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 1);
        QCOMPARE(c->header().value(QStringLiteral("UNCIS")).toInt(), key);
        QCOMPARE(f->eNazev->text(), QStringLiteral("R"));
        prompt().clear();
    }

    void newRecordIsStoredAndShown()
    {
        const int key = record(QStringLiteral("R"));
        QPointer<TestEditForm> f = openForm(key);
        const int added = f->cNovy();
        QVERIFY(added > key);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 2);
        QCOMPARE(f->eNazev->text(), QString());
        QVERIFY(f->eNazev->isEnabled());
    }

    void deleteWithEmptyListCloses()
    {
        const int key = record(QStringLiteral("jediný"));
        QCOMPARE(c->OpenDefaultList(), 0);
        QPointer<TestEditForm> f = openForm(key);
        prompt().answer(PromptNo);
        QCOMPARE(f->cSmaz(), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 1);
        prompt().answer(PromptYes);
        QCOMPARE(f->cSmaz(), 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazat tento záznam?"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 0);
        QVERIFY(gone(f));
        QCOMPARE(c->list().recordCount(), 0);

        // an edit window opened without any list closes the same way
        const int other = record(QStringLiteral("bez seznamu"));
        c->list().close();
        f = openForm(other);
        prompt().answer(PromptYes);
        QCOMPARE(f->cSmaz(), 0);
        QVERIFY(gone(f));
    }

    void deletingTheLastListRecordMovesToOneThatExists()
    {
        const int a = record(QStringLiteral("A"));
        const int b = record(QStringLiteral("B"));
        const int last = record(QStringLiteral("C"));
        QCOMPARE(c->OpenDefaultList(), 0);
        QVERIFY(c->list().locate(QStringLiteral("UNCIS"), last));
        QPointer<TestEditForm> f = openForm(last);
        prompt().answer(PromptYes);
        QCOMPARE(f->cSmaz(), 0);
        QVERIFY(!gone(f));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV WHERE UNCIS = %1").arg(last)), 0);
        // never the deleted key again: the record before it
        QCOMPARE(c->currentKey(), b);
        QCOMPARE(c->header().value(QStringLiteral("UNCIS")).toInt(), b);
        QCOMPARE(c->list().recordCount(), 2);
        QCOMPARE(c->list().value(QStringLiteral("UNCIS")).toInt(), b);

        // a record inside the list gives way to the one after it
        QVERIFY(c->list().locate(QStringLiteral("UNCIS"), a));
        QCOMPARE(c->OpenRecord(a), 0);
        prompt().answer(PromptYes);
        QCOMPARE(f->cSmaz(), 0);
        QCOMPARE(c->currentKey(), b);
        QCOMPARE(c->list().recordCount(), 1);
        QCOMPARE(f->eNazev->text(), QStringLiteral("B"));
    }

    void failedDeleteKeepsRecordAndList()
    {
        const int a = record(QStringLiteral("A"));
        QCOMPARE(c->OpenDefaultList(), 0);
        QPointer<TestEditForm> f = openForm(a);
        // a row that refers to the header forbids its deletion
        QVERIFY(TestEnvironment::ddl(*DM, {QStringLiteral(
            "CREATE TABLE TST_REF (UNCIS INTEGER NOT NULL PRIMARY KEY, UNCH INTEGER REFERENCES TST_HLAV (UNCIS))")}));
        exec(QStringLiteral("INSERT INTO TST_REF (UNCIS, UNCH) VALUES (1, %1)").arg(a));
        prompt().answer(PromptYes);
        QVERIFY(f->cSmaz() < 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazání hodnot"));
        QVERIFY(!gone(f));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 1);
        QCOMPARE(c->list().recordCount(), 1);
        prompt().clear();
    }

    void copyOfLockedRecordStartsUnlocked()
    {
        const int key = record(QStringLiteral("Zamčený"), QStringLiteral("A"));
        exec(QStringLiteral("INSERT INTO TST_TAB (UNCIS, UNCH, KLIC, POPIS) VALUES (901, %1, 0, 'první')").arg(key));
        exec(QStringLiteral("INSERT INTO TST_TAB (UNCIS, UNCH, KLIC, POPIS) VALUES (902, %1, 0, 'druhá')").arg(key));
        QPointer<TestEditForm> f = openForm(key, true);
        QVERIFY(c->readOnly());
        const int copy = f->cOpakuj();
        QVERIFY(copy > 0 && copy != key);
        QCOMPARE(text(QStringLiteral("SELECT ZAMEK FROM TST_HLAV WHERE UNCIS = %1").arg(copy)), QStringLiteral("N"));
        QCOMPARE(text(QStringLiteral("SELECT NAZEV FROM TST_HLAV WHERE UNCIS = %1").arg(copy)), QStringLiteral("Zamčený"));
        QVERIFY(!c->readOnly());
        QVERIFY(f->lockIndicator()->isHidden());
        QVERIFY(f->isChanged());   // the copied items wait for the save
        QCOMPARE(f->cUloz(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_TAB WHERE UNCH = %1").arg(copy)), 2);
        QCOMPARE(text(QStringLiteral("SELECT ZAMEK FROM TST_HLAV WHERE UNCIS = %1").arg(key)), QStringLiteral("A"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_TAB WHERE UNCH = %1").arg(key)), 2);
    }

    // --- lock ----------------------------------------------------------------------------

    void lockedRecordRefusesTyping()
    {
        const int key = record(QStringLiteral("Zamčený"), QStringLiteral("A"));
        exec(QStringLiteral("INSERT INTO TST_TAB (UNCIS, UNCH, KLIC, POPIS) VALUES (903, %1, 0, 'p')").arg(key));
        QPointer<TestEditForm> f = openForm(key, true);
        QVERIFY(f->isLocked());
        QVERIFY(!f->lockIndicator()->isHidden());
        QVERIFY(c->readOnly());
        QVERIFY(!f->action(QStringLiteral("cSmaz"))->isEnabled());
        QTest::keyClicks(f->eNazev, QStringLiteral("x"));
        QCOMPARE(f->eNazev->text(), QStringLiteral("Zamčený"));
        QTest::mouseClick(f->cbFaktura, Qt::LeftButton);
        QVERIFY(!f->cbFaktura->isChecked());
        QVERIFY(!f->items->setData(f->items->index(0, 0), QStringLiteral("změna")));
        QVERIFY(!f->isChanged());
        QVERIFY(!c->isModified());
        QVERIFY(!f->Zmena());
        // the window of an entity that is not lockable ignores the column
        delete f;
        c->setReadOnly(false);
        QPointer<TestEditForm> plain = openForm(key, false);
        QVERIFY(!plain->isLocked());
        QTest::keyClicks(plain->eNazev, QStringLiteral("x"));
        QVERIFY(plain->isChanged());
        delete plain;
    }

    void unlockNeedsTheRightPassword()
    {
        Parameters::instance().unlockPassword = QStringLiteral("tajne");
        const int key = record(QStringLiteral("Zamčený"), QStringLiteral("A"));
        QPointer<TestEditForm> f = openForm(key, true);
        auto typing = [](const QString &password) {
            return [password](QDialog *d) {
                auto *heslo = qobject_cast<TfHeslo *>(d);
                if (!heslo)
                    return int(PromptCancel);
                heslo->passwordField()->setText(password);
                heslo->confirm();
                return heslo->result();
            };
        };
        prompt().onModal(typing(QStringLiteral("spatne")));
        QCOMPARE(f->ZamknoutOdemknout(), 1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Nesprávné heslo"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Zámek"));
        QVERIFY(f->isLocked());
        QVERIFY(c->readOnly());
        QCOMPARE(text(QStringLiteral("SELECT ZAMEK FROM TST_HLAV")), QStringLiteral("A"));

        prompt().onModal(typing(QStringLiteral("tajne")));
        QCOMPARE(f->ZamknoutOdemknout(), 0);
        QVERIFY(prompt().saw(QStringLiteral("Záznam odemčen")));
        QCOMPARE(text(QStringLiteral("SELECT ZAMEK FROM TST_HLAV")), QStringLiteral("N"));
        QVERIFY(!f->isLocked());
        QVERIFY(!c->readOnly());
        QVERIFY(f->lockIndicator()->isHidden());
        QTest::keyClicks(f->eNazev, QStringLiteral("!"));
        QVERIFY(f->isChanged());

        // locking stores the pending change with the lock, then refuses typing
        QCOMPARE(f->ZamknoutOdemknout(), 0);
        QCOMPARE(text(QStringLiteral("SELECT ZAMEK FROM TST_HLAV")), QStringLiteral("A"));
        QCOMPARE(text(QStringLiteral("SELECT NAZEV FROM TST_HLAV")), QStringLiteral("Zamčený!"));
        QVERIFY(c->readOnly());
        QTest::keyClicks(f->eNazev, QStringLiteral("?"));
        QVERIFY(!f->isChanged());
        prompt().clear();
    }

    // --- keys ----------------------------------------------------------------------------

    void enterMovesToTheNextField()
    {
        const int key = record(QStringLiteral("R"));
        QPointer<TestEditForm> f = openForm(key);
        f->show();
        QApplication::setActiveWindow(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->eNazev->setFocus();
        QCOMPARE(QApplication::focusWidget(), f->eNazev);
        QTest::keyClick(f->eNazev, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f->eCena);
        QTest::keyClick(f->eCena, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), f->eDatum);
        // Esc is the close button: nothing changed, so the window goes
        QTest::keyClick(f->eDatum, Qt::Key_Escape);
        QVERIFY(gone(f));
    }
};

QTEST_MAIN(TestEditWindow)
#include "tst_editwindow.moc"
