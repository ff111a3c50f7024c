// The scheduler window's stored layout, built in code: the column titles, the ten rows, the
// footer and the caption bar, with their names, texts and places (SchuGeometry.h), and the
// handlers attached to them.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "controls/Rxclock.h"
#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "gui/CustomLabel.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/PanelGeometry.h"
#include "viewer/Schu.h"
#include "viewer/SchuGeometry.h"

using layout::Cp;
using layout::Ru;
namespace geo = schedule_layout;

namespace {

// Hours, ':' and minutes: the first hour digit may be left blank.
constexpr const char* kTimeMask = "!90:00;1;_";

QString numbered(const char* name, int n) {
  return QString::fromLatin1(name) + QString::number(n);
}

// A column title, or one half of a two-line title.
QLabel* headerPanel(QWidget* parent, const char* name, const char* text, geo::Column c, int top,
                    int height) {
  auto* panel = new QLabel(Ru(text), parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setAlignment(Qt::AlignCenter);
  panel->setGeometry(c.left, top, c.width, height);
  return panel;
}

// A check box without a caption, centred in its column.
QCheckBox* cellBox(QWidget* parent, const QString& name, geo::Column c, int top) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(name);
  box->setGeometry(c.left + (c.width - geo::kBoxSize) / 2, top, geo::kBoxSize, geo::kRowHeight);
  return box;
}

tooledit::TCustomMaskEdit* timeEdit(QWidget* parent, const QString& name, const QRect& r) {
  auto* edit = new tooledit::TCustomMaskEdit(parent);
  edit->setObjectName(name);
  edit->SetEditMask(kTimeMask);
  edit->setGeometry(r);
  return edit;
}

}  // namespace

void TForm2::createHeader() {
  const int top = geo::kHeaderTop;
  const int full = geo::kHeaderHeight;
  const int half = full / 2;
  Panel4 = headerPanel(this, "Panel4", "Каждый", geo::kEveryDay, top, half);
  Panel5 = headerPanel(this, "Panel5", "день", geo::kEveryDay, top + half, full - half);
  Panel6 = headerPanel(this, "Panel6", "Дата", geo::kDate, top, full);
  Panel7 = headerPanel(this, "Panel7", "Время", geo::kTime, top, full);
  Panel8 = headerPanel(this, "Panel8", "Программа", geo::kProgram, top, full);
  Panel9 = headerPanel(this, "Panel9", "Полный", geo::kFull, top, half);
  Panel10 = headerPanel(this, "Panel10", "экран", geo::kFull, top + half, full - half);
}

void TForm2::createRow(int n) {
  ScheduleRow& row = Row(n);
  const int top = geo::rowTop(n);
  row.EveryDay = cellBox(this, numbered("CheckBox", n), geo::kEveryDay, top);

  row.DateEdit = new tooledit::TDateEdit(this);
  row.DateEdit->setObjectName(numbered("DateEdit", n));
  row.DateEdit->SetDefaultToday(true);
  row.DateEdit->SetYearDigits(tooledit::dyFour);
  row.DateEdit->SetNumGlyphs(2);
  row.DateEdit->setGeometry(geo::kDate.left, top, geo::kDate.width, geo::kRowHeight);

  row.Label = layout::Label(this, numbered("Label", n).toLatin1().constData(), geo::kDate.left,
                            top, Cp("Ежедневно"), panel::kInk, false);
  row.Label->SetAutoSize(false);
  row.Label->SetLayout(gui::tlCenter);
  row.Label->SetBounds(geo::kDate.left + 4, top, geo::kDate.width - 4, geo::kRowHeight);

  row.MaskEdit =
      timeEdit(this, numbered("MaskEdit", n), {geo::kTime.left, top, geo::kTime.width,
                                               geo::kRowHeight});

  row.ComboBox = new QComboBox(this);
  row.ComboBox->setObjectName(numbered("ComboBox", n));
  row.ComboBox->setGeometry(geo::kProgram.left, top, geo::kProgram.width, geo::kRowHeight);

  row.FullScreen = cellBox(this, numbered("CheckBox", 19 + n), geo::kFull, top);
}

void TForm2::createFooter() {
  Button2 = new QPushButton(Ru("Сегодня"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(geo::kToday);

  CheckBox13 = new QCheckBox(Ru("Выйти из программы в"), this);
  CheckBox13->setObjectName("CheckBox13");
  CheckBox13->setGeometry(geo::kExit);
  MaskEdit11 = timeEdit(this, "MaskEdit11", geo::kExitTime);
  CheckBox14 = new QCheckBox(Ru("и выключить компьютер"), this);
  CheckBox14->setObjectName("CheckBox14");
  CheckBox14->setGeometry(geo::kSwitchOff);
  // Switching off is offered only together with leaving, and chosen by default.
  CheckBox14->setChecked(true);
  CheckBox14->setEnabled(false);

  RxClock1 = new rxclock::TRxClock(this);
  RxClock1->setObjectName("RxClock1");
  RxClock1->setGeometry(geo::kClock);
  // The panel's display fields: glowing digits on a dark ground.
  RxClock1->SetColor(panel::kLcd);
  gui::TFont digits = RxClock1->Font();
  digits.Color = panel::kLcdInk;
  digits.Style = gui::TFontStyles(gui::fsBold);
  RxClock1->SetFont(digits);

  SpeedButton1 = new QToolButton(this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setText("Ok");
  SpeedButton1->setGeometry(geo::kOk);
}

void TForm2::createCaption() {
  Panel1 = new QLabel(Ru("Планировщик"), this);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(geo::kCaption);
  Panel1->setAutoFillBackground(true);
  Panel3 = new QLabel("X", this);
  Panel3->setObjectName("Panel3");
  Panel3->setAlignment(Qt::AlignCenter);
  Panel3->setGeometry(geo::kCaptionClose);
  Panel3->setAutoFillBackground(true);
  Panel3->setToolTip(Ru("Возврат"));
  Panel1->installEventFilter(this);
  Panel3->installEventFilter(this);
}

void TForm2::attachHandlers() {
  for (int n = 1; n <= kScheduleRows; ++n) {
    ScheduleRow& row = Row(n);
    row.DateEdit->OnChange = [this, n](QWidget*) { DateEditChange(n); };
    row.MaskEdit->OnChange = [this, n](QWidget*) { MaskEditChange(n); };
    // A box's handler runs on every change of its state; a list's only when the user picks.
    connect(row.EveryDay, &QCheckBox::toggled, this, [this, n] { CheckBoxClick(n); });
    connect(row.ComboBox, &QComboBox::activated, this, [this, n] { ComboBoxChange(n); });
  }
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  connect(CheckBox13, &QCheckBox::toggled, this, [this] { CheckBox13Click(); });
  MaskEdit11->OnChange = [this](QWidget*) { MaskEdit11Change(); };
  RxClock1->OnAlarm = [this](rxclock::TRxClock*) { RxClock1Alarm(); };
  Timer1.SetInterval(100);
  Timer1.SetOnTimer([this](gui::TTimer*) { Timer1Timer(); });
}
