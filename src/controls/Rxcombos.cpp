// The owner-drawn base and the colour box; the font box is in RxcombosFont.cpp.
#include "controls/Rxcombos.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <algorithm>

#include "gui/Cp1251.h"

namespace rxcombos {

namespace {

constexpr int kMinItemHeight = 9;
constexpr int kSwatchWidth = 22;
constexpr int kNameLeft = 28;
constexpr int kColorRole = Qt::UserRole + 1;

struct ColorEntry {
  gui::TColor color;
  const char* name;
};

// The basic colours, then none and default: 18 entries, numbered for ColorNames.
constexpr std::array<ColorEntry, 18> kColors = {{
    {gui::clBlack, "Black"},    {gui::clMaroon, "Maroon"}, {gui::clGreen, "Green"},
    {gui::clOlive, "Olive"},    {gui::clNavy, "Navy"},     {gui::clPurple, "Purple"},
    {gui::clTeal, "Teal"},      {gui::clGray, "Gray"},     {gui::clSilver, "Silver"},
    {gui::clRed, "Red"},        {gui::clLime, "Lime"},     {gui::clYellow, "Yellow"},
    {gui::clBlue, "Blue"},      {gui::clFuchsia, "Fuchsia"}, {gui::clAqua, "Aqua"},
    {gui::clWhite, "White"},    {gui::clNone, "None"},     {gui::clDefault, "Default"},
}};
constexpr int kNoneEntry = 16;
constexpr int kDefaultEntry = 17;

QColor qcolor(gui::TColor c) {
  return QColor(gui::GetRValue(c), gui::GetGValue(c), gui::GetBValue(c));
}

// Draws one colour item into `r`: the list's background, the framed swatch and, with names, the
// name beside it.
void drawColorItem(QPainter& p, const QRect& r, gui::TColor color, const QString& name,
                   bool selected, bool names, const QPalette& pal) {
  p.fillRect(r, selected ? pal.highlight() : pal.base());
  QRect swatch = r.adjusted(2, 2, 0, -2);
  swatch.setRight(names ? swatch.left() + kSwatchWidth - 1 : r.right() - 3);
  p.fillRect(swatch, qcolor(TColorComboBox::FrameColor(color, selected)));
  p.fillRect(swatch.adjusted(1, 1, -1, -1), qcolor(color));
  if (!names) return;
  p.setPen(selected ? pal.highlightedText().color() : pal.text().color());
  p.drawText(r.adjusted(kNameLeft, 0, 0, 0), Qt::AlignVCenter | Qt::TextSingleLine, name);
}

class ColorDelegate : public QStyledItemDelegate {
public:
  explicit ColorDelegate(TColorComboBox* box) : QStyledItemDelegate(box), box_(box) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const auto color = gui::TColor(index.data(kColorRole).toInt());
    drawColorItem(*p, option.rect, color, index.data().toString(),
                  option.state & QStyle::State_Selected, box_->DisplayNames(), option.palette);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), box_->MinItemHeight());
  }

private:
  TColorComboBox* box_;
};

}  // namespace

// --- TOwnerDrawComboBox

TOwnerDrawComboBox::TOwnerDrawComboBox(QWidget* parent) : QComboBox(parent) {}

int TOwnerDrawComboBox::MinItemHeight() const {
  return std::max(fontMetrics().height() + 1, kMinItemHeight);
}

void TOwnerDrawComboBox::applyItemHeight() {
  // The delegates answer with MinItemHeight; the view asks again after a reset.
  if (view()) view()->doItemsLayout();
}

void TOwnerDrawComboBox::changeEvent(QEvent* event) {
  QComboBox::changeEvent(event);
  if (event->type() == QEvent::FontChange) applyItemHeight();
}

// --- TColorComboBox

TColorComboBox::TColorComboBox(QWidget* parent) : TOwnerDrawComboBox(parent) {
  setItemDelegate(new ColorDelegate(this));
  PopulateList();
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int i) { itemPicked(i); });
}

gui::TColor TColorComboBox::FrameColor(gui::TColor color, bool selected) {
  if (selected) return gui::clWhite;
  const bool light = gui::GetRValue(color) > 192 || gui::GetGValue(color) > 192 ||
                     gui::GetBValue(color) > 192;
  return light ? gui::clBlack : color;
}

void TColorComboBox::PopulateList() {
  const QSignalBlocker quiet(this);
  clear();
  for (int n = 0; n < int(kColors.size()); ++n) {
    if (n == kNoneEntry && !(options_ & coIncludeNone)) continue;
    if (n == kDefaultEntry && !(options_ & coIncludeDefault)) continue;
    const bool own = n < int(colorNames_.size()) && !colorNames_[n].empty();
    const QString name = own ? gui::FromCp1251(colorNames_[n]) : QString::fromLatin1(kColors[n].name);
    addItem(name);
    setItemData(count() - 1, int(kColors[n].color), kColorRole);
  }
  int index = -1;
  for (int i = 0; i < count() && index < 0; ++i)
    if (ItemColor(i) == colorValue_) index = i;
  setCurrentIndex(index);
  applyItemHeight();
}

gui::TColor TColorComboBox::ItemColor(int index) const {
  return gui::TColor(itemData(index, kColorRole).toInt());
}

void TColorComboBox::SetColorValue(gui::TColor c) {
  if (currentIndex() >= 0 && c == colorValue_) return;
  colorValue_ = c;
  int index = -1;
  for (int i = 0; i < count() && index < 0; ++i)
    if (ItemColor(i) == c) index = i;
  {
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
  }
  update();
  DoChange();
}

void TColorComboBox::SetDisplayNames(bool value) {
  if (value == displayNames_) return;
  displayNames_ = value;
  update();
}

void TColorComboBox::SetOptions(unsigned value) {
  if (value == options_) return;
  options_ = value;
  PopulateList();
}

void TColorComboBox::SetColorNames(const std::vector<std::string>& names) {
  colorNames_ = names;
  PopulateList();
}

void TColorComboBox::itemPicked(int index) {
  if (index >= 0 && ItemColor(index) != colorValue_) {
    colorValue_ = ItemColor(index);
    DoChange();
  }
  if (OnClick) OnClick();
}

void TColorComboBox::DoChange() {
  if (OnChange) OnChange();
}

void TColorComboBox::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  p.drawComplexControl(QStyle::CC_ComboBox, option);
  if (currentIndex() < 0) return;
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  drawColorItem(p, field, colorValue_, currentText(), false, displayNames_, palette());
}

}  // namespace rxcombos
