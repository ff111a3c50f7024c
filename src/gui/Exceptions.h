// The class library's exceptions and their texts. Messages are Windows-1251 bytes, as every text
// the program holds; the exception boundary (VyxApplication) shows them in a message box.
#pragma once

#include <exception>
#include <string>

namespace gui {

// Texts of the class library, used exactly.
namespace texts {
inline constexpr const char* kReadError = "Stream read error";
inline constexpr const char* kWriteError = "Stream write error";
inline constexpr const char* kListIndexError = "List index out of bounds (%d)";
inline constexpr const char* kDuplicateString = "String list does not allow duplicates";
inline constexpr const char* kSortedListError = "Operation not allowed on sorted string list";
inline constexpr const char* kInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* kInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* kOutOfResources = "Out of system resources";
inline constexpr const char* kOutOfMemory = "Out of memory";
inline constexpr const char* kInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* kInvalidIcon = "Icon image is not valid";
inline constexpr const char* kUnknownExtension = "Unknown picture file extension (.%s)";
inline constexpr const char* kUnknownClipboardFormat = "Unsupported clipboard format";
inline constexpr const char* kFileCreateError = "Cannot create file %s";
inline constexpr const char* kFileOpenError = "Cannot open file %s";
inline constexpr const char* kResourceNotFound = "Resource %s not found";
inline constexpr const char* kAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* kImageIndexError = "Invalid ImageList Index";
inline constexpr const char* kInvalidImageSize = "Invalid image size";
inline constexpr const char* kChangeIconSize = "Cannot change the size of an icon";
inline constexpr const char* kInvalidPixelFormat = "Invalid pixel format";
}  // namespace texts

// printf-style formatting into a std::string (the class library's Format for %d and %s).
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

// The silent exception: it ends the current operation and the boundary shows nothing.
class EAbort : public Exception {
public:
  EAbort() : Exception("Operation aborted") {}
};
[[noreturn]] void Abort();

class EConvertError : public Exception { using Exception::Exception; };
class ERangeError : public Exception { using Exception::Exception; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EInvalidGraphic : public Exception { using Exception::Exception; };
class EInvalidGraphicOperation : public Exception { using Exception::Exception; };
class EResNotFound : public Exception { using Exception::Exception; };

class EOutOfMemory : public Exception {
public:
  EOutOfMemory() : Exception(texts::kOutOfMemory) {}
  using Exception::Exception;
};
class EOutOfResources : public EOutOfMemory {
public:
  EOutOfResources() : EOutOfMemory(texts::kOutOfResources) {}
  using EOutOfMemory::EOutOfMemory;
};

class EListError : public Exception {
public:
  using Exception::Exception;
  // "List index out of bounds (%d)".
  static EListError IndexOutOfBounds(int index);
};
class EStringListError : public EListError { using EListError::EListError; };

class EStreamError : public Exception { using Exception::Exception; };
class EFilerError : public EStreamError { using EStreamError::EStreamError; };
class EReadError : public EFilerError {
public:
  EReadError() : EFilerError(texts::kReadError) {}
  using EFilerError::EFilerError;
};
class EWriteError : public EFilerError {
public:
  EWriteError() : EFilerError(texts::kWriteError) {}
  using EFilerError::EFilerError;
};
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };

}  // namespace gui
