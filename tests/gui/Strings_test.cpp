#include <gtest/gtest.h>

#include "gui/Exceptions.h"
#include "gui/Streams.h"
#include "gui/Strings.h"

using namespace gui;

namespace {

std::vector<std::string> items(const TStrings& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

}  // namespace

TEST(StringList, AddInsertDeleteAndIndexErrors) {
  TStringList list;
  list.Add("one");
  list.Add("Two");
  list.Insert(0, "zero");
  EXPECT_EQ(items(list), (std::vector<std::string>{"zero", "one", "Two"}));
  EXPECT_EQ(list.IndexOf("TWO"), 2);  // case does not matter
  EXPECT_EQ(list.IndexOf("three"), -1);
  list.Delete(1);
  EXPECT_EQ(items(list), (std::vector<std::string>{"zero", "Two"}));
  for (int bad : {-1, 2, 5}) {
    try {
      list.Delete(bad);
      ADD_FAILURE() << bad;
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(list.Get(2), EListError);
  EXPECT_THROW(list.Insert(3, "x"), EListError);
  list.Insert(2, "end");  // inserting at Count appends
  EXPECT_EQ(list[2], "end");
}

TEST(StringList, TextUsesCrLfAndReadsEveryLineEnd) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd\n\re");
  EXPECT_EQ(items(list), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
  list.SetText("x\r\n");
  EXPECT_EQ(items(list), std::vector<std::string>{"x"});  // no empty line after the last end
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  struct Case {
    std::vector<std::string> items;
    const char* text;
  } cases[] = {
      {{"a", "b c", "d,e", "say \"hi\""}, "a,\"b c\",\"d,e\",\"say \"\"hi\"\"\""},
      {{""}, "\"\""},
      {{"a", "", "b"}, "a,,b"},
      {{}, ""},
  };
  for (const Case& c : cases) {
    TStringList list;
    for (const auto& s : c.items) list.Add(s);
    EXPECT_EQ(list.CommaText(), c.text);
    TStringList back;
    back.SetCommaText(c.text);
    EXPECT_EQ(items(back), c.items) << c.text;
  }
  TStringList list;
  list.SetCommaText("  one two, \"three\"  ,four");  // blanks separate too
  EXPECT_EQ(items(list), (std::vector<std::string>{"one", "two", "three", "four"}));
  list.SetCommaText("\"open");
  EXPECT_EQ(items(list), std::vector<std::string>{"open"});
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  list.SetText("Card=3\nTuner=a=b\nplain");
  EXPECT_EQ(list.Names(0), "Card");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.Values("card"), "3");
  EXPECT_EQ(list.Values("Tuner"), "a=b");
  EXPECT_EQ(list.Values("plain"), "");
  list.SetValues("CARD", "4");
  EXPECT_EQ(list[0], "CARD=4");
  list.SetValues("New", "1");
  EXPECT_EQ(list[3], "New=1");
  list.SetValues("tuner", "");
  EXPECT_EQ(list.IndexOfName("Tuner"), -1);
  EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, SortedListsAndDuplicates) {
  struct Case {
    TDuplicates duplicates;
    std::vector<std::string> expected;
    bool raises;
  } cases[] = {
      {dupIgnore, {"apple", "Pear", "plum"}, false},
      {dupAccept, {"apple", "PEAR", "Pear", "plum"}, false},  // before its equal
      {dupError, {"apple", "Pear", "plum"}, true},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.duplicates);
    list.Add("plum");
    list.Add("Pear");
    list.Add("apple");
    if (c.raises) {
      try {
        list.Add("PEAR");
        ADD_FAILURE() << "no error";
      } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
      }
    } else {
      int index = list.Add("PEAR");
      EXPECT_EQ(list[index], c.duplicates == dupIgnore ? "Pear" : "PEAR");
    }
    EXPECT_EQ(items(list), c.expected) << c.duplicates;
    EXPECT_EQ(list.IndexOf("pear"), 1);
  }
  TStringList list;
  list.SetSorted(true);
  try {
    list.Insert(0, "x");
    FAIL() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "Operation not allowed on sorted string list");
  }
  TStringList unsorted;
  unsorted.SetText("c\nA\nb");
  unsorted.SetSorted(true);  // sorting happens when the flag is set
  EXPECT_EQ(items(unsorted), (std::vector<std::string>{"A", "b", "c"}));
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
  TStringList list;
  int a = 1, b = 2;
  list.AddObject("a", &a);
  list.AddObject("b", &b);
  list.Exchange(0, 1);
  EXPECT_EQ(list.Objects(0), &b);
  EXPECT_EQ(list.IndexOfObject(&a), 1);
  list.Move(1, 0);
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list.Objects(0), &a);
  TStringList copy;
  copy.Assign(list);
  EXPECT_EQ(copy.Objects(1), &b);
  EXPECT_TRUE(copy.Equals(list));
}

TEST(StringList, ChangeEventsFireOnceInAnUpdate) {
  TStringList list;
  int changes = 0, changings = 0;
  list.OnChange = [&] { ++changes; };
  list.OnChanging = [&] { ++changings; };
  list.Add("a");
  EXPECT_EQ(changes, 1);
  list.SetText("x\ny\nz");  // one update around the whole replacement
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(changings, 2);
}

TEST(StringList, StreamsCarryTheText) {
  TStringList list;
  list.SetText("first\nsecond");
  TMemoryStream stream;
  list.SaveToStream(stream);
  EXPECT_EQ(stream.Size(), 15);
  stream.SetPosition(0);
  TStringList back;
  back.LoadFromStream(stream);
  EXPECT_EQ(items(back), items(list));
}
