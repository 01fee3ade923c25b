#pragma once
// The rules of the three favourite lists that need no window: kinds and
// their files, the count headers, the duplicate test on names and its
// messages, and the path pieces the tabs take from a chosen file or folder.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// The kind of a list equals its list view's gadget number.
enum ListKind : int { kAppsKind = 1, kFilesKind = 2, kLinksKind = 3 };
inline constexpr int kListKinds[] = {kAppsKind, kFilesKind, kLinksKind};

bool IsListKind(int kind);
// "MyApps.txt", "MyFiles.txt", "MyLinks.txt"; empty for another number.
std::wstring_view ListFileName(int kind);
// " applications exécutables listées", " fichiers listés", " Liens internet listés".
std::wstring_view ListCountSuffix(int kind);

// The first column's title: the count followed by the kind's suffix.
std::wstring ListCountHeader(int kind, std::size_t count);
// The links list's title after a removal: " liens internet enregistrés".
std::wstring LinksRemovedHeader(std::size_t count);

// Names compare as wholes with letter case ignored: simple Unicode case
// folding of the Latin, Greek, Cyrillic and Armenian letters (and fullwidth
// Latin), as a user of a French program expects ("ÉTÉ" equals "été"). Accents
// count ("Ete" is not "été"), nothing expands ("ß" is not "ss"), blanks count
// ("Actu" is not "Actu "), and any other character must match exactly.
char32_t FoldCase(char32_t c);
bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b);
// Index of the first name equal to `name` in that sense, or -1.
int FindNameIgnoringCase(const std::vector<std::wstring>& names, std::wstring_view name);

// What a refused duplicate was going to be.
enum class DuplicateOf { Application, File, Folder, Link };
// "L'application ", "Le fichier ", "Le dossier " or "Le site web " + name +
// " se trouve déjà dans votre liste."
std::wstring DuplicateText(DuplicateOf what, std::wstring_view name);
inline constexpr wchar_t kDuplicateTitle[] = L"Doublon d\u00E9tect\u00E9";

// Paths. A separator is a backslash or a slash.
// The path up to and including its last separator (empty without one).
std::wstring FolderPartOf(std::wstring_view path);
// The path after its last separator (the whole path without one).
std::wstring FileNamePartOf(std::wstring_view path);
// The display name of a folder path that ends with a separator:
// C:\Data\Photos\ gives Photos, the drive root D:\ gives D:.
std::wstring FolderNameOf(std::wstring_view path);

// Starting a target. The command line is the target in double quotes (kept
// as it is when it already starts with one), with no arguments.
std::wstring QuotedCommandLine(std::wstring_view target);
// Only a full path (drive letter, colon and separator, or a UNC \\server
// path) is given to process creation. Anything else (a web address, a bare
// word) goes to the shell alone: process creation would look for a program
// of that name in the program's own and current folders, so a link typed as
// www.example.com could start a file named www.example.com lying there.
bool IsFullPath(std::wstring_view target);
// The shell's working folder for a target: up to and including its last
// backslash; empty (none) without one, as for a web address.
std::wstring ShellWorkingFolderOf(std::wstring_view target);

}  // namespace kelvane
