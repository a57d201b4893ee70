// The list window over a real list: title sort, search, marking, filters on marks,
// deletes one by one and in bulk, the stored order, pick mode.
#include <QtTest>
#include <QTableWidget>
#include <QAction>
#include <QHeaderView>
#include <QSqlQuery>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QTableView>

#include "core/globals.h"
#include "widgets/seznam.h"
#include "core/settingsstore.h"
#include "widgets/sortheader.h"
#include "widgets/listfilterdialogs.h"
#include "widgets/dotazcasovy.h"
#include "widgets/editform.h"
#include <QLineEdit>
#include <QListWidget>
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "support/testentity.h"
#include "support/programdatabasetest.h"

class TestList : public TfSeznam
{
    Q_OBJECT
public:
    QVector<int> detailsOpened;
    void OpenDetail(int key) override { detailsOpened << key; }
};

class TestListWindow : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    TestEntityC *controller = nullptr;

    void fill(int rows)
    {
        QSqlQuery q = DM->NewQuery();
        for (int i = 1; i <= rows; ++i)
            QVERIFY(q.exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, CISLO) VALUES (%1, 'Firma %2', %3)")
                               .arg(i * 100 + 99).arg(QChar(QLatin1Char('A' + (i * 7) % 26))).arg(i)));
    }
    std::unique_ptr<TestList> openList()
    {
        controller = TfClass::create<TestEntityC>(DM);
        auto list = std::make_unique<TestList>();
        list->AttachController(controller);
        list->prepareAndOpen();
        return list;
    }
    QStringList column(TfSeznam &w, int c)
    {
        QStringList values;
        for (int r = 0; r < w.model()->rowCount(); ++r)
            values << w.model()->index(r, c).data().toString();
        return values;
    }
    int columnOf(TfSeznam &w, const QString &field)
    {
        for (int c = 0; c < w.model()->columnCount(); ++c)
            if (w.model()->columnAt(c).field == field)
                return c;
        return -1;
    }

private slots:
    void init()
    {
        startFresh();
        QVERIFY(TestEnvironment::ddl(*DM, testEntityDdl()));
    }
    void cleanup() { finish(); }

    void titleSortAlternatesAndRestarts()
    {
        fill(12);
        auto w = openList();
        const int name = columnOf(*w, QStringLiteral("NAZEV"));
        const int number = columnOf(*w, QStringLiteral("CISLO"));
        QVERIFY(name >= 0 && number >= 0);
        w->grid()->horizontalHeader()->sectionClicked(name);
        QStringList values = column(*w, name);
        QStringList sorted = values;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(values, sorted);
        QCOMPARE(w->sortHeader()->titleColor(name), QColor(0, 0, 255));
        w->grid()->horizontalHeader()->sectionClicked(name);
        values = column(*w, name);
        std::reverse(sorted.begin(), sorted.end());
        QCOMPARE(values, sorted);
        QCOMPARE(w->sortHeader()->titleColor(name), QColor(0, 128, 0));
        w->grid()->horizontalHeader()->sectionClicked(number);
        QCOMPARE(w->model()->index(0, number).data().toString(), QStringLiteral("1"));
        QCOMPARE(w->sortHeader()->titleColor(name), QColor(Qt::black));
        QCOMPARE(w->sortHeader()->titleColor(number), QColor(0, 0, 255));
        QVERIFY(controller->orderBy().contains(QStringLiteral("CISLO")));
        QVERIFY(!controller->orderBy().contains(QStringLiteral("Desc")));
    }

    void escapeClearsSearchThenCloses()
    {
        fill(12);
        auto w = openList();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const int name = columnOf(*w, QStringLiteral("NAZEV"));
        w->grid()->setCurrentIndex(w->model()->index(0, name));
        QTest::keyClicks(w->grid(), QStringLiteral("firma l"));
        QCOMPARE(w->searchText(), QStringLiteral("firma l"));
        QVERIFY(w->grid()->currentIndex().data().toString().startsWith(QStringLiteral("Firma L")));
        QTest::keyClick(w->grid(), Qt::Key_Escape);
        QCOMPARE(w->searchText(), QString());
        QVERIFY(w->isVisible());
        QTest::keyClick(w->grid(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    void shiftArrowsMarkRows()
    {
        fill(12);
        auto w = openList();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->grid()->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(w->grid(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(w->statusText(), QStringLiteral("Záznamy: 12 / 3"));
        // a marked row is bold and green
        const QModelIndex first = w->model()->index(0, 0);
        QVERIFY(first.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(first.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
        // Ctrl+click toggles the clicked row
        const QRect rect = w->grid()->visualRect(w->model()->index(5, 0));
        QTest::mouseClick(w->grid()->viewport(), Qt::LeftButton, Qt::ControlModifier, rect.center());
        QCOMPARE(w->statusText(), QStringLiteral("Záznamy: 12 / 4"));
        w->action(QStringLiteral("acOznacitVse"))->trigger();
        QCOMPARE(w->statusText(), QStringLiteral("Záznamy: 12 / 12"));
        w->action(QStringLiteral("acZrusitOznaceni"))->trigger();
        QCOMPARE(w->statusText(), QStringLiteral("Záznamy: 12 / 0"));
    }

    void markedRowFilters()
    {
        fill(12);
        auto w = openList();
        w->action(QStringLiteral("acNacistOznacene"))->trigger();
        QCOMPARE(prompt().lastText(), QStringLiteral("Nejsou vybrané položky pro zobrazení."));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Zpráva"));
        prompt().clear();
        w->ToggleMark(2);
        w->ToggleMark(7);
        w->action(QStringLiteral("acNacistOznacene"))->trigger();
        QCOMPARE(w->model()->rowCount(), 2);
        w->action(QStringLiteral("acNeoznacene"))->trigger();
        QCOMPARE(w->model()->rowCount(), 12);
    }

    void keyConditionBeyondEngineLimit()
    {
        QVector<int> keys;
        for (int i = 1; i <= 3200; ++i)
            keys << i * 100 + 99;
        const QString condition = TfSeznam::keyCondition(QStringLiteral("HLA.UNCIS"), keys);
        QCOMPARE(condition.count(QStringLiteral(" IN (")), 3);
        fill(3200);
        controller = TfClass::create<TestEntityC>(DM);
        controller->AddRef();
        QCOMPARE(controller->OpenList(controller->listFrom(), controller->listColumns(), condition, QString(), 0), 0);
        QCOMPARE(controller->rowCount(), 3200);
        QCOMPARE(TfSeznam::keyCondition(QStringLiteral("X"), {}), QStringLiteral("(1 = 0)"));
        controller->Release();
    }

    void refusedDeleteKeepsRow()
    {
        fill(3);
        auto w = openList();
        controller->beforeDeleteResult = -1;
        prompt().answer(PromptYes);
        w->action(QStringLiteral("acSmazatVybrany"))->trigger();
        QCOMPARE(prompt().texts(), QStringList({QStringLiteral("Smazat tuto větu?"), QStringLiteral("Smazání hodnot")}));
        prompt().clear();
        QCOMPARE(w->model()->rowCount(), 3);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 3);
        controller->beforeDeleteResult = 0;
        prompt().answer(PromptYes);
        w->DeleteCurrent();
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 2);
        QCOMPARE(w->statusText(), QStringLiteral("Záznamy: 2 / 0"));
    }

    void bulkDeleteRemovesExactlyTheMarkedRows()
    {
        fill(300);
        auto w = openList();
        QStringList questions;
        w->timedConfirmation = [&](const QString &text) { questions << text; return int(PromptYes); };
        QVector<int> marked;
        for (int row : {0, 1, 2, 5, 260, 299}) {
            w->controller()->list().fetchAll();
            w->ToggleMark(row);
            marked << w->controller()->list().value(row, QStringLiteral("UNCIS")).toInt();
        }
        prompt().answer(PromptYes);
        w->BulkDelete(0);
        QCOMPARE(questions, QStringList(QStringLiteral("Chete skutečně NEVRATNĚ SMAZAT ozančené záznamy?")));
        QCOMPARE(prompt().lastText(), QStringLiteral("Jste si vědomi\nNEVRATNOSTI MAZÁNÍ ZÁZNAMŮ?"));
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 294);
        for (int key : marked)
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV WHERE UNCIS = %1").arg(key)), 0);
        QCOMPARE(w->model()->rowCount(), 294);
        // the unmarked ones
        prompt().answer(PromptYes);
        w->BulkDelete(1);
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 0);
    }

    void storedOrderThatNoLongerFitsFallsBack()
    {
        fill(5);
        controller = TfClass::create<TestEntityC>(DM);
        auto w = std::make_unique<TestList>();
        w->AttachController(controller);
        SettingsStore::instance().writeValue(w->settingsKey(), QStringLiteral("Order"), QStringLiteral(" ORDER BY GONE_COLUMN "));
        QCOMPARE(w->prepareAndOpen(), 0);
        QCOMPARE(w->model()->rowCount(), 5);
        // the controller's own order, which names the list's table: its joins have keys too
        QCOMPARE(SettingsStore::instance().readValue(w->settingsKey(), QStringLiteral("Order"), QString()).trimmed(),
                 QStringLiteral("ORDER BY HLA.UnCis"));
    }

    void newRecordOpensDetailOnlyWhenInserted()
    {
        fill(2);
        auto w = openList();
        w->action(QStringLiteral("acNovy"))->trigger();
        QCOMPARE(w->detailsOpened.size(), 1);
        QCOMPARE(w->model()->rowCount(), 3);
        QVERIFY(DM->executeDdl(QStringLiteral("SET GENERATOR STOPTRIG TO 1")));
        w->NewRecord();
        QCOMPARE(w->detailsOpened.size(), 1);
        QVERIFY(prompt().saw(QStringLiteral("Zápis do databáze je blokován. Zkuste volbu zopakovat později.")));
        prompt().clear();
        QVERIFY(DM->executeDdl(QStringLiteral("SET GENERATOR STOPTRIG TO 0")));
    }

    void pickModeEndsWithTheChoice()
    {
        fill(4);
        auto w = openList();
        w->setPickMode(true);
        w->grid()->setCurrentIndex(w->model()->index(2, 0));
        w->Detail();
        QCOMPARE(w->result(), 1);
        QCOMPARE(w->controller()->list().value(QStringLiteral("UNCIS")).toInt(),
                 w->controller()->list().value(2, QStringLiteral("UNCIS")).toInt());
        QVERIFY(w->detailsOpened.isEmpty());
        w->CloseOrCancel();
        QCOMPARE(w->result(), 2);
    }

    void columnFilterAndStoredFilters()
    {
        fill(12);
        auto w = openList();
        w->action(QStringLiteral("acEditaceFiltru"))->trigger();
        QCOMPARE(prompt().lastText(), QStringLiteral("Není vybrán žádný filtr"));
        prompt().clear();
        const int number = columnOf(*w, QStringLiteral("CISLO"));
        w->grid()->setCurrentIndex(w->model()->index(4, number));
        // the popup comes prefilled with the cell's value; the user makes it "> 5"
        prompt().onModal([](QDialog *d) {
            auto *f = qobject_cast<TfFiltrSloupec *>(d);
            if (!f || f->value() != QStringLiteral("5"))
                return int(QDialog::Rejected);
            f->setOperator(QStringLiteral(">"));
            return int(QDialog::Accepted);
        });
        w->action(QStringLiteral("acFiltrSloupec"))->trigger();
        QCOMPARE(w->model()->rowCount(), 7);
        QCOMPARE(w->statusText(), QStringLiteral("Záznamy: 7 / 0"));

        // the current filter stored under a name, then the filter cleared and chosen again
        prompt().onModal([](QDialog *d) {
            d->findChild<QLineEdit *>(QStringLiteral("edNaz"))->setText(QStringLiteral("Větší než pět"));
            return int(QDialog::Accepted);
        });
        w->action(QStringLiteral("acUlozitFiltr"))->trigger();
        w->action(QStringLiteral("acZrusitFiltr"))->trigger();
        QCOMPARE(w->model()->rowCount(), 12);
        prompt().onModal([](QDialog *d) {
            auto *list = qobject_cast<TfFiltrySez *>(d);
            if (!list || list->count() != 1 || !list->table()->item(0, 0)->text().startsWith(QStringLiteral("Větší než pět")))
                return int(QDialog::Rejected);
            return int(QDialog::Accepted);
        });
        w->action(QStringLiteral("acFiltry"))->trigger();
        QCOMPARE(w->model()->rowCount(), 7);

        // marked rows stored as a filter
        w->action(QStringLiteral("acUlozitOznacene"))->trigger();
        QCOMPARE(prompt().lastText(), QStringLiteral("Nejsou vybrané záznamy pro uložení výběru."));
        prompt().clear();
        w->ToggleMark(0);
        w->ToggleMark(1);
        prompt().onModal([](QDialog *d) {
            d->findChild<QLineEdit *>(QStringLiteral("edNaz"))->setText(QStringLiteral("Dva"));
            return int(QDialog::Accepted);
        });
        w->action(QStringLiteral("acUlozitOznacene"))->trigger();
        w->action(QStringLiteral("acZrusitFiltr"))->trigger();
        prompt().onModal([](QDialog *d) {
            auto *list = qobject_cast<TfFiltrySez *>(d);
            if (list)
                list->selectName(QStringLiteral("Dva"));
            return int(QDialog::Accepted);
        });
        w->action(QStringLiteral("acFiltry"))->trigger();
        QCOMPARE(w->model()->rowCount(), 2);
    }

    void bulkDeleteWaitsForTheTimedAnswer()
    {
        fill(3);
        auto w = openList();
        // "NE" at once: nothing is deleted
        prompt().answer(PromptYes);
        prompt().onModal([](QDialog *d) {
            auto *timed = qobject_cast<TfDotazCasovy *>(d);
            if (!timed || timed->yesOffered())
                return int(PromptYes);
            return int(PromptNo);
        });
        w->BulkDelete(2);
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TST_HLAV")), 3);
    }

    void settingsRememberSizeAndOrder()
    {
        fill(3);
        {
            auto w = openList();
            w->resize(640, 333);
            w->SortByColumn(columnOf(*w, QStringLiteral("NAZEV")));
            w->close();
        }
        auto w = openList();
        // under the window's own class name, not its base's
        QVERIFY(w->settingsKey().contains(QStringLiteral("\\TestList1\\")));
        QCOMPARE(w->height(), 333);
        QVERIFY(controller->orderBy().contains(QStringLiteral("NAZEV")));
    }

    // With a window manager a window's frame lies around its client area: every place
    // below is the frame's, title bar included.
    void windowsOpenOnTheScreenBelowTheStripAndComeBackWhereLeft()
    {
        fill(3);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QMainWindow strip;   // the main strip across the top of the screen
        strip.setGeometry(screen.x(), screen.y(), screen.width(), 50);
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        const int stripBottom = strip.frameGeometry().bottom();
        auto opened = [&](std::unique_ptr<TestList> w) {
            w->show();
            return QTest::qWaitForWindowExposed(w.get()) ? std::move(w) : nullptr;
        };
        auto onScreenBelowStrip = [&](const QWidget &w) {
            return screen.contains(w.frameGeometry()) && w.frameGeometry().top() > stripBottom;
        };

        // first openings: wholly on the screen, under the strip, each cascaded
        auto first = opened(openList());
        QVERIFY(first);
        QVERIFY2(onScreenBelowStrip(*first), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(first->frameGeometry().x())
                     .arg(first->frameGeometry().y()).arg(first->frameGeometry().width()).arg(first->frameGeometry().height())));
        QVERIFY(first->frameGeometry() != first->geometry());   // the test sees real frames
        auto second = opened(openList());
        QVERIFY(second);
        QVERIFY(onScreenBelowStrip(*second));
        QVERIFY(second->frameGeometry().x() >= first->frameGeometry().x());
        QVERIFY(second->frameGeometry().y() > first->frameGeometry().y());
        second->close();
        // an edit window too
        QPointer<TfEditForm> form = new TfEditForm;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QVERIFY(onScreenBelowStrip(*form));
        form->close();

        // where the user left it, exactly
        first->resize(420, 260);
        first->move(screen.x() + 30, screen.y() + 140);
        QTRY_COMPARE(first->frameGeometry().topLeft(), screen.topLeft() + QPoint(30, 140));
        const QRect left = first->frameGeometry();
        first->close();
        auto again = opened(openList());
        QVERIFY(again);
        QCOMPARE(again->frameGeometry(), left);
        const QString key = again->settingsKey();
        again->close();

        // stored on a monitor that is gone
        WriteRegistryValue(QStringLiteral("Left"), QString::number(screen.right() + 2000), key);
        WriteRegistryValue(QStringLiteral("Top"), QString::number(screen.top() - 1500), key);
        auto lost = opened(openList());
        QVERIFY(lost);
        QVERIFY(screen.contains(lost->frameGeometry()));
        QCOMPARE(lost->frameGeometry().size(), left.size());
    }

    void listOpenWhenTheProgramEndsKeepsItsSettings()
    {
        fill(3);
        TDM shellDm(QStringLiteral("QelShutdown"));
        TfLTarko main(&shellDm);
        {
            auto w = openList();
            w->resize(600, 321);
            env->prompt().answer(PromptYes);   // "Ukončit program ?"
            QVERIFY(main.close());
        }
        auto w = openList();
        QCOMPARE(w->height(), 321);
    }
};

QTEST_MAIN(TestListWindow)
#include "tst_listwindow.moc"
