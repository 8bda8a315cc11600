#include "catalogue/CDirReader.h"

#include "catalogue/PictureTimeStamp.h"
#include "platform/TimeZone.h"

#include "ScriptedHost.h"
#include "TempDir.h"
#include "TinyJpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

namespace dz {
namespace {

using test::readTestData;
using test::ScriptedHost;
using test::TempDir;

constexpr std::int64_t kTicks = 10000000LL;

// The stamp of a local shot time under a bias, worked out with the standard calendar.
std::int64_t expectedStamp(int y, unsigned m, unsigned d, int h, int mi, int s, int bias) {
    using namespace std::chrono;
    const sys_days day = year{y} / month{m} / std::chrono::day{d};
    const std::int64_t unixSeconds = static_cast<std::int64_t>(day.time_since_epoch().count()) * 86400 +
                                     h * 3600 + mi * 60 + s + bias * 60;
    return (unixSeconds + 11644473600LL) * kTicks;
}

class DirReaderTest : public ::testing::Test {
protected:
    std::string at(const std::string& relative) const { return dir.str() + "/" + relative; }
    void copyData(const std::string& name, const std::string& relative) const {
        dir.write(relative, readTestData(name));
    }
    std::vector<std::string> cataloguedPaths() const {
        std::vector<std::string> out;
        for (const PictureRecord& r : reader.catalogue()) {
            out.push_back(r.path);
        }
        return out;
    }
    bool scan() {
        reader.listFolders(dir.str(), true);
        return reader.collectPictures("*.jpg", true, false);
    }

    TempDir dir;
    ScriptedHost host;
    FileSystem fileSystem;
    bool abortRequest = false;
    CDirReader reader{host, fileSystem, abortRequest};
    std::vector<PassedOver> passedOver;
};

TEST_F(DirReaderTest, ListsFoldersDepthFirstChildrenBeforeParentsSourceLast) {
    dir.makeDir("A/A1");
    dir.makeDir("B");
    dir.makeDir("Temporary Internet Files/Content.IE5");
    dir.makeDir("temporary internet files");
    dir.write("A/file.txt", "x");
    std::filesystem::create_directory_symlink(dir.path(), dir.path() / "B" / "up");

    ASSERT_TRUE(reader.listFolders(dir.str() + "/", true));
    EXPECT_EQ(reader.sourceFolder(), dir.str());
    EXPECT_EQ(reader.folders(), (std::vector<std::string>{at("A/A1"), at("A"), at("B"),
                                                          at("temporary internet files"), dir.str()}));
}

TEST_F(DirReaderTest, LinkedFoldersAreScannedEachFolderOnce) {
    TempDir elsewhere;
    elsewhere.write("o.jpg", test::tinyExifJpeg("2004:05:06 12:34:56"));
    dir.write("A/a.jpg", test::tinyExifJpeg("2004:05:06 12:34:57"));
    dir.makeDir("C");
    std::filesystem::create_directory_symlink(elsewhere.path(), dir.path() / "B");
    std::filesystem::create_directory_symlink(elsewhere.path(), dir.path() / "D");  // the same folder again
    std::filesystem::create_directory_symlink(dir.path(), dir.path() / "C" / "up");  // back up the tree
    std::filesystem::create_directory_symlink(dir.path() / "A", dir.path() / "Z");   // a folder of the tree

    ASSERT_TRUE(scan());
    EXPECT_EQ(reader.folders(), (std::vector<std::string>{at("A"), at("B"), at("C"), dir.str()}));
    EXPECT_EQ(cataloguedPaths(), (std::vector<std::string>{at("A/a.jpg"), at("B/o.jpg")}));
}

TEST_F(DirReaderTest, WithoutRecursionOnlyTheSourceIsListed) {
    dir.makeDir("A");
    ASSERT_TRUE(reader.listFolders(dir.str(), false));
    EXPECT_EQ(reader.folders(), std::vector<std::string>{dir.str()});
}

TEST_F(DirReaderTest, StopRequestCutsTheFolderWalkShort) {
    dir.makeDir("A");
    dir.makeDir("B");
    dir.makeDir("C");
    abortRequest = true;
    ASSERT_TRUE(reader.listFolders(dir.str(), true));
    // The first entry is taken before the flag is looked at; the source still comes last.
    EXPECT_EQ(reader.folders(), (std::vector<std::string>{at("A"), dir.str()}));
    EXPECT_FALSE(reader.collectPictures("*.jpg", true, false));
}

TEST_F(DirReaderTest, CataloguesCameraPicturesInFolderThenListingOrder) {
    copyData("canon-40d.jpg", "A/A1/canon.JPG");
    copyData("nikon-d70-comment-after-exif.jpg", "A/nikon.jpg");
    copyData("no-exif.jpg", "B/plain.jpg");
    copyData("fujifilm-e500-big-endian.jpg", "fuji.jpg");
    dir.write("B/notes.jpg", "not a picture");
    dir.write("B/undated.jpg", test::tinyExifJpeg(""));
    dir.write("B/readme.txt", "x");
    reader.setBiasMinutes(-60);
    reader.setPassedOverListener([&](const PassedOver& p) { passedOver.push_back(p); });

    ASSERT_TRUE(scan());
    EXPECT_EQ(cataloguedPaths(),
              (std::vector<std::string>{at("A/A1/canon.JPG"), at("A/nikon.jpg"), at("fuji.jpg")}));
    EXPECT_TRUE(host.messages.empty());

    const PictureRecord& canon = reader.catalogue()[0];
    EXPECT_FALSE(canon.isFolder);
    EXPECT_TRUE(canon.exifFound);
    EXPECT_EQ(canon.attributes, attr::kArchive);
    EXPECT_EQ(canon.size, std::filesystem::file_size(at("A/A1/canon.JPG")));
    EXPECT_EQ(canon.exif().dateTime, "2008:05:30 15:56:01");
    EXPECT_EQ(canon.createTime, expectedStamp(2008, 5, 30, 15, 56, 1, -60));
    EXPECT_EQ(canon.writeTime, canon.createTime);
    EXPECT_EQ(canon.accessTime, 0);
    EXPECT_EQ(canon.exif().cameraMake, "Canon");
    EXPECT_TRUE(canon.exif().hasExif);
    EXPECT_FALSE(canon.exif().thumbnail.empty());
    EXPECT_EQ(canon.exif().thumbnail.size(), canon.exif().thumbnailSize);
    ASSERT_NE(canon.block, nullptr);
    EXPECT_EQ(canon.block->filmImageIndex, -1);
    EXPECT_FALSE(canon.block->dateFromFile);
    EXPECT_EQ(canon.albumId + canon.isDuplicate + canon.isExcluded + canon.isNegative, 0);

    EXPECT_EQ(reader.catalogue()[1].createTime, expectedStamp(2008, 3, 15, 9, 52, 1, -60));
    EXPECT_EQ(reader.catalogue()[2].exif().dateTime, "2006:08:17 09:24:48");
    // Every record owns its block.
    EXPECT_NE(reader.catalogue()[0].block, reader.catalogue()[1].block);

    ASSERT_EQ(passedOver.size(), 3u);
    EXPECT_EQ(passedOver[0].path, at("B/notes.jpg"));
    EXPECT_EQ(passedOver[0].reason, "not a JPEG file");
    EXPECT_EQ(passedOver[1].path, at("B/plain.jpg"));
    EXPECT_EQ(passedOver[1].reason.rfind("no EXIF data", 0), 0u) << passedOver[1].reason;
    EXPECT_EQ(passedOver[2].path, at("B/undated.jpg"));
    EXPECT_EQ(passedOver[2].reason.rfind("no date", 0), 0u) << passedOver[2].reason;
}

TEST_F(DirReaderTest, PumpsBeforeEveryFurtherEntryOfAFolder) {
    dir.write("a.jpg", test::tinyExifJpeg("2004:05:06 12:34:56"));
    dir.write("b.jpg", test::tinyExifJpeg("2004:05:06 12:34:57"));
    dir.write("c.jpg", test::tinyExifJpeg("2004:05:06 12:34:58"));
    dir.write("sub/d.jpg", test::tinyExifJpeg("2004:05:06 12:34:59"));
    ASSERT_TRUE(scan());
    EXPECT_EQ(reader.catalogue().size(), 4u);
    EXPECT_EQ(host.pumps, 2);
}

TEST_F(DirReaderTest, StopRequestedWhilePumpingEndsTheScanKeepingWhatWasRead) {
    dir.write("A/a.jpg", test::tinyExifJpeg("2004:05:06 12:34:56"));
    dir.write("A/b.jpg", test::tinyExifJpeg("2004:05:06 12:34:57"));
    dir.write("A/c.jpg", test::tinyExifJpeg("2004:05:06 12:34:58"));
    dir.write("A/d.jpg", test::tinyExifJpeg("2004:05:06 12:34:59"));
    dir.write("s.jpg", test::tinyExifJpeg("2004:05:06 12:35:00"));
    host.atPump(2, [&] { abortRequest = true; });
    EXPECT_FALSE(scan());
    // The entry after the pump that set the flag is still read, then the walk stops.
    EXPECT_EQ(cataloguedPaths(), (std::vector<std::string>{at("A/a.jpg"), at("A/b.jpg"), at("A/c.jpg")}));
}

TEST_F(DirReaderTest, UnreadableEntryAskedAndOkSkipsIt) {
    copyData("canon-40d.jpg", "a.jpg");
    dir.makeDir("m.jpg");
    copyData("fujifilm-e500-big-endian.jpg", "z.jpg");
    reader.setPassedOverListener([&](const PassedOver& p) { passedOver.push_back(p); });
    host.answer(Answer::Ok);
    ASSERT_TRUE(scan());
    EXPECT_EQ(cataloguedPaths(), (std::vector<std::string>{at("a.jpg"), at("z.jpg")}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Error while reading from drive");
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].icon, Icon::Error);
    EXPECT_EQ(host.messages[0].buttons, Buttons::OkCancel);
    ASSERT_EQ(passedOver.size(), 1u);
    EXPECT_EQ(passedOver[0].path, at("m.jpg"));
    EXPECT_EQ(passedOver[0].reason, "cannot be opened");
}

TEST_F(DirReaderTest, CancelOnAReadErrorStopsTheWalkAndKeepsEarlierPictures) {
    copyData("canon-40d.jpg", "A/a.jpg");
    dir.makeDir("A/m.jpg");
    copyData("fujifilm-e500-big-endian.jpg", "A/z.jpg");
    copyData("nikon-d70-comment-after-exif.jpg", "B/b.jpg");
    host.answer(Answer::Cancel);
    EXPECT_FALSE(scan());
    EXPECT_EQ(cataloguedPaths(), std::vector<std::string>{at("A/a.jpg")});
    EXPECT_EQ(host.messages.size(), 1u);
}

// A file system on which one folder cannot be listed for pictures, as a
// folder without read permission behaves for a user who is not root.
class UnlistableFolder : public FileSystem {
public:
    explicit UnlistableFolder(std::string folder) : folder_(std::move(folder)) {}
    bool listDirectory(const std::string& folder, const std::string& mask, std::vector<DirEntry>& entries) override {
        if (folder == folder_ && mask == "*.jpg") {
            return false;
        }
        return FileSystem::listDirectory(folder, mask, entries);
    }

private:
    std::string folder_;
};

TEST_F(DirReaderTest, UnlistableFolderIsAskedAboutOkGoesOnCancelStops) {
    copyData("canon-40d.jpg", "A/a.jpg");
    copyData("fujifilm-e500-big-endian.jpg", "B/b.jpg");
    copyData("nikon-d70-comment-after-exif.jpg", "c.jpg");
    UnlistableFolder failing(at("A"));
    for (Answer answer : {Answer::Ok, Answer::Cancel}) {
        ScriptedHost prompts;
        CDirReader walker(prompts, failing, abortRequest);
        prompts.answer(answer);
        walker.listFolders(dir.str(), true);
        const bool completed = walker.collectPictures("*.jpg", true, false);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, "Error while reading from drive");
        EXPECT_EQ(prompts.messages[0].buttons, Buttons::OkCancel);
        EXPECT_EQ(completed, answer == Answer::Ok);
        EXPECT_EQ(walker.catalogue().size(), answer == Answer::Ok ? 2u : 0u);
    }
}

TEST_F(DirReaderTest, ZeroDateIsTakenFromTheFileTime) {
    dir.write("zero.jpg", test::tinyExifJpeg("0000:00:00 00:00:00"));
    const std::time_t before = std::time(nullptr);
    reader.setBiasMinutes(-60);
    ASSERT_TRUE(scan());
    ASSERT_EQ(reader.catalogue().size(), 1u);
    const PictureRecord& r = reader.catalogue()[0];
    EXPECT_TRUE(r.block->dateFromFile);
    const std::string& text = r.exif().dateTime;
    ASSERT_EQ(text.size(), 19u) << text;
    // The file was made just now, so the text is the local time of about now.
    std::tm parsed{};
    ASSERT_NE(::strptime(text.c_str(), "%Y:%m:%d %H:%M:%S", &parsed), nullptr) << text;
    parsed.tm_isdst = -1;
    const std::time_t shot = std::mktime(&parsed);
    EXPECT_LE(std::abs(static_cast<long>(shot - before)), 120L) << text;
    EXPECT_EQ(r.createTime, pictureTimeStamp(text, -60));
}

// A copied file's birth time is the moment of the copy; the file was made
// when it was last modified. Files of an older session keep the birth time.
TEST_F(DirReaderTest, AFileTimeIsTheEarlierOfBirthAndModification) {
    const std::filesystem::path zero = dir.write("zero.jpg", test::tinyExifJpeg("0000:00:00 00:00:00"));
    std::filesystem::last_write_time(zero, std::filesystem::last_write_time(zero) - std::chrono::hours(24 * 400));
    const auto yearOf = [](std::time_t t) {
        std::tm local{};
        ::localtime_r(&t, &local);
        return 1900 + local.tm_year;
    };
    const std::time_t now = std::time(nullptr);
    for (DateRules rules : {DateRules::TrueTimes, DateRules::AsFirstMade}) {
        reader.setDateRules(rules);
        reader.clearCatalogue();
        reader.clearFolders();
        ASSERT_TRUE(scan());
        ASSERT_EQ(reader.catalogue().size(), 1u);
        const int year = std::stoi(reader.catalogue()[0].exif().dateTime.substr(0, 4));
        EXPECT_EQ(year, rules == DateRules::TrueTimes ? yearOf(now - 400 * 86400) : yearOf(now))
            << reader.catalogue()[0].exif().dateTime;
    }
}

TEST_F(DirReaderTest, ReadsOneFileAsOneEntry) {
    copyData("canon-40d.jpg", "one.jpg");
    copyData("no-exif.jpg", "two.jpg");
    EXPECT_TRUE(reader.readFile(at("one.jpg")));
    EXPECT_TRUE(reader.readFile(at("two.jpg")));
    EXPECT_FALSE(reader.readFile(at("missing.jpg")));
    EXPECT_EQ(cataloguedPaths(), std::vector<std::string>{at("one.jpg")});
}

TEST_F(DirReaderTest, AllFormatsAlsoTakeJpegSpellingsAndRawFilesJpegOnlyAsBefore) {
    copyData("canon-40d.jpg", "a.jpg");
    copyData("canon-40d.jpg", "b.JPEG");
    copyData("canon-40d.jpg", "c.jpe");
    copyData("Nikon.nef", "d.NEF");
    copyData("CanonRaw.cr2", "e.cr2");
    copyData("Panasonic.rw2", "f.Rw2");
    copyData("DNG.dng", "g.dng");
    copyData("canon-40d.jpg", "h.txt");
    ASSERT_TRUE(scan());
    EXPECT_EQ(cataloguedPaths(), std::vector<std::string>{at("a.jpg")});

    reader.clearFolders();
    reader.clearCatalogue();
    reader.setPictureFiles(PictureFiles::AllFormats);
    ASSERT_TRUE(scan());
    auto paths = cataloguedPaths();
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{at("a.jpg"), at("b.JPEG"), at("c.jpe"), at("d.NEF"), at("e.cr2"),
                                               at("f.Rw2"), at("g.dng")}));
    for (const PictureRecord& r : reader.catalogue()) {
        if (r.path == at("d.NEF")) {
            EXPECT_EQ(r.exif().cameraModel, "NIKON D70");  // exiftool 12.57
            EXPECT_EQ(r.createTime, pictureTimeStamp("2004:06:09 16:02:35", reader.biasMinutes()));
            EXPECT_FALSE(r.block->dateFromFile);
        }
    }
}

TEST_F(DirReaderTest, RawFileWithAZeroDateTakesTheFileTimeAndABrokenOneIsPassedOver) {
    std::string raw = readTestData("Nikon.nef");
    for (std::size_t at = raw.find("2004:06:09 16:02:35"); at != std::string::npos;
         at = raw.find("2004:06:09 16:02:35")) {
        raw.replace(at, 19, "0000:00:00 00:00:00");
    }
    dir.write("zero.nef", raw);
    dir.write("cut.cr2", readTestData("CanonRaw.cr2").substr(0, 100));
    reader.setPictureFiles(PictureFiles::AllFormats);
    reader.setDateRules(DateRules::AsFirstMade);
    reader.setPassedOverListener([this](const PassedOver& p) { passedOver.push_back(p); });
    ASSERT_TRUE(scan());
    ASSERT_EQ(cataloguedPaths(), std::vector<std::string>{at("zero.nef")});
    EXPECT_TRUE(reader.catalogue()[0].block->dateFromFile);
    EXPECT_EQ(reader.catalogue()[0].exif().dateTime.size(), 19u);
    ASSERT_EQ(passedOver.size(), 1u);
    EXPECT_EQ(passedOver[0].path, at("cut.cr2"));
    EXPECT_EQ(passedOver[0].reason, "no EXIF data: Illegally sized directory");
    EXPECT_TRUE(host.messages.empty());
}

PictureRecord record(const std::string& path, std::int64_t time, std::uint64_t size) {
    PictureRecord r;
    r.path = path;
    r.writeTime = time;
    r.size = size;
    r.block = std::make_shared<PictureBlock>();
    return r;
}

struct SortCase {
    int kind;
    bool reverse;
    std::vector<std::string> order;
};

class SortCatalogueTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortCatalogueTest, OrdersByTheKey) {
    TempDir dir;
    ScriptedHost host;
    FileSystem fs;
    bool abort = false;
    CDirReader reader(host, fs, abort);
    auto& c = reader.catalogue();
    c.push_back(record("/p/b.jpg", 30, 100));
    c.push_back(record("/p/A.jpg", 10, 300));
    c.push_back(record("/p/C.jpg", 20, 200));
    c.push_back(record("/p/a2.jpg", 40, 50));
    const auto blockOfB = c[0].block;

    EXPECT_TRUE(reader.sortCatalogue(GetParam().kind, GetParam().reverse));
    std::vector<std::string> names;
    for (const PictureRecord& r : c) {
        names.push_back(r.path.substr(3));
    }
    EXPECT_EQ(names, GetParam().order);
    for (const PictureRecord& r : c) {
        if (r.path == "/p/b.jpg") {
            EXPECT_EQ(r.block, blockOfB);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SortCatalogueTest,
    ::testing::Values(SortCase{1, false, {"A.jpg", "a2.jpg", "b.jpg", "C.jpg"}},
                      SortCase{1, true, {"C.jpg", "b.jpg", "a2.jpg", "A.jpg"}},
                      SortCase{2, false, {"A.jpg", "C.jpg", "b.jpg", "a2.jpg"}},
                      SortCase{2, true, {"a2.jpg", "b.jpg", "C.jpg", "A.jpg"}},
                      SortCase{3, false, {"a2.jpg", "b.jpg", "C.jpg", "A.jpg"}},
                      SortCase{3, true, {"A.jpg", "C.jpg", "b.jpg", "a2.jpg"}},
                      SortCase{0, false, {"b.jpg", "A.jpg", "C.jpg", "a2.jpg"}},
                      SortCase{4, true, {"b.jpg", "A.jpg", "C.jpg", "a2.jpg"}}));

TEST_F(DirReaderTest, ClearingEmptiesFoldersAndCatalogueButCopiesKeepTheirBlock) {
    copyData("canon-40d.jpg", "a.jpg");
    ASSERT_TRUE(scan());
    const PictureRecord copy = reader.catalogue().at(0);
    reader.clearFolders();
    reader.clearCatalogue();
    EXPECT_TRUE(reader.folders().empty());
    EXPECT_TRUE(reader.catalogue().empty());
    EXPECT_EQ(copy.exif().cameraMake, "Canon");
}

}  // namespace
}  // namespace dz
