// Included before every source of the Windows build. The standard library's checks (an
// index out of range and the like) stay on, but a failed check ends the program without
// the file names, function signatures and conditions that would otherwise be stored for
// its message: about 11 KB of the executable.
#pragma once
#include <bits/c++config.h>

#undef __glibcxx_assert_impl
#define __glibcxx_assert_impl(condition)            \
  if (__builtin_expect(!bool(condition), false)) {  \
    __glibcxx_constexpr_assert(false);              \
    __builtin_abort();                              \
  }
