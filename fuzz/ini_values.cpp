// Values as a profile file of the application utilities stores them: any bytes, encoded and set
// into a profile document, serialize to exactly one key line (no line of their own) and read back
// as themselves; any stored text decodes, and a decoded text encodes back to the same reading.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/dormant/ApputilsProfiles.h"
#include "platform/IniDocument.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "ini_values: %s\n", what);
    abort();
  }
}

std::string throughDocument(const std::string& value) {
  platform::IniDocument doc;
  check(doc.set("Section", "Key", apputils::EncodeIniValue(value)), "set refused");
  std::string bytes = doc.serialize();
  size_t lines = 0;
  for (char c : bytes) lines += c == '\n';
  check(lines == 2, "the value made lines of its own");
  platform::IniDocument back = platform::IniDocument::parse(bytes);
  const std::string* stored = back.find("Section", "Key");
  check(stored != nullptr, "the key is gone");
  return apputils::DecodeIniValue(*stored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string value(reinterpret_cast<const char*>(data), size);
  check(throughDocument(value) == value, "a value did not come back");
  std::string decoded = apputils::DecodeIniValue(value);
  check(throughDocument(decoded) == decoded, "a decoded value did not come back");
  return 0;
}
