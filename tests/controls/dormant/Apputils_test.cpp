// Tests of the application utilities: default names and sections, the two profiles (values that
// keep their blanks and line breaks in a file, sections and keys in the registry), line-break
// escaping, unique file names, forms, MDI children, grid columns and the broadcast.
#include "controls/dormant/Apputils.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

#include "gui/Exceptions.h"
#include "gui/VyxApplication.h"
#include "sim/SimRegistry.h"
#include "support/TempProgramFolder.h"

using namespace apputils;

class TForm1 : public QWidget {
  Q_OBJECT

public:
  Q_INVOKABLE explicit TForm1(QWidget* parent = nullptr) : QWidget(parent) {}
};

class TChildForm : public QWidget {
  Q_OBJECT

public:
  Q_INVOKABLE explicit TChildForm(QWidget* parent = nullptr) : QWidget(parent) {}
};

class TAnswerDialog : public QDialog {
  Q_OBJECT

public:
  Q_INVOKABLE explicit TAnswerDialog(QWidget* parent = nullptr) : QDialog(parent) {
    QTimer::singleShot(0, this, [this] { done(answer); });
  }
  static inline int answer = 1;
};

// A form that is no dialog: it gives its answer in its ModalResult property and closes.
class TModalForm : public QWidget {
  Q_OBJECT

public:
  Q_INVOKABLE explicit TModalForm(QWidget* parent = nullptr) : QWidget(parent) {
    QTimer::singleShot(0, this, [this] {
      setProperty("ModalResult", TAnswerDialog::answer);
      close();
    });
  }
};

// A form that answers broadcasts with its own number.
class TListener : public QWidget {
  Q_OBJECT

public:
  explicit TListener(int number) : number_(number) {}
  int seen = 0;

protected:
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User + 5) return QWidget::event(e);
    auto* b = static_cast<TBroadcastEvent*>(e);
    seen += int(b->WParam + b->LParam);
    b->Result = number_;
    return true;
  }

private:
  int number_;
};

namespace {

std::string programName() {
  return QCoreApplication::applicationFilePath().section('/', -1).toStdString();
}

class ApputilsTest : public ::testing::Test {
protected:
  ApputilsTest() { sim::Registry().reset(); }
  ~ApputilsTest() override {
    OnGetDefaultIniName = nullptr;
    RegUseAppTitle = false;
    FinalizeApputils();
    sim::Registry().reset();
  }
  std::string ini() const { return folder_.file("test.ini"); }

  testing_support::TempProgramFolder folder_;
};

TEST_F(ApputilsTest, DefaultNames) {
  EXPECT_EQ(GetDefaultIniName(), programName() + ".INI");
  OnGetDefaultIniName = [] { return std::string("Custom.ini"); };
  EXPECT_EQ(GetDefaultIniName(), "Custom.ini");

  EXPECT_EQ(GetDefaultIniRegKey(), "Software\\" + programName());
  DefCompanyName = "Firm";
  EXPECT_EQ(GetDefaultIniRegKey(), "Software\\Firm\\" + programName());
  RegUseAppTitle = true;
  std::string title = gui::VyxApplication::Title();
  gui::VyxApplication::SetTitle("My Tool");
  EXPECT_EQ(GetDefaultIniRegKey(), "Software\\Firm\\My Tool");
  FinalizeApputils();
  EXPECT_EQ(GetDefaultIniRegKey(), "Software\\My Tool");
  gui::VyxApplication::SetTitle(title);
}

TEST_F(ApputilsTest, DefaultSections) {
  TForm1 form;
  QWidget* list = new QWidget(&form);
  list->setObjectName("ListBox1");
  QWidget* inner = new QWidget(list);
  inner->setObjectName("Inner");
  QObject* storage = new QObject(&form);
  storage->setObjectName("FormStorage1");
  QWidget loosePanel;
  loosePanel.setObjectName("Panel1");
  QWidget* loose = new QWidget(&loosePanel);
  loose->setObjectName("Edit1");
  loosePanel.setWindowFlags(Qt::Popup);  // no form
  QObject plain;
  plain.setObjectName("Plain");

  EXPECT_EQ(GetDefaultSection(nullptr), "");
  EXPECT_EQ(GetDefaultSection(&form), "TForm1");
  EXPECT_EQ(GetDefaultSection(list), "TForm1ListBox1");
  EXPECT_EQ(GetDefaultSection(inner), "TForm1Inner");
  EXPECT_EQ(GetDefaultSection(storage), "TForm1.FormStorage1");
  EXPECT_EQ(GetDefaultSection(loose), "Panel1Edit1");
  EXPECT_EQ(GetDefaultSection(&plain), "Plain");

  std::string file, section;
  GetDefaultIniData(list, file, section, true);
  EXPECT_EQ(file, GetDefaultIniRegKey());
  EXPECT_EQ(section, "TForm1ListBox1");
}

TEST_F(ApputilsTest, ProfileFileValuesComeBackAsWritten) {
  TIniFile file(ini());
  const std::string values[] = {
      "plain", "", "\"abc\"", "'abc'", "  edge blanks  ", "\ttab", "line one\r\nline two",
      "\\!looks escaped", "C:\\new\\table", std::string("nul\0inside", 10), "\"", "a\"", "\n",
  };
  int i = 0;
  for (const std::string& v : values) file.WriteString("S", "K" + std::to_string(i++), v);
  i = 0;
  for (const std::string& v : values)
    EXPECT_EQ(file.ReadString("S", "K" + std::to_string(i++), "<default>"), v) << v;
  EXPECT_EQ(file.ReadString("S", "Missing", "<default>"), "<default>");

  std::string text = folder_.read("test.ini");
  EXPECT_NE(text.find("K2=\"\"abc\"\"\r\n"), std::string::npos) << "quotes enclosed once more";
  EXPECT_NE(text.find("K0=plain\r\n"), std::string::npos) << "plain values as they are";
  EXPECT_NE(text.find("K8=C:\\new\\table\r\n"), std::string::npos);
}

TEST_F(ApputilsTest, ALineBreakInAValueInjectsNoKey) {
  TIniFile file(ini());
  file.WriteString("S", "Name", "x\r\n[Evil]\r\nkey=1");
  EXPECT_EQ(file.ReadString("Evil", "key", "none"), "none");
  EXPECT_EQ(file.ReadString("S", "Name", ""), "x\r\n[Evil]\r\nkey=1");
  EXPECT_EQ(file.ReadInteger("S", "Name", 5), 5);

  file.WriteInteger("S", "Number", -12);
  file.WriteBool("S", "Flag", true);
  EXPECT_EQ(file.ReadInteger("S", "Number", 0), -12);
  EXPECT_TRUE(file.ReadBool("S", "Flag", false));
  EXPECT_EQ(folder_.read("test.ini").find("[Evil]\r\n"), std::string::npos);

  TIniFile unwritable(folder_.file("no/such/folder/x.ini"));
  EXPECT_THROW(unwritable.WriteString("S", "K", "v"), EIniFileException);
}

TEST_F(ApputilsTest, ProfileFileSectionsAndKeysAreRemoved) {
  TIniFile file(ini());
  file.WriteString("TForm1", "NormPos", "1,2,3,4");
  file.WriteString("TForm1", "Visible", "1");
  file.WriteInteger("TForm1.Grid", "Item0", 64);
  gui::TStringList sections;
  sections.Add("old");
  file.ReadSections(sections);
  EXPECT_EQ(sections.CommaText(), "TForm1,TForm1.Grid");

  file.DeleteKey("TForm1", "NormPos");
  EXPECT_EQ(file.ReadString("TForm1", "NormPos", "gone"), "gone");
  EXPECT_EQ(file.ReadString("TForm1", "Visible", ""), "1");
  file.EraseSection("TForm1.Grid");
  EXPECT_EQ(file.ReadInteger("TForm1.Grid", "Item0", -1), -1);
  EXPECT_EQ(folder_.read("test.ini"), "[TForm1]\r\nVisible=1\r\n");
}

TEST_F(ApputilsTest, RegistryProfileSectionsAreKeys) {
  TRegIniFile reg("Software\\Tool");
  reg.WriteString("TForm1", "NormPos", "1,2,3,4");
  reg.WriteInteger("TForm1.Grid", "Item0", 64);
  reg.WriteBool("TForm10", "Visible", true);
  reg.WriteString("TForm1\\Columns", "Width", "x");
  EXPECT_EQ(reg.ReadString("TForm1", "NormPos", ""), "1,2,3,4");
  EXPECT_EQ(reg.ReadInteger("TForm1.Grid", "Item0", 0), 64);
  EXPECT_TRUE(reg.ReadBool("TForm10", "Visible", false));

  gui::TStringList sections;
  reg.ReadSections(sections);
  sections.Sort();
  EXPECT_EQ(sections.CommaText(), "TForm1,TForm1.Grid,TForm10");

  reg.DeleteKey("TForm1", "NormPos");
  EXPECT_EQ(reg.ReadString("TForm1", "NormPos", "gone"), "gone");
  reg.EraseSection("TForm1");
  EXPECT_EQ(reg.ReadString("TForm1\\Columns", "Width", "gone"), "gone");

  TRegIniFile readOnly("Software\\Tool", rrCurrentUser, true);
  readOnly.WriteString("TForm10", "Visible", "0");
  readOnly.EraseSection("TForm10");
  EXPECT_TRUE(reg.ReadBool("TForm10", "Visible", false)) << "a read-only profile writes nothing";

  TRegIniFile machine("Software\\Tool", rrLocalMachine);
  machine.WriteString("TForm10", "Visible", "0");
  EXPECT_TRUE(reg.ReadBool("TForm10", "Visible", false)) << "the roots are kept apart";
  EXPECT_FALSE(machine.ReadBool("TForm10", "Visible", true));
}

TEST_F(ApputilsTest, WrappersLeaveOtherProfilesAlone) {
  EXPECT_EQ(IniReadString(nullptr, "S", "K", "d"), "d");
  EXPECT_EQ(IniReadInteger(nullptr, "S", "K", 3), 3);
  IniWriteString(nullptr, "S", "K", "v");
  gui::TStringList list;
  list.Add("old");
  IniReadSections(nullptr, list);
  EXPECT_EQ(list.Count(), 1);
  TIniFile file(ini());
  IniWriteString(&file, "S", "K", "\"q\"");
  EXPECT_EQ(IniReadString(&file, "S", "K", ""), "\"q\"");
}

TEST_F(ApputilsTest, LineBreakEscaping) {
  struct Case { const char* in; const char* out; };
  const Case cases[] = {{"a\r\nb", "a\\nb"}, {"a\n\rb", "a\\nb"}, {"a\rb", "a\\nb"},
                        {"a\nb", "a\\nb"}, {"a\n\nb", "a\\n\\nb"}, {"plain", "plain"}};
  for (const Case& c : cases) EXPECT_EQ(StrToIniStr(c.in), c.out) << c.in;
  EXPECT_EQ(IniStrToStr("a\\nb\\n"), "a\r\nb\r\n");
  EXPECT_EQ(IniStrToStr("a\\tb\\"), "a\\tb\\");
  try {
    StrToIniStr(std::string(4097, 'x'));
    ADD_FAILURE();
  } catch (const gui::Exception& e) {
    EXPECT_EQ(e.Message(), "Line too long");
  }
  EXPECT_NO_THROW(IniStrToStr(std::string(4096, 'x')));
}

TEST_F(ApputilsTest, UniqueFileNames) {
  folder_.write("File0.txt", "");
  folder_.write("File1.txt", "");
  EXPECT_EQ(GetUniqueFileNameInDir(folder_.path(), "File%d.txt"), "File2.txt");
  EXPECT_EQ(GetUniqueFileNameInDir(folder_.path(), "File%.3d.txt"), "File000.txt");
  EXPECT_EQ(GetUniqueFileNameInDir(folder_.path(), "Shot%%%0:d-%0:d.bmp"), "Shot%0-0.bmp");
  EXPECT_EQ(GetUniqueFileNameInDir(folder_.path(), "File0.txt"), "") << "no number: tried once";
  EXPECT_EQ(GetUniqueFileNameInDir(folder_.path(), "Free.txt"), "Free.txt");
  EXPECT_THROW(GetUniqueFileNameInDir(folder_.path(), "File%s.txt"), gui::EConvertError);
  EXPECT_THROW(GetUniqueFileNameInDir(folder_.path(), "%d%d"), gui::EConvertError);
}

TEST_F(ApputilsTest, FormsAreFoundShownAndMade) {
  EXPECT_EQ(FindForm(TForm1::staticMetaObject), nullptr);
  QWidget* shown = FindShowForm(TForm1::staticMetaObject, "First");
  ASSERT_NE(shown, nullptr);
  std::unique_ptr<QWidget> owned(shown);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(shown->windowTitle(), "First");
  EXPECT_EQ(FindForm(TForm1::staticMetaObject), shown);
  EXPECT_EQ(FindShowForm(TForm1::staticMetaObject, ""), shown);
  shown->setWindowState(Qt::WindowMinimized);
  EXPECT_EQ(FindShowForm(TForm1::staticMetaObject, "First"), shown);
  EXPECT_FALSE(shown->windowState() & Qt::WindowMinimized) << "a minimized form is restored";
  std::unique_ptr<QWidget> second(FindShowForm(TForm1::staticMetaObject, "Second"));
  EXPECT_NE(second.get(), shown);

  QWidget* reference = nullptr;
  std::unique_ptr<QWidget> made(InstantiateForm(TChildForm::staticMetaObject, reference));
  EXPECT_EQ(made.get(), reference);
  EXPECT_EQ(InstantiateForm(TChildForm::staticMetaObject, reference), made.get());
  EXPECT_THROW(CreateForm(QWidget::staticMetaObject), gui::EInvalidOperation);

  RegisterFormClass(TChildForm::staticMetaObject);
  EXPECT_EQ(FindFormClass("tchildform"), &TChildForm::staticMetaObject);
  EXPECT_EQ(FindFormClass("TNobody"), nullptr);

  for (int answer : {1, 6, 2, 7}) {
    TAnswerDialog::answer = answer;
    EXPECT_EQ(ShowDialog(TAnswerDialog::staticMetaObject), answer == 1 || answer == 6) << answer;
    EXPECT_EQ(ShowDialog(TModalForm::staticMetaObject), answer == 1 || answer == 6) << answer;
  }
}

TEST_F(ApputilsTest, MdiChildrenAreSavedAndOpenedAgain) {
  TForm1 plain;
  TIniFile file(ini());
  try {
    SaveMDIChildren(&plain, &file);
    ADD_FAILURE();
  } catch (const gui::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Cannot create form. No MDI forms are currently active");
  }
  EXPECT_THROW(RestoreMDIChildren(nullptr, &file), gui::EInvalidOperation);

  RegisterFormClass(TChildForm::staticMetaObject);
  RegisterFormClass(TForm1::staticMetaObject);
  TForm1 main;
  auto* area = new QMdiArea(&main);
  main.show();
  area->addSubWindow(new TChildForm)->show();
  area->addSubWindow(new TForm1)->show();
  SaveMDIChildren(&main, &file);
  EXPECT_EQ(file.ReadInteger("MDI Children", "Count", 0), 2);
  EXPECT_EQ(file.ReadString("MDI Children", "Item0", ""), "TForm1") << "the top one first";
  EXPECT_EQ(file.ReadString("MDI Children", "Item1", ""), "TChildForm");

  TForm1 again;
  auto* area2 = new QMdiArea(&again);
  again.show();
  file.WriteInteger("MDI Children", "Count", 1000000);
  RestoreMDIChildren(&again, &file);
  ASSERT_EQ(area2->subWindowList().size(), 2) << "as many as the items present";
  EXPECT_STREQ(area2->activeSubWindow()->widget()->metaObject()->className(), "TForm1");
}

TEST_F(ApputilsTest, GridColumnWidths) {
  TForm1 form;
  auto* grid = new QTableWidget(2, 3, &form);
  grid->setObjectName("Grid1");
  for (int i = 0; i < 3; ++i) grid->setColumnWidth(i, 40 + i);
  TRegIniFile reg("Software\\Tool");
  SaveGridLayoutReg(grid, &reg);
  EXPECT_EQ(reg.ReadInteger("TForm1Grid1", "Item2", 0), 42);
  for (int i = 0; i < 3; ++i) grid->setColumnWidth(i, 10);
  reg.WriteString("TForm1Grid1", "Item1", "-5");
  RestoreGridLayoutReg(grid, &reg);
  EXPECT_EQ(grid->columnWidth(0), 40);
  EXPECT_EQ(grid->columnWidth(1), 0) << "no negative width";
  EXPECT_EQ(grid->columnWidth(2), 42);
}

TEST_F(ApputilsTest, BroadcastReachesEveryForm) {
  TListener a(1), b(2);
  a.show();
  b.show();
  intptr_t result = AppBroadcast(QEvent::User + 5, 3, 4);
  EXPECT_EQ(a.seen, 7);
  EXPECT_EQ(b.seen, 7);
  EXPECT_EQ(result, 2) << "the last form's answer";
}

}  // namespace

#include "Apputils_test.moc"
