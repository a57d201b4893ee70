#include "support/fbserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <functional>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kGuard = QStringLiteral("/usr/sbin/fbguard");
const QString kServer = QStringLiteral("/usr/sbin/firebird");
const QString kIsql = QStringLiteral("/usr/bin/isql-fb");
const QString kServiceManager = QStringLiteral("/usr/bin/fbsvcmgr");
const QString kRunuser = QStringLiteral("/usr/sbin/runuser");
const QString kSecurityDb = QStringLiteral("/var/lib/firebird/3.0/system/security3.fdb");
const QString kLockDir = QStringLiteral("/tmp/firebird");
const QString kRunDir = QStringLiteral("/run/firebird3.0");
// The guard of the tests' server is recognised by this pid file on its command line.
const QString kPidFile = QStringLiteral("/run/firebird3.0/tarko-tests.pid");
// Held (flock) by the test process that owns the server; the kernel releases it when
// that process dies, so a server found while holding it is a leftover.
const char kOwnerLock[] = "/tmp/tarko-tests-fbserver.lock";

QStringList commandLine(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList args;
    for (const QByteArray &a : f.readAll().split('\0'))
        if (!a.isEmpty())
            args << QString::fromLocal8Bit(a);
    return args;
}

// Parent pid and whether the process still runs (a zombie does not: in a container
// whose init does not reap, a stopped guard stays a zombie for ever).
bool processInfo(qint64 pid, qint64 *parent = nullptr)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bool alive = true;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("State:"))
            alive = !line.mid(6).trimmed().startsWith('Z') && !line.mid(6).trimmed().startsWith('X');
        else if (line.startsWith("PPid:") && parent)
            *parent = line.mid(5).trimmed().toLongLong();
    }
    return alive;
}

QList<qint64> processesRunning(const std::function<bool(const QStringList &)> &match)
{
    QList<qint64> pids;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &e : entries) {
        bool number = false;
        const qint64 pid = e.toLongLong(&number);
        if (!number || pid == getpid())
            continue;
        const QStringList args = commandLine(pid);
        if (!args.isEmpty() && match(args) && processInfo(pid))
            pids << pid;
    }
    return pids;
}

QList<qint64> testGuards()
{
    return processesRunning([](const QStringList &args) {
        return QFileInfo(args.first()).fileName() == QLatin1String("fbguard") && args.contains(kPidFile);
    });
}

QList<qint64> servers()
{
    return processesRunning([](const QStringList &args) {
        return QFileInfo(args.first()).fileName() == QLatin1String("firebird");
    });
}

bool waitGone(const QList<qint64> &pids, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        bool any = false;
        for (qint64 pid : pids)
            any = any || processInfo(pid);
        if (!any)
            return true;
        if (t.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
    }
}

// TERM to the guard makes it shut its server down and leave; KILL when it hangs.
void stopGuard(qint64 guard)
{
    QList<qint64> pids{guard};
    for (qint64 s : servers()) {
        qint64 parent = 0;
        if (processInfo(s, &parent) && parent == guard)
            pids << s;
    }
    ::kill(pid_t(guard), SIGTERM);
    if (waitGone(pids, 15000))
        return;
    for (qint64 pid : pids)
        ::kill(pid_t(pid), SIGKILL);
    waitGone(pids, 5000);
}

struct RunResult
{
    bool ok = false;
    QString output;
};

RunResult run(const QString &program, const QStringList &args, const QByteArray &input = QByteArray(),
              int timeoutMs = 30000)
{
    QProcess p;
    p.setWorkingDirectory(QStringLiteral("/"));
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    RunResult r;
    if (!p.waitForStarted(timeoutMs)) {
        r.output = program + QStringLiteral(": ") + p.errorString();
        return r;
    }
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        r.output = program + QStringLiteral(": no answer in time");
        return r;
    }
    r.output = QString::fromLocal8Bit(p.readAll()).trimmed();
    r.ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return r;
}

bool giveToFirebird(const QString &path, mode_t mode, QString *reason)
{
    const passwd *pw = getpwnam("firebird");
    if (!pw) {
        *reason = QStringLiteral("no user firebird");
        return false;
    }
    const QByteArray p = QFile::encodeName(path);
    if (::chown(p.constData(), pw->pw_uid, pw->pw_gid) != 0 || (mode && ::chmod(p.constData(), mode) != 0)) {
        *reason = QStringLiteral("cannot give %1 to the firebird user: %2").arg(path, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    return true;
}

} // namespace

FirebirdServer::FirebirdServer() = default;

FirebirdServer::~FirebirdServer()
{
    stop();
}

QString FirebirdServer::dataDir() const
{
    return m_dataDir ? m_dataDir->path() : QString();
}

QString FirebirdServer::serverName(const QString &fileName) const
{
    return host() + QLatin1Char(':') + dataDir() + QLatin1Char('/') + fileName;
}

bool FirebirdServer::answers(int timeoutMs) const
{
    const RunResult r = run(kServiceManager,
                            {host() + QStringLiteral(":service_mgr"), QStringLiteral("-user"), user(),
                             QStringLiteral("-password"), password(), QStringLiteral("-info_server_version")},
                            QByteArray(), timeoutMs);
    return r.ok && r.output.contains(QLatin1String("Server version"));
}

bool FirebirdServer::lock(QString *reason)
{
    m_lockFd = ::open(kOwnerLock, O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (m_lockFd < 0) {
        *reason = QStringLiteral("cannot open %1: %2").arg(QLatin1String(kOwnerLock), QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    // another test run on this machine may be using the server; wait for it
    QElapsedTimer t;
    t.start();
    while (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        if (t.elapsed() > 300000) {
            ::close(m_lockFd);
            m_lockFd = -1;
            *reason = QStringLiteral("another test kept the Firebird server for five minutes");
            return false;
        }
        QThread::msleep(200);
    }
    return true;
}

bool FirebirdServer::prepareDirectories(QString *reason)
{
    // The server runs as firebird and shares the lock folder with the embedded engine of
    // root processes: the folders and the lock files already in them must be its own.
    for (const QString &dir : {kLockDir, kRunDir}) {
        if (!QDir().mkpath(dir)) {
            *reason = QStringLiteral("cannot create %1").arg(dir);
            return false;
        }
        if (!giveToFirebird(dir, 0770, reason))
            return false;
        const QStringList files = QDir(dir).entryList(QDir::Files | QDir::System | QDir::Hidden);
        for (const QString &f : files)
            if (!giveToFirebird(dir + QLatin1Char('/') + f, 0, reason))
                return false;
    }
    return true;
}

bool FirebirdServer::setPassword(QString *reason)
{
    // With the server stopped the security database opens embedded; running isql as
    // firebird keeps the lock files it creates usable by the server afterwards.
    const QByteArray script = "SET BAIL ON;\nCREATE OR ALTER USER SYSDBA PASSWORD '" + password().toUtf8()
                              + "' USING PLUGIN Srp;\nCOMMIT;\n";
    const RunResult r = run(kRunuser, {QStringLiteral("-u"), QStringLiteral("firebird"), QStringLiteral("--"),
                                       kIsql, QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-user"),
                                       QStringLiteral("SYSDBA"), kSecurityDb},
                            script);
    if (!r.ok || !r.output.isEmpty()) {
        *reason = QStringLiteral("setting the SYSDBA password failed: ") + r.output;
        return false;
    }
    return true;
}

bool FirebirdServer::makeDataDir(QString *reason)
{
    // not under $TMPDIR: the server must be able to reach the folder
    m_dataDir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/tarko-fbserver-XXXXXX"));
    m_dataDir->setAutoRemove(qEnvironmentVariableIsEmpty("TARKO_KEEP_TEST_FILES"));
    if (!m_dataDir->isValid()) {
        *reason = QStringLiteral("cannot create a folder for the database: ") + m_dataDir->errorString();
        return false;
    }
    return giveToFirebird(m_dataDir->path(), 0770, reason);
}

FirebirdServer::Status FirebirdServer::start(QString *reason)
{
    QString why;
    if (!reason)
        reason = &why;
    if (m_running)
        return Running;
    if (geteuid() != 0) {
        *reason = QStringLiteral("starting a Firebird server needs root");
        return Unavailable;
    }
    for (const QString &program : {kGuard, kServer, kIsql, kServiceManager, kRunuser}) {
        if (!QFileInfo(program).isExecutable()) {
            *reason = QStringLiteral("%1 is missing (packages firebird3.0-server, firebird3.0-utils)").arg(program);
            return Unavailable;
        }
    }
    if (!getpwnam("firebird")) {
        *reason = QStringLiteral("no user firebird (package firebird3.0-server)");
        return Unavailable;
    }
    if (!lock(reason))
        return Failed;

    // Holding the lock, a guard with our pid file and any database folder belong to a
    // test that died.
    for (qint64 guard : testGuards())
        stopGuard(guard);
    if (qEnvironmentVariableIsEmpty("TARKO_KEEP_TEST_FILES")) {
        const QDir tmp(QStringLiteral("/tmp"));
        for (const QString &stale : tmp.entryList({QStringLiteral("tarko-fbserver-*")}, QDir::Dirs))
            QDir(tmp.filePath(stale)).removeRecursively();
    }

    const QList<qint64> foreign = servers();
    if (!foreign.isEmpty()) {
        if (answers(5000)) {
            m_running = true;
            return makeDataDir(reason) ? Running : Failed;
        }
        *reason = QStringLiteral("a Firebird server not started by the tests runs (pid %1) and does not accept "
                                 "the test password").arg(foreign.first());
        stop();
        return Unavailable;
    }

    if (!prepareDirectories(reason) || !setPassword(reason) || !prepareDirectories(reason)) {
        stop();
        return Failed;
    }
    QFile::remove(kPidFile);
    const RunResult guard = run(kRunuser, {QStringLiteral("-u"), QStringLiteral("firebird"), QStringLiteral("--"),
                                           kGuard, QStringLiteral("-daemon"), QStringLiteral("-forever"),
                                           QStringLiteral("-pidfile"), kPidFile});
    if (!guard.ok) {
        *reason = QStringLiteral("fbguard did not start: ") + guard.output;
        stop();
        return Failed;
    }
    m_owned = true;
    m_running = true;
    QElapsedTimer t;
    t.start();
    while (!answers(5000)) {
        if (t.elapsed() > 20000) {
            *reason = QStringLiteral("the Firebird server did not answer on localhost within 20 s");
            stop();
            return Failed;
        }
        QThread::msleep(100);
    }
    if (!makeDataDir(reason)) {
        stop();
        return Failed;
    }
    return Running;
}

void FirebirdServer::stop()
{
    if (m_owned) {
        for (qint64 guard : testGuards())
            stopGuard(guard);
        QFile::remove(kPidFile);
    }
    m_owned = false;
    m_running = false;
    m_dataDir.reset();
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}
