// Counts the files that appear under their final name in a folder: one per write of a profile
// file, since every write renames a finished temporary file over the old one. The kernel merges
// identical events that follow each other unread, so the creations of the temporary files are
// watched too: they keep the renames apart.
#pragma once

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>
#include <string>

namespace testing_support {

class RenameCounter {
public:
  explicit RenameCounter(const std::string& folder) : fd_(inotify_init1(IN_NONBLOCK)) {
    if (fd_ >= 0) inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MOVED_TO);
  }
  ~RenameCounter() {
    if (fd_ >= 0) close(fd_);
  }
  RenameCounter(const RenameCounter&) = delete;
  RenameCounter& operator=(const RenameCounter&) = delete;

  bool ok() const { return fd_ >= 0; }

  // Renames onto `name` since the last call; -1 when events were lost.
  int64_t count(const std::string& name) {
    int64_t n = 0;
    alignas(inotify_event) char buf[4096];
    ssize_t len;
    while (fd_ >= 0 && (len = read(fd_, buf, sizeof buf)) > 0)
      for (char* p = buf; p < buf + len;) {
        auto* ev = reinterpret_cast<inotify_event*>(p);
        if (ev->mask & IN_Q_OVERFLOW) return -1;
        if ((ev->mask & IN_MOVED_TO) && ev->len > 0 && name == ev->name) ++n;
        p += sizeof(inotify_event) + ev->len;
      }
    return n;
  }

private:
  int fd_;
};

}  // namespace testing_support
