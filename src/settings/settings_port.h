// What the settings file needs of the system, behind one seam so that the choice of
// location and the typed reads can be tested without Windows.
#pragma once

#include <string>

#include "settings/ini_file.h"

class SettingsPort : public ini::FilePort {
 public:
  // Full path of the running executable; empty if it cannot be had.
  virtual std::u16string ExecutablePath() = 0;
  // The user's roaming application-data folder; empty if it cannot be had.
  virtual std::u16string AppDataFolder() = 0;
  // Creates one folder; an existing folder or any failure is ignored.
  virtual void CreateFolder(const std::u16string& path) = 0;
  // 1 an existing file, 2 an existing folder, 0 nothing there (file or path not
  // found), -1 any other failure to look.
  virtual int PathKind(const std::u16string& path) = 0;
  // A millisecond clock that may wrap, and a pause of the calling thread: only for the last
  // write as the program ends, when no window waits for the thread any more.
  virtual unsigned Milliseconds() = 0;
  virtual void Pause(unsigned milliseconds) = 0;
};

// The real one (Win32 builds only).
SettingsPort& Win32SettingsPort();
// How the real one reads a system error code: opening or reading the file, and swapping a
// new file in over it (Win32 builds only).
ini::ReadResult ReadResultOfError(unsigned long error);
ini::WriteResult WriteResultOfSwapError(unsigned long error);
