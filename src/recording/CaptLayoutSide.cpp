// The capture window's layout, continued: the Audio and Image pages, the right column of meters
// and sliders, the CPU graph and the statistics frame.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

#include "controls/Curredit.h"
#include "controls/FBVUMeter.h"
#include "controls/PerfGraph.h"
#include "controls/Rxclock.h"
#include "controls/Rxslider.h"
#include "controls/Rxswitch.h"
#include "gui/Image.h"
#include "recording/Capt.h"
#include "recording/CaptLayoutParts.h"

using namespace capt_layout;

namespace {

const char* const kSourceLines[] = {"Undefined",  "Digital",   "Line",      "Microphone",
                                    "Synthesizer", "CompactDisk", "Telephone", "PCSpeaker",
                                    "WaveOut",    "Auxiliary", "Auxiliary (SB Live )"};

// A vertical recording slider, 0..65 in steps of 2.
rxslider::TRxSlider* levelSlider(QWidget* parent, const char* name, const char* hint, int x) {
  auto* s = new rxslider::TRxSlider(parent);
  s->setObjectName(name);
  s->SetOrientation(rxslider::soVertical);
  s->SetRange(0, 65);
  s->SetIncrement(2);
  s->setToolTip(QString::fromLatin1(hint));
  s->setGeometry(x, 4, 20, 110);
  return s;
}

// A statistics line: its title and the label that shows the value.
QLabel* statLine(QWidget* parent, const char* titleName, const char* title, const char* name,
                 int top) {
  label(parent, titleName, title, {6, top, 110, 16});
  return label(parent, name, "", {118, top, 345, 16});
}

}  // namespace

void TForm3::createAudioPage() {
  QWidget* p = TabSheet2;
  ComboBox1 = new QComboBox(p);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(4, row(0), 186, kRowH);
  SpeedButton1 = toolButton(p, "SpeedButton1", "Регулятор громкости", {194, row(0), 138, kRowH});
  SpeedButton1->setAutoRaise(false);
  Label4 = label(p, "Label4", "", {2, 26, 329, 169});
  Label4->setAutoFillBackground(true);
  QPalette black = Label4->palette();
  black.setColor(QPalette::Window, Qt::black);
  Label4->setPalette(black);
  PaintBox1 = new QWidget(p);
  PaintBox1->setObjectName("PaintBox1");
  PaintBox1->setGeometry(2, 26, 329, 169);
  PaintBox1->installEventFilter(this);

  Button9 = button(p, "Button9", "Имя Wav файла", {4, 197, 106, kRowH});
  Button10 = button(p, "Button10", "Формат аудио", {112, 197, 106, kRowH});
  Button12 = button(p, "Button12", "Прослушать WAV", {220, 197, 110, kRowH});
  CheckBox14 = checkBox(p, "CheckBox14", "Increment filename", {4, 219, 170, kRowH});
  Label8 = label(p, "Label8", "Buffer size, sec", {176, 219, 112, kRowH});
  Edit4 = lineEdit(p, "Edit4", "1", {290, 219, 40, kRowH});
  CheckBox5 = checkBox(p, "CheckBox5", "Не создавать RIFF заголовок (для mp3)",
                       {4, 241, 326, kRowH});
  Button6 = button(p, "Button6", "ПУСК", {146, 263, 88, kRowH + 2});
  Button7 = button(p, "Button7", "Стоп", {240, 263, 88, kRowH + 2});
}

void TForm3::createImagePage() {
  QWidget* p = TabSheet3;
  Image1 = new gui::TImage(p);
  Image1->setObjectName("Image1");
  Image1->SetStretch(true);
  Image1->setGeometry(4, 4, 176, 132);
  CheckBox11 = checkBox(p, "CheckBox11", "Запись каждые", {188, row(0), 122, kRowH});
  RxCalcEdit2 = new curredit::TRxCalcEdit(p);
  RxCalcEdit2->setObjectName("RxCalcEdit2");
  RxCalcEdit2->SetValue(10);
  RxCalcEdit2->setGeometry(188, row(1), 80, kRowH);
  Label9 = label(p, "Label9", "сек", {272, row(1), 40, kRowH});
  SpeedButton2 = toolButton(p, "SpeedButton2", "Свойства", {188, row(2), 100, kRowH});
  SpeedButton2->setAutoRaise(false);

  RadioGroup1 = frame(p, "RadioGroup1", {4, 142, 176, 26});
  RadioGroup1->setFrameShadow(QFrame::Sunken);
  RadioBmp = new QRadioButton("bmp", RadioGroup1);
  RadioBmp->setObjectName("RadioBmp");
  RadioBmp->setGeometry(8, 3, 70, kRowH);
  RadioJpg = new QRadioButton("jpg", RadioGroup1);
  RadioJpg->setObjectName("RadioJpg");
  RadioJpg->setGeometry(90, 3, 70, kRowH);
  ComboBox11 = new QComboBox(p);
  ComboBox11->setObjectName("ComboBox11");
  ComboBox11->addItems({"RGB", "Gray"});
  ComboBox11->setGeometry(188, 146, 80, kRowH);
  CheckBox12 = checkBox(p, "CheckBox12", "Progressive Jpeg", {4, 174, 160, kRowH});
  CheckBox16 = checkBox(p, "CheckBox16", "Single file", {188, 174, 140, kRowH});
  Label12 = label(p, "Label12", "Качество", {4, 200, 70, kRowH});
  ScrollBar2 = new QScrollBar(Qt::Horizontal, p);
  ScrollBar2->setObjectName("ScrollBar2");
  ScrollBar2->setRange(0, 100);
  ScrollBar2->setGeometry(76, 202, 190, 16);
  Label14a = label(p, "Label14a", "0", {272, 200, 30, kRowH});
  Label14a->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label13 = label(p, "Label13", "%", {304, 200, 20, kRowH});
}

void TForm3::createRightColumn() {
  FBVUMeter1 = new fbvumeter::TFBVUMeter(this);
  FBVUMeter1->setObjectName("FBVUMeter1");
  FBVUMeter1->SetLevelMin(-50);
  FBVUMeter1->setGeometry(348, 4, 32, 152);
  Panel5 = label(this, "Panel5", "", {348, 160, 15, 10});
  Panel6 = label(this, "Panel6", "", {365, 160, 15, 10});
  for (QLabel* lamp : {Panel5, Panel6}) {
    lamp->setFrameShape(QFrame::Panel);
    lamp->setFrameShadow(QFrame::Raised);
    lamp->setAutoFillBackground(true);
  }
  RxSlider4 = levelSlider(this, "RxSlider4", "Mixer recording volume (Left)", 386);
  RxSlider5 = levelSlider(this, "RxSlider5", "Mixer recording volume (Right)", 406);
  RxSlider1 = levelSlider(this, "RxSlider1", "Source recording volume (Left)", 430);
  RxSlider2 = levelSlider(this, "RxSlider2", "Source recording volume (Right)", 450);
  RxSwitch1 = new rxswitch::TRxSwitch(this);
  RxSwitch1->setObjectName("RxSwitch1");
  RxSwitch1->setToolTip(Ru("Тест"));
  // "Link" above the switch, where its Russian text has room.
  CheckBox15 = checkBox(this, "CheckBox15", "Link", {386, 115, 84, 18});
  RxSwitch1->setGeometry(386, 134, 36, 52);

  ComboBox4 = new QComboBox(this);
  ComboBox4->setObjectName("ComboBox4");
  for (const char* line : kSourceLines) ComboBox4->addItem(QString::fromLatin1(line));
  ComboBox4->setToolTip("Source line");
  ComboBox4->setGeometry(346, 186, 124, kRowH);
  RxClock1 = new rxclock::TRxClock(this);
  RxClock1->setObjectName("RxClock1");
  RxClock1->setGeometry(346, 212, 92, 26);
  UpDown1 = new gui::TUpDown(this);
  UpDown1->setObjectName("UpDown1");
  UpDown1->SetRange(-256, 256);
  UpDown1->setToolTip("Channel");
  UpDown1->setGeometry(442, 212, 28, 26);
  RxSlider6 = new rxslider::TRxSlider(this);
  RxSlider6->setObjectName("RxSlider6");
  RxSlider6->SetRange(0, 65);
  RxSlider6->SetIncrement(2);
  RxSlider6->setToolTip("Volume");
  RxSlider6->setGeometry(346, 244, 124, 34);
}

void TForm3::createBottom() {
  Label15 = label(this, "Label15", "CPU usage", kGraphLabel);
  PG1 = new perfgraph::TPerfGraph(this);
  PG1->setObjectName("PG1");
  PG1->setToolTip("CPU usage");
  PG1->setGeometry(kGraph);

  Panel9 = frame(this, "Panel9", kStatistics);
  Panel9->setFrameShadow(QFrame::Sunken);
  const QRect inner(2, 2, kStatistics.width() - 4, kStatistics.height() - 4);
  Panel11 = frame(Panel9, "Panel11", inner);
  Label32 = statLine(Panel11, "Label29", "Filename", "Label32", 4);
  Label14 = statLine(Panel11, "Label30", "Размер ", "Label14", 22);
  Label16 = label(Panel11, "Label16", "", {6, 40, 110, 16});
  Label18 = label(Panel11, "Label18", "", {118, 40, 200, 16});
  Label35 = statLine(Panel11, "Label34", "Audio samples", "Label35", 58);

  Panel10 = frame(Panel9, "Panel10", inner);
  Label27 = statLine(Panel10, "Label19", "Filename", "Label27", 4);
  Label11 = statLine(Panel10, "Label20", "Current file size", "Label11", 20);
  Label5 = label(Panel10, "Label5", "", {6, 36, 110, 16});
  Label10 = label(Panel10, "Label10", "", {118, 36, 200, 16});
  Label25 = statLine(Panel10, "Label22", "Frame", "Label25", 52);
  Label26 = statLine(Panel10, "Label23", "Dropped frames", "Label26", 68);
  Label28 = statLine(Panel10, "Label24", "Time Elapsed", "Label28", 84);
  Label33 = statLine(Panel10, "Label31", "Audio samples", "Label33", 100);
}
