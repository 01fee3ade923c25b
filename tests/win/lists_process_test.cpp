// The favourite lists end to end on the real Kelvane.exe: loading at start,
// writing at quit and on demand, a kill in the middle of a save, and the real
// question box before a removal.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "catalog/ids.h"
#include "lists/list_file.h"
#include "toolkit/utf.h"
#include "win/kelvane_process.h"

namespace kelvane::test {
namespace {

// A block of memory in another process, for the list-view messages that
// carry pointers.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size) : size_(size) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) const {
    return address_ && WriteProcessMemory(process_, At(offset), data, size, nullptr);
  }
  bool Read(size_t offset, void* data, size_t size) const {
    return address_ && ReadProcessMemory(process_, At(offset), data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

unsigned long long SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int ItemCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring HeaderText(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  RemoteMemory memory(list, 4096);
  constexpr size_t kTextAt = 512;
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = reinterpret_cast<wchar_t*>(memory.At(kTextAt));
  item.cchTextMax = 256;
  wchar_t text[256] = {};
  if (!memory.Write(0, &item, sizeof item) ||
      !SendMessageW(header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory.At(0))) ||
      !memory.Read(kTextAt, text, sizeof text - sizeof(wchar_t))) {
    return L"<unreadable>";
  }
  return text;
}

void SelectRow(HWND list, int row) {
  RemoteMemory memory(list, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  memory.Write(0, &item, sizeof item);
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.At(0)));
}

std::string WithLfOnly(std::string bytes) {
  std::string out;
  for (char c : bytes) {
    if (c != '\r') out.push_back(c);
  }
  return out;
}

class ListsProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindMainWindow(), nullptr) << "another Kelvane is running";
    RemovePath(DataFolderPath());
    ASSERT_TRUE(CreateDirectoryW(DataFolderPath().c_str(), nullptr));
  }
  void TearDown() override {
    kelvane_.Kill();
    RemovePath(DataFolderPath());
  }

  static std::wstring ListFile(const wchar_t* name) { return DataFolderPath() + L"\\" + name; }

  HWND Start() {
    if (!kelvane_.Start()) return nullptr;
    return kelvane_.WaitForMainWindow();
  }

  void Quit(HWND window) {
    PostMessageW(window, WM_COMMAND, CmdQuitter, 0);
    DWORD code = 1234;
    ASSERT_TRUE(kelvane_.WaitForExit(30000, &code));
    EXPECT_EQ(code, 0u);
  }

  KelvaneProcess kelvane_;
};

TEST_F(ListsProcess, StartLoadsTheFilesWithCountsAndQuitWritesThemBackInOrder) {
  const std::string apps = "2\nBloc-notes\nC:\\windows\\notepad.exe\nR\xC3\xA9gedit\nC:\\windows\\regedit.exe\n";
  ASSERT_TRUE(WriteAll(ListFile(L"MyApps.txt"), apps));
  ASSERT_TRUE(WriteAll(ListFile(L"MyFiles.txt"), "3\r\nWindows\r\nC:\\windows\\\r\n"));
  ASSERT_TRUE(WriteAll(ListFile(L"MyLinks.txt"), "1\r\nExemple\r\nhttps://example.org/\r\nextra\r\nlines\r\n"));
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  HWND appsList = FindGadgetWindow(window, kAppsList);
  HWND filesList = FindGadgetWindow(window, kFilesList);
  HWND linksList = FindGadgetWindow(window, kLinksList);
  ASSERT_TRUE(WaitFor([&] { return ItemCount(appsList) == 2 && ItemCount(filesList) == 1 && ItemCount(linksList) == 1; },
                      15000));
  EXPECT_EQ(HeaderText(appsList), L"2 applications ex\u00E9cutables list\u00E9es");
  EXPECT_EQ(HeaderText(filesList), L"1 fichiers list\u00E9s");
  EXPECT_EQ(HeaderText(linksList), L"1 Liens internet list\u00E9s");
  // Another program (a sync client) changes a list file: the running program follows.
  const std::string synced = "2\r\nExemple\r\nhttps://example.org/\r\nAutre\r\nhttps://autre.example/\r\n";
  ASSERT_TRUE(WriteAll(ListFile(L"MyLinks.txt"), synced));
  EXPECT_TRUE(WaitFor([&] { return ItemCount(linksList) == 2; }, 15000));

  Quit(window);
  EXPECT_EQ(ReadAll(ListFile(L"MyApps.txt")), SerializeList(ParseListFile(apps).entries));
  EXPECT_EQ(ReadAll(ListFile(L"MyFiles.txt")), "1\r\nWindows\r\nC:\\windows\\\r\n");
  EXPECT_EQ(ReadAll(ListFile(L"MyLinks.txt")), synced);
  // Applications, then files, then links.
  const FILETIME a = LastWriteTime(ListFile(L"MyApps.txt"));
  const FILETIME f = LastWriteTime(ListFile(L"MyFiles.txt"));
  const FILETIME l = LastWriteTime(ListFile(L"MyLinks.txt"));
  EXPECT_LE(CompareFileTime(&a, &f), 0);
  EXPECT_LE(CompareFileTime(&f, &l), 0);
}

TEST_F(ListsProcess, ASaveCommandSentAtOnceWritesTheWholeList) {
  std::vector<ListEntry> entries;
  for (int i = 0; i < 30000; ++i) entries.push_back({L"Programme " + std::to_wstring(i), L"C:\\Apps\\p.exe"});
  const std::string canonical = SerializeList(entries);
  // Written with LF only, so that the program's save is seen as a change.
  ASSERT_TRUE(WriteAll(ListFile(L"MyApps.txt"), WithLfOnly(canonical)));
  ASSERT_TRUE(kelvane_.Start());
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (window = FindMainWindow()) != nullptr; }, 20000));
  PostMessageW(window, WM_COMMAND, CmdEnregistrerListes, 0);
  // Watched by its size, without opening it: a reader that does not share
  // delete would stand in the way of the save's rename.
  ASSERT_TRUE(WaitFor([&] { return SizeOf(ListFile(L"MyApps.txt")) == canonical.size(); }, 30000));
  // Under Wine the file just renamed can refuse a reader for a moment.
  EXPECT_TRUE(WaitFor([&] { return ReadAll(ListFile(L"MyApps.txt")) == canonical; }, 5000))
      << "the save waited for the whole list";
  window = kelvane_.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  Quit(window);
}

TEST_F(ListsProcess, AKillDuringASaveLeavesTheFileWhole) {
  // Few rows with long names: quick to load, long to write.
  std::vector<ListEntry> entries;
  for (int i = 0; i < 3000; ++i) {
    entries.push_back({std::to_wstring(i) + L" " + std::wstring(3000, L'\u00E9'), L"C:\\Apps\\p.exe"});
  }
  const std::string canonical = SerializeList(entries);
  const std::string old = WithLfOnly(canonical);
  const std::wstring file = ListFile(L"MyApps.txt");
  int caughtWriting = 0;
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(WriteAll(file, old));
    DeleteFileW((file + L".tmp").c_str());
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    HWND list = FindGadgetWindow(window, kAppsList);
    ASSERT_TRUE(WaitFor([&] { return ItemCount(list) == 3000; }, 30000));
    PostMessageW(window, WM_COMMAND, CmdEnregistrerListes, 0);
    // Kill as soon as the file beside the list appears: the write is under way.
    const ULONGLONG end = GetTickCount64() + 20000;
    while (!FileExists(file + L".tmp") && SizeOf(file) == old.size() && GetTickCount64() < end) {
    }
    const bool tmpSeen = FileExists(file + L".tmp");
    kelvane_.Kill();
    const std::string after = ReadAll(file);
    EXPECT_TRUE(after == old || after == canonical) << "the list file must be the old one or the new one, whole";
    caughtWriting += tmpSeen && after == old;
  }
  std::printf("[ info ] killed while the new file was being written in %d of 3 rounds\n", caughtWriting);
}

TEST_F(ListsProcess, RemovalAsksThroughTheRealQuestionBox) {
  ASSERT_TRUE(WriteAll(ListFile(L"MyApps.txt"), "2\r\na\r\nC:\\a.exe\r\nb\r\nC:\\b.exe\r\n"));
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  HWND list = FindGadgetWindow(window, kAppsList);
  ASSERT_TRUE(WaitFor([&] { return ItemCount(list) == 2; }, 15000));
  SelectRow(list, 1);
  for (int answer : {IDNO, IDYES}) {
    PostMessageW(window, WM_COMMAND, CmdAppliRetirer, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindWindowOf(kelvane_, L"Suppression")) != nullptr; }, 10000));
    // The text of the question is in the box.
    bool textFound = false;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) -> BOOL {
          wchar_t text[256] = {};
          GetWindowTextW(child, text, 256);
          if (std::wstring(text) == L"\u00CAtes-vous s\u00FBr(e) de vouloir retirer b de votre liste ?") {
            *reinterpret_cast<bool*>(found) = true;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&textFound));
    EXPECT_TRUE(textFound);
    HWND button = GetDlgItem(box, answer);
    ASSERT_NE(button, nullptr);
    PostMessageW(button, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 10000));
    EXPECT_EQ(ItemCount(list), answer == IDYES ? 1 : 2);
  }
  EXPECT_EQ(HeaderText(list), L"1 applications ex\u00E9cutables list\u00E9es");
  // CheckSaveList is 0 without a preferences file: the file is written at quit only.
  EXPECT_EQ(ReadAll(ListFile(L"MyApps.txt")), "2\r\na\r\nC:\\a.exe\r\nb\r\nC:\\b.exe\r\n");
  Quit(window);
  EXPECT_EQ(ReadAll(ListFile(L"MyApps.txt")), "1\r\na\r\nC:\\a.exe\r\n");
}

}  // namespace
}  // namespace kelvane::test
