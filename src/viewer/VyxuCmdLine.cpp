// Reading the command line's switches.
#include "viewer/VyxuCmdLine.h"

namespace {

// The rows the channel switch reaches: its digit 1..9.
constexpr int32_t kCmdChannelRows = 9;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int32_t modeOfLetter(char letter) {
  switch (letter) {
    case 's': return kCmdSoundOffHidden;
    case 'm': return kCmdSoundOff;
    case 'h': return kCmdHidden;
    case 'x': return kCmdFullScreen;
    case 't': return kCmdStayOnTop;
    case '?': return kCmdHelp;
    case 'r': return kCmdReverse;
    case 'w': return kCmdHidePanel;
    case 'd': return kCmdDebug;
    default: return kCmdNone;
  }
}

// One argument as a switch; mode kCmdNone when it is none.
CmdLineSwitch switchOf(const std::string& arg) {
  if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return {};
  const char letter = arg[1] >= 'A' && arg[1] <= 'Z' ? char(arg[1] - 'A' + 'a') : arg[1];
  const std::string rest = arg.substr(2);
  if (letter == 'c') {
    for (char c : rest)
      if (!isDigit(c)) return {};
    const int32_t row = rest.empty() ? -1 : rest[0] - '1';
    return {kCmdChannel, row >= 0 && row < kCmdChannelRows ? row : -1};
  }
  if (!rest.empty()) return {};
  return {modeOfLetter(letter), -1};
}

}  // namespace

CmdLineSwitch ParseCmdLine(const std::vector<std::string>& arguments) {
  CmdLineSwitch last;
  for (const std::string& arg : arguments) {
    const CmdLineSwitch s = switchOf(arg);
    if (s.mode != kCmdNone) last = s;
  }
  return last;
}
