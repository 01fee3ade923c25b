#pragma once
// The Applications tab (tab 0): AppsList, kind 1, "MyApps.txt". Its commands
// and the double click on the list. The folder in which the add dialog opens
// (AppsPickFolder) is the program's default applications folder, which a
// successful pick moves to the picked file's folder until the program ends.

#include "lists/list_file.h"
#include "settings/program_context_win.h"

namespace kelvane {

void AddApplication(ProgramContext& context);                 // CmdAjoutAppli
void StartSelectedApplications();      // CmdAppliOuvrir
void RenameSelectedApplications();     // CmdAppliRenommer
void ShowApplicationProperties();      // CmdAppliProprietes
void RemoveSelectedApplications();     // CmdAppliRetirer
void StartApplicationOnDoubleClick();  // double click on AppsList
void StartApplicationEntry(const ListEntry& entry);  // the double click on an entry, wherever it was chosen

}  // namespace kelvane
