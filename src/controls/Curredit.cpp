// TCustomNumEdit and the calculator edit: value and range, the two text forms, keys, focus,
// paste and painting.
#include "controls/Curredit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include <cmath>
#include <cstring>

#include "controls/Vclutils.h"
#include "gui/BuiltinBitmaps.h"
#include "gui/Cp1251.h"
#include "gui/Exceptions.h"
#include "gui/NumberText.h"

using namespace gui;

// The resources live in a static library: registering them needs a reference from its code.
static void initCurreditResources() { Q_INIT_RESOURCE(controls_curredit); }

namespace curredit {

namespace {

constexpr char kEscape = 27;

// The keys an open calculator takes (letters in either case), the thousand separator aside.
bool isCalculatorKey(char key) {
  if (key == 0 || key == ThousandSeparator()) return false;
  if (key == DecimalSeparator()) return true;
  return std::strchr("\b\r%*+,-./0123456789=CcQqRr_", key) != nullptr;
}

bool focusFromWindow(const QFocusEvent* event) {
  return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

}  // namespace

TCustomNumEdit::TCustomNumEdit(QWidget* parent) : TCustomComboEdit(parent) {
  SetMaxLength(0);
  displayFormat_ = DefaultDisplayFormat();
  setEditText(std::string());
  TCustomComboEdit::SetAlignment(taLeftJustify);
  SetDefaultGlyphCount(2);
  DataChanged();
  SetGlyphKind(tooledit::gkDefault);
  SetButtonWidth(20);
}

TCustomNumEdit::~TCustomNumEdit() = default;

std::shared_ptr<const TBitmap> TCustomNumEdit::GetDefaultBitmap() {
  static const bool registered = (initCurreditResources(), true);
  (void)registered;
  return LoadBuiltinBitmap("CEDITBMP");
}

// --- value and range --------------------------------------------------------------------------

double TCustomNumEdit::Value() {
  try {
    UpdateData();
  } catch (const Exception&) {
    value_ = minValue_;
  }
  return value_;
}

void TCustomNumEdit::SetValue(double value) {
  value_ = CheckValue(value, false);
  DataChanged();
  update();
}

void TCustomNumEdit::SetMinValue(double value) {
  if (value == minValue_) return;
  minValue_ = value;
  SetValue(Value());
}

void TCustomNumEdit::SetMaxValue(double value) {
  if (value == maxValue_) return;
  maxValue_ = value;
  SetValue(Value());
}

double TCustomNumEdit::CheckValue(double value, bool raise) const {
  double result = value;
  if (maxValue_ != minValue_) {
    if (minValue_ > maxValue_) {
      if (maxValue_ == 0 && value < minValue_) result = minValue_;
      else if (minValue_ == 0 && value > maxValue_) result = maxValue_;
    } else if (value < minValue_) {
      result = minValue_;
    } else if (value > maxValue_) {
      result = maxValue_;
    }
  }
  if (raise && result != value) {
    int places = int(decimalPlaces_);
    throw ERangeError(FormatText("Value must be between %.*f and %.*f", places, minValue_, places,
                                 maxValue_));
  }
  return result;
}

void TCustomNumEdit::UpdateData() {
  value_ = CheckValue(StrToFloat(TextToValText(Text())), false);
}

void TCustomNumEdit::CheckRange() {
  if (checkOnExit_) CheckValue(StrToFloat(TextToValText(Text())), true);
}

// --- properties -------------------------------------------------------------------------------

void TCustomNumEdit::SetDecimalPlaces(unsigned value) {
  if (value == decimalPlaces_) return;
  decimalPlaces_ = value;
  DataChanged();
  update();
}

void TCustomNumEdit::SetBeepOnError(bool value) {
  if (value == beepOnError_) return;
  beepOnError_ = value;
  UpdatePopup();
}

void TCustomNumEdit::SetZeroEmpty(bool value) {
  if (value == zeroEmpty_) return;
  zeroEmpty_ = value;
  DataChanged();
}

void TCustomNumEdit::SetDisplayFormat(const std::string& value) {
  if (value == displayFormat_) return;
  displayFormat_ = value;
  update();
  DataChanged();
}

void TCustomNumEdit::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  applyEditAlignment();
  update();
}

void TCustomNumEdit::applyEditAlignment() {
  TCustomComboEdit::SetAlignment(formatOnEditing_ ? alignment_ : taLeftJustify);
}

void TCustomNumEdit::SetFormatOnEditing(bool value) {
  if (value == formatOnEditing_) return;
  formatOnEditing_ = value;
  applyEditAlignment();
  if (!focused_) return;
  if (formatOnEditing_) {
    ReformatEditText();
  } else {
    UpdateData();
    DataChanged();
  }
}

void TCustomNumEdit::SetAutoSize(bool value) {
  autoSize_ = value;
  if (autoSize_) resize(width(), GetMinHeight());
}

void TCustomNumEdit::UpdatePopup() {
  if (Popup()) rxcalc::SetupPopupCalculator(Popup(), 15, beepOnError_);
}

void TCustomNumEdit::Beep() { vclutils::Beep(); }

// --- the two text forms -----------------------------------------------------------------------

void TCustomNumEdit::setEditText(const std::string& text) { TCustomMaskEdit::SetText(text); }

void TCustomNumEdit::SetText(const std::string& text) {
  if (Loading()) return;
  value_ = CheckValue(StrToFloat(TextToValText(text)), false);
  DataChanged();
  update();
}

// The edit format: "0", then '.' and one '#' per decimal place; a zero with ZeroEmpty is empty.
void TCustomNumEdit::DataChanged() {
  std::string format = "0";
  if (decimalPlaces_ > 0) format += "." + std::string(std::min(decimalPlaces_, 18u), '#');
  if (value_ == 0 && zeroEmpty_) setEditText(std::string());
  else setEditText(FormatFloat(format, value_));
}

std::string TCustomNumEdit::GetDisplayText() {
  if (displayFormat_.empty()) return FloatToStr(value_);
  return FormatNumber(displayFormat_, value_);
}

void TCustomNumEdit::Reset() {
  DataChanged();
  SelectAll();
}

void TCustomNumEdit::setFocused(bool value) {
  if (value == focused_) return;
  focused_ = value;
  update();
  formatting_ = true;
  DataChanged();
  formatting_ = false;
}

// Regroups the integer part as the user types (FormatOnEditing); the caret keeps its distance
// from the end. No groups while the thousand separator is the decimal point.
void TCustomNumEdit::ReformatEditText() {
  formatting_ = true;
  std::string text = Text();
  int fromEnd = int(text.size()) - cursorPosition();
  if (!text.empty() && text != "-") text = TextToValText(text);
  bool thousands = displayFormat_.find(',') != std::string::npos && GroupingAllowed();
  text = InsertThousandSeparators(text, thousands);
  setEditText(text);
  if (hasFocus()) setCursorPosition(std::max(0, int(text.size()) - fromEnd));
  formatting_ = false;
}

void TCustomNumEdit::Change() {
  if (formatting_) return;
  if (formatOnEditing_ && focused_) ReformatEditText();
  TCustomComboEdit::Change();
}

void TCustomNumEdit::SetPopupValue(const QVariant& value) {
  if (value.isNull() || value.typeId() != QMetaType::QString) {
    TCustomComboEdit::SetPopupValue(value);
    return;
  }
  double number = 0;
  ParseNumberText(TextToValText(ToCp1251(value.toString())), &number);
  TCustomComboEdit::SetPopupValue(QVariant(number));
}

// The calculator's value as the edit's text (a number in the general format).
void TCustomNumEdit::AcceptValue(const QVariant& value) {
  std::string text = value.typeId() == QMetaType::Double ? FloatToStr(value.toDouble())
                                                         : ToCp1251(value.toString());
  if (Text() == text) return;
  setEditText(text);
  SetModified(true);
  UpdatePopupVisible();
  DoChange();
}

// --- keys -------------------------------------------------------------------------------------

bool TCustomNumEdit::IsValidChar(char key) {
  std::string text = Text();
  int start = hasSelectedText() ? selectionStart() : cursorPosition();
  int length = hasSelectedText() ? int(selectedText().size()) : 0;
  start = std::clamp(start, 0, int(text.size()));
  text.replace(size_t(start), size_t(std::min<int>(length, int(text.size()) - start)), 1, key);
  text = TextToValText(text);
  size_t point = text.find(DecimalSeparator());
  if (point != std::string::npos) {
    size_t exponent = text.find_first_of("Ee", point + 1);
    size_t decimals = exponent != std::string::npos ? exponent - point : text.size() - point - 1;
    if (decimals > decimalPlaces_) return false;
  }
  double number = 0;
  if (!ParseNumberText(text, &number)) return false;
  return !(minValue_ >= 0 && maxValue_ > 0 && std::signbit(number));
}

// Escape (with no calculator open) writes the value back and still reaches the form, whose
// cancel button acts.
void TCustomNumEdit::KeyPress(char& key) {
  if (PopupVisible() && isCalculatorKey(key)) {
    static_cast<rxcalc::TPopupCalculator*>(Popup())->KeyPress(key);
    key = 0;
    return;
  }
  if ((key == '.' || key == ',') && key != ThousandSeparator()) key = DecimalSeparator();
  TCustomComboEdit::KeyPress(key);
  if (static_cast<unsigned char>(key) >= 32 && !IsValidChar(key)) {
    if (beepOnError_) Beep();
    key = 0;
  } else if (key == kEscape) {
    Reset();
  }
}

void TCustomNumEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteText();
    event->accept();
    return;
  }
  TCustomComboEdit::keyPressEvent(event);
}

// --- paste ------------------------------------------------------------------------------------

void TCustomNumEdit::PasteText() {
  std::string old = Text();
  paste();
  try {
    UpdateData();
  } catch (const Exception&) {
    setEditText(old);
    SelectAll();
    if (CanFocus()) SetFocus();
    if (beepOnError_) Beep();
  }
}

void TCustomNumEdit::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(createStandardContextMenu());
  for (QAction* action : menu->actions()) {
    if (action->objectName() != QStringLiteral("edit-paste")) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, [this] { PasteText(); });
  }
  menu->exec(event->globalPos());
}

// --- focus ------------------------------------------------------------------------------------

// The window's own activation counts only as the first entry (the first focus of a window shown
// anew); coming back to an active window is no new entry.
void TCustomNumEdit::focusInEvent(QFocusEvent* event) {
  if (!focusFromWindow(event) || !focused_) {
    setFocused(true);
    if (formatOnEditing_) ReformatEditText();
  }
  TCustomComboEdit::focusInEvent(event);
}

// A text that is no number, or one out of range with CheckOnExit, keeps the focus: all of it
// selected, the error raised again for the application to show.
void TCustomNumEdit::DoExit() {
  try {
    CheckRange();
    UpdateData();
  } catch (...) {
    SelectAll();
    if (CanFocus()) SetFocus();
    throw;
  }
  setFocused(false);
  setCursorPosition(0);
  TCustomComboEdit::DoExit();
}

// --- painting ---------------------------------------------------------------------------------

std::string TCustomNumEdit::shownText() {
  if (PopupVisible()) return Popup()->GetPopupText();
  return GetDisplayText();
}

// Focused (and without the calculator) the edit paints itself; otherwise the display text is
// drawn over its text area.
void TCustomNumEdit::paintEvent(QPaintEvent* event) {
  TCustomComboEdit::paintEvent(event);
  if (focused_ && !PopupVisible()) return;
  QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
  buffer.fill(Qt::transparent);
  TCanvas canvas(&buffer);
  if (!tooledit::PaintComboEdit(*this, shownText(), alignment_, false, false, canvas)) return;
  QPainter painter(this);
  painter.drawImage(0, 0, buffer);
}

void TCustomNumEdit::changeEvent(QEvent* event) {
  TCustomComboEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange) update();
}

// --- the calculator edit ----------------------------------------------------------------------

TRxCustomCalcEdit::TRxCustomCalcEdit(QWidget* parent) : TCustomNumEdit(parent) {
  rxcalc::TPopupCalculator* popup = rxcalc::CreatePopupCalculator(this, layoutDirection());
  SetPopup(popup);
  UpdatePopup();
}

TRxCustomCalcEdit::~TRxCustomCalcEdit() {
  tooledit::TPopupWindow* popup = Popup();
  SetPopup(nullptr);
  delete popup;
}

rxcalc::TPopupCalculator* TRxCustomCalcEdit::Calculator() const {
  return static_cast<rxcalc::TPopupCalculator*>(Popup());
}

}  // namespace curredit
