#include "controls/dormant/RxListBox.h"

#include <QCursor>

#include <algorithm>
#include <cmath>

#include "gui/Exceptions.h"

namespace rxctrls {

using namespace gui;

// TRxListBoxStrings

int TRxListBoxStrings::Count() const { return int(ListBox->Perform(LB_GETCOUNT)); }

std::string TRxListBoxStrings::Get(int index) const {
  // The buffer is sized by the item's length, so a long text never runs past it; what is read
  // keeps the list box's limit of 4095 bytes.
  intptr_t length = ListBox->Perform(LB_GETTEXTLEN, uintptr_t(index));
  if (length < 0) throw EStringListError(FormatText(texts::kListIndexError, index));
  std::string buffer(size_t(length) + 1, '\0');
  intptr_t read = ListBox->Perform(LB_GETTEXT, uintptr_t(index), reinterpret_cast<intptr_t>(buffer.data()));
  if (read < 0) throw EStringListError(FormatText(texts::kListIndexError, index));
  buffer.resize(std::min<size_t>(size_t(read), kItemTextBuffer - 1));
  return buffer;
}

void* TRxListBoxStrings::GetObject(int index) const {
  intptr_t data = ListBox->GetItemData(index);
  if (data == LB_ERR) throw EStringListError(FormatText(texts::kListIndexError, index));
  return reinterpret_cast<void*>(data);
}

void TRxListBoxStrings::PutObject(int index, void* object) {
  ListBox->SetItemData(index, reinterpret_cast<intptr_t>(object));
}

int TRxListBoxStrings::Add(const std::string& s) {
  intptr_t index = ListBox->Perform(LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(s.c_str()));
  if (index < 0) throw EOutOfResources(kInsertLineError);
  return int(index);
}

void TRxListBoxStrings::Insert(int index, const std::string& s) {
  intptr_t result =
      ListBox->Perform(LB_INSERTSTRING, uintptr_t(index), reinterpret_cast<intptr_t>(s.c_str()));
  if (result < 0) throw EOutOfResources(kInsertLineError);
}

void TRxListBoxStrings::Delete(int index) { ListBox->DeleteString(index); }

void TRxListBoxStrings::Clear() { ListBox->ResetContent(); }

void TRxListBoxStrings::SetUpdateState(bool updating) {
  ListBox->Perform(WM_SETREDRAW, !updating);
  if (!updating) ListBox->Invalidate();
}

// TRxCustomListBox

TRxCustomListBox::TRxCustomListBox(QWidget* parent) : TListBoxWindow(parent) {
  SetBounds(Left(), Top(), 121, 97);
  SetTabStop(true);
}

TRxCustomListBox::~TRxCustomListBox() = default;

TStrings& TRxCustomListBox::Items() {
  // Made on first use, so that a derived class's CreateItemList is the one that runs.
  if (!items_) items_ = CreateItemList();
  return *items_;
}

std::unique_ptr<TStrings> TRxCustomListBox::CreateItemList() {
  return std::make_unique<TRxListBoxStrings>(this);
}

void TRxCustomListBox::SetItems(const TStrings& value) { Items().Assign(value); }

intptr_t TRxCustomListBox::GetItemData(int index) { return Perform(LB_GETITEMDATA, uintptr_t(index)); }

void TRxCustomListBox::SetItemData(int index, intptr_t data) {
  Perform(LB_SETITEMDATA, uintptr_t(index), data);
}

void TRxCustomListBox::ResetContent() { Perform(LB_RESETCONTENT); }

void TRxCustomListBox::DeleteString(int index) { Perform(LB_DELETESTRING, uintptr_t(index)); }

void TRxCustomListBox::Clear() { Items().Clear(); }

int TRxCustomListBox::ItemIndex() { return int(Perform(LB_GETCURSEL)); }

void TRxCustomListBox::SetItemIndex(int value) {
  if (ItemIndex() != value) Perform(LB_SETCURSEL, uintptr_t(value));
}

int TRxCustomListBox::SelCount() { return int(Perform(LB_GETSELCOUNT)); }

bool TRxCustomListBox::Selected(int index) {
  intptr_t result = Perform(LB_GETSEL, uintptr_t(index));
  if (result == LB_ERR) throw EStringListError(FormatText(texts::kListIndexError, index));
  return result != 0;
}

void TRxCustomListBox::SetSelected(int index, bool value) {
  if (multiSelect_) {
    if (Perform(LB_SETSEL, value, index) == LB_ERR) throw EStringListError(FormatText(texts::kListIndexError, index));
  } else if (value) {
    SetItemIndex(index);
  } else if (ItemIndex() == index) {
    SetItemIndex(-1);
  }
}

int TRxCustomListBox::TopIndex() { return int(Perform(LB_GETTOPINDEX)); }

void TRxCustomListBox::SetTopIndex(int value) {
  if (TopIndex() != value) Perform(LB_SETTOPINDEX, uintptr_t(value));
}

int TRxCustomListBox::ItemAtPos(TPoint pos, bool existing) {
  if (!PtInRect(ListClientRect(), pos)) return -1;
  int count = Items().Count();
  for (int i = TopIndex(); i < count; ++i) {
    TRect r;
    if (Perform(LB_GETITEMRECT, uintptr_t(i), reinterpret_cast<intptr_t>(&r)) == LB_ERR) break;
    if (PtInRect(r, pos)) return i;
  }
  return existing ? -1 : count;
}

TRect TRxCustomListBox::ItemRect(int index) {
  TRect r;
  int count = Items().Count();
  // No rectangle for a negative index or in an empty list: the window would give none either.
  if (index < 0 || count == 0 || index > count) return r;
  if (index < count) {
    Perform(LB_GETITEMRECT, uintptr_t(index), reinterpret_cast<intptr_t>(&r));
    return r;
  }
  Perform(LB_GETITEMRECT, uintptr_t(count - 1), reinterpret_cast<intptr_t>(&r));
  OffsetRect(r, 0, r.Height());
  return r;
}

int TRxCustomListBox::GetItemHeight() {
  if (HandleAllocated() && style_ == lbStandard) {
    TRect r;
    Perform(LB_GETITEMRECT, 0, reinterpret_cast<intptr_t>(&r));
    return r.Height();
  }
  return itemHeight_;
}

int TRxCustomListBox::TabStopPixels() {
  return int(std::lround(double(Canvas().TextWidth("0")) * tabWidth_ / 4.0));
}

void TRxCustomListBox::DefaultDrawText(int x, int y, const std::string& s) {
  TCanvas& canvas = Canvas();
  if (tabWidth_ != 0) TabbedTextOut(canvas, x, y, s, TabStopPixels(), x);
  else canvas.TextOut(x, y, s);
}

int TRxCustomListBox::GetItemWidth(int index) {
  if (style_ != lbStandard && onGetItemWidth_ && onDrawItem_) {
    int width = 0;
    onGetItemWidth_(this, index, width);
    return width;
  }
  // The appended "x" leaves a margin after the widest line.
  std::string s = Items().Get(index) + "x";
  if (tabWidth_ >= 1) return TabbedTextWidth(Canvas(), s, TabStopPixels()) & 0xFFFF;
  return Canvas().TextWidth(s);
}

void TRxCustomListBox::ResetHorizontalExtent() {
  maxItemWidth_ = 0;
  int count = Items().Count();
  for (int i = 0; i < count; ++i) maxItemWidth_ = std::max(maxItemWidth_, GetItemWidth(i));
  SetHorizontalExtent();
}

void TRxCustomListBox::SetHorizontalExtent() {
  Perform(LB_SETHORIZONTALEXTENT, uintptr_t(maxItemWidth_));
}

void TRxCustomListBox::extentChanged() {
  if (!HandleAllocated()) return;
  Perform(WM_HSCROLL, SB_TOP);
  if (AutoScroll()) {
    ResetHorizontalExtent();
  } else {
    maxItemWidth_ = 0;
    Perform(LB_SETHORIZONTALEXTENT, 0);
  }
}

void TRxCustomListBox::SetAutoScroll(bool value) {
  if (autoScroll_ == value) return;
  autoScroll_ = value;
  extentChanged();
}

void TRxCustomListBox::SetOnDrawItem(TDrawItemEvent value) {
  bool was = bool(onDrawItem_);
  onDrawItem_ = std::move(value);
  if (was != bool(onDrawItem_)) extentChanged();
}

void TRxCustomListBox::SetOnGetItemWidth(TGetItemWidthEvent value) {
  bool was = bool(onGetItemWidth_);
  onGetItemWidth_ = std::move(value);
  if (was != bool(onGetItemWidth_)) extentChanged();
}

void TRxCustomListBox::WndProc(TMessage& m) {
  if (ExtentWatched()) {
    switch (m.Msg) {
      case WM_SETFONT:
        TListBoxWindow::WndProc(m);
        TControl::Canvas().Font = Font();
        ResetHorizontalExtent();
        return;
      case LB_ADDSTRING:
      case LB_INSERTSTRING:
        TListBoxWindow::WndProc(m);
        if (m.Result >= 0) {
          maxItemWidth_ = std::max(maxItemWidth_, GetItemWidth(int(m.Result)));
          SetHorizontalExtent();
        }
        return;
      case LB_DELETESTRING: {
        int index = int(intptr_t(m.WParam));
        if (index < 0 || index >= Items().Count() || GetItemWidth(index) < maxItemWidth_) {
          TListBoxWindow::WndProc(m);
        } else {
          Perform(WM_HSCROLL, SB_TOP);
          TListBoxWindow::WndProc(m);
          ResetHorizontalExtent();
        }
        return;
      }
      case LB_RESETCONTENT:
        maxItemWidth_ = 0;
        SetHorizontalExtent();
        Perform(WM_HSCROLL, SB_TOP);
        TListBoxWindow::WndProc(m);
        return;
      default:
        break;
    }
  }
  // A press with DragMode dmAutomatic goes to the handlers below (which decide on the drag)
  // instead of starting a drag at once.
  TListBoxWindow::WndProc(m);
}

void TRxCustomListBox::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (m.WParam != 0) {
        paintToDC(*reinterpret_cast<TCanvas*>(m.WParam));
        return;
      }
      break;
    case WM_SIZE:
      TListBoxWindow::Dispatch(m);
      setColumnWidth();
      return;
    case WM_LBUTTONDOWN:
      handleLButtonDown(m);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TListBoxWindow::Dispatch(m);
      if (graySelection_ && multiSelect_ && SelCount() > 1) Invalidate();
      return;
    case CN_COMMAND:
      switch (unsigned(m.WParam >> 16)) {
        case LBN_SELCHANGE:
          if (OnChange) OnChange(this);
          Click();
          break;
        case LBN_DBLCLK:
          DblClick();
          break;
        default:
          break;
      }
      return;
    case CN_DRAWITEM:
      CNDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
      return;
    case CN_MEASUREITEM: {
      auto& mis = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      mis.itemHeight = itemHeight_;
      if (style_ == lbOwnerDrawVariable) MeasureItem(mis.itemID, mis.itemHeight);
      return;
    }
    case CM_CTL3DCHANGED:
      if (borderStyle_ == bsSingle) RecreateWnd();
      return;
    default:
      break;
  }
  TListBoxWindow::Dispatch(m);
}

void TRxCustomListBox::handleLButtonDown(TMessage& m) {
  TShiftState shift = ShiftFromKeys(m.WParam);
  if (DragMode() == dmAutomatic && multiSelect_ && (!(shift & ssShift) || (shift & ssCtrl))) {
    int item = ItemAtPos(PointFromParam(m.LParam), true);
    if (item >= 0 && Selected(item)) {
      BeginDrag(false);
      return;
    }
  }
  TListBoxWindow::Dispatch(m);
  if (DragMode() == dmAutomatic && !(multiSelect_ && (shift & (ssCtrl | ssShift)))) BeginDrag(false);
}

void TRxCustomListBox::DragCanceled() {
  // A cancelled drag selects the item under the pointer as a click would.
  QPoint p = mapFromGlobal(QCursor::pos()) - QPoint(BorderInset(), BorderInset());
  TMessage down{WM_LBUTTONDOWN, 0, MakePointParam(p.x(), p.y()), 0};
  DefaultHandler(down);
  TMessage up{WM_LBUTTONUP, 0, MakePointParam(p.x(), p.y()), 0};
  DefaultHandler(up);
}

void TRxCustomListBox::CNDrawItem(DRAWITEMSTRUCT& dis) {
  SetDrawCanvas(dis.hDC);
  TCanvas& canvas = Canvas();
  canvas.Font = Font();
  canvas.Brush.Color = Color();
  canvas.Brush.Style = bsSolid;
  if (dis.itemID >= 0 && (dis.itemState & ODS_SELECTED)) {
    if (!graySelection_ || Focused()) {
      canvas.Brush.Color = clHighlight;
      canvas.Font.Color = clHighlightText;
    } else {
      canvas.Brush.Color = clBtnFace;
      if (ColorToRGB(canvas.Font.Color) == ColorToRGB(clBtnFace)) canvas.Font.Color = clBtnText;
    }
  }
  try {
    if (dis.itemID >= 0) DrawItem(dis.itemID, dis.rcItem, dis.itemState);
    else canvas.FillRect(dis.rcItem);
    if (dis.itemState & ODS_FOCUS) canvas.DrawFocusRect(dis.rcItem);
  } catch (...) {
    SetDrawCanvas(nullptr);
    throw;
  }
  SetDrawCanvas(nullptr);
}

void TRxCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (onDrawItem_) {
    onDrawItem_(this, index, rect, state);
    return;
  }
  DrawItemDefault(index, rect);
}

void TRxCustomListBox::DrawItemDefault(int index, const TRect& rect) {
  TCanvas& canvas = Canvas();
  canvas.FillRect(rect);
  if (index >= Items().Count()) return;
  std::string text = Items().Get(index);
  int y = std::max(rect.Top, (rect.Top + rect.Bottom - canvas.TextHeight("Wy")) / 2);
  int x = UseRightToLeftAlignment() ? rect.Right - 2 - canvas.TextWidth(text) : rect.Left + 2;
  canvas.SetBkMode(TRANSPARENT);
  DefaultDrawText(x, y, text);
}

void TRxCustomListBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TRxCustomListBox::paintToDC(TCanvas& dc) {
  int count = Items().Count();
  int y = 0;
  int i = TopIndex();
  // One pass even for an empty list (item 0, no data).
  do {
    intptr_t data = i < count ? reinterpret_cast<intptr_t>(Items().GetObject(i)) : 0;
    MEASUREITEMSTRUCT mis{ODT_LISTBOX, 0, i, Width(), ItemHeight(), data};
    Perform(CN_MEASUREITEM, 0, reinterpret_cast<intptr_t>(&mis));
    DRAWITEMSTRUCT dis{ODT_LISTBOX, 0, i, ODA_DRAWENTIRE, 0, this, &dc,
                       Rect(0, y, Width(), y + mis.itemHeight), data};
    Perform(CN_DRAWITEM, 0, reinterpret_cast<intptr_t>(&dis));
    y += mis.itemHeight;
    ++i;
  } while (y < Height() && i < count);
}

void TRxCustomListBox::CreateParams(TCreateParams& params) {
  TListBoxWindow::CreateParams(params);
  params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY;
  static constexpr uint32_t kStyles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE};
  params.Style |= kStyles[style_];
  if (sorted_) params.Style |= LBS_SORT;
  if (multiSelect_) params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!integralHeight_) params.Style |= LBS_NOINTEGRALHEIGHT;
  if (columns_ != 0) params.Style |= LBS_MULTICOLUMN;
  if (borderStyle_ == bsSingle) params.Style |= WS_BORDER;
  if (tabWidth_ != 0) params.Style |= LBS_USETABSTOPS;
  // New-style controls are always on here.
  if (Ctl3D() && borderStyle_ == bsSingle) {
    params.Style &= ~WS_BORDER;
    params.ExStyle |= WS_EX_CLIENTEDGE;
  }
  params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TRxCustomListBox::CreateWnd() {
  TListBoxWindow::CreateWnd();
  if (tabWidth_ != 0) {
    int tab = tabWidth_;
    Perform(LB_SETTABSTOPS, 1, reinterpret_cast<intptr_t>(&tab));
  }
  setColumnWidth();
  // The class library gives a new window the control's font.
  Perform(WM_SETFONT);
  if (saveItems_) {
    std::unique_ptr<TStringList> saved = std::move(saveItems_);
    Items().Assign(*saved);
    SetTopIndex(saveTopIndex_);
    SetItemIndex(saveItemIndex_);
  }
}

void TRxCustomListBox::DestroyWnd() {
  if (Items().Count() > 0) {
    saveItems_ = std::make_unique<TStringList>();
    saveItems_->Assign(Items());
    saveTopIndex_ = TopIndex();
    saveItemIndex_ = ItemIndex();
  }
  TListBoxWindow::DestroyWnd();
}

void TRxCustomListBox::setColumnWidth() {
  if (columns_ > 0 && HandleAllocated())
    Perform(LB_SETCOLUMNWIDTH, uintptr_t((Width() + columns_ - 3) / columns_));
}

void TRxCustomListBox::SetBorderStyle(TListBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  recreate();
}

void TRxCustomListBox::SetColumns(int value) {
  if (columns_ == value) return;
  bool restyle = columns_ == 0 || value == 0;
  columns_ = value;
  if (restyle) recreate();
  else setColumnWidth();
}

void TRxCustomListBox::SetExtendedSelect(bool value) {
  if (extendedSelect_ == value) return;
  extendedSelect_ = value;
  recreate();
}

void TRxCustomListBox::SetGraySelection(bool value) {
  if (graySelection_ == value) return;
  graySelection_ = value;
  if (!Focused()) Invalidate();
}

void TRxCustomListBox::SetIntegralHeight(bool value) {
  if (integralHeight_ == value) return;
  integralHeight_ = value;
  recreate();
}

void TRxCustomListBox::SetItemHeight(int value) {
  if (value < 1 || itemHeight_ == value) return;
  itemHeight_ = value;
  recreate();
}

void TRxCustomListBox::SetMultiSelect(bool value) {
  if (multiSelect_ == value) return;
  multiSelect_ = value;
  recreate();
}

void TRxCustomListBox::SetSorted(bool value) {
  if (sorted_ == value) return;
  sorted_ = value;
  recreate();
}

void TRxCustomListBox::SetStyle(TListBoxStyle value) {
  if (style_ == value) return;
  style_ = value;
  recreate();
}

void TRxCustomListBox::SetTabWidth(int value) {
  value = std::max(0, value);
  if (tabWidth_ == value) return;
  tabWidth_ = value;
  recreate();
}

}  // namespace rxctrls
