// A skin.ini and one picture, loaded onto the running program's panel. The input's first byte
// picks the picture's extension; the ini text runs to the first NUL byte, the picture's bytes
// follow it. The picture is written as "pic.<ext>" in the skin's folder and again as
// "images/PIC.<ext>" (found in any letter case), so that every image key of the ini can name it.
// Loading must not crash or raise; afterwards the panel is sized from its background and each
// picture of the panel draws into a small bitmap.
#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "controls/Rxslider.h"
#include "core/CMyMixer.h"
#include "core/Settings.h"
#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Image.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "settings/SkinLoader.h"
#include "viewer/ProcessExit.h"
#include "viewer/Startup.h"
#include "viewer/Vyxu.h"
#include "RunningProgram.h"

namespace {

const char* const kExtensions[] = {"bmp", "gif", "GIF", "jpg", "jpeg", "ico", "wmf", "png"};

std::string home;

void drawPictures(TForm1& panel) {
  gui::TBitmap target(24, 24);
  for (gui::TImage* image : {panel.Image1, panel.Image2, panel.Image11, panel.ImageC,
                             panel.Image3, panel.Image9, panel.Image21}) {
    if (const gui::TGraphic* graphic = image->Picture().Graphic())
      graphic->Draw(target.Canvas(), gui::Rect(0, 0, 24, 24));
  }
}

}  // namespace

// The font configuration library and the C++ runtime's own exit records keep a few blocks they
// never free; nothing of ours allocates through them directly.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libstdc++.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  const std::string channels =
      "[Common]\nCurrentChannel=1\nNumOfChannels=1\n[TVCnl1]\nFreq=49.75\nSystem=SECAM\n"
      "Name=One\n[AV]\nFreq=0\nSystem=SECAM\nName=Video\n";
  home = fuzz_support::StartRunningProgram(argc, argv, "skin", channels);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const char* extension = kExtensions[data[0] % std::size(kExtensions)];
  const uint8_t* text = data + 1;
  const uint8_t* end = data + size;
  const uint8_t* nul = text;
  while (nul != end && *nul != 0) ++nul;
  const std::string folder = home + "SKINS/Fuzz/";
  fuzz_support::WriteFile(folder + "skin.ini", text, size_t(nul - text));
  const uint8_t* picture = nul == end ? end : nul + 1;
  fuzz_support::WriteFile(folder + "pic." + extension, picture, size_t(end - picture));
  fuzz_support::WriteFile(folder + "images/PIC." + extension, picture, size_t(end - picture));
  platform::DropProfileCache();

  Settings.Skin = "fuzz";
  LoadSkin();
  FinishSkin();
  drawPictures(*Form1);
  std::filesystem::remove_all(folder);
  return 0;
}
