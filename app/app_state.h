#pragma once
// The program's one context, and what only the main program itself keeps.
// Parts receive the context by reference; App() is for the main program.
#include "lists/favourite_store_win.h"
#include "settings/program_context_win.h"
#include "toolkit/handle_win.h"

namespace kelvane {

struct AppState : ProgramContext {
  AppState();  // wires the main window's services and the favourites in
  UniqueKernelHandle instanceMutex;
  FavouriteStore favourites{*this};  // the three favourite lists
};

AppState& App();

// FindTabFolders on the program's context.
void FindTabFolders();

}  // namespace kelvane
