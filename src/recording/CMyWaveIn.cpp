#include "recording/CMyWaveIn.h"

#include <cmath>

#include "platform/MessageBox.h"
#include "platform/WaveIn.h"

CMyWaveIn::CMyWaveIn(QObject* owner) : QObject(owner) {}

CMyWaveIn::~CMyWaveIn() { Stop(); }

bool CMyWaveIn::Start(const std::vector<uint8_t>& formatBlock) {
  if (formatBlock.size() < kWaveFormatFieldsSize) return true;
  const WaveFormatFields fields = ReadWaveFormat(formatBlock);
  return Start(&fields);
}

bool CMyWaveIn::Start(const WaveFormatFields* format) {
  if (!format) return true;
  Stop();
  const double bytes = std::trunc(double(format->avgBytesPerSec) * SecBuffer);
  bufferBytes_ = bytes > 0 && bytes < 4294967296.0 ? uint32_t(bytes) : 0;
  platform::WaveInFormat deviceFormat;
  deviceFormat.formatTag = format->formatTag;
  deviceFormat.channels = format->channels;
  deviceFormat.samplesPerSec = format->samplesPerSec;
  deviceFormat.bitsPerSample = format->bitsPerSample;
  deviceFormat.blockAlign = format->blockAlign;
  device_ = platform::WaveIn::create();
  // The handler is looked up at each block, so one assigned after Start sees the first block.
  int rc = device_->open(DeviceId, deviceFormat, bufferBytes_,
                         [this](const uint8_t* data, uint32_t size) {
                           if (!OnData) return;
                           delivering_ = true;
                           OnData(data, size);
                           delivering_ = false;
                         });
  if (rc == platform::kWaveInOk) rc = device_->start();
  if (rc != platform::kWaveInOk) {
    ShowError(rc);
    return true;
  }
  return false;
}

void CMyWaveIn::Stop() {
  if (!device_) return;
  // Moved out first: a handler that runs during the stop sees the component stopped.
  std::unique_ptr<platform::WaveIn> device = std::move(device_);
  device->stop();
  if (delivering_) retired_ = std::move(device);
}

void CMyWaveIn::ShowError(int code) {
  platform::ShowMessageBox(platform::WaveInErrorText(code).substr(0, 255), "Error",
                           platform::kMbIconStop);
}
