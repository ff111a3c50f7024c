// The simulated backend of named locks: the simulated session's lock table
// (sim::System().createLock / closeLock), where a test can pretend that another process holds a
// name or make creation fail.
#pragma once

#include "platform/NamedLock.h"

namespace platform {

NamedLockBackend& SimNamedLockBackend();

}  // namespace platform
