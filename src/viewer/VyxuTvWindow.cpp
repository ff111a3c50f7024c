// The TV window's creation and rebuilding, the panel's housekeeping tick and Set34.
#include <QAction>
#include <QApplication>
#include <QCheckBox>

#include "controls/Exgrad.h"
#include "core/CBT848.h"
#include "core/CMyMixer.h"
#include "core/Settings.h"
#include "gui/Timer.h"
#include "viewer/Clist.h"
#include "viewer/KeyboardHook.h"
#include "viewer/OsdWindow.h"
#include "viewer/Range.h"
#include "viewer/Schu.h"
#include "viewer/StartGeometry.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowProc.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "recording/Capt.h"
#include "settings/Custom.h"

namespace {

constexpr int kPreviewRateMs = 66;
constexpr int kRebuiltOsdId = 10006;

// An invisible pop-up at (0, 0), 1600 x 1200: owning the TV window keeps it off the taskbar.
void makeParentWindow() {
  if (TvParentWindow) return;
  auto* parent = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
  parent->setObjectName("TvParentWindow");
  parent->setGeometry(0, 0, 1600, 1200);
  TvParentWindow = parent;
}

TvScreen* makeTvWindow() {
  makeParentWindow();
  delete TvScreenWindow.data();  // one TV window at a time: one still there is replaced
  const QRect rect(Settings.TVposX, Settings.TVposY, Settings.TVsizeX, Settings.TVsizeY);
  auto* tv = new TvScreen(Settings.WindowStyle, rect, TvParentWindow, 0);
  tv->setObjectName("TvWindow");
  TvWindowProc::Install(tv);
  // The program's timers that are nearly due fire with the frame instead of waking it again.
  QObject::connect(tv, &platform::CaptureWindow::frameArrived, tv, [] { gui::TTimer::FireDue(); });
  TvScreenWindow = tv;
  TvWindow = tv;
  return tv;
}

void makeOsdWindows(QSize size, int id) {
  if (!TvScreenWindow || !Form1) return;
  OsdChannelWindow = new OsdWindow(TvScreenWindow, Form1->Label2, size, id);
  OsdValueWindow = new OsdWindow(TvScreenWindow, Form1->Label3, size, id);
  OsdChannelWindow->setObjectName("OsdChannelWindow");
  OsdValueWindow->setObjectName("OsdValueWindow");
  // Clicks, drags and the wheel over the texts go to the TV window beneath.
  OsdChannelWindow->setAttribute(Qt::WA_TransparentForMouseEvents);
  OsdValueWindow->setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool visible(const QWidget* window) { return window && window->isVisible(); }

}  // namespace

void CreateTvWindow() {
  TvScreen* tv = makeTvWindow();
  if (Settings.OSDEnabled) makeOsdWindows(QSize(200, 200), 0);
  tv->driverConnect(int(Settings.Driver));
  tv->setOverlay(true);
  tv->setPreviewRate(kPreviewRateMs);
}

void RebuildTvWindow() {
  TvScreen* tv = makeTvWindow();
  if (CardDevice) CardDevice->SetInput(CurInput, SoundMuted);
  if (Form1) Form1->CheckBox9Click();
  if (Settings.OSDEnabled) makeOsdWindows(QSize(200, 20), kRebuiltOsdId);
  tv->driverConnect(int(Settings.Driver));
  tv->setOverlay(true);
  if (Form1) Form1->CheckBox4Click();
}

void DestroyTvWindow() {
  delete TvScreenWindow.data();  // the OSD windows are its children
}

void RepaintOsd(bool channelWindow) {
  if (TvScreenWindow) TvScreenWindow->update();
  OsdWindow* osd = channelWindow ? OsdChannelWindow.data() : OsdValueWindow.data();
  if (osd) osd->refresh();
}

void TForm1::Timer1Timer() {
  const bool active = isActiveWindow();
  Gradient1->SetBeginColor(active ? SkinBeginColorActive : SkinBeginColorUnactive);
  Gradient1->SetEndColor(active ? SkinEndColorActive : SkinEndColorUnactive);

  // The flag is taken in one step: a program that ends during this tick is seen on the next.
  if (Settings.UseExternalSoft && ExternalProgramEnded.exchange(false)) {
    if (Settings.TvWindowPresent) RebuildTvWindow();
    MasterVol->SetValue(uint32_t(SavedMasterVolume) * 1000);
    if (Settings.SoundOffOnStart) MasterMute->SetValue(0);
    ReSet();
    InstallKeyboardHook();
  }

  const bool dialogOpen =
      visible(Form2) || visible(Form3) || visible(Form4) || visible(Form6);
  Restore1->setEnabled(!dialogOpen);
  Restorecontrolbox1->setEnabled(!dialogOpen);
  // A framed TV window that keeps its aspect: a size the user dragged is stored and corrected.
  if (Settings.KeepSideCorrelation && Form7 && Form7->CheckBox8->isChecked() && TvScreenWindow) {
    const QRect r = TvScreenWindow->normalRect();
    if (r != QRect(Settings.TVposX, Settings.TVposY, Settings.TVsizeX, Settings.TVsizeY)) Set34();
  }
}

void TForm1::Set34() {
  if (!TvScreenWindow) return;  // nothing to store: the stored rectangle stays
  const QRect r = TvScreenWindow->normalRect();
  Settings.TVposX = r.x();
  Settings.TVposY = r.y();
  Settings.TVsizeX = r.width();
  Settings.TVsizeY = AspectHeight(r.width(), Settings.SideCorrelation, r.height());
  TvScreenWindow->place(
      QRect(Settings.TVposX, Settings.TVposY, Settings.TVsizeX, Settings.TVsizeY),
      Settings.StayOnTop);
}
