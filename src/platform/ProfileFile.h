// The file side of the profile functions: reading a profile file with the stamp that tells a
// later read whether it changed, the lock that makes a write's read-modify-write whole between
// processes, and the atomic replacement of a file by its new bytes.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <string>

namespace platform::profile_file {

// What a file on disk looked like when it was read: a file replaced by another (our own atomic
// writes, most editors) has a new inode even when size and time happen to match.
struct Stamp {
  bool exists = false;
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = -1;
  struct timespec mtime {};

  bool operator==(const Stamp& o) const;
};

// The stamp of the file that `path` names now (following symbolic links).
Stamp StampOf(const std::string& path);

// The whole file and the stamp of what was read. A missing file reads as no bytes and a stamp
// that does not exist; false (with errno set) when it exists but cannot be read.
bool ReadFile(const std::string& path, std::string& bytes, Stamp& stamp);

// The file that a write of `path` replaces: `path` itself, or the file a symbolic link (or a
// chain of them) points at, even one that does not exist yet. False, with errno set, when the
// links loop or the final file's folder does not exist: the link is then left as it is.
bool WriteTarget(const std::string& path, std::string& target);

// An exclusive advisory lock on the folder that holds `file`, held while the object lives, so that
// the read-modify-write of one process does not interleave with another's. The folder is locked
// rather than the file: every write replaces the file, and the file may not exist yet. Where
// the file system has no locks, the write goes ahead unlocked.
class FolderLock {
public:
  explicit FolderLock(const std::string& file);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

private:
  int fd_ = -1;
};

// Replaces `target` by a file holding `bytes`: written beside it, synced, then renamed over it,
// so the file is either the old one or the new one. The new file keeps the old one's mode and
// owner. A file that the user may not write (no write permission, or no write bit at all, as
// Windows' read-only attribute) is left alone. After a replacement, the temporary files that
// interrupted writes of the same file left behind are removed. Call it under a FolderLock.
// False, with errno set and nothing changed, on any failure.
bool Replace(const std::string& target, const std::string& bytes);

// Whether Replace syncs the file and its folder to disk (the default). Fuzzing and tests turn it
// off, where a sync per write would cost most of the run time.
void SetSync(bool sync);

}  // namespace platform::profile_file
