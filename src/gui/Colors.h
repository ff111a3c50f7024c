// Colours as the class library holds them: TColor is 0x00BBGGRR for an RGB value, 0x80000000 |
// index for a system colour (taken from the Qt palette), clNone and clDefault.
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>
#include <string>

class QWidget;

namespace gui {

using TColor = int32_t;

constexpr TColor RGB(int r, int g, int b) {
  return TColor(uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16);
}
constexpr int GetRValue(TColor c) { return int(uint32_t(c) & 0xFF); }
constexpr int GetGValue(TColor c) { return int(uint32_t(c) >> 8 & 0xFF); }
constexpr int GetBValue(TColor c) { return int(uint32_t(c) >> 16 & 0xFF); }

constexpr TColor kSystemColorFlag = TColor(0x80000000u);
constexpr TColor SystemColor(int index) { return TColor(0x80000000u | uint32_t(index)); }

// Indexes of the system colours.
enum SystemColorIndex : int {
  COLOR_SCROLLBAR = 0, COLOR_BACKGROUND, COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION, COLOR_MENU,
  COLOR_WINDOW, COLOR_WINDOWFRAME, COLOR_MENUTEXT, COLOR_WINDOWTEXT, COLOR_CAPTIONTEXT,
  COLOR_ACTIVEBORDER, COLOR_INACTIVEBORDER, COLOR_APPWORKSPACE, COLOR_HIGHLIGHT,
  COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_GRAYTEXT, COLOR_BTNTEXT,
  COLOR_INACTIVECAPTIONTEXT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_INFOTEXT,
  COLOR_INFOBK, COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION,
};

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);

// The RGB value of a system colour index (its low byte), read from the application palette;
// indexes without a colour give black, as the system does.
TColor GetSysColor(int index);

// A system colour becomes its RGB value; every other value (RGB, clNone, clDefault) is returned
// unchanged, as the class library does.
TColor ColorToRGB(TColor color);

// An RGB or system colour as an opaque QColor (clNone and clDefault count as their low 24 bits).
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// Gives `widget` its own colour for `role` in every colour group. Setting the colour it holds as
// its own already changes nothing and costs little: windows that set their caption colours on
// every tick of a timer spare Qt working out the whole palette again.
void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, TColor color);

// Names: "clRed" <-> 0x0000FF for the named colours, clNone and clDefault; other values read and
// write as "$XXXXXXXX" (8 hexadecimal digits; reading also takes decimal and "0x").
std::string ColorToString(TColor color);
bool IdentToColor(const std::string& ident, TColor& color);  // case-insensitive
// Raises EConvertError for a text that is neither a name nor a number.
TColor StringToColor(const std::string& text);

}  // namespace gui
