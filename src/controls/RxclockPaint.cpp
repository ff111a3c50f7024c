// TRxClock: the panel frame, the digital face and the font fitting of AutoSize.
#include <algorithm>

#include "controls/Rxclock.h"
#include "gui/Frame3D.h"

using namespace gui;

namespace rxclock {

namespace {

void bevel(TCanvas& canvas, TRect& r, TBevelCut cut, int width) {
  switch (cut) {
    case bvRaised: Frame3D(canvas, r, clBtnHighlight, clBtnShadow, width); break;
    case bvLowered: Frame3D(canvas, r, clBtnShadow, clBtnHighlight, width); break;
    case bvSpace: Frame3D(canvas, r, clBtnFace, clBtnFace, width); break;
    case bvNone: break;
  }
}

// The 1-based character positions of the minutes and seconds in the digital text.
int minutesAt(bool twoDigitHour) { return twoDigitHour ? 4 : 3; }
int secondsAt(bool twoDigitHour) { return twoDigitHour ? 7 : 6; }

}  // namespace

// --- frame and face -------------------------------------------------------------------------

TRect TRxClock::faceRect() const {
  TRect r = ClientRect();
  if (borderStyle_ == bsSingle) InflateRect(r, -1, -1);
  InflateRect(r, -borderWidth_, -borderWidth_);
  int bevels = (bevelOuter_ != bvNone ? 1 : 0) + (bevelInner_ != bvNone ? 1 : 0);
  InflateRect(r, -bevels * bevelWidth_, -bevels * bevelWidth_);
  return r;
}

void TRxClock::drawFrame(TCanvas& canvas, TRect& r) const {
  if (borderStyle_ == bsSingle) Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  bevel(canvas, r, bevelOuter_, bevelWidth_);
  Frame3D(canvas, r, Color(), Color(), borderWidth_);
  bevel(canvas, r, bevelInner_, bevelWidth_);
}

void TRxClock::prepareCanvas(TCanvas& canvas) const {
  canvas.ResetDeviceState();
  canvas.Brush.Color = Color();
  canvas.Brush.Style = bsSolid;
  canvas.Font = Font();
  canvas.Pen.Color = Font().Color;
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Width = 1;
}

void TRxClock::paintFace() {
  face_.SetSize(Width(), Height());
  TCanvas& canvas = face_.Canvas();
  prepareCanvas(canvas);
  canvas.FillRect(ClientRect());
  TRect r = ClientRect();
  drawFrame(canvas, r);
  prepareCanvas(canvas);
  faceStale_ = false;
  if (showMode_ == scDigital) PaintTimeStr(canvas, r, true);
  else PaintAnalogClock(canvas, pmPaintAll);
}

void TRxClock::Paint() {
  if (faceStale_ || face_.Width() != Width() || face_.Height() != Height()) paintFace();
  Canvas().Draw(0, 0, face_);
}

// --- digits ---------------------------------------------------------------------------------

TDigitalText TRxClock::DigitalText(const TRxClockTime& time) const {
  int h = time.Hour;
  if (twelveHour_) h = h > 12 ? h - 12 : h == 0 ? 12 : h;
  std::string format = leadingZero_ ? "hh:mm" : "h:mm";
  if (showSeconds_) format += ":ss";
  if (twelveHour_) format += " ampm";
  TDateTime value = dateutil::EncodeTime(time.Hour, time.Minute, time.Second, 0);
  TDigitalText out;
  out.text = dateutil::FormatDateTime(format, value);
  out.digits = (h >= 10 || leadingZero_ ? 5 : 4) + (showSeconds_ ? 3 : 0);
  out.digits = std::min<int>(out.digits, int(out.text.size()));
  return out;
}

// Each digit sits in a cell as wide as an "8", so the digits never move. A tick (not
// fullDraw) draws only the cells of the minutes and seconds that changed; a new hour repaints
// the whole face.
void TRxClock::PaintTimeStr(TCanvas& canvas, const TRect& rect, bool fullDraw) {
  TRxClockTime now = GetTime();
  TRxClockTime shown = displayTime_;
  TRxClockTime nowFolded = now;
  nowFolded.Hour %= 12;
  if (!fullDraw && nowFolded.Hour != shown.Hour) {
    invalidateFace();
    return;
  }
  TDigitalText digital = DigitalText(now);
  int cellWidth = canvas.TextWidth("8");
  int cellHeight = canvas.TextHeight("8");
  std::string amPm = digital.text.substr(size_t(digital.digits));
  int width = digital.digits * cellWidth + canvas.TextWidth(amPm);
  int left = rect.Left + (rect.Width() - width) / 2;
  int top = rect.Top + (rect.Height() - cellHeight) / 2;
  bool twoDigitHour = digital.digits == 5 || digital.digits == 8;
  int minutes = minutesAt(twoDigitHour), seconds = secondsAt(twoDigitHour);
  for (int i = 1; i <= digital.digits; ++i) {
    bool draw = fullDraw;
    if (!draw && showSeconds_ && (i == seconds || i == seconds + 1)) draw = now.Second != shown.Second;
    if (!draw && (i == minutes || i == minutes + 1)) draw = now.Minute != shown.Minute;
    if (!draw) continue;
    TRect cell = Bounds(left + (i - 1) * cellWidth, top, cellWidth, cellHeight);
    canvas.FillRect(cell);
    canvas.DrawText(digital.text.substr(size_t(i - 1), 1), cell,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    if (!fullDraw) InvalidateRect(cell);
  }
  if (fullDraw && !amPm.empty()) {
    TRect r = Bounds(left + digital.digits * cellWidth, top, canvas.TextWidth(amPm), cellHeight);
    canvas.DrawText(amPm, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
  }
  displayTime_ = nowFolded;
}

// --- fitting --------------------------------------------------------------------------------

void TRxClock::AlignControls() {
  TRect r = faceRect();
  if (autoSize_) ResizeFont(r);
  CircleClock(r);
}

// The font grows to fill the face: the sample of the widest digits measured at 1000 pixels
// gives the width, four fifths of the face the height.
void TRxClock::ResizeFont(const TRect& rect) {
  int h = rect.Height() - 4, w = rect.Width() - 30;
  if (h < 1 || w < 1) return;
  TCanvas measure;
  measure.Font = Font();
  measure.Font.Height = 1000;
  std::string sample = showSeconds_ ? "88888888" : "88888";
  if (twelveHour_) {
    const dateutil::FormatSettings& fs = dateutil::CurrentFormatSettings();
    bool amWider = measure.TextWidth(fs.timeAMString) > measure.TextWidth(fs.timePMString);
    sample += " " + (amWider ? fs.timeAMString : fs.timePMString);
  }
  int sampleWidth = std::max(1, measure.TextWidth(sample));
  TFont font = Font();
  font.Height = std::min(MulDiv(1000, w, sampleWidth), MulDiv(h, 4, 5));
  SetFont(font);
}

}  // namespace rxclock
