#pragma once
#include <windows.h>

#include "toolkit/image_set_win.h"

namespace kelvane {

// The image lists of the tool bar and the tabs, made ahead on any thread
// for a window at `dpi` (the start-up makes them while its window is made).
struct FirstScreenImages {
  ImageSet::List toolBar;
  ImageSet::List tabs;
};
FirstScreenImages MakeFirstScreenImages(const ImageSet& images, UINT dpi);

// What the first screen needs, in this order: the tool bar, PanelTabs with
// its six tabs and the first tab's gadgets, the popup menus and the tray
// menu; then the first layout. Takes the image lists `prepared` when they
// have the size it wants, else makes them.
void BuildMainWindowContents(HWND main, FirstScreenImages prepared = {});

// Start-up, the first screen built and coloured: its favourite list may take
// rows, and each page built from now on (when first shown, or by
// CompleteMainWindowContentsStep) is coloured.
void FollowLaterPages();

// The lists are in: the recent list shows the recent-items folder, now or
// once its page is built.
void FollowListsLoaded();
// The three lists' rows are all in (FollowListsLoaded was called).
bool ListRowsAllIn();

// The pages of the three favourite lists at once, then their rows may come
// in. Every command waits for this: the commands and the saves find the
// list views they work on.
void FinishListPages();

// True until the three favourite lists' pages are built: the steps that
// build them come before the first paint (see CompleteMainWindowContentsStep).
bool ListPagesLeft();

// One step of the rest: the favourite lists' pages a part at a time, then
// their rows may come in, then drops on them, the tooltips, TrayIcon, then
// a part of a tab not yet built. False once there is nothing left. The
// message loop calls it while no message waits, so that the window answers
// from the start; while ListPagesLeft(), a paint waiting does not hold it
// back: the lists' rows read meanwhile go in at once, before any paint.
bool CompleteMainWindowContentsStep(HWND main);

// True while the next step waits for the loader's thread to build the
// shell's image list (the later pages' folder lists take it): the loop then
// waits for a message, the loader's among them, rather than build it itself.
bool MainWindowContentsStepWaits();

// The rest at once: TrayIcon, the gadgets of the other tabs, drops on the
// lists; then the layout again.
void CompleteMainWindowContents(HWND main);

}  // namespace kelvane
