#include "platform/ChunkHasher.h"

#include "platform/Sha256.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace dz {

namespace {

constexpr int kChunks = 4;

}  // namespace

ChunkHasher::ChunkHasher() {
    for (int i = 0; i < kChunks; ++i) {
        storage_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kChunkSize));
        free_.push_back(storage_.back().get());
    }
    rangeBuffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kChunkSize);
    worker_ = std::thread([this] { work(); });
}

ChunkHasher::~ChunkHasher() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

std::uint8_t* ChunkHasher::take() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !free_.empty(); });
    std::uint8_t* chunk = free_.back();
    free_.pop_back();
    return chunk;
}

void ChunkHasher::hash(Sha256& into, std::uint8_t* chunk, std::size_t count) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(Job{&into, chunk, count});
    }
    changed_.notify_all();
}

void ChunkHasher::hashRange(Sha256& into, int fd, std::int64_t offset, std::size_t count) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(Job{&into, nullptr, count, fd, offset});
    }
    changed_.notify_all();
}

void ChunkHasher::giveBack(std::uint8_t* chunk) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        free_.push_back(chunk);
    }
    changed_.notify_all();
}

int ChunkHasher::finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty() && !busy_; });
    const int error = error_;
    error_ = 0;
    return error;
}

int ChunkHasher::hashOf(const Job& job) {
    if (job.chunk != nullptr) {
        job.into->update(job.chunk, job.count);
        return 0;
    }
    std::size_t done = 0;
    while (done < job.count) {
        const std::size_t want = std::min(kChunkSize, job.count - done);
        const ssize_t n = ::pread(job.fd, rangeBuffer_.get(), want, static_cast<off_t>(job.offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        job.into->update(rangeBuffer_.get(), static_cast<std::size_t>(n));
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

void ChunkHasher::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) {
            return;  // stopping, nothing left
        }
        const Job job = queue_.front();
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        const int error = hashOf(job);
        lock.lock();
        busy_ = false;
        if (error != 0 && error_ == 0) {
            error_ = error;
        }
        if (job.chunk != nullptr) {
            free_.push_back(job.chunk);
        }
        changed_.notify_all();
    }
}

}  // namespace dz
