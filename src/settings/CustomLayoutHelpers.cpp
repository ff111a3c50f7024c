#include "settings/CustomLayoutHelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

namespace layout7 {

namespace {

template <typename W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QString utf8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

QWidget* Page(QTabWidget* pages, const char* name, const char* caption) {
  auto* page = named(new QWidget(pages), name);
  pages->addTab(page, utf8(caption));
  return page;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption) {
  return named(new QCheckBox(utf8(caption), parent), name);
}

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength) {
  auto* edit = named(new QLineEdit(parent), name);
  if (maxLength > 0) {
    edit->setMaxLength(maxLength);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(maxLength + 2, '0')) + 8);
  }
  return edit;
}

QLabel* Text(QWidget* parent, const char* name, const char* caption) {
  return named(new QLabel(utf8(caption), parent), name);
}

QComboBox* Combo(QWidget* parent, const char* name) {
  auto* box = named(new QComboBox(parent), name);
  box->setMaxVisibleItems(12);
  return box;
}

QListWidget* List(QWidget* parent, const char* name, int height) {
  auto* list = named(new QListWidget(parent), name);
  list->setFixedHeight(height);
  return list;
}

QToolButton* Tool(QWidget* parent, const char* name, const char* caption) {
  auto* button = named(new QToolButton(parent), name);
  button->setText(utf8(caption));
  return button;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  return named(new QPushButton(utf8(caption), parent), name);
}

QGroupBox* Radios(QWidget* parent, const char* name, const char* title,
                  std::initializer_list<const char*> captions, QButtonGroup*& items) {
  auto* group = named(new QGroupBox(utf8(title), parent), name);
  auto* column = new QVBoxLayout(group);
  auto* row = new QHBoxLayout;
  items = new QButtonGroup(group);
  int id = 0;
  for (const char* caption : captions) {
    auto* button = new QRadioButton(utf8(caption), group);
    button->setObjectName(QString::fromLatin1(name) + "Item" + QString::number(id));
    items->addButton(button, id++);
    row->addWidget(button);
  }
  row->addStretch();
  column->addLayout(row);
  return group;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  for (QWidget* w : widgets) row->addWidget(w);
  return row;
}

QLabel* FieldRow(QGridLayout* grid, int row, QLabel* label, QWidget* field, const char* unit) {
  grid->addWidget(label, row, 0);
  grid->addWidget(field, row, 1);
  auto* unitLabel = new QLabel(utf8(unit), label->parentWidget());
  grid->addWidget(unitLabel, row, 2);
  return unitLabel;
}

QLabel* Preview(QWidget* parent, const char* name, int height) {
  auto* preview = named(new QLabel(parent), name);
  preview->setFixedHeight(height);
  preview->setMinimumWidth(200);
  preview->setAutoFillBackground(true);
  QPalette pal = preview->palette();
  pal.setColor(QPalette::Window, QColor(255, 0, 255));
  preview->setPalette(pal);
  return preview;
}

}  // namespace layout7
