// The fixtures' meta-objects are compiled with this file (see RxpropsFixtures.h).
#include "RxpropsFixtures.h"
