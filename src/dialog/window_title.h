// The dialog's caption.
#pragma once

#include <string>

// Product name, a space and "1.01"; replaced by the caption text (kCommonTextCaption) when
// the archive has one; " Portable" appended in portable mode.
std::u16string ComposeWindowTitle(const char16_t* caption, bool portable);
