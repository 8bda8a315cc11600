#pragma once

#include "formats/PictureKind.h"

#include <ostream>
#include <string>
#include <vector>

namespace dz {

struct PictureRecord;

// `dezoredu-cli duplicates PATH...`: catalogues the folders (or single
// files) as the scan does, analyses and compares every picture as the
// duplicate search does, and prints the groups as its list shows them.
class DuplicatesCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kIncomplete = 1;
    static constexpr int kUsageError = 2;

    DuplicatesCommand(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // `args` are the words after "duplicates".
    int run(const std::vector<std::string>& args);

    static void printUsage(std::ostream& err);

private:
    bool catalogue(const std::string& path, std::vector<PictureRecord>& pictures);

    std::ostream& out_;
    std::ostream& err_;
    PictureFiles files_ = PictureFiles::JpegOnly;
};

}  // namespace dz
