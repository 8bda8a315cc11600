#include "InfoCommand.h"

#include "CameraClockOption.h"
#include "CliHost.h"
#include "CommandWords.h"

#include "catalogue/CDirReader.h"
#include "formats/PictureKind.h"
#include "journal/JsonWriter.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"
#include "timeline/CatalogueTimeline.h"
#include "timeline/ClockOffset.h"
#include "timeline/GazetteerPlaces.h"
#include "timeline/Timeline.h"
#include "timeline/TimelineWords.h"

namespace dz {

InfoCommand::InfoCommand(std::ostream& out, std::ostream& err)
    : out_(out), err_(err), places_(gazetteerPlaceFinder()) {}

void InfoCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli info [--all] [--all-formats] [--camera-clock MODEL=ZONE]... PATH...\n"
           "\n"
           "Catalogues each PATH as the program's source scan does: a folder with all its\n"
           "sub-folders and every \"*.jpg\" file in them, a file as a single entry. Prints one\n"
           "JSON object a line for every picture with EXIF data and a date.\n"
           "\n"
           "  --all   also print {\"path\":..., \"passedOver\":true, \"reason\":...} for every\n"
           "          listed file that is not catalogued\n"
           "  --all-formats   also catalogue \"*.jpeg\", \"*.jpe\", the raw files (.cr2 .nef\n"
           "          .nrw .arw .srw .dng .orf .rw2 .pef .raf .cr3), HEIC/HEIF/AVIF, PNG and\n"
           "          WebP pictures and videos (.mp4 .mov .m4v .3gp), and add each file's\n"
           "          \"format\" (\"JPEG\", or the extension in capitals: \"NEF\", \"MP4\"); a raw\n"
           "          file beside a JPEG or HEIC of the same name, and sidecars (.xmp .thm\n"
           "          .aae), are listed in the picture's \"travelling\"; a FILE of no known\n"
           "          kind is printed as passed over\n"
        << kCameraClockUsage
        << "\n"
           "Every picture of every PATH is put on one timeline: \"utc\" is the moment it\n"
           "was taken, \"localTime\" the time at its place and \"offset\" that place's offset\n"
           "from UTC, with where they came from in \"timeSource\" and \"offsetSource\"\n"
           "(offset-tag, gps-time, camera-clock, place-zone, nearby-shot, computer-zone);\n"
           "\"latitude\" and \"longitude\" (degrees) and \"place\", the nearest populated\n"
           "place, where the picture holds its position.\n"
           "\n"
           "Texts are written as UTF-8; a byte that is not part of valid UTF-8 is written as\n"
           "the Latin-1 character of that byte (\\u00XX). Prompts go to standard error with the\n"
           "answer taken (a file that cannot be read is skipped).\n"
           "\n"
           "Exit status: 0 when every walk completed, 1 when a path or a file could not be\n"
           "read or a walk was cut short, 2 on a usage error.\n";
}

std::string InfoCommand::pictureLine(const PictureRecord& record, const std::string& decoderMessage,
                                     bool withFormat, const ShotTime* time) {
    const ExifInfo& e = record.exif();
    JsonWriter json;
    json.text("path", record.path)
        .unsignedInteger("size", record.size)
        .integer("createTime", record.createTime)
        .boolean("dateFromFile", record.block->dateFromFile)
        .text("lastError", decoderMessage)
        .text("cameraMake", e.cameraMake)
        .text("cameraModel", e.cameraModel)
        .text("dateTime", e.dateTime)
        .integer("width", e.width)
        .integer("height", e.height)
        .integer("orientation", e.orientation)
        .integer("isColor", e.isColor)
        .integer("encodingMarker", e.encodingMarker)
        .integer("flashUsed", e.flashUsed)
        .number("focalLength", e.focalLength)
        .number("exposureTime", e.exposureTime)
        .number("apertureFNumber", e.apertureFNumber)
        .number("focusDistance", e.focusDistance)
        .number("ccdWidth", e.ccdWidth)
        .number("exposureBias", e.exposureBias)
        .integer("whitebalance", e.whitebalance)
        .integer("meteringMode", e.meteringMode)
        .integer("exposureProgram", e.exposureProgram)
        .integer("isoEquivalent", e.isoEquivalent)
        .integer("jpegQuality", e.jpegQuality)
        .number("xResolution", e.xResolution)
        .number("yResolution", e.yResolution)
        .number("resolutionUnit", e.resolutionUnit)
        .number("focalPlaneXRes", e.focalPlaneXRes)
        .number("focalPlaneUnit", e.focalPlaneUnit)
        .number("brightness", e.brightness)
        .text("comment", e.comment)
        .unsignedInteger("thumbnailSize", e.thumbnailSize)
        .boolean("hasExif", e.hasExif)
        .text("exifVersion", e.exifVersion);
    if (withFormat) {
        json.text("format",
                  pictureFormatName(record.path, pictureKindOf(record.path, PictureFiles::AllFormats)));
        json.text("dateSource", dateSourceWord(record.block->dateSource));
        if (!record.block->timeKnown) {
            json.boolean("timeKnown", false);
        }
        if (!record.companions.empty()) {
            std::string paths = "[";
            for (const CompanionFile& file : record.companions) {
                if (paths.size() > 1) {
                    paths += ",";
                }
                JsonWriter::appendString(paths, file.path);
            }
            json.raw("travelling", paths + "]");
        }
    }
    if (time != nullptr) {
        json.text("utc", utcText(time->moment))
            .text("offset", clockOffsetText(time->offset))
            .text("localTime", wallClockText(time->localTime()))
            .text("timeSource", momentSourceWord(time->momentSource))
            .text("offsetSource", offsetSourceWord(time->offsetSource));
    }
    if (e.position.known) {
        json.number("latitude", e.position.latitude).number("longitude", e.position.longitude);
    }
    if (time != nullptr && !time->place.empty()) {
        json.text("place", time->place);
    }
    return json.str();
}

int InfoCommand::run(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    if (!takeCameraClockOptions(args, clocks_, rest, err_)) {
        return kUsageError;
    }
    const CommandWords words = splitCommandWords(rest);
    bool all = false;
    bool allFormats = false;
    for (const std::string& option : words.options) {
        if (option == "--all") {
            all = true;
        } else if (option == "--all-formats") {
            allFormats = true;
        } else {
            err_ << "dezoredu-cli: unknown option " << option << "\n";
            printUsage(err_);
            return kUsageError;
        }
    }
    const std::vector<std::string>& paths = words.operands;
    if (paths.empty()) {
        printUsage(err_);
        return kUsageError;
    }
    bool complete = true;
    for (const std::string& path : paths) {
        complete = readPath(path, all, allFormats) && complete;
    }
    printEntries(allFormats);
    return complete ? kDone : kIncomplete;
}

void InfoCommand::printEntries(bool allFormats) {
    std::vector<PictureRecord> pictures;
    std::vector<std::size_t> pictureOf(entries_.size(), 0);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!entries_[i].passedOver) {
            pictureOf[i] = pictures.size();
            pictures.push_back(entries_[i].record);
        }
    }
    const std::vector<ShotTime> times =
        resolveTimeline(timelineInputOf(pictures), clocks_, places_, computerOffsetAt);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (entry.passedOver) {
            out_ << entry.message << '\n';
        } else {
            out_ << pictureLine(entry.record, entry.message, allFormats, &times[pictureOf[i]]) << '\n';
        }
    }
    entries_.clear();
    out_.flush();
}

bool InfoCommand::readPath(const std::string& path, bool all, bool allFormats) {
    CliHost host(err_);
    FileSystem fileSystem;
    const bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    reader.setBiasMinutes(currentTimeZone().totalBiasMinutes());
    reader.setPictureFiles(allFormats ? PictureFiles::AllFormats : PictureFiles::JpegOnly);
    reader.setCataloguedListener([this](const PictureRecord& record, const std::string& message) {
        entries_.push_back({record, message, false});
    });
    // With all formats a file named by itself is told about even without
    // --all: most files are not pictures, and silence would not say so.
    std::vector<DirEntry> none;
    if (all || (allFormats && !fileSystem.listDirectory(path, "", none))) {
        reader.setPassedOverListener([this](const PassedOver& p) {
            entries_.push_back(
                {{}, JsonWriter().text("path", p.path).boolean("passedOver", true).text("reason", p.reason).str(), true});
        });
    }

    return cataloguePath(path, reader, fileSystem, host, err_);
}

}  // namespace dz
