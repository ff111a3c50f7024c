// Rxhook: TRxWindowHook lets a component watch and intercept the events of any widget without
// deriving from it. All hooks of one widget share one control hook, an event filter on the
// widget: for each event it calls the hooks' BeforeMessage from the one attached last to the
// first, then the widget's own handling, then their AfterMessage in the same order. A hook that
// sets Handled stops the calls after it, and in BeforeMessage also keeps the event from the
// widget, except for the events that end a widget or its window (they always reach it).
//
// The control hook sits on top of the widget's other event filters while it is attached and hands
// each event straight to the widget's own handling: filters installed on the same widget before
// the hook do not see the widget's events meanwhile; filters installed after it see them first,
// as subclassers on top do, and taking the hook off never disturbs them.
//
// Qt keeps a widget's event filters when its native window is made again (a change of window
// flags), so a hook never has to be put back after such a re-creation.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace rxhook {

// What a hook sees of one event: the event itself, its type, and (after the widget's handling)
// what that handling returned.
struct TMessage {
  QEvent* Event = nullptr;
  QEvent::Type Msg = QEvent::None;
  bool Result = false;
};

// The hook list's private message: free the control hook named in the event when it has no
// hooks left.
inline constexpr QEvent::Type CM_FREECONTROLHOOK = static_cast<QEvent::Type>(0xB053);

class TRxWindowHook;
class TControlHook;
class THookList;

using THookMessageEvent = std::function<void(TRxWindowHook* Sender, TMessage& Msg, bool& Handled)>;

class TRxWindowHook : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Active READ Active WRITE SetActive)
  // A hook on its own form is stored as IsForm rather than as a reference to the form: a layout
  // stores WinControl only while NotIsForm, and IsForm only while it is true.
  Q_PROPERTY(QWidget* WinControl READ WinControl WRITE SetWinControl)
  Q_PROPERTY(bool IsForm READ IsForm WRITE SetIsForm)

public:
  // Active; watches nothing yet.
  explicit TRxWindowHook(QObject* owner = nullptr);
  ~TRxWindowHook() override;

  bool Active() const { return active_; }
  void SetActive(bool value);
  // The watched widget. A widget that is destroyed is let go of by itself.
  QWidget* WinControl() const;
  void SetWinControl(QWidget* value);

  // Attaches to the widget's control hook when there is a widget; Active becomes true either way.
  void HookControl();
  void UnhookControl();
  // The hook list's object, or null while there is none.
  static QObject* GetHookHandle();

  // WinControl is the owner and the owner is a form (a window).
  bool IsForm() const;
  // WinControl is set and is no form.
  bool NotIsForm() const;
  // Reading a stored layout: true attaches the hook to its owner when that is a form.
  void SetIsForm(bool value);

  THookMessageEvent BeforeMessage;
  THookMessageEvent AfterMessage;

protected:
  virtual void DoBeforeMessage(TMessage& Msg, bool& Handled);
  virtual void DoAfterMessage(TMessage& Msg, bool& Handled);

private:
  friend class TControlHook;

  // Detaches from the control hook; returns the one it was attached to (or null).
  TControlHook* DoUnhookControl();
  void watch(QWidget* control);
  void controlDestroyed();

  bool active_ = true;
  bool destroying_ = false;
  QPointer<QWidget> winControl_;
  TControlHook* controlHook_ = nullptr;  // owned by the hook list
  QMetaObject::Connection controlGone_;
};

// The unit's list of control hooks, made on first use.
THookList* HookList();
// How many control hooks the list holds (0 without a list).
int ControlHookCount();
// The control hook of a widget, or null.
TControlHook* FindControlHook(const QWidget* control);
// The unit's finalization: frees the list with every control hook.
void FreeHookList();

}  // namespace rxhook
