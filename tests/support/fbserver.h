#pragma once
// A Firebird 3 server on localhost for a test that needs several workstations on one
// database: the server runs as the `firebird` user under its guard process, accepts
// SYSDBA with the test password and is stopped again when the object goes.
//
// Only one test process at a time may own the server: the others wait for a lock
// file. A server left behind by a test that crashed is stopped before a new one
// starts. A server that something else started (the system service) is used as it
// is when it accepts the test password, and left running.
#include <QString>
#include <QTemporaryDir>
#include <memory>

class FirebirdServer
{
public:
    enum Status {
        Running,       // ready for connections
        Unavailable,   // this machine cannot run one (not root, package missing): skip
        Failed,        // it should have started and did not: a real failure
    };

    FirebirdServer();
    ~FirebirdServer();
    FirebirdServer(const FirebirdServer &) = delete;
    FirebirdServer &operator=(const FirebirdServer &) = delete;

    // Starts the server (or adopts a running one). The reason is set for any status
    // but Running.
    Status start(QString *reason);
    void stop();

    QString host() const { return QStringLiteral("localhost"); }
    QString user() const { return QStringLiteral("SYSDBA"); }
    QString password() const { return QStringLiteral("masterkey"); }
    // A folder the server may create and write database files in.
    QString dataDir() const;
    // "localhost:<dataDir>/<name>", the form a workstation's "SERVER NAME" takes.
    QString serverName(const QString &fileName) const;
    bool ownsServer() const { return m_owned; }

private:
    bool answers(int timeoutMs) const;
    bool lock(QString *reason);
    bool prepareDirectories(QString *reason);
    bool setPassword(QString *reason);
    bool makeDataDir(QString *reason);

    int m_lockFd = -1;
    bool m_owned = false;
    bool m_running = false;
    std::unique_ptr<QTemporaryDir> m_dataDir;
};
