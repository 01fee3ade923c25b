#include "toolkit/safe_save_win.h"

#include <windows.h>

#include "toolkit/handle_win.h"

namespace kelvane {
namespace {

class Win32SaveFile : public SaveFile {
 public:
  explicit Win32SaveFile(UniqueFile file) : file_(std::move(file)) {}

  bool Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      // WriteFile takes a DWORD count; write large texts in pieces.
      const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!::WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr) || written == 0) return false;
      bytes.remove_prefix(written);
    }
    return true;
  }

  bool Flush() override { return ::FlushFileBuffers(file_.get()) != 0; }

  bool Close() override { return ::CloseHandle(file_.release()) != 0; }

 private:
  UniqueFile file_;
};

}  // namespace

bool Win32SaveFileSystem::Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<SaveFile> Win32SaveFileSystem::Create(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  return std::make_unique<Win32SaveFile>(std::move(file));
}

bool Win32SaveFileSystem::Replace(const std::wstring& from, const std::wstring& target) {
  // ReplaceFileW keeps the target's attributes and security, but needs an
  // existing target (Wine fails with ERROR_FILE_NOT_FOUND otherwise). If it
  // fails for another reason, a plain replacing move still does the swap in
  // one step; after ERROR_UNABLE_TO_MOVE_REPLACEMENT, where ReplaceFileW has
  // already removed the target, it is the move that puts the new file in place.
  if (Exists(target) && ::ReplaceFileW(target.c_str(), from.c_str(), nullptr,
                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    return true;
  }
  return ::MoveFileExW(from.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Win32SaveFileSystem::Remove(const std::wstring& path) { ::DeleteFileW(path.c_str()); }

bool SaveFileAtomically(const std::wstring& target, std::string_view bytes) {
  Win32SaveFileSystem fs;
  return SaveFileAtomically(fs, target, bytes);
}

}  // namespace kelvane
