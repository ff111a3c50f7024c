// Any bytes as the URI list of files dropped onto an edit. Checks that every name is a non-empty
// absolute path without a NUL byte, that there are no more names than lines, and that the names,
// percent-encoded again into a list of their own, read back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "controls/dormant/TooleditDrop.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "tooledit_drop: %s\n", what);
    abort();
  }
}

// Every byte outside the unreserved set and '/' as %XX.
std::string encoded(const std::string& name) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out.push_back(char(c));
    } else {
      out.push_back('%');
      out.push_back(hex[c >> 4]);
      out.push_back(hex[c & 15]);
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view list(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> names = tooledit::DroppedFileNames(list);
  size_t lines = 0;
  for (char c : list) lines += c == '\n';
  check(names.size() <= lines + 1, "more names than lines");
  std::string again;
  for (const std::string& name : names) {
    check(!name.empty() && name.front() == '/', "name is no absolute path");
    check(name.find('\0') == std::string::npos, "NUL byte in a name");
    again += "file://" + encoded(name) + "\r\n";
  }
  check(tooledit::DroppedFileNames(again) == names, "names do not read back");
  return 0;
}
