#include "gui/UpDown.h"

#include <QToolButton>

#include <algorithm>

namespace gui {

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), next_(new QToolButton(this)), prev_(new QToolButton(this)) {
  for (QToolButton* b : {next_, prev_}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
  }
  connect(next_, &QToolButton::clicked, this, [this] { Press(btNext); });
  connect(prev_, &QToolButton::clicked, this, [this] { Press(btPrev); });
  SetOrientation(udVertical);
}

void TUpDown::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  position_ = std::clamp(position_, min_, max_);
}

void TUpDown::SetPosition(int position) { position_ = std::clamp(position, min_, max_); }

void TUpDown::SetOrientation(TUDOrientation orientation) {
  orientation_ = orientation;
  next_->setArrowType(orientation == udHorizontal ? Qt::RightArrow : Qt::UpArrow);
  prev_->setArrowType(orientation == udHorizontal ? Qt::LeftArrow : Qt::DownArrow);
  LayoutButtons();
}

// The position moves (or wraps) first; the click is reported whether or not it moved.
void TUpDown::Press(TUDBtnType button) {
  int p = position_ + (button == btNext ? 1 : -1);
  if (p > max_) p = wrap_ ? min_ : max_;
  if (p < min_) p = wrap_ ? max_ : min_;
  position_ = p;
  Click(button);
}

void TUpDown::Click(TUDBtnType button) {
  if (OnClick) OnClick(this, button);
}

void TUpDown::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutButtons();
}

void TUpDown::LayoutButtons() {
  if (orientation_ == udHorizontal) {
    const int half = width() / 2;
    prev_->setGeometry(0, 0, half, height());
    next_->setGeometry(half, 0, width() - half, height());
  } else {
    const int half = height() / 2;
    next_->setGeometry(0, 0, width(), half);
    prev_->setGeometry(0, half, width(), height() - half);
  }
}

}  // namespace gui
