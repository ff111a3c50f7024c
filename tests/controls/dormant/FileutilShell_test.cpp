// Tests of the shell side of the file utilities on the simulated shell: the folder chooser's
// selection, OK button and result, the computer chooser, the file operator's request, the shell
// copy and move, and shortcuts in special folders.
#include "controls/dormant/FileutilShell.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "controls/dormant/Fileutil.h"
#include "SimShellTest.h"

using namespace fileutil;
using platform::SimShellEvent;
namespace fs = std::filesystem;

namespace {

class FileutilShellTest : public SimShellTest {};

TEST_F(FileutilShellTest, FolderChooserTracksTheSelectionAndReturnsTheFolder) {
  fs::create_directories(folder_.file("start"));
  fs::create_directories(folder_.file("chosen"));
  std::string notAFolder = folder_.file("nothing-here");
  shell().scriptBrowse({{folder_.file("chosen"), notAFolder}, folder_.file("chosen/"), false});

  TBrowseFolderDlg dialog;
  dialog.SetFolderName(folder_.file("start"));
  dialog.SetDialogText("Pick");
  std::vector<std::string> seen;
  bool initialized = false;
  dialog.OnInitialized = [&](TBrowseFolderDlg* d) { initialized = d->Handle() != nullptr; };
  dialog.OnSelChanged = [&](TBrowseFolderDlg* d) { seen.push_back(d->Selection()); };
  ASSERT_TRUE(dialog.Execute());

  EXPECT_TRUE(initialized) << "the dialog's handle is known when it is initialized";
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_EQ(seen, (std::vector<std::string>{folder_.file("chosen"), notAFolder}));
  EXPECT_EQ(dialog.FolderName(), folder_.file("chosen")) << "no trailing '/'";
  EXPECT_EQ(dialog.Selection(), dialog.FolderName());
  EXPECT_EQ(dialog.DisplayName(), "chosen");

  auto selections = eventsOf(SimShellEvent::Kind::SetSelection);
  ASSERT_EQ(selections.size(), 1u);
  EXPECT_EQ(selections[0].text, folder_.file("start"));
  auto ok = eventsOf(SimShellEvent::Kind::EnableOk);
  ASSERT_EQ(ok.size(), 2u);
  EXPECT_EQ(ok[0].text, "1");
  EXPECT_EQ(ok[1].text, "0") << "OK is off while the selection is no folder";
  auto browse = eventsOf(SimShellEvent::Kind::Browse);
  ASSERT_EQ(browse.size(), 1u);
  EXPECT_EQ(browse[0].browse.title, "Pick");
  EXPECT_EQ(browse[0].text, "") << "from the desktop: the whole file system";
  EXPECT_FALSE(browse[0].browse.helpButton);
}

TEST_F(FileutilShellTest, FolderChooserWithoutDesktopRootOrChoice) {
  TBrowseFolderDlg dialog;
  dialog.SetDesktopRoot(false);
  dialog.SetHelpContext(5);
  dialog.SetFolderName("/no/such/folder");
  shell().scriptBrowse({{}, std::nullopt, true});
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FolderName(), "/no/such/folder");
  EXPECT_TRUE(eventsOf(SimShellEvent::Kind::SetSelection).empty())
      << "a folder that does not exist is not selected first";
  auto browse = eventsOf(SimShellEvent::Kind::Browse);
  ASSERT_EQ(browse.size(), 1u);
  EXPECT_EQ(browse[0].text, "/");
  EXPECT_TRUE(browse[0].browse.helpButton);
  EXPECT_EQ(eventsOf(SimShellEvent::Kind::Help).size(), 1u);

  shell().setMissingFolder(platform::kCsidlDrives);
  EXPECT_THROW(dialog.Execute(), EOSError);
}

TEST_F(FileutilShellTest, BrowseDirectoryAndComputer) {
  std::string folder = folder_.file("");
  shell().scriptBrowse({{}, folder_.file("x"), false});
  ASSERT_TRUE(BrowseDirectory(folder, "Title", 0));
  EXPECT_EQ(folder, folder_.file("x"));

  std::string computer = "old";
  shell().scriptBrowse({{"tuner-box"}, "tuner-box", false});
  ASSERT_TRUE(BrowseComputer(computer, "Computers", 0));
  EXPECT_EQ(computer, "tuner-box");
  EXPECT_TRUE(eventsOf(SimShellEvent::Kind::Browse).back().browse.computers);
  auto selections = eventsOf(SimShellEvent::Kind::SetSelection);
  ASSERT_EQ(selections.size(), 2u);
  EXPECT_EQ(selections[0].text, folder_.file("")) << "an existing folder is selected first";
  EXPECT_EQ(selections[1].text, "old") << "the computer's name is selected first";

  shell().scriptBrowse({});
  EXPECT_FALSE(BrowseComputer(computer, "Computers", 0));
  EXPECT_EQ(computer, "tuner-box");
}

TEST_F(FileutilShellTest, FileOperatorSendsItsRequest) {
  TRxFileOperator op;
  op.SetOperation(foMove);
  op.SetSource("/a;/b||/c");
  op.SetDestination("/dest");
  op.SetOptions(flNoConfirmation | flSilent | flMultiDest);
  op.SetProgressTitle("Moving");
  EXPECT_TRUE(op.Execute());
  EXPECT_FALSE(op.Aborted());
  auto ops = eventsOf(SimShellEvent::Kind::FileOperation);
  ASSERT_EQ(ops.size(), 1u);
  const auto& r = ops[0].operation;
  EXPECT_EQ(r.kind, platform::FileOperationKind::kMove);
  EXPECT_EQ(r.sources, (std::vector<std::string>{"/a", "/b", "/c"}));
  EXPECT_EQ(r.destinations, (std::vector<std::string>{"/dest"}));
  EXPECT_EQ(r.flags, unsigned(platform::kFofNoConfirmation | platform::kFofSilent |
                              platform::kFofMultiDestFiles));
  EXPECT_EQ(r.progressTitle, "Moving");

  TRxFileOperator defaults;
  EXPECT_EQ(defaults.Operation(), foCopy);
  EXPECT_EQ(defaults.Options(), TFileOperFlags(flAllowUndo | flNoConfirmMkDir));

  shell().setOperationResult({ECANCELED, true});
  EXPECT_FALSE(defaults.Execute());
  EXPECT_TRUE(defaults.Aborted());
}

TEST_F(FileutilShellTest, ShellCopyAndMove) {
  CopyFileEx("/x/a.txt", "/y/b.txt", true, true, nullptr);
  MoveFileEx("/x/a.txt", "/x/c.txt", true);
  MoveFileEx("/x/a.txt", "/y/c.txt", true);
  CopyFileEx("/x/a.txt", "/y/b.txt", false, true, nullptr);
  auto ops = eventsOf(SimShellEvent::Kind::FileOperation);
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[0].operation.kind, platform::FileOperationKind::kCopy);
  EXPECT_EQ(ops[0].operation.flags, unsigned(platform::kFofNoConfirmMkDir | platform::kFofNoConfirmation));
  EXPECT_EQ(ops[1].operation.kind, platform::FileOperationKind::kRename);
  EXPECT_EQ(ops[1].operation.flags, unsigned(platform::kFofNoConfirmMkDir | platform::kFofNoConfirmation));
  EXPECT_EQ(ops[2].operation.kind, platform::FileOperationKind::kMove);
  EXPECT_EQ(ops[3].operation.flags, unsigned(platform::kFofNoConfirmMkDir)) << "undo is never offered";

  shell().setOperationResult({0, true});
  EXPECT_THROW(CopyFileEx("/x/a", "/y/a", false, true, nullptr), gui::EAbort);
  shell().setOperationResult({EACCES, false});
  EXPECT_THROW(MoveFileEx("/x/a", "/y/a", true), gui::EAbort);
}

TEST_F(FileutilShellTest, ShortcutsAreDesktopEntriesInSpecialFolders) {
  folder_.write("tool.sh", "#!/bin/sh\n");
  fs::permissions(folder_.file("tool.sh"), fs::perms::owner_exec, fs::perm_options::add);
  CreateFileLink(folder_.file("tool.sh"), "My \"Tool\"\n[Evil]", platform::kCsidlDesktop);
  std::string link = FileLinkName("My \"Tool\"\n[Evil]", platform::kCsidlDesktop);
  EXPECT_EQ(link, folder_.file("ShellFolders/Desktop/My \"Tool\"\n[Evil].desktop"));
  std::string entry = folder_.read("ShellFolders/Desktop/My \"Tool\"\n[Evil].desktop");
  EXPECT_EQ(entry, "[Desktop Entry]\nType=Application\nExec=\"" + folder_.file("tool.sh") +
                       "\"\nName=My \"Tool\"\\n[Evil]\nIcon=" + folder_.file("tool.sh") + "\n")
      << "a line break in the name cannot start a line of its own";

  folder_.write("doc.txt", "text");
  CreateFileLink(folder_.file("doc.txt"), "Doc", platform::kCsidlStartup);
  EXPECT_NE(folder_.read("ShellFolders/Startup/Doc.desktop").find("Type=Link\nURL=file://"),
            std::string::npos);

  DeleteFileLink("Doc", platform::kCsidlStartup);
  EXPECT_FALSE(folder_.exists("ShellFolders/Startup/Doc.desktop"));
  DeleteFileLink("Doc", platform::kCsidlStartup);  // gone already: no failure

  EXPECT_THROW(CreateFileLink(folder_.file("doc.txt"), "../escape", platform::kCsidlDesktop),
               EOSError);
  EXPECT_THROW(CreateFileLink(folder_.file("doc.txt"), "", platform::kCsidlDesktop), EOSError);
  EXPECT_THROW(CreateFileLink(folder_.file("doc.txt"), "x", platform::kCsidlNetwork), EOSError);
  try {
    DeleteFileLink("x", platform::kCsidlNetwork);
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), ENOENT);
    EXPECT_EQ(e.Message().rfind("System Error.  Code: 2.\n", 0), 0u) << e.Message();
  }
}

}  // namespace
