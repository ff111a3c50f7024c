// Helpers the capture window's files share: the TV window it drives, colours, file names, the
// capture's sound format in the registry, and the dialogs that stand in for the driver's.
#pragma once

#include <QEvent>
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "gui/Colors.h"
#include "platform/capture/AviWriter.h"

class QComboBox;
class QWidget;
class TForm3;
namespace platform {
class CaptureWindow;
}

namespace capt {

// The TV window whose driver captures, or null (then every capture request is skipped).
platform::CaptureWindow* TvWindow();

void SetBackground(QWidget* widget, gui::TColor colour);

// `setting` as it stands, or the program folder with `name` when it is empty.
std::string DefaultedPath(const std::string& setting, const char* name);
// The mount point of the file system that holds `path`: the "drive" the free-space labels name.
std::string VolumeOf(const std::string& path);
// The wave-input devices into the list: the default device first, marked " (default)".
void LoadWaveDevices(QComboBox* list);
// A file name as the labels show it.
QString FromFileName(const std::string& path);
// Whether the file opens for reading.
bool FileOpens(const std::string& path);
// The box for a file that is not there: its name, "File not found".
void ShowFileNotFound(const std::string& path);

// The capture's sound format: read from "Audio Format V" into the driver, and stored back.
void RestoreAviAudioFormat();
void StoreAviAudioFormat();
// A block of "Audio Format V" as a sound format the capture can record: PCM, 1 or 2 channels, 8
// or 16 bits, a rate of 8000..96000; false for anything else.
bool ParseAviAudioFormat(const std::vector<uint8_t>& block, platform::AviAudioFormat* format);
std::vector<uint8_t> AviAudioFormatBlock(const platform::AviAudioFormat& format);

// The dialogs that stand in for the driver's (CaptureLinks' own when it has them): the sound
// format of a capture and its compression; false when cancelled.
bool ChooseAviAudioFormat(QWidget* owner, platform::AviAudioFormat* format);
bool ChooseVideoCodec(QWidget* owner, platform::AviVideoCodec* codec);

// The window's settings of the Image page from the settings block.
void LoadImageOptions(TForm3& form);
// A click on the scope.
bool ScopeEvent(TForm3& form, QEvent* event);

}  // namespace capt
