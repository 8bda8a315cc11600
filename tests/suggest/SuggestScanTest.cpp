#include "suggest/Suggestion.h"

#include "MediaFiles.h"
#include "ScriptedHost.h"
#include "TempDir.h"
#include "catalogue/CDirReader.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"
#include "suggest/CatalogueShots.h"
#include "timeline/CatalogueTimeline.h"
#include "timeline/GazetteerPlaces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace dz {
namespace {

// The folder's pictures as the program scans them, put on the timeline with
// the gazetteer's places.
std::vector<SuggestShot> scannedShots(const test::TempDir& folder, std::vector<PictureRecord>& catalogue) {
    test::ScriptedHost host;
    FileSystem fileSystem;
    const bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    const int bias = currentTimeZone().totalBiasMinutes();
    reader.setBiasMinutes(bias);
    reader.setPictureFiles(PictureFiles::AllFormats);
    reader.setDateRules(DateRules::TrueTimes);
    reader.listFolders(folder.str(), true);
    EXPECT_TRUE(reader.collectPictures("*.jpg", true, false));
    EXPECT_TRUE(placeCatalogueOnTimeline(reader.catalogue(), {}, gazetteerPlaceFinder(), computerOffsetAt, bias));
    catalogue = reader.catalogue();
    return suggestShotsOf(catalogue, bias);
}

void tagCopy(const test::TempDir& folder, const std::string& name, const std::string& args) {
    const std::string path = folder.write(name, test::readTestData("canon-40d.jpg")).string();
    ASSERT_TRUE(test::runExiftool("-gps:all= -OffsetTime*= " + args, path));
}

// A morning in Kyoto with the phone, the camera without position, an
// afternoon in Nara, and the next day: found by the real scan, put on the
// timeline with the gazetteer's places, and proposed by day. The morning
// begins before the computer's midnight, so only the date at the place
// names it right.
TEST(SuggestScan, ProposesTheDaysOfTaggedPicturesWithTheirPlaces) {
    test::TempDir source;
    const auto tag = [&](const std::string& name, const std::string& args) { tagCopy(source, name, args); };
    const std::string phone = "-Model='Pixel 5' -OffsetTimeOriginal=+09:00";
    const std::string kyoto = " -GPSLatitude=35.0116 -GPSLatitudeRef=N -GPSLongitude=135.7681 -GPSLongitudeRef=E";
    const std::string nara = " -GPSLatitude=34.6851 -GPSLatitudeRef=N -GPSLongitude=135.8048 -GPSLongitudeRef=E";
    tag("z-phone.jpg", phone + " -DateTimeOriginal='2024:07:05 06:10:00'" + kyoto);
    tag("camera.jpg", "-DateTimeOriginal='2024:07:05 07:00:00'");
    tag("b-phone.jpg", phone + " -DateTimeOriginal='2024:07:05 15:00:00'" + nara);
    tag("a-phone.jpg", phone + " -DateTimeOriginal='2024:07:06 09:00:00'" + kyoto);

    std::vector<PictureRecord> catalogue;
    const std::vector<SuggestShot> shots = scannedShots(source, catalogue);
    ASSERT_EQ(shots.size(), 4u);
    SuggestSettings settings;
    settings.mode = SuggestMode::Days;
    const std::vector<Proposal> proposals = suggestAlbums(shots, settings);
    ASSERT_EQ(proposals.size(), 2u);
    EXPECT_EQ(proposals[0].count, 3u);
    EXPECT_EQ(proposals[0].name, "2024-07-05 Kyoto & Nara");
    EXPECT_EQ(proposals[1].name, "2024-07-06 Kyoto");
    const PictureRecord& first = catalogue[shots[0].picture];
    EXPECT_NE(first.path.find("z-phone.jpg"), std::string::npos) << first.path;
}

// Two trips with the phone, each back home to a camera that records no
// place, the phone's next shot at home days later: the camera's first shot
// at home ends the trip's stay. Back from Lisbon the timeline reads it at
// home's offset; Rome keeps home's offset all year, so there only the
// silence after the trip's last evening tells. The camera's shots before
// leaving stay home: before Lisbon at home's offset, before Rome after no
// longer a silence than home has known.
TEST(SuggestScan, ACameraWithoutPositionBackHomeEndsTheTripsStay) {
    test::TempDir source;
    const auto phone = [&](const std::string& name, const char* when, const char* offset, double lat, double lon) {
        tagCopy(source, name,
                std::string("-Model='Pixel 5' -DateTimeOriginal='") + when + "' -OffsetTimeOriginal=" + offset +
                    " -GPSLatitude=" + std::to_string(lat) + " -GPSLatitudeRef=N -GPSLongitude=" +
                    std::to_string(std::abs(lon)) + " -GPSLongitudeRef=" + (lon < 0 ? "W" : "E"));
    };
    const auto camera = [&](const std::string& name, const char* when) {
        tagCopy(source, name, std::string("-DateTimeOriginal='") + when + "'");
    };
    phone("home-0.jpg", "2024:10:15 12:00:00", "+02:00", 52.3676, 4.9041);
    camera("home-before-lisbon.jpg", "2024:10:18 15:00:00");
    phone("lisbon-morning.jpg", "2024:10:20 10:00:00", "+01:00", 38.7223, -9.1393);
    phone("lisbon-evening.jpg", "2024:10:20 21:00:00", "+01:00", 38.7223, -9.1393);
    camera("home-after-lisbon.jpg", "2024:10:21 15:00:00");
    phone("home-1.jpg", "2024:10:23 12:00:00", "+02:00", 52.3676, 4.9041);
    phone("home-2.jpg", "2024:11:01 10:00:00", "+01:00", 52.3676, 4.9041);
    camera("home-before-rome.jpg", "2024:11:02 11:00:00");
    phone("rome-1.jpg", "2024:11:03 09:00:00", "+01:00", 41.9028, 12.4964);
    phone("rome-2.jpg", "2024:11:03 18:00:00", "+01:00", 41.9028, 12.4964);
    phone("rome-3.jpg", "2024:11:04 10:00:00", "+01:00", 41.9028, 12.4964);
    phone("rome-4.jpg", "2024:11:04 20:00:00", "+01:00", 41.9028, 12.4964);
    camera("home-after-rome.jpg", "2024:11:06 09:30:00");
    camera("home-after-rome-2.jpg", "2024:11:07 15:00:00");
    phone("home-3.jpg", "2024:11:09 14:00:00", "+01:00", 52.3676, 4.9041);

    std::vector<PictureRecord> catalogue;
    const std::vector<SuggestShot> shots = scannedShots(source, catalogue);
    ASSERT_EQ(shots.size(), 15u);
    SuggestSettings settings;
    settings.mode = SuggestMode::Places;
    std::vector<std::string> firsts;
    for (const std::size_t start : suggestionStarts(shots, settings)) {
        firsts.push_back(std::filesystem::path(catalogue[shots[start].picture].path).filename().string());
    }
    EXPECT_EQ(firsts, (std::vector<std::string>{"home-0.jpg", "lisbon-morning.jpg", "home-after-lisbon.jpg",
                                                "rome-1.jpg", "home-after-rome.jpg"}));
}

}  // namespace
}  // namespace dz
