#include "platform/IniDocument.h"

#include <algorithm>
#include <functional>

namespace platform {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The blanks that reads trim from names and values. Bytes from 0x80 up are letters of
// Windows-1251 and never blanks.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

// "[name]" -> name; false when the line is no section header.
bool sectionName(std::string_view line, std::string_view& name) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return false;
  auto close = line.find(']');
  name = trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  return true;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// A key that would not read back as itself: it would end up a section header, a comment, part of
// the value or a line of its own.
bool storableKey(std::string_view key) {
  return !key.empty() && key.front() != ';' && key.front() != '[' &&
         key.find('=') == std::string_view::npos && !hasLineBreak(key);
}

bool storableSection(std::string_view section) {
  return section.find(']') == std::string_view::npos && !hasLineBreak(section);
}

}  // namespace

// The standard hash of the lower-cased name; names past 64 bytes hash by their first 64.
size_t IniDocument::NameHash::operator()(std::string_view name) const {
  char folded[64];
  size_t n = std::min(name.size(), sizeof folded);
  for (size_t i = 0; i < n; ++i) folded[i] = lower(name[i]);
  return std::hash<std::string_view>()(std::string_view(folded, n));
}

bool IniDocument::NameEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

IniDocument::IniDocument() { addSection({}, false); }

IniDocument IniDocument::parse(std::string_view bytes) {
  IniDocument doc;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    doc.byteOrderMark_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  bool firstEnd = true;
  size_t pos = 0;
  while (pos < bytes.size()) {
    Line line;
    std::string_view text = nextLine(bytes, pos, line.end);
    if (firstEnd && line.end != LineEnd::kNone) {
      doc.newLineEnd_ = line.end;
      firstEnd = false;
    }
    line.text = std::string(text);

    std::string_view name;
    if (sectionName(text, name)) {
      doc.addSection(name, false).lines.push_back(std::move(line));
      continue;
    }
    Section& section = doc.sections_.back();
    section.lines.push_back(std::move(line));
    doc.indexLine(section, section.lines.size() - 1);
  }
  return doc;
}

// The line that starts at `pos`, without its line end; moves `pos` past the line end.
std::string_view IniDocument::nextLine(std::string_view bytes, size_t& pos, LineEnd& end) {
  size_t stop = pos;
  while (stop < bytes.size() && bytes[stop] != '\n' && bytes[stop] != '\r') ++stop;
  std::string_view text = bytes.substr(pos, stop - pos);
  if (stop == bytes.size()) {
    end = LineEnd::kNone;
    pos = bytes.size();
  } else if (bytes[stop] == '\n') {
    end = LineEnd::kLf;
    pos = stop + 1;
  } else if (stop + 1 < bytes.size() && bytes[stop + 1] == '\n') {
    end = LineEnd::kCrLf;
    pos = stop + 2;
  } else {
    end = LineEnd::kCr;
    pos = stop + 1;
  }
  return text;
}

std::string IniDocument::serialize() const {
  size_t total = 0;
  for (const auto& section : sections_)
    for (const auto& line : section.lines) total += line.text.size() + 2;
  std::string out;
  out.reserve(total + kByteOrderMark.size());
  if (byteOrderMark_) out += kByteOrderMark;

  const Line* last = nullptr;
  for (auto s = sections_.rbegin(); s != sections_.rend() && !last; ++s)
    if (!s->lines.empty()) last = &s->lines.back();
  for (const auto& section : sections_)
    for (const auto& line : section.lines) {
      out += line.text;
      // A last line without a line end stays so; an earlier one got lines after it.
      LineEnd end = line.end == LineEnd::kNone && &line != last ? newLineEnd_ : line.end;
      if (end == LineEnd::kCrLf) out += "\r\n";
      if (end == LineEnd::kLf) out += '\n';
      if (end == LineEnd::kCr) out += '\r';
    }
  return out;
}

void IniDocument::indexLine(Section& section, size_t lineIndex) {
  Line& line = section.lines[lineIndex];
  std::string_view text = line.text;
  auto eq = text.find('=');
  if (eq == std::string_view::npos) return;
  std::string_view key = trim(text.substr(0, eq));
  if (key.empty() || key.front() == ';') return;
  line.value = unquote(trim(text.substr(eq + 1)));
  section.keys.emplace(key, lineIndex);  // the first of duplicate keys wins
}

IniDocument::Section& IniDocument::addSection(std::string_view name, bool withHeader) {
  sections_.emplace_back();
  Section& section = sections_.back();
  if (withHeader) section.lines.push_back({"[" + std::string(name) + "]", {}, newLineEnd_});
  // The preamble (index 0) is not a section that look-ups can reach.
  if (sections_.size() > 1) sectionIndex_.emplace(name, sections_.size() - 1);
  return section;
}

const std::string* IniDocument::find(std::string_view section, std::string_view key) const {
  auto s = sectionIndex_.find(trim(section));
  if (s == sectionIndex_.end()) return nullptr;
  const Section& sec = sections_[s->second];
  auto k = sec.keys.find(trim(key));
  return k == sec.keys.end() ? nullptr : &sec.lines[k->second].value;
}

bool IniDocument::storable(std::string_view section, std::string_view key) {
  return storableSection(trim(section)) && storableKey(trim(key));
}

bool IniDocument::set(std::string_view sectionName, std::string_view keyName,
                      std::string_view value) {
  if (!storable(sectionName, keyName)) return false;
  sectionName = trim(sectionName);
  keyName = trim(keyName);
  value = value.substr(0, value.find_first_of("\r\n"));

  auto s = sectionIndex_.find(sectionName);
  Section& section = s != sectionIndex_.end() ? sections_[s->second] : addSection(sectionName, true);

  auto k = section.keys.find(keyName);
  if (k != section.keys.end()) {
    Line& line = section.lines[k->second];
    std::string_view oldKey = trim(std::string_view(line.text).substr(0, line.text.find('=')));
    line.text = std::string(oldKey) + "=" + std::string(value);
    line.value = unquote(trim(value));
    return true;
  }
  insertLine(section, std::string(keyName) + "=" + std::string(value));
  return true;
}

// Puts a new key line after the section's last non-blank line, before any trailing blank lines.
void IniDocument::insertLine(Section& section, std::string text) {
  size_t at = 1;
  for (size_t i = section.lines.size(); i-- > 1;)
    if (!trim(section.lines[i].text).empty()) {
      at = i + 1;
      break;
    }
  section.lines.insert(section.lines.begin() + static_cast<std::ptrdiff_t>(at),
                       {std::move(text), {}, newLineEnd_});
  // Lines after the insertion point moved one down.
  for (auto& [name, index] : section.keys)
    if (index >= at) ++index;
  indexLine(section, at);
}

bool IniDocument::erase(std::string_view sectionName, std::string_view keyName) {
  auto s = sectionIndex_.find(trim(sectionName));
  if (s == sectionIndex_.end()) return false;
  Section& section = sections_[s->second];
  auto k = section.keys.find(trim(keyName));
  if (k == section.keys.end()) return false;
  section.lines.erase(section.lines.begin() + static_cast<std::ptrdiff_t>(k->second));
  reindexKeys(section);
  return true;
}

bool IniDocument::eraseSection(std::string_view sectionName) {
  auto s = sectionIndex_.find(trim(sectionName));
  if (s == sectionIndex_.end()) return false;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(s->second));
  reindexSections();
  return true;
}

std::vector<std::string> IniDocument::sectionNames() const {
  std::vector<std::string> names;
  for (size_t i = 1; i < sections_.size(); ++i) {
    std::string_view name;
    sectionName(sections_[i].lines.front().text, name);
    auto first = sectionIndex_.find(name);
    if (first != sectionIndex_.end() && first->second == i) names.emplace_back(name);
  }
  return names;
}

// Builds a section's key index again after lines went away; the first of duplicates wins.
void IniDocument::reindexKeys(Section& section) {
  section.keys.clear();
  for (size_t i = 0; i < section.lines.size(); ++i)
    if (i > 0 || &section == &sections_.front()) indexLine(section, i);
}

// Builds the section index again after a section went away; the first of duplicates wins.
void IniDocument::reindexSections() {
  sectionIndex_.clear();
  for (size_t i = 1; i < sections_.size(); ++i) {
    std::string_view name;
    sectionName(sections_[i].lines.front().text, name);
    sectionIndex_.emplace(name, i);
  }
}

}  // namespace platform
