// The panel's start-up tick: the command line's switch, and the start-up state that needs every
// window to exist.
#include "viewer/VyxuCmdLine.h"

#include <QCheckBox>

#include "core/Channels.h"
#include "core/Settings.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

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

void soundOff(TForm1& panel) { panel.CheckBox3->setChecked(false); }

void runSwitch(TForm1& panel, const CmdLineSwitch& s) {
  switch (s.mode) {
    case kCmdChannel:
      if (s.row < 0 || !ChannelTable[size_t(s.row)].Used) break;
      CurChannel = s.row;
      panel.ReSet();
      CheckChannelMenuItem(CurChannel);
      break;
    case kCmdSoundOffHidden:
      soundOff(panel);
      panel.Image12Click();
      break;
    case kCmdSoundOff: soundOff(panel); break;
    case kCmdHidden: panel.Image12Click(); break;
    case kCmdFullScreen:
      SetFullScreen(1);
      panel.Image11Click();
      break;
    case kCmdStayOnTop: panel.CheckBox4->setChecked(true); break;
    case kCmdReverse: Settings.Reverse = Settings.Reverse ? 0 : 1; break;
    case kCmdHidePanel: panel.Image11Click(); break;
    // The diagnostic output goes to the standard output, which the program always has.
    case kCmdDebug: DebugConsole = true; break;
    default: break;
  }
  // The option glyphs show what the switch set.
  panel.RefreshOptionGlyphs();
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

void TForm1::Timer4Timer() {
  CheckBox9Click();
  Timer4.SetEnabled(false);
  Label3->SetCaption("");
  const CmdLineSwitch s = ParseCmdLine(ProgramArguments);
  CmdLineMode = s.mode;
  runSwitch(*this, s);
  // LATER(channel list): its stop-scan button (Button11) disabled, its start-scan button
  // (Button12) enabled.
  ShowFullScreenMode();
  if (Settings.HideCP) Image11Click();
}
