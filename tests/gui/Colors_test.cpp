#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

#include "gui/Colors.h"
#include "gui/Exceptions.h"
#include "gui/GdiTypes.h"

using namespace gui;

TEST(MulDiv, RoundsHalfAwayFromZeroAndFailsWithMinusOne) {
  struct Case {
    int a, b, c, expected;
  } cases[] = {
      {1, 1, 2, 1},     {-1, 1, 2, -1},   {3, 1, 2, 2},      {-3, 1, 2, -2},  {5, 1, 3, 2},
      {4, 1, 3, 1},     {2, 1, 3, 1},     {1, 1, 3, 0},      {-5, 2, -4, 3},  {5, -2, 4, -3},
      {8, 96, 72, 11},  {0, 5, 3, 0},     {10, 0, 7, 0},     {7, 3, 0, -1},   {0, 0, 0, -1},
      {0x7FFFFFFF, 2, 2, 0x7FFFFFFF},     {0x7FFFFFFF, 2, 1, -1},
      {-0x7FFFFFFF - 1, 1, 1, -0x7FFFFFFF - 1},                 {-0x7FFFFFFF - 1, -1, 1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
  }
}

TEST(Rectangles, RightAndBottomEdgesAreOutside) {
  TRect r = Rect(2, 3, 6, 8);
  EXPECT_TRUE(PtInRect(r, {2, 3}));
  EXPECT_TRUE(PtInRect(r, {5, 7}));
  EXPECT_FALSE(PtInRect(r, {6, 7}));
  EXPECT_FALSE(PtInRect(r, {5, 8}));
  TRect out;
  EXPECT_FALSE(IntersectRect(out, r, Rect(6, 3, 9, 9)));
  EXPECT_EQ(out, TRect{});
  EXPECT_TRUE(IntersectRect(out, r, Rect(4, 0, 9, 4)));
  EXPECT_EQ(out, Rect(4, 3, 6, 4));
  EXPECT_TRUE(UnionRect(out, Rect(0, 0, 0, 0), r));
  EXPECT_EQ(out, r);
}

class SystemColors : public testing::Test {
protected:
  void SetUp() override {
    saved_ = QGuiApplication::palette();
    QPalette p = saved_;
    p.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    p.setColor(QPalette::Active, QPalette::Base, QColor(10, 20, 30));
    p.setColor(QPalette::Active, QPalette::Text, QColor(40, 50, 60));
    p.setColor(QPalette::Active, QPalette::Highlight, QColor(70, 80, 90));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(100, 110, 120));
    p.setColor(QPalette::Active, QPalette::Light, QColor(250, 251, 252));
    p.setColor(QPalette::Active, QPalette::Dark, QColor(128, 129, 130));
    QGuiApplication::setPalette(p);
  }
  void TearDown() override { QGuiApplication::setPalette(saved_); }
  QPalette saved_;
};

TEST_F(SystemColors, SystemColoursComeFromThePalette) {
  struct Case {
    TColor color;
    TColor rgb;
  } cases[] = {
      {clBtnFace, RGB(1, 2, 3)},          {clWindow, RGB(10, 20, 30)},
      {clWindowText, RGB(40, 50, 60)},    {clHighlight, RGB(70, 80, 90)},
      {clGrayText, RGB(100, 110, 120)},   {clBtnHighlight, RGB(250, 251, 252)},
      {clBtnShadow, RGB(128, 129, 130)},  {SystemColor(25), clBlack},
      {SystemColor(200), clBlack},        {TColor(0x80000105u), RGB(10, 20, 30)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToRGB(c.color), c.rgb) << std::hex << c.color;
  }
  EXPECT_EQ(ToQColor(clBtnFace), QColor(1, 2, 3));
}

TEST(Colors, OtherValuesPassThroughColorToRGB) {
  for (TColor c : {clRed, clNone, clDefault, RGB(1, 2, 3), clWhite}) EXPECT_EQ(ColorToRGB(c), c);
  EXPECT_EQ(clRed, 0x0000FF);
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412);
  EXPECT_EQ(GetGValue(0x563412), 0x34);
  EXPECT_EQ(clBtnFace, TColor(0x8000000F));
  EXPECT_EQ(ToQColor(clNavy), QColor(0, 0, 128));
}

TEST(Colors, NamesAndValuesConvertBothWays) {
  struct Case {
    TColor color;
    const char* text;
  } cases[] = {
      {clBlack, "clBlack"},  {clFuchsia, "clFuchsia"}, {clBtnFace, "clBtnFace"},
      {clNone, "clNone"},    {clDefault, "clDefault"}, {clInfoBk, "clInfoBk"},
      {0x123456, "$00123456"}, {TColor(0x80000030u), "$80000030"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToString(c.color), c.text);
    EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
  }
  EXPECT_EQ(StringToColor("CLRED"), clRed);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_EQ(StringToColor("0xFF0000"), clBlue);
  try {
    StringToColor("clPink");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'clPink' is not a valid integer value");
  }
}

// A widget's own colour is set even when it equals the one it inherits, so later palette
// changes around it leave it alone; setting the colour it has already sends no palette change.
TEST(Colors, SetPaletteColorMakesTheColourTheWidgetsOwnAndRepeatsForFree) {
  struct PaletteChanges : QWidget {
    int count = 0;
    void changeEvent(QEvent* e) override {
      if (e->type() == QEvent::PaletteChange) ++count;
      QWidget::changeEvent(e);
    }
  } widget;
  const QColor inherited = widget.palette().color(QPalette::Window);
  SetPaletteColor(&widget, QPalette::Window, FromQColor(inherited));
  EXPECT_TRUE(widget.testAttribute(Qt::WA_SetPalette));
  EXPECT_TRUE(widget.palette().isBrushSet(QPalette::Active, QPalette::Window));
  const int afterFirst = widget.count;
  SetPaletteColor(&widget, QPalette::Window, FromQColor(inherited));
  EXPECT_EQ(widget.count, afterFirst);
  SetPaletteColor(&widget, QPalette::Window, clRed);
  EXPECT_EQ(widget.count, afterFirst + 1);
  EXPECT_EQ(widget.palette().color(QPalette::Inactive, QPalette::Window), QColor(255, 0, 0));
}
