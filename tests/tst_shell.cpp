// Start-up, the connection settings, the connection window and the main window.
#include <QtTest>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

#include "support/testenv.h"
#include "core/globals.h"
#include "core/settingsstore.h"
#include "shell/data.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"

class TestShell : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> env;
    const QString dbKey = QStringLiteral("SOFTWARE\\MORVANT\\Tarko 8 VEX\\DB");

    QString stored(const QString &name) { return SettingsStore::instance().readValue(dbKey, name, QStringLiteral("<none>")); }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup()
    {
        QEL_CHECK_PROMPTS(*env);
        env.reset();
    }

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
        env->prompt().answer(PromptNo);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(env->prompt().lastText(), QStringLiteral("Ukončit program ?"));
        QCOMPARE(env->prompt().shown.constLast().caption, QStringLiteral("Pozor"));
        env->prompt().answer(PromptYes);
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
        w.FormCreate();
        QCOMPARE(shown, 2);
        QVERIFY(dm.isOpen());
        QCOMPARE(env->prompt().texts().count(QStringLiteral("Chyba otevření databáze\nNastavte cestu, uživatele a heslo pro databázi")), 2);
        env->prompt().clear();
        dm.close();
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
        env->prompt().clear();
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

    void menuHoldsEveryEntryInOrder()
    {
        TDM dm(QStringLiteral("QelMenu2"));
        TfLTarko w(&dm);
        QStringList actual;
        for (QAction *top : w.menuBar()->actions()) {
            if (!top->menu()) {
                actual << top->text();
                continue;
            }
            actual << QStringLiteral("[") + top->text() + QStringLiteral("]");
            for (QAction *a : top->menu()->actions())
                actual << (a->isSeparator() ? QStringLiteral("-") : a->text() + (a->isVisible() ? QString() : QStringLiteral(" (skryto)")));
        }
        const QStringList expected = {
            "[Adresář]", "Adresy",
            "[Kontroly]", "Hasící přístroje", "Požární vodovody", "Požární klapky", "Dílenské opravy", "-",
            "Plán kontol", "Plán kontrol komplet", "-", "Časové rozložení kontrol (skryto)", "Dohledání HP",
            "[Formuláře]", "Dodací listy", "Faktury",
            "[Sklad]", "Ceník", "Výdejky - příjemky", "Objednávky", "-", "Sestavy skladu",
            "[Sestavy]", "Statistika kontrol", "Materiál dodacího listu",
            "[Seznamy]", "Základní ceník", "Ceník oprav", "Uživatelský ceník", "Seznam sekcí", "Díly a výkony k HP", "-",
            "Typy HP", "Stavy HP", "Umístění HP", "Pozice HP", "Popis oprav a důvody vyřazení HP", "-",
            "Typy PV", "Umístění PV", "Označení PV", "Vybavení PV", "Prováděné kontroly PV",
            "[Čárový kód]", "Tisk čárových kódů", "Načtení kontroly", "Doplnění údajů",
            "[Nastavení]", "Parametry programu", "Číselné řady dokladů", "-", "Definované texty", "-", "Datatabáze",
            "Export a import", "-", "Údržba dat", "SQL", "Import dat z Tarko7",
            "[About]", "About",
            "Konec",
        };
        QCOMPARE(actual, expected);
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
        env->prompt().answer(PromptYes);
        w.close();
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
