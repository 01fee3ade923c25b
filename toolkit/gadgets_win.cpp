#include "toolkit/gadgets_win.h"

#include <map>

namespace kelvane {
namespace {

std::map<int, HWND>& Registry() {
  static std::map<int, HWND> registry;
  return registry;
}

}  // namespace

void RegisterGadget(int id, HWND window) { Registry()[id] = window; }

HWND Gadget(int id) {
  const auto it = Registry().find(id);
  return it == Registry().end() ? nullptr : it->second;
}

int GadgetNumberOf(HWND window) {
  for (const auto& [id, hwnd] : Registry()) {
    if (hwnd == window) return id;
  }
  return -1;
}

}  // namespace kelvane
