#include "viewer/StartGeometry.h"

#include "core/Settings.h"

void FitStartGeometry(SettingsBlock& s, int panelWidth, int panelHeight, int displayWidth,
                      int displayHeight) {
  // A panel may hang up to 10 pixels off the top or left edge; further off, it is centred.
  if (s.CBposY > displayHeight || s.CBposY < -10) s.CBposY = (displayHeight - panelHeight) / 2;
  if (s.CBposX > displayWidth || s.CBposX < -10) s.CBposX = (displayWidth - panelWidth) / 2;
  if (s.TVposY + s.TVsizeY > displayHeight || s.TVposY < 0) s.TVposY = 0;
  if (s.TVposX + s.TVsizeX > displayWidth || s.TVposX < 0) s.TVposX = 0;
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
