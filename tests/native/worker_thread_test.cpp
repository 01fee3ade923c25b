#include "toolkit/worker_thread.h"

#include <gtest/gtest.h>

#include <mutex>
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

}  // namespace
}  // namespace kelvane
