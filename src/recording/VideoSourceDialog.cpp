#include "recording/VideoSourceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "recording/CaptHost.h"

namespace {

constexpr int kInputs = 3;
using SetPicture = int32_t (*)(int32_t percent);
constexpr SetPicture kSetters[] = {SetBrightness, SetContrast, SetSaturation, SetHue};
constexpr uint8_t ChannelRecord::*kFields[] = {&ChannelRecord::Brightness, &ChannelRecord::Contrast,
                                               &ChannelRecord::Saturation, &ChannelRecord::Hue};

bool validChannel() { return CurChannel >= 0 && CurChannel < kChannelRows; }

// Through the panel where there is one, so that its label, channel row and picture follow.
void applyInput(int input) {
  if (CaptureLinks.videoInput) {
    CaptureLinks.videoInput(input);
    return;
  }
  CurInput = uint32_t(input);
  SetVideoInput(uint32_t(input));
}

void applyPicture(const VideoSourceValues& values) {
  for (size_t i = 0; i < values.picture.size(); ++i) kSetters[i](values.picture[i]);
}

}  // namespace

VideoSourceValues CurrentVideoSource() {
  VideoSourceValues values;
  values.input = int(std::min<uint32_t>(CurInput, kInputs - 1));
  if (validChannel()) {
    const ChannelRecord& row = ChannelTable[size_t(CurChannel)];
    for (size_t i = 0; i < values.picture.size(); ++i)
      values.picture[i] = std::min<int>(row.*kFields[i], 100);
  }
  return values;
}

VideoSourceDialog::VideoSourceDialog(QWidget* owner)
    : QDialog(owner), start_(CurrentVideoSource()) {
  setWindowTitle("Источник видео");
  auto* layout = new QVBoxLayout(this);

  auto* inputGroup = new QGroupBox("Вход", this);
  auto* inputForm = new QFormLayout(inputGroup);
  input_ = new QComboBox(inputGroup);
  input_->addItems({"Тюнер", "Композитный (AV)", "S-Video (SVHS)"});
  inputForm->addRow("Источник сигнала:", input_);
  layout->addWidget(inputGroup);

  auto* pictureGroup = new QGroupBox("Изображение", this);
  auto* pictureForm = new QFormLayout(pictureGroup);
  addSlider(kBrightness, "Яркость:", pictureForm);
  addSlider(kContrast, "Контраст:", pictureForm);
  addSlider(kSaturation, "Насыщенность:", pictureForm);
  addSlider(kHue, "Оттенок:", pictureForm);
  layout->addWidget(pictureGroup);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  showValues(start_);
  connect(input_, &QComboBox::currentIndexChanged, this, &VideoSourceDialog::inputChosen);
}

void VideoSourceDialog::addSlider(Picture which, const char* caption, QFormLayout* form) {
  auto* row = new QHBoxLayout;
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setRange(0, 100);
  slider->setMinimumWidth(200);
  auto* number = new QLabel;
  number->setMinimumWidth(number->fontMetrics().horizontalAdvance("100 %"));
  number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  row->addWidget(slider);
  row->addWidget(number);
  form->addRow(caption, row);
  sliders_[size_t(which)] = slider;
  numbers_[size_t(which)] = number;
  connect(slider, &QSlider::valueChanged, this, [which, number](int value) {
    number->setText(QString("%1 %").arg(value));
    kSetters[which](value);
  });
}

// The new input shows the values its channel row gives, and the card takes them (the panel's
// switch has applied them already; without the panel the card still holds the old ones).
void VideoSourceDialog::inputChosen(int input) {
  if (input < 0) return;
  applyInput(input);
  VideoSourceValues values = CurrentVideoSource();
  values.input = input;
  showValues(values);
  applyPicture(values);
}

void VideoSourceDialog::showValues(const VideoSourceValues& values) {
  const QSignalBlocker quiet(input_);
  input_->setCurrentIndex(values.input);
  for (size_t i = 0; i < sliders_.size(); ++i) {
    const QSignalBlocker quietSlider(sliders_[i]);
    sliders_[i]->setValue(values.picture[i]);
    numbers_[i]->setText(QString("%1 %").arg(values.picture[i]));
  }
}

void VideoSourceDialog::accept() {
  if (validChannel()) {
    ChannelRecord& row = ChannelTable[size_t(CurChannel)];
    for (size_t i = 0; i < sliders_.size(); ++i) row.*kFields[i] = uint8_t(sliders_[i]->value());
    if (CaptureLinks.pictureStored) CaptureLinks.pictureStored();
  }
  QDialog::accept();
}

void VideoSourceDialog::reject() {
  if (input_->currentIndex() != start_.input) applyInput(start_.input);
  applyPicture(start_);
  QDialog::reject();
}

bool RunVideoSourceDialog(QWidget* owner) {
  VideoSourceDialog dialog(owner);
  return dialog.exec() == QDialog::Accepted;
}
