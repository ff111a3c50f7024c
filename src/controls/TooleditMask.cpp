// TCustomMaskEdit: mask translation, text with blank places, properties and events.
#include "controls/TooleditMask.h"

#include <cstring>

#include <algorithm>

#include "controls/utils/Dateutil.h"
#include "gui/Cp1251.h"

using namespace gui;

namespace tooledit {

namespace {

// Letters that mean something in a Qt input mask and must be escaped to stand for themselves.
bool qtMaskLetter(char c) { return c != 0 && std::strchr("AaNnXx90Dd#HhBb><!{}[];\\", c); }

void appendLiteral(std::string& out, char c) {
  if (qtMaskLetter(c)) out += '\\';
  out += c;
}

// One character of a class library mask in Qt's letters; false for a literal.
bool translated(char c, std::string& out) {
  switch (c) {
    case '0': out += '9'; return true;   // digit, required
    case '9': out += '0'; return true;   // digit, optional
    case '#': out += '#'; return true;   // digit or sign, optional
    case 'L': out += 'A'; return true;   // letter, required
    case 'l': out += 'a'; return true;   // letter, optional
    case 'A': out += 'N'; return true;   // letter or digit, required
    case 'a': out += 'n'; return true;   // letter or digit, optional
    case 'C': out += 'X'; return true;   // any character, required
    case 'c': out += 'x'; return true;   // any character, optional
    case '>': out += '>'; return true;
    case '<': out += '<'; return true;
    default: return false;
  }
}

}  // namespace

// The mask runs to its first ';' that is not escaped; then come the save flag and the blank.
TEditMaskParts SplitEditMask(const std::string& editMask) {
  TEditMaskParts parts;
  size_t end = 0;
  while (end < editMask.size() && editMask[end] != ';') end += editMask[end] == '\\' ? 2 : 1;
  parts.mask = editMask.substr(0, std::min(end, editMask.size()));
  if (end + 1 < editMask.size()) parts.saveLiterals = editMask[end + 1] != '0';
  if (end + 3 < editMask.size() && editMask[end + 2] == ';') parts.blank = editMask[end + 3];
  return parts;
}

std::string MaskToQt(const std::string& editMask, char dateSeparator, char timeSeparator) {
  TEditMaskParts parts = SplitEditMask(editMask);
  std::string out;
  const std::string& m = parts.mask;
  for (size_t i = 0; i < m.size(); ++i) {
    char c = m[i];
    if (c == '\\' && i + 1 < m.size()) {
      appendLiteral(out, m[++i]);
    } else if (c == '<' && i + 1 < m.size() && m[i + 1] == '>') {
      out += '!';  // case conversion off
      ++i;
    } else if (c == '!') {
      // Leading blanks for optional places: Qt keeps every place where the mask puts it.
    } else if (c == '/') {
      appendLiteral(out, dateSeparator);
    } else if (c == ':') {
      appendLiteral(out, timeSeparator);
    } else if (c == '_') {
      out += ' ';
    } else if (!translated(c, out)) {
      appendLiteral(out, c);
    }
  }
  if (out.empty()) return out;
  return out + ';' + parts.blank;
}

// --- TCustomMaskEdit --------------------------------------------------------------------------

void TCustomMaskEdit::SetEditMask(const std::string& mask) {
  if (mask == editMask_) return;
  editMask_ = mask;
  const dateutil::FormatSettings& fs = dateutil::CurrentFormatSettings();
  setInputMask(FromCp1251(MaskToQt(mask, fs.dateSeparator, fs.timeSeparator)));
}

std::string TCustomMaskEdit::EditText() const { return ToCp1251(displayText()); }

std::string TCustomMaskEdit::Text() const {
  if (!IsMasked()) return ToCp1251(text());
  TEditMaskParts parts = SplitEditMask(editMask_);
  std::string shown = EditText();
  if (!parts.saveLiterals) return ToCp1251(text());
  for (char& c : shown) {
    if (c == parts.blank) c = ' ';
  }
  return shown;
}

void TCustomMaskEdit::SetText(const std::string& text) {
  QString value = FromCp1251(text);
  if (IsMasked() ? value != displayText() : value != this->text()) setText(value);
}

void TCustomMaskEdit::EndReading() {
  loading_ = false;
  Loaded();
}

}  // namespace tooledit
