#include "gui/QtMessageBox.h"

#include <QApplication>
#include <QPushButton>

#include "gui/Cp1251.h"

namespace gui {

MessageBoxStyle MessageBoxStyleFor(unsigned flags) {
  MessageBoxStyle style;
  switch (flags & 0xF0) {
    case platform::kMbIconStop: style.icon = QMessageBox::Critical; break;
    case platform::kMbIconQuestion: style.icon = QMessageBox::Question; break;
    case platform::kMbIconWarning: style.icon = QMessageBox::Warning; break;
    case platform::kMbIconInformation: style.icon = QMessageBox::Information; break;
    default: style.icon = QMessageBox::NoIcon; break;
  }
  switch (flags & 0x0F) {
    case platform::kMbOkCancel:
      style.buttons = QMessageBox::Ok | QMessageBox::Cancel;
      style.defaultButton = QMessageBox::Ok;
      style.escapeButton = QMessageBox::Cancel;
      break;
    case platform::kMbYesNo:
      style.buttons = QMessageBox::Yes | QMessageBox::No;
      style.defaultButton = QMessageBox::Yes;
      style.escapeButton = QMessageBox::No;
      break;
    default:
      break;
  }
  style.stayOnTop = flags & platform::kMbSystemModal;
  return style;
}

int MessageBoxResultFor(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Cancel: return platform::kIdCancel;
    case QMessageBox::Yes: return platform::kIdYes;
    case QMessageBox::No: return platform::kIdNo;
    default: return platform::kIdOk;
  }
}

int ShowQtMessageBox(const platform::MessageBoxRequest& request) {
  MessageBoxStyle style = MessageBoxStyleFor(request.flags);
  QMessageBox box(style.icon, FromCp1251(request.caption), FromCp1251(request.text), style.buttons,
                  QApplication::activeWindow());
  box.setDefaultButton(style.defaultButton);
  box.setEscapeButton(style.escapeButton);
  if (style.stayOnTop) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
  auto* clicked = box.clickedButton();
  QMessageBox::StandardButton button =
      clicked ? box.standardButton(clicked) : style.escapeButton;
  return MessageBoxResultFor(button == QMessageBox::NoButton ? style.escapeButton : button);
}

void InstallQtMessageBox() { platform::SetMessageBoxHandler(ShowQtMessageBox); }

}  // namespace gui
