#include "settings/settings_file.h"

#include <climits>

#include "common/text.h"

bool portableMode = false;

namespace {

// The reading of a number the program has always had: leading blanks skipped, an
// optional sign, decimal digits up to the first other character, no digits giving 0.
// A number too large for 32 bits stops at the nearest bound instead of wrapping.
int LeadingInt(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || (s[i] >= u'\t' && s[i] <= u'\r'))) ++i;
  bool negative = i < s.size() && s[i] == u'-';
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) ++i;
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
    magnitude = magnitude * 10 + (s[i] - u'0');
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

std::u16string FolderOf(const std::u16string& path) {
  size_t slash = path.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

}  // namespace

void SettingsFile::Init(const char16_t* baseName) {
  baseName_ = baseName ? baseName : u"";
  const std::u16string fileName = baseName_ + u".ini";

  // Any "_p" in the executable's name asks for portable mode (Glowmere_p.exe, Glowmere_P.EXE).
  portableMode = text::Lowered(ExecutableFileName()).find(u"_p") != std::u16string::npos;

  // Beside the executable the file is named after the base name, not the executable.
  std::u16string beside = FolderOf(platform_->ExecutablePath()) + u"\\" + fileName;
  // In portable mode the probe creates the file if the folder takes writes.
  if (portableMode) WriteInt(u"TestIni", u"M", 1111, beside.c_str());
  if (PathKind(beside) == 1) {
    path_ = beside;
    NoteStartRead();
    return;
  }

  portableMode = false;
  std::u16string folder = platform_->AppDataFolder() + u"\\Ardentine";
  platform_->CreateFolder(folder);
  folder += u"\\" + baseName_;
  platform_->CreateFolder(folder);
  path_ = folder + u"\\" + fileName;
  NoteStartRead();
}

// Whether the start saw the file as it is; a missing file holds nothing to keep.
void SettingsFile::NoteStartRead() {
  std::string ignored;
  const ini::ReadResult read = platform_->ReadFileBytes(path_, &ignored);
  readableAtStart_ = read == ini::ReadResult::kOk || read == ini::ReadResult::kMissing;
}

int SettingsFile::ReadInt(const char16_t* section, const char16_t* key, int def, int min, int max) {
  char16_t buffer[ini::kMaxValueLength + 1] = {};
  int length = ReadString(section, key, buffer, static_cast<int>(ini::kMaxValueLength + 1));
  int value = length > 0 ? LeadingInt(std::u16string_view(buffer, static_cast<size_t>(length))) : def;
  if (max == -1 || min == -1) return value;
  if (value > max) value = max;
  return value < min ? min : value;
}

void SettingsFile::WriteInt(const char16_t* section, const char16_t* key, int value, const char16_t* file) {
  WriteString(section, key, text::FromInt(value).c_str(), file);
}

bool SettingsFile::FirstReadAfterBlindStart() {
  if (readableAtStart_ || lateReadDone_) return false;
  std::string ignored;
  const ini::ReadResult read = platform_->ReadFileBytes(path_, &ignored);
  lateReadDone_ = read == ini::ReadResult::kOk || read == ini::ReadResult::kMissing;
  return lateReadDone_;
}

void SettingsFile::SetPending(const char16_t* section, const char16_t* key, int value) {
  SetPendingText(section, key, text::FromInt(value).c_str());
}

void SettingsFile::SetPendingText(const char16_t* section, const char16_t* key, const char16_t* value) {
  const bool onlyIfAbsent = startValues_ && !readableAtStart_;
  if (ini::Assignment* kept = FindPending(section, key)) {
    kept->value = value;
    kept->onlyIfAbsent = onlyIfAbsent;
  } else {
    pending_.push_back({section, key, value, onlyIfAbsent});
  }
}

ini::Assignment* SettingsFile::FindPending(const char16_t* section, const char16_t* key) {
  for (ini::Assignment& a : pending_) {
    if (text::Lowered(a.section) == text::Lowered(section) && text::Lowered(a.key) == text::Lowered(key)) return &a;
  }
  return nullptr;
}

ini::WriteResult SettingsFile::WritePending() {
  if (pending_.empty()) return ini::WriteResult::kOk;
  lastWrite_ = path_.empty() ? ini::WriteResult::kRefused : ini::WriteFileValues(*platform_, path_, pending_);
  // A value no line can hold never will: it is dropped with the stored ones.
  if (lastWrite_ == ini::WriteResult::kOk || lastWrite_ == ini::WriteResult::kInvalid) pending_.clear();
  return lastWrite_;
}

ini::WriteResult SettingsFile::WritePendingBeforeEnd() {
  const unsigned start = platform_->Milliseconds();
  ini::WriteResult result = WritePending();
  while (result == ini::WriteResult::kBusy && platform_->Milliseconds() - start < kFinalWriteMs) {
    platform_->Pause(kFinalWritePauseMs);
    result = WritePending();
  }
  return result;
}

int SettingsFile::ReadString(const char16_t* section, const char16_t* key, char16_t* buffer, int size,
                             const char16_t* file) {
  if (buffer == nullptr || size <= 0 || section == nullptr || key == nullptr) return 0;
  const std::u16string target = Target(file);
  std::u16string value;
  const ini::Assignment* kept = target == path_ ? FindPending(section, key) : nullptr;
  bool found = false;
  // A start's default yields to what the file holds, once it can be read.
  if (kept != nullptr && kept->onlyIfAbsent) found = ini::ReadFileValue(*platform_, target, section, key, &value);
  if (!found && kept != nullptr) {
    value = kept->value;  // newer than the file
    found = true;
  }
  if (!found && !target.empty()) found = ini::ReadFileValue(*platform_, target, section, key, &value);
  if (!found) {
    // Missing: the buffer's own text stands, cut to the buffer like a found value.
    size_t length = 0;
    while (length < static_cast<size_t>(size) && buffer[length] != 0) ++length;
    value.assign(buffer, length);
  }
  size_t stored = value.size() < static_cast<size_t>(size) ? value.size() : static_cast<size_t>(size) - 1;
  value.copy(buffer, stored);
  buffer[stored] = 0;
  return static_cast<int>(stored);
}

int SettingsFile::WriteString(const char16_t* section, const char16_t* key, const char16_t* text,
                              const char16_t* file) {
  const std::u16string target = Target(file);
  // Before Init there is no file; an empty path would land in the current folder.
  if (target.empty() || section == nullptr || key == nullptr || text == nullptr) return 0;
  if (file != nullptr && target != path_) return ini::WriteFileValue(*platform_, target, section, key, text) ? 1 : 0;
  SetPendingText(section, key, text);
  return WritePending() == ini::WriteResult::kOk ? 1 : 0;
}

int SettingsFile::PathKind(const std::u16string& path) { return platform_->PathKind(path); }

std::u16string SettingsFile::ExecutableFileName() {
  std::u16string path = platform_->ExecutablePath();
  return path.substr(path.rfind(u'\\') + 1);
}

std::u16string SettingsFile::Target(const char16_t* file) const { return file ? std::u16string(file) : path_; }
