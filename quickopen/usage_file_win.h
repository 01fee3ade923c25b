#pragma once
// The usage counts of the quick-open box in their file of the data folder,
// "Usage.txt": read once, when the box first opens, written after each opening in one step
// (beside the file, then swapped in).
#include <string>

#include "quickopen/usage_counts.h"

namespace kelvane {

inline constexpr wchar_t kUsageFileName[] = L"Usage.txt";
// Entries kept in the file: the most used ones.
inline constexpr std::size_t kUsageEntriesKept = 500;

// `dataFolder` ends with a backslash or is empty (the current directory).
std::wstring UsageFilePath(const std::wstring& dataFolder);
// Empty counts when the file is missing or unreadable; lines that do not
// make sense are skipped, the others kept.
UsageCounts ReadUsageFile(const std::wstring& path);
// False when the file could not be written; the previous one is then whole.
bool WriteUsageFile(const std::wstring& path, const UsageCounts& usage);

}  // namespace kelvane
