// The message-box service: every box the program shows goes through ShowMessageBox, so that the
// GUI layer can show it with Qt, a console run can print it, and tests can record it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Buttons, icons and modality, with the values of Windows' message boxes.
enum MessageBoxFlags : unsigned {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNo = 0x4,
  kMbIconStop = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconWarning = 0x30,
  kMbIconInformation = 0x40,
  kMbSystemModal = 0x1000,
};

// Results.
enum MessageBoxResult : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

struct MessageBoxRequest {
  std::string text;     // Windows-1251 bytes, as the program holds its texts
  std::string caption;
  unsigned flags = kMbOk;
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Shows a box through the installed handler; without one, prints it to stderr and answers kIdOk.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

// Installs a handler (an empty one restores the default) and returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// A test double: while it lives, every box is recorded and answered with `answer`.
class RecordingMessageBox {
public:
  explicit RecordingMessageBox(int answer = kIdOk);
  ~RecordingMessageBox();
  RecordingMessageBox(const RecordingMessageBox&) = delete;
  RecordingMessageBox& operator=(const RecordingMessageBox&) = delete;

  const std::vector<MessageBoxRequest>& shown() const { return shown_; }
  void setAnswer(int answer) { answer_ = answer; }
  void clear() { shown_.clear(); }

private:
  std::vector<MessageBoxRequest> shown_;
  int answer_;
  MessageBoxHandler previous_;
};

}  // namespace platform
