#include "recording/CaptLayoutParts.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace capt_layout {

namespace {

template <typename W>
W* named(W* widget, const char* name, const QRect& r) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(r);
  return widget;
}

}  // namespace

QString Ru(const char* utf8) { return QString::fromUtf8(utf8); }

QLabel* label(QWidget* parent, const char* name, const char* text, const QRect& r) {
  return named(new QLabel(Ru(text), parent), name, r);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* text, const QRect& r) {
  return named(new QCheckBox(Ru(text), parent), name, r);
}

QPushButton* button(QWidget* parent, const char* name, const char* text, const QRect& r) {
  return named(new QPushButton(Ru(text), parent), name, r);
}

QToolButton* toolButton(QWidget* parent, const char* name, const char* text, const QRect& r) {
  auto* b = named(new QToolButton(parent), name, r);
  b->setText(Ru(text));
  b->setAutoRaise(true);
  return b;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, const char* text, const QRect& r) {
  return named(new QLineEdit(Ru(text), parent), name, r);
}

QFrame* frame(QWidget* parent, const char* name, const QRect& r) {
  auto* f = named(new QFrame(parent), name, r);
  f->setFrameShape(QFrame::Panel);
  f->setFrameShadow(QFrame::Raised);
  f->setAutoFillBackground(true);
  return f;
}

QWidget* page(QTabWidget* pages, const char* name, const char* title) {
  auto* w = new QWidget;
  w->setObjectName(QString::fromLatin1(name));
  pages->addTab(w, Ru(title));
  return w;
}

}  // namespace capt_layout
