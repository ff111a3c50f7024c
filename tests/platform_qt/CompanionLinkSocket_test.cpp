#include "platform/CompanionLinkSocket.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

using namespace platform;

namespace {

// A stand-in for the companion: a local server named after its window, in this process. The
// kernel accepts our connection at once, so sender and stand-in can take turns on one thread.
class StandIn : public ::testing::Test {
protected:
  void SetUp() override {
    name_ = "VyxRemoteControl-test-" + std::to_string(getpid());
    QLocalServer::removeServer(QString::fromStdString(name_));
    ASSERT_TRUE(server_.listen(QString::fromStdString(name_)));
  }

  // The bytes of the next connection, read until the sender hangs up.
  QByteArray nextRecord() {
    if (!server_.waitForNewConnection(5000)) return {};
    QLocalSocket* in = server_.nextPendingConnection();
    QByteArray bytes;
    while (in->state() == QLocalSocket::ConnectedState || in->bytesAvailable() > 0) {
      bytes += in->readAll();
      if (!in->waitForReadyRead(5000)) break;
    }
    bytes += in->readAll();
    delete in;
    return bytes;
  }

  std::string name_;
  QLocalServer server_;
};

TEST_F(StandIn, EachPostArrivesAsOneRecordOnItsOwnConnection) {
  const CompanionMessage messages[] = {{0x470, static_cast<uint32_t>(getpid()), 0}, {0x471, 0, 0}};
  for (const CompanionMessage& m : messages) {
    ASSERT_TRUE(SocketCompanionLink().post(name_, m));
    QByteArray bytes = nextRecord();
    ASSERT_EQ(bytes.size(), static_cast<qsizetype>(kCompanionRecordSize)) << std::hex << m.message;
    std::array<uint8_t, kCompanionRecordSize> record{};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    EXPECT_EQ(DecodeCompanionMessage(record), m);
  }
}

TEST_F(StandIn, NoListeningWindowMeansNothingIsSent) {
  for (const std::string& window : {name_ + "-absent", std::string()})
    EXPECT_FALSE(SocketCompanionLink().post(window, {0x470, 1, 0})) << window;
  server_.close();
  EXPECT_FALSE(SocketCompanionLink().post(name_, {0x471, 0, 0})) << "the companion has gone";
}

// A window name that is a path is the socket itself, as QLocalServer takes it; a name too long
// for a socket address finds no window.
TEST(CompanionLinkSocket, PathNamesAndOverlongNames) {
  const std::string path = QDir::temp().filePath(QStringLiteral("vyx-companion-%1").arg(getpid()))
                               .toStdString();
  QLocalServer::removeServer(QString::fromStdString(path));
  QLocalServer server;
  ASSERT_TRUE(server.listen(QString::fromStdString(path)));
  ASSERT_TRUE(SocketCompanionLink().post(path, {0x471, 7, 8}));
  ASSERT_TRUE(server.waitForNewConnection(5000));
  QLocalSocket* in = server.nextPendingConnection();
  while (in->bytesAvailable() < qint64(kCompanionRecordSize) && in->waitForReadyRead(5000)) {
  }
  const QByteArray bytes = in->readAll();
  ASSERT_EQ(bytes.size(), qsizetype(kCompanionRecordSize));
  std::array<uint8_t, kCompanionRecordSize> record{};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  EXPECT_EQ(DecodeCompanionMessage(record), (CompanionMessage{0x471, 7, 8}));
  EXPECT_FALSE(SocketCompanionLink().post(std::string(200, 'w'), {0x470, 1, 0}));
}

}  // namespace
