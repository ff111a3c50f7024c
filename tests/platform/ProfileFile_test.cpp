// The profile functions' files on disk: other processes writing the same file, changes made
// behind the cache's back, files and folders that cannot be written, symbolic links, left-over
// temporary files, and writes that change no byte.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

#include "platform/Profile.h"
#include "support/RenameCounter.h"
#include "support/TempProgramFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::DropProfileCache;
using platform::GetProfileString;
using platform::WriteProfileString;
using testing_support::TempProgramFolder;

// Writes skip the syncs to disk while it lives: the tests write thousands of times.
class NoSync {
public:
  NoSync() { platform::SetProfileSync(false); }
  ~NoSync() { platform::SetProfileSync(true); }
};

// Another writer's replacement of a file: a new file renamed over the old one.
void replaceBehindTheCache(const std::string& path, const std::string& bytes) {
  const std::string tmp = path + ".other";
  FILE* f = fopen(tmp.c_str(), "wb");
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
  ASSERT_EQ(rename(tmp.c_str(), path.c_str()), 0);
}

TEST(ProfileProcesses, TwoProcessesWritingDifferentKeysOfOneFileKeepAllTheirKeys) {
  TempProgramFolder folder;
  const std::string file = folder.file("p.ini");
  NoSync noSync;
  constexpr int kWrites = 1000;
  auto writeAll = [&](const std::string& prefix) {
    bool ok = true;
    for (int i = 0; i < kWrites; ++i)
      ok = WriteProfileString(file, "S", prefix + std::to_string(i), std::to_string(i)) && ok;
    return ok;
  };

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(writeAll("child") ? 0 : 1);
  EXPECT_TRUE(writeAll("parent"));
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child's writes failed";

  DropProfileCache();
  int lost[2] = {0, 0};
  for (int i = 0; i < kWrites; ++i) {
    lost[0] += GetProfileString(file, "S", "parent" + std::to_string(i), "-") == "-";
    lost[1] += GetProfileString(file, "S", "child" + std::to_string(i), "-") == "-";
  }
  EXPECT_EQ(lost[0], 0) << "keys of the parent lost";
  EXPECT_EQ(lost[1], 0) << "keys of the child lost";
}

TEST(ProfileCache, AReadSeesAChangeOnDiskAtOnce) {
  TempProgramFolder folder;
  const std::string file = folder.file("p.ini");
  EXPECT_TRUE(WriteProfileString(file, "S", "k", "1"));
  EXPECT_EQ(GetProfileString(file, "S", "k", "d"), "1");

  replaceBehindTheCache(file, "[S]\nk=2\n");  // same size, another file
  EXPECT_EQ(GetProfileString(file, "S", "k", "d"), "2");

  FILE* f = fopen(file.c_str(), "wb");  // rewritten in place, another size
  fputs("[S]\nk=33\n", f);
  fclose(f);
  EXPECT_EQ(GetProfileString(file, "S", "k", "d"), "33");

  // A write starts from the file as it is now, not from the copy the cache parsed.
  replaceBehindTheCache(file, "[S]\nk=4\nother=5\n");
  {
    platform::ProfileWriteBatch batch;
    EXPECT_TRUE(WriteProfileString(file, "S", "j", "6"));
    replaceBehindTheCache(file, "[S]\nk=7\nother=5\n");
    EXPECT_EQ(GetProfileString(file, "S", "k", "d"), "7");
    EXPECT_EQ(GetProfileString(file, "S", "j", "d"), "6") << "the batch's write is kept";
  }
  EXPECT_EQ(folder.read("p.ini"), "[S]\nk=7\nother=5\nj=6\n");
}

TEST(ProfileCache, AReadBatchChecksEachFileOnceAndReadsOneVersion) {
  TempProgramFolder folder;
  const std::string file = folder.file("p.ini");
  folder.write("p.ini", "[S]\nk=1\nj=1\n");
  EXPECT_EQ(GetProfileString(file, "S", "k", "d"), "1");
  {
    platform::ProfileReadBatch batch;
    replaceBehindTheCache(file, "[S]\nk=2\nj=2\n");
    EXPECT_EQ(GetProfileString(file, "S", "k", "d"), "2") << "the first read looks at the disk";
    replaceBehindTheCache(file, "[S]\nk=3\nj=3\n");
    EXPECT_EQ(GetProfileString(file, "S", "j", "d"), "2") << "later reads keep that version";
    EXPECT_TRUE(WriteProfileString(file, "S", "w", "4"));
    EXPECT_EQ(GetProfileString(file, "S", "k", "d"), "3") << "a write reads the disk";
  }
  replaceBehindTheCache(file, "[S]\nk=5\n");
  EXPECT_EQ(GetProfileString(file, "S", "k", "d"), "5");
}

TEST(ProfileWrite, AWriteThatChangesNoByteWritesNothing) {
  TempProgramFolder folder;
  const std::string file = folder.file("p.ini");
  folder.write("p.ini", "[S]\r\nk=v\r\nj=\"w\"\r\n");
  testing_support::RenameCounter renames(folder.path());
  ASSERT_TRUE(renames.ok());

  EXPECT_TRUE(WriteProfileString(file, "S", "k", "v"));
  {
    platform::ProfileWriteBatch batch;
    EXPECT_TRUE(WriteProfileString(file, "s", "K", "v"));
    EXPECT_TRUE(WriteProfileString(file, "S", "j", "\"w\""));
    EXPECT_TRUE(WriteProfileString(file, "S", "k", "changed"));
    EXPECT_TRUE(WriteProfileString(file, "S", "k", "v"));  // and back
  }
  EXPECT_EQ(renames.count("p.ini"), 0);

  EXPECT_TRUE(WriteProfileString(file, "S", "k", "x"));
  EXPECT_EQ(renames.count("p.ini"), 1);
  EXPECT_EQ(folder.read("p.ini"), "[S]\r\nk=x\r\nj=\"w\"\r\n");
}

TEST(ProfileWrite, ASuccessfulWriteRemovesTheFilesStaleTemporaryFiles) {
  TempProgramFolder folder;
  folder.write("p.ini", "[S]\r\nk=1\r\n");
  const char* stale[] = {"p.ini.tmp-a1B2c3", "p.ini.tmp-ZZZZZZ"};
  const char* kept[] = {"q.ini.tmp-a1B2c3", "p.ini.tmp-a1B2c", "p.ini.tmp-a1B2c34",
                        "p.ini.tmp-a1.2c3", "xp.ini.tmp-a1B2c3"};
  for (const char* name : stale) folder.write(name, "[S]\r\nk=half");
  for (const char* name : kept) folder.write(name, "x");

  // A write that fails leaves them: only a finished write knows that they are stale.
  chmod(folder.file("p.ini").c_str(), 0444);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(WriteProfileString(folder.file("p.ini"), "S", "k", "2"));
  testing::internal::GetCapturedStderr();
  for (const char* name : stale) EXPECT_TRUE(folder.exists(name)) << name;

  chmod(folder.file("p.ini").c_str(), 0644);
  EXPECT_TRUE(WriteProfileString(folder.file("p.ini"), "S", "k", "2"));
  for (const char* name : stale) EXPECT_FALSE(folder.exists(name)) << name;
  for (const char* name : kept) EXPECT_TRUE(folder.exists(name)) << name;
}

TEST(ProfileWrite, ADanglingLinkStaysALinkAndItsTargetIsCreated) {
  TempProgramFolder folder;
  fs::create_directory(folder.file("real"));
  fs::create_symlink("real/settings.ini", folder.file("settings.ini"));
  EXPECT_TRUE(WriteProfileString(folder.file("settings.ini"), "S", "k", "v"));
  EXPECT_TRUE(fs::is_symlink(folder.file("settings.ini")));
  EXPECT_EQ(folder.read("real/settings.ini"), "[S]\r\nk=v\r\n");
  EXPECT_EQ(GetProfileString(folder.file("settings.ini"), "S", "k", "d"), "v");
}

std::string readWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every entry under a folder: its kind and bytes, or a link's target.
std::map<std::string, std::string> snapshot(const std::string& folder) {
  std::map<std::string, std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().lexically_relative(folder).string();
    struct stat st {};
    lstat(entry.path().c_str(), &st);
    std::string what = "mode " + std::to_string(st.st_mode) + " ";
    if (entry.is_symlink())
      what += "link " + fs::read_symlink(entry.path()).string();
    else if (entry.is_regular_file())
      what += readWhole(entry.path());
    out[name] = what;
  }
  return out;
}

struct FailedSave {
  const char* name;
  std::function<void(const TempProgramFolder&)> prepare;
  const char* file;  // the file written, in the program folder
  int error;         // the reason the line names
  bool rootWrites;   // root may write it anyway: skipped when run as root
};

const FailedSave kFailedSaves[] = {
    {"read-only file",
     [](const TempProgramFolder& f) {
       f.write("p.ini", "[S]\r\nk=old\r\n");
       chmod(f.file("p.ini").c_str(), 0444);
     },
     "p.ini", EACCES, false},
    {"missing folder", [](const TempProgramFolder&) {}, "none/p.ini", ENOENT, false},
    {"dangling link into a missing folder",
     [](const TempProgramFolder& f) { fs::create_symlink("none/real.ini", f.file("p.ini")); },
     "p.ini", ENOENT, false},
    {"link loop",
     [](const TempProgramFolder& f) {
       fs::create_symlink("q.ini", f.file("p.ini"));
       fs::create_symlink("p.ini", f.file("q.ini"));
     },
     "p.ini", ELOOP, false},
    {"folder in the file's place",
     [](const TempProgramFolder& f) { fs::create_directory(f.file("p.ini")); }, "p.ini", EISDIR,
     false},
    {"FIFO in the file's place, which a read must not wait on",
     [](const TempProgramFolder& f) { mkfifo(f.file("p.ini").c_str(), 0644); }, "p.ini", EINVAL,
     false},
    {"read-only folder",
     [](const TempProgramFolder& f) {
       fs::create_directory(f.file("ro"));
       f.write("ro/p.ini", "[S]\r\nk=old\r\n");
       chmod(f.file("ro").c_str(), 0555);
     },
     "ro/p.ini", EACCES, true},
};

void PrintTo(const FailedSave& c, std::ostream* os) { *os << c.name; }

class ProfileFailedSave : public testing::TestWithParam<FailedSave> {};

TEST_P(ProfileFailedSave, ChangesNothingAndSaysWhichFileAndWhyInOneLine) {
  const FailedSave& c = GetParam();
  if (c.rootWrites && geteuid() == 0) GTEST_SKIP() << "root writes it anyway";
  TempProgramFolder folder;
  c.prepare(folder);
  const std::string file = folder.file(c.file);
  const auto before = snapshot(folder.path());

  testing::internal::CaptureStderr();
  const bool written = WriteProfileString(file, "S", "k", "new");
  bool batched = true;
  {
    // In a batch, the write fails at once (a file that cannot be read) or when it is stored.
    platform::ProfileWriteBatch batch;
    for (const char* key : {"j", "i", "h"})
      batched = WriteProfileString(file, "S", key, "new") && batched;
    batched = batch.flush() && batched;
  }
  const std::string said = testing::internal::GetCapturedStderr();

  EXPECT_FALSE(written);
  EXPECT_FALSE(batched);
  EXPECT_EQ(snapshot(folder.path()), before);
  EXPECT_EQ(GetProfileString(file, "S", "j", "d"), "d") << "the cache forgot the change";
  const std::string line = "vyx: " + file + " was not saved: " + strerror(c.error) + "\n";
  EXPECT_EQ(said, line + line) << "one line for the write, one for the whole batch";
  chmod(folder.file("ro").c_str(), 0755);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileFailedSave, testing::ValuesIn(kFailedSaves),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

}  // namespace
