// Sets one language text on its target control.
#pragma once

#include <string>

struct LanguageTarget;
class QWidget;

// The window's control of that object name; null when the window or the control does not exist.
QWidget* LanguageTargetControl(const LanguageTarget& target);

// Sets the text (Windows-1251) on the target; a window or control that does not exist is left
// alone, and so is a tray menu too short for the item.
void ApplyLanguageText(const LanguageTarget& target, const std::string& text);
