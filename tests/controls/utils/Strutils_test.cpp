// Tests of the string routines: replacing, trimming, words, padding, case and code pages of
// Windows-1251 text, number texts and wildcards.
#include "controls/utils/Strutils.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace strutils;

namespace {

// "привет мир" / "Привет Мир" in Windows-1251.
const std::string kLowerRussian = "\xEF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0";
const std::string kProperRussian = "\xCF\xF0\xE8\xE2\xE5\xF2 \xCC\xE8\xF0";

TEST(StrutilsTest, ReplaceStrDoesNotRescanInsertedText) {
  struct Case { const char* s; const char* srch; const char* repl; const char* want; };
  const Case cases[] = {
      {"aaa", "a", "aa", "aaaaaa"},   // would loop for ever if the insertion were scanned
      {"aaaa", "aa", "b", "bb"},      // matches do not overlap
      {"abc", "", "x", "abc"},        // empty search text: unchanged
      {"abcabc", "bc", "", "aa"},
      {"abc", "x", "y", "abc"},
      {"", "a", "b", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReplaceStr(c.s, c.srch, c.repl), c.want) << c.s << " / " << c.srch;
}

TEST(StrutilsTest, BlankHandlingTouchesCharacter32Only) {
  EXPECT_TRUE(IsEmptyStr("", ""));
  EXPECT_TRUE(IsEmptyStr("", " "));
  EXPECT_TRUE(IsEmptyStr(" ./ ", " ./"));
  EXPECT_FALSE(IsEmptyStr(" 1 ", " "));

  EXPECT_EQ(DelRSpace("   "), "");
  EXPECT_EQ(DelBSpace("  a b  "), "a b  ");
  EXPECT_EQ(DelESpace("  a b  "), "  a b");
  EXPECT_EQ(DelRSpace("\t a \t"), "\t a \t");  // a tab is no blank
  EXPECT_EQ(DelSpace(" a b "), "ab");
  EXPECT_EQ(DelSpace1("a   b  c "), "a b c ");
  EXPECT_EQ(DelChars("a.b.c", '.'), "abc");
  EXPECT_EQ(Tab2Space("a\tb", 3), "a   b");
}

TEST(StrutilsTest, MakeStrAndPadding) {
  EXPECT_EQ(MakeStr('x', 0), "");
  EXPECT_EQ(MakeStr('x', -3), "");
  EXPECT_EQ(MakeStr('0', 2), "00");
  EXPECT_EQ(MS('-', 3), "---");

  EXPECT_EQ(AddChar('0', "42", 5), "00042");
  EXPECT_EQ(AddCharR('.', "42", 4), "42..");
  EXPECT_EQ(AddChar('0', "12345", 3), "12345");  // never cut
  EXPECT_EQ(LeftStr("ab", 4), "ab  ");
  EXPECT_EQ(RightStr("ab", 4), "  ab");
  EXPECT_EQ(CenterStr("ab", 7), "  ab   ");
  EXPECT_EQ(CenterStr("abcdef", 3), "abcdef");
}

TEST(StrutilsTest, CaseTableCoversCyrillic) {
  EXPECT_EQ(AnsiProperCase(kLowerRussian, " "), kProperRussian);
  EXPECT_EQ(AnsiProperCase("hELLO wORLD-x", " -"), "Hello World-X");
  EXPECT_EQ(lowerCase1251(upperCase1251(kLowerRussian)), kLowerRussian);
  struct Pair { unsigned char upper, lower; };
  const Pair pairs[] = {{0xC0, 0xE0}, {0xDF, 0xFF}, {0xA8, 0xB8}, {0xB2, 0xB3},
                        {0xA5, 0xB4}, {0x80, 0x90}, {0x81, 0x83}, {'Q', 'q'}};
  for (const Pair& p : pairs) {
    const char upper = static_cast<char>(p.upper), lower = static_cast<char>(p.lower);
    EXPECT_EQ(upperCase1251(lower), upper) << int(p.lower);
    EXPECT_EQ(lowerCase1251(upper), lower) << int(p.upper);
  }
  // Signs are left alone: № and the micro sign have no other case.
  EXPECT_EQ(upperCase1251('\xB9'), '\xB9');
  EXPECT_EQ(upperCase1251('\xB5'), '\xB5');
}

TEST(StrutilsTest, ComparisonOrder) {
  struct Case { std::string a, b; int str, text; };
  const Case cases[] = {
      {"abc", "abd", -1, -1},
      {"abc", "ABC", -1, 0},           // lower case first, equal ignoring case
      {"ab", "abc", -1, -1},
      {"-", "0", -1, -1},              // punctuation before digits
      {"9", "a", -1, -1},              // digits before letters
      {"z", "\xE0", -1, -1},           // Latin before Cyrillic
      {"\xC5", "\xA8", -1, -1},        // Е before Ё
      {"\xA8", "\xC6", -1, -1},        // Ё before Ж
      {"\xB8", "\xA8", -1, 0},         // ё and Ё
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompStr(c.a, c.b), c.str) << c.a << " / " << c.b;
    EXPECT_EQ(CompStr(c.b, c.a), -c.str) << c.b << " / " << c.a;
    EXPECT_EQ(CompText(c.a, c.b), c.text) << c.a << " / " << c.b;
  }
}

TEST(StrutilsTest, WordsAndFields) {
  const std::string s = "  one, two,,three ";
  const TCharSet delims(" ,");
  EXPECT_EQ(WordCount(s, delims), 3);
  EXPECT_EQ(WordPosition(2, s, delims), 8);
  EXPECT_EQ(WordPosition(4, s, delims), 0);
  EXPECT_EQ(ExtractWord(3, s, delims), "three");
  EXPECT_EQ(ExtractWord(0, s, delims), "");
  int pos = -1;
  EXPECT_EQ(ExtractWordPos(1, s, delims, pos), "one");
  EXPECT_EQ(pos, 3);
  EXPECT_TRUE(IsWordPresent("two", s, delims));
  EXPECT_FALSE(IsWordPresent("tw", s, delims));
  EXPECT_EQ(WordCount("", delims), 0);

  const std::vector<std::string> fields = {"a", "", "b", ""};
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(ExtractDelimited(n, "a,,b", ","), fields[n - 1]) << n;

  std::vector<std::string> parts;
  for (int p = 1; p <= 6;) parts.push_back(ExtractSubstr("a;b;;c", p, ";"));
  EXPECT_EQ(parts, (std::vector<std::string>{"a", "b", "", "c"}));
}

TEST(StrutilsTest, CopyToSymbolAndPositions) {
  std::string s = "key, value";
  EXPECT_EQ(Copy2SymbDel(s, ','), "key");
  EXPECT_EQ(s, ", value");  // the delimiter stays
  s = "first   second";
  EXPECT_EQ(Copy2SpaceDel(s), "first");
  EXPECT_EQ(s, "second");   // a blank delimiter goes with the blanks
  EXPECT_EQ(Copy2Symb("abc", ';'), "abc");
  EXPECT_EQ(Copy2Space("ab cd"), "ab");

  EXPECT_EQ(NPos("aa", "aaaa", 2), 2);
  EXPECT_EQ(NPos("b", "abcabc", 2), 5);
  EXPECT_EQ(NPos("b", "abcabc", 3), 0);
  EXPECT_EQ(FindPart("b?d", "abcde"), 2);
  EXPECT_EQ(FindPart("b?x", "abcde"), 0);
}

TEST(StrutilsTest, QuotingRoundTrip) {
  EXPECT_EQ(QuotedString("it's", '\''), "'it''s'");
  EXPECT_EQ(ExtractQuotedString("'it''s'", '\''), "it's");
  EXPECT_EQ(ExtractQuotedString("'a' tail", '\''), "a");
  EXPECT_EQ(ExtractQuotedString("plain", '\''), "plain");
  EXPECT_EQ(ExtractQuotedString("'open", '\''), "open");
}

TEST(StrutilsTest, NumberTexts) {
  EXPECT_EQ(Numb2USA("1234567"), "1,234,567");
  EXPECT_EQ(Numb2USA("123"), "123");
  EXPECT_EQ(Numb2USA("-1234"), "-1,234");

  EXPECT_EQ(Dec2Hex(255, 4), "00FF");
  EXPECT_EQ(D2H(-1, 0), "FFFFFFFF");
  EXPECT_EQ(Hex2Dec("$ff"), 255);
  EXPECT_EQ(H2D("FFFFFFFF"), -1);
  EXPECT_EQ(Hex2Dec("100000000"), 0);  // more than 32 bits
  EXPECT_EQ(Hex2Dec("12G"), 0);
  EXPECT_EQ(Hex2Dec(""), 0);

  EXPECT_EQ(Dec2Numb(5, 8, 2), "00000101");
  EXPECT_EQ(Dec2Numb(35, 0, 36), "Z");
  for (int base = 2; base <= 36; ++base)
    for (int32_t v : {0, 1, 35, 1000, 123456789, -1})
      EXPECT_EQ(Numb2Dec(Dec2Numb(v, 0, base), base), v) << v << " in base " << base;
  EXPECT_EQ(Numb2Dec("z", 36), 35);
  EXPECT_EQ(Numb2Dec("2", 2), 0);  // no digit of base 2
}

TEST(StrutilsTest, BaseOutsideRangeThrows) {
  for (int base : {-1, 0, 1, 37}) {
    EXPECT_THROW(Dec2Numb(10, 0, base), std::invalid_argument) << base;
    EXPECT_THROW(Numb2Dec("10", base), std::invalid_argument) << base;
  }
}

TEST(StrutilsTest, RomanNumeralsAndBits) {
  struct Case { int32_t n; const char* roman; };
  const Case cases[] = {{1994, "MCMXCIV"}, {4, "IV"}, {3999, "MMMCMXCIX"}, {-9, "-IX"}, {0, ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(IntToRoman(c.n), c.roman);
    EXPECT_EQ(RomanToInt(c.roman), c.n) << c.roman;
  }
  EXPECT_EQ(RomanToInt("mcmxciv"), 1994);
  EXPECT_EQ(RomanToInt("XIZ"), 0);

  EXPECT_EQ(IntToBin(5, 8, 4), " 0000 0101");
  EXPECT_EQ(IntToBin(5, 6, 4), "00 0101");
  EXPECT_EQ(IntToBin(5, 3, 0), "101");
  EXPECT_EQ(IntToBin(0xFFFFFFFFu, 40, 0), std::string(32, '1'));
}

TEST(StrutilsTest, WildcardMatching) {
  struct Case { const char* input; const char* mask; bool ignoreCase; bool want; };
  const Case cases[] = {
      {"hello.txt", "*.txt", false, true},
      {"HELLO.TXT", "*.txt", true, true},
      {"HELLO.TXT", "*.txt", false, false},
      {"abc", "a?c", false, true},
      {"abc", "a*b*c*", false, true},
      {"abc", "a?", false, false},
      {"", "*", false, true},
      {"a", "", false, false},
      {"\xCF\xF0\xE8\xE2\xE5\xF2", "\xEF*\xF2", true, true},  // Привет against п*т
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsWild(c.input, c.mask, c.ignoreCase), c.want) << c.input << " ~ " << c.mask;
  // Many stars against a long non-matching text must finish (no exponential backtracking).
  EXPECT_FALSE(IsWild(std::string(5000, 'a'), "*a*a*a*a*a*a*a*a*b", false));
}

TEST(StrutilsTest, XorCoding) {
  const std::string key = "k3y";
  const std::string text = "Secret \xCF\xF0\xE8";
  EXPECT_EQ(XorString(key, XorString(key, text)), text);
  EXPECT_EQ(XorString("", text), text);
  EXPECT_EQ(XorEncode("", "AB"), "4142");
  EXPECT_EQ(XorDecode(key, XorEncode(key, text)), text);
  EXPECT_EQ(XorDecode("", "ZZ41"), " A");  // a bad pair reads as 32
  EXPECT_EQ(XorDecode("", "414"), "A");    // a lone last digit is no pair
}

TEST(StrutilsTest, CodePage866) {
  // А Я а я Ё ё №
  const std::string ansi = "\xC0\xDF\xE0\xFF\xA8\xB8\xB9";
  EXPECT_EQ(StrToOem(ansi), "\x80\x9F\xA0\xEF\xF0\xF1\xFC");
  EXPECT_EQ(OemToAnsiStr(StrToOem(ansi)), ansi);
  EXPECT_EQ(StrToOem("abc"), "abc");
  EXPECT_EQ(OemToAnsiStr("\xC4"), "?");  // a box-drawing line has no Windows-1251 character
}

TEST(StrutilsTest, CommandLineArgument) {
  const std::vector<std::string> args = {"-f", "/path/vyx", "-F", "file", "/X", "y", "-last"};
  EXPECT_EQ(GetCmdLineArg("f", "-/", args), "file");  // the program path is never a switch
  EXPECT_EQ(GetCmdLineArg("x", "-/", args), "y");
  EXPECT_EQ(GetCmdLineArg("last", "-", args), "");
  EXPECT_EQ(GetCmdLineArg("X", "-", args), "");       // '/' is not a switch character here
}

}  // namespace
