// TPopupCalendar: the drop-down calendar of the date edit.
#include "controls/Pickdate.h"

#include <QEvent>
#include <QScreen>

#include "controls/utils/Strutils.h"
#include "gui/BuiltinBitmaps.h"
#include "gui/Cp1251.h"

using namespace gui;
using namespace dateutil;

// The resources live in a static library: registering them needs a reference from its code.
static void initPickdateResources() { Q_INIT_RESOURCE(controls_pickdate); }

namespace pickdate {

namespace {

constexpr int kTitleHeight = 18;
constexpr int kButtonSize = 14;

}  // namespace

void LoadButtonGlyph(rxctrls::TRxSpeedButton& button, TCalendarButton which) {
  static const bool registered = (initPickdateResources(), true);
  (void)registered;
  static const char* const kGlyphs[4] = {"PREV2", "PREV1", "NEXT1", "NEXT2"};
  if (std::shared_ptr<const TBitmap> glyph = LoadBuiltinBitmap(kGlyphs[which])) {
    button.SetGlyph(*glyph);
  }
}

TPopupCalendar::TPopupCalendar(QWidget* owner) : TPopupWindow(owner) {
  resize(std::max(PopupCalendarSize.X, 180), std::max(PopupCalendarSize.Y, 120));
  SetColor(clBtnFace);
  QWidget* back = new QWidget(this);
  back->setGeometry(1, 1, width() - 2, height() - 2);
  buildTitle(back);
  calendar_ = new TLocCalendar(back);
  calendar_->SetColor(clBtnFace);
  calendar_->SetBounds(0, kTitleHeight + 2, back->width(), back->height() - kTitleHeight - 2);
  calendar_->OnChange = [this](TRxCalendar*) { updateTitle(); };
  calendar_->OnMouseUp = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
    calendarMouseUp(b, s, x, y);
  };
  updateTitle();
}

// The year and month buttons at the ends of the title row, the title between them.
void TPopupCalendar::buildTitle(QWidget* back) {
  titlePanel_ = new QWidget(back);
  titlePanel_->setGeometry(1, 1, width() - 4, kTitleHeight);
  int panelWidth = titlePanel_->width();
  const int lefts[4] = {-1, 12, panelWidth - 26, panelWidth - 13};
  for (int i = 0; i < 4; ++i) {
    auto* button = new rxctrls::TRxTimerSpeedButton(titlePanel_);
    button->SetBounds(lefts[i], -1, kButtonSize, kButtonSize);
    LoadButtonGlyph(*button, TCalendarButton(i));
    buttons_[size_t(i)] = button;
  }
  buttons_[cbPrevYear]->OnClick = [this](TControl*) { calendar_->StepYear(-1); };
  buttons_[cbPrevMonth]->OnClick = [this](TControl*) { calendar_->StepMonth(-1); };
  buttons_[cbNextMonth]->OnClick = [this](TControl*) { calendar_->StepMonth(1); };
  buttons_[cbNextYear]->OnClick = [this](TControl*) { calendar_->StepYear(1); };
  title_ = new QLabel(titlePanel_);
  title_->setGeometry(29, 1, panelWidth - 58, 14);
  title_->setAlignment(Qt::AlignCenter);
  title_->setAttribute(Qt::WA_TranslucentBackground);
  title_->installEventFilter(this);
}

void TPopupCalendar::updateTitle() {
  if (title_ && calendar_) {
    title_->setText(FromCp1251(FormatDateTime(kTitleFormat, calendar_->CalendarDate())));
  }
}

void TPopupCalendar::ColorChanged() {
  TPopupWindow::ColorChanged();
  if (calendar_) calendar_->SetColor(Color());
}

void TPopupCalendar::ShowToday() { calendar_->SetCalendarDate(Today()); }

bool TPopupCalendar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == title_ && event->type() == QEvent::MouseButtonDblClick) ShowToday();
  return TPopupWindow::eventFilter(watched, event);
}

// A release over a day (not over a blank cell or the names) picks it.
void TPopupCalendar::calendarMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft || (shift & (ssShift | ssCtrl | ssAlt))) return;
  int col = 0, row = 0;
  if (calendar_->CellAtPoint(x, y, col, row) && row > 0 && !calendar_->CellText(col, row).empty()) {
    CloseUp(true);
  }
}

QVariant TPopupCalendar::GetValue() { return QVariant(calendar_->CalendarDate()); }

void TPopupCalendar::SetValue(const QVariant& value) {
  const FormatSettings& fs = CurrentFormatSettings();
  std::string text = strutils::DelRSpace(strutils::DelChars(ToCp1251(value.toString()), fs.dateSeparator));
  TDateTime date = Today();
  if (!text.empty() && !value.isNull()) {
    if (value.typeId() == QMetaType::Double) {
      if (ValidDate(value.toDouble())) date = value.toDouble();
    } else {
      date = StrToDateDef(ToCp1251(value.toString()), Today());
    }
  }
  calendar_->SetCalendarDate(std::trunc(date));
  updateTitle();
}

void TPopupCalendar::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_PRIOR || key == VK_NEXT) {
    int delta = key == VK_PRIOR ? -1 : 1;
    if (shift & ssCtrl) calendar_->StepYear(delta);
    else calendar_->StepMonth(delta);
    key = 0;
    return;
  }
  calendar_->KeyDown(key, shift);
}

void TPopupCalendar::KeyPress(char& key) { calendar_->KeyPress(key); }

// --- making and setting up --------------------------------------------------------------------

TPopupCalendar* CreatePopupCalendar(QWidget* owner, Qt::LayoutDirection direction) {
  auto* popup = new TPopupCalendar(owner);
  if (owner) {
    QScreen* screen = owner->screen();
    int dpi = screen ? int(screen->logicalDotsPerInch()) : kPixelsPerInch;
    if (dpi != kPixelsPerInch) {
      double scale = double(dpi) / kPixelsPerInch;
      popup->resize(int(popup->width() * scale), int(popup->height() * scale));
      for (QWidget* child : popup->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->setGeometry(1, 1, popup->width() - 2, popup->height() - 2);
      }
      TRect r = popup->Calendar()->BoundsRect();
      popup->Calendar()->SetBounds(r.Left, r.Top, popup->width() - 2,
                                   popup->height() - 2 - r.Top);
    }
    popup->setLayoutDirection(direction);
  }
  return popup;
}

void SetupPopupCalendar(tooledit::TPopupWindow* popup, TDayOfWeekName startOfWeek,
                        TDaysOfWeek weekends, TColor weekendColor, const TStrings* hints,
                        bool fourDigitYear) {
  auto* calendar = dynamic_cast<TPopupCalendar*>(popup);
  if (!calendar) return;
  calendar->SetFourDigitYear(fourDigitYear);
  calendar->Calendar()->SetStartOfWeek(startOfWeek);
  calendar->Calendar()->SetWeekendColor(weekendColor);
  calendar->Calendar()->SetWeekends(weekends);
  if (!hints) return;
  for (int i = 0; i < std::min(4, hints->Count()); ++i) {
    std::string hint = hints->Get(i);
    if (!hint.empty()) calendar->Button(TCalendarButton(i))->setToolTip(FromCp1251(hint));
  }
}

}  // namespace pickdate
