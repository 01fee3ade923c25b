// A small clipboard client that shares no code with the program: it runs as
// a process of its own (this test program started again on the disabled
// test below) and uses only the system's clipboard and OLE calls, as another
// application would.
//
//   KELVANE_CLIENT_MODE=read  KELVANE_CLIENT_FILE=out
//     reads the clipboard through OleGetClipboard and GetData(CF_HDROP) with
//     DragQueryFileW; writes (UTF-16) one line "effect=<0|1>" telling whether
//     a "Preferred DropEffect" is offered, one "formats=<n>" with the number
//     of formats offered, then one line per path.
//   KELVANE_CLIENT_MODE=put   KELVANE_CLIENT_FILE=in
//     puts the paths of the file (UTF-16, one per line) as an ANSI CF_HDROP
//     block (fWide 0) with a "Preferred DropEffect" of move, as a file
//     manager does after a cut; signals the event "KelvaneClientReady" and
//     stays until "KelvaneClientDone" is set.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length && length < 1024 ? std::wstring(value, length) : std::wstring();
}

void WriteText(const std::wstring& path, const std::wstring& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
}

std::wstring ReadText(const std::wstring& path) {
  std::wstring text;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  wchar_t buffer[512];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) text.append(buffer, got / sizeof(wchar_t));
  CloseHandle(file);
  return text;
}

void ReadClipboard(const std::wstring& out) {
  IDataObject* data = nullptr;
  ASSERT_EQ(OleGetClipboard(&data), S_OK);
  std::wstring text;
  FORMATETC effect{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT)), nullptr,
                   DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  text += L"effect=" + std::wstring(data->QueryGetData(&effect) == S_OK ? L"1" : L"0") + L"\n";
  int formats = 0;
  IEnumFORMATETC* list = nullptr;
  if (data->EnumFormatEtc(DATADIR_GET, &list) == S_OK) {
    FORMATETC one;
    while (list->Next(1, &one, nullptr) == S_OK) ++formats;
    list->Release();
  }
  text += L"formats=" + std::to_wstring(formats) + L"\n";
  FORMATETC drop{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (data->GetData(&drop, &medium) == S_OK) {
    auto handle = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileW(handle, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring path(DragQueryFileW(handle, i, nullptr, 0) + 1, L'\0');
      path.resize(DragQueryFileW(handle, i, path.data(), static_cast<UINT>(path.size())));
      text += path + L"\n";
    }
    ReleaseStgMedium(&medium);
  }
  data->Release();
  WriteText(out, text);
}

void PutOnClipboard(const std::wstring& in) {
  std::string ansi;
  std::wstring text = ReadText(in);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring path = text.substr(start, end - start);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string one(static_cast<size_t>(bytes), '\0');  // with its NUL
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, one.data(), bytes, nullptr, nullptr);
    ansi += one;
    start = end + 1;
  }
  ansi.push_back('\0');
  HWND owner = CreateWindowExW(0, L"STATIC", L"client", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + ansi.size());
  auto* header = static_cast<DROPFILES*>(GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), ansi.data(), ansi.size());
  GlobalUnlock(block);
  SetClipboardData(CF_HDROP, block);
  HGLOBAL effect = GlobalAlloc(GHND, sizeof(DWORD));
  *static_cast<DWORD*>(GlobalLock(effect)) = DROPEFFECT_MOVE;
  GlobalUnlock(effect);
  SetClipboardData(RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT), effect);
  CloseClipboard();
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"KelvaneClientReady");
  HANDLE done = OpenEventW(SYNCHRONIZE, FALSE, L"KelvaneClientDone");
  ASSERT_TRUE(ready && done);
  SetEvent(ready);
  // Stay the owner of what was put there while the program pastes.
  const ULONGLONG end = GetTickCount64() + 30000;
  while (MsgWaitForMultipleObjects(1, &done, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0 && GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  CloseHandle(ready);
  CloseHandle(done);
  DestroyWindow(owner);
}

TEST(ClipboardClientProcess, DISABLED_Run) {
  OleInitialize(nullptr);
  const std::wstring mode = Env(L"KELVANE_CLIENT_MODE");
  const std::wstring file = Env(L"KELVANE_CLIENT_FILE");
  if (mode == L"read") ReadClipboard(file);
  if (mode == L"put") PutOnClipboard(file);
  OleUninitialize();
}

}  // namespace
