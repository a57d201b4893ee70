#pragma once
// A Firebird 3 server of its own for a test that needs several workstations on one
// database. It runs from a private root folder (configuration, a copy of the security
// database with the test password, its own lock folder) on a free TCP port of
// localhost, as a child of the test process, and goes when the object goes. Nothing of
// the machine's Firebird installation is changed or started: its security database is
// only read once, to be copied.
#include <QString>
#include <QTemporaryDir>
#include <memory>

class QProcess;

class FirebirdServer
{
public:
    enum Status {
        Running,       // ready for connections
        Unavailable,   // this machine cannot run one (package missing, no access): skip
        Failed,        // it should have started and did not: a real failure
    };

    FirebirdServer();
    ~FirebirdServer();
    FirebirdServer(const FirebirdServer &) = delete;
    FirebirdServer &operator=(const FirebirdServer &) = delete;

    // Starts the server. The reason is set for any status but Running.
    Status start(QString *reason);
    void stop();

    int port() const { return m_port; }
    qint64 pid() const;
    // "localhost/<port>", the host part of a server name that reaches this server.
    QString host() const { return QStringLiteral("localhost/%1").arg(m_port); }
    QString user() const { return QStringLiteral("SYSDBA"); }
    QString password() const { return QStringLiteral("tarko-zkouska"); }
    // A folder the server may create and write database files in.
    QString dataDir() const;
    // "localhost/<port>:<dataDir>/<name>", the form a workstation's "SERVER NAME" takes.
    QString serverName(const QString &fileName) const;

    // The security database of the machine's own server, which the tests leave alone.
    static QString machineSecurityDatabase();

private:
    bool makeRoot(QString *reason);
    bool setPassword(QString *reason);
    bool answers(int timeoutMs) const;
    QString rootDir() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
};
