// TForm1, the main control panel: the program's main window. Its constructor does the program's
// real set-up (settings, mixer lines, card, TV window, start channel); BYE is the orderly
// shut-down. The panel is a borderless window built from pictures, labels, sliders and hidden
// option check boxes that a skin can restyle; other windows reach its components directly.
#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "gui/CustomLabel.h"
#include "gui/Timer.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QScrollBar;
class QToolButton;

namespace exgrad {
class TGradient;
}
namespace gui {
class TImage;
class TUpDown;
}  // namespace gui
namespace rxctrls {
class TRxLabel;
class TRxSpeedButton;
}  // namespace rxctrls
namespace rxshell {
class TRxTrayIcon;
}
namespace rxslider {
class TRxSlider;
}
namespace rxspin {
class TRxSpinEdit;
}

using TLabel = gui::TCustomLabel;

class TForm1 : public QWidget {
public:
  explicit TForm1(QWidget* owner = nullptr);
  ~TForm1() override;

  // --- Start-up and shut-down (VyxuStartup.cpp, VyxuShutdown.cpp)
  // The orderly shut-down: stores the settings and channels, restores display and sound, tells
  // the companion and ends the process with exit code 0.
  [[noreturn]] void BYE();
  // Disconnects the capture driver while the card is still in use.
  void FormDestroy();

  // --- Channel application (VyxuChannel.cpp)
  // Applies ChannelTable[CurChannel] to the panel, the card and the OSD.
  void ReSet();

  // --- TV window (VyxuTvWindow.cpp)
  void Timer1Timer();
  // Stores the TV window's rectangle, forces its aspect and places it.
  void Set34();

  // --- On-screen display (VyxuOsd.cpp)
  void Timer6Timer();
  void Timer7Timer();

  // --- Components (VyxuLayout.cpp). Owned by the panel; named as the skin and the language
  // files name them.
  // Title bar and background
  gui::TImage* Image1;   // title bar picture
  gui::TImage* Image2;   // background
  exgrad::TGradient* Gradient1;
  TLabel* Label1;           // channel name in the title
  gui::TImage* Image11;  // hide panel
  gui::TImage* Image12;  // hide all to the tray
  gui::TImage* Image13;  // quit
  gui::TImage* Image14;  // roll up / down
  // Channel, frequency, standard and input
  rxctrls::TRxLabel* RxLabel1;  // channel number
  gui::TUpDown* UpDown1;
  gui::TImage* Image3;   // channel up
  gui::TImage* Image4;   // channel down
  gui::TImage* Image5;   // up, pressed (hidden source)
  gui::TImage* Image6;   // up, hover
  gui::TImage* Image7;   // down, pressed
  gui::TImage* Image8;   // down, hover
  gui::TImage* Image9;   // up, normal
  gui::TImage* Image10;  // down, normal
  gui::TImage* Image21;  // mini channel up (rolled up)
  gui::TImage* Image22;  // mini channel down
  rxspin::TRxSpinEdit* RxSpinEdit1;  // frequency, MHz
  TLabel* Label10;                   // frequency display
  rxctrls::TRxSpeedButton* RxSpeedButton9;   // +0.01 MHz
  rxctrls::TRxSpeedButton* RxSpeedButton10;  // -0.01 MHz
  QLineEdit* Edit3;                  // manual frequency entry, out of view
  rxctrls::TRxLabel* RxLabel4;       // standard name
  rxctrls::TRxLabel* RxLabel6;       // input name
  QMenu* PopupMenu2;                 // standards
  // Volume and picture
  rxslider::TRxSlider* RxSlider9;  // master volume 0..65
  rxslider::TRxSlider* RxSlider1;  // line volume 0..65
  rxslider::TRxSlider* RxSlider2;  // brightness 0..100
  rxslider::TRxSlider* RxSlider3;  // contrast
  rxslider::TRxSlider* RxSlider4;  // hue
  rxslider::TRxSlider* RxSlider5;  // saturation
  rxslider::TRxSlider* RxSlider6;  // mini master volume 0..63
  rxslider::TRxSlider* RxSlider7;  // spare: holds the default slider bitmaps for the skin
  // OSD texts
  TLabel* Label2;  // channel text
  TLabel* Label3;  // value text
  TLabel* Label11; // the desktop-size choice of the full-screen button
  // Options: hidden check boxes with a glyph and a label each
  QCheckBox* CheckBox3;  // sound on
  QCheckBox* CheckBox7;  // black and white
  QCheckBox* CheckBox8;  // keep sound at exit
  QCheckBox* CheckBox4;  // stay on top
  QCheckBox* CheckBox5;  // hints
  QCheckBox* CheckBox9;  // taskbar button
  gui::TImage* Image15;
  gui::TImage* Image16;
  gui::TImage* Image17;
  gui::TImage* Image18;
  gui::TImage* Image19;
  gui::TImage* Image20;
  TLabel* Label4;
  TLabel* Label5;
  TLabel* Label6;
  TLabel* Label7;
  TLabel* Label8;
  TLabel* Label9;
  gui::TImage* ImageC;  // glyph: checked
  gui::TImage* ImageN;  // glyph: unchecked
  gui::TImage* ImageT;  // the skin's loading buffer
  QScrollBar* ScrollBarX;  // focus sink, off screen
  // Tool buttons
  QToolButton* SpeedButton4;  // scheduler
  QToolButton* SpeedButton3;  // capture
  QToolButton* SpeedButton2;  // channel list
  QToolButton* SpeedButton1;  // full-screen resolution
  QToolButton* SpeedButton5;  // settings
  QToolButton* SpeedButton6;  // teletext program
  // Timers
  gui::TTimer Timer1;  // housekeeping, 100 ms
  gui::TTimer Timer2;  // scan step, 100 ms
  gui::TTimer Timer3;  // scheduler tick, 1 s
  gui::TTimer Timer4;  // start-up tick, 100 ms
  gui::TTimer Timer5;  // snapshots
  gui::TTimer Timer6;  // clears the OSD channel text
  gui::TTimer Timer7;  // clears the OSD value text
  // Tray icon and menus
  rxshell::TRxTrayIcon* RxTrayIcon1;
  QMenu* PopupMenu4;  // tray: channels, then the five fixed items
  QAction* Restore1;
  QAction* RestoreTV;
  QAction* Restorecontrolbox1;
  QAction* Quit1;
  QAction* Quit2;
  QMenu* PopupMenu3;  // ten channel items, attached to no control

  // The six option glyphs with their check boxes, in the skin's order.
  void RefreshOptionGlyphs();

private:
  // Start-up steps (VyxuStartup.cpp).
  void readDisplayMode();
  void openProgramFolder();
  void loadStores();
  void attachStandardPath();
  void openMixerLines();
  void syncMasterVolumeSlider();
  void placeWindows();
  void applySkin();
  void applyStartChannel();
  void finishPanelState();

  // Layout (VyxuLayout.cpp, VyxuLayoutOptions.cpp).
  void createTitleBar();
  void createChannelControls();
  void createFrequencyControls();
  void createSliders();
  void createOptions();
  void createToolButtons();
  void createTimers();
  void createMenus();
  void createTrayIcon();
};

// The main panel, null before it is created.
extern TForm1*& Form1;

// Sets the application's title (the panel's window title, and the caption of the program's
// message boxes).
void SetApplicationTitle(const std::string& title);

// The channel keys: selects row k (k + 10 with Alt held) when it is used.
void SelectChannelByNumber(int k);
// Saturation 0 with the black-and-white option, else the current channel's.
void ApplySaturation();
// Checks the tray menu's item of a channel row and unchecks the other channel items; a row
// without an item checks nothing.
void CheckChannelMenuItem(int row);
// The title for a row: "The Vyx98 - " + name + " (number)", cut to kTitleTextMax characters.
std::string ChannelTitle(int row);
// The channel number as RxLabel1 shows it: "%3.d ".
std::string ChannelNumberText(int row);

// Full screen (VyxuFullScreen.cpp).
void SetFullScreen(int on);
void ShowFullScreenMode();
