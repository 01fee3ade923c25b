#pragma once
// Dropping on the favourite lists adds what is dropped, each through the
// tabs' add path (duplicate rule and its box, count, save-on-change):
//   applications  programs (.exe) and shell links to programs (.lnk)
//   files         files and folders
//   links         a web address ("UniformResourceLocatorW", or plain text
//                 that is one address), named by the title a browser gives
//                 with it or else by its host; and internet shortcut files.
// Anything else is refused while dragging. OLE must be initialised.
#include <windows.h>
#include <objidl.h>

namespace kelvane {

class FavouriteStore;

// Makes the three list views (once they exist) drop targets; each stops
// being one as it is destroyed.
void AcceptDropsOnLists(FavouriteStore& store);

// What the list of `kind` would take of the data object: true when anything.
bool ListTakesDrop(int kind, IDataObject* data);
// Adds what the data object brings to the list of `kind`; how many were added.
int DropOnList(FavouriteStore& store, int kind, IDataObject* data);

}  // namespace kelvane
