// Stretches a 32-bit frame to another size without smoothing, as an overlay shows it: each
// pixel of the target takes the source pixel QPainter's unsmoothed drawImage would give it. The
// target image is drawn into as it is, so the caller can keep one and reuse it frame after frame.
#pragma once

#include <QImage>

#include <vector>

namespace platform {

class FrameScaler {
public:
  // `from` and `to` are 32-bit images (RGB32 or ARGB32); every pixel of `to` is written.
  void scale(const QImage& from, QImage& to);

private:
  std::vector<int> columns_;  // the source column of each target column
  int fromWidth_ = -1;
  std::vector<int> rows_;  // the source row of each target row
  int fromHeight_ = -1;
};

}  // namespace platform
