// TRxSpinEdit: value and text, typing rules, steps, leaving the field, and the button beside
// the text.
#include "controls/Rxspin.h"

#include <QApplication>
#include <QFontMetrics>

#include <cmath>

#include "gui/Cp1251.h"
#include "gui/NumberText.h"

using namespace gui;

namespace rxspin {

namespace {

// Nearest integer with halves to even, saturated to 64 bits.
int64_t roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return INT64_MAX;
  if (value <= -9.2e18) return INT64_MIN;
  return int64_t(std::nearbyint(value));
}

}  // namespace

TRxSpinEdit::TRxSpinEdit(QWidget* parent) : TCustomEdit(parent) {
  SetText("0");
  setGeometry(0, 0, 121, std::max(21, GetMinHeight()));
  recreateButton();
  resizeButton();
  setEditRect();
}

TRxSpinEdit::~TRxSpinEdit() {
  changing_ = true;
  delete button_;
  delete buttonWindow_;
  delete upDown_;
}

// --- value and text ---------------------------------------------------------------------------

double TRxSpinEdit::Value() const {
  if (valueType_ == vtFloat) {
    double value = 0;
    return TryStrToFloat(Text(), value) ? value : minValue_;
  }
  int value = 0;
  std::string text = valueType_ == vtHex ? "$" + Text() : Text();
  return TryStrToInt(text, value) ? value : std::trunc(minValue_);
}

void TRxSpinEdit::SetValue(double value) {
  double checked = CheckValue(value);
  switch (valueType_) {
    case vtFloat: SetText(FloatToStrF(checked, ffFixed, 15, decimal_)); break;
    case vtHex: SetText(IntToHex(roundHalfEven(checked), 1)); break;
    default: SetText(IntToStr(roundHalfEven(checked))); break;
  }
}

double TRxSpinEdit::CheckValue(double value) const {
  if (maxValue_ == minValue_) return value;
  if (value < minValue_) return minValue_;
  if (value > maxValue_) return maxValue_;
  return value;
}

// The value is read with the type it was typed in, then written in the new type.
void TRxSpinEdit::SetValueType(TValueType value) {
  if (value == valueType_) return;
  double current = Value();
  valueType_ = value;
  if (valueType_ == vtInt || valueType_ == vtHex) {
    increment_ = double(roundHalfEven(increment_));
    if (increment_ == 0) increment_ = 1;
  }
  SetValue(current);
}

void TRxSpinEdit::SetDecimal(uint8_t value) {
  if (value == decimal_) return;
  double current = Value();
  decimal_ = value;
  SetValue(current);
}

void TRxSpinEdit::Change() {
  if (!changing_) TCustomEdit::Change();
}

// --- properties of the edit -------------------------------------------------------------------

// The line edit itself refuses every edit (keys, shortcuts, paste, cut, drops, its menu) while
// the editor is locked; typed characters still come through KeyPress first to get their beep.
void TRxSpinEdit::SetEditorEnabled(bool value) {
  editorEnabled_ = value;
  UpdateEditable();
}

void TRxSpinEdit::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  applyAlignment();
}

// Qt mirrors left and right itself when the edit reads right to left.
void TRxSpinEdit::applyAlignment() {
  Qt::Alignment horizontal = alignment_ == taRightJustify ? Qt::AlignRight
                             : alignment_ == taCenter     ? Qt::AlignHCenter
                                                          : Qt::AlignLeft;
  setAlignment(horizontal | Qt::AlignVCenter);
}

void TRxSpinEdit::BorderChanged() {
  resizeButton();
  setEditRect();
}

// --- typing and keys --------------------------------------------------------------------------

bool TRxSpinEdit::IsValidChar(char key) const {
  auto c = static_cast<unsigned char>(key);
  // A locked editor takes no printable character, no backspace and no '.' (code 46).
  if (!editorEnabled_ && (c >= 32 || c == '\b' || c == 46)) return false;
  std::string allowed = "+-0123456789";
  std::string text = Text();
  if (valueType_ == vtFloat) {
    if (text.find('.') == std::string::npos) allowed += '.';
    if (AnsiUpperCase(text).find('E') == std::string::npos) allowed += "eE";
  } else if (valueType_ == vtHex) {
    allowed += "ABCDEFabcdef";
  }
  return (c != 0 && allowed.find(char(c)) != std::string::npos) || c < 32;
}

void TRxSpinEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  if (arrowKeys_ && (key == VK_UP || key == VK_DOWN)) {
    if (key == VK_UP) UpClick();
    else DownClick();
    key = 0;
  }
  // The Delete key types no character, so KeyPress never sees it: refuse it here.
  if (key == VK_DELETE && !editorEnabled_) {
    key = 0;
    Beep();
  }
}

void TRxSpinEdit::KeyPress(char& key) {
  if (!IsValidChar(key)) {
    key = 0;
    Beep();
    return;
  }
  TCustomEdit::KeyPress(key);
}

void TRxSpinEdit::Beep() { QApplication::beep(); }

// --- steps ------------------------------------------------------------------------------------

void TRxSpinEdit::UpClick() { step(increment_, OnTopClick); }

void TRxSpinEdit::DownClick() { step(-increment_, OnBottomClick); }

// The text is rewritten without change events; one follows when the text really changed.
void TRxSpinEdit::step(double delta, const TNotifyEvent& after) {
  if (ReadOnly()) {
    Beep();
    return;
  }
  std::string old = Text();
  bool saved = changing_;
  changing_ = true;
  try {
    SetValue(Value() + delta);
  } catch (...) {
    changing_ = saved;
    throw;
  }
  changing_ = saved;
  if (AnsiCompareText(Text(), old) != 0) {
    setModified(true);
    Change();
  }
  if (after) after(this);
}

// --- focus and mouse --------------------------------------------------------------------------

// Leaving clamps an out-of-range value; a value within range keeps its text as typed.
void TRxSpinEdit::DoExit() {
  TCustomEdit::DoExit();
  double value = Value();
  if (CheckValue(value) != value) SetValue(value);
}

// --- the button -------------------------------------------------------------------------------

void TRxSpinEdit::SetButtonKind(TSpinButtonKind value) {
  if (value == buttonKind_) return;
  buttonKind_ = value;
  recreateButton();
  resizeButton();
  setEditRect();
}

void TRxSpinEdit::SetArrowKeys(bool value) {
  arrowKeys_ = value;
  resizeButton();
}

void TRxSpinEdit::recreateButton() {
  delete button_;
  delete buttonWindow_;
  delete upDown_;
  button_ = nullptr;
  buttonWindow_ = nullptr;
  upDown_ = nullptr;
  if (buttonKind_ == bkDiagonal) {
    buttonWindow_ = new QWidget(this);
    buttonWindow_->setCursor(Qt::ArrowCursor);
    buttonWindow_->setGeometry(0, 0, height(), height());
    button_ = new TRxSpinButton(buttonWindow_);
    button_->SetFocusControl(this);
    button_->OnTopClick = [this](TControl*) { UpClick(); };
    button_->OnBottomClick = [this](TControl*) { DownClick(); };
    button_->SetBounds(0, 0, buttonWindow_->width(), buttonWindow_->height());
    button_->show();
    buttonWindow_->show();
  } else {
    upDown_ = new TRxUpDown(this);
    upDown_->setCursor(Qt::ArrowCursor);
    upDown_->setGeometry(0, 0, DefaultButtonWidth(), height());
    upDown_->OnClick = [this](gui::TUpDown*, TUDBtnType button) { upDownClick(button); };
    upDown_->show();
  }
}

void TRxSpinEdit::upDownClick(TUDBtnType button) {
  if (TabStop() && isVisible() && isEnabled()) setFocus(Qt::MouseFocusReason);
  if (button == btNext) UpClick();
  else DownClick();
}

// The diagonal button is square: Height - 3 inside a 3-D single border, else Height.
void TRxSpinEdit::resizeButton() {
  int inset = ClientInset();
  bool rtl = isRightToLeft();
  int w = width(), h = height();
  if (upDown_) {
    int bw = DefaultButtonWidth();
    int clientWidth = w - 2 * inset, clientHeight = std::max(h - 2 * inset, 0);
    upDown_->setGeometry(rtl ? inset : inset + clientWidth - bw, inset, bw, clientHeight);
  } else if (buttonWindow_) {
    QRect r = Ctl3D() && BorderStyle() == bsSingle ? QRect(rtl ? -1 : w - h - 1, -1, h - 3, h - 3)
                                                 : QRect(rtl ? 0 : w - h, 0, h, h);
    r.translate(inset, inset);
    buttonWindow_->setGeometry(r);
    button_->SetBounds(0, 0, r.width(), r.height());
  }
}

int TRxSpinEdit::GetButtonWidth() const {
  if (upDown_) return upDown_->width();
  if (button_) return button_->Width();
  return DefaultButtonWidth();
}

// The text stops short of the button.
void TRxSpinEdit::setEditRect() {
  int bw = GetButtonWidth();
  if (isRightToLeft()) setTextMargins(bw + 1, 0, 1, 0);
  else setTextMargins(0, 0, bw + 2, 0);
}

int TRxSpinEdit::GetMinHeight() const {
  constexpr int kBorderHeight = 1;
  return QFontMetrics(font()).height() + 4 * kBorderHeight + 1;
}

void TRxSpinEdit::resizeEvent(QResizeEvent* event) {
  TCustomEdit::resizeEvent(event);
  if (height() < GetMinHeight()) {
    resize(width(), GetMinHeight());
    return;
  }
  resizeButton();
  setEditRect();
}

void TRxSpinEdit::changeEvent(QEvent* event) {
  TCustomEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::LayoutDirectionChange) {
    resizeButton();
    setEditRect();
  }
}

}  // namespace rxspin
