// The "Окно" page's TV window options: its style (framed or not), aspect, the work without a TV
// window and the cursor in full screen.
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

#include "core/Settings.h"
#include "platform/MessageBox.h"
#include "settings/Custom.h"
#include "settings/CustomInternal.h"
#include "settings/SettingsHooks.h"

namespace {

constexpr const char* kNoTvWindowText = "The TV window could not be created.";
constexpr const char* kNoTvWindowCaption = "Error";

}  // namespace

// The TV window takes the style at once; WindowStyle, stored at exit, waits for "Ok".
void TForm7::CheckListBox1Click() {
  std::array<bool, kWindowStyleItems> checked{};
  for (int i = 0; i < kWindowStyleItems; ++i)
    checked[i] = CheckListBox1->item(i)->checkState() == Qt::Checked;
  pendingWindowStyle_ = WindowStyleOfItems(checked);
  Label40->setText(WindowStyleText(pendingWindowStyle_));
  if (DialogHooks().restyleTvWindow) DialogHooks().restyleTvWindow(pendingWindowStyle_);
}

void TForm7::CheckBox8Click() {
  {
    const QSignalBlocker quiet(CheckListBox1);
    CheckListBox1->item(kSizeBoxItem)->setCheckState(CheckBox8->isChecked() ? Qt::Checked
                                                                             : Qt::Unchecked);
  }
  CheckListBox1Click();
}

void TForm7::RadioGroup3Click() {
  const int index = RadioGroup3Items->checkedId();
  if (index < 0) return;
  Settings.SideCorrelation = index;
  if (DialogHooks().set34) DialogHooks().set34();
}

void TForm7::CheckBox9Click() {
  Settings.KeepSideCorrelation = CheckBox9->isChecked();
  if (Settings.KeepSideCorrelation && DialogHooks().set34) DialogHooks().set34();
}

// Checked: the TV window goes. Unchecked: it is made again; when that fails the box stays
// checked, the user is told and the program goes on without a TV window.
void TForm7::CheckBox10Click() {
  SettingsDialogHooks& hooks = DialogHooks();
  if (CheckBox10->isChecked()) {
    if (hooks.removeKeyboardHook) hooks.removeKeyboardHook();
    if (hooks.destroyTvWindow) hooks.destroyTvWindow();
    Settings.TvWindowPresent = 0;
    return;
  }
  if (!hooks.createTvWindow || !hooks.createTvWindow()) {
    const QSignalBlocker quiet(CheckBox10);
    CheckBox10->setChecked(true);
    platform::ShowMessageBox(kNoTvWindowText, kNoTvWindowCaption,
                             platform::kMbOk | platform::kMbIconStop);
    return;
  }
  if (hooks.installKeyboardHook) hooks.installKeyboardHook();
  if (hooks.reSet) hooks.reSet();
  Settings.TvWindowPresent = 1;
}

void TForm7::CheckBox12Click() { Settings.FullScreenMouseHide = CheckBox12->isChecked(); }
