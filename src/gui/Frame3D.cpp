#include "gui/Frame3D.h"

namespace gui {

void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width) {
  TBrush saved = canvas.Brush;
  canvas.Brush.Style = bsSolid;
  for (int i = 0; i < width && r.Width() > 0 && r.Height() > 0; ++i) {
    canvas.Brush.Color = topColor;
    canvas.FillRect(Rect(r.Left, r.Top, r.Right, r.Top + 1));
    canvas.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom));
    canvas.Brush.Color = bottomColor;
    canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
    canvas.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    InflateRect(r, -1, -1);
  }
  canvas.Brush = saved;
}

}  // namespace gui
