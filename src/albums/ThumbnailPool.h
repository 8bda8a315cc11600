#pragma once

#include "albums/ThumbnailMaker.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace dz {

// One thumbnail to make: the picture (a copy taken on the window's thread),
// the recipe, and where its result goes.
struct ThumbnailJob {
    int slot = 0;
    std::uint32_t version = 0;
    PictureRecord picture;
    bool negative = false;
    ThumbnailShape shape = ThumbnailShape::KeepProportions;
    // False: the pixels are not needed yet; a thumbnail current in the cache
    // is then only found there, not made.
    bool pixels = true;
};

struct ThumbnailDone {
    int slot = 0;
    std::uint32_t version = 0;
    FilmThumbnail made;
};

// Worker threads that make thumbnails, in the order the jobs were given
// (urgent ones first). The threads touch nothing but the job and the maker;
// results wait until the owner's thread takes them.
class ThumbnailPool {
public:
    using Maker = std::function<FilmThumbnail(const ThumbnailJob&)>;

    // `workers` 0: one per core.
    ThumbnailPool(int workers, Maker maker);
    // Drops what has not started and waits for the running jobs.
    ~ThumbnailPool();
    ThumbnailPool(const ThumbnailPool&) = delete;
    ThumbnailPool& operator=(const ThumbnailPool&) = delete;

    int workers() const { return static_cast<int>(threads_.size()); }

    void submit(ThumbnailJob job, bool urgent = false);
    // Forgets every job not yet started and the results of those running.
    void cancel();
    // The results made since the last call, in the order they were finished.
    std::vector<ThumbnailDone> takeFinished();
    // Waits until a result is there or nothing is left to do, at most `timeout`.
    void waitForResult(std::chrono::milliseconds timeout);
    // Jobs queued or running.
    int outstanding() const;

private:
    void run();

    Maker maker_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    std::deque<ThumbnailJob> queue_;
    std::vector<ThumbnailDone> done_;
    int running_ = 0;
    std::uint64_t generation_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace dz
