#include "platform/Registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/RegistryFiles.h"
#include "platform/RegistryFormat.h"

using namespace platform;

namespace {

RegistryBytes bytes(std::string_view text) { return RegistryBytes(text.begin(), text.end()); }

TEST(RegistryPath, OnlyWellFormedPathsNameKeys) {
  struct Case {
    const char* path;
    size_t names;  // 0: not a key path
  };
  const Case cases[] = {
      {"Software\\Dorvak", 2}, {"Software\\Dorvak\\TheVyx", 3}, {"a", 1},
      {"", 0}, {"Software\\", 0}, {"\\Software", 0}, {"a\\\\b", 0},
      {"Software\\..", 0}, {".", 0}, {"a/b", 0}, {"..\\x", 0},
  };
  for (const Case& c : cases) {
    auto names = SplitRegistryPath(c.path);
    EXPECT_EQ(names ? names->size() : 0u, c.names) << '"' << c.path << '"';
  }
  EXPECT_TRUE(SplitRegistryPath(std::string(255, 'k')).has_value());
  EXPECT_FALSE(SplitRegistryPath(std::string(256, 'k')).has_value());
  EXPECT_FALSE(SplitRegistryPath(std::string("a\0b", 3)).has_value());
}

TEST(RegistryFormat, AnyNameAndAnyBytesSurviveAWriteAndARead) {
  RegistryValues values;
  values.set("Audio Format A", bytes(std::string("\x01\x00\xff\n=%", 6)));
  values.set("", bytes("unnamed"));
  values.set(std::string("=%\r\n\x7f\xe9 name", 10), {});
  RegistryValues back = RegistryValues::parse(values.serialize());
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(*back.find("audio format a"), bytes(std::string("\x01\x00\xff\n=%", 6)));
  EXPECT_EQ(*back.find(""), bytes("unnamed"));
  ASSERT_NE(back.find(std::string("=%\r\n\x7f\xe9 NAME", 10)), nullptr);
  EXPECT_TRUE(back.find(std::string("=%\r\n\x7f\xe9 name", 10))->empty());
}

TEST(RegistryFormat, ReadingSkipsWhatDoesNotParseAndKeepsTheRest) {
  std::string text =
      "vyx-registry 1\r\n"
      "good=0a0B\r\n"
      "no equals sign\n"
      "odd=abc\n"
      "nothex=zz\n"
      "bad%escape=00\n"
      "cut%4=00\n"
      "has space=00\n"
      "%41%3D=ff\n"
      "good=0c\n"  // a later line of the same name wins
      "last=01";   // no final line end
  RegistryValues values = RegistryValues::parse(text);
  EXPECT_EQ(values.size(), 3u);
  EXPECT_EQ(*values.find("good"), (RegistryBytes{0x0c}));
  EXPECT_EQ(*values.find("A="), (RegistryBytes{0xff}));
  EXPECT_EQ(*values.find("last"), (RegistryBytes{0x01}));
  EXPECT_EQ(RegistryValues::parse("good=00\n").size(), 0u) << "no header, no values";
  EXPECT_EQ(RegistryValues::parse("").size(), 0u);
}

// The real backend in a temporary configuration folder.
class FileRegistry : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vyx-reg-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) old_ = old;
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  }
  void TearDown() override {
    if (old_)
      setenv("XDG_CONFIG_HOME", old_->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(folder_);
  }
  std::string keyFolder(const std::string& rel) const { return folder_ + "/vyx/" + rel; }
  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  std::string folder_;
  std::optional<std::string> old_;
};

TEST_F(FileRegistry, KeysAreFoldersFoundRegardlessOfCase) {
  EXPECT_EQ(RegistryFolder(), folder_ + "/vyx");
  RegistryBackend& reg = FileRegistryBackend();
  EXPECT_EQ(reg.openKey("Software\\Dorvak"), nullptr);
  auto key = reg.createKey("Software\\Dorvak\\TheVyx");
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->writeValue("Audio Format A", RegistryBytes{1, 2, 3}));
  ASSERT_TRUE(std::filesystem::is_regular_file(keyFolder("Software/Dorvak/TheVyx/.values")));

  auto again = reg.createKey("SOFTWARE\\dorvak\\thevyx");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->readValue("audio format a"), (RegistryBytes{1, 2, 3}));
  EXPECT_FALSE(std::filesystem::exists(keyFolder("SOFTWARE"))) << "no second spelling created";
  EXPECT_EQ(reg.openKey("Software\\.values"), nullptr);
  EXPECT_EQ(reg.createKey("Software\\.VALUES"), nullptr) << "the values file is no key";
}

TEST_F(FileRegistry, WritesReplaceTheFileWholeAndLeaveNoTemporaryFiles) {
  auto key = FileRegistryBackend().createKey("Software\\Dorvak");
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->writeValue("a", RegistryBytes{1}));
  ASSERT_TRUE(key->writeValue("b", RegistryBytes{2}));
  EXPECT_EQ(read(keyFolder("Software/Dorvak/.values")), "vyx-registry 1\na=01\nb=02\n");
  size_t entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(keyFolder("Software/Dorvak"))) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1u);
}

TEST_F(FileRegistry, AValuesFileThatCannotBeReadIsNotOverwritten) {
  auto key = FileRegistryBackend().createKey("Software\\Dorvak");
  ASSERT_NE(key, nullptr);
  // A folder where the values file should be: unreadable as a file.
  std::filesystem::create_directory(keyFolder("Software/Dorvak/.values"));
  EXPECT_FALSE(key->writeValue("a", RegistryBytes{1}));
  EXPECT_EQ(key->readValue("a"), std::nullopt);
  EXPECT_TRUE(std::filesystem::is_directory(keyFolder("Software/Dorvak/.values")));
}

TEST_F(FileRegistry, ARelativeConfigHomeIsIgnored) {
  setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  std::optional<std::string> home;
  if (const char* h = std::getenv("HOME")) home = h;
  setenv("HOME", folder_.c_str(), 1);
  EXPECT_EQ(RegistryFolder(), folder_ + "/.config/vyx");
  if (home)
    setenv("HOME", home->c_str(), 1);
  else
    unsetenv("HOME");
}

}  // namespace
