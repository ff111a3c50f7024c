// The skins shipped beside the program, applied at the start and from the settings' list.
#include <gtest/gtest.h>

#include <filesystem>

#include "SkinFixture.h"
#include "controls/Rxslider.h"
#include "gui/Image.h"
#include "platform/Environment.h"
#include "viewer/Vyxu.h"

namespace skin_test {
namespace {

class ShippedSkinTest : public viewer_test::PanelTest {
protected:
  // The shipped SKINS folder copied into the program folder.
  void installShippedSkins() {
    std::filesystem::copy(platform::ExecutableFolder() + "SKINS", folder_.file("SKINS"),
                          std::filesystem::copy_options::recursive);
  }
};

struct Case {
  const char* skin;
  QSize panel;
  bool ownPictures;  // every picture of the panel comes from the skin
};

class ShippedSkinStart : public ShippedSkinTest, public ::testing::WithParamInterface<Case> {};

TEST_P(ShippedSkinStart, TheStartAppliesTheStoredSkinAndSizesThePanel) {
  const Case& c = GetParam();
  installShippedSkins();
  writeSetting("Skin", c.skin);
  startWithChannels(2);
  TForm1& p = *Form1;
  EXPECT_EQ(p.size(), c.panel);
  for (const gui::TImage* i : {p.Image1, p.Image3, p.Image4, p.Image11, p.Image14, p.Image15,
                               p.Image20, p.Image21, p.ImageC, p.ImageN})
    EXPECT_EQ(i->Picture().Graphic() != nullptr, c.ownPictures) << i->objectName().toStdString();
  EXPECT_EQ(p.RxSlider2->Orientation() == rxslider::soVertical, c.ownPictures);
  EXPECT_EQ(p.RxSlider2->GetImage(rxslider::siVThumb)->Image() ==
                p.RxSlider7->GetImage(rxslider::siVThumb)->Image(),
            !c.ownPictures);
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkinStart,
                         ::testing::Values(Case{"Amber", {409, 161}, true},
                                           Case{"Mini", {198, 100}, false}),
                         [](const auto& info) { return std::string(info.param.skin); });

TEST_F(ShippedSkinTest, NoneKeepsTheBuiltInLook) {
  installShippedSkins();
  writeSetting("Skin", "NONE");
  startWithChannels(2);
  EXPECT_EQ(Form1->size(), QSize(409, 161));
  EXPECT_EQ(Form1->Image2->Picture().Width(), 409);
  EXPECT_EQ(SkinFolderNames().size(), 3);
}

}  // namespace
}  // namespace skin_test
