// Our own INI reader and writer. A file is kept as its own bytes: a read finds one
// value, a write splices one line in, and every other byte stays exactly as it was,
// so a user's comments, layout, line ends and even damaged parts survive our writes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ini {

// The longest value a read returns (the platform's 1,024-character buffer).
constexpr size_t kMaxValueLength = 1023;

// ANSI bytes (Windows-1252), or text behind a UTF-8 or UTF-16LE byte-order mark.
enum class Encoding { kAnsi, kUtf8, kUtf16Le };

Encoding DetectEncoding(std::string_view bytes);

// The value of `key` in `section`. Names match without regard to case and with
// blanks around them ignored; the first match in file order wins. The value comes
// trimmed, without one pair of enclosing quotes, and cut at kMaxValueLength.
// False when there is no such key, or its line has no '='.
bool ReadValue(std::string_view bytes, std::u16string_view section, std::u16string_view key, std::u16string* value);

// One change to a file's bytes: `insert` takes the place of `removed` bytes at `at`.
struct Edit {
  size_t at = 0;
  size_t removed = 0;
  std::string insert;
};

// True for a file we never rewrite: one that starts with a UTF-16 big-endian mark,
// which our ANSI lines would only damage.
bool IsForeignEncoding(std::string_view bytes);

// Plans setting `key` in `section` to `value`, in the file's own encoding and line ends:
// the key's line keeps its name as written; a new key goes after the section's last
// key; a new section goes at the end; a value that already reads as asked changes
// nothing. False for names or a value no line can hold (empty names, line breaks,
// NUL, '=' in a key, a key that would read as a header or comment, a name or value
// the file's encoding cannot spell), and for a file of a foreign encoding.
bool PlanWrite(std::string_view bytes, std::u16string_view section, std::u16string_view key, std::u16string_view value,
               Edit* edit);

// PlanWrite applied to `bytes`; false (and `bytes` untouched) where it refuses.
bool WriteValue(std::string* bytes, std::u16string_view section, std::u16string_view key, std::u16string_view value);

enum class ReadResult {
  kOk,
  kMissing,  // no such file (or folder): nothing stored yet
  kBusy,     // another program holds the file for a moment (a sharing or lock violation)
  kFailed,   // anything else that keeps us from its bytes
};

enum class WriteResult {
  kOk,
  kBusy,     // another program holds the file for a moment: worth another try soon
  kRefused,  // the file takes no writes now (read-only, unreadable, no folder, foreign encoding)
  kInvalid,  // a name or value no line of this file can hold; the others were stored
};

struct Assignment {
  std::u16string section, key, value;
  // A default, not a choice: stored only where the file has no such key, so a value the
  // user keeps there is never replaced by it.
  bool onlyIfAbsent = false;
};

// Whole-file access, so the INI logic can run on any file system (and on a fake one).
class FilePort {
 public:
  virtual ~FilePort() = default;
  // kMissing when the file (or its folder) does not exist; kBusy when another program
  // holds it for a moment; kFailed for anything else that keeps us from its bytes (a
  // folder of that name, no access, too large).
  virtual ReadResult ReadFileBytes(const std::u16string& path, std::string* bytes) = 0;
  // Replaces the file (creating it, never its folder) with `pieces` one after another,
  // so that it afterwards holds either its old bytes or the new ones, never a mix: a
  // crash or a full disk cannot lose it. Pieces spare a second copy of a large file.
  // kOk, kBusy or kRefused; it never waits for the file to come free.
  virtual WriteResult ReplaceFileBytes(const std::u16string& path, const std::vector<std::string_view>& pieces) = 0;
};

// ReadValue on a file; a missing or unreadable file has no values.
bool ReadFileValue(FilePort& store, const std::u16string& path, std::u16string_view section, std::u16string_view key,
                   std::u16string* value);

// PlanWrite for each value in turn, stored with one replacement of the file. A file we
// cannot read is never overwritten (kBusy when it is only held for a moment), and a
// write that changes nothing does not touch it.
WriteResult WriteFileValues(FilePort& store, const std::u16string& path, const std::vector<Assignment>& values);
// One value; false when it could not be stored.
bool WriteFileValue(FilePort& store, const std::u16string& path, std::u16string_view section, std::u16string_view key,
                    std::u16string_view value);

}  // namespace ini
