// TRxSpinEdit: a one-line numeric edit with a spin button at its side. The arrow keys and the
// button step Value by Increment, typing is limited to characters that can form a number of
// the value type (integer, floating point or hexadecimal), and leaving the field clamps the
// value to MinValue..MaxValue.
#pragma once

#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/RxspinButton.h"
#include "gui/Colors.h"
#include "gui/Controls.h"
#include "gui/CustomEdit.h"
#include "gui/Font.h"
#include "gui/VirtualKeys.h"

namespace rxspin {

using gui::TBorderStyle;
using gui::bsNone;
using gui::bsSingle;

class TRxSpinEdit : public gui::TCustomEdit {
public:
  using TNotifyEvent = gui::TCustomEdit::TNotifyEvent;

  explicit TRxSpinEdit(QWidget* parent = nullptr);
  ~TRxSpinEdit() override;

  // Parsed from the text at each read; a text that does not convert reads as MinValue (its
  // integer part for vtInt and vtHex).
  double Value() const;
  // Clamped by CheckValue and written as text in the value type's form.
  void SetValue(double value);
  int AsInteger() const { return int(Value()); }
  void SetAsInteger(int value) { SetValue(value); }
  // MinValue..MaxValue, or v unchanged when the two are equal.
  double CheckValue(double value) const;

  double MinValue() const { return minValue_; }
  void SetMinValue(double value) { minValue_ = value; }
  double MaxValue() const { return maxValue_; }
  void SetMaxValue(double value) { maxValue_ = value; }
  double Increment() const { return increment_; }
  void SetIncrement(double value) { increment_ = value; }
  uint8_t Decimal() const { return decimal_; }
  void SetDecimal(uint8_t value);
  TValueType ValueType() const { return valueType_; }
  void SetValueType(TValueType value);
  bool EditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool value);
  TSpinButtonKind ButtonKind() const { return buttonKind_; }
  void SetButtonKind(TSpinButtonKind value);
  bool ArrowKeys() const { return arrowKeys_; }
  void SetArrowKeys(bool value);
  gui::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(gui::TAlignment value);

  // One step up or down, as the buttons and the arrow keys do it.
  virtual void UpClick();
  virtual void DownClick();

  // The current button: the diagonal one (with the window that holds it) or the up-down.
  TRxSpinButton* Button() const { return button_; }
  QWidget* ButtonWindow() const { return buttonWindow_; }
  TRxUpDown* UpDown() const { return upDown_; }
  int GetButtonWidth() const;
  int GetMinHeight() const;

  TNotifyEvent OnTopClick;
  TNotifyEvent OnBottomClick;

protected:
  virtual bool IsValidChar(char key) const;
  void Change() override;
  void KeyDown(uint16_t& key, gui::TShiftState shift) override;
  void KeyPress(char& key) override;
  // Leaving clamps an out-of-range value.
  void DoExit() override;
  void BorderChanged() override;
  // The line edit refuses every edit while read-only or while the editor is locked.
  bool EditLocked() const override { return ReadOnly() || !editorEnabled_; }
  // The system's default beep.
  virtual void Beep();

  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void step(double delta, const TNotifyEvent& after);
  void upDownClick(TUDBtnType button);
  void recreateButton();
  void resizeButton();
  void setEditRect();
  void applyAlignment();

  gui::TAlignment alignment_ = gui::taLeftJustify;
  double minValue_ = 0.0;
  double maxValue_ = 0.0;
  double increment_ = 1.0;
  uint8_t decimal_ = 2;
  bool changing_ = false;
  bool editorEnabled_ = true;
  TValueType valueType_ = vtInt;
  TRxSpinButton* button_ = nullptr;
  QWidget* buttonWindow_ = nullptr;
  bool arrowKeys_ = true;
  TSpinButtonKind buttonKind_ = bkDiagonal;
  TRxUpDown* upDown_ = nullptr;
};

}  // namespace rxspin
