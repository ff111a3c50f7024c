#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "gui/Exceptions.h"
#include "gui/Streams.h"
#include "support/TempProgramFolder.h"

using namespace gui;

TEST(MemoryStream, ReadReturnsTheCountAndReadBufferRaises) {
  TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  EXPECT_EQ(stream.Position(), 6);
  stream.SetPosition(4);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 2);  // a short read is no error
  EXPECT_STREQ(buffer, "ef");
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  stream.SetPosition(3);
  try {
    stream.ReadBuffer(buffer, 4);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  stream.ReadBuffer(buffer, 0);  // nothing asked, nothing wrong
}

TEST(MemoryStream, SeekingPastTheEndAndWritingFillsTheGapWithZeros) {
  TMemoryStream stream;
  stream.WriteBuffer("ab", 2);
  EXPECT_EQ(stream.Seek(2, soFromCurrent), 4);
  EXPECT_EQ(stream.Size(), 2);
  char c = 0;
  EXPECT_EQ(stream.Read(&c, 1), 0);
  stream.WriteBuffer("z", 1);
  ASSERT_EQ(stream.Size(), 5);
  EXPECT_EQ(std::memcmp(stream.Memory(), "ab\0\0z", 5), 0);
  EXPECT_EQ(stream.Seek(-1, soFromEnd), 4);
  stream.SetSize(3);
  EXPECT_EQ(stream.Position(), 3);
  EXPECT_EQ(stream.Size(), 3);
}

TEST(MemoryStream, CopyFromAndLoadFromStream) {
  TMemoryStream source, target;
  source.WriteBuffer("hello", 5);
  EXPECT_EQ(target.CopyFrom(source, 0), 5);  // 0: all of it, from the start
  source.SetPosition(1);
  EXPECT_EQ(target.CopyFrom(source, 3), 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 8), "helloell");
  source.SetPosition(1);
  EXPECT_THROW(target.CopyFrom(source, 10), EReadError);
  TMemoryStream copy;
  copy.LoadFromStream(target);
  EXPECT_EQ(copy.Position(), 0);
  EXPECT_EQ(copy.Bytes(), target.Bytes());
}

TEST(FileStream, RoundTripAndOpenErrors) {
  testing_support::TempProgramFolder folder;
  std::string name = folder.path() + "data.bin";
  {
    TFileStream file(name, fmCreate);
    file.WriteBuffer("0123456789", 10);
    file.SetPosition(2);
    char buffer[3] = {};
    file.ReadBuffer(buffer, 3);  // reading after writing on one stream
    EXPECT_EQ(std::string(buffer, 3), "234");
    file.WriteBuffer("x", 1);
    EXPECT_EQ(file.Size(), 10);
  }
  TMemoryStream memory;
  memory.LoadFromFile(name);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(memory.Memory()), 10), "01234x6789");
  std::string missing = folder.path() + "missing.bin";
  try {
    TFileStream file(missing, fmOpenRead);
    FAIL() << "opened";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + missing);
  }
  try {
    TFileStream file(folder.path() + "no/such/dir/x", fmCreate);
    FAIL() << "created";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + folder.path() + "no/such/dir/x");
  }
}

TEST(FileStream, WhatIsNotARegularFileFailsToOpenAsAMissingFileDoes) {
  testing_support::TempProgramFolder folder;
  std::string sub = folder.path() + "sub";
  ASSERT_EQ(mkdir(sub.c_str(), 0700), 0);
  std::string pipe = folder.path() + "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  struct Case {
    const char* what;
    std::string name;
  } cases[] = {
      {"missing file", folder.path() + "missing.bin"},
      {"folder", sub},
      {"folder with a slash", folder.path()},
      {"pipe without a writer", pipe},
      {"device", "/dev/null"},
  };
  for (const Case& c : cases) {
    for (unsigned mode : {fmOpenRead, fmOpenWrite, fmOpenReadWrite}) {
      SCOPED_TRACE(std::string(c.what) + ", mode " + std::to_string(mode));
      try {
        TFileStream file(c.name, mode);
        ADD_FAILURE() << "opened, size " << file.Size();
      } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + c.name);
      }
    }
    TMemoryStream memory;
    EXPECT_THROW(memory.LoadFromFile(c.name), EFOpenError) << c.what;
  }
}
