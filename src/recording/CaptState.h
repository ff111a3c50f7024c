// The capture window's module state beside the window itself: the AVI name in use, the capture
// parameter block, the split sequence's bookkeeping, the alarm dates and the sampler of the CPU
// graph. Each name is bound to its member of RecordingState.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {
struct CaptureParms;
}
class CPULoad;

// The text of the info chunk every AVI file carries.
constexpr const char* kCaptureInfoText = "Captured using 'The Vyx98'";
// The overall time limit of a split sequence when none is set, seconds.
constexpr int64_t kNoSequenceLimit = 0xFFFFFF;

struct AlarmDate {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t day = 0;
  bool operator==(const AlarmDate&) const = default;
};

// The AVI path in use.
extern std::string& CaptureFileName;
extern std::string& CaptureInfoChunk;
// True until the first show-time set-up has run.
extern bool& CaptureFirstShow;
// The one capture parameter block: read from the driver at the first show, changed by the
// controls, sent at each start.
extern platform::CaptureParms& CaptureParms;
// Set by the control callback when a file reached the split size and the sequence goes on in
// the next file.
extern bool& CaptureNextFilePending;
// The next capture takes a fresh reference time for the overall limit.
extern bool& CaptureSequenceNew;
// The reference time of the sequence and its overall limit, seconds.
extern int64_t& CaptureSequenceStart;
extern int64_t& CaptureSequenceLimit;
// The dates of the start and stop alarms.
extern AlarmDate& StartAlarmDate;
extern AlarmDate& StopAlarmDate;
// The program was asked to end while a capture ran: it ends once the file is finished.
extern bool& CaptureQuitPending;
// The last status id the status callback took.
extern int& LastCaptureStatusId;
// While set the scope is not redrawn (a click on it toggles it).
extern bool& ScopeFrozen;
// The sampler behind the CPU graph.
extern std::unique_ptr<CPULoad>& CpuLoadMeter;

// The local time now in seconds (simulated time under the simulation switch).
int64_t CaptureNowSeconds();
// The local date now.
AlarmDate CaptureToday();
