// TRxCheckListBox: a list box whose items each carry a check image (check box, radio button or
// check mark) in one of three states, and an enabled flag of their own. The per-item state lives
// in a TCheckListBoxItem kept as the item's data; TCheckListBoxStrings keeps it with the item when
// items are exchanged or moved, and the states survive a re-creation of the window.
//
// The states can be saved to and restored from a profile (keys "Count" and Item0, Item1 ...),
// directly or through a form-placement component (IniStorage), and they travel with the items in
// a stored form layout ("InternalVersion" and "Strings"). A stored state other than 0, 1 or 2
// reads as unchecked.
//
// With ckRadioButtons exactly one item is checked once the list is loaded: checking an item
// unchecks the others, and unchecking the checked item directly does nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/dormant/Placemnt.h"
#include "controls/dormant/RxListBox.h"
#include "gui/Bitmap.h"

namespace apputils {
class TProfileObject;
}
namespace gui {
class TReader;
class TWriter;
}  // namespace gui

namespace rxctrls {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TCheckKind { ckCheckBoxes, ckRadioButtons, ckCheckMarks };

// The state of a stored number: 0, 1 and 2 as they are, anything else unchecked.
TCheckBoxState CheckStateFromOrdinal(int value);

// The layout format version written as "InternalVersion".
inline constexpr int kCheckListVersion = 202;
// Size of one cell of the check image and the image's name among the built-in bitmaps.
inline constexpr const char* kCheckImagesName = "CHECK_IMAGES";

class TCheckListBoxItem {
public:
  intptr_t Data = 0;
  TCheckBoxState State = cbUnchecked;
  bool Enabled = true;
  bool GetChecked() const { return State == cbChecked; }
};

class TCheckListBoxStrings : public TRxListBoxStrings {
public:
  using TRxListBoxStrings::TRxListBoxStrings;

  // The states and enabled flags go along with the items.
  void Exchange(int index1, int index2) override;
  void Move(int currentIndex, int newIndex) override;
};

class TRxCheckListBox : public TRxCustomListBox {
public:
  using TNotifyEvent = std::function<void(TRxCheckListBox*)>;
  using TChangeStateEvent = std::function<void(TRxCheckListBox*, int)>;

  explicit TRxCheckListBox(QWidget* parent = nullptr);
  ~TRxCheckListBox() override;

  // True only when set and CheckKind is ckCheckBoxes or ckCheckMarks.
  bool AllowGrayed() const;
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  TCheckKind CheckKind() const { return checkKind_; }
  void SetCheckKind(TCheckKind value);
  // ckRadioButtons: the first checked item, or -1; other kinds -1. Setting checks max(value, 0)
  // (raising "List index out of bounds (%d)" beyond the last item).
  int CheckedIndex();
  void SetCheckedIndex(int value);

  // Raise EListError "List index out of bounds (%d)" for an index without an item.
  TCheckBoxState State(int index);
  void SetState(int index, TCheckBoxState value);
  bool Checked(int index);
  void SetChecked(int index, bool value);
  bool EnabledItem(int index);
  void SetEnabledItem(int index, bool value);
  // Sets State on every item (only the enabled ones with EnabledOnly); check boxes and check
  // marks only.
  void ApplyState(TCheckBoxState state, bool enabledOnly);
  // Width of the check area beside each item.
  int GetCheckWidth() const { return checkWidth_ + 2; }
  int CheckWidth() const { return checkWidth_; }
  int CheckHeight() const { return checkHeight_; }

  // Under GetDefaultSection(this) of the profile (a profile file or a registry profile).
  void SaveStates(apputils::TProfileObject& ini);
  void RestoreStates(apputils::TProfileObject& ini);
  void SaveStatesReg(apputils::TProfileObject& ini) { SaveStates(ini); }
  void RestoreStatesReg(apputils::TProfileObject& ini) { RestoreStates(ini); }
  void InternalSaveStates(apputils::TProfileObject& ini, const std::string& section);
  void InternalRestoreStates(apputils::TProfileObject& ini, const std::string& section);

  placemnt::TFormPlacement* IniStorage() const { return iniLink_->Storage(); }
  void SetIniStorage(placemnt::TFormPlacement* value) { iniLink_->SetStorage(value); }

  // The stored layout: "InternalVersion" is written only without an ancestor; "Strings" (each
  // item's text, state and enabled flag) when the items differ from the ancestor's.
  bool ShouldWriteVersion(const TRxCheckListBox* ancestor) const { return ancestor == nullptr; }
  void WriteVersion(gui::TWriter& writer) const;
  void ReadVersion(gui::TReader& reader);
  bool ShouldWriteStrings(TRxCheckListBox* ancestor);
  void WriteStrings(gui::TWriter& writer);
  // Raises EReadError on a malformed list; the items read so far stay.
  void ReadStrings(gui::TReader& reader);
  int ReaderVersion() const { return readerVersion_; }

  TNotifyEvent OnClickCheck;
  TChangeStateEvent OnStateChange;

protected:
  void Loaded() override;
  void Dispatch(TMessage& message) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  int GetItemHeight() override;
  std::unique_ptr<gui::TStrings> CreateItemList() override;
  int GetItemWidth(int index) override;
  void DrawItem(int index, const gui::TRect& rect, TOwnerDrawState state) override;
  void SetItems(const gui::TStrings& value) override;
  intptr_t GetItemData(int index) override;
  void SetItemData(int index, intptr_t data) override;
  void ResetContent() override;
  void DeleteString(int index) override;
  void KeyPress(char& key) override;
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void FontChanged() override;
  void CNDrawItem(DRAWITEMSTRUCT& dis) override;
  virtual void ClickCheck();
  virtual void ChangeItemState(int index);

  void ToggleClickCheck(int index);
  void UpdateCheckStates();
  void ResetItemHeight();

private:
  friend class TCheckListBoxStrings;

  TCheckListBoxItem* FindCheckObject(int index);
  TCheckListBoxItem* GetCheckObject(int index);
  bool IsCheckObject(int index) { return FindCheckObject(index) != nullptr; }
  void freeItemObject(int index);
  void saveStatesOnDestroy();
  gui::TRect checkArea(const gui::TRect& itemRect) const;
  void invalidateCheck(int index);
  void invalidateItem(int index);
  void IniSave();
  void IniLoad();

  bool allowGrayed_ = false;
  TCheckKind checkKind_ = ckCheckBoxes;
  std::unique_ptr<std::vector<int32_t>> saveStates_;
  std::shared_ptr<const gui::TBitmap> checkImages_;
  gui::TBitmap drawBitmap_;
  int checkWidth_ = 16;
  int checkHeight_ = 13;
  int readerVersion_ = 0;
  bool inUpdateStates_ = false;
  std::unique_ptr<placemnt::TIniLink> iniLink_;
  // The item objects made here, by address: an item's data names one of them or none.
  std::unordered_map<TCheckListBoxItem*, std::unique_ptr<TCheckListBoxItem>> objects_;
};

}  // namespace rxctrls
