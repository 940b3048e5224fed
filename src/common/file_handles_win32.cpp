#include "common/file_handles_win32.h"

bool WriteAll(HANDLE file, const std::vector<std::string_view>& pieces) {
  for (std::string_view piece : pieces) {
    while (!piece.empty()) {
      const DWORD chunk = static_cast<DWORD>(piece.size() < (1u << 24) ? piece.size() : (1u << 24));
      DWORD written = 0;
      if (!WriteFile(file, piece.data(), chunk, &written, nullptr) || written == 0) return false;
      piece.remove_prefix(written);
    }
  }
  return true;
}
