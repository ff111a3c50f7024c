// The images a capture source draws its frames into, a few in turn, so that a stream allocates
// nothing frame by frame. An image is handed out again only once no one else holds it: a frame
// someone keeps is never drawn over.
#pragma once

#include <QImage>

#include <cstddef>
#include <vector>

namespace platform {

class FramePool {
public:
  static constexpr size_t kImages = 4;

  struct Taken {
    QImage* image;  // RGB32 of the size asked for; its pixels are whatever it held
    int index;      // which of the pool's images, or -1 for one of its own (all are kept)
    bool fresh;     // newly made: it holds no earlier frame
  };
  Taken take(QSize size);

private:
  std::vector<QImage> images_;
  QImage spare_;
};

}  // namespace platform
