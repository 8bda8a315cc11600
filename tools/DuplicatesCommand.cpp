#include "DuplicatesCommand.h"

#include "CliHost.h"
#include "CommandWords.h"

#include "catalogue/CDirReader.h"
#include "duplicates/DuplicateSearch.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"

#include <cmath>
#include <cstdlib>
#include <optional>

namespace dz {

void DuplicatesCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli duplicates [--similar[=THRESHOLD]] [--all-formats] PATH...\n"
           "\n"
           "Catalogues the JPEG pictures below each folder (or each single file), in the order\n"
           "the program's scan walks them, analyses and compares them as the duplicate search\n"
           "does and prints every group of equal pictures: a heading line, the first picture\n"
           "of the group, then its duplicates. The last line counts the duplicates.\n"
           "\n"
           "  --similar[=THRESHOLD]  group pictures that look alike (re-encoded, resized, saved\n"
           "                         without their EXIF thumbnail) instead: each of the brightness\n"
           "                         and proportions of its group's first picture, whose small grey\n"
           "                         copy differs from that one's by at most THRESHOLD (default\n"
           "                         " << kDefaultSimilarThreshold << ") of the grey scale on average, the distance its\n"
           "                         line shows.\n"
           "  --all-formats          catalogue every photo and video file \"All photos and\n"
           "                         videos\" takes (see dezoredu-cli info --help).\n"
           "\n"
           "Exit status: 0 when every path was read, 1 when one could not be, 2 on a usage\n"
           "error.\n";
}

namespace {

// "--similar" or "--similar=THRESHOLD" with a distance above 0; nullopt for
// anything else.
std::optional<double> similarThreshold(const std::string& option) {
    const std::string word = "--similar";
    if (option == word) {
        return kDefaultSimilarThreshold;
    }
    if (option.rfind(word + "=", 0) != 0) {
        return std::nullopt;
    }
    const std::string number = option.substr(word.size() + 1);
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (number.empty() || end != number.c_str() + number.size() || !std::isfinite(value) || value <= 0.0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

int DuplicatesCommand::run(const std::vector<std::string>& args) {
    const CommandWords words = splitCommandWords(args);
    const std::vector<std::string>& paths = words.operands;
    double threshold = 0.0;
    for (const std::string& option : words.options) {
        if (option == "--all-formats") {
            files_ = PictureFiles::AllFormats;
            continue;
        }
        const std::optional<double> similar = similarThreshold(option);
        if (!similar) {
            if (option.rfind("--similar=", 0) == 0) {
                err_ << "dezoredu-cli: --similar takes a distance above 0, not " << option.substr(10) << "\n";
            } else {
                err_ << "dezoredu-cli: unknown option " << option << "\n";
            }
            printUsage(err_);
            return kUsageError;
        }
        threshold = *similar;
    }
    if (paths.empty()) {
        printUsage(err_);
        return kUsageError;
    }
    std::vector<PictureRecord> pictures;
    bool complete = true;
    for (const std::string& path : paths) {
        complete = catalogue(path, pictures) && complete;
    }
    const DuplicateSearchResult result = findDuplicates(pictures, threshold);
    for (const std::string& line : result.lines) {
        out_ << line << '\n';
    }
    out_ << "Pictures " << pictures.size() << ", duplicates " << result.comparison.duplicates << ", groups "
         << result.comparison.groups.size() << "\n";
    return complete ? kDone : kIncomplete;
}

bool DuplicatesCommand::catalogue(const std::string& path, std::vector<PictureRecord>& pictures) {
    CliHost host(err_);
    FileSystem fileSystem;
    const bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    reader.setBiasMinutes(currentTimeZone().totalBiasMinutes());
    reader.setPictureFiles(files_);
    const bool read = cataloguePath(path, reader, fileSystem, host, err_);
    for (PictureRecord& picture : reader.catalogue()) {
        pictures.push_back(std::move(picture));
    }
    return read;
}

}  // namespace dz
