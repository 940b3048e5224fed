// The process-wide gamma controller, bound to the real display functions.
#pragma once

#include "gamma/gamma_controller.h"

extern GammaController gammaController;
