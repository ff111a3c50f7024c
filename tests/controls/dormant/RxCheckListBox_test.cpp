// Tests of the check list box: radio rules, toggling by click, space, "+" and "-" (disabled items
// stay), the click area's edge, states that go along with exchanged and moved items and across a
// re-created window, the stored layout (both formats, unknown states, the ancestor rule) and
// the profile keys.
#include "controls/dormant/RxCheckListBox.h"

#include <QImage>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "controls/dormant/Apputils.h"
#include "controls/dormant/ApputilsProfiles.h"
#include "controls/dormant/Placemnt.h"
#include "support/TempProgramFolder.h"
#include "gui/Filer.h"
#include "gui/Streams.h"

using namespace rxctrls;

namespace {

class ProbeCheckList : public TRxCheckListBox {
public:
  using TRxCheckListBox::KeyPress;
  using TRxCheckListBox::Loaded;
  int clickChecks = 0;
  std::vector<int> stateChanges;

  ProbeCheckList() {
    OnClickCheck = [this](TRxCheckListBox*) { ++clickChecks; };
    OnStateChange = [this](TRxCheckListBox*, int index) { stateChanges.push_back(index); };
  }
  void press(char key) { KeyPress(key); }
  void clickAt(int x, int index) {
    gui::TRect r = ItemRect(index);
    Perform(WM_LBUTTONDOWN, 0, MakePointParam(x, r.Top + 1));
    Perform(WM_LBUTTONUP, 0, MakePointParam(x, r.Top + 1));
  }
};

void fill(TRxCheckListBox& box, int count) {
  for (int i = 0; i < count; ++i) box.Items().Add("item " + std::to_string(i));
}

std::vector<TCheckBoxState> states(TRxCheckListBox& box) {
  std::vector<TCheckBoxState> result;
  for (int i = 0; i < box.Items().Count(); ++i) result.push_back(box.State(i));
  return result;
}

// A profile in memory: section -> key -> value.
class MemoryProfile : public apputils::TProfileObject {
public:
  std::map<std::string, std::map<std::string, std::string>> sections;

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& def) override {
    auto s = sections.find(section);
    if (s == sections.end()) return def;
    auto k = s->second.find(ident);
    return k == s->second.end() ? def : k->second;
  }
  void WriteString(const std::string& section, const std::string& ident,
                   const std::string& value) override {
    sections[section][ident] = value;
  }
  void EraseSection(const std::string& section) override { sections.erase(section); }
};

constexpr auto U = cbUnchecked;
constexpr auto C = cbChecked;
constexpr auto G = cbGrayed;

}  // namespace

TEST(RxCheckListBox, RadioButtonRules) {
  ProbeCheckList box;
  fill(box, 5);
  box.SetCheckKind(ckRadioButtons);
  EXPECT_EQ(states(box), (std::vector{C, U, U, U, U})) << "item 0 is checked once radio";

  box.SetChecked(3, true);
  EXPECT_EQ(states(box), (std::vector{U, U, U, C, U}));
  EXPECT_EQ(box.CheckedIndex(), 3);
  box.SetChecked(3, false);
  EXPECT_EQ(box.CheckedIndex(), 3) << "unchecking the checked item directly does nothing";

  box.SetCheckedIndex(-4);
  EXPECT_EQ(box.CheckedIndex(), 0) << "a negative index checks item 0";
  EXPECT_THROW(box.SetCheckedIndex(9), gui::EStringListError);

  box.SetState(2, cbGrayed);
  EXPECT_EQ(box.State(2), cbUnchecked) << "radio items never read grayed";
  box.SetAllowGrayed(true);
  EXPECT_FALSE(box.AllowGrayed());
  box.SetCheckKind(ckCheckBoxes);
  EXPECT_TRUE(box.AllowGrayed());
  EXPECT_EQ(box.CheckedIndex(), -1) << "only radio lists have a checked index";
}

TEST(RxCheckListBox, ToggleByClickSpacePlusAndMinusSkipsDisabledItems) {
  ProbeCheckList box;
  box.SetBounds(0, 0, 150, 120);
  fill(box, 3);
  box.SetEnabledItem(1, false);
  box.SetAllowGrayed(true);

  box.clickAt(2, 0);
  EXPECT_EQ(box.State(0), cbGrayed) << "unchecked becomes grayed when allowed";
  box.clickAt(2, 0);
  EXPECT_EQ(box.State(0), cbChecked);
  box.clickAt(2, 0);
  EXPECT_EQ(box.State(0), cbUnchecked);
  EXPECT_EQ(box.clickChecks, 3);

  box.clickAt(2, 1);
  box.SetItemIndex(1);
  box.press(' ');
  EXPECT_EQ(box.State(1), cbUnchecked) << "a disabled item does not toggle";

  box.press('+');
  EXPECT_EQ(states(box), (std::vector{C, U, C}));
  box.SetState(1, cbGrayed);
  box.press('-');
  EXPECT_EQ(states(box), (std::vector{U, G, U}));
}

TEST(RxCheckListBox, ClickAreaEndsAtTheCheckWidth) {
  ProbeCheckList box;
  box.SetBounds(0, 0, 150, 120);
  fill(box, 1);
  ASSERT_EQ(box.GetCheckWidth(), 18) << "the standard 16-pixel check image";
  struct Case {
    int x;
    bool toggles;
  };
  for (const Case& c : {Case{0, true}, Case{17, true}, Case{18, false}, Case{60, false}}) {
    box.SetState(0, cbUnchecked);
    box.clickAt(c.x, 0);
    EXPECT_EQ(box.State(0) == cbChecked, c.toggles) << "x = " << c.x;
  }
}

TEST(RxCheckListBox, DrawsTheCheckCellOfEachItemsState) {
  ProbeCheckList box;
  box.SetBounds(0, 0, 150, 120);
  fill(box, 3);
  box.SetState(1, cbChecked);
  const QImage shot = box.Snapshot();
  // The check areas of the three items, in the control's coordinates.
  auto cell = [&](int index) {
    gui::TRect r = box.ItemRect(index);
    const int inset = box.BorderInset();
    return shot.copy(inset + r.Left, inset + r.Top, box.GetCheckWidth(), r.Height());
  };
  EXPECT_EQ(cell(0), cell(2)) << "two unchecked items look alike";
  EXPECT_NE(cell(0), cell(1)) << "a checked item shows another cell";
  QImage blank(cell(0).size(), cell(0).format());
  blank.fill(cell(0).pixel(0, 0));
  EXPECT_NE(cell(0), blank) << "an unchecked box is drawn too";
  const QImage first = cell(0);
  for (int y = 0; y < first.height(); ++y)
    ASSERT_EQ(first.pixel(15, y), first.pixel(17, y)) << "the cell's background is transparent, row " << y;
}

TEST(RxCheckListBox, StatesGoAlongWithExchangedAndMovedItems) {
  ProbeCheckList box;
  fill(box, 4);
  box.SetState(0, cbChecked);
  box.SetState(2, cbGrayed);
  box.SetEnabledItem(2, false);

  box.Items().Exchange(0, 2);
  EXPECT_EQ(box.Items().Get(0), "item 2");
  EXPECT_EQ(states(box), (std::vector{G, U, C, U}));
  EXPECT_FALSE(box.EnabledItem(0));
  EXPECT_TRUE(box.EnabledItem(2));

  box.Items().Move(0, 3);
  EXPECT_EQ(box.Items().Get(3), "item 2");
  EXPECT_EQ(states(box), (std::vector{U, C, U, G}));
  EXPECT_FALSE(box.EnabledItem(3));

  ProbeCheckList copy;
  copy.SetItemsFrom(box.Items());
  EXPECT_EQ(states(copy), states(box)) << "assigning another check list's items copies states";
  EXPECT_FALSE(copy.EnabledItem(3));
}

TEST(RxCheckListBox, StatesSurviveARecreatedWindow) {
  ProbeCheckList box;
  fill(box, 3);
  box.SetState(1, cbChecked);
  box.SetState(2, cbGrayed);
  box.SetEnabledItem(0, false);
  box.Items().PutObject(1, reinterpret_cast<void*>(intptr_t(77)));

  box.SetColumns(2);
  EXPECT_EQ(states(box), (std::vector{U, C, G}));
  EXPECT_FALSE(box.EnabledItem(0));
  EXPECT_TRUE(box.EnabledItem(1));
  EXPECT_EQ(box.Items().GetObject(1), reinterpret_cast<void*>(intptr_t(77))) << "user data too";
}

TEST(RxCheckListBox, LayoutRoundTripAndOlderFormats) {
  ProbeCheckList source;
  fill(source, 3);
  source.SetState(1, cbChecked);
  source.SetState(2, cbGrayed);
  source.SetEnabledItem(2, false);
  gui::TMemoryStream stream;
  gui::TWriter writer(stream);
  source.WriteVersion(writer);
  source.WriteStrings(writer);

  stream.SetPosition(0);
  gui::TReader reader(stream);
  ProbeCheckList copy;
  copy.BeginReading();
  copy.ReadVersion(reader);
  copy.ReadStrings(reader);
  copy.EndReading();
  EXPECT_EQ(copy.ReaderVersion(), 202);
  EXPECT_EQ(states(copy), (std::vector{U, C, G}));
  EXPECT_FALSE(copy.EnabledItem(2));
  EXPECT_EQ(copy.Items().Get(2), "item 2");
  EXPECT_TRUE(copy.stateChanges.empty()) << "no state events while reading a layout";

  // Before the version property: text, checked flag, enabled flag.
  gui::TMemoryStream old;
  gui::TWriter oldWriter(old);
  oldWriter.WriteListBegin();
  for (auto [text, checked, enabled] : {std::tuple{"a", true, true}, std::tuple{"b", false, false}}) {
    oldWriter.WriteString(text);
    oldWriter.WriteBoolean(checked);
    oldWriter.WriteBoolean(enabled);
  }
  oldWriter.WriteListEnd();
  old.SetPosition(0);
  gui::TReader oldReader(old);
  ProbeCheckList legacy;
  legacy.ReadStrings(oldReader);
  EXPECT_EQ(states(legacy), (std::vector{C, U}));
  EXPECT_TRUE(legacy.EnabledItem(0));
  EXPECT_FALSE(legacy.EnabledItem(1));
}

TEST(RxCheckListBox, LayoutStatesOutOfRangeReadUnchecked) {
  for (int stored : {3, 7, 255, -1, 100000}) {
    gui::TMemoryStream stream;
    gui::TWriter writer(stream);
    writer.WriteInteger(202);
    writer.WriteListBegin();
    writer.WriteString("x");
    writer.WriteInteger(stored);
    writer.WriteBoolean(true);
    writer.WriteListEnd();
    stream.SetPosition(0);
    gui::TReader reader(stream);
    ProbeCheckList box;
    box.ReadVersion(reader);
    box.ReadStrings(reader);
    EXPECT_EQ(box.State(0), cbUnchecked) << stored;
  }
}

TEST(RxCheckListBox, RadioLayoutWithoutACheckedItemChecksItemZero) {
  gui::TMemoryStream stream;
  gui::TWriter writer(stream);
  writer.WriteInteger(202);
  writer.WriteListBegin();
  for (const char* text : {"a", "b"}) {
    writer.WriteString(text);
    writer.WriteInteger(0);
    writer.WriteBoolean(true);
  }
  writer.WriteListEnd();
  stream.SetPosition(0);
  gui::TReader reader(stream);
  ProbeCheckList box;
  box.SetCheckKind(ckRadioButtons);
  box.BeginReading();
  box.ReadVersion(reader);
  box.ReadStrings(reader);
  box.EndReading();
  EXPECT_EQ(states(box), (std::vector{C, U}));
}

TEST(RxCheckListBox, StringsAreWrittenOnlyWhereTheyDifferFromTheAncestor) {
  ProbeCheckList box, ancestor;
  EXPECT_FALSE(box.ShouldWriteStrings(nullptr)) << "an empty list writes nothing";
  fill(box, 2);
  fill(ancestor, 2);
  EXPECT_TRUE(box.ShouldWriteStrings(nullptr));
  EXPECT_FALSE(box.ShouldWriteStrings(&ancestor));
  ancestor.Items().Delete(1);
  ancestor.Items().Add("ITEM 1");
  EXPECT_FALSE(box.ShouldWriteStrings(&ancestor)) << "texts compare ignoring case";
  box.SetState(0, cbChecked);
  EXPECT_TRUE(box.ShouldWriteStrings(&ancestor)) << "the first item counts too";
  EXPECT_TRUE(box.ShouldWriteVersion(nullptr));
  EXPECT_FALSE(box.ShouldWriteVersion(&ancestor));
}

TEST(RxCheckListBox, ProfileKeys) {
  ProbeCheckList box;
  fill(box, 3);
  box.SetState(1, cbChecked);
  box.SetState(2, cbGrayed);
  MemoryProfile ini;
  ini.sections["S"]["Stale"] = "1";
  box.InternalSaveStates(ini, "S");
  EXPECT_EQ(ini.sections["S"], (std::map<std::string, std::string>{
                                   {"Count", "3"}, {"Item0", "0"}, {"Item1", "1"}, {"Item2", "2"}}));

  struct Case {
    std::map<std::string, std::string> keys;
    TCheckKind kind;
    std::vector<TCheckBoxState> expected;
  };
  const std::vector<Case> cases = {
      {{{"Count", "5"}, {"Item0", "2"}, {"Item1", "1"}, {"Item2", "0"}}, ckCheckBoxes, {G, C, U}},
      {{{"Count", "1"}, {"Item0", "1"}}, ckCheckBoxes, {C, C, C}},  // the rest stays
      {{{"Count", "3"}, {"Item0", "9"}, {"Item1", "-2"}, {"Item2", "x"}}, ckCheckBoxes, {U, U, U}},
      {{{"Count", "-3"}}, ckCheckBoxes, {C, C, C}},
      {{{"Count", "3"}, {"Item0", "0"}, {"Item1", "1"}, {"Item2", "1"}}, ckRadioButtons, {U, C, U}},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    ProbeCheckList target;
    fill(target, 3);
    target.SetCheckKind(cases[i].kind);
    if (cases[i].kind == ckCheckBoxes) target.ApplyState(cbChecked, false);
    MemoryProfile stored;
    stored.sections["S"] = cases[i].keys;
    target.InternalRestoreStates(stored, "S");
    EXPECT_EQ(states(target), cases[i].expected) << "case " << i;
  }
}

TEST(RxCheckListBox, AFormPlacementSavesAndRestoresNamedLists) {
  testing_support::TempProgramFolder folder;
  QWidget form;
  auto* named = new ProbeCheckList;
  named->setParent(&form);
  named->setObjectName("Checks");
  auto* unnamed = new ProbeCheckList;
  unnamed->setParent(&form);
  for (ProbeCheckList* box : {named, unnamed}) {
    fill(*box, 2);
    box->SetState(1, cbChecked);
  }
  auto* placement = new placemnt::TFormPlacement(&form);
  placement->SetIniFileName(folder.file("forms.ini"));
  placement->SetIniSection("Mine");
  named->SetIniStorage(placement);
  unnamed->SetIniStorage(placement);

  placement->RestoreFormPlacement();  // a placement saves once it has restored
  EXPECT_EQ(named->State(1), cbChecked) << "nothing stored yet";
  placement->SaveFormPlacement();
  apputils::TIniFile file(folder.file("forms.ini"));
  const std::string section = "Mine\\" + apputils::GetDefaultSection(named);
  EXPECT_EQ(file.ReadString(section, "Count", "-"), "2");
  EXPECT_EQ(file.ReadString(section, "Item1", "-"), "1");
  gui::TStringList sections;
  file.ReadSections(sections);
  EXPECT_EQ(sections.Count(), 2) << "the placement's own section and the named list's only";

  named->SetState(1, cbUnchecked);
  placement->RestoreFormPlacement();
  EXPECT_EQ(named->State(1), cbChecked);
}
