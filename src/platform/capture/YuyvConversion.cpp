#include "platform/capture/YuyvConversion.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace {

uint32_t clamped(int v) { return uint32_t(v < 0 ? 0 : v > 255 ? 255 : v); }

// One pixel pair.
void convertPair(const uint8_t* in, uint32_t* out) {
  const int u = in[1] - 128, v = in[3] - 128;
  const int blue = (129 * u) >> 6, green = (3 * u + 6 * v) >> 3, red = (3 * v) >> 1;
  for (int k = 0; k < 2; ++k) {
    const int y = in[2 * k];
    out[k] = 0xFF000000u | clamped(y + red) << 16 | clamped(y - green) << 8 | clamped(y + blue);
  }
}

#if defined(__SSE2__)
// Eight pixels: the same integer steps on eight 16-bit lanes; packing with unsigned saturation
// clamps.
void convertEight(const uint8_t* in, uint8_t* out) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i y = _mm_and_si128(bytes, _mm_set1_epi16(0x00FF));
  const __m128i uv = _mm_sub_epi16(_mm_srli_epi16(bytes, 8), _mm_set1_epi16(128));
  // U and V of each pair, once for each of its two pixels.
  const __m128i u = _mm_shufflehi_epi16(_mm_shufflelo_epi16(uv, 0xA0), 0xA0);
  const __m128i v = _mm_shufflehi_epi16(_mm_shufflelo_epi16(uv, 0xF5), 0xF5);
  const __m128i blue = _mm_srai_epi16(_mm_mullo_epi16(u, _mm_set1_epi16(129)), 6);
  const __m128i green = _mm_srai_epi16(
      _mm_add_epi16(_mm_mullo_epi16(u, _mm_set1_epi16(3)), _mm_mullo_epi16(v, _mm_set1_epi16(6))),
      3);
  const __m128i red = _mm_srai_epi16(_mm_mullo_epi16(v, _mm_set1_epi16(3)), 1);
  const __m128i b8 = _mm_packus_epi16(_mm_add_epi16(y, blue), _mm_setzero_si128());
  const __m128i g8 = _mm_packus_epi16(_mm_sub_epi16(y, green), _mm_setzero_si128());
  const __m128i r8 = _mm_packus_epi16(_mm_add_epi16(y, red), _mm_setzero_si128());
  const __m128i bg = _mm_unpacklo_epi8(b8, g8);
  const __m128i ra = _mm_unpacklo_epi8(r8, _mm_set1_epi8(char(0xFF)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(bg, ra));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_unpackhi_epi16(bg, ra));
}
#endif

}  // namespace

void YuyvToRgb32(const uint8_t* in, size_t inStride, uint8_t* out, size_t outStride, int width,
                 int height) {
  for (int row = 0; row < height; ++row, in += inStride, out += outStride) {
    int x = 0;
#if defined(__SSE2__)
    for (; x + 8 <= width; x += 8) convertEight(in + 2 * x, out + 4 * x);
#endif
    for (; x + 2 <= width; x += 2) convertPair(in + 2 * x, reinterpret_cast<uint32_t*>(out) + x);
  }
}

}  // namespace platform
