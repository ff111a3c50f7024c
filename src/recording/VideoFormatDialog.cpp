#include "recording/VideoFormatDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include <array>

#include "core/SystemUtils.h"
#include "platform/MessageBox.h"
#include "platform/capture/CaptureSource.h"
#include "recording/VideoFrameSize.h"

namespace {

constexpr const char* kAppKey = "TheVyx";
constexpr const char* kFrameSizeValue = "Video Format V";
constexpr const char* kSizeRefusedText = "The capture driver cannot deliver frames of this size.";

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

bool RunVideoFormatDialog(QWidget* owner, platform::CaptureSource& source,
                          platform::AviVideoCodec codec) {
  const std::vector<QSize> sizes = source.frameSizes();
  if (sizes.empty()) return false;
  VideoFormatDialog dialog(owner, sizes, source.frameSize().isEmpty() ? sizes.front()
                                                                      : source.frameSize(),
                           codec);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QSize before = source.frameSize();
  if (!source.setFrameSize(dialog.chosen())) {
    source.setFrameSize(before);
    platform::ShowMessageBox(kSizeRefusedText, "Warning!",
                             platform::kMbOk | platform::kMbIconWarning);
    return false;
  }
  StoreVideoFrameSize(dialog.chosen());
  return true;
}

void RestoreVideoFrameSize(platform::CaptureSource& source) {
  std::array<uint8_t, kVideoFrameSizeBlock> block{};
  const uint32_t size = ReadAppRegValue(kAppKey, kFrameSizeValue, nullptr, 0);
  if (size != kVideoFrameSizeBlock ||
      ReadAppRegValue(kAppKey, kFrameSizeValue, block.data(), size) != size)
    return;
  VideoFrameSize stored;
  if (!ParseVideoFrameSize(block.data(), size, &stored)) return;
  const QSize wanted(stored.width, stored.height);
  if (source.frameSize() != wanted) source.setFrameSize(wanted);
}

void StoreVideoFrameSize(QSize size) {
  const auto block = VideoFrameSizeBlock({size.width(), size.height()});
  WriteAppRegValue(kAppKey, kFrameSizeValue, block.data(), uint32_t(block.size()));
}
