// TCustomComboEdit: construction, the drop-down's opening and closing, keys, mouse and focus.
// The button, its glyph and the geometry are in TooleditButton.cpp.
#include "controls/Tooledit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QScreen>

#include "gui/Cp1251.h"

using namespace gui;

namespace tooledit {

namespace {

// The caret of the edit: Qt draws it as wide as the style says.
class CaretStyle : public QProxyStyle {
public:
  explicit CaretStyle(int width) : width_(width) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TextCursorWidth) return width_;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

private:
  int width_;
};

QRect screenOf(const QWidget* widget) {
  QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

uint16_t ShortCut(uint16_t key, TShiftState shift) {
  uint16_t result = key & 0xFF;
  if (shift & ssShift) result |= 0x2000;
  if (shift & ssCtrl) result |= 0x4000;
  if (shift & ssAlt) result |= 0x8000;
  return result;
}

TCustomComboEdit::TCustomComboEdit(QWidget* parent) : TCustomMaskEdit(parent) {
  holder_ = new QWidget(this);
  holder_->setCursor(Qt::ArrowCursor);
  holder_->setGeometry(0, 0, 21, 17);
  button_ = new TEditButton(holder_, this);
  button_->SetBounds(0, 0, 21, 17);
  button_->OnClick = [this](TControl*) { EditButtonClick(); };
  holder_->show();
  button_->show();
  setGeometry(0, 0, 121, std::max(21, GetMinHeight()));
  applyAlignment();
  applyCaret();
  UpdateBtnBounds();
}

TCustomComboEdit::~TCustomComboEdit() {
  button_->OnClick = nullptr;
  watchOutsideClicks(false);
}

// --- properties -------------------------------------------------------------------------------

void TCustomComboEdit::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  applyAlignment();
}

void TCustomComboEdit::applyAlignment() {
  Qt::Alignment horizontal = alignment_ == taRightJustify ? Qt::AlignRight
                             : alignment_ == taCenter     ? Qt::AlignHCenter
                                                          : Qt::AlignLeft;
  setAlignment(horizontal | Qt::AlignVCenter);
}

void TCustomComboEdit::SetButtonHint(const std::string& value) {
  buttonHint_ = value;
  button_->setToolTip(FromCp1251(value));
}

void TCustomComboEdit::SetDirectInput(bool value) {
  directInput_ = value;
  UpdateEditable();
}

bool TCustomComboEdit::PopupVisible() const { return popup_ && popupVisible_; }

void TCustomComboEdit::SelectAll() {
  if (directInput_) selectAll();
}

int TCustomComboEdit::CaretWidth() const { return Font().Style & fsBold ? 2 : 1; }

void TCustomComboEdit::applyCaret() {
  QStyle* previous = caretStyle_;
  caretStyle_ = new CaretStyle(CaretWidth());
  caretStyle_->setParent(this);
  setStyle(caretStyle_);
  delete previous;
}

int TCustomComboEdit::GetTextHeight() const {
  return std::min(QFontMetrics(QApplication::font()).height(), QFontMetrics(font()).height());
}

int TCustomComboEdit::GetMinHeight() const {
  constexpr int kBorderHeight = 1;
  return GetTextHeight() + 4 * kBorderHeight + 1;
}

// --- the drop-down ----------------------------------------------------------------------------

void TCustomComboEdit::SetPopup(TPopupWindow* popup) {
  popup_ = popup;
  if (popup_) {
    popup_->CloseUpEvent = [this](TPopupWindow* sender, bool accept) { PopupCloseUp(sender, accept); };
  }
}

void TCustomComboEdit::EditButtonClick() {
  if (!ReadOnly()) ButtonClick();
}

void TCustomComboEdit::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
  if (!popup_) return;
  if (PopupVisible()) PopupCloseUp(popup_, true);
  else PopupDropDown(true);
}

void TCustomComboEdit::ShowPopup(TPoint origin) { popup_->Show(origin); }

void TCustomComboEdit::HidePopup() { popup_->Hide(); }

QVariant TCustomComboEdit::GetPopupValue() {
  return popup_ ? popup_->GetValue() : QVariant(QString());
}

void TCustomComboEdit::SetPopupValue(const QVariant& value) {
  if (popup_) popup_->SetValue(value);
}

// The text changes while the popup still counts as shown, so OnChange is quiet until the one
// DoChange at the end.
void TCustomComboEdit::AcceptValue(const QVariant& value) {
  std::string text = ToCp1251(value.toString());
  if (Text() == text) return;
  SetText(text);
  SetModified(true);
  UpdatePopupVisible();
  DoChange();
}

// Opens under the edit, or above it when it does not fit below; its right edge lines up with
// the edit's (epaRight) unless that would leave the screen.
void TCustomComboEdit::PopupDropDown(bool disableEdit) {
  if (!popup_ || ReadOnly() || PopupVisible()) return;
  QPoint p = mapToGlobal(QPoint(0, 0));
  QRect screen = screenOf(this);
  int screenRight = screen.x() + screen.width(), screenBottom = screen.y() + screen.height();
  int w = popup_->Width(), h = popup_->Height();
  int y = p.y() + height();
  if (screenBottom < y + h) y = p.y() - h;
  int x;
  if (popupAlign_ == epaRight) {
    x = p.x() - (w - width());
    if (x < screen.x()) x += w - width();
  } else {
    x = p.x();
    if (screenRight < p.x() + w) x = p.x() + (width() - w);
  }
  if (x < screen.x()) x = screen.x();
  else if (screenRight < w + x) x = screenRight - w;
  std::string text = Text();
  SetPopupValue(text.empty() ? QVariant() : QVariant(FromCp1251(text)));
  if (CanFocus()) SetFocus();
  ShowPopup({x, y});
  popupVisible_ = true;
  watchOutsideClicks(true);
  if (disableEdit) {
    editDisabled_ = true;
    UpdateEditable();
  }
}

void TCustomComboEdit::PopupCloseUp(TPopupWindow*, bool accept) {
  if (!PopupVisible() || closingUp_) return;
  closingUp_ = true;
  struct Done {
    TCustomComboEdit& edit;
    ~Done() {
      edit.popupVisible_ = false;
      edit.closingUp_ = false;
    }
  } done{*this};
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  QVariant value = GetPopupValue();
  HidePopup();
  watchOutsideClicks(false);
  try {
    if (CanFocus()) SetFocus();
  } catch (...) {
  }
  editDisabled_ = false;
  UpdateEditable();
  update();
  if (accept && AcceptPopup(value) && EditCanModify()) {
    AcceptValue(value);
    if (hasFocus()) SelectAll();
  }
}

void TCustomComboEdit::Change() {
  if (PopupVisible()) PopupChange();
  else DoChange();
}

// --- keys, mouse, focus -----------------------------------------------------------------------

void TCustomComboEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomMaskEdit::KeyDown(key, shift);
  if (key != 0 && ShortCut(key, shift) == clickKey_ && ButtonWidth() > 0) {
    EditButtonClick();
    key = 0;
  }
}

// Enter and Escape close an open drop-down (accepting or not); otherwise they go on to the
// form, whose default and cancel buttons act.
void TCustomComboEdit::KeyPress(char& key) {
  if ((key == '\r' || key == 27) && PopupVisible()) {
    PopupCloseUp(popup_, key == '\r');
    key = 0;
    return;
  }
  TCustomMaskEdit::KeyPress(key);
}

// A press into the edit closes an open drop-down without taking its value.
void TCustomComboEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && popup_) {
    if (CanFocus()) SetFocus();
    if (!hasFocus()) {
      event->accept();
      return;
    }
    if (PopupVisible()) PopupCloseUp(popup_, false);
  }
  TCustomMaskEdit::mousePressEvent(event);
}

void TCustomComboEdit::focusInEvent(QFocusEvent* event) {
  focused_ = true;
  TCustomMaskEdit::focusInEvent(event);
}

// Losing the focus closes the drop-down, unless the focus only seems to go to the drop-down
// itself (a window system that activates it on a click).
void TCustomComboEdit::focusOutEvent(QFocusEvent* event) {
  focused_ = false;
  TCustomMaskEdit::focusOutEvent(event);
  if (!PopupVisible()) return;
  if (event->reason() == Qt::ActiveWindowFocusReason && QApplication::activeWindow() == popup_) return;
  PopupCloseUp(popup_, false);
}

void TCustomComboEdit::changeEvent(QEvent* event) {
  TCustomMaskEdit::changeEvent(event);
  switch (event->type()) {
    case QEvent::EnabledChange: button_->SetEnabled(isEnabled()); break;
    case QEvent::FontChange:
      SetEditRect();
      applyCaret();
      break;
    case QEvent::LayoutDirectionChange:
      if (popup_) popup_->setLayoutDirection(layoutDirection());
      break;
    default: break;
  }
}

// --- clicks elsewhere -------------------------------------------------------------------------

bool TCustomComboEdit::ownsWidget(const QWidget* widget) const {
  if (widget == this || isAncestorOf(widget)) return true;
  return popup_ && (widget == popup_ || popup_->isAncestorOf(widget));
}

void TCustomComboEdit::watchOutsideClicks(bool on) {
  if (!qApp) return;
  if (on) qApp->installEventFilter(this);
  else qApp->removeEventFilter(this);
}

// While the drop-down is open, a press on any other control of the program closes it
// without taking its value.
bool TCustomComboEdit::eventFilter(QObject* watched, QEvent* event) {
  QEvent::Type type = event->type();
  bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
               type == QEvent::NonClientAreaMouseButtonPress;
  if (press && watched->isWidgetType() && PopupVisible() &&
      !ownsWidget(static_cast<QWidget*>(watched))) {
    PopupCloseUp(popup_, false);
  }
  return TCustomMaskEdit::eventFilter(watched, event);
}

}  // namespace tooledit
