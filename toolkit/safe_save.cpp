#include "toolkit/safe_save.h"

namespace kelvane {

std::wstring TempPathFor(const std::wstring& target) { return target + L".tmp"; }

bool SaveFileAtomically(SaveFileSystem& fs, const std::wstring& target, std::string_view bytes) {
  const std::wstring temp = TempPathFor(target);
  const bool targetExisted = fs.Exists(target);
  {
    std::unique_ptr<SaveFile> file = fs.Create(temp);
    if (!file) {
      // A failed create may still have left (or truncated) a stale temporary.
      fs.Remove(temp);
      return false;
    }
    const bool written = file->Write(bytes) && file->Flush() && file->Close();
    if (!written) {
      file.reset();  // closed before removal: Windows cannot delete an open file
      fs.Remove(temp);
      return false;
    }
  }
  if (!fs.Replace(temp, target)) {
    // ReplaceFileW can delete the old target and then fail to rename the new
    // file into place. The temporary is then the only copy of the settings:
    // keep it rather than lose both.
    if (!targetExisted || fs.Exists(target)) fs.Remove(temp);
    return false;
  }
  return true;
}

}  // namespace kelvane
