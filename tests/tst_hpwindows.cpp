// The extinguisher inspection windows on real database files: the inspection list with
// its recent-inspections filter, layout and row colours, the bulk change of state and
// lock per scope with the password for unlocking, the serial-number search window and
// the main-menu entries.
#include <QtTest>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QToolButton>

#include "core/format.h"
#include "core/globals.h"
#include "widgets/heslo.h"
#include "core/parameters.h"
#include "core/sqlpro.h"
#include "inspections/dokdop.h"
#include "inspections/hpc.h"
#include "inspections/hpnajdi.h"
#include "inspections/hps.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "support/programdatabasetest.h"

class TestHPWindows : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    static QString text(const QString &sql) { return scalar(sql).toString().trimmed(); }

    static int inspection(int key, int daysAgo, const QString &faktura, const QString &zamek = QStringLiteral("N"))
    {
        QSqlQuery q = DM->NewQuery();
        q.prepare(QStringLiteral("INSERT INTO PR_HLAV (UNCIS, DATUM, FAKTURA, ZAMEK, KLIC) VALUES (:K, :D, :F, :Z, 0)"));
        q.bindValue(QStringLiteral(":K"), key);
        q.bindValue(QStringLiteral(":D"), QDate::currentDate().addDays(-daysAgo));
        q.bindValue(QStringLiteral(":F"), faktura);
        q.bindValue(QStringLiteral(":Z"), zamek);
        return q.exec() ? key : -1;
    }
    static bool item(int key, int inspectionKey, const QString &vyrcis)
    {
        QSqlQuery q = DM->NewQuery();
        q.prepare(QStringLiteral("INSERT INTO PR_TAB (UNCIS, UNCH, VYRCIS, HP, DRUH, STAV) "
                                 "VALUES (:K, :H, :V, 'PG6', 'Práškový', 'v pořádku')"));
        q.bindValue(QStringLiteral(":K"), key);
        q.bindValue(QStringLiteral(":H"), inspectionKey);
        q.bindValue(QStringLiteral(":V"), vyrcis);
        return q.exec();
    }
    static std::unique_ptr<TfHPS> openList()
    {
        std::unique_ptr<TfHPS> list(VytvorKontrolyHP());
        if (list && list->prepareAndOpen() < 0)
            list.reset();
        return list;
    }
    static int rowOf(TfHPS &list, int key)
    {
        ListDataset &d = list.controller()->list();
        for (int r = 0; r < d.loadedRows(); ++r)
            if (d.value(r, QStringLiteral("UNCIS")).toInt() == key)
                return r;
        return -1;
    }
    static QString states()
    {
        QStringList out;
        QSqlQuery q = DM->NewQuery();
        q.exec(QStringLiteral("SELECT UNCIS, FAKTURA, ZAMEK FROM PR_HLAV ORDER BY UNCIS"));
        while (q.next())
            out << QStringLiteral("%1%2%3").arg(q.value(0).toInt()).arg(q.value(1).toString().trimmed(), q.value(2).toString().trimmed());
        return out.join(QLatin1Char(' '));
    }
    static std::function<int(QDialog *)> typing(const QString &password)
    {
        return [password](QDialog *d) {
            auto *heslo = qobject_cast<TfHeslo *>(d);
            if (!heslo)
                return int(PromptCancel);
            heslo->passwordField()->setText(password);
            heslo->confirm();
            return heslo->result();
        };
    }
    static TVarSQL choice(const QString &stav, const QString &zamek)
    {
        TfDokDop d;
        d.cbStav()->setCurrentIndex(d.cbStav()->findText(stav));
        d.cbZamek()->setCurrentIndex(d.cbZamek()->findText(zamek));
        return d.values();
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void listShowsRecentInspectionsColouredByState()
    {
        QCOMPARE(inspection(1, 5, QStringLiteral("P")), 1);
        QCOMPARE(inspection(2, 10, QStringLiteral("R")), 2);
        QCOMPARE(inspection(3, 20, QStringLiteral("H")), 3);
        QCOMPARE(inspection(4, 30, QStringLiteral("U")), 4);
        QCOMPARE(inspection(5, 100, QStringLiteral("P")), 5);
        std::unique_ptr<TfHPS> list = openList();
        QVERIFY(list);
        QCOMPARE(list->windowTitle(), QStringLiteral("Seznam prohlídek HP"));
        QCOMPARE(list->aliasTables(), TfHPS::AliasTables);
        // only the last forty days, newest first
        QCOMPARE(list->filter().conditions.size(), 1);
        QCOMPARE(list->filter().conditions.first().op, QStringLiteral(">"));
        QCOMPARE(list->model()->rowCount(), 4);
        QCOMPARE(rowOf(*list, 5), -1);
        QCOMPARE(list->controller()->list().value(0, QStringLiteral("UNCIS")).toInt(), 1);
        QStringList fields;
        for (int c = 0; c < list->model()->columnCount(); ++c)
            fields << list->model()->columnAt(c).field;
        // the default layout: the owner (not technician 1, who comes from the same
        // address book), the site and the price
        QCOMPARE(fields, (QStringList{"HASDATUM", "HASCISPRO", "HASFAKTURA", "ADRNAZEV", "STRSTREDISKO", "HASPOCHP",
                                      "HASCENA"}));
        QSqlQuery named = DM->NewQuery();
        QVERIFY(named.exec(QStringLiteral("UPDATE PR_HLAV SET CENA = 7.2, POCHP = 12 WHERE UNCIS = 1")));
        QVERIFY(named.exec(QStringLiteral("UPDATE PR_HLAV SET CENA = 1250 WHERE UNCIS = 2")));
        QVERIFY(named.exec(QStringLiteral("UPDATE PR_HLAV SET UNCFIR = 901, UNCTECH = 902 WHERE UNCIS = 1")));
        QVERIFY(named.exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, TYP, NAZEV) VALUES (901, 1, 'Majitel a.s.')")));
        QVERIFY(named.exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, TYP, NAZEV) VALUES (902, 3, 'Technik')")));
        list->Reopen(1);
        auto cell = [&](int key, const char *field) {
            return list->model()->index(rowOf(*list, key), fields.indexOf(QLatin1String(field))).data().toString();
        };
        QCOMPARE(cell(1, "ADRNAZEV"), QStringLiteral("Majitel a.s."));
        QCOMPARE(cell(1, "HASCENA"), QStringLiteral("7,20"));
        QCOMPARE(cell(2, "HASCENA"), QStringLiteral("1 250,00"));
        QCOMPARE(cell(1, "HASPOCHP"), QStringLiteral("12"));
        QCOMPARE(cell(1, "HASDATUM"), formatDate(QDate::currentDate().addDays(-5)));
        QCOMPARE(cell(1, "HASDATUM").size(), 10);

        auto colour = [&](int key) {
            return list->model()->index(rowOf(*list, key), 0).data(Qt::ForegroundRole).value<QColor>();
        };
        QCOMPARE(colour(1), QColor(Qt::darkGreen));
        QCOMPARE(colour(2), QColor(Qt::red));
        QCOMPARE(colour(3), QColor(Qt::blue));
        QCOMPARE(colour(4), QColor(Qt::black));

        // the pop-up of the filters offers the serial-number search
        QAction *serial = list->findChild<QAction *>(QStringLiteral("acFiltrVyrCis"));
        QVERIFY(serial);
        QVERIFY(list->action(QStringLiteral("acFiltry"))->menu()->actions().contains(serial));
        QString shown;
        prompt().onModal([&](QDialog *d) {
            shown = d->windowTitle();
            return int(QDialog::Rejected);
        });
        serial->trigger();
        QCOMPARE(shown, QStringLiteral("Hledání HP podle výrobního čísla"));
        QCOMPARE(list->model()->rowCount(), 4);

        // clearing the filter brings the old inspection back
        list->ClearFilter();
        QCOMPARE(list->model()->rowCount(), 5);
    }

    void bulkChangeWritesStateAndLockPerScope()
    {
        Parameters::instance().unlockPassword = QStringLiteral("tajne");
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(inspection(k, k, QStringLiteral("P"), k == 2 ? QStringLiteral("A") : QStringLiteral("N")), k);
        std::unique_ptr<TfHPS> list = openList();
        QVERIFY(list);
        ListDataset &d = list->controller()->list();
        d.setMarked(rowOf(*list, 1), true);
        d.setMarked(rowOf(*list, 2), true);

        // through the dialog: the state of the marked rows; the locked one is left out
        prompt().onModal([](QDialog *dialog) {
            auto *dd = qobject_cast<TfDokDop *>(dialog);
            if (!dd)
                return int(QDialog::Rejected);
            dd->cbStav()->setCurrentIndex(dd->cbStav()->findText(QStringLiteral("R - Realizace")));
            dd->rbOznacene()->setChecked(true);
            return int(QDialog::Accepted);
        });
        prompt().answer(PromptYes);
        list->action(QStringLiteral("acHromadneZmenit"))->trigger();
        QVERIFY(prompt().saw(QStringLiteral("Doplnit označené záznamy?")));
        QCOMPARE(prompt().lastText(), QStringLiteral("Hotovo"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Doplnění"));
        QCOMPARE(states(), QStringLiteral("1RN 2PA 3PN 4PN"));

        // locking the unmarked ones
        prompt().clear();
        prompt().answer(PromptYes);
        QCOMPARE(list->Doplnit(choice(QString(), QStringLiteral("Ano")), UpdateUnmarkedRows), 0);
        QCOMPARE(prompt().shown.first().text, QStringLiteral("Doplnit neoznačené záznamy?"));
        QCOMPARE(states(), QStringLiteral("1RN 2PA 3PA 4PA"));

        // declining the question changes nothing
        prompt().answer(PromptNo);
        QCOMPARE(list->Doplnit(choice(QStringLiteral("H - Hotovo"), QString()), UpdateAllRows), 1);
        QCOMPARE(states(), QStringLiteral("1RN 2PA 3PA 4PA"));

        // unlocking with a wrong password changes nothing, not even the state
        prompt().clear();
        prompt().answer(PromptYes);
        prompt().onModal(typing(QStringLiteral("spatne")));
        QCOMPARE(list->Doplnit(choice(QStringLiteral("H - Hotovo"), QStringLiteral("Ne")), UpdateAllRows), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Nesprávné heslo"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Zámek"));
        QCOMPARE(states(), QStringLiteral("1RN 2PA 3PA 4PA"));

        // cancelling the password question says nothing and changes nothing
        prompt().clear();
        prompt().answer(PromptYes);
        prompt().onModal([](QDialog *d) {
            QTest::keyClick(d, Qt::Key_Escape);
            return d->result();
        });
        QCOMPARE(list->Doplnit(choice(QStringLiteral("H - Hotovo"), QStringLiteral("Ne")), UpdateAllRows), 1);
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Doplnit všechny záznamy?")});
        QCOMPARE(states(), QStringLiteral("1RN 2PA 3PA 4PA"));

        // the right password reaches the locked ones too
        prompt().answer(PromptYes);
        prompt().onModal(typing(QStringLiteral("tajne")));
        QCOMPARE(list->Doplnit(choice(QStringLiteral("H - Hotovo"), QStringLiteral("Ne")), UpdateAllRows), 0);
        QCOMPARE(states(), QStringLiteral("1HN 2HN 3HN 4HN"));

        // the current row needs no question
        prompt().clear();
        list->grid()->setCurrentIndex(list->model()->index(rowOf(*list, 3), 0));
        QCOMPARE(list->Doplnit(choice(QStringLiteral("F - Fakturováné"), QString()), UpdateCurrentRow), 0);
        QCOMPARE(states(), QStringLiteral("1HN 2HN 3FN 4HN"));
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Hotovo")});

        // neither state nor lock: no question, no message, no row touched
        prompt().clear();
        const int klic = scalar(QStringLiteral("SELECT SUM(KLIC) FROM PR_HLAV")).toInt();
        QVERIFY(choice(QString(), QString()).isEmpty());
        QCOMPARE(list->Doplnit(choice(QString(), QString()), UpdateAllRows), 1);
        QVERIFY(prompt().shown.isEmpty());
        QCOMPARE(scalar(QStringLiteral("SELECT SUM(KLIC) FROM PR_HLAV")).toInt(), klic);
        QCOMPARE(states(), QStringLiteral("1HN 2HN 3FN 4HN"));
    }

    void searchFindsBySerialPrefix()
    {
        QCOMPARE(inspection(1, 400, QStringLiteral("H")), 1);
        QCOMPARE(inspection(2, 10, QStringLiteral("P")), 2);
        QVERIFY(item(11, 1, QStringLiteral("AB124/98")));
        QVERIFY(item(12, 2, QStringLiteral("AB123/98")));
        QVERIFY(item(13, 2, QStringLiteral("X1")));
        QVERIFY(item(14, 2, QStringLiteral("O'Neil")));
        TfHPNajdi w(DM);
        QCOMPARE(w.windowTitle(), QStringLiteral("Hledání HP podle výrobního čísla"));
        QCOMPARE(w.grid()->columnCount(), 7);
        QCOMPARE(w.grid()->horizontalHeaderItem(0)->text(), QStringLiteral("Výr. číslo"));
        // typing searches on every key
        QTest::keyClicks(w.eHledat(), QStringLiteral("AB12"));
        QCOMPARE(w.grid()->rowCount(), 2);
        QCOMPARE(w.grid()->item(0, 0)->text(), QStringLiteral("AB123/98"));
        QCOMPARE(w.grid()->item(1, 0)->text(), QStringLiteral("AB124/98"));
        QCOMPARE(w.grid()->item(0, 3)->text(), QStringLiteral("PG6"));
        // an apostrophe is part of the text searched for, nothing else
        w.eHledat()->setText(QStringLiteral("'"));
        QCOMPARE(w.Hledat(), 0);
        w.eHledat()->setText(QStringLiteral("O'"));
        QCOMPARE(w.Hledat(), 1);
        // choosing a row gives the inspection and the item
        w.eHledat()->setText(QStringLiteral("AB124"));
        QCOMPARE(w.Hledat(), 1);
        w.Zobrazit();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.chosenInspection(), 1);
        QCOMPARE(w.chosenItem(), 11);
        // one statement served every key and every search of the window
        QCOMPARE(w.search().preparations(), 1);
        // an emptied field lists nothing rather than every extinguisher there is
        w.eHledat()->selectAll();
        QTest::keyClick(w.eHledat(), Qt::Key_Backspace);
        QCOMPARE(w.grid()->rowCount(), 0);
    }

    void menuEntriesOpenTheListAndTheSearch()
    {
        TDM unused(QStringLiteral("QelMenu"));
        TfLTarko main(&unused);
        main.findChild<QAction *>(QStringLiteral("miKontrolyHP"))->trigger();
        TfHPS *list = main.findChild<TfHPS *>();
        QVERIFY(list);
        QVERIFY(list->isVisible());
        QVERIFY(!list->isModal());
        QVERIFY(list->testAttribute(Qt::WA_DeleteOnClose));
        TVarSQL &presets = list->controller()->defaults();
        QCOMPARE(presets.GetVariable(QStringLiteral("DATUM")).toDate(), QDate::currentDate());
        QCOMPARE(presets.GetVariable(QStringLiteral("FAKTURA")).toString(), QStringLiteral("P"));
        QCOMPARE(presets.GetVariable(QStringLiteral("PRAVID")).toString(), QStringLiteral("A"));
        list->close();
        // the tool button opens the same list
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!main.findChild<TfHPS *>());
        main.findChild<QToolButton *>(QStringLiteral("sbKontrolyHP"))->click();
        list = main.findChild<TfHPS *>();
        QVERIFY(list);
        QVERIFY(list->isVisible());
        list->close();

        QString shown;
        prompt().onModal([&](QDialog *d) {
            shown = d->windowTitle();
            return int(QDialog::Rejected);
        });
        main.findChild<QAction *>(QStringLiteral("miDohledaniHP"))->trigger();
        QCOMPARE(shown, QStringLiteral("Hledání HP podle výrobního čísla"));
    }
};

QTEST_MAIN(TestHPWindows)
#include "tst_hpwindows.moc"
