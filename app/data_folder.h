#pragma once
#include <array>
#include <string>

namespace kelvane {

inline constexpr wchar_t kDataFolderName[] = L"Tamorin Kelvane";
inline constexpr std::array<const wchar_t*, 3> kListFileNames = {L"MyApps.txt", L"MyFiles.txt",
                                                                 L"MyLinks.txt"};

// ProfileFolder + "Tamorin Kelvane\" once that folder exists or could be
// made; empty when the name is taken by a plain file or creation fails, so
// that the data files are then addressed by their bare names.
std::wstring EstablishDataFolder(const std::wstring& profileFolder);

// Creates each list file that does not exist yet, empty.
void CreateMissingListFiles(const std::wstring& dataFolder);

}  // namespace kelvane
