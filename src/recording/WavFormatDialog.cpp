#include "recording/WavFormatDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "recording/WaveFormat.h"

// A test's stand-in for the dialog (RecordingState).
extern WavFormatChooser& FormatChooser;

namespace {

constexpr uint32_t kRates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000, 96000};
constexpr uint16_t kBits[] = {8, 16, 24, 32};

void select(QComboBox* box, int value, int fallback) {
  int index = box->findData(value);
  if (index < 0) index = box->findData(fallback);
  box->setCurrentIndex(index);
}

class WavFormatDialog : public QDialog {
public:
  WavFormatDialog(QWidget* owner, const WaveFormatFields& start) : QDialog(owner) {
    setWindowTitle("Set Audio Compression");
    auto* form = new QFormLayout(this);
    auto* tag = new QLabel("PCM", this);
    form->addRow("Format:", tag);
    rate_ = new QComboBox(this);
    for (uint32_t r : kRates) rate_->addItem(QString("%1 Hz").arg(r), int(r));
    bits_ = new QComboBox(this);
    for (uint16_t b : kBits) bits_->addItem(QString("%1 bit").arg(b), int(b));
    channels_ = new QComboBox(this);
    channels_->addItem("Mono", 1);
    channels_->addItem("Stereo", 2);
    form->addRow("Sample rate:", rate_);
    form->addRow("Bits per sample:", bits_);
    form->addRow("Channels:", channels_);
    rateText_ = new QLabel(this);
    form->addRow("Data rate:", rateText_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const bool pcm = start.formatTag == 1;
    const WaveFormatFields def = DefaultWaveFormat();
    select(rate_, pcm ? int(start.samplesPerSec) : 0, int(def.samplesPerSec));
    select(bits_, pcm ? start.bitsPerSample : 0, def.bitsPerSample);
    select(channels_, pcm ? start.channels : 0, def.channels);
    for (QComboBox* box : {rate_, bits_, channels_})
      connect(box, &QComboBox::currentIndexChanged, this, [this] { showRate(); });
    showRate();
  }

  WaveFormatFields chosen() const {
    WaveFormatFields f;
    f.formatTag = 1;
    f.samplesPerSec = uint32_t(rate_->currentData().toInt());
    f.bitsPerSample = uint16_t(bits_->currentData().toInt());
    f.channels = uint16_t(channels_->currentData().toInt());
    f.blockAlign = uint16_t(f.bitsPerSample / 8 * f.channels);
    f.avgBytesPerSec = f.blockAlign * f.samplesPerSec;
    return f;
  }

private:
  void showRate() { rateText_->setText(QString("%1 bytes/s").arg(chosen().avgBytesPerSec)); }

  QComboBox* rate_;
  QComboBox* bits_;
  QComboBox* channels_;
  QLabel* rateText_;
};

}  // namespace

WavFormatChoiceResult RunWavFormatDialog(QWidget* owner, std::vector<uint8_t>& block) {
  if (FormatChooser) return FormatChooser(owner, block);
  WavFormatDialog dialog(owner, ReadWaveFormat(block));
  if (dialog.exec() != QDialog::Accepted) return WavFormatChoiceResult::Cancel;
  const auto size = uint32_t(std::max<size_t>(block.size(), kWaveFormatFieldsSize));
  block = WaveFormatBlock(dialog.chosen(), size);
  return WavFormatChoiceResult::Ok;
}

WavFormatChooser SetWavFormatChooser(WavFormatChooser chooser) {
  WavFormatChooser previous = std::move(FormatChooser);
  FormatChooser = std::move(chooser);
  return previous;
}
