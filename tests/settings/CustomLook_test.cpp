// The settings dialog's look at its own size: on every page each shown control lies inside the
// page and overlaps no shown sibling; a screenshot of every page goes to VYX_SCREENSHOT_DIR.
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QTabWidget>

#include "settings/SettingsFixture.h"

namespace {

QString screenshotPath(const QString& name) {
  const QByteArray dir = qgetenv("VYX_SCREENSHOT_DIR");
  const QString folder = dir.isEmpty()
                             ? QDir(QCoreApplication::applicationDirPath()).filePath("screenshots")
                             : QString(dir);
  QDir().mkpath(folder);
  return QDir(folder).filePath(name);
}

// Every shown child of `parent` inside it and clear of its shown siblings; group boxes are
// looked into.
void expectTidy(const QWidget* parent, const QString& context) {
  std::vector<const QWidget*> shown;
  for (const QObject* o : parent->children())
    if (const auto* w = qobject_cast<const QWidget*>(o); w && w->isVisibleTo(parent)) shown.push_back(w);
  for (size_t i = 0; i < shown.size(); ++i) {
    const QWidget* w = shown[i];
    EXPECT_TRUE(parent->rect().contains(w->geometry()))
        << context.toStdString() << ": " << w->objectName().toStdString() << " leaves its parent";
    for (size_t j = i + 1; j < shown.size(); ++j)
      EXPECT_FALSE(w->geometry().intersects(shown[j]->geometry()))
          << context.toStdString() << ": " << w->objectName().toStdString() << " overlaps "
          << shown[j]->objectName().toStdString();
    if (qobject_cast<const QGroupBox*>(w)) expectTidy(w, context);
  }
}

TEST_F(SettingsDialogTest, EveryPageFitsAndIsPhotographed) {
  TForm7& form = dialog();
  form.show();
  for (int page = 0; page < form.PageControl1->count(); ++page) {
    form.PageControl1->setCurrentIndex(page);
    QWidget* sheet = form.PageControl1->widget(page);
    expectTidy(sheet, sheet->objectName());
    // Controls that ask for more room than they got are cut.
    for (const QWidget* w : sheet->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(sheet) || w->inherits("QListWidget") || !w->minimumSizeHint().isValid())
        continue;
      EXPECT_GE(w->width(), w->minimumSizeHint().width())
            << sheet->objectName().toStdString() << ": " << w->objectName().toStdString();
    }
    EXPECT_TRUE(form.grab().save(screenshotPath("settings_" + sheet->objectName() + ".png")));
  }
  EXPECT_GE(form.width(), 464);
  EXPECT_GE(form.height(), 398);
}

}  // namespace
