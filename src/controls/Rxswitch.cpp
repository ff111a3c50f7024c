#include "controls/Rxswitch.h"

#include "controls/Tooledit.h"
#include "controls/VclutilsBitmaps.h"
#include "gui/BuiltinBitmaps.h"
#include "gui/Streams.h"

using namespace gui;

// The resources live in a static library: registering them needs a reference from its code.
static void initRxswitchResources() { Q_INIT_RESOURCE(controls_rxswitch); }

namespace rxswitch {

namespace {

constexpr TSwitchBitmaps bitOf(TSwitchGlyph index) { return TSwitchBitmaps(1u << index); }

std::shared_ptr<const TBitmap> builtinGlyph(TSwitchGlyph index) {
  static const bool registered = (initRxswitchResources(), true);
  (void)registered;
  return LoadBuiltinBitmap(index == sgOn ? "SWITCH_ON" : "SWITCH_OFF");
}

}  // namespace

TRxSwitch::TRxSwitch(QWidget* parent) : TCustomControl(parent) {
  SetControlStyle(csClickEvents | csDoubleClicks | csOpaque);
  SetBounds(0, 0, 50, 60);
  SetTabStop(true);
  for (TSwitchGlyph index : {sgOff, sgOn}) {
    bitmaps_[index] = std::make_unique<TBitmap>();
    loadBuiltin(index);
  }
  // Wired only now: the built-in pictures get no greyed versions until they change.
  for (TSwitchGlyph index : {sgOff, sgOn}) {
    bitmaps_[index]->OnChange = [this, index](TGraphic*) { GlyphChanged(index); };
  }
}

TRxSwitch::~TRxSwitch() {
  for (std::unique_ptr<TBitmap>& bitmap : bitmaps_) bitmap->OnChange = nullptr;
}

void TRxSwitch::loadBuiltin(TSwitchGlyph index) {
  if (std::shared_ptr<const TBitmap> builtin = builtinGlyph(index)) bitmaps_[index]->Assign(*builtin);
  else bitmaps_[index]->Assign(nullptr);
}

// --- properties -------------------------------------------------------------------------------

void TRxSwitch::SetStateOn(bool value) {
  if (value == stateOn_) return;
  stateOn_ = value;
  Invalidate();
  if (value) DoOn();
  else DoOff();
}

void TRxSwitch::DoOn() {
  if (OnOn) OnOn(this);
}

void TRxSwitch::DoOff() {
  if (OnOff) OnOff(this);
}

void TRxSwitch::SetTextPosition(TTextPos value) {
  textPosition_ = value;
  Invalidate();
}

void TRxSwitch::SetBorderStyle(TBorderStyle value) {
  borderStyle_ = value;
  Invalidate();
}

void TRxSwitch::SetShowFocus(bool value) {
  showFocus_ = value;
  Invalidate();
}

// --- pictures and the layout ------------------------------------------------------------------

TBitmap* TRxSwitch::GetSwitchGlyph(TSwitchGlyph index) {
  if (ComponentState() & csLoading) userBitmaps_ |= bitOf(index);
  return bitmaps_[index].get();
}

void TRxSwitch::SetSwitchGlyph(TSwitchGlyph index, const TBitmap* bitmap) {
  if (bitmap) {
    if (bitmap != bitmaps_[index].get()) bitmaps_[index]->Assign(*bitmap);
    userBitmaps_ |= bitOf(index);
  } else {
    loadBuiltin(index);
    userBitmaps_ &= TSwitchBitmaps(~bitOf(index));
  }
}

void TRxSwitch::GlyphChanged(TSwitchGlyph index) {
  CreateDisabled(index);
  Invalidate();
}

// A picture that cannot be greyed leaves none: the disabled switch then shows it as it is.
void TRxSwitch::CreateDisabled(TSwitchGlyph index) {
  disabled_[index].reset();
  disabled_[index] = vclutils::CreateDisabledBitmap(*bitmaps_[index], clBlack);
}

bool TRxSwitch::ShouldWriteData(const TRxSwitch* ancestor) const {
  return ancestor ? ancestor->userBitmaps_ != userBitmaps_ : userBitmaps_ != 0;
}

void TRxSwitch::ReadData(TStream& stream) {
  uint8_t set = 0;
  stream.ReadBuffer(&set, 1);
  userBitmaps_ = set & (bitOf(sgOff) | bitOf(sgOn));
}

void TRxSwitch::WriteData(TStream& stream) const { stream.WriteBuffer(&userBitmaps_, 1); }

// --- input ------------------------------------------------------------------------------------

void TRxSwitch::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (TabStop() && CanFocus()) SetFocus();
    ToggleSwitch();
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TRxSwitch::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key != 0 && toggleKey_ != 0 && tooledit::ShortCut(key, shift) == toggleKey_) {
    ToggleSwitch();
    key = 0;
  }
}

bool TRxSwitch::DialogChar(char key) {
  if (!IsAccel(key, Caption()) || !CanFocus()) return false;
  SetFocus();
  return true;
}

void TRxSwitch::FocusChanged(QWidget* focused) {
  bool now = focused == this;
  if (now == focused_) return;
  focused_ = now;
  if (showFocus_) Invalidate();
}

void TRxSwitch::TextChanged() {
  UpdateAccelerator(Caption(), true);
  Invalidate();
}

void TRxSwitch::EnabledChanged() { Invalidate(); }

// --- painting ---------------------------------------------------------------------------------

TBitmap& TRxSwitch::shownGlyph() {
  TSwitchGlyph index = stateOn_ ? sgOn : sgOff;
  if (!Enabled() && disabled_[index]) return *disabled_[index];
  return *bitmaps_[index];
}

TRect TRxSwitch::clientArea() const {
  int inset = borderStyle_ == gui::bsSingle ? 2 : 0;
  return Rect(0, 0, Width() - inset, Height() - inset);
}

// Positions count from the control's outer size, as the client area of a bordered window does.
TRect TRxSwitch::GlyphRect() {
  const TBitmap& glyph = shownGlyph();
  int w = glyph.Width(), h = glyph.Height();
  int x = (Width() - w) / 2, y = (Height() - h) / 2;
  switch (textPosition_) {
    case tpLeft: x = Width() - w; break;
    case tpRight: x = 0; break;
    case tpAbove: y = Height() - h; break;
    case tpBelow: y = 0; break;
    case tpNone: break;
  }
  return Bounds(x, y, w, h);
}

TRect TRxSwitch::TextRect() {
  TRect r = clientArea();
  const TBitmap& glyph = shownGlyph();
  switch (textPosition_) {
    case tpNone: return TRect();
    case tpLeft: r.Right -= glyph.Width(); break;
    case tpRight: r.Left += glyph.Width(); break;
    case tpAbove: r.Bottom -= glyph.Height(); break;
    case tpBelow: r.Top += glyph.Height(); break;
  }
  return r;
}

// The picture on a bitmap of the control's colour, its transparent colour replaced by it.
void TRxSwitch::drawGlyph(TCanvas& canvas, TBitmap& glyph, TPoint at) {
  if (glyph.Empty()) return;
  TBitmap work(glyph.Width(), glyph.Height());
  work.Canvas().Brush.Color = Color();
  work.Canvas().FillRect(Rect(0, 0, glyph.Width(), glyph.Height()));
  vclutils::DrawBitmapTransparent(work.Canvas(), 0, 0, glyph, glyph.TransparentColor());
  canvas.Draw(at.X, at.Y, work);
}

void TRxSwitch::Paint() {
  TCanvas& canvas = Canvas();
  TRect client = clientArea();
  if (borderStyle_ == gui::bsSingle) {
    canvas.Brush.Color = clWindowFrame;
    canvas.FrameRect(ClientRect());
    canvas.SetOrigin({1, 1});
    canvas.IntersectClipRect(client);
  }
  canvas.Font = Font();
  canvas.Brush.Color = Color();
  canvas.Brush.Style = bsSolid;
  canvas.FillRect(client);
  TRect glyphRect = GlyphRect();
  drawGlyph(canvas, shownGlyph(), glyphRect.TopLeft());
  if (focused_ && showFocus_ && TabStop()) canvas.DrawFocusRect(glyphRect);
  if (textPosition_ == tpNone) return;
  TRect r = TextRect();
  int textHeight = canvas.TextHeight("W");
  r.Top += (r.Height() - textHeight) / 2;
  r.Bottom = r.Top + textHeight;
  canvas.Brush.Style = bsClear;
  canvas.DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

}  // namespace rxswitch
