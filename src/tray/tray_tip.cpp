#include "tray/tray_tip.h"

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

size_t CopyTip(const char16_t* tip, char16_t* out, size_t capacity) {
  if (capacity == 0) return 0;
  size_t length = 0;
  if (tip) {
    while (length + 1 < capacity && tip[length] != 0) {
      out[length] = tip[length];
      ++length;
    }
    // A high surrogate whose partner did not fit would show as a broken glyph.
    if (length > 0 && tip[length] != 0 && IsHighSurrogate(out[length - 1])) --length;
  }
  out[length] = 0;
  return length;
}
