#include "gui/VyxApplication.h"

#include <clocale>
#include <exception>
#include <optional>

#include "gui/Cp1251.h"
#include "gui/Exceptions.h"
#include "gui/QtMessageBox.h"
#include "platform/MessageBox.h"

namespace gui {

namespace {

std::optional<std::string>& title() {
  static std::optional<std::string> value;
  return value;
}

void show(const std::string& message) {
  platform::ShowMessageBox(VyxApplication::ExceptionText(message), VyxApplication::Title(),
                           platform::kMbOk | platform::kMbIconStop);
}

}  // namespace

VyxApplication::VyxApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Numbers in files and on screen always use '.'.
  std::setlocale(LC_NUMERIC, "C");
  InstallQtMessageBox();
}

bool VyxApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    HandleException();
    return false;
  }
}

void VyxApplication::HandleException() {
  try {
    try {
      throw;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
      show(e.Message());
    } catch (const std::exception& e) {
      show(e.what());
    } catch (...) {
      show("Unknown exception");
    }
  } catch (...) {
    // Showing the box failed too; nothing may leave the boundary.
  }
}

std::string VyxApplication::ExceptionText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

std::string VyxApplication::Title() {
  if (title()) return *title();
  return ToCp1251(QCoreApplication::applicationName());
}

void VyxApplication::SetTitle(const std::string& value) { title() = value; }

}  // namespace gui
