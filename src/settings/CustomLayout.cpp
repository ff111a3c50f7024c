// The settings dialog's layout, built in code: the pages "Разное" and "Окно". The pages lay
// their controls out in rows and columns, so that every text fits whatever font the desktop uses.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/Rxcombos.h"
#include "controls/Rxslider.h"
#include "settings/Custom.h"
#include "settings/CustomInternal.h"
#include "settings/CustomLayoutHelpers.h"
#include "settings/OsdFontNames.h"

namespace {

const char* const kConnectorNames[] = {
    "UNDEFINED", "DIGITAL", "LINE",     "MICROPHONE", "SYNTHESIZER", "COMPACTDISC",
    "TELEPHONE", "PCSPEAKER", "WAVEOUT", "AUXILIARY", "ANALOG",
};

constexpr int kSaturationMax = 200;

rxslider::TRxSlider* saturationSlider(QWidget* parent, const char* name) {
  auto* s = new rxslider::TRxSlider(parent);
  s->setObjectName(QString::fromLatin1(name));
  s->SetRange(0, kSaturationMax);
  s->setMinimumSize(160, 28);
  return s;
}

QComboBox* namesBox(QWidget* parent, const char* name, std::span<const osd_font::NamedValue> names) {
  auto* box = layout7::Combo(parent, name);
  for (const osd_font::NamedValue& n : names) box->addItem(QString::fromLatin1(n.name));
  return box;
}

}  // namespace

void TForm7::createPages() {
  auto* outer = new QVBoxLayout(this);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  outer->addWidget(PageControl1);
  TabSheet5 = layout7::Page(PageControl1, "TabSheet5", "Разное");
  TabSheet1 = layout7::Page(PageControl1, "TabSheet1", "Тюнер");
  TabSheet2 = layout7::Page(PageControl1, "TabSheet2", "Карта");
  TabSheet3 = layout7::Page(PageControl1, "TabSheet3", "Система");
  TabSheet4 = layout7::Page(PageControl1, "TabSheet4", "Окно");
  TabSheet7 = layout7::Page(PageControl1, "TabSheet7", "O программе");
  createMiscPage();
  createWindowPage();
  createTunerPage();
  createCardPage();
  createSystemPage();
  createAboutPage();
  SpeedButton3 = new QPushButton("Ok", this);
  SpeedButton3->setObjectName("SpeedButton3");
  auto* okRow = new QHBoxLayout;
  okRow->addStretch();
  okRow->addWidget(SpeedButton3);
  outer->addLayout(okRow);
  connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
}

void TForm7::createMiscPage() {
  auto* grid = new QGridLayout(TabSheet5);
  auto* left = new QVBoxLayout;
  CheckBox3 = layout7::Check(TabSheet5, "CheckBox3", "Выключать звук при старте");
  CheckBox4 = layout7::Check(TabSheet5, "CheckBox4", "Реверс колеса ms intellimouse");
  CheckBox1 = layout7::Check(TabSheet5, "CheckBox1", "OSD включено");
  CheckBox2 = layout7::Check(TabSheet5, "CheckBox2", "ДУ включено");
  CheckBox11 = layout7::Check(TabSheet5, "CheckBox11", "Прятать панель управления при старте");
  CheckBox7 = layout7::Check(TabSheet5, "CheckBox7", "Восстанавливать значение громкости после выхода");
  for (QWidget* w : {CheckBox3, CheckBox4, CheckBox1, CheckBox2, CheckBox11, CheckBox7}) left->addWidget(w);
  CheckBox14 = layout7::Check(TabSheet5, "CheckBox14", "Выключить монитор если нет сигнала");
  Edit42 = layout7::Edit(TabSheet5, "Edit42", 6);
  left->addLayout(layout7::Row({CheckBox14, Edit42, layout7::Text(TabSheet5, "Label36", "мин")}));
  auto* delays = new QGridLayout;
  Edit13 = layout7::Edit(TabSheet5, "Edit13", 5);
  Edit14 = layout7::Edit(TabSheet5, "Edit14", 5);
  Edit34 = layout7::Edit(TabSheet5, "Edit34", 1);
  layout7::FieldRow(delays, 0, layout7::Text(TabSheet5, "Label38", "Задержка OSD"), Edit13, "ms");
  layout7::FieldRow(delays, 1, layout7::Text(TabSheet5, "Label39", "Задержка ДУ"), Edit14, "ms");
  layout7::FieldRow(delays, 2, layout7::Text(TabSheet5, "Label43", "Шаг мыши"), Edit34,
                    "пикселей")
      ->setObjectName("Label44");
  left->addLayout(delays);
  left->addStretch();
  grid->addLayout(left, 0, 0);
  grid->addLayout(createMiscRight(), 0, 1);
}

QLayout* TForm7::createMiscRight() {
  auto* right = new QVBoxLayout;
  right->addWidget(layout7::Text(TabSheet5, "Label45", "Источник звука"));
  ComboBox5 = layout7::Combo(TabSheet5, "ComboBox5");
  for (const char* n : kConnectorNames) ComboBox5->addItem(QString::fromLatin1(n));
  right->addWidget(ComboBox5);
  ListBox3 = layout7::List(TabSheet5, "ListBox3", 52);
  ListBox2 = layout7::List(TabSheet5, "ListBox2", 52);
  right->addLayout(layout7::Row({layout7::Text(TabSheet5, "Label65", "Язык"), ListBox3}));
  right->addLayout(layout7::Row({layout7::Text(TabSheet5, "Label46", "Шкурка"), ListBox2}));
  RxSliderU = saturationSlider(TabSheet5, "RxSliderU");
  RxSliderV = saturationSlider(TabSheet5, "RxSliderV");
  SpeedButton2 = layout7::Tool(TabSheet5, "SpeedButton2", "Сброс");
  auto* sliders = new QGridLayout;
  sliders->addWidget(layout7::Text(TabSheet5, "Label62", "Цветность U"), 0, 0);
  sliders->addWidget(RxSliderU, 0, 1);
  sliders->addWidget(layout7::Text(TabSheet5, "Label63", "Цветность V"), 1, 0);
  sliders->addWidget(RxSliderV, 1, 1);
  sliders->addWidget(SpeedButton2, 0, 2, 2, 1);
  right->addLayout(sliders);
  RadioGroup4 = layout7::Radios(TabSheet5, "RadioGroup4", "Драйвер", {"0", "1", "2"}, RadioGroup4Items);
  RadioGroup2 = layout7::Radios(TabSheet5, "RadioGroup2", "", {"VFW", "WDM", "Auto"}, RadioGroup2Items);
  right->addLayout(layout7::Row({RadioGroup4, RadioGroup2}));
  RadioGroup1 = layout7::Radios(TabSheet5, "RadioGroup1", "Софт для захвата",
                                {"Встроенный", "Внешний"}, RadioGroup1Items);
  Edit1 = layout7::Edit(TabSheet5, "Edit1", 0);
  SpeedButton1 = layout7::Tool(TabSheet5, "SpeedButton1", "...");
  static_cast<QVBoxLayout*>(RadioGroup1->layout())->addLayout(layout7::Row({Edit1, SpeedButton1}));
  right->addWidget(RadioGroup1);
  Edit41 = layout7::Edit(TabSheet5, "Edit41", 0);
  SpeedButton4 = layout7::Tool(TabSheet5, "SpeedButton4", "...");
  right->addLayout(layout7::Row({layout7::Text(TabSheet5, "Panel2", "Телетекст"), Edit41, SpeedButton4}));
  right->addStretch();
  return right;
}

void TForm7::createWindowPage() {
  auto* grid = new QGridLayout(TabSheet4);
  auto* left = new QVBoxLayout;
  CheckBox8 = layout7::Check(TabSheet4, "CheckBox8", "Окно с рамкой");
  CheckBox10 = layout7::Check(TabSheet4, "CheckBox10", "Работа без ТВ окна");
  CheckBox12 = layout7::Check(TabSheet4, "CheckBox12", "Прятать курсор при полном экране");
  CheckBox9 = layout7::Check(TabSheet4, "CheckBox9", "Удерживать соотношение");
  CheckBox9->hide();
  RadioGroup3 = layout7::Radios(TabSheet4, "RadioGroup3", "Соотношение сторон",
                                {"3:4", "9:14", "9:16"}, RadioGroup3Items);
  for (QWidget* w : {static_cast<QWidget*>(CheckBox8), static_cast<QWidget*>(CheckBox10),
                     static_cast<QWidget*>(CheckBox12), static_cast<QWidget*>(RadioGroup3)})
    left->addWidget(w);
  CheckListBox1 = new QListWidget(TabSheet4);
  CheckListBox1->setObjectName("CheckListBox1");
  for (const WindowStyleItem& item : kWindowStyleList) {
    auto* entry = new QListWidgetItem(QString::fromLatin1(item.name), CheckListBox1);
    entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
  }
  CheckListBox1->hide();
  Label40 = new QLabel(TabSheet4);
  Label40->setObjectName("Label40");
  Label40->hide();
  left->addStretch();
  grid->addLayout(left, 0, 0);
  createOsdFont();
}

void TForm7::createOsdFont() {
  auto* font = new QGroupBox(TabSheet4);
  font->setObjectName("GroupBoxOsdFont");
  auto* g = new QGridLayout(font);
  FontComboBox1 = new rxcombos::TFontComboBox(font);
  FontComboBox1->setObjectName("FontComboBox1");
  ColorComboBox1 = new rxcombos::TColorComboBox(font);
  ColorComboBox1->setObjectName("ColorComboBox1");
  ColorComboBox1->SetDisplayNames(false);
  ComboBox6 = namesBox(font, "ComboBox6", osd_font::Charsets());
  ComboBox7 = namesBox(font, "ComboBox7", osd_font::Pitches());
  ComboBox8 = namesBox(font, "ComboBox8", osd_font::Families());
  ComboBox9 = namesBox(font, "ComboBox9", osd_font::Weights());
  const std::pair<const char*, const char*> captions[] = {
      {"Panel6", "Шрифт OSD"}, {"Panel7", "Цвет"}, {"Panel8", "Кодовая страница"},
      {"Panel10", "Тип"},      {"Panel11", "Стиль"}, {"Panel9", "Вес"},
  };
  QWidget* boxes[] = {FontComboBox1, ColorComboBox1, ComboBox6, ComboBox7, ComboBox8, ComboBox9};
  for (int i = 0; i < 6; ++i) {
    g->addWidget(layout7::Text(font, captions[i].first, captions[i].second), i, 0);
    g->addWidget(boxes[i], i, 1, 1, 3);
  }
  CheckBox5 = layout7::Check(font, "CheckBox5", "Наклонный");
  CheckBox6 = layout7::Check(font, "CheckBox6", "Подчеркнутый");
  g->addWidget(CheckBox5, 6, 0, 1, 2);
  g->addWidget(CheckBox6, 6, 2, 1, 2);
  Edit35 = layout7::Edit(font, "Edit35", 4);
  Edit36 = layout7::Edit(font, "Edit36", 4);
  Edit37 = layout7::Edit(font, "Edit37", 4);
  Edit38 = layout7::Edit(font, "Edit38", 4);
  g->addWidget(layout7::Text(font, "Label52", "Мин.высота"), 7, 0);
  g->addWidget(Edit35, 7, 1);
  g->addWidget(layout7::Text(font, "Label53", "Мин.ширина"), 7, 2);
  g->addWidget(Edit36, 7, 3);
  g->addWidget(layout7::Text(font, "Label54", "Макс.высота"), 8, 0);
  g->addWidget(Edit37, 8, 1);
  g->addWidget(layout7::Text(font, "Label56", "Макс.ширина"), 8, 2);
  g->addWidget(Edit38, 8, 3);
  StaticText1 = layout7::Preview(font, "StaticText1", 24);
  StaticText2 = layout7::Preview(font, "StaticText2", 48);
  g->addWidget(StaticText1, 9, 0, 1, 4);
  g->addWidget(StaticText2, 10, 0, 1, 4);
  Label58 = layout7::Text(font, "Label58", "OSD Font min OSD Шрифт мин");
  Label57 = layout7::Text(font, "Label57", "OSD Font max OSD Шрифт макс");
  Label58->hide();
  Label57->hide();
  static_cast<QGridLayout*>(TabSheet4->layout())->addWidget(font, 0, 1);
}

std::function<void()> TForm7::handler(void (TForm7::*method)()) {
  return [this, method] {
    if (!loading_) (this->*method)();
  };
}

void TForm7::attachMiscHandlers() {
  const std::pair<QCheckBox*, void (TForm7::*)()> checks[] = {
      {CheckBox1, &TForm7::CheckBox1Click},   {CheckBox2, &TForm7::CheckBox2Click},
      {CheckBox3, &TForm7::CheckBox3Click},   {CheckBox4, &TForm7::CheckBox4Click},
      {CheckBox7, &TForm7::CheckBox7Click},   {CheckBox11, &TForm7::CheckBox11Click},
      {CheckBox14, &TForm7::CheckBox14Click},
  };
  for (const auto& [box, method] : checks) connect(box, &QCheckBox::toggled, this, handler(method));
  const std::pair<QLineEdit*, void (TForm7::*)()> edits[] = {
      {Edit42, &TForm7::Edit42Change}, {Edit13, &TForm7::Edit13Change},
      {Edit14, &TForm7::Edit14Change}, {Edit34, &TForm7::Edit34Change},
  };
  for (const auto& [edit, method] : edits) connect(edit, &QLineEdit::textChanged, this, handler(method));
  connect(ComboBox5, qOverload<int>(&QComboBox::activated), this, handler(&TForm7::ComboBox5Change));
  connect(ListBox3, &QListWidget::itemClicked, this, handler(&TForm7::ListBox3Click));
  connect(ListBox2, &QListWidget::itemClicked, this, handler(&TForm7::ListBox2Click));
  RxSliderU->OnChange = [this](gui::TControl*) { if (!loading_) RxSliderUChange(); };
  RxSliderV->OnChange = [this](gui::TControl*) { if (!loading_) RxSliderVChange(); };
  connect(SpeedButton2, &QToolButton::clicked, this, handler(&TForm7::SpeedButton2Click));
  connect(RadioGroup4Items, &QButtonGroup::idClicked, this, handler(&TForm7::RadioGroup4Click));
  connect(RadioGroup2Items, &QButtonGroup::idClicked, this, handler(&TForm7::RadioGroup2Click));
  connect(RadioGroup1Items, &QButtonGroup::idClicked, this, handler(&TForm7::RadioGroup1Click));
  connect(SpeedButton1, &QToolButton::clicked, this, handler(&TForm7::SpeedButton1Click));
  connect(SpeedButton4, &QToolButton::clicked, this, handler(&TForm7::SpeedButton4Click));
}

void TForm7::attachWindowHandlers() {
  const std::pair<QCheckBox*, void (TForm7::*)()> checks[] = {
      {CheckBox8, &TForm7::CheckBox8Click},   {CheckBox9, &TForm7::CheckBox9Click},
      {CheckBox10, &TForm7::CheckBox10Click}, {CheckBox12, &TForm7::CheckBox12Click},
      {CheckBox5, &TForm7::CheckBox5Click},   {CheckBox6, &TForm7::CheckBox6Click},
  };
  for (const auto& [box, method] : checks) connect(box, &QCheckBox::toggled, this, handler(method));
  connect(CheckListBox1, &QListWidget::itemChanged, this, handler(&TForm7::CheckListBox1Click));
  connect(RadioGroup3Items, &QButtonGroup::idClicked, this, handler(&TForm7::RadioGroup3Click));
  const std::pair<QComboBox*, void (TForm7::*)()> boxes[] = {
      {ComboBox6, &TForm7::ComboBox6Change}, {ComboBox7, &TForm7::ComboBox7Change},
      {ComboBox8, &TForm7::ComboBox8Change}, {ComboBox9, &TForm7::ComboBox9Change},
  };
  for (const auto& [box, method] : boxes)
    connect(box, qOverload<int>(&QComboBox::activated), this, handler(method));
  FontComboBox1->OnChange = handler(&TForm7::FontComboBox1Change);
  ColorComboBox1->OnChange = handler(&TForm7::ColorComboBox1Change);
  const std::pair<QLineEdit*, void (TForm7::*)()> edits[] = {
      {Edit35, &TForm7::Edit35Change}, {Edit36, &TForm7::Edit36Change},
      {Edit37, &TForm7::Edit37Change}, {Edit38, &TForm7::Edit38Change},
  };
  for (const auto& [edit, method] : edits) connect(edit, &QLineEdit::textChanged, this, handler(method));
}
