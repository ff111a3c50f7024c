// TRxSwitch: a two-state toggle drawn as one of two pictures (a lever off or on), optionally
// with its caption beside it. A left click or its toggle key flips StateOn and fires OnOn or
// OnOff; a disabled switch shows a greyed version of a custom picture.
//
// Custom pictures are kept in a layout together with the one-byte "Data" property, the set of
// pictures that differ from the built-in ones; a picture property is stored only when its bit
// is set (StoreBitmap).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "gui/Bitmap.h"
#include "gui/Controls.h"
#include "gui/CustomEdit.h"

namespace gui {
class TStream;
}

namespace rxswitch {

using gui::TBorderStyle;

// Where the caption stands relative to the picture.
enum TTextPos : uint8_t { tpNone, tpLeft, tpRight, tpAbove, tpBelow };
// Picture indexes: 0 = off, 1 = on.
enum TSwitchGlyph : uint8_t { sgOff = 0, sgOn = 1 };
// A set of picture indexes in one byte: bit 0 the off picture, bit 1 the on picture.
using TSwitchBitmaps = uint8_t;

class TRxSwitch : public gui::TCustomControl {
public:
  using TNotifyEvent = std::function<void(gui::TControl*)>;

  // 50 x 60, off, the built-in pictures, the space bar as toggle key, a tab stop.
  explicit TRxSwitch(QWidget* parent = nullptr);
  ~TRxSwitch() override;

  bool StateOn() const { return stateOn_; }
  // A change repaints and fires OnOn or OnOff (also when set from code).
  void SetStateOn(bool value);
  void ToggleSwitch() { SetStateOn(!stateOn_); }
  TTextPos TextPosition() const { return textPosition_; }
  void SetTextPosition(TTextPos value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  // bsSingle frames the control with a one-pixel border around its client area.
  void SetBorderStyle(TBorderStyle value);
  // A short cut (key plus 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt); 0 never matches.
  uint16_t ToggleKey() const { return toggleKey_; }
  void SetToggleKey(uint16_t value) { toggleKey_ = value; }
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool value);

  // The pictures, owned by the switch. Setting a bitmap copies it and marks it custom; nullptr
  // reloads the built-in picture and clears the mark. While a layout is read, asking for a
  // picture marks it custom (the layout reader fills it in place).
  gui::TBitmap* GetSwitchGlyph(TSwitchGlyph index);
  void SetSwitchGlyph(TSwitchGlyph index, const gui::TBitmap* bitmap);
  gui::TBitmap* GlyphOff() { return GetSwitchGlyph(sgOff); }
  void SetGlyphOff(const gui::TBitmap* bitmap) { SetSwitchGlyph(sgOff, bitmap); }
  gui::TBitmap* GlyphOn() { return GetSwitchGlyph(sgOn); }
  void SetGlyphOn(const gui::TBitmap* bitmap) { SetSwitchGlyph(sgOn, bitmap); }
  // The greyed picture shown while disabled; nullptr while the picture has none.
  const gui::TBitmap* DisabledGlyph(TSwitchGlyph index) const { return disabled_[index].get(); }
  TSwitchBitmaps UserBitmaps() const { return userBitmaps_; }

  // The layout's binary property "Data": whether a layout writer stores it, given the same
  // component of the form's ancestor (or none); its one byte; and which pictures are stored.
  bool ShouldWriteData(const TRxSwitch* ancestor) const;
  // Reads one byte (EReadError on a short stream); bits other than 0 and 1 are dropped.
  void ReadData(gui::TStream& stream);
  void WriteData(gui::TStream& stream) const;
  bool StoreBitmap(TSwitchGlyph index) const { return userBitmaps_ & (1u << index); }

  // Where the picture is drawn in client coordinates, and the caption's rectangle (empty with
  // tpNone).
  gui::TRect GlyphRect();
  gui::TRect TextRect();

  TNotifyEvent OnOn;
  TNotifyEvent OnOff;

protected:
  void Paint() override;
  // A left press takes the focus (when a tab stop) and toggles.
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, gui::TShiftState shift) override;
  // The caption's accelerator takes the focus without toggling.
  bool DialogChar(char key) override;
  void FocusChanged(QWidget* focused) override;
  void TextChanged() override;
  void EnabledChanged() override;
  virtual void DoOn();
  virtual void DoOff();

private:
  void GlyphChanged(TSwitchGlyph index);
  void CreateDisabled(TSwitchGlyph index);
  void loadBuiltin(TSwitchGlyph index);
  gui::TBitmap& shownGlyph();
  // The client area: inside the border with bsSingle.
  gui::TRect clientArea() const;
  void drawGlyph(gui::TCanvas& canvas, gui::TBitmap& glyph, gui::TPoint at);

  std::array<std::unique_ptr<gui::TBitmap>, 2> bitmaps_;
  std::array<std::unique_ptr<gui::TBitmap>, 2> disabled_;
  bool focused_ = false;
  bool stateOn_ = false;
  TTextPos textPosition_ = tpNone;
  TBorderStyle borderStyle_ = gui::bsNone;
  uint16_t toggleKey_ = 32;
  bool showFocus_ = true;
  TSwitchBitmaps userBitmaps_ = 0;
};

}  // namespace rxswitch
