#pragma once
// ExplorerListControl: the list of one folder's contents used by the recent
// files, explorer and desktop tabs.
//
// The control is a small window of its own (class kExplorerListClass, the
// gadget number as its id) holding a virtual list view that fills it and
// carries the same id. The list view asks for the texts and icons of the
// rows it draws only (LVS_OWNERDATA); icons come from the shell's system
// image list, fetched for drawn rows only and kept per row. Folders are
// listed on a background thread and shown batch by batch, so a folder of
// 100,000 files never blocks the window; the folder shown is watched and a
// change on disk is merged in (rows that did not change keep their icons).
// The details view's columns share the list's width (KeepColumnsFitted).
// An empty folder path shows the drive overview: one row per drive, named
// "C:\" and shown as "Label (C:)".
//
// Events reach the parent as WM_NOTIFY, wParam = the id, lParam pointing to
// an ExplorerListEvent whose header.code is one of the codes below. Other
// notifications of the list view (custom draw, item changes, drag start...)
// are passed on to the parent unchanged, as if it were the list view's
// parent, so that a colour layer sees them.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kelvane {

inline constexpr wchar_t kExplorerListClass[] = L"KelvaneExplorerList";

// Notification codes (ExplorerListEvent::header.code). Application-defined
// values, outside the negative ranges of the common controls.
enum : UINT {
  // Left click in the list; row = the row clicked, -1 on empty space.
  kExplorerListLeftClick = 0x4B450001,
  // Right click (or the context-menu key: row = focused row, point = -1,-1).
  kExplorerListRightClick = 0x4B450002,
  // Double click or Enter that the control did not handle itself: on a
  // file, or on a folder, ".." or drive when entering folders is off.
  // row = the row activated (the focused row for Enter).
  kExplorerListActivate = 0x4B450003,
  // The control entered a folder, ".." or drive on a double click or Enter:
  // Folder() is the new folder (its listing may still be coming in).
  kExplorerListFolderChanged = 0x4B450004,
  // Files were dropped on the list (only with acceptDrops): text = their
  // full paths joined by line feeds, no line feed after the last.
  kExplorerListFilesDropped = 0x4B450005,
  // Rows changed after the call that asked for them returned: a listing
  // that ended in the background, or a change on disk merged in. Count
  // headers are rewritten here.
  kExplorerListRowsChanged = 0x4B450006,
};

struct ExplorerListEvent {
  NMHDR header;          // hwndFrom = the control's window, idFrom = its id
  int row;               // -1 when none
  POINT point;           // in the list view's client coordinates; -1,-1 from the keyboard
  const wchar_t* text;   // dropped paths; null for other events; valid during the call only
};

struct ExplorerListOptions {
  bool border = true;               // sunken edge
  bool showSelectionAlways = false; // selection visible without the focus
  bool parentEntry = true;          // ".." first in every folder (and in a drive root)
  bool folders = true;              // folders listed
  bool files = true;                // files listed
  bool multipleSelection = false;
  bool fullRowSelect = false;
  // Sorted by name (ascending) after each listing; otherwise listing order
  // (folders, then files, each as the file system lists them) until a
  // column header is clicked. Either way a header click sorts by its column
  // (a second click reverses) and later listings keep that order.
  bool sortByName = false;
  // Double click or Enter on a folder, ".." or drive enters it (then
  // kExplorerListFolderChanged); otherwise it is only reported (Activate).
  bool enterFolders = true;
  // A drive that is not ready (no disc) is entered without the system's
  // "insert a disc" dialog: the list is then empty but for "..".
  bool quietDrives = true;
  bool acceptDrops = false;         // kExplorerListFilesDropped
  bool hiddenEntries = false;       // list hidden files and folders too
  // A fifth column, "Cible": each shortcut's target, read with the listing.
  bool targetColumn = false;
  int displayMode = 3;              // 0 large icons, 1 small icons, 2 list, 3 details
};

class ExplorerListControl {
 public:
  ExplorerListControl();
  ~ExplorerListControl();
  ExplorerListControl(const ExplorerListControl&) = delete;
  ExplorerListControl& operator=(const ExplorerListControl&) = delete;

  // Position and size in pixels of the parent's client area. Lists
  // firstFolder at once (see SetFolder); a list not shown yet (`shown`
  // false) does not wait for the listing: its rows come in behind. False
  // when a window could not be made.
  bool Create(HWND parent, int id, int x, int y, int width, int height, const std::wstring& firstFolder,
              const ExplorerListOptions& options, bool shown = true);
  HWND Window() const;  // the control: id, place and size
  HWND Hwnd() const;    // the list view inside: colours, fonts, header

  // Shows a folder (a trailing backslash is added when missing; "" is the
  // drive overview) and lists it again, even when it is the folder shown.
  // A folder that lists within 30 ms (some thousand entries) is complete on
  // return; a bigger one shows its first rows and fills in behind, and
  // kExplorerListRowsChanged tells when it is complete. The same folder
  // again keeps selection, scroll place and icons.
  void SetFolder(const std::wstring& folder);
  const std::wstring& Folder() const;
  void Refresh();
  bool IsListing() const;  // a listing is still coming in
  // Why the folder shown could not be listed (a system error code: no
  // access, gone, a broken link); 0 when its last listing went through. The
  // folder stays shown, empty but for "..".
  DWORD ListingError() const;

  int RowCount() const;
  std::wstring RowName(int row) const;  // ".." for the parent entry, "C:\" for a drive
  bool RowIsFile(int row) const;
  bool RowIsFolder(int row) const;      // folders, ".." and drives
  bool RowIsDrive(int row) const;
  bool RowIsParent(int row) const;
  bool RowIsSelected(int row) const;
  int FocusedRow() const;               // -1 when none
  std::vector<int> SelectedRows() const;

  void SetHeaderText(const std::wstring& text);  // first column's title
  void SetHeaderFont(HFONT font);                // not owned
  void SetDisplayMode(int mode);                 // 0 large icons, 1 small icons, 2 list, 3 details
  int DisplayMode() const;

  // As a click on the column's header (0 name, 1 size, 2 type, 3 modified).
  void SortByColumn(int column);
  int SortColumn() const;  // -1 while in listing order
  bool SortDescending() const;

  // Counters for tests and benchmarks.
  struct Stats {
    std::uint64_t iconLookups = 0;      // rows given their icon (cache or shell)
    std::uint64_t listings = 0;         // listings completed (new folder or change on disk)
    std::uint64_t mergedChanges = 0;    // changes on disk merged into the rows
    std::int64_t firstRowsDrawn = 0;    // QueryPerformanceCounter when the list first drew
                                        // rows of the folder set last; 0 until then
    std::int64_t listingDone = 0;       // QueryPerformanceCounter when that listing completed
  };
  const Stats& stats() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kelvane
