#include "gui/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "gui/Exceptions.h"

namespace gui {

int64_t TStream::Size() {
  int64_t position = Seek(0, soFromCurrent);
  int64_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError();
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  int64_t total = count;
  uint8_t chunk[61440];
  while (count > 0) {
    int64_t n = std::min<int64_t>(count, sizeof chunk);
    source.ReadBuffer(chunk, n);
    WriteBuffer(chunk, n);
    count -= n;
  }
  return total;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  int64_t size = int64_t(data_.size());
  if (count <= 0 || position_ < 0 || position_ >= size) return 0;
  int64_t n = std::min(count, size - position_);
  std::memcpy(buffer, data_.data() + position_, size_t(n));
  position_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0 || position_ < 0) return 0;
  int64_t end = position_ + count;
  if (end > int64_t(data_.size())) data_.resize(size_t(end));
  std::memcpy(data_.data() + position_, buffer, size_t(count));
  position_ = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soFromBeginning: position_ = offset; break;
    case soFromCurrent: position_ += offset; break;
    case soFromEnd: position_ = int64_t(data_.size()) + offset; break;
  }
  return position_;
}

void TMemoryStream::SetSize(int64_t size) {
  data_.resize(size_t(std::max<int64_t>(size, 0)));
  position_ = std::min(position_, int64_t(data_.size()));
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  int64_t size = stream.Size();
  data_.resize(size_t(std::max<int64_t>(size, 0)));
  if (size > 0) stream.ReadBuffer(data_.data(), size);
  position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) const {
  if (!data_.empty()) stream.WriteBuffer(data_.data(), int64_t(data_.size()));
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

TFileStream::TFileStream(const std::string& fileName, unsigned mode) {
  if (mode == fmCreate) {
    file_ = std::fopen(fileName.c_str(), "w+b");
    if (!file_) throw EFCreateError(FormatText(texts::kFileCreateError, fileName.c_str()));
    return;
  }
  file_ = openRegularFile(fileName, (mode & 3) != fmOpenRead);
  if (!file_) throw EFOpenError(FormatText(texts::kFileOpenError, fileName.c_str()));
}

// Only a regular file opens: a folder would read as garbage with a size near 2^63, and a pipe
// or device could block or never end. Opened without blocking, so a pipe is refused at once.
std::FILE* TFileStream::openRegularFile(const std::string& fileName, bool write) {
  int fd = open(fileName.c_str(), (write ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  std::FILE* file = nullptr;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
    file = fdopen(fd, write ? "r+b" : "rb");
  }
  if (!file) close(fd);
  return file;
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  switchDirection(kReading);
  return int64_t(std::fread(buffer, 1, size_t(count), file_));
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  switchDirection(kWriting);
  return int64_t(std::fwrite(buffer, 1, size_t(count), file_));
}

// The C library needs a seek between reading and writing on one file.
void TFileStream::switchDirection(Direction direction) {
  if (last_ != kNone && last_ != direction) fseeko(file_, 0, SEEK_CUR);
  last_ = direction;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  last_ = kNone;
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (fseeko(file_, offset, kWhence[origin]) != 0) return -1;
  return ftello(file_);
}

void TFileStream::SetSize(int64_t size) {
  std::fflush(file_);
  if (ftruncate(fileno(file_), size) != 0) throw EWriteError();
  if (Position() > size) Seek(size, soFromBeginning);
}

}  // namespace gui
