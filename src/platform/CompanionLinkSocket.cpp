#include "platform/CompanionLinkSocket.h"

#include <QDir>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace platform {

namespace {

// A local connection is accepted by the kernel at once; the limits only matter when the
// companion's queue is full or it has stopped reading, and then the message is given up.
constexpr int kConnectLimitMs = 250;
constexpr int kWriteLimitMs = 250;
constexpr int kRetryMs = 5;

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? int(left) : 0;
}

class Socket {
public:
  Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  // A full listen queue refuses with EAGAIN for a while: tried again until the limit.
  bool connectTo(const sockaddr_un& address) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(kConnectLimitMs);
    while (fd_ >= 0) {
      if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return true;
      if (errno == EINPROGRESS) return waitFor(POLLOUT, msLeft(deadline)) && !pendingError();
      if ((errno != EAGAIN && errno != EINTR) || msLeft(deadline) == 0) return false;
      ::poll(nullptr, 0, kRetryMs);
    }
    return false;
  }

  bool sendAll(const uint8_t* bytes, size_t size) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteLimitMs);
    while (size > 0) {
      const ssize_t n = ::send(fd_, bytes, size, MSG_NOSIGNAL);
      if (n > 0) {
        bytes += n;
        size -= size_t(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n < 0 && errno == EAGAIN) {
        if (!waitFor(POLLOUT, msLeft(deadline))) return false;
      } else {
        return false;
      }
    }
    return true;
  }

private:
  bool waitFor(short events, int ms) {
    pollfd p{fd_, events, 0};
    int rc;
    do {
      rc = ::poll(&p, 1, ms);
    } while (rc < 0 && errno == EINTR);
    return rc > 0 && (p.revents & events);
  }
  bool pendingError() {
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0;
  }

  int fd_;
};

// Where QLocalServer listens for `name`.
std::string socketPath(const std::string& name) {
  if (name.front() == '/') return name;
  return QDir::tempPath().toStdString() + "/" + name;
}

class SocketLink : public CompanionLink {
public:
  bool post(const std::string& windowName, const CompanionMessage& message) override {
    if (windowName.empty()) return false;
    const std::string path = socketPath(windowName);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    path.copy(address.sun_path, path.size());
    Socket socket;
    if (!socket.connectTo(address)) return false;
    const auto record = EncodeCompanionMessage(message);
    return socket.sendAll(record.data(), record.size());
  }
};

}  // namespace

CompanionLink& SocketCompanionLink() {
  static SocketLink link;
  return link;
}

}  // namespace platform
