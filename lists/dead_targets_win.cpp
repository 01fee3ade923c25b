#include "lists/dead_targets_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_set>
#include <utility>

#include "lists/favourite_store_win.h"
#include "lists/list_commands_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_rules.h"
#include "lists/list_store_win.h"
#include "lists/target_check.h"
#include "toolkit/path_compare.h"
#include "toolkit/pick_row.h"
#include "toolkit/requesters_win.h"
#include "toolkit/thread_stack_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

constexpr UINT kChecked = WM_APP + 1;
constexpr UINT kCollect = WM_APP + 2;
constexpr wchar_t kWindowClass[] = L"KelvaneTargetChecks";
// Rows whose targets are copied per message (a few milliseconds' worth).
constexpr size_t kCopySlice = 4096;
constexpr wchar_t kMissingTip[] = L"Introuvable : ";
constexpr wchar_t kDeadTitle[] = L"Favoris introuvables";
constexpr wchar_t kDeadPrompt[] =
    L"Ces favoris m\u00E8nent \u00E0 un fichier ou un dossier qui n'existe plus. "
    L"Les favoris coch\u00E9s seront retir\u00E9s de la liste.";

struct Request {
  int kind = 0;
  unsigned generation = 0;
  PackedEntries targets;  // names left empty
};

// The targets of a list taken for the thread a slice per message: a list
// of 100,000 is copied in pieces that each leave the window answering.
struct Copy {
  const FavouriteList* list = nullptr;  // none: no copy under way
  size_t next = 0;                      // the first row not copied yet
  size_t count = 0;                     // the list's rows when the copy began
  Request request;
};

struct Result {
  int kind = 0;
  unsigned generation = 0;
  std::unordered_set<std::wstring> dead;  // by TargetKey
};

struct Checks {
  // Shared with the thread.
  std::mutex mutex;
  std::deque<Request> requests;
  std::vector<Result> results;
  bool running = false;
  HWND window = nullptr;
  // User-interface thread only.
  std::array<Copy, 4> copies{};  // lists whose targets are being copied for the thread
  bool collectPosted = false;
  bool held = false;  // see HoldTargetChecks
  std::array<unsigned, 4> generation{};
  std::array<std::unordered_set<std::wstring>, 4> dead;
};

// Never destroyed: a thread that outlives shutdown may still use it.
Checks& TheChecks() {
  static Checks* checks = new Checks;
  return *checks;
}

// A drive worth asking: on this computer and there (a USB stick taken out
// says nothing about the files on it).
bool DriveAnswers(wchar_t letter, std::map<wchar_t, bool>& drives) {
  const auto [known, inserted] = drives.try_emplace(UpcasePathChar(letter), false);
  if (inserted) {
    const wchar_t root[] = {letter, L':', L'\\', 0};
    const UINT type = GetDriveTypeW(root);
    known->second = type != DRIVE_REMOTE && type != DRIVE_NO_ROOT_DIR && type != DRIVE_UNKNOWN &&
                    GetFileAttributesW(root) != INVALID_FILE_ATTRIBUTES;
  }
  return known->second;
}

}  // namespace

bool TargetIsGone(const std::wstring& target, std::map<wchar_t, bool>& drives) {
  if (!DriveAnswers(target[0], drives) || GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  // Only "not there" counts: a file held or denied to this user exists.
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

namespace {

void CheckerThread() {
  const UnusedStackScope stack;
  Checks& checks = TheChecks();
  SetThreadErrorMode(SEM_FAILCRITICALERRORS, nullptr);  // no "insert a disk" box
  for (;;) {
    Request request;
    {
      std::lock_guard lock(checks.mutex);
      if (checks.requests.empty()) {
        checks.running = false;
        return;  // the thread goes until the next check
      }
      request = std::move(checks.requests.front());
      checks.requests.pop_front();
    }
    Result result{request.kind, request.generation, {}};
    std::map<wchar_t, bool> drives;
    for (size_t index = 0; index < request.targets.Count(); ++index) {
      const std::wstring target(request.targets.Target(index));
      if (TargetIsGone(target, drives)) result.dead.insert(TargetKey(target));
    }
    HWND window = nullptr;
    {
      std::lock_guard lock(checks.mutex);
      checks.results.push_back(std::move(result));
      window = checks.window;
    }
    PostMessageW(window, kChecked, 0, 0);
  }
}

// Copies the next slice of each list due; true when a copy is left for the
// next message.
bool CopySlices() {
  Checks& checks = TheChecks();
  bool left = false;
  for (int kind : {kAppsKind, kFilesKind}) {
    Copy& copy = checks.copies[static_cast<size_t>(kind)];
    if (!copy.list) continue;
    const FavouriteList& list = *copy.list;
    // Rows removed or added since the copy began: it starts again, so that
    // no row is skipped or taken twice.
    if (list.Count() != copy.count) copy = {copy.list, 0, list.Count(), {kind, copy.request.generation, {}}};
    const size_t end = std::min(list.Count(), copy.next + kCopySlice);
    for (; copy.next < end; ++copy.next) {
      if (IsCheckableTarget(list.Target(copy.next))) copy.request.targets.Append({}, list.Target(copy.next));
    }
    if (copy.next < list.Count()) {
      left = true;
      continue;
    }
    Request request = std::move(copy.request);
    copy = {};
    std::lock_guard lock(checks.mutex);
    std::erase_if(checks.requests, [kind](const Request& waiting) { return waiting.kind == kind; });
    checks.requests.push_back(std::move(request));
  }
  return left;
}

void StartChecks() {
  Checks& checks = TheChecks();
  checks.collectPosted = false;
  if (checks.held) return;  // nor copied meanwhile: the copies would wait in memory
  if (CopySlices()) checks.collectPosted = PostMessageW(checks.window, kCollect, 0, 0) != 0;
  std::lock_guard lock(checks.mutex);
  if (checks.running || checks.requests.empty()) return;
  checks.running = true;
  try {
    std::thread(CheckerThread).detach();
  } catch (const std::system_error&) {
    checks.running = false;  // no thread: the rows stay as they are drawn
    checks.requests.clear();
  }
}

LRESULT CALLBACK ChecksWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCollect) {
    StartChecks();
    return 0;
  }
  if (message != kChecked) return DefWindowProcW(window, message, wParam, lParam);
  Checks& checks = TheChecks();
  std::vector<Result> results;
  {
    std::lock_guard lock(checks.mutex);
    results.swap(checks.results);
  }
  for (Result& result : results) {
    const auto k = static_cast<size_t>(result.kind);
    if (result.generation != checks.generation[k]) continue;  // a newer check is on its way
    // The same targets missing as before: the rows show right already (a
    // long list's repaint takes a while, under Wine above all).
    if (result.dead == checks.dead[k]) continue;
    checks.dead[k] = std::move(result.dead);
    if (HWND list = ListView(result.kind)) InvalidateRect(list, nullptr, FALSE);
  }
  return 0;
}

HWND EnsureWindow() {
  Checks& checks = TheChecks();
  if (checks.window) return checks.window;
  HWND window = CreateMessageWindow(kWindowClass, ChecksWindowProc);
  std::lock_guard lock(checks.mutex);
  checks.window = window;
  return window;
}

}  // namespace

void CheckListTargets(const FavouriteStore& store, int kind) {
  if (kind != kAppsKind && kind != kFilesKind) return;  // links are web addresses
  Checks& checks = TheChecks();
  // Many additions in a row make one check, once they are all in; a copy
  // under way starts again with the list as it is now. A result of an
  // earlier check that comes meanwhile is dropped.
  const FavouriteList& list = store.List(kind);
  const auto k = static_cast<size_t>(kind);
  checks.copies[k] = {&list, 0, list.Count(), {kind, ++checks.generation[k], {}}};
  if (!checks.collectPosted && EnsureWindow()) checks.collectPosted = PostMessageW(checks.window, kCollect, 0, 0) != 0;
}

void HoldTargetChecks(bool held) {
  Checks& checks = TheChecks();
  checks.held = held;
  if (!held && !checks.collectPosted && checks.window) {
    checks.collectPosted = PostMessageW(checks.window, kCollect, 0, 0) != 0;
  }
}

bool IsDeadRow(const FavouriteStore& store, int kind, int row) {
  if (!IsListKind(kind)) return false;
  const auto& dead = TheChecks().dead[static_cast<size_t>(kind)];
  const FavouriteList& list = store.List(kind);
  return !dead.empty() && row >= 0 && static_cast<size_t>(row) < list.Count() &&
         dead.count(TargetKey(list.Target(static_cast<size_t>(row)))) != 0;
}

std::vector<int> DeadRows(const FavouriteStore& store, int kind) {
  std::vector<int> rows;
  for (int row = 0; row < static_cast<int>(store.List(kind).Count()); ++row) {
    if (IsDeadRow(store, kind, row)) rows.push_back(row);
  }
  return rows;
}

void RemoveDeadEntries(FavouriteStore& store, int kind) {
  if (!FinishListLoad(kind)) return;
  const std::vector<int> rows = DeadRows(store, kind);
  if (rows.empty()) {
    ShowMessage(ListOwner(store), kDeadTitle, L"Aucun favori introuvable dans cette liste.", kInformationBox);
    return;
  }
  std::vector<PickRow> picks;
  for (int row : rows) {
    const ListEntry entry = EntryAt(store, kind, row);
    picks.push_back({entry.name, entry.target, L"introuvable", true});
  }
  const auto ticks = TheRequesters().PickRows(ListOwner(store), kDeadTitle, kDeadPrompt, picks);
  if (!ticks) return;
  std::vector<int> chosen;
  for (size_t i = 0; i < rows.size() && i < ticks->size(); ++i) {
    if ((*ticks)[i]) chosen.push_back(rows[i]);
  }
  if (chosen.empty()) return;
  const std::wstring question = chosen.size() == 1
                                    ? L"Retirer 1 favori introuvable de votre liste ?"
                                    : L"Retirer " + std::to_wstring(chosen.size()) +
                                          L" favoris introuvables de votre liste ?";
  if (!Ask(ListOwner(store), kDeadTitle, question, kListQuestionBox)) return;
  // From the bottom up, so that the rows still to remove keep their numbers.
  for (auto row = chosen.rbegin(); row != chosen.rend(); ++row) RemoveEntry(store, kind, *row);
  ShowListCount(store, kind);
  AutoSaveList(store, kind);
}


bool HandleDeadTargetNotify(const FavouriteStore& store, const NMHDR* header, LRESULT* result) {
  const int kind = static_cast<int>(header->idFrom);
  if ((kind != kAppsKind && kind != kFilesKind) || header->hwndFrom != ListView(kind)) return false;
  if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header));
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
      *result = TheChecks().dead[static_cast<size_t>(kind)].empty() ? CDRF_DODEFAULT : CDRF_NOTIFYITEMDRAW;
      return true;
    }
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return false;
    *result = CDRF_DODEFAULT;
    if (IsDeadRow(store, kind, static_cast<int>(draw->nmcd.dwItemSpec))) {
      draw->clrText = GetSysColor(COLOR_GRAYTEXT);
      *result = CDRF_NEWFONT;
    }
    return true;
  }
  if (header->code == static_cast<UINT>(LVN_GETINFOTIPW)) {
    auto* tip = reinterpret_cast<NMLVGETINFOTIPW*>(const_cast<NMHDR*>(header));
    if (!IsDeadRow(store, kind, tip->iItem) || !tip->pszText || tip->cchTextMax <= 0) return false;
    const std::wstring text = kMissingTip + std::wstring(store.List(kind).Target(static_cast<size_t>(tip->iItem)));
    const size_t room = static_cast<size_t>(tip->cchTextMax) - 1;
    const size_t length = text.size() < room ? text.size() : room;
    text.copy(tip->pszText, length);
    tip->pszText[length] = L'\0';
    *result = 0;
    return true;
  }
  return false;
}
}  // namespace kelvane
