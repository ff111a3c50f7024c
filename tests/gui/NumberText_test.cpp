#include <gtest/gtest.h>

#include "gui/Cp1251.h"
#include "gui/Exceptions.h"
#include "gui/NumberText.h"

using namespace gui;

TEST(NumberText, FormatFloatPictures) {
  struct Case {
    const char* format;
    double value;
    const char* expected;
  } cases[] = {
      {"0.##", 1.5, "1.5"},          {"0.##", 2, "2"},             {"0.##", -2.25, "-2.25"},
      {"0.##", 0.004, "0"},          {"0.00", 2, "2.00"},          {"000", 7, "007"},
      {",0.##", 1234567.891, "1,234,567.89"},                       {"#,##0.00", 0, "0.00"},
      {"#.##", 0.5, ".5"},           {"#", 0, ""},                 {"0", 2.5, "3"},
      {"0.00;(0.00)", -1.5, "(1.50)"},                              {"0;-0;zero", 0, "zero"},
      {"0;-0;zero", 0.2, "zero"},    {"0.00E+00", 12345, "1.23E+04"},
      {"0.0E-0", 0.00125, "1.3E-3"}, {"\"$\"0", 5, "$5"},         {"0 'pcs'", 12, "12 pcs"},
      {",0.", 1234, "1,234"},        {"", 0.1, "0.1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFloat(c.format, c.value), c.expected) << c.format << " " << c.value;
  }
}

TEST(NumberText, FloatToStrFFormats) {
  struct Case {
    double value;
    TFloatFormat format;
    int precision, digits;
    const char* expected;
  } cases[] = {
      {1.5, ffFixed, 15, 2, "1.50"},        {-1.005, ffFixed, 3, 2, "-1.00"}, {0.125, ffFixed, 15, 2, "0.13"},
      {1234.5, ffNumber, 15, 2, "1,234.50"}, {0.1, ffGeneral, 15, 0, "0.1"},
      {1e20, ffGeneral, 15, 0, "1E20"},      {1e-6, ffGeneral, 15, 0, "1E-6"},
      {0.00001, ffGeneral, 15, 0, "0.00001"},   {0.0001, ffGeneral, 15, 0, "0.0001"},
      {123456, ffGeneral, 3, 0, "1.23E5"},   {100, ffExponent, 4, 2, "1.000E+02"},
      {-0.5, ffExponent, 2, 0, "-5.0E-1"},   {1e18, ffFixed, 15, 2, "1E18"},
      {0.0, ffFixed, 15, 2, "0.00"},         {-0.001, ffFixed, 15, 2, "0.00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.expected) << c.value;
  }
  EXPECT_EQ(FloatToStr(2.5), "2.5");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FloatToStr(-0.0), "0");
}

TEST(NumberText, StrToFloatTakesOnlyAPointAndRejectsTheRest) {
  struct Good {
    const char* text;
    double value;
  } good[] = {{" 1.5 ", 1.5}, {"1e3", 1000}, {"-.5", -0.5}, {"+2", 2}, {"3.", 3}, {"1E-2", 0.01}, {"1e-999", 0}};
  for (const Good& g : good) EXPECT_DOUBLE_EQ(StrToFloat(g.text), g.value) << g.text;
  for (const char* bad : {"1,5", "", " ", "abc", "1e", "1.2.3", "inf", "nan", "0x10", "1e999"}) {
    try {
      StrToFloat(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid floating point value");
    }
  }
}

TEST(NumberText, StrToIntTakesDecimalAndHexadecimal) {
  struct Good {
    const char* text;
    int value;
  } good[] = {{"42", 42},     {" -12 ", -12},   {"$FF", 255},          {"0x10", 16},
              {"-2147483648", -2147483647 - 1},  {"$80000005", -2147483643}, {"+7", 7}};
  for (const Good& g : good) EXPECT_EQ(StrToInt(g.text), g.value) << g.text;
  for (const char* bad : {"2147483648", "4x", "", "$", "0x", "$100000000", "1.0"}) {
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    EXPECT_EQ(StrToIntDef(bad, -9), -9);
  }
  try {
    StrToInt("4x");
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'4x' is not a valid integer value");
  }
  EXPECT_EQ(IntToStr(-5), "-5");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(char(b));
  EXPECT_EQ(ToCp1251(FromCp1251(all)), all);
  EXPECT_EQ(FromCp1251("\xC0\xFF\xA8\xB8\xB9"), QString::fromUtf8("АяЁё№"));
  EXPECT_EQ(ToCp1251(QString::fromUtf8("Канал €1 中")), "\xCA\xE0\xED\xE0\xEB \x88" "1 ?");
  EXPECT_EQ(AnsiUpperCase("\xEA\xE0\xED\xE0\xEB abc"), "\xCA\xC0\xCD\xC0\xCB ABC");
  EXPECT_EQ(AnsiCompareText("\xCA\xE0\xED\xE0\xEB", "\xEA\xC0\xCD\xC0\xCB"), 0);
}
