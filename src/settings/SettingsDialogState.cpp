// The one instance of the settings dialog's state, and the global names bound to it.
#include "settings/SettingsDialogState.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include <memory>

#include "platform/Environment.h"

namespace {

SettingsDialogState state;

// "Exe files|*.exe" -> "Exe files (*.exe)".
QString qtFilter(const std::string& filter) {
  const size_t bar = filter.find('|');
  if (bar == std::string::npos) return QString::fromStdString(filter);
  return QString::fromStdString(filter.substr(0, bar) + " (" + filter.substr(bar + 1) + ")");
}

std::optional<std::string> desktopChooser(const OpenFileRequest& request) {
  const QString name = QFileDialog::getOpenFileName(
      request.owner, QString(), QString::fromLocal8Bit(request.fileName.c_str()),
      qtFilter(request.filter));
  if (name.isEmpty()) return std::nullopt;
  return std::string(name.toLocal8Bit().constData());
}

bool desktopOpener(const std::string& link) {
  if (platform::SimulationEnabled()) {
    state.OpenedLinks.push_back(link);
    return true;
  }
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(link)));
}

}  // namespace

TForm7*& Form7 = state.Form7;

SettingsDialogHooks& DialogHooks() { return state.Hooks; }

OpenFileChooser& FileChooser() {
  if (!state.Chooser) state.Chooser = desktopChooser;
  return state.Chooser;
}

LinkOpener& OpenLink() {
  if (!state.Opener) state.Opener = desktopOpener;
  return state.Opener;
}

const std::vector<std::string>& SimOpenedLinks() { return state.OpenedLinks; }

void ResetSettingsDialogState() {
  delete state.Form7;
  std::destroy_at(&state);
  std::construct_at(&state);
}
