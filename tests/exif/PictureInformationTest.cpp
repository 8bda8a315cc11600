#include "exif/PictureInformation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dz {
namespace {

using Lines = std::vector<std::string>;

ExifInfo frameOnly() {
    ExifInfo info;
    info.width = 640;
    info.height = 480;
    info.isColor = 1;
    info.encodingMarker = 0xC0;
    return info;
}

Lines linesOf(const ExifInfo& info) { return pictureInformationLines(info, "[date]", "[time]"); }

// The lines other than the four that are always there for a frame-only record.
Lines extraLines(const ExifInfo& info) {
    Lines lines = linesOf(info);
    Lines extra;
    for (const std::string& line : lines) {
        if (line != "Width x Height   : 640 x 480" && line != "Color/bw     : Color" &&
            line != "Flash used   : No" && line != "Encoding      : Baseline") {
            extra.push_back(line);
        }
    }
    return extra;
}

TEST(PictureInformation, FrameOnlyRecordShowsFourLines) {
    EXPECT_EQ(linesOf(frameOnly()), (Lines{"Width x Height   : 640 x 480", "Color/bw     : Color",
                                           "Flash used   : No", "Encoding      : Baseline"}));
    ExifInfo empty;
    EXPECT_EQ(linesOf(empty), (Lines{"Width x Height   : 0 x 0", "Color/bw     : Black and white",
                                     "Flash used   : No", "Encoding      : Unknown"}));
}

TEST(PictureInformation, EveryLineInOrder) {
    ExifInfo info;
    info.cameraMake = "Canon";
    info.cameraModel = "Canon EOS 40D";
    info.dateTime = "2008:05:30 15:56:01";
    info.exifVersion = "0221";
    info.width = 3888;
    info.height = 2592;
    info.resolutionUnit = 1;
    info.xResolution = 72;
    info.yResolution = 72;
    info.isColor = 1;
    info.flashUsed = 1;
    info.focalLength = 135;
    info.ccdWidth = 22.2f;
    info.exposureTime = 0.00625f;
    info.brightness = 1.5f;
    info.apertureFNumber = 7.1f;
    info.focusDistance = 3.75f;
    info.isoEquivalent = 100;
    info.exposureBias = -0.33f;
    info.whitebalance = 1;
    info.meteringMode = 5;
    info.exposureProgram = 1;
    info.jpegQuality = 4;
    info.encodingMarker = 0xC2;
    info.comment = "Line one\nLine two";
    const Lines expected = {
        "Camera make  : Canon",
        "Camera model : Canon EOS 40D",
        "Date: [30.05.2008]",
        "Time: [15:56:01]",
        "Exif version : 0221",
        "Width x Height   : 3888 x 2592",
        "X resolution (dpi) :  72.0",
        "Y resolution (dpi) :  72.0",
        "Color/bw     : Color",
        "Flash used   : Yes",
        "Focal length : 135.0mm",
        "  (35mm equivalent: 219mm)",
        "CCD width    : 22.20mm",
        "Exposure time: 0.006 s  (1/160)",
        "Brightness :  1.500",
        "Aperture     : f/7.1",
        "Focus dist.  : 3.75m",
        "ISO equiv.   : 100",
        "Exposure bias:-0.33",
        "Whitebalance : sunny",
        "Metering Mode: matrix",
        "Exposure     : manual",
        "Jpeg Quality : fine",
        "Encoding      : Progressive",
        "Comment      : Line one",
        "Comment      : Line two",
    };
    EXPECT_EQ(pictureInformationLines(info, "[30.05.2008]", "[15:56:01]"), expected);
}

struct Case {
    const char* name;
    void (*change)(ExifInfo&);
    Lines extra;
};

TEST(PictureInformation, LineConditions) {
    const std::vector<Case> cases = {
        {"model without make", [](ExifInfo& i) { i.cameraModel = "Model"; }, {}},
        {"make without model", [](ExifInfo& i) { i.cameraMake = "Make"; },
         {"Camera make  : Make", "Camera model : "}},
        {"date shown only with a shot time", [](ExifInfo& i) { i.dateTime = "2001:02:03 04:05:06"; },
         {"Date: [date]", "Time: [time]"}},
        {"resolution unit 0", [](ExifInfo& i) { i.xResolution = 72; i.yResolution = 72; }, {}},
        {"centimetres",
         [](ExifInfo& i) { i.xResolution = 28.35f; i.resolutionUnit = 0.3937008f; },
         {"X resolution (dpi) :  72.0"}},
        {"y only", [](ExifInfo& i) { i.yResolution = 300; i.resolutionUnit = 1; },
         {"Y resolution (dpi) : 300.0"}},
        {"35mm equivalent", [](ExifInfo& i) { i.focalLength = 50; i.ccdWidth = 36; },
         {"Focal length : 50.0mm", "  (35mm equivalent: 50mm)", "CCD width    : 36.00mm"}},
        {"no sensor width", [](ExifInfo& i) { i.focalLength = 5.8f; }, {"Focal length :  5.8mm"}},
        {"sensor width alone", [](ExifInfo& i) { i.ccdWidth = 5.76f; }, {"CCD width    : 5.76mm"}},
        {"half a second", [](ExifInfo& i) { i.exposureTime = 0.5f; },
         {"Exposure time: 0.500 s  (1/2)"}},
        {"above half a second", [](ExifInfo& i) { i.exposureTime = 0.6f; },
         {"Exposure time: 0.600 s "}},
        {"1/125", [](ExifInfo& i) { i.exposureTime = 0.008f; }, {"Exposure time: 0.008 s  (1/125)"}},
        {"infinite focus", [](ExifInfo& i) { i.focusDistance = -1; }, {"Focus dist.  : Infinite"}},
        {"low iso", [](ExifInfo& i) { i.isoEquivalent = 8; }, {"ISO equiv.   :  8"}},
        {"positive bias", [](ExifInfo& i) { i.exposureBias = 0.7f; }, {"Exposure bias:0.70"}},
        {"whitebalance 255", [](ExifInfo& i) { i.whitebalance = 255; }, {"Whitebalance : cloudy"}},
        {"negative whitebalance", [](ExifInfo& i) { i.whitebalance = -2; }, {"Whitebalance : cloudy"}},
        {"fluorescent", [](ExifInfo& i) { i.whitebalance = 2; }, {"Whitebalance : fluorescent"}},
        {"metering 255", [](ExifInfo& i) { i.meteringMode = 255; }, {}},
        {"metering 1", [](ExifInfo& i) { i.meteringMode = 1; }, {"Metering Mode: average"}},
        {"creative program", [](ExifInfo& i) { i.exposureProgram = 5; },
         {"Exposure     : creative program(biased toward depth of field)"}},
        {"action program", [](ExifInfo& i) { i.exposureProgram = 6; },
         {"Exposure     : action program (biased toward fast shutter speed)"}},
        {"program 9", [](ExifInfo& i) { i.exposureProgram = 9; }, {}},
        {"basic", [](ExifInfo& i) { i.jpegQuality = 1; }, {"Jpeg Quality : basic"}},
        {"normal", [](ExifInfo& i) { i.jpegQuality = 2; }, {"Jpeg Quality : normal"}},
        {"quality 3", [](ExifInfo& i) { i.jpegQuality = 3; }, {}},
        {"comment in two lines", [](ExifInfo& i) { i.comment = "A\nB"; },
         {"Comment      : A", "Comment      : B"}},
        {"closing line feed", [](ExifInfo& i) { i.comment = "A\n"; }, {"Comment      : A"}},
        {"carriage return copied", [](ExifInfo& i) { i.comment = "A\r\nB"; },
         {"Comment      : A\r", "Comment      : B"}},
        {"empty lines", [](ExifInfo& i) { i.comment = "\n\nX"; },
         {"Comment      : ", "Comment      : ", "Comment      : X"}},
    };
    for (const Case& c : cases) {
        ExifInfo info = frameOnly();
        c.change(info);
        EXPECT_EQ(extraLines(info), c.extra) << c.name;
    }
}

TEST(PictureInformation, FlashLineOnlyForKnownFlash) {
    ExifInfo info = frameOnly();
    info.flashUsed = -1;
    EXPECT_EQ(linesOf(info), (Lines{"Width x Height   : 640 x 480", "Color/bw     : Color",
                                    "Encoding      : Baseline"}));
}

TEST(PictureInformation, CommentShownUpToItsFirst1000Characters) {
    ExifInfo info = frameOnly();
    info.comment = std::string(999, 'a') + "b\ncdef";
    const Lines extra = extraLines(info);
    EXPECT_EQ(extra, (Lines{"Comment      : " + std::string(999, 'a') + "b"}));
}

}  // namespace
}  // namespace dz
