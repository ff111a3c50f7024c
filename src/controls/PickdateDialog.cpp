// TSelectDateDlg and the routines that run it: the modal date dialog of a date edit in the
// dialog style (no window of the program uses that style).
#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

#include "controls/Pickdate.h"
#include "gui/Cp1251.h"

using namespace gui;
using namespace dateutil;

namespace pickdate {

namespace {

constexpr int kDialogWidth = 222;
constexpr int kDialogHeight = 154;

void setup(TSelectDateDlg& dialog, TDateTime date, TDayOfWeekName startOfWeek,
           TDaysOfWeek weekends, TColor weekendColor, const TStrings* hints) {
  dialog.SetDate(date == NullDate ? Today() : date);
  dialog.Calendar()->SetStartOfWeek(startOfWeek);
  dialog.Calendar()->SetWeekends(weekends);
  dialog.Calendar()->SetWeekendColor(weekendColor);
  for (int i = 0; hints && i < std::min(4, hints->Count()); ++i) {
    if (!hints->Get(i).empty()) {
      dialog.Button(TCalendarButton(i))->setToolTip(FromCp1251(hints->Get(i)));
    }
  }
}

}  // namespace

TSelectDateDlg::TSelectDateDlg(QWidget* parent) : QDialog(parent) {
  setFixedSize(kDialogWidth, kDialogHeight);
  const int lefts[4] = {4, 20, kDialogWidth - 36, kDialogWidth - 20};
  for (int i = 0; i < 4; ++i) {
    auto* button = new rxctrls::TRxTimerSpeedButton(this);
    button->SetBounds(lefts[i], 4, 16, 16);
    LoadButtonGlyph(*button, TCalendarButton(i));
    buttons_[size_t(i)] = button;
  }
  titleLabel_ = new QLabel(this);
  titleLabel_->setGeometry(38, 4, kDialogWidth - 76, 16);
  titleLabel_->setAlignment(Qt::AlignCenter);
  QPalette blue = titleLabel_->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  titleLabel_->setPalette(blue);
  titleLabel_->installEventFilter(this);
  calendar_ = new TRxCalendar(this);
  calendar_->SetBounds(4, 24, kDialogWidth - 8, 98);
  calendar_->OnChange = [this](TRxCalendar*) { updateTitle(); };
  calendar_->OnDblClick = [this](TControl*) { accept(); };
  buttons_[cbPrevYear]->OnClick = [this](TControl*) { calendar_->StepYear(-1); };
  buttons_[cbPrevMonth]->OnClick = [this](TControl*) { calendar_->StepMonth(-1); };
  buttons_[cbNextMonth]->OnClick = [this](TControl*) { calendar_->StepMonth(1); };
  buttons_[cbNextYear]->OnClick = [this](TControl*) { calendar_->StepYear(1); };
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setGeometry(kDialogWidth - 162, 126, 75, 23);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setGeometry(kDialogWidth - 83, 126, 75, 23);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  calendar_->setFocus();
  updateTitle();
}

void TSelectDateDlg::SetDate(TDateTime date) {
  calendar_->SetCalendarDate(std::trunc(date));
  updateTitle();
}

void TSelectDateDlg::updateTitle() {
  titleLabel_->setText(FromCp1251(FormatDateTime(kTitleFormat, calendar_->CalendarDate())));
}

// Page Up and Down step months (with Ctrl years), Tab a month forward and Shift+Tab back.
void TSelectDateDlg::keyPressEvent(QKeyEvent* event) {
  bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_PageUp: ctrl ? calendar_->StepYear(-1) : calendar_->StepMonth(-1); return;
    case Qt::Key_PageDown: ctrl ? calendar_->StepYear(1) : calendar_->StepMonth(1); return;
    case Qt::Key_Tab: calendar_->StepMonth(1); return;
    case Qt::Key_Backtab: calendar_->StepMonth(-1); return;
    default: QDialog::keyPressEvent(event);
  }
}

bool TSelectDateDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == titleLabel_ && event->type() == QEvent::MouseButtonDblClick) SetDate(Today());
  return QDialog::eventFilter(watched, event);
}

bool SelectDate(TDateTime& date, const std::string& title, TDayOfWeekName startOfWeek,
                TDaysOfWeek weekends, TColor weekendColor, const TStrings* hints) {
  TSelectDateDlg dialog(QApplication::activeWindow());
  dialog.setWindowTitle(FromCp1251(title));
  setup(dialog, date, startOfWeek, weekends, weekendColor, hints);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    dialog.move(screen->geometry().center() - dialog.rect().center());
  }
  if (dialog.exec() != QDialog::Accepted) return false;
  date = dialog.Date();
  return true;
}

bool SelectDateStr(std::string& text, const std::string& title, TDayOfWeekName startOfWeek,
                   TDaysOfWeek weekends, TColor weekendColor, const TStrings* hints) {
  const std::string& format = CurrentFormatSettings().shortDateFormat;
  TDateTime date = StrToDateFmtDef(format, text, NullDate);
  if (!SelectDate(date, title, startOfWeek, weekends, weekendColor, hints)) return false;
  text = FormatDateTime(format, date);
  return true;
}

bool PopupDate(TDateTime& date, QWidget* edit) {
  TSelectDateDlg dialog(edit ? edit->window() : nullptr);
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setup(dialog, date, Mon, {Sun}, clRed, nullptr);
  if (edit) {
    QPoint p = edit->mapToGlobal(QPoint(0, edit->height()));
    QScreen* screen = edit->screen();
    if (screen && p.y() + dialog.height() > screen->geometry().bottom()) {
      p.setY(edit->mapToGlobal(QPoint(0, 0)).y() - dialog.height());
    }
    dialog.move(p);
  }
  if (dialog.exec() != QDialog::Accepted) return false;
  date = dialog.Date();
  return true;
}

}  // namespace pickdate
