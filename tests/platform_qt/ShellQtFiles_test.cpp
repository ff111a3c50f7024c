// Tests of the real shell's file operation on temporary folders, with the questions answered by
// the recording message box: wildcards into a folder, replacing, new names on collision, a copy
// onto itself refused, deleting with and without the question, renaming and missing sources.
#include "platform/ShellQt.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/MessageBox.h"
#include "support/TempProgramFolder.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

class ShellFiles : public ::testing::Test {
protected:
  std::string path(const std::string& name) const { return folder_.file(name); }
  void write(const std::string& name, const std::string& bytes) const {
    fs::create_directories(fs::path(path(name)).parent_path());
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  bool exists(const std::string& name) const { return fs::exists(path(name)); }

  FileOperationResult run(FileOperationKind kind, std::vector<std::string> sources,
                          std::vector<std::string> dests, unsigned flags) {
    FileOperationRequest request;
    request.kind = kind;
    request.sources = std::move(sources);
    request.destinations = std::move(dests);
    request.flags = flags | kFofSilent;
    return RunFileOperation(request);
  }

  testing_support::TempProgramFolder folder_;
  RecordingMessageBox boxes_{kIdYes};
};

TEST_F(ShellFiles, CopiesWildcardsIntoAFolderAndAsksBeforeReplacing) {
  write("src/a.txt", "A");
  write("src/b.txt", "B");
  write("src/c.doc", "C");
  write("dst/a.txt", "old");
  boxes_.setAnswer(kIdNo);
  auto result = run(FileOperationKind::kCopy, {path("src/*.txt")}, {path("dst")}, 0);
  EXPECT_EQ(result.error, 0);
  EXPECT_FALSE(result.aborted) << "\"no\" to a replace skips only that file";
  EXPECT_EQ(read("dst/a.txt"), "old");
  EXPECT_EQ(read("dst/b.txt"), "B");
  EXPECT_FALSE(exists("dst/c.doc"));
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "Replace \"" + path("dst/a.txt") + "\"?");

  boxes_.clear();
  result = run(FileOperationKind::kCopy, {path("src/a.txt")}, {path("new/folder")},
               kFofNoConfirmMkDir);
  EXPECT_EQ(result.error, 0);
  EXPECT_EQ(read("new/folder"), "A") << "one source to a name that is no folder: a file";

  result = run(FileOperationKind::kCopy, {path("src/a.txt"), path("src/b.txt")},
               {path("made")}, kFofNoConfirmMkDir | kFofNoConfirmation);
  EXPECT_EQ(read("made/b.txt"), "B");
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(ShellFiles, CollisionsGetNewNamesAndSelfCopiesAreRefused) {
  write("d/x.txt", "X");
  auto result = run(FileOperationKind::kCopy, {path("d/x.txt")}, {path("d/x.txt")},
                    kFofRenameOnCollision);
  EXPECT_EQ(result.error, 0);
  EXPECT_EQ(read("d/x (2).txt"), "X");

  result = run(FileOperationKind::kCopy, {path("d/x.txt")}, {path("d")}, kFofNoConfirmation);
  EXPECT_EQ(result.error, EINVAL);
  EXPECT_EQ(read("d/x.txt"), "X");
  ASSERT_EQ(boxes_.shown().size(), 1u) << "the failure is shown";
  boxes_.clear();
  result = run(FileOperationKind::kMove, {path("d/x.txt")}, {path("d/x.txt")},
               kFofNoConfirmation | kFofNoErrorUi);
  EXPECT_EQ(result.error, EINVAL);
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_EQ(read("d/x.txt"), "X");
}

TEST_F(ShellFiles, DeletesAfterTheQuestion) {
  write("d/one", "1");
  write("d/sub/two", "2");
  boxes_.setAnswer(kIdNo);
  auto result = run(FileOperationKind::kDelete, {path("d/*")}, {}, 0);
  EXPECT_TRUE(result.aborted);
  EXPECT_EQ(result.error, ECANCELED);
  EXPECT_TRUE(exists("d/one"));
  EXPECT_EQ(boxes_.shown().back().text, "Delete these 2 items?");

  result = run(FileOperationKind::kDelete, {path("d/*")}, {}, kFofFilesOnly | kFofNoConfirmation);
  EXPECT_EQ(result.error, 0);
  EXPECT_FALSE(exists("d/one"));
  EXPECT_TRUE(exists("d/sub/two")) << "wildcards matched files only";
}

TEST_F(ShellFiles, RenamesAndReportsMissingSources) {
  write("a", "A");
  auto result = run(FileOperationKind::kRename, {path("a")}, {path("b")}, 0);
  EXPECT_EQ(result.error, 0);
  EXPECT_EQ(read("b"), "A");
  EXPECT_FALSE(exists("a"));

  result = run(FileOperationKind::kMove, {path("missing")}, {path("c")}, kFofNoErrorUi);
  EXPECT_EQ(result.error, ENOENT);
  EXPECT_TRUE(boxes_.shown().empty());
}

}  // namespace
