// The panel's snapshot timer: the capture window enables it and sets its period.
#include "viewer/Snapshot.h"
#include "viewer/Vyxu.h"

void TForm1::Timer5Timer() { GrabFrame(); }
