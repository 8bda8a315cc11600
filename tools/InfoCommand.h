#pragma once

#include "catalogue/PictureRecord.h"
#include "timeline/CameraClock.h"
#include "timeline/PlaceOfShot.h"
#include "timeline/ShotTime.h"

#include <ostream>
#include <string>
#include <vector>

namespace dz {

// `dezoredu-cli info [--all] [--all-formats] [--camera-clock MODEL=ZONE] PATH...`:
// catalogues folders as the scan walks them and single files as one entry,
// one JSON object a line per picture, with its moment and place on the one
// timeline of every PATH.
class InfoCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kIncomplete = 1;
    static constexpr int kUsageError = 2;

    InfoCommand(std::ostream& out, std::ostream& err);

    // `args` are the words after "info".
    int run(const std::vector<std::string>& args);

    static void printUsage(std::ostream& err);
    // With `withFormat`, the line ends in the file's "format" too.
    static std::string pictureLine(const PictureRecord& record, const std::string& decoderMessage,
                                   bool withFormat = false, const ShotTime* time = nullptr);

private:
    // A line of output in walk order: a catalogued picture, printed once the
    // timeline of every path is known, or a file passed over.
    struct Entry {
        PictureRecord record;
        std::string message;  // the decoder's, or the passed-over line itself
        bool passedOver = false;
    };

    bool readPath(const std::string& path, bool all, bool allFormats);
    void printEntries(bool allFormats);

    std::ostream& out_;
    std::ostream& err_;
    CameraClocks clocks_;
    PlaceFinder places_;
    std::vector<Entry> entries_;
};

}  // namespace dz
