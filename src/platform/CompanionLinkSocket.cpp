#include "platform/CompanionLinkSocket.h"

#include <QLocalSocket>

namespace platform {

namespace {

// A local connection is accepted by the kernel at once; the limits only matter when the
// companion's queue is full or it has stopped reading, and then the message is given up.
constexpr int kConnectLimitMs = 250;
constexpr int kWriteLimitMs = 250;

class SocketLink : public CompanionLink {
public:
  bool post(const std::string& windowName, const CompanionMessage& message) override {
    if (windowName.empty()) return false;
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(windowName), QIODevice::WriteOnly);
    if (!socket.waitForConnected(kConnectLimitMs)) return false;
    auto record = EncodeCompanionMessage(message);
    qint64 size = static_cast<qint64>(record.size());
    bool sent = socket.write(reinterpret_cast<const char*>(record.data()), size) == size;
    while (sent && socket.bytesToWrite() > 0) sent = socket.waitForBytesWritten(kWriteLimitMs);
    socket.disconnectFromServer();
    return sent;
  }
};

}  // namespace

CompanionLink& SocketCompanionLink() {
  static SocketLink link;
  return link;
}

}  // namespace platform
