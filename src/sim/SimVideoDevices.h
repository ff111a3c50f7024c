// The simulated machine's video capture devices, as the TV-standard path sees them: a list of
// devices (the simulated card's first), each with or without an analogue decoder and with the
// standard last set on it. Tests choose how many devices there are, make looking them up fail,
// and read every bind, release and standard set in order. The simulated capture driver reports
// here too: what the capture window asked of device N (open, stream, grab...), in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct SimVideoDevice {
  std::string name;
  bool hasDecoder = true;
  uint64_t standard = 0;  // the V4L2 standard last set; 0 = never set
};

struct SimVideoEvent {
  enum class Kind { Bind, Release, SetStandard };
  Kind kind = Kind::Bind;
  int device = 0;   // index in devices()
  int binding = 0;  // each bind gets a new number
  uint64_t standard = 0;

  bool operator==(const SimVideoEvent&) const = default;
};

// What a capture window asked of the simulated capture driver.
struct SimCaptureEvent {
  enum class Kind { Open, Close, Stream, StreamEnd, Grab, SaveDib };
  Kind kind = Kind::Open;
  int device = 0;
  int intervalMs = 0;  // Stream: at most one frame per interval; 0 takes every frame

  bool operator==(const SimCaptureEvent&) const = default;
};

class SimVideoDevices {
public:
  SimVideoDevices() { reset(); }

  // One capture device with a decoder, no faults, no events of either kind.
  void reset();
  // 0, 1 or more devices; the first is the simulated card's.
  void setDeviceCount(int count);
  void setLookupFails(bool fails) { lookupFails_ = fails; }

  std::vector<SimVideoDevice>& devices() { return devices_; }
  const std::vector<SimVideoEvent>& events() const { return events_; }
  int openBindings() const { return openBindings_; }
  const std::vector<SimCaptureEvent>& captureEvents() const { return captureEvents_; }
  void clearCaptureEvents() { captureEvents_.clear(); }

  // As the platform layer's simulated backend calls it.
  bool lookupFails() const { return lookupFails_; }
  int bind(int device);  // a binding number > 0, or 0 when there is no such device
  void release(int binding, int device);
  bool setStandard(int binding, int device, uint64_t standard);
  // As the simulated capture driver reports what it was asked.
  void recordCapture(const SimCaptureEvent& event) { captureEvents_.push_back(event); }

private:
  std::vector<SimVideoDevice> devices_;
  std::vector<SimVideoEvent> events_;
  std::vector<SimCaptureEvent> captureEvents_;
  bool lookupFails_ = false;
  int openBindings_ = 0;
  int nextBinding_ = 1;
};

SimVideoDevices& VideoDevices();

}  // namespace sim
