#include "app/list_keys.h"

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"

namespace kelvane {
namespace {

enum Mods : int { kNone = 0, kCtrl = 1, kShift = 2 };

struct ListKey {
  int gadget;
  UINT key;
  int mods;
  int command;
};

// Enter in the folder lists stays theirs: it opens the row or enters the folder.
constexpr ListKey kListKeys[] = {
    {kAppsList, VK_RETURN, kNone, CmdAppliOuvrir},       {kAppsList, VK_DELETE, kNone, CmdAppliRetirer},
    {kAppsList, VK_F2, kNone, CmdAppliRenommer},         {kAppsList, 'N', kCtrl, CmdAjoutAppli},
    {kFilesList, VK_RETURN, kNone, CmdFichierOuvrir},    {kFilesList, VK_DELETE, kNone, CmdFichierRetirer},
    {kFilesList, VK_F2, kNone, CmdFichierRenommer},      {kFilesList, 'N', kCtrl, CmdAjoutFichier},
    {kLinksList, VK_RETURN, kNone, CmdLienOuvrir},       {kLinksList, VK_DELETE, kNone, CmdLienRetirer},
    {kLinksList, VK_F2, kNone, CmdLienRenommer},         {kLinksList, 'N', kCtrl, CmdAjoutLien},
    {kRecentList, VK_DELETE, kNone, CmdRecentSupprSelect},
    {kExplorerList, VK_DELETE, kNone, CmdExplRecycler},  // to the recycle bin, as the file manager does
    {kExplorerList, VK_DELETE, kShift, CmdExplSupprimer},
    {kExplorerList, VK_F2, kNone, CmdExplRenommer},
};
constexpr int kSearchedLists[] = {kAppsList, kFilesList, kLinksList, kRecentList, kExplorerList, kDesktopList};

// The list gadget whose list view `window` is; 0 for any other window.
int ListGadgetOf(HWND window) {
  for (int gadget : kSearchedLists) {
    const ExplorerListControl* folderList = FolderList(gadget);
    HWND view = folderList ? folderList->Hwnd() : Gadget(gadget);
    if (view && view == window) return gadget;
  }
  return 0;
}

}  // namespace

bool HandleListKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !App().mainWindow) return false;
  const int gadget = ListGadgetOf(msg.hwnd);
  if (!gadget || (GetKeyState(VK_MENU) & 0x8000)) return false;
  const int mods = ((GetKeyState(VK_CONTROL) & 0x8000) ? kCtrl : kNone) | ((GetKeyState(VK_SHIFT) & 0x8000) ? kShift : kNone);
  int command = mods == kCtrl && msg.wParam == 'F' ? CmdRechercher : 0;
  for (const ListKey& key : kListKeys) {
    if (key.gadget == gadget && key.key == msg.wParam && key.mods == mods) command = key.command;
  }
  if (!command) return false;
  SendMessageW(App().mainWindow, WM_COMMAND, static_cast<WPARAM>(command), 0);
  return true;
}

}  // namespace kelvane
