#include "import/pick_list.h"

#include <unordered_set>

#include "import/bookmarks.h"
#include "import/import_text.h"
#include "lists/list_rules.h"

namespace kelvane {
namespace {

// A name as the duplicate rule sees it: equal keys for names that
// SameNameIgnoringCase finds equal (the folded letters are all in the
// Basic Multilingual Plane, so folding unit by unit is enough).
std::wstring NameKey(std::wstring_view name) {
  std::wstring key;
  key.reserve(name.size());
  for (wchar_t c : name) key.push_back(static_cast<wchar_t>(FoldCase(static_cast<char32_t>(c))));
  return key;
}

bool EndsWithIgnoringCase(std::wstring_view text, std::wstring_view end) {
  return text.size() >= end.size() && SameNameIgnoringCase(text.substr(text.size() - end.size()), end);
}


std::wstring Counted(std::size_t count, const wchar_t* one, const wchar_t* many) {
  return std::to_wstring(count) + (count == 1 ? one : many);
}

}  // namespace

std::vector<PickRow> MarkPickRows(std::vector<PickRow> found, const std::vector<std::wstring>& listNames) {
  std::unordered_set<std::wstring> inList;
  for (const std::wstring& name : listNames) inList.insert(NameKey(name));
  std::unordered_set<std::wstring> offered;
  std::vector<PickRow> rows;
  rows.reserve(found.size());
  for (PickRow& row : found) {
    if (row.name.empty() || row.target.empty()) continue;
    std::wstring key = NameKey(row.name);
    row.ticked = false;
    if (inList.count(key)) {
      row.note = kAlreadyPresentNote;
    } else if (!offered.insert(std::move(key)).second) {
      row.note = kRepeatedNote;
    } else {
      row.note.clear();
      row.ticked = true;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::size_t CountDuplicateRows(const std::vector<PickRow>& rows) {
  std::size_t count = 0;
  for (const PickRow& row : rows) count += !row.note.empty();
  return count;
}

std::wstring ImportReport(std::size_t added, std::size_t alreadyPresent) {
  std::wstring text = added == 0 ? L"Aucun favori ajout\u00E9"
                                 : Counted(added, L" favori ajout\u00E9", L" favoris ajout\u00E9s");
  if (alreadyPresent > 0) {
    text += L", " + Counted(alreadyPresent, L" d\u00E9j\u00E0 pr\u00E9sent", L" d\u00E9j\u00E0 pr\u00E9sents");
  }
  return text + L".";
}

std::wstring ShortcutDisplayName(std::wstring_view fileName) {
  if (EndsWithIgnoringCase(fileName, L".lnk") || EndsWithIgnoringCase(fileName, L".url")) {
    fileName.remove_suffix(4);
  }
  return std::wstring(fileName);
}

bool IsProgramPath(std::wstring_view path) { return path.size() > 4 && EndsWithIgnoringCase(path, L".exe"); }

std::wstring LinkNameFromAddress(std::wstring_view address) {
  const std::size_t scheme = address.find(L"://");
  if (scheme == std::wstring_view::npos) return std::wstring(address);
  std::wstring_view rest = address.substr(scheme + 3);
  if (EndsWithIgnoringCase(address.substr(0, scheme), L"file")) {
    while (!rest.empty() && (rest.back() == L'/' || rest.back() == L'\\')) rest.remove_suffix(1);
    const std::wstring name = FileNamePartOf(rest);
    return name.empty() ? std::wstring(address) : name;
  }
  rest = rest.substr(0, rest.find_first_of(L"/?#"));
  if (const std::size_t at = rest.rfind(L'@'); at != std::wstring_view::npos) rest.remove_prefix(at + 1);
  // A port after the host; an IPv6 host keeps its colons inside brackets.
  if (const std::size_t colon = rest.rfind(L':'); colon != std::wstring_view::npos && rest.find(L']', colon) == rest.npos) {
    rest = rest.substr(0, colon);
  }
  return rest.empty() ? std::wstring(address) : std::wstring(rest);
}

std::wstring AddressInDroppedText(std::wstring_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text.find_first_of(L" \t\r\n") != std::wstring_view::npos) return {};
  return IsImportableAddress(text) ? std::wstring(text) : std::wstring();
}

}  // namespace kelvane
