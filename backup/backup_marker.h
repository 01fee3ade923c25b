#pragma once
// The small file written with every backup: it tells a backup the program
// made from any other folder (only such a folder is ever deleted or
// replaced), and it lists every file of the backup with its size and a
// checksum, so that a backup cut short or damaged later is found before a
// restore copies it over the user's data.
//
// Its text: the line "Kelvane backup 1", then one line per file: size,
// checksum (16 hexadecimal digits), path below the backup folder (UTF-8),
// separated by tabs; every line ended by CR LF.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/checksum.h"

namespace kelvane {

inline constexpr wchar_t kBackupMarkerName[] = L"Kelvane.backup";

struct BackupFileRecord {
  std::wstring path;  // below the backup folder, backslashes
  std::uint64_t size = 0;
  std::uint64_t checksum = 0;

  bool operator==(const BackupFileRecord&) const = default;
};

BackupFileRecord RecordOf(std::wstring path, std::string_view bytes);

std::string BackupMarkerText(const std::vector<BackupFileRecord>& files);
// Nothing for a text that is not a marker, or whose lines do not read whole.
std::optional<std::vector<BackupFileRecord>> ParseBackupMarker(std::string_view text);

// The temporary files of saves ("MyApps.txt.tmp", the "rf*.tmp" that an
// interrupted swap leaves): never backed up, never restored.
bool IsTemporaryFileName(std::wstring_view name);

// "MyApps.txt", "MyFiles.txt", "MyLinks.txt" (letter case as the file
// system compares), and the preferences file: what makes a backup.
bool IsListFileName(std::wstring_view name);
bool IsProgramDataFileName(std::wstring_view name);

// A list file as its writer leaves it: undamaged (see IsUndamagedListFile)
// and its last line ended. A file cut short (a full medium, a copy
// interrupted) fails.
bool ListFileIsWhole(std::string_view bytes);

}  // namespace kelvane
