// TRxCalculatorForm and TRxCalculator: the modal calculator dialog.
#include "controls/RxcalcDialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include <memory>

#include "gui/Cp1251.h"
#include "gui/CustomEdit.h"
#include "gui/Frame3D.h"

using namespace gui;

namespace rxcalc {

namespace {

constexpr int kMargin = 4;
constexpr int kDisplayHeight = 24;
constexpr int kKeypadWidth = 240;
constexpr int kKeypadHeight = 129;

// The character a key types for the keypad: Ctrl+C and Ctrl+V as their control codes.
char calculatorChar(const QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    if (event->key() == Qt::Key_C) return 3;
    if (event->key() == Qt::Key_V) return 22;
    return 0;
  }
  return TypedChar(event);
}

}  // namespace

// --- the display ------------------------------------------------------------------------------

TCalcDisplay::TCalcDisplay(QWidget* parent) : TCustomControl(parent) {
  SetColor(clWindow);
  TFont font;
  font.Style = fsBold;
  font.Height = -13;
  SetFont(font);
}

void TCalcDisplay::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
  Frame3D(canvas, r, cl3DDkShadow, cl3DLight, 1);
  InflateRect(r, -3, 0);
  canvas.Font = Font();
  canvas.Brush.Style = bsClear;
  canvas.DrawText(Caption(), r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// --- the form ---------------------------------------------------------------------------------

TRxCalculatorForm::TRxCalculatorForm(QWidget* parent) : QDialog(parent) {
  setFixedSize(kKeypadWidth + 2 * kMargin, kDisplayHeight + kKeypadHeight + 3 * kMargin);
  display_ = new TCalcDisplay(this);
  display_->SetBounds(kMargin, kMargin, kKeypadWidth, kDisplayHeight);
  panel_ = new TCalculatorPanel(this, clDialog);
  panel_->SetBounds(kMargin, kDisplayHeight + 2 * kMargin, kKeypadWidth, kKeypadHeight);
  panel_->SetDisplayControl(display_);
  display_->SetCaption(panel_->DisplayText());
  panel_->OnOkKey = [this](TCalculatorPanel*) { accept(); };
  panel_->OnCancelKey = [this](TCalculatorPanel*) { reject(); };
  menu_ = new TPopupMenu(this);
  menu_->SetAutoPopup(true);
  menu_->addAction(QStringLiteral("&Copy"), this, [this] { panel_->CopyToClipboard(); });
  menu_->addAction(QStringLiteral("&Paste"), this, [this] { panel_->PasteFromClipboard(); });
  display_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(display_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QPoint global = display_->mapToGlobal(at);
    menu_->Popup(global.x(), global.y());
  });
  setFocusPolicy(Qt::StrongFocus);
}

void TRxCalculatorForm::keyPressEvent(QKeyEvent* event) {
  char key = calculatorChar(event);
  if (key == 0) {
    QDialog::keyPressEvent(event);
    return;
  }
  panel_->CalcKeyPress(key);
  event->accept();
}

TRxCalculatorForm* CreateCalculatorForm(QWidget* owner, int) {
  return new TRxCalculatorForm(owner);
}

// --- the component ----------------------------------------------------------------------------

bool TRxCalculator::Execute() {
  std::unique_ptr<TRxCalculatorForm> form(CreateCalculatorForm(owner_, helpContext_));
  form->setWindowTitle(FromCp1251(title_));
  TCalculatorPanel* panel = form->CalcPanel();
  panel->SetMemory(memory_);
  panel->SetPrecision(std::max<uint8_t>(2, precision_));
  panel->SetBeepOnError(beepOnError_);
  panel->SetCtl3D(ctl3D_);
  panel->OnCalcKey = [this](TCalculatorPanel*, char& key) {
    if (OnCalcKey) OnCalcKey(this, key);
  };
  panel->OnDisplayChange = [this](TCalculatorPanel*) {
    if (OnDisplayChange) OnDisplayChange(this);
  };
  if (value_ != 0) panel->LoadValue(value_);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    form->move(area.center() - QPoint(form->width() / 2, form->height() / 2));
  }
  form_ = form.get();
  bool ok = form->exec() == QDialog::Accepted;
  form_ = nullptr;
  if (!ok) return false;
  memory_ = panel->Memory();
  if (panel->GetDisplay() != value_) {
    value_ = panel->GetDisplay();
    if (OnChange) OnChange(this);
  }
  return true;
}

}  // namespace rxcalc
