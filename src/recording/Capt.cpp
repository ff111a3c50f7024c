// The capture window: its making, the show-time set-up (once per run and at every show), the
// caption bar, the frame, and closing.
#include "recording/Capt.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <filesystem>

#include "controls/Curredit.h"
#include "controls/PerfGraph.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "controls/Rxswitch.h"
#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "controls/utils/Dateutil.h"
#include "core/Settings.h"
#include "core/SystemUtils.h"
#include "gui/Colors.h"
#include "platform/Environment.h"
#include "platform/capture/CaptureWindow.h"
#include "recording/CaptInternal.h"
#include "recording/CaptLayoutParts.h"
#include "recording/RecordingState.h"
#include "recording/VideoFormatDialog.h"
#include "recording/WavRecording.h"

namespace {

constexpr const char* kAppKey = "TheVyx";
constexpr const char* kWavFormatValue = "Audio Format A";
constexpr const char* kMidnight = "00:00";
constexpr gui::TColor kFrameShadow = 0x808080;

void setTextColour(QWidget* w, gui::TColor colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, gui::ToQColor(colour));
  p.setColor(QPalette::ButtonText, gui::ToQColor(colour));
  w->setPalette(p);
}

}  // namespace

TForm3::TForm3(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
  Form3 = this;
  setObjectName("Form3");
  setWindowTitle("Capture");
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  setAutoFillBackground(true);
  capt::SetBackground(this, gui::clMenu);
  setFixedSize(capt_layout::kClientWidth, capt_layout::kClientHeight);
  createCaption();
  createVideoPage();
  createAudioPage();
  createImagePage();
  createRightColumn();
  createBottom();
  attachHandlers();
  construct();
}

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}

// The constructor's steps once the controls exist: every control from the settings.
void TForm3::construct() {
  capt::LoadWaveDevices(ComboBox1);
  const TDateTime today = dateutil::Today();
  DateEdit1->SetDate(today);
  DateEdit2->SetDate(today);
  MaskEdit1->SetText(kMidnight);
  MaskEdit2->SetText(kMidnight);
  Button7->setEnabled(false);

  CaptureFileName = capt::DefaultedPath(Settings.AviFilename, "capture.avi");
  WavFileName = ResolveWavFileName(capt::DefaultedPath(Settings.WavFilename, "vyxsound.wav"));
  Label27->setText(capt::FromFileName(CaptureFileName));
  UpdateCaptureFileLabels();

  CaptureParms.dwRequestMicroSecPerFrame = uint32_t(1000000 / RxSpinEdit1->Value());
  CaptureFormCreated = true;
  setTextColour(Button1, gui::clRed);

  RxSpinEdit1->SetValue(Settings.CaptureFPS);
  Edit1->setText(QString::number(Settings.CaptureFileSize));
  Edit1->setEnabled(IsWinNT());
  Label17->setEnabled(IsWinNT());

  capt::LoadImageOptions(*this);
  capt::SetBackground(Panel2, gui::clRed);
  capt::SetBackground(Panel3, gui::clBtnFace);

  CheckBox3->setChecked(Settings.CaptureTimeLimitEnabled != 0);
  RxCalcEdit1->SetValue(Settings.CaptureTimeLimit);
  CheckBox17->setChecked(Settings.HideStatWindow != 0);
  CheckBox17Click();

  TempWaveFileName = WavTempFileNameFor(WavFileName);
  CheckBox13->setChecked(Settings.FileIncrementVideo != 0);
  CheckBox14->setChecked(Settings.FileIncrementAudio != 0);
  ComboBox3->setCurrentIndex(2);
  ComboBox4->setCurrentIndex(int(Settings.SoundConnector) < ComboBox4->count()
                                 ? int(Settings.SoundConnector)
                                 : -1);
  CheckBox5->setChecked(Settings.NoRiffHeader != 0);
  UpdateCaptureFileLabels();

  // A stored block that is missing or larger than the recorder's blocks gives PCM.
  SavedWavFormat.assign(MaxWavFormatSize, 0);
  if (ReadAppRegValue(kAppKey, kWavFormatValue, SavedWavFormat.data(), MaxWavFormatSize) == 0)
    SavedWavFormat = WaveFormatBlock(DefaultWaveFormat(), MaxWavFormatSize);
  CheckBox6->setChecked(Settings.AudioIsMasterStream != 0);
  // A capture started by the alarm before the window was ever shown records the stored size.
  if (platform::CaptureWindow* tv = capt::TvWindow()) RestoreVideoFrameSize(tv->sequence());
  setTextColour(Panel7, gui::clCaptionText);
  setTextColour(Panel4, gui::clCaptionText);
}

// --- The 100 ms tick ----------------------------------------------------------------------------

void TForm3::paintCaption(bool active) {
  const gui::TColor colour = active ? gui::clActiveCaption : gui::clInactiveCaption;
  capt::SetBackground(Panel7, colour);
  capt::SetBackground(Panel4, colour);
}

void TForm3::Timer2Timer() {
  paintCaption(isActiveWindow());
  if (isVisible()) update();
  if (CaptureFormShown) {
    CaptureFormShown = false;
    if (CaptureFirstShow) firstShow();
    everyShow();
  }
  ArmAlarms();
}

// Once per run: the abort key from the settings, the driver's capture parameters, the CPU
// graph's first point, the recording sliders and the alarm dates.
void TForm3::firstShow() {
  // While CaptureFirstShow is still set the abort boxes register nothing.
  ComboBox2->setCurrentIndex(int(Settings.AbortKey) < ComboBox2->count() ? int(Settings.AbortKey)
                                                                         : -1);
  CheckBox9->setChecked(Settings.AbortCtrl != 0);
  CheckBox10->setChecked(Settings.AbortShift != 0);
  CheckBox7->setChecked(Settings.AbortLeftMouse != 0);
  CheckBox8->setChecked(Settings.AbortRightMouse != 0);
  CheckBox18->setChecked(Settings.AbortKeyEnabled != 0);
  CaptureFirstShow = false;
  if (platform::CaptureWindow* tv = capt::TvWindow()) CaptureParms = tv->sequence().parms();
  if (Settings.VideoBuffers == 0) Settings.VideoBuffers = CaptureParms.wNumVideoRequested;
  if (Settings.AudioBuffers == 0) Settings.AudioBuffers = CaptureParms.wNumAudioRequested;
  Edit2->setText(QString::number(Settings.VideoBuffers));
  Edit3->setText(QString::number(Settings.AudioBuffers));
  ComboBox2Change();
  CheckBox16->setChecked(Settings.ImgToSingleFile == 0);
  PG1->DataPoint(gui::clLime, 0);
  ReadRecordingSliders();
  CaptureParms.wTimeLimit = Settings.CaptureTimeLimit;
  CaptureParms.fLimitEnabled = Settings.CaptureTimeLimitEnabled != 0;
  CaptureParms.wPercentDropForError = 100;
  DateEdit1Change();
  DateEdit2Change();
}

// At every show: the sound box from the parameters, the panel's volume, and the driver set up
// for the window's file, info text and sound format.
void TForm3::everyShow() {
  CheckBox2->setChecked(CaptureParms.fCaptureAudio);
  if (CaptureLinks.masterVolume) RxSlider6->SetValue(CaptureLinks.masterVolume());
  if (platform::CaptureWindow* tv = capt::TvWindow()) {
    tv->setOverlay(true);
    tv->sequence().setCaptureFile(CaptureFileName);
  }
  UpdateCaptureFileLabels();
  capt::RestoreAviAudioFormat();
  if (platform::CaptureWindow* tv = capt::TvWindow()) RestoreVideoFrameSize(tv->sequence());
}

// A one-pixel frame: white down the left edge, grey along the bottom and up the right edge.
void TForm3::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter p(this);
  const int w = width(), h = height();
  p.setPen(Qt::white);
  p.drawLine(0, 0, 0, h - 2);
  p.setPen(gui::ToQColor(kFrameShadow));
  p.drawLine(0, h - 1, w - 2, h - 1);
  p.drawLine(w - 1, h - 1, w - 1, 1);
}

// --- Closing ------------------------------------------------------------------------------------

void TForm3::storeOnClose() {
  TestModeOff(false);
  if (CaptureLinks.showPanel) CaptureLinks.showPanel();
  hide();
  Settings.AbortLeftMouse = CheckBox7->isChecked();
  Settings.AbortRightMouse = CheckBox8->isChecked();
  Settings.AbortKey = uint32_t(std::max(0, ComboBox2->currentIndex()));
  Settings.AbortCtrl = CheckBox9->isChecked();
  Settings.AbortShift = CheckBox10->isChecked();
  Settings.FileIncrementVideo = CheckBox13->isChecked();
  Settings.FileIncrementAudio = CheckBox14->isChecked();
  capt::StoreAviAudioFormat();
  WriteAppRegValue(kAppKey, kWavFormatValue, SavedWavFormat.data(),
                   uint32_t(SavedWavFormat.size()));
}

void TForm3::Panel4Click() { storeOnClose(); }

void TForm3::FormClose() { storeOnClose(); }

void TForm3::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

// --- The caption bar ----------------------------------------------------------------------------

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PaintBox1) return capt::ScopeEvent(*this, event);
  if (watched == Edit1) {
    if (event->type() == QEvent::FocusOut) Edit1Exit();
    return false;
  }
  if (watched != Panel7 && watched != Panel4) return QWidget::eventFilter(watched, event);
  auto* mouse = dynamic_cast<QMouseEvent*>(event);  // null for other events
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (watched == Panel7)
        Panel7MouseDown(mouse->position().toPoint().x(), mouse->position().toPoint().y());
      return watched == Panel7;
    case QEvent::MouseMove:
      if (watched == Panel7)
        Panel7MouseMove(mouse->position().toPoint().x(), mouse->position().toPoint().y());
      return watched == Panel7;
    case QEvent::MouseButtonRelease:
      if (watched == Panel7) Panel7MouseUp();
      else if (Panel4->rect().contains(mouse->position().toPoint())) Panel4Click();
      return true;
    default: return QWidget::eventFilter(watched, event);
  }
}

void TForm3::Panel7MouseDown(int x, int y) {
  paintCaption(true);
  dragging_ = true;
  grab_ = {x, y};
}

void TForm3::Panel7MouseMove(int x, int y) {
  if (dragging_) move(this->x() + x - grab_.x(), this->y() + y - grab_.y());
}

void TForm3::Panel7MouseUp() { dragging_ = false; }
