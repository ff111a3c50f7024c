// Tests of the file and directory edits on the simulated shell: names and quotes, the dialogs'
// requests and results, the events around them, and dropped files.
#include "controls/dormant/TooleditFileDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>

#include <filesystem>

#include "platform/ErrorMode.h"
#include "platform/MessageBox.h"
#include "SimShellTest.h"

using namespace tooledit;
using platform::SimShellEvent;
namespace fs = std::filesystem;

namespace {

class FileDirEditTest : public SimShellTest {
protected:
  std::string makeDir(const std::string& name) const {
    fs::create_directories(folder_.file(name));
    return folder_.file(name);
  }
  std::string makeFile(const std::string& name) const {
    folder_.write(name, "x");
    return folder_.file(name);
  }
  static void chooseFiles(std::vector<std::string> files) {
    shell().scriptFileDialog(platform::FileDialogChoice{std::move(files), 1});
  }
};

std::vector<std::string> filesOf(const TFilenameEdit& edit) {
  std::vector<std::string> out;
  for (int i = 0; i < edit.DialogFiles().Count(); ++i) out.push_back(edit.DialogFiles()[i]);
  return out;
}

}  // namespace

TEST_F(FileDirEditTest, QuoteAndClipFileNames) {
  const std::string existing = makeFile("my file.txt");
  struct Case {
    std::string text, quoted, clipped;
  };
  const Case cases[] = {
      {"/srv/Program Files/a.txt", "\"/srv/Program Files/a.txt\"", "/srv/Program Files/a.txt"},
      {"/srv/a.txt", "/srv/a.txt", "/srv/a.txt"},
      {"\"/srv/a b.exe\" -p 1", "\"/srv/a b.exe\" -p 1", "/srv/a b.exe"},
      {existing, "\"" + existing + "\"", existing},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QuoteFileName(c.text), c.quoted) << c.text;
    EXPECT_EQ(ClipFileName(c.text), c.clipped) << c.text;
  }
}

TEST_F(FileDirEditTest, FileNameIsShownQuotedAndReadBackWithout) {
  TFilenameEdit edit;
  edit.SetFileName("/srv/Program Files/a.txt");
  EXPECT_EQ(edit.Text(), "\"/srv/Program Files/a.txt\"");
  EXPECT_EQ(edit.FileName(), "/srv/Program Files/a.txt");
  edit.SetFileName("");
  EXPECT_EQ(edit.Text(), "");
}

TEST_F(FileDirEditTest, InvalidFileNameRaisesAndKeepsTheText) {
  TFilenameEdit edit;
  edit.SetFileName("/srv/kept.txt");
  for (const std::string bad : {"a|b", "<x>", "\"\"", "/srv/[1]"}) {
    try {
      edit.SetFileName(bad);
      ADD_FAILURE() << bad << " was taken";
    } catch (const EComboEditError& e) {
      EXPECT_EQ(std::string(e.what()), "Invalid file name - " + bad);
    }
    EXPECT_EQ(edit.Text(), "/srv/kept.txt") << bad;
  }
}

TEST_F(FileDirEditTest, DefaultsAndTheSharedGlyph) {
  TFilenameEdit file;
  TDirectoryEdit dir;
  EXPECT_EQ(file.GlyphKind(), gkDefault);
  EXPECT_EQ(file.Button()->Glyph().Width(), 14);
  EXPECT_EQ(file.Button()->Glyph().Height(), 12);
  EXPECT_EQ(dir.GlyphKind(), gkDefault);
  EXPECT_FALSE(file.AcceptFiles());
  EXPECT_EQ(file.DialogKind(), dkOpen);
  EXPECT_EQ(file.DialogOptions(), gui::ofHideReadOnly);
  EXPECT_EQ(file.FilterIndex(), 1);
  EXPECT_FALSE(file.IsCustomTitle());
  EXPECT_FALSE(file.IsCustomFilter());
  file.SetDialogTitle("Pick");
  EXPECT_TRUE(file.IsCustomTitle());
  EXPECT_EQ(dir.DialogOptions(), 0u);
  EXPECT_EQ(dir.DialogKind(), dkVCL);
  EXPECT_FALSE(dir.MultipleDirs());
}

TEST_F(FileDirEditTest, DialogKindRemakesTheDialogWithItsSettings) {
  TFilenameEdit edit;
  edit.SetFilter("Text|*.txt|All|*");
  edit.SetFilterIndex(2);
  edit.SetInitialDir("/srv");
  edit.SetDialogTitle("Pick");
  edit.SetDefaultExt("txt");
  edit.HistoryList().Add("/srv/old.txt");
  edit.SetDialogKind(dkSavePicture);
  EXPECT_EQ(edit.Dialog().DialogKind(), gui::TOpenDialog::Kind::SavePicture);
  EXPECT_EQ(edit.Filter(), "Text|*.txt|All|*");
  EXPECT_EQ(edit.FilterIndex(), 2);
  EXPECT_EQ(edit.InitialDir(), "/srv");
  EXPECT_EQ(edit.DialogTitle(), "Pick");
  EXPECT_EQ(edit.DefaultExt(), "txt");
  EXPECT_EQ(edit.HistoryList().Count(), 1);
  edit.DoClick();
  const auto dialogs = eventsOf(SimShellEvent::Kind::FileDialog);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].fileDialog.kind, platform::FileDialogKind::kSavePicture);
  EXPECT_EQ(dialogs[0].fileDialog.filter, "Text|*.txt|All|*");
  EXPECT_EQ(dialogs[0].fileDialog.filterIndex, 2);
}

TEST_F(FileDirEditTest, FileButtonOpensAtTheNameAndShowsTheChoice) {
  const std::string dir = makeDir("docs");
  TFilenameEdit edit;
  edit.SetText(dir + "/old name.txt");
  const std::string chosen = folder_.file("other/new name.txt");
  chooseFiles({chosen});
  std::string before, after;
  bool afterAction = false;
  edit.OnBeforeDialog = [&](QWidget*, std::string& name, bool&) { before = name; };
  edit.OnAfterDialog = [&](QWidget*, std::string& name, bool& action) {
    after = name;
    afterAction = action;
  };
  edit.DoClick();
  EXPECT_EQ(before, dir + "/old name.txt") << "the whole unquoted name";
  const auto dialogs = eventsOf(SimShellEvent::Kind::FileDialog);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].fileDialog.initialDir, dir + "/");
  EXPECT_EQ(dialogs[0].fileDialog.fileName, dir + "/old name.txt");
  EXPECT_TRUE(afterAction);
  EXPECT_EQ(after, chosen);
  EXPECT_EQ(edit.Text(), "\"" + chosen + "\"");
  EXPECT_EQ(edit.InitialDir(), folder_.file("other/"));
}

// While a dialog is open the system's error boxes are off; the mode before comes back after.
TEST_F(FileDirEditTest, DialogsRunWithErrorBoxesSuppressed) {
  const unsigned suppressed = platform::kSemFailCriticalErrors | platform::kSemNoOpenFileErrorBox;
  const unsigned before = platform::SetErrorMode(0x0002);
  TFilenameEdit file;
  chooseFiles({"/srv/a.txt"});
  file.DoClick();
  TDirectoryEdit dir;
  dir.DoClick();
  const auto dialogs = eventsOf(SimShellEvent::Kind::FileDialog);
  const auto browses = eventsOf(SimShellEvent::Kind::Browse);
  EXPECT_EQ(platform::SetErrorMode(before), 0x0002u) << "restored";
  ASSERT_EQ(dialogs.size(), 1u);
  ASSERT_EQ(browses.size(), 1u);
  EXPECT_EQ(dialogs[0].errorMode, suppressed);
  EXPECT_EQ(browses[0].errorMode, suppressed);
  EXPECT_EQ(file.ErrMode(), 0u);
}

// Before-dialog vetoes, cancels and names the dialog cannot open on.
TEST_F(FileDirEditTest, FileButtonWithoutAChoiceLeavesTheText) {
  struct Case {
    const char* what;
    std::string text;
    bool veto;
    size_t dialogs;
    std::string dialogName;
  };
  const Case cases[] = {
      {"vetoed", "/srv/a.txt", true, 0, ""},
      {"cancelled", "/srv/a.txt", false, 1, "/srv/a.txt"},
      {"a folder name opens on no file", "/srv/", false, 1, ""},
      {"an invalid name is not passed on", "/srv/a|b", false, 1, ""},
  };
  for (const Case& c : cases) {
    shell().reset();
    TFilenameEdit edit;
    edit.SetText(c.text);
    bool afterCalled = false;
    edit.OnBeforeDialog = [&](QWidget*, std::string&, bool& action) { action = !c.veto; };
    edit.OnAfterDialog = [&](QWidget*, std::string&, bool& action) {
      afterCalled = true;
      EXPECT_FALSE(action) << c.what;
    };
    edit.DoClick();
    const auto dialogs = eventsOf(SimShellEvent::Kind::FileDialog);
    ASSERT_EQ(dialogs.size(), c.dialogs) << c.what;
    if (c.dialogs) {
      EXPECT_EQ(dialogs[0].fileDialog.fileName, c.dialogName) << c.what;
    }
    EXPECT_EQ(afterCalled, !c.veto) << c.what;
    EXPECT_EQ(edit.Text(), c.text) << c.what;
  }
}

TEST_F(FileDirEditTest, MultiSelectOptionFollowsTheOptions) {
  TFilenameEdit edit;
  edit.SetDialogOptions(gui::ofAllowMultiSelect);
  edit.DropFiles({"/a", "/b"});
  EXPECT_EQ(filesOf(edit), (std::vector<std::string>{"/a", "/b"}));
  edit.SetDialogOptions(gui::ofHideReadOnly);
  EXPECT_TRUE(filesOf(edit).empty());
}

TEST_F(FileDirEditTest, DroppedFilesOnAFileEdit) {
  const std::string longName = "/" + std::string(300, 'n') + ".txt";
  struct Case {
    const char* what;
    bool multi;
    std::vector<std::string> dropped;
    std::string fileName;
    std::vector<std::string> files;
  };
  const Case cases[] = {
      {"one of three", false, {"/a.txt", "/b.txt", "/c.txt"}, "/a.txt", {}},
      {"all three", true, {"/a.txt", "/b.txt", "/c.txt"}, "/a.txt", {"/a.txt", "/b.txt", "/c.txt"}},
      {"a long name whole", false, {longName}, longName, {}},
  };
  for (const Case& c : cases) {
    TFilenameEdit edit;
    int drops = 0;
    edit.OnDropFiles = [&](QWidget*) { ++drops; };
    if (c.multi) edit.SetDialogOptions(gui::ofAllowMultiSelect);
    edit.DropFiles(c.dropped);
    EXPECT_EQ(edit.FileName(), c.fileName) << c.what;
    EXPECT_EQ(filesOf(edit), c.files) << c.what;
    EXPECT_EQ(drops, 1) << c.what;
  }
}

TEST_F(FileDirEditTest, DroppedInvalidNameRaisesBeforeTheEvent) {
  TFilenameEdit edit;
  int drops = 0;
  edit.OnDropFiles = [&](QWidget*) { ++drops; };
  EXPECT_THROW(edit.DropFiles({"/a|b"}), EComboEditError);
  EXPECT_EQ(drops, 0);
  edit.DropFiles({});
  EXPECT_EQ(drops, 0) << "an empty drop raises nothing";
}

// A drop from the desktop arrives as a URI list; it is taken only with AcceptFiles.
TEST_F(FileDirEditTest, DesktopDropNeedsAcceptFiles) {
  TFilenameEdit edit;
  edit.SetText("/kept");
  auto drop = [&edit] {
    QMimeData mime;
    mime.setData("text/uri-list", "file:///srv/two%20words.txt\r\n");
    // Qt delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&edit, &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&edit, &event);
  };
  drop();
  EXPECT_EQ(edit.Text(), "/kept");
  edit.SetAcceptFiles(true);
  drop();
  EXPECT_EQ(edit.FileName(), "/srv/two words.txt");
}

TEST_F(FileDirEditTest, DroppedFilesOnADirectoryEdit) {
  const std::string dir = makeDir("d");
  const std::string file = makeFile("d/f.txt");
  struct Case {
    bool multi;
    std::string text;
    std::string dropped;
    std::string result;
  };
  const Case cases[] = {
      {false, "/old", file, dir + "/"},
      {false, "/old", dir, dir},
      {true, "/old", file, "/old;" + dir + "/"},
      {true, "", dir, dir},
  };
  for (const Case& c : cases) {
    TDirectoryEdit edit;
    edit.SetMultipleDirs(c.multi);
    edit.SetText(c.text);
    edit.DropFiles({c.dropped});
    EXPECT_EQ(edit.Text(), c.result) << c.text << " + " << c.dropped;
  }
}

TEST_F(FileDirEditTest, DirectoryButtonStartsAtTheRootWithoutAUsableName) {
  const std::string start = makeDir("start");
  struct Case {
    std::string text, initialDir, opensAt;
  };
  const Case cases[] = {
      {"", "", "/"},
      {"", start, start},
      {folder_.file("missing"), start, "/"},
      {start, "", start},
  };
  for (const Case& c : cases) {
    shell().reset();
    TDirectoryEdit edit;
    edit.SetText(c.text);
    edit.SetInitialDir(c.initialDir);
    edit.DoClick();
    const auto selections = eventsOf(SimShellEvent::Kind::SetSelection);
    ASSERT_FALSE(selections.empty()) << c.text;
    EXPECT_EQ(selections[0].text, c.opensAt) << c.text << " / " << c.initialDir;
  }
}

TEST_F(FileDirEditTest, DirectoryButtonSetsOrAppendsTheChoice) {
  const std::string work = makeDir("Work"), temp = makeDir("Temp");
  struct Case {
    bool multi;
    TDirDialogKind kind;
    std::string text, result;
  };
  const Case cases[] = {
      {true, dkVCL, work, work + ";" + temp},
      {false, dkVCL, work, temp},
      {true, dkWin32, "", temp},
  };
  for (const Case& c : cases) {
    shell().reset();
    shell().scriptBrowse({{}, temp, false});
    TDirectoryEdit edit;
    edit.SetMultipleDirs(c.multi);
    edit.SetDialogKind(c.kind);
    edit.SetDialogText("Folder");
    edit.SetText(c.text);
    edit.DoClick();
    EXPECT_EQ(edit.Text(), c.result) << c.text;
    EXPECT_EQ(edit.InitialDir(), temp);
    const auto browses = eventsOf(SimShellEvent::Kind::Browse);
    ASSERT_EQ(browses.size(), 1u);
    EXPECT_EQ(browses[0].browse.title, c.kind == dkWin32 ? "Folder" : "Select Directory");
  }
}

TEST_F(FileDirEditTest, MissingChosenFolderIsMadeOnlyWhenAllowed) {
  struct Case {
    unsigned options;
    int answer;
    bool made;
    size_t boxes;
  };
  const Case cases[] = {
      {0, platform::kIdYes, false, 0},
      {sdAllowCreate | sdPerformCreate, platform::kIdYes, true, 0},
      {sdAllowCreate | sdPerformCreate | sdPrompt, platform::kIdYes, true, 1},
      {sdAllowCreate | sdPerformCreate | sdPrompt, platform::kIdNo, false, 1},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string missing = folder_.file("new" + std::to_string(n++));
    shell().reset();
    shell().scriptBrowse({{}, missing, false});
    platform::RecordingMessageBox boxes(c.answer);
    TDirectoryEdit edit;
    edit.SetDialogOptions(c.options);
    edit.DoClick();
    EXPECT_EQ(fs::is_directory(missing), c.made) << c.options;
    EXPECT_EQ(boxes.shown().size(), c.boxes) << c.options;
    EXPECT_EQ(edit.Text(), c.answer == platform::kIdNo ? "" : missing) << c.options;
  }
}

TEST_F(FileDirEditTest, ShortNameConvertsEachFolder) {
  const std::string a = makeDir("a"), b = makeDir("b");
  TDirectoryEdit edit;
  edit.SetText(a + ";;" + b);
  edit.SetMultipleDirs(true);
  EXPECT_EQ(edit.ShortName(), a + ";" + b);
  EXPECT_EQ(edit.LongName(), a + ";" + b);
  edit.SetMultipleDirs(false);
  edit.SetText(a);
  EXPECT_EQ(edit.ShortName(), a);
}
