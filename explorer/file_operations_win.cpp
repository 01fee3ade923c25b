#include "explorer/file_operations_win.h"

#include <windows.h>

#include "explorer/explorer_selection.h"
#include "explorer/explorer_tab_win.h"
#include "explorer/folder_merge.h"
#include "explorer/path_list.h"
#include "explorer/shell_file_ops_win.h"
#include "lists/list_rules.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/requesters_win.h"

namespace kelvane {
namespace {

constexpr UINT kYesNoWarning = MB_YESNO | MB_ICONWARNING;
constexpr wchar_t kErrorTitle[] = L"Erreur!";

HWND Owner(const ProgramContext& context) { return context.mainWindow; }

PathKind KindOfAttributes(DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::None;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return PathKind::Link;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

PathKind KindOfPath(const std::wstring& path) { return KindOfAttributes(GetFileAttributesW(path.c_str())); }

class DiskFileSystem : public MergeFileSystem {
 public:
  PathKind KindOf(const std::wstring& path) override { return KindOfPath(path); }

  bool List(const std::wstring& folder, std::vector<FolderEntry>* entries) override {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
      const std::wstring name = data.cFileName;
      if (!IsDotEntry(name)) entries->push_back({name, KindOfAttributes(data.dwFileAttributes)});
    } while (FindNextFileW(find, &data));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    return complete;
  }

  bool Move(const std::wstring& from, const std::wstring& to, bool replaceFile) override {
    const DWORD flags = MOVEFILE_COPY_ALLOWED | (replaceFile ? MOVEFILE_REPLACE_EXISTING : 0);
    return MoveFileExW(from.c_str(), to.c_str(), flags) != FALSE;
  }

  bool RemoveEmptyFolder(const std::wstring& folder) override { return RemoveDirectoryW(folder.c_str()) != FALSE; }
};

// The list read again (a small folder is complete on return) and its title.
void RefreshExplorer(ProgramContext& context) {
  if (ExplorerListControl* list = ExplorerList(context)) list->Refresh();
  RewriteExplorerHeader(context);
}

bool MoveDroppedFile(ProgramContext& context, const std::wstring& source, const std::wstring& folder) {
  const std::wstring name = FileNamePartOf(source);
  const std::wstring target = folder + name;
  if (SamePath(source, target)) return true;  // already in this folder
  const PathKind existing = KindOfPath(target);
  if (existing != PathKind::None) {
    if (!Ask(Owner(context), L"FICHIER EXISTANT",
             L"Le fichier " + name + L" existe d\u00E9j\u00E0, voulez-vous le remplacer ?")) {
      return true;
    }
    // Only a file gives way to a file; a folder of that name stays.
    return existing == PathKind::File &&
           MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
  }
  return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED) != FALSE;
}

bool MoveDroppedFolder(ProgramContext& context, const std::wstring& source, const std::wstring& folder,
                       const std::wstring& name,
                       bool sourceIsLink) {
  const std::wstring target = folder + name + L"\\";
  if (SamePath(source, target)) return true;
  if (IsInsideFolder(target, source)) return false;  // into itself
  const PathKind existing = KindOfPath(target);
  if (existing != PathKind::None) {
    if (!Ask(Owner(context), L"DOSSIER EXISTANT",
             L"Le dossier " + name + L" existe d\u00E9j\u00E0, voulez-vous le remplacer ?")) {
      return true;
    }
    // Merged: the existing folder keeps what the dropped one does not have.
    // A dropped link is not entered: its contents live elsewhere.
    DiskFileSystem disk;
    return existing == PathKind::Folder && !sourceIsLink &&
           MergeFolderInto(WithTrailingBackslash(source), target, disk);
  }
  return MoveFileW(StripFinalBackslash(source).c_str(), (folder + name).c_str()) != FALSE;
}

}  // namespace

std::vector<std::wstring> CollectExplorerSelection(ProgramContext& context, const std::wstring& folder) {
  const ExplorerListControl* list = ExplorerList(context);
  if (!list) return {};
  std::vector<FolderRowInfo> rows;
  const int count = list->RowCount();
  rows.reserve(static_cast<size_t>(count));
  for (int row = 0; row < count; ++row) {
    // A drive row is a whole drive, never a file to copy, move or delete.
    const bool selected = list->RowIsSelected(row) && !list->RowIsDrive(row);
    rows.push_back({list->RowIsParent(row) ? L".." : list->RowName(row), selected});
  }
  return CollectSelectedPaths(folder, rows);
}

bool SelectionIsDrivesOnly(ProgramContext& context) {
  const ExplorerListControl* list = ExplorerList(context);
  if (!list) return false;
  bool drives = false;
  for (int row : list->SelectedRows()) drives = drives || list->RowIsDrive(row);
  return drives && CollectExplorerSelection(context, list->Folder()).empty();
}

void CopyOrMoveSelection(ProgramContext& context, const std::wstring& sourceFolder, const std::wstring& destinationFolder, TransferMode mode) {
  const std::vector<std::wstring> sources = CollectExplorerSelection(context, sourceFolder);
  const std::vector<std::wstring> destination{destinationFolder};
  std::wstring reason;
  if (mode == TransferMode::Move) {
    if (!ShellMoveFiles(sources, destination, L"D\u00E9placement", nullptr, kMoveFlags, &reason)) {
      ShowMessage(Owner(context), kErrorTitle, L"Erreur survenue lors du d\u00E9placement des fichiers.\r\n" + reason,
                  kWarningBox);
    }
  } else if (!ShellCopyFiles(sources, destination, L"Copie", nullptr, kCopyFlags, &reason)) {
    ShowMessage(Owner(context), kErrorTitle, L"Erreur survenue lors de la copie des fichiers.\r\n" + reason, kWarningBox);
  }
}

void DeleteSelection(ProgramContext& context, const std::wstring& folder) {
  std::wstring reason;
  if (!ShellDeleteFiles(CollectExplorerSelection(context, folder), L"Suppression", nullptr, kDeleteFlags, &reason)) {
    ShowMessage(Owner(context), kErrorTitle, L"Erreur survenue lors de la suppression des fichiers.\r\n" + reason,
                kWarningBox);
  }
}

void RecycleSelection(ProgramContext& context, const std::wstring& folder) {
  // Paths taken first: the list follows the disk while the shell works.
  for (const std::wstring& path : CollectExplorerSelection(context, folder)) {
    std::wstring reason;
    if (RecycleFile(path, &reason)) {
      RewriteExplorerHeader(context);
    } else {
      ShowMessage(Owner(context), kErrorTitle,
                  FileNamePartOf(path) +
                      L"\rn'a pu \u00EAtre supprim\u00E9. Il est peut-\u00EAtre en cours d'utilisation" +
                      (reason.empty() ? std::wstring() : L"\r\n" + reason),
                  kErrorBox);
    }
  }
}

void MoveDroppedItems(ProgramContext& context, const std::wstring& droppedText) {
  const ExplorerListControl* list = ExplorerList(context);
  if (!list) return;
  const std::wstring folder = list->Folder();
  // The drive overview is no folder: a relative target would land in the
  // program's current directory.
  if (folder.empty()) return;
  for (const std::wstring& source : SplitAtLineFeeds(droppedText)) {
    if (source.empty()) continue;
    const PathKind kind = KindOfPath(source);
    if (kind == PathKind::None) continue;  // vanished since the drag began
    const bool isFolder = (GetFileAttributesW(source.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!isFolder) {
      if (!MoveDroppedFile(context, source, folder)) {
        ShowMessage(Owner(context), L"ERREUR", L"Le fichier " + FileNamePartOf(source) + L" n'a pu \u00EAtre d\u00E9plac\u00E9.",
                    kErrorBox);
      }
      continue;
    }
    const std::wstring name = FolderNameOf(WithTrailingBackslash(source));
    if (!MoveDroppedFolder(context, source, folder, name, kind == PathKind::Link)) {
      ShowMessage(Owner(context), L"ERREUR", L"Le dossier " + name + L" n'a pu \u00EAtre d\u00E9plac\u00E9.", kErrorBox);
    }
  }
  RefreshExplorer(context);
}

namespace {

void TransferSelectionToFolder(ProgramContext& context, TransferMode mode) {
  const ExplorerListControl* list = ExplorerList(context);
  if (!list || SelectionIsDrivesOnly(context)) return;
  const std::wstring chosen =
      TheRequesters().BrowseFolder(Owner(context), L"Choisissez un r\u00E9pertoire de destination", list->Folder());
  if (chosen.empty()) return;
  CopyOrMoveSelection(context, list->Folder(), chosen, mode);
  RefreshExplorer(context);
}

void ActOnSelectionAfterAsking(ProgramContext& context, const wchar_t* question,
                               void (*act)(ProgramContext& context, const std::wstring& folder)) {
  const ExplorerListControl* list = ExplorerList(context);
  if (!list || SelectionIsDrivesOnly(context)) return;
  if (!Ask(Owner(context), L"Suppression", question, kYesNoWarning)) return;
  act(context, list->Folder());
  RefreshExplorer(context);
}

}  // namespace

void CopySelectionToFolder(ProgramContext& context) { TransferSelectionToFolder(context, TransferMode::Copy); }

void MoveSelectionToFolder(ProgramContext& context) { TransferSelectionToFolder(context, TransferMode::Move); }

void DeleteSelectionAfterAsking(ProgramContext& context) {
  ActOnSelectionAfterAsking(context,
                            L"\u00CAtes-vous s\u00FBr(e) de vouloir supprimer d\u00E9finitivement tous les fichiers "
                            L"s\u00E9lectionn\u00E9s ?",
                            DeleteSelection);
}

void RecycleSelectionAfterAsking(ProgramContext& context) {
  ActOnSelectionAfterAsking(context,
                            L"\u00CAtes-vous s\u00FBr(e) de vouloir envoyer tous les fichiers s\u00E9lectionn\u00E9s "
                            L"\u00E0 la corbeille ?",
                            RecycleSelection);
}

}  // namespace kelvane
