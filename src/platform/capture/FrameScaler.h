// Stretches a 32-bit frame to another size without smoothing, as an overlay shows it: each
// pixel of the target takes the source pixel QPainter's unsmoothed drawImage would give it. The
// target is drawn into as it is (a kept image, or a window's backing store), and a part of the
// stretched picture can be drawn alone. A YUYV source is converted one needed row at a time.
#pragma once

#include <QImage>

#include <vector>

#include "platform/capture/YuyvConversion.h"

namespace platform {

class FrameScaler {
public:
  // Draws the part `area` of `from` stretched to `size` (both in the stretched picture's
  // coordinates) into `to`, whose pixel `origin` takes the stretched picture's top left. `from`
  // and `to` are 32-bit images; `area` moved by `origin` lies inside `to`.
  void scale(const QImage& from, QSize size, const QRect& area, QImage& to, QPoint origin);
  // The whole of `from` stretched to `to`'s size.
  void scale(const QImage& from, QImage& to) { scale(from, to.size(), to.rect(), to, {}); }
  // The same from a YUYV picture, each source row converted as it is needed.
  void scale(const YuyvImage& from, QSize size, const QRect& area, QImage& to, QPoint origin);

private:
  struct Axis {
    std::vector<int> index;  // the source index of each target index
    int from = -1;
  };
  static const std::vector<int>& map(Axis& axis, int from, int to);

  // Draws the target rows of `area`; `row(source row)` gives a source row's 32-bit pixels.
  template <typename SourceRow>
  void stretch(QSize fromSize, QSize size, const QRect& area, QImage& to, QPoint origin,
               SourceRow row);

  Axis columns_;
  Axis rows_;
  std::vector<uint32_t> converted_;  // one YUYV row in 32-bit pixels
};

}  // namespace platform
