// Tests of the layout values: each value in the smallest form and back, and the errors of a
// reader that meets another type or the end of the stream.
#include "gui/Filer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/Exceptions.h"
#include "gui/Streams.h"

using namespace gui;

namespace {

std::vector<uint8_t> written(const std::function<void(TWriter&)>& write) {
  TMemoryStream stream;
  TWriter writer(stream);
  write(writer);
  return stream.Bytes();
}

TMemoryStream streamOf(const std::vector<uint8_t>& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(0);
  return stream;
}

}  // namespace

TEST(Filer, IntegersTakeTheSmallestFormAndReadBack) {
  struct Case {
    int32_t value;
    std::vector<uint8_t> bytes;
  };
  for (const Case& c : {Case{0, {vaInt8, 0}}, Case{-128, {vaInt8, 0x80}},
                        Case{128, {vaInt16, 0x80, 0x00}}, Case{-32769, {vaInt32, 0xFF, 0x7F, 0xFF, 0xFF}},
                        Case{202, {vaInt16, 0xCA, 0x00}}}) {
    EXPECT_EQ(written([&](TWriter& w) { w.WriteInteger(c.value); }), c.bytes) << c.value;
    TMemoryStream stream = streamOf(c.bytes);
    TReader reader(stream);
    EXPECT_EQ(reader.ReadInteger(), c.value);
  }
}

TEST(Filer, StringsBooleansAndLists) {
  const std::string longText(300, 'q');
  auto bytes = written([&](TWriter& w) {
    w.WriteListBegin();
    w.WriteString("ab");
    w.WriteString(longText);
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteListEnd();
  });
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<uint8_t>{vaList, vaString, 2, 'a'}));
  TMemoryStream stream = streamOf(bytes);
  TReader reader(stream);
  reader.ReadListBegin();
  EXPECT_FALSE(reader.EndOfList());
  EXPECT_EQ(reader.ReadString(), "ab");
  EXPECT_EQ(reader.ReadString(), longText);
  EXPECT_TRUE(reader.ReadBoolean());
  EXPECT_FALSE(reader.ReadBoolean());
  EXPECT_TRUE(reader.EndOfList());
  reader.ReadListEnd();
}

TEST(Filer, ReadErrors) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::function<void(TReader&)> read;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{vaString, 1, 'x'}, [](TReader& r) { r.ReadInteger(); }, kInvalidPropertyValue},
      {{vaInt8, 1}, [](TReader& r) { r.ReadString(); }, kInvalidPropertyValue},
      {{vaNull}, [](TReader& r) { r.ReadListBegin(); }, kInvalidPropertyValue},
      {{vaInt32, 1, 2}, [](TReader& r) { r.ReadInteger(); }, "Stream read error"},
      {{vaLString, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, [](TReader& r) { r.ReadString(); }, "Stream read error"},
      {{}, [](TReader& r) { r.EndOfList(); }, "Stream read error"},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    TMemoryStream stream = streamOf(cases[i].bytes);
    TReader reader(stream);
    try {
      cases[i].read(reader);
      ADD_FAILURE() << "case " << i << " read without error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), cases[i].message) << "case " << i;
    }
  }
}
