#include "platform/capture/FramePool.h"

#include <sys/mman.h>

#include <algorithm>

namespace platform {

namespace {

struct Mapping {
  void* address;
  size_t bytes;
};

void unmap(void* info) {
  auto* mapping = static_cast<Mapping*>(info);
  munmap(mapping->address, mapping->bytes);
  delete mapping;
}

// An image whose pages are all mapped at once: a frame is written whole as soon as it is taken,
// and faulting its pages in one by one as the first frame is drawn costs more than the drawing
// where a page fault is dear (a virtual machine: ~10 us a page, 4.5 ms for one 768x576 frame).
QImage mappedImage(QSize size) {
  const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
  const size_t bytes = size_t(bytesPerLine) * size_t(std::max(size.height(), 0));
  void* address = bytes ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                               MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0)
                        : MAP_FAILED;
  if (address == MAP_FAILED) return QImage(size, QImage::Format_RGB32);
  return QImage(static_cast<uchar*>(address), size.width(), size.height(), bytesPerLine,
                QImage::Format_RGB32, unmap, new Mapping{address, bytes});
}

}  // namespace

FramePool::Taken FramePool::take(QSize size) {
  auto fit = [size](QImage& image, int index) -> Taken {
    const bool fresh = image.size() != size;
    if (fresh) image = mappedImage(size);
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
