#include "albums/ThumbnailPool.h"

#include <algorithm>
#include <utility>

namespace dz {

ThumbnailPool::ThumbnailPool(int workers, Maker maker) : maker_(std::move(maker)) {
    if (workers <= 0) {
        workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    }
    threads_.reserve(static_cast<std::size_t>(workers));
    for (int i = 0; i < workers; ++i) {
        threads_.emplace_back([this] { run(); });
    }
}

ThumbnailPool::~ThumbnailPool() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
        ++generation_;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void ThumbnailPool::submit(ThumbnailJob job, bool urgent) {
    {
        const std::lock_guard lock(mutex_);
        if (urgent) {
            queue_.push_front(std::move(job));
        } else {
            queue_.push_back(std::move(job));
        }
    }
    wake_.notify_one();
}

void ThumbnailPool::cancel() {
    const std::lock_guard lock(mutex_);
    queue_.clear();
    done_.clear();
    ++generation_;
}

std::vector<ThumbnailDone> ThumbnailPool::takeFinished() {
    const std::lock_guard lock(mutex_);
    return std::exchange(done_, {});
}

void ThumbnailPool::waitForResult(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    finished_.wait_for(lock, timeout, [this] { return !done_.empty() || (queue_.empty() && running_ == 0); });
}

int ThumbnailPool::outstanding() const {
    const std::lock_guard lock(mutex_);
    return static_cast<int>(queue_.size()) + running_;
}

void ThumbnailPool::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) {
            return;
        }
        ThumbnailJob job = std::move(queue_.front());
        queue_.pop_front();
        const std::uint64_t generation = generation_;
        ++running_;
        lock.unlock();
        ThumbnailDone result{job.slot, job.version, maker_(job)};
        lock.lock();
        --running_;
        if (generation == generation_) {
            done_.push_back(std::move(result));
        }
        finished_.notify_all();
    }
}

}  // namespace dz
