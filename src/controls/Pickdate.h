// Pickdate: the calendar that drops down under a date edit (TPopupCalendar: a month grid under a
// title row with four repeating buttons for the previous year and month and the next month and
// year), and a modal date dialog (TSelectDateDlg) for date edits in the dialog style.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVariant>

#include <array>
#include <string>

#include "controls/PickdateCalendar.h"
#include "controls/RxSpeedButton.h"
#include "controls/TooleditPopup.h"
#include "gui/Strings.h"

namespace pickdate {

// The popup's width and height before its minimums (180 x 120); 187 x 124 (ControlsState).
extern gui::TPoint& PopupCalendarSize;
// The title: full month name, comma, four-digit year.
inline constexpr const char* kTitleFormat = "MMMM, YYYY";

// Previous year, previous month, next month, next year.
enum TCalendarButton { cbPrevYear, cbPrevMonth, cbNextMonth, cbNextYear };
// The built-in glyph of a calendar button.
void LoadButtonGlyph(rxctrls::TRxSpeedButton& button, TCalendarButton which);

class TPopupCalendar : public tooledit::TPopupWindow {
public:
  explicit TPopupCalendar(QWidget* owner);

  // The shown date.
  QVariant GetValue() override;
  // A text (separators and blanks aside) or a date; anything else, or an unreadable text, shows
  // today.
  void SetValue(const QVariant& value) override;

  // Keys forwarded by the date edit: Page Up and Down step months (with Ctrl years); the rest
  // goes to the grid.
  void KeyDown(uint16_t& key, gui::TShiftState shift) override;
  void KeyPress(char& key) override;

  TLocCalendar* Calendar() const { return calendar_; }
  QLabel* Title() const { return title_; }
  rxctrls::TRxTimerSpeedButton* Button(TCalendarButton which) const { return buttons_[which]; }
  bool FourDigitYear() const { return fourDigitYear_; }
  void SetFourDigitYear(bool value) { fourDigitYear_ = value; }
  // Shows today.
  void ShowToday();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The calendar takes the popup's colour.
  void ColorChanged() override;

private:
  void buildTitle(QWidget* back);
  void updateTitle();
  void calendarMouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y);

  TLocCalendar* calendar_ = nullptr;
  QWidget* titlePanel_ = nullptr;
  QLabel* title_ = nullptr;
  std::array<rxctrls::TRxTimerSpeedButton*, 4> buttons_{};
  bool fourDigitYear_ = false;
};

// A drop-down calendar for owner, scaled for screens not at 96 pixels per inch.
TPopupCalendar* CreatePopupCalendar(QWidget* owner, Qt::LayoutDirection direction);
// Passes the week settings to the calendar and the first up to 4 non-empty lines of hints to
// the buttons (previous year, previous month, next month, next year).
void SetupPopupCalendar(tooledit::TPopupWindow* popup, TDayOfWeekName startOfWeek,
                        TDaysOfWeek weekends, gui::TColor weekendColor, const gui::TStrings* hints,
                        bool fourDigitYear);

// The modal date dialog: a title row with year and month buttons, the month grid, OK and
// Cancel.
class TSelectDateDlg : public QDialog {
public:
  explicit TSelectDateDlg(QWidget* parent = nullptr);

  TDateTime Date() const { return calendar_->CalendarDate(); }
  void SetDate(TDateTime date);
  TRxCalendar* Calendar() const { return calendar_; }
  QLabel* TitleLabel() const { return titleLabel_; }
  QPushButton* OkButton() const { return ok_; }
  rxctrls::TRxSpeedButton* Button(TCalendarButton which) const { return buttons_[which]; }

protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void updateTitle();

  TRxCalendar* calendar_;
  QLabel* titleLabel_;
  QPushButton* ok_;
  std::array<rxctrls::TRxSpeedButton*, 4> buttons_{};
};

// Runs the dialog on date (today for NullDate); true and the picked date on OK.
bool SelectDate(TDateTime& date, const std::string& title, TDayOfWeekName startOfWeek,
                TDaysOfWeek weekends, gui::TColor weekendColor, const gui::TStrings* hints);
// The same on a text in the short date format.
bool SelectDateStr(std::string& text, const std::string& title, TDayOfWeekName startOfWeek,
                   TDaysOfWeek weekends, gui::TColor weekendColor, const gui::TStrings* hints);
// The dialog without border icons under (or above) a control.
bool PopupDate(TDateTime& date, QWidget* edit);

}  // namespace pickdate
