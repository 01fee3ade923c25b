#include "toolkit/worker_thread.h"

#include <utility>

namespace kelvane {

void WorkerThread::Wake(std::function<void()> body) {
  if (running_) return;
  // The last thread has said it is ending: it takes no lock any more, so
  // waiting for it here (lock held) is short and safe.
  if (thread_.joinable()) thread_.join();
  running_ = true;
  thread_ = std::thread(std::move(body));
}

void WorkerThread::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace kelvane
