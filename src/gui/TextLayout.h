// Line layout of DrawText: prefix characters ('&'), line ends, tab expansion, word breaking and
// end ellipsis, measured with the canvas font.
#pragma once

#include <QFontMetrics>
#include <QString>

#include <vector>

namespace gui {

struct TextLine {
  QString text;
  int underline = -1;  // index of the character marked by '&', or -1
  int width = 0;
};

// Lays out text for DrawText's flags within maxWidth pixels (used by DT_WORDBREAK and
// DT_END_ELLIPSIS). An empty text gives no lines.
std::vector<TextLine> LayoutText(const QString& text, unsigned flags, int maxWidth,
                                 const QFontMetrics& metrics);

}  // namespace gui
