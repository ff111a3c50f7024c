#include "support/TempProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/Profile.h"

namespace testing_support {

TempProgramFolder::TempProgramFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vyx-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
  if (const char* home = std::getenv("VYX_HOME")) {
    hadHome_ = true;
    previousHome_ = home;
  }
  setenv("VYX_HOME", path_.c_str(), 1);
  platform::DropProfileCache();
}

TempProgramFolder::~TempProgramFolder() {
  if (hadHome_)
    setenv("VYX_HOME", previousHome_.c_str(), 1);
  else
    unsetenv("VYX_HOME");
  platform::DropProfileCache();
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void TempProgramFolder::write(const std::string& name, const std::string& bytes) const {
  std::ofstream(file(name), std::ios::binary) << bytes;
  platform::DropProfileCache();
}

std::string TempProgramFolder::read(const std::string& name) const {
  std::ifstream in(file(name), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool TempProgramFolder::exists(const std::string& name) const {
  return std::filesystem::exists(file(name));
}

}  // namespace testing_support
