#include "app/help.h"

#include <windows.h>

#include <string>

#include "toolkit/handle_win.h"

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

}  // namespace

void ShowHelpFile() {
  wchar_t directory[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, directory);
  std::wstring path(directory, length < MAX_PATH ? length : 0);
  if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
  path += L"Kelvane Help.chm";
  if (HtmlHelpFn fn = HtmlHelp()) fn(nullptr, path.c_str(), kHhDisplayTopic, 0);
}

void CloseHelpViewer() {
  if (!FindWindowW(nullptr, L"Tamorin Kelvane Help")) return;
  if (HtmlHelpFn fn = HtmlHelp()) fn(nullptr, nullptr, kHhCloseAll, 0);
}

}  // namespace kelvane
