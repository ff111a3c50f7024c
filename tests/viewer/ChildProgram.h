// The program as a child process on the simulated machine, offscreen, in a program folder of
// its own: it saves a screenshot a while after its start and ends by its orderly shut-down.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace viewer_test {

// The environment of such a run: the screenshot `shot` taken `delayMs` after the start.
inline QProcessEnvironment ChildProgramEnvironment(const std::string& folder, const QString& shot,
                                                   int delayMs) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("VYX_SIM", "1");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("VYX_HOME", QString::fromStdString(folder));
  env.insert("VYX_SCREENSHOT", shot);
  env.insert("VYX_SCREENSHOT_DELAY", QString::number(delayMs));
  return env;
}

// Runs the program with `env` and `arguments` until it ends.
inline void RunChildProgram(QProcess& vyx, const QProcessEnvironment& env,
                            const QStringList& arguments = {}) {
  vyx.setProcessEnvironment(env);
  vyx.start(VYX_PROGRAM, arguments);
  ASSERT_TRUE(vyx.waitForStarted());
  // A guard against a program that never ends, not a measurement.
  ASSERT_TRUE(vyx.waitForFinished(120000)) << vyx.readAllStandardError().toStdString();
}

}  // namespace viewer_test
