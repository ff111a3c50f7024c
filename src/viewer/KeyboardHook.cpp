#include "viewer/KeyboardHook.h"

// LATER(hot keys): the hook itself, its handle and the key table.
void InstallKeyboardHook() {}

void RemoveKeyboardHook() {}
