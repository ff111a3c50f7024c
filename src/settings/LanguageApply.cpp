// Where a language text goes: the control's text or tool tip, a window title, a grid header
// cell, a radio item, a tray menu item counted from the end, or the capture window's list of
// process priorities.
#include "settings/LanguageApply.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>

#include "core/Settings.h"
#include "gui/Controls.h"
#include "gui/Cp1251.h"
#include "recording/Capt.h"
#include "settings/Custom.h"
#include "settings/LanguageTable.h"
#include "viewer/Clist.h"
#include "viewer/ClistGrid.h"
#include "viewer/Range.h"
#include "viewer/Schu.h"
#include "viewer/Vyxu.h"

namespace {

QWidget* windowOf(LanguageWindow window) {
  switch (window) {
    case LanguageWindow::Panel: return Form1;
    case LanguageWindow::Scheduler: return Form2;
    case LanguageWindow::Capture: return Form3;
    case LanguageWindow::ScanDialog: return Form4;
    case LanguageWindow::ChannelList: return Form6;
    case LanguageWindow::Settings: return Form7;
  }
  return nullptr;
}

// The tab control showing the page, or null when the widget is no tab page.
QTabWidget* tabsOf(QWidget* page) {
  for (QWidget* p = page->parentWidget(); p; p = p->parentWidget())
    if (auto* tabs = qobject_cast<QTabWidget*>(p)) return tabs->indexOf(page) >= 0 ? tabs : nullptr;
  return nullptr;
}

void setCaption(QWidget* control, const std::string& text) {
  if (auto* own = dynamic_cast<gui::TControl*>(control)) {
    own->SetCaption(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(gui::FromCp1251(text));
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(gui::FromCp1251(text));
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(gui::FromCp1251(text));
  } else if (QTabWidget* tabs = tabsOf(control)) {
    tabs->setTabText(tabs->indexOf(control), gui::FromCp1251(text));
  }
}

void setRadioItem(QWidget* group, int index, const std::string& text) {
  const QList<QAbstractButton*> items = group->findChildren<QAbstractButton*>();
  if (index >= 0 && index < items.size()) items[index]->setText(gui::FromCp1251(text));
}

void setGridHeader(int column, const std::string& text) {
  if (!Form6 || column < 0 || column >= kGridColumns) return;
  Form6->Model().Grid().SetCell(column, 0, text);
  if (QAbstractItemModel* items = Form6->StringGrid1->model())
    emit items->headerDataChanged(Qt::Horizontal, column, column);
}

// The tray menu gains channel items ahead of its fixed items; those are addressed from the end.
void setTrayItem(int fromEnd, const std::string& text) {
  if (!Form1) return;
  const QList<QAction*> items = Form1->PopupMenu4->actions();
  if (fromEnd < 1 || fromEnd > items.size()) return;
  items[items.size() - fromEnd]->setText(gui::FromCp1251(text));
}

void appendToCombo(QWidget* control, int selected, const std::string& text) {
  auto* combo = qobject_cast<QComboBox*>(control);
  if (!combo) return;
  combo->addItem(gui::FromCp1251(text));
  if (selected >= 0) combo->setCurrentIndex(selected);
}

}  // namespace

QWidget* LanguageTargetControl(const LanguageTarget& target) {
  QWidget* window = windowOf(target.window);
  if (!window || !target.name) return window;
  return window->findChild<QWidget*>(QString::fromLatin1(target.name));
}

void ApplyLanguageText(const LanguageTarget& target, const std::string& text) {
  switch (target.kind) {
    case LanguageTargetKind::GridHeader: return setGridHeader(target.index, text);
    case LanguageTargetKind::TrayFromEnd: return setTrayItem(target.index, text);
    default: break;
  }
  QWidget* control = LanguageTargetControl(target);
  if (!control) return;
  switch (target.kind) {
    case LanguageTargetKind::Caption: return setCaption(control, text);
    case LanguageTargetKind::Hint: return control->setToolTip(gui::FromCp1251(text));
    case LanguageTargetKind::WindowTitle: return control->setWindowTitle(gui::FromCp1251(text));
    case LanguageTargetKind::RadioItem: return setRadioItem(control, target.index, text);
    case LanguageTargetKind::ComboClear:
      if (auto* combo = qobject_cast<QComboBox*>(control)) combo->clear();
      return;
    case LanguageTargetKind::ComboAppend: return appendToCombo(control, target.index, text);
    case LanguageTargetKind::FullScreenChoice:
      // The button shows the chosen resolution; the text is its caption only for the choice
      // of no change.
      if (Settings.FullScreen == kFullScreenNoChanges) setCaption(control, text);
      return;
    case LanguageTargetKind::GridHeader:
    case LanguageTargetKind::TrayFromEnd: return;
  }
}
