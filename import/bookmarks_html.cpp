// The bookmark HTML file, read in one pass: <H3> names the folder whose <DL>
// follows it, </DL> closes it, <A HREF="..."> starts a bookmark whose name is
// the text up to </A>. Anything else is skipped; a tag left open is closed by
// the next structural tag, so a damaged file loses only its damaged entries.
#include <cwctype>

#include "import/bookmarks.h"
#include "import/import_text.h"
#include "toolkit/utf.h"

namespace kelvane {
namespace {

bool StartsWithNoCase(std::wstring_view text, std::wstring_view start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(text[i])) != static_cast<wint_t>(start[i])) return false;
  }
  return true;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f'; }

struct Tag {
  std::wstring name;  // lower case, "/" first for a closing tag
  std::wstring href;  // the HREF attribute, entities decoded
  std::size_t end = 0;  // just after the tag
  bool complete = false;  // its '>' was found
};

// The tag starting at text[at] == '<'. Quoted attribute values may hold '>'.
Tag ReadTag(std::wstring_view text, std::size_t at) {
  Tag tag;
  std::size_t i = at + 1;
  if (i < text.size() && text[i] == L'/') tag.name.push_back(text[i++]);
  while (i < text.size() && std::iswalnum(static_cast<wint_t>(text[i]))) {
    tag.name.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(text[i++]))));
  }
  while (i < text.size() && text[i] != L'>') {
    if (IsBlank(text[i]) || text[i] == L'/') {
      ++i;
      continue;
    }
    std::wstring attribute;
    while (i < text.size() && !IsBlank(text[i]) && text[i] != L'=' && text[i] != L'>') {
      attribute.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(text[i++]))));
    }
    if (i >= text.size() || text[i] != L'=') continue;
    ++i;
    std::wstring_view value;
    if (i < text.size() && (text[i] == L'"' || text[i] == L'\'')) {
      const wchar_t quote = text[i++];
      std::size_t close = text.find(quote, i);
      if (close == std::wstring_view::npos) close = text.size();
      value = text.substr(i, close - i);
      i = close < text.size() ? close + 1 : close;
    } else {
      const std::size_t start = i;
      while (i < text.size() && !IsBlank(text[i]) && text[i] != L'>') ++i;
      value = text.substr(start, i - start);
    }
    if (attribute == L"href") tag.href = DecodeHtmlEntities(value);
  }
  tag.complete = i < text.size();
  tag.end = tag.complete ? i + 1 : i;
  return tag;
}

std::wstring JoinFolders(const std::vector<std::wstring>& folders) {
  std::wstring joined;
  for (const std::wstring& name : folders) {
    if (name.empty()) continue;
    if (!joined.empty()) joined += L" > ";
    joined += name;
  }
  return joined;
}

}  // namespace

std::vector<Bookmark> ReadBookmarksHtml(std::string_view bytes) {
  const std::wstring text = DecodeImportedText(bytes);
  std::vector<Bookmark> bookmarks;
  std::vector<std::wstring> folders;  // one per open <DL>, up to the depth kept
  std::size_t deeper = 0;             // open <DL> beyond that depth
  std::wstring pendingFolder;         // the last <H3>'s name, for the next <DL>

  enum class Collect { Nothing, FolderName, BookmarkName } collect = Collect::Nothing;
  std::wstring collected;
  Bookmark current;
  const auto finish = [&] {
    if (collect == Collect::FolderName) pendingFolder = CollapseBlanks(DecodeHtmlEntities(collected));
    if (collect == Collect::BookmarkName && IsImportableAddress(current.url)) {
      current.name = CollapseBlanks(DecodeHtmlEntities(collected));
      if (current.name.empty()) current.name = current.url;
      current.folder = JoinFolders(folders);
      bookmarks.push_back(std::move(current));
    }
    current = Bookmark{};
    collected.clear();
    collect = Collect::Nothing;
  };

  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find(L'<', i);
    if (collect != Collect::Nothing) collected.append(text.substr(i, open == std::wstring::npos ? open : open - i));
    if (open == std::wstring::npos) break;
    if (StartsWithNoCase(std::wstring_view(text).substr(open), L"<!--")) {
      const std::size_t close = text.find(L"-->", open + 4);
      i = close == std::wstring::npos ? text.size() : close + 3;
      continue;
    }
    const Tag tag = ReadTag(text, open);
    i = tag.end;
    if (!tag.complete) break;  // the file ends inside it
    if (tag.name == L"a") {
      finish();
      collect = Collect::BookmarkName;
      current.url = tag.href;
    } else if (tag.name == L"h3") {
      finish();
      collect = Collect::FolderName;
    } else if (tag.name == L"/a" || tag.name == L"/h3" || tag.name == L"dt") {
      finish();
    } else if (tag.name == L"dl") {
      finish();
      if (folders.size() < kMaxBookmarkFolderDepth) {
        folders.push_back(std::move(pendingFolder));
      } else {
        ++deeper;
      }
      pendingFolder.clear();
    } else if (tag.name == L"/dl") {
      finish();
      if (deeper) {
        --deeper;
      } else if (!folders.empty()) {
        folders.pop_back();
      }
    }
  }
  finish();
  return bookmarks;
}

}  // namespace kelvane
