// The leak check of the sanitizer build, for a test program and for every program it starts:
// included once by each test main. The suppressions are the file tests/lsan.supp.
#pragma once

#include <cstdlib>
#include <string>

// Read by the sanitizer runtime as the process starts, before any constructor of ours.
extern "C" const char* __lsan_default_options() {
  return "suppressions=" VYX_LSAN_SUPPRESSIONS;
}

namespace testing_support {

// Child processes (the program itself, helpers) know nothing of the test main: they get the
// suppressions through the environment, added to whatever options the caller gave.
inline void PassLeakSuppressionsToChildren() {
  const char* given = std::getenv("LSAN_OPTIONS");
  std::string options = given ? given : "";
  if (options.find("suppressions=") != std::string::npos) return;
  if (!options.empty()) options += ':';
  options += "suppressions=" VYX_LSAN_SUPPRESSIONS;
  setenv("LSAN_OPTIONS", options.c_str(), 1);
}

}  // namespace testing_support
