// TPopupCalculator: the drop-down calculator of the calculator edits, with its keypad
// TLocCalculator.
#include <QScreen>

#include "controls/Rxcalc.h"
#include "gui/Cp1251.h"
#include "gui/Frame3D.h"
#include "gui/NumberText.h"

using namespace gui;

namespace rxcalc {

namespace {

constexpr int kPopupWidth = 104;
constexpr int kPopupHeight = 127;

TFont boldFont() {
  TFont font;
  font.Style = fsBold;
  return font;
}

}  // namespace

TLocCalculator::TLocCalculator(QWidget* parent) : TCalculatorPanel(parent, clPopup) {
  setFocusPolicy(Qt::NoFocus);
}

void TLocCalculator::Paint() {
  TCalculatorPanel::Paint();
  TRect r = ClientRect();
  Frame3D(Canvas(), r, clBtnHighlight, clBtnShadow, 1);
}

// --- TPopupCalculator -------------------------------------------------------------------------

TPopupCalculator::TPopupCalculator(QWidget* owner) : TPopupWindow(owner) {
  resize(kPopupWidth, kPopupHeight);
  SetColor(clBtnFace);
  SetFont(boldFont());
  panel_ = new TLocCalculator(this);
  panel_->SetBounds(1, 1, width() - 2, height() - 2);
  panel_->OnShownTextChange = [this](TCalculatorPanel*) { InvalidateEditor(); };
  // '=', '%' and Enter hand the result to the edit.
  panel_->OnResultKey = [this](TCalculatorPanel* panel) {
    if (panel->Status() == csError) return;
    panel->ShowNumber(panel->GetDisplay());
    CloseUp(true);
  };
}

QVariant TPopupCalculator::GetValue() {
  if (panel_->Status() == csError) {
    panel_->ErrorBeep();
    return QVariant(0.0);
  }
  panel_->ShowNumber(panel_->GetDisplay());
  return QVariant(panel_->GetDisplay());
}

void TPopupCalculator::SetValue(const QVariant& value) {
  double number = 0;
  if (value.typeId() == QMetaType::Double) number = value.toDouble();
  else if (!value.isNull() && !TryStrToFloat(ToCp1251(value.toString()), number)) number = 0;
  panel_->LoadValue(number);
}

std::string TPopupCalculator::GetPopupText() { return panel_->DisplayText(); }

void TPopupCalculator::KeyPress(char& key) {
  panel_->CalcKeyPress(key);
  TPopupWindow::KeyPress(key);
}

// --- making and setting up --------------------------------------------------------------------

TPopupCalculator* CreatePopupCalculator(QWidget* owner, Qt::LayoutDirection direction) {
  auto* popup = new TPopupCalculator(owner);
  if (!owner) return popup;
  QScreen* screen = owner->screen();
  int dpi = screen ? int(screen->logicalDotsPerInch()) : kPixelsPerInch;
  if (dpi != kPixelsPerInch) {
    double scale = double(dpi) / kPixelsPerInch;
    popup->resize(int(popup->width() * scale), int(popup->height() * scale));
    popup->Panel()->SetBounds(1, 1, popup->width() - 2, popup->height() - 2);
  }
  popup->Panel()->SetFont(popup->Font());
  popup->setLayoutDirection(direction);
  return popup;
}

void SetupPopupCalculator(tooledit::TPopupWindow* popup, uint8_t precision, bool beepOnError) {
  auto* calculator = dynamic_cast<TPopupCalculator*>(popup);
  if (!calculator || !calculator->Panel()) return;
  calculator->Panel()->SetPrecision(std::max<uint8_t>(2, precision));
  calculator->Panel()->SetBeepOnError(beepOnError);
}

}  // namespace rxcalc
