#include "gui/Filer.h"

#include "gui/Exceptions.h"
#include "gui/Streams.h"

namespace gui {

void TWriter::writeByte(uint8_t value) { stream_.WriteBuffer(&value, 1); }

void TWriter::WriteListBegin() { writeByte(vaList); }

void TWriter::WriteListEnd() { writeByte(vaNull); }

void TWriter::WriteInteger(int32_t value) {
  if (value >= -128 && value <= 127) {
    writeByte(vaInt8);
    writeByte(uint8_t(int8_t(value)));
  } else if (value >= -32768 && value <= 32767) {
    writeByte(vaInt16);
    uint8_t bytes[2] = {uint8_t(value), uint8_t(uint32_t(value) >> 8)};
    stream_.WriteBuffer(bytes, 2);
  } else {
    writeByte(vaInt32);
    uint8_t bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = uint8_t(uint32_t(value) >> (8 * i));
    stream_.WriteBuffer(bytes, 4);
  }
}

void TWriter::WriteBoolean(bool value) { writeByte(value ? vaTrue : vaFalse); }

void TWriter::WriteString(const std::string& value) {
  if (value.size() <= 255) {
    writeByte(vaString);
    writeByte(uint8_t(value.size()));
  } else {
    writeByte(vaLString);
    uint32_t size = uint32_t(value.size());
    uint8_t bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = uint8_t(size >> (8 * i));
    stream_.WriteBuffer(bytes, 4);
  }
  stream_.WriteBuffer(value.data(), int64_t(value.size()));
}

TValueType TReader::readValue() {
  uint8_t value = 0;
  stream_.ReadBuffer(&value, 1);
  return TValueType(value);
}

TValueType TReader::NextValue() {
  TValueType value = readValue();
  stream_.Seek(-1, soFromCurrent);
  return value;
}

void TReader::checkValue(TValueType expected) {
  if (readValue() != expected) throw EReadError(kInvalidPropertyValue);
}

void TReader::ReadListBegin() { checkValue(vaList); }

void TReader::ReadListEnd() { checkValue(vaNull); }

bool TReader::EndOfList() { return NextValue() == vaNull; }

int32_t TReader::ReadInteger() {
  uint8_t bytes[4] = {};
  switch (readValue()) {
    case vaInt8:
      stream_.ReadBuffer(bytes, 1);
      return int8_t(bytes[0]);
    case vaInt16:
      stream_.ReadBuffer(bytes, 2);
      return int16_t(uint16_t(bytes[0] | bytes[1] << 8));
    case vaInt32:
      stream_.ReadBuffer(bytes, 4);
      return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                     uint32_t(bytes[3]) << 24);
    default:
      throw EReadError(kInvalidPropertyValue);
  }
}

bool TReader::ReadBoolean() { return readValue() == vaTrue; }

std::string TReader::ReadString() {
  uint32_t size = 0;
  switch (readValue()) {
    case vaString: {
      uint8_t length = 0;
      stream_.ReadBuffer(&length, 1);
      size = length;
      break;
    }
    case vaLString: {
      uint8_t bytes[4];
      stream_.ReadBuffer(bytes, 4);
      size = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
             uint32_t(bytes[3]) << 24;
      break;
    }
    default:
      throw EReadError(kInvalidPropertyValue);
  }
  // A length past the end of the stream is a read error, found before any memory is taken.
  if (int64_t(size) > stream_.Size() - stream_.Position()) throw EReadError();
  std::string value(size, '\0');
  stream_.ReadBuffer(value.data(), int64_t(size));
  return value;
}

}  // namespace gui
