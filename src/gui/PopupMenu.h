// TPopupMenu: the popup menu of the windows, the tray icon and the drop-down buttons, a QMenu
// with the class library's attributes: whether it opens by itself when its control is clicked,
// which of its edges lines up with the point it opens at, and the component it was last opened
// for.
#pragma once

#include <QMenu>
#include <QPointer>

namespace gui {

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public QMenu {
public:
  explicit TPopupMenu(QWidget* parent = nullptr) : QMenu(parent) {}

  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment value) { alignment_ = value; }
  QObject* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(QObject* value) { popupComponent_ = value; }

  // Shows the menu at the screen point (x, y), lined up by Alignment, and returns when it has
  // closed (item handlers have run by then).
  virtual void Popup(int x, int y);

private:
  bool autoPopup_ = true;
  TPopupAlignment alignment_ = paLeft;
  QPointer<QObject> popupComponent_;
};

}  // namespace gui
