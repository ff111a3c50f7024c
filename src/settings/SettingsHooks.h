// What the settings dialog asks of the main panel and the TV window, which live above it: the
// viewer fills these in when it creates the windows. An unset hook does nothing (and one that
// answers reports "no"), so the dialog also works on its own, as in its tests.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QWidget;

struct SettingsDialogHooks {
  std::function<void()> reSet;            // the current channel applied again
  std::function<void()> set34;            // the TV window's rectangle stored and re-placed
  std::function<void()> applySaturation;  // the panel's saturation applied again
  std::function<void()> showMainPanel;
  std::function<void(const std::string&)> setMainCaption;
  // The TV window: whether one exists, its capture driver reconnected to index, its window
  // style changed at once (the stored rectangle kept), destroyed with its driver disconnected,
  // created again (false when that failed: then there is none).
  std::function<bool()> tvWindowExists;
  std::function<void(int)> reconnectDriver;
  std::function<void(uint32_t)> restyleTvWindow;
  std::function<void()> destroyTvWindow;
  std::function<bool()> createTvWindow;
  std::function<void()> installKeyboardHook;
  std::function<void()> removeKeyboardHook;
};

// A request for a file to open: the chooser shows `filter` ("Exe files|*.exe") and starts at
// `fileName`; the file must exist.
struct OpenFileRequest {
  std::string defaultExtension;
  std::string fileName;
  std::string filter;
  QWidget* owner = nullptr;
};
// The chosen file, or nothing when the user cancelled.
using OpenFileChooser = std::function<std::optional<std::string>(const OpenFileRequest&)>;
// Opens a link ("mailto:...", "https://...") with the desktop; false when nothing opened it.
using LinkOpener = std::function<bool(const std::string&)>;

SettingsDialogHooks& DialogHooks();
// The file chooser: the desktop's file dialog unless a test put another in place.
OpenFileChooser& FileChooser();
// The link opener: the desktop's, or under the simulation switch one that only records.
LinkOpener& OpenLink();
