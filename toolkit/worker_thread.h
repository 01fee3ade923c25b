#pragma once
// A thread that runs while work waits and ends when the work runs out,
// instead of one that waits for the program's whole life: each thread keeps
// its stack resident (about 1 MB under Wine).
//
// The owner keeps its work under a lock of its own and calls Wake and Ending
// with that lock held: work queued while the thread is ending then starts a
// new thread instead of being left behind.
#include <functional>
#include <thread>

namespace kelvane {

class WorkerThread {
 public:
  WorkerThread() = default;
  ~WorkerThread() { Join(); }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Owner's lock held, work queued: starts `body` on a new thread unless one
  // runs. The body takes the work under the owner's lock until none is left.
  void Wake(std::function<void()> body);
  // Owner's lock held, by the body when it finds no work left; the body then
  // returns without taking the lock again.
  void Ending() { running_ = false; }
  // Without the owner's lock, once the owner wakes it no more: waits for the
  // thread to end.
  void Join();

 private:
  bool running_ = false;
  std::thread thread_;
};

}  // namespace kelvane
