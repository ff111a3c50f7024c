// Numbered file names: capture.avi -> capture1.avi -> capture2.avi, take9.wav -> take10.wav.
// Only the file's own name is looked at: a dot or digits in a folder's name never count.
#pragma once

#include <string>

// The name from the last '.' of the file's own name to the end, dot included; empty when the
// name has no dot after its first character.
std::string GetFileExtension(const std::string& path);
// The digits directly before the extension, without leading zeros ("" when there are none;
// "0" when they are all zeros). Kept as text, so that no number of digits overflows.
std::string GetFileNumber(const std::string& path);
// Everything before those digits.
std::string GetFileBaseName(const std::string& path);
// Rewrites the name with its number plus one (a name without a number gets 1).
void IncrementFileName(std::string& path);
// While `path` names an existing file, IncrementFileName.
void NextFreeFileName(std::string& path);
