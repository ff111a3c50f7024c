#include "gui/Controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include "gui/Cp1251.h"

namespace gui {

namespace {

TMouseButton buttonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
  }
}

// The character that follows a single '&' in a caption, or 0.
char acceleratorOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;
  }
  return 0;
}

}  // namespace

bool IsAccel(char key, const std::string& caption) {
  char mark = acceleratorOf(caption);
  return mark != 0 && AnsiUpperCase(std::string(1, mark)) == AnsiUpperCase(std::string(1, key));
}

// --- TControl -------------------------------------------------------------------------------

TControl::TControl(QWidget* parent) : QWidget(parent), canvas_(&buffer_) {
  setMouseTracking(true);
  if (qApp) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusChanged(now); });
  }
}

// A control destroyed while it has the focus makes QWidget's destructor move the focus; the
// derived parts are gone by then, so the focus notice must not reach FocusChanged.
TControl::~TControl() {
  if (qApp) disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::SetFont(const TFont& font) {
  if (font == font_) return;
  font_ = font;
  FontChanged();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  TextChanged();
}

bool TControl::Visible() const {
  return !(testAttribute(Qt::WA_WState_ExplicitShowHide) && isHidden());
}

void TControl::setVisible(bool visible) {
  bool changed = visible != Visible();
  QWidget::setVisible(visible);
  if (changed) VisibleChanged();
}

void TControl::SetStyleFlag(unsigned flag, bool on) {
  controlStyle_ = on ? controlStyle_ | flag : controlStyle_ & ~flag;
}

void TControl::BeginReading() { componentState_ |= csLoading | csReading; }

void TControl::EndReading() {
  componentState_ &= ~csReading;
  Loaded();
}

void TControl::Loaded() { componentState_ &= ~csLoading; }

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TControl::UpdateAccelerator(const std::string& caption, bool enabled) {
  char mark = enabled ? acceleratorOf(caption) : 0;
  if (!mark) {
    delete accelerator_;
    accelerator_ = nullptr;
    return;
  }
  acceleratorKey_ = mark;
  QString key = FromCp1251(std::string(1, mark)).toUpper();
  if (!accelerator_) {
    accelerator_ = new QShortcut(this);
    accelerator_->setContext(Qt::WindowShortcut);
    connect(accelerator_, &QShortcut::activated, this, [this] { DialogChar(acceleratorKey_); });
  }
  accelerator_->setKey(QKeySequence(QStringLiteral("Alt+") + key));
}

void TControl::paintInto(QImage& buffer) {
  EraseBackground(buffer);
  QImage* previous = canvas_.Image();
  canvas_.SetImage(&buffer);
  canvas_.ResetDeviceState();
  try {
    Paint();
  } catch (...) {
    canvas_.SetImage(previous);
    throw;
  }
  canvas_.SetImage(previous);
}

void TControl::paintEvent(QPaintEvent*) {
  if (buffer_.size() != size()) {
    buffer_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    buffer_.fill(0);
  }
  paintInto(buffer_);
  QPainter painter(this);
  painter.setCompositionMode(OpaqueBuffer() ? QPainter::CompositionMode_Source
                                            : QPainter::CompositionMode_SourceOver);
  painter.drawImage(0, 0, buffer_);
}

void TControl::PaintTo(TCanvas& canvas, int x, int y) {
  if (!canvas.Image() || width() <= 0 || height() <= 0) return;
  QImage copy(size(), QImage::Format_ARGB32_Premultiplied);
  copy.fill(0);
  controlState_ |= csPaintCopy;
  try {
    paintInto(copy);
  } catch (...) {
    controlState_ &= ~csPaintCopy;
    throw;
  }
  controlState_ &= ~csPaintCopy;
  QPainter painter(canvas.Image());
  canvas.preparePainter(painter);
  painter.drawImage(x, y, copy);
}

QImage TControl::Snapshot() {
  QImage image(size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(0);
  paintInto(image);
  return image;
}

void TControl::mousePressEvent(QMouseEvent* event) {
  Qt::MouseButton button = event->button();
  if (button == Qt::LeftButton && (controlStyle_ & csClickEvents)) clicked_ = true;
  QPoint p = event->position().toPoint();
  MouseDown(buttonOf(button), ShiftStateFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TControl::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!(controlStyle_ & csDoubleClicks)) {
    mousePressEvent(event);
    return;
  }
  // A double click counts as no click: only the first press starts one.
  if (event->button() == Qt::LeftButton && (controlStyle_ & csClickEvents)) DblClick();
  QPoint p = event->position().toPoint();
  MouseDown(buttonOf(event->button()),
            ShiftStateFromQt(event->modifiers(), event->buttons()) | ssDouble, p.x(), p.y());
}

void TControl::mouseMoveEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  MouseMove(ShiftStateFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TControl::mouseReleaseEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton && clicked_) {
    clicked_ = false;
    if (rect().contains(p)) Click();
  }
  MouseUp(buttonOf(event->button()), ShiftStateFromQt(event->modifiers(), event->buttons()),
          p.x(), p.y());
}

void TControl::keyPressEvent(QKeyEvent* event) {
  TShiftState shift = ShiftStateFromQt(event->modifiers(), Qt::NoButton);
  uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
  if (key != 0) {
    KeyDown(key, shift);
    if (key == 0) return;
  }
  // The character of the key, control characters (Enter, Esc, Backspace) included.
  if (!event->text().isEmpty()) {
    char c = ToCp1251(event->text().left(1))[0];
    KeyPress(c);
    if (c == 0) return;
  }
  event->ignore();
}

void TControl::keyReleaseEvent(QKeyEvent* event) {
  uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
  if (key != 0) {
    KeyUp(key, ShiftStateFromQt(event->modifiers(), Qt::NoButton));
    if (key == 0) return;
  }
  event->ignore();
}

void TControl::enterEvent(QEnterEvent*) { MouseEnter(); }

void TControl::leaveEvent(QEvent*) { MouseLeave(); }

void TControl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) EnabledChanged();
  QWidget::changeEvent(event);
}

void TControl::resizeEvent(QResizeEvent*) { Resized(); }

// --- TGraphicControl ------------------------------------------------------------------------

TGraphicControl::TGraphicControl(QWidget* parent) : TControl(parent) {
  setFocusPolicy(Qt::NoFocus);
}

void TGraphicControl::EraseBackground(QImage& buffer) { buffer.fill(0); }

// --- TCustomControl -------------------------------------------------------------------------

TCustomControl::TCustomControl(QWidget* parent) : TControl(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void TCustomControl::SetTabStop(bool tabStop) {
  setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
}

void TCustomControl::EraseBackground(QImage& buffer) {
  if (ControlStyle() & csOpaque) return;
  buffer.fill(ToQColor(Color()));
}

}  // namespace gui
