#include "common/dpi_scale.h"

#include <cstdint>

int ScaleForDpi(int pixels, int dpi) {
  if (dpi <= 0) return pixels;
  const int64_t scaled = static_cast<int64_t>(pixels) * dpi;
  // Half away from zero, so a negative distance scales like its positive twin.
  return static_cast<int>(scaled >= 0 ? (scaled + kDefaultDpi / 2) / kDefaultDpi
                                      : (scaled - kDefaultDpi / 2) / kDefaultDpi);
}
