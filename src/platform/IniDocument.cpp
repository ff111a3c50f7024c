#include "platform/IniDocument.h"

namespace platform {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

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

}  // namespace

// Lines before the first section header form a preamble that no look-up reaches; it always
// exists, so that the first real section of a new file is indexed like any other.
IniDocument::IniDocument() { addSection({}, false); }

IniDocument IniDocument::parse(std::string_view bytes) {
  IniDocument doc;
  doc.eol_ = bytes.find("\r\n") != std::string_view::npos || bytes.find('\n') == std::string_view::npos
                 ? "\r\n"
                 : "\n";
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    std::string_view line = bytes.substr(pos, end == std::string_view::npos ? end : end - pos);
    pos = end == std::string_view::npos ? bytes.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    std::string_view name;
    if (sectionName(line, name)) {
      doc.addSection(name, false).lines.push_back({std::string(line), {}, false});
      continue;
    }
    Section& section = doc.sections_.back();
    section.lines.push_back({std::string(line), {}, false});
    doc.indexLine(section, section.lines.size() - 1);
  }
  return doc;
}

std::string IniDocument::serialize() const {
  std::string out;
  for (const auto& section : sections_)
    for (const auto& line : section.lines) {
      out += line.text;
      out += eol_;
    }
  return out;
}

void IniDocument::indexLine(Section& section, size_t lineIndex) {
  Line& line = section.lines[lineIndex];
  std::string_view text = line.text;
  auto eq = text.find('=');
  std::string_view key = trim(text.substr(0, eq));
  if (eq == std::string_view::npos || key.empty() || key.front() == ';') return;
  line.isKey = true;
  line.value = unquote(trim(text.substr(eq + 1)));
  section.keys.emplace(lower(key), lineIndex);  // the first of duplicate keys wins
}

IniDocument::Section& IniDocument::addSection(std::string_view name, bool withHeader) {
  sections_.emplace_back();
  Section& section = sections_.back();
  if (withHeader) section.lines.push_back({"[" + std::string(name) + "]", {}, false});
  // The preamble (index 0) is not a section that look-ups can reach.
  if (sections_.size() > 1) sectionIndex_.emplace(lower(name), sections_.size() - 1);
  return section;
}

const std::string* IniDocument::find(std::string_view section, std::string_view key) const {
  auto s = sectionIndex_.find(lower(trim(section)));
  if (s == sectionIndex_.end()) return nullptr;
  const Section& sec = sections_[s->second];
  auto k = sec.keys.find(lower(trim(key)));
  return k == sec.keys.end() ? nullptr : &sec.lines[k->second].value;
}

void IniDocument::set(std::string_view sectionName, std::string_view keyName,
                      std::string_view value) {
  sectionName = trim(sectionName);
  keyName = trim(keyName);
  value = value.substr(0, value.find_first_of("\r\n"));

  auto s = sectionIndex_.find(lower(sectionName));
  Section& section = s != sectionIndex_.end() ? sections_[s->second] : addSection(sectionName, true);

  auto k = section.keys.find(lower(keyName));
  if (k != section.keys.end()) {
    Line& line = section.lines[k->second];
    std::string_view oldKey = trim(std::string_view(line.text).substr(0, line.text.find('=')));
    line.text = std::string(oldKey) + "=" + std::string(value);
    line.value = unquote(trim(value));
    return;
  }
  // After the section's last key line (or its header), before any trailing blank lines.
  size_t at = 1;
  for (size_t i = section.lines.size(); i-- > 1;)
    if (!trim(section.lines[i].text).empty()) {
      at = i + 1;
      break;
    }
  if (section.lines.empty()) at = 0;
  section.lines.insert(section.lines.begin() + static_cast<long>(at),
                       {std::string(keyName) + "=" + std::string(value), {}, false});
  // Lines after the insertion point moved one down.
  for (auto& [name, index] : section.keys)
    if (index >= at) ++index;
  indexLine(section, at);
}

}  // namespace platform
