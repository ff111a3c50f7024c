// String routines shared by the controls: trimming, replacing, words, padding, number texts.
//
// Every routine works on std::string holding Windows-1251 bytes, the encoding of the program's
// files and texts; conversion to the screen's encoding happens elsewhere. Positions are 1-based
// (0 means "not found") and a blank is character 32 only. Where a routine changes or ignores
// case it uses the Windows-1251 case table below, which knows the Latin and Cyrillic letters.
// No routine keeps state or needs a QApplication.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace strutils {

// A set of byte values, as the routines' word delimiters and "empty" characters.
class TCharSet {
public:
  TCharSet() = default;
  TCharSet(const char* chars) : TCharSet(std::string_view(chars)) {}
  TCharSet(std::string_view chars);

  bool contains(char c) const { return bits_.test(static_cast<unsigned char>(c)); }
  TCharSet& add(char c);

private:
  std::bitset<256> bits_;
};

// Windows-1251 case mapping (ASCII letters, А-Я/а-я, Ё/ё and the other Cyrillic letters).
char upperCase1251(char c);
char lowerCase1251(char c);
std::string upperCase1251(std::string_view s);
std::string lowerCase1251(std::string_view s);

// --- Routines the controls use --------------------------------------------------------------

// True when every character of S is in EmptyChars (so also for an empty S).
bool IsEmptyStr(std::string_view S, const TCharSet& EmptyChars);
// Every Srch replaced, left to right; inserted text is not scanned again. Empty Srch: S as is.
std::string ReplaceStr(std::string_view S, std::string_view Srch, std::string_view Replace);
std::string DelChars(std::string_view S, char Chr);
std::string DelBSpace(std::string_view S);  // without leading blanks
std::string DelESpace(std::string_view S);  // without trailing blanks
std::string DelRSpace(std::string_view S);  // without either
std::string MakeStr(char C, int N);         // N copies of C; empty for N < 1

// --- The rest of the unit --------------------------------------------------------------------

// ANSI (Windows-1251) to OEM (code page 866) and back, byte for byte; a character the other
// page lacks becomes '?'.
std::string StrToOem(std::string_view S);
std::string OemToAnsiStr(std::string_view S);

std::string DelSpace(std::string_view S);        // every blank removed
std::string DelSpace1(std::string_view S);       // runs of blanks reduced to one
std::string Tab2Space(std::string_view S, int N);  // every tab becomes N blanks
std::string MS(char C, int N);                   // same as MakeStr

// Position of the N-th occurrence of C in S (occurrences may overlap); 0 when there are fewer.
int NPos(std::string_view C, std::string_view S, int N);

std::string AddChar(char C, std::string_view S, int N);   // padded with C on the left to N
std::string AddCharR(char C, std::string_view S, int N);  // padded with C on the right to N
std::string LeftStr(std::string_view S, int N);           // padded with blanks on the right
std::string RightStr(std::string_view S, int N);          // padded with blanks on the left
std::string CenterStr(std::string_view S, int Len);       // centred in blanks (odd blank right)

// -1, 0 or 1 by a fixed sort order: other characters (by byte) before digits before Latin before
// Cyrillic letters (alphabetical, Ё after Е). CompText ignores case; CompStr orders letters
// that differ only in case lower case first.
int CompStr(std::string_view S1, std::string_view S2);
int CompText(std::string_view S1, std::string_view S2);

std::string Copy2Symb(std::string_view S, char C);  // S up to the first C, or all of S
// As Copy2Symb; S loses that part and then its leading blanks.
std::string Copy2SymbDel(std::string& S, char C);
std::string Copy2Space(std::string_view S);
std::string Copy2SpaceDel(std::string& S);

// Words are runs of characters outside WordDelims.
std::string AnsiProperCase(std::string_view S, const TCharSet& WordDelims);
int WordCount(std::string_view S, const TCharSet& WordDelims);
int WordPosition(int N, std::string_view S, const TCharSet& WordDelims);
std::string ExtractWord(int N, std::string_view S, const TCharSet& WordDelims);
std::string ExtractWordPos(int N, std::string_view S, const TCharSet& WordDelims, int& Pos);
bool IsWordPresent(std::string_view W, std::string_view S, const TCharSet& WordDelims);
// The N-th field between single delimiters; empty fields count.
std::string ExtractDelimited(int N, std::string_view S, const TCharSet& Delims);
// The text from Pos up to the next delimiter; Pos moves past that delimiter (past the end of S
// after the last field).
std::string ExtractSubstr(std::string_view S, int& Pos, const TCharSet& Delims);

std::string QuotedString(std::string_view S, char Quote);
// S without its quotes (doubled quotes made single) when it starts with Quote, else S; text
// after the closing quote is dropped.
std::string ExtractQuotedString(std::string_view S, char Quote);

// A ',' between two digits wherever a group of three characters from the right begins.
std::string Numb2USA(std::string_view S);

// Number texts. A negative value is written as its 32-bit two's complement, as Dec2Hex does.
// A base outside 2..36 throws std::invalid_argument. Reading: 0 when the text is empty, holds
// a character that is no digit of the base, or does not fit 32 bits; the 32 bits are signed
// (Hex2Dec("FFFFFFFF") == -1).
std::string Dec2Hex(int32_t N, int Digits);  // upper case, at least Digits digits
std::string D2H(int32_t N, int Digits);
int32_t Hex2Dec(std::string_view S);         // optional leading '$'
int32_t H2D(std::string_view S);
std::string Dec2Numb(int32_t N, int Len, int Base);  // digits 0-9 A-Z, '0'-padded to Len
int32_t Numb2Dec(std::string_view S, int Base);      // digits in either case

// Roman numerals with subtractive pairs and an optional leading '-', in either case; 0 for a
// letter that is no numeral.
int32_t RomanToInt(std::string_view S);
std::string IntToRoman(int32_t N);  // empty for 0

// The lowest Digits bits (at most 32) with a blank before each group of Spaces digits counted
// from the right, so also in front when Digits is a multiple of Spaces. Spaces < 1: no blanks.
std::string IntToBin(uint32_t Value, int Digits, int Spaces);

// 1-based position of HelpWilds in InputStr, '?' matching any character; 0 when absent.
int FindPart(std::string_view HelpWilds, std::string_view InputStr);
// InputStr against a mask of '*' (any run) and '?' (any character).
bool IsWild(std::string_view InputStr, std::string_view Wilds, bool IgnoreCase);

// Byte-wise XOR with the key byte at the same position modulo the key length.
std::string XorString(std::string_view Key, std::string_view Src);
std::string XorEncode(std::string_view Key, std::string_view Source);  // as hexadecimal pairs
// Reverse of XorEncode; a pair that is not hexadecimal counts as 32, a lone last digit is ignored.
std::string XorDecode(std::string_view Key, std::string_view Source);

// The argument after the switch: an argument that starts with one of SwitchChars and whose
// rest equals Switch (ignoring case). Empty when absent or last. Only the arguments after the
// program path are scanned. The first form reads this process's command line (its bytes as
// given); the second takes the arguments as argv does, program path first.
std::string GetCmdLineArg(std::string_view Switch, const TCharSet& SwitchChars);
std::string GetCmdLineArg(std::string_view Switch, const TCharSet& SwitchChars,
                          const std::vector<std::string>& args);

}  // namespace strutils
