#include "controls/dormant/RxhookList.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

#include "controls/ControlsState.h"
#include "gui/VyxApplication.h"

namespace rxhook {

namespace {

std::unique_ptr<THookList>& listHolder() { return detail::List; }

// The event that names the control hook to free.
class FreeControlHookEvent : public QEvent {
public:
  explicit FreeControlHookEvent(TControlHook* hook) : QEvent(CM_FREECONTROLHOOK), hook(hook) {}
  TControlHook* hook;
};

// Events that end the widget or its native window: a hook may watch them but never keeps them
// from the widget.
bool alwaysReachesWidget(QEvent::Type type) {
  return type == QEvent::DeferredDelete || type == QEvent::PlatformSurface ||
         type == QEvent::Destroy;
}

}  // namespace

// --- TControlHook ----------------------------------------------------------------------------

TControlHook::TControlHook() = default;

TControlHook::~TControlHook() {
  destroying_ = true;
  if (THookList* list = listHolder().get()) list->Remove(this);
  while (!list_.empty()) RemoveHook(list_.back());
  SetControl(nullptr);
}

void TControlHook::SetControl(QWidget* value) {
  if (value == control_) return;
  restore();
  control_ = value;
  controlDestroying_ = false;
  if (!list_.empty()) install();
}

void TControlHook::AddHook(TRxWindowHook* hook) {
  if (std::find(list_.begin(), list_.end(), hook) == list_.end()) {
    list_.push_back(hook);
    hook->controlHook_ = this;
    SetControl(hook->winControl_);
  }
  install();
}

void TControlHook::RemoveHook(TRxWindowHook* hook) {
  hook->controlHook_ = nullptr;
  list_.erase(std::remove(list_.begin(), list_.end(), hook), list_.end());
  if (list_.empty()) restore();
}

void TControlHook::install() {
  if (!control_ || destroying_ || controlDestroying_ || installed_) return;
  control_->installEventFilter(this);
  installed_ = true;
}

void TControlHook::restore() {
  // Removing our filter leaves every other filter of the widget where it was.
  if (installed_ && control_) control_->removeEventFilter(this);
  installed_ = false;
}

bool TControlHook::skipsHooks() const {
  return list_.empty() || !control_ || destroying_ || controlDestroying_;
}

void TControlHook::callHooks(TMessage& msg, bool& handled, bool after) {
  // A hook may attach or detach others from its handler: walk a copy, from the last attached.
  std::vector<TRxWindowHook*> hooks = list_;
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
    if (std::find(list_.begin(), list_.end(), *it) == list_.end()) continue;
    try {
      if (after)
        (*it)->DoAfterMessage(msg, handled);
      else
        (*it)->DoBeforeMessage(msg, handled);
    } catch (...) {
      gui::VyxApplication::HandleException();
    }
    if (handled) break;
  }
}

bool TControlHook::eventFilter(QObject* watched, QEvent* event) {
  if (watched != control_.data()) return false;
  if (event->type() == QEvent::Destroy) controlDestroying_ = true;
  if (skipsHooks()) return false;  // the event goes its usual way
  TMessage msg{event, event->type(), false};
  bool handled = false;
  if (event->type() != QEvent::Quit) callHooks(msg, handled, false);
  if (handled && !alwaysReachesWidget(event->type())) return true;
  // The widget's own handling. It may end the widget (a deferred delete): the pointer tells.
  QPointer<QWidget> control = control_;
  QObject* receiver = control.data();
  msg.Result = receiver->event(event);
  if (control && !skipsHooks()) callHooks(msg, handled, true);
  return true;
}

// --- THookList -------------------------------------------------------------------------------

THookList::~THookList() {
  std::vector<TControlHook*> hooks = std::move(hooks_);
  hooks_.clear();
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) delete *it;
}

TControlHook* THookList::FindControlHook(const QWidget* control) const {
  if (!control) return nullptr;
  for (TControlHook* hook : hooks_)
    if (hook->Control() == control) return hook;
  return nullptr;
}

TControlHook* THookList::GetControlHook(QWidget* control) {
  if (TControlHook* found = FindControlHook(control)) return found;
  auto* hook = new TControlHook;
  hooks_.push_back(hook);
  hook->SetControl(control);
  return hook;
}

void THookList::Remove(TControlHook* hook) {
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), hook), hooks_.end());
}

void THookList::PostFree(TControlHook* hook) {
  QCoreApplication::postEvent(this, new FreeControlHookEvent(hook));
}

void THookList::customEvent(QEvent* event) {
  if (event->type() != CM_FREECONTROLHOOK) return;
  TControlHook* hook = static_cast<FreeControlHookEvent*>(event)->hook;
  // Only a control hook still in the list, and still without hooks, is freed.
  if (std::find(hooks_.begin(), hooks_.end(), hook) != hooks_.end() && hook->Count() == 0)
    delete hook;
}

// --- the unit's list -------------------------------------------------------------------------

THookList* HookList() {
  auto& list = listHolder();
  if (!list) list = std::make_unique<THookList>();
  return list.get();
}

int ControlHookCount() { return listHolder() ? listHolder()->Count() : 0; }

TControlHook* FindControlHook(const QWidget* control) {
  return listHolder() ? listHolder()->FindControlHook(control) : nullptr;
}

void FreeHookList() { listHolder().reset(); }

QObject* TRxWindowHook::GetHookHandle() { return listHolder().get(); }

}  // namespace rxhook
