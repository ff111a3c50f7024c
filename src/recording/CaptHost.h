// What the capture window reaches in the windows around it. The viewer (which is built on top of
// the recording window) fills these in when it makes its windows; an empty one does nothing, so
// the window also works on its own, as the tests make it.
#pragma once

#include <functional>
#include <string>

#include "platform/capture/AviWriter.h"

class QWidget;

namespace platform {
class CaptureWindow;
}

struct CaptureHost {
  // The TV window whose capture driver records; null while there is none.
  std::function<platform::CaptureWindow*()> tvWindow;
  // The main panel's master volume slider (0..65): its value, and setting it (the panel's change
  // handler runs as well when the panel is hidden).
  std::function<int()> masterVolume;
  std::function<void(int)> setMasterVolume;
  // Ends the program in order (a quit asked for during a capture, once its file is finished).
  std::function<void()> quit;
  // Shows the main panel again.
  std::function<void()> showPanel;
  // The panel's channel up (true) or down.
  std::function<void(bool up)> channelStep;
  // The panel's snapshot timer: on or off, with its period in milliseconds.
  std::function<void(bool on, int periodMs)> snapshotTimer;
  // The panel's input switch: 0 tuner, 1 "AV", 2 "SVHS" (the channel's picture values follow).
  // Empty: the card's input is switched alone.
  std::function<void(int input)> videoInput;
  // The current channel's picture values were changed in its row: the panel shows them.
  std::function<void()> pictureStored;
  // The settings dialog's sound-source box takes this index and applies it.
  std::function<void(int index)> soundSource;
  // Opens a file with the desktop's program for it; false when that could not be started.
  std::function<bool(const std::string& path)> openDocument;
  // The save dialog: the chosen name, or empty when cancelled.
  std::function<std::string(const std::string& title, const std::string& file,
                            const std::string& defaultExt, const std::string& filter)>
      saveFileName;
  // The dialogs that stand in for the capture driver's: the sound format of a capture and its
  // compression; false when cancelled. Empty: the window's own.
  std::function<bool(QWidget* owner, platform::AviAudioFormat* format)> chooseAviAudioFormat;
  std::function<bool(QWidget* owner, platform::AviVideoCodec* codec)> chooseVideoCodec;
};

extern CaptureHost& CaptureLinks;
