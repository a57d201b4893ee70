#pragma once
// One program per embedded database and user: the embedded engine lets only one
// process open a file, so a second start on the same file hands over to the program
// that has it (its main window comes to the front) instead of failing to connect.
// The meeting point is a local socket named after the user and the database file's
// canonical path. Server databases need none of this.
#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    // The socket name for this user and database file.
    static QString keyFor(const QString &databasePath);

    // True when a program of this user runs on the file: it was asked to come to the
    // front and this one should end. Otherwise this program takes the file's name and
    // answers later starts (a previous claim is given up).
    bool handOverOrClaim(const QString &databasePath);
    // Gives up the claim (the program works on a server database now).
    void release();

signals:
    void activationRequested();

private:
    void onConnection();
    QLocalServer *m_server = nullptr;
};
