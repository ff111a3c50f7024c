// The inside of Rxhook: the control hook of one widget (the event filter shared by its hooks) and
// the unit's hook list, which frees unused control hooks later, when its private message comes.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

#include "controls/dormant/Rxhook.h"

namespace rxhook {

class TControlHook : public QObject {
public:
  TControlHook();
  ~TControlHook() override;

  QWidget* Control() const { return control_; }
  // Takes the filter off the old widget, and puts it on the new one while hooks are attached.
  void SetControl(QWidget* value);
  int Count() const { return int(list_.size()); }

  void AddHook(TRxWindowHook* hook);
  void RemoveHook(TRxWindowHook* hook);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void install();
  void restore();
  bool skipsHooks() const;
  // Each hook's call is guarded: an exception goes to the application's handler.
  void callHooks(TMessage& msg, bool& handled, bool after);

  QPointer<QWidget> control_;
  bool installed_ = false;
  bool destroying_ = false;
  bool controlDestroying_ = false;
  std::vector<TRxWindowHook*> list_;  // not owned
};

class THookList : public QObject {
public:
  ~THookList() override;

  int Count() const { return int(hooks_.size()); }
  TControlHook* FindControlHook(const QWidget* control) const;
  TControlHook* GetControlHook(QWidget* control);
  void Remove(TControlHook* hook);
  // Posts CM_FREECONTROLHOOK for the control hook.
  void PostFree(TControlHook* hook);

protected:
  void customEvent(QEvent* event) override;

private:
  std::vector<TControlHook*> hooks_;  // owned
};

}  // namespace rxhook
