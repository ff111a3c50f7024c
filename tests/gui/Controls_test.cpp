#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "support/qt/WidgetInput.h"
#include "gui/Controls.h"
#include "gui/CustomLabel.h"

using namespace gui;

namespace {

// Logs every virtual the control layer calls.
template <typename Base>
class Recorder : public Base {
public:
  using Base::Base;
  std::vector<std::string> log;
  bool consumeKeys = false;
  unsigned stateInLoaded = 0;
  bool paintCopy = false;

protected:
  void add(const std::string& s) { log.push_back(s); }
  static std::string shift(TShiftState s) {
    std::string out;
    const char* names[] = {"Shift", "Alt", "Ctrl", "Left", "Right", "Middle", "Double"};
    for (int i = 0; i < 7; ++i) {
      if (s & (1u << i)) out += std::string(out.empty() ? "" : "+") + names[i];
    }
    return out.empty() ? "-" : out;
  }
  void Paint() override {
    paintCopy = this->ControlState() & csPaintCopy;
    this->Canvas().Brush.Color = clRed;
    this->Canvas().FillRect(Rect(0, 0, 4, 4));
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    add("down " + std::to_string(b) + " " + shift(s) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    add("up " + std::to_string(b) + " " + shift(s));
  }
  void MouseMove(TShiftState s, int x, int y) override { add("move " + shift(s)); }
  void Click() override { add("click"); }
  void DblClick() override { add("dblclick"); }
  void KeyDown(uint16_t& key, TShiftState s) override {
    add("keydown " + std::to_string(key) + " " + shift(s));
    if (consumeKeys) key = 0;
  }
  void KeyUp(uint16_t& key, TShiftState s) override { add("keyup " + std::to_string(key)); }
  void KeyPress(char& key) override { add(std::string("press ") + key); }
  void MouseEnter() override { add("enter"); }
  void MouseLeave() override { add("leave"); }
  void EnabledChanged() override { add("enabled"); }
  void FontChanged() override { add("font"); }
  void TextChanged() override { add("text"); }
  void VisibleChanged() override { add("visible"); }
  void Loaded() override {
    stateInLoaded = this->ComponentState();
    Base::Loaded();
    add("loaded");
  }
};

using CustomRecorder = Recorder<TCustomControl>;

void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint at,
           Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  testing_support::SendMouse(w, type, button, at, buttons, modifiers);
}

void key(QWidget* w, QEvent::Type type, int qtKey, Qt::KeyboardModifiers modifiers,
         const QString& text = {}) {
  QKeyEvent event(type, qtKey, modifiers, text);
  QCoreApplication::sendEvent(w, &event);
}

}  // namespace

TEST(Controls, MouseEventsBecomeMouseDownClickAndMouseUp) {
  CustomRecorder control;
  control.SetBounds(0, 0, 40, 30);
  mouse(&control, QEvent::MouseButtonPress, Qt::LeftButton, {5, 6}, Qt::LeftButton, Qt::ShiftModifier);
  mouse(&control, QEvent::MouseMove, Qt::NoButton, {7, 6}, Qt::LeftButton);
  mouse(&control, QEvent::MouseButtonRelease, Qt::LeftButton, {7, 6}, Qt::NoButton);
  // The second press of a double click: DblClick and a down with ssDouble, but no Click.
  mouse(&control, QEvent::MouseButtonDblClick, Qt::LeftButton, {7, 6}, Qt::LeftButton);
  mouse(&control, QEvent::MouseButtonRelease, Qt::LeftButton, {7, 6}, Qt::NoButton);
  // A release outside the control is no click.
  mouse(&control, QEvent::MouseButtonPress, Qt::LeftButton, {5, 5}, Qt::LeftButton);
  mouse(&control, QEvent::MouseButtonRelease, Qt::LeftButton, {50, 5}, Qt::NoButton);
  mouse(&control, QEvent::MouseButtonPress, Qt::RightButton, {1, 2}, Qt::RightButton,
        Qt::ControlModifier | Qt::AltModifier);
  std::vector<std::string> expected = {
      "down 0 Shift+Left 5,6", "move Left", "click", "up 0 -",
      "dblclick", "down 0 Left+Double 7,6", "up 0 -",
      "down 0 Left 5,5", "up 0 -",
      "down 1 Alt+Ctrl+Right 1,2",
  };
  EXPECT_EQ(control.log, expected);
}

TEST(Controls, ControlsWithoutDoubleClicksSeeASecondPress) {
  CustomRecorder control;
  control.SetBounds(0, 0, 40, 30);
  control.SetControlStyle(csClickEvents);
  mouse(&control, QEvent::MouseButtonDblClick, Qt::LeftButton, {1, 1}, Qt::LeftButton);
  mouse(&control, QEvent::MouseButtonRelease, Qt::LeftButton, {1, 1}, Qt::NoButton);
  EXPECT_EQ(control.log, (std::vector<std::string>{"down 0 Left 1,1", "click", "up 0 -"}));
}

TEST(Controls, KeysBecomeVirtualKeysAndUnconsumedKeysReachTheParent) {
  CustomRecorder parent;
  auto* child = new CustomRecorder(&parent);
  key(child, QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(child->log, std::vector<std::string>{"keydown 37 Shift"});
  EXPECT_EQ(parent.log, std::vector<std::string>{"keydown 37 Shift"});
  child->consumeKeys = true;
  key(child, QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
  EXPECT_EQ(parent.log.size(), 1u);
  child->consumeKeys = false;
  child->log.clear();
  key(child, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  key(child, QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
  EXPECT_EQ(child->log, (std::vector<std::string>{"keydown 65 -", "press a", "keyup 65"}));
}

TEST(Controls, VirtualKeyTable) {
  struct Case {
    int qt;
    Qt::KeyboardModifiers modifiers;
    uint16_t vk;
  } cases[] = {
      {Qt::Key_Left, Qt::NoModifier, VK_LEFT},      {Qt::Key_PageUp, Qt::NoModifier, VK_PRIOR},
      {Qt::Key_A, Qt::NoModifier, 'A'},             {Qt::Key_7, Qt::NoModifier, '7'},
      {Qt::Key_7, Qt::KeypadModifier, 0x67},        {Qt::Key_Plus, Qt::KeypadModifier, VK_ADD},
      {Qt::Key_Plus, Qt::NoModifier, VK_OEM_PLUS},  {Qt::Key_Exclam, Qt::ShiftModifier, '1'},
      {Qt::Key_F12, Qt::NoModifier, 0x7B},          {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN},
      {Qt::Key_Escape, Qt::NoModifier, VK_ESCAPE},  {Qt::Key_unknown, Qt::NoModifier, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(VirtualKeyFromQt(c.qt, c.modifiers), c.vk) << c.qt;
  EXPECT_EQ(QtKeyFromVirtualKey(VK_OEM_PLUS), Qt::Key_Equal);
  EXPECT_EQ(QtKeyFromVirtualKey(0x63), Qt::Key_3);
  EXPECT_EQ(QtKeyFromVirtualKey(VK_RETURN), Qt::Key_Return);
  EXPECT_EQ(QtKeyFromVirtualKey(0xFF), 0);
}

TEST(Controls, PropertyChangesCallTheirVirtualsOnce) {
  CustomRecorder control;
  control.SetEnabled(false);
  TFont font;
  font.Height = -20;
  control.SetFont(font);
  control.SetFont(font);
  control.SetCaption("Volume");
  control.SetCaption("Volume");
  EXPECT_TRUE(control.Visible());
  control.setVisible(false);
  control.setVisible(false);
  EXPECT_FALSE(control.Visible());
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(&control, &enter);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&control, &leave);
  EXPECT_EQ(control.log, (std::vector<std::string>{"enabled", "font", "text", "visible", "enter",
                                                    "leave"}));
  control.log.clear();
  control.BeginReading();
  EXPECT_EQ(control.ComponentState(), unsigned(csLoading | csReading));
  control.EndReading();
  EXPECT_EQ(control.stateInLoaded, unsigned(csLoading));
  EXPECT_EQ(control.ComponentState(), 0u);
  EXPECT_EQ(control.log, std::vector<std::string>{"loaded"});
}

TEST(Controls, GraphicControlsAreTransparentWhereTheyDoNotPaint) {
  Recorder<TGraphicControl> graphic;
  graphic.SetBounds(0, 0, 8, 8);
  QImage image = graphic.Snapshot();
  EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(qAlpha(image.pixel(6, 6)), 0);
  CustomRecorder custom;
  custom.SetBounds(0, 0, 8, 8);
  custom.SetColor(clBlue);
  image = custom.Snapshot();
  EXPECT_EQ(image.pixel(6, 6), qRgb(0, 0, 255));  // the erased background
  // Painting a copy onto another canvas sets csPaintCopy while Paint runs.
  QImage target(10, 10, QImage::Format_RGB32);
  target.fill(Qt::white);
  TCanvas canvas(&target);
  graphic.PaintTo(canvas, 2, 2);
  EXPECT_TRUE(graphic.paintCopy);
  EXPECT_EQ(graphic.ControlState(), 0u);
  EXPECT_EQ(target.pixel(3, 3), qRgb(255, 0, 0));
  EXPECT_EQ(target.pixel(8, 8), qRgb(255, 255, 255));
}

namespace {

class Label : public TCustomLabel {
public:
  using TCustomLabel::TCustomLabel;
  using TCustomLabel::DialogChar;
};

}  // namespace

TEST(CustomLabel, AutoSizeMeasuresTheCaption) {
  QWidget form;
  Label label(&form);
  TCanvas& c = label.Canvas();
  c.Font = label.Font();
  EXPECT_EQ(label.Width(), 65);  // the constructor's size until something measures
  label.BeginReading();
  label.EndReading();
  EXPECT_EQ(label.Width(), c.TextWidth(" "));  // an empty caption keeps one line
  EXPECT_EQ(label.Height(), c.TextHeight(" "));
  label.SetAlignment(taRightJustify);
  label.SetBounds(100, 10, label.Width(), label.Height());
  int right = label.Left() + label.Width();
  label.SetCaption("&Brightness");
  EXPECT_EQ(label.Width(), c.TextWidth("Brightness"));
  EXPECT_EQ(label.Left() + label.Width(), right);  // grows to the left
  label.SetAutoSize(false);
  label.SetCaption("B");
  EXPECT_EQ(label.Width(), c.TextWidth("Brightness"));
  // While a layout is read nothing is measured; Loaded measures.
  label.SetAutoSize(true);
  label.BeginReading();
  label.SetCaption("Contrast and more");
  EXPECT_EQ(label.Width(), c.TextWidth("B"));
  label.EndReading();
  EXPECT_EQ(label.Width(), c.TextWidth("Contrast and more"));
}

TEST(CustomLabel, TransparencyAndTheAcceleratorKey) {
  QWidget form;
  Label label(&form);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 30, 20);
  label.SetColor(clYellow);
  EXPECT_EQ(label.Snapshot().pixel(29, 19), qRgb(255, 255, 0));
  label.SetTransparent(true);
  EXPECT_EQ(qAlpha(label.Snapshot().pixel(29, 19)), 0);

  auto* edit = new QLineEdit(&form);
  form.show();
  label.SetCaption("&Name");
  label.SetFocusControl(edit);
  EXPECT_FALSE(label.DialogChar('x'));
  EXPECT_TRUE(label.DialogChar('n'));
  EXPECT_TRUE(IsAccel('N', "&Name"));
  EXPECT_FALSE(IsAccel('N', "&&Name"));
  EXPECT_TRUE(IsAccel('a', "&&N&ame"));
  label.SetShowAccelChar(false);
  EXPECT_FALSE(label.DialogChar('n'));
  label.SetShowAccelChar(true);
  delete edit;  // the label lets go of a destroyed focus control
  EXPECT_EQ(label.FocusControl(), nullptr);
  EXPECT_FALSE(label.DialogChar('n'));
}
