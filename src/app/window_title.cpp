#include "app/window_title.h"

#include "common/product_name.h"

std::u16string ComposeWindowTitle(const char16_t* commonText19, bool portable) {
  std::u16string title = commonText19 != nullptr ? std::u16string(commonText19)
                                                 : std::u16string(ProductName()) + u" 1.01";
  if (portable) title += u" Portable";
  return title;
}
