// The switch as a window layout gives it its custom pictures: the "Data" byte (which pictures
// are custom), then each custom picture's data (a 4-byte size and a BMP file). Any bytes must
// either load or raise the class library's exception; the loaded switch must paint in both
// states, enabled and disabled (greyed pictures), and store its pictures and byte back the same.
#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "controls/Rxswitch.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"

using rxswitch::TRxSwitch;
using rxswitch::TSwitchGlyph;

namespace {

void readLayout(TRxSwitch& s, gui::TStream& in) {
  s.BeginReading();
  try {
    s.ReadData(in);
    for (TSwitchGlyph index : {rxswitch::sgOff, rxswitch::sgOn}) {
      if (s.StoreBitmap(index)) s.GetSwitchGlyph(index)->ReadData(in);
    }
  } catch (const gui::Exception&) {
  }
  s.EndReading();
}

void paintAll(TRxSwitch& s) {
  for (bool enabled : {true, false}) {
    s.setEnabled(enabled);
    for (bool on : {false, true}) {
      s.SetStateOn(on);
      s.Snapshot();
    }
  }
}

}  // namespace

// The font configuration library keeps a few blocks it never frees; nothing of ours allocates
// through it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

// Qt's font and style caches fill on first use and live as long as the application, which is
// never destroyed: they are filled here, before the leak checks of the runs begin.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication* app = new QApplication(*argc, *argv);
  (void)app;
  TRxSwitch warmUp;
  warmUp.SetTextPosition(rxswitch::tpBelow);
  warmUp.SetCaption("&Switch");
  paintAll(warmUp);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gui::TMemoryStream in;
  in.Write(data, int64_t(size));
  in.SetPosition(0);
  TRxSwitch s;
  s.SetTextPosition(rxswitch::tpBelow);
  s.SetCaption("&Switch");
  readLayout(s, in);
  if (s.UserBitmaps() & ~3) std::abort();
  paintAll(s);

  gui::TMemoryStream out;
  s.WriteData(out);
  for (TSwitchGlyph index : {rxswitch::sgOff, rxswitch::sgOn}) {
    if (s.StoreBitmap(index)) s.GetSwitchGlyph(index)->WriteData(out);
  }
  out.SetPosition(0);
  TRxSwitch back;
  readLayout(back, out);
  if (back.UserBitmaps() != s.UserBitmaps()) std::abort();
  for (TSwitchGlyph index : {rxswitch::sgOff, rxswitch::sgOn}) {
    if (back.GetSwitchGlyph(index)->Width() != s.GetSwitchGlyph(index)->Width()) std::abort();
    if (back.GetSwitchGlyph(index)->Height() != s.GetSwitchGlyph(index)->Height()) std::abort();
  }
  return 0;
}
