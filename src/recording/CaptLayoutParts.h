// Places and small builders shared by the capture window's layout files.
#pragma once

#include <QRect>
#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
class QTabWidget;

namespace capt_layout {

constexpr int kClientWidth = 473;
constexpr int kClientHeight = 476;
constexpr int kRowH = 20;
// The pages on the left, the column of meters and sliders on the right, the CPU graph and the
// statistics frame below.
constexpr QRect kPages(2, 2, 338, 316);
constexpr int kColumnLeft = 346;
constexpr QRect kGraphLabel(4, 322, 126, 22);
constexpr QRect kGraph(132, 322, 339, 22);
constexpr QRect kStatistics(2, 347, 469, 126);

// The top of row n of a page.
constexpr int row(int n) { return 2 + n * 22; }

// A text of the source (UTF-8) as the widget shows it.
QString Ru(const char* utf8);

QLabel* label(QWidget* parent, const char* name, const char* text, const QRect& r);
QCheckBox* checkBox(QWidget* parent, const char* name, const char* text, const QRect& r);
QPushButton* button(QWidget* parent, const char* name, const char* text, const QRect& r);
QToolButton* toolButton(QWidget* parent, const char* name, const char* text, const QRect& r);
QLineEdit* lineEdit(QWidget* parent, const char* name, const char* text, const QRect& r);
QFrame* frame(QWidget* parent, const char* name, const QRect& r);
QWidget* page(QTabWidget* pages, const char* name, const char* title);

}  // namespace capt_layout
