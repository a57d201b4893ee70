// The program as the system and the user's desktop see it: it ends cleanly on the
// signals of kill, Ctrl+C and a logout, a second start on the same embedded database
// hands over to the running program, and a database that cannot be opened is refused
// with its real cause, the file untouched.
#include <QtTest>
#include <QCryptographicHash>
#include <QProcess>
#include <csignal>

#include <QLineEdit>

#include "support/addressdata.h"
#include "support/programdatabasetest.h"
#include "core/settingsstore.h"
#include "customers/adresy.h"
#include "customers/adresyc.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"

class TestOperations : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    const QString dbKey = QStringLiteral("SOFTWARE\\MORVANT\\Tarko 8 VEX\\DB");

    static QString binary(const QString &name)
    {
        return qEnvironmentVariable("TARKO_TEST_BINARY_DIR") + QLatin1Char('/') + name;
    }
    static QString tool(const QString &name)
    {
        return qEnvironmentVariable("TARKO_TEST_BINARY_DIR") + QStringLiteral("/tests/") + name;
    }
    // The program's own settings file (under XDG_CONFIG_HOME) names the database.
    void configure(const QString &database)
    {
        SettingsStore::setFilePath(env->path(QStringLiteral("config/MORVANT/user-settings.ini")));
        SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), database);
        SettingsStore::instance().sync();
    }
    void start(QProcess &p, const QString &program)
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), env->path(QStringLiteral("config")));
        e.insert(QStringLiteral("XDG_DATA_HOME"), env->path(QStringLiteral("data")));
        e.insert(QStringLiteral("TARKO_STATUS_LINES"), QStringLiteral("1"));
        p.setProcessEnvironment(e);
        p.start(program, {});
        QVERIFY2(p.waitForStarted(), qPrintable(program));
    }
    // Waits for a line that starts with prefix; returns it.
    static QString waitForLine(QProcess &p, const QString &prefix, int ms = 20000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            while (p.canReadLine()) {
                const QString line = QString::fromUtf8(p.readLine()).trimmed();
                if (line.startsWith(prefix))
                    return line;
            }
            if (p.state() != QProcess::Running)
                break;
            p.waitForReadyRead(200);
        }
        return QString();
    }
    static void endBySignal(QProcess &p, int signal)
    {
        QElapsedTimer t;
        t.start();
        ::kill(pid_t(p.processId()), signal);
        const bool ended = p.waitForFinished(5000);
        if (!ended)
            p.kill();
        QVERIFY2(ended, qPrintable(QStringLiteral("still running 5 s after signal %1").arg(signal)));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }
    static QString isql(const QString &database, const QByteArray &script)
    {
        QProcess p;
        p.start(QStringLiteral("isql-fb"), {QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-q"), database});
        p.waitForStarted();
        p.write(script);
        p.closeWriteChannel();
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    }
    static QByteArray digest(const QString &file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

private slots:
    void init() { startWithoutDatabase(); }
    void cleanup() { finish(); }

    void signalEndsTheProgramWithoutTheOpenEdit()
    {
        const QString db = env->createDatabase();
        configure(db);
        QProcess program;
        start(program, tool(QStringLiteral("program_worker")));
        const QString editing = waitForLine(program, QStringLiteral("editing"));
        QVERIFY2(!editing.isEmpty(), program.readAllStandardError().constData());
        const QStringList parts = editing.split(QLatin1Char(' '));
        QCOMPARE(parts.value(2), QStringLiteral("1"));   // the unit of work is open
        endBySignal(program, SIGTERM);
        // detached: a stock tool opens the file, and sees only what was committed
        const QString out = isql(db, QStringLiteral("SELECT '<' || NAZEV || '>' FROM ADRESAR WHERE UNCIS = %1;\n")
                                         .arg(parts.value(1)).toUtf8());
        QVERIFY2(out.contains(QStringLiteral("<Ulozena firma>")), qPrintable(out));
        QVERIFY2(!out.contains(QStringLiteral("Neulozena")), qPrintable(out));
    }

    void secondStartHandsOverAndEachSignalEnds()
    {
        const QString db = env->createDatabase();
        configure(db);
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
            QProcess first;
            start(first, binary(QStringLiteral("tarko8")));
            QVERIFY2(!waitForLine(first, QStringLiteral("ready")).isEmpty(), first.readAllStandardError().constData());
            if (signal == SIGTERM) {
                // a double double-click: the second program ends at once, the first comes to the front
                QProcess second;
                QElapsedTimer t;
                t.start();
                start(second, binary(QStringLiteral("tarko8")));
                QVERIFY(second.waitForFinished(5000));
                QVERIFY2(t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));
                QCOMPARE(second.exitCode(), 0);
                QVERIFY2(!second.readAllStandardOutput().contains("ready"), "the second program showed its window");
                QCOMPARE(waitForLine(first, QStringLiteral("activated")), QStringLiteral("activated fLTarko"));
            }
            endBySignal(first, signal);
        }
        QVERIFY(isql(db, "SELECT COUNT(*) FROM QELSYS;\n").contains(QStringLiteral("COUNT")));
    }

    void sessionEndAsksAboutUnsavedEditsFirst()
    {
        QVERIFY(env->openProgramDatabase());
        const int key = insertEntry(*DM, 1, QStringLiteral("Firma"));
        TDM dm(QStringLiteral("QelSession"));
        TfLTarko w(&dm);
        auto *c = TfClass::create<TfAdresyC>(DM);
        c->AddRef();
        QCOMPARE(c->OpenRecord(key), 0);
        QPointer<TfAdresy> form = new TfAdresy(c);
        form->show();
        auto *name = form->findChild<QLineEdit *>(QStringLiteral("eNazev"));
        name->setFocus();
        name->selectAll();
        name->insert(QStringLiteral("Jiná firma"));
        // the user cancels: the session does not end here
        prompt().answer(PromptCancel);
        QVERIFY(!w.sessionEnding(true));
        QVERIFY(!w.isEnding());
        QCOMPARE(prompt().lastText(), QStringLiteral("Uložit změny ?"));
        // the user saves: the edit is stored, and the program ends without "Ukončit program ?"
        prompt().answer(PromptYes);
        QVERIFY(w.sessionEnding(true));
        QVERIFY(w.isEnding());
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = %1").arg(key)).toString(), QStringLiteral("Jiná firma"));
        QCOMPARE(prompt().shown.size(), 2);
        delete form;
        c->Release();
        Prompt::setBackend(&prompt());
    }

    void eachCauseOfAFailedOpeningHasItsMessage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("windowHelps");
        const QString head = QStringLiteral("Chyba otevření databáze\n");
        QTest::newRow("missing") << "missing" << head + "Soubor databáze %1 neexistuje.\nZkontrolujte cestu k databázi." << true;
        QTest::newRow("not a database") << "junk" << head + "Soubor %1 není databáze nebo je poškozený.\n"
                                                           "Vyberte správný soubor databáze, nebo obnovte databázi ze zálohy "
                                                           "(Nastavení / Obnova databáze ze zálohy)." << true;
        QTest::newRow("damaged") << "cut" << head + "Soubor %1 není databáze nebo je poškozený.\n"
                                                    "Vyberte správný soubor databáze, nebo obnovte databázi ze zálohy "
                                                    "(Nastavení / Obnova databáze ze zálohy)." << true;
        QTest::newRow("user") << "user" << head + "Databáze nepřijala uživatele NEZNAMY: jméno uživatele nebo heslo "
                                                  "není správné, nebo uživatel nemá k databázi přístup.\n"
                                                  "Zadejte správné jméno uživatele a heslo." << true;
        QTest::newRow("in use") << "inuse" << head + "Databázi %1 má otevřenou jiný program (isql-fb).\n"
                                                     "Databázi v souboru může mít otevřenou jen jeden program najednou: "
                                                     "ukončete ho a spusťte tento program znovu." << false;
        QTest::newRow("no server") << "server" << head + "Server nohost.invalid není dostupný.\n"
                                                         "Zkontrolujte, že server databáze běží a je dostupný po síti, "
                                                         "a název serveru v cestě k databázi." << true;
        QTest::newRow("newer") << "newer" << head + "Databáze %1 je novější verze, než jakou tento program umí otevřít.\n"
                                                    "Použijte novější verzi programu." << false;
    }

    void eachCauseOfAFailedOpeningHasItsMessage()
    {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        QFETCH(bool, windowHelps);
        QString file = env->path(QStringLiteral("cases/x.fdb"));
        QDir().mkpath(env->path(QStringLiteral("cases")));
        QString server = file;
        QProcess holder;
        if (kind == QLatin1String("junk")) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(40000, 'x'));
        } else if (kind != QLatin1String("missing") && kind != QLatin1String("server")) {
            QVERIFY(QFile::copy(env->createDatabase(), file));
        }
        if (kind == QLatin1String("cut"))
            QVERIFY(QFile::resize(file, 100000));
        if (kind == QLatin1String("newer")) {
            // on-disk structure 13 in the header page, one above this engine's
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(18);
            f.write(QByteArray("\x0d\x80", 2));
        }
        if (kind == QLatin1String("server"))
            server = QStringLiteral("nohost.invalid:/x.fdb");
        if (kind == QLatin1String("user"))
            SettingsStore::instance().writeValue(dbKey, QStringLiteral("USER NAME"), QStringLiteral("NEZNAMY"));
        if (kind == QLatin1String("inuse")) {
            holder.start(QStringLiteral("isql-fb"), {QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-q"), file});
            QVERIFY(holder.waitForStarted());
            holder.write("SELECT 'open' FROM RDB$DATABASE;\n");
            QVERIFY(holder.waitForReadyRead(10000));
        }
        SettingsStore::instance().writeValue(dbKey, QStringLiteral("SERVER NAME"), server);
        const QByteArray before = digest(file);
        if (kind == QLatin1String("missing"))
            prompt().answer(PromptNo);   // "... neexistuje. Vytvořit ...?"

        TDM dm(QStringLiteral("QelCause"));
        QCOMPARE(dm.ConnectDatabase(), -2);
        QVERIFY(!dm.isOpen());
        QCOMPARE(prompt().lastText(), expected.contains(QLatin1String("%1")) ? expected.arg(file) : expected);
        QCOMPARE(dm.settingsMayHelp(), windowHelps);
        if (kind != QLatin1String("user"))
            QCOMPARE(digest(file), before);
        prompt().clear();
        if (kind == QLatin1String("inuse")) {
            holder.closeWriteChannel();
            QVERIFY(holder.waitForFinished(10000));
        }
    }
};

QTEST_MAIN(TestOperations)
#include "tst_operations.moc"
