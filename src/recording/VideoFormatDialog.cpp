#include "recording/VideoFormatDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include <array>

#include "core/SystemUtils.h"
#include "platform/capture/CaptureWindow.h"
#include "recording/VideoFrameSize.h"

namespace {

constexpr const char* kAppKey = "TheVyx";
constexpr const char* kFrameSizeValue = "Video Format V";

QString sizeText(QSize size) { return QString("%1 x %2").arg(size.width()).arg(size.height()); }

}  // namespace

VideoFormatDialog::VideoFormatDialog(QWidget* owner, const std::vector<QSize>& sizes, QSize current,
                                     platform::AviVideoCodec codec)
    : QDialog(owner) {
  setWindowTitle("Формат видео");
  auto* form = new QFormLayout(this);
  size_ = new QComboBox(this);
  for (QSize s : sizes) size_->addItem(sizeText(s), s);
  const int at = size_->findData(current);
  size_->setCurrentIndex(at >= 0 ? at : 0);
  form->addRow("Размер кадра:", size_);
  // The frames reach the file as 24-bit RGB, compressed to Motion JPEG when that codec is chosen.
  colour_ = new QLabel(codec == platform::AviVideoCodec::Raw ? "RGB, 24 бита"
                                                             : "RGB, 24 бита (сжатие Motion JPEG)",
                       this);
  form->addRow("Формат цвета:", colour_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QSize VideoFormatDialog::chosen() const { return size_->currentData().toSize(); }

bool RunVideoFormatDialog(QWidget* owner, platform::CaptureWindow& tv) {
  const std::vector<QSize> sizes = tv.source().frameSizes();
  if (sizes.empty()) return false;
  platform::CaptureSequence& sequence = tv.sequence();
  const QSize current = sequence.frameSize().isEmpty() ? sizes.front() : sequence.frameSize();
  VideoFormatDialog dialog(owner, sizes, current, sequence.videoCodec());
  if (dialog.exec() != QDialog::Accepted) return false;
  sequence.setFrameSize(dialog.chosen());
  StoreVideoFrameSize(dialog.chosen());
  return true;
}

void RestoreVideoFrameSize(platform::CaptureSequence& sequence) {
  std::array<uint8_t, kVideoFrameSizeBlock> block{};
  const uint32_t size = ReadAppRegValue(kAppKey, kFrameSizeValue, nullptr, 0);
  if (size != kVideoFrameSizeBlock ||
      ReadAppRegValue(kAppKey, kFrameSizeValue, block.data(), size) != size)
    return;
  VideoFrameSize stored;
  if (!ParseVideoFrameSize(block.data(), size, &stored)) return;
  const QSize wanted(stored.width, stored.height);
  sequence.setFrameSize(wanted);
}

void StoreVideoFrameSize(QSize size) {
  const auto block = VideoFrameSizeBlock({size.width(), size.height()});
  WriteAppRegValue(kAppKey, kFrameSizeValue, block.data(), uint32_t(block.size()));
}
