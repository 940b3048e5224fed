// Small UTF-16 text helpers shared by the portable core.
// Portable code keeps UTF-16 as char16_t; only Win32 files turn it into wchar_t.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace text {

// ASCII (or Latin-1) bytes widened unit by unit.
std::u16string Widen(std::string_view narrow);

// Decimal text of a signed integer, as "%d" writes it.
std::u16string FromInt(int value);

// Lower case of one unit, for the letters a user's language names can hold
// (ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic); others stay unchanged.
char16_t ToLower(char16_t unit);
std::u16string Lowered(std::u16string_view s);

// Conversions between UTF-8 and UTF-16 (invalid input becomes U+FFFD).
std::u16string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

// `pattern` with each "%s" replaced by the next of `values` (in order) and "%%" by "%";
// a null pattern gives the empty text. For the archive's messages.
std::u16string FillIn(const char16_t* pattern, std::initializer_list<std::u16string_view> values);

// Length of a zero-terminated UTF-16 text; 0 for null.
size_t Length(const char16_t* s);

}  // namespace text
