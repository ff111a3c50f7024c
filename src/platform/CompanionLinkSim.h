// The simulated backend of companion messages: the simulated machine records every post
// (sim::System().post); the message arrives only while a test has made the companion's window
// exist (setCompanionWindowPresent or setCompanionRunning).
#pragma once

#include "platform/CompanionLink.h"

namespace platform {

CompanionLink& SimCompanionLink();

}  // namespace platform
