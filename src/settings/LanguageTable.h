// What a language file can hold and where each of its texts goes: the reads of section
// [Language] in reading order, each with the built-in Russian text it falls back on, and the
// controls each read's value is applied to.
#pragma once

#include <cstdint>
#include <span>

// A read of one key with its built-in text (UTF-8 in the source). A key may be read more than
// once, each time with a built-in text of its own.
struct LanguageRead {
  const char* key;
  const char* builtIn;
};

// The windows whose texts a language file sets.
enum class LanguageWindow : uint8_t { Panel, Scheduler, Capture, ScanDialog, ChannelList, Settings };

enum class LanguageTargetKind : uint8_t {
  Caption,      // the control's text (a tab page: its tab's text)
  Hint,         // the control's tool tip
  WindowTitle,  // the window's title
  GridHeader,   // the channel grid's header cell of column `index`
  RadioItem,    // item `index` of a radio group
  TrayFromEnd,  // the tray menu's item `index` places from its end (1: the last)
  ComboClear,   // the combo box's list is emptied
  ComboAppend,  // the text is appended to the combo box's list; then, with `index` >= 0, that
                // item is selected
  FullScreenChoice,  // the full-screen button's text while its choice is the desktop's own size
};

// One place a read's value goes. `read` counts the reads from 1.
struct LanguageTarget {
  uint16_t read;
  LanguageWindow window;
  LanguageTargetKind kind;
  const char* name;  // the control's object name; null for the window itself
  int8_t index = -1;
};

// Every read, in reading order.
std::span<const LanguageRead> LanguageReads();
// Every target, ordered by read: where two reads set one control, the later read decides.
std::span<const LanguageTarget> LanguageTargets();
