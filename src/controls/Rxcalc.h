// Rxcalc: a four-function pocket calculator. TCalculatorPanel is the engine with its keypad, in
// two layouts: the dialog's (with memory keys, square root, percent and reciprocal) and the
// drop-down's. TPopupCalculator is the drop-down that every calculator edit owns; the modal
// calculator dialog (TRxCalculator, TRxCalculatorForm) is in RxcalcDialog.h.
//
// The engine works strictly from left to right without precedence: 2 + 3 * 4 = shows 20. A
// division by zero, the root of a negative number, the reciprocal of zero and any result that
// is no finite number show "Error" and lock the keys until 'C'.
#pragma once

#include <QVariant>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/RxSpeedButton.h"
#include "controls/TooleditPopup.h"
#include "gui/Controls.h"

namespace rxcalc {

// The decimal separator of every number text (the program sets '.' before anything is read).
inline constexpr char kDecimalSeparator = '.';
// The characters the keys send, by a key's Tag: digits, change sign, decimal separator, the
// four operations, root, percent, reciprocal, equals, back space and clear.
inline constexpr char kKeyChars[] = "0123456789_./*-+Q%R=\bC";
inline constexpr char kErrorText[] = "Error";

enum TRxCalcState { csFirst, csValid, csError };
// 0: the dialog's keypad (240 x 129); 1: the drop-down's (98 x 124).
enum TCalcPanelLayout { clDialog = 0, clPopup = 1 };

// Key kinds: 1..10 the digits, then the named ones.
enum TCalcKeyKind : uint8_t {
  ckSign = 11, ckDecimal, ckDiv, ckMul, ckSub, ckAdd, ckSqrt, ckPercent, ckRev, ckEquals,
  ckBackspace, ckClear, ckMP, ckMS, ckMR, ckMC, ckOk, ckCancel,
};

// One key of the keypad. Tag is KeyKind - 1 for the keys that send a character (kinds 1..22),
// else -1. It keeps its parent's font in its kind's colour.
class TCalcButton : public rxctrls::TRxSpeedButton {
public:
  TCalcButton(QWidget* parent, uint8_t kind);

  uint8_t KeyKind() const { return kind_; }
  int Tag() const { return kind_ >= 1 && kind_ <= ckClear ? kind_ - 1 : -1; }
  // The parent's font in the colour of the kind: navy for the memory, root, percent and
  // reciprocal keys, purple for the operations and equals, maroon for back space and clear.
  void ParentFontChanged(const gui::TFont& parentFont);
  static gui::TColor KindColor(uint8_t kind);

private:
  uint8_t kind_;
};

class TCalculatorPanel : public gui::TCustomControl {
public:
  using TNotifyEvent = std::function<void(TCalculatorPanel*)>;
  using TCalcKeyEvent = std::function<void(TCalculatorPanel*, char& key)>;

  TCalculatorPanel(QWidget* parent, TCalcPanelLayout layout);

  // The engine (Rxcalc.cpp). A key: digits, the decimal separator ('.' and ',' too), '_' change
  // sign, 'Q' root, 'R' reciprocal, + - * / % = and Enter, back space, 'C' and Esc clear,
  // Ctrl+C (3) copy, Ctrl+V (22) paste. Letters in either case.
  void CalcKey(char key);
  // The display as a number: 0 in the error state.
  double GetDisplay() const;
  // The value in the general format of Precision digits; a value that is no finite number is
  // an error. OnDisplayChange fires when the text changes.
  void ShowNumber(double value);
  // Status csFirst, display 0, no pending operation.
  void Clear();
  void CopyToClipboard();
  void PasteFromClipboard();
  // Shows value as a loaded number: the next digit starts a new one and the first operation
  // takes it as its left operand.
  void LoadValue(double value);

  // A typed character: it presses its key when there is one (Enter as '=', Esc as 'C', ','
  // and '.' as the decimal key), else it goes straight to CalcKey.
  void CalcKeyPress(char key);
  TCalcButton* FindButton(char key) const;
  TCalcButton* ButtonOfKind(uint8_t kind) const;
  const std::vector<TCalcButton*>& Buttons() const { return buttons_; }

  const std::string& DisplayText() const { return text_; }
  TRxCalcState Status() const { return status_; }
  char Operator() const { return operator_; }
  double Operand() const { return operand_; }
  double Memory() const { return memory_; }
  void SetMemory(double value);
  uint8_t Precision() const { return precision_; }
  void SetPrecision(uint8_t value) { precision_ = value; }
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool value) { beepOnError_ = value; }
  TCalcPanelLayout PanelLayout() const { return layout_; }
  // The dialog's keys in the 3-D or the flat style, and the memory panel's frame with them.
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  // The memory mark of the dialog layout ("M" while Memory is not 0); nullptr in the drop-down.
  gui::TControl* MemoryLabel() const { return memoryLabel_; }
  // A beep, when BeepOnError is set.
  void ErrorBeep();
  // A control whose caption follows the display text (the dialog's display).
  void SetDisplayControl(gui::TControl* control) { displayControl_ = control; }

  TNotifyEvent OnCalcError;
  TNotifyEvent OnOkKey;
  TNotifyEvent OnCancelKey;
  TNotifyEvent OnResultKey;
  TNotifyEvent OnShownTextChange;
  TCalcKeyEvent OnCalcKey;
  TNotifyEvent OnDisplayChange;

protected:
  // The display control and OnShownTextChange.
  virtual void ShownTextChanged();
  // MessageBeep(0).
  virtual void Beep();
  void Paint() override;
  void KeyPress(char& key) override;
  void FontChanged() override;

private:
  // Keypad (RxcalcPanel.cpp).
  void createKeys();
  void createMemoryPanel();
  TCalcButton* addKey(uint8_t kind, int left, int top);
  void buttonClicked(TCalcButton* button);
  void memoryKey(uint8_t kind);
  void okKey();
  void updateMemoryLabel();
  // Engine (Rxcalc.cpp).
  void setText(const std::string& text);
  void checkFirst();
  void error();
  void typeDigit(char key);
  void typeDecimal();
  void backSpace();
  void unaryKey(char key);
  void operatorKey(char key);

  TCalcPanelLayout layout_;
  std::string text_ = "0";
  TRxCalcState status_ = csFirst;
  char operator_ = '=';
  double operand_ = 0;
  double memory_ = 0;
  uint8_t precision_ = 15;
  bool beepOnError_ = true;
  bool ctl3D_ = true;
  QWidget* memoryPanel_ = nullptr;
  gui::TControl* memoryLabel_ = nullptr;
  gui::TControl* displayControl_ = nullptr;
  std::vector<TCalcButton*> buttons_;
};

// The drop-down's keypad: it never takes the focus (the edit keeps it) and draws a raised
// bevel.
class TLocCalculator : public TCalculatorPanel {
public:
  explicit TLocCalculator(QWidget* parent);

protected:
  void Paint() override;
};

// The drop-down calculator of the calculator edits: 104 x 127, the keypad filling it.
class TPopupCalculator : public tooledit::TPopupWindow {
public:
  explicit TPopupCalculator(QWidget* owner);

  // The display as a number (a double); in the error state a beep and 0.
  QVariant GetValue() override;
  // A number or a text; null, empty or unreadable values show 0. The next digit starts a new
  // number.
  void SetValue(const QVariant& value) override;
  // The display text, which the edit shows while the drop-down is open.
  std::string GetPopupText() override;
  // Keys forwarded by the edit go to the keypad.
  void KeyPress(char& key) override;

  TLocCalculator* Panel() const { return panel_; }

private:
  TLocCalculator* panel_;
};

// A drop-down calculator for owner, scaled for screens not at 96 pixels per inch.
TPopupCalculator* CreatePopupCalculator(QWidget* owner, Qt::LayoutDirection direction);
// Precision (at least 2) and BeepOnError of a drop-down calculator's keypad.
void SetupPopupCalculator(tooledit::TPopupWindow* popup, uint8_t precision, bool beepOnError);

}  // namespace rxcalc

#include "controls/RxcalcDialog.h"
