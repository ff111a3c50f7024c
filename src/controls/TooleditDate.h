// TDateEdit: a date field with a calendar button. The text follows a date format with the
// order of the system's short date format (four-digit years when asked), typed through a mask
// that keeps every place; the button drops down the calendar (or, in the dialog style, opens
// the modal date dialog). Keypad plus and minus step a day, 'T' sets today, and with
// DefaultToday an empty or unreadable field reads as today.
#pragma once

#include <QVariant>

#include <functional>
#include <memory>
#include <string>

#include "controls/utils/Dateutil.h"
#include "controls/Tooledit.h"
#include "gui/Strings.h"

namespace tooledit {

using dateutil::TDayOfWeekName;
using dateutil::TDaysOfWeek;

enum TYearDigits { dyDefault, dyFour, dyTwo };
enum TCalendarStyle { csPopup, csDialog };
// May change the date picked, or refuse it (Action false).
using TExecDateDialog = std::function<void(QWidget*, TDateTime&, bool& action)>;

class TCustomDateEdit : public TCustomComboEdit {
public:
  explicit TCustomDateEdit(QWidget* parent = nullptr);
  ~TCustomDateEdit() override;

  // The date of the text; an unreadable or empty text gives today (DefaultToday) or NullDate.
  TDateTime GetDate();
  // An invalid date or NullDate becomes today (DefaultToday) or the empty field.
  void SetDate(TDateTime value);
  // SetDate, then the text selected.
  void ApplyDate(TDateTime value);
  // Recomputes the format and mask and writes the date back in them.
  void UpdateMask();
  // Reads the text strictly: raises EConvertError for a text that is not a date (keeping the
  // focus in the edit).
  void CheckValidDate();
  // The format of the text: "DD/MM/YYYY" and its orders, '/' the date separator.
  const std::string& GetDateFormat() const { return dateFormat_; }

  char BlanksChar() const { return blanksChar_; }
  void SetBlanksChar(char value);
  gui::TStringList& CalendarHints() { return calendarHints_; }
  void SetCalendarHints(const gui::TStrings& value) { calendarHints_.Assign(value); }
  TCalendarStyle CalendarStyle() const { return Popup() ? csPopup : csDialog; }
  void SetCalendarStyle(TCalendarStyle value);
  bool CheckOnExit() const { return checkOnExit_; }
  void SetCheckOnExit(bool value) { checkOnExit_ = value; }
  bool DefaultToday() const { return defaultToday_; }
  void SetDefaultToday(bool value) { defaultToday_ = value; }
  const std::string& DialogTitle() const { return dialogTitle_; }
  void SetDialogTitle(const std::string& value) { dialogTitle_ = value; }
  gui::TColor PopupColor() const;
  void SetPopupColor(gui::TColor value);
  TDayOfWeekName StartOfWeek() const { return startOfWeek_; }
  void SetStartOfWeek(TDayOfWeekName value);
  TDaysOfWeek Weekends() const { return weekends_; }
  void SetWeekends(TDaysOfWeek value);
  gui::TColor WeekendColor() const { return weekendColor_; }
  void SetWeekendColor(gui::TColor value);
  TYearDigits YearDigits() const { return yearDigits_; }
  void SetYearDigits(TYearDigits value);

  TExecDateDialog OnAcceptDate;

protected:
  std::shared_ptr<const gui::TBitmap> GetDefaultBitmap() override;
  bool AcceptPopup(QVariant& value) override;
  void AcceptValue(const QVariant& value) override;
  void SetPopupValue(const QVariant& value) override;
  void ButtonClick() override;
  void Change() override;
  void KeyDown(uint16_t& key, gui::TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoExit() override;
  void changeEvent(QEvent* event) override;

private:
  bool fourDigitYear() const;
  void UpdatePopup();
  void createPopup();
  TDateTime dateOf(const QVariant& value, TDateTime fallback) const;
  TDateTime defaultDate() const;

  std::string dialogTitle_;
  bool defaultToday_ = false;
  gui::TColor popupColor_ = gui::clBtnFace;
  bool checkOnExit_ = false;
  char blanksChar_ = ' ';
  gui::TStringList calendarHints_;
  TDayOfWeekName startOfWeek_ = dateutil::Mon;
  TDaysOfWeek weekends_{dateutil::Sun};
  gui::TColor weekendColor_ = gui::clRed;
  TYearDigits yearDigits_ = dyDefault;
  std::string dateFormat_;
  bool formatting_ = false;
};

class TDateEdit : public TCustomDateEdit {
public:
  explicit TDateEdit(QWidget* parent = nullptr);
};

// Every date edit of the program takes the regional settings again.
void DateFormatChanged();

}  // namespace tooledit
