#pragma once
// The rows of one folder as the explorer list shows them, without any window:
// their order (listing order, or sorted by a column in either direction),
// the merge of a new listing that keeps what was fetched for unchanged rows
// (icon, type text), name comparisons as Windows makes them, and the texts of
// the size and date columns.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kelvane {

enum class FolderRowKind : std::uint8_t { Parent, Drive, Folder, File };

// Values of FolderRow::icon and FolderRow::type before they are known.
inline constexpr std::int32_t kNotFetched = -1;
inline constexpr std::int32_t kFetching = -2;  // icon: asked of the background thread

struct FolderRow {
  std::wstring name;             // entry name; "C:\" for a drive; ".." for the parent entry
  std::uint64_t size = 0;        // bytes; a drive's capacity
  std::int64_t modified = 0;     // file time (100 ns ticks since 1601, UTC); 0 when unknown
  std::uint32_t attributes = 0;  // file attributes; a drive's drive type
  std::uint32_t order = 0;       // position in the listing the row came from
  std::int32_t icon = kNotFetched;  // index in the shell's system image list
  std::int32_t type = kNotFetched;  // index in FolderModel's type texts
  FolderRowKind kind = FolderRowKind::File;
  std::wstring target;           // a shortcut's target, when the listing reads them

  bool IsFolderLike() const { return kind != FolderRowKind::File; }
};

enum class FolderColumn : int { None = -1, Name = 0, Size = 1, Type = 2, Modified = 3 };

struct FolderSort {
  FolderColumn column = FolderColumn::None;  // None: the listing's own order
  bool descending = false;
  friend bool operator==(const FolderSort&, const FolderSort&) = default;
};

// A click on a column header: that column ascending, or the same column
// reversed when it is already the sort column.
FolderSort SortAfterHeaderClick(FolderSort current, FolderColumn clicked);

// Upper case of one UTF-16 unit for Latin, Greek and Cyrillic, like the
// table NTFS compares names with; other characters are returned unchanged.
wchar_t FoldCase(wchar_t c);
// Same file name for Windows (case-insensitive, accents significant).
bool SameName(std::wstring_view a, std::wstring_view b);
// Display order of names, as the Windows file manager sorts them: symbols
// before digits before letters, numbers by value ("file2" < "file10"), case
// and accents ignored first ("été" next to "ete") and only then deciding.
// Negative, zero (identical texts only) or positive.
int CompareNames(std::wstring_view a, std::wstring_view b);

struct FolderDiff {
  std::size_t added = 0;
  std::size_t removed = 0;
  std::size_t changed = 0;  // same name, new size, date, attributes or kind
  bool Any() const { return added + removed + changed != 0; }
};

class FolderModel {
 public:
  // Gives the type index of a row whose type is kNotFetched; asked only when
  // rows are sorted by type (the type texts are then needed for every row).
  using TypeResolver = std::function<std::int32_t(const FolderRow&)>;
  void SetTypeResolver(TypeResolver resolver) { resolveType_ = std::move(resolver); }

  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  const FolderRow& operator[](std::size_t i) const { return rows_[i]; }
  FolderRow& operator[](std::size_t i) { return rows_[i]; }
  const std::vector<FolderRow>& rows() const { return rows_; }

  // A new folder: no rows but the parent entry when asked for.
  void Clear(bool parentEntry);
  // More rows of a listing under way, merged into place.
  void Append(std::vector<FolderRow> batch);
  // A fresh listing of the folder shown: rows whose name, kind, size, date
  // and attributes did not change keep their icon; every row whose name and
  // kind stay keeps its type. The parent entry stays. Without any difference
  // the rows are left as they were.
  FolderDiff Replace(std::vector<FolderRow> listing);

  FolderSort sort() const { return sort_; }
  void SetSort(FolderSort sort);

  // Type texts, shared by all rows of the same type.
  std::int32_t InternType(const std::wstring& text);
  const std::wstring& TypeText(std::int32_t index) const;

  // First row from `start` (wrapping round) whose name begins with `prefix`,
  // case-insensitively; -1 when none.
  int FindPrefix(std::wstring_view prefix, std::size_t start) const;
  // Row of that name (Windows rules), -1 when none.
  int FindName(std::wstring_view name) const;

  // The strict weak order of rows: parent entry first, then folders and
  // drives, then files; within a group the sort column (listing order when
  // none), ties by name then listing order. Descending reverses each group,
  // never the groups.
  bool Less(const FolderRow& a, const FolderRow& b) const { return RowLess(a, b, sort_, &types_); }
  // The same order for rows that are not in a model (types unknown: a
  // type sort leaves them as they are). Lets a listing thread sort its
  // batches, so that Append and Replace only check and merge them.
  static void SortBatch(std::vector<FolderRow>& rows, FolderSort sort);

 private:
  static bool RowLess(const FolderRow& a, const FolderRow& b, FolderSort sort, const std::vector<std::wstring>* types);
  void ResolveTypes(std::vector<FolderRow>& rows);
  void SortRows(std::vector<FolderRow>& rows) const;

  std::vector<FolderRow> rows_;
  FolderSort sort_;
  TypeResolver resolveType_;
  std::vector<std::wstring> types_;
  std::unordered_map<std::wstring, std::int32_t> typeIndex_;
};

// Size column: whole kilobytes rounded up with grouped thousands, as the
// Windows file manager shows them: "0 Ko", "1 Ko", "1 206 Ko" (no-break spaces).
std::wstring FormatSizeColumn(std::uint64_t bytes);
// A drive's capacity with three significant digits: "465 Go", "9,53 Go".
std::wstring FormatCapacity(std::uint64_t bytes);
// Date column: "dd/mm/yyyy hh:mm".
std::wstring FormatDateColumn(int year, int month, int day, int hour, int minute);

// Folder paths as the list keeps them: backslashes, one at the end; "" is the
// drive overview. "c:" gives "c:\", "C:/x" gives "C:\x\".
std::wstring NormalizeFolderPath(std::wstring_view path);
// The folder above: "C:\a\b\" gives "C:\a\"; a drive root or a network
// share root gives "" (the drive overview).
std::wstring ParentFolderOf(std::wstring_view folder);
// Last name of a folder path: "C:\a\b\" gives "b"; "C:\" gives "C:\".
std::wstring LastFolderName(std::wstring_view folder);
// Extension with its dot ("x.tar.gz" gives ".gz"); empty when there is none.
std::wstring_view ExtensionOf(std::wstring_view name);

}  // namespace kelvane
