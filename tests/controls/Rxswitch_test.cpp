// The switch: clicks and the toggle key with their events, the greyed pictures of a disabled
// switch, the "Data" layout property, where picture and caption go, and screenshots.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include <string>
#include <vector>

#include "Rxctrls_test.h"
#include "controls/Rxswitch.h"
#include "gui/Cp1251.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"

using namespace gui;
using namespace rxswitch;

namespace {

void key(QWidget* w, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
         const QString& text = {}) {
  QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, text);
  QCoreApplication::sendEvent(w, &event);
}

void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
  rxtest::press(w, QPoint(25, 30), button);
  rxtest::release(w, QPoint(25, 30), button);
}

// Every event of the switch in the order it came.
struct Log {
  std::vector<std::string> events;
  void attach(TRxSwitch& s) {
    s.OnOn = [this](TControl*) { events.push_back("on"); };
    s.OnOff = [this](TControl*) { events.push_back("off"); };
    s.OnClick = [this](TControl*) { events.push_back("click"); };
  }
};

// A picture of one colour on a magenta background (its transparent colour).
TBitmap solidGlyph(TColor colour) { return rxtest::makeGlyph({colour}, 20, 30); }

bool sameImage(const QImage& a, const QImage& b) {
  return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(Switch, StartsOffWithTheBuiltInPicturesAndTheSpaceBar) {
  TRxSwitch s;
  EXPECT_EQ(s.Width(), 50);
  EXPECT_EQ(s.Height(), 60);
  EXPECT_FALSE(s.StateOn());
  EXPECT_EQ(s.TextPosition(), tpNone);
  EXPECT_EQ(s.BorderStyle(), bsNone);
  EXPECT_EQ(s.ToggleKey(), 32);
  EXPECT_TRUE(s.ShowFocus());
  EXPECT_TRUE(s.TabStop());
  EXPECT_EQ(s.UserBitmaps(), 0);
  for (TSwitchGlyph index : {sgOff, sgOn}) {
    ASSERT_NE(s.GetSwitchGlyph(index), nullptr);
    EXPECT_EQ(s.GetSwitchGlyph(index)->Width(), 32);
    EXPECT_EQ(s.GetSwitchGlyph(index)->Height(), 48);
    EXPECT_EQ(s.DisabledGlyph(index), nullptr);
  }
  // The two pictures differ (the lever's position).
  EXPECT_NE(s.GlyphOff()->Image(), s.GlyphOn()->Image());
}

TEST(Switch, ALeftClickFlipsTheStateFiringOnOrOffThenClick) {
  rxtest::Host host;
  TRxSwitch s(&host.window);
  host.Activate();
  Log log;
  log.attach(s);
  click(&s);
  EXPECT_TRUE(s.StateOn());
  click(&s);
  EXPECT_FALSE(s.StateOn());
  EXPECT_EQ(log.events, (std::vector<std::string>{"on", "click", "off", "click"}));
  EXPECT_TRUE(s.hasFocus());
  // The right button neither toggles nor clicks.
  log.events.clear();
  click(&s, Qt::RightButton);
  EXPECT_FALSE(s.StateOn());
  EXPECT_TRUE(log.events.empty());
}

TEST(Switch, StateFromCodeFiresOnlyOnAChange) {
  TRxSwitch s;
  Log log;
  log.attach(s);
  s.SetStateOn(false);
  s.SetStateOn(true);
  s.SetStateOn(true);
  s.ToggleSwitch();
  EXPECT_EQ(log.events, (std::vector<std::string>{"on", "off"}));
}

TEST(Switch, TheToggleKeyTogglesAndZeroIgnoresTheSpaceBar) {
  struct Case {
    uint16_t toggleKey;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    bool toggles;
  } cases[] = {
      {32, Qt::Key_Space, Qt::NoModifier, true},
      {32, Qt::Key_Space, Qt::ShiftModifier, false},
      {0, Qt::Key_Space, Qt::NoModifier, false},
      {0x4000 | 'T', Qt::Key_T, Qt::ControlModifier, true},  // Ctrl+T
      {0x4000 | 'T', Qt::Key_T, Qt::NoModifier, false},
  };
  for (const Case& c : cases) {
    TRxSwitch s;
    s.SetToggleKey(c.toggleKey);
    key(&s, c.qtKey, c.modifiers);
    EXPECT_EQ(s.StateOn(), c.toggles) << c.toggleKey << " " << c.qtKey;
  }
}

TEST(Switch, ADisabledSwitchGreysCustomPicturesOnly) {
  rxtest::Host host;
  TRxSwitch s(&host.window);
  QImage enabled = s.Snapshot();
  s.setEnabled(false);
  EXPECT_TRUE(sameImage(s.Snapshot(), enabled)) << "built-in pictures stay as they are";

  TBitmap red = solidGlyph(clRed);
  s.SetGlyphOff(&red);
  ASSERT_NE(s.DisabledGlyph(sgOff), nullptr);
  EXPECT_EQ(s.DisabledGlyph(sgOn), nullptr);
  QImage greyed = s.Snapshot();
  s.setEnabled(true);
  QImage custom = s.Snapshot();
  TRect at = s.GlyphRect();
  EXPECT_EQ(rxtest::pixelAt(custom, at.Left + 10, at.Top + 15), clRed);
  EXPECT_NE(rxtest::pixelAt(greyed, at.Left + 10, at.Top + 15), clRed);
  // The transparent background takes the control's colour.
  EXPECT_EQ(rxtest::pixelAt(custom, at.Left, at.Top), rxtest::rgb(s.Color()));
}

TEST(Switch, CustomPicturesAreStoredWithADataByteOfThree) {
  TRxSwitch written;
  TBitmap red = solidGlyph(clRed), blue = solidGlyph(clBlue);
  written.SetGlyphOff(&red);
  written.SetGlyphOn(&blue);
  EXPECT_EQ(written.UserBitmaps(), 3);
  EXPECT_TRUE(written.ShouldWriteData(nullptr));
  TRxSwitch plain;
  EXPECT_FALSE(plain.ShouldWriteData(nullptr));
  EXPECT_FALSE(plain.StoreBitmap(sgOff) || plain.StoreBitmap(sgOn));
  EXPECT_TRUE(written.ShouldWriteData(&plain));
  EXPECT_FALSE(plain.ShouldWriteData(&plain));

  // The layout: the stored pictures, then "Data".
  TMemoryStream layout;
  for (TSwitchGlyph i : {sgOff, sgOn}) {
    if (written.StoreBitmap(i)) written.GetSwitchGlyph(i)->WriteData(layout);
  }
  written.WriteData(layout);
  EXPECT_EQ(layout.Bytes().back(), 3);

  layout.SetPosition(0);
  TRxSwitch read;
  read.BeginReading();
  read.GlyphOff()->ReadData(layout);
  read.GlyphOn()->ReadData(layout);
  read.ReadData(layout);
  read.EndReading();
  EXPECT_EQ(read.UserBitmaps(), 3);
  EXPECT_EQ(read.GlyphOff()->Canvas().Pixel(10, 15), clRed);
  EXPECT_EQ(read.GlyphOn()->Canvas().Pixel(10, 15), clBlue);
  ASSERT_NE(read.DisabledGlyph(sgOn), nullptr);

  // Resetting a picture brings back the built-in one and clears its bit.
  read.SetGlyphOn(nullptr);
  EXPECT_EQ(read.UserBitmaps(), 1);
  EXPECT_EQ(read.GlyphOn()->Width(), 32);
}

TEST(Switch, TheDataByteKeepsOnlyItsTwoBitsAndAShortStreamIsAReadError) {
  TRxSwitch s;
  TMemoryStream data;
  uint8_t byte = 0xFE;
  data.WriteBuffer(&byte, 1);
  data.SetPosition(0);
  s.ReadData(data);
  EXPECT_EQ(s.UserBitmaps(), 2);
  TMemoryStream empty;
  EXPECT_THROW(s.ReadData(empty), EReadError);
}

TEST(Switch, PictureAndCaptionFollowTheTextPosition) {
  TRxSwitch s;
  s.SetBounds(0, 0, 120, 60);
  s.SetCaption("Test");
  struct Case {
    TTextPos position;
    TRect glyph, text;
  } cases[] = {
      {tpNone, Bounds(44, 6, 32, 48), TRect()},
      {tpLeft, Bounds(88, 6, 32, 48), Rect(0, 0, 88, 60)},
      {tpRight, Bounds(0, 6, 32, 48), Rect(32, 0, 120, 60)},
      {tpAbove, Bounds(44, 12, 32, 48), Rect(0, 0, 120, 12)},
      {tpBelow, Bounds(44, 0, 32, 48), Rect(0, 48, 120, 60)},
  };
  for (const Case& c : cases) {
    s.SetTextPosition(c.position);
    EXPECT_EQ(s.GlyphRect(), c.glyph) << int(c.position);
    EXPECT_EQ(s.TextRect(), c.text) << int(c.position);
  }
  // tpLeft: the caption's ink lies left of the picture and around the middle of the height.
  s.SetTextPosition(tpLeft);
  s.SetColor(clWhite);
  QImage shot = s.Snapshot();
  int top = 60, bottom = 0, right = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 88; ++x) {
      if (qGray(shot.pixel(x, y)) < 128) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        right = std::max(right, x);
      }
    }
  }
  ASSERT_LT(top, bottom);
  EXPECT_LT(right, 88);
  EXPECT_NEAR((top + bottom) / 2.0, 30, 4);
}

TEST(Switch, TheAcceleratorTakesTheFocusWithoutToggling) {
  struct Accel : TRxSwitch {
    using TRxSwitch::TRxSwitch;
    using TRxSwitch::DialogChar;
  };
  rxtest::Host host;
  Accel s(&host.window);
  s.SetCaption("&Test");
  host.Activate();
  EXPECT_FALSE(s.DialogChar('x'));
  EXPECT_TRUE(s.DialogChar('t'));
  EXPECT_TRUE(s.hasFocus());
  EXPECT_FALSE(s.StateOn());
}

TEST(Switch, ABorderFramesTheClientArea) {
  TRxSwitch s;
  s.SetColor(clWhite);
  s.SetBorderStyle(bsSingle);
  QImage shot = s.Snapshot();
  EXPECT_EQ(rxtest::pixelAt(shot, 0, 0), rxtest::rgb(clWindowFrame));
  EXPECT_EQ(rxtest::pixelAt(shot, 49, 59), rxtest::rgb(clWindowFrame));
  EXPECT_EQ(rxtest::pixelAt(shot, 1, 1), clWhite);
}

TEST(SwitchScreenshot, OffOnCaptionsAndDisabled) {
  auto cp = [](const char* utf8) { return ToCp1251(QString::fromUtf8(utf8)); };
  struct Shot {
    const char* name;
    std::string off, on;
  } shots[] = {{"switch_en.png", "Test mode", "&Sound"},
               {"switch_ru.png", cp("Тестовый режим"), cp("&Звук")}};
  for (const Shot& shot : shots) {
    rxtest::Host host;
    host.window.resize(420, 80);
    TRxSwitch plain(&host.window);
    plain.SetBounds(8, 8, 50, 60);
    TRxSwitch on(&host.window);
    on.SetBounds(66, 8, 50, 60);
    on.SetStateOn(true);
    TRxSwitch left(&host.window);
    left.SetBounds(124, 8, 150, 60);
    left.SetCaption(shot.off);
    left.SetTextPosition(tpLeft);
    TRxSwitch right(&host.window);
    right.SetBounds(282, 8, 130, 60);
    right.SetCaption(shot.on);
    right.SetTextPosition(tpRight);
    right.SetStateOn(true);
    // A custom picture (the built-in one copied) is greyed while disabled.
    TBitmap custom(*right.GlyphOn());
    right.SetGlyphOn(&custom);
    right.setEnabled(false);
    host.Activate();
    QImage picture = host.window.grab().toImage();
    ASSERT_TRUE(picture.save(QString::fromStdString(rxtest::screenshotPath(shot.name))));
  }
}
