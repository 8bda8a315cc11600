// `info` and `clocks` over a phone and a camera of one trip, tagged with
// exiftool: the phone writes Kyoto time with its offset and position, the
// camera stayed on Berlin summer time.
#include "ClocksCommand.h"
#include "InfoCommand.h"
#include "JournalCommands.h"
#include "SessionFixture.h"

#include "MediaFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dz {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

bool has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

class TimelineCommands : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string phone = dir.write("phone/PXL_1.jpg", test::readTestData("pixel5-1008x756.jpg")).string();
        ASSERT_TRUE(test::runExiftool("-DateTimeOriginal='2024:07:06 07:05:00' -OffsetTimeOriginal=+09:00"
                                      " -GPSLatitude=35.0116 -GPSLatitudeRef=N -GPSLongitude=135.7681"
                                      " -GPSLongitudeRef=E",
                                      phone));
        const std::string camera = dir.write("camera/IMG_1.jpg", test::readTestData("canon-40d.jpg")).string();
        ASSERT_TRUE(test::runExiftool("-DateTimeOriginal='2024:07:05 23:30:00' -SerialNumber=0123", camera));
    }

    template <typename Command>
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return Command(out, err).run(args);
    }

    test::TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(TimelineCommands, InfoPutsBothDevicesOnOneTimeline) {
    ASSERT_EQ(run<InfoCommand>({"--camera-clock", "Canon EOS 40D=Europe/Berlin", dir.str() + "/camera",
                                dir.str() + "/phone"}),
              InfoCommand::kDone)
        << err.str();
    const auto printed = lines(out.str());
    ASSERT_EQ(printed.size(), 2u) << out.str();
    const std::string& camera = printed[0];
    const std::string& phone = printed[1];
    EXPECT_TRUE(has(phone, "\"utc\":\"2024-07-05T22:05:00Z\",\"offset\":\"+09:00\",\"localTime\":\"2024:07:06 07:05:00\","
                           "\"timeSource\":\"offset-tag\",\"offsetSource\":\"place-zone\""))
        << phone;
    EXPECT_TRUE(has(phone, "\"latitude\":35.0116,\"longitude\":135.7681,\"place\":\"Kyoto, Kyoto, Japan\"")) << phone;
    // 23:30 in Berlin is 06:30 of the next morning in Kyoto, before the phone's shot.
    EXPECT_TRUE(has(camera, "\"utc\":\"2024-07-05T21:30:00Z\",\"offset\":\"+09:00\",\"localTime\":\"2024:07:06 06:30:00\","
                            "\"timeSource\":\"camera-clock\",\"offsetSource\":\"nearby-shot\""))
        << camera;
    EXPECT_FALSE(has(camera, "\"latitude\"")) << camera;
    EXPECT_EQ(run<InfoCommand>({"--camera-clock", "Canon EOS 40D=Mars/Olympus", dir.str()}), InfoCommand::kUsageError);
    EXPECT_TRUE(has(err.str(), "no such zone: Mars/Olympus")) << err.str();
}

TEST_F(TimelineCommands, ClocksSaysWhatEachCameraKeptAndWhy) {
    ASSERT_EQ(run<ClocksCommand>({dir.str()}), ClocksCommand::kDone) << err.str();
    auto printed = lines(out.str());
    ASSERT_EQ(printed.size(), 2u) << out.str();
    const auto line = [&](const std::string& model) {
        for (const std::string& l : printed) {
            if (has(l, "\"cameraModel\":\"" + model + "\"")) {
                return l;
            }
        }
        return std::string();
    };
    EXPECT_TRUE(has(line("Pixel 5"), "\"clock\":\"+09:00\",\"set\":false,\"why\":\"offset tags on 1 of 1 shot\""))
        << out.str();
    EXPECT_TRUE(has(line("Canon EOS 40D"), "\"serial\":\"0123\",\"count\":1,")) << out.str();

    ASSERT_EQ(run<ClocksCommand>({"--camera-clock", "Canon EOS 40D=+02:00", dir.str()}), ClocksCommand::kDone);
    printed = lines(out.str());
    EXPECT_TRUE(has(line("Canon EOS 40D"), "\"first\":\"2024:07:06 06:30:00\",\"last\":\"2024:07:06 06:30:00\","
                                           "\"clock\":\"+02:00\",\"set\":true,\"why\":\"set by the user; on 1 of 1 shot its"
                                           " clock differs from the time of the place by -07:00\""))
        << out.str();
}

// A camera clock given to `plan` puts the session on the timeline, and the
// day folders follow the local time it gives.
class PlanWithCameraClock : public test::SessionFixture {};

TEST_F(PlanWithCameraClock, DayFoldersFollowTheClock) {
    test::saveSessionThroughWindow(source.str(), target.str(), false, sessionPath, 4, [](AppState& state) {
        Album days;
        days.id = 1;
        days.name = "Days";
        days.splitByDays = 1;
        days.isNew = 0;
        for (PictureRecord& picture : state.dirReader->catalogue()) {
            if (picture.exif().cameraModel == "Canon EOS 40D") {  // 2008:05:30 15:56:01
                picture.albumId = 1;
                days.setStart(static_cast<std::uint64_t>(picture.createTime));
                days.setEnd(static_cast<std::uint64_t>(picture.createTime));
                ++days.pictureCount;
            }
        }
        state.albums = {days};
    });
    const auto planned = [&](std::vector<std::string> args) {
        std::ostringstream out;
        std::ostringstream err;
        FileSystem fileSystem;
        args.push_back(sessionPath);
        EXPECT_EQ(PlanCommand(out, err, fileSystem).run(args), PlanCommand::kDone) << err.str();
        const auto printed = lines(out.str());
        return printed.empty() ? std::string() : printed.front();
    };
    EXPECT_TRUE(has(planned({}), "/Days/2008-05-30/")) << planned({});
    // Ten hours behind UTC, its 15:56 is 03:56 of the next day here (CEST).
    const std::string later = planned({"--camera-clock", "Canon EOS 40D=-10:00"});
    EXPECT_TRUE(has(later, "/Days/2008-05-31/")) << later;
}

}  // namespace
}  // namespace dz
