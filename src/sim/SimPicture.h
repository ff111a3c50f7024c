// The picture the simulated card delivers to its capture driver: what is on follows the card's
// state (input, tuned station, socket flags, video format) and the decoder's picture registers
// are applied to it. Frames are plain 32-bit words 0xFFRRGGBB, row after row without padding, so
// that a GUI layer can show them as they are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

class Bt848Card;

// The decoder's picture controls, as the registers hold them.
struct PictureControls {
  int brightness = 0;    // BRIGHT, signed -128..127, added to luma
  int contrast = 0xD8;   // CONTRAST_LO + CON_MSB, 0..511; 0xD8 is a gain of 1
  int saturationU = 0xFE;  // SAT_U_LO + SAT_U_MSB, 0..511; 0xFE is a gain of 1
  int saturationV = 0xB4;  // SAT_V_LO + SAT_V_MSB, 0..511; 0xB4 is a gain of 1
  int hue = 0;           // HUE, signed -128..127, about 0.7 degrees per step

  bool operator==(const PictureControls&) const = default;
};

// What the card shows at one moment.
struct PictureState {
  enum class Content {
    Pattern,      // a TV station, or a signal on the AV or SVHS socket: test pattern and label
    WeakPattern,  // a TV station the decoder does not lock to: the pattern under noise
    Snow,         // the tuner receives nothing
    Black,        // no signal on the selected socket, or an unwired input
    Radio,        // the tuner is in FM mode: no picture (black)
  };

  Content content = Content::Black;
  std::string label;  // station name, "AV" or "SVHS" on a pattern
  int width = 768;
  int height = 576;
  PictureControls controls;

  bool operator==(const PictureState&) const = default;
};

class SimPicture {
public:
  // Frames are 768 x 576 for the 625-line formats and 640 x 480 for the 525-line ones.
  static constexpr int kWidth625 = 768;
  static constexpr int kHeight625 = 576;
  static constexpr int kWidth525 = 640;
  static constexpr int kHeight525 = 480;

  // Reads the card's state; never logs and never changes the card.
  static PictureState describe(const Bt848Card& card);

  // The picture controls held by the card's registers.
  static PictureControls controlsOf(const Bt848Card& card);

  // Frame number `frame` of `state` into `pixels` (state.width x state.height words). The same
  // state and frame number always give the same pixels: snow and noise come from a generator
  // seeded by the frame number, and a pattern's marker moves along its bottom edge frame by frame.
  // When `held` says what `pixels` hold already (a frame this object drew of that state), only
  // what differs is drawn: for a steady pattern, the strip with the marker.
  void render(const PictureState& state, uint64_t frame, uint32_t* pixels,
              const PictureState* held = nullptr);

  // Luma of a 0xFFRRGGBB pixel (0..255, BT.601 weights); tests and callers measure with it.
  static int lumaOf(uint32_t pixel);

  // Height of the strip at the bottom of a pattern where the moving marker runs.
  static constexpr int kMarkerHeight = 8;

private:
  void buildPattern(const PictureState& state);
  void renderSnow(const PictureState& state, uint64_t frame, uint32_t* pixels) const;
  void addNoise(const PictureState& state, uint64_t frame, uint32_t* pixels) const;
  void drawMarker(const PictureState& state, uint64_t frame, uint32_t* pixels) const;

  // The pattern with the controls applied, kept until the state changes: rows of one kind are
  // alike, so one row of each kind is kept, and the kind of every row.
  PictureState cachedState_;
  bool cacheValid_ = false;
  std::vector<std::vector<uint32_t>> rowOfKind_;
  std::vector<uint8_t> kindOfRow_;
};

}  // namespace sim
