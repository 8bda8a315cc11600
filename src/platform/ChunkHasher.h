#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace dz {

class Sha256;

// Hashes a stream of chunks on a thread of its own, in order, while the
// caller reads and writes the next ones: a copy that hashes as it goes then
// costs its second core, not its time. The chunks are its own, a few in
// turn; one object serves one stream at a time.
class ChunkHasher {
public:
    static constexpr std::size_t kChunkSize = 256 * 1024;

    ChunkHasher();
    ~ChunkHasher();
    ChunkHasher(const ChunkHasher&) = delete;
    ChunkHasher& operator=(const ChunkHasher&) = delete;

    // A chunk to fill, waiting until one is free.
    std::uint8_t* take();
    // Queues the first `count` bytes of `chunk` for `into`, which the caller
    // must not touch until finish(); the chunk is free again once hashed.
    void hash(Sha256& into, std::uint8_t* chunk, std::size_t count);
    // Queues `count` bytes of `fd` from `offset` for `into`, read by the
    // hashing thread: bytes the kernel copied there, still in the page
    // cache. `fd` stays open until finish().
    void hashRange(Sha256& into, int fd, std::int64_t offset, std::size_t count);
    // A chunk taken and not used.
    void giveBack(std::uint8_t* chunk);
    // Waits until every queued chunk is hashed; 0, or the errno value of a
    // range that could not be read.
    int finish();

private:
    struct Job {
        Sha256* into = nullptr;
        std::uint8_t* chunk = nullptr;  // null: a range of `fd`
        std::size_t count = 0;
        int fd = -1;
        std::int64_t offset = 0;
    };

    int hashOf(const Job& job);

    void work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<std::uint8_t[]>> storage_;
    std::vector<std::uint8_t*> free_;
    std::deque<Job> queue_;
    bool busy_ = false;
    int error_ = 0;
    std::unique_ptr<std::uint8_t[]> rangeBuffer_;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace dz
