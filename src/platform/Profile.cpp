#include "platform/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "platform/IniDocument.h"

namespace platform {

namespace {

// What a file on disk looked like when it was read: a file replaced by another (our own atomic
// writes, most editors) has a new inode even when size and time happen to match.
struct Stamp {
  bool exists = false;
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = -1;
  struct timespec mtime {};

  bool operator==(const Stamp& o) const {
    if (exists != o.exists) return false;
    return !exists || (dev == o.dev && ino == o.ino && size == o.size &&
                       mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec);
  }
};

// A parsed file as the cache keeps it: the document, whether it has changes that a batch has not
// written yet, and whether the file could be read at all (an unreadable file is never replaced).
struct CachedFile {
  IniDocument doc;
  bool dirty = false;
  bool readable = true;
  Stamp stamp;
  std::chrono::steady_clock::time_point checked;
};

// The cache trusts a parsed file for this long before it looks at the file on disk again, so a
// load of thousands of keys costs one parse, yet a file edited by hand is seen within a second.
constexpr auto kRecheckAfter = std::chrono::seconds(1);

std::map<std::string, std::unique_ptr<CachedFile>>& cache() {
  static std::map<std::string, std::unique_ptr<CachedFile>> files;
  return files;
}

int batchDepth = 0;

Stamp stampOf(const std::string& path) {
  Stamp s;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return s;
  s.exists = true;
  s.dev = st.st_dev;
  s.ino = st.st_ino;
  s.size = st.st_size;
  s.mtime = st.st_mtim;
  return s;
}

// The whole file; false when it exists but cannot be read (a folder, no permission, I/O error).
bool readWholeFile(const std::string& path, std::string& bytes) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buf[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      bytes.append(buf, static_cast<size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
      break;
    }
  }
  ::close(fd);
  return ok;
}

// The cached document of `path`, parsed again when the file changed on disk (unless the cache
// holds changes of its own that a batch has not written yet).
CachedFile& load(const std::string& path) {
  auto now = std::chrono::steady_clock::now();
  auto& slot = cache()[path];
  if (slot && (slot->dirty || now - slot->checked < kRecheckAfter)) return *slot;

  Stamp stamp = stampOf(path);
  if (slot && stamp == slot->stamp) {
    slot->checked = now;
    return *slot;
  }
  slot = std::make_unique<CachedFile>();
  slot->stamp = stamp;
  slot->checked = now;
  if (stamp.exists) {
    std::string bytes;
    slot->readable = readWholeFile(path, bytes);
    if (slot->readable) slot->doc = IniDocument::parse(bytes);
  }
  return *slot;
}

// The file that a write replaces: the target of a symbolic link, so that the link stays.
std::string replacedFile(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* target = ::realpath(path.c_str(), nullptr);
  if (!target) return path;
  std::string out(target);
  std::free(target);
  return out;
}

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Makes a finished rename survive a crash.
void syncFolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes the document next to the file and renames it over the file, so the file is either the
// old one or the new one, never half written. The new file keeps the old one's mode and owner.
bool writeAtomically(const std::string& path, const std::string& bytes) {
  std::string target = replacedFile(path);
  struct stat old {};
  bool hadFile = ::stat(target.c_str(), &old) == 0;
  if (hadFile && !S_ISREG(old.st_mode)) return false;

  std::string tmp = target + ".tmp-XXXXXX";
  int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes);
  if (ok && hadFile && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
    (void)::fchown(fd, old.st_uid, old.st_gid);  // only root may; others keep their own
  ok = ok && ::fchmod(fd, hadFile ? (old.st_mode & 07777) : 0644) == 0;
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && std::rename(tmp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(tmp.c_str());
    return false;
  }
  syncFolderOf(target);
  return true;
}

bool store(const std::string& path, CachedFile& file) {
  if (!file.readable || !writeAtomically(path, file.doc.serialize())) {
    // Forget the change: the next read sees the file as it still is on disk.
    cache().erase(path);
    return false;
  }
  file.dirty = false;
  file.stamp = stampOf(path);
  file.checked = std::chrono::steady_clock::now();
  return true;
}

}  // namespace

std::string GetProfileString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue) {
  const std::string* value = load(file).doc.find(section, key);
  std::string out = value ? *value : defaultValue;
  if (out.size() > kProfileValueMax) out.resize(kProfileValueMax);
  return out;
}

bool WriteProfileString(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value) {
  CachedFile& cached = load(file);
  // A file that exists but could not be read is never replaced by one holding only this key.
  if (!cached.readable || !cached.doc.set(section, key, value)) return false;
  cached.dirty = true;
  if (batchDepth > 0) return true;
  return store(file, cached);
}

ProfileWriteBatch::ProfileWriteBatch() { ++batchDepth; }

ProfileWriteBatch::~ProfileWriteBatch() {
  if (--batchDepth == 0) flush();
}

bool ProfileWriteBatch::flush() {
  bool ok = true;
  std::vector<std::string> dirty;
  for (auto& [path, file] : cache())
    if (file && file->dirty) dirty.push_back(path);
  for (const auto& path : dirty) ok = store(path, *cache()[path]) && ok;
  return ok;
}

void DropProfileCache() { cache().clear(); }

}  // namespace platform
