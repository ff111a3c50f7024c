#include "platform/NamedLockFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

namespace {

bool isFolder(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A shared folder such as /tmp may hold a folder of that name made by someone else to catch our
// locks; only our own, private, real folder will do.
bool isPrivateFolder(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
         (st.st_mode & 077) == 0;
}

bool plainNameByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '_' || c == '-';
}

std::string encodedName(const std::string& name) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : name) {
    if (plainNameByte(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 0x0F];
    }
  }
  return out;
}

class FileLock : public NamedLock {
public:
  FileLock(const std::string& name, bool existed, int fd) : NamedLock(name, existed), fd_(fd) {}
  ~FileLock() override {
    if (fd_ >= 0) close(fd_);  // drops the lock
  }

private:
  int fd_;
};

class FileBackend : public NamedLockBackend {
public:
  std::unique_ptr<NamedLock> create(const std::string& name) override {
    std::string path = LockFilePath(name);
    if (name.empty() || path.empty()) return nullptr;
    // Close-on-exec: a program we start must not keep our lock alive after we have gone.
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return nullptr;
    int result;
    do {
      result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return std::make_unique<FileLock>(name, false, fd);
    int error = errno;
    close(fd);
    if (error == EWOULDBLOCK) return std::make_unique<FileLock>(name, true, -1);
    return nullptr;
  }
};

}  // namespace

std::string LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/' && isFolder(runtime)) return runtime;
  std::string folder = "/tmp/vyx-locks-" + std::to_string(getuid());
  mkdir(folder.c_str(), 0700);
  return isPrivateFolder(folder) ? folder : std::string();
}

std::string LockFilePath(const std::string& name) {
  std::string folder = LockFolder();
  return folder.empty() ? folder : folder + "/" + encodedName(name) + ".lock";
}

NamedLockBackend& FileNamedLockBackend() {
  static FileBackend backend;
  return backend;
}

}  // namespace platform
