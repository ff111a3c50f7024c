// The real backend of the cursor: keeps the count itself and, when it drops below 0, puts a blank
// override cursor over the application's windows (QGuiApplication::setOverrideCursor); when it
// comes back to 0 the override goes again. Without a QGuiApplication only the count changes.
#pragma once

#include "platform/CursorVisibility.h"

namespace platform {

CursorVisibility& QtCursorVisibility();

}  // namespace platform
