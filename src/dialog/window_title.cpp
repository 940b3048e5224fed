#include "dialog/window_title.h"

#include "common/product_name.h"

std::u16string ComposeWindowTitle(const char16_t* caption, bool portable) {
  std::u16string title = caption != nullptr ? std::u16string(caption) : std::u16string(ProductName()) + u" 1.01";
  if (portable) title += u" Portable";
  return title;
}
