// Curredit: numeric edits over the combo edit. TCustomNumEdit keeps a floating-point Value,
// filters keystrokes so that the text always reads as a number, clamps to a range and, while it
// does not have the focus, shows the value with a display format (thousand separators and at
// most two decimals by default). TRxCalcEdit adds the drop-down calculator; TCurrencyEdit is a
// variant without button in the regional currency format.
//
// Two texts alternate: the edit format while focused ("0.##" for two decimal places, no
// separators) and the display format painted while unfocused. Value is read back from the text
// when asked for, on exit and after a paste.
#pragma once

#include <memory>
#include <string>

#include "controls/Rxcalc.h"
#include "controls/Tooledit.h"

namespace curredit {

// The regional separators in use: the decimal point '.' and the locale's thousand separator.
char DecimalSeparator();
char ThousandSeparator();
// Thousand groups can be shown only when the separators differ (else "1.234" would read back
// as a fraction).
bool GroupingAllowed();

// The text as a number text: blanks at both ends and (while the separators differ) thousand
// separators removed, the other of '.' and ',' made the decimal separator; "" is "0" and "-"
// is "-0".
std::string TextToValText(const std::string& text);
// Every character a digit, a sign, 'E' or the decimal separator, and the whole text a number.
bool ParseNumberText(const std::string& text, double* value = nullptr);
// The integer digits of a number text grouped by three with the thousand separator (when
// thousands is set), the sign and the rest (fraction, exponent) kept.
std::string InsertThousandSeparators(const std::string& text, bool thousands);
// FormatFloat with the regional thousand separator in place of ',' (none while grouping is
// not allowed); quoted literals stay as they are.
std::string FormatNumber(const std::string& format, double value);

class TCustomNumEdit : public tooledit::TCustomComboEdit {
public:
  explicit TCustomNumEdit(QWidget* parent = nullptr);
  ~TCustomNumEdit() override;

  // Reads the text first (UpdateData); a text that is no number gives MinValue.
  double Value();
  // Clamped silently to the range, then the text rewritten.
  void SetValue(double value);
  int AsInteger() { return int(Value()); }
  void SetAsInteger(int value) { SetValue(value); }
  double MinValue() const { return minValue_; }
  void SetMinValue(double value);
  double MaxValue() const { return maxValue_; }
  void SetMaxValue(double value);
  // Digits allowed after the decimal separator while typing; the edit format's decimals.
  unsigned DecimalPlaces() const { return decimalPlaces_; }
  void SetDecimalPlaces(unsigned value);
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool value);
  // Leaving the edit with a value out of range raises the range error (keeping the focus).
  bool CheckOnExit() const { return checkOnExit_; }
  void SetCheckOnExit(bool value) { checkOnExit_ = value; }
  // A zero value shows an empty edit text.
  bool ZeroEmpty() const { return zeroEmpty_; }
  void SetZeroEmpty(bool value);
  // Thousand separators kept in the text while typing.
  bool FormatOnEditing() const { return formatOnEditing_; }
  void SetFormatOnEditing(bool value);
  const std::string& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const std::string& value);
  bool IsDisplayFormatStored() const { return displayFormat_ != DefaultDisplayFormat(); }
  // The alignment of the display text; the edit itself stays left-aligned unless
  // FormatOnEditing is on.
  gui::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(gui::TAlignment value);
  // On: the height follows the font.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  // The text: setting it reads it as a number (EConvertError for one that is not) and writes
  // the value back in the edit format; ignored while a layout is read.
  void SetText(const std::string& text) override;
  void Clear() { SetText(std::string()); }
  // The text of the value, all of it selected.
  void Reset();
  // Value from the text, clamped silently; EConvertError for a text that is no number.
  void UpdateData();
  // With CheckOnExit: ERangeError "Value must be between %.*f and %.*f" for a typed value out of
  // the range.
  void CheckRange();
  // Clamps to the range: with MinValue = MaxValue nothing; with MinValue > MaxValue only the
  // bound that is not 0. With raise set, a clamped value is the range error instead.
  double CheckValue(double value, bool raise) const;
  // The value in the display format (or the plain conversion when it is empty).
  virtual std::string GetDisplayText();
  virtual std::string DefaultDisplayFormat() const { return ",0.##"; }
  // Whether a typed character would leave a readable text within DecimalPlaces (and not
  // negative for a non-negative range).
  virtual bool IsValidChar(char key);
  // The paste of the clipboard's text, kept only when it reads as a number.
  void PasteText();

protected:
  std::shared_ptr<const gui::TBitmap> GetDefaultBitmap() override;
  void AcceptValue(const QVariant& value) override;
  // The calculator opens on the text read as a number (thousand groups and ',' included).
  void SetPopupValue(const QVariant& value) override;
  virtual void DataChanged();
  virtual void UpdatePopup();
  virtual void ReformatEditText();
  // MessageBeep(0).
  virtual void Beep();
  void Change() override;
  void KeyPress(char& key) override;
  void DoExit() override;

  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // The menu's Paste goes through PasteText too.
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void setFocused(bool value);
  void setEditText(const std::string& text);
  std::string shownText();
  void applyEditAlignment();

  gui::TAlignment alignment_ = gui::taRightJustify;
  bool focused_ = false;
  double value_ = 0;
  double minValue_ = 0;
  double maxValue_ = 0;
  unsigned decimalPlaces_ = 2;
  bool beepOnError_ = true;
  bool checkOnExit_ = false;
  bool zeroEmpty_ = true;
  bool formatOnEditing_ = false;
  bool formatting_ = false;
  bool autoSize_ = false;
  std::string displayFormat_;
};

// A numeric edit without button whose default display format follows the currency format.
class TCurrencyEdit : public TCustomNumEdit {
public:
  explicit TCurrencyEdit(QWidget* parent = nullptr);
  std::string DefaultDisplayFormat() const override;
};

// A numeric edit with the drop-down calculator.
class TRxCustomCalcEdit : public TCustomNumEdit {
public:
  explicit TRxCustomCalcEdit(QWidget* parent = nullptr);
  ~TRxCustomCalcEdit() override;
  rxcalc::TPopupCalculator* Calculator() const;
};

class TRxCalcEdit : public TRxCustomCalcEdit {
public:
  explicit TRxCalcEdit(QWidget* parent = nullptr) : TRxCustomCalcEdit(parent) {}
};

}  // namespace curredit
