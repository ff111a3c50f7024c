// Any bytes as a command line for SplitCommandLine. Checks that the program name and the
// parameters never hold a quote that the line did not group with, that a parameter list without
// control characters splits back into itself, and that nothing reads past the text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/VclutilsText.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "vclutils_cmdline: %s\n", what);
    abort();
  }
}

bool hasControl(const std::string& s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) < ' ') return true;
  }
  return false;
}

// An empty token (a lone quote) joins as nothing between blanks.
bool hasEmptyToken(const std::string& params) {
  return !params.empty() &&
         (params.front() == ' ' || params.back() == ' ' || params.find("  ") != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  std::string program, params;
  vclutils::SplitCommandLine(line, program, params);
  check(program.find('"') == std::string::npos, "quote in the program name");
  check(program.size() <= line.size(), "program name longer than the line");
  if (program.empty()) check(params.empty(), "parameters without a program");

  // Tokens come back quoted only where they hold a blank, so a list whose tokens hold no
  // control characters (and no empty token) splits back into itself.
  if (!program.empty() && !hasControl(params) && !hasEmptyToken(params)) {
    std::string again, againParams;
    vclutils::SplitCommandLine("x " + params, again, againParams);
    check(again == "x", "re-split program");
    check(againParams == params, "parameters do not split back into themselves");
  }
  return 0;
}
