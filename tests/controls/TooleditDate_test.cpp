// The date edit: empty field and DefaultToday, out-of-range dates, keypad steps and 'T', four-
// digit years under a two-digit regional format, typing into the mask, OnChange per pick, the
// exit check, and screenshots with the calendar open.
#include <QApplication>
#include <QPainter>

#include "PickdateFixture.h"
#include "Rxctrls_test.h"
#include "controls/Pickdate.h"
#include "controls/TooleditDate.h"
#include "gui/Cp1251.h"
#include "gui/Exceptions.h"

using namespace gui;
using namespace tooledit;
using namespace pickdatetest;

namespace {

class DateEdit : public DateFixture {
protected:
  void SetUp() override {
    DateFixture::SetUp();
    host.window.resize(320, 220);
  }
  TDateEdit& make(bool defaultToday = true, TYearDigits digits = dyFour) {
    edit = new TDateEdit(&host.window);
    edit->setGeometry(16, 16, 121, 21);
    edit->SetDefaultToday(defaultToday);
    edit->SetYearDigits(digits);
    edit->SetNumGlyphs(2);
    return *edit;
  }
  pickdate::TPopupCalendar* calendar() const {
    return static_cast<pickdate::TPopupCalendar*>(edit->Popup());
  }

  rxtest::Host host;
  TDateEdit* edit = nullptr;
};

TEST_F(DateEdit, AnEmptyFieldIsTodayWithDefaultTodayAndTheEmptyDateWithout) {
  TDateEdit& e = make(false);
  EXPECT_EQ(e.Text(), "  .  .    ");
  EXPECT_DOUBLE_EQ(e.GetDate(), dateutil::NullDate);
  e.SetDate(date(2001, 11, 5));
  EXPECT_EQ(e.Text(), "05.11.2001");
  e.SetDate(dateutil::NullDate);
  EXPECT_EQ(e.Text(), "  .  .    ");
  e.SetDefaultToday(true);
  EXPECT_DOUBLE_EQ(e.GetDate(), kToday);
}

TEST_F(DateEdit, ADateOutsideTheRangeOrZeroShowsTodayWithDefaultToday) {
  TDateEdit& e = make();
  for (TDateTime bad : {0.0, 2'958'466.0, -693'594.0}) {
    e.SetDate(date(2001, 1, 1));
    e.SetDate(bad);
    EXPECT_EQ(e.Text(), "15.03.2026") << bad;
  }
}

TEST_F(DateEdit, KeypadPlusAndMinusStepADayAndTSetsToday) {
  TDateEdit& e = make(false);
  sendKey(&e, Qt::Key_Plus, Qt::KeypadModifier, "+");
  EXPECT_DOUBLE_EQ(e.GetDate(), kToday + 1);
  sendKey(&e, Qt::Key_Minus, Qt::KeypadModifier, "-");
  sendKey(&e, Qt::Key_Minus, Qt::KeypadModifier, "-");
  EXPECT_DOUBLE_EQ(e.GetDate(), kToday - 1);
  sendKey(&e, Qt::Key_T, Qt::NoModifier, "t");
  EXPECT_DOUBLE_EQ(e.GetDate(), kToday);
  e.SetDate(date(2001, 1, 1));
  e.setCursorPosition(0);
  sendKey(&e, Qt::Key_Plus, Qt::NoModifier, "+");
  sendKey(&e, Qt::Key_Minus, Qt::NoModifier, "-");
  EXPECT_EQ(e.Text(), "01.01.2001");
}

TEST_F(DateEdit, FourDigitYearsUnderATwoDigitRegionalFormat) {
  dateutil::SetFormatSettings(englishDayMonthYear("dd.MM.yy"));
  TDateEdit& e = make(true, dyFour);
  EXPECT_EQ(e.GetDateFormat(), "DD/MM/YYYY");
  e.SetDate(date(1999, 12, 31));
  EXPECT_EQ(e.Text(), "31.12.1999");
  EXPECT_DOUBLE_EQ(e.GetDate(), date(1999, 12, 31));
  e.SetYearDigits(dyDefault);
  EXPECT_EQ(e.Text(), "31.12.99");
  EXPECT_DOUBLE_EQ(e.GetDate(), date(1999, 12, 31));
}

TEST_F(DateEdit, TwoYearDigitsTypedIntoAFourDigitFieldReadThroughTheCenturyWindow) {
  TDateEdit& e = make();
  host.Activate();
  e.setFocus();
  e.SetText("");
  e.setCursorPosition(0);
  typeText(&e, "270401");
  EXPECT_EQ(e.Text(), "27.04.01  ");
  EXPECT_DOUBLE_EQ(e.GetDate(), date(2001, 4, 27));
}

TEST_F(DateEdit, OnChangeFiresOncePerChangedPick) {
  TDateEdit& e = make();
  e.SetDate(date(2026, 3, 10));
  host.Activate();
  e.setFocus();
  int changes = 0;
  e.OnChange = [&](QWidget*) { ++changes; };
  e.EditButtonClick();
  ASSERT_TRUE(e.PopupVisible());
  calendar()->Calendar()->SetCalendarDate(date(2026, 3, 12));
  sendKey(&e, Qt::Key_Return, Qt::NoModifier, "\r");
  EXPECT_FALSE(e.PopupVisible());
  EXPECT_EQ(e.Text(), "12.03.2026");
  EXPECT_EQ(changes, 1);
  e.EditButtonClick();
  EXPECT_DOUBLE_EQ(calendar()->GetValue().toDouble(), date(2026, 3, 12));
  sendKey(&e, Qt::Key_Return, Qt::NoModifier, "\r");
  EXPECT_EQ(changes, 1);
}

TEST_F(DateEdit, ClickingADayInTheCalendarSetsTheDate) {
  TDateEdit& e = make();
  e.SetDate(date(2026, 3, 10));
  host.Activate();
  e.setFocus();
  e.EditButtonClick();
  pickdate::TLocCalendar* grid = calendar()->Calendar();
  ASSERT_EQ(grid->DayAt(4, 4), 20);
  TRect cell = grid->CellRect(4, 4);
  QPoint at(cell.Left + 4, cell.Top + 4);
  rxtest::press(grid, at);
  EXPECT_TRUE(e.PopupVisible());  // a press inside the calendar is no click elsewhere
  rxtest::release(grid, at);
  EXPECT_FALSE(e.PopupVisible());
  EXPECT_EQ(e.Text(), "20.03.2026");
}

TEST_F(DateEdit, KeysGoToTheOpenCalendar) {
  TDateEdit& e = make();
  e.SetDate(date(2026, 1, 31));
  e.EditButtonClick();
  sendKey(&e, Qt::Key_Right);
  sendKey(&e, Qt::Key_PageDown, Qt::ControlModifier);
  sendKey(&e, Qt::Key_Plus, Qt::KeypadModifier, "+");
  EXPECT_DOUBLE_EQ(calendar()->GetValue().toDouble(), date(2027, 2, 2));
  EXPECT_EQ(e.Text(), "31.01.2026");  // unchanged until accepted
  sendKey(&e, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
  EXPECT_EQ(e.Text(), "31.01.2026");
}

TEST_F(DateEdit, OnAcceptDateMayRewriteOrRefuseThePick) {
  TDateEdit& e = make();
  e.SetDate(date(2026, 3, 10));
  e.OnAcceptDate = [](QWidget*, TDateTime& d, bool& action) {
    if (d == date(2026, 3, 13)) action = false;
    else d += 1;
  };
  e.EditButtonClick();
  calendar()->Calendar()->SetCalendarDate(date(2026, 3, 13));
  e.PopupCloseUp(e.Popup(), true);
  EXPECT_EQ(e.Text(), "10.03.2026");
  e.EditButtonClick();
  calendar()->Calendar()->SetCalendarDate(date(2026, 3, 20));
  e.PopupCloseUp(e.Popup(), true);
  EXPECT_EQ(e.Text(), "21.03.2026");
}

TEST_F(DateEdit, TheExitCheckRaisesForATextThatIsNoDate) {
  TDateEdit& e = make();
  e.SetCheckOnExit(true);
  e.SetText("31.04.2001");
  try {
    e.CheckValidDate();
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "''31.04.2001'' is not a valid date");
  }
  e.SetText("");
  EXPECT_NO_THROW(e.CheckValidDate());
  e.SetText("1.5.2001");
  e.CheckValidDate();
  EXPECT_EQ(e.Text(), "01.05.2001");
}

TEST_F(DateEdit, TheButtonIs21WideWithTheTwoCellGlyph) {
  TDateEdit& e = make();
  EXPECT_EQ(e.ButtonWidth(), 21);
  EXPECT_EQ(e.Glyph().Width(), 28);
  EXPECT_EQ(e.NumGlyphs(), 2);
  EXPECT_EQ(e.CalendarStyle(), csPopup);
  e.SetCalendarStyle(csDialog);
  EXPECT_EQ(e.Popup(), nullptr);
  e.SetPopupColor(clWindow);
  e.SetCalendarStyle(csPopup);
  ASSERT_NE(e.Popup(), nullptr);
  EXPECT_EQ(calendar()->Calendar()->Color(), clWindow);  // the popup's colour, kept meanwhile
}

// The window with the calendar dropped down, the popup drawn where it lies on the screen.
QImage shotWithPopup(QWidget& window, QWidget& popup) {
  QImage picture = window.grab().toImage();
  QImage shot(picture.width(), picture.height(), QImage::Format_RGB32);
  shot.fill(Qt::white);
  QPainter painter(&shot);
  painter.drawImage(0, 0, picture);
  painter.drawImage(window.mapFromGlobal(popup.pos()), popup.grab().toImage());
  return shot;
}

TEST_F(DateEdit, Screenshots) {
  struct Shot {
    const char* name;
    dateutil::FormatSettings settings;
    TDateTime shown;
  } shots[] = {{"dateedit_en.png", englishDayMonthYear(), date(2026, 3, 12)},
               {"dateedit_ru.png", russianDayMonthYear(), date(2026, 9, 30)}};
  host.window.move(40, 40);
  for (const Shot& shot : shots) {
    dateutil::SetFormatSettings(shot.settings);
    TDateEdit& e = make();
    e.SetDate(shot.shown);
    TDateEdit* disabled = new TDateEdit(&host.window);
    disabled->setGeometry(160, 16, 121, 21);
    disabled->SetYearDigits(dyFour);
    disabled->setEnabled(false);
    e.show();
    disabled->show();
    host.Activate();
    e.setFocus();
    e.EditButtonClick();
    ASSERT_TRUE(e.PopupVisible());
    QApplication::processEvents();
    QImage picture = shotWithPopup(host.window, *calendar());
    ASSERT_TRUE(picture.save(QString::fromStdString(rxtest::screenshotPath(shot.name))));
    delete disabled;
    delete edit;
  }
}

}  // namespace
