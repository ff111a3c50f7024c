// Conversions between profile-file texts and numbers, as the stores read and write their keys.
// Every conversion is locale-free: numbers always use '.', whatever LC_NUMERIC says, and no
// conversion overflows: a number past the range of its result reads as that range's limit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace profile_values {

// Leading blanks, an optional sign, decimal digits; no digits gives 0. Saturates to int32.
int32_t ParseDecimal(std::string_view text);

// Leading blanks, decimal digits; no digits gives 0; beyond 32 bits gives 0xFFFFFFFF.
uint32_t ParseUnsignedDecimal(std::string_view text);

// Leading blanks, an optional "0x" or "0X", hexadecimal digits; no digits gives 0; beyond 32
// bits gives 0xFFFFFFFF.
uint32_t ParseHex(std::string_view text);

// A decimal fraction with '.' as separator ("56.75", "-3", "1e2"); no number gives 0.0.
double ParseFloat(std::string_view text);

// "%d", "0x%X" and "%3.2f" with '.', whatever the locale.
std::string FormatDecimal(int64_t value);
std::string FormatHex(uint32_t value);
std::string FormatFixed2(double value);

// ASCII upper case, as the stores compare enumeration names.
std::string UpperCase(std::string_view text);

}  // namespace profile_values
