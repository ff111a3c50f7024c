// Tests of the form placement and form storage on real forms (offscreen) with a profile file or
// the simulated registry: resolution keys and their fallback, rectangles kept on the screen,
// fixed-size forms, pixel density, Visible on close and on destruction, layout versions, saving
// only after a restore, erasing sections, preventing resize, size limits, links, stored
// properties and values, and failures shown rather than lost.
#include "controls/dormant/Placemnt.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include <gtest/gtest.h>

#include "controls/utils/Strutils.h"
#include "controls/dormant/Apputils.h"
#include "controls/dormant/PlacemntStorage.h"
#include "platform/MessageBox.h"
#include "sim/SimDesktop.h"
#include "sim/SimRegistry.h"
#include "support/TempProgramFolder.h"

using namespace placemnt;

class TPlacedForm : public QWidget {
  Q_OBJECT

public:
  Q_INVOKABLE explicit TPlacedForm(QWidget* parent = nullptr) : QWidget(parent) { resize(300, 200); }
};

namespace {

class PlacemntTest : public ::testing::Test {
protected:
  PlacemntTest() {
    sim::Registry().reset();
    sim::Desktop().reset();  // 1024x768
  }
  ~PlacemntTest() override {
    sim::Registry().reset();
    sim::Desktop().reset();
  }

  // A placement dropped on the form: its layout applied.
  template <typename T = TFormPlacement>
  T* Place(QWidget& form, const std::string& section = "Placed") {
    auto* placement = new T(&form);
    placement->SetIniFileName(ini());
    placement->SetIniSection(section);
    placement->Loaded();
    return placement;
  }
  std::string ini() const { return folder_.file("forms.ini"); }
  std::string Read(const std::string& key, const std::string& section = "Placed") const {
    apputils::TIniFile file(ini());
    return file.ReadString(section, key, "<missing>");
  }
  void Write(const std::string& key, const std::string& value,
             const std::string& section = "Placed") const {
    apputils::TIniFile(ini()).WriteString(section, key, value);
  }
  static QRect area() { return QGuiApplication::primaryScreen()->availableGeometry(); }

  testing_support::TempProgramFolder folder_;
  platform::RecordingMessageBox boxes_;
};

TEST_F(PlacemntTest, SavesUnderTheResolutionAndFallsBackToThePlainKey) {
  {
    TPlacedForm form;
    Place(form);
    form.show();
    form.setGeometry(100, 120, 300, 200);
    form.close();
  }
  EXPECT_EQ(Read("NormPos(1024x768)"), "100,120,400,320");
  EXPECT_EQ(Read("NormPos"), "100,120,400,320");
  EXPECT_EQ(Read("MinMaxPos(1024x768)"), Read("MinMaxPos"));
  EXPECT_EQ(Read("ShowCmd"), "1");
  EXPECT_EQ(Read("FormVersion"), "0");

  Write("NormPos", "50,60,350,260");
  ASSERT_TRUE(sim::Desktop().setMode(800, 600, 0));
  TPlacedForm atOtherResolution;
  Place(atOtherResolution);
  atOtherResolution.show();
  EXPECT_EQ(atOtherResolution.geometry(), QRect(50, 60, 300, 200)) << "the plain key";

  sim::Desktop().reset();
  TPlacedForm atSavedResolution;
  Place(atSavedResolution);
  atSavedResolution.show();
  EXPECT_EQ(atSavedResolution.geometry(), QRect(100, 120, 300, 200)) << "the resolution's key";
}

TEST_F(PlacemntTest, RestoredRectanglesStayOnTheScreen) {
  const QRect a = area();
  struct Case { const char* stored; bool topLeft; QSize size; };
  const Case cases[] = {
      {"5000,5000,5300,5200", false, QSize(300, 200)},
      {"-9000,-9000,-8700,-8800", true, QSize(300, 200)},
      {"2147483000,10,2147483600,210", false, QSize(600, 200)},
      {"-2147483600,-2147483600,2147483600,2147483600", true, QSize()},  // larger than the screen
  };
  for (const Case& c : cases) {
    Write("NormPos(1024x768)", c.stored);
    TPlacedForm form;
    Place(form);
    form.show();
    QRect frame = form.frameGeometry();
    EXPECT_TRUE(a.contains(frame)) << c.stored;
    if (c.size.isValid()) {
      EXPECT_EQ(form.size(), c.size) << c.stored;
    }
    if (c.topLeft) {
      EXPECT_EQ(frame.topLeft(), a.topLeft()) << c.stored;
    } else {
      EXPECT_EQ(frame.right(), a.right()) << c.stored;
    }
  }
}

TEST_F(PlacemntTest, AFixedSizeFormKeepsItsSize) {
  Write("NormPos", "10,20,900,900");
  TPlacedForm form;
  form.setFixedSize(300, 200);
  Place(form);
  form.show();
  EXPECT_EQ(form.geometry(), QRect(10, 20, 300, 200));
}

TEST_F(PlacemntTest, AnotherPixelDensityDiscardsThePositionButNotTheState) {
  Write("NormPos", "10,20,310,220");
  Write("PixelsPerInch", std::to_string(apputils::ScreenPixelsPerInch() + 48));
  Write("ShowCmd", "3");
  TPlacedForm form;
  form.move(200, 210);
  Place(form);
  form.show();
  EXPECT_EQ(form.pos(), QPoint(200, 210));
  EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
}

TEST_F(PlacemntTest, VisibleTellsADestroyedFormFromAClosedOne) {
  {
    TPlacedForm form;
    Place(form);
    form.show();
    form.close();
    EXPECT_EQ(Read("Visible"), "0");
    Write("Visible", "unchanged");
  }
  EXPECT_EQ(Read("Visible"), "unchanged") << "saved on close: not again on destruction";
  {
    TPlacedForm form;
    Place(form);
    form.show();
  }
  EXPECT_EQ(Read("Visible"), "1");
}

TEST_F(PlacemntTest, AFormNeverShownOverwritesNothing) {
  {
    TPlacedForm form;
    Place(form);
  }
  EXPECT_FALSE(folder_.exists("forms.ini"));
}

TEST_F(PlacemntTest, AnOlderLayoutVersionIsIgnored) {
  Write("FormVersion", "1");
  Write("NormPos", "10,20,310,220");
  Write("Edit1_Text", "stored text");
  Write("Answer", "42");
  TPlacedForm form;
  form.move(200, 210);
  auto* edit = new QLineEdit(&form);
  edit->setObjectName("Edit1");
  auto* storage = new TFormStorage(&form);
  storage->SetIniFileName(ini());
  storage->SetIniSection("Placed");
  storage->SetVersion(2);
  storage->StoredProps().AddObject("Edit1.Text", edit);
  storage->SetStoredValue("Answer", QString("none"));
  int loads = 0;
  TIniLink link;
  link.SetStorage(storage);
  link.OnLoad = [&](TIniLink*) { ++loads; };
  storage->Loaded();
  form.show();
  EXPECT_EQ(form.pos(), QPoint(200, 210));
  EXPECT_EQ(edit->text(), "");
  EXPECT_EQ(storage->StoredValue("Answer").toString(), "none");
  EXPECT_EQ(loads, 0);
  EXPECT_TRUE(storage->Restored());
  form.close();
  EXPECT_EQ(Read("FormVersion"), "2");
}

TEST_F(PlacemntTest, EraseSectionsTakesTheSectionAndItsSubsections) {
  apputils::TRegIniFile reg("Software\\Tool");
  for (const char* section : {"TForm1", "TForm1.Grid", "TForm1\\Columns", "TForm10", "tform1.x"})
    reg.WriteString(section, "Key", "value");
  TPlacedForm form;
  auto* placement = Place(form, "TForm1");
  placement->SetUseRegistry(true);
  placement->SetIniFileName("Software\\Tool");
  placement->EraseSections();
  gui::TStringList left;
  reg.ReadSections(left);
  left.Sort();
  EXPECT_EQ(left.CommaText(), "tform1.x,TForm10") << "names compare with case";
}

TEST_F(PlacemntTest, PreventResizeFixesTheSizeAndTakesTheMaximizeButton) {
  TPlacedForm form;
  auto* placement = Place(form);
  auto hasMaximize = [&] {
    Qt::WindowFlags f = form.windowFlags();
    return !(f & Qt::CustomizeWindowHint) || (f & Qt::WindowMaximizeButtonHint);
  };
  form.show();
  EXPECT_TRUE(hasMaximize());
  placement->SetPreventResize(true);
  EXPECT_FALSE(hasMaximize());
  EXPECT_TRUE(form.isVisible()) << "the window made again is shown again";
  EXPECT_EQ(form.minimumSize(), form.size());
  EXPECT_EQ(form.maximumSize(), form.size());
  placement->SetPreventResize(false);
  EXPECT_TRUE(hasMaximize());
  EXPECT_EQ(form.minimumSize(), QSize(0, 0));

  TPlacedForm dialog;
  dialog.setWindowFlags(Qt::Dialog);
  auto* onDialog = Place(dialog);
  onDialog->SetPreventResize(true);
  onDialog->SetPreventResize(false);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint) << "a dialog never gets one";
}

TEST_F(PlacemntTest, MinMaxInfoLimitsTheSizeWhileSet) {
  TPlacedForm form;
  form.setMinimumSize(10, 10);
  auto* placement = Place(form);
  placement->MinMaxInfo()->SetMinTrackWidth(250);
  placement->MinMaxInfo()->SetMaxTrackHeight(400);
  EXPECT_EQ(form.minimumSize(), QSize(250, 10));
  EXPECT_EQ(form.maximumHeight(), 400);
  TWinMinMaxInfo none(nullptr);
  placement->SetMinMaxInfo(&none);
  EXPECT_EQ(form.minimumSize(), QSize(10, 10));
  EXPECT_EQ(form.maximumHeight(), QWIDGETSIZE_MAX);
  EXPECT_THROW(placement->MinMaxInfo()->Assign(nullptr), gui::EConvertError);
}

TEST_F(PlacemntTest, LinksAndEventsFollowSaveAndRestore) {
  TPlacedForm form;
  auto* placement = new TFormPlacement(&form);
  placement->SetIniFileName(ini());
  std::vector<std::string> calls;
  TIniLink link;
  EXPECT_EQ(link.RootSection(), "");
  link.SetStorage(placement);
  EXPECT_EQ(link.RootSection(), "") << "no section set";
  link.OnSave = [&](TIniLink* l) { calls.push_back(l->IniObject() ? "save open" : "save"); };
  link.OnLoad = [&](TIniLink*) { calls.push_back("load"); };
  placement->OnSavePlacement = [&](TFormPlacement*) { calls.push_back("saved"); };
  placement->OnRestorePlacement = [&](TFormPlacement*) { calls.push_back("restored"); };
  placement->SetIniSection("Mine");
  EXPECT_EQ(link.RootSection(), "Mine\\");
  placement->Loaded();
  form.show();
  form.close();
  EXPECT_EQ(calls, (std::vector<std::string>{"load", "restored", "save open", "saved"}));
  link.SetStorage(nullptr);
  EXPECT_EQ(link.IniObject(), nullptr);
}

TEST_F(PlacemntTest, DefaultNamesComeFromTheForm) {
  TPlacedForm form;
  auto* placement = new TFormPlacement(&form);
  EXPECT_EQ(placement->IniSection(), "TPlacedForm");
  EXPECT_EQ(placement->IniFileName(), apputils::GetDefaultIniName());
  placement->SetUseRegistry(true);
  EXPECT_EQ(placement->IniFileName(), apputils::GetDefaultIniRegKey());
  EXPECT_EQ(placement->Options(), TPlacementOptions(fpState | fpPosition));
  QObject notAForm;
  TFormPlacement elsewhere(&notAForm);
  EXPECT_EQ(elsewhere.Options(), 0u);
}

TEST_F(PlacemntTest, StoredPropertiesAndScrambledValues) {
  {
    TPlacedForm form;
    auto* edit = new QLineEdit(&form);
    edit->setObjectName("Edit1");
    auto* storage = Place<TFormStorage>(form);
    gui::TStringList props;
    props.AddObject("Edit1.Text", edit);
    storage->SetStoredProps(props);
    storage->SetStoredValue("Secret", QString("password"));
    storage->StoredValues().GetValue("Secret")->SetKeyString("key");
    storage->SetStoredValue("Plain", QString(" with blanks "));
    form.show();
    edit->setText("typed text");
    form.close();
  }
  EXPECT_EQ(Read("Edit1_Text"), "typed text");
  EXPECT_EQ(Read("Plain"), " with blanks ");
  EXPECT_EQ(Read("Secret"), strutils::XorEncode("key", "password"));

  TPlacedForm form;
  auto* edit = new QLineEdit(&form);
  edit->setObjectName("Edit1");
  auto* storage = new TFormStorage(&form);
  storage->SetIniFileName(ini());
  storage->SetIniSection("Placed");
  storage->StoredProps().Add("Edit1.Text");  // found by name when the layout is applied
  storage->SetStoredValue("Secret", QVariant());
  storage->StoredValues().GetValue("Secret")->SetKeyString("other");
  storage->SetStoredValue("Plain", QVariant());
  storage->Loaded();
  form.show();
  EXPECT_EQ(edit->text(), "typed text");
  EXPECT_EQ(storage->StoredValue("Plain").toString(), " with blanks ");
  EXPECT_EQ(storage->StoredValue("Secret").toString().toStdString(),
            strutils::XorDecode("other", strutils::XorEncode("key", "password")));
  EXPECT_TRUE(storage->StoredValue("Nobody").isNull());

  EXPECT_THROW(storage->StoredValues().GetValue("Plain")->SetName("SECRET"), gui::EStringListError);
  storage->StoredValues().GetValue("Plain")->SetName("PLAIN");  // its own name in other case
  delete edit;
  EXPECT_EQ(storage->StoredProps().Count(), 0) << "a component that goes away loses its lines";
}

TEST_F(PlacemntTest, ActiveControlComesBack) {
  {
    TPlacedForm form;
    auto* first = new QLineEdit(&form);
    first->setObjectName("Edit1");
    auto* second = new QLineEdit(&form);
    second->setObjectName("Edit2");
    auto* placement = Place(form);
    placement->SetOptions(fpState | fpPosition | fpActiveControl);
    form.show();
    second->setFocus();
    form.close();
  }
  EXPECT_EQ(Read("ActiveControl"), "Edit2");
  TPlacedForm form;
  new QLineEdit(&form);
  auto* second = new QLineEdit(&form);
  second->setObjectName("Edit2");
  auto* placement = new TFormPlacement(&form);
  placement->SetIniFileName(ini());
  placement->SetIniSection("Placed");
  placement->SetOptions(fpActiveControl);
  placement->Loaded();
  form.show();
  EXPECT_EQ(form.focusWidget(), second);
}

TEST_F(PlacemntTest, AFailedSaveIsShownAndTheFormStillCloses) {
  TPlacedForm form;
  auto* placement = Place(form);
  placement->SetIniFileName(folder_.file("missing/folder/forms.ini"));
  form.show();
  form.close();
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "Unable to write to " + folder_.file("missing/folder/forms.ini") + ".");
}

}  // namespace

#include "Placemnt_test.moc"
