#include "platform/capture/FramePool.h"

namespace platform {

FramePool::Taken FramePool::take(QSize size) {
  auto fit = [size](QImage& image, int index) -> Taken {
    const bool fresh = image.size() != size;
    if (fresh) image = QImage(size, QImage::Format_RGB32);
    return {&image, index, fresh};
  };
  for (size_t i = 0; i < images_.size(); ++i)
    if (images_[i].isDetached()) return fit(images_[i], int(i));
  if (images_.size() < kImages) {
    images_.emplace_back();
    return fit(images_.back(), int(images_.size() - 1));
  }
  spare_ = QImage();  // whoever holds the last one keeps it
  return fit(spare_, -1);
}

}  // namespace platform
