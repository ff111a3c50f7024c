// The format dialog of the WAV recorder, "Set Audio Compression": the format tags on offer (PCM
// and the compressed formats whose encoders are installed) and the attributes of each.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

// Results of a format choice.
enum class WavFormatChoiceResult { Ok, Cancel, NotSupported };

// Shows the dialog starting from `block` (a format block); on Ok writes the chosen format into
// `block` (its size unchanged unless the chosen block is longer).
WavFormatChoiceResult RunWavFormatDialog(QWidget* owner, std::vector<uint8_t>& block);

// Tests replace the dialog: while a chooser is set, RunWavFormatDialog calls it instead.
// Returns the previous one; an empty chooser restores the dialog.
using WavFormatChooser =
    std::function<WavFormatChoiceResult(QWidget* owner, std::vector<uint8_t>& block)>;
WavFormatChooser SetWavFormatChooser(WavFormatChooser chooser);
