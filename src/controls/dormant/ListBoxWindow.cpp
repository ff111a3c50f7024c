#include "controls/dormant/ListBoxWindow.h"

#include <QCursor>
#include <QFocusEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cstring>

#include "gui/Cp1251.h"
#include "gui/Frame3D.h"

namespace rxctrls {

using namespace gui;

namespace {

// Width of a scroll bar.
constexpr int kScrollBarSize = 16;

}  // namespace

TShiftState ShiftFromKeys(uintptr_t keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  return shift;
}

uintptr_t KeysFromShift(TShiftState shift) {
  uintptr_t keys = 0;
  if (shift & ssShift) keys |= MK_SHIFT;
  if (shift & ssCtrl) keys |= MK_CONTROL;
  if (shift & ssLeft) keys |= MK_LBUTTON;
  return keys;
}

int TabbedTextWidth(const TCanvas& canvas, const std::string& text, int tabPixels) {
  if (tabPixels <= 0) tabPixels = 8 * std::max(1, canvas.TextWidth("x"));
  int x = 0;
  size_t start = 0;
  for (;;) {
    size_t tab = text.find('\t', start);
    x += canvas.TextWidth(text.substr(start, tab - start));
    if (tab == std::string::npos) break;
    x = (x / tabPixels + 1) * tabPixels;
    start = tab + 1;
  }
  return x;
}

void TabbedTextOut(TCanvas& canvas, int x, int y, const std::string& text, int tabPixels,
                   int tabOrigin) {
  if (tabPixels <= 0) tabPixels = 8 * std::max(1, canvas.TextWidth("x"));
  size_t start = 0;
  for (;;) {
    size_t tab = text.find('\t', start);
    std::string part = text.substr(start, tab - start);
    canvas.TextOut(x, y, part);
    x += canvas.TextWidth(part);
    if (tab == std::string::npos) break;
    int offset = x - tabOrigin;
    x = tabOrigin + (offset / tabPixels + 1) * tabPixels;
    start = tab + 1;
  }
}

TListBoxWindow::TListBoxWindow(QWidget* parent) : TCustomControl(parent) {
  // Clicks of a list box are its selection changes, not presses and releases.
  SetControlStyle(csDoubleClicks);
  SetColor(clWindow);
}

TListBoxWindow::~TListBoxWindow() {
  destroying_ = true;
  window_.reset();
}

intptr_t TListBoxWindow::Perform(unsigned msg, uintptr_t wParam, intptr_t lParam) {
  if (msg != WM_DESTROY) HandleNeeded();
  TMessage message{msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

void TListBoxWindow::HandleNeeded() {
  if (!window_ && !destroying_) CreateWnd();
}

void TListBoxWindow::RecreateWnd() {
  if (!window_) return;
  DestroyWnd();
  CreateWnd();
  Invalidate();
}

void TListBoxWindow::CreateParams(TCreateParams& params) {
  params.Style = 0;
  params.ExStyle = 0;
  params.WindowClassStyle = CS_HREDRAW | CS_VREDRAW;
}

void TListBoxWindow::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  window_ = std::make_unique<Window>();
  window_->style = params.Style;
  window_->exStyle = params.ExStyle;
  if (params.Style & LBS_USETABSTOPS) window_->tabStop = 32;
  TControl::Canvas().Font = Font();
  window_->itemHeight = std::max(1, TControl::Canvas().TextHeight("Wy"));
  if (params.Style & LBS_OWNERDRAWFIXED) {
    // A fixed owner-drawn list asks its owner once for the height of every item.
    MEASUREITEMSTRUCT mis{ODT_LISTBOX, 0, 0, 0, window_->itemHeight, 0};
    Perform(CN_MEASUREITEM, 0, reinterpret_cast<intptr_t>(&mis));
    window_->itemHeight = std::max(1, mis.itemHeight);
  }
}

void TListBoxWindow::DestroyWnd() {
  if (!window_) return;
  Perform(WM_DESTROY);
  window_.reset();
}

uint32_t TListBoxWindow::WindowStyle() const { return window_ ? window_->style : 0; }
uint32_t TListBoxWindow::WindowExStyle() const { return window_ ? window_->exStyle : 0; }

int TListBoxWindow::BorderInset() const {
  if (!window_) return 0;
  if (window_->exStyle & WS_EX_CLIENTEDGE) return 2;
  return (window_->style & WS_BORDER) ? 1 : 0;
}

bool TListBoxWindow::VScrollVisible() const {
  if (!window_ || !(window_->style & WS_VSCROLL) || (window_->style & LBS_MULTICOLUMN)) return false;
  int inside = Height() - 2 * BorderInset();
  int total = 0;
  for (size_t i = 0; i < window_->items.size(); ++i) {
    total += itemHeightOf(int(i));
    if (total > inside) return true;
  }
  return false;
}

bool TListBoxWindow::HScrollVisible() const {
  if (!window_ || !(window_->style & WS_HSCROLL) || (window_->style & LBS_MULTICOLUMN)) return false;
  int inside = Width() - 2 * BorderInset() - (VScrollVisible() ? kScrollBarSize : 0);
  return window_->hExtent > inside;
}

TRect TListBoxWindow::ListClientRect() const {
  int inset = BorderInset();
  int w = Width() - 2 * inset - (VScrollVisible() ? kScrollBarSize : 0);
  int h = Height() - 2 * inset - (HScrollVisible() ? kScrollBarSize : 0);
  return Rect(0, 0, std::max(0, w), std::max(0, h));
}

void TListBoxWindow::SetCtl3D(bool value) {
  if (ctl3D_ == value) return;
  ctl3D_ = value;
  Perform(CM_CTL3DCHANGED);
}

void TListBoxWindow::SetBiDiMode(TBiDiMode value) {
  if (biDiMode_ == value) return;
  biDiMode_ = value;
  Invalidate();
}

void TListBoxWindow::BeginDrag(bool immediate, int threshold) {
  if (mouseCaptured_) {
    // The drag takes the mouse from here on: the press ends for the control.
    QPoint p = mapFromGlobal(QCursor::pos()) - QPoint(BorderInset(), BorderInset());
    Perform(WM_LBUTTONUP, 0, MakePointParam(p.x(), p.y()));
  }
  DragManager::BeginDrag(*this, immediate, threshold);
}

void TListBoxWindow::CancelDrag() {
  if (Dragging()) DragManager::EndDrag(false);
}

void TListBoxWindow::DoStartDrag() {
  if (OnStartDrag) OnStartDrag(this);
}

void TListBoxWindow::DoEndDrag(TControl* target, int x, int y) {
  if (OnEndDrag) OnEndDrag(this, target, x, y);
}

void TListBoxWindow::DragOver(TControl* source, int x, int y, TDragState state, bool& accept) {
  accept = bool(OnDragOver);
  if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
}

void TListBoxWindow::DragDrop(TControl* source, int x, int y) {
  if (OnDragDrop) OnDragDrop(this, source, x, y);
}

TPoint TListBoxWindow::DragPoint(QPoint global) const {
  QPoint p = mapFromGlobal(global) - QPoint(BorderInset(), BorderInset());
  return Point(p.x(), p.y());
}

void TListBoxWindow::WndProc(TMessage& message) {
  // A left press is the control's own until its button-up, or until a drag takes the mouse.
  if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) mouseCaptured_ = true;
  Dispatch(message);
}

void TListBoxWindow::Dispatch(TMessage& message) {
  if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
    // The window class selects first; then the control's mouse event, in client coordinates.
    DefaultHandler(message);
    TPoint p = PointFromParam(message.LParam);
    TShiftState shift = ShiftFromKeys(message.WParam);
    if (message.Msg == WM_LBUTTONDBLCLK) shift |= ssDouble;
    MouseDown(mbLeft, shift, p.X, p.Y);
    return;
  }
  if (message.Msg == WM_LBUTTONUP) {
    DefaultHandler(message);
    TPoint p = PointFromParam(message.LParam);
    mouseCaptured_ = false;
    MouseUp(mbLeft, ShiftFromKeys(message.WParam), p.X, p.Y);
    return;
  }
  DefaultHandler(message);
}

bool TListBoxWindow::multiSel() const {
  return window_->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
}

bool TListBoxWindow::ownerDraw() const {
  return window_->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE);
}

int TListBoxWindow::itemHeightOf(int index) const {
  if ((window_->style & LBS_OWNERDRAWVARIABLE) && index >= 0 && index < int(window_->items.size()))
    return window_->items[size_t(index)].height;
  return window_->itemHeight;
}

int TListBoxWindow::insertItem(int index, const char* text, bool sort) {
  Window& w = *window_;
  int count = int(w.items.size());
  if (index < 0 || index > count) index = count;
  std::string s = text ? text : "";
  if (sort && (w.style & LBS_SORT)) {
    index = 0;
    while (index < count && AnsiCompareText(w.items[size_t(index)].text, s) <= 0) ++index;
  }
  Item item;
  item.text = std::move(s);
  item.height = w.itemHeight;
  w.items.insert(w.items.begin() + index, std::move(item));
  if (w.curSel >= index) ++w.curSel;
  if (w.anchor >= index) ++w.anchor;
  if (w.style & LBS_OWNERDRAWVARIABLE) {
    MEASUREITEMSTRUCT mis{ODT_LISTBOX, 0, index, 0, w.itemHeight, 0};
    Perform(CN_MEASUREITEM, 0, reinterpret_cast<intptr_t>(&mis));
    window_->items[size_t(index)].height = std::max(1, mis.itemHeight);
  }
  if (window_->redraw) Invalidate();
  return index;
}

bool TListBoxWindow::itemRect(int index, TRect& r) const {
  const Window& w = *window_;
  int count = int(w.items.size());
  // Item 0 has a place even in an empty list.
  if (index < 0 || (index >= count && !(index == 0 && count == 0))) return false;
  TRect client = ListClientRect();
  if (w.style & LBS_MULTICOLUMN) {
    int rows = std::max(1, client.Height() / std::max(1, w.itemHeight));
    int rel = index - w.topIndex;
    int col = rel >= 0 ? rel / rows : -((-rel + rows - 1) / rows);
    int row = rel - col * rows;
    int cw = w.columnWidth > 0 ? w.columnWidth : client.Width();
    r = Rect(col * cw, row * w.itemHeight, col * cw + cw, (row + 1) * w.itemHeight);
    return true;
  }
  int y = 0;
  if (index >= w.topIndex) {
    for (int i = w.topIndex; i < index; ++i) y += itemHeightOf(i);
  } else {
    for (int i = index; i < w.topIndex; ++i) y -= itemHeightOf(i);
  }
  int left = -w.hPos;
  r = Rect(left, y, left + std::max(client.Width(), w.hExtent), y + itemHeightOf(index));
  return true;
}

int TListBoxWindow::itemAt(int x, int y) const {
  if (!PtInRect(ListClientRect(), Point(x, y))) return -1;
  for (int i = window_->topIndex; i < int(window_->items.size()); ++i) {
    TRect r;
    if (itemRect(i, r) && PtInRect(r, Point(x, y))) return i;
  }
  return -1;
}

void TListBoxWindow::ensureVisible(int index) {
  Window& w = *window_;
  if (index < 0 || index >= int(w.items.size()) || (w.style & LBS_MULTICOLUMN)) return;
  if (index < w.topIndex) {
    w.topIndex = index;
    return;
  }
  int height = ListClientRect().Height();
  TRect r;
  while (w.topIndex < index && itemRect(index, r) && r.Bottom > height) ++w.topIndex;
}

void TListBoxWindow::notify(unsigned code) {
  if (window_ && (window_->style & LBS_NOTIFY)) Perform(CN_COMMAND, uintptr_t(code) << 16, 0);
}

void TListBoxWindow::setCurSel(int index) {
  window_->curSel = index;
  ensureVisible(index);
  Invalidate();
}

void TListBoxWindow::clickItem(int index, TShiftState shift) {
  Window& w = *window_;
  if (index < 0) return;
  if (w.style & LBS_MULTIPLESEL) {
    w.items[size_t(index)].selected = !w.items[size_t(index)].selected;
  } else if (w.style & LBS_EXTENDEDSEL) {
    if ((shift & ssShift) && w.anchor >= 0) {
      int lo = std::min(w.anchor, index), hi = std::max(w.anchor, index);
      for (int i = 0; i < int(w.items.size()); ++i) {
        bool inRange = i >= lo && i <= hi;
        if (inRange || !(shift & ssCtrl)) w.items[size_t(i)].selected = inRange;
      }
    } else if (shift & ssCtrl) {
      w.items[size_t(index)].selected = !w.items[size_t(index)].selected;
      w.anchor = index;
    } else {
      for (Item& item : w.items) item.selected = false;
      w.items[size_t(index)].selected = true;
      w.anchor = index;
    }
  } else if (w.curSel == index) {
    return;
  }
  setCurSel(index);
  notify(LBN_SELCHANGE);
}

void TListBoxWindow::DefaultHandler(TMessage& m) {
  if (!window_) return;
  Window& w = *window_;
  const int count = int(w.items.size());
  const int index = int(intptr_t(m.WParam));
  const bool valid = index >= 0 && index < count;
  switch (m.Msg) {
    case LB_ADDSTRING:
      m.Result = insertItem(-1, reinterpret_cast<const char*>(m.LParam), true);
      break;
    case LB_INSERTSTRING:
      m.Result = (index < -1 || index > count)
                     ? LB_ERR
                     : insertItem(index, reinterpret_cast<const char*>(m.LParam), false);
      break;
    case LB_DELETESTRING:
      if (!valid) {
        m.Result = LB_ERR;
        break;
      }
      w.items.erase(w.items.begin() + index);
      if (w.curSel == index) w.curSel = -1;
      else if (w.curSel > index) --w.curSel;
      if (w.anchor >= index) w.anchor = w.anchor == index ? -1 : w.anchor - 1;
      w.topIndex = std::max(0, std::min(w.topIndex, int(w.items.size()) - 1));
      m.Result = intptr_t(w.items.size());
      if (w.redraw) Invalidate();
      break;
    case LB_RESETCONTENT:
      w.items.clear();
      w.curSel = w.anchor = -1;
      w.topIndex = 0;
      if (w.redraw) Invalidate();
      break;
    case LB_GETCOUNT: m.Result = count; break;
    case LB_GETTEXTLEN: m.Result = valid ? intptr_t(w.items[size_t(index)].text.size()) : LB_ERR; break;
    case LB_GETTEXT:
      if (!valid) {
        m.Result = LB_ERR;
        break;
      }
      {
        const std::string& text = w.items[size_t(index)].text;
        std::memcpy(reinterpret_cast<char*>(m.LParam), text.c_str(), text.size() + 1);
        m.Result = intptr_t(text.size());
      }
      break;
    case LB_GETITEMDATA: m.Result = valid ? w.items[size_t(index)].data : LB_ERR; break;
    case LB_SETITEMDATA:
      if (index == -1) {
        for (Item& item : w.items) item.data = m.LParam;
      } else if (valid) {
        w.items[size_t(index)].data = m.LParam;
      } else {
        m.Result = LB_ERR;
      }
      break;
    case LB_GETCURSEL: m.Result = w.curSel; break;
    case LB_SETCURSEL:
      if (multiSel()) {
        m.Result = LB_ERR;
        break;
      }
      setCurSel(valid ? index : -1);
      m.Result = valid ? index : LB_ERR;
      break;
    case LB_GETSEL: {
      int item = int(m.WParam);
      if (item < 0 || item >= count) m.Result = LB_ERR;
      else m.Result = multiSel() ? w.items[size_t(item)].selected : item == w.curSel;
      break;
    }
    case LB_SETSEL: {
      int item = int(m.LParam);
      if (!multiSel() || item < -1 || item >= count) {
        m.Result = LB_ERR;
        break;
      }
      for (int i = 0; i < count; ++i) {
        if (item == -1 || i == item) w.items[size_t(i)].selected = m.WParam != 0;
      }
      if (item >= 0 && m.WParam) w.curSel = item;
      Invalidate();
      break;
    }
    case LB_GETSELCOUNT:
      m.Result = multiSel() ? std::count_if(w.items.begin(), w.items.end(),
                                            [](const Item& item) { return item.selected; })
                            : LB_ERR;
      break;
    case LB_GETTOPINDEX: m.Result = w.topIndex; break;
    case LB_SETTOPINDEX:
      if (!valid) {
        m.Result = LB_ERR;
        break;
      }
      w.topIndex = index;
      Invalidate();
      break;
    case LB_GETITEMRECT: {
      TRect r;
      if (itemRect(index, r)) *reinterpret_cast<TRect*>(m.LParam) = r;
      else m.Result = LB_ERR;
      break;
    }
    case LB_SETHORIZONTALEXTENT:
      w.hExtent = std::max(0, int(m.WParam));
      if (!HScrollVisible()) w.hPos = 0;
      Invalidate();
      break;
    case LB_GETHORIZONTALEXTENT: m.Result = w.hExtent; break;
    case LB_SETCOLUMNWIDTH: w.columnWidth = int(m.WParam); Invalidate(); break;
    case LB_SETTABSTOPS:
      // One tab stop in dialog units (4 per average character).
      w.tabStop = m.WParam >= 1 && m.LParam ? *reinterpret_cast<const int*>(m.LParam) : 32;
      m.Result = 1;
      break;
    case LB_SETITEMHEIGHT: {
      int h = int(m.LParam & 0xFFFF);
      if (h <= 0 || h > 255) {
        m.Result = LB_ERR;
      } else if (w.style & LBS_OWNERDRAWVARIABLE) {
        if (valid) w.items[size_t(index)].height = h;
        else m.Result = LB_ERR;
      } else {
        w.itemHeight = h;
      }
      Invalidate();
      break;
    }
    case LB_GETITEMHEIGHT: m.Result = itemHeightOf(index); break;
    case WM_SETREDRAW:
      w.redraw = m.WParam != 0;
      break;
    case WM_SETFONT:
      if (!ownerDraw()) w.itemHeight = std::max(1, TControl::Canvas().TextHeight("Wy"));
      Invalidate();
      break;
    case WM_HSCROLL: {
      int maxPos = std::max(0, w.hExtent - ListClientRect().Width());
      unsigned code = unsigned(m.WParam & 0xFFFF);
      if (code == SB_TOP) w.hPos = 0;
      else if (code == SB_LINELEFT) w.hPos = std::max(0, w.hPos - 8);
      else if (code == SB_LINERIGHT) w.hPos = std::min(maxPos, w.hPos + 8);
      Invalidate();
      break;
    }
    case WM_LBUTTONDOWN: {
      TPoint p = PointFromParam(m.LParam);
      if (focusPolicy() != Qt::NoFocus) SetFocus();
      clickItem(itemAt(p.X, p.Y), ShiftFromKeys(m.WParam));
      break;
    }
    case WM_LBUTTONDBLCLK: {
      TPoint p = PointFromParam(m.LParam);
      if (itemAt(p.X, p.Y) >= 0) notify(LBN_DBLCLK);
      break;
    }
    case WM_KEYDOWN: {
      int target = w.curSel;
      switch (m.WParam) {
        case VK_UP: target = std::max(0, w.curSel - 1); break;
        case VK_DOWN: target = std::min(count - 1, w.curSel + 1); break;
        case VK_HOME: target = 0; break;
        case VK_END: target = count - 1; break;
        default: return;
      }
      if (count > 0 && target != w.curSel) clickItem(target, 0);
      break;
    }
    case WM_PAINT: {
      TCanvas* dc = reinterpret_cast<TCanvas*>(m.WParam);
      paintItems(dc ? *dc : TControl::Canvas());
      break;
    }
    default:
      break;
  }
}

void TListBoxWindow::paintItems(TCanvas& canvas) {
  Window& w = *window_;
  TRect client = ListClientRect();
  canvas.Brush.Color = Color();
  canvas.Brush.Style = bsSolid;
  canvas.FillRect(client);
  for (int i = w.topIndex; i < int(w.items.size()); ++i) {
    TRect r;
    if (!itemRect(i, r)) break;
    if (r.Top >= client.Bottom || r.Left >= client.Right) break;
    bool selected = multiSel() ? w.items[size_t(i)].selected : i == w.curSel;
    unsigned state = (selected ? ODS_SELECTED : 0u) | (Focused() && i == w.curSel ? ODS_FOCUS : 0u);
    if (ownerDraw()) {
      DRAWITEMSTRUCT dis{ODT_LISTBOX, 0, i, ODA_DRAWENTIRE, state, this, &canvas, r,
                         w.items[size_t(i)].data};
      Perform(CN_DRAWITEM, 0, reinterpret_cast<intptr_t>(&dis));
      continue;
    }
    canvas.Font = Font();
    canvas.Brush.Color = selected ? clHighlight : Color();
    if (selected) canvas.Font.Color = clHighlightText;
    canvas.FillRect(r);
    canvas.SetBkMode(TRANSPARENT);
    int tab = MulDiv(w.tabStop, std::max(1, canvas.TextWidth("x")), 4);
    if (w.style & LBS_USETABSTOPS) TabbedTextOut(canvas, r.Left + 2, r.Top, w.items[size_t(i)].text, tab, r.Left + 2);
    else canvas.TextOut(r.Left + 2, r.Top, w.items[size_t(i)].text);
    if (state & ODS_FOCUS) canvas.DrawFocusRect(r);
  }
}

void TListBoxWindow::paintScrollBars(TCanvas& canvas) {
  int inset = BorderInset();
  TRect client = ListClientRect();
  canvas.Brush.Color = clBtnFace;
  canvas.Brush.Style = bsSolid;
  if (VScrollVisible()) {
    TRect r = Rect(inset + client.Right, inset, inset + client.Right + kScrollBarSize, inset + client.Bottom);
    canvas.FillRect(r);
    Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
  }
  if (HScrollVisible()) {
    TRect r = Rect(inset, inset + client.Bottom, inset + client.Right, inset + client.Bottom + kScrollBarSize);
    canvas.FillRect(r);
    Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
  }
}

void TListBoxWindow::Paint() {
  HandleNeeded();
  TCanvas& canvas = TControl::Canvas();
  TRect r = ClientRect();
  if (window_->exStyle & WS_EX_CLIENTEDGE) {
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, r, cl3DDkShadow, clBtnFace, 1);
  } else if (window_->style & WS_BORDER) {
    Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  }
  paintScrollBars(canvas);
  int saved = canvas.SaveDC();
  int inset = BorderInset();
  canvas.SetOrigin(Point(inset, inset));
  canvas.IntersectClipRect(ListClientRect());
  Perform(WM_PAINT);
  canvas.RestoreDC(saved);
}

void TListBoxWindow::FontChanged() {
  TCustomControl::FontChanged();
  if (window_) Perform(WM_SETFONT);
}

void TListBoxWindow::Resized() {
  TCustomControl::Resized();
  if (window_) Perform(WM_SIZE, 0, MakePointParam(Width(), Height()));
}

void TListBoxWindow::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key != 0) Perform(WM_KEYDOWN, key);
}

void TListBoxWindow::focusInEvent(QFocusEvent* event) {
  TCustomControl::focusInEvent(event);
  Perform(WM_SETFOCUS);
  Invalidate();
}

void TListBoxWindow::focusOutEvent(QFocusEvent* event) {
  TCustomControl::focusOutEvent(event);
  Perform(WM_KILLFOCUS);
  Invalidate();
}

void TListBoxWindow::mousePressEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint() - QPoint(BorderInset(), BorderInset());
  TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  if (event->button() == Qt::LeftButton) {
    Perform(WM_LBUTTONDOWN, KeysFromShift(shift), MakePointParam(p.x(), p.y()));
    return;
  }
  MouseDown(event->button() == Qt::RightButton ? mbRight : mbMiddle, shift, p.x(), p.y());
}

void TListBoxWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return mousePressEvent(event);
  QPoint p = event->position().toPoint() - QPoint(BorderInset(), BorderInset());
  TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Perform(WM_LBUTTONDBLCLK, KeysFromShift(shift), MakePointParam(p.x(), p.y()));
}

void TListBoxWindow::mouseReleaseEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint() - QPoint(BorderInset(), BorderInset());
  TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  if (event->button() == Qt::LeftButton) {
    Perform(WM_LBUTTONUP, KeysFromShift(shift), MakePointParam(p.x(), p.y()));
    return;
  }
  MouseUp(event->button() == Qt::RightButton ? mbRight : mbMiddle, shift, p.x(), p.y());
}

}  // namespace rxctrls
