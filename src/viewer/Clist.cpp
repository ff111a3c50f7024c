// The channel list window itself: showing the grid, the two selection modes, the found list,
// the scan controls, hiding (which discards the edits), and the 300 ms timer with the frame and
// the caption bar.
#include "viewer/Clist.h"

#include <QFrame>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTableView>

#include "core/CardFunctions.h"
#include "gui/Colors.h"
#include "gui/ScopedFlag.h"
#include "viewer/ClistGridView.h"
#include "viewer/Range.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

constexpr gui::TColor kFrameGrey = 0x808080;

}  // namespace

void TForm6::SetGridRow(int row) {
  model_.Grid().SetRow(row);
  showGrid();
}

int TForm6::GridRow() const { return model_.Grid().Row(); }

bool TForm6::GridMode() const { return Panel2->frameShape() == QFrame::NoFrame; }

void TForm6::setGridMode(bool grid) {
  Panel1->setFrameShape(grid ? QFrame::Box : QFrame::NoFrame);
  Panel2->setFrameShape(grid ? QFrame::NoFrame : QFrame::Box);
}

void TForm6::showGrid() {
  gui::ScopedFlag selecting(selecting_);
  gridItems_->Reload();
  const int row = model_.Grid().Row() - 1;
  StringGrid1->selectRow(row);
  StringGrid1->scrollTo(gridItems_->index(row, 0));
}

void TForm6::AppendFound(const std::string& text, int selection) {
  gui::ScopedFlag selecting(selecting_);
  ListBox1->addItem(QString::fromLatin1(text.c_str()));
  ListBox1->setCurrentRow(selection);
}

std::vector<std::string> TForm6::FoundEntries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < ListBox1->count(); ++i)
    entries.push_back(ListBox1->item(i)->text().toStdString());
  return entries;
}

void TForm6::Button12Click() {
  if (!Form4) return;
  Form4->show();
  Form4->raise();
  Form4->activateWindow();
}

// "Ok" enabled again is the running scan's stop request.
void TForm6::Button11Click() {
  Button6->setEnabled(true);
  Button10->setEnabled(true);
}

// Whatever hides the window cancels the edits, shows the panel again and stops a running scan.
void TForm6::FormHide() {
  gui::ScopedFlag hiding(hiding_);
  Button10Click();
  if (Form1) Form1->show();
  Button6->setEnabled(true);
  Button10->setEnabled(true);
  Button11Click();
}

void TForm6::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  // A minimised window is not hidden in this sense.
  if (!event->spontaneous() && !hiding_) FormHide();
}

void TForm6::Panel4Click() { hide(); }

// The frame is drawn with every paint of the window (paintEvent).
void TForm6::Timer1Timer() {
  if (isVisible() && IsNT4) SetTVSystem(PreviewTVSystem);
  const QColor caption =
      gui::ToQColor(isActiveWindow() ? gui::clActiveCaption : gui::clInactiveCaption);
  for (QLabel* panel : {Panel3, Panel4}) {
    if (panel->palette().color(QPalette::Window) == caption) continue;
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, caption);
    panel->setPalette(p);
  }
}

// A one-pixel frame: white down the left edge, grey along the bottom and up the right edge.
void TForm6::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  const int w = width(), h = height();
  painter.setPen(Qt::white);
  painter.drawLine(0, 0, 0, h - 2);
  painter.setPen(gui::ToQColor(kFrameGrey));
  painter.drawLine(0, h - 1, w - 2, h - 1);
  painter.drawLine(w - 1, h - 1, w - 1, 1);
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel4 && event->type() == QEvent::MouseButtonRelease) {
    Panel4Click();
    return true;
  }
  if (watched == Panel3) captionMouse(event);
  if (watched == ListBox1 || watched == StringGrid1) {
    if (event->type() == QEvent::FocusIn) TextFieldEntered();
    if (event->type() == QEvent::FocusOut) TextFieldLeft();
  }
  return QWidget::eventFilter(watched, event);
}

// Dragging by the caption bar: the window follows the pointer's offset from the grab point.
void TForm6::captionMouse(QEvent* event) {
  auto* mouse = dynamic_cast<QMouseEvent*>(event);  // null for other events
  if (!mouse) return;
  const QPoint at = mouse->position().toPoint();
  if (event->type() == QEvent::MouseButtonPress) captionDrag_.press(at, {Panel3, Panel4});
  if (event->type() == QEvent::MouseMove) captionDrag_.move(at);
  if (event->type() == QEvent::MouseButtonRelease) captionDrag_.release();
}
