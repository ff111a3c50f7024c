// The Image page: the options of the main panel's periodic snapshots, which the snapshot routine
// reads from these controls, and the preview of the last snapshot.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include "controls/Curredit.h"
#include "core/Settings.h"
#include "recording/Capt.h"
#include "recording/CaptInternal.h"
#include "recording/RecordingState.h"

namespace {

constexpr int kDefaultQuality = 50;

}  // namespace

namespace capt {

void LoadImageOptions(TForm3& form) {
  form.RxCalcEdit2->SetValue(Settings.CapturePeriod);
  (Settings.ImageType != 0 ? form.RadioJpg : form.RadioBmp)->setChecked(true);
  form.RadioGroup1Click();
  form.ComboBox11->setCurrentIndex(Settings.Gray != 0 ? 1 : 0);
  form.CheckBox12->setChecked(Settings.ProgressiveJPG != 0);
  form.ScrollBar2->setValue(Settings.JpegQuality == 0 ? kDefaultQuality
                                                      : std::min<int>(Settings.JpegQuality, 100));
  form.Label14a->setText(QString::number(form.ScrollBar2->value()));
}

}  // namespace capt

void TForm3::CheckBox11Click() {
  const double seconds = std::clamp(RxCalcEdit2->Value(), 0.0, 2147483.0);
  if (CaptureLinks.snapshotTimer)
    CaptureLinks.snapshotTimer(CheckBox11->isChecked(), int(seconds * 1000));
  Settings.CapturePeriod = uint32_t(seconds);
}

void TForm3::RadioGroup1Click() {
  const bool jpeg = RadioJpg->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(ComboBox11), static_cast<QWidget*>(CheckBox12),
                     static_cast<QWidget*>(ScrollBar2)})
    w->setEnabled(jpeg);
  for (QLabel* l : {Label12, Label14a, Label13}) l->setVisible(jpeg);
}

void TForm3::ScrollBar2Change() {
  Label14a->setText(QString::number(ScrollBar2->value()));
  Settings.JpegQuality = uint16_t(ScrollBar2->value());
}

void TForm3::CheckBox16Click() { Settings.ImgToSingleFile = !CheckBox16->isChecked(); }

void TForm3::SpeedButton2Click() { Button2Click(); }
