#include "controls/dormant/TooleditDrop.h"

#include <optional>

namespace tooledit {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%41" becomes 'A'; a '%' not followed by two hex digits stays as it is.
std::string percentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = hexValue(text[i + 1]), low = hexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out.push_back(char(high * 16 + low));
        i += 2;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

std::string_view trimmed(std::string_view line) {
  const char* blanks = " \t\r";
  const size_t first = line.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const size_t last = line.find_last_not_of(blanks);
  return line.substr(first, last - first + 1);
}

// The encoded path of a local file: URI ("file:///p", "file://localhost/p", "file:/p").
std::optional<std::string_view> localPath(std::string_view uri) {
  if (!startsWithNoCase(uri, "file:")) return std::nullopt;
  std::string_view rest = uri.substr(5);
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && !startsWithNoCase(host, "localhost")) return std::nullopt;
    if (!host.empty() && host.size() != 9) return std::nullopt;
    rest.remove_prefix(slash);
  }
  if (rest.empty() || rest.front() != '/') return std::nullopt;
  // A query or fragment is no part of a file's name.
  return rest.substr(0, rest.find_first_of("?#"));
}

}  // namespace

std::vector<std::string> DroppedFileNames(std::string_view uriList) {
  std::vector<std::string> names;
  while (!uriList.empty()) {
    const size_t end = uriList.find('\n');
    const std::string_view line = trimmed(uriList.substr(0, end));
    uriList.remove_prefix(end == std::string_view::npos ? uriList.size() : end + 1);
    if (line.empty() || line.front() == '#') continue;
    const std::optional<std::string_view> path = localPath(line);
    if (!path) continue;
    std::string name = percentDecoded(*path);
    if (name.empty() || name.find('\0') != std::string::npos) continue;
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace tooledit
