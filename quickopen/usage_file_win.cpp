#include "quickopen/usage_file_win.h"

#include "toolkit/safe_save_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {

std::wstring UsageFilePath(const std::wstring& dataFolder) { return dataFolder + kUsageFileName; }

UsageCounts ReadUsageFile(const std::wstring& path) {
  std::string bytes;
  if (!ReadWholeFile(path, &bytes)) return {};
  return UsageCounts::Parse(bytes);
}

bool WriteUsageFile(const std::wstring& path, const UsageCounts& usage) {
  return SaveFileAtomically(path, usage.Serialize());
}

}  // namespace kelvane
