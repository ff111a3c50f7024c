// TTextListBox: a list box whose horizontal scroll extent always follows its widest line, so that
// long lines can be scrolled into view. It is the list box base (TRxCustomListBox) with the extent
// always kept and lines measured without the item-width event.
#pragma once

#include "controls/dormant/RxListBox.h"

namespace rxctrls {

class TTextListBox : public TRxCustomListBox {
public:
  explicit TTextListBox(QWidget* parent = nullptr) : TRxCustomListBox(parent) {}

protected:
  bool ExtentWatched() const override { return true; }
  // The line with "x" appended, with tab expansion when TabWidth is 1 or more.
  int GetItemWidth(int index) override;
};

}  // namespace rxctrls
