// Tests of the list boxes: the horizontal extent after adds and deletes, Columns and the window's
// re-creation, item rectangles and hit tests at the list's edges, item text and index errors,
// selection rules, and painting into a canvas the caller gives.
#include "controls/dormant/RxListBox.h"
#include "controls/dormant/TextListBox.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/Exceptions.h"

using namespace rxctrls;
using gui::TRect;

namespace {

// Opens the protected hooks and counts window creations and owner-draw messages.
class ProbeListBox : public TRxCustomListBox {
public:
  using TRxCustomListBox::SetAutoScroll;
  int StoredItemHeightForTest() const { return StoredItemHeight(); }
  int creations = 0;
  std::vector<int> measured;
  std::vector<int> drawn;

protected:
  void CreateWnd() override {
    ++creations;
    TRxCustomListBox::CreateWnd();
  }
  void Dispatch(TMessage& m) override {
    if (m.Msg == CN_MEASUREITEM) measured.push_back(reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemID);
    if (m.Msg == CN_DRAWITEM) drawn.push_back(reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->itemID);
    TRxCustomListBox::Dispatch(m);
  }
};

int extent(TListBoxWindow& box) { return int(box.Perform(LB_GETHORIZONTALEXTENT)); }

int lineWidth(TListBoxWindow& box, const std::string& line) {
  return box.Canvas().TextWidth(line + "x");
}

const std::string kWide(60, 'W');

}  // namespace

TEST(RxListBox, ExtentFollowsTheWidestLineThroughAddsAndDeletes) {
  ProbeListBox box;
  box.SetAutoScroll(true);
  box.Items().Add("short");
  EXPECT_EQ(extent(box), lineWidth(box, "short"));
  box.Items().Add(kWide);
  box.Items().Add("middle line");
  EXPECT_EQ(extent(box), lineWidth(box, kWide)) << "a wider line widens the extent at once";

  box.Perform(WM_HSCROLL, SB_LINERIGHT);
  ASSERT_LT(box.ItemRect(0).Left, 0) << "scrolled right";
  const int scrolled = box.ItemRect(0).Left;
  box.Items().Delete(2);
  EXPECT_EQ(extent(box), lineWidth(box, kWide)) << "a narrower line leaves the extent";
  EXPECT_EQ(box.ItemRect(0).Left, scrolled) << "and the scroll position";

  box.Items().Delete(1);
  EXPECT_EQ(extent(box), lineWidth(box, "short")) << "the extent shrinks to the widest left";
  EXPECT_EQ(box.ItemRect(0).Left, 0) << "deleting the widest line scrolls to the start";

  box.Items().Clear();
  EXPECT_EQ(extent(box), 0);
}

TEST(RxListBox, ExtentIsKeptOnlyWhileAutoScrollReadsTrue) {
  ProbeListBox box;
  box.Items().Add(kWide);
  EXPECT_EQ(extent(box), 0) << "AutoScroll is off after construction";
  box.SetAutoScroll(true);
  EXPECT_EQ(extent(box), lineWidth(box, kWide)) << "turning it on measures the lines";

  box.SetColumns(2);
  EXPECT_FALSE(box.AutoScroll()) << "a multi-column list never scrolls sideways";
  box.Items().Add(kWide + kWide);
  EXPECT_EQ(extent(box), 0);
}

TEST(TextListBox, AlwaysKeepsTheExtent) {
  TTextListBox box;
  box.Items().Add("one");
  box.Items().Add(kWide);
  EXPECT_EQ(extent(box), lineWidth(box, kWide));
  box.Items().Delete(1);
  EXPECT_EQ(extent(box), lineWidth(box, "one"));
}

TEST(RxListBox, ColumnsRecreateTheWindowOnlyToAndFromZero) {
  ProbeListBox box;
  for (const char* s : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}) box.Items().Add(s);
  box.SetTopIndex(3);
  box.SetItemIndex(5);
  const int before = box.creations;

  box.SetColumns(2);
  EXPECT_EQ(box.creations, before + 1);
  EXPECT_EQ(box.Items().Count(), 10);
  EXPECT_EQ(box.Items().Get(9), "j");
  EXPECT_EQ(box.TopIndex(), 3);
  EXPECT_EQ(box.ItemIndex(), 5);

  box.SetColumns(3);
  EXPECT_EQ(box.creations, before + 1) << "2 to 3 keeps the window";
}

TEST(RxListBox, ItemRectAtAndBeyondTheEnd) {
  ProbeListBox box;
  for (const char* s : {"one", "two", "three"}) box.Items().Add(s);
  const TRect last = box.ItemRect(2);
  ASSERT_GT(last.Height(), 0);
  TRect below = last;
  below.Top += last.Height();
  below.Bottom += last.Height();

  struct Case {
    int index;
    TRect expected;
  };
  for (const Case& c : {Case{3, below}, Case{4, TRect{}}, Case{-1, TRect{}}, Case{-5, TRect{}}}) {
    EXPECT_EQ(box.ItemRect(c.index), c.expected) << "index " << c.index;
  }

  box.Items().Clear();
  EXPECT_EQ(box.ItemRect(0), TRect{}) << "an empty list has no item rectangles";
}

TEST(RxListBox, ItemAtPosBelowTheLastItemAndOutside) {
  ProbeListBox box;
  box.SetBounds(0, 0, 120, 200);
  box.Items().Add("one");
  box.Items().Add("two");
  const TRect second = box.ItemRect(1);
  const gui::TPoint inside{5, second.Top + 1};
  const gui::TPoint below{5, second.Bottom + 5};

  EXPECT_EQ(box.ItemAtPos(inside, true), 1);
  EXPECT_EQ(box.ItemAtPos(below, false), 2) << "Count when the item need not exist";
  EXPECT_EQ(box.ItemAtPos(below, true), -1);
  EXPECT_EQ(box.ItemAtPos({-1, 1}, false), -1) << "outside the client area";
}

TEST(RxListBox, PropertySetterRules) {
  ProbeListBox box;
  box.SetTabWidth(-5);
  EXPECT_EQ(box.TabWidth(), 0);
  box.SetItemHeight(0);
  EXPECT_EQ(box.StoredItemHeightForTest(), 16);
}

TEST(RxListBox, ItemErrorsAndLongTexts) {
  ProbeListBox box;
  box.Items().Add("one");
  try {
    box.Items().Get(5);
    FAIL() << "no error";
  } catch (const gui::EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
  EXPECT_THROW(box.Items().GetObject(-1), gui::EStringListError);
  EXPECT_THROW(box.Selected(3), gui::EStringListError);

  // A text longer than the read buffer reads cut, never past the buffer.
  box.Items().Add(std::string(5000, 'z'));
  EXPECT_EQ(box.Items().Get(1), std::string(kItemTextBuffer - 1, 'z'));
}

TEST(RxListBox, SelectedInSingleAndMultiSelectLists) {
  ProbeListBox box;
  for (const char* s : {"a", "b", "c"}) box.Items().Add(s);
  box.SetSelected(1, true);
  EXPECT_EQ(box.ItemIndex(), 1);
  box.SetSelected(2, false);
  EXPECT_EQ(box.ItemIndex(), 1) << "clearing another item leaves the current one";
  box.SetSelected(1, false);
  EXPECT_EQ(box.ItemIndex(), -1);

  box.SetMultiSelect(true);
  box.SetSelected(0, true);
  box.SetSelected(2, true);
  EXPECT_EQ(box.SelCount(), 2);
  EXPECT_TRUE(box.Selected(2));
  EXPECT_FALSE(box.Selected(1));
  EXPECT_THROW(box.SetSelected(7, true), gui::EStringListError);
}

TEST(RxListBox, PaintingIntoAGivenCanvasWithAnEmptyList) {
  ProbeListBox box;
  box.SetBounds(0, 0, 60, 40);
  box.HandleNeeded();
  box.measured.clear();
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(Qt::black);
  gui::TCanvas dc(&image);
  box.Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&dc));

  EXPECT_EQ(box.measured, std::vector<int>{0});
  EXPECT_EQ(box.drawn, std::vector<int>{0});
  const QRgb window = image.pixel(1, 1);
  EXPECT_NE(window, qRgb(0, 0, 0)) << "the item's rectangle is filled";
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(image.pixel(x, y), window) << "no text at " << x << "," << y;
}
