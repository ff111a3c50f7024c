#include "platform/Profile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <unordered_map>
#include <vector>

#include "platform/IniDocument.h"

namespace platform {

namespace {

// A parsed file as the cache keeps it: the document, whether it has changes that a batch has not
// written yet, and what the file on disk looked like when it was read.
struct CachedFile {
  IniDocument doc;
  bool dirty = false;
  struct timespec mtime {};
  off_t size = -1;
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

bool statFile(const std::string& path, struct timespec& mtime, off_t& size) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  mtime = st.st_mtim;
  size = st.st_size;
  return true;
}

bool sameStamp(const CachedFile& f, const struct timespec& mtime, off_t size) {
  return f.size == size && f.mtime.tv_sec == mtime.tv_sec && f.mtime.tv_nsec == mtime.tv_nsec;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The cached document of `path`, parsed again when the file changed on disk (unless the cache
// holds changes of its own that a batch has not written yet).
CachedFile& load(const std::string& path) {
  auto now = std::chrono::steady_clock::now();
  auto& slot = cache()[path];
  if (slot && (slot->dirty || now - slot->checked < kRecheckAfter)) return *slot;

  struct timespec mtime {};
  off_t size = -1;
  bool exists = statFile(path, mtime, size);
  if (slot && ((exists && sameStamp(*slot, mtime, size)) || (!exists && slot->size < 0))) {
    slot->checked = now;
    return *slot;
  }
  slot = std::make_unique<CachedFile>();
  if (exists) {
    slot->doc = IniDocument::parse(readWholeFile(path));
    slot->mtime = mtime;
    slot->size = size;
  }
  slot->checked = now;
  return *slot;
}

// Writes the document next to the file and renames it over the file, so the file is either the
// old one or the new one, never half written.
bool writeAtomically(const std::string& path, const std::string& bytes) {
  std::string tmp = path + ".tmp-XXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  bool ok = done == bytes.size() && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::chmod(tmp.c_str(), 0644) == 0 && std::rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(tmp.c_str());
  return ok;
}

bool store(const std::string& path, CachedFile& file) {
  if (!writeAtomically(path, file.doc.serialize())) {
    // Forget the change: the next read sees the file as it still is on disk.
    cache().erase(path);
    return false;
  }
  file.dirty = false;
  statFile(path, file.mtime, file.size);
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
  cached.doc.set(section, key, value);
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
