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

namespace dz {
namespace {

// A morning in Kyoto with the phone, the camera without position, an
// afternoon in Nara, and the next day: found by the real scan, put on the
// timeline with the gazetteer's places, and proposed by day. The morning
// begins before the computer's midnight, so only the date at the place
// names it right.
TEST(SuggestScan, ProposesTheDaysOfTaggedPicturesWithTheirPlaces) {
    test::TempDir source;
    const auto tag = [&](const std::string& name, const std::string& args) {
        const std::string path = source.write(name, test::readTestData("canon-40d.jpg")).string();
        ASSERT_TRUE(test::runExiftool("-gps:all= -OffsetTime*= " + args, path));
    };
    const std::string phone = "-Model='Pixel 5' -OffsetTimeOriginal=+09:00";
    const std::string kyoto = " -GPSLatitude=35.0116 -GPSLatitudeRef=N -GPSLongitude=135.7681 -GPSLongitudeRef=E";
    const std::string nara = " -GPSLatitude=34.6851 -GPSLatitudeRef=N -GPSLongitude=135.8048 -GPSLongitudeRef=E";
    tag("z-phone.jpg", phone + " -DateTimeOriginal='2024:07:05 06:10:00'" + kyoto);
    tag("camera.jpg", "-DateTimeOriginal='2024:07:05 07:00:00'");
    tag("b-phone.jpg", phone + " -DateTimeOriginal='2024:07:05 15:00:00'" + nara);
    tag("a-phone.jpg", phone + " -DateTimeOriginal='2024:07:06 09:00:00'" + kyoto);

    test::ScriptedHost host;
    FileSystem fileSystem;
    const bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    const int bias = currentTimeZone().totalBiasMinutes();
    reader.setBiasMinutes(bias);
    reader.setPictureFiles(PictureFiles::AllFormats);
    reader.setDateRules(DateRules::TrueTimes);
    reader.listFolders(source.str(), true);
    ASSERT_TRUE(reader.collectPictures("*.jpg", true, false));
    ASSERT_TRUE(placeCatalogueOnTimeline(reader.catalogue(), {}, gazetteerPlaceFinder(), computerOffsetAt, bias));

    const std::vector<SuggestShot> shots = suggestShotsOf(reader.catalogue(), bias);
    ASSERT_EQ(shots.size(), 4u);
    SuggestSettings settings;
    settings.mode = SuggestMode::Days;
    const std::vector<Proposal> proposals = suggestAlbums(shots, settings);
    ASSERT_EQ(proposals.size(), 2u);
    EXPECT_EQ(proposals[0].count, 3u);
    EXPECT_EQ(proposals[0].name, "2024-07-05 Kyoto & Nara");
    EXPECT_EQ(proposals[1].name, "2024-07-06 Kyoto");
    const PictureRecord& first = reader.catalogue()[shots[0].picture];
    EXPECT_NE(first.path.find("z-phone.jpg"), std::string::npos) << first.path;
}

}  // namespace
}  // namespace dz
