// The displays attached to the desktop, read from the system: names, stable ids, HDR.
#pragma once

#include "gamma/display_set.h"

// The system's display list on the real platform.
extern DisplayListPort& systemDisplays;
