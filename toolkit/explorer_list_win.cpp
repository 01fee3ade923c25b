#include "toolkit/explorer_list_win.h"

#include "toolkit/explorer_list_impl_win.h"

#include <shellapi.h>

#include <algorithm>
#include <unordered_set>

#include "toolkit/column_fit_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/folder_lister_win.h"
#include "toolkit/folder_model.h"
#include "toolkit/light_subclass_win.h"
#include "toolkit/shell_icons_win.h"

namespace kelvane {
namespace {

using explorer_list::HeaderText;
using explorer_list::kViewStyles;
using explorer_list::kViews;

// The program's windows hand keys to the dialog manager, which takes Enter
// for the default button unless the focused control asks for it: the list
// asks, so that Enter opens the focused row as a double click does.
LRESULT ListKeysProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, void*) {
  LRESULT result = CallNextLightSubclass(list, ListKeysProc, message, wParam, lParam);
  if (message == WM_GETDLGCODE) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) result |= DLGC_WANTMESSAGE;
  }
  return result;
}


constexpr UINT kListingMessage = WM_APP + 0x4B1;
constexpr UINT kIconsMessage = WM_APP + 0x4B2;
// SetFolder waits this long for the listing: small folders (some thousand
// entries) are then complete when it returns, and their count can be shown
// at once; bigger ones show their first rows while the rest is listed.
constexpr DWORD kWaitForListing = 30;

constexpr const wchar_t* kColumnTitles[] = {L"Nom", L"Taille", L"Type", L"Modifié", L"Cible"};
constexpr int kColumnWidths[] = {150, 80, 80, 80, 150};
// The columns share the list's width in these proportions; sizes and dates
// always show whole.
constexpr double kColumnWeights[] = {42, 14, 20, 24};
constexpr const wchar_t* kColumnWidest[] = {L"", L"999.9 Ko", L"", L"00/00/0000 00:00", L""};
// With the target column the name and the target share most of the width;
// the size, small for a shortcut, gives way.
constexpr double kTargetColumnWeights[] = {28, 10, 16, 20, 26};
constexpr int kTargetColumn = 4;

std::int64_t Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}


std::wstring DateText(std::int64_t fileTime) {
  FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(static_cast<std::uint64_t>(fileTime) >> 32)};
  SYSTEMTIME universal{}, local{};
  // The time zone rules of that date (summer time then), as the shell shows it.
  if (!FileTimeToSystemTime(&utc, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    return {};
  }
  return FormatDateColumn(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute);
}

void CopyText(const std::wstring& text, LVITEMW& item) {
  if (!item.pszText || item.cchTextMax <= 0) return;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(text.data(), n, item.pszText);
  item.pszText[n] = 0;
}

}  // namespace


// --- Listing -----------------------------------------------------------------

void ExplorerListControl::Impl::SetFolder(const std::wstring& path, bool wait) {
  const std::wstring next = NormalizeFolderPath(path);
  const bool same = next == folder && generation != 0;
  folder = next;
  ++generation;
  listing = true;
  stats.firstRowsDrawn = 0;
  stats.listingDone = 0;
  waitingFirstDraw = true;
  if (!same) {
    ++folderGeneration;
    listingError = 0;
    focusWhenListed.clear();
    driveLabels.clear();
    if (iconFetcher) iconFetcher->Forget();
    model.Clear(options.parentEntry && !folder.empty());
  }
  ListingRequest request;
  request.folder = folder;
  request.generation = generation;
  request.folders = options.folders;
  request.files = options.files;
  request.hidden = options.hiddenEntries;
  request.quietDrives = options.quietDrives;
  request.shortcutTargets = options.targetColumn;
  request.whole = same;  // the same folder again is merged, keeping selection and icons
  request.sort = model.sort();
  lister->List(std::move(request));
  // Nothing is drawn while waiting (this thread owns the list view), so the
  // old rows are never asked for after the model dropped them. A list not
  // on screen cannot flash empty: it takes its rows as they come.
  if (wait) lister->WaitUntilListed(kWaitForListing);
  insideSetFolder = true;
  ApplyBatches(!same);
  insideSetFolder = false;
}

void ExplorerListControl::Impl::ApplyBatches(bool newFolder) {
  std::vector<ListingBatch> batches = lister->TakeBatches();
  const Place place = newFolder ? Place{} : Remember();
  // While a folder fills in, the rows on screen usually stay as they are:
  // then only the scroll bar needs to change, not the drawing.
  const bool watchScreen = !newFolder && place.selected.empty() && place.focused.empty();
  const std::vector<std::wstring> onScreen = watchScreen ? NamesOnScreen() : std::vector<std::wstring>{};
  bool changed = newFolder;
  bool appendedOnly = true;
  bool tell = false;
  const DWORD errorBefore = listingError;
  for (ListingBatch& batch : batches) {
    if (batch.generation != generation) continue;  // an older folder's
    if (batch.last) listingError = batch.error;
    if (batch.refresh) {
      const FolderDiff diff = model.Replace(std::move(batch.rows));
      if (diff.Any()) {
        appendedOnly = false;
        ++stats.mergedChanges;
        driveLabels = std::move(batch.driveLabels);
        changed = tell = true;
      }
    } else {
      driveLabels.insert(driveLabels.end(), std::make_move_iterator(batch.driveLabels.begin()),
                         std::make_move_iterator(batch.driveLabels.end()));
      model.Append(std::move(batch.rows));
      changed = true;
    }
    if (batch.last && listing) {
      listing = false;
      ++stats.listings;
      stats.listingDone = Now();
      tell = true;
    }
  }
  // A folder that could not be read (or can again) has news for its title
  // even when its rows stay as they were.
  if (listingError != errorBefore) tell = true;
  if (!changed) {
    if (tell && !insideSetFolder) Notify(kExplorerListRowsChanged, -1);
    return;
  }
  // The list view is told once per call: under Wine each new item count
  // costs milliseconds.
  if (newFolder) {
    ForgetSelection();
    ListView_SetItemCountEx(list, static_cast<int>(model.size()), 0);
    if (!model.empty()) ListView_EnsureVisible(list, 0, FALSE);
    InvalidateRect(list, nullptr, TRUE);
  } else if (watchScreen && appendedOnly && !onScreen.empty() && NamesOnScreen() == onScreen) {
    ListView_SetItemCountEx(list, static_cast<int>(model.size()), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  } else {
    ShowRows(place);
  }
  if (!focusWhenListed.empty()) {
    if (const int row = model.FindName(focusWhenListed); row >= 0) {
      SelectOnly(row);
      focusWhenListed.clear();
    }
  }
  if (!listing) focusWhenListed.clear();
  if (tell && !insideSetFolder) Notify(kExplorerListRowsChanged, -1);
}

std::vector<std::wstring> ExplorerListControl::Impl::NamesOnScreen() const {
  std::vector<std::wstring> names;
  const DWORD view = ListView_GetView(list);
  if (view != LV_VIEW_DETAILS && view != LV_VIEW_LIST) return names;  // icon views place rows anew
  const int top = ListView_GetTopIndex(list);
  const int end = std::min(top + ListView_GetCountPerPage(list) + 1, static_cast<int>(model.size()));
  for (int row = std::max(top, 0); row < end; ++row) names.push_back(model[static_cast<std::size_t>(row)].name);
  return names;
}

ExplorerListControl::Impl::Place ExplorerListControl::Impl::Remember() const {
  Place place;
  for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); Valid(row);
       row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
    place.selected.push_back(model[static_cast<std::size_t>(row)].name);
  }
  if (const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED); Valid(focused)) {
    place.focused = model[static_cast<std::size_t>(focused)].name;
  }
  if (const int top = ListView_GetTopIndex(list); top > 0 && Valid(top)) {
    place.top = model[static_cast<std::size_t>(top)].name;
  }
  return place;
}

bool ExplorerListControl::Impl::ForgetSelection() {
  // Clearing the state of every row walks all rows (under Wine); a list
  // emptied for a moment drops its selection and focus at once.
  if (ListView_GetSelectedCount(list) == 0 && ListView_GetNextItem(list, -1, LVNI_FOCUSED) < 0) return false;
  ListView_SetItemCountEx(list, 0, LVSICF_NOSCROLL);
  return true;
}

void ExplorerListControl::Impl::ShowRows(const Place& place) {
  if (!place.Empty()) ForgetSelection();
  ListView_SetItemCountEx(list, static_cast<int>(model.size()), LVSICF_NOSCROLL);
  InvalidateRect(list, nullptr, FALSE);
  if (place.Empty()) return;
  if (place.selected.size() <= 32) {
    for (const std::wstring& name : place.selected) {
      if (const int row = model.FindName(name); row >= 0) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    }
  } else {
    // Many rows selected (Ctrl+A in a big folder): one pass over the rows.
    std::unordered_set<std::wstring> names;
    std::wstring folded;
    auto fold = [&folded](const std::wstring& name) -> const std::wstring& {
      folded.resize(name.size());
      std::transform(name.begin(), name.end(), folded.begin(), FoldCase);
      return folded;
    };
    for (const std::wstring& name : place.selected) names.insert(fold(name));
    for (std::size_t row = 0; row < model.size(); ++row) {
      if (names.count(fold(model[row].name))) {
        ListView_SetItemState(list, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
      }
    }
  }
  if (!place.focused.empty()) {
    if (const int row = model.FindName(place.focused); row >= 0) {
      ListView_SetItemState(list, row, LVIS_FOCUSED, LVIS_FOCUSED);
    }
  }
  const int top = place.top.empty() ? -1 : model.FindName(place.top);
  RECT first{};
  if (top >= 0 && ListView_GetView(list) == LV_VIEW_DETAILS && ListView_GetItemRect(list, 0, &first, LVIR_BOUNDS)) {
    const int delta = top - ListView_GetTopIndex(list);
    if (delta != 0) ListView_Scroll(list, 0, delta * (first.bottom - first.top));
  } else if (const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED); focused >= 0) {
    ListView_EnsureVisible(list, focused, FALSE);
  }
}

void ExplorerListControl::Impl::SelectOnly(int row) {
  const int count = ListView_GetItemCount(list);
  if (ForgetSelection()) ListView_SetItemCountEx(list, count, LVSICF_NOSCROLL);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, row, FALSE);
}

// --- Rows on screen ----------------------------------------------------------

std::int32_t ExplorerListControl::Impl::TypeOf(const FolderRow& row) {
  switch (row.kind) {
    case FolderRowKind::Parent:
      return kNotFetched;
    case FolderRowKind::Drive:
      return model.InternType(DriveTypeText(row.attributes));
    case FolderRowKind::Folder:
      if (folderType == kNotFetched) folderType = model.InternType(ShellTypeCache::TypeName(row));
      return folderType;
    case FolderRowKind::File:
      break;
  }
  std::wstring ext(ExtensionOf(row.name));
  for (wchar_t& c : ext) c = FoldCase(c);
  auto [it, inserted] = typeByExtension.try_emplace(std::move(ext), kNotFetched);
  if (inserted) it->second = model.InternType(ShellTypeCache::TypeName(row));
  return it->second;
}

int ExplorerListControl::Impl::IconOf(FolderRow& row, int index) {
  if (row.icon >= 0) return row.icon;
  if (row.icon == kNotFetched) {
    if (HasOwnIcon(row)) {
      if (!iconFetcher) iconFetcher = std::make_unique<IconFetcher>(window, kIconsMessage);
      row.icon = kFetching;
      iconFetcher->Ask({folderGeneration, static_cast<std::uint32_t>(index), row.name, PathOf(row)});
    } else {
      row.icon = shellTypes.Icon(row);
      ++stats.iconLookups;
      return row.icon;
    }
  }
  return shellTypes.Icon(row);  // the type's icon until the file's own comes
}

std::wstring ExplorerListControl::Impl::CellText(FolderRow& row, int column) {
  switch (column) {
    case 0:
      if (row.kind == FolderRowKind::Drive) {
        for (const auto& [name, label] : driveLabels) {
          if (name == row.name) return label;
        }
      }
      return row.name;
    case 1:
      if (row.kind == FolderRowKind::File) return FormatSizeColumn(row.size);
      if (row.kind == FolderRowKind::Drive && row.size != 0) return FormatCapacity(row.size);
      return {};
    case 2:
      if (row.type == kNotFetched) row.type = TypeOf(row);
      return model.TypeText(row.type);
    case 3:
      if ((row.kind == FolderRowKind::File || row.kind == FolderRowKind::Folder) && row.modified != 0) {
        return DateText(row.modified);
      }
      return {};
    case kTargetColumn:
      return row.target;
    default:
      return {};
  }
}

void ExplorerListControl::Impl::FillItem(LVITEMW& item) {
  if (!Valid(item.iItem)) return;
  FolderRow& row = model[static_cast<std::size_t>(item.iItem)];
  if (waitingFirstDraw && row.kind != FolderRowKind::Parent) {
    waitingFirstDraw = false;
    stats.firstRowsDrawn = Now();
  }
  if (item.mask & LVIF_TEXT) CopyText(CellText(row, item.iSubItem), item);
  if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = IconOf(row, item.iItem);
}

void ExplorerListControl::Impl::ApplyIcons() {
  if (!iconFetcher) return;
  for (IconAnswer& answer : iconFetcher->TakeAnswers()) {
    if (answer.generation != folderGeneration) continue;
    int row = static_cast<int>(answer.rowHint);
    if (!Valid(row) || model[answer.rowHint].name != answer.name) row = model.FindName(answer.name);
    if (row < 0) continue;
    FolderRow& target = model[static_cast<std::size_t>(row)];
    if (target.icon != kFetching) continue;  // changed on disk meanwhile: asked again when drawn
    target.icon = answer.icon >= 0 ? answer.icon : shellTypes.Icon(target);
    ++stats.iconLookups;
    ListView_RedrawItems(list, row, row);
  }
}

// --- Sorting -----------------------------------------------------------------

void ExplorerListControl::Impl::SortBy(FolderColumn column) {
  const Place place = Remember();
  model.SetSort(SortAfterHeaderClick(model.sort(), column));
  ShowRows(place);
  ShowSortArrow();
}

void ExplorerListControl::Impl::ShowSortArrow() {
  HWND header = ListView_GetHeader(list);
  if (!header) return;
  const FolderSort sort = model.sort();
  for (int column = 0; column < 4; ++column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!Header_GetItem(header, column, &item)) continue;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (static_cast<int>(sort.column) == column) item.fmt |= sort.descending ? HDF_SORTDOWN : HDF_SORTUP;
    Header_SetItem(header, column, &item);
  }
}

// --- Events ------------------------------------------------------------------

void ExplorerListControl::Impl::Notify(UINT code, int row, POINT point, const wchar_t* text) {
  HWND parent = GetParent(window);
  if (!parent) return;
  ExplorerListEvent event{};
  event.header.hwndFrom = window;
  event.header.idFrom = static_cast<UINT_PTR>(id);
  event.header.code = code;
  event.row = row;
  event.point = point;
  event.text = text;
  SendMessageW(parent, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&event));
}

void ExplorerListControl::Impl::Activate(int row) {
  if (!Valid(row)) return;
  if (options.enterFolders && model[static_cast<std::size_t>(row)].IsFolderLike()) {
    Enter(row);
    return;
  }
  Notify(kExplorerListActivate, row);
}

void ExplorerListControl::Impl::Enter(int row) {
  const FolderRow& entry = model[static_cast<std::size_t>(row)];
  std::wstring target, cameFrom;
  switch (entry.kind) {
    case FolderRowKind::Parent:
      target = ParentFolderOf(folder);
      cameFrom = LastFolderName(folder);
      break;
    case FolderRowKind::Drive:
      target = entry.name;
      break;
    default:
      target = folder + entry.name + L'\\';
      break;
  }
  SetFolder(target);
  if (!cameFrom.empty()) {
    if (const int back = model.FindName(cameFrom); back >= 0) {
      SelectOnly(back);
    } else if (listing) {
      focusWhenListed = cameFrom;
    }
  }
  Notify(kExplorerListFolderChanged, -1);
}

void ExplorerListControl::Impl::DropFiles(HDROP drop) {
  std::wstring text;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
    if (path.empty()) continue;
    if (!text.empty()) text += L'\n';
    text += path;
  }
  POINT point{};
  DragQueryPoint(drop, &point);
  DragFinish(drop);
  if (text.empty()) return;
  MapWindowPoints(window, list, &point, 1);
  LVHITTESTINFO hit{};
  hit.pt = point;
  const int row = ListView_HitTest(list, &hit);
  Notify(kExplorerListFilesDropped, row, point, text.c_str());
}

LRESULT ExplorerListControl::Impl::OnNotify(WPARAM wParam, NMHDR* header) {
  if (header->hwndFrom == list) {
    switch (header->code) {
      case LVN_GETDISPINFOW:
        FillItem(reinterpret_cast<NMLVDISPINFOW*>(header)->item);
        return 0;
      case LVN_ODFINDITEMW: {
        // Typing a name's first letters.
        const auto* find = reinterpret_cast<NMLVFINDITEMW*>(header);
        if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz) return -1;
        const auto start = static_cast<std::size_t>(std::max(find->iStart, 0));
        if (find->lvfi.flags & LVFI_PARTIAL) return model.FindPrefix(find->lvfi.psz, start);
        return model.FindName(find->lvfi.psz);
      }
      case LVN_ODCACHEHINT:
        return 0;
      case LVN_COLUMNCLICK: {
        // The folder model sorts by its own four columns; the target column does not sort.
        const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
        if (column < kTargetColumn) SortBy(static_cast<FolderColumn>(column));
        return 0;
      }
      case NM_CLICK: {
        const auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
        Notify(kExplorerListLeftClick, click->iItem, click->ptAction);
        return 0;
      }
      case NM_RCLICK: {
        const auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
        Notify(kExplorerListRightClick, click->iItem, click->ptAction);
        return 0;
      }
      case NM_DBLCLK:
        Activate(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
        return 0;
      case NM_RETURN:
        Activate(ListView_GetNextItem(list, -1, LVNI_FOCUSED));
        return 0;
      case LVN_KEYDOWN:
        // Backspace goes up, as the ".." row does, where there is one.
        if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_BACK && options.enterFolders &&
            !model.empty() && model[0].kind == FolderRowKind::Parent) {
          Enter(0);
          return 0;
        }
        break;
      default:
        break;
    }
  }
  // Everything else as if the list view were the parent's own child.
  HWND parent = GetParent(window);
  return parent ? SendMessageW(parent, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(header)) : 0;
}

LRESULT CALLBACK ExplorerListControl::Impl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Impl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<Impl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_NOTIFY:
      return self->OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZE:
      if (self->list) MoveWindow(self->list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (self->list) SetFocus(self->list);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the list view covers everything
    case WM_CONTEXTMENU:
      // From the keyboard only: a right click was reported by NM_RCLICK.
      if (lParam == -1 && self->list) {
        self->Notify(kExplorerListRightClick, ListView_GetNextItem(self->list, -1, LVNI_FOCUSED));
      }
      return 0;
    case WM_DROPFILES:
      self->DropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case kListingMessage:
      if (self->lister) self->ApplyBatches();
      return 0;
    case kIconsMessage:
      self->ApplyIcons();
      return 0;
    case WM_DESTROY:
      // The threads post to this window: stop them with it.
      self->lister.reset();
      self->iconFetcher.reset();
      break;
    case WM_NCDESTROY:
      self->window = nullptr;
      self->list = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// --- ExplorerListControl -----------------------------------------------------

ExplorerListControl::ExplorerListControl() : impl_(std::make_unique<Impl>()) {}

ExplorerListControl::~ExplorerListControl() {
  if (impl_->window) DestroyWindow(impl_->window);
}

bool ExplorerListControl::Create(HWND parent, int id, int x, int y, int width, int height,
                                 const std::wstring& firstFolder, const ExplorerListOptions& options, bool shown) {
  if (impl_->window) return false;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  if (!GetClassInfoExW(instance, kExplorerListClass, &cls)) {
    cls.lpfnWndProc = Impl::WindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.lpszClassName = kExplorerListClass;
    if (!RegisterClassExW(&cls)) return false;
  }
  Impl& impl = *impl_;
  impl.id = id;
  impl.options = options;
  const auto menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  impl.window = CreateWindowExW(WS_EX_CONTROLPARENT | (options.acceptDrops ? WS_EX_ACCEPTFILES : 0),
                                kExplorerListClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                                height, parent, menuId, instance, &impl);
  if (!impl.window) return false;

  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_OWNERDATA | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE;
  const int mode = std::clamp(options.displayMode, 0, 3);
  style |= kViewStyles[mode];
  if (options.showSelectionAlways) style |= LVS_SHOWSELALWAYS;
  if (!options.multipleSelection) style |= LVS_SINGLESEL;
  impl.list = CreateWindowExW(options.border ? WS_EX_CLIENTEDGE : 0, WC_LISTVIEWW, nullptr, style, 0, 0, width,
                              height, impl.window, menuId, instance, nullptr);
  if (!impl.list) {
    DestroyWindow(impl.window);
    return false;
  }
  AddLightSubclass(impl.list, ListKeysProc, nullptr);
  const DWORD extended = LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP | (options.fullRowSelect ? LVS_EX_FULLROWSELECT : 0);
  ListView_SetExtendedListViewStyleEx(impl.list, extended, extended);
  ListView_SetImageList(impl.list, SystemImageList(false), LVSIL_SMALL);
  ListView_SetImageList(impl.list, SystemImageList(true), LVSIL_NORMAL);

  const UINT dpi = DpiOf(parent);
  const int columns = options.targetColumn ? 5 : 4;
  for (int column = 0; column < columns; ++column) {
    std::wstring title = HeaderText(kColumnTitles[column]);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    col.fmt = column == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    col.pszText = title.data();
    col.cx = Scale(kColumnWidths[column], dpi);
    col.iSubItem = column;
    ListView_InsertColumn(impl.list, column, &col);
  }
  std::vector<ColumnFit> fits;
  for (int column = 0; column < columns; ++column) {
    const double weight = options.targetColumn ? kTargetColumnWeights[column] : kColumnWeights[column];
    fits.push_back({weight, kColumnWidest[column]});
  }
  KeepColumnsFitted(impl.list, std::move(fits));
  SetDisplayMode(mode);
  if (options.sortByName) impl.model.SetSort({FolderColumn::Name, false});
  impl.model.SetTypeResolver([&impl](const FolderRow& row) { return impl.TypeOf(row); });
  impl.ShowSortArrow();
  impl.lister = std::make_unique<FolderLister>(impl.window, kListingMessage);
  impl.SetFolder(firstFolder, shown);
  return true;
}

HWND ExplorerListControl::Window() const { return impl_->window; }
HWND ExplorerListControl::Hwnd() const { return impl_->list; }
const std::wstring& ExplorerListControl::Folder() const { return impl_->folder; }
bool ExplorerListControl::IsListing() const { return impl_->listing; }
DWORD ExplorerListControl::ListingError() const { return impl_->listingError; }
const ExplorerListControl::Stats& ExplorerListControl::stats() const { return impl_->stats; }

}  // namespace kelvane
