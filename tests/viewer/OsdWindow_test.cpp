// The OSD font's scaling with the TV window's width, and what the OSD windows draw.
#include "viewer/OsdWindow.h"

#include <QImage>
#include <QPalette>

#include <gtest/gtest.h>

#include "core/CoreState.h"
#include "core/Settings.h"
#include "gui/CustomLabel.h"

namespace {

class OsdFontTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetCoreState();
    Settings.OSDFontHeightMin = 14;
    Settings.OSDFontHeightMax = 28;
    Settings.OSDFontWidthMin = 0;
    Settings.OSDFontFace = "Arial";
    Settings.OSDFontColor = 0xFFFF00;
  }
  void TearDown() override { ResetCoreState(); }
};

TEST_F(OsdFontTest, HeightGrowsWithTheWindowWidthWithoutCap) {
  struct Case {
    int width;
    int height;
  };
  for (const Case& c : {Case{0, 14}, Case{320, 21}, Case{640, 28}, Case{960, 35}}) {
    EXPECT_EQ(OsdFontFor(c.width).height, c.height) << "width " << c.width;
  }
}

TEST_F(OsdFontTest, WidthIsTheExtraAloneWithoutAMinimum) {
  // 640 / (28 - 14) = 45.7: below 46 pixels the extra is 0, the face's natural width.
  EXPECT_EQ(OsdFontFor(45).width, 0);
  EXPECT_EQ(OsdFontFor(46).width, 1);
  Settings.OSDFontWidthMin = 6;
  EXPECT_EQ(OsdFontFor(320).width, 13);
}

TEST_F(OsdFontTest, FaceIsCutTo31Characters) {
  Settings.OSDFontFace = std::string(40, 'F');
  EXPECT_EQ(OsdFontFor(320).face, std::string(31, 'F'));
}

TEST_F(OsdFontTest, StylesComeFromTheSettings) {
  Settings.OSDFontWeight = 700;
  Settings.OSDFontItalic = 1;
  Settings.OSDFontUnderline = 1;
  Settings.OSDFontPitch = 1;
  Settings.OSDFontFamily = 0x30;
  const OsdFontSpec wanted = OsdFontFor(0);
  EXPECT_EQ(wanted.weight, 700);
  EXPECT_TRUE(wanted.italic);
  EXPECT_TRUE(wanted.underline);
  EXPECT_EQ(wanted.pitchAndFamily, 0x31);
  const QFont font = OsdQFont(wanted);
  EXPECT_EQ(font.weight(), QFont::Bold);
  EXPECT_TRUE(font.italic());
  EXPECT_TRUE(font.fixedPitch());
}

// Counts the pixels of the text colour and the pixels that let the picture through.
struct Coverage {
  int text = 0;
  int clear = 0;
};
Coverage coverageOf(const QImage& image, QRgb textColor) {
  Coverage c;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) == 0) ++c.clear;
      if (p == textColor) ++c.text;
    }
  return c;
}

TEST_F(OsdFontTest, WindowDrawsItsLabelInTheOsdColourOverTheKeyedBackground) {
  QWidget tv;
  tv.resize(400, 300);
  gui::TCustomLabel label;
  OsdWindow osd(&tv, &label, QSize(200, 200), 0);
  EXPECT_EQ(osd.geometry(), QRect(15, 5, 200, 200));

  EXPECT_EQ(coverageOf(osd.render(), qRgb(0, 255, 255)).text, 0) << "empty label, no text";
  label.SetCaption("ORT");
  const QImage image = osd.render();
  EXPECT_EQ(image.size(), QSize(200, 100)) << "the text rectangle is 200 x 100";
  const Coverage c = coverageOf(image, qRgb(0, 255, 255));  // 0xFFFF00 as BGR: cyan
  EXPECT_GT(c.text, 20);
  EXPECT_GT(c.clear, 200 * 100 / 2) << "the magenta key and the rest show the picture";
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      ASSERT_NE(image.pixel(x, y), qRgb(255, 0, 255)) << "no key colour is left visible";
}

TEST_F(OsdFontTest, WindowWithoutItsLabelDrawsNothing) {
  QWidget tv;
  auto* label = new gui::TCustomLabel;
  label->SetCaption("ORT");
  OsdWindow osd(&tv, label, QSize(200, 20), 10006);
  delete label;
  EXPECT_EQ(osd.text(), "");
  EXPECT_EQ(osd.id(), 10006);
  EXPECT_EQ(coverageOf(osd.render(), qRgb(0, 255, 255)).text, 0);
}

// The window keeps its drawn text between paints; a new text (told by refresh, as the program
// does), colour or TV window width must show at the next paint, and an emptied label must leave
// nothing behind and hide the window, which Qt would otherwise paint with every frame.
TEST_F(OsdFontTest, PaintShowsTheTextOfTheMomentWhateverWasDrawnBefore) {
  QWidget tv;
  tv.resize(400, 300);
  QPalette black;
  black.setColor(QPalette::Window, Qt::black);
  tv.setPalette(black);
  tv.setAutoFillBackground(true);
  gui::TCustomLabel label;
  OsdWindow osd(&tv, &label, QSize(200, 200), 0);
  auto shownText = [&](QRgb color) {
    return coverageOf(tv.grab(osd.geometry()).toImage().convertToFormat(QImage::Format_RGB32),
                      color)
        .text;
  };
  const QRgb cyan = qRgb(0, 255, 255);
  EXPECT_EQ(shownText(cyan), 0);
  EXPECT_TRUE(osd.isHidden());
  label.SetCaption("ORT");
  osd.refresh();
  EXPECT_FALSE(osd.isHidden());
  const int ort = shownText(cyan);
  EXPECT_EQ(ort, coverageOf(osd.render(), cyan).text);
  EXPECT_GT(ort, 20);
  label.SetCaption("ORT ORT");
  osd.refresh();
  EXPECT_GT(shownText(cyan), ort * 3 / 2);
  tv.resize(900, 300);  // a larger font
  EXPECT_EQ(shownText(cyan), coverageOf(osd.render(), cyan).text);
  Settings.OSDFontColor = 0x0000FF;  // red as BGR
  EXPECT_EQ(shownText(cyan), 0);
  EXPECT_EQ(shownText(qRgb(255, 0, 0)), coverageOf(osd.render(), qRgb(255, 0, 0)).text);
  label.SetCaption("");
  EXPECT_EQ(shownText(qRgb(255, 0, 0)), 0) << "an emptied label draws nothing even before refresh";
  osd.refresh();
  EXPECT_TRUE(osd.isHidden());
  EXPECT_EQ(shownText(qRgb(255, 0, 0)), 0);
}

}  // namespace
