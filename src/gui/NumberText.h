// Numbers to text and back with the class library's rules, always with '.' as the decimal
// separator and ',' as the thousand separator, whatever the locale.
#pragma once

#include <cstdint>
#include <string>

namespace gui {

std::string IntToStr(int64_t value);
// Upper-case hexadecimal with at least `digits` digits.
std::string IntToHex(int64_t value, int digits);

// Decimal with an optional sign, or hexadecimal after "$" or "0x" (up to 8 digits, which may
// wrap to a negative value). Blanks around the number are allowed. Raises EConvertError
// "'%s' is not a valid integer value".
int StrToInt(const std::string& text);
int StrToIntDef(const std::string& text, int fallback);
bool TryStrToInt(const std::string& text, int& value);

// Sign, digits, an optional '.' fraction and an optional exponent; blanks around allowed.
// Raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const std::string& text);
bool TryStrToFloat(const std::string& text, double& value);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// ffGeneral: shortest fixed or scientific text of `precision` significant digits;
// ffExponent: "d.dddE+xx" with at least `digits` exponent digits; ffFixed: `digits` decimals;
// ffNumber: as ffFixed with thousand separators.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
// FloatToStrF(value, ffGeneral, 15, 0).
std::string FloatToStr(double value);

// Formats with a picture: sections "positive;negative;zero", '0' and '#' digit places, '.',
// ',' for thousand groups, "E+0"/"E-0" exponents, and quoted literals.
std::string FormatFloat(const std::string& format, double value);

}  // namespace gui
