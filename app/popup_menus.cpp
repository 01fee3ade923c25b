#include "app/popup_menus.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "catalog/ids.h"
#include "catalog/catalog.h"
#include "toolkit/dpi_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/image_set_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/special_folders_win.h"

namespace kelvane {
namespace {

// One menu entry: command 0 is a separator. The image is one of the
// program's images, or kFolderIcon for the shell icon of the entry's folder.
struct MenuEntry {
  int command;
  const wchar_t* group;
  const wchar_t* key;
  int image;
};

constexpr int kFolderIcon = -2;
constexpr wchar_t kMenus[] = L"PopUpMenus";
constexpr wchar_t kExpl[] = L"ToolTipExplorer";
constexpr wchar_t kTray[] = L"SystrayIcon";
constexpr MenuEntry kSeparator{0, nullptr, nullptr, -1};

constexpr MenuEntry kAffichage[] = {
    {CmdLargesIco, kMenus, L"LargesIco", 48},
    {CmdPetitesIco, kMenus, L"PetitesIco", 49},
    {CmdModeListe, kMenus, L"ModeListe", 50},
    {CmdModeDetails, kMenus, L"ModeDetails", 51},
};
constexpr MenuEntry kAjout[] = {
    {CmdAjoutAppli, kMenus, L"AjoutAppli", 5},
    {CmdImportMenuDemarrer, kMenus, L"ImportMenuDemarrer", 5},
    kSeparator,
    {CmdAjoutFichier, kMenus, L"AjoutFichier", 34},
    {CmdAjoutDossier, kMenus, L"AjoutDossier", 35},
    {CmdImportFavorisExplorateur, kMenus, L"ImportFavorisExplorateur", 34},
    kSeparator,
    {CmdAjoutLien, kMenus, L"AjoutLien", 3},
    {CmdImportNavigateurs, kMenus, L"ImportNavigateurs", 3},
    {CmdImportFichierFavoris, kMenus, L"ImportFichierFavoris", 3},
};
constexpr MenuEntry kLiens[] = {
    {CmdLienOuvrir, kMenus, L"OuvrirNavWeb", 15},
    {CmdLienRenommer, kMenus, L"Renommer", 20},
    kSeparator,
    {CmdLienRetirer, kMenus, L"Retirer", 6},
};
constexpr MenuEntry kFichiers[] = {
    {CmdFichierOuvrir, kMenus, L"Ouvrir", 15},
    {CmdFichierRenommer, kMenus, L"Renommer", 20},
    {CmdFichierProprietes, kMenus, L"Proprietes", 21},
    kSeparator,
    {CmdFichierRetirer, kMenus, L"Retirer", 6},
    {CmdFichierIntrouvables, kMenus, L"RetirerIntrouvables", 6},
};
constexpr MenuEntry kApplis[] = {
    {CmdAppliOuvrir, kMenus, L"Ouvrir", 15},
    {CmdAppliRenommer, kMenus, L"Renommer", 20},
    {CmdAppliProprietes, kMenus, L"Proprietes", 21},
    kSeparator,
    {CmdAppliRetirer, kMenus, L"Retirer", 6},
    {CmdAppliIntrouvables, kMenus, L"RetirerIntrouvables", 6},
};
constexpr MenuEntry kRecents[] = {
    {CmdRecentOuvrir, kMenus, L"Ouvrir", 15},
    kSeparator,
    {CmdRecentProprietes, kMenus, L"Proprietes", 21},
    kSeparator,
    {CmdRecentSupprSelect, kMenus, L"SupprSelect", 6},
    kSeparator,
    {CmdRecentMorts, kMenus, L"SupprMorts", 6},
    {CmdRecentSupprTout, kMenus, L"SupprTout", 22},
};
constexpr MenuEntry kSauvegarde[] = {
    {CmdCreerSauvegarde, kMenus, L"CreerSauvegarde", 24},
    kSeparator,
    {CmdRecupSauvegarde, kMenus, L"RecupSauvegarde", 25},
    kSeparator,
    {CmdSupprSauvegarde, kMenus, L"SupprSauvegarde", 41},
};
constexpr MenuEntry kExplorer[] = {
    {CmdExplOuvrir, kMenus, L"Ouvrir", 15},
    {CmdExplRenommer, kMenus, L"Renommer", 20},
    {CmdExplProprietes, kMenus, L"Proprietes", 21},
    kSeparator,
    {CmdExplCopier, kExpl, L"Copier", 38},
    {CmdExplColler, kExpl, L"Coller", 39},
    kSeparator,
    {CmdExplCopierVers, kExpl, L"CopierVers", 37},
    {CmdExplDeplacerVers, kExpl, L"DeplacerVers", 32},
    kSeparator,
    {CmdExplSupprimer, kExpl, L"Supprimer", 6},
    {CmdExplRecycler, kExpl, L"Recycler", 27},
};
constexpr MenuEntry kDossiers[] = {
    {CmdSelectDossier, kMenus, L"SelectDossier", 18},
    kSeparator,
    {CmdMesdocuments, kMenus, L"Mesdocuments", kFolderIcon},
    {CmdMesimages, kMenus, L"Mesimages", kFolderIcon},
    {CmdMamusique, kMenus, L"Mamusique", kFolderIcon},
    {CmdMesvideos, kMenus, L"Mesvideos", kFolderIcon},
    {CmdMesTelecharges, kMenus, L"MesTelecharges", kFolderIcon},
    {CmdMesContacts, kMenus, L"MesContacts", kFolderIcon},
    {CmdMyFavorites, kMenus, L"MyFavorites", kFolderIcon},
};
constexpr MenuEntry kSystray[] = {
    {CmdTrayExplorateur, kTray, L"Explorateur", 26},
    {CmdTrayDesktop, kTray, L"Desktop", 47},
    kSeparator,
    {CmdTrayRecents, kTray, L"Recents", 8},
    {CmdTrayLiensWeb, kTray, L"LiensWeb", 3},
    {CmdTrayFichiersDossiers, kTray, L"FichiersDossiers", 7},
    {CmdTrayMesApplis, kTray, L"MesApplis", 5},
    kSeparator,
    {CmdTrayAfficher, kTray, L"AfficherFenetre", 9},
    {CmdTrayQuitter, kTray, L"QuitterFenetre", 1},
};

struct MenuTable {
  int id;
  std::span<const MenuEntry> entries;
};

// In the order they are built.
constexpr MenuTable kMenuTables[] = {
    {kMenuAffichage, kAffichage}, {kMenuAjout, kAjout},         {kMenuLiens, kLiens},
    {kMenuFichiers, kFichiers},   {kMenuApplis, kApplis},       {kMenuRecents, kRecents},
    {kMenuSauvegarde, kSauvegarde}, {kMenuExplorer, kExplorer}, {kMenuDossiers, kDossiers},
    {kMenuSystray, kSystray},
};

struct Menus {
  // Declared before the menus so that the menus go first: a menu refers to
  // its bitmaps without owning them.
  std::vector<UniqueBitmap> bitmaps;
  std::vector<std::pair<int, UniqueMenu>> menus;
  bool folderIconsAdded = false;
};

Menus& TheMenus() {
  static Menus menus;
  return menus;
}

// A 32-bit premultiplied bitmap of an icon, as menus draw them with their
// alpha. The icon is drawn once on black and once on white: the difference
// between the two gives each pixel's coverage, whatever form the icon has.
UniqueBitmap MenuBitmapFromIcon(HICON icon, int side) {
  if (!icon) return {};
  void* onBlackBits = nullptr;
  void* onWhiteBits = nullptr;
  UniqueBitmap onBlack = MakeDibSection(side, side, nullptr, &onBlackBits);
  UniqueBitmap onWhite = MakeDibSection(side, side, nullptr, &onWhiteBits);
  UniqueDC dc(CreateCompatibleDC(nullptr));
  if (!onBlack || !onWhite || !dc || !onBlackBits || !onWhiteBits) return {};
  {
    SelectObjectScope select(dc.get(), onBlack.get());
    PatBlt(dc.get(), 0, 0, side, side, BLACKNESS);
    DrawIconEx(dc.get(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
  }
  {
    SelectObjectScope select(dc.get(), onWhite.get());
    PatBlt(dc.get(), 0, 0, side, side, WHITENESS);
    DrawIconEx(dc.get(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
  }
  GdiFlush();
  auto* black = static_cast<uint8_t*>(onBlackBits);
  const auto* white = static_cast<const uint8_t*>(onWhiteBits);
  for (int i = 0; i < side * side; ++i) {
    uint8_t* b = black + 4 * i;
    const uint8_t* w = white + 4 * i;
    const int spread = (w[0] - b[0]) + (w[1] - b[1]) + (w[2] - b[2]);
    int alpha = 255 - spread / 3;
    alpha = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
    // On black the drawn colour already is colour x coverage (premultiplied).
    for (int c = 0; c < 3; ++c) {
      if (b[c] > alpha) b[c] = static_cast<uint8_t>(alpha);
    }
    b[3] = static_cast<uint8_t>(alpha);
  }
  return onBlack;
}

UniqueBitmap FolderBitmap(int command, int side) {
  const std::wstring folder = DossiersMenuFolder(command);
  if (folder.empty()) return {};
  SHFILEINFOW file{};
  if (!SHGetFileInfoW(folder.c_str(), 0, &file, sizeof file, SHGFI_ICON | SHGFI_SMALLICON)) return {};
  UniqueIcon icon(file.hIcon);
  return MenuBitmapFromIcon(icon.get(), side);
}

// The shell icons of MenuDossiers' special folders, once.
void AddFolderIcons(HMENU menu) {
  Menus& state = TheMenus();
  if (!menu || state.folderIconsAdded) return;
  state.folderIconsAdded = true;
  const int side = Scale(16, DpiOf(App().mainWindow));
  for (int command = CmdMesdocuments; command <= CmdMyFavorites; ++command) {
    UniqueBitmap bitmap = FolderBitmap(command, side);
    if (!bitmap) continue;
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = bitmap.get();
    SetMenuItemInfoW(menu, static_cast<UINT>(command), FALSE, &item);
    state.bitmaps.push_back(std::move(bitmap));
  }
}

UniqueMenu BuildMenu(std::span<const MenuEntry> entries, int side, std::vector<UniqueBitmap>* bitmaps) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return menu;
  UINT position = 0;
  for (const MenuEntry& entry : entries) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    std::wstring text;
    if (!entry.command) {
      item.fMask = MIIM_FTYPE;
      item.fType = MFT_SEPARATOR;
    } else {
      text = CatalogText(entry.group, entry.key);
      item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
      item.fType = MFT_STRING;
      item.wID = static_cast<UINT>(entry.command);
      item.dwTypeData = text.data();
      // The folders' shell icons are fetched when the menu is first shown:
      // the shell's first icon lookup is slow and would delay the start.
      if (entry.image != kFolderIcon) {
        if (HBITMAP ready = App().images.Bitmap(entry.image, side)) {
          item.fMask |= MIIM_BITMAP;
          item.hbmpItem = ready;
        } else if (UniqueBitmap bitmap = MenuBitmapFromIcon(App().images.Icon(entry.image, side), side)) {
          item.fMask |= MIIM_BITMAP;
          item.hbmpItem = bitmap.get();
          bitmaps->push_back(std::move(bitmap));
        }
      }
    }
    InsertMenuItemW(menu.get(), position++, TRUE, &item);
  }
  return menu;
}

std::wstring ProfileFolder() {
  const std::wstring& known = App().profileFolder;
  return known.empty() ? SpecialFolderPath(CSIDL_PROFILE) : known;
}

std::wstring DownloadsFolder() {
  static constexpr GUID kDownloads = {0x374DE290, 0x123F, 0x4565, {0x91, 0x64, 0x39, 0xC4, 0x92, 0x5E, 0x46, 0x7B}};
  PWSTR path = nullptr;
  const HRESULT result = SHGetKnownFolderPath(kDownloads, 0, nullptr, &path);
  const std::wstring folder = SUCCEEDED(result) && path ? std::wstring(path) : std::wstring();
  CoTaskMemFree(path);
  if (!folder.empty()) return WithTrailingBackslash(folder);
  const std::wstring profile = ProfileFolder();
  return profile.empty() ? std::wstring() : profile + L"Downloads\\";
}

std::wstring InProfile(const wchar_t* name) {
  const std::wstring profile = ProfileFolder();
  return profile.empty() ? std::wstring() : profile + name;
}

}  // namespace

void ForgetPopupMenus() {
  Menus& state = TheMenus();
  state.menus.clear();
  state.bitmaps.clear();
  state.folderIconsAdded = false;
}

namespace {

// Called when none are built.
void BuildPopupMenus() {
  Menus& state = TheMenus();
  const int side = Scale(16, DpiOf(App().mainWindow));
  for (const MenuTable& table : kMenuTables) {
    state.menus.emplace_back(table.id, BuildMenu(table.entries, side, &state.bitmaps));
  }
  CheckViewModeEntry(CmdModeDetails);
}

}  // namespace

void LoadDossiersMenuIcons() { AddFolderIcons(PopupMenu(kMenuDossiers)); }

HMENU PopupMenu(int menuId) {
  if (TheMenus().menus.empty()) BuildPopupMenus();
  for (const auto& [id, menu] : TheMenus().menus) {
    if (id == menuId) return menu.get();
  }
  return nullptr;
}

void ShowPopupMenu(int menuId) {
  HMENU menu = PopupMenu(menuId);
  HWND main = App().mainWindow;
  if (!menu || !main) return;
  if (menuId == kMenuDossiers) LoadDossiersMenuIcons();
  POINT cursor{};
  GetCursorPos(&cursor);
  if (menuId == kMenuSystray) {
    // A tray menu only closes on a click elsewhere when its owner is the
    // foreground window; the posted message lets it close the first time.
    SetForegroundWindow(main);
    TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, main, nullptr);
    PostMessageW(main, WM_NULL, 0, 0);
    return;
  }
  ShowPopupMenuAt(menuId, cursor);
}

namespace {

// A menu other than the tray's, its top-left corner at a screen point;
// with TPM_RETURNCMD in `extra`, the command chosen (0 for none).
int TrackPopupMenuAt(int menuId, POINT screen, UINT extra) {
  HMENU menu = PopupMenu(menuId);
  HWND main = App().mainWindow;
  if (!menu || !main) return 0;
  return static_cast<int>(
      TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | extra, screen.x, screen.y, main, nullptr));
}

}  // namespace

void ShowPopupMenuAt(int menuId, POINT screen) { TrackPopupMenuAt(menuId, screen, 0); }

int ChoosePopupMenuEntry(int menuId) {
  POINT cursor{};
  GetCursorPos(&cursor);
  return TrackPopupMenuAt(menuId, cursor, TPM_RETURNCMD);
}

void CheckViewModeEntry(int command) {
  HMENU menu = PopupMenu(kMenuAffichage);
  if (!menu || command < CmdLargesIco || command > CmdModeDetails) return;
  for (int entry = CmdLargesIco; entry <= CmdModeDetails; ++entry) {
    CheckMenuItem(menu, static_cast<UINT>(entry), MF_BYCOMMAND | (entry == command ? MF_CHECKED : MF_UNCHECKED));
  }
}

void EnablePasteEntry(bool enabled) {
  if (HMENU menu = PopupMenu(kMenuExplorer)) {
    EnableMenuItem(menu, CmdExplColler, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

std::wstring DossiersMenuFolder(int command) {
  switch (command) {
    case CmdMesdocuments: return SpecialFolderPath(CSIDL_PERSONAL);
    case CmdMesimages: return SpecialFolderPath(CSIDL_MYPICTURES);
    case CmdMamusique: return SpecialFolderPath(CSIDL_MYMUSIC);
    case CmdMesvideos: return SpecialFolderPath(CSIDL_MYVIDEO);
    case CmdMesTelecharges: return DownloadsFolder();
    case CmdMesContacts: return InProfile(L"Contacts\\");
    case CmdMyFavorites: return InProfile(L"Favorites\\");
    default: return {};
  }
}

}  // namespace kelvane
