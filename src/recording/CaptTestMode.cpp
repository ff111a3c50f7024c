// The test mode: the sound input recorded in short blocks into the level meter, the clip lamps
// and the scope, without a file. It shares the recorder with the WAV recording, so the two never
// run together; every recording and format dialog turns it off first.
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTabWidget>

#include "controls/FBVUMeter.h"
#include "controls/Rxswitch.h"
#include "platform/Clock.h"
#include "platform/WaveInputDevices.h"
#include "recording/CMyWaveIn.h"
#include "recording/Capt.h"
#include "recording/CaptInternal.h"
#include "recording/RecordingState.h"
#include "recording/WavRecording.h"

namespace {

constexpr uint32_t kSoundCardPauseMs = 100;
constexpr double kTestBufferSeconds = 0.04;

}  // namespace

// Without a sound input the switch shows on and nothing records; a device that will not start
// has shown its box, and the switch stays on until the user turns it off.
void TForm3::RxSwitch1Click() {
  if (RxSwitch1->StateOn()) {
    ScopeFrozen = false;
    if (WavRecorder || !platform::WaveInputDevices::current().anyPresent()) return;
    WaveFormatFields format = DefaultWaveFormat();
    WavRecorder = new CMyWaveIn(this);
    WavRecorder->SecBuffer = kTestBufferSeconds;
    WavRecorder->DeviceId = -1;
    if (WavRecorder->Start(&format)) {
      WavRecorder->Stop();
      delete WavRecorder;
      WavRecorder = nullptr;
      return;
    }
    WavRecorder->OnData = [this](const uint8_t* data, uint32_t size) { CMyWaveIn1Data2(data, size); };
    return;
  }
  if (WavRecorder && !WavRecordingRunning()) {
    WavRecorder->Stop();
    delete WavRecorder;
    WavRecorder = nullptr;
  }
  FBVUMeter1->SetLevels(0, 0);
  scope_ = {};
  PaintBox1->update();
}

void TForm3::TestModeOff(bool pause) {
  if (!RxSwitch1->StateOn()) return;
  RxSwitch1->SetStateOn(false);  // its handler stops the recorder
  if (pause) platform::SleepMs(kSoundCardPauseMs);
}

void TForm3::CMyWaveIn1Data2(const uint8_t* data, uint32_t size) {
  // The traces show negative samples rectified; the recorder's buffer stays as it came.
  std::vector<uint8_t> samples(data, data + size);
  TestModeBlock block = AnalyseTestBlock(samples.data(), samples.size(), PaintBox1->height());
  FBVUMeter1->SetLevels(block.left, block.right);
  bool clipped = false;
  if (block.left >= kClipLevel) {
    capt::SetBackground(Panel5, gui::clRed);
    clipped = true;
  }
  if (block.right >= kClipLevel) {
    capt::SetBackground(Panel6, gui::clRed);
    clipped = true;
  }
  if (clipped) Timer1.SetEnabled(true);
  if (!ScopeFrozen && PageControl1->currentIndex() == 1) {
    scope_ = std::move(block);
    PaintBox1->repaint();
  }
}

void TForm3::PaintBox1Click() { ScopeFrozen = !ScopeFrozen; }

void TForm3::PaintScope() {
  QPainter p(PaintBox1);
  p.setPen(gui::ToQColor(gui::clAqua));
  if (scope_.leftTrace.size() > 1)
    p.drawPolyline(scope_.leftTrace.data(), int(scope_.leftTrace.size()));
  if (scope_.rightTrace.size() > 1)
    p.drawPolyline(scope_.rightTrace.data(), int(scope_.rightTrace.size()));
}

namespace capt {

bool ScopeEvent(TForm3& form, QEvent* event) {
  switch (event->type()) {
    case QEvent::Paint: form.PaintScope(); return true;
    case QEvent::MouseButtonPress: form.PaintBox1Click(); return true;
    default: return false;
  }
}

}  // namespace capt
