// The speed button of Rxctrls: a window-less push button with a multi-frame glyph and a
// caption, composed off-screen and copied in one step. It can be flat (frame only under the
// mouse), transparent, latched in a group of buttons that exclude each other, open a drop-down
// menu marked by a small triangle, repeat its click while held, and report mouse enter and
// leave. TRxTimerSpeedButton is the repeating variant of the calendar's title row.
#pragma once

#include <QEvent>
#include <QMetaObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>

#include "controls/RxButtonGlyph.h"
#include "gui/Bitmap.h"
#include "gui/Controls.h"
#include "gui/PopupMenu.h"
#include "gui/Timer.h"

namespace rxctrls {

class TRxSpeedButton;

// Where the drop-down menu opens.
enum TRxDropDownMenuPos { dmpBottom, dmpRight };

// The group message: a button of group GroupIndex went down; every button of the same parent
// hears it, and a down button of that group goes up.
constexpr int CM_BUTTONPRESSED = 0xB051;

class TButtonPressedEvent : public QEvent {
public:
  TButtonPressedEvent(int groupIndex, TRxSpeedButton* sender)
      : QEvent(QEvent::Type(CM_BUTTONPRESSED)), GroupIndex(groupIndex), Sender(sender) {}
  int GroupIndex;
  TRxSpeedButton* Sender;
};

class TRxSpeedButton : public gui::TGraphicControl {
public:
  explicit TRxSpeedButton(QWidget* parent = nullptr);
  ~TRxSpeedButton() override;

  gui::TAlignment Alignment() const { return glyph_.Alignment(); }
  void SetAlignment(gui::TAlignment value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  // Auto-repeat: the click comes again after InitPause and then every RepeatInterval ms.
  bool AllowTimer() const { return allowTimer_; }
  void SetAllowTimer(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool Down() const { return down_; }
  // Without a GroupIndex a button is never down; a down button of a group that does not allow
  // all up cannot be released.
  void SetDown(bool value);
  // Not owned; set to none when the menu is destroyed.
  gui::TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(gui::TPopupMenu* value);
  TRxDropDownMenuPos MenuPosition() const { return menuPosition_; }
  void SetMenuPosition(TRxDropDownMenuPos value) { menuPosition_ = value; }
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  // The glyph bitmap; loading or drawing it in place repaints the button.
  gui::TBitmap& Glyph() { return glyph_.Glyph(); }
  void SetGlyph(const gui::TBitmap& value);
  bool GrayedInactive() const { return grayedInactive_; }
  void SetGrayedInactive(bool value);
  uint16_t InitPause() const { return initPause_; }
  void SetInitPause(uint16_t value) { initPause_ = value; }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  // -1 centres glyph and caption.
  int Margin() const { return margin_; }
  void SetMargin(int value);
  bool MarkDropDown() const { return markDropDown_; }
  void SetMarkDropDown(bool value);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  TRxNumGlyphs NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(TRxNumGlyphs value);
  uint16_t RepeatInterval() const { return repeatInterval_; }
  void SetRepeatInterval(uint16_t value) { repeatInterval_ = value; }
  // -1 spreads glyph and caption evenly.
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool WordWrap() const { return glyph_.WordWrap(); }
  void SetWordWrap(bool value);

  std::function<void(gui::TControl*)> OnMouseEnter;
  std::function<void(gui::TControl*)> OnMouseLeave;

  // A click from code: the button shows pressed for a moment, then clicks (and toggles in a
  // group). Nothing while a press is handled, when disabled, or with an auto-popup menu.
  void ButtonClick();
  // Opens the drop-down menu as a press would, whether or not it pops up by itself.
  bool CheckBtnMenuDropDown();
  // Where the drop-down menu opens, in client coordinates.
  gui::TPoint GetDropDownMenuPos() const;

  TRxButtonState State() const { return state_; }
  bool MouseInControl() const { return mouseInControl_; }
  bool Dragging() const { return dragging_; }
  bool MenuTracking() const { return menuTracking_; }
  // Created by the first auto-repeat press; nullptr before.
  gui::TTimer* RepeatTimer() const { return repeatTimer_.get(); }

protected:
  void Loaded() override;
  void Paint() override;
  virtual void PaintGlyph(gui::TCanvas& canvas, const gui::TRect& rect, TRxButtonState state,
                          bool drawMark);
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void MouseMove(gui::TShiftState shift, int x, int y) override;
  void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void Click() override;
  // Call OnMouseEnter / OnMouseLeave.
  void MouseEnter() override;
  void MouseLeave() override;
  bool DialogChar(char key) override;
  void EnabledChanged() override;
  void TextChanged() override;
  void VisibleChanged() override;
  TRxButtonGlyph& ButtonGlyph() { return glyph_; }

  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void doMouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  bool checkMenuDropDown(gui::TPoint clientPos, bool manual);
  void swallowPressesInside();
  bool swallowed(QMouseEvent* event);
  void startRepeat();
  void timerExpired();
  void updateExclusive();
  void buttonPressed(const TButtonPressedEvent& message);
  void updateTracking();
  bool inside(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y < Height(); }
  TRxButtonState aheadState() const;

  int groupIndex_ = 0;
  TButtonStyle style_ = bsAutoDetect;
  TRxButtonGlyph glyph_;
  gui::TBitmap drawImage_;
  bool down_ = false;
  bool dragging_ = false;
  bool flat_ = false;
  bool mouseInControl_ = false;
  bool allowAllUp_ = false;
  TButtonLayout layout_ = blGlyphTop;
  int spacing_ = 1;
  int margin_ = -1;
  int modalResult_ = 0;
  bool transparent_ = false;
  bool markDropDown_ = true;
  QPointer<gui::TPopupMenu> dropDownMenu_;
  QMetaObject::Connection dropDownMenuGone_;
  TRxDropDownMenuPos menuPosition_ = dmpBottom;
  bool grayedInactive_ = true;
  bool menuTracking_ = false;
  std::unique_ptr<gui::TTimer> repeatTimer_;
  // A timer switched off from inside its own handler lives on until the next switch-off.
  std::unique_ptr<gui::TTimer> retiredTimer_;
  bool inTimerHandler_ = false;
  bool allowTimer_ = false;
  uint16_t initPause_ = 500;
  uint16_t repeatInterval_ = 100;
  TRxButtonState state_ = rbsUp;
  // The left button went down on the button and is held (the mouse capture).
  bool capture_ = false;
  // Set after a drop-down menu closed: the click that closed it on the button is dropped.
  bool swallowPress_ = false;
};

// A speed button that repeats its click while held, in the old frame style.
class TRxTimerSpeedButton : public TRxSpeedButton {
public:
  explicit TRxTimerSpeedButton(QWidget* parent = nullptr);
};

}  // namespace rxctrls
