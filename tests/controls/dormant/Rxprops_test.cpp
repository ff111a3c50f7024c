// Tests of the property storage: the text of every kind and its way back, sets and enumerations,
// floats under a comma locale, string lists and collections (counts capped by the keys present),
// references to components, stored-property lists, and loading that never raises.
#include "controls/dormant/Rxprops.h"

#include <QLocale>
#include <QWidget>

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <sstream>

#include "RxpropsFixtures.h"

using namespace rxprops;
using rxprops_test::Column;
using rxprops_test::MemoryStore;
using rxprops_test::Sample;

namespace {

gui::TStringList names(std::initializer_list<const char*> list) {
  gui::TStringList out;
  for (const char* n : list) out.Add(n);
  return out;
}

class RxpropsTest : public ::testing::Test {
protected:
  RxpropsTest() {
    store.Attach(storage);
    storage.AObject = &sample;
    storage.Section = "S";
    storage.Prefix = "Obj_";
  }

  void Store(std::initializer_list<const char*> props) { storage.StoreProperties(names(props)); }
  void Load(std::initializer_list<const char*> props) { storage.LoadProperties(names(props)); }
  std::string Key(const std::string& k) const { return store.Get("S", "Obj_" + k); }

  Sample sample;
  MemoryStore store;
  TPropsStorage storage;
};

TEST_F(RxpropsTest, EveryKindIsWrittenAsTextAndReadBack) {
  sample.SetCount(-42);
  sample.SetBig(4000000000u);
  sample.SetHuge(-(qlonglong(1) << 40));
  sample.SetLetter('z');
  sample.SetWide(QChar(0x0416));  // Cyrillic Zhe: 0xC6 in Windows-1251
  sample.SetAlign(Sample::alClient);
  sample.SetFlag(true);
  sample.SetStyle(Sample::TFontStyles(Sample::fsBold) | Sample::fsItalic);
  sample.SetRatio(1.5);
  sample.SetSmall(0.1f);
  sample.SetText("  edge blanks kept  ");
  sample.SetRaw(QByteArray("\xF0\xF3\xF1", 3));
  sample.SetAny(QString("anything"));
  sample.SetBounds(QRect(1, 2, 3, 4));
  Store({"Count", "Big", "Huge", "Letter", "Wide", "Align", "Flag", "Style", "Ratio", "Small",
         "Text", "Raw", "Any", "Bounds", "NoSuchProperty"});

  const std::pair<const char*, std::string> expected[] = {
      {"Count", "-42"}, {"Big", "4000000000"}, {"Huge", "-1099511627776"}, {"Letter", "z"},
      {"Wide", "\xC6"}, {"Align", "alClient"}, {"Flag", "True"}, {"Style", "[fsBold,fsItalic]"},
      {"Ratio", "1.5"}, {"Small", "0.1"}, {"Text", "  edge blanks kept  "},
      {"Raw", "\xF0\xF3\xF1"}, {"Any", "anything"}, {"Bounds", "<missing>"},
  };
  for (const auto& [key, text] : expected) EXPECT_EQ(Key(key), text) << key;

  Sample other;
  storage.AObject = &other;
  Load({"Count", "Big", "Huge", "Letter", "Wide", "Align", "Flag", "Style", "Ratio", "Small",
        "Text", "Raw", "Any"});
  EXPECT_EQ(other.Count(), -42);
  EXPECT_EQ(other.Big(), 4000000000u);
  EXPECT_EQ(other.Huge(), -(qlonglong(1) << 40));
  EXPECT_EQ(other.Letter(), 'z');
  EXPECT_EQ(other.Wide(), QChar(0x0416));
  EXPECT_EQ(other.Align(), Sample::alClient);
  EXPECT_TRUE(other.Flag());
  EXPECT_EQ(other.Style(), Sample::TFontStyles(Sample::fsBold) | Sample::fsItalic);
  EXPECT_EQ(other.Ratio(), 1.5);
  EXPECT_EQ(other.Small(), 0.1f);
  EXPECT_EQ(other.Text(), "  edge blanks kept  ");
  EXPECT_EQ(other.Raw(), QByteArray("\xF0\xF3\xF1", 3));
  EXPECT_EQ(other.Any(), QVariant(QString("anything")));
}

TEST_F(RxpropsTest, SetsAndEnumerationsReadKnownIdentifiersOnly) {
  store.sections["S"]["Obj_Style"] = "[ fsItalic, fsNoSuchStyle ,]";
  store.sections["S"]["Obj_Align"] = "alNowhere";
  store.sections["S"]["Obj_Flag"] = "maybe";
  sample.SetStyle(Sample::fsBold);
  sample.SetAlign(Sample::alTop);
  sample.SetFlag(true);
  Load({"Style", "Align", "Flag"});
  EXPECT_EQ(sample.Style(), Sample::TFontStyles(Sample::fsItalic));
  EXPECT_EQ(sample.Align(), Sample::alTop) << "no matching identifier: unchanged";
  EXPECT_TRUE(sample.Flag());

  store.sections["S"]["Obj_Align"] = "ALCLIENT";
  store.sections["S"]["Obj_Flag"] = "false";
  Load({"Align", "Flag"});
  EXPECT_EQ(sample.Align(), Sample::alClient) << "identifiers compare ignoring case";
  EXPECT_FALSE(sample.Flag());
}

// A decimal comma for the C++ streams.
class CommaDecimal : public std::numpunct<char> {
protected:
  char do_decimal_point() const override { return ','; }
};

TEST_F(RxpropsTest, FloatsUseAPointUnderACommaLocale) {
  // Every locale the program could meet with a decimal comma: the C++ global locale, the C
  // library's where the machine has one, and Qt's default.
  const std::locale previousCpp = std::locale::global(std::locale(std::locale(), new CommaDecimal));
  std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
  for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8", "de_DE", "ru_RU"})
    if (std::setlocale(LC_NUMERIC, name)) break;
  QLocale previousQt;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  std::ostringstream probe;
  probe << 1.5;
  EXPECT_EQ(probe.str(), "1,5") << "the comma is in effect";

  sample.SetRatio(1.5);
  Store({"Ratio"});
  EXPECT_EQ(Key("Ratio"), "1.5");
  sample.SetRatio(0);
  Load({"Ratio"});
  EXPECT_EQ(sample.Ratio(), 1.5);
  store.sections["S"]["Obj_Ratio"] = "2,5";
  Load({"Ratio"});
  EXPECT_EQ(sample.Ratio(), 1.5) << "invalid text leaves the value";

  QLocale::setDefault(previousQt);
  std::setlocale(LC_NUMERIC, previousC.c_str());
  std::locale::global(previousCpp);
}

TEST_F(RxpropsTest, EmptyStringsAreWrittenAndEmptyNumbersReadAsZero) {
  Store({"Text", "Raw"});
  EXPECT_TRUE(store.Has("S", "Obj_Text"));
  EXPECT_EQ(Key("Text"), "");
  EXPECT_TRUE(store.Has("S", "Obj_Raw"));

  sample.SetCount(7);
  sample.SetBig(7);
  store.sections["S"]["Obj_Count"] = "";
  store.sections["S"]["Obj_Big"] = "-1";
  Load({"Count", "Big"});
  EXPECT_EQ(sample.Count(), 0);
  EXPECT_EQ(sample.Big(), 0u) << "a value the property cannot hold reads as 0";

  sample.SetLetter('q');
  store.sections["S"]["Obj_Letter"] = "";
  Load({"Letter"});
  EXPECT_EQ(sample.Letter(), 'q') << "an empty character text leaves the property";
  store.sections["S"]["Obj_Count"] = "$1F";
  Load({"Count"});
  EXPECT_EQ(sample.Count(), 31);
}

TEST_F(RxpropsTest, StringListsGetASectionOfTheirOwn) {
  Store({"Lines"});
  EXPECT_EQ(store.erased, (std::vector<std::string>{"S.Obj_Lines"}));
  EXPECT_EQ(store.sections.count("S.Obj_Lines"), 0u) << "no lines: nothing written";

  sample.SetLines({"first", " second ", ""});
  Store({"Lines"});
  EXPECT_EQ(store.Get("S.Obj_Lines", "Count"), "3");
  EXPECT_EQ(store.Get("S.Obj_Lines", "Item1"), " second ");
  sample.SetLines({});
  Load({"Lines"});
  EXPECT_EQ(sample.Lines(), (QStringList{"first", " second ", ""}));

  store.sections["S.Obj_Lines"]["Count"] = "0";
  Load({"Lines"});
  EXPECT_EQ(sample.Lines().size(), 3) << "a count of 0 leaves the lines";

  store.sections["S.Obj_Lines"]["Count"] = "2147483647";
  Load({"Lines"});
  EXPECT_EQ(sample.Lines().size(), 3) << "the count is capped by the lines present";
}

TEST_F(RxpropsTest, CollectionsAreRebuiltWithTheStoredCount) {
  for (int w : {10, 20, 30}) static_cast<Column*>(sample.Columns()->Add())->SetWidth(w);
  Store({"Columns"});
  EXPECT_EQ(Key("Columns.Count"), "3");
  EXPECT_EQ(store.Get("S.Obj_Columns", "Item2_Width"), "30");
  EXPECT_EQ(store.Get("S.Obj_Columns", "Item0_Title"), "");

  Sample other;
  for (int i = 0; i < 5; ++i) other.Columns()->Add();
  storage.AObject = &other;
  Load({"Columns"});
  ASSERT_EQ(other.Columns()->Count(), 3);
  EXPECT_EQ(static_cast<Column*>(other.Columns()->Items(1))->Width(), 20);

  store.sections["S"]["Obj_Columns.Count"] = "1000000000";
  Load({"Columns"});
  EXPECT_EQ(other.Columns()->Count(), 3) << "no more items than the store holds keys for";
}

TEST_F(RxpropsTest, NestedObjectsGetPrefixedKeys) {
  sample.GetFont()->SetColor(255);
  Store({"Font"});
  EXPECT_EQ(Key("FontColor"), "255");
  EXPECT_EQ(Key("FontSize"), "8");
  EXPECT_FALSE(store.Has("S", "Obj_FontobjectName")) << "a nested object has no name of its own";
  sample.GetFont()->SetColor(0);
  Load({"Font"});
  EXPECT_EQ(sample.GetFont()->Color(), 255);
}

TEST_F(RxpropsTest, LoadingNeverRaises) {
  store.sections["S"]["Obj_Fragile"] = "-5";
  store.sections["S"]["Obj_Count"] = "9";
  Load({"Fragile", "Count"});
  EXPECT_EQ(sample.Fragile(), 1);
  EXPECT_EQ(sample.Count(), 9);
}

TEST(RxpropsStoredList, ItemsParseAndTheListFollowsItsComponents) {
  struct Case { const char* item; bool ok; const char* comp; const char* prop; };
  const Case cases[] = {{"Edit1.Text", true, "Edit1", "Text"},
                        {" Edit1 . Font.Color ", true, "Edit1", "Font.Color"},
                        {"Edit1.", false, "", ""}, {".Text", false, "", ""},
                        {"Edit1", false, "", ""}, {"", false, "", ""}};
  for (const Case& c : cases) {
    std::string comp, prop;
    EXPECT_EQ(ParseStoredItem(c.item, comp, prop), c.ok) << c.item;
    if (c.ok) {
      EXPECT_EQ(comp + "|" + prop, std::string(c.comp) + "|" + c.prop) << c.item;
    }
  }
  EXPECT_EQ(CreateStoredItem("Edit1", "Text"), "Edit1.Text");
  EXPECT_EQ(CreateStoredItem("", "Text"), "");

  QWidget form;
  QWidget* edit = new QWidget(&form);
  edit->setObjectName("Edit1");
  gui::TStringList list;
  list.Add("edit1.Text");
  list.Add("Gone.Text");
  list.Add("nonsense");
  UpdateStoredList(&form, list, true);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Objects(0), edit);

  edit->setObjectName("Renamed");
  UpdateStoredList(&form, list, false);
  EXPECT_EQ(list[0], "Renamed.Text");
  delete edit;
  UpdateStoredList(&form, list, false);
  EXPECT_EQ(list.Count(), 0) << "a line whose component is gone is dropped";
}

TEST(RxpropsStoredList, ObjectsPropsUseComponentAndPropertyNames) {
  QWidget form;
  form.setObjectName("Form1");
  auto* a = new Sample(&form);
  a->setObjectName("Edit1");
  a->SetText("hello");
  a->SetLines({"x"});
  gui::TStringList list;
  list.AddObject("Edit1.Text", a);
  list.AddObject("Edit1.Lines", a);
  MemoryStore store;
  TPropsStorage storage;
  store.Attach(storage);
  storage.Section = "TForm1";
  storage.StoreObjectsProps(&form, list);
  EXPECT_EQ(store.Get("TForm1", "Edit1_Text"), "hello");
  EXPECT_EQ(store.Get("TForm1.Edit1_Lines", "Item0"), "x");
  EXPECT_EQ(storage.Owner, nullptr);

  a->SetText("");
  storage.LoadObjectsProps(&form, list);
  EXPECT_EQ(a->Text(), "hello");
}

TEST(RxpropsReferences, ComponentsAreStoredByNameWithTheirOwner) {
  QWidget form1, form2;
  form1.setObjectName("Form1");
  form2.setObjectName("Form2");
  auto* holder = new Sample(&form1);
  holder->setObjectName("Holder");
  auto* local = new QObject(&form1);
  local->setObjectName("Local");
  auto* remote = new QObject(&form2);
  remote->setObjectName("Edit1");
  form1.show();
  form2.show();

  MemoryStore store;
  TPropsStorage storage;
  store.Attach(storage);
  storage.Section = "S";
  gui::TStringList list;
  list.AddObject("Holder.Link", holder);

  holder->SetLink(remote);
  storage.StoreObjectsProps(&form1, list);
  EXPECT_EQ(store.Get("S", "Holder_Link"), "Form2.Edit1");
  holder->SetLink(local);
  storage.StoreObjectsProps(&form1, list);
  EXPECT_EQ(store.Get("S", "Holder_Link"), "Local");
  holder->SetLink(nullptr);
  storage.StoreObjectsProps(&form1, list);
  EXPECT_EQ(store.Get("S", "Holder_Link"), "(null)");

  struct Case { const char* text; QObject* expected; };
  const Case cases[] = {
      {"form2 . EDIT1", remote}, {"Local", local}, {"(NULL)", nullptr},
      {"Form2.Nobody", nullptr}, {"NoForm.Edit1", local}, {"", local},
  };
  for (const Case& c : cases) {
    holder->SetLink(local);
    store.sections["S"]["Holder_Link"] = c.text;
    storage.LoadObjectsProps(&form1, list);
    EXPECT_EQ(holder->Link(), c.expected) << c.text;
  }

  QWidget unnamed;
  auto* inUnnamed = new QObject(&unnamed);
  inUnnamed->setObjectName("X");
  holder->SetLink(inUnnamed);
  storage.StoreObjectsProps(&form1, list);
  EXPECT_EQ(store.Get("S", "Holder_Link"), "QWidget.X") << "an owner without a name: its class";
}

TEST(RxpropsInfoList, FindContainsIntersect) {
  Sample sample;
  TPropInfoList all(&sample, tkProperties);
  TPropInfoList numbers(&sample, KindBit(tkInteger) | KindBit(tkFloat));
  ASSERT_NE(all.Find("count"), nullptr);
  EXPECT_EQ(numbers.Find("Text"), nullptr);
  EXPECT_TRUE(all.Contains(*numbers.Find("RATIO")));
  all.Intersect(numbers);
  EXPECT_EQ(all.Count(), numbers.Count());
  EXPECT_EQ(TPropInfoList(nullptr, tkAny).Count(), 0);
  EXPECT_EQ(TPropInfoList(sample.GetFont(), tkAny).Count(), 2) << "Color and Size only";
}

}  // namespace
