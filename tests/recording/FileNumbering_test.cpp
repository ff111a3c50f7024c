// Numbered file names: the number before the extension goes up by one, only the file's own name
// counts, and no number of digits overflows.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

#include "recording/FileNumbering.h"

namespace {

struct Case {
  const char* before;
  const char* after;
};

TEST(FileNumbering, IncrementTakesTheNumberBeforeTheLastDotOfTheName) {
  const Case cases[] = {
      {"capture.avi", "capture1.avi"},
      {"capture1.avi", "capture2.avi"},
      {"take9.wav", "take10.wav"},
      {"rec12.wav", "rec13.wav"},
      {"take.mp3", "take1.mp3"},
      {"clip.mpeg", "clip1.mpeg"},
      {"a.b.c7.avi", "a.b.c8.avi"},
      {"/video/my.dir/capture", "/video/my.dir/capture1"},
      {"my.dir/capture.avi", "my.dir/capture1.avi"},
      {"/v9/capture", "/v9/capture1"},
      {"noext", "noext1"},
      {"noext41", "noext42"},
      {".hidden", ".hidden1"},
      {"take007.wav", "take8.wav"},
      {"take0.wav", "take1.wav"},
      {"99999999999999999999.avi", "100000000000000000000.avi"},
      {"take4294967295.wav", "take4294967296.wav"},
      {"", "1"},
  };
  for (const Case& c : cases) {
    std::string name = c.before;
    IncrementFileName(name);
    EXPECT_EQ(name, c.after) << "from \"" << c.before << '"';
  }
}

TEST(FileNumbering, PartsOfAName) {
  EXPECT_EQ(GetFileExtension("/a.b/c"), "");
  EXPECT_EQ(GetFileExtension("/a/c12.avi"), ".avi");
  EXPECT_EQ(GetFileNumber("/a/c12.avi"), "12");
  EXPECT_EQ(GetFileNumber("/a/c.avi"), "");
  EXPECT_EQ(GetFileNumber("/a/c000.avi"), "0");
  EXPECT_EQ(GetFileBaseName("/a/c12.avi"), "/a/c");
}

TEST(FileNumbering, NextFreeNameSkipsEveryExistingFile) {
  QTemporaryDir dir;
  const std::string base = dir.path().toStdString() + "/capture";
  for (const char* name : {".avi", "1.avi", "2.avi"}) std::ofstream(base + name) << "x";
  std::string name = base + ".avi";
  NextFreeFileName(name);
  EXPECT_EQ(name, base + "3.avi");
  std::string free = base + "9.avi";
  NextFreeFileName(free);
  EXPECT_EQ(free, base + "9.avi");
}

}  // namespace
