#include "recording/FileNumbering.h"

#include <filesystem>

namespace {

// Where the file's own name starts.
size_t nameStart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// Where the extension starts: the end when there is none.
size_t extensionStart(const std::string& path) {
  const size_t start = nameStart(path);
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= start) return path.size();
  return dot;
}

size_t digitsStart(const std::string& path) {
  const size_t start = nameStart(path);
  size_t i = extensionStart(path);
  while (i > start && path[i - 1] >= '0' && path[i - 1] <= '9') --i;
  return i;
}

// Decimal text plus one, any length.
std::string plusOne(std::string digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return digits;
    }
    digits[i] = '0';
  }
  return "1" + digits;
}

}  // namespace

std::string GetFileExtension(const std::string& path) {
  return path.substr(extensionStart(path));
}

std::string GetFileNumber(const std::string& path) {
  const size_t from = digitsStart(path);
  std::string digits = path.substr(from, extensionStart(path) - from);
  const size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return digits.empty() ? "" : "0";
  return digits.substr(first);
}

std::string GetFileBaseName(const std::string& path) { return path.substr(0, digitsStart(path)); }

void IncrementFileName(std::string& path) {
  const std::string number = GetFileNumber(path);
  path = GetFileBaseName(path) + plusOne(number.empty() ? "0" : number) + GetFileExtension(path);
}

void NextFreeFileName(std::string& path) {
  std::error_code error;
  while (std::filesystem::exists(path, error)) IncrementFileName(path);
}
