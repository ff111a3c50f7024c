#include "platform/ProfileFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <string_view>
#include <vector>

namespace platform::profile_file {

namespace {

// As many links as the kernel follows in one path before it gives up.
constexpr int kMaxLinks = 40;

// mkostemp replaces these six characters.
constexpr std::string_view kTemporarySuffix = ".tmp-XXXXXX";

std::atomic<bool> syncToDisk{true};

std::string folderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Keeps the errno of a failed call through the clean-up that follows it.
struct SavedErrno {
  int value = errno;
  ~SavedErrno() { errno = value; }
};

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Makes a finished rename survive a crash.
void syncFolderOf(const std::string& path) {
  int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Whether the user may write the file. One without any write bit counts as read-only even for
// root, as Windows' read-only attribute holds for administrators too.
bool writable(const std::string& path, const struct stat& st) {
  if ((st.st_mode & 0222) == 0) {
    errno = EACCES;
    return false;
  }
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// "<name>.tmp-" and six letters or digits: what mkostemp made of kTemporarySuffix for this file.
bool isTemporaryOf(const std::string& entry, const std::string& name) {
  const std::string_view stem = kTemporarySuffix.substr(0, kTemporarySuffix.size() - 6);
  if (entry.size() != name.size() + kTemporarySuffix.size()) return false;
  if (entry.compare(0, name.size(), name) != 0) return false;
  if (entry.compare(name.size(), stem.size(), stem) != 0) return false;
  for (size_t i = name.size() + stem.size(); i < entry.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
  return true;
}

// Temporary files of earlier writes of `target` that a kill or a crash left behind. Under the
// folder lock no other write of ours is under way, so every one of them is stale.
void removeStaleTemporaries(const std::string& target) {
  const std::string folder = folderOf(target);
  const std::string name = nameOf(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(dir))
    if (isTemporaryOf(entry->d_name, name)) stale.push_back(folder + "/" + entry->d_name);
  ::closedir(dir);
  for (const std::string& path : stale) ::unlink(path.c_str());
}

// Writes `bytes` into a new temporary file beside `target`, with the old file's mode and owner;
// the temporary file's name on success.
bool writeTemporary(const std::string& target, const std::string& bytes, const struct stat* old,
                    std::string& tmp) {
  tmp = target + std::string(kTemporarySuffix);
  int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes);
  if (ok && old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid()))
    (void)::fchown(fd, old->st_uid, old->st_gid);  // only root may; others keep their own
  ok = ok && ::fchmod(fd, old ? (old->st_mode & 07777) : 0644) == 0;
  ok = ok && (!syncToDisk || ::fsync(fd) == 0);
  if (::close(fd) != 0) ok = false;
  if (!ok) {
    SavedErrno keep;
    ::unlink(tmp.c_str());
  }
  return ok;
}

Stamp stampFrom(const struct stat& st) {
  Stamp s;
  s.exists = true;
  s.dev = st.st_dev;
  s.ino = st.st_ino;
  s.size = st.st_size;
  s.mtime = st.st_mtim;
  return s;
}

}  // namespace

bool Stamp::operator==(const Stamp& o) const {
  if (exists != o.exists) return false;
  return !exists || (dev == o.dev && ino == o.ino && size == o.size &&
                     mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec);
}

Stamp StampOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? stampFrom(st) : Stamp{};
}

bool ReadFile(const std::string& path, std::string& bytes, Stamp& stamp) {
  bytes.clear();
  stamp = Stamp{};
  // Not blocking on the open: a FIFO in the file's place must not hang the program.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR;  // no file: nothing to read
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  if (ok && !S_ISREG(st.st_mode)) {
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    ok = false;
  }
  if (ok) {
    stamp = stampFrom(st);
    if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  }
  char buf[65536];
  while (ok) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      bytes.append(buf, static_cast<size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
    }
  }
  SavedErrno keep;
  ::close(fd);
  if (!ok) stamp = Stamp{};
  return ok;
}

bool WriteTarget(const std::string& path, std::string& target) {
  target = path;
  for (int links = 0;; ++links) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) {
      if (errno != ENOENT) return false;
      break;  // a file to be created; its folder is checked below
    }
    if (!S_ISLNK(st.st_mode)) return true;
    if (links == kMaxLinks) {
      errno = ELOOP;
      return false;
    }
    std::vector<char> buf(static_cast<size_t>(st.st_size) + 2);
    ssize_t n = ::readlink(target.c_str(), buf.data(), buf.size());
    if (n < 0) return false;
    std::string link(buf.data(), static_cast<size_t>(n));
    target = !link.empty() && link.front() == '/' ? link : folderOf(target) + "/" + link;
  }
  struct stat folder {};
  if (::stat(folderOf(target).c_str(), &folder) != 0) return false;
  if (!S_ISDIR(folder.st_mode)) {
    errno = ENOTDIR;
    return false;
  }
  return true;
}

FolderLock::FolderLock(const std::string& file) {
  fd_ = ::open(folderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;  // the write fails on its own
  int rc;
  while ((rc = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (rc != 0) {  // no locks on this file system
    ::close(fd_);
    fd_ = -1;
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

bool Replace(const std::string& target, const std::string& bytes) {
  struct stat old {};
  const bool hadFile = ::stat(target.c_str(), &old) == 0;
  if (!hadFile && errno != ENOENT) return false;
  if (hadFile && !S_ISREG(old.st_mode)) {
    errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
    return false;
  }
  if (hadFile && !writable(target, old)) return false;

  std::string tmp;
  if (!writeTemporary(target, bytes, hadFile ? &old : nullptr, tmp)) return false;
  if (std::rename(tmp.c_str(), target.c_str()) != 0) {
    SavedErrno keep;
    ::unlink(tmp.c_str());
    return false;
  }
  if (syncToDisk) syncFolderOf(target);
  removeStaleTemporaries(target);
  return true;
}

void SetSync(bool sync) { syncToDisk = sync; }

}  // namespace platform::profile_file
