#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include "platform/Folders.h"

namespace platform {

SingleInstance::SingleInstance(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    lockPath_ = WithTrailingSlash(folder) + name + QStringLiteral(".lock");
    socketPath_ = WithTrailingSlash(folder) + name + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance() {
    delete server_.data();
}

bool SingleInstance::Acquire() {
    if (lock_ && lock_->isLocked()) return true;
    lock_ = std::make_unique<QLockFile>(lockPath_);
    lock_->setStaleLockTime(0);  // only a dead owner's lock is stale
    if (!lock_->tryLock(0)) return false;
    Listen();
    return true;
}

// Without a listener the program still runs; only a later start cannot reach it.
void SingleInstance::Listen() {
    if (server_ || !QCoreApplication::instance()) return;
    QLocalServer::removeServer(socketPath_);  // left by a holder that died
    auto* server = new QLocalServer(QCoreApplication::instance());
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath_)) {
        delete server;
        return;
    }
    QObject::connect(server, &QLocalServer::newConnection, server, [this, server] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            socket->disconnectFromServer();
            socket->deleteLater();
            if (handler_) handler_();
        }
    });
    server_ = server;
}

bool SingleInstance::RequestActivation() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(1000)) return false;
    socket.disconnectFromServer();
    return true;
}

}  // namespace platform
