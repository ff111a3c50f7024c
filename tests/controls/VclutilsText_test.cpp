// The drawing utilities' text, geometry and resource functions.
#include "controls/Vclutils.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "controls/VclutilsPixels.h"
#include "gui/Exceptions.h"
#include "platform/MessageBox.h"

namespace {

using namespace vclutils;
using namespace vclutils_test;

// --- text ----------------------------------------------------------------------------------------

class VclutilsMinimizeText : public ::testing::Test {
protected:
  int width(const std::string& text) const { return canvas_.Canvas().TextWidth(text); }
  TBitmap canvas_{10, 10};
};

TEST_F(VclutilsMinimizeText, ShortensToTheWidth) {
  const std::string text = "WWWWWWWW";
  struct Case {
    const char* name;
    std::string text;
    int maxWidth;
    std::string expected;
  } cases[] = {
      {"a text that fits is unchanged", text, width(text), text},
      {"the first shortening drops two characters", text, width("WWWWWW..."), "WWWWWW..."},
      {"one pixel less drops one more", text, width("WWWWWW...") - 1, "WWWWW..."},
      {"a text that never fits ends as the dots alone", text, 0, "..."},
      {"even a single character", "W", 0, "..."},
      {"an empty text stays empty", "", -5, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MinimizeText(c.text, canvas_.Canvas(), c.maxWidth), c.expected);
  }
}

TEST(VclutilsCommandLine, SplitsProgramAndParameters) {
  struct Case {
    const char* line;
    const char* program;
    const char* params;
  } cases[] = {
      {"prog.exe a b", "prog.exe", "a b"},
      {"\"/opt/my tools/x\" -a \"two words\"", "/opt/my tools/x", "-a \"two words\""},
      {"  prog \t a\r\nb  ", "prog", "a b"},
      {"\"\" prog a", "prog", "a"},
      {"prog \"\"a", "prog", "a"},
      {"pro\"g x\"y z", "prog xy", "z"},
      {"prog \"open quote", "prog", "\"open quote\""},
      {"", "", ""},
      {"   ", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::string program = "stale", params = "stale";
    SplitCommandLine(c.line, program, params);
    EXPECT_EQ(program, c.program);
    EXPECT_EQ(params, c.params);
  }
}

TEST(VclutilsNames, FirstCharacterAndLeadingT) {
  EXPECT_EQ(AnsiUpperFirstChar("abc"), "Abc");
  EXPECT_EQ(AnsiUpperFirstChar("\xE0\xE1"), "\xC0\xE1");  // Cyrillic a, b
  EXPECT_EQ(AnsiUpperFirstChar(""), "");
  EXPECT_EQ(DropT("TForm"), "Form");
  EXPECT_EQ(DropT("tButton"), "Button");
  EXPECT_EQ(DropT("T"), "T");
  EXPECT_EQ(DropT("Form"), "Form");
}

// --- geometry --------------------------------------------------------------------------------------

TEST(VclutilsGeometry, PointInRectCountsTheRightAndBottomEdges) {
  const gui::TRect r = gui::Rect(10, 20, 30, 40);
  struct Case {
    gui::TPoint p;
    bool inside;
  } cases[] = {
      {{10, 20}, true}, {{30, 25}, true}, {{15, 40}, true}, {{30, 40}, true},
      {{31, 25}, false}, {{15, 41}, false}, {{9, 25}, false}, {{15, 19}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointInRect(c.p, r), c.inside) << c.p.X << "," << c.p.Y;
  }
}

TEST(VclutilsGeometry, PointInPolygonByWinding) {
  const std::vector<gui::TPoint> triangle = {{0, 0}, {20, 0}, {0, 20}};
  EXPECT_TRUE(PointInPolyRgn({2, 2}, triangle));
  EXPECT_FALSE(PointInPolyRgn({15, 15}, triangle));
  EXPECT_FALSE(PointInPolyRgn({-1, 5}, triangle));
}

TEST(VclutilsGeometry, PaletteColorFlagsTheRgbValue) {
  EXPECT_EQ(PaletteColor(gui::clRed), 0x020000FF);
  EXPECT_EQ(PaletteColor(gui::clBtnFace), 0x02000000 | gui::ColorToRGB(gui::clBtnFace));
}

// --- resources -------------------------------------------------------------------------------------

class VclutilsResources : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    module_.folder = folder_.path().toStdString();
    TBitmap bitmap;
    Paint(bitmap, {"RG", "BY"});
    write("TrueType_Fnt.bmp", bitmap.SaveToBytes());
    write("100.bmp", bitmap.SaveToBytes());
    write("BROKEN.bmp", {'B', 'M', 1, 2, 3});
    auto icon = CreateIconFromBitmap(bitmap, gui::clLime);
    write("APP.ico", icon->SaveToBytes());
  }

  void write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream out(folder_.filePath(QString::fromStdString(name)).toStdString(),
                      std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  QTemporaryDir folder_;
  TModule module_;
};

TEST_F(VclutilsResources, BitmapsByNameInAnyCaseOrByNumber) {
  for (const ResourceId& id : {ResourceId("TRUETYPE_FNT"), ResourceId("truetype_fnt"),
                               ResourceId(100)}) {
    SCOPED_TRACE(id.Text());
    auto bitmap = MakeModuleBitmap(module_, id);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(Picture(*bitmap), (Rows{"RG", "BY"}));
  }
}

TEST_F(VclutilsResources, FailuresGiveNullAndNeverRaise) {
  EXPECT_EQ(MakeModuleBitmap(module_, "DEVICE_FNT"), nullptr);
  EXPECT_EQ(MakeModuleBitmap(module_, 101), nullptr);
  EXPECT_EQ(MakeModuleBitmap(module_, "BROKEN"), nullptr);
  EXPECT_EQ(MakeModuleBitmap(module_, "APP"), nullptr) << "an icon is no bitmap";
  EXPECT_EQ(MakeModuleBitmap(TModule{}, 32754), nullptr) << "no system bitmaps";
  EXPECT_EQ(MakeModuleBitmap(TModule{"/no/such/folder"}, "TRUETYPE_FNT"), nullptr);
}

TEST_F(VclutilsResources, Icons) {
  auto icon = MakeModuleIcon(module_, "app");
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->Width(), 2);
  EXPECT_EQ(MakeModuleIcon(module_, "TRUETYPE_FNT"), nullptr);
  EXPECT_EQ(MakeModuleIcon(TModule{}, 32512), nullptr);
}

TEST(VclutilsResourceNotFound, NamesTheNumberOrTheName) {
  try {
    ResourceNotFound(100);
    FAIL() << "no exception";
  } catch (const gui::EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource 100 not found");
  }
  try {
    ResourceNotFound("CALCBTNS");
    FAIL() << "no exception";
  } catch (const gui::EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource CALCBTNS not found");
  }
}

// --- messages --------------------------------------------------------------------------------------

TEST(VclutilsNotImplemented, ShowsAnInformationBoxAndAbortsSilently) {
  platform::RecordingMessageBox boxes;
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
  EXPECT_THROW(NotImplemented(), gui::EAbort);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the normal cursor is back";
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, kNotImplementedText);
  EXPECT_EQ(boxes.shown()[0].flags, platform::kMbOk | platform::kMbIconInformation);
}

TEST(VclutilsEnvironment, VariablesAreCutAt2048Characters) {
  ::setenv("VYX_VCLUTILS_TEST", std::string(3000, 'x').c_str(), 1);
  EXPECT_EQ(GetEnvVar("VYX_VCLUTILS_TEST"), std::string(2048, 'x'));
  ::unsetenv("VYX_VCLUTILS_TEST");
  EXPECT_EQ(GetEnvVar("VYX_VCLUTILS_TEST"), "");
}

}  // namespace
