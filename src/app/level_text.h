// How the dialog shows a level, and its small bookkeeping helpers.
#pragma once

#include <cstdint>
#include <string>

// " %d %%" of (level - 128) * 100 / 256, truncated toward zero: " -50 %" .. " 50 %".
std::string FormatPercent(int32_t level);

// 0 when `value` equals `stored`; otherwise stores it and returns 1.
int UpdateIfChanged(int32_t& stored, int32_t value);
