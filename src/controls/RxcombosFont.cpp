// The font box: the system's font faces, sorted, each once, with a mark for scalable faces.
#include <QEvent>
#include <QFontDatabase>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

#include "controls/Rxcombos.h"
#include "gui/Cp1251.h"
#include "gui/ScopedFlag.h"

namespace rxcombos {

namespace {

constexpr int kMarkLeft = 2;
constexpr int kMarkSize = 14;   // the scalable-face mark, drawn square
constexpr int kTextGap = 6;
constexpr int kTypeRole = Qt::UserRole + 1;
// Font types of an item, as the system's enumeration reports them, plus the non-symbol flag.
constexpr int kRasterType = 1;
constexpr int kTrueType = 4;
constexpr int kNotSymbol = 0x100;

int fontType(const QString& family) {
  int type = QFontDatabase::isSmoothlyScalable(family) ? kTrueType : kRasterType;
  if (!QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol)) type |= kNotSymbol;
  return type;
}

bool passes(const QString& family, int type, unsigned options) {
  const auto systems = QFontDatabase::writingSystems(family);
  if ((options & foAnsiOnly) && !systems.contains(QFontDatabase::Latin)) return false;
  if ((options & foTrueTypeOnly) && !(type & kTrueType)) return false;
  if ((options & foFixedPitchOnly) && !QFontDatabase::isFixedPitch(family)) return false;
  if ((options & foOEMFontsOnly)) return false;  // no face here carries the OEM character set
  if ((options & foNoSymbolFonts) && !(type & kNotSymbol)) return false;
  if ((options & foScalableOnly) && !QFontDatabase::isScalable(family)) return false;
  return true;
}

// The mark of a scalable face: two overlapping letters T.
void drawTrueTypeMark(QPainter& p, const QRect& box) {
  p.save();
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(kMarkSize - 3);
  p.setFont(f);
  p.setPen(QColor(128, 128, 128));
  p.drawText(box.translated(-2, -1), Qt::AlignCenter, "T");
  p.setPen(QColor(0, 0, 128));
  p.drawText(box.translated(2, 1), Qt::AlignCenter, "T");
  p.restore();
}

class FontDelegate : public QStyledItemDelegate {
public:
  explicit FontDelegate(TFontComboBox* box) : QStyledItemDelegate(box), box_(box) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    p->fillRect(r, selected ? option.palette.highlight() : option.palette.base());
    const int type = index.data(kTypeRole).toInt();
    const QRect mark(r.left() + kMarkLeft, r.top() + (r.height() - kMarkSize) / 2, kMarkSize,
                     kMarkSize);
    if (type & kTrueType) drawTrueTypeMark(*p, mark);
    const QString name = index.data().toString();
    p->save();
    if (box_->UseFonts() && (type & kNotSymbol)) p->setFont(QFont(name, p->font().pointSize()));
    p->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    p->drawText(r.adjusted(kMarkLeft + kMarkSize + kTextGap, 0, 0, 0),
                Qt::AlignVCenter | Qt::TextSingleLine, name);
    p->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width() + kMarkSize + kTextGap,
                 box_->MinItemHeight());
  }

private:
  TFontComboBox* box_;
};

}  // namespace

TFontComboBox::TFontComboBox(QWidget* parent) : TOwnerDrawComboBox(parent) {
  setItemDelegate(new FontDelegate(this));
  PopulateList();
  setCurrentIndex(-1);
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) {
    if (OnClick) OnClick();
    DoChange();
  });
}

int TFontComboBox::MinItemHeight() const {
  return std::max(TOwnerDrawComboBox::MinItemHeight(), kMarkSize - 1);
}

void TFontComboBox::PopulateList() {
  const QSignalBlocker quiet(this);
  clear();
  QStringList families = QFontDatabase::families();
  families.sort(Qt::CaseInsensitive);
  families.removeDuplicates();
  for (const QString& family : families) {
    const int type = fontType(family);
    if (!passes(family, type, options_)) continue;
    addItem(family);
    setItemData(count() - 1, type, kTypeRole);
  }
  applyItemHeight();
}

std::string TFontComboBox::FontName() const { return gui::ToCp1251(currentText()); }

void TFontComboBox::SetFontName(const std::string& name) {
  const QString wanted = gui::FromCp1251(name);
  if (currentIndex() >= 0 && wanted == currentText()) return;
  {
    const QSignalBlocker quiet(this);
    setCurrentIndex(findText(wanted, Qt::MatchFixedString));  // any letter case
  }
  DoChange();
}

void TFontComboBox::SetOptions(unsigned value) {
  if (value == options_) return;
  options_ = value;
  Reset();
}

void TFontComboBox::SetUseFonts(bool value) {
  if (value == useFonts_) return;
  useFonts_ = value;
  update();
}

void TFontComboBox::Reset() {
  const QString kept = currentText();
  {
    gui::ScopedFlag busy(updating_);
    PopulateList();
    const QSignalBlocker quiet(this);
    setCurrentIndex(findText(kept, Qt::MatchFixedString));
  }
  if (currentText().compare(kept, Qt::CaseInsensitive) != 0) DoChange();
}

bool TFontComboBox::event(QEvent* event) {
  if (event->type() == QEvent::ApplicationFontChange) Reset();
  return TOwnerDrawComboBox::event(event);
}

void TFontComboBox::DoChange() {
  if (!updating_ && OnChange) OnChange();
}

}  // namespace rxcombos
