#include <gtest/gtest.h>

#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "support/TempProgramFolder.h"

TEST(Environment, ProgramFolderFollowsVyxHome) {
  testing_support::TempProgramFolder folder;
  EXPECT_EQ(platform::ProgramFolder(), folder.path());
  EXPECT_EQ(platform::ProgramFolder().back(), '/');
}

TEST(MessageBox, RecordingDoubleSeesEveryBoxAndRestoresThePreviousHandler) {
  {
    platform::RecordingMessageBox outer(platform::kIdNo);
    {
      platform::RecordingMessageBox inner(platform::kIdYes);
      EXPECT_EQ(platform::ShowMessageBox("a", "Error", platform::kMbYesNo), platform::kIdYes);
      ASSERT_EQ(inner.shown().size(), 1u);
      EXPECT_EQ(inner.shown()[0].caption, "Error");
    }
    EXPECT_EQ(platform::ShowMessageBox("b", "Warning!", platform::kMbOk), platform::kIdNo);
    EXPECT_EQ(outer.shown().size(), 1u);
  }
}
