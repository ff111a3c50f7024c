#include "controls/dormant/Exprogr.h"

#include <algorithm>
#include <cmath>

#include "gui/GdiTypes.h"

namespace exprogr {

using gui::TCanvas;
using gui::TColor;
using gui::TRect;

namespace {

constexpr int kGradientBands = 257;

// One channel of the gradient's band `i`: the begin value moved by i/257 of the way to the end.
int bandChannel(int begin, int end, int i) {
  return begin + gui::MulDiv(i, end - begin, kGradientBands);
}

// A coordinate truncated to whole pixels, kept far inside int so that a huge InterSize neither
// overflows nor reaches the canvas as a wrapped value.
int pixel(double at) {
  constexpr double kLimit = 1 << 30;
  return int(std::trunc(std::clamp(at, -kLimit, kLimit)));
}

TColor bandColor(TColor begin, TColor end, int i) {
  return gui::RGB(bandChannel(gui::GetRValue(begin), gui::GetRValue(end), i),
                  bandChannel(gui::GetGValue(begin), gui::GetGValue(end), i),
                  bandChannel(gui::GetBValue(begin), gui::GetBValue(end), i));
}

}  // namespace

// Every value goes through its setter, so those the zeroed starting state cannot take yet change
// nothing: SetMin(0) is refused while Max is still 0, and ShowInter is set after ShowText.
TProgress::TProgress(QWidget* owner) : gui::TGraphicControl(owner) {
  SetBounds(10, 10, 100, 25);
  SetMin(0);
  SetMax(100);
  SetProgress(0);
  SetBackColor(0xFFFFFF);
  SetBarColor(0xFF0000);
  SetFBColor(0xFFFFFF);
  SetShowText(true);
  SetBorder(1);
  SetGradiental(false);
  SetBeginColor(0x800000);
  SetEndColor(0x00FF00);
  SetShowInter(false);
  SetInterSize(2);
  SetInterCount(10);
  SetInterColor(0xFFFFFF);
  SetShowOutline(false);
  SetOutlineColor(255);
}

void TProgress::SetProgress(int32_t value) {
  if (range_.SetProgress(value)) Invalidate();
}

void TProgress::SetMax(int32_t value) {
  if (range_.SetMax(value)) Invalidate();
}

void TProgress::SetMin(int32_t value) {
  if (range_.SetMin(value)) Invalidate();
}

void TProgress::SetBorder(int32_t value) {
  if (!progress::BorderAccepted(value, border_, Width(), Height())) return;
  border_ = value;
  Invalidate();
}

void TProgress::SetShowText(bool value) {
  if (value == showText_ || showInter_) return;
  showText_ = value;
  Invalidate();
}

void TProgress::SetShowOutline(bool value) {
  if (value == showOutline_ || !showInter_) return;
  showOutline_ = value;
  Invalidate();
}

// The text goes first, while the marks are still off, so switching them on really hides it.
void TProgress::SetShowInter(bool value) {
  if (value == showInter_) return;
  SetShowText(false);
  showInter_ = value;
  // Its setter refuses while the marks are off, so the outline is cleared here.
  if (!showInter_) showOutline_ = false;
  Invalidate();
}

// A count of -1 would make the marks' spacing a division by zero; below that it is meaningless.
void TProgress::SetInterCount(int32_t value) {
  if (value == interCount_ || value < 0) return;
  interCount_ = value;
  Invalidate();
}

void TProgress::SetInterSize(int32_t value) {
  if (value == interSize_) return;
  interSize_ = value;
  Invalidate();
}

void TProgress::SetPaintStyle(TPaintStyle value) {
  if (value == paintStyle_) return;
  paintStyle_ = value;
  Invalidate();
}

void TProgress::SetGradiental(bool value) {
  if (value == gradiental_) return;
  gradiental_ = value;
  Invalidate();
}

void TProgress::setColor(TColor& field, TColor value) {
  if (value == field) return;
  field = value;
  Invalidate();
}

// Counted from Min, in 64 bits: a range such as -2^31..2^31-1 neither overflows nor leaves
// 0..100.
int TProgress::Percent() const {
  const int64_t span = int64_t{range_.max} - range_.min;
  if (span <= 0) return 0;
  return int((int64_t{range_.progress} - range_.min) * 100 / span);
}

std::string TProgress::PercentText() const { return std::to_string(Percent()) + "%"; }

int TProgress::BarLength() const {
  const int64_t room = paintStyle_ == ptVert ? int64_t{Height()} - 4 - 2 * int64_t{border_}
                                             : int64_t{Width()} - 5 - 2 * int64_t{border_};
  return int(std::max<int64_t>(0, Percent() * room / 100));
}

TRect TProgress::interior() const {
  const int b = border_;
  return gui::Rect(b + 2, b + 2, Width() - 3 - b, Height() - 2 - b);
}

void TProgress::Paint() {
  DrawBar();
  DrawProgress();
}

// The trough with a second, inner edge: black left and top, button face right and bottom.
void TProgress::DrawBar() {
  progress::DrawSunkenTrough(Canvas(), Width(), Height(), backColor_);
  progress::DrawEdge(Canvas(), Width(), Height(), 1, gui::clBlack, gui::clBtnFace);
}

void TProgress::DrawProgress() {
  Canvas().Font = Font();
  if (paintStyle_ == ptVert) drawVertical();
  else drawHorizontal();
  if (showInter_) drawDivisions();
}

// The interior splits into the bar and the rest, beside it (horizontal) or above it (vertical).
void TProgress::drawHorizontal() {
  const TRect in = interior();
  const int right = in.Left + BarLength();
  drawParts({in, gui::Rect(in.Left, in.Top, right, in.Bottom),
             gui::Rect(right, in.Top, in.Right, in.Bottom), false});
}

void TProgress::drawVertical() {
  const TRect in = interior();
  const int top = in.Bottom - BarLength();
  drawParts({in, gui::Rect(in.Left, top, in.Right, in.Bottom),
             gui::Rect(in.Left, in.Top, in.Right, top), true});
}

void TProgress::drawParts(const Parts& p) {
  TCanvas& canvas = Canvas();
  canvas.Brush.Style = gui::bsSolid;
  if (gradiental_) {
    drawGradient(p.interior, p.vertical);
    canvas.Brush.Color = backColor_;
    canvas.FillRect(p.rest);
    if (!showText_) return;
    drawTextPart(p.rest, p.vertical ? Font().Color : fontColor_, backColor_);
    drawTextPart(p.bar, backColor_, gui::clNone);
    return;
  }
  canvas.Brush.Color = barColor_;
  canvas.FillRect(p.bar);
  if (!showText_) return;
  drawTextPart(p.bar, fontColor_, barColor_);
  // The text beside the bar reaches one pixel further right than the interior.
  TRect rest = p.rest;
  rest.Right += 1;
  drawTextPart(rest, Font().Color, backColor_);
}

void TProgress::drawGradient(const TRect& in, bool vertical) {
  TCanvas& canvas = Canvas();
  canvas.Brush.Color = barColor_;
  canvas.FillRect(in);
  canvas.Pen.Style = gui::psSolid;
  canvas.Pen.Mode = gui::pmCopy;
  const TColor begin = gui::ColorToRGB(beginColor_), end = gui::ColorToRGB(endColor_);
  const int extent = vertical ? in.Height() : in.Width();
  const int origin = vertical ? in.Top : in.Left;
  for (int i = 0; i < kGradientBands; ++i) {
    const int from = origin + gui::MulDiv(i, extent, kGradientBands);
    const int to = origin + gui::MulDiv(i + 1, extent, kGradientBands);
    canvas.Brush.Color = bandColor(begin, end, i);
    canvas.FillRect(vertical ? gui::Rect(in.Left, from, in.Right, to)
                             : gui::Rect(from, in.Top, to, in.Bottom));
  }
}

void TProgress::drawTextPart(const TRect& part, TColor color, TColor back) {
  TCanvas& canvas = Canvas();
  const std::string text = PercentText();
  const int x = Width() / 2 - canvas.TextWidth(text) / 2;
  const int y = Height() / 2 - canvas.TextHeight(text) / 2;
  canvas.Font.Color = color;
  if (back == gui::clNone) {
    canvas.Brush.Style = gui::bsClear;
  } else {
    canvas.Brush.Style = gui::bsSolid;
    canvas.Brush.Color = back;
  }
  canvas.TextRect(part, x, y, text);
  canvas.Brush.Style = gui::bsSolid;
}

// Marks of InterSize across the trough at InterCount + 1 even steps; with the outline, a frame
// between each mark and the next.
void TProgress::drawDivisions() {
  TCanvas& canvas = Canvas();
  const TRect in = interior();
  const bool vertical = paintStyle_ == ptVert;
  const int length = vertical ? in.Height() : in.Width();
  const double step = double(length) / (double(interCount_) + 1);
  const int start = border_ + 2;
  auto across = [&](int from, int to) {
    return vertical ? gui::Rect(in.Left, from, in.Right, to)
                    : gui::Rect(from, in.Top, to, in.Bottom);
  };
  canvas.Brush.Style = gui::bsSolid;
  for (int64_t i = 0; i <= interCount_; ++i) {
    const int end = pixel(double(i) * step + start + interSize_);
    canvas.Brush.Color = interColor_;
    canvas.FillRect(across(pixel(double(end) - interSize_), end));
    if (showOutline_ && i < interCount_) {
      const int next = pixel(double(i + 1) * step + start);
      canvas.Brush.Color = outlineColor_;
      canvas.FrameRect(across(end, next));
    }
  }
}

}  // namespace exprogr
