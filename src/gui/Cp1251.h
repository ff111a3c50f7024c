// Windows-1251 <-> Unicode. The program keeps its texts as Windows-1251 bytes (files, settings,
// captions) and converts only where a text meets Qt.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace gui {

QString FromCp1251(std::string_view bytes);
// Characters without a Windows-1251 code become '?'.
std::string ToCp1251(const QString& text);

// Upper- and lower-case of Windows-1251 text (Latin and Cyrillic letters).
std::string AnsiUpperCase(std::string_view bytes);
std::string AnsiLowerCase(std::string_view bytes);
// Case-insensitive comparison of Windows-1251 texts: <0, 0 or >0.
int AnsiCompareText(std::string_view a, std::string_view b);

}  // namespace gui
