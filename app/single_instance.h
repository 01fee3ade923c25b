#pragma once
#include <string>

namespace kelvane {

// True for the first instance, which then keeps the named mutex for its
// whole life. For a later one: brings the first instance's window forward
// (also out of the tray) and returns false; the caller ends at once.
bool SingleInstanceCheck(const std::wstring& windowTitle);

}  // namespace kelvane
