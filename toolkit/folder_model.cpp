#include "toolkit/folder_model.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kelvane {
namespace {

template <typename T>
int Compare(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

int Group(FolderRowKind kind) {
  switch (kind) {
    case FolderRowKind::Parent:
      return 0;
    case FolderRowKind::Drive:
    case FolderRowKind::Folder:
      return 1;
    case FolderRowKind::File:
      break;
  }
  return 2;
}

// Letter without its accent, for upper-case Latin letters (after FoldCase);
// 0 when the character is no accented Latin letter.
char32_t BaseLetter(char32_t u) {
  if (u >= 0xC0 && u <= 0xDF) {
    static constexpr char kLatin1[] = "AAAAAAACEEEEIIIIDNOOOOO\0OUUUUY\0S";
    return static_cast<unsigned char>(kLatin1[u - 0xC0]);
  }
  struct Range {
    char32_t first, last;
    char base;
  };
  static constexpr Range kExtendedA[] = {
      {0x100, 0x105, 'A'}, {0x106, 0x10D, 'C'}, {0x10E, 0x111, 'D'}, {0x112, 0x11B, 'E'}, {0x11C, 0x123, 'G'},
      {0x124, 0x127, 'H'}, {0x128, 0x133, 'I'}, {0x134, 0x135, 'J'}, {0x136, 0x138, 'K'}, {0x139, 0x142, 'L'},
      {0x143, 0x14B, 'N'}, {0x14C, 0x153, 'O'}, {0x154, 0x159, 'R'}, {0x15A, 0x161, 'S'}, {0x162, 0x167, 'T'},
      {0x168, 0x173, 'U'}, {0x174, 0x175, 'W'}, {0x176, 0x178, 'Y'}, {0x179, 0x17E, 'Z'},
  };
  if (u >= 0x100 && u <= 0x17E) {
    for (const Range& r : kExtendedA) {
      if (u >= r.first && u <= r.last) return static_cast<char32_t>(r.base);
    }
  }
  return 0;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Primary weight of a non-digit character: symbols, then digits, then
// letters (accented Latin letters with their base letter).
std::uint32_t Primary(char32_t folded) {
  constexpr std::uint32_t kSymbol = 0u << 24, kDigit = 1u << 24, kLetter = 2u << 24;
  if (folded < 0x80) {
    if (folded >= 'A' && folded <= 'Z') return kLetter | folded;
    if (folded >= '0' && folded <= '9') return kDigit | folded;
    return kSymbol | folded;
  }
  if (const char32_t base = BaseLetter(folded)) return kLetter | base;
  if (folded < 0xC0 || folded == 0xD7 || folded == 0xF7 || (folded >= 0x2000 && folded < 0x3000)) {
    return kSymbol | folded;  // Latin-1 signs, general punctuation, arrows, maths
  }
  return kLetter | folded;
}

std::uint64_t HashName(std::wstring_view name) {
  std::uint64_t h = 1469598103934665603ull;
  for (wchar_t c : name) {
    h ^= static_cast<std::uint32_t>(FoldCase(c));
    h *= 1099511628211ull;
  }
  return h;
}

std::wstring GroupThousands(std::uint64_t value) {
  std::wstring digits = std::to_wstring(value);
  std::wstring out;
  out.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) out += L'\u00A0';
    out += digits[i];
  }
  return out;
}

}  // namespace

FolderSort SortAfterHeaderClick(FolderSort current, FolderColumn clicked) {
  if (current.column == clicked) return {clicked, !current.descending};
  return {clicked, false};
}

wchar_t FoldCase(wchar_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  if (u < 0x80) return (u >= 'a' && u <= 'z') ? static_cast<wchar_t>(u - 0x20) : c;
  if (u < 0x100) {
    if (u == 0xB5) return static_cast<wchar_t>(0x39C);
    if (u == 0xFF) return static_cast<wchar_t>(0x178);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<wchar_t>(u - 0x20);
    return c;
  }
  if (u <= 0x17F) {
    if (u == 0x131) return L'I';
    if (u == 0x17F) return L'S';
    // Pairs: upper case even, lower odd, except 0x139-0x148 and 0x179-0x17E.
    const bool oddUpper = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
    if (u == 0x138 || u == 0x149) return c;
    if (oddUpper) return (u % 2 == 0) ? static_cast<wchar_t>(u - 1) : c;
    return (u % 2 == 1) ? static_cast<wchar_t>(u - 1) : c;
  }
  if (u >= 0x3AC && u <= 0x3CE) {  // Greek
    if (u == 0x3AC) return static_cast<wchar_t>(0x386);
    if (u <= 0x3AF) return static_cast<wchar_t>(u - 0x25);
    if (u >= 0x3B1 && u <= 0x3CB) return static_cast<wchar_t>(u == 0x3C2 ? 0x3A3 : u - 0x20);
    if (u == 0x3CC) return static_cast<wchar_t>(0x38C);
    if (u >= 0x3CD) return static_cast<wchar_t>(u - 0x3F);
    return c;
  }
  if (u >= 0x430 && u <= 0x4FF) {  // Cyrillic
    if (u <= 0x44F) return static_cast<wchar_t>(u - 0x20);
    if (u <= 0x45F) return static_cast<wchar_t>(u - 0x50);
    if ((u >= 0x460 && u <= 0x481) || (u >= 0x48A && u <= 0x4BF) || (u >= 0x4D0 && u <= 0x4FF)) {
      return (u % 2 == 1) ? static_cast<wchar_t>(u - 1) : c;
    }
    return c;
  }
  if (u >= 0xFF41 && u <= 0xFF5A) return static_cast<wchar_t>(u - 0x20);  // full-width Latin
  return c;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

int CompareNames(std::wstring_view a, std::wstring_view b) {
  int accentTie = 0, caseTie = 0, zeroTie = 0;
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (a[i] == b[j] && !IsDigit(a[i])) {  // most names share long beginnings
      ++i;
      ++j;
      continue;
    }
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      // Numbers by value: leading zeros aside, the longer is larger.
      std::size_t zi = i, zj = j;
      while (zi < a.size() && a[zi] == L'0') ++zi;
      while (zj < b.size() && b[zj] == L'0') ++zj;
      std::size_t ei = zi, ej = zj;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      if (ei - zi != ej - zj) return ei - zi < ej - zj ? -1 : 1;
      for (std::size_t k = 0; k < ei - zi; ++k) {
        if (a[zi + k] != b[zj + k]) return a[zi + k] < b[zj + k] ? -1 : 1;
      }
      if (zeroTie == 0 && zi - i != zj - j) zeroTie = zi - i < zj - j ? -1 : 1;
      i = ei;
      j = ej;
      continue;
    }
    const auto fa = static_cast<char32_t>(static_cast<std::uint32_t>(FoldCase(a[i])));
    const auto fb = static_cast<char32_t>(static_cast<std::uint32_t>(FoldCase(b[j])));
    const std::uint32_t pa = Primary(fa), pb = Primary(fb);
    if (pa != pb) return pa < pb ? -1 : 1;
    if (accentTie == 0 && fa != fb) accentTie = fa < fb ? -1 : 1;
    if (caseTie == 0 && a[i] != b[j]) caseTie = a[i] < b[j] ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  if (accentTie) return accentTie;
  if (caseTie) return caseTie;
  return zeroTie;
}

// --- FolderModel -------------------------------------------------------------

bool FolderModel::RowLess(const FolderRow& a, const FolderRow& b, FolderSort sort,
                          const std::vector<std::wstring>* types) {
  const int ga = Group(a.kind), gb = Group(b.kind);
  if (ga != gb) return ga < gb;
  int c = 0;
  switch (sort.column) {
    case FolderColumn::None:
      return a.order < b.order;  // listing order knows no direction
    case FolderColumn::Name:
      c = CompareNames(a.name, b.name);
      break;
    case FolderColumn::Size:
      c = Compare(a.size, b.size);
      break;
    case FolderColumn::Type: {
      const auto text = [types](std::int32_t i) -> std::wstring_view {
        if (!types || i < 0 || static_cast<std::size_t>(i) >= types->size()) return {};
        return (*types)[static_cast<std::size_t>(i)];
      };
      c = CompareNames(text(a.type), text(b.type));
      break;
    }
    case FolderColumn::Modified:
      c = Compare(a.modified, b.modified);
      break;
  }
  if (c == 0 && sort.column != FolderColumn::Name) c = CompareNames(a.name, b.name);
  if (c == 0) c = Compare(a.order, b.order);
  return sort.descending ? c > 0 : c < 0;
}

void FolderModel::SortBatch(std::vector<FolderRow>& rows, FolderSort sort) {
  if (sort.column == FolderColumn::Type) return;
  std::sort(rows.begin(), rows.end(),
            [sort](const FolderRow& a, const FolderRow& b) { return RowLess(a, b, sort, nullptr); });
}

void FolderModel::SortRows(std::vector<FolderRow>& rows) const {
  const auto less = [this](const FolderRow& a, const FolderRow& b) { return Less(a, b); };
  if (!std::is_sorted(rows.begin(), rows.end(), less)) std::sort(rows.begin(), rows.end(), less);
}

void FolderModel::ResolveTypes(std::vector<FolderRow>& rows) {
  if (sort_.column != FolderColumn::Type || !resolveType_) return;
  for (FolderRow& row : rows) {
    if (row.type == kNotFetched && row.kind != FolderRowKind::Parent) row.type = resolveType_(row);
  }
}

void FolderModel::Clear(bool parentEntry) {
  rows_.clear();
  if (parentEntry) {
    FolderRow parent;
    parent.name = L"..";
    parent.kind = FolderRowKind::Parent;
    rows_.push_back(std::move(parent));
  }
}

void FolderModel::Append(std::vector<FolderRow> batch) {
  if (batch.empty()) return;
  ResolveTypes(batch);
  SortRows(batch);
  const auto less = [this](const FolderRow& a, const FolderRow& b) { return Less(a, b); };
  const auto middle = static_cast<std::ptrdiff_t>(rows_.size());
  rows_.insert(rows_.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
  std::inplace_merge(rows_.begin(), rows_.begin() + middle, rows_.end(), less);
}

FolderDiff FolderModel::Replace(std::vector<FolderRow> listing) {
  // Old rows by the hash of their folded name; each old row matches once.
  const bool hasParent = !rows_.empty() && rows_.front().kind == FolderRowKind::Parent;
  const std::size_t first = hasParent ? 1 : 0;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> index;
  index.reserve(rows_.size() - first);
  for (std::size_t i = first; i < rows_.size(); ++i) {
    index.emplace_back(HashName(rows_[i].name), static_cast<std::uint32_t>(i));
  }
  std::sort(index.begin(), index.end());
  std::vector<bool> matched(rows_.size(), false);

  FolderDiff diff;
  std::size_t kept = 0;
  for (FolderRow& row : listing) {
    const std::uint64_t h = HashName(row.name);
    auto it = std::lower_bound(index.begin(), index.end(), std::make_pair(h, std::uint32_t{0}));
    FolderRow* old = nullptr;
    for (; it != index.end() && it->first == h; ++it) {
      FolderRow& candidate = rows_[it->second];
      if (matched[it->second] || candidate.kind != row.kind || !SameName(candidate.name, row.name)) continue;
      if (!old || candidate.name == row.name) {
        if (old) matched[static_cast<std::size_t>(old - rows_.data())] = false;
        old = &candidate;
        matched[it->second] = true;
      }
    }
    if (!old) {
      ++diff.added;
      continue;
    }
    ++kept;
    row.type = old->type;
    if (old->name == row.name && old->size == row.size && old->modified == row.modified &&
        old->attributes == row.attributes) {
      row.icon = old->icon;
    } else {
      ++diff.changed;
    }
  }
  diff.removed = rows_.size() - first - kept;
  if (!diff.Any()) return diff;

  std::vector<FolderRow> rows;
  rows.reserve(listing.size() + first);
  if (hasParent) rows.push_back(std::move(rows_.front()));
  rows.insert(rows.end(), std::make_move_iterator(listing.begin()), std::make_move_iterator(listing.end()));
  ResolveTypes(rows);
  SortRows(rows);
  rows_ = std::move(rows);
  return diff;
}

void FolderModel::SetSort(FolderSort sort) {
  sort_ = sort;
  ResolveTypes(rows_);
  std::sort(rows_.begin(), rows_.end(), [this](const FolderRow& a, const FolderRow& b) { return Less(a, b); });
}

std::int32_t FolderModel::InternType(const std::wstring& text) {
  auto [it, inserted] = typeIndex_.try_emplace(text, static_cast<std::int32_t>(types_.size()));
  if (inserted) types_.push_back(text);
  return it->second;
}

const std::wstring& FolderModel::TypeText(std::int32_t index) const {
  static const std::wstring kNone;
  if (index < 0 || static_cast<std::size_t>(index) >= types_.size()) return kNone;
  return types_[static_cast<std::size_t>(index)];
}

int FolderModel::FindPrefix(std::wstring_view prefix, std::size_t start) const {
  const std::size_t n = rows_.size();
  if (n == 0 || prefix.empty()) return -1;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = (start + k) % n;
    const std::wstring& name = rows_[i].name;
    if (name.size() >= prefix.size() && SameName(std::wstring_view(name).substr(0, prefix.size()), prefix)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int FolderModel::FindName(std::wstring_view name) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (SameName(rows_[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

// --- Texts and paths ---------------------------------------------------------

std::wstring FormatSizeColumn(std::uint64_t bytes) {
  const std::uint64_t kilobytes = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
  return GroupThousands(kilobytes) + L" Ko";
}

std::wstring FormatCapacity(std::uint64_t bytes) {
  if (bytes < 1000) return std::to_wstring(bytes) + L" octets";
  static const wchar_t* const kUnits[] = {L"octets", L"Ko", L"Mo", L"Go", L"To", L"Po", L"Eo"};
  double value = static_cast<double>(bytes);
  int unit = 0;
  while (value >= 1000 && unit < 6) {
    value /= 1024;
    ++unit;
  }
  // Three significant digits, cut rather than rounded, as the shell does.
  const int decimals = value < 10 ? 2 : (value < 100 ? 1 : 0);
  const double scale = decimals == 2 ? 100 : (decimals == 1 ? 10 : 1);
  const auto scaled = static_cast<std::uint64_t>(std::floor(value * scale + 1e-9));
  std::wstring text = std::to_wstring(scaled / static_cast<std::uint64_t>(scale));
  if (decimals > 0) {
    std::wstring fraction = std::to_wstring(scaled % static_cast<std::uint64_t>(scale));
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), L'0');
    text += L',' + fraction;
  }
  return text + L' ' + kUnits[unit];
}

namespace {

// The decimal number padded with zeros to `width` digits; a wider or a
// negative number comes out whole.
std::wstring Padded(int value, size_t width) {
  const std::wstring digits = std::to_wstring(value);
  if (value < 0 || digits.size() >= width) return digits;
  return std::wstring(width - digits.size(), L'0') + digits;
}

}  // namespace

std::wstring FormatDateColumn(int year, int month, int day, int hour, int minute) {
  // Built piece by piece: a fixed buffer could be cut, and some C libraries
  // then leave it without its terminator.
  return Padded(day, 2) + L'/' + Padded(month, 2) + L'/' + Padded(year, 4) + L' ' + Padded(hour, 2) + L':' +
         Padded(minute, 2);
}

std::wstring NormalizeFolderPath(std::wstring_view path) {
  std::wstring folder(path);
  std::replace(folder.begin(), folder.end(), L'/', L'\\');
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

namespace {

// Without its trailing backslash.
std::wstring_view Trimmed(std::wstring_view folder) {
  while (!folder.empty() && folder.back() == L'\\') folder.remove_suffix(1);
  return folder;
}

bool IsDriveName(std::wstring_view f) {
  if (f.substr(0, 4) == L"\\\\?\\") f.remove_prefix(4);
  return f.size() == 2 && f[1] == L':';
}

}  // namespace

std::wstring ParentFolderOf(std::wstring_view folder) {
  const std::wstring_view f = Trimmed(folder);
  if (f.empty() || IsDriveName(f)) return {};
  const std::size_t slash = f.rfind(L'\\');
  if (slash == std::wstring_view::npos) return {};
  if (f.substr(0, 2) == L"\\\\" && f.substr(0, 4) != L"\\\\?\\") {
    // \\server\share is the top of a network path.
    const std::size_t afterServer = f.find(L'\\', 2);
    if (afterServer == std::wstring_view::npos || afterServer == slash) return {};
  }
  return std::wstring(f.substr(0, slash + 1));
}

std::wstring LastFolderName(std::wstring_view folder) {
  const std::wstring_view f = Trimmed(folder);
  if (IsDriveName(f)) return std::wstring(f.substr(f.size() - 2)) + L'\\';
  const std::size_t slash = f.rfind(L'\\');
  return std::wstring(slash == std::wstring_view::npos ? f : f.substr(slash + 1));
}

std::wstring_view ExtensionOf(std::wstring_view name) {
  const std::size_t dot = name.rfind(L'.');
  if (dot == std::wstring_view::npos) return {};
  return name.substr(dot);
}

}  // namespace kelvane
