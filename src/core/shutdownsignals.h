#pragma once
// The end of the program asked for from outside: SIGTERM (kill, a system shutdown),
// SIGINT (Ctrl+C) and SIGHUP (the terminal or the session went away). The embedded
// database engine takes SIGINT and SIGTERM over when it is first used, and its
// handling does not end the process; so the program puts its own handling back after
// every connection. A handler only writes the signal's number into a pipe; the event
// loop reads it and reports requested(), where the program ends the normal way.
#include <QObject>

class QSocketNotifier;

class ShutdownSignals : public QObject
{
    Q_OBJECT
public:
    // The one watcher of the process, made on first use (needs a running
    // QCoreApplication for its notifier).
    static ShutdownSignals &instance();
    // (Re)installs the handlers for SIGTERM, SIGINT and SIGHUP; cheap, call it after
    // anything that may have loaded the engine.
    static void install();

signals:
    void requested(int signal);

private:
    ShutdownSignals();
    void readPipe();
    QSocketNotifier *m_notifier = nullptr;
};
