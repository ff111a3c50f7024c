#include "platform/RegistryFiles.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/RegistryFormat.h"

namespace platform {

namespace {

constexpr const char* kValuesFile = ".values";
// Values files are small; anything larger was not written by us and is not read.
constexpr off_t kMaxValuesFile = 16 << 20;

bool isFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The name of the folder in `dir` that matches `name` regardless of ASCII case, the exact
// spelling first.
std::optional<std::string> findFolder(const std::string& dir, const std::string& name) {
  if (isFolder(dir + "/" + name)) return name;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    std::string found = entry.path().filename().string();
    if (SameRegistryName(found, name) && isFolder(dir + "/" + found)) return found;
  }
  return std::nullopt;
}

// The whole file; a missing file reads as empty. False when it exists but cannot be read, or is
// not a plain file of sensible size.
bool readValuesFile(const std::string& path, std::string& out) {
  out.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxValuesFile;
  char buf[4096];
  while (ok) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || out.size() + static_cast<size_t>(n) > static_cast<size_t>(kMaxValuesFile)) ok = false;
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return ok;
}

// Writes next to the file and renames over it: the file is the old one or the new one, never
// half written.
bool writeAtomically(const std::string& path, const std::string& bytes) {
  std::string tmp = path + ".tmp-XXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  bool ok = done == bytes.size() && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && std::rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(tmp.c_str());
  return ok;
}

class FileKey : public RegistryKey {
public:
  explicit FileKey(std::string folder) : file_(std::move(folder) + "/" + kValuesFile) {}

  std::optional<RegistryBytes> readValue(const std::string& name) override {
    std::string text;
    if (!readValuesFile(file_, text)) return std::nullopt;
    RegistryValues values = RegistryValues::parse(text);
    const RegistryBytes* data = values.find(name);
    if (!data) return std::nullopt;
    return *data;
  }

  bool writeValue(const std::string& name, std::span<const uint8_t> data) override {
    std::string text;
    // A file we cannot read is not replaced: its other values would be lost.
    if (!readValuesFile(file_, text)) return false;
    RegistryValues values = RegistryValues::parse(text);
    values.set(name, RegistryBytes(data.begin(), data.end()));
    return writeAtomically(file_, values.serialize());
  }

  std::vector<std::string> valueNames() override {
    std::string text;
    if (!readValuesFile(file_, text)) return {};
    return RegistryValues::parse(text).names();
  }

  bool deleteValue(const std::string& name) override {
    std::string text;
    if (!readValuesFile(file_, text)) return false;
    RegistryValues values = RegistryValues::parse(text);
    return !values.erase(name) || writeAtomically(file_, values.serialize());
  }

private:
  std::string file_;
};

class FileBackend : public RegistryBackend {
protected:
  std::vector<std::string> subkeys(const std::vector<std::string>& names) override {
    std::vector<std::string> out;
    auto dir = existingFolder(names);
    if (!dir) return out;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(*dir, ec))
      if (isFolder(entry.path().string())) out.push_back(entry.path().filename().string());
    return out;
  }

  bool remove(const std::vector<std::string>& names) override {
    auto dir = existingFolder(names);
    if (!dir) return true;
    std::error_code ec;
    std::filesystem::remove_all(*dir, ec);  // links inside are removed, never followed
    return !ec;
  }

  // The folder of an existing key.
  std::optional<std::string> existingFolder(const std::vector<std::string>& names) {
    std::string dir = RegistryFolder();
    if (dir.empty() || !isFolder(dir)) return std::nullopt;
    for (const std::string& name : names) {
      if (SameRegistryName(name, kValuesFile)) return std::nullopt;
      auto found = findFolder(dir, name);
      if (!found) return std::nullopt;
      dir += "/" + *found;
    }
    return dir;
  }

  std::unique_ptr<RegistryKey> open(const std::vector<std::string>& names, bool create) override {
    std::string dir = RegistryFolder();
    if (dir.empty()) return nullptr;
    if (create) {
      std::error_code ec;
      std::filesystem::create_directories(dir, ec);
    }
    if (!isFolder(dir)) return nullptr;
    for (const std::string& name : names) {
      if (SameRegistryName(name, kValuesFile)) return nullptr;  // taken by the values file
      if (auto found = findFolder(dir, name)) {
        dir += "/" + *found;
        continue;
      }
      if (!create) return nullptr;
      dir += "/" + name;
      if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return nullptr;
      if (!isFolder(dir)) return nullptr;
    }
    return std::make_unique<FileKey>(dir);
  }
};

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};  // no home folder: no registry, rather than a guessed, possibly shared one
}

}  // namespace

std::string RegistryFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base = config && config[0] == '/' ? config : homeFolder();
  if (base.empty()) return {};
  if (!(config && config[0] == '/')) base += "/.config";
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/vyx";
}

RegistryBackend& FileRegistryBackend() {
  static FileBackend backend;
  return backend;
}

}  // namespace platform
