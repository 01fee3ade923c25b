#include "app/help.h"

#include <windows.h>

#include <string>

#include "toolkit/handle_win.h"
#include "toolkit/special_folders_win.h"

namespace kelvane {
namespace {

constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhCloseAll = 0x0012;
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// hhctrl.ocx is loaded on first use only: most runs never open the help.
HtmlHelpFn HtmlHelp() {
  static UniqueModule module(LoadLibraryW(L"hhctrl.ocx"));
  static const auto fn = module ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(
                                      GetProcAddress(module.get(), "HtmlHelpW")))
                                : nullptr;
  return fn;
}

constexpr wchar_t kHelpFileName[] = L"Kelvane Help.chm";

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void ShowHelpFile() {
  // A help file in the current folder comes first; a program started from
  // elsewhere (a shortcut, the Start menu) finds the one installed beside it.
  std::wstring path = CurrentFolder() + kHelpFileName;
  if (!IsFile(path)) {
    const std::wstring besideProgram = ProgramFolder() + kHelpFileName;
    if (IsFile(besideProgram)) path = besideProgram;
  }
  if (HtmlHelpFn fn = HtmlHelp()) fn(nullptr, path.c_str(), kHhDisplayTopic, 0);
}

void CloseHelpViewer() {
  if (!FindWindowW(nullptr, L"Tamorin Kelvane Help")) return;
  if (HtmlHelpFn fn = HtmlHelp()) fn(nullptr, nullptr, kHhCloseAll, 0);
}

}  // namespace kelvane
