#pragma once
// Saving a file so that a crash, a full disk or a power cut never leaves it
// truncated or half written: the new text goes to a temporary file beside
// the target, is flushed to the disk, and only then replaces the target in
// one rename, so that at every moment the target is either the old file or
// the new one, whole. The file system sits behind a small interface so that
// tests can make any step fail.
#include <memory>
#include <string>
#include <string_view>

namespace kelvane {

// A temporary file open for writing. Destroying it closes it if still open.
class SaveFile {
 public:
  virtual ~SaveFile() = default;
  // Writes all the bytes or reports failure (a short write is a failure).
  virtual bool Write(std::string_view bytes) = 0;
  // Pushes the written bytes to the disk.
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
};

class SaveFileSystem {
 public:
  virtual ~SaveFileSystem() = default;
  virtual bool Exists(const std::wstring& path) = 0;
  // The whole content of a file; false when it cannot be read.
  virtual bool Read(const std::wstring& path, std::string* bytes) = 0;
  // Creates the file, or truncates an existing one; null on failure.
  virtual std::unique_ptr<SaveFile> Create(const std::wstring& path) = 0;
  // Puts `from` in place of `target` in one rename, whether or not `target`
  // exists. On failure the target should be as it was.
  virtual bool Replace(const std::wstring& from, const std::wstring& target) = 0;
  virtual void Remove(const std::wstring& path) = 0;
  // The system's error code for the step that failed last (0: unknown).
  virtual unsigned long LastError() { return 0; }
  // True when the error only means that another program holds the file for
  // a moment (a virus scanner, an indexer, a sync client reading it without
  // letting it be renamed): the rename is worth trying again.
  virtual bool IsPassingError(unsigned long /*error*/) { return false; }
  virtual void Pause(unsigned /*milliseconds*/) {}
};

// A rename refused for a passing reason is tried this many times in all,
// this far apart: about a second, longer than a scanner holds a small file.
inline constexpr int kReplaceAttempts = 21;
inline constexpr unsigned kReplacePauseMs = 50;

// The temporary file used while saving `target`: same folder, ".tmp" added.
std::wstring TempPathFor(const std::wstring& target);

// Writes `bytes` as the whole new content of `target`. Returns false, with
// the target untouched and no temporary left behind, when any step fails;
// `error` (if given) then gets the system's code for that step.
bool SaveFileAtomically(SaveFileSystem& fs, const std::wstring& target, std::string_view bytes,
                        unsigned long* error = nullptr);

}  // namespace kelvane
