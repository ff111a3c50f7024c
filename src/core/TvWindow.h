// The TV window as the card layer sees it: something it can show and hide. The viewer owns the
// window and implements this interface; the card layer only reaches it through `TvWindow`.
#pragma once

#include <cstdint>

class TvWindowHandle {
public:
  virtual ~TvWindowHandle();
  virtual void Show() = 0;
  virtual void Hide() = 0;
};

// The TV window, null while there is none (before the viewer builds it, or when it is disabled).
extern TvWindowHandle*& TvWindow;

// True while the user has hidden the TV window: a standard change must not show it again.
extern bool& TvHiddenByUser;
