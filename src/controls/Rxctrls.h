// Rxctrls: the shadow label, the button glyph engine and the speed button of the control
// library.
#pragma once

#include "controls/RxButtonGlyph.h"
#include "controls/RxLabel.h"
#include "controls/RxSpeedButton.h"
#include "controls/dormant/RxButtonImage.h"
