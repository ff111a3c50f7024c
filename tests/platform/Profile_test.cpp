#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/IniDocument.h"
#include "platform/Profile.h"
#include "support/TempProgramFolder.h"

namespace {

using platform::DropProfileCache;
using platform::GetProfileString;
using platform::WriteProfileString;
using testing_support::TempProgramFolder;
using namespace std::string_literals;

// A test name from a case's description.
std::string caseName(std::string text) {
  for (char& ch : text)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return text;
}

const std::string kLong300(300, 'x');
const std::string kLong259(259, 'x');

struct ReadCase {
  const char* name;
  std::optional<std::string> file;  // nullopt: no file at all
  const char* section;
  const char* key;
  std::string defaultValue;
  std::string expected;
};

const ReadCase kReadCases[] = {
    {"plain", "[S]\r\nk=v\r\n", "S", "k", "d", "v"},
    {"value of 300 bytes cut to 259", "[S]\nk=" + kLong300 + "\n", "S", "k", "d", kLong259},
    {"default of 300 bytes cut to 259", "", "S", "k", kLong300, kLong259},
    {"double quotes stripped", "[S]\nk=\"a b\"\n", "S", "k", "d", "a b"},
    {"single quotes stripped", "[S]\nk='a b'\n", "S", "k", "d", "a b"},
    {"only one pair of quotes", "[S]\nk=\"\"a\"\"\n", "S", "k", "d", "\"a\""},
    {"unmatched quotes kept", "[S]\nk=\"a'\n", "S", "k", "d", "\"a'"},
    {"a lone quote kept", "[S]\nk=\"\n", "S", "k", "d", "\""},
    {"blanks inside quotes kept", "[S]\nk=  \"  a  \"  \n", "S", "k", "d", "  a  "},
    {"trimmed", "  [ S ]  \n \t k \t=  \t v w \t \n", "S", "k", "d", "v w"},
    {"stray CR trimmed", "[S]\r\nk=v\r\r\n", "S", "k", "d", "v"},
    {"section case-insensitive", "[CoMmOn]\nk=v\n", "common", "k", "d", "v"},
    {"key case-insensitive", "[S]\nSkinName=v\n", "S", "SKINNAME", "d", "v"},
    {"missing file", std::nullopt, "S", "k", "default", "default"},
    {"missing section", "[T]\nk=v\n", "S", "k", "default", "default"},
    {"missing key", "[S]\nj=v\n", "S", "k", "default", "default"},
    {"empty value is not the default", "[S]\nk=\n", "S", "k", "d", ""},
    {"'=' inside the value", "[S]\nk=a=b\n", "S", "k", "d", "a=b"},
    {"comment is no key", "[S]\n;k=v\n", "S", "k", "d", "d"},
    {"key before any section unreachable", "k=v\n[S]\n", "S", "k", "d", "d"},
    {"key of another section", "[S]\n[T]\nk=v\n", "S", "k", "d", "d"},
    {"first of duplicate keys", "[S]\nk=1\nK=2\n", "S", "k", "d", "1"},
    {"first of duplicate sections", "[S]\nk=1\n[s]\nk=2\nj=3\n", "S", "k", "d", "1"},
    {"LF file", "[A]\nx=1\n[S]\nk=v\n", "S", "k", "d", "v"},
    {"CRLF file", "[A]\r\nx=1\r\n[S]\r\nk=v\r\n", "S", "k", "d", "v"},
    {"last line without line end", "[S]\r\nk=v", "S", "k", "d", "v"},
    {"Windows-1251 bytes kept", "[S]\r\nk=\xCA\xE0\xED\xE0\xEB 1\r\n", "S", "k", "d",
     "\xCA\xE0\xED\xE0\xEB 1"},
    {"UTF-8 byte-order mark before the first section", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "d",
     "v"},
    {"lone CR ends a line", "[S]\rj=1\rk=v\r", "S", "k", "d", "v"},
    {"default loses its trailing blanks", std::nullopt, "", "name1", "default  \t", "default"},
    {"default keeps its leading blanks", "", "S", "k", "  d  ", "  d"},
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, ReturnsTheValueAsTheRulesSay) {
  const ReadCase& c = GetParam();
  TempProgramFolder folder;
  if (c.file) folder.write("p.ini", *c.file);
  EXPECT_EQ(GetProfileString(folder.file("p.ini"), c.section, c.key, c.defaultValue), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return caseName(info.param.name); });

struct WriteCase {
  const char* name;
  const char* before;  // nullptr: no file yet
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

const WriteCase kWriteCases[] = {
    {"new file", nullptr, "S", "k", "v", "[S]\r\nk=v\r\n"},
    {"key rewritten in place, the rest kept byte for byte",
     "; top \xE0\xE1\r\n[S]\r\n junk line\r\nKey = old ; x\r\n;k=c\r\n\r\n[T]\r\nk=1\r\n",
     "s", "KEY", "new",
     "; top \xE0\xE1\r\n[S]\r\n junk line\r\nKey=new\r\n;k=c\r\n\r\n[T]\r\nk=1\r\n"},
    {"new key at the end of its section, before blank lines",
     "[S]\r\na=1\r\n\r\n\r\n[T]\r\nb=2\r\n", "S", "k", "v",
     "[S]\r\na=1\r\nk=v\r\n\r\n\r\n[T]\r\nb=2\r\n"},
    {"new key after a section's comment",
     "[S]\na=1\n; note\n[T]\n", "S", "k", "v", "[S]\na=1\n; note\nk=v\n[T]\n"},
    {"new key in an empty section", "[S]\n\n[T]\n", "S", "k", "v", "[S]\nk=v\n\n[T]\n"},
    {"new key in the last section without line end", "[S]\r\na=1", "S", "k", "v",
     "[S]\r\na=1\r\nk=v\r\n"},
    {"new section at the end", "[S]\r\na=1\r\n", "T", "k", "v", "[S]\r\na=1\r\n[T]\r\nk=v\r\n"},
    {"new section after a last line without line end", "x", "T", "k", "v", "x\r\n[T]\r\nk=v\r\n"},
    {"LF file gets LF lines", "[S]\na=1\n", "T", "k", "v", "[S]\na=1\n[T]\nk=v\n"},
    {"mixed line ends kept per line", "[S]\r\na=1\nb=2\r\n", "S", "a", "3", "[S]\r\na=3\nb=2\r\n"},
    {"Windows-1251 value written as is", "[S]\r\n", "S", "k", "\xCF\xF0\xE8\xE2\xE5\xF2",
     "[S]\r\nk=\xCF\xF0\xE8\xE2\xE5\xF2\r\n"},
    {"line break cuts the value", "", "S", "k", "a\r\n[X]\nb", "[S]\r\nk=a\r\n"},
    {"names are trimmed", "", " S ", " k ", " v ", "[S]\r\nk= v \r\n"},
    {"byte-order mark kept, its section found", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "2",
     "\xEF\xBB\xBF[S]\r\nk=2\r\n"},
    {"CR-only file gets CR lines", "[S]\ra=1\r[T]\rb=2", "S", "k", "v",
     "[S]\ra=1\rk=v\r[T]\rb=2"},
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyWhatTheRulesSay) {
  const WriteCase& c = GetParam();
  TempProgramFolder folder;
  if (c.before) folder.write("p.ini", c.before);
  EXPECT_TRUE(WriteProfileString(folder.file("p.ini"), c.section, c.key, c.value));
  EXPECT_EQ(folder.read("p.ini"), c.after);
  // The cache and a fresh parse of the file agree.
  std::string cached = GetProfileString(folder.file("p.ini"), c.section, c.key, "?");
  DropProfileCache();
  EXPECT_EQ(GetProfileString(folder.file("p.ini"), c.section, c.key, "?"), cached);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrite, testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return caseName(info.param.name); });

TEST(ProfileWrite, KeysOfANewFileAreFoundAndGoToOneSection) {
  TempProgramFolder folder;
  const std::string file = folder.file("p.ini");
  EXPECT_TRUE(WriteProfileString(file, "S", "a", "1"));
  EXPECT_TRUE(WriteProfileString(file, "S", "b", "2"));
  EXPECT_TRUE(WriteProfileString(file, "S", "a", "3"));
  EXPECT_EQ(GetProfileString(file, "S", "a", "d"), "3");
  EXPECT_EQ(folder.read("p.ini"), "[S]\r\na=3\r\nb=2\r\n");
}

TEST(ProfileWrite, NamesThatWouldNotReadBackAreRefusedAndTheFileIsUntouched) {
  TempProgramFolder folder;
  const std::string before = "[S]\r\na=1\r\n";
  folder.write("p.ini", before);
  const std::pair<const char*, const char*> bad[] = {
      {"S", ""}, {"S", "a=b"}, {"S", ";a"}, {"S", "[T]"}, {"S", "a\nb"}, {"S]x", "a"},
      {"S\n[T]", "a"}};
  for (const auto& [section, key] : bad) {
    EXPECT_FALSE(WriteProfileString(folder.file("p.ini"), section, key, "v")) << section << key;
    EXPECT_EQ(folder.read("p.ini"), before);
  }
}

TEST(IniDocument, UnchangedDocumentSerializesToItsOwnBytes) {
  const std::string inputs[] = {"",         "\n",       "\r\n",  "a", "[S]\r\nk=v", "[S]\nk=v\r\n\n\r\n",
                                "x\ry\rz", "[\n]\n=\n;\n[S\nk=1\n", "\x00\xFF\r\n"s,
                                "\xEF\xBB\xBF", "\xEF\xBB\xBF[S]\rk=1\r\r\n\n", "\r",
                                "\r\r\n\n\r"};
  for (const std::string& bytes : inputs)
    EXPECT_EQ(platform::IniDocument::parse(bytes).serialize(), bytes);
}

TEST(ProfileWrite, FolderThatIsAFileFailsAndCreatesNothing) {
  TempProgramFolder folder;
  folder.write("plain", "not a folder");
  EXPECT_FALSE(WriteProfileString(folder.file("plain/p.ini"), "S", "k", "v"));
  EXPECT_EQ(folder.read("plain"), "not a folder");
  EXPECT_EQ(GetProfileString(folder.file("plain/p.ini"), "S", "k", "d"), "d");
}

TEST(ProfileWrite, FolderInThePlaceOfTheFileIsNeverReplaced) {
  TempProgramFolder folder;
  std::filesystem::create_directory(folder.file("p.ini"));
  EXPECT_EQ(GetProfileString(folder.file("p.ini"), "S", "k", "d"), "d");
  EXPECT_FALSE(WriteProfileString(folder.file("p.ini"), "S", "k", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.file("p.ini")));
}

// A full disk: the file-size limit makes the new file's write fail half way.
TEST(ProfileWrite, FailedWriteReturnsFalseAndLeavesTheOldFileIntact) {
  TempProgramFolder folder;
  const std::string before = "[S]\r\nk=old\r\n";
  folder.write("p.ini", before);
  GetProfileString(folder.file("p.ini"), "S", "k", "d");  // cached before the failure

  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previous = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool written = WriteProfileString(folder.file("p.ini"), "S", "k", std::string(200, 'n'));
  bool flushed = true;
  {
    platform::ProfileWriteBatch batch;
    WriteProfileString(folder.file("p.ini"), "S", "j", std::string(200, 'n'));
    flushed = batch.flush();
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);

  EXPECT_FALSE(written);
  EXPECT_FALSE(flushed);
  EXPECT_EQ(folder.read("p.ini"), before);
  EXPECT_EQ(GetProfileString(folder.file("p.ini"), "S", "k", "d"), "old");
  EXPECT_EQ(GetProfileString(folder.file("p.ini"), "S", "j", "d"), "d");
  for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
    EXPECT_EQ(entry.path().filename(), "p.ini") << "left-over temporary file";
}

TEST(ProfileCache, DropSeesAFileEditedBehindItsBack) {
  TempProgramFolder folder;
  const std::string file = folder.file("p.ini");
  std::filesystem::remove(file);
  EXPECT_TRUE(WriteProfileString(file, "S", "k", "ours"));
  {
    // Edited by hand, without the cache knowing.
    FILE* f = fopen(file.c_str(), "wb");
    fputs("[S]\nk=theirs\n", f);
    fclose(f);
  }
  DropProfileCache();
  EXPECT_EQ(GetProfileString(file, "S", "k", "d"), "theirs");
  EXPECT_TRUE(WriteProfileString(file, "S", "j", "2"));
  EXPECT_EQ(folder.read("p.ini"), "[S]\nk=theirs\nj=2\n");
}

ino_t inodeOf(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(ProfileWriteBatch, WritesEachChangedFileOnceWhenTheOutermostBatchEnds) {
  TempProgramFolder folder;
  folder.write("a.ini", "[S]\r\n");
  folder.write("b.ini", "[S]\r\n");
  const ino_t a0 = inodeOf(folder.file("a.ini"));
  const ino_t b0 = inodeOf(folder.file("b.ini"));
  {
    platform::ProfileWriteBatch outer;
    {
      platform::ProfileWriteBatch inner;
      for (int i = 0; i < 50; ++i)
        EXPECT_TRUE(WriteProfileString(folder.file("a.ini"), "S", "k" + std::to_string(i), "v"));
    }
    // Not yet written, yet reads see the changes.
    EXPECT_EQ(inodeOf(folder.file("a.ini")), a0);
    EXPECT_EQ(folder.read("a.ini"), "[S]\r\n");
    EXPECT_EQ(GetProfileString(folder.file("a.ini"), "S", "k49", "d"), "v");
  }
  EXPECT_NE(inodeOf(folder.file("a.ini")), a0);
  EXPECT_EQ(inodeOf(folder.file("b.ini")), b0) << "an unchanged file is not rewritten";
  std::string a = folder.read("a.ini");
  EXPECT_NE(a.find("k0=v\r\n"), std::string::npos);
  EXPECT_NE(a.find("k49=v\r\n"), std::string::npos);
}

TEST(ProfileWrite, ReplacementKeepsTheFilesModeAndASymbolicLink) {
  TempProgramFolder folder;
  folder.write("real.ini", "[S]\nk=1\n");
  chmod(folder.file("real.ini").c_str(), 0640);
  std::filesystem::create_symlink(folder.file("real.ini"), folder.file("link.ini"));
  EXPECT_TRUE(WriteProfileString(folder.file("link.ini"), "S", "k", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.ini")));
  EXPECT_EQ(folder.read("real.ini"), "[S]\nk=2\n");
  struct stat st {};
  ASSERT_EQ(stat(folder.file("real.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

}  // namespace

namespace {

struct DeleteCase {
  const char* name;
  const char* before;
  const char* section;
  const char* key;  // nullptr: erase the whole section
  const char* after;
  const char* nowRead;  // what [section] key reads afterwards ("?" = the default)
};

const DeleteCase kDeleteCases[] = {
    {"key removed, comments and other keys kept", "[S]\r\n;c\r\na=1\r\nb=2\r\n", "s", "A",
     "[S]\r\n;c\r\nb=2\r\n", "?"},
    {"first duplicate key goes, the second shows", "[S]\na=1\na=2\n", "S", "a", "[S]\na=2\n",
     "2"},
    {"missing key changes nothing", "[S]\na=1\n", "S", "x", "[S]\na=1\n", "?"},
    {"missing section changes nothing", "[S]\na=1\n", "T", "a", "[S]\na=1\n", "?"},
    {"section erased with its lines up to the next one", "x=0\n[S]\na=1\n\n[T]\nb=2\n", "s",
     nullptr, "x=0\n[T]\nb=2\n", "?"},
    {"first duplicate section goes, the second shows", "[S]\na=1\n[S]\na=2\n", "S", nullptr,
     "[S]\na=2\n", "2"},
    {"last section erased", "[S]\na=1\n[T]\nb=2", "T", nullptr, "[S]\na=1\n", "?"},
};

void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.name; }

class ProfileDelete : public testing::TestWithParam<DeleteCase> {};

TEST_P(ProfileDelete, RemovesOnlyWhatItNames) {
  const DeleteCase& c = GetParam();
  TempProgramFolder folder;
  folder.write("p.ini", c.before);
  const std::string file = folder.file("p.ini");
  EXPECT_TRUE(c.key ? platform::DeleteProfileKey(file, c.section, c.key)
                    : platform::DeleteProfileSection(file, c.section));
  EXPECT_EQ(folder.read("p.ini"), c.after);
  const char* key = c.key ? c.key : "a";
  EXPECT_EQ(GetProfileString(file, c.section, key, "?"), c.nowRead);
  DropProfileCache();
  EXPECT_EQ(GetProfileString(file, c.section, key, "?"), c.nowRead);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileDelete, testing::ValuesIn(kDeleteCases),
                         [](const auto& info) { return caseName(info.param.name); });

TEST(ProfileDelete, InABatchTheFileIsWrittenOnceInOrder) {
  TempProgramFolder folder;
  const std::string file = folder.file("p.ini");
  folder.write("p.ini", "[S]\na=1\n[T]\nb=2\n");
  {
    platform::ProfileWriteBatch batch;
    EXPECT_TRUE(platform::DeleteProfileSection(file, "S"));
    EXPECT_TRUE(WriteProfileString(file, "S", "c", "3"));
    EXPECT_TRUE(platform::DeleteProfileKey(file, "T", "b"));
    EXPECT_EQ(GetProfileString(file, "S", "a", "?"), "?");
    EXPECT_EQ(folder.read("p.ini"), "[S]\na=1\n[T]\nb=2\n");
  }
  EXPECT_EQ(folder.read("p.ini"), "[T]\n[S]\nc=3\n");
}

TEST(ProfileSections, NamesInFileOrderEachOnce) {
  TempProgramFolder folder;
  const std::string file = folder.file("p.ini");
  EXPECT_TRUE(platform::GetProfileSectionNames(file).empty());
  folder.write("p.ini", "x=1\n[One]\n[ Two ]\na=1\n[one]\n[Three\n");
  EXPECT_EQ(platform::GetProfileSectionNames(file),
            (std::vector<std::string>{"One", "Two", "Three"}));
}

}  // namespace
