#include "toolkit/safe_save_win.h"

#include <windows.h>

#include "toolkit/handle_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

class Win32SaveFile : public SaveFile {
 public:
  Win32SaveFile(UniqueFile file, unsigned long& lastError) : file_(std::move(file)), lastError_(lastError) {}

  bool Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      // WriteFile takes a DWORD count; write large texts in pieces.
      const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      const BOOL ok = ::WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr);
      if (!ok || written == 0) {
        lastError_ = ok ? ERROR_DISK_FULL : ::GetLastError();  // nothing written: the disk is full
        return false;
      }
      bytes.remove_prefix(written);
    }
    return true;
  }

  bool Flush() override { return Succeeded(::FlushFileBuffers(file_.get())); }

  bool Close() override { return Succeeded(::CloseHandle(file_.release())); }

 private:
  bool Succeeded(BOOL ok) {
    if (!ok) lastError_ = ::GetLastError();
    return ok != 0;
  }
  UniqueFile file_;
  unsigned long& lastError_;
};

}  // namespace

bool Win32SaveFileSystem::Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32SaveFileSystem::Read(const std::wstring& path, std::string* bytes) {
  if (ReadWholeFile(path, bytes)) return true;
  lastError_ = ::GetLastError();
  return false;
}

std::unique_ptr<SaveFile> Win32SaveFileSystem::Create(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    lastError_ = ::GetLastError();
    return nullptr;
  }
  return std::make_unique<Win32SaveFile>(std::move(file), lastError_);
}

bool Win32SaveFileSystem::Replace(const std::wstring& from, const std::wstring& target) {
  // One rename (rename(2) under Wine, one NTFS rename on Windows). ReplaceFileW
  // is two: the target moved aside, then the new file moved in; a kill between
  // them left no list file at all, and it leaves "rf*.tmp" files behind.
  if (::MoveFileExW(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  lastError_ = ::GetLastError();
  return false;
}

unsigned long Win32SaveFileSystem::LastError() { return lastError_; }

bool Win32SaveFileSystem::IsPassingError(unsigned long error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

void Win32SaveFileSystem::Pause(unsigned milliseconds) { ::Sleep(milliseconds); }

void Win32SaveFileSystem::Remove(const std::wstring& path) { ::DeleteFileW(path.c_str()); }

bool SaveFileAtomically(const std::wstring& target, std::string_view bytes, unsigned long* error) {
  Win32SaveFileSystem fs;
  return SaveFileAtomically(fs, target, bytes, error);
}

bool SaveKeepingLastGood(const std::wstring& target, std::string_view bytes, WholeFileTest isWhole,
                         unsigned long* error) {
  Win32SaveFileSystem fs;
  return SaveKeepingLastGood(fs, target, bytes, isWhole, error);
}

bool RestoreLastGoodIfDamaged(const std::wstring& target, WholeFileTest isWhole) {
  Win32SaveFileSystem fs;
  return RestoreLastGoodIfDamaged(fs, target, isWhole);
}

}  // namespace kelvane
