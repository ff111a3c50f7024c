// The placement's side of its form: the form's show, close and destruction, the size limits and
// the maximize button while resizing is prevented.
#include <QCloseEvent>
#include <QShowEvent>

#include "controls/dormant/Apputils.h"
#include "controls/dormant/Placemnt.h"
#include "gui/VyxApplication.h"

namespace placemnt {

namespace {

template <typename F>
void guarded(F&& f) {
  try {
    f();
  } catch (...) {
    gui::VyxApplication::HandleException();
  }
}

bool hasMaximizeButton(const QWidget* form) {
  Qt::WindowFlags flags = form->windowFlags();
  if (flags & Qt::CustomizeWindowHint) return flags & Qt::WindowMaximizeButtonHint;
  return form->windowType() == Qt::Window || (flags & Qt::WindowMaximizeButtonHint);
}

void setMaximizeButton(QWidget* form, bool on) {
  if (hasMaximizeButton(form) == on) return;
  Qt::WindowFlags flags = form->windowFlags();
  if (on) {
    flags |= Qt::WindowMaximizeButtonHint;
  } else {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    flags &= ~Qt::WindowMaximizeButtonHint;
  }
  bool visible = form->isVisible();
  form->setWindowFlags(flags);  // makes the window again, hidden
  if (visible) form->show();
}

bool isDialog(const QWidget* form) { return form->windowType() == Qt::Dialog; }

}  // namespace

// A hidden widget that the form destroys before its other children: the placement saves while
// every component of the form still lives, as the form's destruction handler would.
class FormDestroyWatch : public QWidget {
public:
  FormDestroyWatch(QWidget* form, TFormPlacement* placement)
      : QWidget(form), placement_(placement) {
    setObjectName(QString());
    setAttribute(Qt::WA_DontShowOnScreen);
    setFixedSize(0, 0);
    hide();
    keepFirst();
  }
  ~FormDestroyWatch() override {
    if (placement_ && armed_) placement_->FormDestroy();
  }
  // Children are destroyed in their order: a lowered widget comes first.
  void keepFirst() { lower(); }
  void disarm() { armed_ = false; }

private:
  QPointer<TFormPlacement> placement_;
  bool armed_ = true;
};

void TFormPlacement::SetEvents() {
  QWidget* form = Form();
  if (!form || eventsChained_) return;
  eventsChained_ = true;
  winHook_->SetWinControl(form);
  destroyWatch_ = new FormDestroyWatch(form, this);
  defMaximize_ = hasMaximizeButton(form);
  if (preventResize_) UpdatePreventResize();
}

void TFormPlacement::RestoreEvents() {
  if (!eventsChained_) return;
  eventsChained_ = false;
  ReleaseHook();
  winHook_->SetWinControl(nullptr);
  if (auto* watch = static_cast<FormDestroyWatch*>(destroyWatch_.data())) {
    watch->disarm();
    watch->deleteLater();
  }
}

void TFormPlacement::FormShow() {
  if (auto* watch = static_cast<FormDestroyWatch*>(destroyWatch_.data())) watch->keepFirst();
  if (active_) guarded([this] { RestoreFormPlacement(); });
  ApplySizeLimits();
}

void TFormPlacement::FormCloseQuery(QEvent* close) {
  QWidget* form = Form();
  bool canClose = close->isAccepted();
  if (canClose && active_ && form && form->testAttribute(Qt::WA_WState_Created))
    guarded([this] { SaveFormPlacement(); });
}

void TFormPlacement::FormDestroy() {
  if (!active_ || saved_) return;
  destroying_ = true;
  guarded([this] { SaveFormPlacement(); });
  destroying_ = false;
}

void TFormPlacement::WndMessage(rxhook::TMessage& msg) {
  switch (msg.Msg) {
    case QEvent::Show:
      // A window brought back from the task bar is no new show of the form.
      if (!msg.Event->spontaneous()) FormShow();
      break;
    case QEvent::Close: FormCloseQuery(msg.Event); break;
    default: break;
  }
}

// --- size limits ---------------------------------------------------------------------------------

void TFormPlacement::MinMaxInfoModified() {
  UpdatePlacement();
  if (!loading_) CheckToggleHook();
  ApplySizeLimits();
}

void TFormPlacement::CheckToggleHook() {
  if (!winMinMaxInfo_->DefaultMinMaxInfo() || preventResize_)
    SetHook();
  else
    ReleaseHook();
}

void TFormPlacement::SetHook() {
  QWidget* form = Form();
  if (!form || hooked_) return;
  hooked_ = true;
  savedMinimum_ = form->minimumSize();
  savedMaximum_ = form->maximumSize();
  ApplySizeLimits();
}

void TFormPlacement::ReleaseHook() {
  QWidget* form = Form();
  if (!hooked_) return;
  hooked_ = false;
  if (!form) return;
  form->setMinimumSize(savedMinimum_);
  form->setMaximumSize(savedMaximum_);
}

// Qt asks no window for its limits: they are set on the form, from the saved ones.
void TFormPlacement::ApplySizeLimits() {
  QWidget* form = Form();
  if (!hooked_ || !form) return;
  if (preventResize_) {
    if (form->isVisible()) form->setFixedSize(form->size());
    return;
  }
  const TWinMinMaxInfo& info = *winMinMaxInfo_;
  auto pick = [](int value, int fallback) { return value != 0 ? value : fallback; };
  form->setMinimumSize(pick(info.MinTrackWidth(), savedMinimum_.width()),
                       pick(info.MinTrackHeight(), savedMinimum_.height()));
  form->setMaximumSize(pick(info.MaxTrackWidth(), savedMaximum_.width()),
                       pick(info.MaxTrackHeight(), savedMaximum_.height()));
}

void TFormPlacement::SetPreventResize(bool value) {
  if (!Form() || value == preventResize_) return;
  preventResize_ = value;
  if (!value && hooked_) {
    // Back to the limits the form had, before the hook decides again.
    ReleaseHook();
  }
  UpdatePlacement();
  UpdatePreventResize();
}

void TFormPlacement::UpdatePreventResize() {
  QWidget* form = Form();
  if (!form) return;
  if (preventResize_) defMaximize_ = hasMaximizeButton(form);
  bool wasActive = active_;
  active_ = false;  // the window made again shows without a restore
  setMaximizeButton(form, !preventResize_ && defMaximize_ && !isDialog(form));
  active_ = wasActive;
  if (!loading_) CheckToggleHook();
}

void TFormPlacement::UpdatePlacement() {
  QWidget* form = Form();
  if (!form || !form->testAttribute(Qt::WA_WState_Created) || loading_ || preventResize_ ||
      !winMinMaxInfo_->DefaultMinMaxInfo())
    return;
  // A maximized window keeps its frame off the screen.
  int frame = form->geometry().x() - form->frameGeometry().x();
  apputils::SetMaximizedPosition(form, {-frame, -frame});
}

}  // namespace placemnt
