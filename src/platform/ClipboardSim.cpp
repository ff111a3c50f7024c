#include "platform/ClipboardSim.h"

namespace platform {

bool SimClipboardBackend::open() {
  bool ok = !open_ && failOpens_ <= 0;
  if (failOpens_ > 0) --failOpens_;
  if (ok) open_ = true;
  events_.push_back({ClipboardEvent::Kind::Open, 0, ok});
  return ok;
}

void SimClipboardBackend::close() {
  open_ = false;
  events_.push_back({ClipboardEvent::Kind::Close, 0, true});
}

void SimClipboardBackend::clear() {
  if (open_) contents_.clear();
  events_.push_back({ClipboardEvent::Kind::Clear, 0, open_});
}

bool SimClipboardBackend::setData(unsigned format, const ClipboardBytes& data) {
  bool ok = open_ && format != 0 && !refused_.count(format);
  if (ok) contents_[format] = data;
  events_.push_back({ClipboardEvent::Kind::Set, format, ok});
  return ok;
}

bool SimClipboardBackend::hasFormat(unsigned format) { return contents_.count(format) > 0; }

std::optional<ClipboardBytes> SimClipboardBackend::data(unsigned format) {
  auto found = contents_.find(format);
  events_.push_back({ClipboardEvent::Kind::Read, format, found != contents_.end()});
  if (found == contents_.end()) return std::nullopt;
  return found->second;
}

void SimClipboardBackend::reset() {
  contents_.clear();
  refused_.clear();
  events_.clear();
  failOpens_ = 0;
  open_ = false;
}

std::vector<unsigned> SimClipboardBackend::formats() const {
  std::vector<unsigned> out;
  for (const auto& entry : contents_) out.push_back(entry.first);
  return out;
}

SimClipboardBackend& SimClipboard() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimClipboardBackend& clipboard = *new SimClipboardBackend;
  return clipboard;
}

}  // namespace platform
