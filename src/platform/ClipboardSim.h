// The simulated clipboard: contents in memory, every request recorded in order, and knobs that
// make it fail as a desktop clipboard can (another program holds it, a block cannot be had).
#pragma once

#include <map>
#include <set>

#include "platform/Clipboard.h"

namespace platform {

struct ClipboardEvent {
  enum class Kind { Open, Close, Clear, Set, Read };
  Kind kind = Kind::Open;
  unsigned format = 0;  // Set and Read
  bool ok = true;       // Open: taken; Set: stored; Read: the format was there
};

class SimClipboardBackend : public Clipboard {
public:
  bool open() override;
  void close() override;
  void clear() override;
  bool setData(unsigned format, const ClipboardBytes& data) override;
  bool hasFormat(unsigned format) override;
  std::optional<ClipboardBytes> data(unsigned format) override;

  // Empty, closed, no failures, log cleared.
  void reset();
  // The next `count` opens fail, as while another program holds the clipboard.
  void failNextOpens(int count) { failOpens_ = count; }
  // Blocks under this format are refused, as when no memory can be had for them.
  void refuseFormat(unsigned format) { refused_.insert(format); }

  bool isOpen() const { return open_; }
  // The formats held, in ascending order of their numbers.
  std::vector<unsigned> formats() const;
  const std::vector<ClipboardEvent>& events() const { return events_; }

private:
  std::map<unsigned, ClipboardBytes> contents_;
  std::set<unsigned> refused_;
  std::vector<ClipboardEvent> events_;
  int failOpens_ = 0;
  bool open_ = false;
};

SimClipboardBackend& SimClipboard();

}  // namespace platform
