#include "toolkit/light_subclass_win.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace kelvane {
namespace {

struct Layer {
  LightSubclassProc proc;
  void* data;
};

struct Chain {
  WNDPROC original = nullptr;  // the procedure in place before the first layer
  std::vector<Layer> layers;   // in the order added; the last is called first
};

std::unordered_map<HWND, std::unique_ptr<Chain>>& Chains() {
  static std::unordered_map<HWND, std::unique_ptr<Chain>> chains;
  return chains;
}

Chain* ChainOf(HWND window) {
  const auto found = Chains().find(window);
  return found == Chains().end() ? nullptr : found->second.get();
}

// Layer `index` and those below it; below the first, the original procedure.
LRESULT CallFrom(HWND window, Chain& chain, int index, UINT message, WPARAM wParam, LPARAM lParam) {
  if (index < 0) return CallWindowProcW(chain.original, window, message, wParam, lParam);
  const Layer layer = chain.layers[static_cast<size_t>(index)];
  return layer.proc(window, message, wParam, lParam, layer.data);
}

LRESULT CALLBACK LayeredProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = ChainOf(window);
  if (!chain) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result =
      CallFrom(window, *chain, static_cast<int>(chain->layers.size()) - 1, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Put back what was there, unless someone subclassed after us.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == LayeredProc) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    }
    Chains().erase(window);
  }
  return result;
}

int IndexOf(const Chain& chain, LightSubclassProc proc) {
  for (size_t i = 0; i < chain.layers.size(); ++i) {
    if (chain.layers[i].proc == proc) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

bool AddLightSubclass(HWND window, LightSubclassProc proc, void* data) {
  if (!window || !proc || !IsWindow(window)) return false;
  Chain* chain = ChainOf(window);
  if (!chain) {
    auto made = std::make_unique<Chain>();
    made->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LayeredProc)));
    if (!made->original) return false;
    chain = made.get();
    Chains()[window] = std::move(made);
  } else if (IndexOf(*chain, proc) >= 0) {
    return false;
  }
  chain->layers.push_back({proc, data});
  return true;
}

LRESULT CallNextLightSubclass(HWND window, LightSubclassProc proc, UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = ChainOf(window);
  if (!chain) return DefWindowProcW(window, message, wParam, lParam);
  return CallFrom(window, *chain, IndexOf(*chain, proc) - 1, message, wParam, lParam);
}

void* LightSubclassData(HWND window, LightSubclassProc proc) {
  const Chain* chain = ChainOf(window);
  const int index = chain ? IndexOf(*chain, proc) : -1;
  return index < 0 ? nullptr : chain->layers[static_cast<size_t>(index)].data;
}

}  // namespace kelvane
