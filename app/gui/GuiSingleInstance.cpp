#include "GuiSingleInstance.h"

#include <QLocalSocket>
#include <QLockFile>
#include <memory>

namespace qb::gui {

namespace {

constexpr int kConnectTimeout = 1000;
const QByteArray kShowRequest = QByteArrayLiteral("show\n");

// One caller: "show\n" lines, or one command request: accepted, run once the caller says it
// still waits, answered, and closed.
class TCaller {
  public:
    TCaller(QLocalSocket* socket, TSingleInstance& instance)
        : FSocket(socket), FInstance(instance) {}

    void Read() {
        FBytes += FSocket->readAll();
        while (FBytes.startsWith(kShowRequest)) {
            FBytes.remove(0, kShowRequest.size());
            if (FInstance.OnShow) FInstance.OnShow();
        }
        if (FBytes.isEmpty() || FState == stAnswered) return;
        if (FState == stAccepted) {
            if (FBytes.startsWith(QByteArray::fromStdString(std::string(cli::kRemoteGo))))
                Answer();
            return;
        }
        switch (cli::DecodeRequest(std::string_view(FBytes.constData(), FBytes.size()), FRequest)) {
            case cli::drIncomplete:
                return;
            case cli::drInvalid:
                FSocket->disconnectFromServer();
                return;
            case cli::drComplete:
                Accept();
                return;
        }
    }

  private:
    // The caller waits a few seconds for this line only; the command may take longer.
    void Accept() {
        FBytes.clear();
        if (!FInstance.OnCommand) {
            FState = stAnswered;
            FSocket->disconnectFromServer();
            return;
        }
        FState = stAccepted;
        FSocket->write(cli::kRemoteAccepted.data(), cli::kRemoteAccepted.size());
        FSocket->flush();
    }

    void Answer() {
        FState = stAnswered;
        const std::string reply = cli::EncodeReply(FInstance.OnCommand(FRequest));
        FSocket->write(reply.data(), static_cast<qint64>(reply.size()));
        FSocket->disconnectFromServer();  // after the bytes are written
    }

    enum TState { stReading, stAccepted, stAnswered };
    QLocalSocket* FSocket;
    TSingleInstance& FInstance;
    QByteArray FBytes;
    cli::TRemoteRequest FRequest;
    TState FState = stReading;
};

}  // namespace

TSingleInstance::TSingleInstance(const QString& socketPath) : FName(socketPath) {}

bool TSingleInstance::Claim() {
    // Two starts at the same moment take turns, so that exactly one of them listens.
    QLockFile lock(FName + QStringLiteral(".lock"));
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
        auto caller = std::make_shared<TCaller>(client, *this);
        QObject::connect(client, &QLocalSocket::readyRead, client, [caller] { caller->Read(); });
        // A short-lived caller may be gone before its line was read.
        QObject::connect(client, &QLocalSocket::disconnected, client, [client, caller] {
            caller->Read();
            client->deleteLater();
        });
    }
}

}  // namespace qb::gui
