// The running program's main panel: a fixture that starts the program with a channel list of a
// given length, and what the panel's tests read (pictures, the OSD value text).
#pragma once

#include <QImage>

#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "gui/Bitmap.h"
#include "gui/Image.h"

namespace viewer_test {

class PanelTest : public ProgramTest {
protected:
  // `count` TV channels "C1".. on the first simulated station, start channel `start`.
  void startWithChannels(int count, int start = 0) {
    std::vector<Channel> channels;
    for (int i = 0; i < count; ++i)
      channels.push_back({"C" + std::to_string(i + 1), kOneStation.mhz, kOneStation.system});
    startWith(channels, start);
  }
  void startWith(const std::vector<Channel>& channels, int start = 0) {
    writeChannels(channels, start);
    ASSERT_EQ(this->start(), 0);
  }
  static QImage pictureOf(gui::TImage* image) { return image->Picture().Bitmap().Image(); }
};

}  // namespace viewer_test
