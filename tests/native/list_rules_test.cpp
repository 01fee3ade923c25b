#include "lists/list_rules.h"
#include "lists/target_check.h"
#include "toolkit/path_parts.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ListRules, KindsFilesAndCountHeaders) {
  EXPECT_EQ(ListFileName(kAppsKind), L"MyApps.txt");
  EXPECT_EQ(ListFileName(kFilesKind), L"MyFiles.txt");
  EXPECT_EQ(ListFileName(kLinksKind), L"MyLinks.txt");
  EXPECT_TRUE(ListFileName(0).empty());
  EXPECT_TRUE(ListFileName(4).empty());
  EXPECT_EQ(ListCountHeader(kAppsKind, 0), L"0 applications ex\u00E9cutables list\u00E9es");
  EXPECT_EQ(ListCountHeader(kFilesKind, 12), L"12 fichiers list\u00E9s");
  EXPECT_EQ(ListCountHeader(kLinksKind, 3), L"3 Liens internet list\u00E9s");
  EXPECT_EQ(LinksRemovedHeader(2), L"2 liens internet enregistr\u00E9s");
}

TEST(ListRules, NamesMatchAsWholesWithLetterCaseIgnored) {
  EXPECT_TRUE(SameNameIgnoringCase(L"SETUP.EXE", L"setup.exe"));
  EXPECT_FALSE(SameNameIgnoringCase(L"setup.exe", L"setup.exe.bak")) << "whole names only";
  EXPECT_FALSE(SameNameIgnoringCase(L"Actu", L"Actu ")) << "blanks count";
  // Accented capitals of French and of the other Latin languages.
  EXPECT_TRUE(SameNameIgnoringCase(L"\u00C9T\u00C9 \u00C0 \u00C7A \u0152UVRE \u0178", L"\u00E9t\u00E9 \u00E0 \u00E7a \u0153uvre \u00FF"));
  EXPECT_TRUE(SameNameIgnoringCase(L"\u0141\u00D3D\u0179 \u0218\u021A \u0147 \u1EA0", L"\u0142\u00F3d\u017A \u0219\u021B \u0148 \u1EA1"));
  // Accents are letters of their own; nothing expands.
  EXPECT_FALSE(SameNameIgnoringCase(L"Ete", L"\u00E9t\u00E9"));
  EXPECT_FALSE(SameNameIgnoringCase(L"STRASSE", L"stra\u00DFe"));
  EXPECT_TRUE(SameNameIgnoringCase(L"STRA\u1E9EE", L"stra\u00DFe"));
  EXPECT_FALSE(SameNameIgnoringCase(L"\u00D7", L"\u00F7")) << "signs are no letters";
  EXPECT_FALSE(SameNameIgnoringCase(L"\u0130", L"i")) << "dotted capital I stays itself";
  // Greek with its final sigma, Cyrillic, Armenian, fullwidth Latin.
  EXPECT_TRUE(SameNameIgnoringCase(L"\u039F\u0394\u03A5\u03A3\u03A3\u0395\u0391\u03A3 \u038C", L"\u03BF\u03B4\u03C5\u03C3\u03C3\u03B5\u03B1\u03C2 \u03CC"));
  EXPECT_TRUE(SameNameIgnoringCase(L"\u041C\u041E\u0421\u041A\u0412\u0410 \u0401 \u0490", L"\u043C\u043E\u0441\u043A\u0432\u0430 \u0451 \u0491"));
  EXPECT_TRUE(SameNameIgnoringCase(L"\u0540\u0531\u0545", L"\u0570\u0561\u0575"));
  EXPECT_TRUE(SameNameIgnoringCase(L"\uFF21\uFF22", L"\uFF41\uFF42"));
  // Other scripts and characters beyond the basic plane compare exactly.
  EXPECT_TRUE(SameNameIgnoringCase(L"\u65E5\u672C \U0001F600", L"\u65E5\u672C \U0001F600"));
  EXPECT_FALSE(SameNameIgnoringCase(L"\U0001F600", L"\U0001F601"));

  const std::vector<std::wstring> names = {L"Installer", L"notepad.exe", L"NOTEPAD.EXE"};
  EXPECT_EQ(FindNameIgnoringCase(names, L"Notepad.exe"), 1) << "the first match from the top";
  EXPECT_EQ(FindNameIgnoringCase(names, L"setup.exe"), -1);
  EXPECT_EQ(FindNameIgnoringCase({}, L""), -1);
}

TEST(ListRules, DuplicateMessagesNameWhatWasRefused) {
  EXPECT_EQ(DuplicateText(DuplicateOf::Application, L"setup.exe"),
            L"L'application setup.exe se trouve d\u00E9j\u00E0 dans votre liste.");
  EXPECT_EQ(DuplicateText(DuplicateOf::File, L"a.txt"), L"Le fichier a.txt se trouve d\u00E9j\u00E0 dans votre liste.");
  EXPECT_EQ(DuplicateText(DuplicateOf::Folder, L"Notes"), L"Le dossier Notes se trouve d\u00E9j\u00E0 dans votre liste.");
  EXPECT_EQ(DuplicateText(DuplicateOf::Link, L"News"), L"Le site web News se trouve d\u00E9j\u00E0 dans votre liste.");
}

TEST(ListRules, PathPiecesOfChosenFilesAndFolders) {
  EXPECT_EQ(FolderPartOf(L"C:\\Tools\\setup.exe"), L"C:\\Tools\\");
  EXPECT_EQ(FileNamePartOf(L"C:\\Tools\\setup.exe"), L"setup.exe");
  EXPECT_EQ(FolderPartOf(L"C:/Tools\\x/setup.exe"), L"C:/Tools\\x/");
  EXPECT_EQ(FileNamePartOf(L"C:/Tools/setup.exe"), L"setup.exe");
  EXPECT_EQ(FolderPartOf(L"setup.exe"), L"");
  EXPECT_EQ(FileNamePartOf(L"setup.exe"), L"setup.exe");

  EXPECT_EQ(FolderNameOf(L"C:\\Data\\Photos\\"), L"Photos");
  EXPECT_EQ(FolderNameOf(L"D:\\"), L"D:");
  EXPECT_EQ(FolderNameOf(L"C:/Data/Photos/"), L"Photos");
  EXPECT_EQ(FolderNameOf(L"\\\\server\\share\\"), L"share");
  EXPECT_EQ(FolderNameOf(L"C:\\Data\\Photos"), L"Data") << "the folder part of a path without final separator";
  EXPECT_EQ(FolderNameOf(L""), L"");
  EXPECT_EQ(FolderNameOf(L"\\"), L"");

  EXPECT_EQ(WithTrailingBackslash(L"C:\\Docs\\Notes"), L"C:\\Docs\\Notes\\");
  EXPECT_EQ(WithTrailingBackslash(L"D:\\"), L"D:\\");
  EXPECT_EQ(WithTrailingBackslash(L""), L"");
}

TEST(ListRules, StartingATarget) {
  EXPECT_EQ(QuotedCommandLine(L"C:\\Program Files\\App\\app.exe"), L"\"C:\\Program Files\\App\\app.exe\"");
  EXPECT_EQ(QuotedCommandLine(L"\"C:\\a.exe\" -x"), L"\"C:\\a.exe\" -x");

  EXPECT_TRUE(IsFullPath(L"C:\\a.exe"));
  EXPECT_TRUE(IsFullPath(L"d:/a.exe"));
  EXPECT_TRUE(IsFullPath(L"\\\\server\\share\\a.exe"));
  EXPECT_TRUE(IsFullPath(L"\"C:\\a.exe\""));
  EXPECT_FALSE(IsFullPath(L"www.example.com"));
  EXPECT_FALSE(IsFullPath(L"https://example.com/"));
  EXPECT_FALSE(IsFullPath(L"C:a.exe")) << "relative to the drive's current folder";
  EXPECT_FALSE(IsFullPath(L"\\a.exe"));
  EXPECT_FALSE(IsFullPath(L"notepad"));

  EXPECT_EQ(ShellWorkingFolderOf(L"C:\\Docs\\a.txt"), L"C:\\Docs\\");
  EXPECT_EQ(ShellWorkingFolderOf(L"D:\\Photos\\"), L"D:\\Photos\\");
  EXPECT_EQ(ShellWorkingFolderOf(L"https://example.com/a/b"), L"") << "slashes are no working folder";

  // Only local paths are checked for existence; their keys compare as the file system does.
  for (const wchar_t* checked : {L"C:\\a.exe", L"d:/Photos/"}) EXPECT_TRUE(IsCheckableTarget(checked)) << checked;
  for (const wchar_t* skipped : {L"\\\\server\\share\\a.exe", L"https://example.com/", L"C:a.exe", L"notepad",
                                 L"%WINDIR%\\notepad.exe", L"1:\\a", L""}) {
    EXPECT_FALSE(IsCheckableTarget(skipped)) << skipped;
  }
  EXPECT_EQ(TargetKey(L"c:/Données/été/"), TargetKey(L"C:\\DONNÉES\\ÉTÉ"));
  EXPECT_EQ(TargetKey(L"c:\\"), L"C:\\");
}

}  // namespace
}  // namespace kelvane
