// Start-up, the connection settings, the connection window and the main window.
#include <QtTest>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QHash>
#include <QSet>
#include <QPushButton>
#include <QToolButton>

#include "support/programdatabasetest.h"
#include "core/globals.h"
#include "core/settingsstore.h"
#include "shell/data.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"

class TestShell : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    const QString dbKey = QStringLiteral("SOFTWARE\\MORVANT\\Tarko 8 VEX\\DB");

    QString stored(const QString &name) { return SettingsStore::instance().readValue(dbKey, name, QStringLiteral("<none>")); }

private slots:
    void init() { startWithoutDatabase(); }
    void cleanup() { finish(); }

    void serverPathForms()
    {
        QCOMPARE(ToServerPath(QStringLiteral("\\\\srv\\d\\db\\x.fdb")), QStringLiteral("srv:d:\\db\\x.fdb"));
        QCOMPARE(ToServerPath(QStringLiteral("\"/data/x.fdb\"")), QStringLiteral("/data/x.fdb"));
        QCOMPARE(ToServerPath(QStringLiteral("ab")), QStringLiteral("ab"));
        QCOMPARE(ToServerPath(QStringLiteral("host:/data/x.fdb")), QStringLiteral("host:/data/x.fdb"));
        Firebird::Location l = Firebird::parseLocation(QStringLiteral("srv:d:\\db\\x.fdb"));
        QCOMPARE(l.host, QStringLiteral("srv"));
        QCOMPARE(l.path, QStringLiteral("d:\\db\\x.fdb"));
        l = Firebird::parseLocation(QStringLiteral("/home/a:b/x.fdb"));
        QVERIFY(l.host.isEmpty());
        l = Firebird::parseLocation(QStringLiteral("C:\\x.fdb"));
        QVERIFY(l.host.isEmpty());
    }

    void settingsValuesAreWholeAndDefaultsNormalised()
    {
        SettingsStore &s = SettingsStore::instance();
        const QString long500(500, QLatin1Char('x'));
        QVERIFY(s.writeValue(dbKey, QStringLiteral("X"), long500));
        QCOMPARE(s.readValue(dbKey, QStringLiteral("X"), QString()), long500);
        QCOMPARE(s.readValue(dbKey, QStringLiteral("EMPTY"), QStringLiteral("   ")), QStringLiteral(" "));
        QVERIFY(s.contains(dbKey, QStringLiteral("EMPTY")));
    }

    void firstStartCreatesDatabaseAndShowsMainWindow()
    {
        TDM dm(QStringLiteral("QelShell"));
        TfLTarko w(&dm);
        DM = &dm;
        w.FormCreate();
        QVERIFY(dm.isOpen());
        // the four connection values now exist with their defaults
        const QString expectedPath = TDM::defaultDatabasePath();
        QVERIFY(expectedPath.startsWith(env->path(QStringLiteral("data"))));
        QVERIFY(expectedPath.endsWith(QStringLiteral("/DB/Tarko 8 VEX.FDB")));
        QCOMPARE(stored(QStringLiteral("SERVER NAME")), expectedPath);
        QCOMPARE(stored(QStringLiteral("USER NAME")), QStringLiteral("SYSDBA"));
        QCOMPARE(stored(QStringLiteral("LANGDRIVER")), QStringLiteral("czechw"));
        QCOMPARE(stored(QStringLiteral("PASSWORD")), QStringLiteral("vorlipsan"));
        QVERIFY(QFileInfo::exists(expectedPath));
        QCOMPARE(DecimalSeparator, QLatin1Char(','));
        QCOMPARE(SettingsStore::instance().readValue(QStringLiteral("Control Panel\\International"),
                                                     QStringLiteral("sDecimal"), QStringLiteral("?")),
                 QStringLiteral(","));
        QCOMPARE(StartDirectory, QDir::currentPath());
        QCOMPARE(TestEnvironment::scalar(dm, QStringLiteral("SELECT HODNOTA FROM QELSYS WHERE POLOZKA = 'eVerDat'")).toString(),
                 QStringLiteral("80808"));

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarko 8: Základní lišta"));
        // closing and answering No keeps the program running
        prompt().answer(PromptNo);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(prompt().lastText(), QStringLiteral("Ukončit program ?"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Pozor"));
        prompt().answer(PromptYes);
        QVERIFY(w.close());
        dm.close();
        DM = nullptr;

        // an independent client sees the schema
        QProcess isql;
        isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-q"), expectedPath});
        QVERIFY(isql.waitForStarted());
        isql.write("SHOW TABLES;\nSHOW GENERATORS;\nSELECT RDB$CHARACTER_SET_NAME FROM RDB$DATABASE;\n");
        isql.closeWriteChannel();
        QVERIFY(isql.waitForFinished(30000));
        const QString out = QString::fromLocal8Bit(isql.readAllStandardOutput() + isql.readAllStandardError());
        QVERIFY2(out.contains(QStringLiteral("QELSYS")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("STOPTRIG")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("WIN1250")), qPrintable(out));
    }

    void connectionLoopRetriesThroughConnectionWindow()
    {
        // a server name that cannot be opened
        SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), QStringLiteral("nohost.invalid:/x.fdb"));
        TDM dm(QStringLiteral("QelLoop"));
        TfLTarko w(&dm);
        int shown = 0;
        const QString good = env->path(QStringLiteral("second/db.fdb"));
        w.showConnectionWindow = [&] {
            ++shown;
            if (shown == 1) {
                SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), QStringLiteral("nohost.invalid:/y.fdb"));
                return 6;
            }
            SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), good);
            return 6;
        };
        // the typed file does not exist yet: the user agrees to a new empty one
        prompt().answer(PromptYes);
        w.FormCreate();
        QCOMPARE(shown, 2);
        QVERIFY(dm.isOpen());
        // the message names the cause: no server of that name answers
        QCOMPARE(prompt().texts().count(QStringLiteral("Chyba otevření databáze\nServer nohost.invalid není dostupný.\n"
                                                       "Zkontrolujte, že server databáze běží a je dostupný po síti, "
                                                       "a název serveru v cestě k databázi.")), 2);
        QVERIFY(prompt().saw(QStringLiteral("Databáze %1 neexistuje. Vytvořit novou prázdnou databázi?").arg(good)));
        QVERIFY(prompt().saw(QStringLiteral("Nová prázdná databáze byla vytvořena v souboru\n%1").arg(good)));
        prompt().clear();
        dm.close();
    }

    void typedPathThatDoesNotExistIsNotCreatedUnasked()
    {
        const QString typo = env->path(QStringLiteral("typo/Tarko.FDB"));
        SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), typo);
        TDM dm(QStringLiteral("QelTypo"));
        prompt().answer(PromptNo);
        QCOMPARE(dm.ConnectDatabase(), -2);
        QVERIFY(!dm.isOpen());
        QVERIFY(!QFileInfo::exists(typo));
        QCOMPARE(prompt().shown.constFirst().text,
                 QStringLiteral("Databáze %1 neexistuje. Vytvořit novou prázdnou databázi?").arg(typo));
        prompt().clear();
    }

    void leavingConnectionWindowGoesOnWithoutDatabase()
    {
        SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), QStringLiteral("nohost.invalid:/x.fdb"));
        TDM dm(QStringLiteral("QelLeave"));
        TfLTarko w(&dm);
        int shown = 0;
        w.showConnectionWindow = [&] { ++shown; return 2; };
        w.FormCreate();
        QCOMPARE(shown, 1);
        QVERIFY(!dm.isOpen());
        prompt().clear();
    }

    void connectionWindowReadsAndWritesValues()
    {
        SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), QStringLiteral("srv:/data/a.fdb"));
        TfData d;
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Napojení k databázi"));
        auto *path = d.findChild<QLineEdit *>(QStringLiteral("edPath"));
        auto *user = d.findChild<QLineEdit *>(QStringLiteral("eUzivatel"));
        auto *password = d.findChild<QLineEdit *>(QStringLiteral("eHeslo"));
        QVERIFY(path && user && password);
        QCOMPARE(path->text(), QStringLiteral("srv:/data/a.fdb"));
        QCOMPARE(user->text(), QStringLiteral("SYSDBA"));
        QCOMPARE(password->text(), QStringLiteral("vorlipsan"));
        QCOMPARE(password->echoMode(), QLineEdit::Normal);
        path->setText(QStringLiteral("/data/b.fdb"));
        user->setText(QStringLiteral("TECHNIK"));
        password->setText(QString());
        d.findChild<QPushButton *>(QStringLiteral("bbPotvrdit"))->click();
        QCOMPARE(d.result(), 6);
        QCOMPARE(stored(QStringLiteral("SERVER NAME")), QStringLiteral("/data/b.fdb"));
        QCOMPARE(stored(QStringLiteral("USER NAME")), QStringLiteral("TECHNIK"));
        QCOMPARE(stored(QStringLiteral("PASSWORD")), QStringLiteral(" "));
        TfData d2;
        d2.show();
        d2.findChild<QPushButton *>(QStringLiteral("bbUkoncit"))->click();
        QCOMPARE(d2.result(), 2);
    }

    void databaseEntryReconnects()
    {
        const QString file = env->createDatabase(QStringLiteral("menu.fdb"));
        SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), file);
        TDM dm(QStringLiteral("QelMenu"));
        TfLTarko w(&dm);
        int shown = 0;
        w.showConnectionWindow = [&] { ++shown; return 2; };
        w.FormCreate();
        QCOMPARE(shown, 0);
        QVERIFY(dm.isOpen());
        w.findChild<QAction *>(QStringLiteral("miDatabaze"))->trigger();
        QCOMPARE(shown, 1);
        QVERIFY(dm.isOpen());
        dm.close();
    }

    void everyMenuEntryOpensWhatItNames()
    {
        // what an entry opens: a window of a class, a dialog by its name, or a question
        struct Opens { const char *kind; const char *what; };
        const QHash<QString, Opens> expected = {
            {"Adresář/Adresy", {"window", "TfAdresyS"}},
            {"Kontroly/Hasící přístroje", {"window", "TfHPS"}},
            {"Kontroly/Požární vodovody", {"window", "TfPVS"}},
            {"Kontroly/Požární klapky", {"window", "TfPKS"}},
            {"Kontroly/Dohledání HP", {"dialog", "fHPNajdi"}},
            {"Kontroly/Dílenské opravy", {"window", "TfDilnaS"}},
            {"Kontroly/Plán kontol", {"window", "TfPlanProhS"}},
            {"Kontroly/Plán kontrol komplet", {"window", "TfPlanProhKomS"}},
            {"Seznamy/Díly a výkony k HP", {"dialog", "fHPDilyVykony"}},
            {"Sklad/Ceník", {"window", "TfCenikS"}},
            {"Sklad/Výdejky - příjemky", {"window", "TfSkladPrevodS"}},
            {"Sklad/Objednávky", {"window", "TfObjVydS"}},
            {"Sklad/Sestavy skladu", {"window", "TfSklSes"}},
            {"Formuláře/Dodací listy", {"window", "TfDodakS"}},
            {"Formuláře/Faktury", {"window", "TfFakturaS"}},
            {"Seznamy/Základní ceník", {"dialog", "fCenikES"}},
            {"Seznamy/Ceník oprav", {"dialog", "fCenikProhES"}},
            {"Seznamy/Uživatelský ceník", {"dialog", "fCenikUziv"}},
            {"Seznamy/Seznam sekcí", {"dialog", "fSekce"}},
            {"Seznamy/Typy HP", {"dialog", "fHPTypy"}},
            {"Seznamy/Stavy HP", {"dialog", "fHPStavy"}},
            {"Seznamy/Umístění HP", {"dialog", "fHPUmist"}},
            {"Seznamy/Pozice HP", {"dialog", "fHPPozice"}},
            {"Seznamy/Popis oprav a důvody vyřazení HP", {"dialog", "fHPSezOprVyr"}},
            {"Seznamy/Typy PV", {"dialog", "fPVTypy"}},
            {"Seznamy/Umístění PV", {"dialog", "fPVUmist"}},
            {"Seznamy/Označení PV", {"dialog", "fPVOznaceni"}},
            {"Seznamy/Vybavení PV", {"dialog", "fPVVybav"}},
            {"Seznamy/Prováděné kontroly PV", {"dialog", "fKatVodHKon"}},
            {"Sestavy/Statistika kontrol", {"window", "TfKonSes"}},
            {"Sestavy/Materiál dodacího listu", {"window", "TfDodSes"}},
            {"Čárový kód/Tisk čárových kódů", {"dialog", "fTiskCK"}},
            {"Čárový kód/Načtení kontroly", {"dialog", "fNactiCK"}},
            {"Čárový kód/Doplnění údajů", {"dialog", "fEditHPCK"}},
            {"Nastavení/Parametry programu", {"dialog", "fParProg"}},
            {"Nastavení/Číselné řady dokladů", {"dialog", "fDokRad"}},
            {"Nastavení/Definované texty", {"dialog", "fTexty"}},
            {"Nastavení/Datatabáze", {"dialog", "fData"}},
            {"Nastavení/Export a import", {"dialog", "fExpImp"}},
            {"Nastavení/SQL", {"warned window", "TfSQL"}},
            {"Nastavení/Údržba dat", {"dialog", "fUdrzbaDat"}},
            {"Nastavení/Import dat z Tarko7", {"dialog", "fPrevodDat"}},
            {"Nastavení/Záloha databáze", {"file", "Záloha databáze"}},
            {"Nastavení/Obnova databáze ze zálohy", {"file", "Obnova databáze ze zálohy"}},
            {"About/About", {"dialog", "fAbout"}},
            {"Konec", {"question", "Ukončit program ?"}},
        };
        QVERIFY(env->openProgramDatabase());
        // the main window works on the program database, and "Datatabáze" connects to it again
        SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), databaseFile());
        TDM dm(QStringLiteral("QelMenu2"));
        TfLTarko w(&dm);
        w.FormCreate();
        QVERIFY(dm.isOpen());
        auto openWindows = [&w] {
            QSet<QWidget *> windows;
            for (QWidget *child : w.findChildren<QWidget *>())
                if (child->isWindow() && child->isVisible())
                    windows.insert(child);
            return windows;
        };

        QStringList seen;
        for (QAction *top : w.menuBar()->actions()) {
            QList<QAction *> entries = top->menu() ? top->menu()->actions() : QList<QAction *>({top});
            for (QAction *entry : entries) {
                if (entry->isSeparator() || !entry->isVisible())
                    continue;
                const QString path = top->menu() ? top->text() + QLatin1Char('/') + entry->text() : entry->text();
                seen << path;
                const Opens want = expected.value(path, {"nothing", ""});
                QString opened;
                if (qstrcmp(want.kind, "dialog") == 0)
                    prompt().onModal([&](QDialog *d) {
                        opened = d->objectName();
                        return int(QDialog::Rejected);
                    });
                if (qstrcmp(want.kind, "question") == 0)
                    prompt().answer(PromptNo);
                if (qstrcmp(want.kind, "file") == 0)
                    prompt().fileAnswer(QString());   // the file dialog cancelled
                prompt().fileRequests.clear();
                const QSet<QWidget *> before = openWindows();
                prompt().clear();
                entry->trigger();
                for (QWidget *window : openWindows() - before) {
                    opened = QString::fromLatin1(window->metaObject()->className());
                    window->close();
                }
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                if (qstrcmp(want.kind, "question") == 0)
                    opened = prompt().lastText();
                if (qstrcmp(want.kind, "file") == 0 && prompt().fileRequests.size() == 1)
                    opened = prompt().fileRequests.constFirst().caption;
                QVERIFY2(prompt().unexpected.isEmpty(), qPrintable(path + QLatin1String(": ") + prompt().unexpected.join(QLatin1Char(';'))));
                // a question, or the warning before a window that can do harm, is said once
                const bool saysOnce = qstrcmp(want.kind, "question") == 0 || qstrcmp(want.kind, "warned window") == 0;
                QVERIFY2(prompt().shown.size() == (saysOnce ? 1 : 0),
                         qPrintable(path + QLatin1String(": ") + prompt().texts().join(QLatin1Char(';'))));
                QCOMPARE(opened, QString::fromUtf8(want.what));
                // an entry that opens nothing yet is greyed, every other one usable
                QVERIFY2(entry->isEnabled() == (qstrcmp(want.kind, "nothing") != 0), qPrintable(path));
            }
        }
        // so are the tool-bar buttons of subsystems still to come
        QVERIFY(w.findChild<QToolButton *>(QStringLiteral("sbKontrolyHP"))->isEnabled());
        QVERIFY(w.findChild<QToolButton *>(QStringLiteral("sbDilna"))->isEnabled());
        QVERIFY(w.findChild<QToolButton *>(QStringLiteral("sbKontrolyPV"))->isEnabled());
        QVERIFY(w.findChild<QToolButton *>(QStringLiteral("sbKontrolyPK"))->isEnabled());
        QVERIFY(w.findChild<QToolButton *>(QStringLiteral("sbFaktura"))->isEnabled());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QVERIFY2(seen.contains(it.key()), qPrintable(it.key()));
        QVERIFY(!seen.contains(QStringLiteral("Kontroly/Časové rozložení kontrol")));
        QVERIFY(dm.isOpen());
        dm.close();
    }

    void toolBarAndEndButton()
    {
        TDM dm(QStringLiteral("QelBar"));
        TfLTarko w(&dm);
        const QStringList hints = {"Kontroly PV", "Kontroly HP", "Kontroly PK", "Dílenské opravy HP",
                                   "Výdejky - příjemky", "Dodací list", "Faktura", "Konec"};
        QStringList actual;
        for (QToolButton *b : w.findChildren<QToolButton *>())
            if (b->objectName().startsWith(QStringLiteral("sb")))
                actual << b->toolTip();
        for (const QString &h : hints)
            QVERIFY2(actual.contains(h), qPrintable(h));
        QVERIFY(w.findChild<QLabel *>(QStringLiteral("lVerze")));
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lVerze"))->text(), QStringLiteral("v. 8.8.9"));
        w.resize(900, 60);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *end = w.findChild<QToolButton *>(QStringLiteral("sbKonec"));
        QCOMPARE(end->x(), end->parentWidget()->width() - 40);
        w.resize(700, 60);
        QCoreApplication::processEvents();
        QCOMPARE(end->x(), end->parentWidget()->width() - 40);
        // a tool button does what its menu entry does
        int opened = 0;
        w.bind(QStringLiteral("miKontrolyHP"), [&] { ++opened; });
        w.findChild<QToolButton *>(QStringLiteral("sbKontrolyHP"))->click();
        w.findChild<QAction *>(QStringLiteral("miKontrolyHP"))->trigger();
        QCOMPARE(opened, 2);
        prompt().answer(PromptYes);
        w.close();
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
