// Byte streams of the class library: TStream with Read/Write that return counts and
// ReadBuffer/WriteBuffer that raise "Stream read error"/"Stream write error", a growable memory
// stream and a file stream.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace gui {

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream {
public:
  virtual ~TStream() = default;

  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  // Writes up to count bytes; returns how many were written.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Moves the position and returns the new one. A memory stream may move past its end.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual void SetSize(int64_t size) = 0;

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t position) { Seek(position, soFromBeginning); }
  int64_t Size();

  // Read or write exactly count bytes, or raise EReadError / EWriteError.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source (count 0: all of source, from its start); returns the count.
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
public:
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;

  uint8_t* Memory() { return data_.data(); }
  const uint8_t* Memory() const { return data_.data(); }
  const std::vector<uint8_t>& Bytes() const { return data_; }
  void Clear();

  // Replaces the contents with all of `stream` (from its start) and rewinds.
  void LoadFromStream(TStream& stream);
  // Writes the whole contents to `stream` at its position.
  void SaveToStream(TStream& stream) const;
  // Raise EFOpenError / EFCreateError when the file cannot be opened or created.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

private:
  std::vector<uint8_t> data_;
  int64_t position_ = 0;
};

// File open modes (sharing modes have no meaning here and are ignored).
enum : unsigned {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmCreate = 0xFFFF,
};

class TFileStream : public TStream {
public:
  // fmCreate creates or truncates; the open modes need an existing regular file (a folder, pipe
  // or device fails as a missing file does). Raises EFCreateError "Cannot create file %s" or
  // EFOpenError "Cannot open file %s".
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;

private:
  enum Direction { kNone, kReading, kWriting };
  static std::FILE* openRegularFile(const std::string& fileName, bool write);
  void switchDirection(Direction direction);

  std::FILE* file_ = nullptr;
  Direction last_ = kNone;
};

}  // namespace gui
