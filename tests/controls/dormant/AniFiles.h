// Animated cursor files for the tests, chunk by chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "IconFiles.h"
#include "controls/dormant/Anifile.h"

namespace anifiles {

using iconfiles::Bytes;

// A RIFF chunk: id, size, data and the padding byte of an odd size.
inline Bytes chunk(const char* id, const Bytes& data) {
  Bytes out(id, id + 4);
  gui::le::put32(out, uint32_t(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() % 2) out.push_back(0);
  return out;
}

class AniBuilder {
public:
  // An "anih" chunk; `size` bytes of it (more than 36 are zero-filled).
  AniBuilder& header(uint32_t frames, uint32_t steps, uint32_t rate,
                     uint32_t flags = anifile::AF_ICON, size_t size = 36) {
    Bytes data;
    for (uint32_t v : {36u, frames, steps, 0u, 0u, 0u, 0u, rate, flags}) gui::le::put32(data, v);
    data.resize(size, 0);
    return add(chunk("anih", data));
  }
  AniBuilder& values(const char* id, const std::vector<uint32_t>& values) {
    Bytes data;
    for (uint32_t v : values) gui::le::put32(data, v);
    return add(chunk(id, data));
  }
  AniBuilder& rate(const std::vector<uint32_t>& jiffies) { return values("rate", jiffies); }
  AniBuilder& seq(const std::vector<uint32_t>& images) { return values("seq ", images); }
  // A "fram" list of "icon" sub-chunks, one per icon or cursor file.
  AniBuilder& frames(const std::vector<Bytes>& files) {
    Bytes list = {'f', 'r', 'a', 'm'};
    for (const Bytes& f : files) {
      Bytes sub = chunk("icon", f);
      list.insert(list.end(), sub.begin(), sub.end());
    }
    return add(chunk("LIST", list));
  }
  AniBuilder& info(const std::string& title, const std::string& creator) {
    Bytes list = {'I', 'N', 'F', 'O'};
    for (auto [id, text] : {std::pair{"INAM", title}, std::pair{"IART", creator}}) {
      Bytes sub = chunk(id, Bytes(text.begin(), text.end()));
      list.insert(list.end(), sub.begin(), sub.end());
    }
    return add(chunk("LIST", list));
  }
  AniBuilder& add(const Bytes& bytes) {
    body_.insert(body_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  Bytes bytes() const {
    Bytes out = {'R', 'I', 'F', 'F'};
    gui::le::put32(out, uint32_t(body_.size() + 4));
    out.insert(out.end(), {'A', 'C', 'O', 'N'});
    out.insert(out.end(), body_.begin(), body_.end());
    return out;
  }

private:
  Bytes body_;
};

// One-image icon files told apart by colour.
inline Bytes icon(QRgb color, int size = 16) {
  return iconfiles::file({iconfiles::image(color, size, 32, 0)});
}
inline Bytes cursor(QRgb color, int hotX, int hotY, int size = 16) {
  return iconfiles::file({iconfiles::cursorImage(color, size, hotX, hotY)}, 2);
}

inline void read(anifile::TAnimatedCursorImage& image, const Bytes& bytes) {
  gui::TMemoryStream stream;
  stream.Write(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(0);
  image.LoadFromStream(stream);
}

}  // namespace anifiles
