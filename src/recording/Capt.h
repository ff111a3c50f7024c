// TForm3, the capture window "Capture": AVI capture through the TV window's capture driver
// (Video page), WAV recording (Audio page), the options of the panel's periodic snapshots
// (Image page), and around them the level meter, the recording sliders, the CPU graph and the
// statistics frame. The program makes it once at start-up and hides and shows it from then on.
// Capt.cpp holds its making, show-time set-up and closing; the pages' handlers live in
// CaptVideo.cpp, CaptSequence.cpp, CaptAlarms.cpp, CaptImage.cpp, CaptAudio.cpp,
// CaptTestMode.cpp and CaptExtras.cpp, its layout in CaptLayout*.cpp.
#pragma once

#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <string>

#include "gui/CaptionDrag.h"
#include "gui/Timer.h"
#include "gui/UpDown.h"
#include "recording/TestModeBlock.h"
#include "recording/WaveFormat.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QToolButton;
namespace curredit {
class TRxCalcEdit;
}
namespace fbvumeter {
class TFBVUMeter;
}
namespace gui {
class TImage;
}
namespace perfgraph {
class TPerfGraph;
}
namespace rxclock {
class TRxClock;
}
namespace rxslider {
class TRxSlider;
}
namespace rxspin {
class TRxSpinEdit;
}
namespace rxswitch {
class TRxSwitch;
}
namespace tooledit {
class TCustomMaskEdit;
class TDateEdit;
}  // namespace tooledit
namespace platform {
class CaptureWindow;
}

class TForm3 : public QWidget {
public:
  explicit TForm3(QWidget* owner = nullptr);
  ~TForm3() override;

  // --- Making, show-time set-up, closing (Capt.cpp)
  void FormCreate() {}
  void Timer2Timer();  // 100 ms: caption colours, the frame, the set-up at a show, the alarms
  void Panel4Click();  // "X"
  void FormClose();    // the system menu's close box: the same
  void Panel7MouseDown(int x, int y);
  void Panel7MouseMove(int x, int y);
  void Panel7MouseUp();
  // Names, sizes and free space of the AVI and WAV files.
  void UpdateCaptureFileLabels();

  // --- Video page (CaptVideo.cpp)
  void Button1Click();  // video source
  void Button2Click();  // video format
  void Button3Click();  // compression
  void Button4Click();  // the AVI's audio format
  void Button5Click();  // the AVI's name
  void Button11Click(); // play the AVI
  void SpeedButton5Click();  // overlay
  void SpeedButton6Click();  // preview
  void RxCalcEdit3Change();
  void UpDown1Click(gui::TUDBtnType button);
  void CheckBox3Click();
  void CheckBox2Click();
  void RxCalcEdit1Change();
  void RxSpinEdit1Change();
  void Edit1Change();
  void Edit2Change();
  void Edit3Change();
  void CheckBox6Click();

  // --- The capture (CaptSequence.cpp)
  void Button8Click();  // start; returns when the capture (and every split file) has ended
  void Button13Click(); // stop
  void ShowCaptureStatus();

  // --- Alarms (CaptAlarms.cpp)
  void DateEdit1Change();
  void DateEdit2Change();
  void MaskEdit1Change();
  void MaskEdit2Change();
  void CheckBox1Click();
  void CheckBox4Click();
  void RxClock1Alarm();
  void RxClock2Alarm();
  // Arms each clock's alarm on its date while its box is checked.
  void ArmAlarms();

  // --- Extras (CaptExtras.cpp)
  void ComboBox2Change();  // the abort key; also Ctrl and Shift
  void CheckBox18Click();
  void ComboBox4Change();
  void RxSlider1Change();
  void RxSlider2Change();
  void RxSlider4Change();
  void RxSlider5Change();
  void CheckBox15Click();
  void RxSlider6Change();
  void Timer1Timer();  // clip lamps off
  void Timer3Timer();  // CPU graph
  void Edit1Exit();
  void CheckBox17Click();
  void PageControl1Change();
  // The recording sliders from the mixer; "Link" when both pairs are even.
  void ReadRecordingSliders();

  // --- Audio page (CaptAudio.cpp)
  void Button6Click();  // start a WAV recording
  void Button7Click();  // stop it and write the file
  void Button9Click();  // the WAV's name
  void Button10Click(); // its format
  void Button12Click(); // play it
  void SpeedButton1Click();  // the mixer program
  void CheckBox5Click();
  // A block of the WAV recording.
  void CMyWaveIn1Data(const uint8_t* data, uint32_t size);
  // Size of the recording so far, free space, bytes recorded.
  void UpdateWavStats();

  // --- Image page (CaptImage.cpp)
  void CheckBox11Click();
  void RadioGroup1Click();
  void ScrollBar2Change();
  void CheckBox16Click();
  void SpeedButton2Click();

  // --- Test mode and the scope (CaptTestMode.cpp)
  void RxSwitch1Click();
  void PaintBox1Click();
  // Turns the test mode off (switch off and its handler), with the pause the sound card needs.
  void TestModeOff(bool pause);
  // A block of the test mode's recording: levels, clip lamps and the scope.
  void CMyWaveIn1Data2(const uint8_t* data, uint32_t size);
  // Paints the scope's traces (the scope's own paint).
  void PaintScope();

  // --- Caption bar (outside the client area), hidden holders
  QLabel* Panel7;  // "The Vyx Capture": drags the window
  QLabel* Panel4;  // "X": closes it
  QLabel* Panel1;  // unused
  QLabel* Label21; // the language's "FreeSpace" text
  rxslider::TRxSlider* RxSlider3;  // unused
  rxclock::TRxClock* RxClock2;     // the stop alarm's clock (hidden)

  QTabWidget* PageControl1;
  QWidget* TabSheet1;  // "Video"
  QWidget* TabSheet2;  // "Audio"
  QWidget* TabSheet3;  // "Image"

  // --- Video page
  QCheckBox* CheckBox3;                // time limit on
  curredit::TRxCalcEdit* RxCalcEdit1;  // time limit, s
  QLabel* Label1;                      // "Частота кадров"
  rxspin::TRxSpinEdit* RxSpinEdit1;    // frames a second
  QLabel* Label17;                     // "Размер файлов, Mb"
  QLineEdit* Edit1;                    // split size, MB
  QFrame* Panel2;                      // red when the overlay is chosen
  QToolButton* SpeedButton5;           // "Overlay"
  QFrame* Panel3;                      // red when the preview is chosen
  QToolButton* SpeedButton6;           // "Preview"
  QPushButton* Button5;  // "Имя Avi файла"
  QPushButton* Button3;  // "Кодек сжатия"
  QPushButton* Button1;  // "Источник видео"
  QPushButton* Button2;  // "Формат видео"
  QPushButton* Button4;  // "Формат аудио"
  QCheckBox* CheckBox2;   // with sound
  QCheckBox* CheckBox6;   // sound is the master stream
  QCheckBox* CheckBox13;  // the next free numbered name
  QCheckBox* CheckBox17;  // statistics hidden
  QLabel* Label2;         // "Video Buffers"
  QLineEdit* Edit2;
  QLabel* Label3;         // "Audio Buffers"
  QLineEdit* Edit3;
  QLabel* Label6;         // "Priority"
  QComboBox* ComboBox3;
  QCheckBox* CheckBox18;  // "Abort key"
  QCheckBox* CheckBox9;   // "Ctrl"
  QCheckBox* CheckBox10;  // "Shift"
  QComboBox* ComboBox2;   // the abort key
  QCheckBox* CheckBox8;   // "Right Mouse Button"
  QCheckBox* CheckBox7;   // "Left Mouse Button"
  QCheckBox* CheckBox1;   // start at
  tooledit::TDateEdit* DateEdit1;
  tooledit::TCustomMaskEdit* MaskEdit1;
  QCheckBox* CheckBox4;   // stop at
  tooledit::TDateEdit* DateEdit2;
  tooledit::TCustomMaskEdit* MaskEdit2;
  QPushButton* Button11;  // "Показать AVI"
  QPushButton* Button8;   // "ПУСК"
  QPushButton* Button13;  // "Стоп"
  curredit::TRxCalcEdit* RxCalcEdit3;  // preview rate (outside the page)
  QLabel* Label7;                      // "fps" (outside the page)

  // --- Audio page
  QComboBox* ComboBox1;     // wave-input devices
  QToolButton* SpeedButton1;  // "Регулятор громкости"
  QLabel* Label4;           // the scope's black ground
  QWidget* PaintBox1;       // the scope
  QPushButton* Button9;     // "Имя Wav файла"
  QPushButton* Button10;    // "Формат аудио"
  QPushButton* Button12;    // "Прослушать WAV"
  QCheckBox* CheckBox14;    // the next free numbered name
  QLabel* Label8;           // "Buffer size, sec"
  QLineEdit* Edit4;
  QCheckBox* CheckBox5;     // no RIFF header
  QPushButton* Button6;     // "ПУСК"
  QPushButton* Button7;     // "Стоп"

  // --- Image page
  gui::TImage* Image1;      // the last snapshot
  QCheckBox* CheckBox11;    // "Запись каждые"
  curredit::TRxCalcEdit* RxCalcEdit2;  // seconds
  QLabel* Label9;           // "сек"
  QToolButton* SpeedButton2;  // "Свойства"
  QFrame* RadioGroup1;      // "bmp" / "jpg"
  QRadioButton* RadioBmp;
  QRadioButton* RadioJpg;
  QComboBox* ComboBox11;    // "RGB" / "Gray"
  QCheckBox* CheckBox12;    // "Progressive Jpeg"
  QCheckBox* CheckBox16;    // "Single file"
  QLabel* Label12;          // "Качество"
  QScrollBar* ScrollBar2;   // JPEG quality
  QLabel* Label14a;         // its value
  QLabel* Label13;          // "%"

  // --- Right column
  fbvumeter::TFBVUMeter* FBVUMeter1;
  QLabel* Panel5;  // left clip lamp
  QLabel* Panel6;  // right clip lamp
  rxswitch::TRxSwitch* RxSwitch1;  // test mode
  rxslider::TRxSlider* RxSlider4;  // mixer recording volume (left)
  rxslider::TRxSlider* RxSlider5;  // (right)
  rxslider::TRxSlider* RxSlider1;  // source recording volume (left)
  rxslider::TRxSlider* RxSlider2;  // (right)
  QCheckBox* CheckBox15;           // "Link"
  QComboBox* ComboBox4;            // source line
  rxclock::TRxClock* RxClock1;     // the time, and the start alarm
  gui::TUpDown* UpDown1;           // channel up and down
  // The master volume, kept equal to the panel's while the window is not shown.
  rxslider::TRxSlider* RxSlider6 = nullptr;

  // --- Bottom
  QLabel* Label15;  // "CPU usage"
  perfgraph::TPerfGraph* PG1;
  QFrame* Panel9;   // the statistics frame
  QFrame* Panel10;  // video statistics
  QLabel* Label27;  // AVI name
  QLabel* Label11;  // AVI size
  QLabel* Label5;   // free space: the drive
  QLabel* Label10;  // free space: megabytes
  QLabel* Label25;  // frames
  QLabel* Label26;  // dropped frames
  QLabel* Label28;  // time elapsed
  QLabel* Label33;  // audio samples
  QFrame* Panel11;  // audio statistics
  QLabel* Label32;  // WAV name
  QLabel* Label14;  // WAV size
  QLabel* Label16;  // free space: the drive
  QLabel* Label18;  // free space: megabytes
  QLabel* Label35;  // bytes recorded

  gui::TTimer Timer1;  // 2000 ms, clip lamps
  gui::TTimer Timer2;  // 100 ms
  gui::TTimer Timer3;  // 300 ms, CPU graph

protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // CaptLayout*.cpp
  void createCaption();
  void createVideoPage();
  void createVideoOptions(QWidget* page);
  void createVideoAbortAndAlarms(QWidget* page);
  void createAudioPage();
  void createImagePage();
  void createRightColumn();
  void createBottom();
  void attachHandlers();
  void attachVideoHandlers();
  void attachSideHandlers();
  // Capt.cpp
  void construct();
  void firstShow();
  void everyShow();
  void paintCaption(bool active);
  void storeOnClose();
  // CaptSequence.cpp
  bool captureOneFile();
  void pictureBack();
  void setCaptureButtons(bool enabled);

  gui::CaptionDrag captionDrag_{*this};
  TestModeBlock scope_;  // the traces on show
};

extern TForm3*& Form3;
// Set when the constructor has finished.
extern bool& CaptureFormCreated;
// Raised by the main panel when it shows the window; the window's show-time set-up consumes it.
extern bool& CaptureFormShown;
// True while an AVI capture runs: the TV window then ignores the mouse.
extern bool& AviCaptureRunning;
// True while the TV window shows the preview rather than the overlay (a snapshot holds it for
// its duration).
extern bool& TvPreviewMode;

// The capture driver's callbacks while the window's capture runs: errors shown in a box, the
// status shown in the statistics (a "finished" right after the summary is ignored), and the
// split: false ends the file (the sequence goes on in the next one while its overall limit has
// not passed).
bool CaptureErrorCallback(int id, const std::string& text);
bool CaptureStatusCallback(int id, const std::string& text);
bool CaptureControlCallback(int state);

// A quit asked for while an AVI capture runs: the capture is stopped and the program ends once
// its file is finished (CaptureLinks.quit). False when no capture runs.
bool DeferQuitWhileCapturing();

// The virtual-key code of the abort key list's item `index`; 0 outside the list.
uint32_t AbortKeyCode(int index);

// Free megabytes on the file system that holds `path`; 0 when that cannot be read.
int GetDiskFreeMb(const std::string& path);
