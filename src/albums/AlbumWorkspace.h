#pragma once

#include "albums/Album.h"
#include "albums/AlbumEditing.h"
#include "albums/FilmImageList.h"
#include "catalogue/CDirReader.h"
#include "platform/Host.h"

#include <cstdint>
#include <functional>
#include <string>

namespace dz {

// What the Edit Album window and its film use of the application state; the
// main window fills it from its own state before it opens the window.
struct AlbumWorkspace {
    Host& host;
    CDirReader& reader;
    AlbumList& albums;
    AlbumEditing& editing;
    ViewSettings& view;
    FilmImageList& filmImages;
    // Set when a full build ran to the end; a new scan clears it and
    // releases filmImages.
    bool& filmBuilt;
    // The shared stop flag of the long loops; Discard sets it.
    bool& abortRequest;
    const std::int32_t& dateFormatIndex;
    const std::int32_t& timeFormatIndex;
    const std::int32_t& excludeDuplicates;
    // UTC minus local time, as the scan made the time stamps with (the
    // reader's biasMinutes(), not the bias of the moment).
    int biasMinutes = 0;
    std::string helpFile;
    // Help > About of the window; the main window shows its About box.
    std::function<void()> showAbout{};
    // The shared thumbnail cache folder (empty: none) and the number of
    // threads that make thumbnails (0: one per core).
    std::string thumbnailCacheFolder{};
    int thumbnailWorkers = 0;
};

}  // namespace dz
