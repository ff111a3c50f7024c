// TCustomDateEdit and TDateEdit: format and mask, reading and writing the date, keys, the exit
// check, and the value exchange with the drop-down calendar.
#include "controls/TooleditDate.h"

#include <QApplication>
#include <QEvent>

#include <cmath>
#include <cstring>

#include "controls/Pickdate.h"
#include "gui/Cp1251.h"
#include "gui/Exceptions.h"

using namespace gui;
using namespace dateutil;

namespace tooledit {

namespace {

constexpr int kMaxHints = 4;

}  // namespace

TCustomDateEdit::TCustomDateEdit(QWidget* parent) : TCustomComboEdit(parent) {
  SetDefaultGlyphCount(2);
  calendarHints_.OnChange = [this] {
    while (calendarHints_.Count() > kMaxHints) calendarHints_.Delete(calendarHints_.Count() - 1);
    UpdatePopup();
  };
  dateFormat_ = DefDateFormat(fourDigitYear());
  createPopup();
  SetGlyphKind(gkDefault);
}

TCustomDateEdit::~TCustomDateEdit() {
  calendarHints_.OnChange = nullptr;
  delete Popup();
}

TDateEdit::TDateEdit(QWidget* parent) : TCustomDateEdit(parent) { UpdateMask(); }

// The glyph of every date edit: one bitmap shared by all.
std::shared_ptr<const TBitmap> TCustomDateEdit::GetDefaultBitmap() {
  return BuiltinGlyph("DEDITBMP");
}

void TCustomDateEdit::createPopup() {
  pickdate::TPopupCalendar* popup = pickdate::CreatePopupCalendar(this, layoutDirection());
  popup->SetColor(popupColor_);
  SetPopup(popup);
  UpdatePopup();
}

// --- format, mask and date --------------------------------------------------------------------

bool TCustomDateEdit::fourDigitYear() const {
  return yearDigits_ == dyFour || (yearDigits_ == dyDefault && FourDigitYear());
}

void TCustomDateEdit::UpdateMask() {
  TDateTime date = GetDate();
  std::string oldFormat = dateFormat_;
  dateFormat_ = DefDateFormat(fourDigitYear());
  std::string mask = DefDateMask(blanksChar_, fourDigitYear());
  if (mask != EditMask() || dateFormat_ != oldFormat) {
    SetEditMask(std::string());
    SetEditMask(mask);
  }
  UpdatePopup();
  SetDate(date);
}

TDateTime TCustomDateEdit::defaultDate() const { return defaultToday_ ? Today() : NullDate; }

TDateTime TCustomDateEdit::GetDate() {
  return StrToDateFmtDef(dateFormat_, Text(), defaultDate());
}

void TCustomDateEdit::SetDate(TDateTime value) {
  if (!ValidDate(value) || value == NullDate) value = defaultDate();
  TDateTime old = GetDate();
  SetText(value == NullDate ? std::string() : FormatDateTime(dateFormat_, value));
  SetModified(GetDate() != old);
}

void TCustomDateEdit::ApplyDate(TDateTime value) {
  SetDate(value);
  SelectAll();
}

// The regional settings changed: a new format and mask (the class library hears of it from
// the application's main window).
void TCustomDateEdit::changeEvent(QEvent* event) {
  TCustomComboEdit::changeEvent(event);
  if (event->type() == QEvent::LocaleChange) UpdateMask();
}

void DateFormatChanged() {
  for (QWidget* widget : QApplication::allWidgets()) {
    if (auto* edit = dynamic_cast<TCustomDateEdit*>(widget)) edit->UpdateMask();
  }
}

// --- properties -------------------------------------------------------------------------------

void TCustomDateEdit::SetBlanksChar(char value) {
  if (value == blanksChar_) return;
  blanksChar_ = static_cast<unsigned char>(value) < 32 ? ' ' : value;
  UpdateMask();
}

void TCustomDateEdit::SetYearDigits(TYearDigits value) {
  if (value == yearDigits_) return;
  yearDigits_ = value;
  UpdateMask();
}

void TCustomDateEdit::SetStartOfWeek(TDayOfWeekName value) {
  if (value == startOfWeek_) return;
  startOfWeek_ = value;
  UpdatePopup();
}

void TCustomDateEdit::SetWeekends(TDaysOfWeek value) {
  if (value == weekends_) return;
  weekends_ = value;
  UpdatePopup();
}

void TCustomDateEdit::SetWeekendColor(TColor value) {
  if (value == weekendColor_) return;
  weekendColor_ = value;
  UpdatePopup();
}

TColor TCustomDateEdit::PopupColor() const { return Popup() ? Popup()->Color() : popupColor_; }

void TCustomDateEdit::SetPopupColor(TColor value) {
  popupColor_ = value;
  if (Popup()) Popup()->SetColor(value);
}

void TCustomDateEdit::SetCalendarStyle(TCalendarStyle value) {
  if (value == CalendarStyle()) return;
  if (value == csPopup) {
    createPopup();
    return;
  }
  TPopupWindow* popup = Popup();
  SetPopup(nullptr);
  delete popup;
}

void TCustomDateEdit::UpdatePopup() {
  if (Popup()) {
    pickdate::SetupPopupCalendar(Popup(), startOfWeek_, weekends_, weekendColor_, &calendarHints_,
                                 fourDigitYear());
  }
}

// --- keys -------------------------------------------------------------------------------------

// While the calendar is open its keys go to it; otherwise keypad plus and minus step a day from
// the date shown (from now when the field is empty).
void TCustomDateEdit::KeyDown(uint16_t& key, TShiftState shift) {
  bool calendarKey = key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_UP ||
                     key == VK_RIGHT || key == VK_DOWN || key == VK_ADD || key == VK_SUBTRACT;
  if (calendarKey && PopupVisible() && !(shift & ssAlt)) {
    static_cast<pickdate::TPopupCalendar*>(Popup())->KeyDown(key, shift);
    key = 0;
    return;
  }
  if ((key == VK_ADD || key == VK_SUBTRACT) && !(shift & (ssShift | ssCtrl | ssAlt)) &&
      DirectInput()) {
    TDateTime date = GetDate();
    if (date == NullDate) date = Now();
    ApplyDate(date + (key == VK_ADD ? 1 : -1));
    key = 0;
    return;
  }
  TCustomComboEdit::KeyDown(key, shift);
}

// '+' and '-' never reach the text; 'T' sets today.
void TCustomDateEdit::KeyPress(char& key) {
  bool dateKey = key != 0 && std::strchr("+-Tt", key) != nullptr;
  if (dateKey && PopupVisible()) {
    static_cast<pickdate::TPopupCalendar*>(Popup())->KeyPress(key);
    key = 0;
    return;
  }
  if (dateKey && DirectInput()) {
    if (key == 'T' || key == 't') ApplyDate(Today());
    key = 0;
    return;
  }
  TCustomComboEdit::KeyPress(key);
}

// --- exit check -------------------------------------------------------------------------------

void TCustomDateEdit::Change() {
  if (!formatting_) TCustomComboEdit::Change();
}

void TCustomDateEdit::DoExit() {
  TCustomComboEdit::DoExit();
  if (checkOnExit_) CheckValidDate();
}

// Only a text with something typed is checked: blanks, the blank character and separators
// alone are the empty date.
void TCustomDateEdit::CheckValidDate() {
  const char separator = CurrentFormatSettings().dateSeparator;
  std::string text = Text();
  bool typed = false;
  for (char c : text) typed |= c != 0 && c != ' ' && c != blanksChar_ && c != separator;
  if (!typed) return;
  formatting_ = true;
  try {
    SetDate(StrToDateFmt(dateFormat_, text));
  } catch (const dateutil::EConvertError& e) {
    formatting_ = false;
    if (CanFocus()) SetFocus();
    throw gui::EConvertError(e.what());
  }
  formatting_ = false;
}

// --- the drop-down ----------------------------------------------------------------------------

TDateTime TCustomDateEdit::dateOf(const QVariant& value, TDateTime fallback) const {
  if (value.typeId() == QMetaType::Double) return value.toDouble();
  return StrToDateFmtDef(dateFormat_, ToCp1251(value.toString()), fallback);
}

void TCustomDateEdit::SetPopupValue(const QVariant& value) {
  TCustomComboEdit::SetPopupValue(QVariant(dateOf(value, Today())));
}

bool TCustomDateEdit::AcceptPopup(QVariant& value) {
  if (!OnAcceptDate) return true;
  TDateTime date = NullDate;
  if (!value.isNull() && !value.toString().isEmpty()) date = dateOf(value, defaultDate());
  bool action = true;
  OnAcceptDate(this, date, action);
  if (action) value = QVariant(date);
  return action;
}

// The text changes while the calendar still counts as shown, so OnChange fires once here, and
// only for a date that differs.
void TCustomDateEdit::AcceptValue(const QVariant& value) {
  SetDate(dateOf(value, defaultDate()));
  UpdatePopupVisible();
  if (Modified()) Change();
}

void TCustomDateEdit::ButtonClick() {
  TCustomComboEdit::ButtonClick();
  if (CalendarStyle() != csDialog) return;
  TDateTime date = GetDate();
  bool picked = pickdate::SelectDate(date, dialogTitle_, startOfWeek_, weekends_, weekendColor_,
                                     &calendarHints_);
  if (CanFocus()) SetFocus();
  if (!picked) return;
  bool action = true;
  if (OnAcceptDate) OnAcceptDate(this, date, action);
  if (!action) return;
  SetDate(date);
  if (hasFocus()) SelectAll();
}

}  // namespace tooledit
