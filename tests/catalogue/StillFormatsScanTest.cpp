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
    // Its own date zeroed: the date it was changed stands in.
    std::string raw = readTestData("Nikon.nef");
    for (std::size_t at = raw.find("2004:06:09 16:02:35"); at != std::string::npos;
         at = raw.find("2004:06:09 16:02:35")) {
        raw.replace(at, 19, "0000:00:00 00:00:00");
    }
    dir.write("zero.nef", raw);
    std::string notRaf = readTestData("FujiFilm.raf");
    notRaf[0] = 'X';
    dir.write("corrupt.raf", notRaf);

    struct Scan {
        std::map<std::string, std::int64_t> shots;
        std::map<std::string, DateSource> sources;
        std::map<std::string, std::string> reasons;
        int bias = 0;
    };
    const auto scan = [&](DateRules rules) {
        test::ScriptedHost host;
        FileSystem fileSystem;
        bool abortRequest = false;
        CDirReader reader(host, fileSystem, abortRequest);
        reader.setPictureFiles(PictureFiles::AllFormats);
        reader.setDateRules(rules);
        Scan result;
        reader.setPassedOverListener(
            [&](const PassedOver& p) { result.reasons[p.path.substr(dir.str().size() + 1)] = p.reason; });
        reader.listFolders(dir.str(), true);
        EXPECT_TRUE(reader.collectPictures("*.jpg", true, false));
        for (const PictureRecord& r : reader.catalogue()) {
            const std::string name = r.path.substr(dir.str().size() + 1);
            result.shots[name] = r.createTime;
            result.sources[name] = r.block->dateSource;
            if (name == "phone.HEIC") {
                EXPECT_EQ(r.exif().isColor, 1) << "a phone's HEIC shown as black and white";
            }
            if (name == "no-exif.png") {
                // A grey 16 x 16 picture, known without EXIF.
                EXPECT_EQ(r.exif().width, 16);
                EXPECT_EQ(r.exif().isColor, 0);
            }
            EXPECT_EQ(r.block->dateFromFile, r.block->dateSource == DateSource::FileTime) << name;
            // The CR3 sample's previews are dummy texts, the HEIC files have no
            // thumbnail item (the film makes one), a PNG without EXIF none
            // either; the others keep one for the film.
            EXPECT_EQ(r.exif().thumbnail.empty(), name == "camera.CR3" || name == "phone.HEIC" || name == "no-exif.heic" ||
                                                      name == "no-date.heif" || name == "no-exif.png" ||
                                                      name == "zero.nef")
                << name;
        }
        EXPECT_TRUE(host.messages.empty());
        result.bias = reader.biasMinutes();
        return result;
    };

    // Sessions saved before every file was taken find their pictures as then.
    const Scan first = scan(DateRules::AsFirstMade);
    const auto stamp = [&](const char* date) { return pictureTimeStamp(date, first.bias); };
    EXPECT_EQ(first.shots, (std::map<std::string, std::int64_t>{{"phone.HEIC", stamp("2021:04:11 15:47:53")},
                                                                {"camera.raf", stamp("2007:05:22 13:58:30")},
                                                                {"camera.CR3", stamp("2018:02:21 12:08:56")},
                                                                {"exif.png", stamp("2008:05:30 15:56:01")},
                                                                {"zero.nef", first.shots.at("zero.nef")}}));
    EXPECT_EQ(first.sources.at("zero.nef"), DateSource::FileTime);
    ASSERT_EQ(first.reasons.size(), 8u);
    EXPECT_EQ(first.reasons.at("no-exif.heic"), "no EXIF data");
    EXPECT_EQ(first.reasons.at("no-date.heif"), "no date");
    EXPECT_EQ(first.reasons.at("no-exif.png"), "no EXIF data");
    EXPECT_EQ(first.reasons.at("cut.heic").rfind("no EXIF data: Invalid HEIF file: ", 0), 0u);
    EXPECT_EQ(first.reasons.at("cut.png"), "no EXIF data: PNG file cut short");
    EXPECT_EQ(first.reasons.at("cut.raf"), "no EXIF data: RAF file cut short");
    EXPECT_EQ(first.reasons.at("cut.cr3"), "no EXIF data: CR3 file cut short");
    EXPECT_EQ(first.reasons.at("corrupt.raf"), "no EXIF data: Invalid RAF header");

    // Now every picture that reads is taken, dated by the first date it has.
    const Scan every = scan(DateRules::TrueTimes);
    EXPECT_EQ(every.sources, (std::map<std::string, DateSource>{{"phone.HEIC", DateSource::ExifOriginal},
                                                                {"camera.raf", DateSource::ExifOriginal},
                                                                {"camera.CR3", DateSource::ExifOriginal},
                                                                {"exif.png", DateSource::ExifOriginal},
                                                                {"no-exif.heic", DateSource::FileTime},
                                                                {"no-date.heif", DateSource::FileTime},
                                                                {"no-exif.png", DateSource::FileTime},
                                                                {"zero.nef", DateSource::ExifModified}}));
    ASSERT_EQ(every.reasons.size(), 5u);
    EXPECT_EQ(every.reasons.at("cut.heic").rfind("damaged: Invalid HEIF file: ", 0), 0u) << every.reasons.at("cut.heic");
    EXPECT_EQ(every.reasons.at("cut.png"), "damaged: PNG file cut short");
    EXPECT_EQ(every.reasons.at("corrupt.raf"), "damaged: Invalid RAF header");
}

}  // namespace
}  // namespace dz
