// Language files: the program folder's Languages holds one profile file per language, named as
// the settings value Language names it, with the interface texts of the panel, the scheduler,
// the capture window, the scan dialog, the channel list and the settings dialog in section
// [Language] (Windows-1251). "Russian" has no file: its texts are built into the loader as the
// default of every read, so a missing file or key shows the Russian text. The program never
// writes a language file.
#pragma once

#include <string>
#include <vector>

class QListWidget;

// The text each read gives, counted from 1 (entry 0 is empty): the file's value, cut to 259
// bytes, or the read's built-in text. A file that cannot be read gives the built-in texts.
std::vector<std::string> ReadLanguageTexts(const std::string& path);

// The language file of that name in the program folder's Languages, each name looked up in any
// letter case.
std::string LanguageFilePath(const std::string& language);

// Sets every text from the named language file, or from the built-in texts, on whichever of the
// six windows exist. It never fails and shows no message.
void LoadLanguage(const std::string& language);

// "Russian", then every entry of the program folder's Languages (files and folders alike), in
// the order the system lists them. A missing Languages folder lists "Russian" only.
void FillLanguageList(QListWidget* ListBox3);
