#include "GuiSingleInstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>

namespace qb::gui {

namespace {

constexpr int kConnectTimeout = 1000;
const QByteArray kShowRequest = QByteArrayLiteral("show\n");

}  // namespace

TSingleInstance::TSingleInstance(const QString& programPath) {
    const QByteArray key = programPath.toUtf8() + '\0' + QByteArray::number(::getuid());
    FName = QStringLiteral("quillbox-") +
            QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex());
}

bool TSingleInstance::Claim() {
    // Two starts at the same moment take turns, so that exactly one of them listens.
    QLockFile lock(QDir::temp().filePath(FName + QStringLiteral(".lock")));
    lock.lock();
    QLocalSocket running;
    running.connectToServer(FName);
    if (running.waitForConnected(kConnectTimeout)) {
        running.write(kShowRequest);
        running.waitForBytesWritten(kConnectTimeout);
        running.disconnectFromServer();
        return false;
    }
    QLocalServer::removeServer(FName);  // left behind by a copy that did not end cleanly
    FServer.setSocketOptions(QLocalServer::UserAccessOption);
    if (FServer.listen(FName))
        QObject::connect(&FServer, &QLocalServer::newConnection, &FServer, [this] { Accept(); });
    // Without the socket the program still runs; it just cannot be called forward.
    return true;
}

void TSingleInstance::Accept() {
    while (QLocalSocket* client = FServer.nextPendingConnection()) {
        auto drain = [this, client] {
            while (client->canReadLine())
                if (client->readLine() == kShowRequest && OnShow) OnShow();
        };
        QObject::connect(client, &QLocalSocket::readyRead, client, drain);
        // A short-lived caller may be gone before its line was read.
        QObject::connect(client, &QLocalSocket::disconnected, client, [client, drain] {
            drain();
            client->deleteLater();
        });
    }
}

}  // namespace qb::gui
