#include "import/list_drop_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "import/import_sources_win.h"
#include "import/pick_list.h"
#include "import/url_file.h"
#include "lists/list_commands_win.h"
#include "lists/list_store_win.h"
#include "toolkit/light_subclass_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/shortcut_target_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

struct Candidate {
  ListEntry entry;
  DuplicateOf what;
};

CLIPFORMAT UrlFormat() {
  static const auto format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocatorW"));
  return format;
}

CLIPFORMAT TitleFormat() {
  static const auto format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_FILEDESCRIPTORW));
  return format;
}

// The bytes of one format of the data object (HGLOBAL medium), empty when absent.
std::vector<BYTE> FormatBytes(IDataObject* data, CLIPFORMAT format) {
  FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (!data || data->GetData(&wanted, &medium) != S_OK) return {};
  std::vector<BYTE> bytes;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    if (const void* locked = GlobalLock(medium.hGlobal)) {
      const auto* begin = static_cast<const BYTE*>(locked);
      bytes.assign(begin, begin + GlobalSize(medium.hGlobal));
      GlobalUnlock(medium.hGlobal);
    }
  }
  ReleaseStgMedium(&medium);
  return bytes;
}

std::wstring WideText(const std::vector<BYTE>& bytes) {
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

std::vector<std::wstring> DroppedPaths(IDataObject* data) {
  FORMATETC wanted{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  std::vector<std::wstring> paths;
  if (!data || data->GetData(&wanted, &medium) != S_OK) return paths;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = DragQueryFileW(drop, i, nullptr, 0);
      std::wstring path(length + 1, L'\0');
      path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
      if (!path.empty()) paths.push_back(std::move(path));
    }
  }
  ReleaseStgMedium(&medium);
  return paths;
}

// The title a browser gives with a dragged link: the name of the internet
// shortcut file it offers to make.
std::wstring DroppedTitle(IDataObject* data) {
  const std::vector<BYTE> bytes = FormatBytes(data, TitleFormat());
  if (bytes.size() < sizeof(FILEGROUPDESCRIPTORW)) return {};
  FILEGROUPDESCRIPTORW group{};
  memcpy(&group, bytes.data(), sizeof group);
  if (group.cItems < 1) return {};
  const std::wstring name(group.fgd[0].cFileName, wcsnlen(group.fgd[0].cFileName, MAX_PATH));
  return ShortcutDisplayName(name);
}

void AddLinkFileCandidates(const std::vector<std::wstring>& paths, std::vector<Candidate>* out) {
  std::string bytes;
  for (const std::wstring& path : paths) {
    if (!ReadWholeFile(path, &bytes)) continue;
    const std::wstring address = ReadUrlFileAddress(bytes);
    if (!address.empty()) out->push_back({{ShortcutDisplayName(FileNamePartOf(path)), address}, DuplicateOf::Link});
  }
}

std::vector<Candidate> Candidates(int kind, IDataObject* data) {
  std::vector<Candidate> out;
  const std::vector<std::wstring> paths = DroppedPaths(data);
  switch (kind) {
    case kAppsKind:
      for (const std::wstring& path : paths) {
        const std::wstring name = FileNamePartOf(path);
        if (IsProgramPath(path)) {
          out.push_back({{name, path}, DuplicateOf::Application});
          continue;
        }
        // A shell link (its name loses its extension) to a program.
        const std::wstring shortName = ShortcutDisplayName(name);
        if (shortName == name) continue;
        const std::wstring target = ShortcutTarget(path);
        if (IsProgramPath(target)) out.push_back({{shortName, target}, DuplicateOf::Application});
      }
      break;
    case kFilesKind:
      for (const std::wstring& path : paths) {
        if (DirectoryExists(path)) {
          const std::wstring folder = WithTrailingBackslash(std::wstring_view(path));
          out.push_back({{FolderNameOf(folder), folder}, DuplicateOf::Folder});
        } else {
          out.push_back({{FileNamePartOf(path), path}, DuplicateOf::File});
        }
      }
      break;
    case kLinksKind: {
      std::wstring address = AddressInDroppedText(WideText(FormatBytes(data, UrlFormat())));
      if (address.empty()) address = AddressInDroppedText(WideText(FormatBytes(data, CF_UNICODETEXT)));
      if (!address.empty()) {
        std::wstring name = DroppedTitle(data);
        if (name.empty()) name = LinkNameFromAddress(address);
        out.push_back({{name, address}, DuplicateOf::Link});
      } else {
        AddLinkFileCandidates(paths, &out);
      }
      break;
    }
    default:
      break;
  }
  return out;
}

DWORD EffectFor(bool takes, DWORD allowed) {
  if (!takes) return DROPEFFECT_NONE;
  // A favourite refers to what was dropped: nothing is moved.
  if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK;
  return allowed & DROPEFFECT_COPY;
}

class ListDropTarget : public IDropTarget {
 public:
  ListDropTarget(FavouriteStore& store, int kind) : store_(store), kind_(kind) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    takes_ = ListTakesDrop(kind_, data);
    *effect = EffectFor(takes_, *effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = EffectFor(takes_, *effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    takes_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    *effect = EffectFor(takes_, *effect);
    takes_ = false;
    if (*effect != DROPEFFECT_NONE) DropOnList(store_, kind_, data);
    return S_OK;
  }

 private:
  virtual ~ListDropTarget() = default;

  LONG refs_ = 1;
  FavouriteStore& store_;
  int kind_;
  bool takes_ = false;
};

LRESULT RevokeOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void*) {
  if (message == WM_DESTROY) RevokeDragDrop(window);
  return CallNextLightSubclass(window, RevokeOnDestroy, message, wParam, lParam);
}

}  // namespace

void AcceptDropsOnLists(FavouriteStore& store) {
  for (int kind : kListKinds) {
    HWND list = ListView(kind);
    if (!list || !AddLightSubclass(list, RevokeOnDestroy, nullptr)) continue;
    auto* target = new ListDropTarget(store, kind);
    RegisterDragDrop(list, target);  // holds its own reference while registered
    target->Release();
  }
}

bool ListTakesDrop(int kind, IDataObject* data) { return !Candidates(kind, data).empty(); }

int DropOnList(FavouriteStore& store, int kind, IDataObject* data) {
  int added = 0;
  for (const Candidate& candidate : Candidates(kind, data)) {
    added += AddEntryUnlessDuplicate(store, kind, candidate.entry, candidate.what);
  }
  return added;
}

}  // namespace kelvane
