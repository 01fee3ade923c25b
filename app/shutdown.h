#pragma once

namespace kelvane {

// Writes what a quit writes (the list files, or with auto-backup the lists,
// the preferences and the backup). Also run when Windows ends the session,
// which ends the process without a quit.
void SaveOnQuit();

// SaveOnQuit at the end of the event loop. When a list could not be saved,
// asks whether to quit all the same; false (and the quit request withdrawn)
// when the user stays, so that the event loop runs on.
bool SaveBeforeQuit();

// The ordered shutdown after the event loop and its save; returns the exit code.
int Shutdown();

// The last step of every run, also of a refused second instance: releases
// the toolkit's resources. Returns the exit code 0.
int FinalCleanup();

}  // namespace kelvane
