// The block of settings globals: one member per key of settings.ini ([Common], [OSD]) and
// remote.ini's RemoteDelay, each named by its key. LoadSettings fills it once at start-up,
// SaveSettings writes it back at the orderly shut-down; everything in between reads and writes
// the members directly.
#pragma once

#include <cstdint>
#include <string>

struct SettingsBlock {
  int32_t TVposX;                   // TV window left, screen pixels
  int32_t TVposY;                   // TV window top
  int32_t TVsizeX;                  // TV window width
  int32_t TVsizeY;                  // TV window height
  int32_t CBposX;                   // control panel left
  int32_t CBposY;                   // control panel top
  uint8_t TVstate;                  // kept and written back; no other use
  int32_t FullScreen;               // full-screen mode 0..5 (enumeration below)
  uint8_t CBState;                  // control panel unrolled (1) or rolled up (0) at start
  uint8_t Reverse;                  // swap the roles of the Left/Right and Up/Down hot keys
  uint32_t CapturePeriod;           // seconds between periodic snapshots
  uint8_t Hints;                    // show hints on the panel's controls
  uint8_t TaskBarButton;            // the TV window has a taskbar button
  uint8_t ImgToSingleFile;          // snapshots get a date-and-time name; 0 = always the same name
  uint8_t ImageType;                // snapshot format: "JPG" 1, "BMP" 0
  uint32_t SoundConnector;          // mixer source line of the card's sound 0..10 (enumeration below)
  uint8_t RestoreVolume;            // restore at exit the master volume found at start
  uint8_t ProgressiveJPG;           // progressive JPEG snapshots
  uint8_t Gray;                     // greyscale JPEG snapshots
  uint16_t JpegQuality;             // JPEG quality 0..100
  std::string ExternalSoftName;     // external capture program
  std::string TeletextSoftName;     // teletext program started from the panel
  uint8_t UseExternalSoft;          // the capture button starts ExternalSoftName instead of the capture window
  uint32_t Card;                    // `CardTable` row
  uint32_t Tuner;                   // `TunerTable` row
  uint8_t Remote;                   // poll the remote control
  uint32_t RemoteDelay;             // repeat delay of remote keys, ms
  uint8_t KeepSound;                // leave the sound on at exit
  uint32_t RivaTNT;                 // kept and written back; no other use
  std::string Skin;                 // skin folder name; "none", "NONE" or empty = no skin
  uint8_t StayOnTop;                // TV window, panel and application stay on top
  std::string Language;             // language file name
  uint8_t IntellimouseReverse;      // reverse the wheel's channel direction
  int32_t MouseStep;                // cursor step of the remote's mouse mode, pixels
  uint32_t SaturationU;             // U saturation factor, percent
  uint32_t SaturationV;             // V saturation factor, percent
  uint32_t Driver;                  // capture driver index
  uint32_t WDMDriver;               // 0 = Video for Windows only, 1 = WDM (DirectShow graph), 2 = WDM when the system's WDM mapper key exists
  uint8_t FileIncrementVideo;       // AVI capture picks the next free numbered name
  uint8_t FileIncrementAudio;       // WAV recording picks the next free numbered name
  uint8_t NoRiffHeader;             // WAV recording writes the raw stream
  uint8_t HideStatWindow;           // the capture window's statistics hidden
  uint8_t OSDEnabled;               // on-screen display on
  uint32_t OSDDelay;                // how long an OSD text stays, ms
  std::string OSDFontFace;          // OSD font face
  uint32_t OSDFontColor;            // OSD text colour as a 0x00BBGGRR value (default 0xFFFF00)
  uint8_t OSDFontFamily;            // font family bits; a value of 0 is stored as 32
  uint8_t OSDFontPitch;             // font pitch bits
  uint8_t OSDFontCharset;           // font character set
  int32_t OSDFontHeightMax;         // OSD font height for a 640-pixel-wide TV window
  int32_t OSDFontWidthMax;          // kept, shown and written back; no other use
  int32_t OSDFontHeightMin;         // OSD font height for a TV window of width 0
  int32_t OSDFontWidthMin;          // OSD font width
  int32_t OSDFontWeight;            // OSD font weight
  uint8_t OSDFontItalic;            // italic
  uint8_t OSDFontUnderline;         // underline
  uint8_t SoundOffOnStart;          // master mute during start-up, display-mode changes and the start of the external program
  std::string AviFilename;          // AVI capture file
  std::string WavFilename;          // WAV recording file
  uint32_t WindowStyle;             // window style of the TV window; 0 is replaced at start
  uint32_t TvWindowPresent;         // the TV window exists
  int32_t SideCorrelation;          // TV window aspect: 0 = 4:3, 1 = 14:9, 2 = 16:9
  uint8_t HideCP;                   // start without the control panel
  uint32_t CaptureFPS;              // AVI frame rate
  uint32_t CaptureFileSize;         // AVI size in MB at which capture goes on in a new file
  uint8_t CaptureTimeLimitEnabled;  // AVI time limit on
  uint32_t CaptureTimeLimit;        // AVI time limit, s
  uint32_t AbortKey;                // index into the capture window's list of abort keys
  uint8_t AbortKeyEnabled;          // abort hot key registered
  uint8_t AbortCtrl;                // the abort key needs Ctrl
  uint8_t AbortShift;               // the abort key needs Shift
  uint8_t AbortLeftMouse;           // the left mouse button aborts a capture
  uint8_t AbortRightMouse;          // the right mouse button aborts a capture
  uint8_t KeepSideCorrelation;      // keep the TV window's aspect while resizing
  uint8_t FullScreenMouseHide;      // hide the cursor in full screen
  uint32_t PLL;                     // input PLL mode 0, 1, 2; 3 = leave the PLL alone
  uint32_t AudioBuffers;            // audio buffers requested for AVI capture; 0 = the driver's choice
  uint32_t VideoBuffers;            // video buffers requested for AVI capture; 0 = the driver's choice
  uint8_t AudioIsMasterStream;      // audio is the master stream of an AVI capture
  uint8_t ForceSetColorspace;       // setting a standard also programs its timing row
  uint8_t MonitorPowerOffIfNoSignal;// switch the monitor off while there is no video signal
  uint32_t MonitorPowerOffDelay;    // minutes without signal before the monitor goes off

  bool operator==(const SettingsBlock&) const = default;
};

extern SettingsBlock& Settings;

// The current video input (0 tuner, 1 "AV", 2 "SVHS"); not stored, cleared by LoadSettings.
extern uint32_t& CurInput;

// Full-screen modes of the FullScreen key.
enum FullScreenMode : int32_t {
  kFullScreenUnknown = 0,
  kFullScreen320x240 = 1,
  kFullScreen400x300 = 2,
  kFullScreen640x480 = 3,
  kFullScreen800x600 = 4,
  kFullScreenNoChanges = 5,
};

// Snapshot formats of the ImageType key.
enum ImageFormat : uint8_t { kImageBmp = 0, kImageJpg = 1 };

// Mixer source lines of the SoundConnector key, relative to the first source component type.
enum SoundConnectorLine : uint32_t {
  kConnectorUndefined = 0,
  kConnectorDigital,
  kConnectorLine,
  kConnectorMicrophone,
  kConnectorSynthesizer,
  kConnectorCompactDisc,
  kConnectorTelephone,
  kConnectorPcSpeaker,
  kConnectorWaveOut,
  kConnectorAuxiliary,
  kConnectorAnalog,
};

// Reads every key (a missing file, section or key gives its default) and clears CurInput. The
// values that index a table or pick a case are checked as they are read: Card past 36, Tuner past
// 20, SideCorrelation past 2 and PLL past 3 read as their defaults (8, 5, 0, 3). Numbers past 32
// bits read as the 32-bit limit and 8- and 16-bit members saturate rather than wrap; a negative
// number in an unsigned 32-bit member keeps its bits, which SaveSettings writes back as read.
void LoadSettings();
// Writes every key in one batch: settings.ini and remote.ini are each replaced once, or not at
// all when their bytes come out the same. Write errors are ignored (the profile layer prints one
// line on standard error for a file that could not be saved).
void SaveSettings();
