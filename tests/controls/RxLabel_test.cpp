// The shadow label: shadow placement and colours in pixels, measuring with the shadow, text
// layout and alignment, accelerators, focus display and mouse tracking.
#include <gtest/gtest.h>

#include <QCursor>
#include <QLineEdit>

#include <set>
#include <utility>

#include "Rxctrls_test.h"
#include "controls/RxLabel.h"

using namespace gui;
using namespace rxctrls;
using rxtest::pixelAt;
using rxtest::rgb;

namespace {

using PixelSet = std::set<std::pair<int, int>>;

TFont bigFont() {
  TFont font;
  font.Name = "DejaVu Sans";
  font.Height = -24;
  font.Style = fsBold;
  font.Color = clBlack;
  return font;
}

// The pixels of exactly one colour (or, with `other`, of any other colour).
PixelSet pixelsOf(const QImage& image, TColor color, bool other = false) {
  PixelSet out;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((pixelAt(image, x, y) == color) != other) out.insert({x, y});
    }
  }
  return out;
}

std::pair<int, int> topLeftOf(const PixelSet& pixels) {
  int left = INT32_MAX, top = INT32_MAX;
  for (auto [x, y] : pixels) {
    left = std::min(left, x);
    top = std::min(top, y);
  }
  return {left, top};
}

// A label exposing what the tests drive directly.
class ProbeLabel : public TRxLabel {
public:
  using TRxLabel::TRxLabel;
  using TRxLabel::DialogChar;
};

class RxLabelTest : public ::testing::Test {
protected:
  void SetUp() override {
    label = new ProbeLabel(&host.window);
    label->SetFont(bigFont());
    label->SetColor(clNavy);
    label->SetCaption("HI");
  }
  // The fully inked pixels of the caption drawn without a shadow, and all it touches (the
  // smoothed edges too).
  PixelSet ink(PixelSet* touched = nullptr) {
    uint8_t size = label->ShadowSize();
    label->SetShadowSize(0);
    QImage shot = label->Snapshot();
    if (touched) *touched = pixelsOf(shot, clNavy, true);
    label->SetShadowSize(size);
    return pixelsOf(shot, clBlack);
  }
  rxtest::Host host;
  ProbeLabel* label = nullptr;
};

struct ShadowCase {
  const char* name;
  bool enabled;
  uint8_t size;
  TShadowPosition pos;
  int dx, dy;                 // where the shadow lies
  bool highlightShadow;       // shadow in the button highlight (else red)
};

class RxLabelShadow : public RxLabelTest, public ::testing::WithParamInterface<ShadowCase> {};

TEST_P(RxLabelShadow, ShadowLiesBesideTheTextInItsColour) {
  const ShadowCase& c = GetParam();
  label->SetShadowColor(clRed);
  label->SetShadowPos(spRightBottom);  // room on every side: the label is measured with it
  label->SetShadowSize(3);
  label->SetAutoSize(false);
  label->SetBounds(0, 0, 80, 40);
  PixelSet touched;
  PixelSet text = ink(&touched);
  ASSERT_GT(text.size(), 20u);
  label->SetShadowSize(c.size);
  label->SetShadowPos(c.pos);
  label->SetEnabled(c.enabled);
  QImage shot = label->Snapshot();
  TColor textColour = c.enabled ? clBlack : rgb(clGrayText);
  TColor shadowColour = c.highlightShadow ? rgb(clBtnHighlight) : clRed;
  ASSERT_NE(textColour, shadowColour);
  int shadowPixels = 0;
  for (auto [x, y] : text) {
    EXPECT_EQ(pixelAt(shot, x, y), textColour) << c.name << " text at " << x << "," << y;
    int sx = x + c.dx, sy = y + c.dy;
    if (touched.count({sx, sy}) || !shot.valid(sx, sy)) continue;
    EXPECT_EQ(pixelAt(shot, sx, sy), shadowColour) << c.name << " shadow at " << sx << "," << sy;
    ++shadowPixels;
  }
  EXPECT_GT(shadowPixels, 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RxLabelShadow,
    ::testing::Values(ShadowCase{"right-bottom 2", true, 2, spRightBottom, 2, 2, false},
                      ShadowCase{"left-top 1", true, 1, spLeftTop, -1, -1, false},
                      ShadowCase{"left-bottom 2", true, 2, spLeftBottom, -2, 2, false},
                      ShadowCase{"right-top 3", true, 3, spRightTop, 3, -3, false},
                      ShadowCase{"disabled, size 0", false, 0, spLeftTop, 1, 1, true},
                      ShadowCase{"disabled, size 2", false, 2, spLeftTop, -2, -2, true}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(RxLabelTest, ShadowSizeZeroDrawsOnlyTheText) {
  label->SetShadowColor(clRed);
  label->SetShadowSize(0);
  EXPECT_TRUE(pixelsOf(label->Snapshot(), clRed).empty());
  EXPECT_FALSE(pixelsOf(label->Snapshot(), clBlack).empty());
}

TEST(DrawShadowText, MeasuresTextAndShadowTogether) {
  struct Case {
    TShadowPosition pos;
    TRect expected;  // relative to the text's own extent (w, h) at (10, 10)
  };
  TCanvas canvas;
  canvas.Font = bigFont();
  TSize text = canvas.TextExtent("Shadow");
  int w = text.cx, h = text.cy;
  const Case cases[] = {
      {spLeftTop, Rect(8, 8, 10 + w, 10 + h)},
      {spLeftBottom, Rect(8, 10, 10 + w, 12 + h)},
      {spRightBottom, Rect(10, 10, 12 + w, 12 + h)},
      {spRightTop, Rect(10, 8, 12 + w, 10 + h)},
  };
  for (const Case& c : cases) {
    TRect r = Rect(10, 10, 300, 300);
    int height = DrawShadowText(canvas, "Shadow", r, DT_CALCRECT, 2, clRed, c.pos);
    EXPECT_EQ(height, h + 2) << c.pos;
    EXPECT_EQ(r, c.expected) << c.pos;
  }
  TRect empty = Rect(0, 0, 100, 100);
  EXPECT_EQ(DrawShadowText(canvas, "", empty, DT_CALCRECT, 2, clRed, spRightBottom), 0);
}

TEST_F(RxLabelTest, AutoSizeTakesInTheShadowOnItsSide) {
  struct Case {
    TShadowPosition pos;
    int grow;     // wider and higher than without shadow, both by this
    bool wider, higher;
  };
  const Case cases[] = {{spRightBottom, 2, true, true}, {spRightTop, 2, true, false},
                        {spLeftBottom, 2, false, true}, {spLeftTop, 2, false, false}};
  label->SetShadowSize(0);
  int width = label->Width(), height = label->Height();
  TCanvas canvas;
  canvas.Font = bigFont();
  EXPECT_EQ(width, canvas.TextWidth("HI") + 2);
  EXPECT_EQ(height, canvas.TextHeight("HI"));
  for (const Case& c : cases) {
    label->SetShadowSize(0);
    label->SetShadowPos(c.pos);
    label->SetShadowSize(2);
    EXPECT_EQ(label->Width(), width + (c.wider ? c.grow : 0)) << c.pos;
    EXPECT_EQ(label->Height(), height + (c.higher ? c.grow : 0)) << c.pos;
  }
}

TEST_F(RxLabelTest, EmptyCaptionKeepsOneLine) {
  TCanvas canvas;
  canvas.Font = bigFont();
  label->SetCaption("");
  EXPECT_EQ(label->Height(), canvas.TextHeight(" "));
  EXPECT_EQ(label->Width(), canvas.TextWidth(" ") + 2);
  label->SetCaption("&");
  EXPECT_EQ(label->Width(), canvas.TextWidth(" ") + 2);
}

TEST_F(RxLabelTest, RightAlignedLabelGrowsToTheLeft) {
  label->SetAlignment(taRightJustify);
  label->SetLeft(100);
  int right = label->Left() + label->Width();
  label->SetCaption("HIHIHI");
  EXPECT_LT(label->Left(), 100);
  EXPECT_EQ(label->Left() + label->Width(), right);
  label->SetAlignment(taLeftJustify);
  int left = label->Left();
  label->SetCaption("H");
  EXPECT_EQ(label->Left(), left);
}

TEST_F(RxLabelTest, AmpersandIsAMarkOnlyWithShowAccelChar) {
  TCanvas canvas;
  canvas.Font = bigFont();
  label->SetShadowSize(0);
  label->SetCaption("A&B");
  EXPECT_EQ(label->Width(), canvas.TextWidth("AB") + 2);
  label->SetShowAccelChar(false);
  label->SetCaption("A&B ");
  label->SetCaption("A&B");
  EXPECT_EQ(label->Width(), canvas.TextWidth("A&B") + 2);
}

TEST_F(RxLabelTest, LayoutAndAlignmentPlaceTheText) {
  struct Case {
    TAlignment alignment;
    TTextLayout layout;
    int dx, dy;  // from the top-left placement
  };
  label->SetShadowSize(0);
  label->SetAutoSize(false);
  const int W = 120, H = 60;
  label->SetBounds(0, 0, W, H);
  TCanvas canvas;
  canvas.Font = bigFont();
  int w = canvas.TextWidth("HI"), h = canvas.TextHeight("HI");
  auto origin = topLeftOf(pixelsOf(label->Snapshot(), clBlack));
  // Centre and bottom layouts lay the text out without the one-pixel inset.
  const Case cases[] = {
      {taRightJustify, tlTop, W - 2 - w, 0},
      {taCenter, tlTop, (W - 2 - w) / 2, 0},
      {taLeftJustify, tlCenter, -1, (H - h) / 2},
      {taRightJustify, tlBottom, W - w - 1, H - h},
      {taCenter, tlCenter, (W - w) / 2 - 1, (H - h) / 2},
  };
  for (const Case& c : cases) {
    label->SetAlignment(c.alignment);
    label->SetLayout(c.layout);
    auto at = topLeftOf(pixelsOf(label->Snapshot(), clBlack));
    EXPECT_EQ(at.first - origin.first, c.dx) << c.alignment << "/" << c.layout;
    EXPECT_EQ(at.second - origin.second, c.dy) << c.alignment << "/" << c.layout;
  }
}

TEST_F(RxLabelTest, WordWrapBreaksAtTheWidth) {
  TCanvas canvas;
  canvas.Font = bigFont();
  label->SetShadowSize(0);
  label->SetCaption("HI HI");
  int oneLine = label->Height();
  label->SetWidth(canvas.TextWidth("HI H") + 2);
  label->SetWordWrap(true);
  EXPECT_EQ(label->Height(), 2 * oneLine);
  EXPECT_EQ(label->Width(), canvas.TextWidth("HI") + 2);
}

TEST_F(RxLabelTest, FocusControlTakesTheAcceleratorAndShowsTheFocus) {
  auto* edit = new QLineEdit(&host.window);
  edit->move(0, 100);
  auto* other = new QLineEdit(&host.window);
  other->move(0, 130);
  label->SetCaption("&Name");
  label->SetFocusControl(edit);
  label->SetShowFocus(true);
  host.Activate();
  other->setFocus();
  EXPECT_FALSE(label->DialogChar('x'));
  EXPECT_TRUE(label->DialogChar('n'));
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_TRUE(label->FocusShown());
  label->SetEnabled(false);
  other->setFocus();
  EXPECT_FALSE(label->DialogChar('n'));
  EXPECT_FALSE(label->FocusShown());
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
  label->SetEnabled(true);
  EXPECT_FALSE(label->DialogChar('n'));
}

TEST_F(RxLabelTest, MouseLeaveWaitsForTheReleaseOfADrag) {
  int enters = 0, leaves = 0;
  label->OnMouseEnter = [&](TControl*) { ++enters; };
  label->OnMouseLeave = [&](TControl*) { ++leaves; };
  label->move(10, 10);
  host.Activate();
  QPoint inside = label->rect().center();
  QPoint outside(label->width() + 40, label->height() + 40);
  QCursor::setPos(label->mapToGlobal(inside));
  QApplication::processEvents();
  ASSERT_TRUE(label->MouseInControl());
  EXPECT_EQ(enters, 1);

  rxtest::press(label, inside);
  QCursor::setPos(label->mapToGlobal(outside));
  QApplication::processEvents();
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(label, &leave);
  EXPECT_TRUE(label->MouseInControl());
  EXPECT_EQ(leaves, 0);

  rxtest::release(label, outside);
  EXPECT_FALSE(label->MouseInControl());
  EXPECT_EQ(leaves, 1);
  EXPECT_EQ(enters, 1);
}

}  // namespace
