// The "All photos and videos" scan over HEIF, PNG, RAF and CR3 files: what
// it catalogues at which shot time, and why it passes the others over.
// Dates were read with exiftool 12.57.
#include "catalogue/CDirReader.h"
#include "catalogue/PictureTimeStamp.h"

#include "ScriptedHost.h"
#include "StillSamples.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <map>

namespace dz {
namespace {

using test::readTestData;

TEST(StillFormatsScan, CataloguesEachFormatByItsShotTimeAndNamesWhyBrokenFilesArePassedOver) {
    test::TempDir dir;
    dir.write("phone.HEIC", readTestData("IMG_5195.HEIC"));
    dir.write("camera.raf", readTestData("FujiFilm.raf"));
    dir.write("camera.CR3", readTestData("CanonRaw.cr3"));
    dir.write("exif.png", test::pngWithExif(64, 48));
    dir.write("no-exif.heic", readTestData("QuickTime.heic"));
    dir.write("no-date.heif", readTestData("samplefilehub.heif"));
    dir.write("no-exif.png", readTestData("PNG.png"));
    dir.write("cut.heic", readTestData("IMG_5195.HEIC").substr(0, 100));
    dir.write("cut.png", readTestData("PNG.png").substr(0, 300));
    dir.write("cut.raf", readTestData("FujiFilm.raf").substr(0, 5000));
    dir.write("cut.cr3", readTestData("CanonRaw.cr3").substr(0, 5000));
    std::string notRaf = readTestData("FujiFilm.raf");
    notRaf[0] = 'X';
    dir.write("corrupt.raf", notRaf);

    test::ScriptedHost host;
    FileSystem fileSystem;
    bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    reader.setPictureFiles(PictureFiles::AllFormats);
    std::map<std::string, std::string> reasons;
    reader.setPassedOverListener([&](const PassedOver& p) { reasons[p.path.substr(dir.str().size() + 1)] = p.reason; });
    reader.listFolders(dir.str(), true);
    ASSERT_TRUE(reader.collectPictures("*.jpg", true, false));

    std::map<std::string, std::int64_t> shots;
    for (const PictureRecord& r : reader.catalogue()) {
        const std::string name = r.path.substr(dir.str().size() + 1);
        shots[name] = r.createTime;
        EXPECT_FALSE(r.block->dateFromFile) << name;
        // The CR3 sample's previews are dummy texts and the HEIC has no
        // thumbnail item (the film makes one); the others keep one for the film.
        EXPECT_EQ(r.exif().thumbnail.empty(), name == "camera.CR3" || name == "phone.HEIC") << name;
    }
    const auto stamp = [&](const char* date) { return pictureTimeStamp(date, reader.biasMinutes()); };
    EXPECT_EQ(shots, (std::map<std::string, std::int64_t>{{"phone.HEIC", stamp("2021:04:11 15:47:53")},
                                                          {"camera.raf", stamp("2007:05:22 13:58:30")},
                                                          {"camera.CR3", stamp("2018:02:21 12:08:56")},
                                                          {"exif.png", stamp("2008:05:30 15:56:01")}}));

    ASSERT_EQ(reasons.size(), 8u);
    EXPECT_EQ(reasons["no-exif.heic"], "no EXIF data");
    EXPECT_EQ(reasons["no-date.heif"], "no date");
    EXPECT_EQ(reasons["no-exif.png"], "no EXIF data");
    EXPECT_EQ(reasons["cut.heic"].rfind("no EXIF data: Invalid HEIF file: ", 0), 0u) << reasons["cut.heic"];
    EXPECT_EQ(reasons["cut.png"], "no EXIF data: PNG file cut short");
    EXPECT_EQ(reasons["cut.raf"], "no EXIF data: RAF file cut short");
    EXPECT_EQ(reasons["cut.cr3"], "no EXIF data: CR3 file cut short");
    EXPECT_EQ(reasons["corrupt.raf"], "no EXIF data: Invalid RAF header");
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace dz
