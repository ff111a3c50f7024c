#include "core/SystemUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "sim/SimDisplay.h"
#include "sim/SimRegistry.h"

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

private:
  const char* name_;
  std::optional<std::string> old_;
};

// Each case runs on the simulated registry and on the real one in a temporary configuration
// folder.
class AppRegistry : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    sim::Registry().reset();
    if (real()) {
      std::string pattern = (std::filesystem::temp_directory_path() / "vyx-reg-XXXXXX").string();
      ASSERT_NE(mkdtemp(pattern.data()), nullptr);
      folder_ = pattern;
      config_.emplace("XDG_CONFIG_HOME", folder_);
      sim_.emplace("VYX_SIM", "0");
    } else {
      sim_.emplace("VYX_SIM", "1");
    }
  }
  void TearDown() override {
    sim_.reset();
    config_.reset();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
    sim::Registry().reset();
  }
  bool real() const { return GetParam(); }

  std::string folder_;
  std::optional<ScopedEnv> config_, sim_;
};

TEST_P(AppRegistry, MissingValueReadsZeroAndLeavesTheBufferAlone) {
  unsigned char buffer[8];
  std::memset(buffer, 0xAB, sizeof buffer);
  EXPECT_EQ(ReadAppRegValue("TheVyx", "Audio Format A", buffer, sizeof buffer), 0u) << "no key";
  const unsigned char other[3] = {1, 2, 3};
  ASSERT_TRUE(WriteAppRegValue("TheVyx", "Other", other, sizeof other));
  EXPECT_EQ(ReadAppRegValue("TheVyx", "Audio Format A", buffer, sizeof buffer), 0u) << "no value";
  EXPECT_EQ(ReadAppRegValue("TheVyx", "Audio Format A", nullptr, 0), 0u);
  for (unsigned char b : buffer) ASSERT_EQ(b, 0xAB);
}

TEST_P(AppRegistry, WritingUnderTheSubkeyCreatesBothKeys) {
  EXPECT_EQ(OpenAppRegKey(nullptr), nullptr);
  EXPECT_EQ(OpenAppRegKey("TheVyx"), nullptr);
  const unsigned char data[1] = {7};
  ASSERT_TRUE(WriteAppRegValue("TheVyx", "Audio Format V", data, 1));
  EXPECT_NE(OpenAppRegKey(nullptr), nullptr);
  EXPECT_NE(OpenAppRegKey("TheVyx"), nullptr);
  EXPECT_NE(OpenAppRegKey("thevyx"), nullptr) << "key names ignore case";
  if (real()) {
    EXPECT_TRUE(std::filesystem::is_directory(folder_ + "/vyx/Software/Dorvak/TheVyx"));
  }
}

TEST_P(AppRegistry, ValuesRoundTripWithTheSizeAskedFirst) {
  // An audio format block as the capture window keeps it: binary, with zero bytes inside.
  unsigned char format[18] = {1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0, 0, 0};
  ASSERT_TRUE(WriteAppRegValue("TheVyx", "Audio Format A", format, sizeof format));
  ASSERT_EQ(ReadAppRegValue("TheVyx", "Audio Format A", nullptr, 0), sizeof format);
  unsigned char back[18] = {};
  ASSERT_EQ(ReadAppRegValue("TheVyx", "Audio Format A", back, sizeof back), sizeof format);
  EXPECT_EQ(std::memcmp(back, format, sizeof format), 0);

  // A buffer too small for the value gets nothing rather than a part.
  unsigned char small[4] = {9, 9, 9, 9};
  EXPECT_EQ(ReadAppRegValue("TheVyx", "Audio Format A", small, sizeof small), 0u);
  EXPECT_EQ(small[0], 9);

  // Rewriting replaces the value and keeps the others.
  const unsigned char shorter[2] = {5, 6};
  ASSERT_TRUE(WriteAppRegValue("TheVyx", "Audio Format V", format, 3));
  ASSERT_TRUE(WriteAppRegValue("TheVyx", "AUDIO FORMAT A", shorter, sizeof shorter));
  EXPECT_EQ(ReadAppRegValue("TheVyx", "Audio Format A", back, sizeof back), 2u);
  EXPECT_EQ(back[1], 6);
  EXPECT_EQ(ReadAppRegValue("TheVyx", "Audio Format V", back, sizeof back), 3u);

  // The application's own key and the subkey hold separate values; an empty value is stored.
  EXPECT_EQ(ReadAppRegValue(nullptr, "Audio Format A", nullptr, 0), 0u);
  ASSERT_TRUE(WriteAppRegValue(nullptr, nullptr, nullptr, 0));
  EXPECT_NE(OpenAppRegKey(nullptr)->readValue(""), std::nullopt);
}

TEST_P(AppRegistry, APathLongerThanTheKeyBufferNamesNoKey) {
  std::string fits(259 - std::strlen("Software\\Dorvak\\"), 'k');
  std::string tooLong = fits + "k";
  const unsigned char data[1] = {1};
  EXPECT_FALSE(WriteAppRegValue(tooLong.c_str(), "v", data, 1));
  EXPECT_EQ(CreateAppRegKey(tooLong.c_str()), nullptr);
  // Key names are limited to 255 bytes on their own; split the rest into two names.
  std::string twoNames = std::string(200, 'a') + "\\" + std::string(fits.size() - 201, 'b');
  EXPECT_TRUE(WriteAppRegValue(twoNames.c_str(), "v", data, 1));
  EXPECT_EQ(ReadAppRegValue(twoNames.c_str(), "v", nullptr, 0), 1u);
}

INSTANTIATE_TEST_SUITE_P(Backends, AppRegistry, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Files" : "Simulated"; });

TEST(AppRegistrySim, WriteFailuresAreReportedAndNothingIsStored) {
  ScopedEnv sim("VYX_SIM", "1");
  sim::Registry().reset();
  const unsigned char data[1] = {1};
  sim::Registry().setCreateFails(true);
  EXPECT_FALSE(WriteAppRegValue("TheVyx", "v", data, 1));
  sim::Registry().setCreateFails(false);
  sim::Registry().setWritesFail(true);
  EXPECT_FALSE(WriteAppRegValue("TheVyx", "v", data, 1));
  EXPECT_EQ(ReadAppRegValue("TheVyx", "v", nullptr, 0), 0u);
  sim::Registry().reset();
}

TEST(MonitorPower, OffAndOnReachTheDisplayInOrder) {
  ScopedEnv sim("VYX_SIM", "1");
  sim::Display().reset();
  MonitorPowerOff();
  EXPECT_FALSE(sim::Display().monitorOn());
  MonitorPowerOn();
  EXPECT_TRUE(sim::Display().monitorOn());
  EXPECT_EQ(sim::Display().powerRequests(), (std::vector<bool>{false, true}));
  sim::Display().reset();
}

}  // namespace
