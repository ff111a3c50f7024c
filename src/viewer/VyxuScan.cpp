// The frequency scan: StartScan and its steps on the panel's 100 ms Timer2. A step tunes the
// next frequency and asks the chosen detector; a signal found there is followed upwards, one
// pass per tick, until the detector loses it, 100 passes are made, the range ends or Stop is
// pressed. The middle of the followed span goes into the channel list's found list. The detector
// asked at the top of a pass judges the frequency tuned a tick earlier.
#include <QListWidget>
#include <QPushButton>
#include <QCheckBox>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "controls/Qelprogress.h"
#include "controls/RxLabel.h"
#include "controls/Rxspin.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "gui/UpDown.h"
#include "viewer/Clist.h"
#include "viewer/KeyboardHook.h"
#include "viewer/Range.h"
#include "viewer/Schu.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

// Frequencies this close count as the same: from + i x step lands a hair off the upper limit.
constexpr double kSameMHz = 1e-6;

std::string mhzText(double mhz) {
  char text[32];
  std::snprintf(text, sizeof text, "%3.2f", mhz);
  return text;
}

double frequencyAt(int64_t step) { return ScanFromMHz + double(step) * ScanStepMHz; }

bool signalFound() {
  switch (Form4->DetectorIndex()) {
    case kDetectVideo: return SignalPresent();
    case kDetectAfc: return TunerAfcOk();
    default: return SignalLocked();
  }
}

// "Ok" enabled while a scan runs is the stop request (Stop, or the list hidden).
bool stopRequested() { return Form6->Button6->isEnabled(); }

void showProgress(double mhz) {
  Form6->Progress1->SetProgress(int32_t(std::trunc(mhz - ScanFromMHz)));
}

void setChannelControlsEnabled(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{Form1->RxLabel4, Form1->RxLabel6,
                                                    Form1->UpDown1, Form1->RxSpinEdit1})
    w->setEnabled(enabled);
}

void endScan() {
  ScanRunning = false;
  ScanPosition = ScanCursor{};
  CurChannel = 0;
  Form1->ReSet();
  setChannelControlsEnabled(true);
  InstallKeyboardHook();
  ChannelListChanged = true;
  Form1->Timer3.SetEnabled(true);
  Form1->Timer2.SetEnabled(false);
  SetMute(Form1->CheckBox3->isChecked() ? 0 : 1);
  Form6->Progress1->SetProgress(Form6->Progress1->Max());
  Form6->Button12->setEnabled(true);
  Form6->Button11->setEnabled(false);
  Form6->Button6->setEnabled(true);
  Form6->Button10->setEnabled(true);
}

// After a tested frequency (and its followed span): on to the next step, or to the end when a
// stop was requested.
void finishStep() {
  Form6->Label1->SetCaption(mhzText(ScanFreqMHz));
  if (stopRequested()) {
    ScanFreqMHz = ScanToMHz;
    return;
  }
  ++ScanPosition.step;
  ScanFreqMHz = frequencyAt(ScanPosition.step);
}

void addFound(double centre) {
  Form6->AppendFound(mhzText(centre), int(ScanFoundCount));
  ScanFoundCount = std::min(ScanFoundCount + 1, kMaxFoundSelection);
}

// The span followed from ScanFreqMHz ends: its middle is found, the scan goes on after it.
void endFollow() {
  ScanCursor& c = ScanPosition;
  const double last = frequencyAt(c.step + c.passes - 1);
  const double centre = c.passes > 0 ? (ScanFreqMHz + last) / 2 : ScanFreqMHz;
  c.step += c.passes;
  ScanFreqMHz = frequencyAt(c.step);
  c.following = false;
  addFound(centre);
  finishStep();
}

// One pass: while the signal holds (judged on the frequency tuned before), tune the next
// frequency of the span. Never past the upper limit.
void followPass() {
  ScanCursor& c = ScanPosition;
  if (c.passes > 0 && stopRequested()) {
    endFollow();
    return;
  }
  if (!signalFound() || c.passes >= kMaxFollowPasses || c.followMHz > ScanToMHz + kSameMHz) {
    endFollow();
    return;
  }
  TuneFrequency(float(c.followMHz));
  ++c.passes;
  c.followMHz = frequencyAt(c.step + c.passes);
  Form6->Label1->SetCaption(mhzText(c.followMHz));
  showProgress(c.followMHz);
}

void scanStep() {
  Form6->Button12->setEnabled(false);
  Form6->Button11->setEnabled(true);
  SetMute(Form4->CheckBox1->isChecked() ? 1 : 0);
  if (ScanFreqMHz >= ScanToMHz - kSameMHz) {
    endScan();
    return;
  }
  showProgress(ScanFreqMHz);
  TuneFrequency(float(ScanFreqMHz));
  if (signalFound()) {
    ScanPosition.following = true;
    ScanPosition.passes = 0;
    ScanPosition.followMHz = ScanFreqMHz;
    followPass();
    return;
  }
  finishStep();
}

}  // namespace

bool ScanInProgress() { return ScanRunning; }

void StartScan() {
  if (!Form1 || !Form4 || !Form6) return;
  ScanFreqMHz = 0;
  ScanFoundCount = 0;
  RolledUp = Settings.CBState != 0;
  setChannelControlsEnabled(false);
  qelprogress::QELProgress* progress = Form6->Progress1;
  progress->SetMax(int32_t(std::trunc(ScanToMHz - ScanFromMHz)));
  progress->SetMin(0);
  progress->SetProgress(0);
  RemoveKeyboardHook();
  Form1->Timer3.SetEnabled(false);
  Form1->Timer2.SetEnabled(true);
  Form6->ListBox1->clear();
  Form6->Button6->setEnabled(false);
  Form6->Button10->setEnabled(false);
  ScanPosition = ScanCursor{};
  ScanFreqMHz = ScanFromMHz;
  ScanRunning = true;
  Form6->show();
  if (CurChannel >= 0 && CurChannel < kChannelRows)
    PreviewTVSystem = ChannelTable[size_t(CurChannel)].System;
}

// One tick: a step, or one pass of following a signal. Timer2 keeps running through the scan;
// nothing in a tick waits or pumps messages, so ticks never nest.
void TForm1::Timer2Timer() {
  if (!ScanRunning || !Form4 || !Form6) {
    Timer2.SetEnabled(false);
    return;
  }
  if (ScanPosition.following)
    followPass();
  else
    scanStep();
}
