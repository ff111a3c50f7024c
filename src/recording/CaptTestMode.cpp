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
#include "recording/Capt.h"
#include "recording/CaptInternal.h"
#include "recording/RecordingState.h"

namespace {

constexpr uint32_t kSoundCardPauseMs = 100;

}  // namespace

void TForm3::RxSwitch1Click() {
  if (RxSwitch1->StateOn()) {
    ScopeFrozen = false;
    // LATER(test mode recording: CMyWaveIn at 44100 Hz stereo 16 bit, 0.04 s blocks, the
    // default device)
    return;
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

void TForm3::CMyWaveIn1Data2(uint8_t* data, size_t size) {
  TestModeBlock block = AnalyseTestBlock(data, size, PaintBox1->height());
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
