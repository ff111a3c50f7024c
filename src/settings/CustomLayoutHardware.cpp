// The settings dialog's hardware pages, built in code: "Тюнер", "Карта" and "Система".
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/HardwareTables.h"
#include "settings/Custom.h"
#include "settings/CustomLayoutHelpers.h"

namespace {

constexpr int kHexDigits = 10;  // "0x" and eight digits

const char* const kTunerFieldNames[] = {"I2C Address", "VHFLow",     "VHFHigh",  "UHF",
                                        "Threshold1",  "Threshold2", "FMStereo", "FMMono"};
const char* const kCardFieldNames[] = {"VideoMux0", "VideoMux1", "VideoMux2", "VideoMask",
                                       "TonMux0",   "TonMux1",   "TonMux2",   "TonMute",
                                       "TonMask",   "OutEn",     "OutMask"};
const char* const kSystemFieldNames[] = {"CropWidth", "CropHeight", "CropOffset", "DelayA",
                                         "DelayB",    "XsfNum",     "XsfDen",     "TotalWidth",
                                         "HDelayx1",  "VDelay",     "HActivex1"};
const char* const kStandardItems[] = {"AUTO ", "NTSC_M ", "NTSC_J", "PAL_BDGHI", "PAL_M",
                                      "PAL_N", "SECAM",   "PAL_Nc", "CUSTOM"};
const char* const kIFormItems[] = {"AUTO",  "NTSC",  "NTSC_J", "PAL_BDGHI",
                                   "PAL_M", "PAL_N", "SECAM",  "NORM"};

// The edits named first..first+N-1, each under its field name, in `columns` columns.
template <size_t N>
QGridLayout* hexFields(QWidget* page, std::array<QLineEdit*, N>& edits, int firstNumber,
                       const char* const (&names)[N], int columns) {
  auto* grid = new QGridLayout;
  for (size_t i = 0; i < N; ++i) {
    const QByteArray name = "Edit" + QByteArray::number(firstNumber + int(i));
    edits[i] = layout7::Edit(page, name.constData(), 0);
    edits[i]->setMinimumWidth(edits[i]->fontMetrics().horizontalAdvance(QString(kHexDigits + 1, 'D')));
    const QByteArray label = "LabelOf" + name;
    const int row = int(i) / columns;
    const int column = int(i) % columns * 2;
    grid->addWidget(layout7::Text(page, label.constData(), names[i]), row, column);
    grid->addWidget(edits[i], row, column + 1);
  }
  return grid;
}

QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons) {
  QHBoxLayout* row = layout7::Row(buttons);
  row->addStretch();
  return row;
}

}  // namespace

void TForm7::createTunerPage() {
  auto* page = new QVBoxLayout(TabSheet1);
  ComboBox1 = layout7::Combo(TabSheet1, "ComboBox1");
  for (const char* name : TunerNames) ComboBox1->addItem(QString::fromLatin1(name));
  page->addLayout(layout7::Row({layout7::Text(TabSheet1, "Label1", "Тип тюнера"), ComboBox1}));
  page->addLayout(hexFields(TabSheet1, TunerEdits, 26, kTunerFieldNames, 2));
  Button6 = layout7::Button(TabSheet1, "Button6", "Скопировать в custom");
  Button4 = layout7::Button(TabSheet1, "Button4", "Записать");
  Button7 = layout7::Button(TabSheet1, "Button7", "JTV import");
  page->addStretch();
  page->addLayout(buttonRow({Button6, Button4, Button7}));
}

void TForm7::createCardPage() {
  auto* page = new QVBoxLayout(TabSheet2);
  ComboBox2 = layout7::Combo(TabSheet2, "ComboBox2");
  for (const char* name : CardNames) ComboBox2->addItem(QString::fromLatin1(name));
  page->addLayout(layout7::Row({layout7::Text(TabSheet2, "Label10", "Тип карты"), ComboBox2}));
  page->addLayout(hexFields(TabSheet2, CardEdits, 15, kCardFieldNames, 2));
  ComboBox10 = layout7::Combo(TabSheet2, "ComboBox10");
  ComboBox10->addItems({"0", "1", "2", "disabled"});
  page->addLayout(buttonRow({layout7::Text(TabSheet2, "LabelPLL", "PLL"), ComboBox10}));
  Button5 = layout7::Button(TabSheet2, "Button5", "Скопировать в custom");
  Button3 = layout7::Button(TabSheet2, "Button3", "Записать");
  Button8 = layout7::Button(TabSheet2, "Button8", "JTV import");
  page->addStretch();
  page->addLayout(buttonRow({Button5, Button3, Button8}));
}

void TForm7::createSystemPage() {
  auto* page = new QHBoxLayout(TabSheet3);
  auto* left = new QVBoxLayout;
  left->addWidget(layout7::Text(TabSheet3, "Label22", "Стандарт"));
  ListBox1 = new QListWidget(TabSheet3);
  ListBox1->setObjectName("ListBox1");
  for (const char* name : kStandardItems) ListBox1->addItem(QString::fromLatin1(name));
  ListBox1->setFixedWidth(ListBox1->fontMetrics().horizontalAdvance("PAL_BDGHI") + 32);
  left->addWidget(ListBox1);
  page->addLayout(left);

  auto* right = new QVBoxLayout;
  right->addLayout(hexFields(TabSheet3, SystemEdits, 2, kSystemFieldNames, 2));
  ComboBox3 = layout7::Combo(TabSheet3, "ComboBox3");
  ComboBox3->addItems({"XT0", "XT1"});
  ComboBox4 = layout7::Combo(TabSheet3, "ComboBox4");
  for (const char* name : kIFormItems) ComboBox4->addItem(QString::fromLatin1(name));
  right->addLayout(buttonRow({layout7::Text(TabSheet3, "LabelXT", "XT"), ComboBox3,
                              layout7::Text(TabSheet3, "LabelIForm", "IForm"), ComboBox4}));
  Button1 = layout7::Button(TabSheet3, "Button1", "Принять");
  Button2 = layout7::Button(TabSheet3, "Button2", "Тест");
  Button10 = layout7::Button(TabSheet3, "Button10", "Скопировать в custom");
  right->addStretch();
  right->addLayout(buttonRow({Button1, Button2, Button10}));
  page->addLayout(right);
}
