// The real backend of the clipboard: the desktop's clipboard through QClipboard. A bitmap is
// offered as "image/bmp" and as an image other programs can take in their own format; reading a
// bitmap also takes any image another program put there. Every other format travels under the
// MIME type application/x-qt-windows-mime;value="<name>" (the palette as "CF_PALETTE"), the
// name Qt gives the same format on Windows. Without a QGuiApplication the clipboard cannot be
// opened and holds nothing.
#pragma once

#include "platform/Clipboard.h"

namespace platform {

Clipboard& QtClipboard();

}  // namespace platform
