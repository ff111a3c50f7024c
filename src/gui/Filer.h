// Values of a stored form layout, as the class library's layout writer and reader keep them: a
// one-byte value type, then the value (integers in the smallest of 8, 16 or 32 bits, little
// endian; strings with a one-byte or, from 256 bytes on, a four-byte length; booleans as the type
// alone; lists between a list mark and an end mark). Components keep their own "defined"
// properties in these values (TReader and TWriter below).
#pragma once

#include <cstdint>
#include <string>

namespace gui {

class TStream;

enum TValueType : uint8_t {
  vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6,
  vaIdent = 7, vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13,
  vaCollection = 14, vaSingle = 15, vaCurrency = 16, vaDate = 17, vaWString = 18, vaInt64 = 19,
};

// A value of another type than the one asked for: EReadError with this text.
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";

class TWriter {
public:
  explicit TWriter(TStream& stream) : stream_(stream) {}

  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(int32_t value);
  void WriteBoolean(bool value);
  void WriteString(const std::string& value);

private:
  void writeByte(uint8_t value);

  TStream& stream_;
};

// Reads raise EReadError: "Stream read error" at the end of the stream, "Invalid property value"
// for a value of the wrong type.
class TReader {
public:
  explicit TReader(TStream& stream) : stream_(stream) {}

  void ReadListBegin();
  void ReadListEnd();
  // True when the next value is the end mark of a list (which stays unread).
  bool EndOfList();
  TValueType NextValue();
  int32_t ReadInteger();
  // True only for the value vaTrue.
  bool ReadBoolean();
  std::string ReadString();

private:
  TValueType readValue();
  void checkValue(TValueType expected);

  TStream& stream_;
};

}  // namespace gui
