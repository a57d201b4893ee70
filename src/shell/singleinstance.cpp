#include "shell/singleinstance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {
const char activateMessage[] = "activate\n";
} // namespace

SingleInstance::SingleInstance(QObject *parent)
    : QObject(parent)
{
}

SingleInstance::~SingleInstance()
{
    release();
}

QString SingleInstance::keyFor(const QString &databasePath)
{
    // the same file reached through a link or a relative path is the same database
    const QFileInfo info(databasePath);
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty()) {
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        canonical = (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
    }
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return QStringLiteral("tarko8-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::handOverOrClaim(const QString &databasePath)
{
    const QString key = keyFor(databasePath);
    if (m_server && m_server->serverName() == key)
        return false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(key);
        if (socket.waitForConnected(1000)) {
            socket.write(activateMessage);
            socket.waitForBytesWritten(1000);
            // the answer tells that the message arrived before this program ends
            socket.waitForReadyRead(2000);
            return true;
        }
        release();
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
        if (m_server->listen(key))
            return false;
        // a socket without a program behind it is left from a crash; a listening one
        // belongs to a program that started at the same moment: ask that one
        if (m_server->serverError() == QAbstractSocket::AddressInUseError && attempt == 0) {
            QLocalSocket probe;
            probe.connectToServer(key);
            if (!probe.waitForConnected(500))
                QLocalServer::removeServer(key);
        }
        release();
    }
    return false;
}

void SingleInstance::release()
{
    if (!m_server)
        return;
    m_server->close();
    delete m_server;
    m_server = nullptr;
}

void SingleInstance::onConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // one whole line per start
            if (!socket->canReadLine() || socket->readLine() != activateMessage)
                return;
            socket->write("ok\n");
            socket->flush();
            emit activationRequested();
        });
    }
}
