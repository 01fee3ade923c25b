#include "toolkit/worker_thread.h"
#include "toolkit/run_alongside.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace kelvane {
namespace {

// A queue of numbers summed by the worker, as the folder lister and icon
// fetcher use it: work under the owner's lock, Wake and Ending under it too.
struct Summer {
  std::mutex mutex;
  std::vector<int> queue;
  long long sum = 0;  // one body at a time: no lock needed
  int threads = 0;
  WorkerThread worker;

  void Body() {
    ++threads;
    for (;;) {
      int item = 0;
      {
        std::lock_guard lock(mutex);
        if (queue.empty()) {
          worker.Ending();
          return;
        }
        item = queue.back();
        queue.pop_back();
      }
      sum += item;
    }
  }
  void Queue(int item) {
    std::lock_guard lock(mutex);
    queue.push_back(item);
    worker.Wake([this] { Body(); });
  }
};

TEST(WorkerThread, RunsWhileWorkWaitsAndStartsAgainForLaterWork) {
  Summer summer;
  {
    std::lock_guard lock(summer.mutex);
    for (int i = 1; i <= 100; ++i) summer.queue.push_back(i);
    summer.worker.Wake([&] { summer.Body(); });
    summer.worker.Wake([&] { summer.Body(); });  // one runs already
  }
  summer.worker.Join();
  EXPECT_EQ(summer.sum, 5050);
  EXPECT_EQ(summer.threads, 1);

  summer.Queue(7);
  summer.worker.Join();
  EXPECT_EQ(summer.sum, 5057);
  EXPECT_EQ(summer.threads, 2) << "a thread that ended does not hold back the next";

  // Work queued while a thread is ending is never left behind.
  for (int i = 1; i <= 3000; ++i) summer.Queue(i);
  summer.worker.Join();
  EXPECT_TRUE(summer.queue.empty());
  EXPECT_EQ(summer.sum, 5057 + 3000LL * 3001 / 2);
}

// The start-up makes its window while the data folder is made aside: both
// at once, both done on return, the aside's writes seen, also when the
// window's side throws.
TEST(WorkerThread, RunAlongsideRunsBothAtOnceAndWaitsForTheAside) {
  std::mutex mutex;
  std::condition_variable changed;
  bool asideStarted = false;
  bool hereSawAside = false;
  std::thread::id asideThread;
  int made = 0;
  RunAlongside(
      [&] {
        {
          std::lock_guard lock(mutex);
          asideStarted = true;
          asideThread = std::this_thread::get_id();
        }
        changed.notify_all();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        made = 42;  // after `here` has returned, most likely
      },
      [&] {
        std::unique_lock lock(mutex);
        hereSawAside = changed.wait_for(lock, std::chrono::seconds(10), [&] { return asideStarted; });
      });
  EXPECT_TRUE(hereSawAside) << "the aside ran at the same time";
  EXPECT_NE(asideThread, std::this_thread::get_id());
  EXPECT_EQ(made, 42) << "the aside was waited for";

  made = 0;
  EXPECT_THROW(RunAlongside(
                   [&] {
                     std::this_thread::sleep_for(std::chrono::milliseconds(20));
                     made = 7;
                   },
                   [] { throw std::runtime_error("window"); }),
               std::runtime_error);
  EXPECT_EQ(made, 7) << "a throw on this side still waits for the aside";
}

}  // namespace
}  // namespace kelvane
