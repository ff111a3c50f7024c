// The modal calculator dialog of Rxcalc: TRxCalculatorForm (a display over the dialog keypad,
// with Copy and Paste on the display's menu) and the component TRxCalculator that runs it on a
// value. No window of the program creates one.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/Rxcalc.h"
#include "gui/PopupMenu.h"

namespace rxcalc {

// The dialog's display: the panel's text, right-aligned in a sunken white field.
class TCalcDisplay : public gui::TCustomControl {
public:
  explicit TCalcDisplay(QWidget* parent);

protected:
  void Paint() override;
};

class TRxCalculatorForm : public QDialog {
public:
  explicit TRxCalculatorForm(QWidget* parent = nullptr);

  TCalculatorPanel* CalcPanel() const { return panel_; }
  TCalcDisplay* Display() const { return display_; }
  gui::TPopupMenu* DisplayMenu() const { return menu_; }

protected:
  // Typed keys go to the keypad: Enter is '=', Esc clears, Ctrl+C and Ctrl+V copy and paste.
  void keyPressEvent(QKeyEvent* event) override;

private:
  TCalculatorPanel* panel_;
  TCalcDisplay* display_;
  gui::TPopupMenu* menu_;
};

// A calculator dialog (the help context is kept for a help system the program does not have).
TRxCalculatorForm* CreateCalculatorForm(QWidget* owner, int helpContext);

class TRxCalculator {
public:
  using TNotifyEvent = std::function<void(TRxCalculator*)>;
  using TCalcKeyEvent = std::function<void(TRxCalculator*, char& key)>;

  explicit TRxCalculator(QWidget* owner = nullptr) : owner_(owner) {}

  // Shows the dialog modally, centred on the screen, on Value; true on OK, which also takes
  // over the memory and the value shown (OnChange when it differs).
  bool Execute();

  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool value) { beepOnError_ = value; }
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value) { ctl3D_ = value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  uint8_t Precision() const { return precision_; }
  void SetPrecision(uint8_t value) { precision_ = value; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  double Value() const { return value_; }
  void SetValue(double value) { value_ = value; }
  double Memory() const { return memory_; }

  TCalcKeyEvent OnCalcKey;
  TNotifyEvent OnChange;
  TNotifyEvent OnDisplayChange;

  // The dialog while Execute runs (tests drive it); nullptr otherwise.
  TRxCalculatorForm* Form() const { return form_; }

private:
  QWidget* owner_;
  bool beepOnError_ = true;
  bool ctl3D_ = true;
  int helpContext_ = 0;
  uint8_t precision_ = 15;
  std::string title_ = "Calculator";
  double value_ = 0;
  double memory_ = 0;
  TRxCalculatorForm* form_ = nullptr;
};

}  // namespace rxcalc
