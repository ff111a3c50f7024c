// Any bytes as the program's arguments (split at NUL bytes) for the command line's switches.
// Checks that the result is one of the switches, that only the channel switch has a row and only
// one of the first nine, that an argument that is no switch changes nothing, and that the last
// argument decides whenever it is a switch.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "viewer/VyxuCmdLine.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "viewer_cmdline: %s\n", what);
    abort();
  }
}

bool same(const CmdLineSwitch& a, const CmdLineSwitch& b) {
  return a.mode == b.mode && a.row == b.row;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      args.emplace_back();
    else
      args.back() += char(data[i]);
  }
  const CmdLineSwitch s = ParseCmdLine(args);
  check(s.mode >= kCmdNone && s.mode <= kCmdDebug, "no such switch");
  check(s.row >= -1 && s.row <= 8, "row outside the first nine");
  check(s.row == -1 || s.mode == kCmdChannel, "a row without the channel switch");

  std::vector<std::string> more = args;
  more.push_back("my-show");
  more.push_back("/home/user/tv-data/-d");
  check(same(ParseCmdLine(more), s), "a word or a path read as a switch");

  const CmdLineSwitch last = ParseCmdLine({args.back()});
  if (last.mode != kCmdNone) check(same(last, s), "the last switch does not win");
  more.push_back("-M");
  check(ParseCmdLine(more).mode == kCmdSoundOff, "a trailing switch is not read");
  return 0;
}
