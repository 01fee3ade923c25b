#pragma once
// The Internet tab (tab 2): LinksList, kind 3, "MyLinks.txt": a name chosen
// by the user and the address exactly as typed. Its commands and the double
// click on the list.

#include "lists/list_file.h"
#include "settings/program_context_win.h"

namespace kelvane {

void AddLink(ProgramContext& context);                 // CmdAjoutLien
void OpenSelectedLinks();       // CmdLienOuvrir
void RenameSelectedLinks();     // CmdLienRenommer
void RemoveSelectedLinks();     // CmdLienRetirer
void OpenLinkOnDoubleClick();   // double click on LinksList
void OpenLinkEntry(const ListEntry& entry);  // the double click on an entry, wherever it was chosen

}  // namespace kelvane
