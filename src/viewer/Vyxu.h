// TForm1, the main control panel: the program's main window. Its constructor does the program's
// real set-up (settings, mixer lines, card, TV window, start channel); BYE is the orderly
// shut-down. The panel is a borderless window built from pictures, labels, sliders and hidden
// option check boxes that a skin can restyle; other windows reach its components directly.
#pragma once

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "core/Channels.h"
#include "gui/Controls.h"
#include "gui/CustomLabel.h"
#include "gui/Timer.h"
#include "gui/UpDown.h"

class QAction;
class QCheckBox;
class QMenu;
class QScrollBar;
class QToolButton;

namespace exgrad {
class TGradient;
}
namespace gui {
class TCustomEdit;
class TImage;
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
// A channel button with its three pictures (VyxuPanelChannel.cpp).
struct ChannelButton;

class TForm1 : public QWidget {
public:
  explicit TForm1(QWidget* owner = nullptr);
  ~TForm1() override;

  // --- Start-up and shut-down (VyxuStartup.cpp, VyxuShutdown.cpp)
  // The orderly shut-down: stores the settings and channels, restores display and sound, tells
  // the companion and ends the process with exit code 0.
  // Returns only when an AVI capture runs: the program then ends once its file is finished.
  void BYE();
  // Disconnects the capture driver while the card is still in use.
  void FormDestroy();

  // --- Channel application (VyxuChannel.cpp)
  // Applies ChannelTable[CurChannel] to the panel, the card and the OSD.
  void ReSet();

  // --- TV window (VyxuTvWindow.cpp)
  void Timer1Timer();
  // Stores the TV window's rectangle, forces its aspect and places it.
  void Set34();

  // --- Frequency scan (VyxuScan.cpp)
  // One scan step, or one pass of following a found signal.
  void Timer2Timer();

  // --- Scheduler tick (VyxuScheduler.cpp)
  // Fires the schedule entries whose time came since the tick before; installs the keyboard
  // hook again when the scheduler window has closed.
  void Timer3Timer();

  // --- Snapshots (VyxuSnapshot.cpp): one snapshot a period while the capture window asks.
  void Timer5Timer();

  // --- On-screen display (VyxuOsd.cpp)
  void Timer6Timer();
  void Timer7Timer();

  // --- Channel, input and standard (VyxuPanelChannel.cpp)
  // One channel up (btNext) or down (btPrev) within the list, wrapping round; nothing on the
  // "AV" and "SVHS" rows. Leaves full screen for an FM radio channel and returns to it on the
  // next TV channel.
  void UpDown1Click(gui::TUDBtnType button);
  void Image3MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  void Image3MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  void Image3MouseMove(gui::TShiftState shift, int x, int y);
  void Image4MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  void Image4MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  void Image4MouseMove(gui::TShiftState shift, int x, int y);
  void Image2MouseMove(gui::TShiftState shift, int x, int y);
  void Image21Click();
  void Image22Click();
  // The next video input: tuner, "AV", "SVHS", tuner again on the row left for "AV".
  void RxLabel6Click();
  // The next video standard of the current row; PopupMenu2's items pick one.
  void RxLabel4Click();
  void AUTO1Click();
  void NTSC1Click();
  void NTSCJ1Click();
  void PAL1Click();
  void PALM1Click();
  void PALN1Click();
  void PALNc1Click();
  void SECAM1Click();
  void Custom1Click();
  void FMRADIO1Click();

  // --- Frequency (VyxuPanelFrequency.cpp)
  void RxSpinEdit1Change();
  // Starts a manual entry: Edit3 takes the spin edit's place.
  void RxSpinEdit1DblClick();
  // Enter or a double click in Edit3 ends the entry and tunes what was typed.
  void Edit3DblClick();
  void Edit3KeyDown(uint16_t& key, gui::TShiftState shift);
  void RxSpeedButton10Click();
  void RxSpeedButton9Click();

  // --- Volume and picture sliders (VyxuPanelSliders.cpp)
  void RxSlider9Change();
  void RxSlider1Change();
  void RxSlider2Change();
  void RxSlider3Change();
  void RxSlider4Change();
  void RxSlider5Change();
  void RxSlider6Change();
  // Any key on a slider sends the focus to ScrollBarX: the arrow keys stay with the hot keys.
  void RxSlider1KeyDown(uint16_t& key, gui::TShiftState shift);

  // --- Options (VyxuPanelOptions.cpp). The Click handlers run whenever a box changes.
  void CheckBox3Click();  // sound on
  void CheckBox7Click();  // black and white
  void CheckBox8Click();  // keep sound at exit
  void CheckBox4Click();  // stay on top
  void CheckBox5Click();  // hints
  void CheckBox9Click();  // taskbar button
  void CheckBox3Exit();
  // A glyph (or its label) inverts its box and shows ImageC's or ImageN's picture.
  void Image15Click();
  void Image16Click();
  void Image17Click();
  void Image18Click();
  void Image19Click();
  void Image20Click();
  // The 29 controls whose hints the hints option switches.
  std::vector<QWidget*> HintControls() const;

  // --- Title bar (VyxuPanelTitle.cpp)
  void Gradient1MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  void Gradient1MouseMove(gui::TShiftState shift, int x, int y);
  void Gradient1MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  void Image11Click();  // hide the panel
  void Image12Click();  // hide everything to the tray
  void Image13Click();  // quit
  void Image14Click();  // roll up or down
  // The form's message dispatch: the mouse wheel goes to WMMouseWheel.
  bool Dispatch(QEvent* message);
  // The wheel over the panel steps the channel; `delta` as a 16-bit wheel delta.
  void WMMouseWheel(uint16_t delta);
  // Handlers the layout names that do nothing.
  void FormCreate() {}
  void FormActivate() {}
  void RxLabel1Click() {}
  void Image14DblClick() {}
  void About1Click() {}

  // --- Tool buttons (VyxuPanelTools.cpp)
  void SpeedButton4Click();  // scheduler
  void SpeedButton3Click();  // capture: the capture window or the external program
  void SpeedButton2Click();  // channel list
  void SpeedButton1Click();  // next full-screen resolution
  void SpeedButton5Click();  // settings
  void SpeedButton6Click();  // teletext program

  // --- Tray menu (VyxuTray.cpp): channel items, then separator, Restore1 .. Quit2.
  void FillMenu();
  void ClearMenu();
  void CnlMenuClick(QAction* item);
  void Restore1Click();  // also the tray icon's double click
  void RestoreTVClick();
  void Restorecontrolbox1Click();
  void Quit2Click();
  // PopupMenu3's items and the digit hot keys: SelectChannelByNumber(0 .. 8), N101Click (9).
  void N11Click(), N21Click(), N31Click(), N41Click(), N51Click(), N61Click(), N71Click(),
      N81Click(), N91Click(), N101Click();

  // --- Start-up tick (VyxuCmdLineTick.cpp): the command line's switch, then the rest of the start.
  void Timer4Timer();

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
  gui::TCustomEdit* Edit3;           // manual frequency entry, out of view
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
  // Applies the channel again a second and two seconds after the external capture program
  // started (ExternalSettleTicks).
  gui::TTimer ExternalSettle;
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
  void applyPanelPalette();
  void createTitleBar();
  void createChannelControls();
  void createFrequencyControls();
  void createSliders();
  void createOptions();
  void createToolButtons();
  void createTimers();
  void createMenus();
  void createTrayIcon();

  // Handlers attached to the components (the units above).
  void attachChannelHandlers();
  void attachFrequencyHandlers();
  void attachSliderHandlers();
  void attachOptionHandlers();
  void attachTitleHandlers();
  void attachToolHandlers();
  void attachTrayHandlers();
  // The value text on the OSD, unless the OSD is off or (busyMatters) ReSet runs.
  void showOsdValue(const std::string& text, bool busyMatters);
  void pictureSliderChanged(rxslider::TRxSlider* slider, int32_t (*apply)(int32_t),
                            uint8_t ChannelRecord::*field, const char* name);
  void setStandard(uint8_t system);
  void hoverChannelButton(const ChannelButton& over, const ChannelButton& other);
  void endManualEntry();
  void toggleOption(QCheckBox* box, gui::TImage* glyph);
  void startExternalProgram();
  void externalSettleTick();

protected:
  bool event(QEvent* message) override;
};

// The main panel, null before it is created.
extern TForm1*& Form1;

// Sets the application's title (the panel's window title, and the caption of the program's
// message boxes).
void SetApplicationTitle(const std::string& title);

// The channel keys: selects row k (k + 10 with Alt held) when it is used.
void SelectChannelByNumber(int k);
// Before a step to `row`: an FM radio row leaves full screen (RadioLeftFullScreen), the next TV
// row after it enters full screen again.
void FollowRadioFullScreen(int row);
// Saturation 0 with the black-and-white option, else the current channel's.
void ApplySaturation();
// Checks the tray menu's item of a channel row and unchecks the other channel items; a row
// without an item checks nothing.
void CheckChannelMenuItem(int row);
// The title for a row: "The Vyx98 - " + name + " (number)", cut to kTitleTextMax characters.
std::string ChannelTitle(int row);
// The channel number as RxLabel1 shows it: "%3.d ".
std::string ChannelNumberText(int row);

// The OSD texts of the master and line volume sliders at slider value v (0..65): "Volume - 100%"
// and "Volume2 - 100%" at 65.
std::string MasterVolumeText(int v);
std::string LineVolumeText(int v);
// What the manual frequency entry reads: the longest decimal number at the start of the text,
// 0 when there is none.
double LeadingNumber(const std::string& text);

// Full screen (VyxuFullScreen.cpp).
void SetFullScreen(int on);
void ShowFullScreenMode();
