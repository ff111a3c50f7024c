// TForm7, the settings dialog "Settings": the pages "Разное" (misc), "Тюнер", "Карта" and
// "Система" (the hardware tables and their custom rows), "Окно" (the TV window and the OSD font)
// and "About". Most controls store their setting the moment they change and apply it at once;
// the external programs, the capture-program choice, Tuner, Card and the TV window's style wait
// for "Ok". The dialog reaches the main panel and the TV window through SettingsDialogHooks,
// which the viewer fills in.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;

namespace rxslider {
class TRxSlider;
}
namespace rxcombos {
class TColorComboBox;
class TFontComboBox;
}
namespace elabel {
class TE3DLabel;
}

// The window-style list of the "Окно" page: the name and the style bit of each item.
struct WindowStyleItem {
  const char* name;
  uint32_t bit;  // 0 for "OVERLAPPED"
};
constexpr int kWindowStyleItems = 19;
constexpr int kSizeBoxItem = 14;
extern const std::array<WindowStyleItem, kWindowStyleItems> kWindowStyleList;

class TForm7 : public QWidget {
public:
  explicit TForm7(QWidget* owner = nullptr);
  ~TForm7() override;

  void FormCreate() {}

  // --- "Разное" (CustomMisc.cpp)
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void CheckBox4Click();
  void CheckBox7Click();
  void CheckBox11Click();
  void CheckBox14Click();
  void Edit42Change();
  void Edit13Change();
  void Edit14Change();
  void Edit34Change();
  // The sound source: SoundConnector := index, the card's source lines re-opened with error
  // boxes, their mute controls set to sound on. Also run by the capture window's source box.
  void ComboBox5Change();
  void ListBox3Click();
  void ListBox2Click();
  void RxSliderUChange();
  void RxSliderVChange();
  void SpeedButton2Click();
  void RadioGroup4Click();
  void RadioGroup2Click();
  void RadioGroup1Click();
  void SpeedButton1Click();
  void SpeedButton4Click();

  // --- "Окно" (CustomWindow.cpp, CustomOsd.cpp)
  void CheckListBox1Click();
  void CheckBox8Click();
  void RadioGroup3Click();
  void CheckBox9Click();
  void CheckBox10Click();
  void CheckBox12Click();
  void FontComboBox1Change();
  void ColorComboBox1Change();
  void ComboBox6Change();
  void ComboBox7Change();
  void ComboBox8Change();
  void ComboBox9Change();
  void CheckBox5Click();
  void Edit35Change();
  void Edit36Change();
  void Edit37Change();
  void Edit38Change();
  // The preview: stores OSDFontUnderline and draws both sample texts, only while the dialog is
  // shown on the "Окно" page.
  void CheckBox6Click();
  void Timer1Timer();

  // --- "Тюнер", "Карта", "Система" (CustomTuner.cpp, CustomCard.cpp, CustomSystem.cpp)
  void ComboBox1Change();
  void ComboBox2Change();
  void ListBox1Click();
  void Button6Click();
  void Button5Click();
  void Button10Click();
  void Button4Click();
  void Button3Click();
  void Button7Click();
  void Button8Click();
  void Button1Click();
  void Button2Click();
  void ComboBox10Change();
  void ComboBox3Change();
  void ComboBox4Change();

  // --- Caption bar, "Ok", closing, About (Custom.cpp, CustomAbout.cpp)
  void SpeedButton3Click();
  void Panel3Click();
  void FormShow();
  void FormHide();
  void Timer2Timer();
  void StaticText5Click();
  void StaticText7Click();
  void StaticText5MouseMove();
  void StaticText7MouseMove();
  void TabSheet7MouseMove();

  uint32_t PendingWindowStyle() const { return pendingWindowStyle_; }

  // --- Components
  QTabWidget* PageControl1;
  QWidget* TabSheet5;  // "Разное"
  QWidget* TabSheet1;  // "Тюнер"
  QWidget* TabSheet2;  // "Карта"
  QWidget* TabSheet3;  // "Система"
  QWidget* TabSheet4;  // "Окно"
  QWidget* TabSheet7;  // "About"
  QPushButton* SpeedButton3;  // "Ok"

  QCheckBox* CheckBox1;   // OSDEnabled
  QCheckBox* CheckBox2;   // Remote
  QCheckBox* CheckBox3;   // SoundOffOnStart
  QCheckBox* CheckBox4;   // IntellimouseReverse
  QCheckBox* CheckBox7;   // RestoreVolume
  QCheckBox* CheckBox11;  // HideCP
  QCheckBox* CheckBox14;  // MonitorPowerOffIfNoSignal; its field is the signal indicator
  QLineEdit* Edit42;      // MonitorPowerOffDelay, minutes
  QLineEdit* Edit13;      // OSDDelay
  QLineEdit* Edit14;      // RemoteDelay
  QLineEdit* Edit34;      // MouseStep
  QComboBox* ComboBox5;   // SoundConnector
  QListWidget* ListBox3;  // languages
  QListWidget* ListBox2;  // skins
  rxslider::TRxSlider* RxSliderU;
  rxslider::TRxSlider* RxSliderV;
  QToolButton* SpeedButton2;  // U 100, V 67
  QGroupBox* RadioGroup4;     // Driver
  QButtonGroup* RadioGroup4Items;
  QGroupBox* RadioGroup2;     // WDMDriver
  QButtonGroup* RadioGroup2Items;
  QGroupBox* RadioGroup1;     // capture software
  QButtonGroup* RadioGroup1Items;
  QLineEdit* Edit1;           // ExternalSoftName
  QToolButton* SpeedButton1;
  QLineEdit* Edit41;          // TeletextSoftName
  QToolButton* SpeedButton4;

  QCheckBox* CheckBox8;          // framed TV window (SIZEBOX)
  QListWidget* CheckListBox1;    // the style bits, hidden
  QLabel* Label40;               // "Window style 0x%X", hidden
  QGroupBox* RadioGroup3;        // SideCorrelation
  QButtonGroup* RadioGroup3Items;
  QCheckBox* CheckBox9;          // KeepSideCorrelation, hidden
  QCheckBox* CheckBox10;         // no TV window
  QCheckBox* CheckBox12;         // FullScreenMouseHide
  rxcombos::TFontComboBox* FontComboBox1;
  rxcombos::TColorComboBox* ColorComboBox1;
  QComboBox* ComboBox6;  // charset
  QComboBox* ComboBox7;  // pitch
  QComboBox* ComboBox8;  // family
  QComboBox* ComboBox9;  // weight
  QCheckBox* CheckBox5;  // italic
  QCheckBox* CheckBox6;  // underline
  QLineEdit* Edit35;     // OSDFontHeightMin
  QLineEdit* Edit36;     // OSDFontWidthMin
  QLineEdit* Edit37;     // OSDFontHeightMax
  QLineEdit* Edit38;     // OSDFontWidthMax
  QLabel* StaticText1;   // preview at the smallest size
  QLabel* StaticText2;   // preview at the largest size
  QLabel* Label57;       // sample text, hidden
  QLabel* Label58;

  QComboBox* ComboBox1;  // Tuner
  std::array<QLineEdit*, 8> TunerEdits;  // Edit26..Edit33
  QPushButton* Button6;
  QPushButton* Button4;
  QPushButton* Button7;
  QComboBox* ComboBox2;  // Card
  std::array<QLineEdit*, 11> CardEdits;  // Edit15..Edit25
  QComboBox* ComboBox10;  // PLL
  QPushButton* Button5;
  QPushButton* Button3;
  QPushButton* Button8;
  QListWidget* ListBox1;  // standards
  std::array<QLineEdit*, 11> SystemEdits;  // Edit2..Edit12
  QComboBox* ComboBox3;  // XT
  QComboBox* ComboBox4;  // IForm
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button10;

  elabel::TE3DLabel* E3DLabel1;
  elabel::TE3DLabel* E3DLabel2;
  QLabel* StaticText3;
  QLabel* StaticText5;
  QLabel* StaticText7;
  QTimer* Timer1;
  QTimer* Timer2;

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // Layout (CustomLayout*.cpp)
  void createPages();
  void createMiscPage();
  class QLayout* createMiscRight();
  void createWindowPage();
  void createOsdFont();
  void createTunerPage();
  void createCardPage();
  void createSystemPage();
  void createAboutPage();
  void attachMiscHandlers();
  void attachWindowHandlers();
  void attachHardwareHandlers();
  // The constructor's filling of the controls from the settings.
  void loadSettings();
  void loadWindowStyle();
  void loadOsdFont();
  void showVersion();

  void showTunerRow(int row);
  void showCardRow(int row);
  void showSystemRow(int row);
  void systemEditChanged(int field, bool typed);
  void rewriteCard();
  void applyFontStyleRadio(QButtonGroup* items, int index);
  void drawPreview(QLabel* target, int height, int width, const QString& text);
  void saturationChanged(uint32_t& setting, int value);

  // A handler that does nothing while the constructor fills the controls.
  std::function<void()> handler(void (TForm7::*method)());

  uint32_t pendingWindowStyle_ = 0;
  bool loading_ = false;  // the constructor fills the controls: no handler runs
};

extern TForm7*& Form7;

// The window style that the checked items of the list stand for.
uint32_t WindowStyleOfItems(const std::array<bool, kWindowStyleItems>& checked);
// Which items a window style checks; item 0 ("OVERLAPPED") never.
std::array<bool, kWindowStyleItems> ItemsOfWindowStyle(uint32_t style);
