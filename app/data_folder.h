#pragma once
#include <array>
#include <string>

namespace kelvane {

inline constexpr wchar_t kDataFolderName[] = L"Tamorin Kelvane";
inline constexpr std::array<const wchar_t*, 3> kListFileNames = {L"MyApps.txt", L"MyFiles.txt",
                                                                 L"MyLinks.txt"};

// Where a portable copy or a test keeps its data instead of the profile:
// "--data-folder <folder>" on the command line, else the environment
// variable KELVANE_DATA_FOLDER. Empty when neither is given.
inline constexpr wchar_t kDataFolderSwitch[] = L"--data-folder";
inline constexpr wchar_t kDataFolderVariable[] = L"KELVANE_DATA_FOLDER";
std::wstring DataFolderOverride();

// A copy that carries "Kelvane.portable" beside its program keeps its data
// beside it too: program folder + "Tamorin Kelvane". Empty without the marker.
// The override above, when given, comes first.
inline constexpr wchar_t kPortableMarkerName[] = L"Kelvane.portable";
std::wstring PortableDataFolder();

// The data folder, with its trailing backslash, once it exists or could be
// made: the override folder itself when one is given (nothing appended; its
// parent must exist), else ProfileFolder + "Tamorin Kelvane". Empty when the
// name is taken by a plain file, creation fails or the override names a
// folder that must never hold the data (a volume root, the Windows folder,
// the profile itself), so that the data files are then addressed by their
// bare names.
std::wstring EstablishDataFolder(const std::wstring& profileFolder, const std::wstring& overrideFolder = {});

// Creates each list file that does not exist yet, empty.
void CreateMissingListFiles(const std::wstring& dataFolder);

}  // namespace kelvane
