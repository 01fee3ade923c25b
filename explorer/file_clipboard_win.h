#pragma once
// The file clipboard: the system clipboard in the format the Windows file
// manager uses (CF_HDROP). The program keeps no copy of its own; what it
// puts there carries no move hint, so every paste of it is a copy, and what
// it pastes it always copies, whatever another program asked for.
#include <span>
#include <string>
#include <vector>

#include "settings/program_context_win.h"

namespace kelvane {

// True when the clipboard can be opened and offers CF_HDROP. A clipboard
// held open by another program reads as holding no files.
bool ClipboardHasFiles();

enum class PasteScope {
  PasteOnly,  // the paste entry of MenuExplorer and the paste button
  Full,       // also the buttons that empty and show the clipboard
};

// Enables or disables the paste-related commands from the clipboard's state,
// with the enabled or disabled look of their buttons.
void UpdatePasteState(ProgramContext& context, PasteScope scope);

// Replaces the clipboard's content with one CF_HDROP item: the 20-byte
// DROPFILES header (wide paths) and the path list (final backslashes
// removed). No other format. True on success; an empty list is a success.
bool PutFilesOnClipboard(ProgramContext& context, std::span<const std::wstring> paths);

// Every path of the clipboard's CF_HDROP item in its order, as the item
// holds it, existing or not (wide or ANSI items alike); empty when the
// clipboard holds none or cannot be opened.
std::vector<std::wstring> ClipboardFilePaths();

// The clipboard's files as one text: the paths that still exist, folders
// with a trailing backslash, separated by line feeds (none after the
// last); empty when there is nothing usable.
std::wstring ReadClipboardFiles();

// Empties the system clipboard (whatever it holds). False when it could
// not be opened.
bool EmptySystemClipboard(ProgramContext& context);

// Why paste and "Nouveau dossier" refuse the drive overview.
inline constexpr wchar_t kNoFolderInDriveOverview[] =
    L"Ouvrez d'abord un dossier : la liste des lecteurs n'en est pas un, rien n'y a \u00E9t\u00E9 \u00E9crit.";

// Commands.
void CopySelectionToClipboard(ProgramContext& context);  // Copier button, CmdExplCopier
void PasteClipboardFiles(ProgramContext& context);       // Coller button, CmdExplColler: a copy into the folder shown (an existing one)
void EmptyFileClipboard(ProgramContext& context);        // ViderPressePapier button

// At quit: when the clipboard holds files, asks whether to keep them for
// later ("Presse-papier", Yes/No); No empties the clipboard.
void AskToKeepClipboardFilesAtQuit(ProgramContext& context);

}  // namespace kelvane
