// Error texts of the GIF image. They come from the control library's own string table, which the
// program does not carry: the texts are empty, so such a failure shows as an empty error box.
#pragma once

namespace rxgif::texts {

inline constexpr const char* kSGIFImage = "";          // file type description
inline constexpr const char* kSNotAGIF = "";           // the signature is not a GIF's
inline constexpr const char* kSCodeStack = "";         // a code chain the decoder cannot follow
inline constexpr const char* kSBadCodeSize = "";       // minimum code size outside 2..9
inline constexpr const char* kSWrongBitCount = "";     // bits per pixel outside 1..8
inline constexpr const char* kSBadExtensionLabel = ""; // an unknown extension label
inline constexpr const char* kSChangeGIFSize = "";     // the size of a GIF cannot be set
inline constexpr const char* kSBitmapDepth = "";       // a bitmap of a depth GIF cannot take
inline constexpr const char* kSNoGIFData = "";         // nothing to write or grey

}  // namespace rxgif::texts
