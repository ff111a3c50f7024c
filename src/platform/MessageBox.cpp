#include "platform/MessageBox.h"

#include <cstdio>

namespace platform {

namespace {

MessageBoxHandler& currentHandler() {
  static MessageBoxHandler handler;
  return handler;
}

}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  MessageBoxRequest request{text, caption, flags};
  if (auto& handler = currentHandler()) return handler(request);
  std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
  return kIdOk;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  auto previous = std::move(currentHandler());
  currentHandler() = std::move(handler);
  return previous;
}

RecordingMessageBox::RecordingMessageBox(int answer) : answer_(answer) {
  previous_ = SetMessageBoxHandler([this](const MessageBoxRequest& request) {
    shown_.push_back(request);
    return answer_;
  });
}

RecordingMessageBox::~RecordingMessageBox() { SetMessageBoxHandler(std::move(previous_)); }

}  // namespace platform
