#include "controls/dormant/TextListBox.h"

namespace rxctrls {

int TTextListBox::GetItemWidth(int index) {
  std::string s = Items().Get(index) + "x";
  if (TabWidth() >= 1) return TabbedTextWidth(Canvas(), s, TabStopPixels()) & 0xFFFF;
  return Canvas().TextWidth(s);
}

}  // namespace rxctrls
