// The scan dialog's layout, built in code: every component with its name, text and place, in
// the panel's dark look.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include "core/HardwareTables.h"
#include "gui/CustomEdit.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/PanelGeometry.h"
#include "viewer/Range.h"
#include "viewer/Vyxu.h"

using layout::Cp;
using layout::Ru;

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 416;
constexpr int kMargin = 12;
constexpr int kFieldLeft = 200;  // the standard box and the default values' scroll bars
constexpr int kFieldWidth = kWidth - kFieldLeft - kMargin;
constexpr int kDefaultsTop = 100;
constexpr int kDefaultsPitch = 28;
constexpr int kStandardIndex = 6;  // SECAM

gui::TCustomEdit* edit(QWidget* parent, const char* name, const QRect& r, const char* text) {
  auto* e = new gui::TCustomEdit(parent);
  SetFieldLook(e);
  e->setObjectName(QString::fromLatin1(name));
  e->setGeometry(r);
  e->SetText(text);
  return e;
}

}  // namespace

gui::TCustomLabel* DialogLabel(QWidget* parent, const char* name, int x, int y,
                               const char* utf8) {
  return layout::Label(parent, name, x, y, Cp(utf8), panel::kInk);
}

void SetFieldLook(gui::TCustomEdit* field) {
  field->SetColor(panel::kLcd);
  gui::TFont font = field->Font();
  font.Color = panel::kLcdInk;
  field->SetFont(font);
}

TForm4::TForm4(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint) {
  Form4 = this;
  setObjectName("Form4");
  setWindowTitle("Freq scanning");
  if (Form1) setPalette(Form1->palette());
  setAutoFillBackground(true);
  setFixedSize(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  createRangeFields();
  createDefaults();
  createDetector();
  createButtons();
  attachHandlers();
}

void TForm4::createRangeFields() {
  Label4 = DialogLabel(this, "Label4", kMargin, 10, "Выбор диапазона (Mhz)");
  Label1 = DialogLabel(this, "Label1", kMargin, 38, "От");
  Edit1 = edit(this, "Edit1", QRect(48, 34, 66, 22), "40");
  Label2 = DialogLabel(this, "Label2", 124, 38, "До");
  Edit2 = edit(this, "Edit2", QRect(160, 34, 66, 22), "800");
  Label3 = DialogLabel(this, "Label3", 236, 38, "Шаг");
  Edit3 = edit(this, "Edit3", QRect(272, 34, 76, 22), "0.5");

  Label5 = DialogLabel(this, "Label5", kMargin, 70, "Система по умолчанию");
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  // Every standard by its number, so that the item index is the standard.
  for (const char* name : TVSystemNames) ComboBox1->addItem(QString::fromLatin1(name));
  ComboBox1->setMaxVisibleItems(10);
  ComboBox1->setGeometry(kFieldLeft, 66, kFieldWidth, 24);
  ComboBox1->setCurrentIndex(kStandardIndex);
}

void TForm4::createDefaults() {
  struct Row {
    gui::TCustomLabel** label;
    const char* labelName;
    const char* text;
    QScrollBar** bar;
    const char* barName;
    int position;
  };
  const Row rows[] = {
      {&Label7, "Label7", "Уровень звука по умолчанию", &ScrollBar1, "ScrollBar1", 20},
      {&Label8, "Label8", "Яркость по умолчанию", &ScrollBar2, "ScrollBar2", 50},
      {&Label9, "Label9", "Контрастность по умолчанию", &ScrollBar3, "ScrollBar3", 70},
      {&Label10, "Label10", "Теплота по умолчанию", &ScrollBar4, "ScrollBar4", 100},
      {&Label11, "Label11", "Цветность по умолчанию", &ScrollBar5, "ScrollBar5", 70},
  };
  int top = kDefaultsTop;
  for (const Row& r : rows) {
    *r.label = DialogLabel(this, r.labelName, kMargin, top + 1, r.text);
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(QString::fromLatin1(r.barName));
    bar->setRange(0, 100);
    bar->setValue(r.position);
    bar->setGeometry(kFieldLeft, top, kFieldWidth, 18);
    *r.bar = bar;
    top += kDefaultsPitch;
  }
  // The name of new rows lies below the dialog: new rows get it empty unless it is set.
  Label6 = DialogLabel(this, "Label6", kMargin, kHeight + 24, "Комментарий по умолчанию");
  Edit4 = edit(this, "Edit4", QRect(kFieldLeft, kHeight + 20, kFieldWidth, 22), "");
}

void TForm4::createDetector() {
  CheckBox1 = new QCheckBox(Ru("Выключать звук "), this);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setGeometry(kMargin, 240, kWidth - 2 * kMargin, 22);

  RadioGroup1 = new QGroupBox(Ru("Определять по"), this);
  RadioGroup1->setObjectName("RadioGroup1");
  RadioGroup1->setGeometry(kMargin, 268, kWidth - 2 * kMargin, 96);
  detectorItems_ = new QButtonGroup(this);
  const char* items[] = {"наличию изображения", "наличию радиосигнала", "FM"};
  for (int i = 0; i < 3; ++i) {
    auto* item = new QRadioButton(Ru(items[i]), RadioGroup1);
    item->setGeometry(12, 22 + 22 * i, kWidth - 2 * kMargin - 24, 20);
    detectorItems_->addButton(item, i);
  }
  SetDetectorIndex(kDetectPicture);
}

void TForm4::createButtons() {
  Button1 = new QPushButton(Ru("Далее"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(156, 378, 92, 26);
  Button2 = new QPushButton(Ru("Отмена"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(256, 378, 92, 26);
}
