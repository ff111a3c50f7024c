// The real backend of companion messages: a local (AF_UNIX) stream connection to the socket named
// after the window, carrying one record (see CompanionLink.h). The socket lives where QLocalServer
// puts one of that name: the name itself when it is an absolute path, else the name in the
// temporary folder. No listening socket means no window: nothing is sent. Blocking only for short
// limits, so it needs no event loop and works on any thread.
#pragma once

#include "platform/CompanionLink.h"

namespace platform {

CompanionLink& SocketCompanionLink();

}  // namespace platform
