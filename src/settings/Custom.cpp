// The settings dialog's construction, "Ok", closing, showing and hiding, and its caption timer.
#include "settings/Custom.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include "controls/Rxcombos.h"
#include "controls/Rxslider.h"
#include "core/HardwareTables.h"
#include "core/ProfileValues.h"
#include "core/Settings.h"
#include "gui/ScopedFlag.h"
#include "settings/CustomInternal.h"
#include "settings/Language.h"
#include "settings/SettingsHooks.h"
#include "settings/SkinLoader.h"

namespace pv = profile_values;

namespace {

constexpr int kClientWidth = 464;
constexpr int kClientHeight = 398;

}  // namespace

TForm7::TForm7(QWidget* owner) : QWidget(owner, Qt::Dialog) {
  Form7 = this;
  setObjectName("Form7");
  setWindowTitle("Settings");
  createPages();
  attachMiscHandlers();
  attachWindowHandlers();
  attachHardwareHandlers();
  {
    gui::ScopedFlag quiet(loading_);
    loadSettings();
  }
  showVersion();
  // At least the stored layout's client size; larger where the desktop's fonts need the room.
  resize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  Timer1->start();
  Timer2 = new QTimer(this);
  Timer2->setInterval(300);
  connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
  Timer2->start();
}

TForm7::~TForm7() {
  if (Form7 == this) Form7 = nullptr;
}

// The controls take the settings. The handlers stay quiet meanwhile: the start-up has already
// applied every one of these values, so running them would only apply them twice.
void TForm7::loadSettings() {
  ComboBox1->setCurrentIndex(int(Settings.Tuner));
  ComboBox2->setCurrentIndex(int(Settings.Card));
  ComboBox5->setCurrentIndex(Settings.SoundConnector <= kConnectorAnalog ? int(Settings.SoundConnector) : -1);
  Edit1->setText(FromSetting(Settings.ExternalSoftName));
  Edit41->setText(FromSetting(Settings.TeletextSoftName));
  RadioGroup1Items->button(Settings.UseExternalSoft ? 1 : 0)->setChecked(true);
  RadioGroup1Click();

  ListBox1->setCurrentRow(kCustomSystemRow);
  ListBox1Click();
  ComboBox1Change();
  ComboBox2Change();

  loadWindowStyle();

  Edit13->setText(QString::number(Settings.OSDDelay));
  CheckBox1->setChecked(Settings.OSDEnabled);
  Edit14->setText(QString::number(Settings.RemoteDelay));
  Edit34->setText(QString::number(Settings.MouseStep));
  CheckBox2->setChecked(Settings.Remote);
  CheckBox3->setChecked(Settings.SoundOffOnStart);
  CheckBox4->setChecked(Settings.IntellimouseReverse);
  CheckBox7->setChecked(Settings.RestoreVolume);

  // The start-up language load: the other five windows exist by now.
  LoadLanguage(Settings.Language);
  FillLanguageList(ListBox3);
  SelectByName(ListBox3, Settings.Language);
  FillSkinList(ListBox2);
  SelectByName(ListBox2, Settings.Skin);

  loadOsdFont();

  RxSliderU->SetValue(int(Settings.SaturationU));
  RxSliderV->SetValue(int(Settings.SaturationV));
  CheckButton(RadioGroup4Items, int(Settings.Driver));
  CheckBox10->setChecked(Settings.TvWindowPresent == 0);
  CheckButton(RadioGroup2Items, int(Settings.WDMDriver));
  CheckBox9->setChecked(Settings.KeepSideCorrelation);
  CheckBox12->setChecked(Settings.FullScreenMouseHide);
  ComboBox10->setCurrentIndex(Settings.PLL <= 3 ? int(Settings.PLL) : -1);
  CheckBox11->setChecked(Settings.HideCP);
  Edit42->setText(QString::number(Settings.MonitorPowerOffDelay));
  CheckBox14->setChecked(Settings.MonitorPowerOffIfNoSignal);
}

void TForm7::loadWindowStyle() {
  pendingWindowStyle_ = Settings.WindowStyle;
  CheckButton(RadioGroup3Items, Settings.SideCorrelation);
  const auto checked = ItemsOfWindowStyle(pendingWindowStyle_);
  for (int i = 0; i < kWindowStyleItems; ++i)
    CheckListBox1->item(i)->setCheckState(checked[i] ? Qt::Checked : Qt::Unchecked);
  CheckBox8->setChecked(checked[kSizeBoxItem]);
  Label40->setText(WindowStyleText(Settings.WindowStyle));
}

void TForm7::SpeedButton3Click() {
  Settings.Tuner = uint32_t(std::max(ComboBox1->currentIndex(), 0));
  Settings.Card = uint32_t(std::max(ComboBox2->currentIndex(), 0));
  Settings.ExternalSoftName = ToSetting(Edit1->text());
  Settings.TeletextSoftName = ToSetting(Edit41->text());
  Settings.UseExternalSoft = RadioGroup1Items->checkedId() > 0;
  hide();
  Settings.WindowStyle = pendingWindowStyle_;
}

void TForm7::Panel3Click() {
  hide();
  if (DialogHooks().showMainPanel) DialogHooks().showMainPanel();
}

void TForm7::closeEvent(QCloseEvent* event) {
  event->accept();
  Panel3Click();
}

// Typing in the dialog must not work the main panel's hot keys.
void TForm7::FormShow() {
  if (DialogHooks().removeKeyboardHook) DialogHooks().removeKeyboardHook();
}

// The hot keys work again, with or without a TV window.
void TForm7::FormHide() {
  if (DialogHooks().installKeyboardHook) DialogHooks().installKeyboardHook();
}

void TForm7::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void TForm7::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  FormHide();
}

// The dialog has the desktop's own caption bar, which colours itself; what is left of the
// timer's work is the preview's refresh, which Timer1 does.
void TForm7::Timer2Timer() {}

// --- The window-style list

const std::array<WindowStyleItem, kWindowStyleItems> kWindowStyleList = {{
    {"OVERLAPPED", 0},           {"POPUP", 1u << 31},       {"CHILD", 1u << 30},
    {"MINIMIZE", 1u << 29},      {"VISIBLE", 1u << 28},     {"DISABLED", 1u << 27},
    {"CLIPSIBLINGS", 1u << 26},  {"CLIPCHILDREN", 1u << 25}, {"MAXIMIZE", 1u << 24},
    {"BORDER", 1u << 23},        {"DLGFRAME", 1u << 22},    {"VSCROLL", 1u << 21},
    {"HSCROLL", 1u << 20},       {"SYSMENU", 1u << 19},     {"SIZEBOX", 1u << 18},
    {"GROUP", 1u << 17},         {"TABSTOP", 1u << 16},     {"MINIMIZEBOX", 1u << 17},
    {"MAXIMIZEBOX", 1u << 16},
}};

uint32_t WindowStyleOfItems(const std::array<bool, kWindowStyleItems>& checked) {
  uint32_t style = 0;
  for (int i = 0; i < kWindowStyleItems; ++i)
    if (checked[i]) style |= kWindowStyleList[i].bit;
  return style;
}

std::array<bool, kWindowStyleItems> ItemsOfWindowStyle(uint32_t style) {
  std::array<bool, kWindowStyleItems> checked{};
  for (int i = 1; i < kWindowStyleItems; ++i) checked[i] = style & kWindowStyleList[i].bit;
  return checked;
}

QString WindowStyleText(uint32_t style) {
  return QString::fromStdString("Window style " + pv::FormatHex(style));
}
