// Tests of dragging from the list boxes: a drop on a control that takes it, targets that refuse,
// the threshold that tells a click from a drag, the ways to cancel and the selection a cancelled
// drag leaves, and which presses of an automatic-drag list box begin a drag.
#include "controls/dormant/RxCheckListBox.h"
#include "controls/dormant/RxListBox.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/qt/WidgetInput.h"

using namespace rxctrls;
using gui::TControl;
using testing_support::SendMouse;

namespace {

std::string stateName(gui::TDragState state) {
  switch (state) {
    case gui::dsDragEnter: return "enter";
    case gui::dsDragLeave: return "leave";
    default: return "move";
  }
}

// A form with a source list (items "0" to "5", automatic drag) and, beside it, a check list box
// that takes drags from the source (or not, as `accepting` says) and a plain control.
class ListBoxDrag : public ::testing::Test {
protected:
  void SetUp() override {
    savedCursor = QCursor::pos();
    form.setGeometry(0, 0, 420, 200);
    source = new TRxCustomListBox(&form);
    source->SetBounds(10, 10, 120, 150);
    source->SetDragMode(dmAutomatic);
    for (int i = 0; i < 6; ++i) source->Items().Add(std::to_string(i));
    source->OnClick = [this](TControl*) { ++clicks; };
    source->OnMouseUp = [this](TControl*, gui::TMouseButton, gui::TShiftState, int, int) { ++mouseUps; };
    source->OnEndDrag = [this](TControl* sender, TControl* target, int x, int y) {
      ASSERT_EQ(sender, source);
      ended.push_back({target, x, y});
    };
    target = new TRxCheckListBox(&form);
    target->SetBounds(150, 10, 120, 150);
    for (int i = 0; i < 6; ++i) target->Items().Add("t" + std::to_string(i));
    target->OnDragOver = [this](TControl*, TControl* from, int x, int y, gui::TDragState state,
                                bool& accept) {
      over.push_back(stateName(state) + " " + std::to_string(x) + "," + std::to_string(y));
      accept = accepting && from == source;
    };
    target->OnDragDrop = [this](TControl*, TControl* from, int x, int y) {
      drops.push_back({from, x, y});
    };
    plain = new gui::TCustomControl(&form);
    plain->SetBounds(290, 10, 120, 150);
    form.show();
  }

  void TearDown() override {
    // The pointer goes back, and the moves that placing it queued go to this form, not to a
    // later test's.
    QCursor::setPos(savedCursor);
    QCoreApplication::processEvents();
  }

  // The middle of an item's text in a list box's widget coordinates.
  static QPoint itemPoint(TRxCustomListBox* box, int index) {
    gui::TRect r = box->ItemRect(index);
    int inset = box->BorderInset();
    return {r.Left + inset + 10, (r.Top + r.Bottom) / 2 + inset};
  }
  // Mouse input as the user gives it: the pointer is there, and the pressed control gets the
  // events while the button is held.
  void press(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QCursor::setPos(source->mapToGlobal(at));
    SendMouse(source, QEvent::MouseButtonPress, Qt::LeftButton, at, Qt::LeftButton, modifiers);
  }
  void moveTo(QPoint global) {
    QCursor::setPos(global);
    SendMouse(source, QEvent::MouseMove, Qt::NoButton, source->mapFromGlobal(global), Qt::LeftButton);
  }
  void release() {
    QPoint at = source->mapFromGlobal(QCursor::pos());
    SendMouse(source, QEvent::MouseButtonRelease, Qt::LeftButton, at, Qt::NoButton);
  }
  void escape() {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(source, &key);
  }
  // A global point in a list box's list client coordinates.
  static QPoint clientToGlobal(TRxCustomListBox* box, int x, int y) {
    return box->mapToGlobal(QPoint(x + box->BorderInset(), y + box->BorderInset()));
  }
  std::vector<int> selection() {
    std::vector<int> result;
    for (int i = 0; i < source->Items().Count(); ++i)
      if (source->Selected(i)) result.push_back(i);
    return result;
  }
  static Qt::CursorShape cursorShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::BitmapCursor;  // BitmapCursor: none shown
  }

  struct Ended {
    TControl* target;
    int x, y;
  };
  struct Drop {
    TControl* source;
    int x, y;
  };

  QPoint savedCursor;
  QWidget form;
  TRxCustomListBox* source = nullptr;
  TRxCheckListBox* target = nullptr;
  gui::TCustomControl* plain = nullptr;
  bool accepting = true;
  int clicks = 0;
  int mouseUps = 0;
  std::vector<std::string> over;
  std::vector<Drop> drops;
  std::vector<Ended> ended;
};

}  // namespace

TEST_F(ListBoxDrag, DropsOnAControlThatTakesTheDrag) {
  press(itemPoint(source, 1));
  EXPECT_TRUE(source->Dragging());
  EXPECT_EQ(source->ItemIndex(), 1) << "a single-select list takes the click before the drag";
  EXPECT_EQ(mouseUps, 1) << "the drag ends the press for the list";

  moveTo(clientToGlobal(target, 30, 20));
  EXPECT_EQ(cursorShape(), Qt::DragMoveCursor);
  moveTo(clientToGlobal(target, 40, 25));
  release();

  EXPECT_EQ(over, (std::vector<std::string>{"enter 30,20", "move 30,20", "move 40,25", "leave 40,25"}));
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0].source, source);
  EXPECT_EQ(drops[0].x, 40) << "list client coordinates, inside the border";
  EXPECT_EQ(drops[0].y, 25);
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0].target, target);
  EXPECT_EQ(ended[0].x, 40);
  EXPECT_EQ(ended[0].y, 25);
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(mouseUps, 1) << "the release belonged to the drag";
  EXPECT_EQ(source->ItemIndex(), 1);
}

TEST_F(ListBoxDrag, NothingDropsWhereNoControlTakesTheDrag) {
  struct Where {
    const char* name;
    std::function<QPoint()> point;
    bool asksTarget;
    bool targetAccepts;
  };
  const std::vector<Where> places = {
      {"a list that refuses", [this] { return clientToGlobal(target, 30, 20); }, true, false},
      {"a plain control", [this] { return plain->mapToGlobal(QPoint(20, 20)); }, false, true},
      {"the form itself", [this] { return form.mapToGlobal(QPoint(140, 180)); }, false, true},
      {"the source (no drag events)", [this] { return clientToGlobal(source, 30, 40); }, false, true},
  };
  for (const Where& where : places) {
    SCOPED_TRACE(where.name);
    over.clear();
    drops.clear();
    ended.clear();
    accepting = where.targetAccepts;
    source->SetItemIndex(4);
    press(itemPoint(source, 4));
    moveTo(where.point());
    EXPECT_EQ(cursorShape(), Qt::ForbiddenCursor);
    release();
    EXPECT_EQ(!over.empty(), where.asksTarget);
    EXPECT_TRUE(drops.empty());
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].target, nullptr);
    EXPECT_EQ(ended[0].x, 0);
    EXPECT_EQ(ended[0].y, 0);
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  }
}

TEST_F(ListBoxDrag, DragBeginsOnceThePointerMovesTheThreshold) {
  struct Case {
    bool immediate;
    int dx, dy;
    bool begun;
  };
  const Case cases[] = {
      {false, 4, 4, false}, {false, -4, 0, false}, {false, 5, 0, true},
      {false, 0, -5, true}, {true, 0, 0, true},
  };
  source->SetDragMode(dmManual);
  accepting = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "immediate " << c.immediate << " by " << c.dx << "," << c.dy);
    // Over the source's own item 2 (the source takes no drag: the cursor says so once begun).
    QPoint start = source->mapToGlobal(itemPoint(source, 2));
    QCursor::setPos(start);
    source->BeginDrag(c.immediate);
    moveTo(start + QPoint(c.dx, c.dy));
    EXPECT_EQ(cursorShape(), c.begun ? Qt::ForbiddenCursor : Qt::BitmapCursor);
    source->CancelDrag();
  }
}

TEST_F(ListBoxDrag, AReleaseBeforeTheThresholdIsAClick) {
  source->SetMultiSelect(true);
  source->SetSelected(1, true);
  source->SetSelected(3, true);
  press(itemPoint(source, 3));
  EXPECT_TRUE(source->Dragging());
  EXPECT_EQ(selection(), (std::vector<int>{1, 3})) << "the press on a selected item waits";
  moveTo(source->mapToGlobal(itemPoint(source, 3)) + QPoint(3, 2));
  release();

  EXPECT_EQ(selection(), std::vector<int>{3}) << "the release clicked the item alone";
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(over.empty());
  EXPECT_TRUE(drops.empty());
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0].target, nullptr);
}

TEST_F(ListBoxDrag, CancellingSelectsTheItemUnderThePointer) {
  struct Case {
    const char* name;
    std::function<void()> cancel;
  };
  const Case cases[] = {
      {"Escape", [this] { escape(); }},
      {"right button",
       [this] {
         SendMouse(source, QEvent::MouseButtonPress, Qt::RightButton,
                   source->mapFromGlobal(QCursor::pos()), Qt::LeftButton | Qt::RightButton);
       }},
      {"CancelDrag", [this] { source->CancelDrag(); }},
  };
  source->SetMultiSelect(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ended.clear();
    drops.clear();
    for (int i = 0; i < 6; ++i) source->SetSelected(i, i == 1 || i == 2);
    press(itemPoint(source, 2));
    moveTo(clientToGlobal(target, 30, 20));
    moveTo(source->mapToGlobal(itemPoint(source, 4)));
    c.cancel();
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(selection(), std::vector<int>{4});
    EXPECT_TRUE(drops.empty());
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].target, nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    release();  // the button comes up after the drag: an ordinary release
    EXPECT_EQ(ended.size(), 1u);
  }
}

TEST_F(ListBoxDrag, WhichPressesBeginADrag) {
  struct Case {
    bool multiSelect;
    Qt::KeyboardModifiers keys;
    int item;  // item 1 is selected before the press, the others are not
    bool drags;
    std::vector<int> selectedAfter;
  };
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const Case cases[] = {
      {false, none, 3, true, {3}},
      {false, Qt::ControlModifier, 3, true, {3}},
      {true, none, 1, true, {1}},  // on a selected item: the drag without the click
      {true, none, 3, true, {3}},
      {true, Qt::ControlModifier, 1, true, {1}},
      {true, Qt::ControlModifier, 3, false, {1, 3}},
      {true, Qt::ShiftModifier, 1, false, {1}},
      {true, Qt::ShiftModifier | Qt::ControlModifier, 1, true, {1}},
      {true, Qt::ShiftModifier | Qt::ControlModifier, 3, false, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "multi " << c.multiSelect << " keys " << int(c.keys)
                                    << " item " << c.item);
    source->SetMultiSelect(c.multiSelect);
    // Item 1 alone selected, and the anchor of Shift-clicks, by a click without a drag.
    source->SetDragMode(dmManual);
    press(itemPoint(source, 1));
    release();
    source->SetDragMode(dmAutomatic);
    press(itemPoint(source, c.item), c.keys);
    EXPECT_EQ(source->Dragging(), c.drags);
    EXPECT_EQ(selection(), c.selectedAfter);
    source->CancelDrag();
    release();
  }
}

TEST_F(ListBoxDrag, ASourceDestroyedDuringItsDragEndsIt) {
  press(itemPoint(source, 1));
  moveTo(clientToGlobal(target, 30, 20));
  ASSERT_EQ(cursorShape(), Qt::DragMoveCursor);
  delete source;
  source = nullptr;
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  SendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(30, 20), Qt::NoButton);
  EXPECT_TRUE(drops.empty());
  EXPECT_TRUE(ended.empty());
}
