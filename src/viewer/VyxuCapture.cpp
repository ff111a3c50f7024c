#include "viewer/VyxuCapture.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "controls/Rxslider.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "platform/Environment.h"
#include "recording/Capt.h"
#include "recording/CaptHost.h"
#include "settings/Custom.h"
#include "viewer/TvScreen.h"
#include "viewer/Vyxu.h"

namespace {

// "video files (*.avi)|*.avi" as the file dialog writes its filters.
QString qtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) out << parts[i].trimmed();
  return out.join(";;");
}

std::string saveFileName(const std::string& title, const std::string& file,
                         const std::string& defaultExt, const std::string& filter) {
  QFileDialog dialog(Form3, QString::fromStdString(title), QString::fromLocal8Bit(file.c_str()),
                     qtFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromStdString(defaultExt));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front().toLocal8Bit().toStdString();
}

}  // namespace

void InstallCaptureLinks() {
  CaptureLinks.tvWindow = []() -> platform::CaptureWindow* { return TvScreenWindow.data(); };
  CaptureLinks.masterVolume = [] { return Form1 ? Form1->RxSlider9->Value() : 0; };
  CaptureLinks.setMasterVolume = [](int value) {
    if (!Form1) return;
    Form1->RxSlider9->SetValue(value);
    if (!Form1->isVisible()) Form1->RxSlider9Change();
  };
  CaptureLinks.showPanel = [] {
    if (Form1) Form1->show();
  };
  CaptureLinks.channelStep = [](bool up) {
    if (Form1) Form1->UpDown1Click(up ? gui::btNext : gui::btPrev);
  };
  CaptureLinks.snapshotTimer = [](bool on, int periodMs) {
    if (!Form1) return;
    Form1->Timer5.SetInterval(unsigned(periodMs));
    Form1->Timer5.SetEnabled(on);
  };
  // The settings dialog's source box takes the index and re-opens the source line's controls.
  CaptureLinks.soundSource = [](int index) {
    if (!Form7) return;
    Form7->ComboBox5->setCurrentIndex(index);
    Form7->ComboBox5Change();
  };
  // The panel's input label steps through the inputs; the row and picture follow each step.
  CaptureLinks.videoInput = [](int input) {
    for (int step = 0; Form1 && CurInput != uint32_t(input) && step < 3; ++step)
      Form1->RxLabel6Click();
  };
  CaptureLinks.pictureStored = [] {
    if (!Form1 || CurChannel < 0 || CurChannel >= kChannelRows) return;
    const ChannelRecord& row = ChannelTable[size_t(CurChannel)];
    Form1->RxSlider2->SetValue(row.Brightness);
    Form1->RxSlider3->SetValue(row.Contrast);
    Form1->RxSlider4->SetValue(row.Hue);
    Form1->RxSlider5->SetValue(row.Saturation);
  };
  CaptureLinks.quit = [] {
    if (Form1) Form1->BYE();
  };
  CaptureLinks.openDocument = [](const std::string& path) {
    // The simulated machine opens nothing on the desktop.
    if (platform::SimulationEnabled()) return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(path.c_str())));
  };
  CaptureLinks.saveFileName = saveFileName;
}
