// A skin applied to the running panel: defaults of a one-section skin, value kinds, picture
// formats and failures, names in any letter case.
#include <gtest/gtest.h>

#include <QToolButton>

#include "SkinFixture.h"
#include "controls/Exgrad.h"
#include "controls/RxLabel.h"
#include "controls/RxSpeedButton.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "gui/Image.h"
#include "gui/JpegImage.h"
#include "gui/UpDown.h"
#include "viewer/SnapshotJpeg.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace skin_test {
namespace {

// A 1x1 GIF picture.
const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                       ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                       35);

bool sameImage(const gui::TBitmap* a, const gui::TBitmap* b) {
  return a && b && a->Image() == b->Image();
}

bool hasDefaultBitmaps(const rxslider::TRxSlider* slider, const rxslider::TRxSlider* spare) {
  using namespace rxslider;
  for (TSliderImage i : {siHRuler, siVRuler, siHThumb, siVThumb})
    if (!sameImage(slider->GetImage(i), spare->GetImage(i))) return false;
  return true;
}

QRect bounds(const QWidget* w) { return w->geometry(); }

TEST_F(SkinTest, AMainFormImageAloneGivesEveryOtherKeyItsDefault) {
  // An earlier skin's slider bitmap must not survive the next skin.
  writeFile("SKINS/First/ruler.bmp", bmp(12, 6, 0xFF00FF));
  writeSkin("First", "[SliderHue]\nImageHRuler=ruler.bmp\nOrientation=1\n");
  apply("First");
  ASSERT_FALSE(hasDefaultBitmaps(Form1->RxSlider4, Form1->RxSlider7));

  writeFile("SKINS/Plain/back.bmp", bmp(300, 150, 0x336699));
  writeSkin("Plain", "[MainForm]\nImage=back.bmp\n");
  apply("Plain");
  TForm1& p = *Form1;
  EXPECT_EQ(p.palette().color(QPalette::Window), QColor(Qt::black));
  EXPECT_EQ(bounds(p.Image2), QRect(0, 0, 200, 100));
  EXPECT_EQ(p.Image2->Picture().Width(), 300);
  EXPECT_EQ(p.size(), QSize(198, 100));

  const QWidget* moved[] = {p.Image1,   p.Gradient1, p.Image3,       p.Image11,
                            p.Image15,  p.Image20,   p.SpeedButton1, p.SpeedButton3,
                            p.RxSpeedButton9, p.RxSlider1, p.RxSlider9, p.Label1,
                            p.Label10, p.RxLabel1,   p.UpDown1};
  for (const QWidget* w : moved)
    EXPECT_EQ(bounds(w), QRect(0, 0, 0, 0)) << w->objectName().toStdString();
  // The edit keeps the height of its font's line.
  EXPECT_EQ(bounds(p.RxSpinEdit1).topLeft(), QPoint(0, 0));
  EXPECT_EQ(p.RxSpinEdit1->width(), 0);

  for (const gui::TImage* i : {p.Image1, p.Image11, p.Image14, p.Image21, p.ImageC, p.Image9})
    EXPECT_EQ(i->Picture().Graphic(), nullptr) << i->objectName().toStdString();
  EXPECT_TRUE(p.Image3->Picture().Graphic() == nullptr || p.Image3->Picture().Width() == 0);
  EXPECT_TRUE(p.RxSpeedButton9->Glyph().Empty());
  EXPECT_TRUE(p.SpeedButton3->icon().isNull());

  for (const rxslider::TRxSlider* s : {p.RxSlider1, p.RxSlider4, p.RxSlider6, p.RxSlider9})
    EXPECT_TRUE(hasDefaultBitmaps(s, p.RxSlider7)) << s->objectName().toStdString();
  EXPECT_EQ(p.RxSlider1->Orientation(), rxslider::soHorizontal);

  for (const gui::TCustomLabel* l : {p.Label1, p.Label4, p.Label10}) {
    EXPECT_EQ(l->Color(), 0);
    EXPECT_EQ(l->Font().Name, "Arial");
    EXPECT_EQ(l->Font().Color, 0);
  }
  EXPECT_EQ(p.RxSpinEdit1->Color(), 0);
  EXPECT_EQ(p.RxSpinEdit1->Font().Name, "Arial");
  EXPECT_EQ(p.Gradient1->BeginColor(), 0);
  EXPECT_EQ(p.Gradient1->EndColor(), 0xFFFF00);
  EXPECT_EQ(SkinEndColorUnactive, 0xBEBEBE);
}

TEST_F(SkinTest, BooleansAreNonZeroIntegers) {
  writeSkin("Flags",
            "[ButtonCapture]\nFlat=2\n[ButtonChannels]\nFlat=0\n"
            "[ButtonFreqUp]\nFlat=yes\n[ButtonFreqDn]\nFlat=-1\n[FreqSpin]\nCtl3D=-1\n");
  apply("Flags");
  EXPECT_TRUE(Form1->SpeedButton3->autoRaise());
  EXPECT_FALSE(Form1->SpeedButton2->autoRaise());
  EXPECT_TRUE(Form1->SpeedButton4->autoRaise());  // missing key: "1"
  EXPECT_FALSE(Form1->RxSpeedButton9->Flat());
  EXPECT_TRUE(Form1->RxSpeedButton10->Flat());
  EXPECT_TRUE(Form1->RxSpinEdit1->Ctl3D());
}

TEST_F(SkinTest, FontSizeDecidesOverFontHeight) {
  writeSkin("Fonts",
            "[LabelFreq]\nFontHeight=-20\nFontSize=10\nFontName=Courier\nFontColor=0x00FF00\n"
            "[LabelHints]\nFontHeight=-20\n");
  apply("Fonts");
  EXPECT_EQ(Form1->Label10->Font().Size(), 10);
  EXPECT_EQ(Form1->Label10->Font().Name, "Courier");
  EXPECT_EQ(Form1->Label10->Font().Color, 0x00FF00);
  // FontSize's default "0" wins over the height as well.
  EXPECT_EQ(Form1->Label8->Font().Height, 0);
}

TEST_F(SkinTest, PicturesLoadByExtensionInAnyLetterCase) {
  writeFile("SKINS/Formats/back.GIF", kGif);
  writeFile("SKINS/Formats/title.gif", kGif);
  writeFile("SKINS/Formats/min.JPG", [] {
    QImage red(8, 6, QImage::Format_RGB32);
    red.fill(Qt::red);
    const std::vector<uint8_t> bytes = EncodeJpeg(red, {});
    return std::string(bytes.begin(), bytes.end());
  }());
  writeFile("SKINS/Formats/hide.ico", "not an icon");
  writeFile("SKINS/Formats/close.wmf", "metafile");
  writeFile("SKINS/Formats/expand.bmp", bmp(16, 16, 0x00FF00));
  writeSkin("Formats",
            "[MainForm]\nImage=back.GIF\n[Caption]\nImage=title.gif\n"
            "[Minimize]\nImage=min.JPG\n[Hide]\nImage=hide.ico\n[Close]\nImage=close.wmf\n"
            "[Expand]\nImage=expand.bmp\n");
  apply("Formats");
  auto className = [](const gui::TImage* i) {
    const gui::TGraphic* g = i->Picture().Graphic();
    return std::string(g ? g->ClassName() : "empty");
  };
  EXPECT_EQ(className(Form1->Image2), "TGIFImage");
  EXPECT_EQ(className(Form1->Image1), "TGIFImage");
  EXPECT_EQ(className(Form1->Image11), "TJPEGImage");
  EXPECT_EQ(Form1->Image11->Picture().Width(), 8);
  const auto* jpeg = dynamic_cast<const gui::TJPEGImage*>(Form1->Image11->Picture().Graphic());
  ASSERT_NE(jpeg, nullptr);
  const QRgb pixel = jpeg->Bitmap().Image().pixel(3, 3);
  EXPECT_GT(qRed(pixel), 200);
  EXPECT_LT(qGreen(pixel), 60);
  EXPECT_EQ(className(Form1->Image12), "empty");  // damaged icon
  EXPECT_EQ(className(Form1->Image13), "empty");  // no metafile reader
  EXPECT_EQ(className(Form1->Image14), "TBitmap");
}

TEST_F(SkinTest, AFailedLoadEmptiesAPictureButASliderKeepsItsDefault) {
  ASSERT_NE(Form1->Image11->Picture().Graphic(), nullptr);
  writeFile("SKINS/Holes/thumb.bmp", bmp(10, 10, 0xFF0000));
  writeFile("SKINS/Holes/ruler.jpg", bmp(10, 10, 0xFF0000));  // not JPEG data
  writeSkin("Holes",
            "[Minimize]\nImage=missing.bmp\n"
            "[SliderVolume]\nImageHRuler=missing.bmp\nImageVThumb=thumb.bmp\n"
            "ImageVRuler=ruler.jpg\n");
  apply("Holes");
  EXPECT_EQ(Form1->Image11->Picture().Graphic(), nullptr);
  const rxslider::TRxSlider* s = Form1->RxSlider1;
  const rxslider::TRxSlider* spare = Form1->RxSlider7;
  EXPECT_TRUE(sameImage(s->GetImage(rxslider::siHRuler), spare->GetImage(rxslider::siHRuler)));
  EXPECT_TRUE(sameImage(s->GetImage(rxslider::siVRuler), spare->GetImage(rxslider::siVRuler)));
  EXPECT_EQ(s->GetImage(rxslider::siVThumb)->Width(), 10);
}

TEST_F(SkinTest, OrdinalsOutsideTheirEnumerationAreIgnored) {
  writeSkin("Ordinals",
            "[GradientCaption]\nStyle=2\n[LabelCnlNum]\nShadowPos=3\nShadowSize=258\n"
            "[SliderHue]\nOrientation=1\n[CnlSwitch]\nOrientation=1\n[FreqSpin]\nButtonKind=1\n");
  apply("Ordinals");
  writeSkin("Wild",
            "[GradientCaption]\nStyle=4\n[LabelCnlNum]\nShadowPos=-1\n"
            "[SliderHue]\nOrientation=2\n[CnlSwitch]\nOrientation=99999999999\n"
            "[FreqSpin]\nButtonKind=2\nBorderStyle=7\n");
  apply("Wild");
  EXPECT_EQ(Form1->Gradient1->FillType(), exgrad::ftRounded);
  EXPECT_EQ(Form1->RxLabel1->ShadowPos(), rxctrls::spRightTop);
  EXPECT_EQ(Form1->RxSlider4->Orientation(), rxslider::soVertical);
  EXPECT_EQ(Form1->UpDown1->Orientation(), gui::udVertical);
  EXPECT_EQ(Form1->RxSpinEdit1->ButtonKind(), rxspin::bkDiagonal);
  EXPECT_EQ(Form1->RxSpinEdit1->BorderStyle(), gui::bsNone);
  // ShadowSize takes the low byte, read by the first skin: 258 -> 2; the second gives 0.
  EXPECT_EQ(Form1->RxLabel1->ShadowSize(), 0);
}

TEST_F(SkinTest, CaptionColoursTakeBothFormsAndSizesSaturate) {
  writeSkin("Colours",
            "[GradientCaption]\nBeginColorActive=0x0000FF\nEndColorActive=255\n"
            "BeginColorUnactive=65280\nEndColorUnactive=0x0000FF\n"
            "[MainForm]\nWidth=99999999999\nHeight=-5\nLeft=-99999999999\n");
  apply("Colours");
  EXPECT_EQ(SkinBeginColorActive, 0xFF0000);
  EXPECT_EQ(SkinEndColorActive, 0x0000FF);
  EXPECT_EQ(SkinBeginColorUnactive, 0x00FF00);
  EXPECT_EQ(SkinEndColorUnactive, 0xFF0000);
  EXPECT_EQ(Form1->Gradient1->BeginColor(), 0xFF0000);
  EXPECT_GE(Form1->Image2->Width(), 30000);
  EXPECT_EQ(Form1->Image2->Left(), -32767);
  EXPECT_EQ(Form1->Image2->Height(), 0);
}

TEST_F(SkinTest, NamesAreFoundInAnyLetterCaseAndTheSkinNameKeepsItsCase) {
  writeFile("skins/Dark Wood/IMAGES/Back.Bmp", bmp(50, 40, 0x884422));
  writeFile("skins/Dark Wood/SKIN.INI", "[MainForm]\nImage=images\\BACK.bmp\nWidth=50\n");
  apply("DARK wood");
  EXPECT_EQ(Form1->Image2->Picture().Width(), 50);
  EXPECT_EQ(Form1->width(), 48);
  EXPECT_EQ(Settings.Skin, "DARK wood");
}

TEST_F(SkinTest, AFolderWithoutSkinIniChangesNothing) {
  const QRect background = bounds(Form1->Image2);
  const QSize panel = Form1->size();
  writeFile("SKINS/Empty/back.bmp", bmp(10, 10, 0));
  Settings.Skin = "Empty";
  LoadSkin();
  Settings.Skin = "Absent";
  LoadSkin();
  EXPECT_EQ(bounds(Form1->Image2), background);
  EXPECT_EQ(Form1->size(), panel);
  EXPECT_NE(Form1->Image11->Picture().Graphic(), nullptr);
}

TEST_F(SkinTest, TheListOffersNoneThenEveryFolder) {
  EXPECT_EQ(SkinFolderNames(), QStringList{"none"});  // no SKINS folder
  writeSkin("Alpha", "");
  writeFile("SKINS/Beta/readme.txt", "");
  writeFile("SKINS/notes.txt", "");
  QStringList names;
  FillSkinList(names);
  ASSERT_EQ(names.size(), 3);
  EXPECT_EQ(names.front(), "none");
  EXPECT_TRUE(names.contains("Alpha"));
  EXPECT_TRUE(names.contains("Beta"));
}

}  // namespace
}  // namespace skin_test
