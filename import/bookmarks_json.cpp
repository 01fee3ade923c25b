// The JSON bookmark file of the Chromium-family browsers:
//   {"roots": {"bookmark_bar": {"name": ..., "children": [
//       {"type": "url", "name": ..., "url": ...},
//       {"type": "folder", "name": ..., "children": [...]}]}, "other": {...}}}
// Parsed into a small tree, then walked. The parser stops at the first fault
// and keeps what it had read, and refuses nesting deeper than kMaxJsonDepth,
// so neither a damaged file nor a hostile one can exhaust the stack.

#include "import/bookmarks.h"
#include "import/import_text.h"
#include "toolkit/utf.h"

namespace kelvane {
namespace {

struct JsonValue {
  enum class Type { Null, Other, String, Array, Object } type = Type::Null;
  std::wstring text;                                       // String
  std::vector<JsonValue> items;                            // Array
  // Object: names and values side by side (a pair would need the type whole).
  std::vector<std::wstring> names;
  std::vector<JsonValue> values;

  const JsonValue* Member(std::wstring_view name) const {
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) {
      if (names[i] == name) return &values[i];
    }
    return nullptr;
  }
  std::wstring_view StringOf(std::wstring_view name) const {
    const JsonValue* value = Member(name);
    return value && value->type == Type::String ? std::wstring_view(value->text) : std::wstring_view();
  }
};

class JsonParser {
 public:
  explicit JsonParser(std::wstring_view text) : text_(text) {}

  // False at the first fault; `value` keeps what was read up to it.
  bool Parse(JsonValue& value, std::size_t depth = 0) {
    SkipBlanks();
    if (at_ >= text_.size() || depth > kMaxJsonDepth) return false;
    switch (text_[at_]) {
      case L'{':
        value.type = JsonValue::Type::Object;
        return ParseObject(value, depth);
      case L'[':
        value.type = JsonValue::Type::Array;
        return ParseArray(value, depth);
      case L'"':
        value.type = JsonValue::Type::String;
        return ParseString(value.text);
      default:
        value.type = JsonValue::Type::Other;
        return SkipScalar();
    }
  }

 private:
  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == L' ' || text_[at_] == L'\t' || text_[at_] == L'\r' ||
                                  text_[at_] == L'\n')) {
      ++at_;
    }
  }
  bool Take(wchar_t c) {
    SkipBlanks();
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }

  bool ParseObject(JsonValue& value, std::size_t depth) {
    ++at_;
    if (Take(L'}')) return true;
    do {
      std::wstring key;
      SkipBlanks();
      if (at_ >= text_.size() || text_[at_] != L'"' || !ParseString(key) || !Take(L':')) return false;
      value.names.push_back(std::move(key));
      value.values.emplace_back();
      if (!Parse(value.values.back(), depth + 1)) return false;
    } while (Take(L','));
    return Take(L'}');
  }

  bool ParseArray(JsonValue& value, std::size_t depth) {
    ++at_;
    if (Take(L']')) return true;
    do {
      value.items.emplace_back();
      if (!Parse(value.items.back(), depth + 1)) return false;
    } while (Take(L','));
    return Take(L']');
  }

  bool ReadHex4(char32_t* unit) {
    if (at_ + 4 > text_.size()) return false;
    *unit = 0;
    for (int k = 0; k < 4; ++k) {
      const wchar_t d = text_[at_++];
      int digit = -1;
      if (d >= L'0' && d <= L'9') digit = d - L'0';
      else if (d >= L'a' && d <= L'f') digit = d - L'a' + 10;
      else if (d >= L'A' && d <= L'F') digit = d - L'A' + 10;
      if (digit < 0) return false;
      *unit = *unit * 16 + static_cast<char32_t>(digit);
    }
    return true;
  }

  bool ParseString(std::wstring& out) {
    ++at_;  // the opening quote
    while (at_ < text_.size()) {
      const wchar_t c = text_[at_++];
      if (c == L'"') return true;
      if (c != L'\\') {
        out.push_back(c);
        continue;
      }
      if (at_ >= text_.size()) return false;
      const wchar_t escaped = text_[at_++];
      switch (escaped) {
        case L'n': out.push_back(L'\n'); break;
        case L't': out.push_back(L'\t'); break;
        case L'r': out.push_back(L'\r'); break;
        case L'b': out.push_back(L'\b'); break;
        case L'f': out.push_back(L'\f'); break;
        case L'u': {
          char32_t unit = 0;
          if (!ReadHex4(&unit)) return false;
          // A high surrogate followed by an escaped low one is one character.
          if (unit >= 0xD800 && unit <= 0xDBFF && text_.substr(at_, 2) == L"\\u") {
            const std::size_t back = at_;
            at_ += 2;
            char32_t low = 0;
            if (ReadHex4(&low) && low >= 0xDC00 && low <= 0xDFFF) {
              unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            } else {
              at_ = back;
            }
          }
          AppendCheckedCodePoint(out, unit);
          break;
        }
        default: out.push_back(escaped); break;  // \" \\ \/ and lenient others
      }
    }
    return false;
  }

  bool SkipScalar() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != L',' && text_[at_] != L'}' && text_[at_] != L']' &&
           text_[at_] != L' ' && text_[at_] != L'\n' && text_[at_] != L'\r' && text_[at_] != L'\t') {
      ++at_;
    }
    return at_ > start;
  }

  std::wstring_view text_;
  std::size_t at_ = 0;
};

void Walk(const JsonValue& node, std::vector<std::wstring>& folders, std::vector<Bookmark>& out) {
  const std::wstring_view type = node.StringOf(L"type");
  if (type == L"url") {
    Bookmark bookmark;
    bookmark.url = std::wstring(node.StringOf(L"url"));
    if (!IsImportableAddress(bookmark.url)) return;
    bookmark.name = CollapseBlanks(node.StringOf(L"name"));
    if (bookmark.name.empty()) bookmark.name = bookmark.url;
    for (const std::wstring& folder : folders) {
      if (folder.empty()) continue;
      if (!bookmark.folder.empty()) bookmark.folder += L" > ";
      bookmark.folder += folder;
    }
    out.push_back(std::move(bookmark));
    return;
  }
  const JsonValue* children = node.Member(L"children");
  if (!children || children->type != JsonValue::Type::Array) return;
  const bool named = folders.size() < kMaxBookmarkFolderDepth;
  if (named) folders.push_back(CollapseBlanks(node.StringOf(L"name")));
  for (const JsonValue& child : children->items) Walk(child, folders, out);
  if (named) folders.pop_back();
}

}  // namespace

std::vector<Bookmark> ReadBookmarksJson(std::string_view bytes) {
  const std::wstring text = DecodeImportedText(bytes);
  JsonValue root;
  JsonParser(text).Parse(root);
  std::vector<Bookmark> bookmarks;
  const JsonValue* roots = root.Member(L"roots");
  if (!roots) return bookmarks;
  std::vector<std::wstring> folders;
  for (const JsonValue& node : roots->values) Walk(node, folders, bookmarks);
  return bookmarks;
}

}  // namespace kelvane
