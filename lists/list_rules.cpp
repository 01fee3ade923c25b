#include "lists/list_rules.h"

namespace kelvane {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

size_t LastSeparator(std::wstring_view path) { return path.find_last_of(L"\\/"); }

// Upper case at even code points, lower case at the odd one after it.
bool InEvenPairRange(char32_t c) {
  return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177) ||
         (c >= 0x01DE && c <= 0x01EF) || (c >= 0x01F8 && c <= 0x021F) || (c >= 0x0222 && c <= 0x0233) ||
         (c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) || (c >= 0x04D0 && c <= 0x052F) ||
         (c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF);
}

// Upper case at odd code points, lower case at the even one after it.
bool InOddPairRange(char32_t c) {
  return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E) || (c >= 0x01CD && c <= 0x01DC) ||
         (c >= 0x04C1 && c <= 0x04CE);
}

}  // namespace

bool IsListKind(int kind) { return kind >= kAppsKind && kind <= kLinksKind; }

std::wstring_view ListFileName(int kind) {
  switch (kind) {
    case kAppsKind: return L"MyApps.txt";
    case kFilesKind: return L"MyFiles.txt";
    case kLinksKind: return L"MyLinks.txt";
    default: return {};
  }
}

std::wstring_view ListCountSuffix(int kind) {
  switch (kind) {
    case kAppsKind: return L" applications ex\u00E9cutables list\u00E9es";
    case kFilesKind: return L" fichiers list\u00E9s";
    case kLinksKind: return L" Liens internet list\u00E9s";
    default: return {};
  }
}

std::wstring ListCountHeader(int kind, std::size_t count) {
  return std::to_wstring(count) + std::wstring(ListCountSuffix(kind));
}

std::wstring LinksRemovedHeader(std::size_t count) {
  return std::to_wstring(count) + L" liens internet enregistr\u00E9s";
}

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c < 0x100) return c;
  if (InEvenPairRange(c)) return c | 1;
  if (InOddPairRange(c)) return (c & 1) ? c + 1 : c;
  switch (c) {
    case 0x0178: return 0x00FF;  // Ÿ
    case 0x017F: return U's';    // long s
    case 0x0386: return 0x03AC;
    case 0x038C: return 0x03CC;
    case 0x038E: return 0x03CD;
    case 0x038F: return 0x03CE;
    case 0x03C2: return 0x03C3;  // final sigma
    case 0x04C0: return 0x04CF;
    case 0x1E9E: return 0x00DF;  // capital sharp s
    default: break;
  }
  if (c >= 0x0388 && c <= 0x038A) return c + 0x25;
  if ((c >= 0x0391 && c <= 0x03A1) || (c >= 0x03A3 && c <= 0x03AB)) return c + 0x20;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (c >= 0x0531 && c <= 0x0556) return c + 0x30;
  if (c >= 0x2160 && c <= 0x216F) return c + 0x10;  // Roman numerals
  if (c >= 0x24B6 && c <= 0x24CF) return c + 0x1A;  // circled letters
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;  // fullwidth Latin
  return c;
}

bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  // Every folded pair lies in the Basic Multilingual Plane, so comparing
  // unit by unit is right for 16-bit and 32-bit wchar_t alike; surrogates
  // compare exactly.
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    if (FoldCase(static_cast<char32_t>(a[i])) != FoldCase(static_cast<char32_t>(b[i]))) return false;
  }
  return true;
}

int FindNameIgnoringCase(const std::vector<std::wstring>& names, std::wstring_view name) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameNameIgnoringCase(names[i], name)) return static_cast<int>(i);
  }
  return -1;
}

std::wstring DuplicateText(DuplicateOf what, std::wstring_view name) {
  std::wstring text;
  switch (what) {
    case DuplicateOf::Application: text = L"L'application "; break;
    case DuplicateOf::File: text = L"Le fichier "; break;
    case DuplicateOf::Folder: text = L"Le dossier "; break;
    case DuplicateOf::Link: text = L"Le site web "; break;
  }
  text += name;
  text += L" se trouve d\u00E9j\u00E0 dans votre liste.";
  return text;
}

std::wstring FolderPartOf(std::wstring_view path) {
  const size_t last = LastSeparator(path);
  return last == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, last + 1));
}

std::wstring FileNamePartOf(std::wstring_view path) {
  const size_t last = LastSeparator(path);
  return std::wstring(last == std::wstring_view::npos ? path : path.substr(last + 1));
}

std::wstring FolderNameOf(std::wstring_view path) {
  const std::wstring folder = FolderPartOf(path);
  if (folder.empty()) return folder;
  // Back from the second-to-last character to the previous separator.
  size_t start = 0;
  for (size_t i = folder.size() - 1; i-- > 0;) {
    if (IsSeparator(folder[i])) {
      start = i + 1;
      break;
    }
  }
  return folder.substr(start, folder.size() - 1 - start);
}

std::wstring QuotedCommandLine(std::wstring_view target) {
  if (!target.empty() && target.front() == L'"') return std::wstring(target);
  return L"\"" + std::wstring(target) + L"\"";
}

bool IsFullPath(std::wstring_view target) {
  if (!target.empty() && target.front() == L'"') target.remove_prefix(1);
  if (target.size() >= 3 && IsSeparator(target[0]) && IsSeparator(target[1])) return true;  // UNC
  if (target.size() < 3) return false;
  const wchar_t drive = target[0];
  const bool letter = (drive >= L'A' && drive <= L'Z') || (drive >= L'a' && drive <= L'z');
  return letter && target[1] == L':' && IsSeparator(target[2]);
}

std::wstring ShellWorkingFolderOf(std::wstring_view target) {
  const size_t last = target.find_last_of(L'\\');
  return last == std::wstring_view::npos ? std::wstring() : std::wstring(target.substr(0, last + 1));
}

}  // namespace kelvane
