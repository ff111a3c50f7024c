#include <gtest/gtest.h>

#include "gui/QtMessageBox.h"

using namespace gui;
using namespace platform;

TEST(QtMessageBox, FlagsMapToIconButtonsAndEscape) {
  struct Case {
    unsigned flags;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton, escapeButton;
    bool onTop;
  } cases[] = {
      {kMbOk, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, false},
      {kMbOk | kMbIconStop, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok,
       QMessageBox::Ok, false},
      {kMbOkCancel | kMbIconWarning, QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel,
       QMessageBox::Ok, QMessageBox::Cancel, false},
      {kMbYesNo | kMbIconQuestion, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
       QMessageBox::Yes, QMessageBox::No, false},
      {kMbIconInformation | kMbSystemModal, QMessageBox::Information, QMessageBox::Ok,
       QMessageBox::Ok, QMessageBox::Ok, true},
      {0x3 | kMbIconStop, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok,
       QMessageBox::Ok, false},  // buttons the program never asks for show OK
  };
  for (const Case& c : cases) {
    MessageBoxStyle style = MessageBoxStyleFor(c.flags);
    EXPECT_EQ(style.icon, c.icon) << std::hex << c.flags;
    EXPECT_EQ(style.buttons, c.buttons) << std::hex << c.flags;
    EXPECT_EQ(style.defaultButton, c.defaultButton) << std::hex << c.flags;
    EXPECT_EQ(style.escapeButton, c.escapeButton) << std::hex << c.flags;
    EXPECT_EQ(style.stayOnTop, c.onTop) << std::hex << c.flags;
  }
}

TEST(QtMessageBox, ButtonsMapToResultCodes) {
  EXPECT_EQ(MessageBoxResultFor(QMessageBox::Ok), kIdOk);
  EXPECT_EQ(MessageBoxResultFor(QMessageBox::Cancel), kIdCancel);
  EXPECT_EQ(MessageBoxResultFor(QMessageBox::Yes), kIdYes);
  EXPECT_EQ(MessageBoxResultFor(QMessageBox::No), kIdNo);
}
