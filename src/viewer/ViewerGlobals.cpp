// Definitions of the viewer's shared state.
#include "viewer/ViewerGlobals.h"

std::string ExeDir;
int32_t DisplayWidth = 0;
int32_t DisplayHeight = 0;
int32_t DisplayRefresh = 0;
int32_t StartVolume = 0;
uint32_t SavedLineMute = 0;
uint8_t CaptureDriverConnected = 0;

uint8_t ReSetBusy = 0;
float MasterVolumeLevel = 0;
const std::array<const char*, 3> InputNames = {" TV", "AV", "SVHS"};
std::string TitleText;
uint8_t RadioLeftFullScreen = 0;
uint8_t AltKeyDown = 0;

uint8_t FullScreenOn = 0;
int32_t FsWidth = 0;
int32_t FsHeight = 0;
WindowPlacement FsPlacement;
int32_t FsPanelLeft = 0;
int32_t FsPanelTop = 0;
int32_t SavedMasterVolume = 0;
std::atomic<uint8_t> ExternalProgramEnded{0};

uint8_t RolledUp = 1;

gui::TColor SkinBeginColorActive = 0x000000;
gui::TColor SkinEndColorActive = 0xFFFF00;
gui::TColor SkinBeginColorUnactive = 0x000000;
gui::TColor SkinEndColorUnactive = 0xBEBEBE;
