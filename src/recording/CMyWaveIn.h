// CMyWaveIn, the wave-input component: records from a sound-input device in three circulating
// buffers of SecBuffer seconds each and hands every filled buffer to OnData on the main thread.
// The recording window uses one for WAV recording and one for its test mode.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "recording/WaveFormat.h"

namespace platform {
class WaveIn;
}

class CMyWaveIn : public QObject {
public:
  // (data, byte count) of one filled buffer; the buffer is reused after the handler returns.
  using TDataEvent = std::function<void(const uint8_t* data, uint32_t size)>;

  explicit CMyWaveIn(QObject* owner = nullptr);
  // Stops a running recording first.
  ~CMyWaveIn() override;
  CMyWaveIn(const CMyWaveIn&) = delete;
  CMyWaveIn& operator=(const CMyWaveIn&) = delete;

  double SecBuffer = 1.0;  // seconds of sound per buffer
  int32_t DeviceId = -1;   // -1 = the default device, else an index into the device list
  TDataEvent OnData;

  // Opens the device for `format` and starts recording. Returns true when it FAILED: a null
  // (or empty) format fails silently, any device error shows the "Error" box with the device's
  // text. After a failure the caller stops and deletes the instance.
  bool Start(const WaveFormatFields* format);
  bool Start(const std::vector<uint8_t>& formatBlock);
  // Stops recording; every buffer filled so far, the last partly filled one included, reaches
  // OnData before it returns. Nothing happens when already stopped. OnData may call Stop (and
  // may delete the instance with deleteLater).
  void Stop();

  bool stopped() const { return !device_; }
  // True while OnData runs.
  bool delivering() const { return delivering_; }
  // Bytes per buffer of the running recording: trunc(average bytes per second x SecBuffer).
  uint32_t bufferBytes() const { return bufferBytes_; }

  // The device's error text for `code` in a message box "Error" with the stop icon.
  static void ShowError(int code);

private:
  std::unique_ptr<platform::WaveIn> device_;
  // A device stopped from inside OnData: it is still handing over that block, so it lives on
  // until the component goes.
  std::unique_ptr<platform::WaveIn> retired_;
  uint32_t bufferBytes_ = 0;
  bool delivering_ = false;
};
