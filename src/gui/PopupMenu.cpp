#include "gui/PopupMenu.h"

namespace gui {

void TPopupMenu::Popup(int x, int y) {
  int width = sizeHint().width();
  int left = x;
  if (alignment_ == paRight) left = x - width;
  else if (alignment_ == paCenter) left = x - width / 2;
  exec(QPoint(left, y));
}

}  // namespace gui
