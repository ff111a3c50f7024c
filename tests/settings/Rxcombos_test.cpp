// The colour and font boxes: swatch frames, colours outside the list, the names option, and
// faces chosen in any letter case.
#include <QFontDatabase>

#include "controls/Rxcombos.h"
#include <gtest/gtest.h>

namespace {

using rxcombos::TColorComboBox;
using rxcombos::TFontComboBox;

TEST(ColorComboBox, SwatchFrames) {
  struct Case {
    gui::TColor color;
    bool selected;
    gui::TColor frame;
  };
  const Case cases[] = {
      {gui::clWhite, false, gui::clBlack}, {gui::clYellow, false, gui::clBlack},
      {gui::clNavy, false, gui::clNavy},   {gui::clNavy, true, gui::clWhite},
      {gui::clGray, false, gui::clGray},   {gui::clSilver, false, gui::clSilver},  // 192 is not light
      {0xC1C0C0, false, gui::clBlack},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TColorComboBox::FrameColor(c.color, c.selected), c.frame) << std::hex << c.color;
}

TEST(ColorComboBox, ColoursInAndOutOfTheList) {
  TColorComboBox box;
  int changes = 0;
  box.OnChange = [&] { ++changes; };
  EXPECT_EQ(box.count(), 16);
  box.SetColorValue(gui::clTeal);
  EXPECT_EQ(box.currentIndex(), 6);
  EXPECT_EQ(changes, 1);
  box.SetColorValue(gui::clTeal);  // unchanged: no event
  EXPECT_EQ(changes, 1);
  box.SetColorValue(0x123456);
  EXPECT_EQ(box.currentIndex(), -1);
  EXPECT_EQ(box.ColorValue(), 0x123456);
  EXPECT_EQ(changes, 2);
  box.activated(15);  // picking white
  EXPECT_EQ(box.ColorValue(), gui::clWhite);
  EXPECT_EQ(changes, 3);
}

TEST(ColorComboBox, OptionsAddNoneAndDefaultAndKeepTheColour) {
  TColorComboBox box;
  box.SetColorValue(gui::clRed);
  box.SetOptions(rxcombos::coIncludeNone | rxcombos::coIncludeDefault);
  ASSERT_EQ(box.count(), 18);
  EXPECT_EQ(box.ItemColor(16), gui::clNone);
  EXPECT_EQ(box.itemText(17), "Default");
  EXPECT_EQ(box.currentIndex(), 9);
  box.SetColorNames({"Schwarz", "", "Grün"});
  EXPECT_EQ(box.itemText(0), "Schwarz");
  EXPECT_EQ(box.itemText(1), "Maroon");
}

TEST(FontComboBox, FacesAreChosenInAnyLetterCase) {
  TFontComboBox box;
  ASSERT_GT(box.count(), 0);
  const QString face = box.itemText(0);
  int changes = 0;
  box.OnChange = [&] { ++changes; };
  box.SetFontName(face.toUpper().toStdString());
  EXPECT_EQ(box.currentIndex(), 0);
  EXPECT_EQ(box.FontName(), face.toStdString());
  EXPECT_EQ(changes, 1);
  box.SetFontName("No Such Face At All");
  EXPECT_EQ(box.currentIndex(), -1);
  EXPECT_EQ(changes, 2);
  EXPECT_GE(box.MinItemHeight(), 13);
}

}  // namespace
