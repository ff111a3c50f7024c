#include "core/TvWindow.h"


TvWindowHandle::~TvWindowHandle() = default;
