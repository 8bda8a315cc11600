#include "albums/ThumbnailPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace dz::test {
namespace {

// A maker that holds every job until the test lets it go, and records the
// order the jobs ran in.
class Gate {
public:
    FilmThumbnail make(const ThumbnailJob& job) {
        std::unique_lock lock(mutex_);
        started_.push_back(job.slot);
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        return FilmThumbnail{};
    }
    void open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    void waitForStarted(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return started_.size() >= count; });
    }
    std::vector<int> started() {
        const std::lock_guard lock(mutex_);
        return started_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> started_;
    bool open_ = false;
};

ThumbnailJob jobFor(int slot) {
    ThumbnailJob job;
    job.slot = slot;
    job.version = static_cast<std::uint32_t>(slot * 10);
    return job;
}

std::vector<ThumbnailDone> waitForAll(ThumbnailPool& pool, std::size_t count) {
    std::vector<ThumbnailDone> all;
    for (;;) {
        const bool idle = pool.outstanding() == 0;
        for (ThumbnailDone& done : pool.takeFinished()) {
            all.push_back(std::move(done));
        }
        if (all.size() >= count || idle) {
            return all;
        }
        pool.waitForResult(std::chrono::milliseconds(100));
    }
}

TEST(ThumbnailPoolTest, OneWorkerMakesUrgentJobsFirstThenTheRestInOrder) {
    Gate gate;
    ThumbnailPool pool(1, [&](const ThumbnailJob& job) { return gate.make(job); });
    EXPECT_EQ(pool.workers(), 1);
    pool.submit(jobFor(0));
    gate.waitForStarted(1);
    for (int slot : {1, 2, 3}) {
        pool.submit(jobFor(slot));
    }
    pool.submit(jobFor(8), true);
    pool.submit(jobFor(9), true);
    gate.open();
    const std::vector<ThumbnailDone> done = waitForAll(pool, 6);
    EXPECT_EQ(gate.started(), (std::vector<int>{0, 9, 8, 1, 2, 3}));
    ASSERT_EQ(done.size(), 6u);
    EXPECT_EQ(done[1].slot, 9);
    EXPECT_EQ(done[1].version, 90u);
}

TEST(ThumbnailPoolTest, CancelDropsQueuedJobsAndTheResultsOfRunningOnes) {
    Gate gate;
    ThumbnailPool pool(2, [&](const ThumbnailJob& job) { return gate.make(job); });
    for (int slot = 0; slot < 10; ++slot) {
        pool.submit(jobFor(slot));
    }
    gate.waitForStarted(2);
    pool.cancel();
    gate.open();
    EXPECT_TRUE(waitForAll(pool, 1).empty());
    EXPECT_EQ(gate.started().size(), 2u);
    // The pool goes on with new work.
    pool.submit(jobFor(20));
    const std::vector<ThumbnailDone> done = waitForAll(pool, 1);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].slot, 20);
}

TEST(ThumbnailPoolTest, GoingAwayWaitsForRunningJobsOnly) {
    Gate gate;
    std::atomic<int> made{0};
    std::thread opener;
    {
        ThumbnailPool pool(2, [&](const ThumbnailJob& job) {
            FilmThumbnail result = gate.make(job);
            ++made;
            return result;
        });
        for (int slot = 0; slot < 10; ++slot) {
            pool.submit(jobFor(slot));
        }
        gate.waitForStarted(2);
        opener = std::thread([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            gate.open();
        });
    }
    opener.join();
    EXPECT_EQ(made.load(), 2);
}

}  // namespace
}  // namespace dz::test
