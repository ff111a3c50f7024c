#include "recording/WavFormatDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>

#include <algorithm>

#include "recording/WavEncoder.h"
#include "recording/WaveFormat.h"

// A test's stand-in for the dialog (RecordingState).
extern WavFormatChooser& FormatChooser;

namespace {

// The offered block that `block` describes (its first 18 + cbSize bytes), or -1.
int indexOf(const std::vector<std::vector<uint8_t>>& offered, const std::vector<uint8_t>& block) {
  const uint32_t used = WaveFormatUsedSize(block);
  for (size_t i = 0; i < offered.size(); ++i)
    if (WaveFormatUsedSize(offered[i]) == used &&
        std::equal(offered[i].begin(), offered[i].begin() + used, block.begin()))
      return int(i);
  return -1;
}

// Windows' format chooser in our own dialog: a format tag, then its attributes.
class WavFormatDialog : public QDialog {
public:
  WavFormatDialog(QWidget* owner, const std::vector<uint8_t>& start)
      : QDialog(owner), offered_(OfferedWavFormats()) {
    setWindowTitle("Set Audio Compression");
    auto* form = new QFormLayout(this);
    tag_ = new QComboBox(this);
    attributes_ = new QComboBox(this);
    size_t longest = 0;
    for (const std::vector<uint8_t>& block : offered_) {
      const uint16_t tag = ReadWaveFormat(block).formatTag;
      if (tag_->findData(tag) < 0)
        tag_->addItem(QString::fromStdString(WaveFormatTagName(tag)), tag);
      longest = std::max(longest, WaveFormatAttributes(block).size());
    }
    // Wide enough for the attributes of every tag, not only those shown first.
    attributes_->setMinimumContentsLength(int(longest));
    attributes_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    form->addRow("Format:", tag_);
    form->addRow("Attributes:", attributes_);
    rateText_ = new QLabel(this);
    form->addRow("Data rate:", rateText_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A block not on offer (or not recordable here) starts from the default PCM format.
    int first = indexOf(offered_, start);
    if (first < 0) first = indexOf(offered_, WaveFormatBlock(DefaultWaveFormat(), 18));
    tag_->setCurrentIndex(tag_->findData(ReadWaveFormat(offered_[size_t(first)]).formatTag));
    listAttributes(first);
    connect(tag_, &QComboBox::currentIndexChanged, this, [this] { listAttributes(-1); });
    connect(attributes_, &QComboBox::currentIndexChanged, this, [this] { showRate(); });
  }

  std::vector<uint8_t> chosen() const {
    const int index = attributes_->currentData().toInt();
    return offered_[size_t(std::max(0, index))];
  }

private:
  // The attributes of the chosen tag; `select` (an offered index) becomes current, else the first.
  void listAttributes(int select) {
    const QSignalBlocker quiet(attributes_);
    attributes_->clear();
    const int tag = tag_->currentData().toInt();
    for (size_t i = 0; i < offered_.size(); ++i)
      if (ReadWaveFormat(offered_[i]).formatTag == tag)
        attributes_->addItem(QString::fromStdString(WaveFormatAttributes(offered_[i])), int(i));
    const int at = attributes_->findData(select);
    attributes_->setCurrentIndex(at < 0 ? 0 : at);
    showRate();
  }

  void showRate() {
    rateText_->setText(QString("%1 bytes/s").arg(ReadWaveFormat(chosen()).avgBytesPerSec));
  }

  std::vector<std::vector<uint8_t>> offered_;
  QComboBox* tag_;
  QComboBox* attributes_;
  QLabel* rateText_;
};

}  // namespace

WavFormatChoiceResult RunWavFormatDialog(QWidget* owner, std::vector<uint8_t>& block) {
  if (FormatChooser) return FormatChooser(owner, block);
  WavFormatDialog dialog(owner, block);
  if (dialog.exec() != QDialog::Accepted) return WavFormatChoiceResult::Cancel;
  // The block keeps its size (at least the chosen format's).
  const size_t size = block.size();
  block = dialog.chosen();
  block.resize(std::max(size, block.size()), 0);
  return WavFormatChoiceResult::Ok;
}

WavFormatChooser SetWavFormatChooser(WavFormatChooser chooser) {
  WavFormatChooser previous = std::move(FormatChooser);
  FormatChooser = std::move(chooser);
  return previous;
}
