// Where the look tests save their screenshots.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

namespace viewer_test {

// VYX_SCREENSHOT_DIR, or "screenshots" beside the test program (the working folder is the
// program folder of whichever test ran last, and that is gone).
inline QString screenshotPath(const char* name) {
  QByteArray dir = qgetenv("VYX_SCREENSHOT_DIR");
  QString folder = dir.isEmpty()
                       ? QDir(QCoreApplication::applicationDirPath()).filePath("screenshots")
                       : QString(dir);
  QDir().mkpath(folder);
  return QDir(folder).filePath(QString::fromLatin1(name));
}

}  // namespace viewer_test
