// Copying, moving and deleting files, clearing folders and byte-range locks.
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <vector>

#include "controls/dormant/Fileutil.h"
#include "controls/dormant/FileutilShell.h"
#include "controls/dormant/Rxprgrss.h"

namespace fileutil {

namespace {

constexpr size_t kCopyBlock = 8192;

// A descriptor closed when the holder goes.
class Fd {
public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now; false when the close reported an error (a write that did not reach the file).
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

private:
  int fd_;
};

// The progress control's side of a copy: sizes beyond 32 bits are shifted down until they fit,
// and the position goes back to 0 however the copy ends.
class CopyProgress {
public:
  CopyProgress(QObject* control, int64_t size) : control_(control) {
    if (!control_) return;
    while ((size >> shift_) > std::numeric_limits<int32_t>::max()) ++shift_;
    rxprgrss::SetProgressMax(control_, size >> shift_);
    rxprgrss::SetProgressMin(control_, 0);
    rxprgrss::SetProgressValue(control_, 0);
  }
  ~CopyProgress() {
    if (control_) rxprgrss::SetProgressValue(control_, 0);
  }
  void done(int64_t bytes) {
    if (control_) rxprgrss::SetProgressValue(control_, bytes >> shift_);
  }

private:
  QObject* control_;
  int shift_ = 0;
};

std::string fileNameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The name made absolute against the current folder, "." and ".." resolved by text.
std::string expandFileName(const std::string& name) {
  std::error_code ec;
  std::string full = std::filesystem::absolute(name, ec).lexically_normal().string();
  return ec ? name : full;
}

// Reads up to a whole block; fewer bytes only at the end of the file. -1 on a read error.
ssize_t readBlock(int fd, char* buf, size_t size) {
  size_t got = 0;
  while (got < size) {
    ssize_t n = ::read(fd, buf + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(got);
}

bool writeAll(int fd, const char* buf, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, buf, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    buf += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

void makeWritable(const std::string& name) {
  struct stat st {};
  if (::stat(name.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    ::chmod(name.c_str(), st.st_mode | S_IWUSR);
}

[[noreturn]] void cannotCreate(const std::string& dest) {
  throw gui::EFCreateError(gui::FormatText(gui::texts::kFileCreateError, dest.c_str()));
}

void copyBytes(int in, int out, CopyProgress& progress) {
  std::vector<char> buffer(kCopyBlock);
  int64_t copied = 0;
  while (true) {
    ssize_t n = readBlock(in, buffer.data(), buffer.size());
    if (n < 0) throw gui::EReadError();
    if (!writeAll(out, buffer.data(), static_cast<size_t>(n))) throw gui::EWriteError();
    copied += n;
    progress.done(copied);
    if (static_cast<size_t>(n) < kCopyBlock) break;
  }
}

void copyPlain(const std::string& FileName, std::string dest, bool OverwriteReadOnly,
               QObject* ProgressControl) {
  if (DirExists(dest)) dest = NormalDir(dest) + fileNameOf(FileName);
  Fd in(::open(FileName.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat source {};
  if (in.get() < 0 || ::fstat(in.get(), &source) != 0 || S_ISDIR(source.st_mode))
    throw gui::EFOpenError(gui::FormatText(gui::texts::kFileOpenError, FileName.c_str()));
  CopyProgress progress(ProgressControl, source.st_size);
  // Creating the destination truncates it: when it is the source itself (the same file under
  // another name or through a link), the copy would destroy what it copies.
  struct stat existing {};
  if (::stat(dest.c_str(), &existing) == 0 && existing.st_dev == source.st_dev &&
      existing.st_ino == source.st_ino)
    cannotCreate(dest);
  ForceDirectories(folderOf(dest));
  if (OverwriteReadOnly) makeWritable(dest);
  Fd out(::open(dest.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (out.get() < 0) cannotCreate(dest);
  copyBytes(in.get(), out.get(), progress);
  const struct timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  ::futimens(out.get(), times);
  if (!out.close()) throw gui::EWriteError();
}

// Entries of a folder by name; nothing when it cannot be read.
std::vector<std::string> entriesOf(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return names;
  while (const dirent* e = ::readdir(d)) names.emplace_back(e->d_name);
  ::closedir(d);
  return names;
}

bool isFolderNoFollow(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int lockRange(int handle, int64_t offset, int64_t size, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = offset;
  lock.l_len = size;
  // Open-file-description locks belong to the open, as Windows' file locks belong to
  // the handle: a second open of the same file in this process is refused the range too.
  return ::fcntl(handle, F_OFD_SETLK, &lock) == 0 ? 0 : errno;
}

int64_t join(uint32_t low, uint32_t high) {
  return static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
}

}  // namespace

void CopyFile(const std::string& FileName, const std::string& DestName, QObject* ProgressControl) {
  CopyFileEx(FileName, DestName, false, false, ProgressControl);
}

void CopyFileEx(const std::string& FileName, const std::string& DestName, bool OverwriteReadOnly,
                bool ShellDialog, QObject* ProgressControl) {
  if (ShellDialog)
    ShellCopyOrMove(FileName, DestName, false, OverwriteReadOnly);
  else
    copyPlain(FileName, DestName, OverwriteReadOnly, ProgressControl);
}

void MoveFile(const std::string& FileName, const std::string& DestName) {
  std::string dest = expandFileName(DestName);
  if (std::rename(FileName.c_str(), dest.c_str()) == 0) return;
  if (FileGetAttr(FileName) == -1) return;
  makeWritable(FileName);
  CopyFile(FileName, dest, nullptr);
  ::unlink(FileName.c_str());
}

void MoveFileEx(const std::string& FileName, const std::string& DestName, bool ShellDialog) {
  if (ShellDialog)
    ShellCopyOrMove(FileName, DestName, true, false);
  else
    MoveFile(FileName, DestName);
}

bool DeleteFiles(const std::string& FileMask) {
  std::string mask = expandFileName(FileMask);
  std::string dir = folderOf(mask);
  std::string pattern = fileNameOf(mask);
  if (pattern == "*.*") pattern = "*";
  bool found = false;
  for (const std::string& name : entriesOf(dir)) {
    if (name.empty() || name[0] == '.' || ::fnmatch(pattern.c_str(), name.c_str(), 0) != 0)
      continue;
    found = true;
    std::string path = dir + name;
    if (isFolderNoFollow(path)) continue;
    if (::unlink(path.c_str()) != 0) return false;
  }
  return found;
}

bool DeleteFilesEx(const std::vector<std::string>& FileMasks) {
  for (const std::string& mask : FileMasks)
    if (!DeleteFiles(mask)) return false;
  return true;
}

bool ClearDir(const std::string& Path, bool Delete) {
  // A link named as the folder to clear is not followed either.
  if (!isFolderNoFollow(RemoveBackSlash(Path))) return false;
  std::string dir = NormalDir(Path);
  bool result = true;
  for (const std::string& name : entriesOf(dir)) {
    if (name.empty() || name[0] == '.') continue;
    std::string path = dir + name;
    if (isFolderNoFollow(path)) {
      result = ClearDir(path, Delete) && result;
    } else {
      struct stat st {};
      // A symbolic link is removed itself; its target is never touched.
      if (::lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) makeWritable(path);
      result = ::unlink(path.c_str()) == 0 && result;
    }
  }
  // The root of the file system is never removed.
  if (Delete && result && RemoveBackSlash(Path) != "/")
    result = ::rmdir(RemoveBackSlash(Path).c_str()) == 0;
  return result;
}

int FileLock(int Handle, int64_t Offset, int64_t LockSize) {
  return lockRange(Handle, Offset, LockSize, F_WRLCK);
}

int FileUnlock(int Handle, int64_t Offset, int64_t LockSize) {
  return lockRange(Handle, Offset, LockSize, F_UNLCK);
}

int FileLock(int Handle, uint32_t OffsetLow, uint32_t OffsetHigh, uint32_t LockSizeLow,
             uint32_t LockSizeHigh) {
  return FileLock(Handle, join(OffsetLow, OffsetHigh), join(LockSizeLow, LockSizeHigh));
}

int FileUnlock(int Handle, uint32_t OffsetLow, uint32_t OffsetHigh, uint32_t LockSizeLow,
               uint32_t LockSizeHigh) {
  return FileUnlock(Handle, join(OffsetLow, OffsetHigh), join(LockSizeLow, LockSizeHigh));
}

}  // namespace fileutil
