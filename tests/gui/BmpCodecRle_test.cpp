// Run-length encoded BMP files (RLE8 and RLE4): runs, absolute runs, end of line, delta jumps and
// an early end. Every pixel the stream leaves out is colour index 0, the same on every load, so a
// file saves and loads back to the same pixels.
#include <gtest/gtest.h>

#include <QByteArray>

#include <string>

#include "BmpTestFiles.h"
#include "gui/Bitmap.h"
#include "gui/Exceptions.h"

using namespace gui;

namespace {

constexpr uint32_t kRle8 = 1, kRle4 = 2;

// A colour table in which no entry is black, so that a pixel nobody set cannot pass for index 0.
QRgb entry(int i) { return qRgb(10 + i, 200 - i / 2, 30 + i / 4); }

std::vector<uint8_t> rleFile(int bits, int width, int height, const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> rest;
  for (int i = 0; i < 1 << bits; ++i) {
    QRgb c = entry(i);
    rest.insert(rest.end(), {uint8_t(qBlue(c)), uint8_t(qGreen(c)), uint8_t(qRed(c)), 0});
  }
  rest.insert(rest.end(), stream.begin(), stream.end());
  return bmptest::fileBytes(
      bmptest::infoHeader(width, height, uint16_t(bits), bits == 8 ? kRle8 : kRle4), rest);
}

// The bitmap's rows, top row first, as table indexes in hex ('?' for a colour of no entry).
std::vector<std::string> indexRows(const TBitmap& bitmap, const std::vector<QRgb>& table) {
  std::vector<std::string> rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bitmap.Width(); ++x) {
      QRgb pixel = bitmap.Image().pixel(x, y);
      char c = '?';
      for (size_t i = 0; i < 16 && i < table.size() && c == '?'; ++i) {
        if (pixel == (table[i] | 0xFF000000u)) c = "0123456789abcdef"[i];
      }
      row += c;
    }
    rows.push_back(row);
  }
  return rows;
}

void expectSavedAndLoadedBack(const TBitmap& bitmap, const char* what) {
  std::vector<uint8_t> saved = bitmap.SaveToBytes();
  TBitmap back;
  back.LoadFromBytes(saved.data(), saved.size());
  EXPECT_EQ(back.Image(), bitmap.Image()) << what << ": pixels after saving and loading";
}

}  // namespace

TEST(BmpRle, PixelsTheStreamLeavesOutAreIndexZero) {
  struct Case {
    const char* what;
    int bits, width, height;
    std::vector<uint8_t> stream;
    std::vector<std::string> rows;  // top row first
  } cases[] = {
      {"runs, end of line, end of bitmap", 8, 4, 3,
       {4, 1, 0, 0, 2, 2, 0, 0, 3, 3, 0, 1}, {"3330", "2200", "1111"}},
      {"delta jump", 8, 4, 3, {1, 5, 0, 2, 2, 1, 1, 6, 0, 1}, {"0000", "0006", "5000"}},
      {"end of bitmap before the last row", 8, 4, 3, {4, 7, 0, 1}, {"0000", "0000", "7777"}},
      {"data ends without end of bitmap", 8, 4, 3, {4, 7, 0, 0, 2, 8}, {"0000", "8800", "7777"}},
      {"delta cut by the end of the data", 8, 4, 2, {1, 9, 0, 2, 1}, {"0000", "9000"}},
      {"absolute run padded to a word", 8, 4, 1, {0, 3, 9, 10, 11, 0, 1, 12, 0, 1}, {"9abc"}},
      {"absolute run cut by the end of the data", 8, 4, 1, {0, 4, 9, 10}, {"9a00"}},
      {"run past the right edge is cut", 8, 4, 2, {6, 4, 0, 0, 1, 5, 0, 1}, {"5000", "4444"}},
      {"run past the edge then more runs", 8, 3, 2, {5, 4, 2, 5, 0, 0, 1, 6}, {"600", "444"}},
      {"delta past the last row ends the picture", 8, 2, 2, {0, 2, 0, 5, 2, 3}, {"00", "00"}},
      {"delta past the right edge", 8, 3, 2, {0, 2, 9, 1, 1, 7}, {"000", "000"}},
      {"nibbles alternate in a run", 4, 5, 2, {5, 0x12, 0, 0, 3, 0x34, 0, 1},
       {"34300", "12121"}},
      {"absolute nibbles padded to a word", 4, 5, 1, {0, 5, 0x12, 0x34, 0x50, 0, 1, 0xF0, 0, 1},
       {"12345"}},
      {"nibble delta and early end", 4, 4, 3, {0, 2, 1, 1, 2, 0xAB}, {"0000", "0ab0", "0000"}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = rleFile(c.bits, c.width, c.height, c.stream);
    TBitmap bitmap;
    bitmap.LoadFromBytes(file.data(), file.size());
    EXPECT_EQ(bitmap.PixelFormat(), c.bits == 8 ? pf8bit : pf4bit) << c.what;
    EXPECT_EQ(bitmap.Palette().size(), size_t(1) << c.bits) << c.what;
    EXPECT_EQ(indexRows(bitmap, bitmap.Palette()), c.rows) << c.what;
    expectSavedAndLoadedBack(bitmap, c.what);
  }
}

// Inputs that loaded with other pixels on each run: runs past the right edge without an end of
// line fill the bottom row, and the stream then ends; the rows above are index 0.
TEST(BmpRle, FilesOfOneFilledRowLoadTheSameEveryTime) {
  struct Case {
    const char* what;
    int width, height;
    const char* base64;
  } cases[] = {
      {"179 bytes", 6, 12,
       "Qk2F//YAAAAAAHYAAAAoAAAABgAAAAwAAAABAAQAAgAAAAcAAAAAAAAAEAAAAAAAAAAJAAAALAAAAAB2AAAAKAAAqq"
       "qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqpOM2c5RXhjZXB0aW+qqqoGAAAABAAAAAEAfv///wAAEAAAAAAAAAAA+QAA"
       "JwAA7wAAAAAAAAAAAACAAACAAM4AgIAAgAAAAIkAAMDA3QDdAN0Au93d2QA="},
      {"246 bytes", 3, 4,
       "Qk0AhgAAAAAAAHYAAAAoAAAAAwAAAAQAAAABAAQAAgAAAAAAAAAAdgAAAAAAAAAAAAAAdv////////////////////"
       "//////////////////////////////////////////////////////////////////////////////////////////"
       "////////////////////////////////////////////////////////////BgAAKAAAAAYAAAAAAABCTUYAAAAAAA"
       "AANgAAASgAAABJAAAAAQAAAAEAAQAAAAAAAAAAAQABAAAAAAD///8AAAAA"},
      {"163 bytes", 6, 4,
       "Qk0BAAAAAAAAHnYAAAAoAAAABgAAAAQAAAABAAQAAgAAABAAAAAAAAAAAAAAAAAAAAAAAQAAKAAAAAAAgAAAgAAAAA"
       "AsAIAAwMDAAICAgAAAAP8AAP8AcXQuY29lci5w9fX19fX19fX19fX19Wx1Z2luLq8AAP//AP7//wD/AP8A//8AAP//"
       "/wD//wAA////AP8A//8AAP///wDd3d0A3d3ZAA=="},
  };
  for (const Case& c : cases) {
    QByteArray bytes = QByteArray::fromBase64(c.base64);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    TBitmap bitmap;
    bitmap.LoadFromBytes(data, size_t(bytes.size()));
    ASSERT_EQ(bitmap.Width(), c.width) << c.what;
    ASSERT_EQ(bitmap.Height(), c.height) << c.what;
    ASSERT_EQ(bitmap.Palette().size(), 16u) << c.what;
    QImage expected(c.width, c.height, QImage::Format_RGB32);
    expected.fill(bitmap.Palette()[0]);
    for (int x = 0; x < c.width; ++x) expected.setPixel(x, c.height - 1, bitmap.Palette()[15]);
    EXPECT_EQ(bitmap.Image(), expected) << c.what;
    TBitmap again;
    again.LoadFromBytes(data, size_t(bytes.size()));
    EXPECT_EQ(again.Image(), bitmap.Image()) << c.what << ": a second load";
    expectSavedAndLoadedBack(bitmap, c.what);
  }
}

TEST(BmpRle, LayoutsThatCannotBeRunLengthEncodedAreRefused) {
  struct Case {
    const char* what;
    int32_t width, height;
    uint16_t bits;
    uint32_t compression;
  } cases[] = {
      {"RLE8 at 4 bits", 4, 4, 4, kRle8},
      {"RLE4 at 8 bits", 4, 4, 8, kRle4},
      {"top-down rows", 4, -4, 8, kRle8},
      {"more pixels than a few bytes may fill", 2049, 2048, 8, kRle8},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> rest(size_t(4) << c.bits, 0);
    rest.insert(rest.end(), {0, 1});
    std::vector<uint8_t> file =
        bmptest::fileBytes(bmptest::infoHeader(c.width, c.height, c.bits, c.compression), rest);
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromBytes(file.data(), file.size()), EInvalidGraphic) << c.what;
  }
}
