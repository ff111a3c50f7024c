// Listing and deleting in the registry, the same contract on the file backend and the simulated
// one: value names in their stored order, deleting a value, the keys below a key, and deleting a
// key with everything below it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryFiles.h"
#include "platform/RegistrySim.h"
#include "sim/SimRegistry.h"
#include "platform/ScopedEnv.h"

using namespace platform;

namespace {

enum class Backend { kFiles, kSim };

class RegistryListing : public ::testing::TestWithParam<Backend> {
protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vyx-reg-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    env_ = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", folder_.c_str());
    sim::Registry().reset();
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    sim::Registry().reset();
  }
  RegistryBackend& reg() {
    return GetParam() == Backend::kFiles ? FileRegistryBackend() : SimRegistryBackend();
  }
  static std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  }

  std::string folder_;
  std::unique_ptr<ScopedEnv> env_;
};

TEST_P(RegistryListing, ValuesAreListedAndDeleted) {
  auto key = reg().createKey("Software\\Tool");
  ASSERT_NE(key, nullptr);
  const RegistryBytes one{1};
  ASSERT_TRUE(key->writeValue("b", one));
  ASSERT_TRUE(key->writeValue("A", one));
  ASSERT_TRUE(key->writeValue("c", one));
  EXPECT_EQ(key->valueNames(), (std::vector<std::string>{"b", "A", "c"}));
  EXPECT_TRUE(key->deleteValue("a"));
  EXPECT_TRUE(key->deleteValue("missing"));
  EXPECT_EQ(key->valueNames(), (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(key->readValue("A"), std::nullopt);
}

TEST_P(RegistryListing, KeysAreListedAndDeletedWithEverythingBelow) {
  const RegistryBytes one{1};
  ASSERT_NE(reg().createKey("Software\\Tool\\TForm1"), nullptr);
  ASSERT_TRUE(reg().createKey("Software\\Tool\\TForm1\\Columns")->writeValue("x", one));
  ASSERT_NE(reg().createKey("Software\\Tool\\TForm10"), nullptr);
  EXPECT_EQ(sorted(reg().subkeyNames("software\\tool")),
            (std::vector<std::string>{"TForm1", "TForm10"}));
  EXPECT_TRUE(reg().subkeyNames("Software\\None").empty());

  EXPECT_TRUE(reg().deleteKey("SOFTWARE\\Tool\\tform1"));
  EXPECT_EQ(reg().openKey("Software\\Tool\\TForm1\\Columns"), nullptr);
  EXPECT_EQ(reg().openKey("Software\\Tool\\TForm1"), nullptr);
  EXPECT_NE(reg().openKey("Software\\Tool\\TForm10"), nullptr);
  EXPECT_TRUE(reg().deleteKey("Software\\Tool\\TForm1")) << "gone already";
  EXPECT_FALSE(reg().deleteKey("Software\\..")) << "no key path";
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryListing, ::testing::Values(Backend::kFiles, Backend::kSim));

}  // namespace
