#include "platform/SystemShutdownLogind.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>

#include "platform/Environment.h"

namespace platform {

namespace {

bool callLogind() {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
      QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
  call << false;  // not interactive
  return bus.call(call).type() == QDBusMessage::ReplyMessage;
}

class LogindShutdown : public SystemShutdown {
public:
  bool powerOff() override {
    if (SimulationEnabled()) return false;
    if (callLogind()) return true;
    return QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
  }
};

}  // namespace

SystemShutdown& LogindSystemShutdown() {
  static LogindShutdown shutdown;
  return shutdown;
}

}  // namespace platform
