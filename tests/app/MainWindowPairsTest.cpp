#include "MainWindowFixture.h"

#include "albums/FilmLabel.h"
#include "process/CProcess.h"

#include "TinyJpeg.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace dz {
namespace {

using namespace mainwin;
using test::readTestData;
using test::tinyExifJpeg;

// A card: a JPEG with its raw and two sidecars (one of darktable's
// "NAME.EXT.xmp" form), a raw alone with its sidecar, and a sidecar of no
// picture; scanned, put into one album and processed through the window.
class MainWindowPairs : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        put("IMG_1.jpg", tinyExifJpeg("2006:05:10 10:05:07"));
        put("IMG_1.CR2", readTestData("CanonRaw.cr2"));
        put("IMG_1.XMP", "<x:xmpmeta/> of the shot");
        put("IMG_1.CR2.xmp", "<x:xmpmeta/> of the raw");
        put("DSC_2.nef", readTestData("Nikon.nef"));
        put("DSC_2.xmp", "<x:xmpmeta/> of the lone raw");
        put("lone.xmp", "<x:xmpmeta/> of nothing");
        start();
        target = startFolder.makeDir("out").string();
    }

    void put(const std::string& name, const std::string& bytes) {
        source.write(name, bytes);
        originals[name] = bytes;
    }

    // Scans with `files` and puts every picture into album "Spring", the
    // film numbering them by name.
    void scanIntoAlbum(PictureFiles files) {
        state.pictureFiles = files;
        host.browseTo(source.str());
        window->onCommand(kMenuSelectSource);
        Album album;
        album.name = "Spring";
        album.id = 1;
        album.isNew = 0;
        album.addDate = 0;
        album.addTime = 0;
        state.albums.push_back(album);
        for (PictureRecord& picture : state.dirReader->catalogue()) {
            picture.albumId = 1;
            picture.block->filmImageIndex = picture.path.find("IMG_1") != std::string::npos ? 1 : 2;
        }
        host.browseTo(target);
        window->onCommand(kSelectTargetButton);
        window->recountAlbums();
    }

    void process(bool move) {
        state.settings.moveFiles = move ? 1 : 0;
        host.onModal("CProcess", [](Window& w) {
            w.onCommand(CProcess::kProcess);
            w.onCommand(CProcess::kCloseWindow);
        });
        window->onCommand(kProcess);
    }

    static std::map<std::string, std::string> filesIn(const std::string& folder) {
        std::map<std::string, std::string> files;
        if (!std::filesystem::exists(folder)) {
            return files;
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().filename().string()] =
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return files;
    }

    // Where each source file of the card goes in all-formats mode.
    std::map<std::string, std::string> expectedAlbum() const {
        return {{"Spring-1.jpg", originals.at("IMG_1.jpg")},     {"Spring-1.cr2", originals.at("IMG_1.CR2")},
                {"Spring-1.xmp", originals.at("IMG_1.XMP")},     {"Spring-1.cr2.xmp", originals.at("IMG_1.CR2.xmp")},
                {"Spring-2.nef", originals.at("DSC_2.nef")},     {"Spring-2.xmp", originals.at("DSC_2.xmp")}};
    }

    std::string target;
    std::map<std::string, std::string> originals;  // name -> bytes
};

TEST_F(MainWindowPairs, CopyTakesTheRawAndTheSidecarsAlongUnderTheNewNameAndCountsTheirSizes) {
    scanIntoAlbum(PictureFiles::AllFormats);
    EXPECT_EQ(state.texts.status, "Found 2 pictures and videos that have exif information.");
    const auto& catalogue = state.dirReader->catalogue();
    ASSERT_EQ(catalogue.size(), 2u);
    const PictureRecord& pair = catalogue[0].companions.size() == 3 ? catalogue[0] : catalogue[1];
    const PictureRecord& lone = &pair == &catalogue[0] ? catalogue[1] : catalogue[0];
    EXPECT_EQ(pair.path, source.str() + "/IMG_1.jpg");
    const std::string pairLabel = filmLabel(1, pair, 1, 1, 0);
    EXPECT_EQ(pairLabel.substr(pairLabel.size() - 9), " RAW+JPEG") << pairLabel;
    EXPECT_EQ(filmLabel(2, lone, 1, 1, 0).find("RAW+"), std::string::npos);

    std::uint64_t bytes = 0;
    for (const auto& [name, content] : originals) {
        bytes += name == "lone.xmp" ? 0 : content.size();
    }
    EXPECT_NEAR(state.albums[0].sizeMB, static_cast<double>(bytes) / 1048576.0, 1e-6);

    process(false);
    EXPECT_EQ(state.albums[0].isProcessed, 1);
    EXPECT_EQ(filesIn(target + "/Spring"), expectedAlbum());
    EXPECT_EQ(filesIn(source.str()).size(), originals.size());
}

TEST_F(MainWindowPairs, MoveLeavesOnlyTheStraySidecarAndUndoBringsThePairBack) {
    scanIntoAlbum(PictureFiles::AllFormats);
    process(true);
    ASSERT_EQ(state.albums[0].isProcessed, 1);
    EXPECT_EQ(filesIn(target + "/Spring"), expectedAlbum());
    EXPECT_EQ(filesIn(source.str()), (std::map<std::string, std::string>{{"lone.xmp", originals.at("lone.xmp")}}));

    host.answer(Answer::Yes);
    host.messages.clear();
    window->onCommand(kMenuUndoProcessing);
    EXPECT_EQ(filesIn(source.str()), originals);
    // Two shots of six files: the user is told of pictures.
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "Undo the last processing? 2 moved pictures go back to their source folders."
                                     "\n\nSource folder: " + source.str() + "\nTarget folder: " + target);
    EXPECT_EQ(host.messages[1].text, "2 pictures went back.");
    EXPECT_FALSE(std::filesystem::exists(target + "/Spring"));
}

TEST_F(MainWindowPairs, JpegOnlyMovesTheJpegAloneAndSaysJpg) {
    scanIntoAlbum(PictureFiles::JpegOnly);
    EXPECT_EQ(state.texts.status, "Found 1 .JPG pictures that have exif information.");
    ASSERT_EQ(state.dirReader->catalogue().size(), 1u);
    EXPECT_TRUE(state.dirReader->catalogue()[0].companions.empty());
    process(true);
    EXPECT_EQ(filesIn(target + "/Spring"),
              (std::map<std::string, std::string>{{"Spring-1.jpg", originals.at("IMG_1.jpg")}}));
    auto left = originals;
    left.erase("IMG_1.jpg");
    EXPECT_EQ(filesIn(source.str()), left);
}

TEST_F(MainWindowPairs, ClashOfOneFileRenamesTheWholeShot) {
    // A raw alone on a second card with the same number, processed first
    // (sub-folders come before their parent): the pair's JPEG name is free,
    // its raw's is not, and the pair must keep one base name.
    const std::filesystem::path second = source.makeDir("card2");
    const std::string otherRaw = readTestData("CanonRaw.cr2") + "second card";
    std::ofstream(second / "IMG_1.CR2", std::ios::binary) << otherRaw;
    scanIntoAlbum(PictureFiles::AllFormats);
    ASSERT_EQ(state.dirReader->catalogue().front().path, (second / "IMG_1.CR2").string());
    state.albums[0].keepOriginalName = 1;
    process(false);
    const auto files = filesIn(target + "/Spring");
    EXPECT_EQ(files.at("IMG_1.cr2"), otherRaw);
    EXPECT_EQ(files.at("IMG_1 (2).jpg"), originals.at("IMG_1.jpg"));
    EXPECT_EQ(files.at("IMG_1 (2).cr2"), originals.at("IMG_1.CR2"));
    EXPECT_EQ(files.at("IMG_1 (2).cr2.xmp"), originals.at("IMG_1.CR2.xmp"));
    EXPECT_EQ(files.size(), 7u);
}

TEST_F(MainWindowPairs, HeicLeadsItsContainerRawAndIsMarkedSo) {
    const std::filesystem::path phone = source.makeDir("phone");
    source.write("phone/IMG_5.HEIC", readTestData("IMG_5195.HEIC"));
    source.write("phone/IMG_5.cr3", readTestData("CanonRaw.cr3"));
    scanIntoAlbum(PictureFiles::AllFormats);
    const auto& catalogue = state.dirReader->catalogue();
    ASSERT_EQ(catalogue.size(), 3u);
    const auto found = std::find_if(catalogue.begin(), catalogue.end(), [&](const PictureRecord& p) {
        return p.path == (phone / "IMG_5.HEIC").string();
    });
    ASSERT_NE(found, catalogue.end());
    const PictureRecord& heic = *found;
    ASSERT_EQ(heic.companions.size(), 1u);
    EXPECT_EQ(heic.companions[0].path, (phone / "IMG_5.cr3").string());
    EXPECT_EQ(pairMark(heic), "RAW+HEIC");
}

TEST_F(MainWindowPairs, SessionSavedBeforeAMoveLoadsAfterItWithoutTheRawAsAPictureOfItsOwn) {
    scanIntoAlbum(PictureFiles::AllFormats);
    const std::string sessionPath = (startFolder.path() / "card.fls").string();
    host.saveFileAnswer(sessionPath);
    window->onCommand(kMenuSaveSession);
    process(true);

    host.messages.clear();
    host.openFileAnswer(sessionPath);
    window->onCommand(kMenuLoadSession);
    for (const auto& message : host.messages) {
        EXPECT_EQ(message.text.find("Session could not be loaded"), std::string::npos) << message.text;
    }
    ASSERT_EQ(state.albums.size(), 1u);
    EXPECT_EQ(state.albums[0].isProcessed, 1);
}

TEST_F(MainWindowPairs, SessionOfAllFormatsLoadedWithJpegOnlySaysSo) {
    scanIntoAlbum(PictureFiles::AllFormats);
    const std::string sessionPath = (startFolder.path() / "card.fls").string();
    host.saveFileAnswer(sessionPath);
    window->onCommand(kMenuSaveSession);

    state.pictureFiles = PictureFiles::JpegOnly;
    host.messages.clear();
    host.openFileAnswer(sessionPath);
    window->onCommand(kMenuLoadSession);
    std::vector<std::string> texts;
    for (const auto& message : host.messages) {
        texts.push_back(message.text);
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "This session was made with \"All photos and videos\"; the pictures are looked for with "
                        "\"JPEG only\"."),
              texts.end())
        << testing::PrintToString(texts);
}

}  // namespace
}  // namespace dz
