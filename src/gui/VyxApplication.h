// The program's QApplication and its one exception boundary: an exception that leaves an event
// handler is caught in notify() and its message shown in a box, as the class library's
// application does, and the program goes on processing events.
#pragma once

#include <QApplication>

#include <string>

namespace gui {

class VyxApplication : public QApplication {
public:
  // Sets LC_NUMERIC to "C" and installs the Qt message-box service.
  VyxApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Call inside a catch block: shows the exception being handled. EAbort shows nothing; a
  // message gets a '.' unless its last character is '.' or below; the caption is Title(), the
  // box has an OK button and the stop icon.
  static void HandleException();
  // The caption of the boxes (Windows-1251); the application name until set.
  static std::string Title();
  static void SetTitle(const std::string& title);
  // The text the boxes show for a message.
  static std::string ExceptionText(const std::string& message);
};

}  // namespace gui
