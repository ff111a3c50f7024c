// The WAV recorder of the recording window's Audio tab. Recording streams the blocks of the wave
// input into a temporary file (tempwave.tmp beside the WAV file) with one write per block;
// stopping turns it into the WAV file: a RIFF/WAVE file, or a plain copy of the blocks for
// streams that carry their own framing. The window's handlers call these functions and keep
// only their buttons.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "recording/CMyWaveIn.h"
#include "recording/WavEncoder.h"

class QWidget;

// The WAV path in use.
extern std::string& WavFileName;
// Where the blocks go while recording; fixed when the window is made (WavTempFileNameFor).
extern std::string& TempWaveFileName;
// The open temporary file while recording, else -1.
extern int& TempWaveFile;
// The recorder in use (WAV recording or the test mode), null when none exists.
extern CMyWaveIn*& WavRecorder;
// Bytes written to the temporary file since the start.
extern uint32_t& WavByteCount;
// The format of the next recording, MaxWavFormatSize bytes; empty until one was chosen in this
// run (ChooseWavFormat).
extern std::vector<uint8_t>& CurrentWavFormat;

// The encoder of a recording in a compressed format (the wave input then records PCM); null for
// PCM recordings. It lives until the recording's file is written.
extern std::unique_ptr<WavEncoder>& WavCoder;
// True once a write failure or the size limit cut the recording short: the encoder is not flushed
// and its sample count is not the file's.
extern bool& WavDataCut;

// A relative name made absolute against the program folder; an absolute name as it is.
std::string ResolveWavFileName(const std::string& name);
// The temporary file for the WAV file `wavFileName`: tempwave.tmp in the same folder (the
// folder of the resolved name).
std::string WavTempFileNameFor(const std::string& wavFileName);

// Starts a recording into the temporary file (WavByteCount := 0; the format from the saved one
// when none was chosen yet; an encoder when it is compressed; a new WavRecorder owned by `owner`
// with SecBuffer `secBuffer` and DeviceId `deviceId`, handing its blocks to `onData`). Returns
// true when the recording runs. "Error creating file" when the temporary file cannot be made;
// the device's error box when it cannot start (the recorder is then deleted); the encoder's
// reason in an "Error" box when the format cannot be made.
bool StartWavRecording(QWidget* owner, int secBuffer, int deviceId, CMyWaveIn::TDataEvent onData);

// Appends one block to the temporary file (compressed first when an encoder is in use) and counts
// the bytes written. Returns false when the recording must stop: a write failed ("Write error"),
// the encoder failed ("Encoding error: ...") or the WAV file reached its size limit; the box has
// been shown, and what was written so far is kept. The caller then stops the recording with
// StopWavRecording (it may do so from inside the data handler).
bool AppendWavBlock(QWidget* owner, const uint8_t* data, uint32_t size);

// Stops and deletes WavRecorder (the last partly filled buffer is appended first), flushes the
// encoder into the temporary file, then writes
// the WAV file: with `noRiffHeader` a byte copy of the temporary file (after calling
// `pickNextFreeName` when given), else WriteRiffWaveFile. The temporary file is closed, and
// deleted only when the WAV file was written. Returns true when it was. Harmless when nothing
// records.
bool StopWavRecording(QWidget* owner, bool noRiffHeader,
                      const std::function<void()>& pickNextFreeName = nullptr);

// True while a WAV recording (not the test mode) runs.
bool WavRecordingRunning();
