// The Video page's handlers: the driver's dialogs (source, format, compression), the AVI's name
// and sound format, overlay or preview, playing the AVI, the channel buttons, and the capture
// parameters the controls set.
#include <QCheckBox>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

#include "controls/Curredit.h"
#include "controls/Rxspin.h"
#include "core/Settings.h"
#include "platform/MessageBox.h"
#include "platform/capture/CaptureWindow.h"
#include "recording/Capt.h"
#include "recording/CaptInternal.h"
#include "recording/RecordingState.h"
#include "recording/VideoFormatDialog.h"
#include "recording/VideoSourceDialog.h"

namespace {

// The driver's dialogs offer these sound formats and compressions.
struct AudioChoice {
  const char* name;
  platform::AviAudioFormat format;
};
const AudioChoice kAudioChoices[] = {
    {"PCM 44100 Hz, 16 bit, stereo", {2, 44100, 16}}, {"PCM 44100 Hz, 16 bit, mono", {1, 44100, 16}},
    {"PCM 22050 Hz, 16 bit, stereo", {2, 22050, 16}}, {"PCM 22050 Hz, 16 bit, mono", {1, 22050, 16}},
    {"PCM 11025 Hz, 8 bit, mono", {1, 11025, 8}},     {"PCM 48000 Hz, 16 bit, stereo", {2, 48000, 16}},
};

bool sameFormat(const platform::AviAudioFormat& a, const platform::AviAudioFormat& b) {
  return a.channels == b.channels && a.samplesPerSec == b.samplesPerSec &&
         a.bitsPerSample == b.bitsPerSample;
}

}  // namespace

namespace capt {

bool ChooseAviAudioFormat(QWidget* owner, platform::AviAudioFormat* format) {
  if (CaptureLinks.chooseAviAudioFormat) return CaptureLinks.chooseAviAudioFormat(owner, format);
  QStringList items;
  int current = 0;
  for (const AudioChoice& c : kAudioChoices) {
    if (sameFormat(c.format, *format)) current = int(items.size());
    items << QString::fromLatin1(c.name);
  }
  bool ok = false;
  const QString picked = QInputDialog::getItem(owner, "Set Audio Compression", "Format:", items,
                                               current, false, &ok);
  if (!ok) return false;
  *format = kAudioChoices[std::max<qsizetype>(0, items.indexOf(picked))].format;
  return true;
}

bool ChooseVideoCodec(QWidget* owner, platform::AviVideoCodec* codec) {
  if (CaptureLinks.chooseVideoCodec) return CaptureLinks.chooseVideoCodec(owner, codec);
  const QStringList items = {"Motion JPEG", "Full Frames (Uncompressed)"};
  bool ok = false;
  const QString picked = QInputDialog::getItem(owner, "Video Compression", "Compressor:", items,
                                               *codec == platform::AviVideoCodec::Raw ? 1 : 0,
                                               false, &ok);
  if (!ok) return false;
  *codec = picked == items[1] ? platform::AviVideoCodec::Raw : platform::AviVideoCodec::Mjpeg;
  return true;
}

}  // namespace capt

// --- The driver's dialogs -----------------------------------------------------------------------

void TForm3::Button3Click() {
  platform::CaptureWindow* tv = capt::TvWindow();
  if (!tv) return;
  platform::AviVideoCodec codec = tv->sequence().videoCodec();
  if (capt::ChooseVideoCodec(this, &codec)) tv->sequence().setVideoCodec(codec, 85);
}

void TForm3::Button1Click() { RunVideoSourceDialog(this); }

// A capture in progress keeps its picture size: its file is made for it.
void TForm3::Button2Click() {
  platform::CaptureWindow* tv = capt::TvWindow();
  if (!tv || AviCaptureRunning) return;
  RunVideoFormatDialog(this, *tv);
}

// --- The AVI's name and sound format ------------------------------------------------------------

void TForm3::Button5Click() {
  platform::CaptureWindow* tv = capt::TvWindow();
  const std::string current = tv ? tv->sequence().captureFile() : std::string();
  std::string chosen;
  if (CaptureLinks.saveFileName)
    chosen = CaptureLinks.saveFileName("", current, "avi", "video files (*.avi)|*.avi");
  if (chosen.empty()) return;
  CaptureFileName = chosen;
  if (tv) tv->sequence().setCaptureFile(CaptureFileName);
  Settings.AviFilename = CaptureFileName;
  UpdateCaptureFileLabels();
}

void TForm3::Button4Click() {
  TestModeOff(true);
  platform::CaptureWindow* tv = capt::TvWindow();
  if (!tv) return;
  platform::AviAudioFormat format = tv->sequence().audioFormat();
  if (capt::ChooseAviAudioFormat(this, &format)) tv->sequence().setAudioFormat(format);
}

// --- Overlay or preview -------------------------------------------------------------------------

void TForm3::SpeedButton5Click() {
  TvPreviewMode = false;
  if (platform::CaptureWindow* tv = capt::TvWindow()) tv->setOverlay(true);
  capt::SetBackground(Panel2, gui::clRed);
  capt::SetBackground(Panel3, gui::clBtnFace);
}

// The frame-rate number is taken as the preview rate in milliseconds.
void TForm3::SpeedButton6Click() {
  TvPreviewMode = true;
  if (platform::CaptureWindow* tv = capt::TvWindow()) {
    tv->setPreviewRate(int(RxSpinEdit1->Value()));
    tv->setPreview(true);
  }
  capt::SetBackground(Panel3, gui::clRed);
  capt::SetBackground(Panel2, gui::clBtnFace);
}

void TForm3::RxCalcEdit3Change() {
  if (platform::CaptureWindow* tv = capt::TvWindow()) tv->setPreviewRate(int(RxSpinEdit1->Value()));
}

// --- Playing, channels --------------------------------------------------------------------------

void TForm3::Button11Click() {
  if (!capt::FileOpens(CaptureFileName)) {
    capt::ShowFileNotFound(CaptureFileName);
    return;
  }
  if (CaptureLinks.openDocument) CaptureLinks.openDocument(CaptureFileName);
}

void TForm3::UpDown1Click(gui::TUDBtnType button) {
  if (CaptureLinks.channelStep) CaptureLinks.channelStep(button == gui::btNext);
}

// --- Capture parameters -------------------------------------------------------------------------

void TForm3::CheckBox3Click() {
  CaptureParms.fLimitEnabled = CheckBox3->isChecked();
  Settings.CaptureTimeLimitEnabled = CheckBox3->isChecked();
}

void TForm3::CheckBox2Click() { CaptureParms.fCaptureAudio = CheckBox2->isChecked(); }

void TForm3::RxCalcEdit1Change() {
  const double value = std::clamp(RxCalcEdit1->Value(), 0.0, 4294967295.0);
  CaptureParms.wTimeLimit = uint32_t(value) & 0xFFFF;
  CaptureSequenceLimit = int64_t(value);
  Settings.CaptureTimeLimit = uint32_t(value);
}

void TForm3::RxSpinEdit1Change() {
  const double fps = RxSpinEdit1->Value();
  if (fps <= 0) return;  // no frame rate: the last one stays
  CaptureParms.dwRequestMicroSecPerFrame = uint32_t(1e6 / fps);
  Settings.CaptureFPS = uint32_t(fps);
}

void TForm3::Edit1Change() {
  Settings.CaptureFileSize = uint32_t(std::max(0, std::atoi(Edit1->text().toLatin1().constData())));
}

void TForm3::Edit2Change() {
  Settings.VideoBuffers = uint32_t(std::max(0, std::atoi(Edit2->text().toLatin1().constData())));
}

void TForm3::Edit3Change() {
  Settings.AudioBuffers = uint32_t(std::max(0, std::atoi(Edit3->text().toLatin1().constData())));
}

void TForm3::CheckBox6Click() { Settings.AudioIsMasterStream = CheckBox6->isChecked(); }
