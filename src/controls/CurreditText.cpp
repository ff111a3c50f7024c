// Number texts of the numeric edits: the regional separators, reading a text as a number,
// thousand groups, the display format with the regional thousand separator, and the currency
// edit with its format.
#include <cmath>
#include <cstring>
#include <vector>

#include "controls/Curredit.h"
#include "controls/utils/Dateutil.h"
#include "controls/utils/Strutils.h"
#include "gui/NumberText.h"

using namespace gui;

namespace curredit {

char DecimalSeparator() { return rxcalc::kDecimalSeparator; }

char ThousandSeparator() { return dateutil::CurrentFormatSettings().thousandSeparator; }

bool GroupingAllowed() { return ThousandSeparator() != DecimalSeparator(); }

namespace {

std::string replaced(std::string text, char from, char to) {
  for (char& c : text) {
    if (c == from) c = to;
  }
  return text;
}

}  // namespace

std::string TextToValText(const std::string& text) {
  const char decimal = DecimalSeparator(), thousand = ThousandSeparator();
  std::string s = strutils::DelRSpace(text);
  if (decimal != thousand) s = strutils::DelChars(s, thousand);
  for (char other : {'.', ','}) {
    if (other != decimal && other != thousand) s = replaced(s, other, decimal);
  }
  if (s.empty()) return "0";
  if (s == "-") return "-0";
  return s;
}

// The whole text is read: a number hidden behind a long run of digits is no number.
bool ParseNumberText(const std::string& text, double* value) {
  const char decimal = DecimalSeparator();
  for (char c : text) {
    bool allowed = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'E' || c == 'e' ||
                   c == decimal;
    if (!allowed) return false;
  }
  double number = 0;
  if (!TryStrToFloat(text, number)) return false;
  if (value) *value = number;
  return true;
}

std::string InsertThousandSeparators(const std::string& text, bool thousands) {
  size_t start = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  const char marks[] = {DecimalSeparator(), 'E', 'e', 0};
  size_t end = text.find_first_of(marks, start);
  if (end == std::string::npos) end = text.size();
  std::string digits = text.substr(start, end - start);
  std::string result = text.substr(0, start);
  for (size_t i = 0; i < digits.size(); ++i) {
    if (thousands && i > 0 && (digits.size() - i) % 3 == 0) result += ThousandSeparator();
    result += digits[i];
  }
  return result + text.substr(end);
}

// FormatFloat writes ',' for thousand groups. Quoted literals are set aside first (each stands
// in the picture as one control character), so that only the groups take the regional
// separator.
std::string FormatNumber(const std::string& format, double value) {
  const char separator = ThousandSeparator();
  const bool grouping = GroupingAllowed();
  if (separator == ',' && grouping) return FormatFloat(format, value);
  std::vector<std::string> literals;
  std::string picture;
  for (size_t i = 0; i < format.size();) {
    char c = format[i];
    if ((c != '"' && c != '\'') || literals.size() >= 31) {
      picture += c;
      ++i;
      continue;
    }
    size_t end = format.find(c, i + 1);
    if (end == std::string::npos) end = format.size();
    literals.push_back(format.substr(i + 1, end - i - 1));
    picture += std::string("'") + char(literals.size()) + "'";
    i = end + 1;
  }
  std::string out;
  for (char c : FormatFloat(picture, value)) {
    if (c == ',') {
      if (grouping) out += separator;
    } else if (c > 0 && size_t(c) <= literals.size()) {
      out += literals[size_t(c) - 1];
    } else {
      out += c;
    }
  }
  return out;
}

// --- the currency edit ------------------------------------------------------------------------

TCurrencyEdit::TCurrencyEdit(QWidget* parent) : TCustomNumEdit(parent) {
  SetButtonWidth(0);
  SetDisplayFormat(DefaultDisplayFormat());
}

// ",0.00" with the currency symbol where the regional format puts it, for both signs; a ',' or
// '.' in the symbol is quoted.
std::string TCurrencyEdit::DefaultDisplayFormat() const {
  const dateutil::FormatSettings& fs = dateutil::CurrentFormatSettings();
  std::string result = ",0." + strutils::MakeStr('0', fs.currencyDecimals);
  std::string currency;
  for (char c : fs.currencyString) {
    if (c == ',' || c == '.') currency += std::string("'") + c + "'";
    else currency += c;
  }
  if (!currency.empty()) {
    switch (fs.currencyFormat) {
      case 0: result = currency + result; break;
      case 1: result = result + currency; break;
      case 2: result = currency + " " + result; break;
      case 3: result = result + " " + currency; break;
      default: break;
    }
  }
  return result + ";-" + result;
}

}  // namespace curredit
