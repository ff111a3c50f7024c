// TCustomLabel, the label base of the class library: a graphic control that draws its caption
// with DrawText (alignment, layout, word wrap, '&' accelerators), can be transparent, sizes
// itself to its text and gives its FocusControl the focus on its accelerator key.
//
// Labels that draw their text differently (the control library's shadow label) build on it:
// they keep its properties and their setters, and replace the drawing, measuring and painting.
#pragma once

#include <QMetaObject>
#include <QPointer>

#include <string>

#include "gui/Controls.h"

namespace gui {

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
  explicit TCustomLabel(QWidget* parent = nullptr);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  // Transparent: the control style lacks csOpaque and the background is not filled.
  bool Transparent() const { return !(ControlStyle() & csOpaque); }
  void SetTransparent(bool transparent);
  // Not owned; set to none when that widget is destroyed. Always stored, even when unchanged.
  QWidget* FocusControl() const { return focusControl_; }
  void SetFocusControl(QWidget* control);

protected:
  void Paint() override;
  void Loaded() override;
  void TextChanged() override;
  void FontChanged() override;
  bool DialogChar(char key) override;

  // The text drawn; the caption by default.
  virtual std::string GetLabelText() const { return Caption(); }
  // Draws (or with DT_CALCRECT measures) the text in r with the label's font; a disabled label
  // is drawn engraved in the button highlight and shadow colours.
  virtual void DoDrawText(TRect& r, unsigned flags);
  // With AutoSize, sets the bounds to the text's extent (a right-aligned label keeps its right
  // edge). Not while a layout is being read.
  virtual void AdjustBounds();
  // After FocusControl was stored (also when its control was destroyed).
  virtual void FocusControlChanged() {}

  // --- shared by the labels' drawing
  // The text DoDrawText draws: GetLabelText, with a blank added when measuring an empty text
  // (or a lone '&' mark) so that it keeps one line; flags gain DT_NOPREFIX without
  // ShowAccelChar.
  std::string TextToDraw(unsigned& flags) const;
  // DT_LEFT, DT_RIGHT or DT_CENTER for the alignment; DT_WORDBREAK with WordWrap, else 0.
  static unsigned AlignmentFlag(TAlignment alignment);
  unsigned WordBreakFlag() const;
  // Fills the client area with Color unless transparent; the brush is clear afterwards.
  void PaintBackground();
  // Gives FocusControl the focus when key is the accelerator of text and everything allows it.
  bool FocusOnAccelerator(char key, const std::string& text);

private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  QPointer<QWidget> focusControl_;
  QMetaObject::Connection focusControlGone_;
};

}  // namespace gui
