// Reading an animated cursor file: the RIFF chunks "anih" (header), "rate" (display times of the
// steps), "seq " (the image each step shows) and the lists "fram" (the images) and "INFO" (title
// and creator). Every size is checked against the bytes present; a chunk cut short ends the
// reading quietly.
#include <algorithm>
#include <cstring>
#include <map>

#include "controls/dormant/Anifile.h"
#include "gui/Exceptions.h"
#include "gui/LittleEndian.h"

namespace anifile {

using gui::le::u16;
using gui::le::u32;

namespace {

constexpr size_t kTagSize = 8;
constexpr size_t kHeaderBytes = sizeof(TANIHeader);  // 36
constexpr size_t kIconDirEntry = 16;

bool is(const uint8_t* id, const char* name) { return std::memcmp(id, name, 4) == 0; }

uint64_t padded(uint32_t size) { return (uint64_t(size) + 1) & ~uint64_t(1); }

int32_t toInt(uint32_t value) { return int32_t(std::min<uint32_t>(value, INT32_MAX)); }

std::string nameOf(const uint8_t* text, size_t size) {
  size = std::min(size, kMaxAniName);
  return std::string(reinterpret_cast<const char*>(text),
                     strnlen(reinterpret_cast<const char*>(text), size));
}

// One image of the "fram" list, ready to hand to frames.
struct IconImage {
  std::shared_ptr<gui::TIcon> icon;
  gui::TPoint hotSpot;
  bool isIcon = false;
};

}  // namespace

class AniReader {
public:
  AniReader(const uint8_t* data, size_t size, TAnimatedCursorImage& image)
      : data_(data), size_(size), image_(image) {}

  void read() {
    if (size_ < 12 || !is(data_, "RIFF") || !is(data_ + 8, "ACON")) throw gui::EReadError();
    image_.NewImage();
    size_t at = 12;
    while (size_ - at >= kTagSize && chunk(at)) {
    }
    std::erase_if(image_.frames_, [](const auto& frame) { return !frame->icon_; });
    image_.header_.cSteps = uint32_t(image_.frames_.size());
    if (image_.frames_.empty()) throw gui::EReadError();
  }

private:
  // Reads the chunk at `at` and moves past it; false when the reading ends.
  bool chunk(size_t& at) {
    const uint8_t* id = data_ + at;
    const uint32_t size = u32(id + 4);
    const size_t body = at + kTagSize;
    // A chunk cut short by the end of the file gives what it holds, and the reading ends.
    const uint32_t present = uint32_t(std::min<uint64_t>(size, size_ - body));
    const uint8_t* p = data_ + body;
    if (is(id, "anih")) {
      readHeader(p, present);
    } else if (is(id, "rate") || is(id, "seq ")) {
      readSteps(p, present, is(id, "rate"));
    } else if (is(id, "LIST") && present >= 4) {
      if (!readList(p, present)) return false;
    }
    if (present < size) return false;
    at = size_t(std::min<uint64_t>(body + padded(size), size_));
    return true;
  }

  void readHeader(const uint8_t* p, uint32_t size) {
    std::memcpy(&image_.header_, p, std::min<size_t>(size, kHeaderBytes));
    const TANIHeader& header = image_.header_;
    if (!(header.flags & AF_ICON) || header.cSteps == 0) throw gui::EReadError();
    // One frame per step (and per image, where a file announces fewer steps), each showing the
    // image of its number until a "seq " chunk says otherwise. Frames that get no image are
    // dropped at the end, so more than one per four bytes of the file can never matter.
    uint64_t wanted = std::max(header.cFrames, header.cSteps);
    uint64_t room = size_ / 4 - std::min(size_ / 4, image_.frames_.size());
    for (uint64_t i = 0, n = std::min(wanted, room); i < n; ++i) {
      addFrame(int(i), toInt(header.jifRate));
    }
  }

  // The values of a "rate" or "seq " chunk go to the frames in order, continuing where the
  // previous chunk of the same kind stopped.
  void readSteps(const uint8_t* p, uint32_t size, bool rates) {
    size_t& next = rates ? rates_ : sequences_;
    size_t values = size < 4 ? 1 : size / 4;
    for (size_t i = 0; i < values && next < image_.frames_.size(); ++i, ++next) {
      uint8_t value[4] = {};
      std::memcpy(value, p + 4 * i, std::min<size_t>(4, size - 4 * i));
      if (rates) {
        image_.frames_[next]->jiffies_ = toInt(u32(value));
      } else {
        setIndex(next, toInt(u32(value)));
      }
    }
  }

  bool readList(const uint8_t* p, uint32_t size) {
    const uint8_t* end = p + std::min<uint64_t>(padded(size), uint64_t(data_ + size_ - p));
    if (is(p, "fram")) return readImages(p + 4, end);
    if (is(p, "INFO")) readInfo(p + 4, end);
    return true;
  }

  // The "icon" sub-chunks of a "fram" list; false when one was cut short.
  bool readImages(const uint8_t* p, const uint8_t* end) {
    while (end - p >= ptrdiff_t(kTagSize)) {
      TAniTag tag;
      std::memcpy(tag.ckID, p, 4);
      tag.ckSize = u32(p + 4);
      p += kTagSize;
      if (tag.ckSize > uint64_t(end - p)) return false;
      if (is(p - kTagSize, "icon")) {
        IconImage image = readIcon(p, tag.ckSize);
        if (!image.icon) return true;
        placeImage(tag, image);
      }
      p += std::min<uint64_t>(padded(tag.ckSize), uint64_t(end - p));
    }
    return true;
  }

  void readInfo(const uint8_t* p, const uint8_t* end) {
    while (end - p >= ptrdiff_t(kTagSize)) {
      const uint8_t* id = p;
      const uint32_t size = u32(p + 4);
      p += kTagSize;
      if (size > uint64_t(end - p)) return;
      if (is(id, "INAM")) image_.title_ = nameOf(p, size);
      if (is(id, "IART")) image_.creator_ = nameOf(p, size);
      p += std::min<uint64_t>(padded(size), uint64_t(end - p));
    }
  }

  // An icon or cursor file. A cursor is read as an icon (its type changed to 1) and keeps its
  // hot spot; an icon's hot spot is its centre. Other types give no icon.
  IconImage readIcon(const uint8_t* p, uint32_t size) {
    IconImage image;
    std::vector<uint8_t> copy(p, p + size);
    const uint16_t type = size >= 6 ? u16(copy.data() + 2) : 0;
    if (type != 1 && type != 2) return image;
    image.isIcon = type == 1;
    copy[2] = 1;
    const size_t count = u16(copy.data() + 4);
    for (size_t i = 0; i < count && 6 + (i + 1) * kIconDirEntry <= copy.size(); ++i) {
      const uint8_t* entry = copy.data() + 6 + i * kIconDirEntry;
      const uint64_t offset = u32(entry + 12);
      if (offset + 16 <= copy.size()) {
        const int bits = u16(copy.data() + offset + 14);
        const uint16_t colors = bits == 1 || bits == 4 || bits == 8 ? uint16_t(1 << bits) : 0;
        image_.imageColorCount_ = std::max(image_.imageColorCount_, colors);
      }
      image.hotSpot = gui::Point(u16(entry + 4), u16(entry + 6));
    }
    image.icon = std::make_shared<gui::TIcon>();
    image.icon->LoadFromBytes(copy.data(), copy.size());
    if (image.isIcon) image.hotSpot = gui::Point(image.icon->Width() / 2, image.icon->Height() / 2);
    return image;
  }

  // Image n goes to every frame that shows it, or to a new frame of its own.
  void placeImage(const TAniTag& tag, IconImage& image) {
    auto [first, last] = byIndex_.equal_range(images_++);
    if (first == last) {
      addFrame(-1, toInt(image_.header_.jifRate));
      last = std::next(first = where_.back());
    }
    for (auto it = first; it != last; ++it) {
      TIconFrame& frame = *image_.frames_[it->second];
      frame.icon_ = image.icon;
      frame.tag_ = tag;
      frame.hotSpot_ = image.hotSpot;
      frame.isIcon_ = image.isIcon;
    }
  }

  void addFrame(int index, int jiffies) {
    image_.frames_.push_back(std::make_unique<TIconFrame>(index, jiffies));
    where_.push_back(byIndex_.emplace(index, image_.frames_.size() - 1));
  }

  void setIndex(size_t frame, int index) {
    image_.frames_[frame]->index_ = index;
    byIndex_.erase(where_[frame]);
    where_[frame] = byIndex_.emplace(index, frame);
  }

  const uint8_t* data_;
  size_t size_;
  TAnimatedCursorImage& image_;
  // Frames by the image they show, and each frame's place in that map.
  std::multimap<int, size_t> byIndex_;
  std::vector<std::multimap<int, size_t>::iterator> where_;
  size_t rates_ = 0;
  size_t sequences_ = 0;
  int images_ = 0;
};

void TAnimatedCursorImage::ReadStream(int64_t size, gui::TStream& stream) {
  size = std::max<int64_t>(size, 0);
  if (size > std::max<int64_t>(stream.Size() - stream.Position(), 0)) throw gui::EReadError();
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  stream.ReadBuffer(bytes.data(), size);
  if (size == 0) return;
  // Read into a new image, so that a failure leaves this one as it was.
  TAnimatedCursorImage next;
  AniReader(bytes.data(), bytes.size(), next).read();
  header_ = next.header_;
  title_ = std::move(next.title_);
  creator_ = std::move(next.creator_);
  frames_ = std::move(next.frames_);
  imageColorCount_ = next.imageColorCount_;
}

}  // namespace anifile
