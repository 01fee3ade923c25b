#pragma once
// Saving a file so that a crash, a full disk or a power cut never leaves it
// truncated or half written: the new text goes to a temporary file beside
// the target, is flushed to the disk, and only then replaces the target in
// one step. The file system sits behind a small interface so that tests can
// make any step fail.
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
  // Creates the file, or truncates an existing one; null on failure.
  virtual std::unique_ptr<SaveFile> Create(const std::wstring& path) = 0;
  // Puts `from` in place of `target` in one step, whether or not `target`
  // exists. On failure the target should be as it was.
  virtual bool Replace(const std::wstring& from, const std::wstring& target) = 0;
  virtual void Remove(const std::wstring& path) = 0;
};

// The temporary file used while saving `target`: same folder, ".tmp" added.
std::wstring TempPathFor(const std::wstring& target);

// Writes `bytes` as the whole new content of `target`. Returns false, with
// the target untouched and no temporary left behind, when any step fails.
bool SaveFileAtomically(SaveFileSystem& fs, const std::wstring& target, std::string_view bytes);

}  // namespace kelvane
