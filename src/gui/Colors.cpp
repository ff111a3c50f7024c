#include "gui/Colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

#include <array>
#include <cstdio>
#include <strings.h>

#include "gui/Exceptions.h"
#include "gui/NumberText.h"

namespace gui {

namespace {

struct SystemRole {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// Where each system colour comes from in the Qt palette; index 25 has no colour.
constexpr std::array<SystemRole, 31> kSystemRoles = {{
    {QPalette::Active, QPalette::Button},           // scroll bar
    {QPalette::Active, QPalette::Dark},             // desktop background
    {QPalette::Active, QPalette::Highlight},        // active caption
    {QPalette::Inactive, QPalette::Mid},            // inactive caption
    {QPalette::Active, QPalette::Window},           // menu
    {QPalette::Active, QPalette::Base},             // window
    {QPalette::Active, QPalette::Shadow},           // window frame
    {QPalette::Active, QPalette::WindowText},       // menu text
    {QPalette::Active, QPalette::Text},             // window text
    {QPalette::Active, QPalette::HighlightedText},  // caption text
    {QPalette::Active, QPalette::Button},           // active border
    {QPalette::Active, QPalette::Button},           // inactive border
    {QPalette::Active, QPalette::Mid},              // application work space
    {QPalette::Active, QPalette::Highlight},        // highlight
    {QPalette::Active, QPalette::HighlightedText},  // highlight text
    {QPalette::Active, QPalette::Button},           // button face
    {QPalette::Active, QPalette::Dark},             // button shadow
    {QPalette::Disabled, QPalette::Text},           // grey text
    {QPalette::Active, QPalette::ButtonText},       // button text
    {QPalette::Active, QPalette::Window},           // inactive caption text
    {QPalette::Active, QPalette::Light},            // button highlight
    {QPalette::Active, QPalette::Shadow},           // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // info text
    {QPalette::Active, QPalette::ToolTipBase},      // info background
    {QPalette::Active, QPalette::NoRole},           // (none)
    {QPalette::Active, QPalette::Link},             // hot light
    {QPalette::Active, QPalette::Highlight},        // gradient active caption
    {QPalette::Inactive, QPalette::Mid},            // gradient inactive caption
    {QPalette::Active, QPalette::Highlight},        // menu highlight
    {QPalette::Active, QPalette::Window},           // menu bar
}};

struct ColorName {
  TColor color;
  const char* name;
};

constexpr std::array<ColorName, 43> kColorNames = {{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"},
}};

}  // namespace

TColor GetSysColor(int index) {
  index &= 0xFF;
  if (index >= int(kSystemRoles.size()) || kSystemRoles[index].role == QPalette::NoRole) {
    return clBlack;
  }
  QPalette palette = QGuiApplication::palette();
  const SystemRole& source = kSystemRoles[index];
  return FromQColor(palette.color(source.group, source.role));
}

TColor ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(int(uint32_t(color) & 0xFF));
  return color;
}

void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, TColor color) {
  const QPalette before = widget->palette();
  QPalette after = before;
  after.setColor(role, ToQColor(color));
  if (widget->testAttribute(Qt::WA_SetPalette) && after == before &&
      after.resolveMask() == before.resolveMask())
    return;
  widget->setPalette(after);
}

QColor ToQColor(TColor color) {
  TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

std::string ColorToString(TColor color) {
  for (const ColorName& entry : kColorNames) {
    if (entry.color == color) return entry.name;
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%.8X", uint32_t(color));
  return buffer;
}

bool IdentToColor(const std::string& ident, TColor& color) {
  for (const ColorName& entry : kColorNames) {
    if (strcasecmp(entry.name, ident.c_str()) == 0) {
      color = entry.color;
      return true;
    }
  }
  return false;
}

TColor StringToColor(const std::string& text) {
  TColor color = 0;
  if (IdentToColor(text, color)) return color;
  return TColor(StrToInt(text));
}

}  // namespace gui
