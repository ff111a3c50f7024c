// The running program's main panel: a fixture that starts the program with a channel list of a
// given length, and what the panel's tests read (pictures, the OSD value text).
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "gui/Bitmap.h"
#include "gui/Image.h"

namespace viewer_test {

// VYX_SCREENSHOT_DIR, or "screenshots" beside the test program (the working folder is the
// program folder of whichever test ran last, and that is gone).
inline QString screenshotPath(const char* name) {
  QByteArray dir = qgetenv("VYX_SCREENSHOT_DIR");
  QString folder = dir.isEmpty()
                       ? QDir(QCoreApplication::applicationDirPath()).filePath("screenshots")
                       : QString(dir);
  QDir().mkpath(folder);
  return QDir(folder).filePath(QString::fromLatin1(name));
}

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
