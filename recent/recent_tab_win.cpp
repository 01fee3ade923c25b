#include "recent/recent_tab_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <map>
#include <optional>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/ids.h"
#include "explorer/shell_file_ops_win.h"
#include "lists/dead_targets_win.h"
#include "lists/target_check.h"
#include "recent/purge_dates.h"
#include "recent/recent_texts.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/gadgets_win.h"
#include "toolkit/page_gadgets_win.h"
#include "toolkit/tool_button_win.h"
#include "toolkit/requesters_win.h"
#include "toolkit/shell_icons_win.h"
#include "toolkit/shell_start_win.h"
#include "toolkit/shortcut_target_win.h"
#include "toolkit/thread_scopes_win.h"

namespace kelvane {
namespace {

constexpr wchar_t kErrorTitle[] = L"Erreur!";
constexpr wchar_t kRecentFileTitle[] = L"Fichier r\u00E9cent...";
constexpr wchar_t kDeadTitle[] = L"Raccourcis morts";

// Left to right from x 102, 31 apart (closer on a narrow page); tooltips of
// group ToolTipHistory.
constexpr ToolButtonDef kButtons[] = {
    {kHistFiltrer, 42, L"FiltrerRacc"},        {kHistSupprimerRacc, 6, L"SupprimerRacc"},
    {kHistSupprimerTout, 22, L"Supprimertout"}, {kHistRecharger, 28, L"RechargerRecents"},
    {kHistCreerRacc, 43, L"CreerRacc"},        {kHistProprietes, 21, L"ProprietesRacc"},
    {kHistAffichage, 29, L"Options"},          {kHistDetails, 36, L"DetailsRecents"},
};
constexpr int kButtonsX = 102;

ExplorerListControl* RecentList(ProgramContext& context) {
  return context.window ? context.window->FolderList(kRecentList) : nullptr;
}

HWND Owner(const ProgramContext& context) { return context.mainWindow; }

// The focused row when it is also selected and is an entry of the folder
// (not "." or ".."); -1 otherwise.
int ChosenRow(const ExplorerListControl& list) {
  const int row = list.FocusedRow();
  if (row < 0 || !list.RowIsSelected(row)) return -1;
  const std::wstring name = list.RowName(row);
  return name == L"." || name == L".." ? -1 : row;
}

std::optional<uint64_t> UtcToLocalTicks(uint64_t utcTicks) {
  FILETIME utc{static_cast<DWORD>(utcTicks), static_cast<DWORD>(utcTicks >> 32)};
  SYSTEMTIME universal{};
  SYSTEMTIME local{};
  FILETIME localTime{};
  // With the offset in force on that date, not today's.
  if (!FileTimeToSystemTime(&utc, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local) ||
      !SystemTimeToFileTime(&local, &localTime)) {
    return std::nullopt;
  }
  return (static_cast<uint64_t>(localTime.dwHighDateTime) << 32) | localTime.dwLowDateTime;
}

std::vector<RecentEntry> ListShortcuts(const std::wstring& folder) {
  std::vector<RecentEntry> entries;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"*.lnk").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    RecentEntry entry;
    entry.name = found.cFileName;
    entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.creationTimeUtc =
        (static_cast<uint64_t>(found.ftCreationTime.dwHighDateTime) << 32) | found.ftCreationTime.dwLowDateTime;
    entries.push_back(std::move(entry));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

// Deletes one shortcut, read-only or not; 0, or why it stays (it then
// keeps its attributes).
DWORD DeleteShortcut(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileW(path.c_str())) return 0;
  const DWORD error = GetLastError();
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(path.c_str(), attributes);
  return error ? error : ERROR_ACCESS_DENIED;
}

// Deletes the named shortcuts of `folder` one at a time (one that cannot go
// does not keep the others) and names those that stay, with why.
void DeleteShortcutsAndReport(ProgramContext& context, const std::wstring& folder, const std::vector<std::wstring>& names) {
  std::wstring stayed;
  for (const std::wstring& name : names) {
    if (const DWORD error = DeleteShortcut(folder + name)) stayed += name + L" : " + ShellErrorText(error) + L"\r\n";
  }
  UpdateRecentCountHeader(context);
  if (!stayed.empty()) {
    ShowMessage(Owner(context), kErrorTitle,
                L"Erreur survenue lors de la suppression des fichiers. Ces raccourcis n'ont pu \u00EAtre "
                L"supprim\u00E9s :\r\n" + stayed,
                kWarningBox);
  }
}

}  // namespace

RecentTab::RecentTab(ProgramContext& context) : context_(context) {}

// The folders, the date, the tool row a few buttons at a time, then the list.
bool RecentTab::BuildPart(PageBuilder& page, int part) {
  dpi_ = page.Dpi();
  if (part == 0) {
    FindTabFolders(context_);
    return true;
  }
  if (part == 1) {
    MakePurgeDate(page);
    return true;
  }
  if (part - 2 < ToolRowParts(kButtons)) {
    page.MakeToolRowPart(kButtons, kButtonsX, [](const wchar_t* key) { return CatalogText(L"ToolTipHistory", key); },
                         part - 2);
    return true;
  }
  const int top = page.S(kToolButtonHeight);
  // The recent-items folder as the shell keeps it; the program handles
  // double clicks itself.
  const ExplorerListOptions options{.parentEntry = false, .multipleSelection = true, .fullRowSelect = true,
                                    .enterFolders = false, .targetColumn = true, .displayMode = 3};
  list_ = page.MakeFolderList(kRecentList, 0, top, page.Width(), page.Height() - top, context_.recentFolder, options);
  return false;
}

void RecentTab::MakePurgeDate(PageBuilder& page) {
  if (HWND date = page.MakeGadget(kPurgeDate, DATETIMEPICK_CLASSW, nullptr, WS_TABSTOP | DTS_SHORTDATEFORMAT, 0, 0,
                                  0, page.S(100), page.S(25))) {
    SendMessageW(date, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"dd/MM/yyyy"));
    SetGadgetToolTip(date, CatalogText(L"ToolTipHistory", L"DatePurgeRacc"));
  }
}

void RecentTab::Layout(int pageWidth, int pageHeight) {
  PlaceToolRow(kButtons, kButtonsX, dpi_, pageWidth);
  SizeList(pageWidth, pageHeight - Scale(kToolButtonHeight, dpi_));
}

void UpdateRecentCountHeader(ProgramContext& context) {
  if (ExplorerListControl* list = RecentList(context)) list->SetHeaderText(RecentCountHeader(list->RowCount()));
}

void PointRecentListAtRecentFolder(ProgramContext& context) {
  ExplorerListControl* list = RecentList(context);
  if (!list) return;
  list->SetFolder(context.recentFolder);
  UpdateRecentCountHeader(context);
}

void ReloadRecentList(ProgramContext& context) { PointRecentListAtRecentFolder(context); }

void DeleteSelectedRecent(ProgramContext& context) {
  ExplorerListControl* list = RecentList(context);
  if (!list) return;
  // Names first: the list follows the deletions on disk and its rows move.
  const std::wstring folder = list->Folder();
  std::vector<std::wstring> names;
  for (int row = 0; row < list->RowCount(); ++row) {
    if (list->RowIsSelected(row) && list->RowIsFile(row)) names.push_back(list->RowName(row));
  }
  std::wstring errors;
  for (const std::wstring& name : names) {
    if (DeleteShortcut(folder + name) != 0) errors += DeleteFailureLine(name);
  }
  UpdateRecentCountHeader(context);
  if (!errors.empty()) ShowMessage(Owner(context), kErrorTitle, errors, kErrorBox);
}

void DeleteAllRecent(ProgramContext& context) {
  if (!Ask(Owner(context), L"Effacer fichiers r\u00E9cents",
           L"\u00CAtes-vous s\u00FBr(e) de vouloir effacer tous les raccourcis vers les fichiers consult\u00E9s ?",
           MB_YESNO)) {
    return;
  }
  // The system empties its recent-documents list and removes the shortcuts.
  SHAddToRecentDocs(SHARD_PIDL, nullptr);
  UpdateRecentCountHeader(context);
}

std::wstring PurgeDateText() {
  HWND field = Gadget(kPurgeDate);
  SYSTEMTIME day{};
  if (!field || DateTime_GetSystemtime(field, &day) != GDT_VALID) return {};
  return FormatDay({day.wYear, day.wMonth, day.wDay});
}

void PurgeRecentAfterQuestion(ProgramContext& context) {
  const std::wstring day = PurgeDateText();
  if (day.empty()) return;
  if (!Ask(Owner(context), L"Suppression", PurgeQuestion(day), MB_YESNO | MB_ICONWARNING)) return;
  PurgeRecentBefore(context);
}

void PurgeRecentBefore(ProgramContext& context) {
  const std::optional<CivilDay> day = ParseDay(PurgeDateText());
  // Without a recent folder the search would run in the current directory.
  const std::wstring& folder = context.recentFolder;
  if (!day || folder.empty()) return;
  DeleteShortcutsAndReport(context, folder,
                           SelectEntriesToPurge(ListShortcuts(folder), DayStartSeconds(*day), UtcToLocalTicks));
}

void PurgeDeadRecentAfterQuestion(ProgramContext& context) {
  const std::wstring& folder = context.recentFolder;
  if (folder.empty()) return;
  // Only targets on this computer's drives are asked: a network path could
  // keep the window waiting, and a shortcut to it is never taken as dead.
  std::vector<std::wstring> dead;
  std::map<wchar_t, bool> drives;
  const ThreadErrorModeScope quiet(true);
  for (const RecentEntry& entry : ListShortcuts(folder)) {
    if (entry.isFolder || !IsShortcutName(entry.name)) continue;
    const std::wstring target = ShortcutTarget(folder + entry.name);
    if (IsCheckableTarget(target) && TargetIsGone(target, drives)) dead.push_back(entry.name);
  }
  if (dead.empty()) {
    ShowMessage(Owner(context), kDeadTitle, L"Aucun raccourci dont la cible n'existe plus.", kInformationBox);
    return;
  }
  if (!Ask(Owner(context), kDeadTitle, DeadShortcutsQuestion(dead.size()), MB_YESNO | MB_ICONWARNING)) return;
  DeleteShortcutsAndReport(context, folder, dead);
}

void AddRecentEntry(ProgramContext& context) {
  const std::wstring path =
      TheRequesters().OpenFile(Owner(context), L"Selection Fichiers", L"c:\\", L"Tous fichiers (*.*)|*.*");
  if (!path.empty()) SHAddToRecentDocs(SHARD_PATHW, path.c_str());
}

void ShowRecentProperties(ProgramContext& context) {
  ExplorerListControl* list = RecentList(context);
  if (!list) return;
  if (const int row = ChosenRow(*list); row >= 0) ShowProperties(list->Folder() + list->RowName(row));
}

void ShowRecentFolderDetails(ProgramContext& context) {
  if (ExplorerListControl* list = RecentList(context)) ShowProperties(list->Folder());
}

void OpenRecentEntry(ProgramContext& context) {
  ExplorerListControl* list = RecentList(context);
  if (!list) return;
  const int row = ChosenRow(*list);
  if (row < 0) return;
  const std::wstring name = list->RowName(row);
  const std::wstring path = list->Folder() + name;
  const wchar_t* verb = list->RowIsFolder(row) ? L"explore" : L"open";
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, verb, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ShowMessage(Owner(context), kErrorTitle, L"Impossible d'ouvrir " + name, kErrorBox);
}

void OpenRecentOnDoubleClick(ProgramContext& context) {
  ExplorerListControl* list = RecentList(context);
  if (!list) return;
  const int row = ChosenRow(*list);
  if (row < 0) return;
  OpenRecentPath(context, list->Folder() + list->RowName(row));
}

void OpenRecentPath(ProgramContext& context, const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ShowMessage(Owner(context), kRecentFileTitle,
                L"Erreur!\nLe fichier n'est plus disponible.\nSoit il a \u00E9t\u00E9 supprim\u00E9, soit il a "
                L"\u00E9t\u00E9 d\u00E9plac\u00E9.",
                kWarningBox);
    return;
  }
  if (!OpenWithDefaultAction(path)) {
    ShowMessage(Owner(context), kRecentFileTitle, L"Erreur!\nImpossible d'ouvrir ce fichier.", kWarningBox);
  }
}

bool OpenWithDefaultAction(const std::wstring& path) {
  if (ShellStartRecorder record = ShellStartRecorderForTests()) return record({L"", path, L""});
  // A document's program starts in the document's folder, as from the
  // desktop itself (a shortcut brings its own).
  return StartWithDefaultAction(path, path.substr(0, path.find_last_of(L'\\') + 1));
}

}  // namespace kelvane
