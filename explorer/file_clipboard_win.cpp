#include "explorer/file_clipboard_win.h"

#include <windows.h>

#include <cstring>

#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "explorer/drop_files.h"
#include "explorer/explorer_selection.h"
#include "explorer/explorer_tab_win.h"
#include "explorer/file_operations_win.h"
#include "explorer/shell_file_ops_win.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/requesters_win.h"
#include "toolkit/tool_button_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

// Another program (a clipboard manager, the file manager) may hold the
// clipboard for a moment: a few short retries before giving up.
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

// Open for the life of the object.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(OpenClipboardPatiently(owner)) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool ClipboardHasFiles() {
  if (!OpenClipboard(nullptr)) return false;
  const bool hasFiles = IsClipboardFormatAvailable(CF_HDROP) != FALSE;
  CloseClipboard();
  return hasFiles;
}

void UpdatePasteState(ProgramContext& context, PasteScope scope) {
  const bool hasFiles = ClipboardHasFiles();
  if (context.window) context.window->EnablePasteEntry(hasFiles);
  if (HWND paste = Gadget(kExplColler)) SetToolButtonEnabled(paste, hasFiles);
  if (scope == PasteScope::Full) {
    if (HWND empty = Gadget(kExplVider)) SetToolButtonEnabled(empty, hasFiles);
    if (HWND show = Gadget(kExplVoirPressePapier)) SetToolButtonEnabled(show, hasFiles);
  }
}

bool PutFilesOnClipboard(ProgramContext& context, std::span<const std::wstring> paths) {
  const std::vector<uint8_t> block = BuildDropFilesBlock(std::vector<std::wstring>(paths.begin(), paths.end()));
  // The main window owns what it puts there: with no owner at all,
  // SetClipboardData is documented to fail after EmptyClipboard.
  ClipboardScope clipboard(context.mainWindow);
  if (!clipboard.open()) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block.size());
  if (!memory) return false;
  void* bytes = GlobalLock(memory);
  if (!bytes) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(bytes, block.data(), block.size());
  GlobalUnlock(memory);
  if (!SetClipboardData(CF_HDROP, memory)) {
    GlobalFree(memory);  // still ours when the clipboard refused it
    return false;
  }
  return true;
}

std::vector<std::wstring> ClipboardFilePaths() {
  ClipboardScope clipboard(nullptr);
  if (!clipboard.open()) return {};
  HANDLE data = GetClipboardData(CF_HDROP);
  if (!data) return {};
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(data));
  if (!bytes) return {};
  // Read within the block's own size, whoever made it.
  std::vector<std::wstring> paths = ParseDropFilesBlock(bytes, GlobalSize(data), AnsiToWide);
  GlobalUnlock(data);
  return paths;
}

std::wstring ReadClipboardFiles() {
  std::vector<std::wstring> usable;
  for (const std::wstring& path : ClipboardFilePaths()) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;  // gone since it was copied
    usable.push_back((attributes & FILE_ATTRIBUTE_DIRECTORY) ? WithTrailingBackslash(path) : path);
  }
  return JoinWithLineFeeds(usable);
}

bool EmptySystemClipboard(ProgramContext& context) {
  ClipboardScope clipboard(context.mainWindow);
  if (!clipboard.open()) return false;
  EmptyClipboard();
  return true;
}

void CopySelectionToClipboard(ProgramContext& context) {
  const ExplorerListControl* list = ExplorerList(context);
  if (!list) return;
  // Drive rows alone: the clipboard keeps what it holds.
  if (SelectionIsDrivesOnly(context)) return;
  if (!PutFilesOnClipboard(context, CollectExplorerSelection(context, list->Folder()))) {
    ShowMessage(context.mainWindow, L"Erreur", L"La copie des fichiers n'a pu se faire.", kErrorBox);
  }
  UpdatePasteState(context, PasteScope::Full);
}

void PasteClipboardFiles(ProgramContext& context) {
  ExplorerListControl* list = ExplorerList(context);
  if (!list) return;
  const std::wstring folder = list->Folder();
  // The drive overview is no folder (a relative target would land in the
  // program's current directory), and a folder deleted while shown would
  // turn the first pasted file into a file of its name.
  if (folder.empty()) {
    ShowMessage(context.mainWindow, L"Erreur!", kNoFolderInDriveOverview, kWarningBox);
    return;
  }
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ShowMessage(context.mainWindow, L"Erreur!",
                L"Le dossier " + folder + L" n'existe plus : rien n'a \u00E9t\u00E9 coll\u00E9.", kWarningBox);
    return;
  }
  const std::vector<std::wstring> destination{folder};
  const std::vector<std::wstring> sources = SplitAtLineFeeds(ReadClipboardFiles());
  // Always a copy: a "move" hint left by another program is not followed,
  // so the files stay where they were cut.
  std::wstring reason;
  if (!ShellCopyFiles(sources, destination, L"Coller", nullptr, kCopyFlags, &reason)) {
    ShowMessage(context.mainWindow, L"Erreur!", L"Une erreur est survenue lors de la copie des fichiers.\r\n" + reason,
                kWarningBox);
  }
  list->Refresh();
  RewriteExplorerHeader(context);
  UpdatePasteState(context, PasteScope::Full);
}

void EmptyFileClipboard(ProgramContext& context) {
  EmptySystemClipboard(context);
  UpdatePasteState(context, PasteScope::Full);
}

void AskToKeepClipboardFilesAtQuit(ProgramContext& context) {
  if (!ClipboardHasFiles()) return;
  if (!Ask(nullptr, L"Presse-papier",
           L"Des fichiers sont pr\u00E9sents dans le presse-papier, voulez-vous les conserver pour un usage "
           L"ult\u00E9rieur ?")) {
    EmptySystemClipboard(context);
  }
}

}  // namespace kelvane
