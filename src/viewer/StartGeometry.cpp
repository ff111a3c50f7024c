#include "viewer/StartGeometry.h"

#include <algorithm>
#include <cstdint>

#include "core/Settings.h"

namespace {

// Stored values come from a file a user can edit: sums are taken in 64 bits so that a position
// near the largest integer cannot wrap around and pass the off-desktop checks.
bool EndsPast(int pos, int size, int limit) { return int64_t(pos) + int64_t(size) > limit; }

}  // namespace

void FitStartGeometry(SettingsBlock& s, int panelWidth, int panelHeight, int displayWidth,
                      int displayHeight) {
  // A panel may hang up to 10 pixels off the top or left edge; further off, it is centred.
  // A panel starting at the right or bottom edge would show nothing at all.
  if (s.CBposY >= displayHeight || s.CBposY < -10) s.CBposY = (displayHeight - panelHeight) / 2;
  if (s.CBposX >= displayWidth || s.CBposX < -10) s.CBposX = (displayWidth - panelWidth) / 2;
  // A TV window larger than the desktop could never be grabbed at its far edges.
  s.TVsizeX = std::min(s.TVsizeX, std::max(displayWidth, kMinTvWidth));
  s.TVsizeY = std::min(s.TVsizeY, std::max(displayHeight, kMinTvHeight));
  if (EndsPast(s.TVposY, s.TVsizeY, displayHeight) || s.TVposY < 0) s.TVposY = 0;
  if (EndsPast(s.TVposX, s.TVsizeX, displayWidth) || s.TVposX < 0) s.TVposX = 0;
  if (s.TVsizeX < kMinTvWidth || s.TVsizeY < kMinTvHeight) {
    s.TVsizeX = kMinTvWidth;
    s.TVsizeY = kMinTvHeight;
  }
  if (s.TVposX == s.CBposX && s.TVposY == s.CBposY) {
    s.TVposX = 0;
    s.TVposY = 0;
    s.TVsizeX = 160;
    s.TVsizeY = 120;
  }
}

int AspectHeight(int width, int sideCorrelation, int height) {
  switch (sideCorrelation) {
    case 0: return int(width * 0.25 * 3);
    case 1: return int(width * (1.0 / 14) * 9);
    case 2: return int(width * 0.0625 * 9);
    default: return height;
  }
}
