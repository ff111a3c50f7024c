// TRxClock: construction, properties, the alarm and the tick. The faces are drawn in
// RxclockPaint.cpp (digits and frame) and RxclockDial.cpp (analog dial).
#include "controls/Rxclock.h"

#include <QEvent>

#include <cmath>

#include "gui/Exceptions.h"

using namespace gui;

namespace rxclock {

namespace {

constexpr int kSecondsPerDay = 86400;

// Whole seconds: a clock shows a second until the next one has begun. The millisecond of
// slack keeps a time that lands a rounding error short of a second in that second.
int64_t secondsOf(TDateTime moment) {
  return int64_t(std::floor(moment * kSecondsPerDay + 1e-3));
}

int secondOfDay(TDateTime moment) {
  int64_t s = secondsOf(moment) % kSecondsPerDay;
  return int(s < 0 ? s + kSecondsPerDay : s);
}

TRxClockTime clockTimeOf(TDateTime moment) {
  int s = secondOfDay(moment);
  return {uint16_t(s / 3600), uint16_t(s / 60 % 60), uint16_t(s % 60)};
}

TRxClockTime folded(TRxClockTime time) {
  time.Hour %= 12;
  return time;
}

}  // namespace

TRxClock::TRxClock(QWidget* parent)
    : TCustomControl(parent), aspect_(ScreenAspect()), points_(ClockPoints(aspect_)) {
  SetBounds(0, 0, 185, 41);
  SetCaption(dateutil::FormatDateTime("tt", GetSystemTime()));
  timer_ = std::make_unique<rxtimer::TRxTimer>(nullptr);
  timer_->SetInterval(kTickMs);
  timer_->SetOnTimer([this](rxtimer::TRxTimer*) { TimerExpired(); });
  TDateTime now = GetSystemTime();
  displayTime_ = folded(clockTimeOf(now));
  lastCheck_ = secondsOf(now);
}

// The timer goes first, so that no tick reaches a clock being destroyed.
TRxClock::~TRxClock() { timer_.reset(); }

// --- properties -----------------------------------------------------------------------------

void TRxClock::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  if (autoSize_) {
    invalidateFace();
    realign();
  }
}

void TRxClock::SetDotsColor(TColor value) {
  if (value == dotsColor_) return;
  dotsColor_ = value;
  invalidateFace();
}

void TRxClock::SetShowMode(TShowClock value) {
  if (value == showMode_) return;
  showMode_ = value;
  invalidateFace();
}

void TRxClock::SetShowSeconds(bool value) {
  if (value == showSeconds_) return;
  showSeconds_ = value;
  invalidateFace();
  realign();
}

void TRxClock::SetTwelveHour(bool value) {
  if (value == twelveHour_) return;
  twelveHour_ = value;
  invalidateFace();
  realign();
}

void TRxClock::SetLeadingZero(bool value) {
  if (value == leadingZero_) return;
  leadingZero_ = value;
  invalidateFace();
}

void TRxClock::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  AlignControls();
  invalidateFace();
}

void TRxClock::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  AlignControls();
  invalidateFace();
}

void TRxClock::SetBevelWidth(int value) {
  if (value == bevelWidth_ || value < 1) return;
  bevelWidth_ = value;
  AlignControls();
  invalidateFace();
}

void TRxClock::SetBorderWidth(int value) {
  if (value == borderWidth_ || value < 0) return;
  borderWidth_ = value;
  AlignControls();
  invalidateFace();
}

void TRxClock::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  AlignControls();
  invalidateFace();
}

void TRxClock::SetCtl3D(bool value) {
  if (value == ctl3D_) return;
  ctl3D_ = value;
  invalidateFace();
}

void TRxClock::invalidateFace() {
  faceStale_ = true;
  Invalidate();
}

// With AutoSize a change of what is shown fits the font again.
void TRxClock::realign() {
  if (autoSize_) AlignControls();
}

void TRxClock::UpdateClock() {
  invalidateFace();
  realign();
  Repaint();
}

void TRxClock::Loaded() {
  TCustomControl::Loaded();
  ResetAlarm();
}

void TRxClock::Resized() {
  AlignControls();
  invalidateFace();
}

void TRxClock::FontChanged() {
  invalidateFace();
  realign();
}

void TRxClock::ColorChanged() { invalidateFace(); }

// A change of the regional settings (AM/PM designators, time separator) redraws and refits.
void TRxClock::changeEvent(QEvent* event) {
  TCustomControl::changeEvent(event);
  if (event->type() == QEvent::LocaleChange) {
    invalidateFace();
    realign();
  }
}

// --- time -----------------------------------------------------------------------------------

TDateTime TRxClock::GetSystemTime() {
  TDateTime now = dateutil::Now();
  if (!OnGetTime) return now;
  TRxClockTime time = clockTimeOf(now);
  OnGetTime(this, time);
  TDateTime day = std::floor(now);
  return day + (time.Hour * 3600.0 + time.Minute * 60.0 + time.Second) / kSecondsPerDay;
}

TRxClockTime TRxClock::GetTime() { return clockTimeOf(GetSystemTime()); }

void TRxClock::TimerExpired() {
  if (faceStale_) {
    Invalidate();
  } else {
    TCanvas& canvas = face_.Canvas();
    prepareCanvas(canvas);
    if (showMode_ == scDigital) PaintTimeStr(canvas, faceRect(), false);
    else PaintAnalogClock(canvas, pmHandPaint);
  }
  CheckAlarm();
}

void TRxClock::TimeChanged() {
  invalidateFace();
  CheckAlarm();
}

// --- the alarm ------------------------------------------------------------------------------

uint8_t TRxClock::GetAlarmElement(int index) const {
  TRxClockTime t = clockTimeOf(alarmTime_);
  return uint8_t(index == 1 ? t.Hour : index == 2 ? t.Minute : t.Second);
}

void TRxClock::SetAlarmElement(int index, uint8_t value) {
  TRxClockTime t = clockTimeOf(alarmTime_);
  int parts[3] = {t.Hour, t.Minute, t.Second};
  parts[index - 1] = value;
  if (parts[0] >= 24 || parts[1] >= 60 || parts[2] >= 60) {
    char sep = dateutil::CurrentFormatSettings().timeSeparator;
    std::string time = std::to_string(parts[0]) + sep + std::to_string(parts[1]) + sep +
                       std::to_string(parts[2]);
    throw EConvertError(FormatText(kInvalidTimeText, time.c_str()));
  }
  alarmTime_ = dateutil::EncodeTime(parts[0], parts[1], parts[2], 0);
  ResetAlarm();
}

void TRxClock::SetAlarmTime(TDateTime value) {
  int s = secondOfDay(value);
  alarmTime_ = dateutil::EncodeTime(s / 3600, s / 60 % 60, s % 60, 0);
  ResetAlarm();
}

void TRxClock::ResetAlarm() {
  int alarm = secondOfDay(alarmTime_);
  alarmWait_ = secondOfDay(GetSystemTime()) < alarm || alarm == 0;
}

// The latest passing of the alarm time at or before now counts when it lies after the
// previous check; a clock set back gives none, and the alarm is armed again meanwhile.
void TRxClock::CheckAlarm() {
  TDateTime moment = GetSystemTime();
  int64_t now = secondsOf(moment);
  int64_t day = now - secondOfDay(moment);
  int64_t passing = day + secondOfDay(alarmTime_);
  if (passing > now) passing -= kSecondsPerDay;
  bool alarmTime = passing > lastCheck_ && passing <= now;
  lastCheck_ = now;
  if (alarmEnabled_ && alarmTime) {
    if (alarmWait_) {
      alarmWait_ = false;
      Alarm();
    }
    return;
  }
  ResetAlarm();
}

void TRxClock::Alarm() {
  if (OnAlarm) OnAlarm(this);
}

}  // namespace rxclock
