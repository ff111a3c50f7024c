// Mouse input for widget tests: events sent straight to a widget, as a user's would arrive.
#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace testing_support {

inline void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint at,
                      Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, modifiers);
  QCoreApplication::sendEvent(w, &event);
}

// The left button pressed, dragged with and released.
inline void PressAt(QWidget* w, QPoint at) {
  SendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton, at, Qt::LeftButton);
}
inline void MoveTo(QWidget* w, QPoint at) {
  SendMouse(w, QEvent::MouseMove, Qt::NoButton, at, Qt::LeftButton);
}
inline void ReleaseAt(QWidget* w, QPoint at) {
  SendMouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, at, Qt::NoButton);
}

}  // namespace testing_support
