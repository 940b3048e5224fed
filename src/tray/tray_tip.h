// The tray tip as the shell's record holds it.
#pragma once

#include <cstddef>

// The record's tip field: 63 characters and the terminator.
constexpr size_t kTipCapacity = 64;

// Copies at most capacity - 1 characters of `tip` (null: none) into `out` and
// terminates it. A surrogate pair is never split: its high half is left out instead.
// Returns the number of characters copied.
size_t CopyTip(const char16_t* tip, char16_t* out, size_t capacity);
