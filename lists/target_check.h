#pragma once
// Which favourite targets are checked for existence. Only paths on this
// computer's drives are: web addresses and shell names have nothing to
// check, and a network path may keep a check waiting for half a minute on a
// server that does not answer (such entries are shown as not checked). The
// Win32 side also leaves out drive letters mapped to the network.
#include <string>
#include <string_view>

namespace kelvane {

// True for "X:\..." paths without environment variables.
bool IsCheckableTarget(std::wstring_view target);

// The key under which a target's state is kept: the path in the form the
// file system compares (letter case folded, "/" as "\", no final "\").
std::wstring TargetKey(std::wstring_view target);

}  // namespace kelvane
