// Where the panel and the TV window start: stored positions that lie off the desktop are
// brought back, a TV window too small to use is enlarged, and a TV window stored at the panel's
// own place (as after a first start) moves to the top left corner.
#pragma once

struct SettingsBlock;

// The smallest TV window kept as stored.
constexpr int kMinTvWidth = 112;
constexpr int kMinTvHeight = 84;

// Corrects CBposX/Y and TVposX/Y, TVsizeX/Y of `s` for a panel of the given size on a desktop of
// the given size.
void FitStartGeometry(SettingsBlock& s, int panelWidth, int panelHeight, int displayWidth,
                      int displayHeight);

// The TV window's height for its width by SideCorrelation (0 = 4:3, 1 = 14:9, 2 = 16:9); any
// other value keeps `height`.
int AspectHeight(int width, int sideCorrelation, int height);
