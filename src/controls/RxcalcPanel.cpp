// TCalculatorPanel's keypad: the keys of the two layouts, their fonts and glyphs, the memory
// keys with the memory mark, OK and cancel, and the panel's look.
#include <memory>

#include "controls/Rxcalc.h"
#include "controls/VclutilsBitmaps.h"
#include "gui/BuiltinBitmaps.h"
#include "gui/CustomLabel.h"
#include "gui/Frame3D.h"

using namespace gui;

// The resources live in a static library: registering them needs a reference from its code.
static void initRxcalcResources() { Q_INIT_RESOURCE(controls_rxcalc); }

namespace rxcalc {

namespace {

struct KeyPlace {
  uint8_t kind;
  int left, top;
};

// Digits are kinds 1..10: the digit plus one.
constexpr uint8_t digit(int d) { return uint8_t(d + 1); }

constexpr KeyPlace kPopupKeys[] = {
    {digit(7), 6, 6},    {digit(8), 29, 6},      {digit(9), 52, 6},   {ckDiv, 75, 6},
    {digit(4), 6, 29},   {digit(5), 29, 29},     {digit(6), 52, 29},  {ckMul, 75, 29},
    {digit(1), 6, 52},   {digit(2), 29, 52},     {digit(3), 52, 52},  {ckSub, 75, 52},
    {digit(0), 6, 75},   {ckDecimal, 29, 75},    {ckSign, 52, 75},    {ckAdd, 75, 75},
    {ckClear, 6, 98},    {ckBackspace, 29, 98},  {ckEquals, 52, 98},
};

constexpr KeyPlace kDialogKeys[] = {
    {ckOk, 47, 6},     {ckCancel, 85, 6},   {ckBackspace, 145, 6}, {ckClear, 191, 6},
    {ckMC, 5, 32},     {digit(7), 47, 32},  {digit(8), 85, 32},    {digit(9), 123, 32},
    {ckDiv, 161, 32},  {ckSqrt, 199, 32},
    {ckMR, 5, 56},     {digit(4), 47, 56},  {digit(5), 85, 56},    {digit(6), 123, 56},
    {ckMul, 161, 56},  {ckPercent, 199, 56},
    {ckMS, 5, 80},     {digit(1), 47, 80},  {digit(2), 85, 80},    {digit(3), 123, 80},
    {ckSub, 161, 80},  {ckRev, 199, 80},
    {ckMP, 5, 104},    {digit(0), 47, 104}, {ckSign, 85, 104},     {ckDecimal, 123, 104},
    {ckAdd, 161, 104}, {ckEquals, 199, 104},
};

std::string captionOf(uint8_t kind) {
  if (kind >= 1 && kind <= 10) return std::string(1, char('0' + kind - 1));
  switch (kind) {
    case ckSign: return "\xB1";  // plus-minus sign
    case ckDecimal: return std::string(1, kDecimalSeparator);
    case ckDiv: return "/";
    case ckMul: return "*";
    case ckSub: return "-";
    case ckAdd: return "+";
    case ckSqrt: return "sqrt";
    case ckPercent: return "%";
    case ckRev: return "1/x";
    case ckEquals: return "=";
    case ckBackspace: return "<-";
    case ckClear: return "C";
    case ckMP: return "MP";
    case ckMS: return "MS";
    case ckMR: return "MR";
    case ckMC: return "MC";
    default: return std::string();
  }
}

// The cell of the dialog's "CALCBTNS" strip that replaces a key's caption, or -1.
int glyphCellOf(uint8_t kind) {
  switch (kind) {
    case ckCancel: return 0;
    case ckOk: return 1;
    case ckSign: return 2;
    case ckMul: return 3;
    case ckSub: return 4;
    case ckAdd: return 5;
    default: return -1;
  }
}

constexpr int kGlyphCells = 6;

std::shared_ptr<const TBitmap> keyGlyphs() {
  static const bool registered = (initRxcalcResources(), true);
  (void)registered;
  return LoadBuiltinBitmap("CALCBTNS");
}

// The dialog's memory panel: sunken in the 3-D look, framed in the flat one.
class TMemoryPanel : public TCustomControl {
public:
  explicit TMemoryPanel(QWidget* parent) : TCustomControl(parent) {}
  void SetCtl3D(bool value) {
    ctl3D_ = value;
    Invalidate();
  }

protected:
  void Paint() override {
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    if (ctl3D_) Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    else Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  }

private:
  bool ctl3D_ = true;
};

}  // namespace

// --- TCalcButton ------------------------------------------------------------------------------

TCalcButton::TCalcButton(QWidget* parent, uint8_t kind) : TRxSpeedButton(parent), kind_(kind) {
  SetCaption(captionOf(kind));
}

TColor TCalcButton::KindColor(uint8_t kind) {
  if ((kind >= ckSqrt && kind <= ckRev) || (kind >= ckMP && kind <= ckMC)) return clNavy;
  if ((kind >= ckDiv && kind <= ckAdd) || kind == ckEquals) return clPurple;
  if (kind == ckBackspace || kind == ckClear) return clMaroon;
  return clBtnText;
}

void TCalcButton::ParentFontChanged(const TFont& parentFont) {
  TFont font = parentFont;
  font.Color = KindColor(kind_);
  SetFont(font);
}

// --- the keypad -------------------------------------------------------------------------------

TCalculatorPanel::TCalculatorPanel(QWidget* parent, TCalcPanelLayout layout)
    : TCustomControl(parent), layout_(layout) {
  SetColor(clBtnFace);
  if (layout_ == clDialog) SetBounds(0, 0, 240, 129);
  else SetBounds(0, 0, 98, 124);
  createKeys();
  if (layout_ == clDialog) createMemoryPanel();
  TFont font = Font();
  font.Style |= fsBold;
  font.Color = clWindowText;
  SetFont(font);
}

TCalcButton* TCalculatorPanel::addKey(uint8_t kind, int left, int top) {
  auto* button = new TCalcButton(this, kind);
  int width = layout_ == clDialog ? 36 : 21, height = layout_ == clDialog ? 22 : 21;
  if (layout_ == clDialog && (kind == ckBackspace || kind == ckClear)) width = 44;
  if (layout_ == clPopup && kind == ckEquals) width = 44;
  button->SetBounds(left, top, width, height);
  button->OnClick = [this, button](TControl*) { buttonClicked(button); };
  buttons_.push_back(button);
  return button;
}

void TCalculatorPanel::createKeys() {
  if (layout_ == clPopup) {
    for (const KeyPlace& key : kPopupKeys) addKey(key.kind, key.left, key.top);
    return;
  }
  std::shared_ptr<const TBitmap> glyphs = keyGlyphs();
  for (const KeyPlace& key : kDialogKeys) {
    TCalcButton* button = addKey(key.kind, key.left, key.top);
    int cell = glyphCellOf(key.kind);
    if (cell < 0 || !glyphs) continue;
    TBitmap glyph;
    vclutils::AssignBitmapCell(glyphs.get(), &glyph, kGlyphCells, 1, cell);
    button->SetGlyph(glyph);
    button->SetCaption(std::string());
  }
}

void TCalculatorPanel::createMemoryPanel() {
  auto* panel = new TMemoryPanel(this);
  panel->setGeometry(6, 7, 34, 20);
  auto* label = new TCustomLabel(panel);
  label->SetAutoSize(false);
  label->SetAlignment(taCenter);
  label->SetBounds(3, 3, 26, 14);
  memoryPanel_ = panel;
  memoryLabel_ = label;
}

TCalcButton* TCalculatorPanel::ButtonOfKind(uint8_t kind) const {
  for (TCalcButton* button : buttons_) {
    if (button->KeyKind() == kind) return button;
  }
  return nullptr;
}

void TCalculatorPanel::FontChanged() {
  TCustomControl::FontChanged();
  for (TCalcButton* button : buttons_) button->ParentFontChanged(Font());
  if (memoryLabel_) memoryLabel_->SetFont(Font());
}

void TCalculatorPanel::SetCtl3D(bool value) {
  ctl3D_ = value;
  for (TCalcButton* button : buttons_) button->SetStyle(value ? rxctrls::bsNew : rxctrls::bsWin31);
  if (memoryPanel_) static_cast<TMemoryPanel*>(memoryPanel_)->SetCtl3D(value);
}

void TCalculatorPanel::Paint() {
  Canvas().Brush.Color = Color();
  Canvas().FillRect(ClientRect());
}

// --- keys that do not go through the engine --------------------------------------------------

void TCalculatorPanel::buttonClicked(TCalcButton* button) {
  uint8_t kind = button->KeyKind();
  if (kind == ckDecimal) CalcKey(kDecimalSeparator);
  else if (button->Tag() >= 0) CalcKey(kKeyChars[button->Tag()]);
  else if (kind >= ckMP && kind <= ckMC) memoryKey(kind);
  else if (kind == ckOk) okKey();
  else if (kind == ckCancel && OnCancelKey) OnCancelKey(this);
}

void TCalculatorPanel::SetMemory(double value) {
  memory_ = value;
  updateMemoryLabel();
}

void TCalculatorPanel::updateMemoryLabel() {
  if (memoryLabel_) memoryLabel_->SetCaption(memory_ != 0 ? "M" : "");
}

// MP, MS and MR do nothing in the error state; MC always clears.
void TCalculatorPanel::memoryKey(uint8_t kind) {
  if (kind == ckMC) {
    SetMemory(0);
    return;
  }
  if (status_ == csError) return;
  status_ = csFirst;
  switch (kind) {
    case ckMP: SetMemory(memory_ + GetDisplay()); break;
    case ckMS: SetMemory(GetDisplay()); break;
    case ckMR:
      checkFirst();
      ShowNumber(memory_);
      break;
    default: break;
  }
}

void TCalculatorPanel::okKey() {
  if (status_ == csError) {
    ErrorBeep();
    return;
  }
  ShowNumber(GetDisplay());
  if (OnOkKey) OnOkKey(this);
}

}  // namespace rxcalc
