// TListBoxWindow: the system's list box window, as the list boxes of the control library drive
// it. The control keeps its items, selection, scroll position and extents in a window that
// exists between CreateWnd and DestroyWnd (a message to a control without one makes it first),
// and it is driven by the list box messages (LB_...) through Perform. A message passes WndProc,
// then Dispatch, then DefaultHandler (the window class's own handling); subclasses hook in at
// each step, as the Windows controls do. Owner-drawn styles send the reflected measure-item and
// draw-item messages (CN_MEASUREITEM, CN_DRAWITEM) to the control itself; notifications come
// back as the reflected command (CN_COMMAND). Drags begin from the control and end on it through
// the GUI layer's drag manager.
//
// Coordinates of messages are the list's client coordinates: the inside of the border, with the
// scroll bars left out (ListClientRect).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Controls.h"
#include "gui/DragManager.h"

namespace rxctrls {

// Window messages (Windows' numbers).
enum : unsigned {
  WM_DESTROY = 0x0002, WM_SIZE = 0x0005, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
  WM_SETREDRAW = 0x000B, WM_PAINT = 0x000F, WM_SETFONT = 0x0030, WM_DRAWITEM = 0x002B,
  WM_MEASUREITEM = 0x002C, WM_NCHITTEST = 0x0084, WM_KEYDOWN = 0x0100, WM_COMMAND = 0x0111,
  WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  LB_ADDSTRING = 0x0180, LB_INSERTSTRING = 0x0181, LB_DELETESTRING = 0x0182,
  LB_RESETCONTENT = 0x0184, LB_SETSEL = 0x0185, LB_SETCURSEL = 0x0186, LB_GETSEL = 0x0187,
  LB_GETCURSEL = 0x0188, LB_GETTEXT = 0x0189, LB_GETTEXTLEN = 0x018A, LB_GETCOUNT = 0x018B,
  LB_GETTOPINDEX = 0x018E, LB_GETSELCOUNT = 0x0190, LB_SETTABSTOPS = 0x0192,
  LB_GETHORIZONTALEXTENT = 0x0193, LB_SETHORIZONTALEXTENT = 0x0194, LB_SETCOLUMNWIDTH = 0x0195,
  LB_SETTOPINDEX = 0x0197, LB_GETITEMRECT = 0x0198, LB_GETITEMDATA = 0x0199,
  LB_SETITEMDATA = 0x019A, LB_SETITEMHEIGHT = 0x01A0, LB_GETITEMHEIGHT = 0x01A1,
  // The class library's reflected and notification messages.
  CN_BASE = 0xBC00, CN_COMMAND = CN_BASE + WM_COMMAND, CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
  CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM, CM_CTL3DCHANGED = 0xB00F,
};
inline constexpr intptr_t LB_ERR = -1;
inline constexpr intptr_t LB_ERRSPACE = -2;
// Notification codes (high word of CN_COMMAND's WParam) and scroll codes.
enum : unsigned { LBN_SELCHANGE = 1, LBN_DBLCLK = 2 };
enum : unsigned { SB_LINELEFT = 0, SB_LINERIGHT = 1, SB_TOP = 6 };

// Window styles.
enum : uint32_t {
  LBS_NOTIFY = 0x0001, LBS_SORT = 0x0002, LBS_MULTIPLESEL = 0x0008,
  LBS_OWNERDRAWFIXED = 0x0010, LBS_OWNERDRAWVARIABLE = 0x0020, LBS_HASSTRINGS = 0x0040,
  LBS_USETABSTOPS = 0x0080, LBS_NOINTEGRALHEIGHT = 0x0100, LBS_MULTICOLUMN = 0x0200,
  LBS_EXTENDEDSEL = 0x0800,
  WS_HSCROLL = 0x00100000, WS_VSCROLL = 0x00200000, WS_BORDER = 0x00800000,
  WS_EX_CLIENTEDGE = 0x00000200,
};
// Owner-draw values.
enum : unsigned { ODT_LISTBOX = 2, ODA_DRAWENTIRE = 1, ODS_SELECTED = 0x1, ODS_FOCUS = 0x10 };

// Key flags of mouse messages (WParam) and the packed point (LParam: x low, y high, signed).
enum : unsigned { MK_LBUTTON = 0x1, MK_SHIFT = 0x4, MK_CONTROL = 0x8 };
inline intptr_t MakePointParam(int x, int y) {
  return intptr_t((uint32_t(uint16_t(int16_t(y))) << 16) | uint16_t(int16_t(x)));
}
inline gui::TPoint PointFromParam(intptr_t param) {
  return {int16_t(uint16_t(param & 0xFFFF)), int16_t(uint16_t((param >> 16) & 0xFFFF))};
}
gui::TShiftState ShiftFromKeys(uintptr_t keys);
uintptr_t KeysFromShift(gui::TShiftState shift);

struct TMessage {
  unsigned Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

struct TCreateParams {
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  // Class styles; the list boxes take CS_HREDRAW and CS_VREDRAW out (kept for completeness).
  uint32_t WindowClassStyle = 0;
};
enum : uint32_t { CS_VREDRAW = 0x1, CS_HREDRAW = 0x2 };

struct MEASUREITEMSTRUCT {
  unsigned CtlType = 0;
  unsigned CtlID = 0;
  int itemID = 0;
  int itemWidth = 0;
  int itemHeight = 0;
  intptr_t itemData = 0;
};

struct DRAWITEMSTRUCT {
  unsigned CtlType = 0;
  unsigned CtlID = 0;
  int itemID = 0;
  unsigned itemAction = 0;
  unsigned itemState = 0;
  const void* hwndItem = nullptr;
  gui::TCanvas* hDC = nullptr;
  gui::TRect rcItem;
  intptr_t itemData = 0;
};

enum TDragMode { dmManual, dmAutomatic };
enum TBiDiMode { bdLeftToRight, bdRightToLeft };

class TListBoxWindow : public gui::TCustomControl, public gui::DragSource, public gui::DragTarget {
public:
  explicit TListBoxWindow(QWidget* parent = nullptr);
  ~TListBoxWindow() override;

  // Sends a message through WndProc, making the window first when it has none.
  intptr_t Perform(unsigned msg, uintptr_t wParam = 0, intptr_t lParam = 0);
  bool HandleAllocated() const { return window_ != nullptr; }
  void HandleNeeded();
  // Destroys the window (when there is one) and makes it again.
  void RecreateWnd();

  // The inside of the border without the scroll bars, in client coordinates ((0, 0) first).
  gui::TRect ListClientRect() const;
  // Where client (0, 0) lies in the control.
  int BorderInset() const;
  uint32_t WindowStyle() const;
  uint32_t WindowExStyle() const;
  // Whether the window shows its scroll bars now.
  bool VScrollVisible() const;
  bool HScrollVisible() const;

  // The canvas drawn on: the device context of an owner-draw pass while one runs, else the
  // control's own canvas (its paint buffer while painting; usable for measuring at any time).
  gui::TCanvas& Canvas() { return dc_ ? *dc_ : gui::TControl::Canvas(); }

  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode value);
  bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }

  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode value) { dragMode_ = value; }
  gui::TCursor DragCursor() const override { return dragCursor_; }
  void SetDragCursor(gui::TCursor value) { dragCursor_ = value; }
  // A drag from the control: Immediate, or once the pointer moved Threshold pixels (-1: the
  // default). A press the control has marked as its own ends first: its button-up runs.
  void BeginDrag(bool immediate, int threshold = -1);
  bool Dragging() const { return gui::DragManager::Dragging(*this); }
  // Ends the control's drag without a drop: DragCanceled, then OnEndDrag without a target.
  void CancelDrag();

  // Drag events. Points are client coordinates of the control the event is for; OnDragOver's
  // accept comes in true (a control without the event refuses every drag); OnEndDrag's target
  // is the control that took the drop, or nullptr.
  std::function<void(gui::TControl* sender)> OnStartDrag;
  std::function<void(gui::TControl* sender, gui::TControl* source, int x, int y,
                     gui::TDragState state, bool& accept)>
      OnDragOver;
  std::function<void(gui::TControl* sender, gui::TControl* source, int x, int y)> OnDragDrop;
  std::function<void(gui::TControl* sender, gui::TControl* target, int x, int y)> OnEndDrag;

  // The last mouse press the control marked as its own (a click on it begins).
  bool MouseCaptured() const { return mouseCaptured_; }

protected:
  // The message route.
  virtual void WndProc(TMessage& message);
  virtual void Dispatch(TMessage& message);
  // The list box window class.
  void DefaultHandler(TMessage& message);

  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  void DragCanceled() override {}
  void DoStartDrag() override;
  void DoEndDrag(gui::TControl* target, int x, int y) override;
  void DragOver(gui::TControl* source, int x, int y, gui::TDragState state, bool& accept) override;
  void DragDrop(gui::TControl* source, int x, int y) override;
  // Drag points are list client coordinates, as mouse messages are.
  gui::TPoint DragPoint(QPoint global) const override;

  // Sets the device context of an owner-draw pass (nullptr: the control's own canvas).
  void SetDrawCanvas(gui::TCanvas* dc) { dc_ = dc; }

  void Paint() override;
  void FontChanged() override;
  void Resized() override;
  void KeyDown(uint16_t& key, gui::TShiftState shift) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  struct Item {
    std::string text;
    intptr_t data = 0;
    bool selected = false;
    int height = 0;
  };
  struct Window {
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::vector<Item> items;
    int curSel = -1;  // the selection (single) or the focus item (multiple)
    int anchor = -1;
    int topIndex = 0;
    int hExtent = 0;
    int hPos = 0;
    int itemHeight = 16;
    int columnWidth = 0;
    int tabStop = 0;
    bool redraw = true;
  };

  bool multiSel() const;
  bool ownerDraw() const;
  // Adding to a sorted list finds the item's place; inserting puts it where it is asked.
  int insertItem(int index, const char* text, bool sort);
  int itemHeightOf(int index) const;
  bool itemRect(int index, gui::TRect& r) const;
  int itemAt(int x, int y) const;
  void ensureVisible(int index);
  void clickItem(int index, gui::TShiftState shift);
  void notify(unsigned code);
  void setCurSel(int index);
  void paintItems(gui::TCanvas& canvas);
  void paintScrollBars(gui::TCanvas& canvas);

  std::unique_ptr<Window> window_;
  gui::TCanvas* dc_ = nullptr;
  bool ctl3D_ = true;
  TBiDiMode biDiMode_ = bdLeftToRight;
  TDragMode dragMode_ = dmManual;
  gui::TCursor dragCursor_ = gui::crDrag;
  bool mouseCaptured_ = false;
  bool destroying_ = false;
};

// Text width with tab expansion: tabs move to the next multiple of tabPixels from the text's
// start (8 average characters when tabPixels is 0), as GetTabbedTextExtent does.
int TabbedTextWidth(const gui::TCanvas& canvas, const std::string& text, int tabPixels);
// Draws text at (x, y) with that tab expansion, tabs counted from tabOrigin.
void TabbedTextOut(gui::TCanvas& canvas, int x, int y, const std::string& text, int tabPixels,
                   int tabOrigin);

}  // namespace rxctrls
