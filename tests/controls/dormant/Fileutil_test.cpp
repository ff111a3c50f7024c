// Tests of the file utilities on temporary folders: path tables, folder creation, deleting by
// mask, clearing folders (links never followed), the copy with its progress and its refusal to
// copy a file onto itself, moving, sizes beyond 32 bits, dates, names and byte-range locks.
#include "controls/dormant/Fileutil.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QObject>

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <vector>

#include "controls/dormant/Rxprgrss.h"
#include "support/TempProgramFolder.h"

using namespace fileutil;
namespace fs = std::filesystem;

namespace {

// A progress control that records every position it is given.
class ProgressRecorder : public QObject {
  Q_OBJECT
  Q_PROPERTY(int Max READ Max WRITE SetMax)
  Q_PROPERTY(int Min READ Min WRITE SetMin)
  Q_PROPERTY(int Position READ Position WRITE SetPosition)

public:
  int Max() const { return max_; }
  void SetMax(int v) { max_ = v; }
  int Min() const { return min_; }
  void SetMin(int v) { min_ = v; }
  int Position() const { return positions.empty() ? 0 : positions.back(); }
  void SetPosition(int v) { positions.push_back(v); }

  std::vector<int> positions;

private:
  int max_ = -1;
  int min_ = -1;
};

class FileutilTest : public ::testing::Test {
protected:
  void SetUp() override {
    rxprgrss::RegisterProgressControl(ProgressRecorder::staticMetaObject, "Max", "Min", "Position");
  }
  void TearDown() override { rxprgrss::FreeProgressList(); }

  std::string path(const std::string& name) const { return folder_.file(name); }
  void write(const std::string& name, const std::string& bytes) const {
    fs::create_directories(fs::path(path(name)).parent_path());
    folder_.write(name, bytes);
  }
  std::string read(const std::string& name) const { return folder_.read(name); }
  bool exists(const std::string& name) const {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path(name), ec));
  }

  testing_support::TempProgramFolder folder_;
};

TEST_F(FileutilTest, PathTables) {
  struct Case { const char* in; const char* normal; const char* removed; };
  const Case cases[] = {
      {"", "", ""},
      {"/", "/", "/"},
      {"/tmp", "/tmp/", "/tmp"},
      {"/tmp/", "/tmp/", "/tmp"},
      {"a", "a/", "a"},
      {"/tmp//", "/tmp//", "/tmp/"},  // one '/' at a time
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NormalDir(c.in), c.normal) << '"' << c.in << '"';
    EXPECT_EQ(RemoveBackSlash(c.in), c.removed) << '"' << c.in << '"';
  }

  struct Name { std::string name; bool valid; };
  const Name names[] = {
      {"", false}, {"a*b?c:d", true}, {"dir/file.txt", true}, {"a|b", false}, {"a<b", false},
      {"a>b", false}, {"a\"b", false}, {"[a", false}, {"a]", false}, {std::string("a\0b", 3), false},
  };
  for (const Name& n : names) EXPECT_EQ(ValidFileName(n.name), n.valid) << n.name;
}

TEST_F(FileutilTest, ForceDirectoriesMakesEveryMissingLevel) {
  ForceDirectories(path("A/B/C/"));
  EXPECT_TRUE(DirExists(path("A/B/C")));
  EXPECT_TRUE(HasAttr(path("A/B"), faDirectory));
  ForceDirectories("");  // nothing, no failure
  write("file", "x");
  ForceDirectories(path("file/sub"));  // cannot be made; not reported
  EXPECT_FALSE(DirExists(path("file/sub")));
  EXPECT_TRUE(NormalDir(GetTempDir()) == GetTempDir() && DirExists(GetTempDir()));
}

TEST_F(FileutilTest, DeleteFilesByMask) {
  fs::create_directories(path("d/sub.txt"));
  EXPECT_TRUE(DeleteFiles(path("d/*.txt"))) << "a mask that matches only folders";
  EXPECT_TRUE(DirExists(path("d/sub.txt")));
  EXPECT_FALSE(DeleteFiles(path("d/*.doc"))) << "a mask that matches nothing";

  write("d/a.cfg", "1");
  write("d/.cfg", "hidden");
  write("d/b.txt", "2");
  EXPECT_TRUE(DeleteFiles(path("d/*.cfg")));
  EXPECT_FALSE(exists("d/a.cfg"));
  EXPECT_TRUE(exists("d/.cfg")) << "a name with a leading dot is passed over";

  EXPECT_TRUE(DeleteFilesEx({}));
  EXPECT_FALSE(DeleteFilesEx({path("d/*.none"), path("d/*.txt")})) << "stops at the first failure";
  EXPECT_TRUE(exists("d/b.txt"));
  EXPECT_TRUE(DeleteFilesEx({path("d/*.*")}));
  EXPECT_FALSE(exists("d/b.txt"));
  EXPECT_TRUE(exists("d/.cfg"));
}

TEST_F(FileutilTest, ClearDirNeverFollowsLinks) {
  write("keep/precious", "data");
  write("x/a", "1");
  write("x/sub/b", "2");
  fs::create_symlink(path("keep"), path("x/link-to-folder"));
  fs::create_symlink(path("keep/precious"), path("x/link-to-file"));
  EXPECT_TRUE(ClearDir(path("x"), false));
  EXPECT_TRUE(DirExists(path("x/sub")));
  EXPECT_FALSE(exists("x/sub/b"));
  EXPECT_FALSE(exists("x/link-to-folder"));
  EXPECT_FALSE(exists("x/link-to-file"));
  EXPECT_EQ(read("keep/precious"), "data");

  fs::create_symlink(path("keep"), path("link"));
  EXPECT_FALSE(ClearDir(path("link"), true)) << "a link named as the folder is no folder";
  EXPECT_EQ(read("keep/precious"), "data");

  EXPECT_TRUE(ClearDir(path("x/"), true));
  EXPECT_FALSE(exists("x"));
  EXPECT_FALSE(ClearDir(path("x"), true));

  write("y/.hidden", "stays");
  EXPECT_FALSE(ClearDir(path("y"), true)) << "the folder still holds the hidden file";
  EXPECT_TRUE(exists("y/.hidden"));
}

TEST_F(FileutilTest, CopyReportsProgressPerBlockAndEndsAtZero) {
  std::string bytes(20000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);
  write("src.bin", bytes);
  ProgressRecorder progress;
  CopyFile(path("src.bin"), path("out/deeper/dst.bin"), &progress);
  EXPECT_EQ(read("out/deeper/dst.bin"), bytes);
  EXPECT_EQ(progress.Max(), 20000);
  EXPECT_EQ(progress.Min(), 0);
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 8192, 16384, 20000, 0}));

  struct stat a {}, b {};
  ASSERT_EQ(::stat(path("src.bin").c_str(), &a), 0);
  ASSERT_EQ(::stat(path("out/deeper/dst.bin").c_str(), &b), 0);
  EXPECT_EQ(a.st_mtim.tv_sec, b.st_mtim.tv_sec);

  // Into an existing folder, under the file's own name.
  CopyFile(path("src.bin"), path("out"), nullptr);
  EXPECT_EQ(read("out/src.bin"), bytes);
}

TEST_F(FileutilTest, CopyOntoItselfIsRefusedAndTheFileKept) {
  write("d/same.txt", "contents");
  fs::create_hard_link(path("d/same.txt"), path("d/hard.txt"));
  ProgressRecorder progress;
  const std::string targets[] = {path("d/same.txt"), path("d"), path("d/./same.txt"),
                                 path("d/hard.txt")};
  for (const std::string& target : targets) {
    EXPECT_THROW(CopyFile(path("d/same.txt"), target, &progress), gui::EFCreateError) << target;
    EXPECT_EQ(read("d/same.txt"), "contents") << target;
  }
  EXPECT_EQ(progress.Position(), 0);
  try {
    CopyFile(path("d/same.txt"), path("d/same.txt"));
  } catch (const gui::EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + path("d/same.txt"));
  }
}

TEST_F(FileutilTest, CopyFailures) {
  try {
    CopyFile(path("missing"), path("x"));
    ADD_FAILURE();
  } catch (const gui::EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + path("missing"));
  }
  write("src", "new");
  write("ro", "old");
  ::chmod(path("ro").c_str(), 0444);
  if (::geteuid() != 0) {  // the superuser writes read-only files anyway
    EXPECT_THROW(CopyFile(path("src"), path("ro")), gui::EFCreateError);
    EXPECT_EQ(read("ro"), "old");
  }
  CopyFileEx(path("src"), path("ro"), true, false, nullptr);
  EXPECT_EQ(read("ro"), "new");
}

TEST_F(FileutilTest, MoveFileRenamesOrCopies) {
  write("a.txt", "A");
  MoveFile(path("a.txt"), path("b.txt"));
  EXPECT_FALSE(exists("a.txt"));
  EXPECT_EQ(read("b.txt"), "A");
  MoveFile(path("missing"), path("c.txt"));  // nothing to move: nothing happens
  EXPECT_FALSE(exists("c.txt"));
  MoveFile(path("b.txt"), path("b.txt"));  // onto itself: the file stays
  EXPECT_EQ(read("b.txt"), "A");
}

TEST_F(FileutilTest, SizesBeyond32BitsAndMissingFiles) {
  int fd = ::open(path("big").c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  const int64_t size = (int64_t(5) << 30) + 3;
  ASSERT_EQ(::ftruncate(fd, size), 0);  // sparse: takes no room
  ::close(fd);
  EXPECT_EQ(GetFileSize(path("big")), size);
  EXPECT_EQ(GetFileSize(path("none")), -1);
  fs::create_directory(path("dir"));
  EXPECT_EQ(GetFileSize(path("dir")), -1);
  EXPECT_EQ(FileDateTime(path("none")), dateutil::NullDate);
  EXPECT_EQ(FileGetAttr(path("none")), -1);
}

TEST_F(FileutilTest, FileDateTimeIsTheLocalModificationTime) {
  write("dated", "x");
  std::tm local{};
  local.tm_year = 2003 - 1900;
  local.tm_mon = 4;  // May
  local.tm_mday = 17;
  local.tm_hour = 13;
  local.tm_min = 45;
  local.tm_sec = 30;
  local.tm_isdst = -1;
  const struct timespec times[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path("dated").c_str(), times, 0), 0);
  EXPECT_DOUBLE_EQ(FileDateTime(path("dated")),
                   dateutil::EncodeDate(2003, 5, 17) + dateutil::EncodeTime(13, 45, 30, 0));
}

TEST_F(FileutilTest, AttributesAndNames) {
  write("dir/.hidden", "h");
  write("dir/plain", "p");
  ::chmod(path("dir/plain").c_str(), 0444);
  EXPECT_TRUE(HasAttr(path("dir/.hidden"), faHidden | faArchive));
  EXPECT_TRUE(HasAttr(path("dir/plain"), faReadOnly));
  EXPECT_FALSE(HasAttr(path("dir/plain"), faReadOnly | faDirectory));

  EXPECT_EQ(ShortToLongFileName(path("dir/plain")), "plain");
  EXPECT_EQ(LongToShortFileName(path("dir/none")), "");
  EXPECT_EQ(ShortToLongPath(path("dir/plain")), path("dir/plain"));
  std::string missing = path("nodir/plain");
  EXPECT_EQ(LongToShortPath(missing), RemoveBackSlash(path("")) + "//")
      << "missing components read as empty names";
  EXPECT_EQ(ShortToLongPath("plain"), "plain");
  EXPECT_EQ(ShortToLongPath("/"), "/");
}

TEST_F(FileutilTest, ByteRangeLocksBelongToTheOpenFile) {
  write("locked", std::string(100, 'x'));
  int first = ::open(path("locked").c_str(), O_RDWR);
  int second = ::open(path("locked").c_str(), O_RDWR);
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_EQ(FileLock(first, int64_t(10), int64_t(20)), 0);
  int refused = FileLock(second, 15u, 0u, 1u, 0u);
  EXPECT_TRUE(refused == EAGAIN || refused == EACCES) << refused;
  EXPECT_EQ(FileLock(second, int64_t(30), int64_t(5)), 0) << "outside the locked range";
  EXPECT_EQ(FileUnlock(first, 10u, 0u, 20u, 0u), 0);
  EXPECT_EQ(FileLock(second, int64_t(15), int64_t(1)), 0);
  EXPECT_EQ(FileLock(-1, int64_t(0), int64_t(1)), EBADF);
  ::close(first);
  ::close(second);
}

}  // namespace

#include "Fileutil_test.moc"
