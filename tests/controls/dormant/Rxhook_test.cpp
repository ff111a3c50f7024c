// Tests of the window hooks: the order of several hooks and the Handled rule, events that always
// reach the widget, other filters left in place, the control hook freed later, a widget that
// goes away, a hook on its own form, and an exception in a hook.
#include "controls/dormant/Rxhook.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

using namespace rxhook;

namespace {

const QEvent::Type kProbe = static_cast<QEvent::Type>(QEvent::User + 17);

// A widget that counts the probe events its own handling gets.
class ProbeWidget : public QWidget {
public:
  using QWidget::QWidget;
  int probes = 0;

protected:
  bool event(QEvent* e) override {
    if (e->type() != kProbe) return QWidget::event(e);
    ++probes;
    return true;
  }
};

// An event filter of someone else's, counting probes.
class OtherFilter : public QObject {
public:
  int probes = 0;
  std::vector<std::string>* log = nullptr;

protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == kProbe) {
      ++probes;
      if (log) log->push_back("other");
    }
    return false;
  }
};

void probe(QWidget* w) {
  QEvent e(kProbe);
  QCoreApplication::sendEvent(w, &e);
}

class RxhookTest : public ::testing::Test {
protected:
  void SetUp() override { FreeHookList(); }
  void TearDown() override { FreeHookList(); }

  // A hook that logs its probe calls as "<name> before/after" and may handle them.
  void logProbes(TRxWindowHook& hook, const std::string& name, bool handleBefore = false) {
    hook.BeforeMessage = [this, name, handleBefore](TRxWindowHook*, TMessage& m, bool& handled) {
      if (m.Msg != kProbe) return;
      log.push_back(name + " before");
      handled = handleBefore;
    };
    hook.AfterMessage = [this, name](TRxWindowHook*, TMessage& m, bool&) {
      if (m.Msg == kProbe) log.push_back(name + " after" + (m.Result ? " result" : ""));
    };
  }

  std::vector<std::string> log;
};

TEST_F(RxhookTest, LastAttachedHookSeesEachEventFirst) {
  ProbeWidget widget;
  TRxWindowHook first, second;
  logProbes(first, "first");
  logProbes(second, "second");
  first.SetWinControl(&widget);
  second.SetWinControl(&widget);
  EXPECT_EQ(ControlHookCount(), 1) << "one control hook per widget";

  probe(&widget);
  EXPECT_EQ(widget.probes, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"second before", "first before", "second after result",
                                           "first after result"}));
}

TEST_F(RxhookTest, HandledBeforeKeepsTheEventFromEarlierHooksAndTheWidget) {
  ProbeWidget widget;
  TRxWindowHook first, second;
  logProbes(first, "first");
  logProbes(second, "second", true);
  first.SetWinControl(&widget);
  second.SetWinControl(&widget);
  probe(&widget);
  EXPECT_EQ(widget.probes, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"second before"}));

  // An after-handler that sets Handled stops the after-calls behind it.
  log.clear();
  second.BeforeMessage = nullptr;
  second.AfterMessage = [this](TRxWindowHook*, TMessage& m, bool& handled) {
    if (m.Msg == kProbe) log.push_back("second after"), handled = true;
  };
  probe(&widget);
  EXPECT_EQ(widget.probes, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"first before", "second after"}));
}

TEST_F(RxhookTest, TheEndOfAWidgetAlwaysReachesIt) {
  QPointer<ProbeWidget> widget = new ProbeWidget;
  TRxWindowHook hook;
  int deferred = 0;
  hook.BeforeMessage = [&](TRxWindowHook*, TMessage& m, bool& handled) {
    if (m.Msg == QEvent::DeferredDelete) ++deferred, handled = true;
  };
  hook.SetWinControl(widget);
  widget->deleteLater();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(deferred, 1);
  EXPECT_TRUE(widget.isNull()) << "handled or not, the widget is deleted";
  EXPECT_EQ(hook.WinControl(), nullptr);
  EXPECT_TRUE(hook.Active());
  EXPECT_EQ(ControlHookCount(), 1);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(ControlHookCount(), 0) << "the unused control hook is freed by the posted message";
}

TEST_F(RxhookTest, ControlHookIsFreedOnlyWhenItsMessageComes) {
  ProbeWidget a, b;
  TRxWindowHook hook;
  hook.SetWinControl(&a);
  hook.SetWinControl(&b);
  EXPECT_EQ(ControlHookCount(), 2);
  EXPECT_NE(TRxWindowHook::GetHookHandle(), nullptr);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(ControlHookCount(), 1);
  EXPECT_EQ(FindControlHook(&a), nullptr);

  // Freeing is skipped when a hook came back meanwhile.
  TRxWindowHook other;
  hook.SetWinControl(&a);
  other.SetWinControl(&b);
  QCoreApplication::sendPostedEvents();
  EXPECT_NE(FindControlHook(&b), nullptr);

  FreeHookList();
  EXPECT_EQ(TRxWindowHook::GetHookHandle(), nullptr);
  int seen = 0;
  hook.BeforeMessage = [&](TRxWindowHook*, TMessage&, bool&) { ++seen; };
  probe(&a);
  EXPECT_EQ(seen, 0) << "the list's end detaches every hook";
  EXPECT_EQ(hook.WinControl(), &a) << "an unattached hook reads its stored widget";
}

TEST_F(RxhookTest, OtherFiltersStayInPlace) {
  ProbeWidget widget;
  OtherFilter before, after;
  before.log = after.log = &log;
  widget.installEventFilter(&before);
  TRxWindowHook hook;
  logProbes(hook, "hook");
  hook.SetWinControl(&widget);
  widget.installEventFilter(&after);

  probe(&widget);
  EXPECT_EQ(log, (std::vector<std::string>{"other", "hook before", "hook after result"}))
      << "a filter installed later sees the event first; one from before is passed over";

  hook.SetActive(false);
  log.clear();
  probe(&widget);
  EXPECT_EQ(log, (std::vector<std::string>{"other", "other"}));
  EXPECT_EQ(widget.probes, 2);

  // Attached again, the hook is on top: both other filters are below it now.
  hook.SetActive(true);
  log.clear();
  probe(&widget);
  EXPECT_EQ(log, (std::vector<std::string>{"hook before", "hook after result"}));
  EXPECT_EQ(widget.probes, 3);
}

TEST_F(RxhookTest, HooksKeepWatchingAfterTheWindowIsMadeAgain) {
  ProbeWidget widget;
  TRxWindowHook hook;
  logProbes(hook, "hook");
  hook.SetWinControl(&widget);
  widget.show();
  widget.setWindowFlags(Qt::Tool);  // re-creates the native window
  widget.show();
  QCoreApplication::processEvents();
  probe(&widget);
  EXPECT_EQ(log, (std::vector<std::string>{"hook before", "hook after result"}));
}

TEST_F(RxhookTest, HookOnItsOwnFormIsStoredAsIsForm) {
  QWidget form;
  TRxWindowHook hook(&form);
  hook.SetWinControl(&form);
  EXPECT_TRUE(hook.IsForm());
  EXPECT_FALSE(hook.NotIsForm()) << "the reference to the form is not stored";

  QWidget child(&form);
  hook.SetWinControl(&child);
  EXPECT_FALSE(hook.IsForm());
  EXPECT_TRUE(hook.NotIsForm());

  TRxWindowHook loaded(&form);
  EXPECT_TRUE(loaded.setProperty("IsForm", true));
  EXPECT_EQ(loaded.WinControl(), &form);
  QObject plainOwner;
  TRxWindowHook notOnForm(&plainOwner);
  notOnForm.SetIsForm(true);
  EXPECT_EQ(notOnForm.WinControl(), nullptr);
}

TEST_F(RxhookTest, AnExceptionInAHookIsShownAndTheNextHookStillRuns) {
  platform::RecordingMessageBox boxes;
  ProbeWidget widget;
  TRxWindowHook first, second;
  logProbes(first, "first");
  second.BeforeMessage = [](TRxWindowHook*, TMessage& m, bool&) {
    if (m.Msg == kProbe) throw std::runtime_error("hook failed");
  };
  first.SetWinControl(&widget);
  second.SetWinControl(&widget);
  probe(&widget);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "hook failed.");
  EXPECT_EQ(widget.probes, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"first before", "first after result"}));
}

TEST_F(RxhookTest, AnInactiveHookSeesNothing) {
  ProbeWidget widget;
  TRxWindowHook hook;
  logProbes(hook, "hook");
  hook.SetActive(false);
  hook.SetWinControl(&widget);
  EXPECT_EQ(hook.WinControl(), &widget);
  probe(&widget);
  EXPECT_TRUE(log.empty());
  hook.HookControl();
  probe(&widget);
  EXPECT_EQ(log.size(), 2u);
}

}  // namespace
