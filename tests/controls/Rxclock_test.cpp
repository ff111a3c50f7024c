// The clock on injected time: the wall clock is a variable, the clock's timer runs on a manual
// timer clock, and each tick moves both by 450 ms. Alarms, the digital text, ticks that redraw
// only what changed, and screenshots of the faces.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include <cmath>
#include <memory>

#include "Rxctrls_test.h"
#include "controls/utils/Dateutil.h"
#include "controls/Rxclock.h"
#include "gui/Exceptions.h"

using namespace gui;
using namespace rxclock;

namespace {

constexpr TDateTime kDay = 46'000;  // 9 December 2025

TDateTime at(int h, int m, int s, int ms = 0) {
  return kDay + (h * 3600 + m * 60 + s + ms / 1000.0) / 86400.0;
}

class RxClock : public testing::Test {
protected:
  void SetUp() override {
    rxtimer::SetDefaultTimerClock(timerClock);
    dateutil::FormatSettings fs;
    fs.timeSeparator = ':';
    fs.timeAMString = "AM";
    fs.timePMString = "PM";
    dateutil::SetFormatSettings(fs);
    dateutil::SetNowFunction([this] { return now; });
  }
  void TearDown() override {
    clock.reset();
    dateutil::SetNowFunction({});
    dateutil::SetFormatSettings(dateutil::SystemFormatSettings());
    rxtimer::SetDefaultTimerClock(nullptr);
  }
  TRxClock& make(TDateTime start) {
    now = start;
    clock = std::make_unique<TRxClock>();
    clock->OnAlarm = [this](TRxClock*) {
      ++alarms;
      firedAt = now;
    };
    timerClock->Settle();
    return *clock;
  }
  // One period of the clock's timer, the wall clock moving with it.
  void tick() {
    now += rxclock::kTickMs / 86'400'000.0;
    timerClock->Advance(rxclock::kTickMs);
    timerClock->Settle();
    QCoreApplication::sendPostedEvents();
    timerClock->Settle();
  }
  void tickFor(int seconds) {
    for (int i = 0; i < seconds * 1000 / int(rxclock::kTickMs) + 1; ++i) tick();
  }

  std::shared_ptr<rxtimer::TManualTimerClock> timerClock =
      std::make_shared<rxtimer::TManualTimerClock>();
  std::unique_ptr<TRxClock> clock;
  TDateTime now = at(12, 0, 0);
  int alarms = 0;
  TDateTime firedAt = 0;
};

TEST_F(RxClock, AnAlarmPartOutOfRangeRaisesAndKeepsTheAlarm) {
  TRxClock& c = make(at(6, 0, 0));
  c.SetAlarmHour(7);
  c.SetAlarmMinute(30);
  try {
    c.SetAlarmHour(25);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'25:30:0' is not a valid time");
  }
  EXPECT_THROW(c.SetAlarmSecond(60), EConvertError);
  EXPECT_EQ(c.AlarmHour(), 7);
  EXPECT_EQ(c.AlarmMinute(), 30);
  EXPECT_EQ(c.AlarmSecond(), 0);
  TRxClock& fresh = make(at(6, 0, 0));
  try {
    fresh.SetAlarmHour(25);
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'25:0:0' is not a valid time");
  }
}

TEST_F(RxClock, AMidnightAlarmFiresAtTheFirstTickOfEachDay) {
  TRxClock& c = make(at(23, 59, 58));
  c.SetAlarmEnabled(true);  // AlarmTime 00:00:00
  tickFor(1);
  EXPECT_EQ(alarms, 0);
  tickFor(60);
  EXPECT_EQ(alarms, 1);
  EXPECT_LT(firedAt - (kDay + 1), 0.5 / 86400);
  now = kDay + 1 + at(23, 59, 59) - kDay;
  tickFor(5);
  EXPECT_EQ(alarms, 2);
}

TEST_F(RxClock, AnAlarmTenSecondsAheadFiresOnceWithinHalfASecond) {
  TRxClock& c = make(at(10, 0, 0));
  c.SetAlarmHour(10);
  c.SetAlarmSecond(10);
  c.SetAlarmEnabled(true);
  tickFor(120);
  EXPECT_EQ(alarms, 1);
  EXPECT_GE(firedAt, at(10, 0, 10) - 1e-9);
  EXPECT_LT(firedAt, at(10, 0, 10, 500));
  now = at(23, 59, 0);
  tickFor(30);
  EXPECT_EQ(alarms, 1);
}

TEST_F(RxClock, AnAlarmForAMinuteAlreadyPastGivesNoAlarmToday) {
  TRxClock& c = make(at(10, 5, 0));
  c.SetAlarmHour(10);
  c.SetAlarmEnabled(true);
  tickFor(120);
  EXPECT_EQ(alarms, 0);
  EXPECT_FALSE(c.AlarmWait());
}

TEST_F(RxClock, AClockChangePastTheAlarmFiresAtOnce) {
  TRxClock& c = make(at(9, 0, 0));
  c.SetAlarmHour(12);
  c.SetAlarmSecond(10);
  c.SetAlarmEnabled(true);
  tick();
  now = at(12, 0, 30);
  c.TimeChanged();
  EXPECT_EQ(alarms, 1);
}

TEST_F(RxClock, ABlockedMainThreadDoesNotSkipTheAlarm) {
  TRxClock& c = make(at(11, 59, 50));
  c.SetAlarmHour(12);
  c.SetAlarmSecond(10);
  c.SetAlarmEnabled(true);
  tick();
  now = at(12, 1, 10);  // no tick through the whole alarm minute
  tick();
  EXPECT_EQ(alarms, 1);
  tickFor(10);
  EXPECT_EQ(alarms, 1);
}

TEST_F(RxClock, AClockSetBackArmsTheAlarmAgainWithoutFiring) {
  TRxClock& c = make(at(12, 0, 5));
  c.SetAlarmHour(12);
  c.SetAlarmSecond(10);
  c.SetAlarmEnabled(true);
  tickFor(10);
  EXPECT_EQ(alarms, 1);
  now = at(11, 0, 0);
  c.TimeChanged();
  EXPECT_EQ(alarms, 1);
  EXPECT_TRUE(c.AlarmWait());
}

TEST_F(RxClock, TheDigitalTextOfEachStyle) {
  TRxClock& c = make(at(12, 0, 0));
  struct Case {
    bool twelveHour, leadingZero, seconds;
    TRxClockTime time;
    const char* text;
    int digits;
  } cases[] = {
      {true, false, true, {21, 5, 7}, "9:05:07 PM", 7},
      {true, false, true, {9, 5, 7}, "9:05:07 AM", 7},
      {true, true, true, {21, 5, 7}, "09:05:07 PM", 8},
      {true, false, false, {0, 30, 0}, "12:30 AM", 5},
      {false, true, true, {21, 5, 7}, "21:05:07", 8},
      {false, false, false, {7, 5, 7}, "7:05", 4},
  };
  for (const Case& k : cases) {
    c.SetTwelveHour(k.twelveHour);
    c.SetLeadingZero(k.leadingZero);
    c.SetShowSeconds(k.seconds);
    TDigitalText d = c.DigitalText(k.time);
    EXPECT_EQ(d.text, k.text);
    EXPECT_EQ(d.digits, k.digits) << k.text;
  }
}

TEST_F(RxClock, ATickDrawsWhatAFullPaintDraws) {
  for (bool twelveHour : {false, true}) {
    TRxClock& c = make(at(21, 5, 7));
    c.SetTwelveHour(twelveHour);
    c.SetLeadingZero(false);
    c.Snapshot();
    for (int i = 0; i < 140; ++i) tick();  // into the next minute
    QImage ticked = c.Snapshot();
    TRxClock fresh;
    fresh.SetTwelveHour(twelveHour);
    fresh.SetLeadingZero(false);
    EXPECT_EQ(c.DisplayTime(), (TRxClockTime{9, 6, 10}));
    EXPECT_EQ(ticked, fresh.Snapshot()) << twelveHour;
  }
}

TEST_F(RxClock, ADialTickMovesTheHandsWithoutTraces) {
  TRxClock& c = make(at(21, 5, 7));
  c.SetShowMode(scAnalog);
  c.SetBounds(0, 0, 120, 120);
  c.show();
  c.Snapshot();
  for (int i = 0; i < 140; ++i) tick();  // into the next minute
  QImage ticked = c.Snapshot();
  TRxClock fresh;
  fresh.SetShowMode(scAnalog);
  fresh.SetBounds(0, 0, 120, 120);
  fresh.show();
  EXPECT_EQ(ticked, fresh.Snapshot());
}

TEST_F(RxClock, ShownTimeAndAlarmFollowOnGetTime) {
  TRxClock& c = make(at(8, 0, 0));
  TRxClockTime given{15, 29, 58};
  c.OnGetTime = [&given](TRxClock*, TRxClockTime& t) { t = given; };
  c.SetAlarmHour(15);
  c.SetAlarmMinute(30);
  c.SetAlarmEnabled(true);
  c.Snapshot();
  EXPECT_EQ(c.DisplayTime(), (TRxClockTime{3, 29, 58}));
  tick();
  EXPECT_EQ(alarms, 0);
  given = {15, 30, 2};
  tick();
  EXPECT_EQ(alarms, 1);
  EXPECT_EQ(c.DisplayTime(), (TRxClockTime{3, 30, 2}));
}

TEST_F(RxClock, AutoSizeFitsTheFontToTheFace) {
  TRxClock& c = make(at(8, 0, 0));
  c.SetBounds(0, 0, 300, 80);
  c.show();  // a hidden widget hears of its size only when shown
  c.SetAutoSize(true);
  int big = c.Font().Height;
  c.SetBounds(0, 0, 150, 40);
  EXPECT_LT(c.Font().Height, big);
  EXPECT_GT(c.Font().Height, 0);
  TCanvas measure;
  measure.Font = c.Font();
  EXPECT_LE(measure.TextWidth("88888888"), 150 - 30 + 1);
}

TEST(RxClockDial, MarksRunClockwiseFromTwelveOnARadiusOf8000) {
  const auto p = ClockPoints({100, 100});
  EXPECT_NEAR(p[0].X, 0, 1);
  EXPECT_NEAR(p[15].X, 8000, 1);
  EXPECT_NEAR(p[5].X, 3999, 1);
  EXPECT_LT(p[0].Y, 0);
  EXPECT_NEAR(p[30].Y, -p[0].Y, 1);
  EXPECT_GT(p[45].X * -1, 7900);
  EXPECT_NEAR(ClockPoints({100, 200})[30].Y, 16000, 2);  // twice the pixels per millimetre down
}

TEST_F(RxClock, Screenshots) {
  rxtest::Host host;
  host.window.resize(340, 152);
  now = at(21, 5, 7);
  TRxClock plain(&host.window);
  plain.SetBounds(8, 8, 185, 41);
  TRxClock twelve(&host.window);
  twelve.SetBounds(8, 56, 185, 41);
  twelve.SetTwelveHour(true);
  twelve.SetLeadingZero(false);
  TRxClock big(&host.window);
  big.SetBounds(8, 104, 185, 40);
  big.SetAutoSize(true);
  TRxClock dial(&host.window);
  dial.SetBounds(210, 8, 120, 120);
  dial.SetShowMode(scAnalog);
  host.Activate();
  for (int i = 0; i < 3; ++i) tick();
  QImage shot = host.window.grab().toImage();
  ASSERT_TRUE(shot.save(QString::fromStdString(rxtest::screenshotPath("rxclock.png"))));
}

}  // namespace
