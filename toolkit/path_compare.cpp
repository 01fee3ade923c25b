#include "toolkit/path_compare.h"

#include <cstdint>
#include <iterator>

namespace kelvane {
namespace {

struct UpcaseRun {
  std::uint16_t first;
  std::uint16_t last;
  std::uint8_t step;
  std::int32_t delta;
};

constexpr UpcaseRun kUpcaseRuns[] = {
#include "toolkit/upcase_table.inc"
};


// Separators unified, final separators removed (a lone root keeps its own).
std::wstring NormalisedPath(std::wstring_view path) {
  std::wstring out(path);
  for (wchar_t& c : out) {
    if (c == L'/') c = L'\\';
  }
  while (out.size() > 1 && out.back() == L'\\') out.pop_back();
  return out;
}

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && UpcasePathChar(a[i]) != UpcasePathChar(b[i])) return false;
  }
  return true;
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

wchar_t UpcasePathChar(wchar_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  if (u < 0x80) return (u >= 'a' && u <= 'z') ? static_cast<wchar_t>(u - 0x20) : c;
  if (u > 0xFFFF) return c;
  // The runs are sorted by their first code point: binary search for the last
  // run starting at or before c.
  const UpcaseRun* lo = std::begin(kUpcaseRuns);
  const UpcaseRun* hi = std::end(kUpcaseRuns);
  while (lo < hi) {
    const UpcaseRun* mid = lo + (hi - lo) / 2;
    if (mid->first <= u) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  if (lo == std::begin(kUpcaseRuns)) return c;
  const UpcaseRun& run = *(lo - 1);
  if (u > run.last || (u - run.first) % run.step != 0) return c;
  return static_cast<wchar_t>(static_cast<std::int32_t>(u) + run.delta);
}

bool SamePath(std::wstring_view a, std::wstring_view b) {
  return SameIgnoringCase(NormalisedPath(a), NormalisedPath(b));
}

bool IsInsideFolder(std::wstring_view path, std::wstring_view folder) {
  const std::wstring inner = NormalisedPath(path);
  std::wstring outer = NormalisedPath(folder);
  if (outer.empty()) return false;
  if (outer.back() != L'\\') outer.push_back(L'\\');
  if (inner.size() <= outer.size()) return false;
  return SameIgnoringCase(std::wstring_view(inner).substr(0, outer.size()), outer);
}

bool IsSameOrInsideFolder(std::wstring_view path, std::wstring_view folder) {
  return SamePath(path, folder) || IsInsideFolder(path, folder);
}

bool IsVolumeRootPath(std::wstring_view path) {
  std::wstring p = NormalisedPath(path);
  // "\\?\C:" and "\\.\C:" name the drive like "C:".
  if (p.size() >= 4 && p.compare(0, 2, L"\\\\") == 0 && (p[2] == L'?' || p[2] == L'.') && p[3] == L'\\') {
    p.erase(0, 4);
    if (p.size() >= 4 && SameIgnoringCase(std::wstring_view(p).substr(0, 4), L"UNC\\")) p.replace(0, 4, L"\\\\");
  }
  if (p.size() == 2 && IsDriveLetter(p[0]) && p[1] == L':') return true;
  if (p.size() == 3 && IsDriveLetter(p[0]) && p[1] == L':' && p[2] == L'\\') return true;
  // "\\server\share": two names after the leading pair of backslashes.
  if (p.size() > 2 && p.compare(0, 2, L"\\\\") == 0) {
    const size_t serverEnd = p.find(L'\\', 2);
    if (serverEnd == std::wstring::npos || serverEnd == 2) return true;  // "\\server" alone
    return p.find(L'\\', serverEnd + 1) == std::wstring::npos;
  }
  // "\" alone is the root of the current drive.
  return p == L"\\";
}

}  // namespace kelvane
