// The language loader on the running program: the built-in Russian texts, a file's texts on
// every target, the reads that share a key, the tray menu's fixed items, the priority list, the
// language list and the shipped English file.
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include "LanguageFixture.h"
#include "core/Settings.h"
#include "settings/Language.h"
#include "viewer/Range.h"
#include "viewer/Schu.h"

namespace language_test {
namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

LanguageTarget at(LanguageWindow window, LanguageTargetKind kind, const char* name,
                  int index = -1) {
  return {0, window, kind, name, int8_t(index)};
}

using W = LanguageWindow;
using K = LanguageTargetKind;

struct Shown {
  LanguageTarget target;
  const char* text;
};

// Texts the windows' layouts spell otherwise, or that share a key with another read.
const Shown kBuiltIns[] = {
    {at(W::Panel, K::TrayFromEnd, nullptr, 5), "Восстановить всё"},
    {at(W::Panel, K::TrayFromEnd, nullptr, 1), "Выход"},
    {at(W::Capture, K::Caption, "Button8"), "ПУСК"},
    {at(W::Capture, K::Caption, "Button6"), "Пуск"},
    {at(W::Capture, K::Caption, "Label6"), "Приоритет"},
    {at(W::Capture, K::ComboAppend, "ComboBox3"), "наивысший|высокий|средний|низкий"},
    {at(W::Panel, K::Hint, "RxSlider4"), "Теплота"},
    {at(W::ChannelList, K::GridHeader, nullptr, 7), "Теп"},
    {at(W::ScanDialog, K::WindowTitle, nullptr), "Сканер"},
    {at(W::ScanDialog, K::RadioItem, "RadioGroup1", 1), "наличию радиосигнала"},
    {at(W::Scheduler, K::Caption, "Label3"), "Ежедневно"},
    {at(W::Settings, K::Caption, "RadioGroup4"), "Драйвер"},
    {at(W::Settings, K::Caption, "TabSheet7"), "O программе"},
    {at(W::Settings, K::Caption, "CheckBox6"), "Подчеркнутый"},
};

void expectShown(const Shown& s, const std::string& context) {
  EXPECT_EQ(shownText(s.target).toStdString(), s.text)
      << context << ": " << (s.target.name ? s.target.name : "window");
}

// "Russian" has no file, and a missing file is no error: the built-in texts, also after
// another language was shown.
TEST_F(LanguageTest, RussianAndAMissingFileShowTheBuiltInTexts) {
  writeLanguage("Test", "[Language]\nRestore_all=Everything\nStart=Go\nDriver=Drv\n");
  writeSetting("Language", "Test");
  startWithChannels(2);
  ASSERT_EQ(shownText(kBuiltIns[0].target), "Everything");
  for (const char* language : {"Russian", "Missing", ""}) {
    LoadLanguage(language);
    for (const Shown& s : kBuiltIns) expectShown(s, language);
  }
}

// Each control shows its key's text; where two reads set one control, the later one's.
TEST_F(LanguageTest, AFileGivingEveryKeySetsEveryTarget) {
  std::string file = "[Language]\n";
  for (const LanguageRead& r : LanguageReads()) file += std::string(r.key) + "=<" + r.key + ">\n";
  writeLanguage("Marks", file);
  startWithChannels(3);
  Settings.FullScreen = kFullScreenNoChanges;
  LoadLanguage("Marks");

  using Place = std::tuple<LanguageWindow, LanguageTargetKind, std::string, int>;
  std::map<Place, QString> expected;
  for (const LanguageTarget& t : LanguageTargets()) {
    const QString mark = "<" + QString::fromLatin1(LanguageReads()[t.read - 1].key) + ">";
    const Place place{t.window, t.kind, t.name ? t.name : "", t.index};
    if (t.kind == K::ComboClear) continue;
    if (t.kind == K::ComboAppend) {
      expected[Place{t.window, t.kind, t.name, -1}] +=
          (expected.count(Place{t.window, t.kind, t.name, -1}) ? "|" : "") + mark;
      continue;
    }
    expected[place] = mark;
    if (!t.name || t.kind == K::GridHeader || t.kind == K::TrayFromEnd) continue;
    const QWidget* control = LanguageTargetControl(t);
    ASSERT_TRUE(control) << t.name;
    EXPECT_EQ(control->window()->findChildren<QWidget*>(t.name).size(), 1)
        << t.name << " names one control";
  }
  for (const auto& [place, text] : expected) {
    const auto& [window, kind, name, index] = place;
    const LanguageTarget t{0, window, kind, name.empty() ? nullptr : name.c_str(), int8_t(index)};
    EXPECT_EQ(shownText(t), text) << name << " (" << int(window) << ")";
  }
  EXPECT_EQ(Form3->ComboBox3->currentIndex(), 2);
}

struct KeyCase {
  const char* file;
  std::vector<Shown> shown;
};

class LanguageKeys : public LanguageTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(LanguageKeys, AKeyGoesToEveryTargetOfItsReads) {
  writeLanguage("Keys", std::string("[Language]\n") + GetParam().file);
  startWithChannels(1);
  LoadLanguage("keys");  // the name in another letter case
  for (const Shown& s : GetParam().shown) expectShown(s, GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, LanguageKeys,
    ::testing::Values(
        KeyCase{"Start=Go\n",
                {{at(W::Capture, K::Caption, "Button8"), "Go"},
                 {at(W::Capture, K::Caption, "Button6"), "Go"}}},
        KeyCase{"Hue=Tint\n",
                {{at(W::Panel, K::Hint, "RxSlider4"), "Tint"},
                 {at(W::ChannelList, K::Caption, "Label5"), "Tint"},
                 {at(W::ChannelList, K::GridHeader, nullptr, 7), "Tint"},
                 {at(W::ScanDialog, K::Caption, "Label10"), "Теплота по умолчанию"}}},
        KeyCase{"Use_driver=Use\nU_Saturation=U only\n",
                {{at(W::Settings, K::Caption, "RadioGroup4"), "Драйвер"},
                 {at(W::Settings, K::Caption, "Label62"), "Цветность U"}}},
        KeyCase{"FreqScanWindowCaption=Scan\nHigh=Hi\n",
                {{at(W::ScanDialog, K::WindowTitle, nullptr), "Scan"},
                 {at(W::Capture, K::ComboAppend, "ComboBox3"), "наивысший|Hi|средний|низкий"}}},
        KeyCase{"Exit=Quit\n",
                {{at(W::Panel, K::TrayFromEnd, nullptr, 1), "Quit"},
                 {at(W::Panel, K::Hint, "Image13"), "Quit"}}}));

// The full-screen button shows the chosen resolution; the "no change" text only for that choice.
TEST_F(LanguageTest, TheFullScreenButtonKeepsAChosenResolution) {
  startWithChannels(1);
  Settings.FullScreen = kFullScreen800x600;
  ShowFullScreenMode();
  LoadLanguage("Russian");
  EXPECT_EQ(Form1->SpeedButton1->text(), "800 x 600");
  EXPECT_EQ(Form1->Label11->Caption(), gui::ToCp1251(u("Не менять")));
  Settings.FullScreen = kFullScreenNoChanges;
  LoadLanguage("Russian");
  EXPECT_EQ(Form1->SpeedButton1->text(), u("Не менять"));
}

// A value longer than a profile read's buffer is cut to 259 bytes.
TEST_F(LanguageTest, ALongValueIsCut) {
  writeLanguage("Long", "[Language]\nOk=" + std::string(300, 'x') + "\n");
  startWithChannels(1);
  LoadLanguage("Long");
  EXPECT_EQ(Form6->Button6->text(), QString(259, 'x'));
}

const QStringList kEnglishFixed = {"Restore all", "Restore TV screen", "Restore control panel", "",
                                   "Exit"};

QStringList trayTexts() {
  QStringList texts;
  for (const QAction* a : Form1->PopupMenu4->actions()) texts << a->text();
  return texts;
}

// Channel items stand ahead of the fixed items: the texts still land on the last five, the
// separator untouched; a menu shorter than that takes what fits.
TEST_F(LanguageTest, TrayTextsLandOnTheFixedItemsAfterTheChannelItems) {
  installShippedLanguages();
  startWithChannels(3);
  ASSERT_EQ(Form1->PopupMenu4->actions().size(), 3 + 1 + 5);
  LoadLanguage("English");
  EXPECT_EQ(trayTexts(), QStringList({"C1", "C2", "C3", ""}) + kEnglishFixed);
  EXPECT_TRUE(Form1->PopupMenu4->actions()[7]->isSeparator());

  const QList<QAction*> items = Form1->PopupMenu4->actions();
  for (int i = 0; i < items.size() - 2; ++i) Form1->PopupMenu4->removeAction(items[i]);
  LoadLanguage("Russian");
  EXPECT_EQ(trayTexts(), QStringList({"", u("Выход")}));
}

TEST_F(LanguageTest, EveryLoadSelectsTheThirdPriority) {
  startWithChannels(1);
  for (int chosen : {0, 3}) {
    Form3->ComboBox3->setCurrentIndex(chosen);
    LoadLanguage("Russian");
    EXPECT_EQ(Form3->ComboBox3->count(), 4);
    EXPECT_EQ(Form3->ComboBox3->currentIndex(), 2) << chosen;
  }
}

QStringList listed(const QListWidget* list) {
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
  return names;
}

// The list: "Russian", then every entry of Languages; a click applies the chosen language.
TEST_F(LanguageTest, TheLanguageListOffersRussianAndEveryFile) {
  installShippedLanguages();
  writeSetting("Language", "ENGLISH");
  startWithChannels(1);
  const QString before = QDir::currentPath();
  QListWidget* list = Form7->ListBox3;
  EXPECT_EQ(listed(list), QStringList({"Russian", "English"}));
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_EQ(Form1->Restore1->text(), "Restore all");

  list->setCurrentRow(0);
  Form7->ListBox3Click();
  EXPECT_EQ(Settings.Language, "Russian");
  EXPECT_EQ(Form1->Restore1->text(), u("Восстановить всё"));
  EXPECT_EQ(QDir::currentPath(), before);

  std::filesystem::remove_all(folder_.file("Languages"));
  QListWidget fresh;
  FillLanguageList(&fresh);
  EXPECT_EQ(listed(&fresh), QStringList({"Russian"}));
}

// The shipped file: one [Language] section whose keys are exactly the keys the loader reads, and
// the default setting shows it.
TEST_F(LanguageTest, TheShippedEnglishFileGivesEveryKeyTheLoaderReads) {
  std::ifstream file(platform::ExecutableFolder() + "Languages/English", std::ios::binary);
  ASSERT_TRUE(file.is_open());
  std::set<std::string> keys;
  std::string line;
  std::getline(file, line);
  EXPECT_EQ(line, "[Language]\r");
  while (std::getline(file, line)) {
    const size_t eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    EXPECT_TRUE(keys.insert(line.substr(0, eq)).second) << "twice: " << line;
    EXPECT_GT(line.size(), eq + 2) << "empty: " << line;
  }
  std::set<std::string> read;
  for (const LanguageRead& r : LanguageReads()) read.insert(r.key);
  EXPECT_EQ(keys, read);

  installShippedLanguages();
  startWithChannels(1);
  EXPECT_EQ(Settings.Language, "english");
  EXPECT_EQ(Form3->Button8->text(), "Start");
  EXPECT_EQ(Form7->CheckBox5->text(), "Italic");
  EXPECT_EQ(Form7->CheckBox6->text(), "Underline");
}

}  // namespace
}  // namespace language_test
