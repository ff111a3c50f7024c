// TUpDown, the class library's up-down control: two arrow buttons that step a position within
// Min..Max (wrapping round when Wrap is set) and report each press through Click, which by
// default calls OnClick with the button pressed. Horizontal: the left arrow is "previous", the
// right one "next"; vertical: the upper arrow is "next".
#pragma once

#include <QWidget>

#include <functional>

class QToolButton;

namespace gui {

enum TUDBtnType { btNext, btPrev };
enum TUDOrientation { udHorizontal, udVertical };

class TUpDown : public QWidget {
public:
  explicit TUpDown(QWidget* parent = nullptr);

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const { return position_; }
  void SetPosition(int position);
  bool Wrap() const { return wrap_; }
  void SetWrap(bool wrap) { wrap_ = wrap; }
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation orientation);

  // Presses a button as a click of the user does.
  void Press(TUDBtnType button);
  QToolButton* Button(TUDBtnType button) const { return button == btNext ? next_ : prev_; }

  std::function<void(TUpDown*, TUDBtnType)> OnClick;

protected:
  // A press after the position has moved (or stayed at its end): calls OnClick.
  virtual void Click(TUDBtnType button);
  void resizeEvent(QResizeEvent* event) override;
  // Places the two buttons over the control's client area.
  void LayoutButtons();

private:
  QToolButton* next_;
  QToolButton* prev_;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  bool wrap_ = false;
  TUDOrientation orientation_ = udVertical;
};

}  // namespace gui
