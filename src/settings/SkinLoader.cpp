#include "settings/SkinLoader.h"

#include <QCheckBox>

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "gui/Image.h"
#include "gui/JpegImage.h"
#include "core/Settings.h"
#include "platform/Profile.h"
#include "settings/SkinPaths.h"
#include "settings/SkinReader.h"
#include "settings/SkinSections.h"
#include "viewer/Vyxu.h"

namespace {

bool readable(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return file.is_open();
}

int windowExtent(int64_t value) { return int(std::clamp<int64_t>(value, 0, QWIDGETSIZE_MAX)); }

}  // namespace

void LoadSkin() {
  if (!Form1) return;
  const std::string ini = SkinIniPath(Settings.Skin);
  if (ini.empty() || !readable(ini)) return;
  gui::RegisterJpegImage();
  const skin::Reader reader(skin::SkinFolder(Settings.Skin), ini);
  // One version of the file for the whole skin, read once.
  platform::ProfileReadBatch batch;
  TForm1& panel = *Form1;
  skin::ApplyFrame(reader, panel);
  skin::ApplyButtons(reader, panel);
  skin::ApplySliders(reader, panel);
  skin::ApplyTexts(reader, panel);
}

void FinishSkin() {
  if (!Form1) return;
  TForm1& panel = *Form1;
  const gui::TImage& background = *panel.Image2;
  panel.resize(windowExtent(int64_t(background.Left()) + background.Width() - 2),
               windowExtent(int64_t(background.Top()) + background.Height()));
  panel.RefreshOptionGlyphs();
  panel.Image3->Picture().Assign(panel.Image9->Picture());
  panel.Image4->Picture().Assign(panel.Image10->Picture());
}
