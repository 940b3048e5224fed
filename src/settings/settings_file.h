// The INI settings file: where it lives, and typed access to its values.
#pragma once

#include <string>
#include <vector>

#include "settings/settings_port.h"

extern bool portableMode;  // while the settings file lives beside the executable

class SettingsFile {
 public:
  explicit SettingsFile(SettingsPort& platform) : platform_(&platform) {}
  virtual ~SettingsFile() = default;

  // Chooses the file's location for a base name ("Glowmere"); sets portableMode.
  void Init(const char16_t* baseName);

  // The stored value or `def`, clamped to min..max unless either bound is -1.
  int ReadInt(const char16_t* section, const char16_t* key, int def, int min, int max);
  // Writes `value` as "%d"; `file` null means the settings file itself. Failures are silent.
  void WriteInt(const char16_t* section, const char16_t* key, int value, const char16_t* file = nullptr);

  // Keeps a value for the settings file's next write, in place of any value kept for that
  // key; reads of the key see it at once.
  void SetPending(const char16_t* section, const char16_t* key, int value);
  void SetPendingText(const char16_t* section, const char16_t* key, const char16_t* value);
  // Between these two, values kept are the start's own (the hotkeys' defaults), not the
  // user's choices. When the file could not be read at Init (held by another program, a
  // network folder not there yet) they only fill keys the file lacks when it is written at
  // last, so the user's values are never overwritten with what a blind start assumed.
  void BeginStartValues() { startValues_ = true; }
  void EndStartValues() { startValues_ = false; }
  bool ReadableAtStart() const { return readableAtStart_; }
  // After a start that could not read the file: true once, as soon as it can be read.
  bool FirstReadAfterBlindStart();
  // Writes every pending value with one replacement of the file. Values the file refused
  // stay pending for the next write; so does a value written to the file itself that failed.
  ini::WriteResult WritePending();
  // WritePending, tried again while the file is busy, for up to kFinalWriteMs: the last
  // write as the program ends (Exit, sign-out, shutdown), when no later try would come.
  ini::WriteResult WritePendingBeforeEnd();
  static constexpr unsigned kFinalWriteMs = 2000;
  static constexpr unsigned kFinalWritePauseMs = 50;
  bool HasPending() const { return !pending_.empty(); }
  // What the last write of pending values met.
  ini::WriteResult LastWrite() const { return lastWrite_; }

  // Reads a value into `buffer` of `size` characters, cut to fit. The buffer's text on
  // entry is the default: a missing key leaves it as it was. Returns the characters stored.
  int ReadString(const char16_t* section, const char16_t* key, char16_t* buffer, int size,
                 const char16_t* file = nullptr);
  // 1 when the value was stored, else 0. A value for the settings file itself goes
  // together with the pending ones, and stays pending if the file refuses it.
  int WriteString(const char16_t* section, const char16_t* key, const char16_t* text, const char16_t* file = nullptr);

  // 1 file, 2 folder, 0 absent, -1 other failure (see SettingsPort::PathKind).
  int PathKind(const std::u16string& path);
  // The running executable's name: its full path after the last backslash.
  std::u16string ExecutableFileName();

  const std::u16string& Path() const { return path_; }

 private:
  std::u16string Target(const char16_t* file) const;
  ini::Assignment* FindPending(const char16_t* section, const char16_t* key);
  void NoteStartRead();

  SettingsPort* platform_;
  std::u16string path_;
  std::u16string baseName_;
  std::vector<ini::Assignment> pending_;
  bool readableAtStart_ = true;
  bool startValues_ = false;
  bool lateReadDone_ = false;
  ini::WriteResult lastWrite_ = ini::WriteResult::kOk;
};

// The process-wide settings file on the real platform (Win32 builds).
extern SettingsFile settingsFile;
