// The two buttons of the spin edit: TRxSpinButton, a square split by its rising diagonal into an
// upper half (up) and a lower half (down) that repeats while held, and TRxUpDown, the class
// library's up-down arrows set to report each press as a click.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

#include "gui/Bitmap.h"
#include "gui/Controls.h"
#include "gui/Timer.h"
#include "gui/UpDown.h"

class QToolButton;

namespace rxspin {

enum TValueType { vtInt, vtFloat, vtHex };
enum TSpinButtonKind { bkStandard, bkDiagonal };
enum TSpinButtonState { sbNotDown, sbTopDown, sbBottomDown };
using gui::btNext;
using gui::btPrev;
using gui::TUDBtnType;

// First and later periods of the diagonal button's auto-repeat.
constexpr unsigned kFirstRepeatMs = 400;
constexpr unsigned kRepeatMs = 100;

class TRxSpinButton : public gui::TGraphicControl {
public:
  using TNotifyEvent = std::function<void(gui::TControl*)>;

  explicit TRxSpinButton(QWidget* parent = nullptr);
  ~TRxSpinButton() override;

  // The arrows drawn on the halves. A bitmap is copied in; nullptr reloads the built-in one.
  gui::TBitmap* UpGlyph() const { return upGlyph_.get(); }
  void SetUpGlyph(const gui::TBitmap* glyph);
  gui::TBitmap* DownGlyph() const { return downGlyph_.get(); }
  void SetDownGlyph(const gui::TBitmap* glyph);
  // Takes the focus when the button is pressed; not owned, cleared when it is destroyed.
  QWidget* FocusControl() const { return focusControl_; }
  void SetFocusControl(QWidget* control) { focusControl_ = control; }
  // The half shown pressed.
  TSpinButtonState Down() const { return down_; }
  void SetDown(TSpinButtonState state);
  // The auto-repeat timer, made at the first press (nullptr before); tests run its handler.
  gui::TTimer* RepeatTimer() const { return repeatTimer_.get(); }

  TNotifyEvent OnTopClick;
  TNotifyEvent OnBottomClick;

protected:
  void Paint() override;
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void MouseMove(gui::TShiftState shift, int x, int y) override;
  void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void EnabledChanged() override;
  virtual void TopClick();
  virtual void BottomClick();

private:
  TSpinButtonState halfAt(int x, int y) const;
  bool inside(int x, int y) const;
  void showDown(TSpinButtonState state);
  void timerExpired();
  void setGlyph(std::unique_ptr<gui::TBitmap>& glyph, const gui::TBitmap* source,
                const char* builtinName);
  void drawAllBitmap();
  void drawBitmap(gui::TBitmap& image, TSpinButtonState state);

  TSpinButtonState down_ = sbNotDown;
  std::unique_ptr<gui::TBitmap> upGlyph_;
  std::unique_ptr<gui::TBitmap> downGlyph_;
  bool dragging_ = false;
  bool glyphsChanged_ = false;
  gui::TBitmap topDownImage_;
  gui::TBitmap bottomDownImage_;
  gui::TBitmap upImage_;
  std::unique_ptr<gui::TTimer> repeatTimer_;
  TSpinButtonState lastDown_ = sbNotDown;
  QPointer<QWidget> focusControl_;
  // The left button went down on this button and is not up yet (it holds the mouse).
  bool captured_ = false;
};

// The width of the standard arrows: the style's vertical scroll bar width, at most 15 pixels.
int DefaultButtonWidth();

// A vertical TUpDown of the standard width with range -1..1 and position 0: every press moves
// the position away from 0, is reported through OnClick and puts the position back.
class TRxUpDown : public gui::TUpDown {
public:
  explicit TRxUpDown(QWidget* parent = nullptr);
  ~TRxUpDown() override;

protected:
  void Click(TUDBtnType button) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  bool busy_ = false;
};

}  // namespace rxspin
