// The video source dialog of the capture window, our stand-in for the capture driver's: the
// card's input and its picture values, applied to the card while they are moved. Cancel puts
// back the input and the values the card had; Ok keeps them in the current channel's row, as the
// panel's sliders do.
#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QFormLayout;
class QLabel;
class QSlider;

// The input (0 tuner, 1 "AV", 2 "SVHS") and the picture values in percent.
struct VideoSourceValues {
  int input = 0;
  std::array<int, 4> picture{50, 50, 50, 50};  // brightness, contrast, saturation, hue

  bool operator==(const VideoSourceValues&) const = default;
};

// What the card shows now: the input in use and the current channel's picture values.
VideoSourceValues CurrentVideoSource();

class VideoSourceDialog : public QDialog {
public:
  enum Picture { kBrightness, kContrast, kSaturation, kHue };

  explicit VideoSourceDialog(QWidget* owner);

  QComboBox* input() const { return input_; }
  QSlider* slider(Picture which) const { return sliders_[size_t(which)]; }

  void accept() override;
  void reject() override;

private:
  void addSlider(Picture which, const char* caption, QFormLayout* form);
  void inputChosen(int input);
  void showValues(const VideoSourceValues& values);

  VideoSourceValues start_;
  QComboBox* input_;
  std::array<QSlider*, 4> sliders_{};
  std::array<QLabel*, 4> numbers_{};
};

// Shows the dialog; true when it was closed with Ok.
bool RunVideoSourceDialog(QWidget* owner);
