// GIF bytes for the tests: a builder of hand-made files, a literal-only LZW encoder whose
// sub-block size can be chosen, files written and read by the reference library, and the
// indexes our decoder produced for a frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/Rxgif.h"

namespace rxgiftest {

using Bytes = std::vector<uint8_t>;

// LZW data of the indexes as literal codes only (clear codes keep the table from filling):
// the minimum-code-size byte, sub-blocks of at most `blockSize` bytes, the terminator.
Bytes EncodeLiterals(const std::vector<uint8_t>& indexes, int minimumCodeSize,
                     int blockSize = 255);
// Codes given one by one at the sizes given, packed and cut into sub-blocks.
struct Code {
  unsigned value;
  int size;
};
Bytes PackCodes(const std::vector<Code>& codes, int minimumCodeSize, int blockSize = 255);
// The same LZW data cut into sub-blocks of at most `blockSize` bytes.
Bytes Reblock(const Bytes& lzw, int blockSize);

// A hand-made GIF file, block by block.
class GifBuilder {
public:
  explicit GifBuilder(const char* signature = "GIF89a");
  GifBuilder& Screen(int width, int height, int globalBits = 0, int background = 0,
                     uint8_t aspect = 0);
  GifBuilder& GraphicControl(uint8_t packed, uint16_t delay, uint8_t transparentIndex);
  GifBuilder& Comment(const std::vector<std::string>& lines);
  GifBuilder& Application(const std::string& identifier, const std::vector<Bytes>& blocks,
                          uint8_t blockSize = 11);
  GifBuilder& PlainText();
  // An image descriptor; localBits > 0 adds a local table of 2^localBits entries.
  GifBuilder& Image(int left, int top, int width, int height, const Bytes& lzw,
                    int localBits = 0, bool interlaced = false);
  GifBuilder& Raw(const Bytes& bytes);
  GifBuilder& Trailer();
  const Bytes& bytes() const { return bytes_; }

  // Colour i of the tables the builder writes: a distinct colour per index.
  static constexpr uint8_t Red(int i) { return uint8_t(i * 7 + 1); }
  static constexpr uint8_t Green(int i) { return uint8_t(i * 13 + 2); }
  static constexpr uint8_t Blue(int i) { return uint8_t(255 - i); }

private:
  void table(int bits);
  Bytes bytes_;
};

// An image read from bytes (ReadStream of all of them, decoding frame 0).
void Load(rxgif::TGIFImage& image, const Bytes& bytes, bool decodeFirst = true);
// The indexes of a frame as our decoder writes them into its BMP image, row by row from the top.
std::vector<uint8_t> FrameIndexes(rxgif::TGIFFrame& frame);

// --- the reference library ------------------------------------------------------------------

struct RefFrame {
  int left = 0, top = 0, width = 0, height = 0;
  int localBits = 0;  // 0: no local table
  bool interlaced = false;
  int transparent = -1;  // index, -1 for none
  uint16_t delay = 0;
  std::vector<uint8_t> indexes;  // rows from the top
};

// A GIF written by the reference encoder: a global table of 2^globalBits entries (0: none).
Bytes RefEncode(int screenWidth, int screenHeight, int globalBits,
                const std::vector<RefFrame>& frames);
// Every frame's indexes as the reference decoder reads them; false when it fails.
bool RefDecode(const Bytes& gif, std::vector<std::vector<uint8_t>>& frames);

}  // namespace rxgiftest
