// The capture window's look at its own size on each page: every shown control inside the
// window, none over a sibling, every caption fitting its control; screenshots written to
// VYX_SCREENSHOT_DIR (or "screenshots" beside the test program).
#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QTabWidget>

#include "CaptureFormFixture.h"

namespace recording_test {
namespace {

QString screenshotPath(const QString& name) {
  QByteArray dir = qgetenv("VYX_SCREENSHOT_DIR");
  QString folder = dir.isEmpty()
                       ? QDir(QCoreApplication::applicationDirPath()).filePath("screenshots")
                       : QString(dir);
  QDir().mkpath(folder);
  return QDir(folder).filePath(name);
}

// Controls placed over another on purpose: the scope over its black ground, the two statistics
// panels in one frame.
bool layered(const QWidget* a, const QWidget* b) {
  auto pair = [&](const char* x, const char* y) {
    return (a->objectName() == x && b->objectName() == y) ||
           (a->objectName() == y && b->objectName() == x);
  };
  return pair("Label4", "PaintBox1") || pair("Panel10", "Panel11");
}

QRect onWindow(const QWidget* w, const QWidget* window) {
  return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

class CaptLookTest : public CaptureFormTest {
protected:
  void checkPage(TForm3& form, int page, const char* name) {
    form.PageControl1->setCurrentIndex(page);
    processEvents();
    const QRect client(0, 0, form.width(), form.height());
    for (QWidget* w : form.findChildren<QWidget*>()) {
      if (!w->isVisibleTo(&form) || w->objectName().isEmpty() || w->parentWidget() == nullptr)
        continue;
      if (w->objectName().startsWith("qt_")) continue;
      // The caption bar lies above the client area, as the window's own title bar serves.
      if (w->objectName() == "Panel7" || w->objectName() == "Panel4") continue;
      const QRect r = onWindow(w, &form);
      EXPECT_TRUE(client.contains(r)) << name << ": " << w->objectName().toStdString()
                                      << " leaves the window";
      for (QWidget* other : w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == w || !other->isVisibleTo(&form) || other->objectName().isEmpty() ||
            other->objectName().startsWith("qt_") || layered(w, other) || other < w)
          continue;
        EXPECT_FALSE(w->geometry().intersects(other->geometry()))
            << name << ": " << w->objectName().toStdString() << " over "
            << other->objectName().toStdString();
      }
      if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
        EXPECT_LE(b->sizeHint().width(), b->width() + 2)
            << name << ": " << w->objectName().toStdString() << " clips \""
            << b->text().toStdString() << '"';
      }
      if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width())
            << name << ": " << w->objectName().toStdString() << " clips \""
            << l->text().toStdString() << '"';
      }
    }
    form.grab().save(screenshotPath(QString("capture-window-%1.png").arg(name)));
  }
};

TEST_F(CaptLookTest, EveryPageFitsTheWindow) {
  Settings.AviFilename = "/video/capture.avi";
  TForm3& form = show();
  ASSERT_EQ(form.width(), 473);
  ASSERT_EQ(form.height(), 476);
  checkPage(form, 0, "video");
  checkPage(form, 1, "audio");
  checkPage(form, 2, "image");
}

}  // namespace
}  // namespace recording_test
