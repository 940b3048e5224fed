// Loads the language archive from the running executable's own file.
#include "i18n/language_archive.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <new>

#include "common/paths_win32.h"
#include "i18n/language_archive_core.h"

namespace LanguageArchive {

namespace {

struct FileCloser {
  void operator()(FILE* f) const { fclose(f); }
};

// The whole file in one read, with room behind it for both markers; empty on any failure.
std::unique_ptr<unsigned char[]> ReadWholeFile(const wchar_t* path, size_t* size) {
  std::unique_ptr<FILE, FileCloser> file(_wfopen(path, L"rb"));
  if (!file) return nullptr;
  if (fseek(file.get(), 0, SEEK_END) != 0) return nullptr;
  const long fileSize = ftell(file.get());
  if (fileSize <= 0) return nullptr;
  rewind(file.get());
  const size_t bytes = static_cast<size_t>(fileSize);
  std::unique_ptr<unsigned char[]> image(new (std::nothrow) unsigned char[bytes + kStartMarkerSize + kEndMarkerSize]);
  if (!image) return nullptr;
  if (fread(image.get(), 1, bytes, file.get()) != bytes) return nullptr;
  *size = bytes;
  return image;
}

}  // namespace

bool Load() {
  const std::wstring path = ModuleFileName();
  bool loaded = false;
  if (!path.empty()) {
    size_t size = 0;
    std::unique_ptr<unsigned char[]> image = ReadWholeFile(LongPath(path).c_str(), &size);
    loaded = image && LoadFromImage(image.get(), size);
  }
  if (!loaded) {
    // No archive, no translated text: the message is fixed English.
    MessageBoxA(nullptr, "Error! Loading language file string archive", "Error!", MB_OK);
    PostQuitMessage(0);
  }
  return loaded;
}

}  // namespace LanguageArchive
