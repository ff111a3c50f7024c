// The Qt backend of the tray icon: one QSystemTrayIcon, made on the first add.
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>

#include "platform/TrayBackend.h"

namespace platform {

namespace {

QIcon toQIcon(const std::vector<QImage>& images) {
  QIcon out;
  for (const QImage& image : images) out.addPixmap(QPixmap::fromImage(image));
  return out;
}

class QtTrayBackend : public TrayBackend {
public:
  bool Available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

  bool Add(const TrayIconData& data) override {
    if (!Available() || !data.HasIcon()) return false;
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

  void PopupMenu(QMenu* menu, QPoint at) override {
    if (menu) menu->popup(at);
  }

  QPoint CursorPos() const override { return QCursor::pos(); }

  Qt::KeyboardModifiers KeyState() const override {
    return QGuiApplication::queryKeyboardModifiers();
  }

private:
  void apply(const TrayIconData& data) {
    if (data.HasIcon()) tray_->setIcon(toQIcon(data.images));
    tray_->setToolTip(data.tip);
  }

  std::unique_ptr<QSystemTrayIcon> tray_;
};

}  // namespace

std::unique_ptr<TrayBackend> CreateQtTrayBackend() { return std::make_unique<QtTrayBackend>(); }

}  // namespace platform
