// TRxClock: the analog dial. Minute marks come from a table of 60 points on a circle of
// radius 8000; the hour and minute hands are kite outlines, the second hand an inverted line
// that drawing again erases.
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

#include "controls/Rxclock.h"
#include "gui/Frame3D.h"

using namespace gui;

namespace rxclock {

namespace {

constexpr int kTableRadius = 8000;

}  // namespace

TScreenAspect ScreenAspect() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  TScreenAspect a;
  a.horizontal = std::max(1, int(std::lround(screen->physicalDotsPerInchX() * 100 / 25.4)));
  a.vertical = std::max(1, int(std::lround(screen->physicalDotsPerInchY() * 100 / 25.4)));
  return a;
}

namespace {

int screenWidth() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? std::max(1, screen->geometry().width()) : 1024;
}

// A lighter tone of a colour: channels raised by 127, or to 255 from 192; a channel already at
// full strength gives the highlight colour.
TColor lighter(TColor color) {
  TColor rgb = ColorToRGB(color);
  int channels[3] = {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
  for (int& c : channels) {
    if (c == 255) return clBtnHighlight;
    if (c >= 192) c = 255;
    else if (c > 0) c = std::min(255, c + 127);
  }
  return RGB(channels[0], channels[1], channels[2]);
}

}  // namespace

std::array<TPoint, 60> ClockPoints(const TScreenAspect& a) {
  std::array<TPoint, 60> table{};
  for (int i = 0; i < 60; ++i) {
    double angle = i * 6.0 * M_PI / 180.0;
    int x = int(std::lround(kTableRadius * std::sin(angle)));
    int y = int(std::lround(-kTableRadius * std::cos(angle)));
    table[size_t(i)] = {x, MulDiv(y, a.vertical, a.horizontal)};
  }
  return table;
}

// The dial is round in millimetres: the longer side is cut to the shorter and centred.
void TRxClock::CircleClock(const TRect& rect) {
  TRect r = rect;
  InflateRect(r, -1, -1);
  const TScreenAspect& a = aspect_;
  int w = r.Width(), h = r.Height();
  int heightForWidth = MulDiv(w, a.vertical, a.horizontal);
  if (heightForWidth > h) w = MulDiv(h, a.horizontal, a.vertical);
  else h = heightForWidth;
  clockRect_ = Bounds(r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2, w, h);
}

TPoint TRxClock::handPoint(int mark, int percent) const {
  const TPoint& p = points_[size_t(((mark % 60) + 60) % 60)];
  return {clockCenter_.X + MulDiv(p.X, clockRadius_ * percent, 100 * kTableRadius),
          clockCenter_.Y + MulDiv(p.Y, clockRadius_ * percent, 100 * kTableRadius)};
}

void TRxClock::DrawAnalogFace(TCanvas& canvas) {
  const TScreenAspect& a = aspect_;
  int dotWidth = std::max(2, clockRect_.Width() * 25 / screenWidth());
  int dotHeight = std::max(1, MulDiv(dotWidth, a.vertical, a.horizontal));
  TRect r = clockRect_;
  InflateRect(r, -dotWidth / 2, -dotHeight / 2);
  clockRadius_ = r.Width() / 2;
  clockCenter_ = {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
  for (int i = 0; i < 60; ++i) {
    TPoint p = handPoint(i, 100);
    if (i % 5 == 0) {
      TRect dot = Bounds(p.X - dotWidth / 2, p.Y - dotHeight / 2, dotWidth, dotHeight);
      canvas.Brush.Color = dotsColor_;
      canvas.FillRect(dot);
      if (ctl3D_ && dotWidth >= 3 && dotHeight >= 2) {
        Frame3D(canvas, dot, lighter(dotsColor_), clWindowFrame, 1);
      }
    } else if (dotWidth > 2) {
      canvas.SetPixel(p.X, p.Y, ctl3D_ ? clBtnShadow : dotsColor_);
      if (ctl3D_) canvas.SetPixel(p.X + 1, p.Y + 1, clBtnHighlight);
    }
  }
  canvas.Brush.Color = Color();
}

// A kite from the tip at 60 % (hour) or 80 % (minute) of the radius, across at 7 % or 5 %,
// back to the tail at 15 % or 20 %.
void TRxClock::DrawFatHand(TCanvas& canvas, int mark, bool hourHand) {
  int tip = hourHand ? 60 : 80, side = hourHand ? 7 : 5, tail = hourHand ? 15 : 20;
  TPoint points[5] = {handPoint(mark, tip), handPoint(mark + 15, side), handPoint(mark + 30, tail),
                      handPoint(mark + 45, side), handPoint(mark, tip)};
  canvas.MoveTo(points[0].X, points[0].Y);
  for (int i = 1; i < 5; ++i) canvas.LineTo(points[i].X, points[i].Y);
}

void TRxClock::DrawSecondHand(TCanvas& canvas, int second) {
  TPenMode mode = canvas.Pen.Mode;
  canvas.Pen.Mode = pmNot;
  TPoint end = handPoint(second, 80);
  canvas.MoveTo(clockCenter_.X, clockCenter_.Y);
  canvas.LineTo(end.X, end.Y);
  canvas.Pen.Mode = mode;
}

void TRxClock::drawHands(TCanvas& canvas, const TRxClockTime& time, TColor color) {
  canvas.Pen.Color = color;
  DrawFatHand(canvas, (time.Hour % 12) * 5 + time.Minute / 12, true);
  DrawFatHand(canvas, time.Minute, false);
}

void TRxClock::PaintAnalogClock(TCanvas& canvas, TPaintMode mode) {
  TRxClockTime now = GetTime();
  now.Hour %= 12;
  if (mode == pmPaintAll) {
    canvas.FillRect(clockRect_);
    DrawAnalogFace(canvas);
    drawHands(canvas, now, Font().Color);
    if (showSeconds_) DrawSecondHand(canvas, now.Second);
    displayTime_ = now;
    return;
  }
  bool secondMoved = now.Second != displayTime_.Second;
  if (showSeconds_ && secondMoved) DrawSecondHand(canvas, displayTime_.Second);
  if (now.Hour != displayTime_.Hour || now.Minute != displayTime_.Minute) {
    drawHands(canvas, displayTime_, Color());
    drawHands(canvas, now, Font().Color);
  }
  if (showSeconds_ && secondMoved) DrawSecondHand(canvas, now.Second);
  displayTime_ = now;
  InvalidateRect(clockRect_);
}

}  // namespace rxclock
