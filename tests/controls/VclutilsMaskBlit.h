// The transparent blit done step by step through monochrome masks and raster operations, as
// Windows draws it: four scratch surfaces, SRCAND and SRCPAINT. The drawing
// utilities compute the same pixels in one pass; tests compare the two, and the benchmark
// measures what the single pass saves.
#pragma once

#include "gui/Bitmap.h"
#include "gui/Canvas.h"

namespace vclutils_test {

inline void PrepareSurface(gui::TBitmap& bitmap, int width, int height, bool monochrome) {
  if (monochrome) bitmap.SetMonochrome(true);
  bitmap.SetSize(width, height);
  bitmap.Canvas().SetTextColor(gui::clBlack);
  bitmap.Canvas().SetBkColor(gui::clWhite);
}

inline void MaskPipelineBlt(gui::TCanvas& dest, int DstX, int DstY, int DstW, int DstH,
                            const gui::TCanvas& source, int SrcX, int SrcY, int SrcW, int SrcH,
                            gui::TColor transparent) {
  if (DstW <= 0 || DstH <= 0 || SrcW <= 0 || SrcH <= 0) return;
  bool mono = dest.Monochrome();
  gui::TBitmap save, mask, inverse, work;
  PrepareSurface(save, SrcW, SrcH, mono);
  PrepareSurface(mask, SrcW, SrcH, true);
  PrepareSurface(inverse, SrcW, SrcH, true);
  PrepareSurface(work, DstW, DstH, mono);
  gui::TCanvas& saveDc = save.Canvas();
  gui::TCanvas& workDc = work.Canvas();

  saveDc.BitBlt(0, 0, SrcW, SrcH, source, SrcX, SrcY, gui::SRCCOPY);
  gui::TColor back = saveDc.BkColor();
  saveDc.SetBkColor(transparent);
  mask.Canvas().BitBlt(0, 0, SrcW, SrcH, saveDc, 0, 0, gui::SRCCOPY);
  saveDc.SetBkColor(back);
  inverse.Canvas().BitBlt(0, 0, SrcW, SrcH, mask.Canvas(), 0, 0, gui::NOTSRCCOPY);

  workDc.BitBlt(0, 0, DstW, DstH, dest, DstX, DstY, gui::SRCCOPY);
  workDc.StretchBlt(0, 0, DstW, DstH, mask.Canvas(), 0, 0, SrcW, SrcH, gui::SRCAND);
  saveDc.BitBlt(0, 0, SrcW, SrcH, inverse.Canvas(), 0, 0, gui::SRCAND);
  workDc.StretchBlt(0, 0, DstW, DstH, saveDc, 0, 0, SrcW, SrcH, gui::SRCPAINT);
  dest.BitBlt(DstX, DstY, DstW, DstH, workDc, 0, 0, gui::SRCCOPY);
}

}  // namespace vclutils_test
