#include "win/kelvane_process.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "catalog/ids.h"
#include "toolkit/find_child_win.h"
#include "toolkit/path_compare.h"

namespace kelvane::test {

std::wstring KelvaneExePath() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\') + 1);
  return path + L"Kelvane.exe";
}

std::wstring ProfileFolder() {
  wchar_t buffer[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, 0, buffer);
  std::wstring path(buffer);
  if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
  return path;
}

namespace {

// Made at the first use, removed when the test program ends; its path also
// goes to the environment, so that a Kelvane.exe started any other way from
// here keeps its data there too.
class PrivateDataFolder : public ::testing::Environment {
 public:
  static const std::wstring& Parent() {
    static const std::wstring parent = [] {
      std::wstring made = MakeTempFolder();
      SetEnvironmentVariableW(kDataFolderVariable, (made + kDataFolderName).c_str());
      return made;
    }();
    return parent;
  }
  void SetUp() override { Parent(); }
  void TearDown() override { RemovePath(Parent().substr(0, Parent().size() - 1)); }
};
[[maybe_unused]] ::testing::Environment* const g_privateDataFolder =
    ::testing::AddGlobalTestEnvironment(new PrivateDataFolder);

}  // namespace

std::wstring DataFolderPath() { return PrivateDataFolder::Parent() + kDataFolderName; }

std::wstring RealDataFolderPath() { return ProfileFolder() + kDataFolderName; }

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void RemovePath(const std::wstring& path) {
  static const std::wstring real = RealDataFolderPath();
  if (IsSameOrInsideFolder(path, real) || IsInsideFolder(real, path)) {
    ADD_FAILURE() << "a test tried to delete the user's data folder or what holds it";
    return;
  }
  const DWORD a = GetFileAttributesW(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(path.c_str());
    return;
  }
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") RemovePath(path + L"\\" + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

std::string ReadAll(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

FILETIME LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

std::wstring MakeTempFolder() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  for (unsigned n = GetTickCount();; ++n) {
    std::wstring path = std::wstring(base) + L"kelvane-test-" + std::to_wstring(n);
    if (CreateDirectoryW(path.c_str(), nullptr)) return path + L"\\";
  }
}

HWND FindMainWindow() { return FindWindowW(nullptr, BuildWindowTitle().c_str()); }

HWND FindWindowOf(const KelvaneProcess& process, const wchar_t* title) {
  struct Search {
    DWORD id;
    const wchar_t* title;
    HWND found;
  } search{GetProcessId(process.Handle()), title, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t text[128] = {};
        GetWindowTextW(window, text, 128);
        if (owner == s->id && IsWindowVisible(window) && std::wstring(text) == s->title) s->found = window;
        return s->found == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

KelvaneProcess::~KelvaneProcess() {
  Kill();
  if (process_) CloseHandle(process_);
}

// This process's environment block without the data folder variable.
std::wstring EnvironmentWithoutDataFolder() {
  std::wstring block;
  const std::wstring skipped = std::wstring(kDataFolderVariable) + L"=";
  if (wchar_t* strings = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
      if (_wcsnicmp(entry, skipped.c_str(), skipped.size()) != 0) block.append(entry).push_back(L'\0');
    }
    FreeEnvironmentStringsW(strings);
  }
  block.push_back(L'\0');
  return block;
}

bool KelvaneProcess::Start(const std::wstring& workingFolder, const std::wstring& dataFolder,
                           const std::wstring& exePath) {
  if (process_) {  // a second start of the same object
    Kill();
    CloseHandle(process_);
    process_ = nullptr;
  }
  // No backslash before the closing quote: it would escape the quote.
  std::wstring folder = dataFolder;
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  std::wstring commandLine = L"\"" + exePath + L"\"";
  if (!folder.empty()) commandLine += std::wstring(L" ") + kDataFolderSwitch + L" \"" + folder + L"\"";
  std::wstring environment = folder.empty() ? EnvironmentWithoutDataFolder() : std::wstring();
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      environment.empty() ? nullptr : environment.data(),
                      workingFolder.empty() ? nullptr : workingFolder.c_str(), &si, &pi)) {
    return false;
  }
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  id_ = pi.dwProcessId;
  return true;
}

HWND KelvaneProcess::WaitForMainWindow(DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        HWND w = FindMainWindow();
        DWORD owner = 0;
        if (w) GetWindowThreadProcessId(w, &owner);
        // Visible, and done with start-up: the last tab's gadgets exist.
        if (w && owner == id_ && IsWindowVisible(w) && FindGadgetWindow(w, kDesktopList)) found = w;
        return found != nullptr || !Running();
      },
      timeoutMs);
  return found;
}

bool KelvaneProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(process_, exitCode);
  return true;
}

bool KelvaneProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void KelvaneProcess::Kill() {
  if (Running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
}

}  // namespace kelvane::test

namespace kelvane::test {

HWND FindGadgetWindow(HWND main, int id, const wchar_t* className) {
  return FindChildWindow(main, id, className);
}

RECT RectIn(HWND window, HWND reference) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, reference, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool WriteAll(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

}  // namespace kelvane::test

namespace kelvane::test {
namespace {

RECT g_menuRect{};

void CALLBACK NoteAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (HWND popup = FindWindowW(L"#32768", nullptr); popup && IsWindowVisible(popup)) GetWindowRect(popup, &g_menuRect);
  EndMenu();
}

}  // namespace

// Copied from the window's own DC.
std::vector<uint32_t> ScreenPixels(HWND window) {
  RECT area{};
  GetClientRect(window, &area);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), area.right, -area.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(window);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, area.right, area.bottom, screen, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                               static_cast<const uint32_t*>(bits) + area.right * area.bottom);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  ReleaseDC(window, screen);
  return pixels;
}

void SetKeyDown(int key, bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[key] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

RECT OpenedMenuRect(const std::function<void()>& open) {
  g_menuRect = {};
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, NoteAndCloseMenu);
  open();
  KillTimer(nullptr, timer);  // no menu: the timer must not close a later one
  return g_menuRect;
}

namespace {

bool SetDefaultValue(const std::wstring& keyPath, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return true;
}

}  // namespace

bool RegisterTestFileType(const std::wstring& extension, const std::wstring& progId, const std::wstring& command) {
  return SetDefaultValue(extension, progId) && SetDefaultValue(progId + L"\\shell\\open\\command", command);
}

void RemoveTestFileType(const std::wstring& extension, const std::wstring& progId) {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, progId.c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, extension.c_str());
}

}  // namespace kelvane::test
