#include "toolkit/shell_start_win.h"

#include <windows.h>
#include <shellapi.h>

namespace kelvane {
namespace {

ShellStartRecorder g_recorder = nullptr;

}  // namespace

void SetShellStartRecorderForTests(ShellStartRecorder recorder) { g_recorder = recorder; }

ShellStartRecorder ShellStartRecorderForTests() { return g_recorder; }

bool StartWithDefaultAction(const std::wstring& file, const std::wstring& folder, bool waitForDde) {
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS | (waitForDde ? SEE_MASK_FLAG_DDEWAIT : 0);
  execute.lpFile = file.c_str();
  execute.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&execute)) return false;
  if (execute.hProcess) CloseHandle(execute.hProcess);
  return true;
}

bool ShowInContainingFolder(const std::wstring& path) {
  std::wstring chosen = path;
  if (chosen.size() > 3 && chosen.back() == L'\\') chosen.pop_back();
  if (chosen.empty()) return false;
  const ShellStart start{L"open", L"explorer.exe", L"/select,\"" + chosen + L"\""};
  if (g_recorder) return g_recorder(start);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, start.verb.c_str(), start.file.c_str(), start.parameters.c_str(), nullptr, SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace kelvane
