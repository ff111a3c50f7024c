// The command line's switches: a '/' or '-' and one letter, in either case, as a whole argument.
// They are read once, by the panel's start-up tick (TForm1::Timer4Timer), when all windows
// exist; only the last switch found acts.
//
//   /c<digit>  1  the channel with that number (1..9), when the list holds it
//   /s         2  sound off and everything hidden to the tray
//   /m         3  sound off
//   /h         4  everything hidden to the tray
//   /x         5  full screen, the panel hidden
//   /t         6  stay on top
//   /?         7  nothing
//   /r         8  the arrow keys' roles swapped for this run
//   /w         9  the panel hidden
//   /d        10  diagnostic output on the standard output
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The program's arguments after its path, as the start kept them.
extern std::vector<std::string>& ProgramArguments;

enum : int32_t {
  kCmdNone = 0, kCmdChannel = 1, kCmdSoundOffHidden = 2, kCmdSoundOff = 3, kCmdHidden = 4,
  kCmdFullScreen = 5, kCmdStayOnTop = 6, kCmdHelp = 7, kCmdReverse = 8, kCmdHidePanel = 9,
  kCmdDebug = 10,
};

struct CmdLineSwitch {
  int32_t mode = kCmdNone;
  // For /c: the channel's row (the digit - 1), -1 when the switch has no digit 1..9.
  int32_t row = -1;
};

// The last switch among the arguments. "/c" takes the first digit that follows it ("/c12" is
// channel 1); any other letter stands alone. Arguments that only contain a '/' or '-' (paths,
// "my-show") are no switches.
CmdLineSwitch ParseCmdLine(const std::vector<std::string>& arguments);
