// Where the panel's controls stand in its built-in look (no skin), and its colours. The fields of
// the background picture are drawn around these places by tools/make_panel_art.py: a change
// here needs the same change there and the pictures drawn again.
#pragma once

#include <QRect>

#include "gui/Colors.h"

namespace panel {

// The whole panel and its title bar.
constexpr int kWidth = 409;
constexpr int kHeight = 161;
constexpr QRect kBackground(0, 0, kWidth, kHeight);
constexpr QRect kCaption(0, 0, 401, 21);
constexpr QRect kGradient(2, 2, 224, 17);
constexpr QRect kChannelName(6, 4, 218, 13);
constexpr QRect kMiniVolume(228, 3, 66, 16);
constexpr QRect kMiniUp(297, 5, 12, 12);
constexpr QRect kMiniDown(311, 5, 12, 12);
constexpr QRect kRoll(330, 3, 16, 16);
constexpr QRect kMinimize(347, 3, 16, 16);
constexpr QRect kHide(364, 3, 16, 16);
constexpr QRect kClose(381, 3, 16, 16);

// First row: channel display and buttons, frequency display, standard and input.
constexpr QRect kChannelNumber(6, 27, 56, 32);
constexpr QRect kChannelUp(67, 24, 24, 19);
constexpr QRect kChannelDown(67, 44, 24, 19);
constexpr QRect kUpDown(95, 33, 28, 20);
constexpr QRect kFrequency(131, 26, 150, 34);
constexpr QRect kStandard(298, 27, 104, 16);
constexpr QRect kInput(298, 44, 104, 16);

// Left column: master volume and the frequency field with its fine steps.
constexpr QRect kMasterVolume(24, 72, 122, 16);
constexpr QRect kFrequencyDown(8, 101, 20, 20);
constexpr QRect kFrequencyField(30, 101, 91, 20);
constexpr QRect kFrequencyUp(123, 101, 20, 20);

// The five vertical sliders (line volume, brightness, contrast, hue, saturation).
constexpr int kSliderLeft = 157;
constexpr int kSliderPitch = 22;
constexpr int kSliderTop = 69;
constexpr int kSliderWidth = 18;
constexpr int kSliderHeight = 53;

// The options: a glyph and a label per row.
constexpr int kOptionGlyphLeft = 280;
constexpr int kOptionLabelLeft = 295;
constexpr int kOptionTop = 69;
constexpr int kOptionPitch = 15;
constexpr int kOptionGlyph = 11;

// The tool buttons along the bottom.
constexpr int kToolTop = 141;
constexpr int kToolHeight = 19;
constexpr int kToolWidth = 24;
constexpr int kToolLeft = 26;
constexpr int kToolGap = 2;
constexpr int kFullScreenWidth = 84;

// Colours (0x00BBGGRR).
constexpr gui::TColor kInk = 0xEAE0D7;        // labels on the face
constexpr gui::TColor kLcdInk = 0xE8D628;     // texts of the display fields
constexpr gui::TColor kLcdShadow = 0x302804;  // their glow
constexpr gui::TColor kLcd = 0x1A160A;        // the display fields' ground
constexpr gui::TColor kWell = 0x211C19;       // slider wells and the options field
constexpr gui::TColor kTitle = 0x1C1714;       // the title bar, under the mini volume slider
constexpr gui::TColor kTitleInk = 0xFFFFFF;

}  // namespace panel
