// Control bases over QWidget that turn Qt's events into the virtual methods the controls are
// written against: Paint on a canvas, MouseDown/Move/Up with button and shift state, KeyDown/Up
// with virtual-key codes, enter/leave, enabled/font/text/visible changes, Loaded and Click.
// TGraphicControl paints over its parent (transparent where it leaves pixels alone);
// TCustomControl is an opaque control that can take the focus.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>

#include "gui/Canvas.h"
#include "gui/VirtualKeys.h"

class QShortcut;

namespace gui {

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Control style: which events a control wants and whether it paints all of itself.
enum : unsigned { csClickEvents = 0x1, csDoubleClicks = 0x2, csOpaque = 0x4 };
// Control state: painting a copy onto another canvas (PaintTo).
enum : unsigned { csPaintCopy = 0x1 };
// Component state: a stored layout is being applied (see BeginReading).
enum : unsigned { csLoading = 0x1, csReading = 0x2 };

// True when caption marks key (any case) with '&' ("&&" is a plain ampersand).
bool IsAccel(char key, const std::string& caption);

class TControl : public QWidget {
public:
  explicit TControl(QWidget* parent = nullptr);
  ~TControl() override;

  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
  TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
  TRect ClientRect() const { return Rect(0, 0, Width(), Height()); }
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  // The caption (Windows-1251); Text is the same property.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Text() const { return caption_; }
  void SetText(const std::string& text) { SetCaption(text); }
  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool enabled) { setEnabled(enabled); }
  // Visible unless hidden on purpose (a child of a window not yet shown counts as visible).
  bool Visible() const;
  void setVisible(bool visible) override;

  unsigned ControlStyle() const { return controlStyle_; }
  void SetControlStyle(unsigned style) { controlStyle_ = style; }
  unsigned ControlState() const { return controlState_; }
  unsigned ComponentState() const { return componentState_; }

  // A stored layout is applied between these two: csLoading and csReading are set, then
  // csReading is cleared and Loaded runs (which clears csLoading).
  void BeginReading();
  void EndReading();

  void Invalidate() { update(); }
  void InvalidateRect(const TRect& r) { update(r.Left, r.Top, r.Width(), r.Height()); }
  // Paints pending invalid areas at once.
  void Update() { repaint(); }
  void Repaint() { repaint(); }

  // The control's canvas: the paint buffer while Paint runs; usable for measuring at any time.
  TCanvas& Canvas() { return canvas_; }
  // Paints the control onto another canvas at (x, y) with csPaintCopy set.
  void PaintTo(TCanvas& canvas, int x, int y);
  // Shows the control with its current Paint (used by tests and snapshots).
  QImage Snapshot();

  std::function<void(TControl*)> OnClick;
  std::function<void(TControl*)> OnDblClick;
  std::function<void(TControl*, TMouseButton, TShiftState, int, int)> OnMouseDown;
  std::function<void(TControl*, TMouseButton, TShiftState, int, int)> OnMouseUp;
  std::function<void(TControl*, TShiftState, int, int)> OnMouseMove;
  std::function<void(TControl*, uint16_t&, TShiftState)> OnKeyDown;
  std::function<void(TControl*, uint16_t&, TShiftState)> OnKeyUp;
  std::function<void(TControl*, char&)> OnKeyPress;

protected:
  virtual void Paint() {}
  // The defaults call the matching On... event.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // Setting key to 0 consumes it; otherwise it goes on to the parent.
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void EnabledChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  virtual void ColorChanged() { Invalidate(); }
  virtual void VisibleChanged() {}
  // Any focus change in the application; `focused` is the widget that has the focus now.
  virtual void FocusChanged(QWidget* focused) {}
  virtual void Resized() {}
  virtual void Loaded();
  virtual void Click();
  virtual void DblClick();
  // Alt + key of the window, for controls that set an accelerator; true when consumed.
  virtual bool DialogChar(char key) { return false; }
  // Registers Alt + the caption's marked character (none when enabled is false or no mark).
  void UpdateAccelerator(const std::string& caption, bool enabled);

  void SetStyleFlag(unsigned flag, bool on);
  // Prepares the paint buffer before Paint: clear (graphic) or the colour (custom).
  virtual void EraseBackground(QImage& buffer) = 0;
  // Whether the buffer covers what lies below (drawn with Source) or is laid over it.
  virtual bool OpaqueBuffer() const = 0;

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void paintInto(QImage& buffer);

  TCanvas canvas_;
  QImage buffer_;
  TColor color_ = clBtnFace;
  TFont font_;
  std::string caption_;
  unsigned controlStyle_ = csClickEvents | csDoubleClicks;
  unsigned controlState_ = 0;
  unsigned componentState_ = 0;
  bool clicked_ = false;
  QShortcut* accelerator_ = nullptr;
  char acceleratorKey_ = 0;
};

// A control without a window of its own: it paints over its parent, and pixels it leaves
// untouched show what lies below.
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(QWidget* parent = nullptr);

protected:
  void EraseBackground(QImage& buffer) override;
  bool OpaqueBuffer() const override { return false; }
};

// A window control with its own canvas. Without csOpaque its background is filled with Color
// before Paint; with csOpaque Paint covers everything itself.
class TCustomControl : public TControl {
public:
  explicit TCustomControl(QWidget* parent = nullptr);

  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool tabStop);
  bool CanFocus() const { return isVisible() && isEnabled(); }
  void SetFocus() { setFocus(Qt::OtherFocusReason); }
  bool Focused() const { return hasFocus(); }

protected:
  void EraseBackground(QImage& buffer) override;
  bool OpaqueBuffer() const override { return true; }
};

}  // namespace gui
