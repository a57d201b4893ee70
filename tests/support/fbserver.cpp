#include "support/fbserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kServer = QStringLiteral("/usr/sbin/firebird");
const QString kIsql = QStringLiteral("/usr/bin/isql-fb");
const QString kServiceManager = QStringLiteral("/usr/bin/fbsvcmgr");
const QString kSecurityDb = QStringLiteral("/var/lib/firebird/3.0/system/security3.fdb");

// The installation's root folder: the character sets and messages are copied from it.
QString installationRoot()
{
    const QDir lib(QStringLiteral("/usr/lib"));
    for (const QString &arch : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString root = lib.filePath(arch + QStringLiteral("/firebird/3.0"));
        if (QFileInfo::exists(root + QStringLiteral("/intl/libfbintl.so")))
            return root;
    }
    return QString();
}

// A TCP port of localhost nobody listens on now, never the standard 3050.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), length) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port == 3050 ? 0 : port;
}

// The server and the tools that prepare it read their configuration from the private
// root and keep their lock files in its own folder, apart from every other engine.
QProcessEnvironment privateEnvironment(const QString &root)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FIREBIRD"), root);
    environment.insert(QStringLiteral("FIREBIRD_LOCK"), root + QStringLiteral("/lock"));
    return environment;
}

struct RunResult
{
    bool ok = false;
    QString output;
};

RunResult run(const QString &program, const QStringList &args, const QProcessEnvironment &environment,
              const QByteArray &input = QByteArray(), int timeoutMs = 30000)
{
    QProcess p;
    p.setProcessEnvironment(environment);
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

bool writeFile(const QString &path, const QString &text, QString *reason)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size())
        return true;
    *reason = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
    return false;
}

bool copyFile(const QString &from, const QString &to, QString *reason)
{
    if (QFile::copy(from, to))
        return true;
    *reason = QStringLiteral("cannot copy %1 to %2").arg(from, to);
    return false;
}

} // namespace

FirebirdServer::FirebirdServer() = default;

FirebirdServer::~FirebirdServer()
{
    stop();
}

QString FirebirdServer::machineSecurityDatabase()
{
    return kSecurityDb;
}

QString FirebirdServer::rootDir() const
{
    return m_dir ? m_dir->path() + QStringLiteral("/root") : QString();
}

QString FirebirdServer::dataDir() const
{
    return m_dir ? m_dir->path() + QStringLiteral("/data") : QString();
}

QString FirebirdServer::serverName(const QString &fileName) const
{
    return host() + QLatin1Char(':') + dataDir() + QLatin1Char('/') + fileName;
}

qint64 FirebirdServer::pid() const
{
    return m_process ? m_process->processId() : 0;
}

bool FirebirdServer::answers(int timeoutMs) const
{
    const RunResult r = run(kServiceManager,
                            {host() + QStringLiteral(":service_mgr"), QStringLiteral("-user"), user(),
                             QStringLiteral("-password"), password(), QStringLiteral("-info_server_version")},
                            QProcessEnvironment::systemEnvironment(), QByteArray(), timeoutMs);
    return r.ok && r.output.contains(QLatin1String("Server version"));
}

bool FirebirdServer::makeRoot(QString *reason)
{
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tarko-fbserver-XXXXXX"));
    m_dir->setAutoRemove(qEnvironmentVariableIsEmpty("TARKO_KEEP_TEST_FILES"));
    if (!m_dir->isValid()) {
        *reason = QStringLiteral("cannot create a folder for the server: ") + m_dir->errorString();
        return false;
    }
    const QString root = rootDir();
    for (const QString &dir : {root + QStringLiteral("/intl"), root + QStringLiteral("/lock"), dataDir()}) {
        if (!QDir().mkpath(dir)) {
            *reason = QStringLiteral("cannot create ") + dir;
            return false;
        }
    }
    // Real copies, not links: the engine finds the character sets relative to its root.
    const QString installed = installationRoot();
    const QString security = root + QStringLiteral("/security3.fdb");
    return copyFile(kSecurityDb, security, reason)
           && copyFile(installed + QStringLiteral("/intl/libfbintl.so"), root + QStringLiteral("/intl/libfbintl.so"), reason)
           && copyFile(installed + QStringLiteral("/intl/fbintl.conf"), root + QStringLiteral("/intl/fbintl.conf"), reason)
           && copyFile(installed + QStringLiteral("/firebird.msg"), root + QStringLiteral("/firebird.msg"), reason)
           && writeFile(root + QStringLiteral("/firebird.conf"),
                        QStringLiteral("RemoteServicePort = %1\nRemoteBindAddress = 127.0.0.1\nSecurityDatabase = %2\n")
                            .arg(m_port).arg(security),
                        reason)
           && writeFile(root + QStringLiteral("/databases.conf"),
                        QStringLiteral("security.db = %1\n{\n\tRemoteAccess = false\n}\n").arg(security), reason);
}

bool FirebirdServer::setPassword(QString *reason)
{
    // Embedded on the copy, under the private root: the user manager writes to the
    // security database that root's configuration names, the copy.
    const QByteArray script = "SET BAIL ON;\nCREATE OR ALTER USER SYSDBA PASSWORD '" + password().toUtf8()
                              + "' USING PLUGIN Srp;\nCOMMIT;\n";
    const RunResult r = run(kIsql, {QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-user"), user(),
                                    rootDir() + QStringLiteral("/security3.fdb")},
                            privateEnvironment(rootDir()), script);
    if (!r.ok || !r.output.isEmpty()) {
        *reason = QStringLiteral("setting the SYSDBA password in the copied security database failed: ") + r.output;
        return false;
    }
    return true;
}

FirebirdServer::Status FirebirdServer::start(QString *reason)
{
    QString why;
    if (!reason)
        reason = &why;
    if (m_process)
        return Running;
    for (const QString &program : {kServer, kIsql, kServiceManager}) {
        if (!QFileInfo(program).isExecutable()) {
            *reason = QStringLiteral("%1 is missing (packages firebird3.0-server, firebird3.0-utils)").arg(program);
            return Unavailable;
        }
    }
    if (installationRoot().isEmpty()) {
        *reason = QStringLiteral("no Firebird 3.0 installation under /usr/lib/*/firebird/3.0");
        return Unavailable;
    }
    if (!QFileInfo(kSecurityDb).isReadable()) {
        *reason = QStringLiteral("cannot read %1 to copy it (root or the group firebird may)").arg(kSecurityDb);
        return Unavailable;
    }
    m_port = freePort();
    if (m_port == 0) {
        *reason = QStringLiteral("no free TCP port on localhost");
        return Failed;
    }
    if (!makeRoot(reason) || !setPassword(reason)) {
        stop();
        return Failed;
    }

    m_process = std::make_unique<QProcess>();
    m_process->setProcessEnvironment(privateEnvironment(rootDir()));
    m_process->setWorkingDirectory(rootDir());
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // a test that dies takes its server with it
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_process->start(kServer, QStringList());
    if (!m_process->waitForStarted(10000)) {
        *reason = QStringLiteral("%1 did not start: %2").arg(kServer, m_process->errorString());
        stop();
        return Failed;
    }
    QElapsedTimer t;
    t.start();
    while (!answers(5000)) {
        if (m_process->state() == QProcess::NotRunning || t.elapsed() > 20000) {
            *reason = QStringLiteral("the Firebird server did not answer on localhost port %1 within 20 s: %2")
                          .arg(m_port)
                          .arg(QString::fromLocal8Bit(m_process->readAll()).trimmed());
            stop();
            return Failed;
        }
        QThread::msleep(100);
    }
    return Running;
}

void FirebirdServer::stop()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        // the server may sit on TERM for a long time; its files are thrown away anyway
        if (!m_process->waitForFinished(2000)) {
            m_process->kill();
            m_process->waitForFinished(5000);
        }
    }
    m_process.reset();
    m_dir.reset();
}
