// The six windows at their default sizes in Russian and in English: every text the language
// file sets fits its control, and a control that grew with its text lies over no sibling it
// left free before; screenshots of every window (and every page) written to VYX_SCREENSHOT_DIR.
#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

#include <map>

#include "LanguageFixture.h"
#include "settings/Language.h"
#include "viewer/Range.h"
#include "viewer/Schu.h"
#include "viewer/ScreenshotPath.h"

namespace language_test {
namespace {

struct Window {
  LanguageWindow id;
  const char* file;
};

const Window kWindows[] = {{LanguageWindow::Panel, "panel"},
                           {LanguageWindow::Scheduler, "scheduler"},
                           {LanguageWindow::Capture, "capture_window"},
                           {LanguageWindow::ScanDialog, "scan_dialog"},
                           {LanguageWindow::ChannelList, "channel_list"},
                           {LanguageWindow::Settings, "settings"}};

QWidget* windowOf(LanguageWindow id) { return LanguageTargetControl({0, id, {}, nullptr, -1}); }

// Where the text stands, the room it has, and the room it needs; none for a control without a
// single-line caption.
struct Room {
  int has = 0;
  int needs = 0;
};

Room roomOf(QWidget* w) {
  // A label of our own that sizes itself is checked by the overlaps.
  if (auto* own = dynamic_cast<gui::TCustomLabel*>(w)) {
    if (own->AutoSize() || own->WordWrap() || own->Caption().empty()) return {};
    return {own->width(), own->Canvas().TextWidth(own->Caption())};
  }
  if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    if (button->text().isEmpty()) return {};
    return {button->width() + 2, button->sizeHint().width()};
  }
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->wordWrap() || label->text().isEmpty()) return {};
    return {label->width(), label->fontMetrics().horizontalAdvance(label->text())};
  }
  if (auto* group = qobject_cast<QGroupBox*>(w))
    return {group->width(), group->fontMetrics().horizontalAdvance(group->title()) + 16};
  return {};
}

using Geometries = std::map<const QWidget*, QRect>;

class LanguageLookTest : public LanguageTest {
protected:
  // Every page of the window in view in turn: captions that show must fit.
  void checkWindow(const Window& window, const char* language) {
    QWidget* form = windowOf(window.id);
    auto* pages = form->findChild<QTabWidget*>("PageControl1");
    const int count = pages ? pages->count() : 1;
    for (int page = 0; page < count; ++page) {
      if (pages) pages->setCurrentIndex(page);
      processEvents();
      for (const LanguageTarget& t : LanguageTargets()) {
        if (t.window != window.id || t.kind != LanguageTargetKind::Caption) continue;
        QWidget* w = LanguageTargetControl(t);
        if (!w->isVisibleTo(form)) continue;
        const Room room = roomOf(w);
        EXPECT_LE(room.needs, room.has) << language << ": " << window.file << "'s " << t.name
                                        << " clips \"" << captionOf(w).toStdString() << '"'
                                        << " (" << room.needs << " > " << room.has << ")";
      }
      const std::string name = std::string(window.file) + (pages ? "_" + std::to_string(page) : "") +
                               "_" + language + ".png";
      EXPECT_TRUE(form->grab().save(viewer_test::screenshotPath(name.c_str())));
    }
    if (pages) pages->setCurrentIndex(0);
  }

  static Geometries geometries(QWidget* form) {
    Geometries g;
    for (const QWidget* w : form->findChildren<QWidget*>()) g[w] = w->geometry();
    return g;
  }

  // A control that moved or grew with its text must not cover a sibling it did not cover.
  static void expectNoNewOverlap(QWidget* form, const Geometries& before, const char* file) {
    for (const QWidget* w : form->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(form) || before.at(w) == w->geometry()) continue;
      for (const QWidget* other : w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == w || !other->isVisibleTo(form)) continue;
        if (before.at(w).intersects(before.at(other))) continue;
        EXPECT_FALSE(w->geometry().intersects(other->geometry()))
            << file << ": " << w->objectName().toStdString() << " over "
            << other->objectName().toStdString();
      }
    }
  }
};

TEST_F(LanguageLookTest, EveryWindowHoldsItsTextsInRussianAndEnglish) {
  installShippedLanguages();
  writeSetting("Language", "Russian");
  startWithChannels(3);
  std::map<LanguageWindow, Geometries> russian;
  for (const Window& w : kWindows) {
    windowOf(w.id)->show();
    processEvents();
    checkWindow(w, "ru");
    russian[w.id] = geometries(windowOf(w.id));
  }
  LoadLanguage("English");
  for (const Window& w : kWindows) {
    processEvents();
    checkWindow(w, "en");
    // The settings dialog places its controls in layouts, which keep them apart.
    if (w.id != LanguageWindow::Settings)
      expectNoNewOverlap(windowOf(w.id), russian[w.id], w.file);
  }
}

}  // namespace
}  // namespace language_test
