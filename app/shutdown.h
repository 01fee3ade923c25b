#pragma once

namespace kelvane {

// The ordered shutdown after the event loop; returns the exit code.
int Shutdown();

// The last step of every run, also of a refused second instance: releases
// the toolkit's resources. Returns the exit code 0.
int FinalCleanup();

}  // namespace kelvane
