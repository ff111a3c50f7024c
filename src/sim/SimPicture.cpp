#include "sim/SimPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

#include "sim/Bt848Card.h"

namespace sim {

namespace {

// Picture registers of the decoder (byte offsets), and the MSB bits of the 9-bit values, which
// live in E_CONTROL (O_CONTROL carries a copy for the odd field).
constexpr uint32_t kBright = 0x028;
constexpr uint32_t kContrastLo = 0x030;
constexpr uint32_t kSatULo = 0x034;
constexpr uint32_t kSatVLo = 0x038;
constexpr uint32_t kHue = 0x03C;
constexpr uint32_t kConMsb = 0x04;
constexpr uint32_t kSatUMsb = 0x02;
constexpr uint32_t kSatVMsb = 0x01;

// The register values at which contrast and the saturations have a gain of 1.
constexpr double kUnitContrast = 0xD8;
constexpr double kUnitSatU = 0xFE;
constexpr double kUnitSatV = 0xB4;
constexpr double kHueDegreesPerStep = 90.0 / 128.0;

constexpr uint32_t kBlack = 0xFF000000;
constexpr int kGlyphWidth = 5;   // plus one column of space
constexpr int kGlyphHeight = 7;
constexpr int kNoiseAmplitude = 48;  // luma noise on a weak station, either side of 0

// 5 x 7 glyphs of the characters 0x20..0x7E, one byte per column, bit 0 at the top.
constexpr uint8_t kFont[95][kGlyphWidth] = {
    {0x00, 0x00, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x5F, 0x00, 0x00}, {0x00, 0x07, 0x00, 0x07, 0x00},
    {0x14, 0x7F, 0x14, 0x7F, 0x14}, {0x24, 0x2A, 0x7F, 0x2A, 0x12}, {0x23, 0x13, 0x08, 0x64, 0x62},
    {0x36, 0x49, 0x55, 0x22, 0x50}, {0x00, 0x05, 0x03, 0x00, 0x00}, {0x00, 0x1C, 0x22, 0x41, 0x00},
    {0x00, 0x41, 0x22, 0x1C, 0x00}, {0x08, 0x2A, 0x1C, 0x2A, 0x08}, {0x08, 0x08, 0x3E, 0x08, 0x08},
    {0x00, 0x50, 0x30, 0x00, 0x00}, {0x08, 0x08, 0x08, 0x08, 0x08}, {0x00, 0x60, 0x60, 0x00, 0x00},
    {0x20, 0x10, 0x08, 0x04, 0x02}, {0x3E, 0x51, 0x49, 0x45, 0x3E}, {0x00, 0x42, 0x7F, 0x40, 0x00},
    {0x42, 0x61, 0x51, 0x49, 0x46}, {0x21, 0x41, 0x45, 0x4B, 0x31}, {0x18, 0x14, 0x12, 0x7F, 0x10},
    {0x27, 0x45, 0x45, 0x45, 0x39}, {0x3C, 0x4A, 0x49, 0x49, 0x30}, {0x01, 0x71, 0x09, 0x05, 0x03},
    {0x36, 0x49, 0x49, 0x49, 0x36}, {0x06, 0x49, 0x49, 0x29, 0x1E}, {0x00, 0x36, 0x36, 0x00, 0x00},
    {0x00, 0x56, 0x36, 0x00, 0x00}, {0x08, 0x14, 0x22, 0x41, 0x00}, {0x14, 0x14, 0x14, 0x14, 0x14},
    {0x00, 0x41, 0x22, 0x14, 0x08}, {0x02, 0x01, 0x51, 0x09, 0x06}, {0x32, 0x49, 0x79, 0x41, 0x3E},
    {0x7E, 0x11, 0x11, 0x11, 0x7E}, {0x7F, 0x49, 0x49, 0x49, 0x36}, {0x3E, 0x41, 0x41, 0x41, 0x22},
    {0x7F, 0x41, 0x41, 0x22, 0x1C}, {0x7F, 0x49, 0x49, 0x49, 0x41}, {0x7F, 0x09, 0x09, 0x09, 0x01},
    {0x3E, 0x41, 0x49, 0x49, 0x7A}, {0x7F, 0x08, 0x08, 0x08, 0x7F}, {0x00, 0x41, 0x7F, 0x41, 0x00},
    {0x20, 0x40, 0x41, 0x3F, 0x01}, {0x7F, 0x08, 0x14, 0x22, 0x41}, {0x7F, 0x40, 0x40, 0x40, 0x40},
    {0x7F, 0x02, 0x0C, 0x02, 0x7F}, {0x7F, 0x04, 0x08, 0x10, 0x7F}, {0x3E, 0x41, 0x41, 0x41, 0x3E},
    {0x7F, 0x09, 0x09, 0x09, 0x06}, {0x3E, 0x41, 0x51, 0x21, 0x5E}, {0x7F, 0x09, 0x19, 0x29, 0x46},
    {0x46, 0x49, 0x49, 0x49, 0x31}, {0x01, 0x01, 0x7F, 0x01, 0x01}, {0x3F, 0x40, 0x40, 0x40, 0x3F},
    {0x1F, 0x20, 0x40, 0x20, 0x1F}, {0x3F, 0x40, 0x38, 0x40, 0x3F}, {0x63, 0x14, 0x08, 0x14, 0x63},
    {0x07, 0x08, 0x70, 0x08, 0x07}, {0x61, 0x51, 0x49, 0x45, 0x43}, {0x00, 0x7F, 0x41, 0x41, 0x00},
    {0x02, 0x04, 0x08, 0x10, 0x20}, {0x00, 0x41, 0x41, 0x7F, 0x00}, {0x04, 0x02, 0x01, 0x02, 0x04},
    {0x40, 0x40, 0x40, 0x40, 0x40}, {0x00, 0x01, 0x02, 0x04, 0x00}, {0x20, 0x54, 0x54, 0x54, 0x78},
    {0x7F, 0x48, 0x44, 0x44, 0x38}, {0x38, 0x44, 0x44, 0x44, 0x20}, {0x38, 0x44, 0x44, 0x48, 0x7F},
    {0x38, 0x54, 0x54, 0x54, 0x18}, {0x08, 0x7E, 0x09, 0x01, 0x02}, {0x0C, 0x52, 0x52, 0x52, 0x3E},
    {0x7F, 0x08, 0x04, 0x04, 0x78}, {0x00, 0x44, 0x7D, 0x40, 0x00}, {0x20, 0x40, 0x44, 0x3D, 0x00},
    {0x7F, 0x10, 0x28, 0x44, 0x00}, {0x00, 0x41, 0x7F, 0x40, 0x00}, {0x7C, 0x04, 0x18, 0x04, 0x78},
    {0x7C, 0x08, 0x04, 0x04, 0x78}, {0x38, 0x44, 0x44, 0x44, 0x38}, {0x7C, 0x14, 0x14, 0x14, 0x08},
    {0x08, 0x14, 0x14, 0x18, 0x7C}, {0x7C, 0x08, 0x04, 0x04, 0x08}, {0x48, 0x54, 0x54, 0x54, 0x20},
    {0x04, 0x3F, 0x44, 0x40, 0x20}, {0x3C, 0x40, 0x40, 0x20, 0x7C}, {0x1C, 0x20, 0x40, 0x20, 0x1C},
    {0x3C, 0x40, 0x30, 0x40, 0x3C}, {0x44, 0x28, 0x10, 0x28, 0x44}, {0x0C, 0x50, 0x50, 0x50, 0x3C},
    {0x44, 0x64, 0x54, 0x4C, 0x44}, {0x00, 0x08, 0x36, 0x41, 0x00}, {0x00, 0x00, 0x7F, 0x00, 0x00},
    {0x00, 0x41, 0x36, 0x08, 0x00}, {0x02, 0x01, 0x02, 0x04, 0x02},
};

const uint8_t* glyphOf(unsigned char c) {
  if (c < 0x20 || c > 0x7E) c = '?';  // the font has no other characters
  return kFont[c - 0x20];
}

// 75 % colour bars, left to right.
constexpr uint32_t kBars[] = {0xFFBFBFBF, 0xFFBFBF00, 0xFF00BFBF, 0xFF00BF00,
                              0xFFBF00BF, 0xFFBF0000, 0xFF0000BF, 0xFF000000};

uint32_t rgb(int r, int g, int b) {
  auto c = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
  return kBlack | c(r) << 16 | c(g) << 8 | c(b);
}

// The decoder's picture path on one pixel, in full-range BT.601 YCbCr:
//   Y' = Y x contrast / 0xD8 + brightness
//   (Cb, Cr) turned by hue x 90/128 degrees, then Cb' x satU / 0xFE and Cr' x satV / 0xB4.
class PictureAdjust {
public:
  explicit PictureAdjust(const PictureControls& c)
      : luma_(c.contrast / kUnitContrast), bright_(c.brightness),
        gainU_(c.saturationU / kUnitSatU), gainV_(c.saturationV / kUnitSatV) {
    double angle = c.hue * kHueDegreesPerStep * std::numbers::pi / 180.0;
    cos_ = std::cos(angle);
    sin_ = std::sin(angle);
  }

  uint32_t apply(uint32_t pixel) const {
    if (((pixel >> 16) & 0xFF) == (pixel & 0xFF) && ((pixel >> 8) & 0xFF) == (pixel & 0xFF))
      return grey(static_cast<int>(pixel & 0xFF));  // no chroma to turn or scale
    double r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    double y = 0.299 * r + 0.587 * g + 0.114 * b;
    double cb = -0.168736 * r - 0.331264 * g + 0.5 * b;
    double cr = 0.5 * r - 0.418688 * g - 0.081312 * b;
    double y2 = y * luma_ + bright_;
    double cb2 = (cb * cos_ - cr * sin_) * gainU_;
    double cr2 = (cb * sin_ + cr * cos_) * gainV_;
    return rgb(round(y2 + 1.402 * cr2), round(y2 - 0.344136 * cb2 - 0.714136 * cr2),
               round(y2 + 1.772 * cb2));
  }

  // A grey level after brightness and contrast (chroma is 0 whatever the saturation).
  uint32_t grey(int level) const {
    int v = round(level * luma_ + bright_);
    return rgb(v, v, v);
  }

private:
  static int round(double v) { return static_cast<int>(std::lround(v)); }

  double luma_, bright_, gainU_, gainV_, cos_ = 1, sin_ = 0;
};

// A small fast generator (xorshift64*), seeded through splitmix64 so that neighbouring frame
// numbers give unrelated sequences.
class Noise {
public:
  explicit Noise(uint64_t seed) {
    uint64_t z = seed + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    state_ = (z ^ (z >> 31)) | 1;
  }
  uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }

private:
  uint64_t state_;
};

// The text size that fits `length` characters across `width` pixels, at most `maxScale`.
int textScale(size_t length, int width, int maxScale) {
  if (length == 0) return maxScale;
  int fit = static_cast<int>(width / (length * (kGlyphWidth + 1)));
  return std::clamp(fit, 1, maxScale);
}

bool is525Line(int format) { return format == 1 || format == 2 || format == 4; }

// Where a pattern's label goes: the text size, its first row and column, and how many of its
// characters fit.
struct LabelPlace {
  int scale = 1;
  int top = 0;
  int left = 0;
  int shown = 0;
};

LabelPlace placeLabel(const PictureState& state) {
  const int w = state.width, h = state.height;
  const int rampEnd = h * 3 / 4;
  const int margin = w / 16;
  LabelPlace place;
  place.scale = textScale(state.label.size(), w - 2 * margin, std::max(1, h / 96));
  const int fits = (w - 2 * margin) / ((kGlyphWidth + 1) * place.scale);
  place.top = rampEnd + (h - SimPicture::kMarkerHeight - rampEnd - kGlyphHeight * place.scale) / 2;
  const bool roomForText = place.top >= rampEnd && place.top + kGlyphHeight * place.scale <= h;
  place.shown = roomForText ? std::min(static_cast<int>(state.label.size()), fits) : 0;
  const int textW = place.shown * (kGlyphWidth + 1) * place.scale - place.scale;
  place.left = (w - textW) / 2;
  return place;
}

// Rows of a pattern fall into kinds; rows of one kind are alike.
enum RowKind { kBarsRow, kRampRow, kBlackRow, kGlyphRow0 };  // kGlyphRow0 + glyph row 0..6

int rowKindOf(const PictureState& state, const LabelPlace& label, int y) {
  const int h = state.height;
  if (y < h * 2 / 3) return kBarsRow;
  if (y < h * 3 / 4) return kRampRow;
  if (label.shown == 0 || y < label.top || y >= label.top + kGlyphHeight * label.scale)
    return kBlackRow;
  return kGlyphRow0 + (y - label.top) / label.scale;
}

// One row of the pattern before the controls: the bars, the grey ramp, or black with the part
// of the label that crosses it.
void composeRow(const PictureState& state, const LabelPlace& label, int kind, uint32_t* row) {
  const int w = state.width;
  if (kind == kBarsRow) {
    for (int x = 0; x < w; ++x) row[x] = kBars[x * 8 / w];
    return;
  }
  if (kind == kRampRow) {
    for (int x = 0; x < w; ++x) {
      const int level = w > 1 ? x * 255 / (w - 1) : 0;
      row[x] = rgb(level, level, level);
    }
    return;
  }
  std::fill_n(row, w, kBlack);
  if (kind < kGlyphRow0) return;
  const int glyphRow = kind - kGlyphRow0;
  for (int i = 0; i < label.shown; ++i) {
    const uint8_t* glyph = glyphOf(static_cast<unsigned char>(state.label[i]));
    for (int col = 0; col < kGlyphWidth; ++col)
      if (glyph[col] >> glyphRow & 1)
        std::fill_n(row + label.left + (i * (kGlyphWidth + 1) + col) * label.scale, label.scale,
                    0xFFFFFFFFu);
  }
}

}  // namespace

// ---- What is on

PictureControls SimPicture::controlsOf(const Bt848Card& card) {
  uint32_t e = card.peek(bt::kEControl);
  auto nine = [&](uint32_t lo, uint32_t msb) {
    return static_cast<int>((card.peek(lo) & 0xFF) | ((e & msb) ? 0x100 : 0));
  };
  PictureControls c;
  c.brightness = static_cast<int8_t>(card.peek(kBright) & 0xFF);
  c.contrast = nine(kContrastLo, kConMsb);
  c.saturationU = nine(kSatULo, kSatUMsb);
  c.saturationV = nine(kSatVLo, kSatVMsb);
  c.hue = static_cast<int8_t>(card.peek(kHue) & 0xFF);
  return c;
}

PictureState SimPicture::describe(const Bt848Card& card) {
  using Content = PictureState::Content;
  PictureState s;
  s.controls = controlsOf(card);
  int format = static_cast<int>(card.peek(bt::kIform) & 7);
  const Station* station = nullptr;
  switch (card.videoInput()) {
    case VideoInput::Tuner:
      if (card.tuner().present() && card.tuner().fmIf()) {
        s.content = Content::Radio;
        break;
      }
      station = card.tunedStation();
      if (station && station->kind == Station::Kind::TV) {
        s.content = station->locks ? Content::Pattern : Content::WeakPattern;
        s.label = station->name;
      } else {
        station = nullptr;
        s.content = Content::Snow;
      }
      break;
    case VideoInput::Composite:
    case VideoInput::SVideo:
      s.content = card.videoPresent() ? Content::Pattern : Content::Black;
      if (s.content == Content::Pattern)
        s.label = card.videoInput() == VideoInput::Composite ? "AV" : "SVHS";
      break;
    case VideoInput::None: s.content = Content::Black; break;
  }
  // FORMAT 0 detects the line count from the signal: a station of a 525-line standard.
  bool lines525 = format == 0 ? station && is525Line(station->standard) : is525Line(format);
  s.width = lines525 ? kWidth525 : kWidth625;
  s.height = lines525 ? kHeight525 : kHeight625;
  return s;
}

// ---- Rendering

void SimPicture::render(const PictureState& state, uint64_t frame, uint32_t* pixels,
                        const PictureState* held) {
  using Content = PictureState::Content;
  if (state.width <= 0 || state.height <= 0) return;
  const size_t count = static_cast<size_t>(state.width) * static_cast<size_t>(state.height);
  const bool same = held && *held == state;
  switch (state.content) {
    case Content::Black:
    case Content::Radio:
      if (!same) std::fill_n(pixels, count, kBlack);
      return;
    case Content::Snow: renderSnow(state, frame, pixels); return;
    case Content::Pattern:
    case Content::WeakPattern: {
      if (!cacheValid_ || !(cachedState_ == state)) buildPattern(state);
      // Over a held frame of a steady pattern only the marker moved: its strip is put back.
      const int w = state.width, h = state.height;
      const bool steady = same && state.content == Content::Pattern;
      const int from = steady ? std::max(0, h - kMarkerHeight) : 0;
      for (int y = from; y < h; ++y)
        std::memcpy(pixels + static_cast<size_t>(y) * w, rowOfKind_[kindOfRow_[size_t(y)]].data(),
                    w * sizeof(uint32_t));
      drawMarker(state, frame, pixels);
      if (state.content == Content::WeakPattern) addNoise(state, frame, pixels);
      return;
    }
  }
}

// Colour bars over the top two thirds, a grey ramp below them, and the label in white on black
// across the bottom quarter; then the controls are applied. Rows fall into a few kinds (bars,
// ramp, black, each row of the glyphs); each kind is composed and converted once, and a frame is
// built from them row by row.
void SimPicture::buildPattern(const PictureState& state) {
  const int w = state.width, h = state.height;
  const LabelPlace label = placeLabel(state);
  const PictureAdjust adjust(state.controls);
  rowOfKind_.assign(kGlyphRow0 + kGlyphHeight, {});
  kindOfRow_.resize(size_t(h));
  std::vector<uint32_t> row(static_cast<size_t>(w));
  for (int y = 0; y < h; ++y) {
    const int kind = rowKindOf(state, label, y);
    kindOfRow_[size_t(y)] = uint8_t(kind);
    std::vector<uint32_t>& out = rowOfKind_[size_t(kind)];
    if (!out.empty()) continue;
    composeRow(state, label, kind, row.data());
    out.resize(size_t(w));
    uint32_t lastIn = row[0], lastOut = adjust.apply(row[0]);
    for (int x = 0; x < w; ++x) {
      if (row[x] != lastIn) lastIn = row[x], lastOut = adjust.apply(row[x]);
      out[size_t(x)] = lastOut;
    }
  }
  cachedState_ = state;
  cacheValid_ = true;
}

// Uniform luma noise through brightness and contrast; snow carries no colour.
void SimPicture::renderSnow(const PictureState& state, uint64_t frame, uint32_t* pixels) const {
  PictureAdjust adjust(state.controls);
  std::array<uint32_t, 256> grey;
  for (int i = 0; i < 256; ++i) grey[i] = adjust.grey(i);
  Noise noise(frame);
  size_t count = static_cast<size_t>(state.width) * static_cast<size_t>(state.height);
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    uint64_t r = noise.next();
    for (int k = 0; k < 8; ++k) pixels[i + k] = grey[(r >> (8 * k)) & 0xFF];
  }
  for (uint64_t r = noise.next(); i < count; ++i, r >>= 8) pixels[i] = grey[r & 0xFF];
}

// A weak station: the same luma noise offset added to the three components of each pixel.
void SimPicture::addNoise(const PictureState& state, uint64_t frame, uint32_t* pixels) const {
  Noise noise(frame ^ 0x5A5A5A5A5A5A5A5Aull);
  size_t count = static_cast<size_t>(state.width) * static_cast<size_t>(state.height);
  uint64_t r = 0;
  for (size_t i = 0; i < count; ++i, r >>= 8) {
    if ((i & 7) == 0) r = noise.next();
    int n = static_cast<int>(r & 0xFF) * 2 * kNoiseAmplitude / 256 - kNoiseAmplitude;
    uint32_t p = pixels[i];
    pixels[i] = rgb(((p >> 16) & 0xFF) + n, ((p >> 8) & 0xFF) + n, (p & 0xFF) + n);
  }
}

// A white block that steps 8 pixels to the right per frame along the bottom strip.
void SimPicture::drawMarker(const PictureState& state, uint64_t frame, uint32_t* pixels) const {
  const int w = state.width, h = state.height;
  const int size = 2 * kMarkerHeight;
  if (w <= size || h < kMarkerHeight) return;
  const int x = static_cast<int>((frame * 8) % static_cast<uint64_t>(w - size));
  const uint32_t white = PictureAdjust(state.controls).apply(0xFFFFFFFF);
  for (int y = h - kMarkerHeight; y < h; ++y)
    std::fill_n(pixels + static_cast<size_t>(y) * w + x, size, white);
}

int SimPicture::lumaOf(uint32_t pixel) {
  int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return (299 * r + 587 * g + 114 * b + 500) / 1000;
}

}  // namespace sim
