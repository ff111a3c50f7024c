// Wave input: records from a sound-input device in blocks of a fixed size and hands each filled
// block to the main thread. The real backend reads ALSA on a thread of its own; the simulated
// one plays the tuned station's tone, paced by the simulated clock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

// Result codes, with the values of Windows' multimedia errors so that the texts match them.
enum WaveInError : int {
  kWaveInOk = 0,
  kWaveInError = 1,          // unspecified error (also: writing to the device failed)
  kWaveInBadDeviceId = 2,    // no such device
  kWaveInAllocated = 4,      // the device is in use
  kWaveInNoDriver = 6,       // no device at all
  kWaveInNoMem = 7,          // buffers could not be allocated
  kWaveInInvalParam = 11,    // format or buffer size not usable
  kWaveInBadFormat = 32,     // the format is not PCM or not supported by the device
};

// The part of a wave format the device needs. Only PCM (tag 1) is recorded; any other tag is
// refused with kWaveInBadFormat.
struct WaveInFormat {
  uint16_t formatTag = 1;
  uint16_t channels = 2;
  uint32_t samplesPerSec = 44100;
  uint16_t bitsPerSample = 16;
  uint16_t blockAlign = 4;
};

class WaveIn {
public:
  // Called on the main thread once per filled block: its bytes and how many were recorded. The
  // block is reused after the call returns.
  using BlockHandler = std::function<void(const uint8_t* data, uint32_t size)>;

  virtual ~WaveIn() = default;

  // Opens device `deviceId` (-1 = the default device, else an index into WaveInputDevices::names()) for
  // `format` in blocks of `blockBytes` bytes. Returns a WaveInError.
  virtual int open(int deviceId, const WaveInFormat& format, uint32_t blockBytes,
                   BlockHandler onBlock) = 0;
  // Starts recording on an open device. Returns a WaveInError.
  virtual int start() = 0;
  // Stops recording and closes the device. The blocks filled so far, the last partly filled one
  // included, are handed over before it returns; none arrive afterwards. Harmless when closed.
  virtual void stop() = 0;

  // The real backend, or the simulated one under the simulation switch.
  static std::unique_ptr<WaveIn> create();
};

// The text of a WaveInError, in the manner of Windows' waveInGetErrorText.
std::string WaveInErrorText(int code);

}  // namespace platform
