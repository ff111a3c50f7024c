#include "core/TvWindow.h"

TvWindowHandle* TvWindow = nullptr;
uint8_t TvHiddenByUser = 0;

TvWindowHandle::~TvWindowHandle() = default;
