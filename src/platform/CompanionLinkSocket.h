// The real backend of companion messages: a QLocalSocket connection to the server named after the
// window, carrying one record (see CompanionLink.h). No listening server means no window: nothing
// is sent. Blocking calls with short limits, so it needs no event loop and works on any thread.
#pragma once

#include "platform/CompanionLink.h"

namespace platform {

CompanionLink& SocketCompanionLink();

}  // namespace platform
