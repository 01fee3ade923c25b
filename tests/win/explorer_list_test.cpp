// The explorer list control on real temporary folders, in a window of its
// own per test: listing options, sorting, entering folders, events, drops,
// changes on disk and the drive overview.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/explorer_list_win.h"
#include "win/test_windows.h"

namespace kelvane::test {
namespace {

// How long a change on disk may take to show: a bound only a hang reaches
// (the folder watch answers at once; a busy machine is slow, not wrong).
constexpr DWORD kChangeSeenMs = 60000;

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr int kId = 32;

struct Recorded {
  UINT code;
  int row;
  std::wstring text;
};

std::vector<Recorded>& Events() {
  static std::vector<Recorded> events;
  return events;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code >= kExplorerListLeftClick && header->code <= kExplorerListRowsChanged) {
      const auto* event = reinterpret_cast<const ExplorerListEvent*>(lParam);
      EXPECT_EQ(header->idFrom, static_cast<UINT_PTR>(kId));
      Events().push_back({header->code, event->row, event->text ? event->text : L""});
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateHost() {
  static const bool registered = [] {
    WNDCLASSW cls{};
    cls.lpfnWndProc = HostProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    cls.lpszClassName = L"ExplorerListTestHost";
    return RegisterClassW(&cls) != 0;
  }();
  if (!registered) return nullptr;
  HWND host = CreateWindowExW(0, L"ExplorerListTestHost", L"Explorer list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                              640, 460, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(host);
  return host;
}

using test::PumpUntil;

void Pump(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

void MakeFile(const std::wstring& path, std::size_t size = 0) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string bytes(size, 'x');
  DWORD written = 0;
  if (size) WriteFile(file, bytes.data(), static_cast<DWORD>(size), &written, nullptr);
  CloseHandle(file);
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

// Names as the file system lists them: folders, then files.
std::vector<std::wstring> ListingOrder(const std::wstring& folder) {
  std::vector<std::wstring> folders, files;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return {};
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? folders : files).push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  folders.insert(folders.end(), files.begin(), files.end());
  return folders;
}

int ThreadsOfThisProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  int count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  }
  CloseHandle(snapshot);
  return count;
}

int CountEvents(UINT code) {
  int n = 0;
  for (const Recorded& e : Events()) n += e.code == code;
  return n;
}

const Recorded* LastEvent(UINT code) {
  for (auto it = Events().rbegin(); it != Events().rend(); ++it) {
    if (it->code == code) return &*it;
  }
  return nullptr;
}

class ExplorerList : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    root_ = std::wstring(temp) + L"kelvane-explorer-list-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    RemoveTree(root_);
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    host_ = CreateHost();
    ASSERT_NE(host_, nullptr);
    Events().clear();
  }
  void TearDown() override {
    control_.reset();
    DestroyWindow(host_);
    RemoveTree(root_);
  }

  // The usual sample: two folders and three files of different sizes.
  void MakeSample() {
    ASSERT_TRUE(CreateDirectoryW((root_ + L"Beta").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((root_ + L"alpha").c_str(), nullptr));
    MakeFile(root_ + L"zulu.txt", 3000);
    MakeFile(root_ + L"Mike.doc", 10);
    MakeFile(root_ + L"file10.txt", 2000);
    MakeFile(root_ + L"file2.txt", 20);
  }

  ExplorerListControl& Make(const std::wstring& folder, const ExplorerListOptions& options, bool shown = true) {
    control_ = std::make_unique<ExplorerListControl>();
    EXPECT_TRUE(control_->Create(host_, kId, 0, 0, 620, 420, folder, options, shown));
    EXPECT_TRUE(PumpUntil([&] { return !control_->IsListing(); }));
    return *control_;
  }

  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (int i = 0; i < control_->RowCount(); ++i) names.push_back(control_->RowName(i));
    return names;
  }
  int RowOf(const std::wstring& name) const {
    for (int i = 0; i < control_->RowCount(); ++i) {
      if (control_->RowName(i) == name) return i;
    }
    return -1;
  }
  // The text the list view shows, asked of the list view itself.
  std::wstring Shown(int row, int column) const {
    wchar_t text[260] = {};
    ListView_GetItemText(control_->Hwnd(), row, column, text, 260);
    return text;
  }

  void Notify(UINT code, int row) {
    NMITEMACTIVATE activate{};
    activate.hdr.hwndFrom = control_->Hwnd();
    activate.hdr.idFrom = kId;
    activate.hdr.code = code;
    activate.iItem = row;
    SendMessageW(control_->Window(), WM_NOTIFY, kId, reinterpret_cast<LPARAM>(&activate));
  }
  void ClickHeader(int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = control_->Hwnd();
    click.hdr.idFrom = kId;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(control_->Window(), WM_NOTIFY, kId, reinterpret_cast<LPARAM>(&click));
  }
  void PressEnterOn(int row) {
    ListView_SetItemState(control_->Hwnd(), row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    SendMessageW(control_->Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(control_->Hwnd(), WM_KEYUP, VK_RETURN, 0);
  }

  std::wstring root_;
  HWND host_ = nullptr;
  std::unique_ptr<ExplorerListControl> control_;
};

TEST_F(ExplorerList, ListsFoldersThenFilesInListingOrderUnderTheParentEntry) {
  MakeSample();
  ExplorerListOptions options;
  ExplorerListControl& list = Make(root_.substr(0, root_.size() - 1), options);  // without the backslash
  EXPECT_EQ(list.Folder(), root_);
  std::vector<std::wstring> expected = ListingOrder(root_);
  expected.insert(expected.begin(), L"..");
  EXPECT_THAT(Names(), ElementsAreArray(expected));
  EXPECT_TRUE(list.RowIsParent(0));
  EXPECT_TRUE(list.RowIsFolder(0));
  EXPECT_FALSE(list.RowIsFile(0));
  EXPECT_TRUE(list.RowIsFolder(1));
  EXPECT_TRUE(list.RowIsFile(3));
  EXPECT_FALSE(list.RowIsFolder(3));
  EXPECT_EQ(list.SortColumn(), -1);

  // Columns and their texts.
  HWND header = ListView_GetHeader(list.Hwnd());
  ASSERT_EQ(Header_GetItemCount(header), 4);
  std::vector<std::wstring> titles;
  for (int i = 0; i < 4; ++i) {
    wchar_t text[64] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    Header_GetItem(header, i, &item);
    titles.push_back(text);
  }
  EXPECT_THAT(titles, ElementsAre(L"Nom", L"Taille", L"Type", L"Modifié"));
  const int zulu = RowOf(L"zulu.txt");
  EXPECT_EQ(Shown(zulu, 0), L"zulu.txt");
  EXPECT_EQ(Shown(zulu, 1), L"3 Ko");
  EXPECT_FALSE(Shown(zulu, 2).empty());
  EXPECT_EQ(Shown(zulu, 3).size(), 16u) << "dd/mm/yyyy hh:mm";
  EXPECT_EQ(Shown(RowOf(L"alpha"), 1), L"");

  list.SetHeaderText(L"Contient 6 fichiers & dossiers");
  wchar_t text[64] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  Header_GetItem(header, 0, &item);
  EXPECT_STREQ(text, L"Contient 6 fichiers && dossiers") << "a single & would be a mnemonic";

  // The columns share the list's width; a narrow list still shows whole dates.
  MoveWindow(list.Window(), 0, 0, 300, 420, TRUE);
  RECT client{};
  GetClientRect(list.Hwnd(), &client);
  int sum = 0;
  for (int i = 0; i < 4; ++i) sum += ListView_GetColumnWidth(list.Hwnd(), i);
  EXPECT_EQ(sum, client.right);
  EXPECT_GT(ListView_GetColumnWidth(list.Hwnd(), 3), ListView_GetStringWidth(list.Hwnd(), Shown(zulu, 3).c_str()));
}

TEST_F(ExplorerList, OptionsChooseRowsAndStyles) {
  MakeSample();
  MakeFile(root_ + L"secret.txt");
  SetFileAttributesW((root_ + L"secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);

  ExplorerListOptions filesOnly;
  filesOnly.parentEntry = false;
  filesOnly.folders = false;
  filesOnly.sortByName = true;
  filesOnly.border = false;
  Make(root_, filesOnly);
  EXPECT_THAT(Names(), ElementsAre(L"file2.txt", L"file10.txt", L"Mike.doc", L"zulu.txt")) << "hidden file left out";
  EXPECT_EQ(control_->SortColumn(), 0);
  EXPECT_FALSE(GetWindowLongW(control_->Hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongW(control_->Hwnd(), GWL_STYLE) & LVS_SINGLESEL);
  EXPECT_FALSE(GetWindowLongW(control_->Hwnd(), GWL_STYLE) & LVS_SHOWSELALWAYS);
  EXPECT_FALSE(ListView_GetExtendedListViewStyle(control_->Hwnd()) & LVS_EX_FULLROWSELECT);
  // Single selection: selecting another row drops the first.
  ListView_SetItemState(control_->Hwnd(), 0, LVIS_SELECTED, LVIS_SELECTED);
  ListView_SetItemState(control_->Hwnd(), 2, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_FALSE(control_->RowIsSelected(0));
  EXPECT_TRUE(control_->RowIsSelected(2));

  ExplorerListOptions foldersOnly;
  foldersOnly.files = false;
  foldersOnly.multipleSelection = true;
  foldersOnly.fullRowSelect = true;
  foldersOnly.showSelectionAlways = true;
  foldersOnly.hiddenEntries = true;
  Make(root_, foldersOnly);
  EXPECT_EQ(control_->RowCount(), 3);
  EXPECT_TRUE(control_->RowIsParent(0));
  EXPECT_TRUE(control_->RowIsFolder(1) && control_->RowIsFolder(2));
  EXPECT_TRUE(GetWindowLongW(control_->Hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongW(control_->Hwnd(), GWL_STYLE) & LVS_SHOWSELALWAYS);
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(control_->Hwnd()) & LVS_EX_FULLROWSELECT);
  ListView_SetItemState(control_->Hwnd(), 1, LVIS_SELECTED, LVIS_SELECTED);
  ListView_SetItemState(control_->Hwnd(), 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_THAT(control_->SelectedRows(), ElementsAre(1, 2));
  EXPECT_EQ(control_->FocusedRow(), 2);

  ExplorerListOptions everything;
  everything.hiddenEntries = true;
  Make(root_, everything);
  EXPECT_NE(RowOf(L"secret.txt"), -1);

  for (int mode : {0, 1, 2, 3}) {
    control_->SetDisplayMode(mode);
    EXPECT_EQ(control_->DisplayMode(), mode);
  }
}

TEST_F(ExplorerList, HeaderClicksSortReverseAndStayForLaterListings) {
  MakeSample();
  const std::wstring other = root_ + L"Beta\\";
  MakeFile(other + L"b.txt", 5000);
  MakeFile(other + L"a.txt", 1);
  MakeFile(other + L"C.txt", 3000);
  ExplorerListOptions options;
  options.multipleSelection = true;
  ExplorerListControl& list = Make(root_, options);

  ClickHeader(0);
  EXPECT_THAT(Names(), ElementsAre(L"..", L"alpha", L"Beta", L"file2.txt", L"file10.txt", L"Mike.doc", L"zulu.txt"));
  HWND header = ListView_GetHeader(list.Hwnd());
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  Header_GetItem(header, 0, &item);
  EXPECT_TRUE(item.fmt & HDF_SORTUP);

  // The selection follows its rows through a new order.
  ListView_SetItemState(list.Hwnd(), RowOf(L"file10.txt"), LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  ClickHeader(0);
  EXPECT_THAT(Names(), ElementsAre(L"..", L"Beta", L"alpha", L"zulu.txt", L"Mike.doc", L"file10.txt", L"file2.txt"));
  EXPECT_TRUE(list.SortDescending());
  EXPECT_THAT(list.SelectedRows(), ElementsAre(RowOf(L"file10.txt")));
  EXPECT_EQ(list.FocusedRow(), RowOf(L"file10.txt"));
  Header_GetItem(header, 0, &item);
  EXPECT_TRUE(item.fmt & HDF_SORTDOWN);

  list.SetFolder(other);
  EXPECT_THAT(Names(), ElementsAre(L"..", L"C.txt", L"b.txt", L"a.txt")) << "the order stays for the next folder";
  EXPECT_TRUE(list.SelectedRows().empty());

  ClickHeader(1);
  EXPECT_THAT(Names(), ElementsAre(L"..", L"a.txt", L"C.txt", L"b.txt"));
  list.SortByColumn(1);
  EXPECT_THAT(Names(), ElementsAre(L"..", L"b.txt", L"C.txt", L"a.txt"));
  list.SetFolder(root_);
  EXPECT_THAT(Names(), ElementsAre(L"..", L"Beta", L"alpha", L"zulu.txt", L"file10.txt", L"file2.txt", L"Mike.doc"));
}

TEST_F(ExplorerList, DoubleClickOrEnterEntersFoldersOrOnlyReports) {
  MakeSample();
  MakeFile(root_ + L"Beta\\inside.txt");
  ExplorerListOptions options;
  options.sortByName = true;
  ExplorerListControl& list = Make(root_, options);

  Notify(NM_DBLCLK, RowOf(L"Beta"));
  EXPECT_EQ(list.Folder(), root_ + L"Beta\\");
  EXPECT_THAT(Names(), ElementsAre(L"..", L"inside.txt"));
  EXPECT_EQ(CountEvents(kExplorerListFolderChanged), 1);
  EXPECT_EQ(CountEvents(kExplorerListActivate), 0);

  // Enter on ".." goes back up and puts the focus on the folder left.
  PressEnterOn(0);
  EXPECT_EQ(list.Folder(), root_);
  EXPECT_EQ(CountEvents(kExplorerListFolderChanged), 2);
  EXPECT_EQ(list.FocusedRow(), RowOf(L"Beta"));
  EXPECT_TRUE(list.RowIsSelected(RowOf(L"Beta")));

  // Enter reaches the list also through the dialog manager of the program's
  // windows, which would otherwise take it for the default button.
  Notify(NM_DBLCLK, RowOf(L"Beta"));
  ASSERT_EQ(list.Folder(), root_ + L"Beta\\");
  ListView_SetItemState(list.Hwnd(), 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  SetFocus(list.Hwnd());
  MSG enter{list.Hwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_TRUE(IsDialogMessageW(host_, &enter));
  EXPECT_EQ(list.Folder(), root_) << "Enter on \"..\" went up";
  EXPECT_EQ(CountEvents(kExplorerListFolderChanged), 4);

  // Backspace goes up as ".." does; the list view finds rows by name (typing).
  Notify(NM_DBLCLK, RowOf(L"alpha"));
  EXPECT_EQ(list.Folder(), root_ + L"alpha\\");
  SendMessageW(list.Hwnd(), WM_KEYDOWN, VK_BACK, 0);
  EXPECT_EQ(list.Folder(), root_);
  EXPECT_EQ(CountEvents(kExplorerListFolderChanged), 6);
  LVFINDINFOW find{};
  find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
  find.psz = L"MI";
  EXPECT_EQ(ListView_FindItem(list.Hwnd(), -1, &find), RowOf(L"Mike.doc"));
  find.flags = LVFI_STRING;
  find.psz = L"ZULU.TXT";
  EXPECT_EQ(ListView_FindItem(list.Hwnd(), -1, &find), RowOf(L"zulu.txt"));

  // A file is the parent's business.
  Notify(NM_DBLCLK, RowOf(L"Mike.doc"));
  ASSERT_NE(LastEvent(kExplorerListActivate), nullptr);
  EXPECT_EQ(LastEvent(kExplorerListActivate)->row, RowOf(L"Mike.doc"));
  EXPECT_EQ(list.Folder(), root_);
  Notify(NM_DBLCLK, -1);
  EXPECT_EQ(CountEvents(kExplorerListActivate), 1) << "a double click on empty space";

  Notify(NM_CLICK, 2);
  Notify(NM_RCLICK, 3);
  ASSERT_NE(LastEvent(kExplorerListLeftClick), nullptr);
  EXPECT_EQ(LastEvent(kExplorerListLeftClick)->row, 2);
  EXPECT_EQ(LastEvent(kExplorerListRightClick)->row, 3);
  // The context-menu key reports the focused row.
  ListView_SetItemState(list.Hwnd(), 4, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  SendMessageW(list.Hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.Hwnd()), -1);
  EXPECT_EQ(CountEvents(kExplorerListRightClick), 2);
  EXPECT_EQ(LastEvent(kExplorerListRightClick)->row, 4);

  // With entering off, folders are only reported.
  ExplorerListOptions reportOnly;
  reportOnly.sortByName = true;
  reportOnly.enterFolders = false;
  Events().clear();
  ExplorerListControl& recent = Make(root_, reportOnly);
  PressEnterOn(RowOf(L"alpha"));
  Notify(NM_DBLCLK, 0);
  EXPECT_EQ(recent.Folder(), root_);
  EXPECT_EQ(CountEvents(kExplorerListFolderChanged), 0);
  std::vector<int> activated;
  for (const Recorded& e : Events()) {
    if (e.code == kExplorerListActivate) activated.push_back(e.row);
  }
  EXPECT_THAT(activated, ElementsAre(RowOf(L"alpha"), 0));
}

TEST_F(ExplorerList, DroppedFilesArriveAsOneLineFeedSeparatedText) {
  ExplorerListOptions options;
  options.acceptDrops = true;
  ExplorerListControl& list = Make(root_, options);
  EXPECT_TRUE(GetWindowLongW(list.Window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  std::wstring paths = L"C:\\Données\\été.txt";
  paths += L'\0';
  paths += L"C:\\b.txt";
  paths += L'\0';  // and the block's zeros end the list
  const std::size_t bytes = sizeof(DROPFILES) + (paths.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  ASSERT_NE(memory, nullptr);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = {5, 5};
  drop->fWide = TRUE;
  std::copy(paths.begin(), paths.end(), reinterpret_cast<wchar_t*>(drop + 1));
  GlobalUnlock(memory);
  SendMessageW(list.Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);  // frees the block
  ASSERT_NE(LastEvent(kExplorerListFilesDropped), nullptr);
  EXPECT_EQ(LastEvent(kExplorerListFilesDropped)->text, L"C:\\Données\\été.txt\nC:\\b.txt");

  Make(root_, ExplorerListOptions{});
  EXPECT_FALSE(GetWindowLongW(control_->Window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(ExplorerList, ChangesOnDiskShowWithinASecondAndKeepIconsOfUnchangedRows) {
  const int threadsBefore = ThreadsOfThisProcess();
  MakeSample();
  MakeFile(root_ + L"program.exe", 100);  // an icon of its own, fetched in the background
  ExplorerListOptions options;
  options.sortByName = true;
  options.multipleSelection = true;
  ShowWindow(host_, SW_HIDE);  // nothing drawn, no icon asked for yet
  ExplorerListControl& list = Make(root_, options);
  ShowWindow(host_, SW_SHOWNOACTIVATE);
  UpdateWindow(list.Hwnd());  // asks for the program's own icon in the background
  list.Refresh();             // the answer still counts after a reload
  const auto rows = static_cast<std::uint64_t>(list.RowCount());
  ASSERT_TRUE(PumpUntil([&] {
    UpdateWindow(list.Hwnd());
    return list.stats().iconLookups >= rows;
  })) << list.stats().iconLookups << " of " << rows;
  const std::uint64_t before = list.stats().iconLookups;
  EXPECT_EQ(before, rows) << "one lookup per row";
  ListView_SetItemState(list.Hwnd(), RowOf(L"Mike.doc"), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

  Events().clear();
  MakeFile(root_ + L"added.txt");
  ASSERT_TRUE(PumpUntil([&] { return RowOf(L"added.txt") != -1; }, kChangeSeenMs));
  EXPECT_EQ(CountEvents(kExplorerListRowsChanged), 1);
  EXPECT_EQ(list.Folder(), root_);
  EXPECT_THAT(list.SelectedRows(), ElementsAre(RowOf(L"Mike.doc"))) << "the selection stays on its row";
  Pump(300);
  UpdateWindow(list.Hwnd());
  EXPECT_EQ(list.stats().iconLookups, before + 1) << "only the new row asks for its icon";

  DeleteFileW((root_ + L"zulu.txt").c_str());
  ASSERT_TRUE(PumpUntil([&] { return RowOf(L"zulu.txt") == -1; }, kChangeSeenMs));
  const int grown = RowOf(L"file2.txt");
  MakeFile(root_ + L"file2.txt", 5000);
  ASSERT_TRUE(PumpUntil([&] { return Shown(grown, 1) == L"5 Ko"; }, kChangeSeenMs));
  EXPECT_GE(list.stats().mergedChanges, 3u);

  // Reloading the same folder changes nothing that did not change.
  const std::uint64_t lookups = list.stats().iconLookups;
  list.Refresh();
  UpdateWindow(list.Hwnd());
  EXPECT_EQ(list.stats().iconLookups, lookups);
  EXPECT_THAT(list.SelectedRows(), ElementsAre(RowOf(L"Mike.doc")));

  // A second list on another folder: each sees its own changes, and once
  // their listings are done the two keep one watching thread between them,
  // not a thread each.
  ExplorerListControl beta;
  ASSERT_TRUE(beta.Create(host_, kId, 0, 0, 300, 200, root_ + L"Beta\\", options));
  ASSERT_TRUE(PumpUntil([&] { return !beta.IsListing() && beta.RowCount() == 1; }));  // the parent entry
  MakeFile(root_ + L"Beta\\inside.txt");
  MakeFile(root_ + L"outside.txt");
  ASSERT_TRUE(PumpUntil([&] { return beta.RowCount() == 2 && RowOf(L"outside.txt") != -1; }, kChangeSeenMs));
  EXPECT_EQ(beta.RowName(1), L"inside.txt");
  EXPECT_EQ(RowOf(L"inside.txt"), -1);
  // One more may be the system's own: Wine's COM keeps an RPC thread once
  // the shell has been asked for a program's icon.
  EXPECT_TRUE(PumpUntil([&] { return ThreadsOfThisProcess() <= threadsBefore + 2; }))
      << ThreadsOfThisProcess() << " threads, " << threadsBefore << " before the lists";
}

TEST_F(ExplorerList, ABigFolderIsListedCompletelyInOrder) {
  constexpr int kFiles = 3000;
  for (int i = 0; i < kFiles; ++i) MakeFile(root_ + L"f" + std::to_wstring(i * 7919 % kFiles) + L".dat");
  ExplorerListOptions options;
  options.sortByName = true;
  // A list made on a hidden page does not wait for its rows: they all come in behind.
  for (const bool shown : {true, false}) {
    ExplorerListControl& list = Make(root_, options, shown);
    ASSERT_EQ(list.RowCount(), kFiles + 1) << shown;
    for (int i = 0; i < kFiles; ++i) ASSERT_EQ(list.RowName(i + 1), L"f" + std::to_wstring(i) + L".dat") << shown;
    EXPECT_EQ(list.stats().listings, 1u) << shown;
  }
}

TEST_F(ExplorerList, EmptyPathShowsTheDrivesAndDrivesAreEntered) {
  ExplorerListOptions options;
  ExplorerListControl& list = Make(L"", options);
  EXPECT_EQ(list.Folder(), L"");
  const int c = RowOf(L"C:\\");
  ASSERT_NE(c, -1);
  EXPECT_TRUE(list.RowIsDrive(c));
  EXPECT_TRUE(list.RowIsFolder(c));
  EXPECT_FALSE(list.RowIsParent(0)) << "nothing above the drives";
  EXPECT_NE(Shown(c, 0).find(L"(C:)"), std::wstring::npos) << "label and letter";
  EXPECT_EQ(Shown(c, 2), L"Disque local");

  Notify(NM_DBLCLK, c);
  EXPECT_EQ(list.Folder(), L"C:\\");
  EXPECT_TRUE(list.RowIsParent(0));
  Notify(NM_DBLCLK, 0);
  EXPECT_EQ(list.Folder(), L"") << "above a drive root";
  EXPECT_TRUE(PumpUntil([&] { return !list.IsListing(); }));
  EXPECT_EQ(list.FocusedRow(), RowOf(L"C:\\"));

  // A drive that is not there lists nothing and asks nothing.
  list.SetFolder(L"Q:\\");
  EXPECT_TRUE(PumpUntil([&] { return !list.IsListing(); }));
  EXPECT_THAT(Names(), ElementsAre(L".."));
}

}  // namespace
}  // namespace kelvane::test
