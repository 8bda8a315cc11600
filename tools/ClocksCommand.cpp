#include "ClocksCommand.h"

#include "CameraClockOption.h"
#include "CliHost.h"
#include "CommandWords.h"

#include "catalogue/CDirReader.h"
#include "journal/JsonWriter.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"
#include "timeline/CameraSummary.h"
#include "timeline/CatalogueTimeline.h"
#include "timeline/GazetteerPlaces.h"

namespace dz {

void ClocksCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli clocks [--camera-clock MODEL=ZONE]... PATH...\n"
           "\n"
           "Catalogues every photo and video of each PATH as \"info --all-formats\" does, puts\n"
           "them on one timeline and prints one JSON object a line for each camera: its\n"
           "\"cameraMake\", \"cameraModel\" and \"serial\", the \"count\" of its shots, the local\n"
           "times of its \"first\" and \"last\", the \"clock\" it kept (\"local\" for the local\n"
           "time of the place, \"+HH:MM\" or a zone name), whether it was \"set\" with\n"
           "--camera-clock, and \"why\" the program thinks so.\n"
           "\n"
        << kCameraClockUsage
        << "\n"
           "Exit status: 0 when every walk completed, 1 when a path or a file could not be\n"
           "read, 2 on a usage error.\n";
}

int ClocksCommand::run(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    if (!takeCameraClockOptions(args, clocks_, rest, err_)) {
        return kUsageError;
    }
    const CommandWords words = splitCommandWords(rest);
    if (hasUnknownOption(words, err_) || words.operands.empty()) {
        printUsage(err_);
        return kUsageError;
    }
    const std::vector<std::string>& paths = words.operands;
    std::vector<PictureRecord> pictures;
    bool complete = true;
    for (const std::string& path : paths) {
        CliHost host(err_);
        FileSystem fileSystem;
        const bool abortRequest = false;
        CDirReader reader(host, fileSystem, abortRequest);
        reader.setBiasMinutes(currentTimeZone().totalBiasMinutes());
        reader.setPictureFiles(PictureFiles::AllFormats);
        complete = cataloguePath(path, reader, fileSystem, host, err_) && complete;
        pictures.insert(pictures.end(), reader.catalogue().begin(), reader.catalogue().end());
    }
    const TimelineInput input = timelineInputOf(pictures);
    const std::vector<ShotTime> times = resolveTimeline(input, clocks_, gazetteerPlaceFinder(), computerOffsetAt);
    for (const CameraSummary& camera : summariseCameras(input, times, clocks_)) {
        out_ << JsonWriter()
                    .text("cameraMake", camera.body.make)
                    .text("cameraModel", camera.body.model)
                    .text("serial", camera.body.serial)
                    .unsignedInteger("count", camera.count)
                    .text("first", wallClockText(camera.firstLocal))
                    .text("last", wallClockText(camera.lastLocal))
                    .text("clock", camera.clock)
                    .boolean("set", camera.clockSet)
                    .text("why", camera.why)
                    .str()
             << '\n';
    }
    out_.flush();
    return complete ? kDone : kIncomplete;
}

}  // namespace dz
