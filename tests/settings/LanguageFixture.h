// The running program with language files: a Languages folder in the program folder, and what a
// target of the language loader shows now.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include <filesystem>
#include <string>

#include "viewer/PanelFixture.h"
#include "gui/Controls.h"
#include "gui/Cp1251.h"
#include "platform/Environment.h"
#include "recording/Capt.h"
#include "settings/Custom.h"
#include "settings/LanguageApply.h"
#include "settings/LanguageTable.h"
#include "viewer/Clist.h"
#include "viewer/ClistGrid.h"
#include "viewer/Vyxu.h"

namespace language_test {

class LanguageTest : public viewer_test::PanelTest {
protected:
  // Languages/<name> holding `lines` (UTF-8 in the test, stored as Windows-1251).
  void writeLanguage(const std::string& name, const std::string& lines) {
    std::filesystem::create_directories(folder_.file("Languages"));
    folder_.write("Languages/" + name, gui::ToCp1251(QString::fromUtf8(lines.c_str())));
  }
  // The shipped Languages folder copied into the program folder.
  void installShippedLanguages() {
    std::filesystem::copy(platform::ExecutableFolder() + "Languages", folder_.file("Languages"),
                          std::filesystem::copy_options::recursive);
  }
};

inline QString captionOf(QWidget* w) {
  if (auto* own = dynamic_cast<gui::TControl*>(w)) return gui::FromCp1251(own->Caption());
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* group = qobject_cast<QGroupBox*>(w)) return group->title();
  for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    if (auto* tabs = qobject_cast<QTabWidget*>(p)) return tabs->tabText(tabs->indexOf(w));
  return {};
}

// What the target shows; a combo box shows its items joined by '|'.
inline QString shownText(const LanguageTarget& t) {
  if (t.kind == LanguageTargetKind::GridHeader)
    return gui::FromCp1251(Form6->Model().Grid().Cell(t.index, 0));
  if (t.kind == LanguageTargetKind::TrayFromEnd) {
    const QList<QAction*> items = Form1->PopupMenu4->actions();
    return items[items.size() - t.index]->text();
  }
  QWidget* w = LanguageTargetControl(t);
  if (!w) return "<missing>";
  switch (t.kind) {
    case LanguageTargetKind::Hint: return w->toolTip();
    case LanguageTargetKind::WindowTitle: return w->windowTitle();
    case LanguageTargetKind::RadioItem:
      return w->findChildren<QAbstractButton*>().value(t.index)->text();
    case LanguageTargetKind::ComboClear:
    case LanguageTargetKind::ComboAppend: {
      auto* combo = qobject_cast<QComboBox*>(w);
      QStringList items;
      for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
      return items.join('|');
    }
    default: return captionOf(w);
  }
}

}  // namespace language_test
