// TRxClock: a panel that shows the time of day, as digits (what every window uses) or as an
// analog dial, and raises OnAlarm once a day when the time reaches its alarm time. It ticks
// every 450 ms on its own threaded timer, whose handler runs on the main thread; a tick redraws
// only the digit cells that changed.
//
// The alarm fires at the first tick at or after its time, also when ticks were held up (a busy
// main thread) or the system clock jumped over it: what counts is that the alarm time passed
// since the previous check, while the alarm was armed.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/utils/Dateutil.h"
#include "controls/Rxtimer.h"
#include "gui/Bitmap.h"
#include "gui/Controls.h"

namespace rxclock {

enum TShowClock { scDigital, scAnalog };
enum TPaintMode { pmPaintAll, pmHandPaint };
// The panel's bevels and border.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNone, bsSingle };

struct TRxClockTime {
  uint16_t Hour = 0;
  uint16_t Minute = 0;
  uint16_t Second = 0;
  friend bool operator==(const TRxClockTime&, const TRxClockTime&) = default;
};

class TRxClock;
using TRxGetTimeEvent = std::function<void(TRxClock*, TRxClockTime&)>;

// The period of the clock's timer.
inline constexpr uint32_t kTickMs = 450;
// The message of an alarm part out of range; %s is hour, minute and second.
inline constexpr const char* kInvalidTimeText = "'%s' is not a valid time";

// Pixels per millimetre (times 100) across and down the screen.
struct TScreenAspect {
  int horizontal = 100;
  int vertical = 100;
};
TScreenAspect ScreenAspect();
// The dial's 60 minute marks, on a circle of radius 8000 from 12 o'clock clockwise, with y
// scaled for screens whose pixels are not square.
std::array<gui::TPoint, 60> ClockPoints(const TScreenAspect& aspect);

// The digits of the digital face: the formatted text and how many of its characters are digit
// cells (the rest is the AM/PM part with its leading blank).
struct TDigitalText {
  std::string text;
  int digits = 0;
};

class TRxClock : public gui::TCustomControl {
public:
  using TNotifyEvent = std::function<void(TRxClock*)>;

  explicit TRxClock(QWidget* parent = nullptr);
  ~TRxClock() override;

  // The alarm's parts. Setting one out of range (hour 24 and above, minute or second 60 and
  // above) raises EConvertError "'h:m:s' is not a valid time" and keeps the old alarm.
  uint8_t AlarmHour() const { return GetAlarmElement(1); }
  void SetAlarmHour(uint8_t value) { SetAlarmElement(1, value); }
  uint8_t AlarmMinute() const { return GetAlarmElement(2); }
  void SetAlarmMinute(uint8_t value) { SetAlarmElement(2, value); }
  uint8_t AlarmSecond() const { return GetAlarmElement(3); }
  void SetAlarmSecond(uint8_t value) { SetAlarmElement(3, value); }
  TDateTime AlarmTime() const { return alarmTime_; }
  // The time-of-day part of value becomes the alarm, which is re-armed.
  void SetAlarmTime(TDateTime value);
  // A plain flag: the next tick re-arms.
  bool AlarmEnabled() const { return alarmEnabled_; }
  void SetAlarmEnabled(bool value) { alarmEnabled_ = value; }
  // The alarm fires at its next passing.
  bool AlarmWait() const { return alarmWait_; }

  // Sizes the font to the control (not the control to the font).
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  gui::TColor DotsColor() const { return dotsColor_; }
  void SetDotsColor(gui::TColor value);
  TShowClock ShowMode() const { return showMode_; }
  void SetShowMode(TShowClock value);
  bool ShowSeconds() const { return showSeconds_; }
  void SetShowSeconds(bool value);
  bool TwelveHour() const { return twelveHour_; }
  void SetTwelveHour(bool value);
  bool LeadingZero() const { return leadingZero_; }
  void SetLeadingZero(bool value);

  // The panel's frame: outer bevel, border, inner bevel.
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool value) { fullRepaint_ = value; }
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);

  // The time shown: the local clock, or what OnGetTime makes of its time of day.
  virtual TDateTime GetSystemTime();
  // The time last drawn, hour folded to 0..11.
  const TRxClockTime& DisplayTime() const { return displayTime_; }
  // The digital text for a time of day and where its digit cells end.
  TDigitalText DigitalText(const TRxClockTime& time) const;

  // Fires OnAlarm when the alarm time passed since the last check, else re-arms.
  void CheckAlarm();
  // Armed while the alarm lies ahead in the day; a midnight alarm always is.
  void ResetAlarm();
  // Redraws everything at once.
  void UpdateClock();
  // The system clock was set: redraw and check the alarm.
  void TimeChanged();
  // One tick of the timer: redraw what changed, then check the alarm.
  void TimerExpired();

  rxtimer::TRxTimer& Timer() { return *timer_; }

  TNotifyEvent OnAlarm;
  TRxGetTimeEvent OnGetTime;

protected:
  void Loaded() override;
  void Paint() override;
  void Resized() override;
  void FontChanged() override;
  void ColorChanged() override;
  void TextChanged() override {}  // the caption is never drawn
  void changeEvent(QEvent* event) override;
  // Calls OnAlarm.
  virtual void Alarm();

private:
  uint8_t GetAlarmElement(int index) const;
  void SetAlarmElement(int index, uint8_t value);
  TRxClockTime GetTime();
  void invalidateFace();
  void realign();
  void AlignControls();
  void ResizeFont(const gui::TRect& rect);
  gui::TRect faceRect() const;
  void prepareCanvas(gui::TCanvas& canvas) const;
  void paintFace();
  void drawFrame(gui::TCanvas& canvas, gui::TRect& r) const;

  // Digital face (RxclockPaint.cpp).
  void PaintTimeStr(gui::TCanvas& canvas, const gui::TRect& rect, bool fullDraw);
  // Analog face (RxclockDial.cpp).
  void CircleClock(const gui::TRect& rect);
  void DrawAnalogFace(gui::TCanvas& canvas);
  void DrawFatHand(gui::TCanvas& canvas, int mark, bool hourHand);
  void DrawSecondHand(gui::TCanvas& canvas, int second);
  void PaintAnalogClock(gui::TCanvas& canvas, TPaintMode mode);
  void drawHands(gui::TCanvas& canvas, const TRxClockTime& time, gui::TColor color);
  gui::TPoint handPoint(int mark, int percent) const;

  std::unique_ptr<rxtimer::TRxTimer> timer_;
  bool autoSize_ = false;
  TShowClock showMode_ = scDigital;
  bool twelveHour_ = false;
  bool leadingZero_ = true;
  bool showSeconds_ = true;
  TDateTime alarmTime_ = 0.0;
  bool alarmEnabled_ = false;
  gui::TColor dotsColor_ = gui::clTeal;
  bool alarmWait_ = true;
  TRxClockTime displayTime_;
  gui::TRect clockRect_;
  int clockRadius_ = 0;
  gui::TPoint clockCenter_;
  // The screen's aspect and the dial table for it, taken when the clock is made.
  TScreenAspect aspect_;
  std::array<gui::TPoint, 60> points_{};

  TBevelCut bevelInner_ = bvLowered;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  bool fullRepaint_ = true;
  bool ctl3D_ = true;

  // What the window shows: ticks draw the changed cells here and invalidate only them.
  gui::TBitmap face_;
  bool faceStale_ = true;
  // The moment of the last alarm check, in seconds since the date-time epoch.
  int64_t lastCheck_ = 0;
};

}  // namespace rxclock
