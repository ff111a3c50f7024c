// The OSD's clearing timers: each empties its text after OSDDelay and has it repainted.
#include "viewer/TvWindowSetup.h"
#include "viewer/Vyxu.h"

void TForm1::Timer6Timer() {
  Label2->SetCaption("");
  RepaintOsd(true);
  Timer6.SetEnabled(false);
}

void TForm1::Timer7Timer() {
  Label3->SetCaption("");
  RepaintOsd(false);
  Timer7.SetEnabled(false);
}
