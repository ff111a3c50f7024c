// The hot keys' keyboard hook: installed at start-up, removed while a text field has the focus
// or another program uses the card, installed again afterwards.
#pragma once

// Installs the hook (a new one, whatever is installed).
void InstallKeyboardHook();
// Removes the hook; the handle keeps its value.
void RemoveKeyboardHook();
