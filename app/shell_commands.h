#pragma once
// Commands carried out by the program's core itself.

namespace kelvane {

void RequestQuit();  // CmdQuitter, CmdTrayQuitter
void OpenHelp();     // CmdAide

}  // namespace kelvane
