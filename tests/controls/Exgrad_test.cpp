#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <functional>
#include <string>

#include "controls/Exgrad.h"

using namespace exgrad;
using gui::TColor;

namespace {

// The colour of a pixel of a snapshot; clNone where the control left it untouched.
TColor pixelAt(const QImage& image, int x, int y) {
  QRgb p = image.pixel(x, y);
  if (qAlpha(p) == 0) return gui::clNone;
  return gui::RGB(qRed(p), qGreen(p), qBlue(p));
}

std::string hex(TColor c) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", unsigned(c));
  return text;
}

QString screenshotPath(const char* name) {
  QByteArray dir = qgetenv("VYX_SCREENSHOT_DIR");
  QString folder = dir.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(dir);
  QDir().mkpath(folder);
  return folder + QLatin1Char('/') + QLatin1String(name);
}

class CountingGradient : public TGradient {
public:
  int paints = 0;

protected:
  void Paint() override {
    ++paints;
    TGradient::Paint();
  }
};

}  // namespace

TEST(Gradient, DeclaredDefaults) {
  TGradient g;
  EXPECT_EQ(g.BeginColor(), gui::clBlack);
  EXPECT_EQ(g.EndColor(), TColor(0xFFFFFF));
  EXPECT_EQ(g.NumberOfColors(), 256);
  EXPECT_EQ(g.FillType(), ftTopToBottom);
  EXPECT_EQ(g.BoundsRect(), gui::Bounds(10, 10, 100, 100));
  EXPECT_EQ(g.TableColor(0), gui::clBlack);
  EXPECT_EQ(g.TableColor(256), gui::clWhite);
}

struct TableCase {
  TColor begin, end;
  int count, index;
  TColor expected;
};

TEST(Gradient, ColourTableEntries) {
  const TableCase cases[] = {
      {gui::clBlack, gui::clAqua, 256, 128, 0x808000},  // blue 128, green 128, red 0
      {gui::clBlack, gui::clAqua, 256, 0, gui::clBlack},
      {gui::clBlack, gui::clAqua, 256, 256, gui::clAqua},
      {gui::clBlack, gui::clWhite, 2, 1, 0x808080},      // 127.5 rounds up
      {gui::clWhite, gui::clBlack, 2, 1, 0x7F7F7F},      // -127.5 rounds away from zero
      {gui::RGB(10, 20, 30), gui::RGB(20, 10, 30), 4, 1, gui::RGB(13, 17, 30)},
      {gui::clRed, gui::clBlue, 3, 2, gui::RGB(85, 0, 170)},
  };
  for (const TableCase& c : cases) {
    TGradient g;
    g.SetBeginColor(c.begin);
    g.SetEndColor(c.end);
    g.SetNumberOfColor(c.count);
    EXPECT_EQ(hex(g.TableColor(c.index)), hex(c.expected))
        << hex(c.begin) << " -> " << hex(c.end) << ", N " << c.count << ", entry " << c.index;
  }
}

TEST(Gradient, SystemColoursAreResolvedIntoTheTable) {
  TGradient g;
  g.SetBeginColor(gui::clBtnFace);
  g.SetEndColor(gui::clHighlight);
  EXPECT_EQ(g.TableColor(0), gui::ColorToRGB(gui::clBtnFace));
  EXPECT_EQ(g.TableColor(256), gui::ColorToRGB(gui::clHighlight));
}

TEST(Gradient, StepCountOnlyTakesTwoTo256) {
  struct Case {
    int value, expected;
  } cases[] = {{1, 256}, {0, 256}, {257, 256}, {-3, 256}, {2, 2}, {255, 255}, {256, 256}};
  for (const Case& c : cases) {
    TGradient g;
    g.SetNumberOfColor(c.value);
    EXPECT_EQ(g.NumberOfColors(), c.expected) << "set " << c.value;
  }
  TGradient g;
  g.SetNumberOfColor(2);
  g.SetNumberOfColor(1);
  EXPECT_EQ(g.NumberOfColors(), 2);
  EXPECT_EQ(g.TableColor(1), TColor(0x808080)) << "the two-step table is kept";
  EXPECT_EQ(g.TableColor(2), gui::clWhite);
}

// A setter with the current value neither repaints nor changes anything; a new value repaints.
TEST(Gradient, SettersRepaintOnlyOnChange) {
  struct Case {
    const char* name;
    std::function<void(TGradient&)> same, changed;
  } cases[] = {
      {"BeginColor", [](TGradient& g) { g.SetBeginColor(gui::clBlack); },
       [](TGradient& g) { g.SetBeginColor(gui::clRed); }},
      {"EndColor", [](TGradient& g) { g.SetEndColor(gui::clWhite); },
       [](TGradient& g) { g.SetEndColor(gui::clAqua); }},
      {"NumberOfColors", [](TGradient& g) { g.SetNumberOfColor(257); },
       [](TGradient& g) { g.SetNumberOfColor(16); }},
      {"FillType", [](TGradient& g) { g.SetFillType(ftTopToBottom); },
       [](TGradient& g) { g.SetFillType(ftRounded); }},
  };
  for (const Case& c : cases) {
    CountingGradient g;
    g.show();
    QCoreApplication::processEvents();
    g.paints = 0;
    c.same(g);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.paints, 0) << c.name << " set to its value";
    c.changed(g);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.paints, 1) << c.name << " changed";
  }
}

struct PixelCase {
  const char* name;
  TFillType fill;
  int width, height, count;
  int x, y;
  TColor expected;  // clNone: left untouched
};

// Black to white; the expected colours are worked out by hand from the band edges.
TEST(Gradient, RenderedPixels) {
  const PixelCase cases[] = {
      // 4 rows, 2 steps: bands [0,2) entry 0, [2,4) entry 1, entry 2 clipped below.
      {"two bands, top", ftTopToBottom, 10, 4, 2, 5, 1, 0x000000},
      {"two bands, bottom", ftTopToBottom, 10, 4, 2, 5, 2, 0x808080},
      {"two bands, last row", ftTopToBottom, 10, 4, 2, 9, 3, 0x808080},
      // 100 rows, 256 steps: band 0 is empty, so row 0 is entry 1; band 128 is empty, so row
      // 50 is entry 129; row 99 is band 254 and the end colour never shows.
      {"256 steps, row 0", ftTopToBottom, 20, 100, 256, 0, 0, 0x010101},
      {"256 steps, row 50", ftTopToBottom, 20, 100, 256, 0, 50, 0x808080},
      {"256 steps, row 99", ftTopToBottom, 20, 100, 256, 0, 99, 0xFDFDFD},
      {"left to right, left", ftLeftToRight, 4, 3, 2, 1, 2, 0x000000},
      {"left to right, right", ftLeftToRight, 4, 3, 2, 2, 0, 0x808080},
      // Nested rectangles: rectangle i's outline runs along column i.
      {"rectangles, corner", ftRectangled, 100, 100, 50, 0, 0, 0x000000},
      {"rectangles, ring 10", ftRectangled, 100, 100, 50, 10, 50, 0x333333},
      {"rectangles, innermost", ftRectangled, 100, 100, 50, 49, 49, 0xFAFAFA},
      // Ellipses (0,0)-(100,100) black and (25,25)-(75,75) grey; the corners stay untouched.
      {"ellipses, corner", ftRounded, 100, 100, 2, 0, 0, gui::clNone},
      {"ellipses, outer ring", ftRounded, 100, 100, 2, 50, 10, 0x000000},
      {"ellipses, centre", ftRounded, 100, 100, 2, 50, 50, 0x808080},
      {"ellipses, inner edge", ftRounded, 100, 100, 2, 50, 26, 0x808080},
  };
  for (const PixelCase& c : cases) {
    TGradient g;
    g.SetBounds(0, 0, c.width, c.height);
    g.SetNumberOfColor(c.count);
    g.SetFillType(c.fill);
    QImage image = g.Snapshot();
    EXPECT_EQ(hex(pixelAt(image, c.x, c.y)), hex(c.expected))
        << c.name << " at (" << c.x << ", " << c.y << ")";
  }
}

TEST(Gradient, PanelTitleBarRunsBlackToAquaLeftToRight) {
  TGradient g;
  g.SetBounds(0, 0, 401, 21);
  g.SetEndColor(gui::clAqua);
  g.SetFillType(ftLeftToRight);
  QImage image = g.Snapshot();
  // Band 127 is [199, 201); band 255 is [399, 401), entry 255 = 0xFEFE00.
  EXPECT_EQ(hex(pixelAt(image, 200, 10)), hex(0x7F7F00));
  EXPECT_EQ(hex(pixelAt(image, 0, 0)), hex(gui::clBlack));
  for (int y = 0; y < 21; ++y) EXPECT_EQ(hex(pixelAt(image, 400, y)), hex(0xFEFE00)) << y;
}

TEST(Gradient, Screenshot) {
  QImage sheet(420, 140, QImage::Format_ARGB32);
  sheet.fill(Qt::lightGray);
  QPainter painter(&sheet);
  TGradient title;
  title.SetBounds(0, 0, 401, 21);
  title.SetEndColor(gui::clAqua);
  title.SetFillType(ftLeftToRight);
  painter.drawImage(5, 5, title.Snapshot());
  const TFillType fills[] = {ftTopToBottom, ftLeftToRight, ftRounded, ftRectangled};
  for (int i = 0; i < 4; ++i) {
    TGradient g;
    g.SetBounds(0, 0, 100, 100);
    g.SetBeginColor(gui::clNavy);
    g.SetEndColor(gui::clYellow);
    g.SetFillType(fills[i]);
    painter.drawImage(5 + i * 104, 32, g.Snapshot());
  }
  painter.end();
  QString path = screenshotPath("exgrad.png");
  ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}
