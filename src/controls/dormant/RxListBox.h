// TRxCustomListBox: a list box on the system list box window (TListBoxWindow) with its own item
// list that stores nothing itself (TRxListBoxStrings: every operation is a message to the
// window), owner drawing through overridable hooks, an item-width event, a horizontal scroll
// extent kept at the widest line (AutoScroll), grey selection while the control has no focus
// (GraySelection), drag start on a click in multi-select lists, and painting of its items into
// a canvas the caller gives (WM_PAINT with that canvas as WParam).
//
// Changing a property that is a window style (BorderStyle, ExtendedSelect, IntegralHeight,
// MultiSelect, Sorted, Style, TabWidth, ItemHeight, Columns to or from 0) re-creates the window;
// the items, with their data, the top item and the current item are kept across it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/dormant/ListBoxWindow.h"
#include "gui/CustomEdit.h"
#include "gui/Strings.h"

namespace rxctrls {

class TRxCustomListBox;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
using TListBorderStyle = gui::TBorderStyle;
// Owner-draw states of an item.
enum : unsigned { odSelected = ODS_SELECTED, odFocused = ODS_FOCUS };
using TOwnerDrawState = unsigned;

using TDrawItemEvent =
    std::function<void(TRxCustomListBox*, int, const gui::TRect&, TOwnerDrawState)>;
using TMeasureItemEvent = std::function<void(TRxCustomListBox*, int, int&)>;
using TGetItemWidthEvent = std::function<void(TRxCustomListBox*, int, int&)>;

// Item texts are read through a buffer of this many bytes: longer texts read cut to 4095 bytes.
inline constexpr int kItemTextBuffer = 4096;

class TRxListBoxStrings : public gui::TStrings {
public:
  explicit TRxListBoxStrings(TRxCustomListBox* listBox) : ListBox(listBox) {}

  int Count() const override;
  // Raises EStringListError "List index out of bounds (%d)" for an index without an item.
  std::string Get(int index) const override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  // Raises EOutOfResources "Unable to insert a line" when the window refuses the line.
  int Add(const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;

  TRxCustomListBox* ListBox;

protected:
  void SetUpdateState(bool updating) override;
};

inline constexpr const char* kInsertLineError = "Unable to insert a line";

class TRxCustomListBox : public TListBoxWindow {
public:
  explicit TRxCustomListBox(QWidget* parent = nullptr);
  ~TRxCustomListBox() override;

  // Made by CreateItemList on first use.
  gui::TStrings& Items();
  void SetItemsFrom(const gui::TStrings& value) { SetItems(value); }

  // True only when the flag is set and Columns is 0.
  bool AutoScroll() const { return autoScroll_ && columns_ == 0; }
  void SetAutoScroll(bool value);
  TListBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TListBorderStyle value);
  int Columns() const { return columns_; }
  void SetColumns(int value);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool value);
  bool GraySelection() const { return graySelection_; }
  void SetGraySelection(bool value);
  bool IntegralHeight() const { return integralHeight_; }
  void SetIntegralHeight(bool value);
  // The height of item 0 in a standard list with a window; else the ItemHeight property.
  int ItemHeight() { return GetItemHeight(); }
  // Only values of 1 or more.
  void SetItemHeight(int value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle value);
  // Tab stop in dialog units; negative values become 0 (no tab stops).
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int value);

  const TDrawItemEvent& OnDrawItem() const { return onDrawItem_; }
  // Assigning or taking away the handler scrolls to the start and resets the extent.
  void SetOnDrawItem(TDrawItemEvent value);
  const TGetItemWidthEvent& OnGetItemWidth() const { return onGetItemWidth_; }
  void SetOnGetItemWidth(TGetItemWidthEvent value);
  TMeasureItemEvent OnMeasureItem;

  int ItemIndex();
  void SetItemIndex(int value);
  int SelCount();
  // Raise EListError "List index out of bounds (%d)" where the window has no such item.
  bool Selected(int index);
  void SetSelected(int index, bool value);
  int TopIndex();
  void SetTopIndex(int value);
  void Clear();
  // The item at Pos (client coordinates): -1 outside the client area; below the last item
  // Items.Count, or -1 when Existing.
  int ItemAtPos(gui::TPoint pos, bool existing);
  // Item rectangle; for Count, the rectangle just below the last item; otherwise, and for
  // negative indexes and empty lists, (0, 0, 0, 0).
  gui::TRect ItemRect(int index);
  // Text at (X, Y) on the canvas, with the tab stop of TabWidth from X.
  void DefaultDrawText(int x, int y, const std::string& s);
  int MaxItemWidth() const { return maxItemWidth_; }

  std::function<void(TRxCustomListBox*)> OnChange;

protected:
  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual int GetItemHeight();
  virtual std::unique_ptr<gui::TStrings> CreateItemList();
  virtual int GetItemWidth(int index);
  virtual void DrawItem(int index, const gui::TRect& rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);
  virtual void SetItems(const gui::TStrings& value);
  virtual intptr_t GetItemData(int index);
  virtual void SetItemData(int index, intptr_t data);
  virtual void ResetContent();
  virtual void DeleteString(int index);
  void DragCanceled() override;
  // Whether the window procedure keeps the horizontal extent (AutoScroll here).
  virtual bool ExtentWatched() const { return AutoScroll(); }
  // The reflected draw-item message (selection colours, DrawItem, focus rectangle).
  virtual void CNDrawItem(DRAWITEMSTRUCT& dis);
  // The fill and the item's text, as DrawItem draws without OnDrawItem.
  void DrawItemDefault(int index, const gui::TRect& rect);
  // The ItemHeight property as set (GetItemHeight reads the window's height where it counts).
  int StoredItemHeight() const { return itemHeight_; }
  // Tab stop in pixels of TabWidth with the canvas font.
  int TabStopPixels();

  void ResetHorizontalExtent();
  void SetHorizontalExtent();

private:
  friend class TRxListBoxStrings;

  void handleLButtonDown(TMessage& message);
  void setColumnWidth();
  void paintToDC(gui::TCanvas& dc);
  void extentChanged();
  void recreate() { RecreateWnd(); }

  std::unique_ptr<gui::TStrings> items_;
  TListBorderStyle borderStyle_ = gui::bsSingle;
  int columns_ = 0;
  int itemHeight_ = 16;
  TListBoxStyle style_ = lbStandard;
  bool integralHeight_ = false;
  bool multiSelect_ = false;
  bool sorted_ = false;
  bool extendedSelect_ = true;
  int tabWidth_ = 0;
  std::unique_ptr<gui::TStringList> saveItems_;
  int saveTopIndex_ = 0;
  int saveItemIndex_ = 0;
  bool autoScroll_ = false;
  bool graySelection_ = false;
  int maxItemWidth_ = 0;
  TDrawItemEvent onDrawItem_;
  TGetItemWidthEvent onGetItemWidth_;
};

}  // namespace rxctrls
