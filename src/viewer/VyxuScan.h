// The frequency scan: its range and where it stands, StartScan, and the flag that other windows
// ask before they change the channel or the frequency. The steps run on the panel's Timer2
// (TForm1::Timer2Timer, VyxuScan.cpp): each tick either tests one frequency or makes one pass of
// following a signal found upwards, so the message loop never runs inside a tick.
#pragma once

#include <cstdint>

// Range and step in MHz, as the scan dialog last stored them (40, 800 and 1 at start). Held in
// double: each frequency is computed as from + i x step, so no error piles up over a sweep.
extern double& ScanFromMHz;
extern double& ScanToMHz;
extern double& ScanStepMHz;
// The frequency the scan has reached.
extern double& ScanFreqMHz;
// Frequencies found in this scan, counted up to kMaxFoundSelection.
extern uint32_t& ScanFoundCount;
// The standard the channel list re-applies where the system needs it (set by the scan's start
// and by the list's previews).
extern uint32_t& PreviewTVSystem;

// Passes a found signal is followed at most.
constexpr int32_t kMaxFollowPasses = 100;
// The found list's selection stops at this entry, however many more are found.
constexpr uint32_t kMaxFoundSelection = 255;

// Where a running scan stands between two ticks.
struct ScanCursor {
  int64_t step = 0;         // ScanFreqMHz = ScanFromMHz + step x ScanStepMHz
  bool following = false;   // a signal found at ScanFreqMHz is being followed upwards
  int32_t passes = 0;       // passes of the follow made so far
  double followMHz = 0;     // the frequency the next pass tunes
};
extern ScanCursor& ScanPosition;
// Set from StartScan until the scan has ended.
extern bool& ScanRunning;

// True while a scan runs: the remote control, the hot keys and the frequency fields then leave
// the channel and the frequency alone, since the scan owns the tuner.
bool ScanInProgress();

// Prepares the panel, the channel list and the timers for a scan of ScanFromMHz..ScanToMHz and
// starts the panel's Timer2.
void StartScan();
