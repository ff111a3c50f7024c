#include "controls/VclutilsText.h"

#include <QApplication>
#include <QFontMetrics>


#include "gui/Cp1251.h"

namespace vclutils {

namespace {

constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = 52;
constexpr const char* kEllipsis = "...";

// The average character width and the height of the application font; without a GUI
// application, the classic system font's 8 x 16.
gui::TPoint dialogBaseUnits() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {8, 16};
  QFontMetrics metrics(QGuiApplication::font());
  return {metrics.horizontalAdvance(QLatin1String(kAlphabet)) / kAlphabetLength,
          metrics.height()};
}

bool isSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The command-line tokenizer of the class library: skips separators and doubled quotes before a
// token, then reads up to the next separator outside quotes, leaving the quotes out.
class CommandLineTokens {
public:
  explicit CommandLineTokens(const std::string& line) : line_(line.substr(0, line.find('\0'))) {}

  bool next(std::string& token) {
    for (;;) {
      while (at_ < line_.size() && isSeparator(line_[at_])) ++at_;
      if (line_.compare(at_, 2, "\"\"") == 0) at_ += 2;
      else break;
    }
    if (at_ >= line_.size()) return false;
    token.clear();
    while (at_ < line_.size() && !isSeparator(line_[at_])) {
      if (line_[at_] != '"') {
        token += line_[at_++];
        continue;
      }
      ++at_;
      while (at_ < line_.size() && line_[at_] != '"') token += line_[at_++];
      if (at_ < line_.size()) ++at_;
    }
    return true;
  }

private:
  std::string line_;
  size_t at_ = 0;
};

}  // namespace

std::string MinimizeText(const std::string& Text, const gui::TCanvas& Canvas, int MaxWidth) {
  std::string result = Text;
  size_t length = Text.size();
  for (size_t i = 1; i <= length && Canvas.TextWidth(result) > MaxWidth;) {
    ++i;
    result = Text.substr(0, length > i ? length - i : 0) + kEllipsis;
  }
  return result;
}

gui::TPoint GetAveCharSize(const gui::TCanvas& Canvas) {
  gui::TSize size = Canvas.TextExtent(kAlphabet);
  return {size.cx / kAlphabetLength, size.cy};
}

int DialogUnitsToPixelsX(int DlgUnits) { return DlgUnits * dialogBaseUnits().X / 4; }

int DialogUnitsToPixelsY(int DlgUnits) { return DlgUnits * dialogBaseUnits().Y / 8; }

int PixelsToDialogUnitsX(int PixUnits) {
  int base = dialogBaseUnits().X;
  return base > 0 ? PixUnits * 4 / base : 0;
}

int PixelsToDialogUnitsY(int PixUnits) {
  int base = dialogBaseUnits().Y;
  return base > 0 ? PixUnits * 8 / base : 0;
}

void SplitCommandLine(const std::string& CmdLine, std::string& ExeName, std::string& Params) {
  CommandLineTokens tokens(CmdLine);
  ExeName.clear();
  Params.clear();
  std::string token;
  if (!tokens.next(token)) return;
  ExeName = token;
  while (tokens.next(token)) {
    if (!Params.empty()) Params += ' ';
    if (token.find(' ') != std::string::npos) Params += '"' + token + '"';
    else Params += token;
  }
}

std::string AnsiUpperFirstChar(const std::string& S) {
  if (S.empty()) return S;
  return gui::AnsiUpperCase(S.substr(0, 1)) + S.substr(1);
}

std::string DropT(const std::string& S) {
  if (S.size() > 1 && (S[0] == 'T' || S[0] == 't')) return S.substr(1);
  return S;
}

}  // namespace vclutils
