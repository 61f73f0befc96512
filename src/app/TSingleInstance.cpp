#include "app/TSingleInstance.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {

const QByteArray kRaiseRequest = "raise\n";

QString SafeName(const QString& name) {
    QString safe;
    for (QChar c : name) safe += c.isLetterOrNumber() ? c : QChar(u'-');
    return safe + QStringLiteral("-") + QString::number(getuid());
}

}  // namespace

TSingleInstance::TSingleInstance(const QString& name, QObject* parent)
    : QObject(parent),
      serverName_(SafeName(name)),
      lock_(QDir::temp().filePath(serverName_ + QStringLiteral(".lock"))) {
    // Only a dead owner makes the lock stale, never its age.
    lock_.setStaleLockTime(0);
}

TSingleInstance::~TSingleInstance() {
    if (server_) server_->close();
}

QString TSingleInstance::LockPath() const {
    return QDir::temp().filePath(serverName_ + QStringLiteral(".lock"));
}

bool TSingleInstance::TryBecomeFirst() {
    if (!lock_.tryLock(0)) return false;
    // Holding the lock, no other instance can be listening: a socket file left by a
    // crashed instance is removed before listening.
    QLocalServer::removeServer(serverName_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::AcceptConnections);
    server_->listen(serverName_);
    return true;
}

void TSingleInstance::AcceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kRaiseRequest.trimmed())) emit RaiseRequested();
            socket->disconnectFromServer();
        });
    }
}

bool TSingleInstance::AskFirstToRaise(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(100)) {
            socket.write(kRaiseRequest);
            const bool sent = socket.waitForBytesWritten(
                static_cast<int>(qMax<qint64>(deadline.remainingTime(), 100)));
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(50);
    }
    return false;
}
