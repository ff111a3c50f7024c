// The capture window's stored layout, built in code: the caption bar above the client area, the
// three pages, the right column and the bottom, with their names, texts and places. The window's
// client area is 473 x 476.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <iterator>

#include "controls/Curredit.h"
#include "controls/Rxclock.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "recording/Capt.h"
#include "recording/CaptLayoutParts.h"

using namespace capt_layout;

namespace {

// The abort keys in list order (their codes: AbortKeyTable).
const char* const kAbortKeyNames[] = {
    "ESCAPE", "SPACE", "END", "HOME", "SNAPSHOT", "0",  "1",  "2",  "3",  "4",  "5",
    "6",      "7",     "8",   "9",    "A",        "B",  "C",  "D",  "E",  "F",  "G",
    "H",      "I",     "J",   "K",    "L",        "M",  "N",  "O",  "P",  "Q",  "R",
    "S",      "T",     "U",   "V",    "W",        "X",  "Y",  "Z",  "F1", "F2", "F3",
    "F4",     "F5",    "F6",  "F7",   "F8",       "F9", "F10", "F11", "F12"};
static_assert(std::size(kAbortKeyNames) == 53);

// Hours, ':' and minutes: the first hour digit may be left blank.
constexpr const char* kTimeMask = "!90:00;1;_";

tooledit::TDateEdit* dateEdit(QWidget* parent, const char* name, const QRect& r) {
  auto* edit = new tooledit::TDateEdit(parent);
  edit->setObjectName(name);
  edit->SetYearDigits(tooledit::dyFour);
  edit->setGeometry(r);
  return edit;
}

tooledit::TCustomMaskEdit* timeEdit(QWidget* parent, const char* name, const QRect& r) {
  auto* edit = new tooledit::TCustomMaskEdit(parent);
  edit->setObjectName(name);
  edit->SetEditMask(kTimeMask);
  edit->setGeometry(r);
  return edit;
}

}  // namespace

void TForm3::createCaption() {
  // Above the client area, as in the stored layout: the window's own title bar serves.
  Panel7 = label(this, "Panel7", "The Vyx Capture", {0, -20, kClientWidth - 20, 18});
  Panel7->setAutoFillBackground(true);
  Panel4 = label(this, "Panel4", "X", {kClientWidth - 19, -20, 18, 18});
  Panel4->setAlignment(Qt::AlignCenter);
  Panel4->setAutoFillBackground(true);
  Panel4->setToolTip(Ru("Возврат"));
  Panel7->installEventFilter(this);
  Panel4->installEventFilter(this);
  Panel1 = label(this, "Panel1", "", {0, -60, 40, 18});
  Panel1->hide();
  Label21 = label(this, "Label21", "Свободно на ", {50, -60, 80, 16});
  Label21->hide();
  RxSlider3 = new rxslider::TRxSlider(this);
  RxSlider3->setObjectName("RxSlider3");
  RxSlider3->setGeometry(140, -60, 100, 30);
  RxSlider3->hide();
  RxClock2 = new rxclock::TRxClock(this);
  RxClock2->setObjectName("RxClock2");
  RxClock2->setGeometry(250, -60, 90, 24);
  RxClock2->hide();
}

void TForm3::createVideoPage() {
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->setGeometry(kPages);
  TabSheet1 = page(PageControl1, "TabSheet1", "Video");
  TabSheet2 = page(PageControl1, "TabSheet2", "Audio");
  TabSheet3 = page(PageControl1, "TabSheet3", "Image");
  createVideoOptions(TabSheet1);
  createVideoAbortAndAlarms(TabSheet1);
}

void TForm3::createVideoOptions(QWidget* p) {
  CheckBox3 = checkBox(p, "CheckBox3", "Время записи,сек", {4, row(0), 128, kRowH});
  RxCalcEdit1 = new curredit::TRxCalcEdit(p);
  RxCalcEdit1->setObjectName("RxCalcEdit1");
  RxCalcEdit1->setGeometry(134, row(0), 52, kRowH);
  Label1 = label(p, "Label1", "Частота кадров", {191, row(0), 94, kRowH});
  RxSpinEdit1 = new rxspin::TRxSpinEdit(p);
  RxSpinEdit1->setObjectName("RxSpinEdit1");
  RxSpinEdit1->SetMinValue(1);
  RxSpinEdit1->SetMaxValue(30);
  RxSpinEdit1->SetValue(25);
  RxSpinEdit1->setMaxLength(2);
  RxSpinEdit1->setGeometry(286, row(0), 42, kRowH);

  Label17 = label(p, "Label17", "Размер файлов, Mb", {4, row(1), 118, kRowH});
  Edit1 = lineEdit(p, "Edit1", "1800", {124, row(1), 60, kRowH});
  Panel2 = frame(p, "Panel2", {192, row(1), 66, kRowH});
  SpeedButton5 = toolButton(Panel2, "SpeedButton5", "Overlay", {2, 2, 62, kRowH - 4});
  Panel3 = frame(p, "Panel3", {262, row(1), 66, kRowH});
  SpeedButton6 = toolButton(Panel3, "SpeedButton6", "Preview", {2, 2, 62, kRowH - 4});

  Button5 = button(p, "Button5", "Имя Avi файла", {4, row(2), 106, kRowH});
  Button3 = button(p, "Button3", "Кодек сжатия", {112, row(2), 106, kRowH});
  Button1 = button(p, "Button1", "Источник видео", {220, row(2), 108, kRowH});
  Button2 = button(p, "Button2", "Формат видео", {4, row(3), 100, kRowH});
  Button4 = button(p, "Button4", "Формат аудио", {106, row(3), 100, kRowH});
  CheckBox2 = checkBox(p, "CheckBox2", "Запись со звуком", {208, row(3), 126, kRowH});

  // Wide enough for the Russian texts the language loader sets.
  CheckBox6 = checkBox(p, "CheckBox6", "Master stream  - audio", {4, row(4), 172, kRowH});
  Label6 = label(p, "Label6", "Priority", {180, row(4), 64, kRowH});
  ComboBox3 = new QComboBox(p);
  ComboBox3->setObjectName("ComboBox3");
  ComboBox3->addItems({"Realtime", "High", "Normal", "Idle"});
  ComboBox3->setGeometry(246, row(4), 84, kRowH);
  CheckBox13 = checkBox(p, "CheckBox13", "Increment filename", {4, row(5), 172, kRowH});
  CheckBox17 = checkBox(p, "CheckBox17", "Hide statistics frame", {178, row(5), 152, kRowH});

  Label2 = label(p, "Label2", "Video Buffers", {4, row(6), 86, kRowH});
  Edit2 = lineEdit(p, "Edit2", "", {92, row(6), 40, kRowH});
  Label3 = label(p, "Label3", "Audio Buffers", {168, row(6), 86, kRowH});
  Edit3 = lineEdit(p, "Edit3", "", {256, row(6), 40, kRowH});

  // Outside the page's visible area.
  RxCalcEdit3 = new curredit::TRxCalcEdit(p);
  RxCalcEdit3->setObjectName("RxCalcEdit3");
  RxCalcEdit3->SetValue(30);
  RxCalcEdit3->setGeometry(4, 400, 60, kRowH);
  Label7 = label(p, "Label7", "fps", {68, 400, 30, kRowH});
}

void TForm3::createVideoAbortAndAlarms(QWidget* p) {
  CheckBox18 = checkBox(p, "CheckBox18", "Abort key", {4, row(7), 134, kRowH});
  CheckBox9 = checkBox(p, "CheckBox9", "Ctrl", {140, row(7), 46, kRowH});
  CheckBox10 = checkBox(p, "CheckBox10", "Shift", {188, row(7), 54, kRowH});
  ComboBox2 = new QComboBox(p);
  ComboBox2->setObjectName("ComboBox2");
  for (const char* name : kAbortKeyNames) ComboBox2->addItem(QString::fromLatin1(name));
  ComboBox2->setGeometry(244, row(7), 86, kRowH);
  CheckBox8 = checkBox(p, "CheckBox8", "Right Mouse Button", {4, row(8), 160, kRowH});
  CheckBox7 = checkBox(p, "CheckBox7", "Left Mouse Button", {168, row(8), 160, kRowH});

  CheckBox1 = checkBox(p, "CheckBox1", "Начать запись", {4, row(9), 138, kRowH});
  DateEdit1 = dateEdit(p, "DateEdit1", {144, row(9), 110, kRowH});
  MaskEdit1 = timeEdit(p, "MaskEdit1", {258, row(9), 50, kRowH});
  CheckBox4 = checkBox(p, "CheckBox4", "Окончить запись", {4, row(10), 138, kRowH});
  DateEdit2 = dateEdit(p, "DateEdit2", {144, row(10), 110, kRowH});
  MaskEdit2 = timeEdit(p, "MaskEdit2", {258, row(10), 50, kRowH});

  Button11 = button(p, "Button11", "Показать AVI", {4, row(11), 106, kRowH + 2});
  Button8 = button(p, "Button8", "ПУСК", {146, row(11), 88, kRowH + 2});
  Button13 = button(p, "Button13", "Стоп", {240, row(11), 88, kRowH + 2});
}
