// TE3DLabel: a label whose caption is drawn raised, recessed, with a drop shadow, outlined, or
// outlined with a shadow, optionally shaded top to bottom from BeginColor to EndColor, and
// optionally framed. Meant for short static captions: a shaded caption is drawn 257 times.
#pragma once

#include <cstdint>
#include <string>

#include "gui/CustomLabel.h"

namespace elabel {

enum TTextStyle : uint8_t { tsNone, tsRaised, tsRecessed, tsShadow, tsOutlined, tsOutShadow };

class TE3DLabel : public gui::TCustomLabel {
public:
  // Strips of a shaded caption.
  static constexpr int kGradientSteps = 257;

  // Recessed, shadow depth 3 in the button-shadow colour, lime outline, navy to white shading
  // (off), no border.
  explicit TE3DLabel(QWidget* parent = nullptr);

  TTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TTextStyle value);
  gui::TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(gui::TColor value);
  gui::TColor OutlineColor() const { return outlineColor_; }
  void SetOutlineColor(gui::TColor value);
  int ShadowDepth() const { return shadowDepth_; }
  void SetShadowDepth(int value);
  bool Gradiental() const { return gradiental_; }
  void SetGradiental(bool value);
  gui::TColor BeginColor() const { return beginColor_; }
  void SetBeginColor(gui::TColor value);
  gui::TColor EndColor() const { return endColor_; }
  void SetEndColor(gui::TColor value);
  gui::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(gui::TColor value);
  bool Border() const { return border_; }
  void SetBorder(bool value);
  int BorderWidth() const { return borderWidth_; }
  // Values below 1 are ignored.
  void SetBorderWidth(int value);

  // The frame drawn with Border: from (w div 2, w div 2) to (W - (w - 1) div 2, H - (w - 1) div
  // 2) for BorderWidth w.
  gui::TRect BorderRect() const;

protected:
  void Paint() override;
  // One draw of the caption into r in the canvas's font colour (every copy of the text goes
  // through here).
  virtual void DrawCaptionText(gui::TRect r, unsigned flags);

private:
  unsigned textFlags() const;
  void drawAt(int dx, int dy, gui::TColor color, unsigned flags);
  void drawOutline(unsigned flags);
  void drawEffect(unsigned flags);
  void drawGradient(unsigned flags);

  TTextStyle textStyle_ = tsRecessed;
  gui::TColor shadowColor_ = gui::clBtnShadow;
  gui::TColor outlineColor_ = gui::clLime;
  int shadowDepth_ = 3;
  bool gradiental_ = false;
  gui::TColor beginColor_ = gui::clNavy;
  gui::TColor endColor_ = gui::clWhite;
  gui::TColor borderColor_ = gui::clBlack;
  bool border_ = false;
  int borderWidth_ = 1;
};

}  // namespace elabel
