#include "gui/CustomEdit.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>

#include "gui/Cp1251.h"

namespace gui {

namespace {

bool windowOrPopupReason(const QFocusEvent* event) {
  return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

}  // namespace

char TypedChar(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Backspace: return '\b';
    case Qt::Key_Return:
    case Qt::Key_Enter: return '\r';
    case Qt::Key_Escape: return 27;
    case Qt::Key_Delete: return 0;
    default: break;
  }
  if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return 0;
  QString text = event->text();
  if (text.isEmpty() || !text[0].isPrint()) return 0;
  std::string bytes = ToCp1251(text.left(1));
  return bytes.empty() ? 0 : bytes[0];
}

TCustomEdit::TCustomEdit(QWidget* parent) : QLineEdit(parent) {
  SetFont(font_);
  SetColor(color_);
  connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

// --- properties -------------------------------------------------------------------------------

std::string TCustomEdit::Text() const { return ToCp1251(text()); }

void TCustomEdit::SetText(const std::string& text) {
  QString value = FromCp1251(text);
  if (value != this->text()) setText(value);
}

void TCustomEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  UpdateEditable();
}

void TCustomEdit::SetColor(TColor value) {
  color_ = value;
  QPalette p = palette();
  p.setColor(QPalette::Base, ToQColor(value));
  setPalette(p);
  SetFont(font_);  // the disabled text colour depends on the colour
}

void TCustomEdit::SetFont(const TFont& value) {
  font_ = value;
  QPalette p = palette();
  QColor text = ToQColor(value.Color);
  p.setColor(QPalette::Active, QPalette::Text, text);
  p.setColor(QPalette::Inactive, QPalette::Text, text);
  p.setColor(QPalette::Disabled, QPalette::Text, color_ == clGrayText ? text : ToQColor(clGrayText));
  setPalette(p);
  setFont(value.ToQFont());
}

void TCustomEdit::SetCtl3D(bool value) {
  if (value == ctl3D_) return;
  ctl3D_ = value;
  BorderChanged();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  setFrame(value != bsNone);
  BorderChanged();
}

int TCustomEdit::ClientInset() const {
  if (borderStyle_ == bsNone) return 0;
  return ctl3D_ ? 2 : 1;
}

// --- events -----------------------------------------------------------------------------------

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TCustomEdit::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TCustomEdit::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TCustomEdit::DoExit() {
  if (OnExit) OnExit(this);
}

void TCustomEdit::keyPressEvent(QKeyEvent* event) {
  uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
  if (key != 0) {
    KeyDown(key, ShiftStateFromQt(event->modifiers(), Qt::NoButton));
    if (key == 0) {
      event->accept();
      return;
    }
  }
  char c = TypedChar(event);
  const char typed = c;
  if (c != 0) {
    KeyPress(c);
    if (c == 0) {
      event->accept();
      return;
    }
    if (c == '\r' || c == 27) {
      event->ignore();
      return;
    }
  }
  // A handler that changed the character has the edit type the new one.
  if (c != typed && static_cast<unsigned char>(c) >= 32) {
    QKeyEvent changed(event->type(), 0, event->modifiers(), FromCp1251(std::string(1, c)));
    QLineEdit::keyPressEvent(&changed);
    event->setAccepted(changed.isAccepted());
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TCustomEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (windowOrPopupReason(event)) return;
  if (autoSelect_ && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) SelectAll();
  DoEnter();
}

void TCustomEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (windowOrPopupReason(event)) return;
  DoExit();
}

void TCustomEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  if (OnDblClick) OnDblClick(this);
}

}  // namespace gui
