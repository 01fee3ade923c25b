#include "toolkit/safe_save.h"

namespace kelvane {

std::wstring TempPathFor(const std::wstring& target) { return target + L".tmp"; }

bool SaveFileAtomically(SaveFileSystem& fs, const std::wstring& target, std::string_view bytes,
                        unsigned long* error) {
  const std::wstring temp = TempPathFor(target);
  const bool targetExisted = fs.Exists(target);
  auto fail = [&] {
    if (error) *error = fs.LastError();
    return false;
  };
  {
    std::unique_ptr<SaveFile> file = fs.Create(temp);
    if (!file) {
      fail();
      // A failed create may still have left (or truncated) a stale temporary.
      fs.Remove(temp);
      return false;
    }
    const bool written = file->Write(bytes) && file->Flush() && file->Close();
    if (!written) {
      fail();
      file.reset();  // closed before removal: Windows cannot delete an open file
      fs.Remove(temp);
      return false;
    }
  }
  for (int attempt = 1;; ++attempt) {
    if (fs.Replace(temp, target)) return true;
    if (attempt >= kReplaceAttempts || !fs.IsPassingError(fs.LastError())) break;
    fs.Pause(kReplacePauseMs);
  }
  fail();
  // Should the target be gone all the same, the temporary is the only copy
  // of the new text: keep it (the next start recovers a list from it).
  if (!targetExisted || fs.Exists(target)) fs.Remove(temp);
  return false;
}

}  // namespace kelvane
