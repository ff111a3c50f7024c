// The program as a child process on the simulated machine: it starts, shows the first picture,
// takes its screenshot, shuts down in order and ends with exit code 0.
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

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
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("VYX_SIM", "1");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("VYX_HOME", QString::fromStdString(folder.path()));
  env.insert("VYX_SCREENSHOT", QString::fromStdString(folder.file("shot.png")));
  env.insert("VYX_SCREENSHOT_DELAY", "300");
  env.insert("VYX_FIRST_FRAME_NOTICE", "1");
  vyx.setProcessEnvironment(env);
  vyx.start(VYX_PROGRAM, {});
  ASSERT_TRUE(vyx.waitForStarted());
  // A guard against a program that never ends, not a measurement.
  ASSERT_TRUE(vyx.waitForFinished(120000)) << vyx.readAllStandardError().toStdString();

  EXPECT_EQ(vyx.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(vyx.exitCode(), 0);
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
