#pragma once

namespace kelvane {

// Writes what a quit writes (the list files, or with auto-backup the lists,
// the preferences and the backup). Also run when Windows ends the session,
// which ends the process without a quit.
void SaveOnQuit();

// The ordered shutdown after the event loop; returns the exit code.
int Shutdown();

// The last step of every run, also of a refused second instance: releases
// the toolkit's resources. Returns the exit code 0.
int FinalCleanup();

}  // namespace kelvane
