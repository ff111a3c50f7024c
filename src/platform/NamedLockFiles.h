// The real backend of named locks: one lock file per name, locked with flock() by the holder for
// the life of its handle. The kernel drops the lock when the holder's process ends, however it
// ends, so a crashed program leaves no stale lock. Files are never deleted: deleting a lock file
// races with another process that has just opened it.
//
// The file is LockFolder() + "/" + the name + ".lock", with every byte of the name outside
// [A-Za-z0-9._-] written as %XX. Another program (the companion) finds a lock at that path.
#pragma once

#include <string>

#include "platform/NamedLock.h"

namespace platform {

// $XDG_RUNTIME_DIR when it names an absolute folder (the session's private folder); else
// "/tmp/vyx-locks-<uid>", created with mode 0700 and used only when it is the user's own private
// folder. Empty when there is no usable folder (then no lock can be created).
std::string LockFolder();
// Empty when there is no usable folder.
std::string LockFilePath(const std::string& name);

NamedLockBackend& FileNamedLockBackend();

}  // namespace platform
