// The 3-D label: which copies of the caption each text style draws, the shading strips, the
// disabled and transparent looks, the frame and its width, accelerators, and screenshots.
#include <gtest/gtest.h>

#include <QApplication>

#include <vector>

#include "Rxctrls_test.h"
#include "controls/Elabel.h"
#include "gui/Cp1251.h"

using namespace gui;
using namespace elabel;

namespace {

struct Draw {
  int dx, dy;
  TColor color;
  friend bool operator==(const Draw&, const Draw&) = default;
};

// Records every copy of the caption: its offset and colour.
class Recording : public TE3DLabel {
public:
  using TE3DLabel::TE3DLabel;
  std::vector<Draw> draws;

protected:
  void DrawCaptionText(TRect r, unsigned flags) override {
    draws.push_back({r.Left, r.Top, Canvas().Font.Color});
    TE3DLabel::DrawCaptionText(r, flags);
  }
};

std::vector<Draw> paint(Recording& label) {
  label.draws.clear();
  label.Snapshot();
  return label.draws;
}

// The ink of a snapshot: the columns and rows with a dark pixel.
TRect inkOf(const QImage& image) {
  TRect ink{image.width(), image.height(), -1, -1};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QRgb p = image.pixel(x, y);
      if (qAlpha(p) < 128 || qGray(p) >= 128) continue;
      ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
             std::max(ink.Bottom, y + 1)};
    }
  }
  return ink;
}

}  // namespace

TEST(E3DLabel, StartsRecessedWithTheDeclaredDefaults) {
  TE3DLabel label;
  EXPECT_EQ(label.TextStyle(), tsRecessed);
  EXPECT_EQ(label.ShadowColor(), clBtnShadow);
  EXPECT_EQ(label.OutlineColor(), clLime);
  EXPECT_EQ(label.ShadowDepth(), 3);
  EXPECT_FALSE(label.Gradiental());
  EXPECT_EQ(label.BeginColor(), clNavy);
  EXPECT_EQ(label.EndColor(), clWhite);
  EXPECT_EQ(label.BorderColor(), clBlack);
  EXPECT_FALSE(label.Border());
  EXPECT_EQ(label.BorderWidth(), 1);
  EXPECT_TRUE(label.AutoSize());
  EXPECT_TRUE(label.ShowAccelChar());
}

TEST(E3DLabel, EachStyleDrawsItsCopiesUnderTheText) {
  const TColor text = clWindowText;
  const std::vector<Draw> outline = {{-1, 1, clLime}, {-1, -1, clLime}, {-1, 0, clLime},
                                     {0, 1, clLime},  {0, -1, clLime},  {1, 1, clLime},
                                     {1, -1, clLime}, {1, 0, clLime}};
  std::vector<Draw> outlined = outline;
  outlined.push_back({0, 0, text});
  std::vector<Draw> outShadow = {{3, 3, clGray}};
  outShadow.insert(outShadow.end(), outlined.begin(), outlined.end());
  struct Case {
    TTextStyle style;
    int depth;
    std::vector<Draw> draws;
  } cases[] = {
      {tsNone, 3, {{0, 0, text}}},
      {tsRaised, 3, {{1, 1, clBtnShadow}, {-1, -1, clBtnHighlight}, {0, 0, text}}},
      {tsRecessed, 3, {{1, 1, clBtnHighlight}, {-1, -1, clBtnShadow}, {0, 0, text}}},
      {tsShadow, 3, {{3, 3, clGray}, {0, 0, text}}},
      {tsShadow, 0, {{0, 0, clGray}, {0, 0, text}}},
      {tsOutlined, 3, outlined},
      {tsOutShadow, 2, outShadow},
  };
  Recording label;
  label.SetCaption("Label");
  label.SetShadowColor(clGray);
  for (const Case& c : cases) {
    label.SetTextStyle(c.style);
    label.SetShadowDepth(c.depth);
    EXPECT_EQ(paint(label), c.draws) << int(c.style) << " depth " << c.depth;
  }
  EXPECT_EQ(outlined.size(), 9u) << "outlined: eight outline copies and the text";
}

TEST(E3DLabel, AShadedCaptionIsDrawnInTwoHundredFiftySevenStrips) {
  Recording label;
  label.SetCaption("Shaded");
  label.SetTextStyle(tsOutlined);
  label.SetGradiental(true);
  label.SetBeginColor(clBlue);
  label.SetEndColor(clBlack);
  std::vector<Draw> draws = paint(label);
  ASSERT_EQ(draws.size(), 8u + 257u);
  EXPECT_EQ(draws[8].color, clBlue);
  EXPECT_EQ(draws[8 + 128].color, RGB(0, 0, 255 + MulDiv(128, -255, 257)));
  EXPECT_EQ(draws.back().color, RGB(0, 0, 255 + MulDiv(256, -255, 257)));
  // Disabled: one plain grey copy instead of the strips.
  label.setEnabled(false);
  draws = paint(label);
  ASSERT_EQ(draws.size(), 9u);
  EXPECT_EQ(draws.back().color, clGrayText);
}

TEST(E3DLabel, ADisabledLabelIsGreyAndATransparentOneLeavesItsBackground) {
  Recording label;
  label.SetCaption("Grey");
  label.SetTextStyle(tsNone);
  label.setEnabled(false);
  EXPECT_EQ(paint(label), (std::vector<Draw>{{0, 0, clGrayText}}));
  label.setEnabled(true);
  label.SetTransparent(true);
  QImage shot = label.Snapshot();
  EXPECT_EQ(qAlpha(shot.pixel(shot.width() - 1, shot.height() - 1)), 0);
  label.SetTransparent(false);
  EXPECT_EQ(qAlpha(label.Snapshot().pixel(shot.width() - 1, shot.height() - 1)), 255);
}

TEST(E3DLabel, BorderWidthTakesOnlyPositiveValuesAndFillsTheEdge) {
  TE3DLabel label;
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 40, 20);
  for (int ignored : {0, -5}) {
    label.SetBorderWidth(ignored);
    EXPECT_EQ(label.BorderWidth(), 1);
  }
  EXPECT_EQ(label.BorderRect(), Rect(0, 0, 40, 20));
  label.SetBorderWidth(3);
  EXPECT_EQ(label.BorderRect(), Rect(1, 1, 39, 19));
  label.SetBorderWidth(4);
  EXPECT_EQ(label.BorderRect(), Rect(2, 2, 39, 19));
  // Three pixels of frame along every edge, no more.
  label.SetBorderWidth(3);
  label.SetBorder(true);
  label.SetBorderColor(clRed);
  label.SetTransparent(false);
  label.SetColor(clWhite);
  label.SetCaption("");
  QImage shot = label.Snapshot();
  for (int d = 0; d < 3; ++d) {
    EXPECT_EQ(rxtest::pixelAt(shot, d, 10), clRed) << d;
    EXPECT_EQ(rxtest::pixelAt(shot, 39 - d, 10), clRed) << d;
    EXPECT_EQ(rxtest::pixelAt(shot, 20, d), clRed) << d;
    EXPECT_EQ(rxtest::pixelAt(shot, 20, 19 - d), clRed) << d;
  }
  EXPECT_EQ(rxtest::pixelAt(shot, 3, 10), clWhite);
  EXPECT_EQ(rxtest::pixelAt(shot, 36, 10), clWhite);
}

TEST(E3DLabel, AnAmpersandIsDrawnOnlyWithoutAccelerators) {
  TE3DLabel label;
  label.SetTextStyle(tsNone);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 80, 20);
  label.SetColor(clWhite);
  label.SetTransparent(false);
  label.SetCaption("A&B");
  int withAccel = inkOf(label.Snapshot()).Right;
  label.SetShowAccelChar(false);
  int withAmpersand = inkOf(label.Snapshot()).Right;
  EXPECT_GT(withAmpersand, withAccel + 3);
}

TEST(E3DLabelScreenshot, AboutPageLabelsAndStyles) {
  auto cp = [](const char* utf8) { return ToCp1251(QString::fromUtf8(utf8)); };
  struct Shot {
    const char* name;
    std::string title, subtitle, style;
  } shots[] = {{"elabel_en.png", "vyx", "TV set, FM radio and recorder", "Style"},
               {"elabel_ru.png", "vyx", cp("Телевизор, FM-радио и запись"), cp("Стиль")}};
  for (const Shot& shot : shots) {
    rxtest::Host host;
    host.window.resize(480, 130);
    TFont big;
    big.Height = -24;
    big.Style = fsBold;
    TE3DLabel title(&host.window), subtitle(&host.window);
    int top = 8;
    for (TE3DLabel* label : {&title, &subtitle}) {
      label->SetFont(big);
      label->SetGradiental(true);
      label->SetBeginColor(clBlue);
      label->SetEndColor(clBlack);
      label->SetLeft(8);
      label->SetTop(top);
      top += 36;
    }
    title.SetCaption(shot.title);
    subtitle.SetCaption(shot.subtitle);
    std::vector<std::unique_ptr<TE3DLabel>> styles;
    int left = 8;
    for (TTextStyle style : {tsRaised, tsRecessed, tsShadow, tsOutlined, tsOutShadow}) {
      auto label = std::make_unique<TE3DLabel>(&host.window);
      TFont font;
      font.Height = -16;
      font.Style = fsBold;
      label->SetFont(font);
      label->SetTextStyle(style);
      label->SetOutlineColor(clYellow);
      label->SetShadowDepth(2);
      label->SetCaption(shot.style);
      label->SetBorder(style == tsOutShadow);
      label->SetLeft(left);
      label->SetTop(90);
      left += label->Width() + 16;
      styles.push_back(std::move(label));
    }
    host.Activate();
    EXPECT_LE(subtitle.Left() + subtitle.Width(), host.window.width()) << shot.name;
    EXPECT_LE(left - 16, host.window.width()) << shot.name;
    QImage picture = host.window.grab().toImage();
    ASSERT_TRUE(picture.save(QString::fromStdString(rxtest::screenshotPath(shot.name))));
  }
}
