#include "controls/dormant/Rxhook.h"

#include "controls/dormant/RxhookList.h"

namespace rxhook {

namespace {

bool isForm(const QObject* object) {
  auto* widget = qobject_cast<const QWidget*>(object);
  return widget && widget->isWindow();
}

}  // namespace

TRxWindowHook::TRxWindowHook(QObject* owner) : QObject(owner) {}

TRxWindowHook::~TRxWindowHook() {
  destroying_ = true;
  SetActive(false);
  SetWinControl(nullptr);
}

void TRxWindowHook::SetActive(bool value) {
  if (value == active_) return;
  if (value)
    HookControl();
  else
    UnhookControl();
}

QWidget* TRxWindowHook::WinControl() const {
  return controlHook_ ? controlHook_->Control() : winControl_.data();
}

void TRxWindowHook::SetWinControl(QWidget* value) {
  if (value == WinControl()) return;
  bool wasActive = active_;
  TControlHook* former = DoUnhookControl();
  watch(value);
  // The former control hook is freed later, outside whatever event may be running through it.
  if (former && former->Count() == 0 && GetHookHandle()) HookList()->PostFree(former);
  if (wasActive) HookControl();
}

void TRxWindowHook::watch(QWidget* control) {
  QObject::disconnect(controlGone_);
  winControl_ = control;
  if (!control) return;
  // A watched widget that goes away is let go of, as a removed component is.
  controlGone_ = connect(control, &QObject::destroyed, this, [this] { controlDestroyed(); });
}

void TRxWindowHook::controlDestroyed() {
  // The widget is gone already, so WinControl reads null: let go without comparing.
  bool wasActive = active_;
  TControlHook* former = DoUnhookControl();
  watch(nullptr);
  if (former && former->Count() == 0 && GetHookHandle()) HookList()->PostFree(former);
  active_ = wasActive;
}

void TRxWindowHook::HookControl() {
  if (winControl_ && !destroying_) HookList()->GetControlHook(winControl_)->AddHook(this);
  active_ = true;
}

void TRxWindowHook::UnhookControl() {
  DoUnhookControl();
  active_ = false;
}

TControlHook* TRxWindowHook::DoUnhookControl() {
  TControlHook* former = controlHook_;
  if (former) former->RemoveHook(this);
  active_ = false;
  return former;
}

bool TRxWindowHook::IsForm() const {
  QWidget* control = WinControl();
  return control && control == parent() && isForm(parent());
}

bool TRxWindowHook::NotIsForm() const {
  QWidget* control = WinControl();
  return control && !isForm(control);
}

void TRxWindowHook::SetIsForm(bool value) {
  if (value && isForm(parent())) SetWinControl(static_cast<QWidget*>(parent()));
}

void TRxWindowHook::DoBeforeMessage(TMessage& Msg, bool& Handled) {
  if (BeforeMessage) BeforeMessage(this, Msg, Handled);
}

void TRxWindowHook::DoAfterMessage(TMessage& Msg, bool& Handled) {
  if (AfterMessage) AfterMessage(this, Msg, Handled);
}

}  // namespace rxhook
