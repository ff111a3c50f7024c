// The video format dialog of the capture window, our stand-in for the capture driver's: the
// picture size a capture records, from the sizes the driver offers, and the colour format of its
// frames. The TV window's own picture stays as the driver delivers it, as an overlay does. The choice is stored in the registry beside the capture's sound format, so it holds at
// the next start.
#pragma once

#include <QDialog>
#include <QSize>

#include <vector>

#include "platform/capture/AviWriter.h"

class QComboBox;
class QLabel;
namespace platform {
class CaptureWindow;
class CaptureSequence;
}

class VideoFormatDialog : public QDialog {
public:
  // `sizes` as the driver offers them; `current` is selected when it is one of them.
  VideoFormatDialog(QWidget* owner, const std::vector<QSize>& sizes, QSize current,
                    platform::AviVideoCodec codec);

  QComboBox* sizeBox() const { return size_; }
  QSize chosen() const;

private:
  QComboBox* size_;
  QLabel* colour_;
};

// Shows the dialog with the sizes `tv`'s driver offers; Ok gives the chosen size to its captures
// and stores it. False when cancelled or the driver offers no sizes.
bool RunVideoFormatDialog(QWidget* owner, platform::CaptureWindow& tv);

// The stored picture size to `sequence` (nothing when none is stored or it is not a size), and a
// size into the store.
void RestoreVideoFrameSize(platform::CaptureSequence& sequence);
void StoreVideoFrameSize(QSize size);
