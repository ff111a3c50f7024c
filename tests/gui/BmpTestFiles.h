// BMP files built field by field, for tests that read other writers' layouts.
#pragma once

#include <cstdint>
#include <vector>

namespace bmptest {

// A BMP file of a header and what follows it; the pixel offset is left 0, which means that the
// pixels follow the colour table.
inline std::vector<uint8_t> fileBytes(const std::vector<uint8_t>& info,
                                      const std::vector<uint8_t>& rest) {
  std::vector<uint8_t> out = {'B', 'M'};
  uint32_t size = uint32_t(14 + info.size() + rest.size());
  for (uint32_t v : {size, 0u, 0u}) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
  }
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

inline std::vector<uint8_t> infoHeader(int32_t width, int32_t height, uint16_t bits,
                                       uint32_t compression, uint32_t headerSize = 40) {
  std::vector<uint8_t> h(headerSize, 0);
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) h[at + size_t(i)] = uint8_t(v >> (8 * i));
  };
  put(0, headerSize, 4);
  put(4, uint32_t(width), 4);
  put(8, uint32_t(height), 4);
  put(12, 1, 2);
  put(14, bits, 2);
  put(16, compression, 4);
  return h;
}

}  // namespace bmptest
