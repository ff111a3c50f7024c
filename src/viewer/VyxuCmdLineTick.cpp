// The panel's start-up tick: the command line's switch, and the start-up state that needs every
// window to exist.
#include <QCheckBox>
#include <QPushButton>

#include "core/Channels.h"
#include "core/Settings.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuCmdLine.h"
#include "viewer/Clist.h"

namespace {

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

void TForm1::Timer4Timer() {
  CheckBox9Click();
  Timer4.SetEnabled(false);
  Label3->SetCaption("");
  const CmdLineSwitch s = ParseCmdLine(ProgramArguments);
  CmdLineMode = s.mode;
  runSwitch(*this, s);
  if (Form6) {
    Form6->Button11->setEnabled(false);
    Form6->Button12->setEnabled(true);
  }
  ShowFullScreenMode();
  if (Settings.HideCP) Image11Click();
}
