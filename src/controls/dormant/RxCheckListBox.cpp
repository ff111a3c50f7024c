#include "controls/dormant/RxCheckListBox.h"

#include <algorithm>

#include "controls/VclutilsBitmaps.h"
#include "gui/BuiltinBitmaps.h"
#include "gui/Exceptions.h"
#include "gui/ScopedFlag.h"

// The resources live in a static library: registering them needs a reference from its code.
static void initCheckListResources() { Q_INIT_RESOURCE(controls_checklist); }

namespace rxctrls {

using namespace gui;

TCheckBoxState CheckStateFromOrdinal(int value) {
  return value == cbChecked || value == cbGrayed ? TCheckBoxState(value) : cbUnchecked;
}

namespace {

struct ItemMark {
  TCheckBoxState state = cbUnchecked;
  bool enabled = true;
};

}  // namespace

// TCheckListBoxStrings

void TCheckListBoxStrings::Exchange(int index1, int index2) {
  auto* box = static_cast<TRxCheckListBox*>(ListBox);
  ItemMark first{box->State(index1), box->EnabledItem(index1)};
  ItemMark second{box->State(index2), box->EnabledItem(index2)};
  TRxListBoxStrings::Exchange(index1, index2);
  for (auto [index, mark] : {std::pair{index1, second}, std::pair{index2, first}}) {
    TCheckListBoxItem* item = box->GetCheckObject(index);
    item->State = mark.state;
    item->Enabled = mark.enabled;
  }
  box->Invalidate();
}

void TCheckListBoxStrings::Move(int currentIndex, int newIndex) {
  auto* box = static_cast<TRxCheckListBox*>(ListBox);
  ItemMark mark{box->State(currentIndex), box->EnabledItem(currentIndex)};
  TRxListBoxStrings::Move(currentIndex, newIndex);
  TCheckListBoxItem* item = box->GetCheckObject(newIndex);
  item->State = mark.state;
  item->Enabled = mark.enabled;
  box->Invalidate();
}

// TRxCheckListBox

TRxCheckListBox::TRxCheckListBox(QWidget* parent)
    : TRxCustomListBox(parent), iniLink_(std::make_unique<placemnt::TIniLink>()) {
  SetAutoScroll(true);
  static const bool registered = (initCheckListResources(), true);
  (void)registered;
  checkImages_ = LoadBuiltinBitmap(kCheckImagesName);
  if (checkImages_) {
    checkWidth_ = checkImages_->Width() / 6;
    checkHeight_ = checkImages_->Height() / 3;
  }
  drawBitmap_.SetSize(checkWidth_, checkHeight_);
  iniLink_->OnSave = [this](placemnt::TIniLink*) { IniSave(); };
  iniLink_->OnLoad = [this](placemnt::TIniLink*) { IniLoad(); };
}

// The item objects go with the control (objects_), as its window does.
TRxCheckListBox::~TRxCheckListBox() = default;

std::unique_ptr<TStrings> TRxCheckListBox::CreateItemList() {
  return std::make_unique<TCheckListBoxStrings>(this);
}

TCheckListBoxItem* TRxCheckListBox::FindCheckObject(int index) {
  intptr_t data = Perform(LB_GETITEMDATA, uintptr_t(index));
  if (data == LB_ERR) throw EStringListError(FormatText(texts::kListIndexError, index));
  // Only objects made here count; any other value is no item object.
  auto found = objects_.find(reinterpret_cast<TCheckListBoxItem*>(data));
  return found == objects_.end() ? nullptr : found->first;
}

TCheckListBoxItem* TRxCheckListBox::GetCheckObject(int index) {
  TCheckListBoxItem* item = FindCheckObject(index);
  if (item) return item;
  auto owned = std::make_unique<TCheckListBoxItem>();
  item = owned.get();
  objects_.emplace(item, std::move(owned));
  Perform(LB_SETITEMDATA, uintptr_t(index), reinterpret_cast<intptr_t>(item));
  return item;
}

void TRxCheckListBox::freeItemObject(int index) {
  TCheckListBoxItem* item = FindCheckObject(index);
  if (item) objects_.erase(item);
  Perform(LB_SETITEMDATA, uintptr_t(index), 0);
}

bool TRxCheckListBox::AllowGrayed() const {
  return allowGrayed_ && (checkKind_ == ckCheckBoxes || checkKind_ == ckCheckMarks);
}

void TRxCheckListBox::SetCheckKind(TCheckKind value) {
  if (checkKind_ == value) return;
  checkKind_ = value;
  UpdateCheckStates();
  Invalidate();
}

TCheckBoxState TRxCheckListBox::State(int index) {
  TCheckListBoxItem* item = FindCheckObject(index);
  TCheckBoxState state = item ? item->State : cbUnchecked;
  if (checkKind_ == ckRadioButtons && state != cbChecked) state = cbUnchecked;
  return state;
}

void TRxCheckListBox::SetState(int index, TCheckBoxState value) {
  if (State(index) == value && !inUpdateStates_) return;
  // A radio group is unchecked only by checking another item.
  if (checkKind_ == ckRadioButtons && value == cbUnchecked && CheckedIndex() == index) return;
  GetCheckObject(index)->State = value;
  if (checkKind_ == ckRadioButtons && value == cbChecked) {
    for (int i = Items().Count() - 1; i >= 0; --i) {
      if (i != index && State(i) == cbChecked) {
        GetCheckObject(i)->State = cbUnchecked;
        invalidateCheck(i);
      }
    }
  }
  invalidateCheck(index);
  if (!(ComponentState() & csReading)) ChangeItemState(index);
}

bool TRxCheckListBox::Checked(int index) {
  TCheckListBoxItem* item = FindCheckObject(index);
  return item && item->State == cbChecked;
}

void TRxCheckListBox::SetChecked(int index, bool value) {
  SetState(index, value ? cbChecked : cbUnchecked);
}

bool TRxCheckListBox::EnabledItem(int index) {
  TCheckListBoxItem* item = FindCheckObject(index);
  return item ? item->Enabled : true;
}

void TRxCheckListBox::SetEnabledItem(int index, bool value) {
  if (EnabledItem(index) == value) return;
  GetCheckObject(index)->Enabled = value;
  invalidateItem(index);
}

int TRxCheckListBox::CheckedIndex() {
  if (checkKind_ != ckRadioButtons) return -1;
  int count = Items().Count();
  for (int i = 0; i < count; ++i) {
    if (State(i) == cbChecked) return i;
  }
  return -1;
}

void TRxCheckListBox::SetCheckedIndex(int value) {
  if (checkKind_ == ckRadioButtons && Items().Count() > 0) SetState(std::max(value, 0), cbChecked);
}

void TRxCheckListBox::ApplyState(TCheckBoxState state, bool enabledOnly) {
  if (checkKind_ != ckCheckBoxes && checkKind_ != ckCheckMarks) return;
  int count = Items().Count();
  for (int i = 0; i < count; ++i) {
    if (!enabledOnly || EnabledItem(i)) SetState(i, state);
  }
}

void TRxCheckListBox::UpdateCheckStates() {
  if (checkKind_ != ckRadioButtons || Items().Count() == 0) return;
  ScopedFlag updating(inUpdateStates_);
  SetState(std::max(CheckedIndex(), 0), cbChecked);
}

void TRxCheckListBox::Loaded() {
  TRxCustomListBox::Loaded();
  UpdateCheckStates();
}

void TRxCheckListBox::ToggleClickCheck(int index) {
  if (index < 0 || index >= Items().Count() || !EnabledItem(index)) return;
  switch (State(index)) {
    case cbUnchecked: SetState(index, AllowGrayed() ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(index, cbUnchecked); break;
    case cbGrayed: SetState(index, cbChecked); break;
  }
  ClickCheck();
}

void TRxCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

void TRxCheckListBox::ChangeItemState(int index) {
  if (OnStateChange) OnStateChange(this, index);
}

void TRxCheckListBox::KeyPress(char& key) {
  TRxCustomListBox::KeyPress(key);
  switch (key) {
    case ' ':
      ToggleClickCheck(ItemIndex());
      key = 0;
      break;
    case '+':
      ApplyState(cbChecked, true);
      ClickCheck();
      break;
    case '-':
      ApplyState(cbUnchecked, true);
      ClickCheck();
      break;
    default:
      break;
  }
}

void TRxCheckListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TRxCustomListBox::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  int index = ItemAtPos(Point(x, y), true);
  if (index < 0) return;
  TRect r = ItemRect(index);
  bool inCheck = UseRightToLeftAlignment() ? x > r.Right - GetCheckWidth() && x < r.Right
                                           : x - r.Left < GetCheckWidth();
  if (inCheck) ToggleClickCheck(index);
}

TRect TRxCheckListBox::checkArea(const TRect& itemRect) const {
  TRect r = itemRect;
  if (UseRightToLeftAlignment()) r.Left = r.Right - GetCheckWidth();
  else r.Right = r.Left + GetCheckWidth();
  return r;
}

void TRxCheckListBox::invalidateCheck(int index) {
  if (!HandleAllocated()) return;
  TRect r;
  if (Perform(LB_GETITEMRECT, uintptr_t(index), reinterpret_cast<intptr_t>(&r)) == LB_ERR) return;
  r = checkArea(r);
  OffsetRect(r, BorderInset(), BorderInset());
  InvalidateRect(r);
}

void TRxCheckListBox::invalidateItem(int index) {
  if (!HandleAllocated()) return;
  TRect r;
  if (Perform(LB_GETITEMRECT, uintptr_t(index), reinterpret_cast<intptr_t>(&r)) == LB_ERR) return;
  OffsetRect(r, BorderInset(), BorderInset());
  InvalidateRect(r);
}

int TRxCheckListBox::GetItemWidth(int index) {
  return TRxCustomListBox::GetItemWidth(index) + GetCheckWidth();
}

intptr_t TRxCheckListBox::GetItemData(int index) {
  TCheckListBoxItem* item = FindCheckObject(index);
  return item ? item->Data : 0;
}

void TRxCheckListBox::SetItemData(int index, intptr_t data) {
  TCheckListBoxItem* item = GetCheckObject(index);
  item->Data = data;
  // While the window is made again, the items come back in order with their kept states.
  if (saveStates_ && !saveStates_->empty()) {
    int32_t packed = saveStates_->front();
    saveStates_->erase(saveStates_->begin());
    item->Enabled = (packed & 0xFFFF) != 0;
    item->State = CheckStateFromOrdinal((packed >> 16) & 0xFF);
  }
}

void TRxCheckListBox::ResetContent() {
  for (int i = Items().Count() - 1; i >= 0; --i) freeItemObject(i);
  TRxCustomListBox::ResetContent();
}

void TRxCheckListBox::DeleteString(int index) {
  freeItemObject(index);
  TRxCustomListBox::DeleteString(index);
}

void TRxCheckListBox::saveStatesOnDestroy() {
  if (!saveStates_) saveStates_ = std::make_unique<std::vector<int32_t>>();
  saveStates_->clear();
  int count = int(Perform(LB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    TCheckListBoxItem* item = FindCheckObject(i);
    bool enabled = item ? item->Enabled : true;
    int state = item ? int(item->State) : int(cbUnchecked);
    saveStates_->push_back(int32_t(enabled ? 1 : 0) | int32_t(state) << 16);
    freeItemObject(i);
  }
}

void TRxCheckListBox::Dispatch(TMessage& m) {
  if (m.Msg == WM_DESTROY && Perform(LB_GETCOUNT) > 0) saveStatesOnDestroy();
  TRxCustomListBox::Dispatch(m);
}

void TRxCheckListBox::CreateParams(TCreateParams& params) {
  TRxCustomListBox::CreateParams(params);
  // The control always draws its items.
  if (!(params.Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) params.Style |= LBS_OWNERDRAWFIXED;
}

void TRxCheckListBox::CreateWnd() {
  TRxCustomListBox::CreateWnd();
  saveStates_.reset();
  ResetItemHeight();
}

void TRxCheckListBox::ResetItemHeight() {
  if (!HandleAllocated()) return;
  if (!(Style() == lbStandard || (Style() == lbOwnerDrawFixed && !OnDrawItem()))) return;
  TControl::Canvas().Font = Font();
  int h = std::max(TControl::Canvas().TextHeight("Wg"), checkHeight_);
  if (Style() == lbOwnerDrawFixed) h = std::max(h, StoredItemHeight());
  Perform(LB_SETITEMHEIGHT, 0, h);
  // The window shows its vertical scroll bar only when the items do not fit.
}

int TRxCheckListBox::GetItemHeight() {
  if (HandleAllocated() && (Style() == lbStandard || (Style() == lbOwnerDrawFixed && !OnDrawItem()))) {
    TRect r;
    Perform(LB_GETITEMRECT, 0, reinterpret_cast<intptr_t>(&r));
    return r.Height();
  }
  return StoredItemHeight();
}

void TRxCheckListBox::FontChanged() {
  TRxCustomListBox::FontChanged();
  ResetItemHeight();
}

void TRxCheckListBox::CNDrawItem(DRAWITEMSTRUCT& dis) {
  // Selection colours and the focus rectangle cover the text only.
  if (UseRightToLeftAlignment()) dis.rcItem.Right -= GetCheckWidth();
  else dis.rcItem.Left += GetCheckWidth();
  TRxCustomListBox::CNDrawItem(dis);
}

void TRxCheckListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  TCanvas& canvas = Canvas();
  if (index < Items().Count()) {
    TRect area = UseRightToLeftAlignment() ? Rect(rect.Right, rect.Top, rect.Right + GetCheckWidth(), rect.Bottom)
                                           : Rect(rect.Left - GetCheckWidth(), rect.Top, rect.Left, rect.Bottom);
    bool enabled = EnabledItem(index);
    if (checkImages_) {
      int column = int(State(index)) + (enabled ? 0 : 3);
      drawBitmap_.SetImage(checkImages_->Image().copy(column * checkWidth_, int(checkKind_) * checkHeight_,
                                                      checkWidth_, checkHeight_));
      int x = area.Left + (area.Width() - checkWidth_) / 2;
      int y = area.Top + (area.Height() - checkHeight_) / 2;
      TColor brush = canvas.Brush.Color;
      canvas.Brush.Color = Color();
      canvas.FillRect(Bounds(x, y, checkWidth_, checkHeight_));
      vclutils::DrawBitmapTransparent(canvas, x, y, drawBitmap_, clDefault);
      canvas.Brush.Color = brush;
    }
    if (!enabled) canvas.Font.Color = (state & odSelected) ? clInactiveCaptionText : clGrayText;
  }
  // A standard-style list draws its text itself even when OnDrawItem is set.
  if (Style() == lbStandard && OnDrawItem()) DrawItemDefault(index, rect);
  else TRxCustomListBox::DrawItem(index, rect, state);
}

void TRxCheckListBox::SetItems(const TStrings& value) {
  Items().BeginUpdate();
  try {
    TRxCustomListBox::SetItems(value);
    if (auto* source = dynamic_cast<const TCheckListBoxStrings*>(&value)) {
      auto* box = static_cast<TRxCheckListBox*>(source->ListBox);
      int count = Items().Count();
      for (int i = 0; i < count && i < box->Items().Count(); ++i) {
        TCheckListBoxItem* from = box->FindCheckObject(i);
        if (!from) continue;
        TCheckListBoxItem* to = GetCheckObject(i);
        to->State = from->State;
        to->Enabled = from->Enabled;
      }
    }
  } catch (...) {
    Items().EndUpdate();
    throw;
  }
  Items().EndUpdate();
}

}  // namespace rxctrls
