// Small builders for the settings dialog's pages: each makes one control with its name and
// text (UTF-8 in the source) and the look the pages share.
#pragma once

#include <QString>

#include <initializer_list>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace layout7 {

QWidget* Page(QTabWidget* pages, const char* name, const char* caption);
QCheckBox* Check(QWidget* parent, const char* name, const char* caption);
// maxLength 0: no limit.
QLineEdit* Edit(QWidget* parent, const char* name, int maxLength);
QLabel* Text(QWidget* parent, const char* name, const char* caption);
QComboBox* Combo(QWidget* parent, const char* name);
QListWidget* List(QWidget* parent, const char* name, int height);
QToolButton* Tool(QWidget* parent, const char* name, const char* caption);
QPushButton* Button(QWidget* parent, const char* name, const char* caption);
// A group of radio buttons, one per item in a row, numbered from 0 in `items`.
QGroupBox* Radios(QWidget* parent, const char* name, const char* title,
                  std::initializer_list<const char*> captions, QButtonGroup*& items);
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets);
// label | field | unit in row `row` of `grid`; returns the unit's label.
QLabel* FieldRow(QGridLayout* grid, int row, QLabel* label, QWidget* field, const char* unit);
// A field the OSD font preview draws into, `height` pixels high.
QLabel* Preview(QWidget* parent, const char* name, int height);

}  // namespace layout7
