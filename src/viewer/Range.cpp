#include "viewer/Range.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>

#include "core/CardFunctions.h"
#include "gui/CustomEdit.h"
#include "viewer/KeyboardHook.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

constexpr double kHighestMHz = 900.0;
constexpr double kFinestStepMHz = 0.01;

}  // namespace

bool ScanRangeAccepted(double from, double to, double step) {
  return from >= 0 && from < to && to <= kHighestMHz && step >= kFinestStepMHz &&
         from + step <= to;
}

// Installing the hook is idempotent, so leaving a field never makes a second one.
void TextFieldEntered() { RemoveKeyboardHook(); }

void TextFieldLeft() { InstallKeyboardHook(); }

void TForm4::Button1Click() {
  // Stored even when the range is refused.
  ScanFromMHz = LeadingNumber(Edit1->Text());
  ScanToMHz = LeadingNumber(Edit2->Text());
  ScanStepMHz = LeadingNumber(Edit3->Text());
  if (!ScanRangeAccepted(ScanFromMHz, ScanToMHz, ScanStepMHz)) return;
  SetTVSystem(uint32_t(ComboBox1->currentIndex()));
  SetBrightness(ScrollBar2->value());
  SetContrast(ScrollBar3->value());
  SetHue(ScrollBar4->value());
  SetSaturation(ScrollBar5->value());
  hide();
  if (Form1) Form1->hide();
  StartScan();
}

void TForm4::Button2Click() { hide(); }

void TForm4::FormShow() {
  raise();
  activateWindow();
}

void TForm4::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

int TForm4::DetectorIndex() const { return detectorItems_->checkedId(); }

void TForm4::SetDetectorIndex(int index) {
  if (QAbstractButton* item = detectorItems_->button(index)) item->setChecked(true);
}

NewRowDefaults TForm4::Defaults() const {
  NewRowDefaults d;
  d.name = Edit4->Text();
  d.system = uint32_t(std::max(ComboBox1->currentIndex(), 0));
  const QScrollBar* bars[] = {ScrollBar1, ScrollBar2, ScrollBar3, ScrollBar4, ScrollBar5};
  for (size_t i = 0; i < d.values.size(); ++i) d.values[i] = bars[i]->value();
  d.lowerLimit = Edit1->Text();
  return d;
}

void TForm4::attachHandlers() {
  Edit1->OnEnter = [this](QWidget*) { Edit1Enter(); };
  Edit2->OnEnter = [this](QWidget*) { Edit2Enter(); };
  Edit3->OnEnter = [this](QWidget*) { Edit3Enter(); };
  Edit1->OnExit = [this](QWidget*) { Edit1Exit(); };
  Edit2->OnExit = [this](QWidget*) { Edit2Exit(); };
  Edit3->OnExit = [this](QWidget*) { Edit3Exit(); };
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}
