#include "controls/Elabel.h"

using namespace gui;

namespace elabel {

namespace {

// The eight neighbours an outline is drawn at.
constexpr TPoint kOutline[8] = {{-1, 1}, {-1, -1}, {-1, 0}, {0, 1},
                                {0, -1}, {1, 1},   {1, -1}, {1, 0}};

int channelStep(int begin, int end, int i) { return begin + MulDiv(i, end - begin, 257); }

}  // namespace

TE3DLabel::TE3DLabel(QWidget* parent) : TCustomLabel(parent) {}

// --- properties -------------------------------------------------------------------------------

namespace {

template <typename T>
bool store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void TE3DLabel::SetTextStyle(TTextStyle value) {
  if (store(textStyle_, value)) Invalidate();
}

void TE3DLabel::SetShadowColor(TColor value) {
  if (store(shadowColor_, value)) Invalidate();
}

void TE3DLabel::SetOutlineColor(TColor value) {
  if (store(outlineColor_, value)) Invalidate();
}

void TE3DLabel::SetShadowDepth(int value) {
  if (store(shadowDepth_, value)) Invalidate();
}

void TE3DLabel::SetGradiental(bool value) {
  if (store(gradiental_, value)) Invalidate();
}

void TE3DLabel::SetBeginColor(TColor value) {
  if (store(beginColor_, value)) Invalidate();
}

void TE3DLabel::SetEndColor(TColor value) {
  if (store(endColor_, value)) Invalidate();
}

void TE3DLabel::SetBorderColor(TColor value) {
  if (store(borderColor_, value)) Invalidate();
}

void TE3DLabel::SetBorder(bool value) {
  if (store(border_, value)) Invalidate();
}

void TE3DLabel::SetBorderWidth(int value) {
  if (value >= 1 && store(borderWidth_, value)) Invalidate();
}

TRect TE3DLabel::BorderRect() const {
  int w = borderWidth_;
  return Rect(w / 2, w / 2, Width() - (w - 1) / 2, Height() - (w - 1) / 2);
}

// --- painting ---------------------------------------------------------------------------------

unsigned TE3DLabel::textFlags() const {
  return AlignmentFlag(Alignment()) | DT_EXPANDTABS | WordBreakFlag();
}

void TE3DLabel::DrawCaptionText(TRect r, unsigned flags) {
  std::string text = TextToDraw(flags);
  Canvas().DrawText(text, r, flags);
}

void TE3DLabel::drawAt(int dx, int dy, TColor color, unsigned flags) {
  TRect r = ClientRect();
  OffsetRect(r, dx, dy);
  Canvas().Font.Color = color;
  DrawCaptionText(r, flags);
}

void TE3DLabel::drawOutline(unsigned flags) {
  for (TPoint offset : kOutline) drawAt(offset.X, offset.Y, outlineColor_, flags);
}

void TE3DLabel::drawEffect(unsigned flags) {
  switch (textStyle_) {
    case tsNone: break;
    case tsRaised:
      drawAt(1, 1, clBtnShadow, flags);
      drawAt(-1, -1, clBtnHighlight, flags);
      break;
    case tsRecessed:
      drawAt(1, 1, clBtnHighlight, flags);
      drawAt(-1, -1, clBtnShadow, flags);
      break;
    case tsShadow: drawAt(shadowDepth_, shadowDepth_, shadowColor_, flags); break;
    case tsOutlined: drawOutline(flags); break;
    case tsOutShadow:
      drawAt(shadowDepth_ + 1, shadowDepth_ + 1, shadowColor_, flags);
      drawOutline(flags);
      break;
  }
}

// 257 horizontal strips, each with the text clipped to it in its own colour.
void TE3DLabel::drawGradient(unsigned flags) {
  TCanvas& canvas = Canvas();
  canvas.Pen.Style = psSolid;
  canvas.Pen.Mode = pmCopy;
  TColor b = ColorToRGB(beginColor_), e = ColorToRGB(endColor_);
  int h = Height();
  int saved = canvas.SaveDC();
  for (int i = 0; i < kGradientSteps; ++i) {
    TColor color = RGB(channelStep(GetRValue(b), GetRValue(e), i),
                       channelStep(GetGValue(b), GetGValue(e), i),
                       channelStep(GetBValue(b), GetBValue(e), i));
    int strip = canvas.SaveDC();
    canvas.IntersectClipRect(Rect(0, MulDiv(i, h, kGradientSteps), Width(),
                                  MulDiv(i + 1, h, kGradientSteps)));
    drawAt(0, 0, color, flags);
    canvas.RestoreDC(strip);
  }
  canvas.RestoreDC(saved);
}

void TE3DLabel::Paint() {
  PaintBackground();
  TCanvas& canvas = Canvas();
  canvas.Font = Font();
  unsigned flags = textFlags();
  drawEffect(flags);
  if (gradiental_ && Enabled()) drawGradient(flags);
  else if (gradiental_ || !Enabled()) drawAt(0, 0, clGrayText, flags);
  else drawAt(0, 0, Font().Color, flags);
  if (!border_) return;
  canvas.Pen.Color = borderColor_;
  canvas.Pen.Width = borderWidth_;
  canvas.Brush.Style = bsClear;
  canvas.Rectangle(BorderRect());
}

}  // namespace elabel
