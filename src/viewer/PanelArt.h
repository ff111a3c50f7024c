// The pictures of the panel's built-in look, used when no skin is chosen: drawn by
// tools/make_panel_art.py and compiled in (resources/viewer_panel.qrc). A skin replaces them.
// Pictures that stand on the panel carry the pixels behind them in their corners; the slider
// bitmaps and the frequency-step glyphs are transparent where they match their lower-left pixel.
#pragma once

#include <QImage>

#include <memory>

namespace gui {
class TBitmap;
}

namespace panelart {

// Names of the pictures.
inline constexpr const char* kBackground = "PANEL_BACK";
inline constexpr const char* kCaption = "PANEL_CAPTION";
inline constexpr const char* kChannelUp[3] = {"PANEL_CHUP_N", "PANEL_CHUP_H", "PANEL_CHUP_P"};
inline constexpr const char* kChannelDown[3] = {"PANEL_CHDN_N", "PANEL_CHDN_H", "PANEL_CHDN_P"};
inline constexpr const char* kMiniUp = "PANEL_MINIUP";
inline constexpr const char* kMiniDown = "PANEL_MINIDN";
inline constexpr const char* kRoll = "PANEL_ROLL";
inline constexpr const char* kMinimize = "PANEL_MINIMIZE";
inline constexpr const char* kHide = "PANEL_HIDE";
inline constexpr const char* kClose = "PANEL_CLOSE";
inline constexpr const char* kOptionOn = "PANEL_OPT_ON";
inline constexpr const char* kOptionOff = "PANEL_OPT_OFF";
inline constexpr const char* kToolScheduler = "PANEL_TOOL_SCHEDULER";
inline constexpr const char* kToolCapture = "PANEL_TOOL_CAPTURE";
inline constexpr const char* kToolChannels = "PANEL_TOOL_CHANNELS";
inline constexpr const char* kToolSettings = "PANEL_TOOL_SETTINGS";
inline constexpr const char* kToolTeletext = "PANEL_TOOL_TELETEXT";
inline constexpr const char* kFrequencyDown = "PANEL_FREQ_DN";
inline constexpr const char* kFrequencyUp = "PANEL_FREQ_UP";
inline constexpr const char* kHThumb = "PANEL_HTHUMB";
inline constexpr const char* kHRuler = "PANEL_HRULER";
inline constexpr const char* kVThumb = "PANEL_VTHUMB";
inline constexpr const char* kVRuler = "PANEL_VRULER";

// The picture of that name; a null image when there is none.
QImage Picture(const char* name);
// The same as a bitmap.
std::unique_ptr<gui::TBitmap> Bitmap(const char* name);

}  // namespace panelart
