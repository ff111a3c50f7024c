#include "gui/Exceptions.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace gui {

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result;
  if (length > 0) {
    std::vector<char> buffer(size_t(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    result.assign(buffer.data(), size_t(length));
  }
  va_end(args);
  return result;
}

void Abort() { throw EAbort(); }

EListError EListError::IndexOutOfBounds(int index) {
  return EListError(FormatText(texts::kListIndexError, index));
}

}  // namespace gui
