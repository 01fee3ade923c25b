#pragma once
// The explorer's file operations on the selection of ExplorerList and on
// files dropped onto it. Copies, moves and deletions of the selection go
// through the shell's file operation (explorer/shell_file_ops_win.h), so the
// user sees the shell's progress window; each reports its own failure.
#include <string>
#include <vector>

#include "settings/program_context_win.h"

namespace kelvane {

// Folder + name of every selected row of ExplorerList in list order, never
// "." or "..". `folder` is normally the list's own folder.
std::vector<std::wstring> CollectExplorerSelection(ProgramContext& context, const std::wstring& folder);

// True when drive rows are selected and nothing else but "..": a command on
// the selection then does nothing at all, not even ask.
bool SelectionIsDrivesOnly(ProgramContext& context);

enum class TransferMode { Move = 1, Copy = 2 };
// The selection of `sourceFolder` into `destinationFolder`.
void CopyOrMoveSelection(ProgramContext& context, const std::wstring& sourceFolder, const std::wstring& destinationFolder, TransferMode mode);
// The selection of `folder`, gone for good. The caller has asked first.
void DeleteSelection(ProgramContext& context, const std::wstring& folder);
// Each selected item of `folder` to the recycle bin, one shell operation per
// item: an item in use is reported and the others still go.
void RecycleSelection(ProgramContext& context, const std::wstring& folder);

// Moves dropped files and folders (full paths separated by line feeds) into
// the folder shown by ExplorerList. Always a move. A name already there is
// replaced only when the user says so; a folder replacing a folder is
// merged into it (explorer/folder_merge.h). Paths that no longer exist are
// skipped silently; failures are reported item by item.
void MoveDroppedItems(ProgramContext& context, const std::wstring& droppedText);

// Commands: the questions and the folder dialog, then the operations above;
// the list is read again and its title rewritten afterwards.
void CopySelectionToFolder(ProgramContext& context);      // CopierVers button, CmdExplCopierVers
void MoveSelectionToFolder(ProgramContext& context);      // DeplacerVers button, CmdExplDeplacerVers
void DeleteSelectionAfterAsking(ProgramContext& context);   // Supprimer button, CmdExplSupprimer
void RecycleSelectionAfterAsking(ProgramContext& context);  // Recycler button, CmdExplRecycler

}  // namespace kelvane
