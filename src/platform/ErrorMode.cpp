#include "platform/ErrorMode.h"

#include <atomic>

namespace platform {

namespace {

std::atomic<unsigned> errorMode{0};

}  // namespace

unsigned SetErrorMode(unsigned mode) { return errorMode.exchange(mode); }

unsigned CurrentErrorMode() { return errorMode.load(); }

}  // namespace platform
