// Helpers the settings dialog's units share.
#pragma once

#include <QString>

#include <cstdint>
#include <string>

class QButtonGroup;
class QListWidget;

// Setting texts are Windows-1251 bytes; the controls show them as text.
QString FromSetting(const std::string& bytes);
std::string ToSetting(const QString& text);

// A field's text as an unsigned decimal number: leading blanks skipped, digits up to the first
// other character, no digits 0, past 32 bits 0xFFFFFFFF.
uint32_t UnsignedOf(const QString& text);
// A field's text as atoi reads it (blanks, a sign, digits; saturated to 32 bits).
int32_t IntegerOf(const QString& text);
// A field's text in hexadecimal ("0x" optional), as the hardware pages read their fields.
uint32_t HexOf(const QString& text);
// "0x" and upper-case hexadecimal digits.
QString HexText(uint32_t value);

// Selects the last entry whose text equals `name` in any letter case; none when no entry does.
void SelectByName(QListWidget* list, const std::string& name);
// Checks the button of `id`; unchecks them all for an id that has no button.
void CheckButton(QButtonGroup* group, int id);

QString WindowStyleText(uint32_t style);
