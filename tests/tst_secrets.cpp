// The database password kept out of reach: the settings file that holds it belongs to
// the user alone, and neither a message of a failed connection nor the log shows it.
#include <QtTest>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include "support/programdatabasetest.h"
#include "core/firebird.h"
#include "core/prompt.h"
#include "core/secrets.h"
#include "core/settingsstore.h"
#include "shell/datamodul.h"

namespace {

int mode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QStringList g_logged;
QtMessageHandler g_testHandler = nullptr;

void captureLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_logged << message;
}

} // namespace

class TestSecrets : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    mode_t m_umask = 0;

private slots:
    void init()
    {
        startWithoutDatabase();
        // the usual umask, under which Qt would make files everybody may read
        m_umask = ::umask(022);
    }
    void cleanup()
    {
        ::umask(m_umask);
        finish();
    }

    void firstStartMakesSettingsPrivate()
    {
        // the program's own place, $XDG_CONFIG_HOME/MORVANT, as on a real first start
        SettingsStore::setFilePath(QString());
        const QString file = SettingsStore::filePath();
        QCOMPARE(file, env->path(QStringLiteral("config/MORVANT/user-settings.ini")));
        TDM dm(QStringLiteral("QelFirst"));
        QCOMPARE(dm.ConnectDatabase(), 0);
        dm.close();
        QCOMPARE(ReadRegistryValue(QStringLiteral("PASSWORD"), QString(), TDM::connectionKeyPath()),
                 QStringLiteral("vorlipsan"));
        QCOMPARE(mode(file), 0600);
        QCOMPARE(mode(QFileInfo(file).absolutePath()), 0700);
    }

    void openSettingsAreClosedAtFirstWrite()
    {
        // what an older version left: readable by every user of the machine
        const QString dir = env->path(QStringLiteral("config/MORVANT"));
        const QString file = dir + QStringLiteral("/user-settings.ini");
        QVERIFY(QDir().mkpath(dir));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[SOFTWARE]\nMORVANT\\Tarko%208%20VEX\\DB\\PASSWORD=tajne\n");
        }
        QVERIFY(::chmod(QFile::encodeName(dir).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
        SettingsStore::setFilePath(QString());
        const QString key = TDM::connectionKeyPath();
        QVERIFY(WriteRegistryValue(QStringLiteral("USER NAME"), QStringLiteral("TECHNIK"), key));
        QCOMPARE(mode(file), 0600);
        QCOMPARE(mode(dir), 0700);
        // nothing of the file was lost on the way
        SettingsStore::setFilePath(file);
        QCOMPARE(ReadRegistryValue(QStringLiteral("PASSWORD"), QString(), key), QStringLiteral("tajne"));
        QCOMPARE(ReadRegistryValue(QStringLiteral("USER NAME"), QString(), key), QStringLiteral("TECHNIK"));

        // a folder someone chose for the file keeps its mode (it may be shared), the
        // file is still the user's alone
        const QString shared = env->path(QStringLiteral("shared"));
        QVERIFY(QDir().mkpath(shared));
        QVERIFY(::chmod(QFile::encodeName(shared).constData(), 0755) == 0);
        SettingsStore::setFilePath(shared + QStringLiteral("/nastaveni.ini"));
        QVERIFY(WriteRegistryValue(QStringLiteral("PASSWORD"), QStringLiteral("tajne"), key));
        QCOMPARE(mode(shared), 0755);
        QCOMPARE(mode(shared + QStringLiteral("/nastaveni.ini")), 0600);
    }

    void failedConnectionShowsNoPassword()
    {
        // The password slipped into the path field too (and holds an apostrophe, which
        // SQL doubles): the engine's message names that path.
        const QString password = QStringLiteral("Tajne'Heslo-42");
        const QString notADatabase = env->path(password);
        QVERIFY(QDir().mkpath(notADatabase));
        const QString key = TDM::connectionKeyPath();
        QVERIFY(WriteRegistryValue(QStringLiteral("SERVER NAME"), notADatabase, key));
        QVERIFY(WriteRegistryValue(QStringLiteral("PASSWORD"), password, key));

        g_logged.clear();
        g_testHandler = qInstallMessageHandler(captureLog);
        Secrets::installLogFilter();

        TDM dm(QStringLiteral("QelSecret"));
        QCOMPARE(dm.ConnectDatabase(), -2);
        QString error;
        QVERIFY(!dm.open(Firebird::parseLocation(notADatabase), QStringLiteral("SYSDBA"), password, &error));
        // what the engine said is kept, the password is not
        QVERIFY2(error.contains(env->path(QStringLiteral("***"))), qPrintable(error));
        QVERIFY2(!error.contains(password), qPrintable(error));
        // whatever shows or logs the failure with the raw texts gives the password away nowhere
        Prompt::warning(QStringLiteral("Chyba: ") + notADatabase + QStringLiteral(" / ") + QStringLiteral("'Tajne''Heslo-42'"),
                        QStringLiteral("DM"));
        qWarning("cannot open %s with password %s", qPrintable(notADatabase), qPrintable(password));
        qInstallMessageHandler(g_testHandler);

        QCOMPARE(prompt().shown.size(), qsizetype(2));
        // the cause is named with the path, and the path has lost the password
        const QString said = prompt().shown.constFirst().text;
        QVERIFY2(said.startsWith(QStringLiteral("Chyba otevření databáze\n")), qPrintable(said));
        QVERIFY2(said.contains(env->path(QStringLiteral("***"))) && !said.contains(password), qPrintable(said));
        QCOMPARE(prompt().shown.constLast().text,
                 QStringLiteral("Chyba: %1 / '***'").arg(env->path(QStringLiteral("***"))));
        QCOMPARE(g_logged.size(), qsizetype(1));
        QCOMPARE(g_logged.constFirst(), QStringLiteral("cannot open %1 with password ***").arg(env->path(QStringLiteral("***"))));
        prompt().clear();
    }

    void ordinaryTextKeepsItsWords()
    {
        // a short password would eat every number of every message; a longer one goes
        // only where it stands as a whole
        QCOMPARE(Secrets::withoutPassword(QStringLiteral("Doklad 1 uložen"), QStringLiteral("1")),
                 QStringLiteral("Doklad 1 uložen"));
        QCOMPARE(Secrets::withoutPassword(QStringLiteral("Uložit změny ? heslo=ulozit"), QStringLiteral("ulozit")),
                 QStringLiteral("Uložit změny ? heslo=***"));
        QCOMPARE(Secrets::withoutPassword(QStringLiteral("Neuložitelné: uloziteln"), QStringLiteral("ulozit")),
                 QStringLiteral("Neuložitelné: uloziteln"));
    }

    void serverOnItsOwnPort()
    {
        // "host/port:path" reaches a server on another TCP port; a local path with a
        // slash before a colon stays local
        Firebird::Location l = Firebird::parseLocation(QStringLiteral("dbserver/3051:/var/lib/db/x.fdb"));
        QCOMPARE(l.host, QStringLiteral("dbserver/3051"));
        QCOMPARE(l.path, QStringLiteral("/var/lib/db/x.fdb"));
        QCOMPARE(l.spec(), QStringLiteral("dbserver/3051:/var/lib/db/x.fdb"));
        l = Firebird::parseLocation(QStringLiteral("/data/3051:x.fdb"));
        QVERIFY(l.host.isEmpty());
        l = Firebird::parseLocation(QStringLiteral("data/x:y.fdb"));
        QVERIFY(l.host.isEmpty());
    }
};

QTEST_MAIN(TestSecrets)
#include "tst_secrets.moc"
