// The program as a child process on the simulated machine: it starts, shows the first picture,
// takes its screenshot, shuts down in order and ends with exit code 0.
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include "ChildProgram.h"
#include "core/Channels.h"
#include "platform/Profile.h"
#include "support/TempProgramFolder.h"

namespace {

TEST(Program, RunsShowsThePictureAndEndsInOrder) {
  testing_support::TempProgramFolder folder;
  folder.write("channels.ini",
               "[Common]\nCurrentChannel=2\nNumOfChannels=2\n"
               "[TVCnl1]\nFreq=49.75\nSystem=SECAM\nName=Sim One\nBrightness=50\nContrast=50\n"
               "[TVCnl2]\nFreq=191.25\nSystem=SECAM\nName=Sim Five\nBrightness=50\n"
               "Contrast=50\nSaturation=50\n");
  QProcess vyx;
  QProcessEnvironment env = viewer_test::ChildProgramEnvironment(
      folder.path(), QString::fromStdString(folder.file("shot.png")), 300);
  env.insert("VYX_FIRST_FRAME_NOTICE", "1");
  ASSERT_NO_FATAL_FAILURE(viewer_test::RunChildProgram(vyx, env));

  EXPECT_EQ(vyx.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(vyx.exitCode(), 0) << vyx.readAllStandardError().toStdString();
  const QString out = QString::fromLocal8Bit(vyx.readAllStandardOutput());
  EXPECT_TRUE(out.contains("first frame painted")) << out.toStdString();
  EXPECT_TRUE(out.contains("screenshot: ")) << out.toStdString();

  const QImage shot(QString::fromStdString(folder.file("shot.png")));
  EXPECT_FALSE(shot.isNull());
  platform::DropProfileCache();
  EXPECT_EQ(platform::GetProfileString(folder.file("channels.ini"), "Common", "CurrentChannel",
                                       ""),
            "2");
  EXPECT_EQ(platform::GetProfileString(folder.file("settings.ini"), "Common", "TVsizeX", ""),
            "394");
  EXPECT_TRUE(folder.exists("remote.ini"));
}

}  // namespace
