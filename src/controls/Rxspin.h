// TRxSpinEdit: a one-line numeric edit with a spin button at its side. The arrow keys and the
// button step Value by Increment, typing is limited to characters that can form a number of
// the value type (integer, floating point or hexadecimal), and leaving the field clamps the
// value to MinValue..MaxValue.
#pragma once

#include <QLineEdit>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/RxspinButton.h"
#include "gui/Colors.h"
#include "gui/Controls.h"
#include "gui/Font.h"
#include "gui/VirtualKeys.h"

namespace rxspin {

// The class library's edit border styles.
enum TBorderStyle { bsNone, bsSingle };

class TRxSpinEdit : public QLineEdit {
public:
  using TNotifyEvent = std::function<void(QWidget*)>;

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

  // The edit's own properties that the windows and the skin set.
  std::string Text() const;
  void SetText(const std::string& text);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool Modified() const { return isModified(); }
  void SetModified(bool value) { setModified(value); }
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  // 0: no limit.
  int MaxLength() const { return maxLength() == 32767 ? 0 : maxLength(); }
  void SetMaxLength(int value) { setMaxLength(value > 0 ? value : 32767); }
  gui::TColor Color() const { return color_; }
  void SetColor(gui::TColor value);
  const gui::TFont& Font() const { return font_; }
  void SetFont(const gui::TFont& value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
  void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus); }

  // One step up or down, as the buttons and the arrow keys do it.
  virtual void UpClick();
  virtual void DownClick();

  // The current button: the diagonal one (with the window that holds it) or the up-down.
  TRxSpinButton* Button() const { return button_; }
  QWidget* ButtonWindow() const { return buttonWindow_; }
  TRxUpDown* UpDown() const { return upDown_; }
  int GetButtonWidth() const;
  int GetMinHeight() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnTopClick;
  TNotifyEvent OnBottomClick;
  std::function<void(QWidget*, uint16_t&, gui::TShiftState)> OnKeyDown;
  std::function<void(QWidget*, char&)> OnKeyPress;

protected:
  virtual bool IsValidChar(char key) const;
  virtual void Change();
  virtual void KeyDown(uint16_t& key, gui::TShiftState shift);
  virtual void KeyPress(char& key);
  // The system's default beep.
  virtual void Beep();

  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  void step(double delta, const TNotifyEvent& after);
  void upDownClick(TUDBtnType button);
  void recreateButton();
  void resizeButton();
  void setEditRect();
  void updateEditable();
  void applyAlignment();
  int clientInset() const;

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

  bool readOnly_ = false;
  bool autoSelect_ = true;
  bool ctl3D_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  gui::TColor color_ = gui::clWindow;
  gui::TFont font_;
};

}  // namespace rxspin
