#include "platform/RecordingTrayBackend.h"

#include <algorithm>

namespace platform {

void RecordingTrayBackend::show(const TrayIconData& data) {
  tip_ = data.tip;
  image_ = data.CurrentImage();
}

bool RecordingTrayBackend::Add(const TrayIconData& data) {
  calls_.push_back(TrayCall{TrayCall::kAdd, data.tip, data.CurrentImage(), nullptr, {}});
  // Like the system, an icon that is already shown is not added a second time.
  if (!available_ || failAdds_ || shown_ || !data.HasIcon()) return false;
  shown_ = true;
  show(data);
  return true;
}

void RecordingTrayBackend::Modify(const TrayIconData& data) {
  calls_.push_back(TrayCall{TrayCall::kModify, data.tip, data.CurrentImage(), nullptr, {}});
  if (shown_) show(data);
}

void RecordingTrayBackend::Delete() {
  calls_.push_back(TrayCall{TrayCall::kDelete, {}, {}, nullptr, {}});
  shown_ = false;
  tip_.clear();
  image_ = QImage();
}

void RecordingTrayBackend::PopupMenu(QMenu* menu, QPoint at) {
  calls_.push_back({TrayCall::kPopup, {}, {}, menu, at});
}

int RecordingTrayBackend::CountOf(TrayCall::Kind kind) const {
  return int(std::count_if(calls_.begin(), calls_.end(),
                           [kind](const TrayCall& call) { return call.kind == kind; }));
}

}  // namespace platform
