#pragma once
// Two pieces of work at once: `aside` on a thread of its own while `here`
// runs on the calling thread. Both are done when it returns, whatever
// happened; with no thread to be had, `aside` runs after `here`.
#include <system_error>
#include <thread>

namespace kelvane {

template <typename Aside, typename Here>
void RunAlongside(Aside&& aside, Here&& here) {
  std::jthread thread;
  try {
    thread = std::jthread([&aside] { aside(); });
  } catch (const std::system_error&) {
    here();
    aside();
    return;
  }
  here();
}  // the thread is joined here, also when `here` throws

}  // namespace kelvane
