// A fresh, empty program folder for one test: VYX_HOME points at it while the object lives.
#pragma once

#include <string>

namespace testing_support {

class TempProgramFolder {
public:
  TempProgramFolder();
  ~TempProgramFolder();
  TempProgramFolder(const TempProgramFolder&) = delete;
  TempProgramFolder& operator=(const TempProgramFolder&) = delete;

  // The folder, with a trailing '/'.
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + name; }

  // Whole-file helpers for fixtures.
  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

private:
  std::string path_;
  std::string previousHome_;
  bool hadHome_ = false;
};

}  // namespace testing_support
