#pragma once
// The Fichiers tab (tab 1): FilesList, kind 2, "MyFiles.txt", files and
// folders mixed (a folder's target ends with a backslash). Its commands and
// the double click on the list. Both add dialogs open in FilesPickFolder, the
// program's default files folder, which a successful pick moves to the
// picked file's folder or to the picked folder until the program ends.

#include "lists/list_file.h"
#include "settings/program_context_win.h"

namespace kelvane {

void AddFile(ProgramContext& context);                    // CmdAjoutFichier
void AddFolder(ProgramContext& context);                  // CmdAjoutDossier
void OpenSelectedFiles();          // CmdFichierOuvrir
void RenameSelectedFiles();        // CmdFichierRenommer
void ShowFileProperties();         // CmdFichierProprietes
void RemoveSelectedFiles();        // CmdFichierRetirer
void OpenFileOnDoubleClick();      // double click on FilesList
void OpenFileEntry(const ListEntry& entry);  // the double click on an entry, wherever it was chosen

}  // namespace kelvane
