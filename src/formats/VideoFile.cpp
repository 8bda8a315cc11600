#include "formats/VideoFile.h"

#include "formats/FileBoxSource.h"
#include "formats/FrameTurn.h"
#include "formats/Iso6709.h"
#include "formats/LoadedModules.h"
#include "formats/MovieIndex.h"
#include "formats/QuickTimeUserData.h"
#include "formats/RasterSink.h"
#include "formats/VideoTime.h"

#include <algorithm>
#include <utility>

namespace dz {

namespace {

constexpr const char* kZeroDate = "0000:00:00 00:00:00";

// Where phones and cameras put the camera's name, most specific first.
constexpr const char* kMakeKeys[] = {"com.apple.quicktime.make", "com.android.manufacturer", "make"};
constexpr const char* kModelKeys[] = {"com.apple.quicktime.model", "com.android.model", "model"};

template <std::size_t N>
std::string firstTag(const MovieIndex& movie, const char* const (&keys)[N], std::size_t limit) {
    for (const char* key : keys) {
        std::string text = movie.tag(key);
        if (!text.empty()) {
            text.resize(std::min(text.size(), limit));
            return text;
        }
    }
    return {};
}

// The shot time into dateTime, and the offset of the clock that gave it
// into offsetTimeOriginal when the movie states one.
void takeShotTime(const MovieIndex& movie, ExifInfo& info) {
    // A phone's own local time first: its pictures' EXIF dates are the time
    // where they were shot, and its movies must sort among them.
    const std::string phoneDate = movie.tag("com.apple.quicktime.creationdate");
    std::string text = wallClockShotTime(phoneDate);
    if (!text.empty()) {
        info.offsetTimeOriginal = clockOffsetOfIsoTime(phoneDate);
    }
    // The UTC times of the containers are shown in this computer's zone.
    if (text.empty()) {
        text = localShotTimeOfMovieTime(movie.created);
    }
    if (text.empty()) {
        text = localShotTimeOfUtc(movie.tag("creation_time"));
    }
    info.dateTime = text.empty() ? kZeroDate : text;
}

// Where the movie was made: an ISO 6709 text under the keys phones write, or
// in the QuickTime user data.
ShotPosition shotPosition(const MovieIndex& movie, BoxSource& file) {
    for (const char* key : {"com.apple.quicktime.location.ISO6709", "location"}) {
        const ShotPosition position = positionOfIso6709(movie.tag(key));
        if (position.known) {
            return position;
        }
    }
    return positionOfIso6709(readQuickTimeLocation(file));
}

}  // namespace

FactsOutcome readVideoFacts(const std::string& path, CExifReader& reader) {
    FileBoxSource file(path);
    MovieIndex movie;
    std::string problem;
    if (!readMovieIndex(file, movie, problem)) {
        reader.Fail(problem);
        return FactsOutcome::NotDecoded;
    }
    ExifInfo& info = reader.info();
    info.hasExif = true;
    takeShotTime(movie, info);
    info.position = shotPosition(movie, file);
    info.cameraMake = firstTag(movie, kMakeKeys, kCameraMakeChars);
    info.cameraModel = firstTag(movie, kModelKeys, kCameraModelChars);
    if (info.cameraMake.empty() || info.cameraModel.empty()) {
        // The QuickTime user data texts, and the make some cameras keep in a "TAGS" atom.
        QuickTimeCamera camera = readQuickTimeCamera(file);
        if (info.cameraMake.empty()) {
            info.cameraMake = std::move(camera.make);
        }
        if (info.cameraModel.empty()) {
            info.cameraModel = std::move(camera.model);
        }
    }
    // The size as the movie is shown, as a picture's is.
    const bool across = movie.quarterTurns % 2 != 0;
    // A phone's or camera's movie is in colour.
    info.isColor = 1;
    info.width = across ? movie.height : movie.width;
    info.height = across ? movie.width : movie.height;
    return FactsOutcome::Decoded;
}

bool decodeVideoFile(const std::string& path, const DecodeOptions& options, CRaster& out) {
    out.clear();
    MovieIndex movie;
    std::string problem;
    {
        FileBoxSource file(path);
        if (!readMovieIndex(file, movie, problem)) {
            return false;
        }
    }
    // A size the index states is checked before a frame is decoded; one only
    // the frame states, when the module asks for the rows.
    if (movie.width > 0 && movie.height > 0 &&
        !CRaster::fitsLimit(movie.width, movie.height, 24, options.memoryLimit)) {
        return false;
    }
    const DzVideoModule* module = videoModule(problem);
    if (module == nullptr) {
        return false;
    }
    // The wanted box is the shown picture's; the frame is turned after scaling.
    const bool across = movie.quarterTurns % 2 != 0;
    const int boxWidth = across ? options.wantedHeight : options.wantedWidth;
    const int boxHeight = across ? options.wantedWidth : options.wantedHeight;
    char text[256] = {};
    const RasterSink sink(out, options.memoryLimit);
    if (module->decodeMovieFrame(path.c_str(), boxWidth, boxHeight, sink.sink(), text, sizeof text) == 0 ||
        !turnClockwise(out, movie.quarterTurns)) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace dz
