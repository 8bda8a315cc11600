#include "platform/ChunkHasher.h"

#include "platform/Sha256.h"

namespace dz {

namespace {

constexpr int kChunks = 4;

}  // namespace

ChunkHasher::ChunkHasher() {
    for (int i = 0; i < kChunks; ++i) {
        storage_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kChunkSize));
        free_.push_back(storage_.back().get());
    }
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

void ChunkHasher::giveBack(std::uint8_t* chunk) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        free_.push_back(chunk);
    }
    changed_.notify_all();
}

void ChunkHasher::finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty() && !busy_; });
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
        job.into->update(job.chunk, job.count);
        lock.lock();
        busy_ = false;
        free_.push_back(job.chunk);
        changed_.notify_all();
    }
}

}  // namespace dz
