// The recording format of the WAV recorder: made from the saved format, or chosen by the user
// in the format dialog, and copied back into the saved format.
#pragma once

class QWidget;

// Makes CurrentWavFormat: from the chooser's last format (at first the saved one) when `ask` is
// false, else from the format dialog (cancel returns to the saved format). The choice becomes
// the saved format. Returns 0; -1, -2, -3 for the set-up failures (size, allocation, locking),
// each with its box.
int ChooseWavFormat(QWidget* owner, bool ask);

// Releases the current format: CurrentWavFormat becomes empty.
void FreeWavFormat();
