// Favourite lists benchmark: 10,000 entries in each of the three lists.
// Prints, in process (the real main window and loader, shown):
//   - the time to read and parse the three files alone;
//   - the loader with and without icons: time until the lists are full,
//     time until the icons are in, and the longest time the user-interface
//     thread spent in one message while loading (what "never blocks more
//     than a frame" is about);
//   - handles, GDI and USER objects and memory after loading and clearing twice;
// and on the real Kelvane.exe: time from process creation to the window
// shown and to the three lists full, its longest answer time to a message
// meanwhile, and its memory with the lists full.
// Run under Wine by tools/bench.sh.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <string>
#include <thread>
#include <atomic>
#include <vector>

#include "app/app_state.h"
#include "app/gadgets.h"
#include "app/ids.h"
#include "app/main_window.h"
#include "app/main_window_contents.h"
#include "app/tray_icon.h"
#include "assets/image_ids.h"
#include "catalog/catalog.h"
#include "theme/dark_mode_win.h"
#include "lists/list_file.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/utf.h"
#include "toolkit/utf_win.h"

namespace {

using namespace kelvane;

constexpr int kPerList = 10000;

double Now() {
  static const double perMs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / perMs;
}

std::wstring Beside(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\') + 1);
  return path + name;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

// Existing files of a folder matching a pattern, as targets with real icons.
std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern) {
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return found;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.push_back(folder + data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

// The three files: applications are the system's programs, files a mix of
// documents of several types and folders, links web addresses.
std::string ListBytes(int kind, const std::vector<std::wstring>& programs, const std::vector<std::wstring>& documents) {
  std::vector<ListEntry> entries;
  entries.reserve(kPerList);
  for (int i = 0; i < kPerList; ++i) {
    ListEntry entry;
    if (kind == kAppsKind) {
      entry.target = programs[static_cast<size_t>(i) % programs.size()];
      entry.name = L"Programme " + std::to_wstring(i);
    } else if (kind == kFilesKind) {
      entry.target = documents[static_cast<size_t>(i) % documents.size()];
      entry.name = L"Document \u00E9t\u00E9 " + std::to_wstring(i);
    } else {
      entry.target = L"https://www.example.org/page/" + std::to_wstring(i);
      entry.name = L"Site " + std::to_wstring(i);
    }
    entries.push_back(std::move(entry));
  }
  return SerializeList(entries);
}

// Wine reports neither handle counts nor private memory through the usual
// calls, so the figures are taken where they exist: kernel handles by
// probing handle values, the system image list's size, and the memory of
// the Linux process under Wine from /proc (VmRSS and its anonymous part).
struct Usage {
  int handles = -1;
  int systemImages = -1;
  double rssMb = 0, anonMb = 0;
};

int CountKernelHandles() {
  int count = 0;
  for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

double StatusField(const std::string& status, const char* field) {
  const size_t at = status.find(field);
  return at == std::string::npos ? 0 : std::atof(status.c_str() + at + std::strlen(field)) / 1024.0;
}

std::string ReadText(const std::wstring& path) {
  std::string text;
  ReadWholeFile(path, &text);
  return text;
}

// The Linux process that runs a Windows program of that name, or 0 for this one.
std::wstring ProcStatusOf(const char* exeName) {
  const bool self = !exeName;
  if (self) exeName = "lists_bench";
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &data);
  std::wstring found;
  if (find == INVALID_HANDLE_VALUE) return found;
  do {
    if (data.cFileName[0] < L'0' || data.cFileName[0] > L'9') continue;
    const std::wstring base = std::wstring(L"Z:\\proc\\") + data.cFileName;
    const std::string cmdline = ReadText(base + L"\\cmdline");
    if (cmdline.find(exeName) != std::string::npos && (self || cmdline.find("lists_bench") == std::string::npos)) {
      found = base + L"\\status";
    }
  } while (found.empty() && FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

Usage UsageOf(const char* exeName) {
  Usage u;
  if (!exeName) {
    u.handles = CountKernelHandles();
    SHFILEINFOW info{};
    if (auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                                                                SHGFI_SYSICONINDEX | SHGFI_SMALLICON |
                                                                    SHGFI_USEFILEATTRIBUTES))) {
      u.systemImages = ImageList_GetImageCount(list);
    }
  }
  const std::string status = ReadText(ProcStatusOf(exeName));
  u.rssMb = StatusField(status, "VmRSS:");
  u.anonMb = StatusField(status, "RssAnon:");
  return u;
}

void PrintUsage(const char* when, const Usage& u) {
  std::printf("  %-30s", when);
  if (u.handles >= 0) std::printf(" kernel handles %4d, system image list %4d icons,", u.handles, u.systemImages);
  std::printf(" resident %6.1f MB (anonymous %6.1f MB)\n", u.rssMb, u.anonMb);
}

struct LoadFigures {
  double full = 0;     // ms until the three lists hold their files
  double idle = 0;     // ms until the icons are in too
  double longest = 0;  // longest single message on the UI thread meanwhile
  std::string longestWhat;
};

std::string Describe(const MSG& msg) {
  char cls[64] = {};
  GetClassNameA(msg.hwnd, cls, 64);
  char text[96];
  std::snprintf(text, sizeof text, "message 0x%04X to %s", msg.message, cls);
  return text;
}

bool ListsFull() {
  for (int kind : kListKinds) {
    if (EntryCount(kind) < kPerList) return false;
  }
  return true;
}

// Runs the loader under a message loop like the program's, timing each message.
LoadFigures TimeLoad(bool icons) {
  LoadFigures f;
  const double start = Now();
  StartListLoader(ListLoaderOptions{icons});
  double longest = Now() - start;  // StartListLoader itself runs on the UI thread
  while (ListLoaderBusy()) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      const double before = Now();
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (Now() - before > longest) {
        longest = Now() - before;
        f.longestWhat = Describe(msg);
      }
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    if (f.full == 0 && ListsFull()) f.full = Now() - start;
  }
  f.idle = Now() - start;
  if (f.full == 0) f.full = f.idle;
  f.longest = longest;
  return f;
}

void ClearLists() {
  for (int kind : kListKinds) ListView_DeleteAllItems(ListView(kind));
}

void InProcess(const std::wstring& folder) {
  AppState& app = App();
  HMODULE exe = LoadLibraryExW(Beside(L"Kelvane.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  app.images.LoadFromResources(exe, kImageResourceBase, kImageCount);
  app.fonts[1] = CreatePointFont(L"Bahnschrift Light SemiCondensed", 9, FW_BOLD, DpiOf(nullptr));
  app.dataFolder = folder;
  const Usage empty = UsageOf(nullptr);

  // Reading and parsing alone.
  std::vector<double> parses;
  for (int run = 0; run < 5; ++run) {
    const double start = Now();
    size_t total = 0;
    for (int kind : kListKinds) {
      std::string bytes;
      ReadWholeFile(ListFilePath(kind), &bytes);
      total += ParseListFile(bytes, AnsiToWide).entries.size();
    }
    parses.push_back(Now() - start);
    if (total != 3 * kPerList) std::printf("  parse gave %zu entries!\n", total);
  }
  std::sort(parses.begin(), parses.end());

  const double windowStart = Now();
  app.mainWindow = OpenMainWindow(GetModuleHandleW(nullptr), L"Kelvane lists bench");
  BuildMainWindowContents(app.mainWindow);
  ShowWindow(app.mainWindow, SW_SHOW);
  UpdateWindow(app.mainWindow);
  CompleteMainWindowContents(app.mainWindow);
  ListViewsReady();
  const double windowMs = Now() - windowStart;

  std::printf("in process (%d entries per list, %d in all)\n", kPerList, 3 * kPerList);
  std::printf("  read + parse of the three files:   median %7.1f ms  (min %.1f)\n", parses[parses.size() / 2],
              parses.front());
  std::printf("  main window built and shown:       %7.1f ms\n", windowMs);
  PrintUsage("before loading:", UsageOf(nullptr));
  for (int round = 1; round <= 3; ++round) {
    if (round == 3) {
      // As the program runs: its gadgets painted by the colour layer.
      ApplyMainWindowDarkLook();
      ColourMainWindowGadgets();
      std::printf("  with the colour layer on the gadgets, as in the program:\n");
    }
    for (bool icons : {false, true}) {
      const LoadFigures f = TimeLoad(icons);
      std::printf("  round %d, %-13s lists full %7.1f ms, all done %7.1f ms, longest UI message %5.1f ms (%s)\n",
                  round, icons ? "with icons:" : "without icons:", f.full, f.idle, f.longest, f.longestWhat.c_str());
      if (icons) PrintUsage("with the lists full:", UsageOf(nullptr));
      ClearLists();
    }
    PrintUsage("after clearing:", UsageOf(nullptr));
  }
  (void)empty;
  RemoveTrayIcon();
  DestroyWindow(app.mainWindow);
  app.mainWindow = nullptr;
}

// --- The real program ------------------------------------------------------

HWND FindChild(HWND parent, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (GetDlgCtrlID(child) == s->id) s->found = child;
        return s->found == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void RealProgram(const std::wstring& profileData, bool probing, int perList) {
  const std::wstring title = BuildWindowTitle();
  std::wstring commandLine = L"\"" + Beside(L"Kelvane.exe") + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double start = Now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("real program: cannot start Kelvane.exe\n");
    return;
  }
  HWND window = nullptr;
  double shown = -1, full = -1;
  std::atomic<bool> stop{false};
  std::atomic<HWND> probeTarget{nullptr};
  double longestAnswer = 0;
  double firstAnswer = -1;
  // The first answer to a message tells when the window is usable; after
  // it, the longest wait for an answer while the lists load.
  std::thread probe([&] {
    while (!stop) {
      HWND target = probeTarget;
      if (target && probing) {
        const double before = Now();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        if (firstAnswer < 0) {
          firstAnswer = Now() - start;
        } else {
          longestAnswer = std::max(longestAnswer, Now() - before);
        }
      }
      Sleep(2);
    }
  });
  HWND lists[4] = {};
  while (Now() - start < 120000) {
    if (!window) {
      HWND w = FindWindowW(nullptr, title.c_str());
      if (w && IsWindowVisible(w)) {
        window = w;
        shown = Now() - start;
        probeTarget = w;
      }
    }
    if (window) {
      bool all = true;
      for (int kind : kListKinds) {
        if (!lists[kind]) lists[kind] = FindChild(window, kind);
        if (!lists[kind] || SendMessageW(lists[kind], LVM_GETITEMCOUNT, 0, 0) < perList) all = false;
      }
      if (all) {
        full = Now() - start;
        break;
      }
    }
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  Sleep(1500);  // icons come in meanwhile
  stop = true;
  probe.join();
  const Usage usage = UsageOf("Kelvane.exe");
  std::printf("real Kelvane.exe (%d entries per list, data folder %ls)\n", perList, profileData.c_str());
  std::printf("  window shown after %7.1f ms, three lists full after %7.1f ms\n", shown, full);
  if (probing) {
    std::printf("  first answer to a message (window usable) after %.1f ms; then the longest wait for an answer "
                "while loading: %.1f ms\n",
                firstAnswer, longestAnswer);
  }
  PrintUsage("with the lists full:", usage);
  if (window) PostMessageW(window, WM_COMMAND, CmdQuitter, 0);
  if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace

int main(int argc, char** argv) {
  const bool onlyReal = argc > 1 && std::string(argv[1]) == "real";
  if (argc > 1 && std::string(argv[1]) == "v6") {
    std::wstring exe = Beside(L"Kelvane.exe");
    ACTCTXW ctx{};
    ctx.cbSize = sizeof ctx;
    ctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.lpSource = exe.c_str();
    ctx.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE h = CreateActCtxW(&ctx);
    ULONG_PTR cookie = 0;
    std::printf("v6 context %p %d\n", h, h != INVALID_HANDLE_VALUE && ActivateActCtx(h, &cookie));
  }
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                           ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  BuildCatalog();

  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring systemFolder = std::wstring(system) + L"\\";
  std::vector<std::wstring> programs = FilesIn(systemFolder, L"*.exe");
  std::vector<std::wstring> documents = FilesIn(systemFolder, L"*.dll");
  for (const wchar_t* pattern : {L"*.txt", L"*.ini", L"*.inf", L"*.cpl", L"*.msc"}) {
    for (auto& path : FilesIn(systemFolder, pattern)) documents.push_back(path);
  }
  documents.push_back(systemFolder);
  documents.push_back(systemFolder + L"drivers\\");
  if (programs.empty() || documents.empty()) {
    std::printf("no system files to point at\n");
    return 1;
  }
  std::printf("targets: %zu programs, %zu documents and folders\n", programs.size(), documents.size());

  // In-process data folder.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"kelvane-lists-bench\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::string bytes[4];
  for (int kind : kListKinds) {
    bytes[kind] = ListBytes(kind, programs, documents);
    WriteBytes(folder + std::wstring(ListFileName(kind)), bytes[kind]);
  }
  std::printf("files: %zu + %zu + %zu bytes\n", bytes[1].size(), bytes[2].size(), bytes[3].size());
  if (!onlyReal) InProcess(folder);
  for (int kind : kListKinds) DeleteFileW((folder + std::wstring(ListFileName(kind))).c_str());
  RemoveDirectoryW(folder.c_str());

  // The real program reads the profile's data folder: the user's own lists
  // (if any) are put aside and back.
  wchar_t profile[MAX_PATH] = {};
  GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
  const std::wstring data = std::wstring(profile) + L"\\Tamorin Kelvane";
  const std::wstring aside = data + L" (bench)";
  const bool hadData = MoveFileW(data.c_str(), aside.c_str()) != 0;
  CreateDirectoryW(data.c_str(), nullptr);
  RealProgram(data, true, 0);
  for (int kind : kListKinds) WriteBytes(data + L"\\" + std::wstring(ListFileName(kind)), bytes[kind]);
  RealProgram(data, true, kPerList);
  for (int kind : kListKinds) DeleteFileW((data + L"\\" + std::wstring(ListFileName(kind))).c_str());
  for (int kind : kListKinds) DeleteFileW((data + L"\\" + std::wstring(ListFileName(kind)) + L".tmp").c_str());
  RemoveDirectoryW(data.c_str());
  if (hadData) MoveFileW(aside.c_str(), data.c_str());
  return 0;
}
