// The Qt backend of the tray icon: one QSystemTrayIcon, made on the first add.
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>

#include "controls/TrayBackend.h"
#include "gui/Cp1251.h"
#include "gui/Icon.h"

namespace rxshell {

namespace {

QIcon toQIcon(const gui::TIcon& icon) {
  QIcon out;
  for (const gui::IconImage& image : icon.Images()) {
    out.addPixmap(QPixmap::fromImage(IconImageToQImage(image)));
  }
  return out;
}

class QtTrayBackend : public TrayBackend {
public:
  bool Available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

  bool Add(const TrayIconData& data) override {
    if (!Available() || !data.icon || data.icon->Empty()) return false;
    if (!tray_) {
      tray_ = std::make_unique<QSystemTrayIcon>();
      QObject::connect(tray_.get(), &QSystemTrayIcon::activated,
                       [this](QSystemTrayIcon::ActivationReason reason) {
                         NotifyActivation(reason);
                       });
    }
    apply(data);
    tray_->show();
    return tray_->isVisible();
  }

  void Modify(const TrayIconData& data) override {
    if (tray_ && tray_->isVisible()) apply(data);
  }

  void Delete() override {
    if (tray_) tray_->hide();
  }

  void PopupMenu(QMenu* menu, gui::TPoint at) override {
    if (menu) menu->popup(QPoint(at.X, at.Y));
  }

  gui::TPoint CursorPos() const override {
    QPoint p = QCursor::pos();
    return {p.x(), p.y()};
  }

  gui::TShiftState KeyState() const override {
    return gui::ShiftStateFromQt(QGuiApplication::queryKeyboardModifiers(), Qt::NoButton);
  }

private:
  void apply(const TrayIconData& data) {
    if (data.icon) tray_->setIcon(toQIcon(*data.icon));
    tray_->setToolTip(gui::FromCp1251(data.tip));
  }

  std::unique_ptr<QSystemTrayIcon> tray_;
};

}  // namespace

std::unique_ptr<TrayBackend> CreateQtTrayBackend() { return std::make_unique<QtTrayBackend>(); }

}  // namespace rxshell
