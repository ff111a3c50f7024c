// The running program's panel with skins written into its temporary program folder.
#pragma once

#include <QImage>

#include <filesystem>
#include <string>

#include "core/Settings.h"
#include "gui/Bitmap.h"
#include "settings/SkinLoader.h"
#include "viewer/PanelFixture.h"

namespace skin_test {

class SkinTest : public viewer_test::PanelTest {
protected:
  void SetUp() override {
    PanelTest::SetUp();
    startWithChannels(2);
  }

  // A file below the program folder, its folders created.
  void writeFile(const std::string& relative, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(folder_.file(relative)).parent_path());
    folder_.write(relative, bytes);
  }
  // A plain BMP of one colour.
  static std::string bmp(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    gui::TBitmap bitmap;
    bitmap.SetImage(image);
    const std::vector<uint8_t> bytes = bitmap.SaveToBytes();
    return std::string(bytes.begin(), bytes.end());
  }
  void writeSkin(const std::string& name, const std::string& ini) const {
    writeFile("SKINS/" + name + "/skin.ini", ini);
  }
  // What both callers do: load, then size the panel and refresh its glyphs.
  static void apply(const std::string& name) {
    Settings.Skin = name;
    LoadSkin();
    FinishSkin();
  }
};

}  // namespace skin_test
