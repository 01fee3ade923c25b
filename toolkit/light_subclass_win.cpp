#include "toolkit/light_subclass_win.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace kelvane {
namespace {

struct Layer {
  LightSubclassProc proc;
  void* data;
  bool removed = false;  // taken out while a message was in it: passes messages on until the chain rests
};

struct Chain {
  WNDPROC original = nullptr;  // the procedure in place before the first layer
  std::vector<Layer> layers;   // in the order added; the last is called first
  int busy = 0;                // messages being handled through the chain
};

// Chains of windows destroyed while a message was still on its way through
// them: freed when that message comes back out (the handle may be reused meanwhile).
std::vector<std::unique_ptr<Chain>>& DeadChains() {
  static std::vector<std::unique_ptr<Chain>> dead;
  return dead;
}

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
  while (index >= 0 && chain.layers[static_cast<size_t>(index)].removed) --index;
  if (index < 0) return CallWindowProcW(chain.original, window, message, wParam, lParam);
  const Layer layer = chain.layers[static_cast<size_t>(index)];
  return layer.proc(window, message, wParam, lParam, layer.data);
}

LRESULT CALLBACK LayeredProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts back what was there, unless someone subclassed after us.
void Unhook(HWND window, const Chain& chain) {
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == LayeredProc) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
  }
}

// Once no message is on its way through the chain: drops the layers taken
// out, and with no layer left gives the window its procedure back (unless
// someone subclassed after us: then the empty chain stays, passing messages on).
void Settle(HWND window, Chain& chain) {
  if (chain.busy > 0) return;
  std::erase_if(chain.layers, [](const Layer& layer) { return layer.removed; });
  if (chain.layers.empty() && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == LayeredProc) {
    Unhook(window, chain);
    Chains().erase(window);
  }
}

LRESULT CALLBACK LayeredProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = ChainOf(window);
  if (!chain) return DefWindowProcW(window, message, wParam, lParam);
  ++chain->busy;
  const LRESULT result =
      CallFrom(window, *chain, static_cast<int>(chain->layers.size()) - 1, message, wParam, lParam);
  --chain->busy;
  if (message == WM_NCDESTROY) {
    Unhook(window, *chain);
    const auto found = Chains().find(window);
    if (chain->busy > 0) DeadChains().push_back(std::move(found->second));
    Chains().erase(found);
    return result;
  }
  if (chain->busy > 0) return result;
  auto& dead = DeadChains();
  if (const auto it = std::find_if(dead.begin(), dead.end(), [chain](const auto& d) { return d.get() == chain; });
      it != dead.end()) {
    dead.erase(it);  // its window went during this message
  } else {
    Settle(window, *chain);
  }
  return result;
}

// The live layer of `proc` (with `data` unless null), else a removed one, else -1.
int IndexOf(const Chain& chain, LightSubclassProc proc, const void* data = nullptr) {
  int found = -1;
  for (size_t i = 0; i < chain.layers.size(); ++i) {
    const Layer& layer = chain.layers[i];
    if (layer.proc != proc || (data && layer.data != data)) continue;
    if (!layer.removed) return static_cast<int>(i);
    found = static_cast<int>(i);
  }
  return found;
}

const Layer* LiveLayer(const Chain& chain, LightSubclassProc proc) {
  const int index = IndexOf(chain, proc);
  const Layer* layer = index < 0 ? nullptr : &chain.layers[static_cast<size_t>(index)];
  return layer && !layer->removed ? layer : nullptr;
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
  } else if (LiveLayer(*chain, proc)) {
    return false;
  }
  chain->layers.push_back({proc, data});
  return true;
}

bool RemoveLightSubclass(HWND window, LightSubclassProc proc, void* data) {
  Chain* chain = window ? ChainOf(window) : nullptr;
  const int index = chain ? IndexOf(*chain, proc, data) : -1;
  if (index < 0 || chain->layers[static_cast<size_t>(index)].removed) return false;
  chain->layers[static_cast<size_t>(index)].removed = true;
  Settle(window, *chain);
  return true;
}

LRESULT CallNextLightSubclass(HWND window, LightSubclassProc proc, UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = ChainOf(window);
  if (!chain) return DefWindowProcW(window, message, wParam, lParam);
  return CallFrom(window, *chain, IndexOf(*chain, proc) - 1, message, wParam, lParam);
}

void* LightSubclassData(HWND window, LightSubclassProc proc) {
  const Chain* chain = ChainOf(window);
  const Layer* layer = chain ? LiveLayer(*chain, proc) : nullptr;
  return layer ? layer->data : nullptr;
}

}  // namespace kelvane
