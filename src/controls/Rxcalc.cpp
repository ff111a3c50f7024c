// TCalculatorPanel's engine: keys, the display and its number, memory-free operations, and
// the clipboard.
#include "controls/Rxcalc.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cctype>
#include <cmath>
#include <cstring>

#include "controls/Vclutils.h"
#include "controls/utils/Dateutil.h"
#include "controls/utils/Strutils.h"
#include "gui/Cp1251.h"
#include "gui/NumberText.h"

using namespace gui;

namespace rxcalc {

namespace {

constexpr char kEnter = '\r';
constexpr char kEscape = 27;
constexpr char kCtrlC = 3;
constexpr char kCtrlV = 22;

bool isOperator(char key) {
  return key == '+' || key == '-' || key == '*' || key == '/' || key == '%' || key == '=' ||
         key == kEnter;
}

}  // namespace

void TCalculatorPanel::Beep() { vclutils::Beep(); }

void TCalculatorPanel::ErrorBeep() {
  if (beepOnError_) Beep();
}

// --- the display ------------------------------------------------------------------------------

void TCalculatorPanel::setText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  ShownTextChanged();
}

void TCalculatorPanel::ShownTextChanged() {
  if (displayControl_) displayControl_->SetCaption(text_);
  if (OnShownTextChange) OnShownTextChange(this);
}

double TCalculatorPanel::GetDisplay() const {
  if (status_ == csError) return 0;
  double value = 0;
  return TryStrToFloat(text_, value) ? value : 0;
}

// A result that is no finite number would show a text that cannot be read back ("INF").
void TCalculatorPanel::ShowNumber(double value) {
  if (!std::isfinite(value)) {
    error();
    return;
  }
  std::string text = FloatToStrF(value, ffGeneral, std::max<int>(2, precision_), 0);
  if (text == text_) return;
  setText(text);
  if (OnDisplayChange) OnDisplayChange(this);
}

void TCalculatorPanel::Clear() {
  status_ = csFirst;
  ShowNumber(0);
  operator_ = '=';
}

void TCalculatorPanel::LoadValue(double value) {
  ShowNumber(std::isfinite(value) ? value : 0);
  status_ = csFirst;
  operator_ = '=';
}

void TCalculatorPanel::error() {
  status_ = csError;
  setText(kErrorText);
  ErrorBeep();
  if (OnCalcError) OnCalcError(this);
}

void TCalculatorPanel::CopyToClipboard() {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(FromCp1251(text_));
}

void TCalculatorPanel::PasteFromClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard || clipboard->text().isEmpty()) return;
  std::string text = ToCp1251(clipboard->text());
  const std::string& currency = dateutil::CurrentFormatSettings().currencyString;
  if (!currency.empty()) text = strutils::ReplaceStr(text, currency, "");
  double value = 0;
  if (TryStrToFloat(text, value)) ShowNumber(value);
  else setText("0");
}

// --- keys -------------------------------------------------------------------------------------

// The next digit starts a new number.
void TCalculatorPanel::checkFirst() {
  if (status_ != csFirst) return;
  status_ = csValid;
  setText("0");
}

void TCalculatorPanel::typeDigit(char key) {
  checkFirst();
  if (text_ == "0") setText("");
  if (text_.find('E') != std::string::npos) return;
  size_t limit = size_t(std::max<int>(2, precision_)) + (!text_.empty() && text_[0] == '-');
  if (text_.size() < limit) setText(text_ + key);
  else ErrorBeep();
}

// Not after an exponent either: "1E16." would read as no number.
void TCalculatorPanel::typeDecimal() {
  checkFirst();
  if (text_.find(kDecimalSeparator) == std::string::npos && text_.find('E') == std::string::npos) {
    setText(text_ + kDecimalSeparator);
  }
}

void TCalculatorPanel::backSpace() {
  checkFirst();
  if (text_.size() == 1 || (text_.size() == 2 && text_[0] == '-')) setText("0");
  else setText(text_.substr(0, text_.size() - 1));
}

void TCalculatorPanel::unaryKey(char key) {
  status_ = csFirst;
  double display = GetDisplay();
  if (key == 'Q') {
    if (display < 0) error();
    else ShowNumber(std::sqrt(display));
  } else {
    if (display == 0) error();
    else ShowNumber(1 / display);
  }
}

// The pending operation runs only when a number was typed since the last one; the key then
// becomes the pending operation and the display its left operand.
void TCalculatorPanel::operatorKey(char key) {
  if (status_ == csValid) {
    status_ = csFirst;
    double r = GetDisplay();
    if (key == '%') {
      if (operator_ == '+' || operator_ == '-') r = operand_ * r / 100;
      else if (operator_ == '*' || operator_ == '/') r = r / 100;
    }
    switch (operator_) {
      case '+': ShowNumber(operand_ + r); break;
      case '-': ShowNumber(operand_ - r); break;
      case '*': ShowNumber(operand_ * r); break;
      case '/':
        if (r == 0) error();
        else ShowNumber(operand_ / r);
        break;
      default: break;
    }
  }
  operator_ = key;
  operand_ = GetDisplay();
  if ((key == '%' || key == '=' || key == kEnter) && OnResultKey) OnResultKey(this);
}

void TCalculatorPanel::CalcKey(char key) {
  key = char(std::toupper(static_cast<unsigned char>(key)));
  if (status_ == csError && key != 'C') key = 0;
  if (OnCalcKey) OnCalcKey(this, key);
  if (key == 0) return;
  if (key == kDecimalSeparator || key == '.' || key == ',') typeDecimal();
  else if (key >= '0' && key <= '9') typeDigit(key);
  else if (key == '\b') backSpace();
  else if (key == '_') ShowNumber(-GetDisplay());
  else if (key == 'Q' || key == 'R') unaryKey(key);
  else if (isOperator(key)) operatorKey(key);
  else if (key == 'C' || key == kEscape) Clear();
  else if (key == kCtrlC) CopyToClipboard();
  else if (key == kCtrlV) PasteFromClipboard();
}

// --- typed characters -------------------------------------------------------------------------

TCalcButton* TCalculatorPanel::FindButton(char key) const {
  if (key == kDecimalSeparator || key == ',') key = '.';
  else if (key == kEnter) key = '=';
  else if (key == kEscape) key = 'C';
  key = char(std::toupper(static_cast<unsigned char>(key)));
  if (key == 0) return nullptr;
  const char* at = std::strchr(kKeyChars, key);
  if (!at) return nullptr;
  int tag = int(at - kKeyChars);
  for (TCalcButton* button : buttons_) {
    if (button->Tag() == tag) return button;
  }
  return nullptr;
}

void TCalculatorPanel::CalcKeyPress(char key) {
  if (TCalcButton* button = FindButton(key)) button->ButtonClick();
  else CalcKey(key);
}

void TCalculatorPanel::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (key == 0) return;
  CalcKeyPress(key);
  key = 0;
}

}  // namespace rxcalc
