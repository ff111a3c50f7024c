// The message-box service shown with Qt: texts, icon and buttons of a platform::ShowMessageBox
// request become a modal QMessageBox, and the clicked button the result code.
#pragma once

#include <QMessageBox>

#include "platform/MessageBox.h"

namespace gui {

struct MessageBoxStyle {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
  // The answer of Esc and of closing the box.
  QMessageBox::StandardButton escapeButton = QMessageBox::Ok;
  bool stayOnTop = false;  // kMbSystemModal
};

// Stop, question, warning and information icons; OK, OK/Cancel and Yes/No buttons (any other
// button code shows OK). Esc answers OK, Cancel, or No for Yes/No.
MessageBoxStyle MessageBoxStyleFor(unsigned flags);
// kIdOk, kIdCancel, kIdYes or kIdNo.
int MessageBoxResultFor(QMessageBox::StandardButton button);

// Shows the box modally over the active window and returns the result code.
int ShowQtMessageBox(const platform::MessageBoxRequest& request);
// Makes ShowQtMessageBox the program's message-box service.
void InstallQtMessageBox();

}  // namespace gui
