#include "platform/Profile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/IniDocument.h"
#include "platform/ProfileFile.h"

namespace platform {

namespace {

using profile_file::Stamp;

// One change to a file: a key set, a key deleted or a whole section erased.
struct PendingWrite {
  enum class Kind : uint8_t { kSet, kDeleteKey, kEraseSection };
  std::string section, key, value;
  Kind kind = Kind::kSet;
};

// A parsed file as the cache keeps it: the bytes read and their stamp, the document parsed from
// them with the writes of a running batch applied, and whether the file could be read at all (an
// unreadable file is never replaced).
struct CachedFile {
  std::string bytes;
  IniDocument doc;
  Stamp stamp;
  bool readable = true;
  int readError = 0;
  std::vector<PendingWrite> pending;  // a batch's writes, stored when the batch ends
  int refusedInBatch = 0;             // why a batch's write was refused, said when it ends
  uint64_t checkedInReadBatch = 0;    // the read batch that last checked the file on disk
};

std::map<std::string, std::unique_ptr<CachedFile>>& cache() {
  static std::map<std::string, std::unique_ptr<CachedFile>> files;
  return files;
}

int batchDepth = 0;

// The outermost running read batch, numbered from 1; 0 while none runs.
int readBatchDepth = 0;
uint64_t readBatchCount = 0;
uint64_t currentReadBatch() { return readBatchDepth > 0 ? readBatchCount : 0; }

void apply(IniDocument& doc, const PendingWrite& w) {
  switch (w.kind) {
    case PendingWrite::Kind::kSet: doc.set(w.section, w.key, w.value); break;
    case PendingWrite::Kind::kDeleteKey: doc.erase(w.section, w.key); break;
    case PendingWrite::Kind::kEraseSection: doc.eraseSection(w.section); break;
  }
}

void applyWrites(IniDocument& doc, const std::vector<PendingWrite>& writes) {
  for (const PendingWrite& w : writes) apply(doc, w);
}

void reload(const std::string& path, CachedFile& file) {
  file.readable = profile_file::ReadFile(path, file.bytes, file.stamp);
  file.readError = file.readable ? 0 : errno;
  file.doc = file.readable ? IniDocument::parse(file.bytes) : IniDocument();
  applyWrites(file.doc, file.pending);
}

// The cached document of `path`, parsed again whenever the file on disk is no longer the one it
// was parsed from: another process (or the user) may change it at any moment, and a stat is
// cheap next to a parse. A read batch checks each file once.
CachedFile& load(const std::string& path) {
  auto& slot = cache()[path];
  const uint64_t batch = currentReadBatch();
  if (!slot) {
    slot = std::make_unique<CachedFile>();
    reload(path, *slot);
  } else if (batch != 0 && slot->checkedInReadBatch == batch) {
    return *slot;
  } else if (!slot->readable || !(profile_file::StampOf(path) == slot->stamp)) {
    reload(path, *slot);
  }
  slot->checkedInReadBatch = batch;
  return *slot;
}

// A save that failed changed nothing: the cache forgets the writes, so the next read sees the
// file as it still is on disk, and one line on standard error says which file and why.
bool failed(const std::string& path, int error) {
  cache().erase(path);
  std::fprintf(stderr, "vyx: %s was not saved: %s\n", path.c_str(), std::strerror(error));
  return false;
}

// The document of `bytes` with `writes` applied. The cached one serves, without a parse, when
// the file still holds the bytes it was parsed from; `writesInCache` says it has them applied.
IniDocument updated(const std::string& path, const std::string& bytes,
                    const std::vector<PendingWrite>& writes, bool writesInCache) {
  auto cached = cache().find(path);
  if (cached != cache().end() && cached->second->readable && cached->second->bytes == bytes) {
    IniDocument doc = std::move(cached->second->doc);
    if (!writesInCache) applyWrites(doc, writes);
    return doc;
  }
  IniDocument doc = IniDocument::parse(bytes);
  applyWrites(doc, writes);
  return doc;
}

// Applies `writes` to the file as it is on disk now, under the folder's lock, so that a write of
// another process between our read and our replacement is not lost. A file whose bytes come out
// the same is not written at all.
bool store(const std::string& path, const std::vector<PendingWrite>& writes, bool writesInCache) {
  std::string target;
  if (!profile_file::WriteTarget(path, target)) return failed(path, errno);
  profile_file::FolderLock lock(target);
  auto file = std::make_unique<CachedFile>();
  if (!profile_file::ReadFile(target, file->bytes, file->stamp)) return failed(path, errno);

  file->doc = updated(path, file->bytes, writes, writesInCache);
  std::string out = file->doc.serialize();
  if (out != file->bytes) {
    if (!profile_file::Replace(target, out)) return failed(path, errno);
    file->bytes = std::move(out);
    file->stamp = profile_file::StampOf(path);
  }
  file->checkedInReadBatch = currentReadBatch();
  cache()[path] = std::move(file);
  return true;
}

// What a read returns of a default: trailing blanks go, as the Windows profile functions drop
// them.
std::string trimmedDefault(const std::string& value) {
  size_t end = value.find_last_not_of(" \t");
  return end == std::string::npos ? std::string() : value.substr(0, end + 1);
}

// Stores one change at once, or within a batch collects it for the batch's end.
bool change(const std::string& file, PendingWrite write) {
  if (batchDepth == 0) return store(file, {std::move(write)}, false);

  CachedFile& cached = load(file);
  // A file that exists but could not be read is never replaced by one holding only this change.
  if (!cached.readable) {
    cached.refusedInBatch = cached.readError;
    return false;
  }
  apply(cached.doc, write);
  cached.pending.push_back(std::move(write));
  return true;
}

}  // namespace

std::string GetProfileString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue) {
  const std::string* value = load(file).doc.find(section, key);
  std::string out = value ? *value : trimmedDefault(defaultValue);
  if (out.size() > kProfileValueMax) out.resize(kProfileValueMax);
  return out;
}

bool WriteProfileString(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value) {
  if (!IniDocument::storable(section, key)) return false;
  return change(file, {section, key, value, PendingWrite::Kind::kSet});
}

bool DeleteProfileKey(const std::string& file, const std::string& section,
                      const std::string& key) {
  return change(file, {section, key, {}, PendingWrite::Kind::kDeleteKey});
}

bool DeleteProfileSection(const std::string& file, const std::string& section) {
  return change(file, {section, {}, {}, PendingWrite::Kind::kEraseSection});
}

std::vector<std::string> GetProfileSectionNames(const std::string& file) {
  return load(file).doc.sectionNames();
}

ProfileWriteBatch::ProfileWriteBatch() { ++batchDepth; }

ProfileWriteBatch::~ProfileWriteBatch() {
  if (--batchDepth == 0) flush();
}

// Stores each file's writes; a file whose writes were refused gets its one line and loses them.
bool ProfileWriteBatch::flush() {
  std::vector<std::pair<std::string, int>> refused;
  std::vector<std::pair<std::string, std::vector<PendingWrite>>> files;
  for (auto& [path, file] : cache()) {
    if (file->refusedInBatch != 0)
      refused.emplace_back(path, file->refusedInBatch);
    else if (!file->pending.empty())
      files.emplace_back(path, std::exchange(file->pending, std::vector<PendingWrite>{}));
  }
  bool ok = true;
  for (const auto& [path, error] : refused) {
    failed(path, error);
    ok = false;
  }
  for (const auto& [path, writes] : files) ok = store(path, writes, true) && ok;
  return ok;
}

ProfileReadBatch::ProfileReadBatch() {
  if (readBatchDepth++ == 0) ++readBatchCount;
}

ProfileReadBatch::~ProfileReadBatch() { --readBatchDepth; }

void DropProfileCache() { cache().clear(); }

void SetProfileSync(bool sync) { profile_file::SetSync(sync); }

}  // namespace platform
