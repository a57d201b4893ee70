// Several workstations on one database through a real Firebird server on localhost:
// each workstation is its own process, connected by a "SERVER NAME" of the form
// host/port:/path, and the change counter keeps a later save from overwriting an
// earlier one made on another workstation. The server is the test's own: the machine's
// Firebird set-up, its security database above all, stays exactly as it was.
#include <QtTest>
#include <QCryptographicHash>
#include <QProcess>

#include "db/schema.h"
#include "support/fbserver.h"
#include "support/testentity.h"
#include "support/testenv.h"

namespace {

// One answer line of a worker: "<event> <result> <KLIC> <modified> <NAZEV>".
struct Answer
{
    QString event;
    int result = 0;
    int klic = -1;
    bool modified = false;
    QString nazev;
};

class Workstation
{
public:
    explicit Workstation(const QString &name) : m_name(name)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Workstation()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool start(const QStringList &args)
    {
        QString dir = qEnvironmentVariable("TARKO_TEST_BINARY_DIR");
        const QString program = dir.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/conflict_worker")
                                              : dir + QStringLiteral("/tests/conflict_worker");
        m_process.start(program, args);
        return m_process.waitForStarted(10000);
    }

    // The next line the worker printed; empty when it printed nothing in time.
    QString line(int timeoutMs = 30000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!m_process.canReadLine()) {
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return QString();
            m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

    Answer answer()
    {
        const QString l = line();
        Answer a;
        a.event = l.section(QLatin1Char(' '), 0, 0);
        a.result = l.section(QLatin1Char(' '), 1, 1).toInt();
        a.klic = l.section(QLatin1Char(' '), 2, 2).toInt();
        a.modified = l.section(QLatin1Char(' '), 3, 3) == QLatin1String("1");
        a.nazev = l.section(QLatin1Char(' '), 4);
        if (a.event.isEmpty())
            qWarning("%s: no answer (%s)", qPrintable(m_name), qPrintable(l));
        return a;
    }

    Answer command(const QString &text)
    {
        m_process.write(text.toUtf8() + '\n');
        return answer();
    }

    // Ends the worker; its last line counts the questions nobody answered.
    QString quit()
    {
        m_process.write("quit\n");
        const QString bye = line();
        m_process.waitForFinished(10000);
        return bye;
    }
    int exitCode() const { return m_process.exitCode(); }
    bool finished() const { return m_process.state() == QProcess::NotRunning; }

private:
    QString m_name;
    QProcess m_process;
};

QByteArray checksum(const QString &file)
{
    QFile f(file);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!f.open(QIODevice::ReadOnly) || !hash.addData(&f))
        return QByteArray();
    return hash.result().toHex();
}

} // namespace

class TestServerConflict : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<FirebirdServer> server;
    QByteArray machineSecurityBefore;

private slots:
    void initTestCase()
    {
        machineSecurityBefore = checksum(FirebirdServer::machineSecurityDatabase());
        server = std::make_unique<FirebirdServer>();
        QString reason;
        switch (server->start(&reason)) {
        case FirebirdServer::Running:
            break;
        case FirebirdServer::Unavailable:
            QSKIP(qPrintable(QStringLiteral("no Firebird server for this test: ") + reason));
        case FirebirdServer::Failed:
            QFAIL(qPrintable(reason));
        }
    }
    void cleanupTestCase()
    {
        const bool started = server && server->pid() != 0;
        server.reset();
        // the test password went into a copy only: not a byte of the machine's file moved
        if (started)
            QCOMPARE(checksum(FirebirdServer::machineSecurityDatabase()), machineSecurityBefore);
    }

    void laterSaveOfAnotherWorkstationIsRefused()
    {
        TestEnvironment env;
        Firebird::Location where;
        where.host = server->host();
        where.path = server->dataDir() + QStringLiteral("/spolecna.fdb");
        QString error;
        QVERIFY2(Schema::createDatabase(where, server->user(), server->password(), &error), qPrintable(error));

        TDMPro dm(QStringLiteral("QelServer"));
        QVERIFY2(dm.open(where, server->user(), server->password(), &error), qPrintable(error));
        // through the server, not an embedded engine that happens to reach the same file
        const QString protocol = TestEnvironment::scalar(
            dm, QStringLiteral("SELECT RDB$GET_CONTEXT('SYSTEM', 'NETWORK_PROTOCOL') FROM RDB$DATABASE")).toString();
        QVERIFY2(protocol.startsWith(QLatin1String("TCP")), qPrintable(protocol));
        // and through the test's own server on its own port, not a server of the machine
        QVERIFY(server->port() > 0 && server->port() != 3050);
        QCOMPARE(TestEnvironment::scalar(dm, QStringLiteral("SELECT MON$SERVER_PID FROM MON$ATTACHMENTS "
                                                            "WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION")).toLongLong(),
                 server->pid());
        QVERIFY(TestEnvironment::ddl(dm, testEntityDdl()));
        int key = 0;
        {
            std::unique_ptr<TestEntityC> c(TfClass::create<TestEntityC>(&dm));
            QVERIFY(c);
            c->SetVariable(QStringLiteral("NAZEV"), QStringLiteral("Původní"));
            key = c->InsertRecord();
            QVERIFY(key > 0);
        }

        const QString serverName = server->serverName(QStringLiteral("spolecna.fdb"));
        QVERIFY2(serverName.startsWith(QStringLiteral("localhost/%1:/").arg(server->port())), qPrintable(serverName));
        Workstation first(QStringLiteral("first")), second(QStringLiteral("second"));
        const QStringList common{serverName, server->user(), server->password(), QString::number(key)};
        QVERIFY(first.start(QStringList{env.path(QStringLiteral("ws1.ini"))} + common + QStringList{QStringLiteral("První")}));
        QVERIFY(second.start(QStringList{env.path(QStringLiteral("ws2.ini"))} + common + QStringList{QStringLiteral("Druhá")}));
        for (Workstation *w : {&first, &second}) {
            const QString connected = w->line();   // each workstation goes through the server too
            QVERIFY2(connected.startsWith(QLatin1String("connected TCP")), qPrintable(connected));
            const Answer opened = w->answer();
            QCOMPARE(opened.event, QStringLiteral("opened"));
            QCOMPARE(opened.result, 0);
            QCOMPARE(opened.klic, 0);
            QVERIFY(opened.modified);
        }

        Answer a = first.command(QStringLiteral("save"));
        QCOMPARE(a.event, QStringLiteral("saved"));
        QCOMPARE(a.result, 0);
        QCOMPARE(a.klic, 1);
        QVERIFY(!a.modified);

        // the second one read the row before that save: it must not overwrite it, keeps
        // what was typed, and a retry does not slip through either
        for (int attempt = 0; attempt < 2; ++attempt) {
            a = second.command(QStringLiteral("save"));
            QCOMPARE(a.event, QStringLiteral("saved"));
            QCOMPARE(a.result, int(TfClass::ResSaveFailed));
            QCOMPARE(a.nazev, QStringLiteral("Druhá"));
            QVERIFY(a.modified);
            QCOMPARE(a.klic, 0);
        }
        QCOMPARE(TestEnvironment::scalar(dm, QStringLiteral("SELECT NAZEV FROM TST_HLAV")).toString(),
                 QStringLiteral("První"));
        QCOMPARE(TestEnvironment::scalar(dm, QStringLiteral("SELECT KLIC FROM TST_HLAV")).toInt(), 1);

        // cancelling shows what the first workstation stored; from there a save works
        a = second.command(QStringLiteral("cancel"));
        QCOMPARE(a.event, QStringLiteral("cancelled"));
        QCOMPARE(a.result, 0);
        QCOMPARE(a.nazev, QStringLiteral("První"));
        QCOMPARE(a.klic, 1);
        QVERIFY(!a.modified);
        QCOMPARE(second.command(QStringLiteral("set Druhá")).nazev, QStringLiteral("Druhá"));
        a = second.command(QStringLiteral("save"));
        QCOMPARE(a.result, 0);
        QCOMPARE(a.klic, 2);

        // and the first workstation sees it once it reads the record again
        a = first.command(QStringLiteral("cancel"));
        QCOMPARE(a.nazev, QStringLiteral("Druhá"));
        QCOMPARE(a.klic, 2);

        QCOMPARE(second.quit(), QStringLiteral("bye 0 2"));   // one beep per refused save
        QCOMPARE(first.quit(), QStringLiteral("bye 0 0"));
        QVERIFY(first.finished() && second.finished());
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(second.exitCode(), 0);
        QEL_CHECK_PROMPTS(env);
    }
};

QTEST_MAIN(TestServerConflict)
#include "tst_server_conflict.moc"
