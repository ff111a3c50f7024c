#include "platform/RegistryFormat.h"

#include <optional>

namespace platform {

namespace {

constexpr char kHex[] = "0123456789abcdef";
constexpr char kHexUpper[] = "0123456789ABCDEF";

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool plain(unsigned char c) { return c > 0x20 && c < 0x7F && c != '%' && c != '='; }

void escapeName(const std::string& name, std::string& out) {
  for (unsigned char c : name) {
    if (plain(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHexUpper[c >> 4];
      out += kHexUpper[c & 15];
    }
  }
}

std::optional<std::string> unescapeName(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      if (!plain(static_cast<unsigned char>(text[i]))) return std::nullopt;
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    int hi = hexDigit(text[i + 1]), lo = hexDigit(text[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

std::optional<RegistryBytes> decodeHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  RegistryBytes out;
  out.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    int hi = hexDigit(text[i]), lo = hexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return out;
}

// The next line of `text` from `pos`, without its line end (LF or CRLF).
std::string_view nextLine(std::string_view text, size_t& pos) {
  size_t end = text.find('\n', pos);
  std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
  pos = end == std::string_view::npos ? text.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

RegistryValues RegistryValues::parse(std::string_view text) {
  RegistryValues values;
  size_t pos = 0;
  if (nextLine(text, pos) != kHeader) return values;
  while (pos < text.size()) {
    std::string_view line = nextLine(text, pos);
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    auto name = unescapeName(line.substr(0, eq));
    auto data = decodeHex(line.substr(eq + 1));
    if (name && data) values.set(*name, std::move(*data));
  }
  return values;
}

std::string RegistryValues::serialize() const {
  std::string out(kHeader);
  out += '\n';
  for (const auto& [name, data] : values_) {
    escapeName(name, out);
    out += '=';
    for (uint8_t b : data) {
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
    out += '\n';
  }
  return out;
}

const RegistryBytes* RegistryValues::find(const std::string& name) const {
  for (const auto& [stored, data] : values_)
    if (SameRegistryName(stored, name)) return &data;
  return nullptr;
}

void RegistryValues::set(const std::string& name, RegistryBytes data) {
  for (auto& [stored, old] : values_) {
    if (!SameRegistryName(stored, name)) continue;
    old = std::move(data);
    return;
  }
  values_.emplace_back(name, std::move(data));
}

bool RegistryValues::erase(const std::string& name) {
  for (auto it = values_.begin(); it != values_.end(); ++it) {
    if (!SameRegistryName(it->first, name)) continue;
    values_.erase(it);
    return true;
  }
  return false;
}

std::vector<std::string> RegistryValues::names() const {
  std::vector<std::string> out;
  for (const auto& value : values_) out.push_back(value.first);
  return out;
}

}  // namespace platform
